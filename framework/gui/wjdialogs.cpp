#include "wjdialogs.h"
#include "wjfields.h"
#include "wjinputs.h"
#include "wjprompter.h"
#include "wjservices.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSplashScreen>
#include <QVBoxLayout>

namespace {
QDialogButtonBox *okCancel(QDialog *d)
{
    auto *bb = new QDialogButtonBox(d);
    bb->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("btnOk"));
    bb->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("btnCancel"));
    QObject::connect(bb, &QDialogButtonBox::accepted, d, &QDialog::accept);
    QObject::connect(bb, &QDialogButtonBox::rejected, d, &QDialog::reject);
    return bb;
}
} // namespace

TfrmLogin::TfrmLogin(const QStringList &operators, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("操作员登录"));
    auto *lay = new QVBoxLayout(this);
    auto *title = new QLabel(TWjSoft::ProductTitle(), this);
    QFont tf = title->font();
    tf.setPointSize(13);
    tf.setBold(true);
    title->setFont(tf);
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("color: #1f3a5f; padding: 6px;"));
    lay->addWidget(title);
    auto *form = new QFormLayout;
    cbName = new QComboBox(this);
    cbName->setObjectName(QStringLiteral("cbName"));
    cbName->setEditable(true);
    cbName->addItems(operators);
    edPassword = new QLineEdit(this);
    edPassword->setObjectName(QStringLiteral("edPassword"));
    edPassword->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("操作员："), cbName);
    form->addRow(QStringLiteral("密  码："), edPassword);
    lay->addLayout(form);
    lay->addWidget(okCancel(this));
    SetTextLimit(cbName->lineEdit(), 50);  // CZYNAME's length
    SetTextLimit(edPassword, 0);
    edPassword->setFocus();
    setMinimumWidth(300);
}

QString TfrmLogin::Name() const { return cbName->currentText().trimmed(); }
QString TfrmLogin::Password() const { return edPassword->text(); }

TfrmNewPassword::TfrmNewPassword(const QString &name, const QString &reason, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmNewPassword"));
    setWindowTitle(QStringLiteral("设置密码"));
    auto *lay = new QVBoxLayout(this);
    auto *info = new QLabel(reason.isEmpty() ? QStringLiteral("请为操作员“%1”设置新密码。").arg(name) : reason, this);
    info->setWordWrap(true);
    lay->addWidget(info);
    auto *form = new QFormLayout;
    edPassword1 = new QLineEdit(this);
    edPassword1->setObjectName(QStringLiteral("edPassword1"));
    edPassword1->setEchoMode(QLineEdit::Password);
    edPassword2 = new QLineEdit(this);
    edPassword2->setObjectName(QStringLiteral("edPassword2"));
    edPassword2->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("新密码："), edPassword1);
    form->addRow(QStringLiteral("确认新密码："), edPassword2);
    SetTextLimit(edPassword1, 0);
    SetTextLimit(edPassword2, 0);
    lay->addLayout(form);
    lay->addWidget(okCancel(this));
    setMinimumWidth(320);
}

QString TfrmNewPassword::Password() const { return edPassword1->text(); }

void TfrmNewPassword::accept()
{
    if (edPassword1->text().isEmpty()) {
        Prompter().Warning(QStringLiteral("密码不能为空！"));
        edPassword1->setFocus();
        return;
    }
    if (edPassword1->text() != edPassword2->text()) {
        Prompter().Warning(QStringLiteral("两次输入的密码不一致，请重新输入！"));
        edPassword2->clear();
        edPassword2->setFocus();
        return;
    }
    QDialog::accept();
}

TWjDialogSessionUi::~TWjDialogSessionUi()
{
    delete m_splash;
}

bool TWjDialogSessionUi::AskCredentials(const QStringList &operators, QString *name, QString *password)
{
    TfrmLogin dlg(operators);
    if (m_splash)
        m_splash->hide();
    if (!name->isEmpty())
        dlg.cbName->setCurrentText(*name);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    *name = dlg.Name();
    *password = dlg.Password();
    return true;
}

bool TWjDialogSessionUi::AskNewPassword(const QString &name, const QString &reason, QString *password)
{
    TfrmNewPassword dlg(name, reason);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    *password = dlg.Password();
    return true;
}

void TWjDialogSessionUi::ShowSplash(const QString &title)
{
    QPixmap pm(420, 160);
    pm.fill(QColor(0x2F, 0x5D, 0x8A));
    QPainter p(&pm);
    p.setPen(Qt::white);
    QFont f = QApplication::font();
    f.setPointSize(16);
    f.setBold(true);
    p.setFont(f);
    p.drawText(pm.rect(), Qt::AlignCenter, title);
    p.end();
    m_splash = new QSplashScreen(pm);
    m_splash->show();
    QApplication::processEvents();
}

void TWjDialogSessionUi::CloseSplash()
{
    if (m_splash) {
        m_splash->close();
        delete m_splash;
        m_splash = nullptr;
    }
}
