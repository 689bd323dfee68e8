// TWjCzy: the operator session. One instance, CurCzy, per process (created first at
// start, before CurDBAction), shared by programs, packages and modules.
//
// Login asks for the operator through the session's UI (TWjSessionUi, installed by the
// GUI library; tests install a scripted one), checks the password against
// WJ_SYS_CZY.CZYPASSWORD (TWjEncrypt), and on an operator without a password has one
// set first (typed twice). Rights: level 0 holds every right; others hold the codes
// listed for them in WJ_SYS_CZYQX.
//
// Wrong passwords in a row are counted per operator in the database (CZYFAILS, with the
// time of the last one in CZYFAILAT), so neither a restart nor another workstation
// starts the count afresh. From the fifth wrong try on, the next check of that
// operator's password waits: 5 s after the fifth, doubling with each further wrong try,
// at most 300 s; a check asked for earlier is refused unseen (TooSoon). A right
// password or a new one clears the count.
#pragma once
#include "wjglobal.h"
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

class TDBAction;

// What the session needs from a user interface.
class WJCORE_EXPORT TWjSessionUi
{
public:
    virtual ~TWjSessionUi() = default;
    // Operator name and password; false when the user cancels. `operators` lists the
    // names to offer, `message` is a line to show (empty the first time).
    virtual bool AskCredentials(const QStringList &operators, QString *name, QString *password) = 0;
    // A new password, typed twice and equal; false when cancelled.
    virtual bool AskNewPassword(const QString &name, const QString &reason, QString *password) = 0;
    virtual void CloseSplash() {}
};

// The printing behind RunPrnDll: report layouts, preview, printers and PDF. The visual
// library installs it (framework/gui/wjprint.h); without one RunPrnDll says printing
// is not available.
class WJCORE_EXPORT TWjPrintService
{
public:
    virtual ~TWjPrintService() = default;
    virtual void Print(QObject *window, QObject *dataSource, const QString &reportName) = 0;
};
// Installs `service` (not owned) and returns the previous one; nullptr removes it.
WJCORE_EXPORT TWjPrintService *SetPrintService(TWjPrintService *service);

class WJCORE_EXPORT TWjCzy : public QObject
{
    Q_OBJECT
public:
    enum class CheckResult { Ok, UnknownOperator, WrongPassword, NoPasswordSet, TooSoon };

    // The wait, in seconds, before the next check after `failures` wrong tries in a row.
    static constexpr int FreeTries = 5;
    static constexpr int MaxWaitSeconds = 300;
    static int WaitAfterFailures(int failures);

    explicit TWjCzy(QObject *parent = nullptr);

    QString ProgramDir;      // ends in '/'
    QString SysCode;         // product code, set by the login
    QString CzyName;
    int CzyLevel = -1;
    QString SessionCaption;
    QString NavIniPath;

    void SetDb(TDBAction *db) { m_db = db; }
    void SetUi(TWjSessionUi *ui) { m_ui = ui; }
    TWjSessionUi *Ui() const { return m_ui; }

    // true when an operator is logged in. At operator change (first = false) a cancel
    // keeps the operator who was logged in.
    bool Login(bool first);
    bool Login_Server(bool first);
    bool LoggedIn() const { return !CzyName.isEmpty(); }
    void FreeFlashForm();

    // "修改密码": asks the logged-in operator's current password, then the new one
    // (typed twice). False when cancelled or refused, with its message.
    bool ChangePassWord();

    // The steps of a login, for the dialogs and the lock window. CheckPassword counts a
    // wrong password, clears the count on a right one, and stores a password of the
    // earlier scheme anew in the current one.
    CheckResult CheckPassword(const QString &name, const QString &password);
    // After TooSoon: the seconds still to wait, and the sentence that says so.
    int RetryAfterSeconds() const { return m_retryAfter; }
    QString TooSoonText() const;
    // The one way a password is stored (login, "修改密码", operator management): hashed
    // with a fresh salt; clears the wrong-try count.
    void SetPassword(const QString &name, const QString &password);
    void BecomeOperator(const QString &name);
    QStringList Operators();

    quint16 GetQxCz(const QString &rightCode);
    bool CheckRight(const QString &rightCode);
    void GrantRight(const QString &name, const QString &rightCode, bool granted);

    void InsertLogData(const QString &text);
    void CheckLogRedord();

    // Input-method hint of the operator (WJ_SYS_CZY.IMEMODE, 1: prefer Latin input) on
    // every input of the window.
    void SetMyIme(QObject *window);
    QString GetMySkinId();
    void SetMySkinId(const QString &id);

    // Runs function `function` of tool module `module` with the window's handle.
    void RunDll(QObject *window, const QString &module, const QString &function);
    // Prints the data source (a TWjQuery) with the report layout of that name, through
    // the installed print service.
    void RunPrnDll(QObject *window, QObject *dataSource, const QString &reportName);

    static QString ProductCode() { return QStringLiteral("WJQX"); }

    // ProgramDir + "sys\SYS_" + SysCode + ".ini", resolved to a real path.
    QString NavIniPathOfProduct() const;
    // The status bar's operator and session lines of both programs.
    QString StatusOperatorText(const QDateTime &loginTime) const;
    QString StatusSessionText() const;

signals:
    void OperatorChanged();

private:
    TDBAction &db() const;
    bool loginLoop(bool first);

    TDBAction *m_db = nullptr;
    TWjSessionUi *m_ui = nullptr;
    int m_retryAfter = 0;
};

WJCORE_EXPORT extern TWjCzy *CurCzy;
