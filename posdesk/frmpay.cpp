#include "frmpay.h"
#include "posbill.h"
#include "posconfig.h"
#include "posprinter.h"
#include "posticket.h"
#include "wjapplication.h"
#include "wjinputs.h"
#include "wjprompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

Tfrm_Pay::Tfrm_Pay(TPosTicket *ticket, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_ticket(ticket)
{
    setObjectName(QStringLiteral("frm_Pay"));
    setWindowTitle(QStringLiteral("付款"));
    auto *lay = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    edDue = new QLineEdit(this);
    edDue->setObjectName(QStringLiteral("edDue"));
    edPaid = new TWjNumEdit(this, false);
    edPaid->setObjectName(QStringLiteral("edPaid"));
    edChange = new QLineEdit(this);
    edChange->setObjectName(QStringLiteral("edChange"));
    edChange->setReadOnly(true);
    cbRemark = new QComboBox(this);
    cbRemark->setObjectName(QStringLiteral("cbRemark"));
    cbRemark->setEditable(true);
    chkPrint = new QCheckBox(QStringLiteral("打印小票"), this);
    chkPrint->setObjectName(QStringLiteral("chkPrint"));
    chkPrint->setChecked(true);
    QFont big = edDue->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    for (QLineEdit *e : {edDue, static_cast<QLineEdit *>(edPaid), edChange})
        e->setFont(big);
    form->addRow(QStringLiteral("应付金额："), edDue);
    form->addRow(QStringLiteral("付款金额："), edPaid);
    form->addRow(QStringLiteral("找零金额："), edChange);
    form->addRow(QStringLiteral("销售备注："), cbRemark);
    form->addRow(QString(), chkPrint);
    lay->addLayout(form);
    auto *buttons = new QHBoxLayout;
    btnPay = new QPushButton(QStringLiteral("付款(F5)"), this);
    btnPay->setObjectName(QStringLiteral("btnPay"));
    btnExit = new QPushButton(QStringLiteral("退出(F4)"), this);
    btnExit->setObjectName(QStringLiteral("btnExit"));
    for (QPushButton *b : {btnPay, btnExit}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    lay->addLayout(buttons);
    setFixedSize(sizeHint());

    // Input order: paid, remark, pay, exit, due, change, print.
    setTabOrder(edPaid, cbRemark);
    setTabOrder(cbRemark, btnPay);
    setTabOrder(btnPay, btnExit);
    setTabOrder(btnExit, edDue);
    setTabOrder(edDue, edChange);
    setTabOrder(edChange, chkPrint);

    connect(btnPay, &QPushButton::clicked, this, [this] { WjRunAction([this] { Pay(); }); });
    connect(btnExit, &QPushButton::clicked, this, &QDialog::reject);
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);
    edPaid->setFocus();
}

void Tfrm_Pay::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (m_shown)
        return;
    m_shown = true;
    edDue->setText(m_ticket->Due().ToString());
    edPaid->setFocus();
    PosConfig::OpenDrawer();
}

bool Tfrm_Pay::LeavePaid()
{
    if (edPaid->text().trimmed().isEmpty())
        return false;
    Currency due, paid;
    if (!ReadMoney(edPaid->text(), &paid)) {
        Prompter().Warning(QStringLiteral("付款金额必须是数字！"));
        return false;
    }
    if (!ReadMoney(edDue->text(), &due)) {
        Prompter().Warning(QStringLiteral("应付金额必须是数字！"));
        return false;
    }
    if (paid < due) {
        Prompter().Warning(QStringLiteral("对不起，付款金额小于应付金额！"));
        return false;
    }
    edChange->setText((paid - due).ToString());
    return true;
}

bool Tfrm_Pay::Pay()
{
    TBill bill;
    const bool print = chkPrint->isChecked();
    if (print) {
        // The receipt shows the amounts: they must be numbers and the change must match.
        if (!LeavePaid()) {
            if (edPaid->text().trimmed().isEmpty())
                Prompter().Warning(QStringLiteral("请输入付款金额！"));
            edPaid->setFocus();
            edPaid->selectAll();
            return false;
        }
        Currency due, paid, change;
        ReadMoney(edDue->text(), &due);
        ReadMoney(edPaid->text(), &paid);
        ReadMoney(edChange->text(), &change);
        bill.Build(m_ticket->BillTicket(due, paid, change));
    }
    m_ticket->SavePaid();  // raises on failure: nothing stored, the dialog stays
    // Printed once the ticket is stored: a receipt never shows a sale that is not.
    if (print) {
        TPosPrinter printer;
        bill.Print(printer);
    }
    accept();
    return true;
}

bool Tfrm_Pay::handleKey(QObject *o, QKeyEvent *e)
{
    const bool noMods = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!noMods)
        return false;
    switch (e->key()) {
    case Qt::Key_F5:
        WjRunAction([this] { Pay(); });
        return true;
    case Qt::Key_F4:
        reject();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
        if (o == edPaid) {
            if (!LeavePaid()) {
                edPaid->setFocus();
                edPaid->selectAll();
            } else {
                cbRemark->setFocus();
            }
            return true;
        }
        if (o == cbRemark || o == cbRemark->lineEdit()) {
            WjRunAction([this] { Pay(); });
            return true;
        }
        if (e->key() == Qt::Key_Tab)
            return false;
        if (auto *b = qobject_cast<QPushButton *>(o)) {
            b->click();
            return true;
        }
        focusNextChild();  // Enter moves to the next input
        return true;
    default:
        return false;
    }
}

bool Tfrm_Pay::eventFilter(QObject *o, QEvent *e)
{
    if (e->type() == QEvent::KeyPress && handleKey(o, static_cast<QKeyEvent *>(e)))
        return true;
    return QDialog::eventFilter(o, e);
}
