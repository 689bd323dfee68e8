// The counter with 100000 goods and 100000 barcodes in the embedded database, driven
// as a cashier drives it: codes typed into the code field and Enter (until the line is
// in the grid and the window has handled its events), then F5, the amount, Enter,
// Enter, until the 50-line ticket is saved, its receipt written to the printer's
// device (a file here) and the next ticket open.
#include "benchsupport.h"
#include "frmpay.h"
#include "frmposmain.h"
#include "posticket.h"
#include "schema.h"
#include "wjczy.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjdbgrid.h"
#include "wjinifile.h"
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
#include <QRandomGenerator>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
constexpr int kGoods = 100000;
constexpr int kLines = 50;
constexpr int kTickets = 10;

QString barcode(int i) { return QStringLiteral("69%1").arg(i, 11, 10, QLatin1Char('0')); }

void fill(TDBAction &db)
{
    TWjTransaction tr(db);
    db.ExecuteSQL("insert into Jb_GoodsType(MeId,ParentId,TypeName,NoType,CurNo) values(1,0,'配件','PJ',0)");
    for (int i = 1; i <= kGoods; ++i) {
        db.ExecuteBound("insert into Jb_Goods(Goods_Id,TypeId_Goods,GoodsNo,GoodsName,Unit1,uNum1_2,Unit2,uNum2_3,Unit3,"
                        "LastSa_Price1,LastSa_Price2,LastSa_Price3,LastIn_Price1,LastIn_Price2,LastIn_Price3) "
                        "values(?,1,?,?,'箱',10,'盒',4,'只','240','25','6.5','180','19','4.8')",
                        {i, QStringLiteral("PJ%1").arg(i, 6, 10, QLatin1Char('0')), QStringLiteral("配件%1").arg(i)});
        db.ExecuteBound("insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(?,?,?,?)", {i, i, barcode(i), 1 + i % 3});
    }
    tr.Commit();
}

void press(QWidget *w, int key)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(w, &up);
}

struct Stats
{
    std::vector<double> ms;
    void print(const char *what) const
    {
        std::vector<double> s = ms;
        std::sort(s.begin(), s.end());
        double sum = 0;
        for (double v : s)
            sum += v;
        std::printf("%-44s n=%4zu  mean %7.2f ms  median %7.2f  p95 %7.2f  max %7.2f\n", what, s.size(), sum / s.size(),
                    s[s.size() / 2], s[size_t(s.size() * 0.95)], s.back());
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
    BenchProgramDir(dir, QStringLiteral(WJ_SOURCE_DIR), {QStringLiteral("Pos.ini")});
    {
        TIniFile ini(dir.path() + "/sys/WjOptions.ini");
        ini.WriteString("PORT", "LPT1", "data\\lpt1.bin");
        QFile dev(dir.path() + "/data/lpt1.bin");
        if (!dev.open(QIODevice::WriteOnly))
            BenchFail("cannot create the printer file");
    }

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
        std::printf("100000 goods and barcodes written in %lld ms\n", t.elapsed());
        czy.SetPassword(QStringLiteral("系统管理员"), "bench");
        czy.BecomeOperator(QStringLiteral("系统管理员"));
    } catch (const std::exception &e) {
        BenchFail(QString::fromUtf8(e.what()));
    }

    TfrmMain w;
    w.resize(1280, 800);
    w.show();
    QApplication::processEvents();

    Stats scans, pays, dialogs;
    QRandomGenerator rnd(7);
    for (int ticket = 0; ticket < kTickets; ++ticket) {
        for (int l = 0; l < kLines; ++l) {
            const QString code = barcode(1 + int(rnd.bounded(kGoods)));
            w.edCode->setText(code);
            QElapsedTimer t;
            t.start();
            press(w.edCode, Qt::Key_Return);
            QApplication::processEvents();
            const double ms = t.nsecsElapsed() / 1e6;
            if (w.dbgLines->View()->model()->rowCount() != l + 1)
                BenchFail(QStringLiteral("the scan of %1 did not show its line").arg(code));
            scans.ms.push_back(ms);
        }
        // F5: the dialog shows (drawer pulse), the amount is typed, Enter, Enter pays.
        const QString before = w.edBillNo->text();
        QElapsedTimer f5;
        double dialogUp = 0, paid = 0;
        QTimer::singleShot(0, [&] {
            auto *d = qobject_cast<Tfrm_Pay *>(QApplication::activeModalWidget());
            if (!d)
                BenchFail("no payment dialog");
            dialogUp = f5.nsecsElapsed() / 1e6;
            d->edPaid->setText("100000");
            press(d->edPaid, Qt::Key_Return);
            QElapsedTimer t;
            t.start();
            press(d->cbRemark, Qt::Key_Return);
            paid = t.nsecsElapsed() / 1e6;
        });
        f5.start();
        press(w.edCode, Qt::Key_F5);
        if (w.edBillNo->text() == before || w.Ticket()->LineCount() != 0)
            BenchFail("the ticket was not paid");
        dialogs.ms.push_back(dialogUp);
        pays.ms.push_back(paid);
    }
    const int saved = db.SelectValue("select count(*) from Yw_Pos_SaDetail").toInt();
    if (saved != kLines * kTickets)
        BenchFail(QStringLiteral("%1 saved lines instead of %2").arg(saved).arg(kLines * kTickets));

    std::printf("PosDesk, embedded database, %d goods and barcodes:\n", kGoods);
    scans.print("scan: Enter to the line in the grid");
    dialogs.print("F5 to the payment dialog shown");
    pays.print("pay: Enter to the saved 50-line ticket");
    std::printf("targets: scan under 20 ms, payment under 100 ms\n");
    w.hide();
    SetPrompter(nullptr);
    return 0;
}
