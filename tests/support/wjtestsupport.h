// Test support: a scripted prompter that answers questions and records every text
// shown, a fresh database per test on either dialect, and a program folder in a
// temporary directory with a copy of the shipped sys/ folder.
//
// The database kind comes from WJ_TEST_DB: "sqlite" (default) or "postgres"; for
// postgres, WJ_TEST_PGHOST/PGPORT/PGUSER/PGDATABASE name the test server (the test
// command starts a private one). Each postgres fixture works in a schema of its own.
#pragma once
#include "wjczy.h"
#include "wjdbaction.h"
#include "wjprompter.h"

#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>

class ScriptedPrompter : public TWjPrompter
{
public:
    ScriptedPrompter();   // installs itself
    ~ScriptedPrompter() override;  // restores the previous prompter

    // inTransaction: shown while the data access service had a transaction open.
    struct Shown { Kind kind; QString caption; QString text; bool inTransaction = false; };
    std::vector<Shown> shown;
    // Messages and questions shown inside a transaction, ever (Clear keeps it).
    int shownInTransaction = 0;
    std::deque<bool> answers;     // answers to questions, in order
    bool defaultAnswer = false;   // when `answers` is empty
    std::deque<QString> inputs;   // answers to Input(); empty means cancel
    std::deque<int> choices;      // answers to Choose(); empty means cancel
    QStringList offered;          // the items of the last Choose()
    // Runs while a box would be up (before it is answered): what another workstation
    // does meanwhile.
    std::function<void(const Shown &)> onShow;

    bool Show(Kind kind, const QString &caption, const QString &text) override;
    bool Input(const QString &caption, const QString &label, QString *value, bool password) override;
    int Choose(const QString &caption, const QString &label, const QStringList &items) override;
    QStringList Texts() const;
    QString Last() const { return shown.empty() ? QString() : shown.back().text; }
    void Clear() { shown.clear(); }

private:
    TWjPrompter *m_previous;
};

// A session UI that logs in as scripted: each AskCredentials takes the next entry.
class ScriptedSessionUi : public TWjSessionUi
{
public:
    struct Credentials { QString name, password; bool cancel = false; };
    std::deque<Credentials> logins;
    std::deque<QString> newPasswords;  // empty string: cancel
    int asked = 0;
    bool AskCredentials(const QStringList &, QString *name, QString *password) override;
    bool AskNewPassword(const QString &, const QString &, QString *password) override;
};

// Database kind under test.
QString TestDbName();          // "sqlite" or "postgres"
bool TestDbAvailable();        // false when postgres is asked for but not configured
TWjDbConfig TestDbConfig(const QString &programDir);

// A fresh program folder and database; sets CurDBAction and CurCzy for the test.
class TestDatabase
{
public:
    // `upgrade`: apply the schema (without demo data unless `demo`).
    explicit TestDatabase(bool upgrade = true, bool demo = false);
    ~TestDatabase();
    TDBAction &db() { return *m_db; }
    TWjCzy &czy() { return *m_czy; }
    QString programDir() const { return m_dir.path() + QLatin1Char('/'); }
    // A second connection to the same database (another workstation). `waitMs`: how
    // long its statements wait for a lock held by this one before they fail.
    std::unique_ptr<TDBAction> OpenSecond(int waitMs = 10000);
    // Logs in as the first operator (level 0), setting its password to "admin".
    void LoginAdmin();

private:
    QTemporaryDir m_dir;
    QString m_schema;  // postgres: the schema of this fixture
    std::unique_ptr<TDBAction> m_db;
    std::unique_ptr<TWjCzy> m_czy;
    TDBAction *m_prevDb;
    TWjCzy *m_prevCzy;
};

// Skips the current test when its database is not available.
// The test command sets WJ_TEST_PG_REQUIRED=1, so a server that failed to start fails
// the run instead of skipping it.
#define WJ_REQUIRE_DB() \
    do { \
        if (!TestDbAvailable()) { \
            if (qEnvironmentVariableIntValue("WJ_TEST_PG_REQUIRED") == 1) \
                QFAIL("PostgreSQL test server required but not configured"); \
            QSKIP("PostgreSQL test server not configured"); \
        } \
    } while (0)
