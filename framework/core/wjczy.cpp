#include "wjczy.h"
#include "wjdbaction.h"
#include "wjencrypt.h"
#include "wjerror.h"
#include "wjmodule.h"
#include "wjpath.h"
#include "wjprompter.h"
#include "wjservices.h"
#include "wjtext.h"

#include <QDateTime>
#include <QSysInfo>
#include <QVariant>

TWjCzy *CurCzy = nullptr;

namespace {
using Q = TDBAction;
}

TWjCzy::TWjCzy(QObject *parent) : QObject(parent)
{
    ProgramDir = WjPath::ProgramDir();
}

TDBAction &TWjCzy::db() const
{
    TDBAction *d = m_db ? m_db : CurDBAction;
    if (!d)
        throw EWjError(QStringLiteral("数据访问服务尚未创建。"));
    return *d;
}

QStringList TWjCzy::Operators()
{
    TWjQuery q;
    db().SelectTable(QStringLiteral("select CZYNAME from WJ_SYS_CZY order by CZYLEVEL, CZYNAME"), q);
    QStringList r;
    for (q.First(); !q.Eof(); q.Next())
        r << q.Fields(0).AsString();
    return r;
}

int TWjCzy::WaitAfterFailures(int failures)
{
    if (failures < FreeTries)
        return 0;
    const int doublings = qMin(failures - FreeTries, 10);
    return qMin(5 << doublings, MaxWaitSeconds);
}

QString TWjCzy::TooSoonText() const
{
    return QStringLiteral("密码已连续输错多次，请%1秒后再试！").arg(m_retryAfter);
}

TWjCzy::CheckResult TWjCzy::CheckPassword(const QString &name, const QString &password)
{
    m_retryAfter = 0;
    TDBAction &d = db();
    TWjQuery q;
    d.SelectTable(QStringLiteral("select CZYPASSWORD,CZYFAILS,CZYFAILAT from WJ_SYS_CZY where CZYNAME=%1").arg(Q::QuotedStr(name)), q);
    if (q.IsEmpty())
        return CheckResult::UnknownOperator;
    const QString stored = q.Fields(0).AsString();
    if (stored.isEmpty())
        return CheckResult::NoPasswordSet;
    const int failures = q.Fields(1).AsInteger();
    const qint64 lastFailure = q.Fields(2).AsLargeInt();
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    const int wait = WaitAfterFailures(failures);
    // A time further ahead than the longest wait comes from a clock set wrong elsewhere.
    if (wait > 0 && lastFailure <= now + MaxWaitSeconds && lastFailure + wait > now) {
        m_retryAfter = int(lastFailure + wait - now);
        return CheckResult::TooSoon;
    }
    bool rehash = false;
    if (!password.isEmpty() && WjText::IsClean(password) && TWjEncrypt::VerifyPassword(stored, password, name, &rehash)) {
        if (failures > 0 || rehash) {
            // Only the value just checked is replaced: a password set meanwhile stays.
            const QString value = rehash ? TWjEncrypt::HashPassword(password) : stored;
            d.ExecuteSQL(QStringLiteral("update WJ_SYS_CZY set CZYPASSWORD=%1,CZYFAILS=0,CZYFAILAT=0 where CZYNAME=%2 and CZYPASSWORD=%3")
                             .arg(Q::QuotedStr(value), Q::QuotedStr(name), Q::QuotedStr(stored)));
        }
        return CheckResult::Ok;
    }
    d.ExecuteSQL(QStringLiteral("update WJ_SYS_CZY set CZYFAILS=CZYFAILS+1,CZYFAILAT=%1 where CZYNAME=%2")
                     .arg(now)
                     .arg(Q::QuotedStr(name)));
    return CheckResult::WrongPassword;
}

void TWjCzy::SetPassword(const QString &name, const QString &password)
{
    if (password.isEmpty())
        throw EWjError(QStringLiteral("密码不能为空！"));
    TDBAction::CheckText(password);
    const int n = db().ExecuteCount(QStringLiteral("update WJ_SYS_CZY set CZYPASSWORD=%1,CZYFAILS=0,CZYFAILAT=0 where CZYNAME=%2")
                                        .arg(Q::QuotedStr(TWjEncrypt::HashPassword(password)), Q::QuotedStr(name)));
    if (n != 1)
        throw EWjError(QStringLiteral("操作员“%1”不存在。").arg(name));
}

