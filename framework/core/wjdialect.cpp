#include "wjdialect.h"
#include "wjdbaction.h"

namespace {
class SqliteDialect : public TWjDialect
{
public:
    QString Name() const override { return QStringLiteral("sqlite"); }
    QString QtDriver() const override { return QStringLiteral("QSQLITE"); }
    // Take the write lock at once, so two programs on one file never deadlock on upgrade.
    QString BeginSql() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    QString Greatest(const QString &a, const QString &b) const override
    { return QStringLiteral("max(%1,%2)").arg(a, b); }
    QString TableExistsSql(const QString &table) const override
    {
        return QStringLiteral("select count(*) from sqlite_master where type in ('table','view') and lower(name)=lower(%1)")
            .arg(TDBAction::QuotedStr(table));
    }
};

class PostgresDialect : public TWjDialect
{
public:
    QString Name() const override { return QStringLiteral("postgres"); }
    QString QtDriver() const override { return QStringLiteral("QPSQL"); }
    QString Greatest(const QString &a, const QString &b) const override
    { return QStringLiteral("greatest(%1,%2)").arg(a, b); }
    QString ForUpdate() const override { return QStringLiteral(" for update"); }
    QString TableExistsSql(const QString &table) const override
    {
        return QStringLiteral("select count(*) from information_schema.tables where table_schema=current_schema() "
                              "and lower(table_name)=lower(%1)").arg(TDBAction::QuotedStr(table));
    }
};
} // namespace

QString TWjDialect::DateLiteral(const QDate &d) const
{
    return TDBAction::QuotedStr(d.toString(QStringLiteral("yyyy-MM-dd")));
}

QString TWjDialect::DateTimeLiteral(const QDateTime &dt) const
{
    return TDBAction::QuotedStr(dt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
}

std::unique_ptr<TWjDialect> TWjDialect::ForKind(const QString &dbKind)
{
    if (dbKind == QLatin1String("ACCESS"))
        return std::make_unique<SqliteDialect>();
    if (dbKind == QLatin1String("SQLSERVER"))
        return std::make_unique<PostgresDialect>();
    return nullptr;
}
