// The insurance windows driven as an operator does: the policy window (head, vehicle
// lookup, lines through the line editor and the item pick, renumbering, totals, save
// with its question; head and lines in one transaction that stores nothing when a
// statement fails), the item setup windows with the duplicate refusal, and the vehicle
// list and editor with unique plates.
#include "../goodspkg/windowdriver.h"
#include "frmbx_main.h"
#include "frmbxxm_add.h"
#include "frmbxxm_setup.h"
#include "frmbxxm_setup_add.h"
#include "frmcardata.h"
#include "frmcardata_add.h"
#include "wjdbgrid.h"
#include "wjfiledialog.h"
#include "wjinputs.h"
#include "wjprint.h"
#include "wjsearch.h"
#include "wjsergenmui.h"
#include "wjtestsupport.h"

#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QtTest>

namespace {
// Typing as a keyboard does (QTest::keyClicks cannot send Chinese text).
void typeText(QWidget *w, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
    }
}
void typeInto(QWidget *input, const QString &text)
{
    if (auto *cb = qobject_cast<QComboBox *>(input)) {
        cb->lineEdit()->clear();
        typeText(cb->lineEdit(), text);
    } else if (auto *e = qobject_cast<QLineEdit *>(input)) {
        e->clear();
        typeText(e, text);
    } else {
        QFAIL("not a text input");
    }
}
// The text of a PDF without the blanks pdftotext lays out.
QString pdfText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput()).remove(QLatin1Char(' '));
}
QStringList column(TWjQuery *ds, const QString &field)
{
    QStringList r;
    const int keep = ds->RecNo();
    for (ds->First(); !ds->Eof(); ds->Next())
        r << ds->FieldByName(field).AsString();
    if (keep > 0)
        ds->SetRecNo(keep);
    return r;
}
} // namespace

class TestInsureWindows : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestDatabase> t;
    std::unique_ptr<ScriptedPrompter> p;
    std::unique_ptr<WindowDriver> d;
    std::unique_ptr<TWjQuery> list;

    QString value(const QString &sql) { return t->db().SelectValue(sql).toString(); }
    QString money(const QString &sql) { return Currency::FromVariant(t->db().SelectValue(sql)).ToString(); }
    int count(const QString &from) { return t->db().SelectValue("select count(*) from " + from).toInt(); }
    void reread() { t->db().SelectTable("select * from tBxMain order by BxMain_Id", *list); }
    // The stored lines of a policy: "Xh:risk:sum:premium".
    QStringList storedLines(const QString &key)
    {
        TWjQuery q;
        t->db().SelectTable("select * from tBxMain_Detail where BxMain_Id=" + key + " order by Xh_BxDetail", q);
        QStringList r;
        for (q.First(); !q.Eof(); q.Next())
            r << QString("%1:%2:%3:%4")
                     .arg(q.FieldByName("Xh_BxDetail").AsString(), q.FieldByName("BxType").AsString(),
                          q.FieldByName("BxJe").AsCurrency().ToString(), q.FieldByName("Bxf").AsCurrency().ToString());
        return r;
    }
    // Everything a policy save can touch.
    QStringList snapshot()
    {
        QStringList s;
        s << QString::number(count("tBxMain")) << value("select coalesce(max(BbxR),'') from tBxMain")
          << money("select coalesce(sum(BxfHj),0) from tBxMain") << QString::number(count("tBxMain_Detail"))
          << money("select coalesce(sum(Bxf),0) from tBxMain_Detail");
        return s;
    }

    void open(int action, std::function<void(TfrmBx_Main *)> script)
    {
        d->When<TfrmBx_Main>(script);
        TWj_DataEntity_Jb::Run(list.get(), [] { return new TfrmBx_Main; }, action, "保险单");
        QCOMPARE(d->Pending(), 0);
        QCOMPARE(d->Missed, QStringList());
    }
    // "添加[&A]" and the line editor.
    void addLine(TfrmBx_Main *w, const QString &risk, const QString &sum, const QString &premium)
    {
        d->When<TfrmBxxm_Add>([=](TfrmBxxm_Add *f) {
            QCOMPARE(f->windowTitle(), QString("添加保险项目"));
            typeInto(f->TypeBox(), risk);
            typeInto(f->AmountEdit(), sum);
            typeInto(f->PremiumEdit(), premium);
            f->SaveButton()->click();
        });
        w->findChild<QPushButton *>("btnAdd")->click();
    }
    // The F3 key and the items picked there (rows of the item list, 0-based).
    void pickItems(TfrmBx_Main *w, const QList<int> &rows)
    {
        d->When<TWjSerGen_Mui>([rows](TWjSerGen_Mui *m) {
            QCOMPARE(m->windowTitle(), QString("保险项目"));
            m->SelectRows(rows);
            m->OkButton()->click();
        });
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key_F3);
    }
    // The head a policy needs.
    void fillHead(TfrmBx_Main *w, const QString &number)
    {
        typeInto(w->Input("BxdBh"), number);
        typeInto(w->Input("RegiCode"), "浙A-D1234");
        typeInto(w->Input("BbxR"), "顺达出租汽车公司");
    }
    QString totals(TfrmBx_Main *w)
    {
        return w->Value("Jzbf") + '/' + w->Value("YhJe") + '/' + w->Value("BxfHj");
    }
    // A stored policy of two lines.
    QString storedPolicy()
    {
        open(0, [&](TfrmBx_Main *w) {
            fillHead(w, "PD001");
            addLine(w, "交强险", "122000", "950");
            addLine(w, "车损险", "150000", "2380.5");
            QVERIFY(w->Save());
        });
        reread();
        return list->FieldByName("BxMain_Id").AsString();
    }

    // RunPrnDll with the print preview saving a PDF through "另存为PDF": its text.
    QString printToPdf(QObject *window, QObject *data, const QString &report)
    {
        const QString pdf = t->programDir() + report + ".pdf";
        WjFileDialog::SetSaveChooser([pdf](QWidget *, const QString &, const QString &, const QString &, QString *) { return pdf; });
        d->When<QPrintPreviewDialog>([](QPrintPreviewDialog *dlg) {
            QAction *save = dlg->findChild<QAction *>("actSavePdf");
            QVERIFY(save);
            save->trigger();
        });
        CurCzy->RunPrnDll(window, data, report);
        WjFileDialog::SetSaveChooser({});
        return pdfText(pdf);
    }