void TWjCzy::BecomeOperator(const QString &name)
{
    TWjQuery q;
    db().SelectTable(QStringLiteral("select CZYNAME,CZYLEVEL from WJ_SYS_CZY where CZYNAME=%1").arg(Q::QuotedStr(name)), q);
    if (q.IsEmpty())
        throw EWjError(QStringLiteral("操作员“%1”不存在。").arg(name));
    CzyName = q.FieldByName(QStringLiteral("CZYNAME")).AsString();
    CzyLevel = q.FieldByName(QStringLiteral("CZYLEVEL")).AsInteger();
    SysCode = ProductCode();
    SessionCaption = db().DbKind == QLatin1String("SQLSERVER") ? QStringLiteral("网络版") : QStringLiteral("单机版");
    emit OperatorChanged();
}

bool TWjCzy::loginLoop(bool first)
{
    if (!m_ui)
        throw EWjError(QStringLiteral("没有登录界面。"));
    for (;;) {
        QString name, password;
        if (!m_ui->AskCredentials(Operators(), &name, &password))
            return false;
        name = name.trimmed();
        // Text no statement may carry: asked again, nothing looked up.
        if (!WjText::IsClean(name) || !WjText::IsClean(password)) {
            Prompter().Warning(QStringLiteral("操作员名称或密码中含有无效字符（空字符或残缺的字符），请重新输入！"));
            continue;
        }
        switch (CheckPassword(name, password)) {
        case CheckResult::UnknownOperator:
            Prompter().Warning(QStringLiteral("操作员“%1”不存在，请重新输入！").arg(name));
            continue;
        case CheckResult::WrongPassword:
            Prompter().Warning(QStringLiteral("密码错误，请重新输入！"));
            continue;
        case CheckResult::TooSoon:
            Prompter().Warning(TooSoonText());
            continue;
        case CheckResult::NoPasswordSet: {
            QString np;
            if (!m_ui->AskNewPassword(name, QStringLiteral("操作员“%1”还没有密码，请先设置密码。").arg(name), &np))
                continue;
            SetPassword(name, np);
            break;
        }
        case CheckResult::Ok:
            break;
        }
        BecomeOperator(name);
        return true;
    }
}

bool TWjCzy::Login(bool first)
{
    return loginLoop(first);
}

bool TWjCzy::Login_Server(bool first)
{
    return loginLoop(first);
}

bool TWjCzy::ChangePassWord()
{
    if (!LoggedIn())
        throw EWjError(QStringLiteral("尚未登录，不能修改密码。"));
    if (!m_ui)
        throw EWjError(QStringLiteral("没有登录界面。"));
    QString old;
    if (!Prompter().Input(QStringLiteral("修改密码"), QStringLiteral("请输入原密码："), &old, true))
        return false;
    switch (CheckPassword(CzyName, old)) {
    case CheckResult::Ok:
        break;
    case CheckResult::TooSoon:
        Prompter().Warning(TooSoonText());
        return false;
    default:
        Prompter().Warning(QStringLiteral("原密码错误，密码没有修改！"));
        return false;
    }
    QString np;
    if (!m_ui->AskNewPassword(CzyName, QStringLiteral("请为操作员“%1”输入新密码。").arg(CzyName), &np))
        return false;
    SetPassword(CzyName, np);
    Prompter().Information(QStringLiteral("密码已修改。"));
    return true;
}

void TWjCzy::FreeFlashForm()
{
    if (m_ui)
        m_ui->CloseSplash();
}

quint16 TWjCzy::GetQxCz(const QString &rightCode)
{
    if (CzyLevel == 0)
        return 1;
    const QVariant v = db().SelectValue(QStringLiteral("select count(*) from WJ_SYS_CZYQX where CZYNAME=%1 and QXCODE=%2")
                                            .arg(Q::QuotedStr(CzyName), Q::QuotedStr(rightCode)), 0);
    return v.toInt() > 0 ? 1 : 0;
}

bool TWjCzy::CheckRight(const QString &rightCode)
{
    return CzyLevel == 0 || GetQxCz(rightCode) == 1;
}

