// Tfrm_Pay: the payment dialog. Shows the amount due, takes the amount paid, shows the
// change; F5 (or Enter, Enter after the amount) pays: the ticket is saved and, with
// "打印小票" checked, its receipt printed; F4 leaves with the ticket still open. The
// cash drawer opens when the dialog shows.
#pragma once
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class TPosTicket;
class TWjNumEdit;

class Tfrm_Pay : public QDialog
{
    Q_OBJECT
public:
    Tfrm_Pay(TPosTicket *ticket, QWidget *parent = nullptr);

    QLineEdit *edDue;      // "应付金额："
    TWjNumEdit *edPaid;    // "付款金额："
    QLineEdit *edChange;   // "找零金额："
    QComboBox *cbRemark;   // "销售备注："
    QCheckBox *chkPrint;   // "打印小票"
    QPushButton *btnPay;   // "付款(F5)"
    QPushButton *btnExit;  // "退出(F4)"

    // Leaving the amount paid: the change, or the refusal. False keeps the focus there.
    bool LeavePaid();
    // F5: saves the ticket (and prints its receipt); true when it was saved.
    bool Pay();

protected:
    bool eventFilter(QObject *o, QEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    bool handleKey(QObject *o, class QKeyEvent *e);
    TPosTicket *m_ticket;
    bool m_shown = false;
};
