// The purchase and sales windows with 1000-line documents, every line a goods of its
// own (the worst case for the display columns, which read each goods once): opening an
// existing document, saving a new one (head and 1000 lines in one transaction), saving
// an edited one with every line changed. On an embedded database file and, when
// WJ_BENCH_PGPORT names a server, on PostgreSQL.
//
// The save is compared with its floor: the same head and line rows written by a
// minimal loop of prepared statements in one transaction, keys drawn in one block.
#include "benchsupport.h"

#include <string>
#include "schema.h"
#include "ujxc_in_main_bx.h"
#include "ujxc_xs_main_bx.h"
#include "wjczy.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjinputs.h"
#include "wjjxc_bx.h"
#include "wjprompter.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <QUuid>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {
constexpr int kLines = 1000;

void build(TDBAction &db)
{
    TWjTransaction tr(db);
    db.ExecuteSQL("insert into Jb_Gys(Client_Id,ClientNo,ClientName,Lxdh) values(1,'GYS0001','供应商','1')");
    db.ExecuteSQL("insert into Jb_Client(Client_Id,ClientNo,ClientName,Lxdh) values(1,'KH0001','客户','1')");
    for (int i = 1; i <= kLines; ++i)
        db.ExecuteBound("insert into Jb_Goods(Goods_Id,GoodsNo,GoodsName,Depart,Unit1,uNum1_2,Unit2,uNum2_3,Unit3,LastIn_Price1) "
                        "values(?,?,?,'规格','箱',10,'包',12,'只',9.5)",
                        {i, QString("G%1").arg(i), QString("商品%1").arg(i)});
    tr.Commit();
}

// Appends the lines as the goods search does.
void appendLines(TfrmJxcDoc_Bx *w, bool sale)
{
    TWjQuery *ds = w->Lines()->DataSet();
    const qlonglong head = w->Value(w->Def().keyColumn).toLongLong();
    for (int i = 1; i <= kLines; ++i) {
        ds->Append();
        ds->SetValue(w->Def().lineMaster, head);
        ds->SetValue(w->Def().lineSerial, i);
        ds->SetValue(w->Def().lineGoods, i);
        ds->SetValue(w->Def().lineNum + "1", 1);
        ds->SetValue(w->Def().lineNum + "2", 2);
        ds->SetValue(w->Def().lineNum + "3", 0);
        if (sale) {
            ds->SetValue("Sa_Price1", QVariant::fromValue(Currency::FromRaw(125000)));
            ds->SetValue("Sa_Price1_Kd", QVariant::fromValue(Currency::FromRaw(130000)));
        } else {
            ds->SetValue("Pc", "P1");
            ds->SetValue("In_Price1", QVariant::fromValue(Currency::FromRaw(95000)));
            ds->SetValue("T_Price", QVariant::fromValue(Currency::FromRaw(95000)));
        }
        w->Lines()->OnCalcFields(*ds);
    }
}

// Runs the window of `kind` with `action` over `list`; `script` gets the window and
// the milliseconds from the call to the window's first event.
template <class W>
void runWindow(TWjQuery &list, int action, const std::function<void(W *, double)> &script)
{
    QElapsedTimer t;
    t.start();
    QTimer::singleShot(0, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *win = dynamic_cast<W *>(w); win && win->isVisible()) {
                script(win, BenchMs(t));
                if (win->isVisible())
                    win->reject();
                return;
            }
        BenchFail("the window did not open");
    });
    TWjJxc_Bx jxc;
    jxc.SetWjQuery(&list);
    if constexpr (std::is_same_v<W, TfrmJxcIn_Main_Bx>)
        jxc.GoodsInGl(action);
    else
        jxc.GoodsSaGl(action);
}

