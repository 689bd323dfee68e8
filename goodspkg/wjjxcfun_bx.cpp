#include "wjjxcfun_bx.h"
#include "calcunitnum.h"
#include "wjdbaction.h"
#include "wjerror.h"

#include <QDate>
#include <QHash>
#include <deque>
#include <limits>
#include <vector>

namespace {

struct Triple
{
    qint64 n1 = 0, n2 = 0, n3 = 0;
    bool IsZero() const { return n1 == 0 && n2 == 0 && n3 == 0; }
};

// One row of Yw_KcData as this operation sees it.
struct StockRow
{
    qint64 id = 0;       // KcData_Id; 0 until drawn for a row this operation creates
    qint64 seq = 0;      // key order: loaded rows by KcData_Id, created rows after them
    qint64 goods = 0;
    bool hasPc = false;  // Pc is not null
    QString pc;
    QString yxDate;      // empty: no expiry date
    Triple qty;
    bool created = false;
    bool withBatch = false;  // created rows: written with Pc and Yx_Date
    bool changed = false;
    bool dateChanged = false;
};

struct Allocation
{
    qint64 saDelId;
    const StockRow *row;
    Triple qty;
};

// Column positions of a result, looked up once.
class Columns
{
public:
    Columns(const TWjQuery &q, std::initializer_list<const char *> names) : m_q(q)
    {
        for (const char *n : names) {
            const int i = q.FieldIndex(QLatin1String(n));
            if (i < 0)
                throw EWjError(QStringLiteral("数据集中没有字段 %1").arg(QLatin1String(n)));
            m_idx << i;
        }
    }
    Columns(const TWjQuery &q, const QStringList &names) : m_q(q)
    {
        for (const QString &n : names) {
            const int i = q.FieldIndex(n);
            if (i < 0)
                throw EWjError(QStringLiteral("数据集中没有字段 %1").arg(n));
            m_idx << i;
        }
    }
    qint64 Int(int c) const { return m_q.Fields(m_idx[c]).AsLargeInt(); }
    QString Text(int c) const { return m_q.Fields(m_idx[c]).AsString(); }
    bool IsNull(int c) const { return m_q.Fields(m_idx[c]).IsNull(); }
    Triple Qty(int c) const { return {Int(c), Int(c + 1), Int(c + 2)}; }

private:
    const TWjQuery &m_q;
    QVector<int> m_idx;
};

QVariant dateValue(const QString &date)
{
    return date.isEmpty() ? QVariant() : QVariant(date);
}

// Inserts rows given as literal value lists "(1,2,'P1',null,...)" with a few multi-row
// statements instead of one per row: one round trip per 500 rows on a server.
void insertRows(TDBAction &db, const QString &head, const QStringList &rows)
{
    for (qsizetype i = 0; i < rows.size(); i += 500)
        db.ExecuteSQL(head + rows.mid(i, 500).join(QLatin1Char(',')), true);
}

QString literal(const Triple &t)
{
    return QStringLiteral("%1,%2,%3").arg(t.n1).arg(t.n2).arg(t.n3);
}

void checkColumnRange(const Triple &t)
{
    for (qint64 v : {t.n1, t.n2, t.n3})
        if (v > std::numeric_limits<qint32>::max() || v < std::numeric_limits<qint32>::min())
            throw EWjError(QStringLiteral("库存数量超出范围（%1），未做任何修改。").arg(v));
}

// The stock rows of the goods an operation moves: read once, changed in memory in the
// order the lines are worked through, written back at the end.
class StockBook
{
public:
    explicit StockBook(TDBAction &db) : m_db(db) {}

    static constexpr const char *kColumns = "KcData_Id,GoodsId_Kc,Pc,Yx_Date,KcNum_Unit1,KcNum_Unit2,KcNum_Unit3";

    void Load(const QString &where)
    {
        TWjQuery q;
        m_db.SelectTable(QStringLiteral("select %1 from Yw_KcData where %2 order by KcData_Id").arg(QLatin1String(kColumns), where), q);
        const Columns c(q, QString::fromLatin1(kColumns).split(QLatin1Char(',')));
        for (q.First(); !q.Eof(); q.Next())
            Take(c, 0);
    }

