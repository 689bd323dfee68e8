// The counter driven by keys as a cashier works it: scanning, scale labels, line keys,
// payment with its receipt and drawer, holding and recalling, the dialogs, the start.
#include "frmbxser_mui_tv_pos.h"
#include "frmchangenum.h"
#include "frmjg.h"
#include "frmpay.h"
#include "frmposmain.h"
#include "frmsysgq.h"
#include "posconfig.h"
#include "posstartup.h"
#include "posticket.h"
#include "wjdataset.h"
#include "wjdbgrid.h"
#include "wjinputs.h"
#include "wjerror.h"
#include "wjinifile.h"
#include "wjport.h"
#include "wjtestsupport.h"
#include "wjtext.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

namespace {
const QString kAdmin = QStringLiteral("系统管理员");

// Runs `act` on the modal dialog of type T once it is up; gives up after 5 s. A
// dialog the action leaves open is closed after 3 s, so a failing check cannot hang.
template <class T>
void whenModal(std::function<void(T *)> act, bool *ran)
{
    *ran = false;
    auto *timer = new QTimer;
    auto *clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [=] {
        T *d = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!d && clock->elapsed() < 5000)
            return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        if (!d)
            return;
        *ran = true;
        QPointer<T> guard(d);
        QTimer::singleShot(3000, d, [guard] {
            if (guard && guard->isVisible())
                guard->done(QDialog::Rejected);
        });
        act(d);
    });
    timer->start(10);
}

void type(QWidget *w, const QString &text)
{
    // QTest::keyClicks cannot type Chinese; the counter's inputs take Latin text only.
    QTest::keyClicks(w, text);
}

void key(QWidget *w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    QTest::keyClick(w, k, m);
}
} // namespace

