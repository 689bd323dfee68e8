// TfrmGoods_Bx: the goods editor ("商品属性管理"), one Jb_Goods row and its barcodes.
//
// Opened through TWjBx_Goods::BxGoodsGl over a goods list. Inputs named column + "W"
// hold the Jb_Goods columns; the type box is a tree drop-down whose pick fills the hidden
// TypeId_GoodsW and, for a type other than the one shown at opening, previews that type's
// next goods number. "保存[&S]" runs, in order: "请选择商品类型" (the number comes from
// the type, so a missing type is what the user is told about), the framework's checks
// (自编码, 商品名称, 单位1 required, lengths), the unit check CheckJldwSetup, blank prices
// to "0" and barcodes of unnamed units cleared, PyNo from the trimmed name, then in one
// transaction: the barcode check (a code that another goods or another unit of this
// goods already has is refused), the row, the number commit of a changed type and the
// barcode rows (Jb_Goods_Tm, one per filled unit, Unit_Flag 1..3). A barcode stored by
// another workstation meanwhile is refused as well (the unique index). Any failure
// rolls back, then shows its message, and keeps the editor open.
#pragma once
#include "goodspkgglobal.h"
#include "wjdataentity.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QComboBox;
class TWjBx_GoodType;
class TWjNumEdit;
class TWjTreeCombo;

class GOODSPKG_EXPORT TfrmGoods_Bx : public TWjForm_Jb
{
    Q_OBJECT
public:
    explicit TfrmGoods_Bx(QWidget *parent = nullptr);

    void FormShow() override;
    // The unit setup check; shows its message and returns false on a bad setup.
    bool CheckJldwSetup();
    void TypePicked();
    // "保存[&S]": false when a step refused (the editor stays open).
    bool Save();

    TWjTreeCombo *cbType;
    QLineEdit *edTypeId, *edGoodsNo, *edGoodsName;
    QComboBox *cbDepart, *cbPosi;
    QComboBox *cbUnit[3];
    QSpinBox *spTop, *spBot, *spNum1_2, *spNum2_3, *spTipsDay;
    TWjNumEdit *edInPrice[3], *edSaPrice[3], *edPfPrice[3], *edJgPrice[3];
    QLineEdit *edTxm[3];
    QPlainTextEdit *mmRemark;
    QPushButton *btnSave, *btnCancel;

    QString InitialType() const { return m_initialType; }
    QString InitialNo() const { return m_initialNo; }

private:
    // The refusal of a barcode another unit or goods has ("" when none), with its unit.
    QString barcodeConflict(int *unit);
    // The barcode rows; the unit whose code the unique index refused, or -1.
    int writeBarcodes(const QString &goodsId);
    TWjBx_GoodType *m_types;
    QString m_initialType, m_initialNo;
};
