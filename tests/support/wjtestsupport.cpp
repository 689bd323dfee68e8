#include "wjtestsupport.h"
#include "schema.h"
#include "wjencrypt.h"
#include "wjpath.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QUuid>

ScriptedPrompter::ScriptedPrompter() { m_previous = SetPrompter(this); }
ScriptedPrompter::~ScriptedPrompter() { SetPrompter(m_previous); }

namespace {
bool inTransaction() { return CurDBAction && CurDBAction->InTransaction(); }
} // namespace

bool ScriptedPrompter::Show(Kind kind, const QString &caption, const QString &text)
{
    shown.push_back({kind, caption, text, inTransaction()});
    shownInTransaction += inTransaction() ? 1 : 0;
    if (onShow)
        onShow(shown.back());
    if (kind != Kind::Question)
        return true;
    if (answers.empty())
        return defaultAnswer;
    const bool a = answers.front();
    answers.pop_front();
    return a;
}

bool ScriptedPrompter::Input(const QString &caption, const QString &label, QString *value, bool)
{
    shown.push_back({Kind::Information, caption, label, inTransaction()});
    shownInTransaction += inTransaction() ? 1 : 0;
    if (inputs.empty())
        return false;
    *value = inputs.front();
    inputs.pop_front();
    return true;
}

int ScriptedPrompter::Choose(const QString &caption, const QString &label, const QStringList &items)
{
    shown.push_back({Kind::Question, caption, label, inTransaction()});
    shownInTransaction += inTransaction() ? 1 : 0;
    offered = items;
    if (onShow)
        onShow(shown.back());
    if (choices.empty())
        return -1;
    const int c = choices.front();
    choices.pop_front();
    return c;
}

QStringList ScriptedPrompter::Texts() const
{
    QStringList r;
    for (const Shown &s : shown)
        r << s.text;
    return r;
}

bool ScriptedSessionUi::AskCredentials(const QStringList &, QString *name, QString *password)
{
    ++asked;
    if (logins.empty())
        return false;
    const Credentials c = logins.front();
    logins.pop_front();
    if (c.cancel)
        return false;
    *name = c.name;
    *password = c.password;
    return true;
}

bool ScriptedSessionUi::AskNewPassword(const QString &, const QString &, QString *password)
{
    if (newPasswords.empty())
        return false;
    *password = newPasswords.front();
    newPasswords.pop_front();
    return !password->isEmpty();
}

QString TestDbName()
{
    const QString n = qEnvironmentVariable("WJ_TEST_DB", QStringLiteral("sqlite"));
    return n == QLatin1String("postgres") ? n : QStringLiteral("sqlite");
}

bool TestDbAvailable()
{
    return TestDbName() == QLatin1String("sqlite") || !qEnvironmentVariableIsEmpty("WJ_TEST_PGPORT");
}

TWjDbConfig TestDbConfig(const QString &programDir)
{
    TWjDbConfig c;
    if (TestDbName() == QLatin1String("postgres")) {
        c.dbKind = QStringLiteral("SQLSERVER");
        c.host = qEnvironmentVariable("WJ_TEST_PGHOST", QStringLiteral("127.0.0.1"));
        c.port = qEnvironmentVariable("WJ_TEST_PGPORT", QStringLiteral("5432")).toInt();
        c.user = qEnvironmentVariable("WJ_TEST_PGUSER", QStringLiteral("postgres"));
        c.database = qEnvironmentVariable("WJ_TEST_PGDATABASE", QStringLiteral("shop_test"));
    } else {
        c.dbKind = QStringLiteral("ACCESS");
        c.file = programDir + QStringLiteral("data/test.db");
    }
    return c;
}

namespace {
void copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        const QString rel = QDir(from).relativeFilePath(f);
        QDir().mkpath(QFileInfo(to + QLatin1Char('/') + rel).absolutePath());
        QFile::copy(f, to + QLatin1Char('/') + rel);
    }
}
} // namespace

TestDatabase::TestDatabase(bool upgrade, bool demo)
{
    m_prevDb = CurDBAction;
    m_prevCzy = CurCzy;
    const QString shipped = qEnvironmentVariable("WJ_PROGRAM_DIR");
    if (!shipped.isEmpty())
        copyTree(shipped + QStringLiteral("/sys"), m_dir.path() + QStringLiteral("/sys"));
    WjPath::SetProgramDir(m_dir.path());
    m_czy = std::make_unique<TWjCzy>();
    m_db = std::make_unique<TDBAction>();
    CurCzy = m_czy.get();
    CurDBAction = m_db.get();
    m_czy->SetDb(m_db.get());
    TWjDbConfig c = TestDbConfig(programDir());
    m_db->Connect(c);
    if (TestDbName() == QLatin1String("postgres")) {
        m_schema = QStringLiteral("t_") + QUuid::createUuid().toString(QUuid::Id128).left(16);
        m_db->ExecuteSQL(QStringLiteral("create schema ") + m_schema);
        m_db->ExecuteSQL(QStringLiteral("set search_path to ") + m_schema);
    }
    if (upgrade)
        ShopSchema::Upgrade(*m_db, demo);
}

TestDatabase::~TestDatabase()
{
    if (!m_schema.isEmpty()) {
        try {
            if (m_db->InTransaction())
                m_db->RollbackTrans();
            m_db->ExecuteSQL(QStringLiteral("set search_path to public"));
            m_db->ExecuteSQL(QStringLiteral("drop schema %1 cascade").arg(m_schema));
        } catch (...) {
        }
    }
    m_db.reset();
    m_czy.reset();
    CurDBAction = m_prevDb;
    CurCzy = m_prevCzy;
    WjPath::SetProgramDir(QString());
}

std::unique_ptr<TDBAction> TestDatabase::OpenSecond(int waitMs)
{
    auto second = std::make_unique<TDBAction>();
    TWjDbConfig c = TestDbConfig(programDir());
    c.busyTimeoutMs = waitMs;
    second->Connect(c);
    if (!m_schema.isEmpty()) {
        second->ExecuteSQL(QStringLiteral("set search_path to ") + m_schema);
        second->ExecuteSQL(QStringLiteral("set lock_timeout = %1").arg(waitMs));
    }
    return second;
}

void TestDatabase::LoginAdmin()
{
    // The password "admin", hashed once per test program (a hash takes a good part of a second).
    static const QString stored = TWjEncrypt::HashPassword(QStringLiteral("admin"));
    m_db->ExecuteSQL(QStringLiteral("update WJ_SYS_CZY set CZYPASSWORD=%1 where CZYNAME='系统管理员'").arg(TDBAction::QuotedStr(stored)));
    m_czy->BecomeOperator(QStringLiteral("系统管理员"));
}
