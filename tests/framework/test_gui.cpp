// The visual services: the general error report, the standard dialogs in Chinese, the
// print service in place, the dataset model, skins and the navigation bar's file layout.
#include "wjapplication.h"
#include "wjczy.h"
#include "wjdataset.h"
#include "wjdatasetmodel.h"
#include "wjerror.h"
#include "wjinifile.h"
#include "wjoutlookbar.h"
#include "wjskin.h"
#include "wjtestsupport.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

class TestGui : public QObject
{
    Q_OBJECT
private slots:
    // The application object loads Qt's Chinese texts: standard buttons read in Chinese.
    void standardButtonsSpeakChinese_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("ok") << int(QDialogButtonBox::Ok) << "确定";
        QTest::newRow("cancel") << int(QDialogButtonBox::Cancel) << "取消";
        QTest::newRow("yes") << int(QDialogButtonBox::Yes) << "是(&Y)";
        QTest::newRow("save") << int(QDialogButtonBox::Save) << "保存";
    }
    void standardButtonsSpeakChinese()
    {
        QFETCH(int, button);
        QFETCH(QString, text);
        const auto which = QDialogButtonBox::StandardButton(button);
        QDialogButtonBox box{QDialogButtonBox::StandardButtons(which)};
        QCOMPARE(box.button(which)->text(), text);
    }

    // The application object installs the print service: printing an empty list says so
    // instead of "not available".
    void printServiceInstalled()
    {
        ScriptedPrompter p;
        TWjCzy czy;
        TWjQuery nothing;
        czy.RunPrnDll(nullptr, &nothing, "销售管理");
        QCOMPARE(p.Texts(), QStringList{"没有可打印的资料。"});
    }

    void uncaughtErrorEndsTheActionNotTheProgram()
    {
        ScriptedPrompter p;
        QPushButton button;
        int after = 0;
        QObject::connect(&button, &QPushButton::clicked, [] {
            throw EWjDbError("relation does not exist", "select * from Nothing");
        });
        QObject::connect(&button, &QPushButton::clicked, [&] { ++after; });
        QTimer::singleShot(0, &button, [&] { button.click(); });
        QTimer::singleShot(0, &button, [] { throw EWjAbort(); });  // a cancelled action shows nothing
        QTRY_COMPARE(p.shown.size(), size_t(1));
        QCoreApplication::processEvents();
        QCOMPARE(p.shown.size(), size_t(1));
        QCOMPARE(int(p.shown[0].kind), int(TWjPrompter::Kind::Error));
        QVERIFY(p.Last().contains("relation does not exist"));
        QVERIFY(p.Last().contains("select * from Nothing"));
        QCOMPARE(after, 0);  // the rest of the action did not run
        // The program goes on: the next event is handled normally.
        bool ran = false;
        QTimer::singleShot(0, [&] { ran = true; });
        QTRY_VERIFY(ran);
    }

    void modelShowsTheDataset()
    {
        TestDatabase t;
        TWjQuery q;
        t.db().SelectTable("select CZYNAME, CZYLEVEL from WJ_SYS_CZY order by CZYNAME", q);
        TWjDataSetModel m(&q);
        m.SetCaption("czyname", "操作员");
        QCOMPARE(m.rowCount(), 1);
        QCOMPARE(m.columnCount(), 2);
        QCOMPARE(m.headerData(0, Qt::Horizontal).toString(), QStringLiteral("操作员"));
        QCOMPARE(m.data(m.index(0, 0)).toString(), QStringLiteral("系统管理员"));
        QSignalSpy reset(&m, &QAbstractItemModel::modelReset);
        t.db().ExecuteSQL("insert into WJ_SYS_CZY(CZYNAME,CZYLEVEL) values('乙',2)");
        q.Requery();
        QCOMPARE(reset.count(), 1);
        QCOMPARE(m.rowCount(), 2);
    }

    void elevenSkins()
    {
        QCOMPARE(TWjSkinStore::Count(), 11);
        QCOMPARE(TWjSkinStore::Name(0), QStringLiteral("默认模式0"));
        QCOMPARE(TWjSkinStore::Name(10), QStringLiteral("模式10"));
        QCOMPARE(TWjSkinStore::IndexOfId(""), 0);
        QCOMPARE(TWjSkinStore::IndexOfId("-1"), 0);
        QCOMPARE(TWjSkinStore::IndexOfId("7"), 7);
        TWjSkinStore::Apply(7);
        QCOMPARE(TWjSkinStore::Current(), 7);
        QCOMPARE(qApp->palette().color(QPalette::Window), TWjSkinStore::FaceColor(7));
        TWjSkinStore::Apply(99);
        QCOMPARE(TWjSkinStore::Current(), 0);
    }

    void barFollowsTheNavigationFile()
    {
        QTemporaryDir dir;
        TIniFile ini(dir.path() + "/nav.ini");
        ini.WriteString("导航栏", "Header1", "甲组");
        ini.WriteString("导航栏", "Header2", "乙组");
        ini.WriteString("分组:甲组", "Item1", "项目一");
        ini.WriteString("分组:甲组", "Item2", "项目二");
        ini.WriteString("分组:乙组", "Item1", "项目三");
        TWjOutlookBar bar;
        bar.InitOutLook(dir.path() + "/nav.ini", dir.path());
        QCOMPARE(bar.HeaderCount(), 2);
        QCOMPARE(bar.Items(0), QStringList({"项目一", "项目二"}));
        QSignalSpy clicked(&bar, &TWjOutlookBar::ItemClicked);
        bar.ItemButton("项目三")->click();
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked[0][0].toInt(), 1);
        QCOMPARE(clicked[0][1].toString(), QStringLiteral("项目三"));
        bar.InitOutLook(dir.path() + "/nav.ini", dir.path());  // rebuilding replaces, never duplicates
        QCOMPARE(bar.HeaderCount(), 2);
    }
};

int main(int argc, char **argv)
{
    WjApplication app(argc, argv);
    TestGui t;
    return QTest::qExec(&t, argc, argv);
}
#include "test_gui.moc"
