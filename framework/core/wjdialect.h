// TWjDialect: everything that differs between the supported databases, in one place.
// ACCESS (the embedded kind) runs on SQLite; SQLSERVER (the server kind) on PostgreSQL.
// Another server is one more subclass here.
#pragma once
#include "wjglobal.h"
#include <QDate>
#include <QString>
#include <memory>

class WJCORE_EXPORT TWjDialect
{
public:
    virtual ~TWjDialect() = default;
    virtual QString Name() const = 0;          // "sqlite", "postgres": the schema folder
    virtual QString QtDriver() const = 0;      // "QSQLITE", "QPSQL"
    virtual QString BeginSql() const { return QStringLiteral("BEGIN"); }
    // Literal for a date or a date with time, quoted, in ISO form.
    virtual QString DateLiteral(const QDate &d) const;
    virtual QString DateTimeLiteral(const QDateTime &dt) const;
    // SQL of the larger of two values.
    virtual QString Greatest(const QString &a, const QString &b) const = 0;
    // Appended to a select inside a transaction: locks the rows read until it ends, so
    // a read-modify-write cannot interleave with another connection's (empty where the
    // transaction already holds the database's write lock).
    virtual QString ForUpdate() const { return QString(); }
    // Run first inside a transaction that checks a table and then writes it: keeps other
    // connections from writing the table until the transaction ends (empty where the
    // transaction already holds the database's write lock).
    virtual QString LockTableSql(const QString &table) const { Q_UNUSED(table); return QString(); }
    // The literal of a plain decimal number (as WjSql::CheckNumber gives it) that stores
    // every digit of it in a money column.
    virtual QString NumberLiteral(const QString &decimal) const { return decimal; }
    // True when a table or view of that name exists.
    virtual QString TableExistsSql(const QString &table) const = 0;
    // True when an index of that name exists.
    virtual QString IndexExistsSql(const QString &index) const = 0;

    // A pattern match of a text column against a value the user typed: the value is
    // literal (%, _ and the escape character match themselves), letters A-Z match
    // either case, every other character only itself. `contains` finds the value
    // anywhere, otherwise at the start. The same rows on every database.
    QString LikeCondition(const QString &column, const QString &value, bool contains) const;
    // True when the error the database gave is a unique-key violation.
    virtual bool IsUniqueViolation(const QString &code, const QString &driverText) const = 0;

    static std::unique_ptr<TWjDialect> ForKind(const QString &dbKind);  // nullptr: unsupported

protected:
    // `column` with A-Z folded to a-z (and nothing else changed).
    virtual QString FoldAsciiCase(const QString &column) const = 0;
    // True when the database's "like" already ignores the case of A-Z, and only that.
    virtual bool LikeFoldsAsciiCase() const = 0;
};