void floorSave(TDBAction &db, bool sale)
{
    TWjTransaction tr(db);
    const qint64 head = db.GetTbIdBlock(sale ? "Yw_SaHead" : "Yw_InHead", sale ? "SaHead_Id" : "InHead_ID", 1);
    const qint64 first = db.GetTbIdBlock(sale ? "Yw_SaDetail" : "Yw_InDetail", sale ? "SaDetail_Id" : "InDetail_Id", kLines);
    if (sale)
        db.ExecuteBound("insert into Yw_SaHead(SaHead_Id,Sa_AutoNum,ClientId,ClientName,SaFlag) values(?,'F',1,'客户',1)", {head});
    else
        db.ExecuteBound("insert into Yw_InHead(InHead_ID,In_AutoNum,GysId,ClientName,InFlag) values(?,'F',1,'供应商',1)", {head});
    QSqlQuery q(db.Database());
    if (!q.prepare(sale ? "insert into Yw_SaDetail(SaDetail_Id,SaMain_Id,Xh_SaDetail,GoodsId_Sa,SaNum1,SaNum2,SaNum3,Sa_Price1,Sa_Price1_Kd) "
                          "values(?,?,?,?,1,2,0,12.5,13)"
                        : "insert into Yw_InDetail(InDetail_Id,InMain_Id,Xh_Indetail,GoodsId_In,Pc,InNum1,InNum2,InNum3,In_Price1,T_Price) "
                          "values(?,?,?,?,'P1',1,2,0,9.5,9.5)"))
        BenchFail(q.lastError().text());
    for (int i = 0; i < kLines; ++i) {
        q.bindValue(0, first + i);
        q.bindValue(1, head);
        q.bindValue(2, i + 1);
        q.bindValue(3, i + 1);
        if (!q.exec())
            BenchFail(q.lastError().text());
    }
    tr.Commit();
}

template <class W>
void measure(TDBAction &db, const char *label, const char *doc, int rounds)
{
    const bool sale = std::is_same_v<W, TfrmJxcXs_Main_Bx>;
    const QString head = sale ? "Yw_SaHead" : "Yw_InHead", key = sale ? "SaHead_Id" : "InHead_ID";
    const QString lines = sale ? "Yw_SaDetail" : "Yw_InDetail";
    std::vector<double> open, saveNew, saveEdit, floor;
    for (int r = 0; r < rounds; ++r) {
        db.ExecuteSQL("delete from " + lines);
        db.ExecuteSQL("delete from " + head);
        TWjQuery list;
        db.SelectTable("select * from " + head + " order by " + key, list);
        runWindow<W>(list, 0, [&](W *w, double) {
            w->Partner()->Box()->setCurrentIndex(0);
            appendLines(w, sale);
            QElapsedTimer t;
            t.start();
            if (!w->Save())
                BenchFail("the new document was not saved");
            saveNew.push_back(BenchMs(t));
        });
        if (db.SelectValue("select count(*) from " + lines).toInt() != kLines)
            BenchFail("lines missing after the save");
        runWindow<W>(list, 1, [&](W *w, double opened) {
            open.push_back(opened);
            TWjQuery *ds = w->Lines()->DataSet();
            for (ds->First(); !ds->Eof(); ds->Next())
                ds->SetValue(w->Def().lineNum + "3", 1);
            QElapsedTimer t;
            t.start();
            if (!w->Save())
                BenchFail("the edited document was not saved");
            saveEdit.push_back(BenchMs(t));
        });
        if (db.SelectValue(QString("select count(*) from %1 where %2Num3=1").arg(lines, sale ? "Sa" : "In")).toInt() != kLines)
            BenchFail("changed lines missing after the save");
        QElapsedTimer t;
        t.start();
        floorSave(db, sale);
        floor.push_back(BenchMs(t));
    }
    std::printf("%-10s %-9s %9.1f %9.1f %9.1f %9.1f %7.2f\n", label, doc, BenchMedian(open), BenchMedian(saveNew), BenchMedian(saveEdit), BenchMedian(floor),
                BenchMedian(saveNew) / BenchMedian(floor));
    std::fflush(stdout);
}

void measureAll(TDBAction &db, const char *label, int rounds)
{
    build(db);
    measure<TfrmJxcIn_Main_Bx>(db, label, "purchase", rounds);
    measure<TfrmJxcXs_Main_Bx>(db, label, "sale", rounds);
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    BenchPrompter prompter;
    SetPrompter(&prompter);
    TWjCzy czy;
    czy.CzyName = QStringLiteral("基准测试");
    czy.CzyLevel = 1;
    CurCzy = &czy;

    std::printf("Document windows benchmark: %d-line documents, median of several runs, milliseconds\n", kLines);
    std::printf("%-10s %-9s %9s %9s %9s %9s %7s\n", "database", "document", "open", "save new", "save edit", "floor", "ratio");
    ForEachBenchDatabase([](TDBAction &db, const char *label) {
        measureAll(db, label, std::string(label) == "sqlite" ? 5 : 3);
    });
    return 0;
}
