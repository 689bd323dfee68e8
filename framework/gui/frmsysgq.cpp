#include "frmsysgq.h"
#include "wjczy.h"
#include "wjdbaction.h"
#include "wjfields.h"
#include "wjinputs.h"
#include "wjprompter.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TWjScrollBanner::TWjScrollBanner(const QString &text, QWidget *parent) : QWidget(parent), m_text(text)
{
    setObjectName(QStringLiteral("lbBanner"));
    QFont f = font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 3);
    setFont(f);
    m_timer = new QTimer(this);
    m_timer->setInterval(40);
    connect(m_timer, &QTimer::timeout, this, &TWjScrollBanner::step);
}

QSize TWjScrollBanner::sizeHint() const
{
    const QFontMetrics fm(font());
    return {fm.horizontalAdvance(m_text) + 40, fm.height() + 10};
}

void TWjScrollBanner::step()
{
    const int textWidth = QFontMetrics(font()).horizontalAdvance(m_text);
    m_offset += 2;
    if (m_offset > width() + textWidth)  // gone past the left edge: enter again on the right
        m_offset = 0;
    update();
}

void TWjScrollBanner::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(Qt::red);
    p.setFont(font());
    const int x = width() - m_offset;
    p.drawText(QRect(x, 0, QFontMetrics(font()).horizontalAdvance(m_text) + 4, height()), Qt::AlignVCenter | Qt::AlignLeft,
               m_text);
}

void TWjScrollBanner::showEvent(QShowEvent *)
{
    m_timer->start();
}

void TWjScrollBanner::hideEvent(QHideEvent *)
{
    m_timer->stop();
}

TfrmSysGq::TfrmSysGq(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frmSysGq"));
    setWindowTitle(QStringLiteral("软件挂起"));
    setModal(true);
    auto *lay = new QVBoxLayout(this);
    Banner = new TWjScrollBanner(QStringLiteral("程序已挂起，可输入密码将它唤醒。"), this);
    Banner->setMinimumWidth(360);
    lay->addWidget(Banner);

    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("密码："), this));
    edPassword = new QLineEdit(this);
    edPassword->setObjectName(QStringLiteral("edPassword"));
    edPassword->setEchoMode(QLineEdit::Password);
    edPassword->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 35; }"));  // '#'
    SetTextLimit(edPassword, 0);  // nothing a statement could not carry
    row->addWidget(edPassword, 1);
    lay->addLayout(row);

    auto *buttons = new QHBoxLayout;
    btnEnter = new QPushButton(QStringLiteral("重新进入软件"), this);
    btnEnter->setObjectName(QStringLiteral("btnEnter"));
    btnExit = new QPushButton(QStringLiteral("退出系统"), this);
    btnExit->setObjectName(QStringLiteral("btnExit"));
    for (QPushButton *b : {btnEnter, btnExit}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    lay->addLayout(buttons);

    connect(btnEnter, &QPushButton::clicked, this, &TfrmSysGq::TryEnter);
    connect(edPassword, &QLineEdit::returnPressed, this, &TfrmSysGq::TryEnter);
    edPassword->setFocus();
}

void TfrmSysGq::TryEnter()
{
    const QString typed = edPassword->text();
    if (typed.trimmed().isEmpty()) {
        Prompter().Warning(QStringLiteral("请输入密码！"));
        edPassword->setFocus();
        return;
    }
    // The session checks it (the stored value has a salt of its own), counting wrong tries.
    const TWjCzy::CheckResult r = CurCzy->CheckPassword(CurCzy->CzyName, typed);
    if (r != TWjCzy::CheckResult::Ok) {
        Prompter().Warning(r == TWjCzy::CheckResult::TooSoon ? CurCzy->TooSoonText() : QStringLiteral("密码错误，请重新输入！"));
        edPassword->selectAll();
        edPassword->setFocus();
        return;
    }
    accept();
}

void TfrmSysGq::reject()
{
    // Esc: the program stays locked.
}

void TfrmSysGq::closeEvent(QCloseEvent *e)
{
    if (result() == QDialog::Accepted)
        e->accept();
    else
        e->ignore();
}

void RunSysGq(QWidget *parent)
{
    TfrmSysGq w(parent);
    w.exec();
}