private slots:
    void initTestCase() { WjPrint::InstallPrintService(); }

    void init()
    {
        WJ_REQUIRE_DB();
        t = std::make_unique<TestDatabase>();
        t->LoginAdmin();
        p = std::make_unique<ScriptedPrompter>();
        p->defaultAnswer = true;
        d = std::make_unique<WindowDriver>();
        list = std::make_unique<TWjQuery>();
        auto &db = t->db();
        db.ExecuteSQL("insert into tBxSetup(BxSetupId,BxType,BxJe,Bxf) values(1,'交强险',122000,950)");
        db.ExecuteSQL("insert into tBxSetup(BxSetupId,BxType,BxJe,Bxf) values(2,'车损险',150000,2380.5)");
        db.ExecuteSQL("insert into tBxSetup(BxSetupId,BxType,BxJe,Bxf) values(3,'三者险',1000000,1120)");
        db.ExecuteSQL("insert into tBxSetup(BxSetupId,BxType,BxJe,Bxf) values(4,'玻璃险',0,210)");
        db.ExecuteSQL("insert into Jb_CarData(Wx_CarData_Id,RegiCode,Factry,Car_Model,BoxNo,ChaFactNo,MasterName) "
                      "values(1,'浙A-D1234','大众帕萨特','小型轿车','EA888-01','LSVCC01','顺达出租汽车公司')");
        db.ExecuteSQL("insert into Jb_CarData(Wx_CarData_Id,RegiCode,Factry,Car_Model,BoxNo,ChaFactNo,MasterName) "
                      "values(2,'浙A-F5678','丰田卡罗拉','小型轿车','8ZR-02','LFMAP02','宏运物流有限公司')");
        db.ExecuteSQL("insert into Jb_CarData(Wx_CarData_Id,RegiCode,Factry,Car_Model,BoxNo,ChaFactNo,MasterName) "
                      "values(3,'苏E-00001','江铃全顺','轻型客车','JX4D-03','LJXC03','王建国')");
        reread();
    }
    void cleanup()
    {
        WindowDriver::closeAll();
        if (p)
            QCOMPARE(p->shownInTransaction, 0);  // nothing spoken while a transaction was open
        list.reset();
        d.reset();
        p.reset();
        t.reset();
    }

    // A new policy: lines through the line editor and the F3 item pick, edited and
    // deleted, numbered 1..n after each change; totals follow the lines and the rate;
    // saved with the question naming the number, head and lines together. Reopened, it
    // shows what was stored.
    void newPolicy()
    {
        open(0, [&](TfrmBx_Main *w) {
            QCOMPARE(w->windowTitle(), QString("保险单"));
            QCOMPARE(w->findChild<QLabel *>("lbTitle")->text(), QString(" 保 险 单 "));
            QCOMPARE(w->Value("Bxqx_B"), QDate::currentDate().toString("yyyy-MM-dd"));
            QCOMPARE(w->Value("Bxqx_E"), QDate::currentDate().addYears(1).addDays(-1).toString("yyyy-MM-dd"));
            fillHead(w, "PDAA2026001");
            typeInto(w->Input("XszCz"), "顺达出租");
            typeInto(w->Input("CarColor"), "白色");
            typeInto(w->Input("CpColor"), "蓝色");
            typeInto(w->Input("CarPrice"), "189800");
            qobject_cast<QPlainTextEdit *>(w->Input("Fjsm"))->setPlainText("续保客户");

            addLine(w, "交强险", "122000", "950");
            pickItems(w, {1, 2});  // 车损险, 三者险
            TWjQuery *lines = w->Lines()->DataSet();
            QCOMPARE(column(lines, "BxType"), QStringList({"交强险", "车损险", "三者险"}));
            QCOMPARE(column(lines, "Xh_BxDetail"), QStringList({"1", "2", "3"}));
            QCOMPARE(w->Grid()->FooterValue("Xh_BxDetail"), QString("3"));
            QCOMPARE(w->Grid()->FooterValue("BxType"), QString("合计"));
            QCOMPARE(w->Grid()->FooterValue("BxJe"), QString("------"));
            QCOMPARE(w->Grid()->FooterValue("Bxf"), QString("4450.5"));
            QCOMPARE(totals(w), QString("4450.5/0/4450.5"));
            w->RateBox()->setValue(10);
            QCOMPARE(totals(w), QString("4450.5/445.05/4005.45"));

            // The second line edited by a double-click: totals follow.
            lines->SetRecNo(2);
            d->When<TfrmBxxm_Add>([](TfrmBxxm_Add *f) {
                QCOMPARE(f->TypeBox()->currentText(), QString("车损险"));
                QCOMPARE(f->PremiumEdit()->text(), QString("2380.5"));
                typeInto(f->PremiumEdit(), "2000");
                f->SaveButton()->click();
            });
            emit w->Grid()->RowDoubleClicked();
            QCOMPARE(totals(w), QString("4070/407/3663"));
            QCOMPARE(count("tBxMain_Detail"), 0);  // nothing stored before the save

            p->Clear();
            QVERIFY(w->Save());
            QCOMPARE(p->Texts(), QStringList({"您是否确定保存单号为：〖PDAA2026001〗的保险单资料？"}));
        });
        reread();
        QCOMPARE(list->RecordCount(), 1);
        const QString key = list->FieldByName("BxMain_Id").AsString();
        QCOMPARE(value("select BxdBh||'/'||RegiCode||'/'||BbxR||'/'||XszCz||'/'||CarColor||'/'||CpColor||'/'||Fjsm from tBxMain"),
                 QString("PDAA2026001/浙A-D1234/顺达出租汽车公司/顺达出租/白色/蓝色/续保客户"));
        for (const auto &[col, expected] : {std::pair{"CarPrice", "189800"}, {"Jzbf", "4070"}, {"PjYhl", "10"}, {"YhJe", "407"},
                                            {"BxfHj", "3663"}})
            QCOMPARE(money(QString("select %1 from tBxMain").arg(col)), QString(expected));
        QCOMPARE(storedLines(key), QStringList({"1:交强险:122000:950", "2:车损险:150000:2000", "3:三者险:1000000:1120"}));

        open(1, [&](TfrmBx_Main *w) {
            QCOMPARE(w->Value("BxdBh"), QString("PDAA2026001"));
            QCOMPARE(w->Value("CarColor"), QString("白色"));
            QCOMPARE(w->RateBox()->value(), 10);
            QCOMPARE(totals(w), QString("4070/407/3663"));
            QCOMPARE(column(w->Lines()->DataSet(), "BxType"), QStringList({"交强险", "车损险", "三者险"}));
            w->ExitButton()->click();
        });
    }

    // The totals as the window shows them: without trailing zeros, following every
    // line added and every change of the rate; rate 0 leaves the base premium whole.
    void windowTotals_data()
    {
        QTest::addColumn<QStringList>("premiums");
        QTest::addColumn<int>("rate");
        QTest::addColumn<QString>("shown");
        QTest::newRow("500, 300, 200 at 10 %") << QStringList{"500", "300", "200"} << 10 << "1000/100/900";
        QTest::newRow("333 at 15 %") << QStringList{"333"} << 15 << "333/49.95/283.05";
        QTest::newRow("rate 0") << QStringList{"500.50", "0.25"} << 0 << "500.75/0/500.75";
        QTest::newRow("rate 100") << QStringList{"80"} << 100 << "80/80/0";
    }
    void windowTotals()
    {
        QFETCH(QStringList, premiums);
        QFETCH(int, rate);
        QFETCH(QString, shown);
        open(0, [&](TfrmBx_Main *w) {
            w->RateBox()->setValue(rate);
            int n = 0;
            for (const QString &premium : premiums)
                addLine(w, QString("险种%1").arg(++n), "0", premium);
            QCOMPARE(totals(w), shown);
            // The spin box admits 0 to 100 only.
            QCOMPARE(w->RateBox()->minimum(), 0);
            QCOMPARE(w->RateBox()->maximum(), 100);
            w->RateBox()->setValue(150);
            QCOMPARE(w->RateBox()->value(), 100);
        });
    }

    // Deleting the middle one of three lines leaves the sequence numbers 1 and 2, in
    // the window and as stored.
    void renumberAfterDeletingMiddleLine()
    {
        open(0, [&](TfrmBx_Main *w) {
            fillHead(w, "PD002");
            pickItems(w, {0, 1, 2});
            TWjQuery *lines = w->Lines()->DataSet();
            lines->SetRecNo(2);
            w->findChild<QPushButton *>("btnDel")->click();
            QCOMPARE(column(lines, "BxType"), QStringList({"交强险", "三者险"}));
            QCOMPARE(column(lines, "Xh_BxDetail"), QStringList({"1", "2"}));
            QCOMPARE(w->Grid()->FooterValue("Xh_BxDetail"), QString("2"));
            QCOMPARE(w->Value("Jzbf"), QString("2070"));
            QVERIFY(w->Save());
        });
        reread();
        QCOMPARE(storedLines(list->FieldByName("BxMain_Id").AsString()),
                 QStringList({"1:交强险:122000:950", "2:三者险:1000000:1120"}));
    }

    // The item pick: typing narrows the items (the text taken literally), several rows
    // become lines in list order with their sums and premiums, a double-click takes its
    // row alone, cancel takes nothing.
    void itemPick()
    {
        open(0, [&](TfrmBx_Main *w) {
            TWjQuery *lines = w->Lines()->DataSet();
            d->When<TWjSerGen_Mui>([](TWjSerGen_Mui *m) {
                QCOMPARE(column(m->DataSet(), "BxType"), QStringList({"交强险", "车损险", "三者险", "玻璃险"}));
                typeInto(m->SearchBox(), "%");
                QVERIFY(m->DataSet()->IsEmpty());
                typeInto(m->SearchBox(), "者");
                QCOMPARE(column(m->DataSet(), "BxType"), QStringList({"三者险"}));
                m->SelectRows({0});
                m->reject();
            });
            QCOMPARE(w->PickItems(), 0);
            QCOMPARE(lines->RecordCount(), 0);

            d->When<TWjSerGen_Mui>([](TWjSerGen_Mui *m) {
                m->SelectRows({3, 0});
                m->OkButton()->click();
            });
            QCOMPARE(w->PickItems(), 2);
            d->When<TWjSerGen_Mui>([](TWjSerGen_Mui *m) {
                m->SelectRows({0, 1, 2});
                m->DataSet()->SetRecNo(2);
                emit m->Grid()->RowDoubleClicked();
            });
            QCOMPARE(w->PickItems(), 1);
            QStringList got;
            for (lines->First(); !lines->Eof(); lines->Next())
                got << QString("%1:%2:%3:%4:%5")
                           .arg(lines->FieldByName("Xh_BxDetail").AsString(), lines->FieldByName("BxType").AsString(),
                                lines->FieldByName("BxJe").AsCurrency().ToString(), lines->FieldByName("Bxf").AsCurrency().ToString(),
                                lines->FieldByName("BxMain_Id").AsString());
            const QString key = w->HeadKey();
            QCOMPARE(got, QStringList({"1:交强险:122000:950:" + key, "2:玻璃险:0:210:" + key, "3:车损险:150000:2380.5:" + key}));
            QCOMPARE(w->Value("Jzbf"), QString("3540.5"));
        });
    }

    // Refusals before the transaction: No to the question, a required field missing,
    // a line without its risk. Each stores nothing and keeps the window open.
    void refusalsStoreNothing_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("blank");
        QTest::addColumn<QString>("message");
        QTest::newRow("no to the question") << false << "" << "";
        QTest::newRow("no policy number") << true << "BxdBh" << "保险单号不能为空！";
        QTest::newRow("no plate") << true << "RegiCode" << "车牌号码不能为空！";
        QTest::newRow("no insured person") << true << "BbxR" << "被保险人不能为空！";
    }
    void refusalsStoreNothing()
    {
        QFETCH(bool, answer);
        QFETCH(QString, blank);
        QFETCH(QString, message);
        open(0, [&](TfrmBx_Main *w) {
            fillHead(w, "PD003");
            if (!blank.isEmpty())
                typeInto(w->Input(blank), "  ");
            addLine(w, "交强险", "122000", "950");
            // A line editor without a risk refuses and stays open.
            d->When<TfrmBxxm_Add>([this](TfrmBxxm_Add *f) {
                typeInto(f->PremiumEdit(), "12");
                QVERIFY(!f->Save());
                QCOMPARE(p->Last(), QString("承保险别不能为空！"));
                QVERIFY(f->isVisible());
            });
            w->findChild<QPushButton *>("btnAdd")->click();
            QCOMPARE(w->Lines()->DataSet()->RecordCount(), 1);
            p->Clear();
            p->answers = {answer};
            QVERIFY(!w->Save());
            QStringList expected{"您是否确定保存单号为：〖" + w->Value("BxdBh") + "〗的保险单资料？"};
            if (!message.isEmpty())
                expected << message;
            QCOMPARE(p->Texts(), expected);
            QVERIFY(w->isVisible());
            QCOMPARE(w->Lines()->DataSet()->RecordCount(), 1);
        });
        QCOMPARE(count("tBxMain"), 0);
        QCOMPARE(count("tBxMain_Detail"), 0);
    }

    // A statement of the save fails: head and lines stand or fall together, so nothing
    // is stored (no lines of a policy that does not exist), the error is reported after
    // the rollback and the window stays open with its lines; saving again stores it.
    void failingStatementStoresNothing_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::addColumn<QString>("failing");
        QTest::newRow("new, head") << false << "insert into tBxMain";
        QTest::newRow("new, lines") << false << "insert into tBxMain_Detail";
        QTest::newRow("edited, head") << true << "update tBxMain";
        QTest::newRow("edited, deleted line") << true << "delete from tBxMain_Detail";
    }
    void failingStatementStoresNothing()
    {
        QFETCH(bool, existing);
        QFETCH(QString, failing);
        if (existing)
            storedPolicy();
        const QStringList before = snapshot();
        open(existing ? 1 : 0, [&](TfrmBx_Main *w) {
            TWjQuery *lines = w->Lines()->DataSet();
            if (existing) {
                lines->First();
                w->findChild<QPushButton *>("btnDel")->click();
                typeInto(w->Input("BbxR"), "改过");
            } else {
                fillHead(w, "PD004");
            }
            pickItems(w, {2});
            w->RateBox()->setValue(5);
            const int n = lines->RecordCount();
            t->db().SetStatementFilter([failing](const QString &sql) { return !sql.startsWith(failing, Qt::CaseInsensitive); });
            p->Clear();
            QVERIFY(!w->Save());
            t->db().SetStatementFilter({});
            QCOMPARE(p->shown.size(), size_t(2));
            QCOMPARE(p->shown.back().kind, TWjPrompter::Kind::Error);
            QVERIFY(!p->shown.back().inTransaction);
            QVERIFY(!t->db().InTransaction());
            QVERIFY(w->isVisible());
            QCOMPARE(lines->RecordCount(), n);
            QCOMPARE(snapshot(), before);
            QVERIFY(w->Save());
        });
        QCOMPARE(count("tBxMain"), 1);
        reread();
        const QString key = list->FieldByName("BxMain_Id").AsString();
        QCOMPARE(storedLines(key), existing ? QStringList({"1:车损险:150000:2380.5", "2:三者险:1000000:1120"})
                                            : QStringList({"1:三者险:1000000:1120"}));
        QCOMPARE(value("select BbxR from tBxMain"), existing ? QString("改过") : QString("顺达出租汽车公司"));
        QCOMPARE(money("select BxfHj from tBxMain"), existing ? QString("3325.47") : QString("1064"));
    }

    // 查[&S]: the vehicles whose plate begins with what is typed (taken literally, in
    // any case), all when blank; the vehicle picked fills six fields and leaves the
    // others as they were; no pick changes nothing.
    void vehicleLookup_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("offered");
        QTest::newRow("prefix, lower case") << "浙a" << QStringList{"浙A-D1234", "浙A-F5678"};
        QTest::newRow("whole plate") << "苏E-00001" << QStringList{"苏E-00001"};
        QTest::newRow("underscore literal") << "浙A-_" << QStringList{};
        QTest::newRow("percent literal") << "%" << QStringList{};
        QTest::newRow("blank offers all") << "" << QStringList{"浙A-D1234", "浙A-F5678", "苏E-00001"};
    }
    void vehicleLookup()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, offered);
        open(0, [&](TfrmBx_Main *w) {
            typeInto(w->Input("RegiCode"), typed);
            typeInto(w->Input("XszCz"), "行驶证上的人");
            typeInto(w->Input("CpColor"), "黄色");
            typeInto(w->Input("BbxR"), "原被保险人");
            // No pick: nothing changes.
            d->When<TWjSerGen>([](TWjSerGen *s) { s->reject(); });
            QVERIFY(!w->FindCar());
            QCOMPARE(w->Value("BbxR"), QString("原被保险人"));

            d->When<TWjSerGen>([offered](TWjSerGen *s) {
                QCOMPARE(s->windowTitle(), QString("车辆档案"));
                QStringList plates = column(s->DataSet(), "RegiCode");
                QStringList want = offered;
                plates.sort();
                want.sort();
                QCOMPARE(plates, want);
                if (plates.isEmpty())
                    return s->reject();
                s->DataSet()->Locate("RegiCode", offered.last());
                s->Pick();
            });
            w->CarButton()->click();
            if (offered.isEmpty()) {
                QCOMPARE(w->Value("BbxR"), QString("原被保险人"));
                return;
            }
            TWjQuery car;
            t->db().SelectTable("select * from Jb_CarData where RegiCode='" + offered.last() + "'", car);
            for (const auto &[from, to] : {std::pair{"RegiCode", "RegiCode"}, {"Factry", "Factry"}, {"Car_Model", "Car_Model"},
                                           {"BoxNo", "BoxNo"}, {"ChaFactNo", "ChaFactNo"}, {"MasterName", "BbxR"}})
                QCOMPARE(w->Value(to), car.FieldByName(from).AsString());
            QCOMPARE(w->Value("XszCz"), QString("行驶证上的人"));
            QCOMPARE(w->Value("CpColor"), QString("黄色"));
        });
        QCOMPARE(count("tBxMain"), 0);
    }

    // The item setup: add (a name that exists, blanks or not, refused with the
    // message and the focus back on the name), edit (its own name with blanks saved
    // without a message, another item's name refused), delete at once without a
    // question, leaving the policies that used the item as they were.
    void itemSetup()
    {
        const QString policy = storedPolicy();
        d->When<TfrmBxxm_Setup>([&](TfrmBxxm_Setup *s) {
            QCOMPARE(s->windowTitle(), QString("保险项目设置"));
            QCOMPARE(column(s->Items(), "BxType"), QStringList({"交强险", "车损险", "三者险", "玻璃险"}));
            d->When<TfrmBxxm_Setup_Add>([&](TfrmBxxm_Setup_Add *f) {
                QCOMPARE(f->windowTitle(), QString("添加保险项目"));
                typeInto(f->TypeBox(), " 玻璃险 ");
                typeInto(qobject_cast<QLineEdit *>(f->Input("Bxf")), "300");
                p->Clear();
                f->SaveButton()->click();
                QCOMPARE(p->Texts(), QStringList({"对不起，该保险项目已存在！"}));
                QCOMPARE(p->shown.back().kind, TWjPrompter::Kind::Warning);
                QVERIFY(f->isVisible());
                QVERIFY(f->TypeBox()->hasFocus() || !f->isActiveWindow());
                typeInto(f->TypeBox(), " 自燃险");
                typeInto(qobject_cast<QLineEdit *>(f->Input("BxJe")), "150000");
                f->SaveButton()->click();
                QVERIFY(!f->isVisible());
            });
            s->findChild<QPushButton *>("btnAdd")->click();
            QCOMPARE(column(s->Items(), "BxType"), QStringList({"交强险", "车损险", "三者险", "玻璃险", "自燃险"}));

            s->Items()->SetRecNo(1);
            d->When<TfrmBxxm_Setup_Add>([&](TfrmBxxm_Setup_Add *f) {
                QCOMPARE(f->windowTitle(), QString("修改保险项目"));
                QCOMPARE(f->Value("BxType"), QString("交强险"));
                QCOMPARE(f->Value("BxSetupId"), QString("1"));
                typeInto(f->TypeBox(), "  交强险 ");
                typeInto(qobject_cast<QLineEdit *>(f->Input("Bxf")), "1000");
                p->Clear();
                f->SaveButton()->click();
                QCOMPARE(p->Texts(), QStringList());
                QVERIFY(!f->isVisible());
            });
            s->findChild<QPushButton *>("btnEdit")->click();
            QCOMPARE(s->Items()->FieldByName("BxType").AsString(), QString("交强险"));  // back on the edited row
            QCOMPARE(s->Items()->FieldByName("Bxf").AsCurrency().ToString(), QString("1000"));

            d->When<TfrmBxxm_Setup_Add>([&](TfrmBxxm_Setup_Add *f) {
                typeInto(f->TypeBox(), "车损险");
                p->Clear();
                f->SaveButton()->click();
                QCOMPARE(p->Texts(), QStringList({"对不起，该保险项目已存在！"}));
                QVERIFY(f->isVisible());
            });
            emit s->Grid()->RowDoubleClicked();

            s->Items()->Locate("BxType", "车损险");
            p->Clear();
            s->findChild<QPushButton *>("btnDel")->click();
            QCOMPARE(p->Texts(), QStringList());
            QCOMPARE(column(s->Items(), "BxType"), QStringList({"交强险", "三者险", "玻璃险", "自燃险"}));
            s->findChild<QPushButton *>("btnOk")->click();
        });
        RunBxxm_Setup();
        QCOMPARE(d->Pending(), 0);
        QCOMPARE(d->Missed, QStringList());
        QCOMPARE(value("select BxType from tBxSetup where BxSetupId=5"), QString("自燃险"));
        QCOMPARE(money("select BxJe from tBxSetup where BxSetupId=5"), QString("150000"));
        QCOMPARE(storedLines(policy), QStringList({"1:交强险:122000:950", "2:车损险:150000:2380.5"}));
    }

    // The printed policy: its head, its covered risks with their premiums added up,
    // and the totals after the discount.
    void printPolicy()
    {
        storedPolicy();
        open(1, [&](TfrmBx_Main *w) {
            w->RateBox()->setValue(15);
            QVERIFY(w->Save());
        });
        QWidget window;
        const QString text = printToPdf(&window, list.get(), "保险单");
        for (const char *s : {"维嘉汽车修配", "机动车辆保险单", "保险单号：PD001", "车牌号码：浙A-D1234", "被保险人：顺达出租汽车公司",
                              "1交强险122000.00950.00", "2车损险150000.002380.50", "合计3330.50", "基准保费：3330.5",
                              "优惠比例(%)：15", "优惠金额合计：499.58", "合计金额：2830.92"})
            QVERIFY2(text.contains(QString::fromUtf8(s)), s);
    }

    // The demo data: the demo policy opens with totals that match its lines, and its
    // plate finds its vehicle.
    void demoPolicy()
    {
        list.reset();
        t.reset();
        t = std::make_unique<TestDatabase>(true, true);
        t->LoginAdmin();
        list = std::make_unique<TWjQuery>();
        reread();
        QCOMPARE(list->RecordCount(), 1);
        QCOMPARE(count("tBxSetup"), 7);
        open(1, [&](TfrmBx_Main *w) {
            QCOMPARE(column(w->Lines()->DataSet(), "Xh_BxDetail"), QStringList({"1", "2", "3"}));
            QCOMPARE(totals(w), money("select Jzbf from tBxMain") + '/' + money("select YhJe from tBxMain") + '/'
                                    + money("select BxfHj from tBxMain"));
            QCOMPARE(totals(w), QString("4450.5/445.05/4005.45"));
            d->When<TWjSerGen>([](TWjSerGen *s) {
                QCOMPARE(column(s->DataSet(), "MasterName"), QStringList({"顺达出租汽车公司"}));
                s->Pick();
            });
            QVERIFY(w->FindCar());
            QCOMPARE(w->Value("BoxNo"), QString("EA888-0312457"));
        });
    }

    // The vehicle list and editor: a plate is stored trimmed in upper case and belongs
    // to one vehicle (another's refused, the vehicle's own kept); typing in the plate
    // box narrows the list at each keystroke; delete asks first.
    void vehicles()
    {
        d->When<TfrmCarData>([&](TfrmCarData *l) {
            QCOMPARE(l->windowTitle(), QString("车辆档案"));
            QCOMPARE(l->Cars()->RecordCount(), 3);
            d->When<TfrmCarData_Add>([&](TfrmCarData_Add *f) {
                QCOMPARE(f->windowTitle(), QString("车辆档案"));
                typeInto(f->Input("RegiCode"), " 浙a-f5678");
                typeInto(f->Input("MasterName"), "李四");
                p->Clear();
                f->SaveButton()->click();
                QCOMPARE(p->Texts(), QStringList({"对不起，该车牌号码已存在！"}));
                QVERIFY(f->isVisible());
                typeInto(f->Input("RegiCode"), "浙b-99999 ");
                typeInto(f->Input("Factry"), "本田雅阁");
                typeInto(f->Input("BoxNo"), "K24-99");
                f->SaveButton()->click();
                QVERIFY(!f->isVisible());
            });
            l->findChild<QPushButton *>("btnAdd")->click();
            QCOMPARE(l->Cars()->FieldByName("RegiCode").AsString(), QString("浙B-99999"));  // on the new vehicle

            typeInto(l->PlateBox(), "浙a");
            QCOMPARE(column(l->Cars(), "RegiCode"), QStringList({"浙A-D1234", "浙A-F5678"}));
            typeInto(l->PlateBox(), "浙b");
            QCOMPARE(column(l->Cars(), "RegiCode"), QStringList({"浙B-99999"}));

            d->When<TfrmCarData_Add>([&](TfrmCarData_Add *f) {
                QCOMPARE(f->Value("MasterName"), QString("李四"));
                QCOMPARE(f->Value("Factry"), QString("本田雅阁"));
                typeInto(f->Input("MasterName"), "李四明");
                p->Clear();
                f->SaveButton()->click();  // its own plate is no duplicate
                QCOMPARE(p->Texts(), QStringList());
            });
            l->findChild<QPushButton *>("btnEdit")->click();

            l->PlateBox()->clear();
            l->Cars()->Locate("RegiCode", "苏E-00001");
            p->Clear();
            p->answers = {false};
            l->findChild<QPushButton *>("btnDel")->click();
            QCOMPARE(p->Texts(), QStringList({"您确定要删除当前记录吗？"}));
            QCOMPARE(l->Cars()->RecordCount(), 4);
            l->findChild<QPushButton *>("btnDel")->click();
            QCOMPARE(l->Cars()->RecordCount(), 3);
            l->findChild<QPushButton *>("btnClose")->click();
        });
        RunCarData();
        QCOMPARE(d->Pending(), 0);
        QCOMPARE(d->Missed, QStringList());
        QCOMPARE(value("select RegiCode||'/'||MasterName||'/'||Factry||'/'||BoxNo from Jb_CarData where RegiCode like '浙B%'"),
                 QString("浙B-99999/李四明/本田雅阁/K24-99"));
        QCOMPARE(count("Jb_CarData where RegiCode='苏E-00001'"), 0);
    }
};

QTEST_MAIN(TestInsureWindows)
#include "test_insurewindows.moc"