    // Adds the stock row in the current record's columns kColumns (from column `first`
    // of `c` on), unless it is null (no such row) or already known.
    void Take(const Columns &c, int first)
    {
        if (c.IsNull(first) || m_byId.contains(c.Int(first)))
            return;
        StockRow r;
        r.id = c.Int(first);
        r.seq = ++m_seq;
        r.goods = c.Int(first + 1);
        r.hasPc = !c.IsNull(first + 2);
        r.pc = c.Text(first + 2);
        r.yxDate = c.Text(first + 3);
        r.qty = c.Qty(first + 4);
        add(std::move(r));
    }

    // The first row (in key order) of the goods with this batch code.
    StockRow *FindBatch(qint64 goods, const QString &pc)
    {
        for (StockRow *r : m_byGoods.value(goods))
            if (r->hasPc && r->pc == pc)
                return r;
        return nullptr;
    }
    StockRow *First(qint64 goods)
    {
        const auto rows = m_byGoods.value(goods);
        return rows.isEmpty() ? nullptr : rows.first();
    }
    StockRow *ById(qint64 id) { return m_byId.value(id); }

    // The goods' rows that still hold stock, in the order a sale consumes them: earliest
    // expiry first, rows without an expiry date last, equal dates in key order.
    std::vector<StockRow *> Batches(qint64 goods, qint64 f12, qint64 f23)
    {
        std::vector<StockRow *> r;
        for (StockRow *row : m_byGoods.value(goods))
            if (TCalcUnitNum::SmallestUnits(f12, f23, row->qty.n1, row->qty.n2, row->qty.n3) > 0)
                r.push_back(row);
        std::stable_sort(r.begin(), r.end(), [](const StockRow *a, const StockRow *b) {
            if (a->yxDate.isEmpty() != b->yxDate.isEmpty())
                return b->yxDate.isEmpty();
            return a->yxDate < b->yxDate;  // ISO dates: text order is date order
        });
        return r;
    }

    StockRow *Create(qint64 goods, const Triple &qty, bool withBatch = false, const QString &pc = {}, const QString &date = {})
    {
        checkColumnRange(qty);
        StockRow r;
        r.seq = ++m_seq;
        r.goods = goods;
        r.created = true;
        r.withBatch = withBatch;
        r.hasPc = withBatch;
        // A line without batch code looks its batch up as Pc='': the row it creates holds
        // '' (not null), so the next such line finds it.
        r.pc = pc.isNull() ? QStringLiteral("") : pc;
        r.yxDate = date;
        r.qty = qty;
        return add(std::move(r));
    }

    void Set(StockRow *row, const Triple &qty)
    {
        checkColumnRange(qty);
        row->qty = qty;
        row->changed = true;
    }
    void SetDate(StockRow *row, const QString &date)
    {
        row->yxDate = date;
        row->dateChanged = true;
    }

    // Draws the keys of the created rows and writes created and changed rows.
    void Write()
    {
        int created = 0;
        for (const StockRow &r : m_rows)
            created += r.created ? 1 : 0;
        if (created > 0) {
            qint64 key = m_db.GetTbIdBlock(QStringLiteral("Yw_KcData"), QStringLiteral("KcData_Id"), created);
            for (StockRow &r : m_rows)
                if (r.created)
                    r.id = key++;
        }
        QStringList batches, plain;
        for (const StockRow &r : m_rows) {
            if (r.created && r.withBatch)
                batches << QStringLiteral("(%1,%2,%3,%4,%5)").arg(r.id).arg(r.goods)
                               .arg(TDBAction::QuotedStr(r.pc), r.yxDate.isEmpty() ? QStringLiteral("null") : TDBAction::QuotedStr(r.yxDate), literal(r.qty));
            else if (r.created)
                plain << QStringLiteral("(%1,%2,%3)").arg(r.id).arg(r.goods).arg(literal(r.qty));
        }
        insertRows(m_db, QStringLiteral("insert into Yw_KcData(KcData_Id,GoodsId_Kc,Pc,Yx_Date,KcNum_Unit1,KcNum_Unit2,KcNum_Unit3)values"), batches);
        insertRows(m_db, QStringLiteral("insert into Yw_KcData(KcData_Id,GoodsId_Kc,KcNum_Unit1,KcNum_Unit2,KcNum_Unit3)values"), plain);
        for (const StockRow &r : m_rows) {
            const QVariant n1 = r.qty.n1, n2 = r.qty.n2, n3 = r.qty.n3;
            if (r.created)
                continue;
            if (r.dateChanged)
                m_db.ExecuteBound(QStringLiteral("update Yw_KcData set Yx_Date=?,KcNum_Unit1=?,KcNum_Unit2=?,KcNum_Unit3=? where KcData_Id=?"),
                                  {dateValue(r.yxDate), n1, n2, n3, r.id});
            else if (r.changed)
                m_db.ExecuteBound(QStringLiteral("update Yw_KcData set KcNum_Unit1=?,KcNum_Unit2=?,KcNum_Unit3=? where KcData_Id=?"),
                                  {n1, n2, n3, r.id});
        }
    }

private:
    StockRow *add(StockRow &&r)
    {
        m_rows.push_back(std::move(r));
        StockRow *p = &m_rows.back();
        m_byGoods[p->goods].append(p);
        if (!p->created)
            m_byId.insert(p->id, p);
        return p;
    }

