// ShopMain's start-up decisions, main window and module host, headless.
#include "frmmain.h"
#include "frmsysgq.h"
#include "shopstartup.h"
#include "wjinifile.h"
#include "wjoutlookbar.h"
#include "wjpath.h"
#include "wjprofun.h"
#include "wjservices.h"
#include "wjtestsupport.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {
const QString kAdmin = QStringLiteral("系统管理员");

QStringList calls() { return qApp->property("testmod.calls").toStringList(); }
void clearCalls() { qApp->setProperty("testmod.calls", QStringList()); }
void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
} // namespace

class TestShopMain : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestDatabase> t;
    std::unique_ptr<ScriptedPrompter> p;

    QString nav() const { return t->programDir() + "sys/SYS_WJQX.ini"; }

    // A navigation file over the two test modules.
    void writeTestNav(const QString &startItem = QString())
    {
        QFile::remove(nav());
        TIniFile ini(nav());
        ini.WriteString("导航栏", "Header1", "测试");
        ini.WriteString("分组:测试", "Item1", "A项目1");
        ini.WriteString("分组:测试", "Item2", "A项目2");
        ini.WriteString("分组:测试", "Item3", "B项目");
        ini.WriteString("A项目1", "DLLNAME", "TestModA");
        ini.WriteString("A项目1", "FUNNAME", "RUNTESTA");
        ini.WriteString("A项目2", "DLLNAME", "TestModA.dll");  // another spelling of A: not the same DLLNAME
        ini.WriteString("A项目2", "FUNNAME", "RUNTESTA");
        ini.WriteString("A项目3", "DLLNAME", "TestModA");
        ini.WriteString("A项目3", "FUNNAME", "OTHERSTEM");   // reuses the window made by RUNTESTA
        ini.WriteString("B项目", "DLLNAME", "TestModB");
        ini.WriteString("B项目", "FUNNAME", "RUNTESTB");
        ini.WriteString("空项目", "FUNNAME", "RUNTESTA");
        ini.WriteString("缺失模块", "DLLNAME", "NoSuchMod");
        ini.WriteString("缺失导出", "DLLNAME", "TestModB");
        ini.WriteString("缺失导出", "FUNNAME", "NOSUCH");
        ini.WriteString("默认词干", "DLLNAME", "TestModB");
        ini.WriteString("开始启动", "HeaderIndex", "0");
        ini.WriteString("开始启动", "Item", startItem);
    }

    std::unique_ptr<TfrmMain> makeMain()
    {
        t->czy().NavIniPath = NavIniPathOf(t->czy());
        auto w = std::make_unique<TfrmMain>();
        return w;
    }