void TWjCzy::GrantRight(const QString &name, const QString &rightCode, bool granted)
{
    TWjTransaction tr(db());
    db().ExecuteSQL(QStringLiteral("delete from WJ_SYS_CZYQX where CZYNAME=%1 and QXCODE=%2")
                        .arg(Q::QuotedStr(name), Q::QuotedStr(rightCode)));
    if (granted)
        db().ExecuteSQL(QStringLiteral("insert into WJ_SYS_CZYQX(CZYNAME,QXCODE) values(%1,%2)")
                            .arg(Q::QuotedStr(name), Q::QuotedStr(rightCode)));
    tr.Commit();
}

void TWjCzy::InsertLogData(const QString &text)
{
    TDBAction &d = db();
    const QString id = d.GetTbId(QStringLiteral("WJ_SYS_LOG"), QStringLiteral("LOG_ID"));
    d.ExecuteSQL(QStringLiteral("insert into WJ_SYS_LOG(LOG_ID,CZYNAME,LOGTIME,LOGTEXT,COMPUTER) values(%1,%2,%3,%4,%5)")
                     .arg(id, Q::QuotedStr(CzyName), d.DateTimeStr(QDateTime::currentDateTime()),
                          Q::QuotedStr(WjText::LeftChars(text, 200)),
                          Q::QuotedStr(WjText::LeftChars(WjText::Clean(QSysInfo::machineHostName()), 50))));
}

void TWjCzy::CheckLogRedord()
{
    // Once after start: the log shows who started the program, where and when.
    InsertLogData(QStringLiteral("登录系统"));
}

void TWjCzy::SetMyIme(QObject *window)
{
    if (!window || CzyName.isEmpty())
        return;
    const int mode = db().SelectValue(QStringLiteral("select IMEMODE from WJ_SYS_CZY where CZYNAME=%1").arg(Q::QuotedStr(CzyName)), 0).toInt();
    if (mode != 1)
        return;
    // Qt::ImhPreferLatin (0x200) on every input that takes a hint.
    const QList<QObject *> children = window->findChildren<QObject *>();
    for (QObject *o : children)
        if (o->property("inputMethodHints").isValid())
            o->setProperty("inputMethodHints", o->property("inputMethodHints").toInt() | 0x200);
}

QString TWjCzy::GetMySkinId()
{
    if (CzyName.isEmpty())
        return {};
    return db().SelectValue(QStringLiteral("select SKINID from WJ_SYS_CZY where CZYNAME=%1").arg(Q::QuotedStr(CzyName))).toString();
}

void TWjCzy::SetMySkinId(const QString &id)
{
    db().ExecuteSQL(QStringLiteral("update WJ_SYS_CZY set SKINID=%1 where CZYNAME=%2").arg(Q::QuotedStr(id), Q::QuotedStr(CzyName)));
}

void TWjCzy::RunDll(QObject *window, const QString &module, const QString &function)
{
    using ToolFn = int (*)(qintptr);
    auto fn = reinterpret_cast<ToolFn>(WjModule::Function(module, function));
    fn(reinterpret_cast<qintptr>(window));
}

QString TWjCzy::NavIniPathOfProduct() const
{
    return WjPath::Resolve(ProgramDir, QStringLiteral("sys\\SYS_") + SysCode + QStringLiteral(".ini"));
}

QString TWjCzy::StatusOperatorText(const QDateTime &t) const
{
    return QStringLiteral(" 操作员:〖") + CzyName + QStringLiteral("〗") + QStringLiteral("登录时间：")
           + t.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral("  ") + t.toString(QStringLiteral("hh:mm:ss"))
           + QLatin1Char('(') + GetCurWeek(t.date()) + QLatin1Char(')');
}

QString TWjCzy::StatusSessionText() const
{
    return QStringLiteral("〖") + SessionCaption + QStringLiteral("〗");
}

namespace {
TWjPrintService *g_printService = nullptr;
}

TWjPrintService *SetPrintService(TWjPrintService *service)
{
    TWjPrintService *old = g_printService;
    g_printService = service;
    return old;
}

void TWjCzy::RunPrnDll(QObject *window, QObject *dataSource, const QString &reportName)
{
    if (!g_printService) {
        Prompter().Warning(QStringLiteral("打印功能尚未提供（报表“%1”）。").arg(reportName));
        return;
    }
    g_printService->Print(window, dataSource, reportName);
}