    TDBAction &m_db;
    std::deque<StockRow> m_rows;  // stable addresses
    QHash<qint64, QVector<StockRow *>> m_byGoods;
    QHash<qint64, StockRow *> m_byId;
    qint64 m_seq = 0;
};

// Locks the goods rows an operation moves (in key order, so two workstations never wait
// for each other crosswise). Where the transaction holds the write lock already, nothing.
void lockGoods(TDBAction &db, const QString &goodsIds)
{
    const QString forUpdate = db.Dialect().ForUpdate();
    if (!forUpdate.isEmpty())
        db.ExecuteSQL(QStringLiteral("select Goods_Id from Jb_Goods where Goods_Id in (") + goodsIds
                      + QStringLiteral(") order by Goods_Id") + forUpdate);
}

void stampGoods(TDBAction &db, const char *dateColumn, const QString &goodsIds)
{
    db.ExecuteSQL(QStringLiteral("update Jb_Goods set %1=%2 where Goods_Id in (%3)")
                      .arg(QLatin1String(dateColumn), db.DateStr(QDate::currentDate()), goodsIds),
                  true);
}

Triple decCalc(TCalcUnitNum &c, qint64 f12, qint64 f23, const Triple &a, const Triple &b)
{
    c.DecCalc(f12, f23, a.n1, a.n2, a.n3, b.n1, b.n2, b.n3);
    return {c.Num1, c.Num2, c.Num3};
}

Triple addCalc(TCalcUnitNum &c, qint64 f12, qint64 f23, const Triple &a, const Triple &b)
{
    c.AddCalc(f12, f23, a.n1, a.n2, a.n3, b.n1, b.n2, b.n3);
    return {c.Num1, c.Num2, c.Num3};
}

__int128 smallest(qint64 f12, qint64 f23, const Triple &t)
{
    return TCalcUnitNum::SmallestUnits(f12, f23, t.n1, t.n2, t.n3);
}

// The detail tables the per-batch workers read.
struct BatchDetail
{
    const char *table, *headColumn, *goodsColumn, *numPrefix, *xhColumn, *keyColumn;
    bool purchase;  // adds on posting, creates missing batches, carries the expiry date
};
const BatchDetail kInDetail{"Yw_InDetail", "InMain_Id", "GoodsId_In", "InNum", "Xh_Indetail", "InDetail_Id", true};
const BatchDetail kThDetail{"Yw_ThDetail", "ThMain_Id", "GoodsId_Th", "ThNum", "Xh_Thdetail", "ThDetail_Id", false};
const BatchDetail kSaDetail{"Yw_SaDetail", "SaMain_Id", "GoodsId_Sa", "SaNum", "Xh_SaDetail", "SaDetail_Id", false};

QString goodsOf(const BatchDetail &d, const QString &key)
{
    return QStringLiteral("select %1 from %2 where %3=%4")
        .arg(QLatin1String(d.goodsColumn), QLatin1String(d.table), QLatin1String(d.headColumn), key);
}

// Purchase (adds on "1", creating missing batches and stamping LastIn_Date; the line's
// expiry date overwrites the batch's both ways), return and per-batch sale (subtract on
// "1"; a missing batch changes nothing).
bool batchWorker(TDBAction &db, const BatchDetail &d, const QString &headKey, bool post)
{
    const QString key = WjSql::CheckInteger(headKey);
    const bool purchase = d.purchase;
    TWjTransaction tr(db);
    TWjQuery lines;
    const QString num = QLatin1String(d.numPrefix);
    db.SelectTable(QStringLiteral("select a.%4,a.Pc,a.%7,a.%8,a.%9%10,b.uNum1_2,b.uNum2_3 from %1 a,Jb_Goods b where %2=%3 and a.%4=b.Goods_Id order by a.%5,a.%6")
                       .arg(QLatin1String(d.table), QLatin1String(d.headColumn), key, QLatin1String(d.goodsColumn),
                            QLatin1String(d.xhColumn), QLatin1String(d.keyColumn), num + QLatin1Char('1'), num + QLatin1Char('2'),
                            num + QLatin1Char('3'))
                       .arg(purchase ? QStringLiteral(",a.Yx_Date") : QString()),
                   lines);
    if (lines.IsEmpty()) {
        tr.Commit();
        return false;
    }
    const QString goodsIds = goodsOf(d, key);
    lockGoods(db, goodsIds);
    // The rows the lines look up: goods and batch code (a line without one looks for '').
    StockBook book(db);
    book.Load(QStringLiteral("KcData_Id in (select k.KcData_Id from %1 l join Yw_KcData k on k.GoodsId_Kc=l.%4 "
                             "and k.Pc=coalesce(l.Pc,'') where l.%2=%3)")
                  .arg(QLatin1String(d.table), QLatin1String(d.headColumn), key, QLatin1String(d.goodsColumn)));

    QStringList names{QStringLiteral("uNum1_2"), QStringLiteral("uNum2_3"), QLatin1String(d.goodsColumn), QStringLiteral("Pc"),
                      num + QLatin1Char('1'), num + QLatin1Char('2'), num + QLatin1Char('3')};
    if (purchase)
        names << QStringLiteral("Yx_Date");
    const Columns c(lines, names);
    const bool adds = (purchase == post);
    TCalcUnitNum calc;
    for (lines.First(); !lines.Eof(); lines.Next()) {
        const qint64 f12 = c.Int(0), f23 = c.Int(1), goods = c.Int(2);
        const Triple qty = c.Qty(4);
        StockRow *row = book.FindBatch(goods, c.Text(3));
        if (row) {
            book.Set(row, adds ? addCalc(calc, f12, f23, row->qty, qty) : decCalc(calc, f12, f23, row->qty, qty));
            if (purchase)
                book.SetDate(row, c.Text(7));
        } else if (purchase && post) {
            book.Create(goods, qty, true, c.Text(3), c.Text(7));  // stored as the line has it, not carried
        }
    }
    book.Write();
    if (purchase && post)
        stampGoods(db, "LastIn_Date", goodsIds);
    tr.Commit();
    return true;
}

const char *const kSaleLines = "select SaDetail_Id,GoodsId_Sa,SaNum1,SaNum2,SaNum3,uNum1_2,uNum2_3 from V_Yw_SaDetail "
                               "where SaMain_Id=%1 order by Xh_SaDetail,SaDetail_Id";

// Production lines carry no batch: they go to the goods' first stock row.
bool productionWorker(TDBAction &db, const QString &headKey, bool post)
{
    const QString key = WjSql::CheckInteger(headKey);
    TWjTransaction tr(db);
    TWjQuery lines;
    db.SelectTable(QStringLiteral("select a.*,b.uNum1_2,b.uNum2_3 from Yw_ScDetail a,Jb_Goods b where ScMain_Id=%1 "
                                  "and a.GoodsId_Sc=b.Goods_Id order by a.Xh_Scdetail,a.ScDetail_Id").arg(key),
                   lines);
    if (lines.IsEmpty()) {
        tr.Commit();
        return false;
    }
    const QString goodsIds = QStringLiteral("select GoodsId_Sc from Yw_ScDetail where ScMain_Id=") + key;
    lockGoods(db, goodsIds);
    StockBook book(db);
    book.Load(QStringLiteral("GoodsId_Kc in (") + goodsIds + QLatin1Char(')'));
    const Columns c(lines, {"uNum1_2", "uNum2_3", "GoodsId_Sc", "ScNum1", "ScNum2", "ScNum3"});
    TCalcUnitNum calc;
    for (lines.First(); !lines.Eof(); lines.Next()) {
        const qint64 f12 = c.Int(0), f23 = c.Int(1), goods = c.Int(2);
        const Triple qty = c.Qty(3);
        StockRow *row = book.First(goods);  // whatever its batch
        if (row)
            book.Set(row, post ? addCalc(calc, f12, f23, row->qty, qty) : decCalc(calc, f12, f23, row->qty, qty));
        else if (post)
            book.Create(goods, qty);
    }
    book.Write();
    tr.Commit();
    return true;
}

} // namespace

