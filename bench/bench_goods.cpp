// The goods windows with 100000 goods and 100000 barcodes in the embedded database:
// opening the goods search window until its goods list has painted its first screen,
// one search keystroke in the search value until the narrowed list has painted, and the
// goods editor's save (保存 until the editor has closed; and with the reread and
// repositioning of a 100000-row goods list afterwards). Memory is the process's
// resident size.
#include "benchsupport.h"
#include "frm_goods_bx.h"
#include "frmbxser_mui_tv.h"
#include "schema.h"
#include "wjbx_goods.h"
#include "wjcached.h"
#include "wjczy.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjdbgrid.h"
#include "wjinputs.h"
#include "wjpath.h"
#include "wjprompter.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {
constexpr int kGoods = 100000;
constexpr int kRounds = 7;

// Resident and peak resident size in MB.
double memoryMb(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// Goods names as a parts shop has them: a part word and a model number.
const char *const kWords[10] = {"刹车片", "机油滤清器", "空气滤清器", "火花塞", "雨刮片", "轮胎", "减震器", "发电机皮带", "大灯灯泡", "蓄电池"};

void fill(TDBAction &db)
{
    TWjTransaction tr(db);
    // Five top-level types with three children each.
    for (int t = 1; t <= 5; ++t) {
        db.ExecuteBound("insert into Jb_GoodsType(MeId,ParentId,TypeName,NoType,CurNo) values(?,0,?,?,0)",
                        {t, QStringLiteral("类别%1").arg(t), QStringLiteral("T%1").arg(t)});
        for (int c = 1; c <= 3; ++c)
            db.ExecuteBound("insert into Jb_GoodsType(MeId,ParentId,TypeName,NoType,CurNo) values(?,?,?,?,0)",
                            {t * 10 + c, t, QStringLiteral("类别%1-%2").arg(t).arg(c), QStringLiteral("T%1%2").arg(t).arg(c)});
    }
    for (int i = 1; i <= kGoods; ++i) {
        const int type = (i % 5 + 1) * 10 + i % 3 + 1;
        db.ExecuteBound("insert into Jb_Goods(Goods_Id,TypeId_Goods,GoodsNo,GoodsName,PyNo,Depart,Unit1,uNum1_2,Unit2,uNum2_3,Unit3,"
                        "LastIn_Price1,LastIn_Price2,LastIn_Price3,LastSa_Price1,LastSa_Price2,LastSa_Price3,"
                        "LastPf_Price1,LastPf_Price2,LastPf_Price3,LastJg_Price1,LastJg_Price2,LastJg_Price3,Posi) "
                        "values(?,?,?,?,?,'原厂件','箱',10,'盒',4,'只','180','19','4.8','240','25','6.5','230','24','6','235','24.5','6.2','A-01')",
                        {i, type, QStringLiteral("G%1").arg(i, 6, 10, QLatin1Char('0')),
                         QStringLiteral("%1%2").arg(QString::fromUtf8(kWords[i % 10])).arg(i), QStringLiteral("PY%1").arg(i)});
        db.ExecuteBound("insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(?,?,?,?)",
                        {i, i, QStringLiteral("69%1").arg(i, 11, 10, QLatin1Char('0')), 1 + i % 3});
        db.ExecuteBound("insert into Yw_KcData(KcData_Id,GoodsId_Kc,Pc,Yx_Date,KcNum_Unit1) values(?,?,?,'2027-06-30',5)",
                        {i, i, QStringLiteral("P%1").arg(i % 50)});
    }
    tr.Commit();
}

// Runs the events until `w` has painted (the first screen is on the screen).
void untilPainted(QWidget *w)
{
    struct Watch : QObject
    {
        bool painted = false;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Paint)
                painted = true;
            return false;
        }
    } watch;
    w->installEventFilter(&watch);
    w->update();
    QElapsedTimer guard;
    guard.start();
    while (!watch.painted && guard.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    w->removeEventFilter(&watch);
    if (!watch.painted)
        BenchFail("the list did not paint");
}

void typeChar(QWidget *w, QChar c)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &release);
}

struct Stats
{
    std::vector<double> ms;
    void print(const char *what) const
    {
        std::vector<double> s = ms;
        std::sort(s.begin(), s.end());
        std::printf("%-58s median %7.1f ms  min %7.1f  max %7.1f  (n=%zu)\n", what, s[s.size() / 2], s.front(), s.back(), s.size());
    }
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchPrompter prompter;
    SetPrompter(&prompter);
    QTemporaryDir dir;
    BenchProgramDir(dir, QStringLiteral(WJ_SOURCE_DIR), {QStringLiteral("WjOptions.ini"), QStringLiteral("Mainsearch.ini")});

    TWjCzy czy;
    TDBAction db;
    CurCzy = &czy;
    CurDBAction = &db;
    czy.SetDb(&db);
    try {
        TWjDbConfig c;
        c.dbKind = "ACCESS";
        c.file = dir.path() + "/data/bench.db";
        ShopSchema::OpenDatabase(db, c);
        QElapsedTimer t;
        t.start();
        fill(db);
        std::printf("Goods windows, embedded database: %d goods, %d barcodes, %d stock rows written in %lld ms\n", kGoods, kGoods,
                    kGoods, t.elapsed());
        czy.SetPassword(QStringLiteral("系统管理员"), "bench");
        czy.BecomeOperator(QStringLiteral("系统管理员"));
    } catch (const std::exception &e) {
        BenchFail(QString::fromUtf8(e.what()));
    }
    std::printf("memory after filling: resident %.1f MB\n", memoryMb("VmRSS:"));

