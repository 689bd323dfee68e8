#include "bxlogic.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjlike.h"

namespace BxLogic {

TBxTotals CalcTotals(Currency jzbf, Currency ratePercent)
{
    // Both operands carry four decimals and the rate is in per cent: the exact product
    // is in units of 1/(10000 · 10000 · 100) yuan; it is rounded once, to the fen.
    const __int128 product = __int128(jzbf.Raw()) * ratePercent.Raw();
    const __int128 perFen = __int128(Currency::Scale) * 100 * 100;
    __int128 fen = product / perFen;
    const __int128 r = product % perFen;
    if ((r < 0 ? -r : r) * 2 >= perFen)
        fen += product < 0 ? -1 : 1;
    TBxTotals t;
    t.Jzbf = jzbf;
    t.YhJe = Currency::FromRaw(std::int64_t(fen * (Currency::Scale / 100)));
    t.BxfHj = jzbf - t.YhJe;
    return t;
}

bool CalcTotals(const QString &jzbf, const QString &ratePercent, TBxTotals *out)
{
    Currency base, rate;
    if (!Currency::TryParse(jzbf.trimmed().isEmpty() ? QStringLiteral("0") : jzbf, &base)
        || !Currency::TryParse(ratePercent.trimmed().isEmpty() ? QStringLiteral("0") : ratePercent, &rate))
        return false;
    if (rate < Currency() || rate > Currency::FromInt(100))
        return false;
    *out = CalcTotals(base, rate);
    return true;
}

Currency SumPremiums(const TWjQuery &lines)
{
    Currency sum;
    const int col = lines.FieldIndex(QStringLiteral("Bxf"));
    if (col < 0)
        return sum;
    const int n = lines.RecordCount();
    for (int r = 0; r < n; ++r)
        sum += Currency::FromVariant(lines.Value(r, col));
    return sum;
}

QString NormalizePlate(const QString &typed)
{
    QString s = typed.trimmed();
    for (QChar &c : s)
        if (c.unicode() < 128)
            c = c.toUpper();
    return s;
}

QString CarLookupSql(const QString &typed)
{
    const QString plate = NormalizePlate(typed);
    QString sql = QStringLiteral("select * from Jb_CarData");
    if (!plate.isEmpty())
        sql += QStringLiteral(" where RegiCode like ") + WjSql::LikeEscaped(plate, WjSql::LikeMatch::Prefix);
    return sql + QStringLiteral(" order by RegiCode");
}

bool PlateTaken(TDBAction &db, const QString &plate, const QString &exceptKey)
{
    const QString key = exceptKey.trimmed().isEmpty() ? QStringLiteral("0") : WjSql::CheckInteger(exceptKey);
    TWjQuery q;
    db.SelectTable(QStringLiteral("select Wx_CarData_Id from Jb_CarData where RegiCode=%1 and Wx_CarData_Id<>%2")
                       .arg(TDBAction::QuotedStr(NormalizePlate(plate)), key),
                   q);
    return !q.IsEmpty();
}

QString SaveItem(TDBAction &db, TBxItem &item)
{
    const QString name = item.BxType.trimmed();
    if (name.isEmpty())
        return QStringLiteral("承保险别不能为空！");
    const bool add = item.BxSetupId.trimmed().isEmpty() || item.BxSetupId.trimmed() == QLatin1String("0");
    const QString own = add ? QStringLiteral("0") : WjSql::CheckInteger(item.BxSetupId.trimmed());
    TWjTransaction tr(db);
    TWjQuery other;
    db.SelectTable(QStringLiteral("select BxSetupId from tBxSetup where trim(BxType)=%1 and BxSetupId<>%2")
                       .arg(TDBAction::QuotedStr(name), own),
                   other);
    if (!other.IsEmpty())
        return ItemExists();
    const QString values = QStringLiteral("BxType=%1,BxJe=%2,Bxf=%3")
                               .arg(TDBAction::QuotedStr(name), item.BxJe.ToString(), item.Bxf.ToString());
    QString key = own;
    if (add) {
        key = db.GetTbId(QStringLiteral("tBxSetup"), QStringLiteral("BxSetupId"));
        db.ExecuteSQL(QStringLiteral("insert into tBxSetup(BxSetupId,BxType,BxJe,Bxf) values(%1,%2,%3,%4)")
                          .arg(key, TDBAction::QuotedStr(name), item.BxJe.ToString(), item.Bxf.ToString()));
    } else {
        if (db.ExecuteCount(QStringLiteral("update tBxSetup set %1 where BxSetupId=%2").arg(values, key)) == 0)
            return ItemGone();
    }
    tr.Commit();
    item.BxSetupId = key;
    item.BxType = name;
    return {};
}

void DeleteItem(TDBAction &db, const QString &itemId)
{
    db.ExecuteSQL(QStringLiteral("delete from tBxSetup where BxSetupId=") + WjSql::CheckInteger(itemId));
}

bool DeletePolicy(TDBAction &db, const QString &policyId)
{
    const QString id = WjSql::CheckInteger(policyId);
    TWjTransaction tr(db);
    if (db.ExecuteCount(QStringLiteral("delete from tBxMain where BxMain_Id=") + id) == 0)
        return false;
    db.ExecuteSQL(QStringLiteral("delete from tBxMain_Detail where BxMain_Id=") + id);
    tr.Commit();
    return true;
}

} // namespace BxLogic
