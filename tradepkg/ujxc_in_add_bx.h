// The purchase line dialog ("添加进货资料"): batch (the goods' existing batches offered,
// a new code allowed), expiry (taken from the stock row of a known batch), quantities
// and prices per unit, amount (合计), location and remark. What the amount field shows
// is stored. Quantities must be whole numbers and prices numbers.
#pragma once
#include "tradepkgglobal.h"
#include "ujxc_doc_bx.h"

class QComboBox;
class QDateEdit;
class QPlainTextEdit;
class TWjNumEdit;

class TRADEPKG_EXPORT TfrmJxcIn_Add_Bx : public TfrmJxcLine_Bx
{
    Q_OBJECT
public:
    explicit TfrmJxcIn_Add_Bx(QWidget *parent = nullptr);

    void CalcAmount();   // "合计"
    void BatchLeft();    // leaving the batch field
    bool Save() override;

    QComboBox *Batch() const { return m_pc; }
    QDateEdit *Expiry() const { return m_yx; }
    TWjNumEdit *Price(int unit) const { return m_price[unit - 1]; }
    TWjNumEdit *Amount() const { return m_amount; }
    QComboBox *Location() const { return m_posi; }
    QPlainTextEdit *Remark() const { return m_remark; }
    // The expiry field shows no date (the line has none).
    bool ExpiryBlank() const;

protected:
    void GoodsRead() override;

private:
    QComboBox *m_pc, *m_posi;
    QDateEdit *m_yx;
    TWjNumEdit *m_price[3];
    TWjNumEdit *m_amount;
    QPlainTextEdit *m_remark;
};
