// TDBAction: the data access service. One instance, CurDBAction, per process, shared by
// the programs, packages and modules (they link this library; nobody opens a second
// connection of their own).
//
// Callers build SQL text. Every text value goes through QuotedStr, dates through
// DateStr; numbers typed by users are validated (WjSql::CheckNumber) before they are
// concatenated. A failing statement raises EWjDbError with the statement and the
// driver's message. Statements that must stand or fall together run inside a
// TWjTransaction, which rolls back unless committed.
//
// No statement and no bound value holding a NUL or a lone surrogate is ever run (the
// SQLite driver would cut the statement or swallow the quote after it): every way a
// statement reaches the database passes one check that refuses it with a clear
// message (EWjError) before anything runs; QuotedStr refuses such text as well.
#pragma once
#include "wjdataset.h"
#include "wjdialect.h"
#include "wjglobal.h"

#include <QObject>
#include <QSet>
#include <QSqlDatabase>
#include <functional>
#include <vector>
#include <memory>
#include <unordered_map>

// Connection settings, read from "SYS\WjOptions.ini" section [DB].
struct WJCORE_EXPORT TWjDbConfig
{
    QString dbKind;        // "ACCESS" or "SQLSERVER"
    QString file;          // embedded: database file, absolute
    QString host, database, user, password;
    int port = 5432;
    bool demoData = false; // a new embedded database gets the demo data set
    int busyTimeoutMs = 10000;  // embedded: how long to wait for another program's lock
    // Embedded: a file that already holds tables but not this one belongs to another
    // program; it is refused and left exactly as it was. Empty: no such check.
    QString markerTable = QStringLiteral("WJ_SYS_VERSION");

    // Reads [DB] of the options file under `programDir` for the given kind.
    static TWjDbConfig FromOptions(const QString &programDir, const QString &dbKind);
};

// Anything that can describe one insert or update statement (the input checker and
// statement builder of the editing windows).
class WJCORE_EXPORT TWjStatementSource
{
public:
    virtual ~TWjStatementSource() = default;
    virtual QString BuildSQL() const = 0;
};

class WJCORE_EXPORT TDBAction : public QObject
{
    Q_OBJECT
public:
    explicit TDBAction(QObject *parent = nullptr);
    ~TDBAction() override;

    // Written once by the start-up, before the login.
    QString DbKind;

    // Opens the connection for config.dbKind (it becomes DbKind). Raises EWjError with
    // a clear text when the kind has no driver here or the database cannot be reached;
    // for the embedded file also when it is read-only, damaged or not a database, locked
    // by another program, or another program's database (see markerTable).
    void Connect(const TWjDbConfig &config);
    void Disconnect();
    bool Connected() const;
    bool IsNewDatabase() const { return m_newDatabase; }  // the embedded file was just created
    const TWjDialect &Dialect() const;
    QSqlDatabase Database() const;

    // The query is bound to the database, given the text and opened.
    void SelectTable(const QString &sql, TWjQuery &query);
    // SerQuery holds the open result until the next call.
    void GetSerData(const QString &sql);
    TWjQuery *SerQuery() const { return m_serQuery; }
    void ExecuteSQL(const QString &sql);
    void ExecuteSQL(const QString &sql, bool flag);
    void ExecuteSQL(const TWjStatementSource &control, bool flag);
    // Runs a statement and returns the number of rows it changed.
    int ExecuteCount(const QString &sql);
    // Runs `sql` with its '?' placeholders bound to `values` and returns the number of
    // rows it changed. The statement is prepared once per text and kept for the
    // connection: the way to run one statement many times (bulk writes in a transaction).
    int ExecuteBound(const QString &sql, const QVariantList &values);
    // First column of the first row, or `def` when there is no row.
    QVariant SelectValue(const QString &sql, const QVariant &def = QVariant());

    // A new key for `table`.`idColumn`, as decimal text. Never the same twice, across
    // connections too: drawn by one atomic update of the key table, and always beyond
    // the largest key stored in the table.
    QString GetTbId(const QString &table, const QString &idColumn);
    // The first of `count` consecutive new keys, drawn in the same one atomic update.
    qint64 GetTbIdBlock(const QString &table, const QString &idColumn, int count);
    bool CheckTbHaveData(const QString &table, const QString &column, const QString &value);
    // The column's values for the rows the tail clause picks, in result order.
    QStringList GetDbFileValueToItems(const QString &table, const QString &column, const QString &tail);
    bool TableExists(const QString &table);

