// The sales line dialog ("添加销售资料"): quantities, sale prices and invoice prices per
// unit, remark. Saving turns blank quantities and prices into 0 and computes the
// line's cost from the goods' default purchase prices (kept when they are not numbers).
// Quantities must be whole numbers and prices numbers.
#pragma once
#include "tradepkgglobal.h"
#include "ujxc_doc_bx.h"

class QPlainTextEdit;
class TWjNumEdit;

class TRADEPKG_EXPORT TfrmJxcAddXszl_Bx : public TfrmJxcLine_Bx
{
    Q_OBJECT
public:
    explicit TfrmJxcAddXszl_Bx(QWidget *parent = nullptr);
    bool Save() override;

    TWjNumEdit *Price(int unit) const { return m_price[unit - 1]; }
    TWjNumEdit *InvoicePrice(int unit) const { return m_kd[unit - 1]; }
    TWjNumEdit *Cost() const { return m_cost; }
    QPlainTextEdit *Remark() const { return m_remark; }

private:
    TWjNumEdit *m_price[3];
    TWjNumEdit *m_kd[3];
    TWjNumEdit *m_cost;
    QPlainTextEdit *m_remark;
};