    Stats open, openSale, keyFirst, keyRare, save, saveList;
    double rssOpen = 0;
    try {
        TADOCachedControl lines;
        lines.LineTable = "Yw_InDetail";
        lines.KeyField = "InDetail_Id";
        lines.MasterField = "InMain_Id";
        lines.SerialField = "Xh_Indetail";
        lines.MasterValue = "1";
        lines.Open();
        TADOCachedControl saleLines;
        saleLines.LineTable = "Yw_SaDetail";
        saleLines.KeyField = "SaDetail_Id";
        saleLines.MasterField = "SaMain_Id";
        saleLines.SerialField = "Xh_SaDetail";
        saleLines.MasterValue = "1";
        saleLines.Open();

        for (int r = 0; r < kRounds; ++r) {
            // Opening: the purchase window's call (goods list over V_Jb_Goods).
            QElapsedTimer t;
            t.start();
            auto *w = new TfrmBxSer_Mui_Tv(lines.DataSet(), "Xh_Indetail", "InMain_Id", "1", QStringLiteral("商品属性"),
                                           QStringLiteral("进货商品资料"), "select * from V_Jb_Goods", false, "1");
            w->show();
            untilPainted(w->dbgGoods->View()->viewport());
            open.ms.push_back(BenchMs(t));
            if (w->Goods()->FetchedCount() == 0)
                BenchFail("no goods listed");
            if (r == 0)
                rssOpen = memoryMb("VmRSS:");

            // A keystroke: the first character of a part name (a tenth of the goods
            // match), then the fifth character of a model number that few names hold (the
            // whole table is read to find them).
            t.restart();
            typeChar(w->edValue, QChar(0x6EE4));  // 滤
            untilPainted(w->dbgGoods->View()->viewport());
            keyFirst.ms.push_back(BenchMs(t));
            if (!w->Goods()->SQL.contains(QLatin1String(" like ")) || w->Goods()->FetchedCount() == 0)
                BenchFail("the keystroke did not search: " + w->Goods()->SQL);
            w->edValue->clear();
            for (QChar c : QStringLiteral("4321"))
                typeChar(w->edValue, c);
            t.restart();
            typeChar(w->edValue, QLatin1Char('7'));
            untilPainted(w->dbgGoods->View()->viewport());
            keyRare.ms.push_back(BenchMs(t));
            if (w->Goods()->RecordCount() < 1)
                BenchFail("the search found nothing");
            delete w;

            // The sales window's call: goods with their stock totals (V_Yw_KcData).
            t.restart();
            w = new TfrmBxSer_Mui_Tv(saleLines.DataSet(), "Xh_SaDetail", "SaMain_Id", "1", QStringLiteral("库存资料"),
                                     QStringLiteral("销售商品资料"), "select * from V_Yw_KcData", false, "1");
            w->show();
            untilPainted(w->dbgGoods->View()->viewport());
            openSale.ms.push_back(BenchMs(t));
            delete w;

            // The editor's save: a new goods with three units, prices and barcodes; once
            // without a list (as "添加新商品" opens it), once over the whole goods list.
            for (bool withList : {false, true}) {
                TWjQuery list;
                TWjBx_Goods goods;
                if (withList) {
                    goods.SetWjQuery(&list);
                    db.SelectTable("select * from V_Jb_Goods", list);
                }
                double saved = 0;
                QElapsedTimer total;
                QTimer::singleShot(0, &app, [&] {
                    auto *f = qobject_cast<TfrmGoods_Bx *>(QApplication::activeModalWidget());
                    if (!f)
                        BenchFail("the goods editor did not show");
                    f->edGoodsName->setText(QStringLiteral("陶瓷刹车片新%1%2").arg(r).arg(withList));
                    f->cbType->Tree()->setCurrentItem(f->cbType->Tree()->topLevelItem(0));
                    f->TypePicked();
                    f->cbUnit[0]->setCurrentText(QStringLiteral("箱"));
                    f->cbUnit[1]->setCurrentText(QStringLiteral("盒"));
                    f->cbUnit[2]->setCurrentText(QStringLiteral("片"));
                    f->spNum1_2->setValue(10);
                    f->spNum2_3->setValue(4);
                    f->edSaPrice[0]->setText(QStringLiteral("150"));
                    for (int u = 0; u < 3; ++u)
                        f->edTxm[u]->setText(QStringLiteral("77%1%2%3").arg(r).arg(withList).arg(u));
                    QElapsedTimer s;
                    s.start();
                    total.start();
                    f->btnSave->click();
                    saved = BenchMs(s);
                    if (f->isVisible())
                        BenchFail("the goods editor refused the goods");
                });
                if (goods.BxGoodsGl(0).isEmpty())
                    BenchFail("the goods was not saved");
                (withList ? saveList : save).ms.push_back(withList ? BenchMs(total) : saved);
            }
        }
    } catch (const std::exception &e) {
        BenchFail(QString::fromUtf8(e.what()));
    }

    open.print("open search window (purchase, V_Jb_Goods) to first screen");
    openSale.print("open search window (sale, V_Yw_KcData) to first screen");
    keyFirst.print("keystroke 滤 (10% of names match) to first screen");
    keyRare.print("keystroke 7 of 43217 (few match, whole table) to screen");
    save.print("goods editor save (row, number, 3 barcodes) to closed");
    saveList.print("goods editor save + reread/position 100000-row list");
    std::printf("memory: resident with the search window first open %.1f MB; peak %.1f MB (the editor's save over the\n"
                "        whole goods list reads all of its rows to position the list on the new goods)\n",
                rssOpen, memoryMb("VmHWM:"));
    std::fflush(stdout);
    return 0;
}