class TestPosDesk : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestDatabase> t;
    std::unique_ptr<ScriptedPrompter> p;

    QString prog(const QString &rel) const { return t->programDir() + rel; }
    QString device() const { return prog("data/lpt1.bin"); }
    QByteArray written() const
    {
        QFile f(device());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    int count(const QString &sql) { return t->db().SelectValue(sql).toInt(); }
    QString value(const QString &sql) { return t->db().SelectValue(sql).toString(); }

    std::unique_ptr<TfrmMain> window()
    {
        auto w = std::make_unique<TfrmMain>();
        w->show();
        return w;
    }
    void scan(TfrmMain *w, const QString &code)
    {
        type(w->edCode, code);
        key(w->edCode, Qt::Key_Return);
    }
    QString line(TfrmMain *w, int row, const QString &field)
    {
        TWjQuery *q = w->Ticket()->Lines();
        return q->Value(row, q->FieldIndex(field)).toString();
    }
    QString cell(TfrmMain *w, int row, int col) { return w->dbgLines->View()->model()->index(row, col).data().toString(); }

    void writeGoods()
    {
        const QStringList sql = {
            "insert into Jb_GoodsType(MeId,ParentId,TypeName,NoType,CurNo) values(1,0,'油品','A',0)",
            "insert into Jb_GoodsType(MeId,ParentId,TypeName,NoType,CurNo) values(2,1,'机油','B',0)",
            "insert into Jb_GoodsType(MeId,ParentId,TypeName,NoType,CurNo) values(3,1,'润滑脂','C',0)",
            "insert into Jb_GoodsType(MeId,ParentId,TypeName,NoType,CurNo) values(4,0,'配件','D',0)",
            "insert into Jb_Goods(Goods_Id,TypeId_Goods,GoodsNo,GoodsName,Unit1,uNum1_2,Unit2,uNum2_3,Unit3,"
            "LastSa_Price1,LastSa_Price2,LastSa_Price3,LastIn_Price1,LastIn_Price2,LastIn_Price3) "
            "values(1,2,'G001','机油','箱',12,'瓶',0,'',400,35.5,0,300,26.4,0)",
            "insert into Jb_Goods(Goods_Id,TypeId_Goods,GoodsNo,GoodsName,Unit1,Unit2,Unit3,LastSa_Price1,LastIn_Price1) "
            "values(2,3,'G002','黄油','公斤','','',1.2,0.8)",
            "insert into Jb_Goods(Goods_Id,TypeId_Goods,GoodsNo,GoodsName,Unit1,uNum1_2,Unit2,uNum2_3,Unit3,"
            "LastSa_Price1,LastSa_Price2,LastSa_Price3,LastIn_Price1,LastIn_Price2,LastIn_Price3) "
            "values(3,4,'G003','刹车片','箱',10,'盒',4,'片',80,9,2.25,60,6.5,1.5)",
            "insert into Jb_Goods(Goods_Id,TypeId_Goods,GoodsNo,GoodsName,Unit1,Unit2,Unit3,LastSa_Price1,LastIn_Price1) "
            "values(4,4,'G004','火花塞','只','','',2.75,2)",
            "insert into Jb_Goods(Goods_Id,TypeId_Goods,GoodsNo,GoodsName,Unit1,Unit2,Unit3,LastSa_Price1) "
            "values(5,1,'G005','垫片','','','',3)",
            "insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(1,1,'6901',2)",
            "insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(2,1,'6900',1)",
            "insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(3,2,'1234',1)",
            "insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(4,3,'7003',3)",
            "insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(5,4,'7004',1)",
            "insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(6,4,'9990',0)",
        };
        for (const QString &s : sql)
            t->db().ExecuteSQL(s);
    }

    void writePosIni()
    {
        QFile f(prog("sys/Pos.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QStringLiteral("[标题]\n店名=维嘉汽车修配\n电话=电话:0571-88886666\n[标题_设置]\n项目符=品名 数量 单价\n"
                               "分栏符=------------------------\n[内容]\n分隔符=\n是否打印单价=否\n"
                               "[页脚_分栏符]\n分栏符=------------------------\n[页脚]\n1=谢谢惠顾，欢迎再来！\n")
                    .toUtf8());
    }

    void setDrawer(const QString &v) { TIniFile(PosConfig::SwitchFile()).WriteString("前台销售是否启用钱箱功能", "启用", v); }

    // Pays the open ticket in the payment dialog: `paid` typed, then Enter, Enter.
    bool payWith(TfrmMain *w, const QString &paid, bool print = true)
    {
        bool ran = false;
        whenModal<Tfrm_Pay>([=](Tfrm_Pay *d) {
            if (!print)
                d->chkPrint->setChecked(false);
            type(d->edPaid, paid);
            key(d->edPaid, Qt::Key_Return);
            key(d->cbRemark, Qt::Key_Return);
        }, &ran);
        key(w->edCode, Qt::Key_F5);
        return ran;
    }

private slots:
    void init()
    {
        WJ_REQUIRE_DB();
        t = std::make_unique<TestDatabase>();
        p = std::make_unique<ScriptedPrompter>();
        t->LoginAdmin();
        writeGoods();
        // Ticket numbers without a date part, so the receipt is the same every day.
        t->db().ExecuteSQL("update WJ_SYS_BH set DATEFMT='' where BHCODE='POS_BH'");
        QDir().mkpath(prog("data"));
        QFile dev(device());
        QVERIFY(dev.open(QIODevice::WriteOnly));
        TIniFile(prog("sys/WjOptions.ini")).WriteString("PORT", "LPT1", "data\\lpt1.bin");
        writePosIni();
    }
    void cleanup()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        p.reset();
        t.reset();
    }

    void windowShowsItsPanelsAndCaption()
    {
        auto w = window();
        QCOMPARE(w->edCzy->text(), kAdmin);
        QCOMPARE(w->edBillNo->text(), QString("XP0001"));
        QCOMPARE(w->edPayType->text(), QStringLiteral("现金"));
        QCOMPARE(w->edNum->text(), QString("1"));
        QVERIFY(w->rbScan->isChecked());
        QStringList headers;
        for (int c = 0; c < 5; ++c)
            headers << w->dbgLines->View()->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headers, QStringList({"序", "商品名称", "商品编码", "数量", "金额"}));
        QCOMPARE(QStringList({w->FooterText(0), w->FooterText(1), w->FooterText(2), w->FooterText(3), w->FooterText(4)}),
                 QStringList({"-", "合计", "------", "0", "0"}));
        QStringList labels;
        for (QLabel *l : w->findChild<QWidget *>("gbKeys")->findChildren<QLabel *>())
            labels << l->text();
        QCOMPARE(labels.size(), 13);
        QVERIFY(labels.contains(QStringLiteral("挂单：Page Up")) && labels.contains(QStringLiteral("退出系统：ESC")));
        QStringList menus;
        for (QAction *a : w->menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, QStringList({"系统管理[&F]", "帮助[&H]"}));
        QVERIFY(w->StatusPanel(1)->text().startsWith(QStringLiteral(" 操作员:〖") + kAdmin + QStringLiteral("〗登录时间：")));
        QCOMPARE(w->StatusPanel(2)->text(), QStringLiteral("〖") + t->czy().SessionCaption + QStringLiteral("〗"));
        QTRY_VERIFY(!w->FirstTickTimer()->isActive());
        QVERIFY(w->windowTitle().endsWith(QStringLiteral("前台销售管理系统")));
        w->grab().save(prog("posdesk.png"));
    }

    void scanSellsTheBarcodesUnit()
    {
        auto w = window();
        w->edNum->setText("3");
        scan(w.get(), " 6901 ");
        QCOMPARE(w->Ticket()->LineCount(), 1);
        QCOMPARE(line(w.get(), 0, "Unit_Flag"), QString("2"));
        QCOMPARE(line(w.get(), 0, "Unit"), QStringLiteral("瓶"));
        QCOMPARE(w->Ticket()->Lines()->FieldByName("Sa_Price").AsCurrency().ToString(), QString("35.5"));
        QCOMPARE(w->Ticket()->Lines()->FieldByName("In_Price").AsCurrency().ToString(), QString("26.4"));
        QCOMPARE(cell(w.get(), 0, 0), QString("1"));
        QCOMPARE(cell(w.get(), 0, 1), QStringLiteral("机油"));
        QCOMPARE(cell(w.get(), 0, 2), QString("G001"));
        QCOMPARE(cell(w.get(), 0, 3), QStringLiteral("3瓶"));
        QCOMPARE(cell(w.get(), 0, 4), QString("106.5"));
        QVERIFY(w->edCode->text().isEmpty());
        QCOMPARE(w->edNum->text(), QString("3"));  // not reset after a barcode
        scan(w.get(), "6900");
        QCOMPARE(cell(w.get(), 1, 3), QStringLiteral("3箱"));
        QCOMPARE(w->FooterText(3), QString("2"));
        QCOMPARE(w->FooterText(4), QString("1306.5"));
        QVERIFY(p->shown.empty());
        QCOMPARE(count("select count(*) from Yw_Pos_SaDetailTmp"), 0);  // nothing stored before payment
    }

    void scaleLabelSellsTheWeight()
    {
        auto w = window();
        w->edNum->setText("4");
        scan(w.get(), "21123400750");  // goods 1234, weight 00750 -> 1.5
        QCOMPARE(w->Ticket()->LineCount(), 1);
        QCOMPARE(cell(w.get(), 0, 1), QStringLiteral("黄油"));
        QCOMPARE(cell(w.get(), 0, 3), QStringLiteral("1.5公斤"));
        QCOMPARE(cell(w.get(), 0, 4), QString("1.8"));
        QCOMPARE(w->edNum->text(), QString("1"));
    }

    void lineAmountRoundsHalfToEven_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("amount");
        QTest::newRow("2.25 gives 2.2") << "7003" << "1" << "2.2";
        QTest::newRow("2.75 gives 2.8") << "7004" << "1" << "2.8";
        QTest::newRow("4.5 tenths to 4") << "7003" << "0.2" << "0.4";   // 0.45
        QTest::newRow("6.75 tenths to 7") << "7003" << "0.3" << "0.7";  // 0.675
        QTest::newRow("11.25 gives 11.2") << "7003" << "5" << "11.2";
    }
    void lineAmountRoundsHalfToEven()
    {
        QFETCH(QString, code);
        QFETCH(QString, quantity);
        QFETCH(QString, amount);
        auto w = window();
        w->edNum->setText(quantity);
        scan(w.get(), code);
        QCOMPARE(cell(w.get(), 0, 4), amount);
        QCOMPARE(w->Ticket()->Due().ToString(), amount);
    }

    void badCodesAndQuantitiesAddNothing_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("codeKept");
        const QString none = QStringLiteral("对不起，库存中没有该商品资料！");
        QTest::newRow("short unknown code") << "123" << "1" << none << false;
        QTest::newRow("label of unknown goods") << "21999900750" << "1" << none << false;
        QTest::newRow("label weight not a number") << "2112340A750" << "1" << none << false;
        QTest::newRow("quote in the code") << "69'01" << "1" << none << false;
        QTest::newRow("quantity not a number") << "6901" << "abc" << QStringLiteral("数量必须是数字！") << true;
        QTest::newRow("empty quantity") << "6901" << "" << QStringLiteral("数量必须是数字！") << true;
        QTest::newRow("barcode without unit") << "9990" << "1" << QStringLiteral("单位标志") << false;
        // Hostile input: markers and wildcards are only characters of a code; quantities
        // are plain decimal numbers.
        QTest::newRow("comment markers in the code") << "6901' or 1=1 --" << "1" << none << false;
        QTest::newRow("wildcard code") << "69%" << "1" << none << false;
        QTest::newRow("exponent quantity") << "6901" << "1e3" << QStringLiteral("数量必须是数字！") << true;
        QTest::newRow("infinite quantity") << "6901" << "inf" << QStringLiteral("数量必须是数字！") << true;
        QTest::newRow("huge quantity") << "6901" << "99999999999" << QStringLiteral("数量必须是数字！") << true;
    }
    void badCodesAndQuantitiesAddNothing()
    {
        QFETCH(QString, code);
        QFETCH(QString, quantity);
        QFETCH(QString, message);
        QFETCH(bool, codeKept);
        auto w = window();
        w->edNum->setText(quantity);
        scan(w.get(), code);
        QCOMPARE(w->Ticket()->LineCount(), 0);
        QCOMPARE(p->shown.size(), size_t(1));
        QVERIFY2(p->Last().contains(message), qPrintable(p->Last()));
        QCOMPARE(p->shown[0].caption, QStringLiteral("提示"));
        QCOMPARE(int(p->shown[0].kind), int(TWjPrompter::Kind::Warning));
        QCOMPARE(w->edCode->text().isEmpty(), !codeKept);
        QCOMPARE(w->edNum->text(), quantity);
    }

    void lineKeysDeleteClearAndMove()
    {
        auto w = window();
        for (const char *c : {"6901", "7003", "7004"})
            scan(w.get(), c);
        QCOMPARE(w->Ticket()->Lines()->RecNo(), 3);
        key(w->edCode, Qt::Key_Up);
        key(w->edCode, Qt::Key_Up);
        QCOMPARE(w->dbgLines->View()->currentIndex().row(), 0);
        key(w->edCode, Qt::Key_Down);
        QCOMPARE(w->Ticket()->Lines()->RecNo(), 2);
        key(w->edCode, Qt::Key_Delete);  // the current line, 刹车片
        QCOMPARE(w->Ticket()->LineCount(), 2);
        QCOMPARE(cell(w.get(), 1, 1), QStringLiteral("火花塞"));
        scan(w.get(), "6900");
        QCOMPARE(cell(w.get(), 2, 0), QString("3"));  // lines before it, plus one
        p->answers = {false};
        key(w->edNum, Qt::Key_End);
        QCOMPARE(p->Last(), QStringLiteral("您是否确定清空列表资料？"));
        QCOMPARE(w->Ticket()->LineCount(), 3);
        p->answers = {true};
        key(w->edCode, Qt::Key_End);
        QCOMPARE(w->Ticket()->LineCount(), 0);
        QCOMPARE(w->FooterText(4), QString("0"));
        p->Clear();
        key(w->edCode, Qt::Key_End);  // empty: nothing asked
        key(w->edCode, Qt::Key_Delete);
        QVERIFY(p->shown.empty());
        key(w->edCode, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(w->rbManual->isChecked());
        key(w->edCode, Qt::Key_T, Qt::ControlModifier);
        QVERIFY(w->rbScan->isChecked());
    }

    void quantityDialogEditsTheCurrentLine()
    {
        auto w = window();
        bool ran = false;
        key(w->edCode, Qt::Key_F4);  // empty ticket: no dialog
        QVERIFY(!QApplication::activeModalWidget());
        scan(w.get(), "6901");
        scan(w.get(), "7004");
        key(w->edCode, Qt::Key_Up);
        whenModal<TfrmChangeNum>([&](TfrmChangeNum *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("修改数量"));
            QCOMPARE(d->lbGoodsName->text(), QStringLiteral("机油"));
            QCOMPARE(d->lbOldNum->text(), QString("1"));
            QCOMPARE(d->edNewPrice->text(), QString("35.5"));
            d->edNewNum->setText("x");
            d->btnOk->click();
            QCOMPARE(p->Last(), QStringLiteral("数量必须是数字！"));
            QVERIFY(d->isVisible());
            d->edNewNum->setText("2");
            d->edNewPrice->setText("3..0");
            d->btnOk->click();
            QCOMPARE(p->Last(), QStringLiteral("单价必须是数字！"));
            QCOMPARE(line(w.get(), 0, "SaNum"), QString("1"));
            d->edNewPrice->setText("30");
            key(d->edNewNum, Qt::Key_Return);  // Enter moves to "确定"
            key(d->btnOk, Qt::Key_Return);
        }, &ran);
        key(w->edCode, Qt::Key_F4);
        QVERIFY(ran);
        QCOMPARE(cell(w.get(), 0, 3), QStringLiteral("2瓶"));
        QCOMPARE(cell(w.get(), 0, 4), QString("60"));
        QCOMPARE(cell(w.get(), 1, 4), QString("2.8"));
        QCOMPARE(w->FooterText(4), QString("62.8"));
    }

    void paymentSavesPrintsAndOpensTheDrawer()
    {
        auto w = window();
        scan(w.get(), "6901");
        scan(w.get(), "21123400750");
        QCOMPARE(w->FooterText(4), QString("37.3"));
        bool ran = false;
        whenModal<Tfrm_Pay>([&](Tfrm_Pay *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("付款"));
            QCOMPARE(d->edDue->text(), QString("37.3"));
            QVERIFY(d->chkPrint->isChecked());
            QCOMPARE(written(), WjPort::DrawerPulse());  // the drawer opened with the dialog
            type(d->edPaid, "30");
            key(d->edPaid, Qt::Key_Return);
            QCOMPARE(p->Last(), QStringLiteral("对不起，付款金额小于应付金额！"));
            QCOMPARE(d->focusWidget(), d->edPaid);
            d->edPaid->clear();
            type(d->edPaid, "50");
            key(d->edPaid, Qt::Key_Return);
            QCOMPARE(d->edChange->text(), QString("12.7"));
            key(d->cbRemark, Qt::Key_Return);  // Enter, Enter pays
        }, &ran);
        key(w->edCode, Qt::Key_F5);
        QVERIFY(ran);

        QFile expected(QFINDTESTDATA("data/receipt_small.bin"));
        QVERIFY(expected.open(QIODevice::ReadOnly));
        QCOMPARE(written(), WjPort::DrawerPulse() + expected.readAll());

        QCOMPARE(count("select count(*) from Yw_Pos_SaHead"), 1);
        const QString head = value("select SaHead_Id from Yw_Pos_SaHead");
        QCOMPARE(value("select Sa_AutoNum from Yw_Pos_SaHead"), QString("XP0001"));
        QCOMPARE(value("select Operation from Yw_Pos_SaHead"), kAdmin);
        QCOMPARE(value("select PayType from Yw_Pos_SaHead"), QStringLiteral("现金"));
        QCOMPARE(t->db().SelectValue("select Sa_Date from Yw_Pos_SaHead").toDate(), QDate::currentDate());
        QCOMPARE(count("select count(*) from Yw_Pos_SaDetailTmp where SaMain_Id=" + head), 2);
        TWjQuery q;
        t->db().SelectTable("select * from Yw_Pos_SaDetail where SaMain_Id=" + head + " order by Xh_SaDetail", q);
        QCOMPARE(q.RecordCount(), 2);
        auto f = [&](const char *n) { return q.FieldByName(n).AsString(); };
        QCOMPARE(QStringList({f("Unit_Flag"), f("SaNum1"), f("SaNum2"), f("Sa_Price2"), f("SaNum3"), f("TIn_Price")}),
                 QStringList({"2", "0", "1", "35.5", "0", "26.4"}));
        q.Next();
        QCOMPARE(QStringList({f("Unit_Flag"), f("SaNum1"), f("Sa_Price1"), f("SaNum2"), f("TIn_Price")}),
                 QStringList({"1", "1.5", "1.2", "0", "1.2"}));
        // The next ticket is open, with the next number.
        QCOMPARE(w->Ticket()->LineCount(), 0);
        QCOMPARE(w->edBillNo->text(), QString("XP0002"));
        QVERIFY(w->Ticket()->SaHeadId != head);
    }

    void thirdUnitIsSavedInItsPair()
    {
        auto w = window();
        w->edNum->setText("2");
        scan(w.get(), "7003");
        QVERIFY(payWith(w.get(), "", false));  // no receipt: the amounts are not needed
        QCOMPARE(written(), WjPort::DrawerPulse());
        TWjQuery q;
        t->db().SelectTable("select * from Yw_Pos_SaDetail", q);
        QCOMPARE(q.RecordCount(), 1);
        auto f = [&](const char *n) { return q.FieldByName(n).AsString(); };
        QCOMPARE(QStringList({f("SaNum1"), f("Sa_Price1"), f("SaNum2"), f("Sa_Price2"), f("SaNum3"), f("Sa_Price3"),
                              f("TIn_Price"), f("Unit_Flag")}),
                 QStringList({"0", "0", "0", "0", "2", "2.25", "3", "3"}));
    }

    void failedSaveStoresNothingAndKeepsTheTicket()
    {
        auto w = window();
        scan(w.get(), "6901");
        scan(w.get(), "7004");
        const QString number = w->edBillNo->text();
        t->db().SetStatementFilter([](const QString &sql) { return !sql.startsWith("insert into Yw_Pos_SaDetail("); });
        bool ran = false;
        whenModal<Tfrm_Pay>([&](Tfrm_Pay *d) {
            type(d->edPaid, "100");
            key(d->edPaid, Qt::Key_F5);
            QVERIFY(d->isVisible());  // the dialog stays
            QCOMPARE(int(p->shown.back().kind), int(TWjPrompter::Kind::Error));
            key(d->edPaid, Qt::Key_F4);
        }, &ran);
        key(w->edCode, Qt::Key_F5);
        QVERIFY(ran);
        t->db().SetStatementFilter(nullptr);
        QCOMPARE(count("select count(*) from Yw_Pos_SaHead"), 0);
        QCOMPARE(count("select count(*) from Yw_Pos_SaDetailTmp"), 0);
        QCOMPARE(count("select count(*) from Yw_Pos_SaDetail"), 0);
        QCOMPARE(w->Ticket()->LineCount(), 2);
        QCOMPARE(w->edBillNo->text(), number);
        QCOMPARE(written(), WjPort::DrawerPulse());  // no receipt for an unsaved ticket
        // The same ticket pays once the database takes it.
        QVERIFY(payWith(w.get(), "100"));
        QCOMPARE(count("select count(*) from Yw_Pos_SaHead where Sa_AutoNum=" + TDBAction::QuotedStr(number)), 1);
        QCOMPARE(count("select count(*) from Yw_Pos_SaDetailTmp"), 2);
        QCOMPARE(count("select count(*) from Yw_Pos_SaDetail"), 2);
    }

    void startAndCloseUseOneNumber()
    {
        const auto used = [&] { return value("select CURNO from WJ_SYS_BH where BHCODE='POS_BH'").toInt(); };
        const int before = used();
        auto w = window();
        QCOMPARE(used(), before + 1);
        p->answers = {false};
        QVERIFY(!w->close());
        QCOMPARE(p->shown.back().caption, QStringLiteral("退出"));
        QCOMPARE(p->Last(), QStringLiteral("您真的确认要退出《前台销售管理系统》吗？"));
        QCOMPARE(count("select count(*) from WJ_SYS_LOG where LOGTEXT='退出系统'"), 0);
        p->answers = {true};
        key(w->edCode, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QCOMPARE(count("select count(*) from WJ_SYS_LOG where LOGTEXT='退出系统'"), 1);
        QCOMPARE(used(), before + 1);
    }

    void holdThenRecallAfterARestart()
    {
        auto w = window();
        key(w->edCode, Qt::Key_PageUp);
        QCOMPARE(p->Last(), QStringLiteral("对不起，系统处于待销售状态，不能挂单！"));
        scan(w.get(), "6901");
        scan(w.get(), "21123400750");
        w->edNum->setText("2");
        scan(w.get(), "7003");
        const QString number = w->edBillNo->text();
        const QString head = w->Ticket()->SaHeadId;
        key(w->edCode, Qt::Key_Home);
        QCOMPARE(p->Last(), QStringLiteral("对不起，系统处于销售状态，不能解挂！"));
        p->answers = {false};
        key(w->edCode, Qt::Key_PageUp);
        QCOMPARE(p->Last(), QStringLiteral("您是否确定挂单？"));
        QCOMPARE(count("select count(*) from Yw_Pos_Gd"), 0);
        QCOMPARE(w->Ticket()->LineCount(), 3);
        p->answers = {true};
        key(w->edCode, Qt::Key_PageUp);
        QCOMPARE(w->Ticket()->LineCount(), 0);
        QVERIFY(w->edBillNo->text() != number);
        QCOMPARE(value("select SaMainBh from Yw_Pos_Gd"), number);
        QCOMPARE(value("select sGoods from Yw_Pos_Gd"), QStringLiteral("机油,黄油,刹车片"));
        w.reset();

        // Another program on its own connection: nothing of the first one is in memory.
        auto second = t->OpenSecond();
        CurDBAction = second.get();
        auto w2 = window();
        bool ran = false;
        whenModal<TfrmJg>([&](TfrmJg *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("解挂"));
            QCOMPARE(d->dbgHeld->View()->model()->rowCount(), 1);
            QCOMPARE(d->dbgHeld->View()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("单号"));
            QCOMPARE(d->dbgHeld->View()->model()->index(0, 0).data().toString(), number);
            QCOMPARE(d->dbgHeld->View()->model()->index(0, 1).data().toString(), QStringLiteral("机油,黄油,刹车片"));
            d->btnOk->click();
        }, &ran);
        key(w2->edCode, Qt::Key_Home);
        QVERIFY(ran);
        QCOMPARE(w2->edBillNo->text(), number);
        QCOMPARE(w2->Ticket()->SaHeadId, head);
        QCOMPARE(w2->Ticket()->LineCount(), 3);
        QStringList shown;
        for (int r = 0; r < 3; ++r)
            shown << cell(w2.get(), r, 0) + " " + cell(w2.get(), r, 1) + " " + cell(w2.get(), r, 3) + " " + cell(w2.get(), r, 4);
        QCOMPARE(shown, QStringList({"1 机油 1瓶 35.5", "2 黄油 1.5公斤 1.8", "3 刹车片 2片 4.5"}));
        QCOMPARE(w2->FooterText(4), QString("41.8"));
        QCOMPARE(count("select count(*) from Yw_Pos_Gd"), 0);
        QCOMPARE(count("select count(*) from Yw_Pos_GdDetail"), 0);
        // The recalled ticket pays under its own number.
        QVERIFY(payWith(w2.get(), "50"));
        QCOMPARE(value("select Sa_AutoNum from Yw_Pos_SaHead"), number);
        QCOMPARE(count("select count(*) from Yw_Pos_SaDetail where SaMain_Id=" + head), 3);
        w2.reset();
        CurDBAction = &t->db();
    }

    void heldTicketsCanBeDeleted()
    {
        auto w = window();
        scan(w.get(), "6901");
        p->answers = {true};
        key(w->edCode, Qt::Key_PageUp);
        QCOMPARE(count("select count(*) from Yw_Pos_Gd"), 1);
        bool ran = false;
        whenModal<TfrmJg>([&](TfrmJg *d) {
            p->answers = {false};
            d->btnDelete->click();
            QCOMPARE(p->Last(), QStringLiteral("您是否确定删除该挂单？"));
            QCOMPARE(d->dbgHeld->View()->model()->rowCount(), 1);
            p->answers = {true};
            d->btnDelete->click();
            QCOMPARE(d->dbgHeld->View()->model()->rowCount(), 0);
            QVERIFY(!d->btnOk->isEnabled());
            key(d->dbgHeld->View(), Qt::Key_Escape);
        }, &ran);
        key(w->edCode, Qt::Key_Home);
        QVERIFY(ran);
        QCOMPARE(count("select count(*) from Yw_Pos_Gd"), 0);
        QCOMPARE(count("select count(*) from Yw_Pos_GdDetail"), 0);
        QCOMPARE(w->Ticket()->LineCount(), 0);
    }

    void aHeldTicketIsRecalledOnce()
    {
        // Two counters on their own connections see the same held ticket.
        auto second = t->OpenSecond();
        TPosTicket a, b;
        b.SetConnection(second.get());
        a.Start(kAdmin);
        b.Start(kAdmin);
        TPosGoods g;
        QCOMPARE(a.FindBarcode("6901", &g), TPosTicket::Lookup::Found);
        a.AddLine(g, 2);
        p->answers = {true};
        QVERIFY(a.Hold());
        const QString gd = value("select Gd_Id from Yw_Pos_Gd");
        QVERIFY(b.Recall(gd));
        QCOMPARE(b.LineCount(), 1);
        p->Clear();
        QVERIFY(!a.Recall(gd));
        QCOMPARE(p->Last(), QStringLiteral("该挂单已不存在，可能已在其他收银台解挂或被删除！"));
        QVERIFY(!p->shown.back().inTransaction);
        QCOMPARE(a.LineCount(), 0);
    }

    // The warning that a held ticket is gone comes once the transaction is rolled back:
    // another counter writes while it is up.
    void aGoneHeldTicketIsSaidOutsideTheTransaction()
    {
        auto other = t->OpenSecond(500);
        TPosTicket a;
        a.Start(kAdmin);
        TPosGoods g;
        QCOMPARE(a.FindBarcode("6901", &g), TPosTicket::Lookup::Found);
        a.AddLine(g, 1);
        p->answers = {true};
        QVERIFY(a.Hold());
        const QString gd = value("select Gd_Id from Yw_Pos_Gd");
        other->ExecuteSQL("delete from Yw_Pos_GdDetail where Gd_Id=" + gd);
        other->ExecuteSQL("delete from Yw_Pos_Gd where Gd_Id=" + gd);
        int otherWrote = 0;
        p->onShow = [&](const ScriptedPrompter::Shown &) {
            QVERIFY(!t->db().InTransaction());
            other->ExecuteSQL("update WJ_SYS_BH set CURNO=CURNO where BHCODE='POS_BH'");  // a sale's number elsewhere
            ++otherWrote;
        };
        p->Clear();
        QVERIFY(!a.Recall(gd));
        QCOMPARE(p->Texts(), QStringList({QStringLiteral("该挂单已不存在，可能已在其他收银台解挂或被删除！")}));
        QCOMPARE(otherWrote, 1);
        QCOMPARE(a.LineCount(), 0);
    }

    // A ticket that cannot be opened at start (the database busy) is opened by the next
    // scan; meanwhile the cashier reads what happened, not a dataset error.
    void aTicketThatFailedToOpenIsOpenedByTheNextScan()
    {
        bool failed = false;
        t->db().SetStatementFilter([&](const QString &sql) {
            if (!failed && sql.startsWith("update WJ_SYS_BH")) {
                failed = true;
                return false;
            }
            return true;
        });
        auto w = window();
        QVERIFY(failed);
        QCOMPARE(p->shown.size(), size_t(1));
        QVERIFY2(p->Last().startsWith(QStringLiteral("新的小票未能打开：数据库暂时无法使用")), qPrintable(p->Last()));
        QVERIFY(!w->Ticket()->Ready());
        QCOMPARE(w->edBillNo->text(), QString());
        QCOMPARE(w->edCzy->text(), kAdmin);
        p->Clear();
        scan(w.get(), "6901");
        QVERIFY(p->shown.empty());
        QVERIFY(w->Ticket()->Ready());
        QCOMPARE(w->Ticket()->LineCount(), 1);
        QCOMPARE(w->edBillNo->text(), QString("XP0001"));
        QVERIFY(w->Ticket()->SaHeadId != "0");
        t->db().SetStatementFilter({});
        QVERIFY(payWith(w.get(), "50", false));
        QCOMPARE(value("select Sa_AutoNum from Yw_Pos_SaHead"), QString("XP0001"));
    }

    // A barcode two goods carry (stored before barcodes were unique) is not sold as
    // either of them silently: the cashier is asked which.
    void aBarcodeOfSeveralGoodsAsksWhich()
    {
        t->db().ExecuteSQL("drop index UX_Jb_Goods_Tm_Txm");
        t->db().ExecuteSQL("insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(20,2,'5555',1)");
        t->db().ExecuteSQL("insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(21,4,'5555',1)");
        auto w = window();
        p->choices = {1};
        scan(w.get(), "5555");
        QCOMPARE(p->offered, QStringList({QStringLiteral("黄油（G002） 按公斤"), QStringLiteral("火花塞（G004） 按只")}));
        QCOMPARE(w->Ticket()->LineCount(), 1);
        QCOMPARE(line(w.get(), 0, "GoodsName"), QStringLiteral("火花塞"));
        QCOMPARE(line(w.get(), 0, "GoodsNo"), QString("G004"));
        scan(w.get(), "5555");  // no answer: nothing sold, nothing else said
        QCOMPARE(w->Ticket()->LineCount(), 1);
        QCOMPARE(p->shown.size(), size_t(2));
        QVERIFY(w->edCode->text().isEmpty());
    }

    // The held ticket's goods text is cut at 255 whole characters (cut at 255 UTF-16
    // units it would end in half of one).
    void heldTicketTextKeepsWholeCharacters()
    {
        const QString wide = QString::fromUcs4(U"\U00020000");
        TPosTicket a;
        a.Start(kAdmin);
        TPosGoods g;
        QCOMPARE(a.FindBarcode("1234", &g), TPosTicket::Lookup::Found);
        g.goodsName = QString();
        for (int i = 0; i < 50; ++i)
            g.goodsName += wide;  // 50 characters, 100 units
        for (int i = 0; i < 6; ++i)
            a.AddLine(g, 1);
        p->answers = {true};
        QVERIFY(a.Hold());
        const QString stored = value("select sGoods from Yw_Pos_Gd");
        QCOMPARE(WjText::CharCount(stored), 255);
        QVERIFY(WjText::IsClean(stored));
        QCOMPARE(stored, QStringList(5, g.goodsName).join(',') + ',');
    }

    void theCounterLogsItsLoginAsTheMainProgramDoes()
    {
        auto w = window();
        QTRY_VERIFY(!w->FirstTickTimer()->isActive());
        QCOMPARE(w->windowTitle(), TfrmMain::ProductTitle());
        QCOMPARE(count("select count(*) from WJ_SYS_LOG where LOGTEXT='登录系统' and CZYNAME='" + kAdmin + "'"), 1);
    }

    void keypadKeysOfTheKeyPanel()
    {
        auto w = window();
        key(w->edCode, Qt::Key_Minus);  // the main keyboard's minus only types
        QCOMPARE(written(), QByteArray());
        QCOMPARE(w->edCode->text(), QString("-"));
        w->edCode->clear();
        key(w->edCode, Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(written(), WjPort::DrawerPulse());
        key(w->edCode, Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(w->edNum->selectedText(), QString("1"));
        scan(w.get(), "6901");
        bool ran = false;
        whenModal<Tfrm_Pay>([&](Tfrm_Pay *d) { key(d->edPaid, Qt::Key_F4); }, &ran);
        key(w->edCode, Qt::Key_Asterisk, Qt::KeypadModifier);
        QVERIFY(ran);
    }

    void drawerSwitch_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<bool>("opens");
        QTest::newRow("default on") << QString() << true;
        QTest::newRow("N") << "N" << false;
        QTest::newRow("Y") << "Y" << true;
    }
    void drawerSwitch()
    {
        QFETCH(QString, setting);
        QFETCH(bool, opens);
        QFile::remove(PosConfig::SwitchFile());
        if (!setting.isEmpty())
            setDrawer(setting);
        auto w = window();
        key(w->edCode, Qt::Key_F11);
        scan(w.get(), "6901");
        bool ran = false;
        whenModal<Tfrm_Pay>([&](Tfrm_Pay *d) { key(d->edPaid, Qt::Key_F4); }, &ran);
        key(w->edCode, Qt::Key_F5);
        QVERIFY(ran);
        QCOMPARE(w->Ticket()->LineCount(), 1);  // F4 leaves the ticket open
        QCOMPARE(written(), opens ? WjPort::DrawerPulse() + WjPort::DrawerPulse() : QByteArray());
    }

    void unavailablePrinterStillSavesTheTicket()
    {
        TIniFile(prog("sys/WjOptions.ini")).WriteString("PORT", "LPT1", "data\\no-printer");
        auto w = window();
        key(w->edCode, Qt::Key_F11);
        scan(w.get(), "6901");
        QVERIFY(payWith(w.get(), "40"));
        QVERIFY(p->shown.empty());  // no message about the printer or the drawer
        QCOMPARE(count("select count(*) from Yw_Pos_SaHead"), 1);
    }

    void lockKeepsTheSpacesOfThePassword()
    {
        t->czy().SetPassword(kAdmin, "  lock");
        auto w = window();
        bool ran = false;
        whenModal<TfrmSysGq>([&](TfrmSysGq *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("软件挂起"));
            QCOMPARE(d->Banner->Text(), QStringLiteral("程序已挂起，可输入密码将它唤醒。"));
            key(d->edPassword, Qt::Key_Return);
            QCOMPARE(p->Last(), QStringLiteral("请输入密码！"));
            type(d->edPassword, "lock");
            key(d->edPassword, Qt::Key_Return);
            QCOMPARE(p->Last(), QStringLiteral("密码错误，请重新输入！"));
            key(d->edPassword, Qt::Key_Escape);
            d->btnExit->click();
            QVERIFY(d->isVisible());  // still locked
            d->edPassword->clear();
            type(d->edPassword, "  lock");
            d->btnEnter->click();
            QVERIFY(!d->isVisible());
        }, &ran);
        key(w->edCode, Qt::Key_F3);
        QVERIFY(ran);
        QCOMPARE(p->shown.size(), size_t(2));
    }

    void searchWindowAddsLinesIntoTheTicket()
    {
        // The selected list's layout file names its columns.
        TIniFile(prog("sys/多选_前台销售商品资料.fmt")).WriteString("Columns", "GoodsName", "品名|150|1");
        auto w = window();
        bool ran = false;
        whenModal<TfrmBxSer_Mui_Tv_Pos>([&](TfrmBxSer_Mui_Tv_Pos *d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("库存资料"));
            QCOMPARE(d->Goods()->RecordCount(), 5);
            QCOMPARE(d->dbgSelected->View()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("品名"));
            QCOMPARE(d->cbTarget->currentText(), QStringLiteral("库存资料"));
            // A search value is quoted, whatever it holds.
            d->edValue->setText(QStringLiteral("o'il"));
            QCOMPARE(d->Goods()->RecordCount(), 0);
            QVERIFY(p->shown.empty());
            // A type with two sub-types lists the goods of all three.
            QTreeWidgetItem *oil = d->tvType->findItems(QStringLiteral("油品"), Qt::MatchExactly).value(0);
            QVERIFY(oil);
            d->TypeClicked(oil);
            QCOMPARE(d->Goods()->RecordCount(), 3);
            d->btnAdd->click();
            QCOMPARE(p->Last(), QStringLiteral("请选择商品资料！"));
            // Two units: the second is chosen, with its prices.
            QVERIFY(d->Goods()->Locate("GoodsName", QStringLiteral("机油")));
            key(d->dbgGoods->View(), Qt::Key_Return);
            QCOMPARE(d->lbName->text(), QStringLiteral("机油"));
            QCOMPARE(d->cbUnit->count(), 2);
            QCOMPARE(d->cbUnit->currentText(), QStringLiteral("瓶"));
            QCOMPARE(d->UnitFlag(), 2);
            QCOMPARE(d->edPrice->text(), QString("35.5"));
            QCOMPARE(d->edTotal->text(), QString("35.5"));
            d->edNum->setText("1.5");
            d->btnAdd->click();
            QCOMPARE(p->Last(), QStringLiteral("数量必须是整数！"));
            QCOMPARE(w->Ticket()->LineCount(), 0);
            d->edNum->setText("2");
            key(d->edNum, Qt::Key_Return);
            QCOMPARE(d->edTotal->text(), QString("71"));
            d->btnAdd->click();
            QCOMPARE(w->Ticket()->LineCount(), 1);
            QVERIFY(d->lbName->text().isEmpty());
            d->btnAdd->click();
            QCOMPARE(p->Last(), QStringLiteral("请选择商品资料！"));
            // Three units, the first chosen by hand; found by goods number.
            d->cbField->setCurrentIndex(d->cbField->findText(QStringLiteral("商品编码")));
            d->edValue->setText(QStringLiteral("G003"));
            QCOMPARE(d->Goods()->RecordCount(), 1);
            d->PickGoods();
            QCOMPARE(d->cbUnit->count(), 3);
            QCOMPARE(d->edPrice->text(), QString("2.25"));
            d->UnitChosen(0);
            QCOMPARE(d->edPrice->text(), QString("80"));
            d->btnAdd->click();
            // No unit at all: nothing to choose, the price stays.
            d->edValue->setText(QStringLiteral("G005"));
            d->PickGoods();
            QCOMPARE(d->cbUnit->count(), 0);
            QCOMPARE(d->edPrice->text(), QString("80"));
            d->btnAdd->click();
            QCOMPARE(w->Ticket()->LineCount(), 2);
            d->btnOk->click();
            QVERIFY(d->Result());
        }, &ran);
        w->btnSearch->click();
        QVERIFY(ran);
        QStringList shown;
        for (int r = 0; r < 2; ++r)
            shown << cell(w.get(), r, 1) + " " + cell(w.get(), r, 3) + " " + cell(w.get(), r, 4) + " "
                         + line(w.get(), r, "Unit_Flag");
        QCOMPARE(shown, QStringList({"机油 2瓶 71 2", "刹车片 1箱 80 1"}));
        QCOMPARE(w->Ticket()->Lines()->Value(0, w->Ticket()->Lines()->FieldIndex("In_Price")).value<Currency>().ToString(),
                 QString("26.4"));
    }

    void operatorChangeAndPrinterSetting()
    {
        t->db().ExecuteSQL("insert into WJ_SYS_CZY(CZYNAME,CZYPASSWORD,CZYLEVEL) values('李四','',3)");
        t->czy().SetPassword("李四", "x");
        auto w = window();
        ScriptedSessionUi ui;
        t->czy().SetUi(&ui);
        ui.logins.push_back({QString(), QString(), true});
        key(w->edCode, Qt::Key_F6);  // cancelled: the cashier stays
        QCOMPARE(w->edCzy->text(), kAdmin);
        ui.logins.push_back({"李四", "x"});
        key(w->edCode, Qt::Key_F6);
        QCOMPARE(w->edCzy->text(), QStringLiteral("李四"));
        QVERIFY(w->StatusPanel(1)->text().contains(QStringLiteral("〖李四〗")));
        scan(w.get(), "6901");
        QVERIFY(payWith(w.get(), "40"));
        QCOMPARE(value("select Operation from Yw_Pos_SaHead"), QStringLiteral("李四"));
        // "修改密码": the current password first, then the new one.
        QAction *change = w->findChild<QAction *>("actChangePassword");
        p->inputs = {"wrong"};
        change->trigger();
        QCOMPARE(p->Last(), QStringLiteral("原密码错误，密码没有修改！"));
        p->inputs = {"x"};
        ui.newPasswords.push_back("y2");
        change->trigger();
        QCOMPARE(p->Last(), QStringLiteral("密码已修改。"));
        QCOMPARE(t->czy().CheckPassword("李四", "y2"), TWjCzy::CheckResult::Ok);
        t->czy().SetUi(nullptr);

        w->cbPrinter->clear();
        w->btnPrinterSet->click();
        QCOMPARE(p->Last(), QStringLiteral("没有可选择的打印机，请先在系统中安装打印机！"));
        w->cbPrinter->addItems({"小票机", "激光打印机"});
        w->cbPrinter->setCurrentIndex(1);
        w->btnPrinterSet->click();
        QCOMPARE(PosConfig::PrinterName(), QStringLiteral("激光打印机"));
    }

    void demoDatabaseSellsByBarcodeAndRecalls()
    {
        TestDatabase demo(true, true);  // the current services until the end of the test
        demo.LoginAdmin();
        TIniFile(demo.programDir() + "sys/WjOptions.ini").WriteString("PORT", "LPT1", "data\\none");
        auto w = window();
        bool ran = false;
        whenModal<TfrmJg>([&](TfrmJg *d) { d->btnOk->click(); }, &ran);
        key(w->edCode, Qt::Key_Home);
        QVERIFY(ran);
        QCOMPARE(w->edBillNo->text(), QString("XP202601100002"));
        scan(w.get(), "6901234500073");  // 火花塞 by the pack
        QCOMPARE(w->Ticket()->LineCount(), 3);
        QCOMPARE(cell(w.get(), 2, 3), QStringLiteral("1盒"));
        QCOMPARE(w->FooterText(4), QString("560"));  // 4 x 65 + 52 + 248
        QVERIFY(payWith(w.get(), "600"));
        QCOMPARE(demo.db().SelectValue("select count(*) from Yw_Pos_SaDetail where SaMain_Id=2").toInt(), 3);
        w.reset();
        QVERIFY(p->shown.empty());
    }

    void startPlanFollowsTag_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("server");
        QTest::addColumn<bool>("supported");
        QTest::newRow("no tag") << "" << "ACCESS" << false << true;
        QTest::newRow("1") << "1" << "SQLSERVER" << true << true;
        QTest::newRow("2") << "2" << "ORACLE" << false << false;
        QTest::newRow("3") << "3" << "ACCESS" << false << true;
    }
    void startPlanFollowsTag()
    {
        QFETCH(QString, tag);
        QFETCH(QString, kind);
        QFETCH(bool, server);
        QFETCH(bool, supported);
        TIniFile(prog("sys/WjOptions.ini")).WriteString("DT", "TAG", tag);
        const TPosStartPlan plan = PlanPosStart(t->programDir());
        QCOMPARE(plan.dbKind, kind);
        QCOMPARE(plan.serverLogin, server);
        QCOMPARE(plan.supported, supported);
        if (supported)
            return;
        // Nobody may sell without a login: the start ends with a clear text.
        TDBAction untouched;
        try {
            StartPosSession(plan, t->czy(), untouched);
            QFAIL("an unsupported kind must not start");
        } catch (const EWjError &e) {
            QVERIFY(e.Message().contains(QStringLiteral("不支持所配置的数据库类型“ORACLE”")));
        }
        QVERIFY(!untouched.Connected());
    }
};

QTEST_MAIN(TestPosDesk)
#include "test_posdesk.moc"
