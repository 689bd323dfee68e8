// TfrmChangeNum: the quantity dialog (F4) for the ticket's current line: its name and
// quantity, a new quantity and a new unit price. "确定" edits the line in the cache;
// a quantity or price that is not a number is refused and the line stays as it was.
#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class TPosTicket;
class TWjNumEdit;

class TfrmChangeNum : public QDialog
{
    Q_OBJECT
public:
    TfrmChangeNum(TPosTicket *ticket, QWidget *parent = nullptr);

    QLabel *lbGoodsName;   // "商品名称："
    QLabel *lbOldNum;      // "原 数 量："
    TWjNumEdit *edNewNum;   // "新 数 量："
    TWjNumEdit *edNewPrice; // "新 金 额：" (the unit price)
    QPushButton *btnOk;
    QPushButton *btnCancel;

    bool Confirm();  // "确定"

private:
    TPosTicket *m_ticket;
};