TWjJxcFun_Bx::TWjJxcFun_Bx(QObject *parent) : QObject(parent) {}

TDBAction &TWjJxcFun_Bx::db() const
{
    TDBAction *d = m_db ? m_db : CurDBAction;
    if (!d)
        throw EWjError(QStringLiteral("数据访问服务尚未创建。"));
    return *d;
}

bool TWjJxcFun_Bx::ActionOfKcToIn(const QString &inHeadId, const QString &flag)
{
    return batchWorker(db(), kInDetail, inHeadId, flag == QLatin1String("1"));
}

bool TWjJxcFun_Bx::ActionOfKcToTh(const QString &thHeadId, const QString &flag)
{
    return batchWorker(db(), kThDetail, thHeadId, flag == QLatin1String("1"));
}

bool TWjJxcFun_Bx::ActionOfKcToSa(const QString &saHeadId, const QString &flag)
{
    return batchWorker(db(), kSaDetail, saHeadId, flag == QLatin1String("1"));
}

bool TWjJxcFun_Bx::SetScDataToKc(const QString &scHeadId)
{
    return productionWorker(db(), scHeadId, true);
}

bool TWjJxcFun_Bx::GetScDataFromKc(const QString &scHeadId)
{
    return productionWorker(db(), scHeadId, false);
}

