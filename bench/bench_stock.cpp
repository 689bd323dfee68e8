// Audit and un-audit of a 1000-line sale (every goods with three batches, each line
// taking from all three) and of a 1000-line purchase, through TWjJxc_Bx, on an embedded
// database file and, when WJ_BENCH_PGPORT names a server, on PostgreSQL.
//
// Each figure is compared with its floor: the same rows written by a minimal loop of
// prepared statements in one transaction (stock rows, allocation rows, goods dates,
// the head's flag), with nothing read and nothing computed.
#include "benchsupport.h"

#include <string>
#include "schema.h"
#include "wjczy.h"
#include "wjdbaction.h"
#include "wjjxc_bx.h"
#include "wjprompter.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {
constexpr int kLines = 1000;

struct Fixture
{
    int sale = 0, purchase = 0;
    std::vector<int> goods, batches;  // batches: 3 per goods, the purchase's batch last
};

Fixture build(TDBAction &db)
{
    Fixture f;
    TWjTransaction tr(db);
    f.sale = 1;
    f.purchase = 1;
    db.ExecuteSQL("insert into Yw_SaHead(SaHead_Id,Sa_AutoNum,SaFlag) values(1,'XS1',1)");
    db.ExecuteSQL("insert into Yw_InHead(InHead_ID,In_AutoNum,InFlag) values(1,'JH1',1)");
    for (int i = 1; i <= kLines; ++i) {
        db.ExecuteBound("insert into Jb_Goods(Goods_Id,GoodsName,Unit1,uNum1_2,Unit2,uNum2_3,Unit3) values(?,?,'箱',10,'包',12,'只')",
                        {i, QString("商品%1").arg(i)});
        f.goods.push_back(i);
        const QList<QVariantList> rows{{3 * i - 2, i, "P0", "2026-03-01", 0, 3, 0},
                                       {3 * i - 1, i, "P1", "2026-06-01", 0, 4, 0},
                                       {3 * i, i, "P2", "2026-09-01", 5, 0, 0}};
        for (const QVariantList &r : rows) {
            db.ExecuteBound("insert into Yw_KcData(KcData_Id,GoodsId_Kc,Pc,Yx_Date,KcNum_Unit1,KcNum_Unit2,KcNum_Unit3) values(?,?,?,?,?,?,?)", r);
            f.batches.push_back(r[0].toInt());
        }
        db.ExecuteBound("insert into Yw_SaDetail(SaDetail_Id,SaMain_Id,Xh_SaDetail,GoodsId_Sa,SaNum1,SaNum2,SaNum3,Sa_Price1) values(?,1,?,?,1,0,0,12.5)",
                        {i, i, i});
        db.ExecuteBound("insert into Yw_InDetail(InDetail_Id,InMain_Id,Xh_Indetail,GoodsId_In,Pc,Yx_date,InNum1,InNum2,InNum3,In_Price1) "
                        "values(?,1,?,?,'P2','2026-09-01',0,5,6,9.5)",
                        {i, i, i});
    }
    tr.Commit();
    return f;
}

