// The partner goods price editor: one Jb_Goods_Kh row (a goods' default and invoice
// prices for one client or supplier). Its caption is the entity title, "客户商品定义"
// (client) or "供应商商品定义" (supplier); when adding, the entity's initial value is
// the partner key. "查询" picks the goods; a goods the partner already has is refused.
#pragma once
#include "goodspkgglobal.h"
#include "wjdataentity.h"

class QLabel;
class QLineEdit;
class QPushButton;
class TWjNumEdit;
class TWjSerGen;

class GOODSPKG_EXPORT TfrmGoods_Kh_Add : public TWjForm_Jb
{
    Q_OBJECT
public:
    explicit TfrmGoods_Kh_Add(QWidget *parent = nullptr);
    void FormShow() override;

    // "查询": the goods search; true when a goods was picked.
    bool PickGoods();
    bool Save();

    QLineEdit *NameBox() const { return m_name; }
    QPushButton *QueryButton() const { return m_query; }
    QPushButton *SaveButton() const { return m_save; }
    TWjNumEdit *Price(int unit) const { return m_price[unit - 1]; }
    TWjNumEdit *InvoicePrice(int unit) const { return m_kd[unit - 1]; }
    QLabel *UnitLabel(int unit) const { return m_unit[unit - 1]; }

private:
    void copyPrice(int unit);
    QString m_shownGoods;  // the goods key when the window opened
    QLineEdit *m_name;
    QPushButton *m_query, *m_save, *m_cancel;
    TWjNumEdit *m_price[3];
    TWjNumEdit *m_kd[3];
    QLabel *m_unit[3];
};
