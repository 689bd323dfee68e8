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
    // SQLite reads a numeric literal as a double, exact to 15 digits; a longer one goes
    // in as text, which a money column (decimal_text) keeps digit for digit.
    QString NumberLiteral(const QString &decimal) const override
    {
        int digits = 0;
        bool leading = true;
        for (const QChar c : decimal) {
            if (!c.isDigit())
                continue;
            if (leading && c == QLatin1Char('0'))
                continue;
            leading = false;
            ++digits;
        }
        return digits > 15 ? TDBAction::QuotedStr(decimal) : decimal;
    }
    QString TableExistsSql(const QString &table) const override
    {
        return QStringLiteral("select count(*) from sqlite_master where type in ('table','view') and lower(name)=lower(%1)")
            .arg(TDBAction::QuotedStr(table));
    }
    QString IndexExistsSql(const QString &index) const override
    {
        return QStringLiteral("select count(*) from sqlite_master where type='index' and lower(name)=lower(%1)")
            .arg(TDBAction::QuotedStr(index));
    }
    bool IsUniqueViolation(const QString &code, const QString &text) const override
    {
        // SQLITE_CONSTRAINT_UNIQUE / _PRIMARYKEY; the plain SQLITE_CONSTRAINT carries its kind in the text.
        return code == QLatin1String("2067") || code == QLatin1String("1555")
               || text.contains(QLatin1String("UNIQUE constraint failed"), Qt::CaseInsensitive);
    }

protected:
    QString FoldAsciiCase(const QString &column) const override { return column; }
    // SQLite's like ignores the case of A-Z only (ICU is not loaded).
    bool LikeFoldsAsciiCase() const override { return true; }
};

class PostgresDialect : public TWjDialect
{
public:
    QString Name() const override { return QStringLiteral("postgres"); }
    QString QtDriver() const override { return QStringLiteral("QPSQL"); }
    QString Greatest(const QString &a, const QString &b) const override
    { return QStringLiteral("greatest(%1,%2)").arg(a, b); }
    QString ForUpdate() const override { return QStringLiteral(" for update"); }
    QString LockTableSql(const QString &table) const override
    {
        return QStringLiteral("lock table %1 in share row exclusive mode").arg(table);
    }
    QString TableExistsSql(const QString &table) const override
    {
        return QStringLiteral("select count(*) from information_schema.tables where table_schema=current_schema() "
                              "and lower(table_name)=lower(%1)").arg(TDBAction::QuotedStr(table));
    }
    QString IndexExistsSql(const QString &index) const override
    {
        return QStringLiteral("select count(*) from pg_indexes where schemaname=current_schema() and lower(indexname)=lower(%1)")
            .arg(TDBAction::QuotedStr(index));
    }
    bool IsUniqueViolation(const QString &code, const QString &) const override
    {
        return code == QLatin1String("23505");
    }

protected:
    // lower() would follow the server's locale; translate folds exactly A-Z.
    QString FoldAsciiCase(const QString &column) const override
    {
        return QStringLiteral("translate(%1,'ABCDEFGHIJKLMNOPQRSTUVWXYZ','abcdefghijklmnopqrstuvwxyz')").arg(column);
    }
    bool LikeFoldsAsciiCase() const override { return false; }
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

QString TWjDialect::LikeCondition(const QString &column, const QString &value, bool contains) const
{
    QString pattern;
    pattern.reserve(value.size() + 4);
    for (const QChar c : value) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            pattern += QLatin1Char('\\');
        // A-Z as a-z; other letters (Greek, full-width...) are left as typed.
        pattern += (!LikeFoldsAsciiCase() && c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ? QChar(c.unicode() + 32) : c;
    }
    if (contains)
        pattern.prepend(QLatin1Char('%'));
    pattern += QLatin1Char('%');
    return QStringLiteral("%1 like %2 escape '\\'").arg(FoldAsciiCase(column), TDBAction::QuotedStr(pattern));
}

std::unique_ptr<TWjDialect> TWjDialect::ForKind(const QString &dbKind)
{
    if (dbKind == QLatin1String("ACCESS"))
        return std::make_unique<SqliteDialect>();
    if (dbKind == QLatin1String("SQLSERVER"))
        return std::make_unique<PostgresDialect>();
    return nullptr;
}
