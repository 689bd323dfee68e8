// The insurance module's rules, without windows (WjCore only):
//   totals     CalcTotals: the discount at a rate of 0..100 per cent of the base premium
//              (the lines' premiums added up) and the total after it, in exact money
//   vehicles   NormalizePlate, CarLookupSql (plates beginning with what was typed),
//              PlateTaken (a plate belongs to one vehicle)
//   items      SaveItem (add or update, refusing a name another item has), DeleteItem
//   policies   DeletePolicy (the policy and its lines, together)
// The windows of insuremod/ call these; every write runs in one transaction, and a
// refusal is returned as text for the caller to show once the transaction is over.
#pragma once
#include "wjcurrency.h"

#include <QString>

class TDBAction;
class TWjQuery;

namespace BxLogic {

struct TBxTotals
{
    Currency Jzbf;   // 基准保费: the lines' premiums added up
    Currency YhJe;   // 优惠金额合计: Jzbf × rate / 100
    Currency BxfHj;  // 合计金额: Jzbf − YhJe
};

// The discount is a sum of money: rounded once, half away from zero, to the fen (15 %
// of 333 is exactly 49.95; 15 % of 3330.5 is 499.58). The total is what is left of the
// base premium, so discount and total always add up to it.
TBxTotals CalcTotals(Currency jzbf, Currency ratePercent);
// The same from the texts the window shows; false (nothing computed) when one of them
// is not a number or the rate is outside 0..100.
bool CalcTotals(const QString &jzbf, const QString &ratePercent, TBxTotals *out);
// The premiums (column Bxf) of every line of the set, added up.
Currency SumPremiums(const TWjQuery &lines);

// A plate as it is stored: blanks at either end dropped, Latin letters in upper case.
QString NormalizePlate(const QString &typed);
// The vehicles (Jb_CarData) whose plate begins with the typed text, normalised and
// taken literally ('%' and '_' match themselves); every vehicle when it is blank.
QString CarLookupSql(const QString &typed);
// True when a vehicle other than the one keyed `exceptKey` has the plate (normalised).
bool PlateTaken(TDBAction &db, const QString &plate, const QString &exceptKey);
inline QString PlateExists() { return QStringLiteral("对不起，该车牌号码已存在！"); }

struct TBxItem
{
    QString BxSetupId;  // empty or "0": a new item (SaveItem draws the key)
    QString BxType;
    Currency BxJe, Bxf;
};
inline QString ItemExists() { return QStringLiteral("对不起，该保险项目已存在！"); }
inline QString ItemGone() { return QStringLiteral("该保险项目已被删除，不能保存！"); }
// Stores the item with its name trimmed: inserted when new (its key written back into
// `item`), else updated. Refused with ItemExists() when another item has the name
// (names compared trimmed); an item keeping its own name, blanks added or not, is no
// duplicate. An item deleted meanwhile is refused with ItemGone(). Check and write run
// in one transaction. Returns the refusal, "" when stored.
QString SaveItem(TDBAction &db, TBxItem &item);
void DeleteItem(TDBAction &db, const QString &itemId);

// Deletes the policy and its lines in one transaction. The lines go only together with
// their policy: when no policy has that key (another workstation deleted it, or it
// never was) nothing is changed and false is returned.
bool DeletePolicy(TDBAction &db, const QString &policyId);

} // namespace BxLogic
