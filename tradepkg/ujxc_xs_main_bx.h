// The sales window ("销 售 开 单"): one Yw_SaHead row and its Yw_SaDetail lines, opened
// by TWjJxc_Bx::GoodsSaGl. Beyond the document pattern: the price kind of the goods
// search (正常, 批发, 折扣), the client's agreed goods, invoice prices, the line cost
// (shown at operator level 1 only), the running serial Sa_Lsh drawn from "SA_LSH" at
// the first save (inside the save transaction, so a failed save uses no number), the
// delivery vehicle behind the switch [销售显示配送信息] 显示 of "sys\Sys_Wj.ini", and the
// cash drawer (F11) on the receipt printer's port "LPT1".
#pragma once
#include "tradepkgglobal.h"
#include "ujxc_doc_bx.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

class TRADEPKG_EXPORT TfrmJxcXs_Main_Bx : public TfrmJxcDoc_Bx
{
    Q_OBJECT
public:
    explicit TfrmJxcXs_Main_Bx(QWidget *parent = nullptr);
    static TJxcDocDef Definition();

    void FormShow() override;
    // "读取客户默认商品": a line (1, 0, 0) per agreed goods of the client.
    void GetClientGoods();
    // F11: the drawer pulse; a port error is reported and changes nothing else.
    bool OpenCashbox();
    QString PriceKind() const;  // "1" 正常, "2" 批发, "3" 折扣

    QRadioButton *PriceRadio(int kind) const { return m_radio[kind - 1]; }
    QPushButton *ClientGoodsButton() const { return m_clientGoods; }
    QPushButton *CashboxButton() const { return m_cashbox; }
    QComboBox *Vehicle() const { return m_car; }
    QLabel *VehicleLabel() const { return m_carLabel; }
    bool CostColumnVisible() const;
    // The switch of the vehicle field.
    static bool VehicleShown();

protected:
    TADOCachedForm *CreateLineDialog() override;
    QString SearchPriceMode() const override { return PriceKind(); }
    QString SearchSql() const override { return QStringLiteral("select * from V_Yw_KcData"); }
    QString SearchCaption() const override { return QStringLiteral("库存资料"); }
    QString SearchListName() const override { return QStringLiteral("销售商品资料"); }
    void CalcLine(TWjQuery &line, const Goods &goods) override;
    void BeforeSubmit() override;
    void LockMore() override;
    int RunPartnerEditor(int action) override;

private:
    QRadioButton *m_radio[3];
    QButtonGroup *m_kinds;
    QWidget *m_kindPanel;
    QPushButton *m_clientGoods, *m_cashbox;
    QComboBox *m_car;
    QLabel *m_carLabel;
};
