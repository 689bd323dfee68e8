// The operator session: login, first password, rights, log, numbering, parameters.
#include "wjencrypt.h"
#include "wjerror.h"
#include "wjservices.h"
#include "wjtestsupport.h"

#include <QtTest>

class TestSession : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestDatabase> t;
    const QString admin = QStringLiteral("系统管理员");

private slots:
    void init()
    {
        WJ_REQUIRE_DB();
        t = std::make_unique<TestDatabase>();
    }
    void cleanup() { t.reset(); }

    void firstLoginSetsThePassword()
    {
        ScriptedPrompter p;
        ScriptedSessionUi ui;
        t->czy().SetUi(&ui);
        ui.logins.push_back({admin, QString()});
        ui.newPasswords.push_back("s3cret");
        QVERIFY(t->czy().Login(true));
        QCOMPARE(t->czy().CzyName, admin);
        QCOMPARE(t->czy().CzyLevel, 0);
        QCOMPARE(t->czy().SysCode, QString("WJQX"));
        // Stored as a hash with a salt of its own and its parameters, never as the text.
        const QString stored = t->db().SelectValue("select CZYPASSWORD from WJ_SYS_CZY where CZYNAME='" + admin + "'").toString();
        QVERIFY2(stored.startsWith("$argon2id$v=19$m="), qPrintable(stored));
        QVERIFY(!stored.contains("s3cret"));
        QVERIFY(TWjEncrypt::VerifyPassword(stored, "s3cret", admin));
        QVERIFY(!TWjEncrypt::VerifyPassword(stored, "s3cret ", admin));
        QVERIFY(TWjEncrypt::HashPassword("s3cret") != stored);  // a fresh salt every time
        QVERIFY(p.shown.empty());
    }

    void wrongPasswordIsRefusedAndCancelEnds()
    {
        t->czy().SetPassword(admin, "right");
        ScriptedPrompter p;
        ScriptedSessionUi ui;
        t->czy().SetUi(&ui);
        ui.logins.push_back({admin, "wrong"});
        ui.logins.push_back({"nobody", "x"});
        ui.logins.push_back({admin, "right"});
        QVERIFY(t->czy().Login(true));
        QCOMPARE(p.Texts(), QStringList({QStringLiteral("密码错误，请重新输入！"),
                                         QStringLiteral("操作员“nobody”不存在，请重新输入！")}));
        QCOMPARE(ui.asked, 3);

        // Operator change cancelled: the operator stays.
        ui.logins.push_back({QString(), QString(), true});
        QVERIFY(!t->czy().Login(false));
        QCOMPARE(t->czy().CzyName, admin);

        // First login cancelled: false.
        TestDatabase fresh;
        ScriptedSessionUi ui2;
        fresh.czy().SetUi(&ui2);
        ui2.logins.push_back({QString(), QString(), true});
        QVERIFY(!fresh.czy().Login(true));
        QVERIFY(!fresh.czy().LoggedIn());
    }

    void firstPasswordCancelledAsksAgain()
    {
        ScriptedSessionUi ui;
        t->czy().SetUi(&ui);
        ui.logins.push_back({admin, ""});
        ui.logins.push_back({QString(), QString(), true});
        QVERIFY(!t->czy().Login(true));  // no password set, no login
        QCOMPARE(t->db().SelectValue("select CZYPASSWORD from WJ_SYS_CZY where CZYNAME='" + admin + "'").toString(), QString());
    }

    void rightsFollowLevelAndGrants()
    {
        t->db().ExecuteSQL("insert into WJ_SYS_CZY(CZYNAME,CZYPASSWORD,CZYLEVEL) values('店员','',3)");
        t->czy().BecomeOperator(admin);
        QCOMPARE(int(t->czy().GetQxCz("SYS_BACKUP")), 1);  // level 0 holds every right
        t->czy().BecomeOperator("店员");
        QVERIFY(!t->czy().CheckRight("SYS_BACKUP"));
        t->czy().GrantRight("店员", "SYS_BACKUP", true);
        QVERIFY(t->czy().CheckRight("SYS_BACKUP"));
        QCOMPARE(int(t->czy().GetQxCz("SYS_BACKUP")), 1);
        t->czy().GrantRight("店员", "SYS_BACKUP", false);
        QCOMPARE(int(t->czy().GetQxCz("SYS_BACKUP")), 0);
    }

    void logAndSkinBelongToTheOperator()
    {
        t->LoginAdmin();
        t->czy().InsertLogData("退出系统");
        t->czy().InsertLogData("O'Neil 的单据");
        TWjQuery q;
        t->db().SelectTable("select CZYNAME,LOGTEXT from WJ_SYS_LOG order by LOG_ID", q);
        QCOMPARE(q.RecordCount(), 2);
        QCOMPARE(q.FieldByName("CZYNAME").AsString(), admin);
        QCOMPARE(q.FieldByName("LOGTEXT").AsString(), QStringLiteral("退出系统"));
        QCOMPARE(t->czy().GetMySkinId(), QString());
        t->czy().SetMySkinId("4");
        QCOMPARE(t->czy().GetMySkinId(), QString("4"));
    }

    void numbersAdvanceOnlyWhenUsedUp()
    {
        TWjBhgl bh;
        bh.Today = QDate(2026, 12, 11);
        QCOMPARE(bh.GetBH("SA_LSH"), QString("202612110001"));
        QCOMPARE(bh.GetBH("SA_LSH"), QString("202612110001"));  // not used up by looking
        bh.UPdateBH("SA_LSH");
        QCOMPARE(bh.GetBH("SA_LSH"), QString("202612110002"));
        QCOMPARE(bh.TakeBH("POS_BH"), QString("XP202612110001"));
        QCOMPARE(bh.TakeBH("POS_BH"), QString("XP202612110002"));
        bh.Today = QDate(2026, 12, 12);  // a new day starts again at 1
        QCOMPARE(bh.GetBH("SA_LSH"), QString("202612120001"));
        QCOMPARE(bh.TakeBH("NEW_CODE"), QString("202612120001"));  // unknown code: set up on first use
        // Two workstations taking numbers never share one.
        auto second = t->OpenSecond();
        TWjBhgl bh2;
        bh2.SetConnection(second.get());
        bh2.Today = bh.Today;
        QSet<QString> seen;
        for (int i = 0; i < 20; ++i)
            seen.insert((i % 2 ? bh2 : bh).TakeBH("POS_BH"));
        QCOMPARE(seen.size(), 20);
    }

    void parametersByGroupAndName()
    {
        TWjPuFlag pf;
        QCOMPARE(pf.ReadValue("参数设置内容", "程序自动挂起时间(分钟)"), QString("10"));
        QCOMPARE(pf.ReadValue("无", "无", "dflt"), QString("dflt"));
        pf.WriteValue("参数设置内容", "程序自动挂起时间(分钟)", "5");
        QCOMPARE(pf.ReadValue("参数设置内容", "程序自动挂起时间(分钟)"), QString("5"));
        QCOMPARE(GetCurWeek(QDate(2026, 12, 11)), QStringLiteral("星期五"));
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "test_session.moc"