double timed(const std::function<void()> &f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

// A prepared statement run in a loop, straight on the driver.
class Loop
{
public:
    Loop(TDBAction &db, const QString &sql) : m_q(db.Database())
    {
        if (!m_q.prepare(sql))
            BenchFail(m_q.lastError().text());
    }
    void Run(const QVariantList &values)
    {
        for (int i = 0; i < values.size(); ++i)
            m_q.bindValue(i, values[i]);
        if (!m_q.exec())
            BenchFail(m_q.lastError().text());
    }

private:
    QSqlQuery m_q;
};

void floorSaleAudit(TDBAction &db, const Fixture &f)
{
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    TWjTransaction tr(db);
    Loop stock(db, "update Yw_KcData set KcNum_Unit1=?,KcNum_Unit2=?,KcNum_Unit3=? where KcData_Id=?");
    Loop alloc(db, "insert into Yw_SaDetail_Kc(SaDel_Kc_Id,SaDel_Id,Kc_Id,SaNum1,SaNum2,SaNum3)values (?,?,?,?,?,?)");
    Loop stamp(db, "update Jb_Goods set LastSa_Date=? where Goods_Id=?");
    int key = 1000000;
    for (int i = 0; i < kLines; ++i) {
        const int line = i + 1;
        stock.Run({0, 0, 0, f.batches[3 * i]});
        alloc.Run({key++, line, f.batches[3 * i], 0, 3, 0});
        stock.Run({0, 0, 0, f.batches[3 * i + 1]});
        alloc.Run({key++, line, f.batches[3 * i + 1], 0, 4, 0});
        stock.Run({4, 7, 0, f.batches[3 * i + 2]});
        alloc.Run({key++, line, f.batches[3 * i + 2], 0, 3, 0});
        stamp.Run({today, f.goods[i]});
    }
    db.ExecuteSQL("update Yw_SaHead set SaFlag=2,Shr='x',sh_date=" + db.DateStr(QDate::currentDate()) + " where SaHead_Id=1");
    tr.Commit();
}

void floorSaleUnaudit(TDBAction &db, const Fixture &f)
{
    TWjTransaction tr(db);
    Loop stock(db, "update Yw_KcData set KcNum_Unit1=?,KcNum_Unit2=?,KcNum_Unit3=? where KcData_Id=?");
    for (int i = 0; i < kLines; ++i) {
        stock.Run({0, 3, 0, f.batches[3 * i]});
        stock.Run({0, 4, 0, f.batches[3 * i + 1]});
        stock.Run({5, 0, 0, f.batches[3 * i + 2]});
    }
    db.ExecuteSQL("delete from Yw_SaDetail_Kc where SaDel_Id in (select SaDetail_Id from Yw_SaDetail where SaMain_Id=1)");
    db.ExecuteSQL("update Yw_SaHead set SaFlag=1 where SaHead_Id=1");
    tr.Commit();
}

void floorPurchase(TDBAction &db, const Fixture &f, bool audit)
{
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    TWjTransaction tr(db);
    Loop stock(db, "update Yw_KcData set Yx_Date=?,KcNum_Unit1=?,KcNum_Unit2=?,KcNum_Unit3=? where KcData_Id=?");
    Loop stamp(db, "update Jb_Goods set LastIn_Date=? where Goods_Id=?");
    for (int i = 0; i < kLines; ++i) {
        stock.Run({"2026-09-01", 5, audit ? 5 : 0, audit ? 6 : 0, f.batches[3 * i + 2]});
        if (audit)
            stamp.Run({today, f.goods[i]});
    }
    db.ExecuteSQL(audit ? "update Yw_InHead set InFlag=2,Shr='x',sh_date=" + db.DateStr(QDate::currentDate()) + " where InHead_ID=1"
                        : QString("update Yw_InHead set InFlag=1 where InHead_ID=1"));
    tr.Commit();
}

void check(TDBAction &db, const QString &sql, const QString &want, const char *what)
{
    const QString got = db.SelectValue(sql).toString();
    if (got != want)
        BenchFail(QString("%1: %2 gave %3, expected %4").arg(what, sql, got, want));
}

void measure(TDBAction &db, const char *label, int rounds)
{
    const Fixture f = build(db);
    TWjQuery sales, purchases;
    db.SelectTable("select * from Yw_SaHead", sales);
    db.SelectTable("select * from Yw_InHead", purchases);
    TWjJxc_Bx jxc;
    std::vector<double> sa, unsa, in, unin, fsa, funsa, fin, funin;
    for (int r = 0; r < rounds; ++r) {
        jxc.SetWjQuery(&sales);
        sa.push_back(timed([&] { jxc.Sh_Sa(); }));
        check(db, "select count(*) from Yw_SaDetail_Kc", QString::number(3 * kLines), "sale audit");
        unsa.push_back(timed([&] { jxc.UnSh_Sa(); }));
        check(db, "select SaFlag from Yw_SaHead", "1", "sale un-audit");
        jxc.SetWjQuery(&purchases);
        in.push_back(timed([&] { jxc.Sh_In(); }));
        check(db, "select KcNum_Unit2 from Yw_KcData where KcData_Id=3", "5", "purchase audit");
        unin.push_back(timed([&] { jxc.UnSh_In(); }));
        check(db, "select InFlag from Yw_InHead", "1", "purchase un-audit");

        fsa.push_back(timed([&] { floorSaleAudit(db, f); }));
        funsa.push_back(timed([&] { floorSaleUnaudit(db, f); }));
        fin.push_back(timed([&] { floorPurchase(db, f, true); }));
        funin.push_back(timed([&] { floorPurchase(db, f, false); }));
        check(db, "select count(*) from Yw_SaDetail_Kc", "0", "floor");
    }
    auto line = [&](const char *op, const std::vector<double> &e, const std::vector<double> &fl) {
        std::printf("%-10s %-26s %9.1f %9.1f %7.2f\n", label, op, BenchMedian(e), BenchMedian(fl), BenchMedian(e) / BenchMedian(fl));
    };
    line("sale audit (3000 rows)", sa, fsa);
    line("sale un-audit", unsa, funsa);
    line("purchase audit", in, fin);
    line("purchase un-audit", unin, funin);
    std::fflush(stdout);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    BenchPrompter prompter;
    SetPrompter(&prompter);
    TWjCzy czy;
    czy.CzyName = QStringLiteral("基准测试");
    CurCzy = &czy;

    std::printf("Stock audit benchmark: %d-line documents, median of several runs, milliseconds\n", kLines);
    std::printf("%-10s %-26s %9s %9s %7s\n", "database", "operation", "engine", "floor", "ratio");

    ForEachBenchDatabase([](TDBAction &db, const char *label) {
        measure(db, label, std::string(label) == "sqlite" ? 9 : 5);
    });
    return 0;
}
