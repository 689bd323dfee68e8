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
    // True when a table or view of that name exists.
    virtual QString TableExistsSql(const QString &table) const = 0;

    static std::unique_ptr<TWjDialect> ForKind(const QString &dbKind);  // nullptr: unsupported
};