    // Binding of framework datasets.
    void Bind(TWjQuery &query) { query.SetConnection(this); }

    // Transactions nest: only the outermost Commit commits; a rollback anywhere rolls
    // the whole transaction back.
    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction() const { return m_transDepth > 0; }
    // Runs `action` once the outermost transaction has committed (at once when none is
    // open); a rollback drops it. For in-memory state that must follow what was stored.
    void OnCommit(std::function<void()> action);
    // Runs `action` once no transaction is open any more, committed or rolled back (at
    // once when none is open). The prompter holds back messages this way.
    void AfterTransaction(std::function<void()> action);

    // Quoting and literals.
    // 'text' with single quotes doubled; raises EWjError for text with a NUL or a lone
    // surrogate.
    static QString QuotedStr(const QString &text);
    // Raises EWjError (WjText::InvalidTextMessage) when `text` is not clean text.
    static void CheckText(QStringView text);
    QString DateStr(const QDate &d) const { return Dialect().DateLiteral(d); }
    QString DateTimeStr(const QDateTime &dt) const { return Dialect().DateTimeLiteral(dt); }

    // Tests: called with every statement before it runs; returning false makes the
    // statement fail as the database would.
    void SetStatementFilter(std::function<bool(const QString &)> filter) { m_filter = std::move(filter); }

    // Runs `sql` into a QSqlQuery positioned before the first row (used by TWjQuery).
    void RunQuery(const QString &sql, class QSqlQuery &q);
    // True when `e` is this database's unique-key violation.
    bool IsUniqueViolation(const class EWjDbError &e) const;

private:
    void connectEmbedded(const TWjDbConfig &config);
    // The error of a failed statement; problems of the embedded file itself (locked,
    // read-only, damaged) in a sentence for the user.
    class EWjDbError failure(const class QSqlError &error, const QString &sql) const;
    void transactionEnded();
    std::vector<std::function<void()>> m_afterTransaction;
    friend class TWjQuery;
    void checkConnected(const QString &sql) const;
    QSet<TWjQuery *> m_lazy;  // datasets with rows still to read on this connection

    QString m_connName;
    std::unique_ptr<TWjDialect> m_dialect;
    TWjQuery *m_serQuery = nullptr;
    int m_transDepth = 0;
    std::vector<std::function<void()>> m_onCommit;
    bool m_rollbackOnly = false;
    bool m_newDatabase = false;
    std::function<bool(const QString &)> m_filter;
    std::unordered_map<QString, std::unique_ptr<class QSqlQuery>> m_prepared;
};

// The process's one data access service (created by the program at start).
WJCORE_EXPORT extern TDBAction *CurDBAction;

// Scope guard: begins a transaction, rolls it back when the scope is left without
// Commit() (an error unwinding, an early return).
class WJCORE_EXPORT TWjTransaction
{
public:
    explicit TWjTransaction(TDBAction &db);
    ~TWjTransaction();
    void Commit();
    TWjTransaction(const TWjTransaction &) = delete;
    TWjTransaction &operator=(const TWjTransaction &) = delete;

private:
    TDBAction &m_db;
    bool m_done = false;
};

namespace WjSql {
// Validates a number a user typed before it is concatenated into SQL: plain decimal
// text only (an optional sign, digits, an optional point and decimals; no exponent, no
// inf or nan), blank is 0. CheckNumber takes what a numeric(18,4) column holds (money:
// at most 14 digits before the point and 4 after), CheckInteger a 32-bit integer
// column. Anything else raises EWjError naming `caption`. Returns the normalised text.
WJCORE_EXPORT QString CheckNumber(const QString &text, const QString &caption = QString(), int intDigits = 14,
                                  int fracDigits = 4);
WJCORE_EXPORT QString CheckInteger(const QString &text, const QString &caption = QString());
// Checks that a name used as table or column name is a plain identifier.
WJCORE_EXPORT QString Ident(const QString &name);
} // namespace WjSql