bool TWjJxcFun_Bx::UpKcWithSaData(const QString &saHeadId)
{
    TDBAction &d = db();
    const QString key = WjSql::CheckInteger(saHeadId);
    TWjTransaction tr(d);
    TWjQuery lines;
    d.SelectTable(QString::fromLatin1(kSaleLines).arg(key), lines);
    if (lines.IsEmpty()) {
        tr.Commit();
        return false;
    }
    const QString goodsIds = goodsOf(kSaDetail, key);
    lockGoods(d, goodsIds);
    StockBook book(d);
    book.Load(QStringLiteral("GoodsId_Kc in (") + goodsIds + QLatin1Char(')'));

    std::vector<Allocation> allocations;
    const Columns c(lines, {"uNum1_2", "uNum2_3", "GoodsId_Sa", "SaDetail_Id", "SaNum1", "SaNum2", "SaNum3"});
    TCalcUnitNum calc;
    for (lines.First(); !lines.Eof(); lines.Next()) {
        const qint64 f12 = c.Int(0), f23 = c.Int(1), goods = c.Int(2), line = c.Int(3);
        Triple wanted = c.Qty(4);
        __int128 toAllocate = smallest(f12, f23, wanted);  // t: what is still to allocate
        StockRow *last = nullptr;
        bool covered = false;
        for (StockRow *batch : book.Batches(goods, f12, f23)) {
            const __int128 rest = smallest(f12, f23, batch->qty) - (toAllocate < 0 ? -toAllocate : toAllocate);
            if (rest >= 0) {  // this batch covers the rest of the line
                book.Set(batch, decCalc(calc, f12, f23, batch->qty, wanted));
                allocations.push_back({line, batch, wanted});
                covered = true;
                break;
            }
            // The whole batch goes to the line; the rest is wanted from the next one.
            wanted = decCalc(calc, f12, f23, wanted, batch->qty);
            allocations.push_back({line, batch, batch->qty});
            book.Set(batch, {});
            toAllocate = rest;
            last = batch;
        }
        if (covered || wanted.IsZero())
            continue;
        // Shortage: the rest is recorded as negative stock, with an allocation row, so
        // un-posting gives back exactly what was taken.
        if (last) {
            book.Set(last, {-wanted.n1, -wanted.n2, -wanted.n3});
            allocations.push_back({line, last, wanted});
        } else {
            StockRow *first = book.First(goods);
            if (first)
                book.Set(first, decCalc(calc, f12, f23, first->qty, wanted));
            else
                first = book.Create(goods, decCalc(calc, f12, f23, {}, wanted));
            allocations.push_back({line, first, wanted});
        }
    }
    book.Write();
    if (!allocations.empty()) {
        qint64 id = d.GetTbIdBlock(QStringLiteral("Yw_SaDetail_Kc"), QStringLiteral("SaDel_Kc_Id"), int(allocations.size()));
        QStringList rows;
        for (const Allocation &a : allocations) {
            checkColumnRange(a.qty);
            rows << QStringLiteral("(%1,%2,%3,%4)").arg(id++).arg(a.saDelId).arg(a.row->id).arg(literal(a.qty));
        }
        insertRows(d, QStringLiteral("insert into Yw_SaDetail_Kc(SaDel_Kc_Id,SaDel_Id,Kc_Id,SaNum1,SaNum2,SaNum3)values "), rows);
    }
    stampGoods(d, "LastSa_Date", goodsIds);
    tr.Commit();
    return true;
}