private slots:
    void init()
    {
        WJ_REQUIRE_DB();
        t = std::make_unique<TestDatabase>();
        p = std::make_unique<ScriptedPrompter>();
        t->LoginAdmin();
        for (const char *m : {"libTestModA.so", "libTestModB.so"})
            QVERIFY(QFile::copy(QStringLiteral(WJ_TESTMOD_DIR "/") + m, t->programDir() + m));
        clearCalls();
    }
    void cleanup()
    {
        flushDeletes();
        p.reset();
        t.reset();
    }

    void startPlanFollowsTag_data()
    {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<int>("tag");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("server");
        QTest::newRow("no file") << QString() << 0 << "ACCESS" << false;
        QTest::newRow("tag 1") << "[DT]\nTAG=1\n" << 1 << "SQLSERVER" << true;
        QTest::newRow("tag 2") << "[dt]\ntag=2\n" << 2 << "ACCESS" << false;
        QTest::newRow("not a number") << "[DT]\nTAG=abc\n" << 0 << "ACCESS" << false;
    }
    void startPlanFollowsTag()
    {
        QFETCH(QString, ini);
        QFETCH(int, tag);
        QFETCH(QString, kind);
        QFETCH(bool, server);
        QTemporaryDir dir;
        if (!ini.isEmpty()) {
            QDir().mkpath(dir.path() + "/Sys");
            QFile f(dir.path() + "/Sys/wjoptions.ini");  // any spelling of the file
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(ini.toUtf8());
        }
        const TShopStartPlan plan = PlanStart(dir.path() + "/");
        QCOMPARE(plan.tag, tag);
        QCOMPARE(plan.dbKind, kind);
        QCOMPARE(plan.serverLogin, server);
    }

    void loginDecidesTheStart()
    {
        if (TestDbName() != "sqlite")
            QSKIP("the start opens the embedded database");
        TestDatabase fresh(false);
        fresh.db().Disconnect();
        ScriptedSessionUi ui;
        fresh.czy().SetUi(&ui);
        TShopStartPlan plan = PlanStart(fresh.programDir());
        QCOMPARE(plan.dbKind, QString("ACCESS"));
        // A cancelled login ends the start (the program then ends without a window).
        ui.logins.push_back({QString(), QString(), true});
        QVERIFY(!StartSession(plan, fresh.czy(), fresh.db()));
        QCOMPARE(fresh.db().DbKind, QString("ACCESS"));
        // The database was created with its schema; a login with the first password works.
        ui.logins.push_back({kAdmin, QString()});
        ui.newPasswords.push_back("pw");
        QVERIFY(StartSession(plan, fresh.czy(), fresh.db()));
        QCOMPARE(fresh.czy().CzyName, kAdmin);
        QCOMPARE(NavIniPathOf(fresh.czy()), QDir::cleanPath(fresh.programDir() + "sys/SYS_WJQX.ini"));
    }

    void idleLockInterval_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("ms");
        QTest::newRow("5") << "5" << 30000;
        QTest::newRow("10") << " 10 " << 60000;
        QTest::newRow("text") << "abc" << 60000;
        QTest::newRow("empty") << "" << 60000;
        QTest::newRow("zero") << "0" << 60000;
    }
    void idleLockInterval()
    {
        QFETCH(QString, value);
        QFETCH(int, ms);
        QCOMPARE(IdleLockInterval(value), ms);
    }

    void mainWindowShowsBarStatusAndNotes()
    {
        TWjPuFlag().WriteValue("参数设置内容", "程序自动挂起时间(分钟)", "5");
        auto w = makeMain();
        TWjOutlookBar *bar = w->NavBar();
        QCOMPARE(bar->width(), 118);
        QCOMPARE(bar->HeaderCount(), 4);
        QCOMPARE(bar->HeaderCaption(0), QStringLiteral("基础资料"));
        QCOMPARE(bar->Items(0), QStringList({"客户档案", "供应商档案", "员工档案"}));
        QVERIFY(bar->Items(1).contains(QStringLiteral("库存资料_批次")));
        QVERIFY(!bar->ItemButton(QStringLiteral("客户档案"))->icon().isNull());
        QVERIFY(w->StatusPanel(1)->text().startsWith(QStringLiteral(" 操作员:〖") + kAdmin + QStringLiteral("〗登录时间：")));
        QCOMPARE(w->StatusPanel(2)->text(), QStringLiteral("〖") + t->czy().SessionCaption + QStringLiteral("〗"));
        QCOMPARE(w->StatusPanel(0)->width(), 118);
        QCOMPARE(w->IdleTimer()->interval(), 30000);
        QVERIFY(!w->IdleTimer()->isActive());
        // The shipped notes open on the help page, decoded from the web archive.
        QCOMPARE(w->CurrentPage(), QString("nbHelp"));
        QVERIFY(w->HelpBrowser()->toPlainText().contains(QStringLiteral("首次登录")));
        auto *back = w->findChild<QLabel *>("lbBack");
        QVERIFY(back);
        emit back->linkActivated("#");
        QCOMPARE(w->CurrentPage(), QString("nbYw"));
        // First tick: runs once and writes the start entry of the log.
        QTRY_VERIFY(!w->FirstTickTimer()->isActive());
        QCOMPARE(t->db().SelectValue("select count(*) from WJ_SYS_LOG where LOGTEXT='登录系统'").toInt(), 1);
        QVERIFY(p->shown.empty());  // the shipped navigation file is fine
    }

    // A bar left empty by its file says why, once, when the window is made.
    void aMissingNavigationFileIsSaid()
    {
        QVERIFY(QFile::remove(nav()));
        auto w = makeMain();
        QCOMPARE(w->NavBar()->HeaderCount(), 0);
        QCOMPARE(p->shown.size(), size_t(1));
        QVERIFY2(p->Last().startsWith(QStringLiteral("找不到导航文件")), qPrintable(p->Last()));
        QVERIFY(p->Last().contains(QStringLiteral("SYS_WJQX.ini")));
    }

    void withoutNotesThePicturePageShows()
    {
        QFile::remove(t->programDir() + "sys/ReadMe.mht");
        auto w = makeMain();
        QCOMPARE(w->CurrentPage(), QString("nbPic"));
    }

    void hostBookkeeping()
    {
        writeTestNav();
        auto w = makeMain();
        TWjModuleHost &h = w->Host();
        QCOMPARE(h.CurModule, std::intptr_t(0));

        w->ItemClick("A项目1");
        QCOMPARE(calls(), QStringList({"SHOW RUNTESTA czy=" + kAdmin + " operators=1", "item RUNTESTA A项目1"}));
        QVERIFY(h.CurModule > 0);
        QCOMPARE(h.CurDll, QString("TestModA"));
        QCOMPARE(h.CurFun, QString("RUNTESTA"));
        QCOMPARE(w->CurrentPage(), QString("nbYw"));
        QCOMPARE(w->StatusPanel(0)->text(), QString("A项目1"));
        auto *label = w->WorkPanel()->findChild<QLabel *>("lbTestMod");
        QVERIFY(label);  // the module's panel is docked in the work panel
        QCOMPARE(label->text(), QString("A项目1"));
        const std::intptr_t first = h.CurModule;

        // The same item again, and another item of the same module with another stem:
        // only GetItem, the window is reused.
        clearCalls();
        w->ItemClick("A项目3");
        w->ItemClick("A项目1");
        QCOMPARE(calls(), QStringList({"item RUNTESTA A项目3", "item RUNTESTA A项目1"}));
        QCOMPARE(h.CurModule, first);
        QCOMPARE(h.CurItem, QString("A项目1"));

        // Module A, then module B: A is freed (-2) before B is shown.
        clearCalls();
        w->ItemClick("B项目");
        flushDeletes();
        QCOMPARE(calls(), QStringList({"FREE RUNTESTA -> -2 exitlogs=0", "SHOW RUNTESTB czy=" + kAdmin + " operators=1",
                                       "item RUNTESTB B项目", "destroyed RUNTESTA"}));
        QVERIFY(h.CurModule > 0 && h.CurModule != first);
        QCOMPARE(w->WorkPanel()->findChildren<QLabel *>("lbTestMod").size(), 1);

        // An item without DLLNAME releases B and docks nothing; A is then shown anew.
        clearCalls();
        w->ItemClick("空项目");
        flushDeletes();
        QCOMPARE(h.CurModule, std::intptr_t(-2));
        QCOMPARE(h.CurDll, QString());
        QCOMPARE(w->WorkPanel()->findChildren<QLabel *>("lbTestMod").size(), 0);
        w->ItemClick("A项目1");
        QCOMPARE(calls(), QStringList({"FREE RUNTESTB -> -2 exitlogs=0", "destroyed RUNTESTB",
                                       "SHOW RUNTESTA czy=" + kAdmin + " operators=1", "item RUNTESTA A项目1"}));
        QVERIFY(p->shown.empty());

        // Another spelling of the docked module's name is another module for the host.
        clearCalls();
        w->ItemClick("A项目2");
        QCOMPARE(calls().first(), QString("FREE RUNTESTA -> -2 exitlogs=0"));
        QVERIFY(calls().contains("SHOW RUNTESTA czy=" + kAdmin + " operators=1"));
    }

    void missingModulesAreReportedAndNothingDocks_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("message");
        QTest::newRow("module") << "缺失模块" << "找不到模块“NoSuchMod”";
        QTest::newRow("export") << "缺失导出" << "模块“TestModB”中没有函数“SHOWNOSUCH”";
        QTest::newRow("default stem") << "默认词干" << "模块“TestModB”中没有函数“SHOWWJTestModB”";
    }
    void missingModulesAreReportedAndNothingDocks()
    {
        QFETCH(QString, item);
        QFETCH(QString, message);
        writeTestNav();
        auto w = makeMain();
        w->ItemClick("A项目1");
        w->ItemClick(item);
        flushDeletes();
        QCOMPARE(p->shown.size(), size_t(1));
        QVERIFY2(p->Last().contains(message), qPrintable(p->Last()));
        QVERIFY(w->Host().CurModule <= 0);
        QCOMPARE(w->WorkPanel()->findChildren<QLabel *>("lbTestMod").size(), 0);
        // The program goes on: the next item docks as usual.
        w->ItemClick("B项目");
        QVERIFY(w->Host().CurModule > 0);
        QCOMPARE(p->shown.size(), size_t(1));
    }

    void startItemOpensAtShowAfterTheNotes()
    {
        writeTestNav("A项目1");
        auto w = makeMain();
        QCOMPARE(w->CurrentPage(), QString("nbHelp"));  // the notes were chosen at creation
        w->show();
        QCOMPARE(w->CurrentPage(), QString("nbYw"));    // the start item opened after them
        QVERIFY(w->Host().CurModule > 0);
        QCOMPARE(calls().last(), QString("item RUNTESTA A项目1"));
        w->grab().save(t->programDir() + "docked.png");
    }

    void startItemErrorsAreSwallowed()
    {
        writeTestNav("缺失模块");
        auto w = makeMain();
        w->show();
        QVERIFY(w->isVisible());
        QVERIFY(p->shown.empty());
        QVERIFY(w->Host().CurModule <= 0);
    }

    void closeAsksThenLogsThenReleases()
    {
        writeTestNav();
        auto w = makeMain();
        w->show();
        w->ItemClick("A项目1");
        clearCalls();
        auto exits = [&] { return t->db().SelectValue("select count(*) from WJ_SYS_LOG where LOGTEXT='退出系统'").toInt(); };

        p->answers.push_back(false);
        QVERIFY(!w->close());
        QVERIFY(w->isVisible());
        QCOMPARE(exits(), 0);
        QVERIFY(calls().isEmpty());
        QCOMPARE(p->shown.back().caption, QString("退出"));
        QCOMPARE(p->Last(), QStringLiteral("系统建议您养成经常备份数据的习惯！您真的确认要退出《维嘉汽车修配管理系统》吗？"));

        p->answers.push_back(true);
        QVERIFY(w->close());
        QCOMPARE(exits(), 1);
        // The module is released after the log entry was written.
        QCOMPARE(calls().first(), QString("FREE RUNTESTA -> -2 exitlogs=1"));
        QCOMPARE(w->Host().CurModule, std::intptr_t(-2));
    }

    void lockShowsWorkPageAfterUnlock()
    {
        auto w = makeMain();
        QCOMPARE(w->CurrentPage(), QString("nbHelp"));
        QString pageWhileLocked;
        QTimer::singleShot(0, [&] {
            pageWhileLocked = w->CurrentPage();
            auto *lock = qobject_cast<TfrmSysGq *>(QApplication::activeModalWidget());
            QVERIFY(lock);
            lock->edPassword->setText(" admin");  // spaces count: refused
            lock->TryEnter();
            lock->edPassword->setText("admin");
            lock->TryEnter();
        });
        w->Lock();
        QCOMPARE(pageWhileLocked, QString("nbPic"));
        QCOMPARE(p->Texts(), QStringList({QStringLiteral("密码错误，请重新输入！")}));
        QCOMPARE(w->CurrentPage(), QString("nbYw"));
    }

    void changeOperatorRebuildsStatus()
    {
        t->db().ExecuteSQL("insert into WJ_SYS_CZY(CZYNAME,CZYPASSWORD,CZYLEVEL) values('店员','',3)");
        t->czy().SetPassword("店员", "x");
        auto w = makeMain();
        ScriptedSessionUi ui;
        t->czy().SetUi(&ui);
        ui.logins.push_back({"店员", "x"});
        w->ChangeOperator();
        QVERIFY(w->StatusPanel(1)->text().contains(QStringLiteral("〖店员〗")));
        ui.logins.push_back({QString(), QString(), true});
        w->ChangeOperator();  // cancelled: the operator stays
        QCOMPARE(t->czy().CzyName, QString("店员"));
        t->czy().SetUi(nullptr);
    }
};

QTEST_MAIN(TestShopMain)
#include "test_shopmain.moc"
