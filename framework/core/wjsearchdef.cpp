#include "wjsearchdef.h"
#include "wjdbaction.h"
#include "wjerror.h"
#include "wjinifile.h"
#include "wjpath.h"

QStringList TWjSearchDef::Items(const QString &fileName)
{
    const TIniFile ini(WjPath::Prog(fileName));
    QStringList r;
    for (const auto &kv : ini.ReadSectionValues(QStringLiteral("数据库定义")))
        if (!kv.second.trimmed().isEmpty())
            r << kv.second.trimmed();
    return r;
}

bool TWjSearchDef::Load(const QString &item, const QString &fileName)
{
    const TIniFile ini(WjPath::Prog(fileName));
    if (!ini.SectionExists(item))
        return false;
    Item = item;
    Sql = ini.ReadString(item, QStringLiteral("SQL"));
    Where = ini.ReadString(item, QStringLiteral("Where"));
    OrderBy = ini.ReadString(item, QStringLiteral("OrderBy"));
    Fields.clear();
    for (const auto &kv : ini.ReadSectionValues(item)) {
        if (!kv.first.startsWith(QLatin1String("Field"), Qt::CaseInsensitive))
            continue;
        const QStringList p = kv.second.split(QLatin1Char(','));
        TWjSearchField f;
        f.column = p.value(0).trimmed();
        f.caption = p.value(1, f.column).trimmed();
        const QString k = p.value(2, QStringLiteral("T")).trimmed().toUpper();
        f.kind = k == QLatin1String("N") ? TWjSearchField::Number : k == QLatin1String("D") ? TWjSearchField::Date : TWjSearchField::Text;
        if (!f.column.isEmpty())
            Fields << f;
    }
    return !Sql.isEmpty();
}

QStringList TWjSearchDef::Operators(TWjSearchField::Kind kind)
{
    switch (kind) {
    case TWjSearchField::Text:
        return {QStringLiteral("="), QStringLiteral("包含"), QStringLiteral("开头是"), QStringLiteral("<>")};
    case TWjSearchField::Number:
        return {QStringLiteral("="), QStringLiteral(">"), QStringLiteral(">="), QStringLiteral("<"), QStringLiteral("<="), QStringLiteral("<>")};
    case TWjSearchField::Date:
        return {QStringLiteral("至")};
    }
    return {};
}

QString TWjSearchDef::condition(const TWjSearchCondition &c, const TDBAction &db) const
{
    if (c.field < 0 || c.field >= Fields.size())
        return {};
    const TWjSearchField &f = Fields[c.field];
    // The column comes from the file; it may be qualified ("h.In_Date") but is never user text.
    const QString col = f.column;
    switch (f.kind) {
    case TWjSearchField::Date: {
        QStringList parts;
        if (c.from.isValid())
            parts << col + QStringLiteral(">=") + db.DateStr(c.from);
        if (c.to.isValid())  // the whole last day, whether the column holds a time or not
            parts << col + QStringLiteral("<") + db.DateStr(c.to.addDays(1));
        return parts.join(QStringLiteral(" and "));
    }
    case TWjSearchField::Number: {
        if (c.value.trimmed().isEmpty())
            return {};
        const QString op = Operators(TWjSearchField::Number).contains(c.op) ? c.op : QStringLiteral("=");
        return col + op + WjSql::CheckNumber(c.value, f.caption);
    }
    case TWjSearchField::Text: {
        if (c.value.isEmpty())
            return {};
        if (c.op == QLatin1String("<>"))
            return col + QStringLiteral("<>") + TDBAction::QuotedStr(c.value);
        // The value is literal (no wildcards of its own); A-Z match either case.
        if (c.op == QStringLiteral("开头是"))
            return db.Dialect().LikeCondition(col, c.value, false);
        if (c.op == QStringLiteral("包含") || c.fuzzy)
            return db.Dialect().LikeCondition(col, c.value, true);
        return col + QLatin1Char('=') + TDBAction::QuotedStr(c.value);
    }
    }
    return {};
}

QString TWjSearchDef::BuildSql(const QList<TWjSearchCondition> &cs, const TDBAction &db) const
{
    QStringList parts;
    if (!Where.trimmed().isEmpty())
        parts << QLatin1Char('(') + Where + QLatin1Char(')');
    for (const TWjSearchCondition &c : cs) {
        const QString p = condition(c, db);
        if (!p.isEmpty())
            parts << QLatin1Char('(') + p + QLatin1Char(')');
    }
    QString sql = Sql;
    if (!parts.isEmpty())
        sql += (Sql.contains(QLatin1String(" where "), Qt::CaseInsensitive) ? QStringLiteral(" and ") : QStringLiteral(" where "))
               + parts.join(QStringLiteral(" and "));
    if (!OrderBy.trimmed().isEmpty())
        sql += QStringLiteral(" order by ") + OrderBy;
    return sql;
}

QString TWjSearchDef::BuildSql(const TWjSearchCondition &c, const TDBAction &db) const
{
    return BuildSql(QList<TWjSearchCondition>{c}, db);
}