bool TWjJxcFun_Bx::UnDoUpKcWithSaData(const QString &saHeadId)
{
    TDBAction &d = db();
    const QString key = WjSql::CheckInteger(saHeadId);
    TWjTransaction tr(d);
    TWjQuery lines;
    d.SelectTable(QString::fromLatin1(kSaleLines).arg(key), lines);
    if (lines.IsEmpty()) {
        tr.Commit();
        return false;
    }
    lockGoods(d, goodsOf(kSaDetail, key));

    // The allocation rows of the document's lines with the stock rows they took from
    // (none where the stock row was deleted since).
    TWjQuery rows;
    d.SelectTable(QStringLiteral("select a.SaDel_Id,a.SaNum1 as Q1,a.SaNum2 as Q2,a.SaNum3 as Q3,a.Kc_Id,"
                                 "k.KcData_Id,k.GoodsId_Kc,k.Pc,k.Yx_Date,k.KcNum_Unit1,k.KcNum_Unit2,k.KcNum_Unit3 "
                                 "from Yw_SaDetail_Kc a left join Yw_KcData k on k.KcData_Id=a.Kc_Id "
                                 "where a.SaDel_Id in (select SaDetail_Id from Yw_SaDetail where SaMain_Id=%1) order by a.SaDel_Kc_Id")
                      .arg(key),
                  rows);
    struct Given { qint64 kcId; Triple qty; };
    QHash<qint64, QVector<Given>> byLine;
    StockBook book(d);
    {
        QStringList names{QStringLiteral("SaDel_Id"), QStringLiteral("Q1"), QStringLiteral("Q2"), QStringLiteral("Q3"), QStringLiteral("Kc_Id")};
        names += QString::fromLatin1(StockBook::kColumns).split(QLatin1Char(','));
        const Columns a(rows, names);
        for (rows.First(); !rows.Eof(); rows.Next()) {
            byLine[a.Int(0)].append({a.Int(4), a.Qty(1)});
            book.Take(a, 5);
        }
    }

    const Columns c(lines, {"uNum1_2", "uNum2_3", "GoodsId_Sa", "SaDetail_Id"});
    TCalcUnitNum calc;
    QStringList done;
    for (lines.First(); !lines.Eof(); lines.Next()) {
        const qint64 f12 = c.Int(0), f23 = c.Int(1), goods = c.Int(2), line = c.Int(3);
        for (const Given &g : byLine.value(line)) {
            if (StockRow *row = book.ById(g.kcId))
                book.Set(row, addCalc(calc, f12, f23, row->qty, g.qty));
            else
                book.Create(goods, g.qty);  // the row was deleted: recreated without batch
        }
        done << QString::number(line);
    }
    book.Write();
    // The given-back allocation rows go, those of the processed lines exactly.
    for (qsizetype i = 0; i < done.size(); i += 500)
        d.ExecuteSQL(QStringLiteral("delete from Yw_SaDetail_Kc where SaDel_Id in (%1)").arg(done.mid(i, 500).join(QLatin1Char(','))), true);
    tr.Commit();
    return true;
}

void TWjJxcFun_Bx::FreeAdoQr(TWjQuery *query)
{
    if (!query)
        return;
    query->Close();
    delete query;
}
