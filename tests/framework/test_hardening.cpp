// Hostile input against the foundation, on the database kind under test: text a
// statement cannot carry (NUL, lone surrogates) refused wherever it would enter one and
// at the login; text that is merely awkward stored exactly; numbers only as plain
// decimals within the column; search values taken literally with one case rule;
// limits in whole characters; messages held back while a transaction is open;
// password hashes, their upgrade and the wait after wrong tries; the barcode index of
// a database that holds duplicates.
#include "frmsysgq.h"
#include "schema.h"
#include "wjencrypt.h"
#include "wjerror.h"
#include "wjfields.h"
#include "wjinputs.h"
#include "wjsearch.h"
#include "wjsearchdef.h"
#include "wjsqlcontrol.h"
#include "wjtestsupport.h"
#include "wjtext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QPushButton>
#include <QLineEdit>
#include <QtTest>
#include <functional>

namespace {
const QString kAdmin = QStringLiteral("系统管理员");
const QChar kNul(0);
const QChar kHigh(0xD800);
const QChar kLow(0xDC00);
// A 4-byte character (two UTF-16 units): U+20000.
const QString kWide = QString::fromUcs4(U"\U00020000");

void typeInto(QLineEdit *e, const QString &text)
{
    QInputMethodEvent ev;
    ev.setCommitString(text);
    QCoreApplication::sendEvent(e, &ev);
}
} // namespace

class TestHardening : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestDatabase> t;

    TDBAction &db() { return t->db(); }
    QString probe() { return db().SelectValue("select coalesce(max(TXT),'')||'/'||count(*) from T_Probe").toString(); }
    QString passwords()
    {
        TWjQuery q;
        db().SelectTable("select CZYNAME,CZYPASSWORD,CZYLEVEL,CZYFAILS from WJ_SYS_CZY order by CZYNAME", q);
        QStringList r;
        for (q.First(); !q.Eof(); q.Next())
            r << q.Fields(0).AsString() + '|' + q.Fields(1).AsString() + '|' + q.Fields(2).AsString() + '|' + q.Fields(3).AsString();
        return r.join('\n');
    }

private slots:
    void init()
    {
        WJ_REQUIRE_DB();
        t = std::make_unique<TestDatabase>();
        // AMT as the schema declares money on each database.
        db().ExecuteSQL(QStringLiteral("create table T_Probe (ID integer not null primary key, TXT text, AMT %1)")
                            .arg(db().Dialect().Name() == "sqlite" ? "decimal_text" : "numeric(18,4)"));
        db().ExecuteSQL("insert into T_Probe(ID,TXT,AMT) values(1,'kept',1)");
    }
    void cleanup() { t.reset(); }

    // Every way a statement reaches the database refuses a NUL or a lone surrogate with
    // the same clear message, before anything runs.
    void textNoStatementMayCarryIsRefusedEverywhere()
    {
        const QString bad[] = {QStringLiteral("a") + kNul + QStringLiteral("b"), QStringLiteral("x") + kHigh + QStringLiteral("' or 1=1 --"),
                               QString(kLow) + QStringLiteral("y"), QStringLiteral("end") + kHigh};
        const QString before = probe();
        for (const QString &b : bad) {
            const QString lit = QStringLiteral("'") + b + QStringLiteral("'");
            const QList<QPair<const char *, std::function<void()>>> ways = {
                {"QuotedStr", [&] { TDBAction::QuotedStr(b); }},
                {"ExecuteSQL", [&] { db().ExecuteSQL("update T_Probe set TXT=" + lit); }},
                {"ExecuteSQL flag", [&] { db().ExecuteSQL("update T_Probe set TXT=" + lit, true); }},
                {"ExecuteCount", [&] { db().ExecuteCount("delete from T_Probe where TXT<>" + lit); }},
                {"SelectValue", [&] { db().SelectValue("select count(*) from T_Probe where TXT=" + lit); }},
                {"SelectTable", [&] { TWjQuery q; db().SelectTable("select * from T_Probe where TXT=" + lit, q); }},
                {"GetSerData", [&] { db().GetSerData("select * from T_Probe where TXT=" + lit); }},
                {"dataset Open", [&] { TWjQuery q; q.SetConnection(&db()); q.Open("select * from T_Probe where TXT=" + lit); }},
                {"ExecuteBound", [&] { db().ExecuteBound("update T_Probe set TXT=?", {b}); }},
                {"ApplyUpdates", [&] {
                     TWjQuery q;
                     db().SelectTable("select * from T_Probe", q);
                     q.SetValue("TXT", b);
                     q.ApplyUpdates("T_Probe", "ID");
                 }},
                {"statement source", [&] {
                     QLineEdit e;
                     e.setText(b);  // set by the program: no input cleans it
                     TSQLControl c("T_Probe", TSQLControl::Update, "ID=1");
                     c.AddField("TXT", &e, TSQLControl::Text);
                     db().ExecuteSQL(c, true);
                 }},
            };
            for (const auto &w : ways) {
                QString message;
                try {
                    w.second();
                } catch (const EWjError &e) {
                    message = e.Message();
                }
                QVERIFY2(message == WjText::InvalidTextMessage(), w.first);
            }
        }
        QCOMPARE(probe(), before);
        // Clean text with a pair, quotes and comment markers passes.
        db().ExecuteSQL("update T_Probe set TXT=" + TDBAction::QuotedStr(kWide + "' or 1=1 --"));
        QCOMPARE(db().SelectValue("select TXT from T_Probe").toString(), kWide + "' or 1=1 --");
    }

    // The attack of a hostile tester at the login: a lone surrogate to swallow the
    // doubled quote, a NUL to cut the statement. No password is touched and nobody
    // logs in; asked again, the right operator still can.
    void loginAttackChangesNothing()
    {
        db().ExecuteSQL("insert into WJ_SYS_CZY(CZYNAME,CZYPASSWORD,CZYLEVEL) values('店员','',3)");
        t->czy().SetPassword("店员", "clerk");
        const QString before = passwords();
        const QString attack = QString(kHigh) + QStringLiteral("' OR 1=1 -- ") + kNul;
        const QString nulName = kAdmin + kNul;

        ScriptedPrompter p;
        ScriptedSessionUi ui;
        t->czy().SetUi(&ui);
        ui.logins.push_back({attack, QString()});
        ui.logins.push_back({nulName, QStringLiteral("x")});
        ui.logins.push_back({QStringLiteral("店员"), QStringLiteral("clerk") + kNul});
        ui.logins.push_back({QString(), QString(), true});
        ui.newPasswords.push_back(QStringLiteral("owned"));
        QVERIFY(!t->czy().Login(true));
        QVERIFY(!t->czy().LoggedIn());
        QCOMPARE(t->czy().CzyLevel, -1);
        QCOMPARE(ui.asked, 4);
        QCOMPARE(p.Texts(), QStringList(3, QStringLiteral("操作员名称或密码中含有无效字符（空字符或残缺的字符），请重新输入！")));
        QCOMPARE(passwords(), before);

        // Below the login too: the session's own steps refuse the text.
        QVERIFY_THROWS_EXCEPTION(EWjError, t->czy().CheckPassword(attack, QString()));
        QVERIFY_THROWS_EXCEPTION(EWjError, t->czy().SetPassword(attack, QStringLiteral("owned")));
        QVERIFY_THROWS_EXCEPTION(EWjError, t->czy().SetPassword(QStringLiteral("店员"), QStringLiteral("a") + kHigh));
        QVERIFY_THROWS_EXCEPTION(EWjError, t->czy().BecomeOperator(attack));
        QCOMPARE(passwords(), before);

        ui.logins.push_back({QStringLiteral("店员"), QStringLiteral("clerk")});
        QVERIFY(t->czy().Login(true));
        QCOMPARE(t->czy().CzyLevel, 3);
    }

    // Awkward but clean text is stored exactly as typed.
    void awkwardTextIsStoredExactly()
    {
        const QStringList values = {QStringLiteral("O'Neil's ''x''"), QStringLiteral("C:\\temp\\n\\'"), QStringLiteral("100% _x_ %"),
                                    QStringLiteral("a -- b /* c */ ; drop table T_Probe; --"), kWide + QStringLiteral("火花塞") + kWide,
                                    QStringLiteral("tab\tline\nend"), QString(10240, QLatin1Char('x')) + QStringLiteral("尾")};
        for (const QString &v : values) {
            db().ExecuteSQL("update T_Probe set TXT=" + TDBAction::QuotedStr(v) + " where ID=1");
            QCOMPARE(db().SelectValue("select TXT from T_Probe where ID=1").toString(), v);
            QCOMPARE(db().SelectValue("select count(*) from T_Probe where TXT=" + TDBAction::QuotedStr(v)).toInt(), 1);
        }
        QCOMPARE(db().SelectValue("select count(*) from T_Probe").toInt(), 1);
    }

    void numbersArePlainDecimalsWithinTheColumn()
    {
        struct Row { const char *text; const char *number; const char *integer; };
        // "": refused.
        const Row rows[] = {
            {"12", "12", "12"},
            {" -3.50 ", "-3.5", ""},
            {"+0.1", "0.1", ""},
            {".5", "0.5", ""},
            {"7.", "7", ""},
            {"-0", "0", "0"},
            {"", "0", "0"},
            {"00012.3400", "12.34", ""},
            {"99999999999999.9999", "99999999999999.9999", ""},  // the largest money
            {"2147483647", "2147483647", "2147483647"},
            {"-2147483648", "-2147483648", "-2147483648"},
            {"2147483648", "2147483648", ""},
            {"100000000000000", "", ""},       // 15 digits
            {"99999999999999999999", "", ""},  // 20 digits
            {"1.23456", "", ""},                // five decimals
            {"1e3", "", ""}, {"1E-2", "", ""}, {"1e999", "", ""}, {"inf", "", ""}, {"-inf", "", ""},
            {"nan", "", ""}, {"NaN", "", ""}, {"0x10", "", ""}, {"1,5", "", ""}, {"--1", "", ""},
            {"1 2", "", ""}, {".", "", ""}, {"-", "", ""}, {"１２", "", ""}, {"12;drop table T_Probe", "", ""},
        };
        for (const Row &r : rows) {
            const QString text = QString::fromUtf8(r.text);
            auto check = [&](const char *expected, const std::function<QString()> &f) {
                QString got, message;
                try {
                    got = f();
                } catch (const EWjError &e) {
                    message = e.Message();
                }
                if (*expected) {
                    QVERIFY2(got == QString::fromUtf8(expected), qPrintable(text + " -> " + got + message));
                } else {
                    QVERIFY2(got.isEmpty() && message.startsWith(QStringLiteral("单价")), qPrintable(text + " -> " + got));
                }
            };
            check(r.number, [&] { return WjSql::CheckNumber(text, QStringLiteral("单价")); });
            check(r.integer, [&] { return WjSql::CheckInteger(text, QStringLiteral("单价")); });
            // What is accepted fits the money column exactly, on every database.
            if (*r.number) {
                db().ExecuteSQL("update T_Probe set AMT=" + db().Dialect().NumberLiteral(WjSql::CheckNumber(text)) + " where ID=1");
                QCOMPARE(Currency::FromVariant(db().SelectValue("select AMT from T_Probe")).ToString(), QString::fromUtf8(r.number));
            }
        }
        // The field's own words.
        auto message = [](const QString &text, bool integer) {
            try {
                integer ? WjSql::CheckInteger(text, QStringLiteral("数量")) : WjSql::CheckNumber(text, QStringLiteral("数量"));
            } catch (const EWjError &e) {
                return e.Message();
            }
            return QString();
        };
        QCOMPARE(message("1e999", false), QStringLiteral("数量必须是数字！"));
        QCOMPARE(message("99999999999999999999", false), QStringLiteral("数量超出允许的范围（最多14位整数、4位小数）！"));
        QCOMPARE(message("1.5", true), QStringLiteral("数量必须是整数！"));
        QCOMPARE(message("99999999999", true), QStringLiteral("数量超出允许的范围（-2147483648 到 2147483647）！"));
    }

    // 包含 and 开头是 take the value literally and match A-Z in either case, the same
    // rows on both databases; "=" and "<>" compare exactly.
    void searchValuesAreLiteralWithOneCaseRule()
    {
        const QStringList names = {"50%", "505", "5x0", "a_b", "axb", "C:\\dir", "C:dir", "Abc", "aBC", "ÄBC", "äbc",
                                   "x'y", "𠀀z", "[ab]", "a"};
        for (int i = 0; i < names.size(); ++i)
            db().ExecuteSQL(QStringLiteral("insert into T_Probe(ID,TXT) values(%1,%2)").arg(i + 10).arg(TDBAction::QuotedStr(names[i])));
        TWjSearchDef def;
        def.Sql = "select TXT from T_Probe where ID>=10";
        def.OrderBy = "ID";
        def.Fields << TWjSearchField{"TXT", "名称", TWjSearchField::Text};
        struct Case { const char *op; const char *value; bool fuzzy; QStringList found; };
        const Case cases[] = {
            {"包含", "50%", false, {"50%"}},
            {"开头是", "50", false, {"50%", "505"}},
            {"包含", "%", false, {"50%"}},
            {"包含", "_", false, {"a_b"}},
            {"开头是", "a_", false, {"a_b"}},
            {"包含", "\\", false, {"C:\\dir"}},
            {"开头是", "c:\\", false, {"C:\\dir"}},
            {"包含", "\\d", false, {"C:\\dir"}},
            {"包含", "abc", false, {"Abc", "aBC"}},
            {"开头是", "ABC", false, {"Abc", "aBC"}},
            {"包含", "äbc", false, {"äbc"}},       // letters beyond A-Z match only themselves
            {"包含", "'", false, {"x'y"}},
            {"包含", "𠀀", false, {"𠀀z"}},
            {"包含", "[a", false, {"[ab]"}},
            {"=", "abc", false, {}},               // exact
            {"=", "Abc", false, {"Abc"}},
            {"=", "ab", true, {"Abc", "aBC", "[ab]"}},  // fuzzy "=" contains
            {"<>", "a", false, QStringList(names.mid(0, names.size() - 1))},
        };
        for (const Case &c : cases) {
            TWjSearchCondition cond;
            cond.field = 0;
            cond.op = QString::fromUtf8(c.op);
            cond.value = QString::fromUtf8(c.value);
            cond.fuzzy = c.fuzzy;
            TWjQuery q;
            db().SelectTable(def.BuildSql(cond, db()), q);
            QStringList found;
            for (q.First(); !q.Eof(); q.Next())
                found << q.Fields(0).AsString();
            QVERIFY2(found == c.found, qPrintable(cond.op + " " + cond.value + " -> " + found.join(" | ")));
        }
    }

    // A limit counts characters and never keeps half of one: the cuts, a window's limits
    // set the Qt way, and the input checker. (Typing into a limited input: test_fields.)
    void limitsCountWholeCharacters()
    {
        QCOMPARE(WjText::CharCount(kWide + "ab" + kWide), 4);
        QCOMPARE(WjText::LeftChars("ab" + kWide + "cd", 3), "ab" + kWide);
        QCOMPARE(WjText::LeftChars("ab" + kWide, 2), QString("ab"));
        QCOMPARE(WjText::LeftBytesGb18030("ab" + kWide + "c", 5), QString("ab"));  // the wide one is 4 bytes
        QCOMPARE(WjText::LeftBytesGb18030("ab" + kWide + "c", 6), "ab" + kWide);
        QCOMPARE(WjText::Clean(QString("a") + kNul + kHigh + "b" + kWide + kLow), "ab" + kWide);

        // A window's limits set the Qt way become limits in characters.
        QWidget w;
        auto *old = new QLineEdit(&w);
        old->setMaxLength(3);
        ApplyCharLimits(&w);
        typeInto(old, kWide + kWide + kWide + "x");
        QCOMPARE(old->text(), kWide + kWide + kWide);

        // The input checker counts characters as well.
        QLineEdit name;
        name.setText(QString(19, 'n') + kWide);
        TSQLControl c("T_Probe", TSQLControl::Update, "ID=1");
        c.AddField("TXT", &name, TSQLControl::Text, QStringLiteral("名称"), 20);
        ScriptedPrompter p;
        QVERIFY(c.CheckValue());
        name.setText(QString(20, 'n') + kWide);
        QVERIFY(!c.CheckValue());
        QCOMPARE(p.Last(), QStringLiteral("名称不能超过20个字符！"));
    }

    // A message asked for inside a transaction waits until it has ended; meanwhile
    // another workstation writes as usual. A question there is a programming error and
    // rolls the transaction back.
    void messagesWaitUntilTheTransactionEnds()
    {
        auto second = t->OpenSecond(500);
        ScriptedPrompter p;
        int written = 0;
        p.onShow = [&](const ScriptedPrompter::Shown &) {
            QVERIFY(!db().InTransaction());
            second->ExecuteSQL("update T_Probe set TXT='other' where ID=1");  // fails after 0.5 s if locked
            ++written;
        };
        for (bool commit : {false, true}) {
            {
                TWjTransaction tr(db());
                db().ExecuteSQL("update T_Probe set AMT=AMT+1 where ID=1");
                Prompter().Warning(QStringLiteral("单据已被删除"));
                Prompter().Information(QStringLiteral("第二条"));
                QVERIFY(p.shown.empty());
                if (commit)
                    tr.Commit();
            }
            QCOMPARE(p.Texts(), QStringList({"单据已被删除", "第二条"}));
            p.Clear();
        }
        QCOMPARE(written, 4);
        QCOMPARE(db().SelectValue("select TXT||'/'||cast(cast(AMT as numeric) as integer) from T_Probe").toString(), QString("other/2"));

        try {
            TWjTransaction tr(db());
            db().ExecuteSQL("update T_Probe set AMT=99 where ID=1");
            Prompter().Question(QStringLiteral("继续吗？"));
            tr.Commit();
            QFAIL("a question inside a transaction was asked");
        } catch (const EWjError &e) {
            QVERIFY(e.Message().contains(QStringLiteral("事务")));
        }
        QVERIFY(!db().InTransaction());
        QCOMPARE(db().SelectValue("select cast(cast(AMT as numeric) as integer) from T_Probe").toInt(), 2);
        QVERIFY(p.shown.empty());
        // Outside a transaction everything is shown at once.
        p.answers = {true};
        QVERIFY(Prompter().Question(QStringLiteral("继续吗？")));
    }

    void passwordsOfTheEarlierSchemeAreReplacedAtLogin()
    {
        const QString legacy = TWjEncrypt::GetEncryptResult("old pw", kAdmin);
        db().ExecuteSQL("update WJ_SYS_CZY set CZYPASSWORD=" + TDBAction::QuotedStr(legacy));
        auto stored = [&] { return db().SelectValue("select CZYPASSWORD from WJ_SYS_CZY where CZYNAME=" + TDBAction::QuotedStr(kAdmin)).toString(); };
        QCOMPARE(t->czy().CheckPassword(kAdmin, "wrong"), TWjCzy::CheckResult::WrongPassword);
        QCOMPARE(stored(), legacy);  // a wrong password replaces nothing
        QCOMPARE(t->czy().CheckPassword(kAdmin, "old pw"), TWjCzy::CheckResult::Ok);
        const QString upgraded = stored();
        QVERIFY2(upgraded.startsWith("$argon2id$"), qPrintable(upgraded));
        QCOMPARE(t->czy().CheckPassword(kAdmin, "old pw"), TWjCzy::CheckResult::Ok);
        QCOMPARE(stored(), upgraded);  // replaced once
        QCOMPARE(t->czy().CheckPassword(kAdmin, "old pw "), TWjCzy::CheckResult::WrongPassword);
    }

    void wrongPasswordsInARowMakeTheNextTryWait()
    {
        const int waits[][2] = {{0, 0}, {4, 0}, {5, 5}, {6, 10}, {7, 20}, {10, 160}, {11, 300}, {50, 300}};
        for (const auto &w : waits)
            QCOMPARE(TWjCzy::WaitAfterFailures(w[0]), w[1]);

        t->czy().SetPassword(kAdmin, "right");
        for (int i = 0; i < 5; ++i)
            QCOMPARE(t->czy().CheckPassword(kAdmin, "wrong"), TWjCzy::CheckResult::WrongPassword);
        // Even the right password waits now, unchecked; so does a restarted program.
        QCOMPARE(t->czy().CheckPassword(kAdmin, "right"), TWjCzy::CheckResult::TooSoon);
        QVERIFY(t->czy().RetryAfterSeconds() > 0 && t->czy().RetryAfterSeconds() <= 5);
        QCOMPARE(t->czy().TooSoonText(), QStringLiteral("密码已连续输错多次，请%1秒后再试！").arg(t->czy().RetryAfterSeconds()));
        TWjCzy restarted;
        restarted.SetDb(&db());
        QCOMPARE(restarted.CheckPassword(kAdmin, "right"), TWjCzy::CheckResult::TooSoon);
        QCOMPARE(db().SelectValue("select CZYFAILS from WJ_SYS_CZY where CZYNAME=" + TDBAction::QuotedStr(kAdmin)).toInt(), 5);

        // Five seconds later: one more wrong try, and the wait doubles.
        db().ExecuteSQL("update WJ_SYS_CZY set CZYFAILAT=CZYFAILAT-5");
        QCOMPARE(t->czy().CheckPassword(kAdmin, "wrong"), TWjCzy::CheckResult::WrongPassword);
        QCOMPARE(t->czy().CheckPassword(kAdmin, "right"), TWjCzy::CheckResult::TooSoon);
        QVERIFY(t->czy().RetryAfterSeconds() > 5 && t->czy().RetryAfterSeconds() <= 10);
        // The login says so and asks again.
        ScriptedPrompter p;
        ScriptedSessionUi ui;
        t->czy().SetUi(&ui);
        ui.logins.push_back({kAdmin, "right"});
        ui.logins.push_back({QString(), QString(), true});
        QVERIFY(!t->czy().Login(true));
        QVERIFY(p.Last().startsWith(QStringLiteral("密码已连续输错多次，请")));

        // After the wait the right password logs in and the count starts afresh.
        db().ExecuteSQL("update WJ_SYS_CZY set CZYFAILAT=CZYFAILAT-10");
        QCOMPARE(t->czy().CheckPassword(kAdmin, "right"), TWjCzy::CheckResult::Ok);
        QCOMPARE(db().SelectValue("select CZYFAILS from WJ_SYS_CZY where CZYNAME=" + TDBAction::QuotedStr(kAdmin)).toInt(), 0);
        QCOMPARE(t->czy().CheckPassword(kAdmin, "wrong"), TWjCzy::CheckResult::WrongPassword);
        QCOMPARE(t->czy().CheckPassword(kAdmin, "right"), TWjCzy::CheckResult::Ok);

        // A clock set far ahead on another workstation does not lock anybody out.
        db().ExecuteSQL(QStringLiteral("update WJ_SYS_CZY set CZYFAILS=9,CZYFAILAT=%1").arg(QDateTime::currentSecsSinceEpoch() + 86400));
        QCOMPARE(t->czy().CheckPassword(kAdmin, "right"), TWjCzy::CheckResult::Ok);
        // A password set anew clears the count.
        db().ExecuteSQL(QStringLiteral("update WJ_SYS_CZY set CZYFAILS=9,CZYFAILAT=%1").arg(QDateTime::currentSecsSinceEpoch()));
        t->czy().SetPassword(kAdmin, "new");
        QCOMPARE(t->czy().CheckPassword(kAdmin, "new"), TWjCzy::CheckResult::Ok);
    }

    // The lock window asks the session, which knows the salted hash: the spaces of the
    // password count, wrong tries are counted and make the next one wait.
    void lockWindowChecksThroughTheSession()
    {
        t->czy().SetPassword(kAdmin, " pw ");
        t->czy().BecomeOperator(kAdmin);
        ScriptedPrompter p;
        TfrmSysGq w;
        w.show();
        auto attempt = [&](const QString &typed) {
            w.edPassword->setText(typed);
            w.btnEnter->click();
            return w.result() == QDialog::Accepted;
        };
        QVERIFY(!attempt("   "));
        QCOMPARE(p.Last(), QStringLiteral("请输入密码！"));
        for (const char *wrong : {"pw", "pw ", " pw", "PW", "x"}) {
            QVERIFY(!attempt(wrong));
            QCOMPARE(p.Last(), QStringLiteral("密码错误，请重新输入！"));
        }
        QVERIFY(!attempt(" pw "));  // right, but too soon after five wrong ones
        QVERIFY(p.Last().startsWith(QStringLiteral("密码已连续输错多次，请")));
        QVERIFY(w.isVisible());
        db().ExecuteSQL("update WJ_SYS_CZY set CZYFAILAT=CZYFAILAT-5");
        QVERIFY(attempt(" pw "));
        QCOMPARE(p.shown.size(), size_t(7));
    }

    // The search bar takes the value as typed (minus what no statement may carry) and
    // finds it literally.
    void searchBarFindsTheValueLiterally()
    {
        for (const char *row : {"2,'50%'", "3,'505'", "4,'a_b'", "5,'axb'"})
            db().ExecuteSQL(QStringLiteral("insert into T_Probe(ID,TXT) values(%1)").arg(QLatin1String(row)));
        QFile ini(t->programDir() + "probe.ini");
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[数据库定义]\nItem1=探针\n[探针]\nSQL=select * from T_Probe\nOrderBy=ID\nField1=TXT,名称,T\n");
        ini.close();
        QComboBox source, field, op;
        QLineEdit value;
        QCheckBox fuzzy;
        TWjQuery list;
        list.SetConnection(&db());
        TWjSearch bar;
        bar.FileName = t->programDir() + "probe.ini";
        bar.SetDataSet(&list);
        bar.Init(&source, &field, &op, &value, nullptr, nullptr, &fuzzy);
        op.setCurrentText(QStringLiteral("包含"));
        auto found = [&] {
            QStringList r;
            for (list.First(); !list.Eof(); list.Next())
                r << list.FieldByName("TXT").AsString();
            return r;
        };
        struct Case { QString typed; QStringList found; };
        const Case cases[] = {{"50%", {"50%"}}, {"_", {"a_b"}}, {QString("a") + kNul + "_" + kHigh, {"a_b"}}, {"%'", {}}};
        for (const Case &c : cases) {
            value.clear();
            typeInto(&value, c.typed);
            QVERIFY(bar.ExcuteSearch());
            QVERIFY2(found() == c.found, qPrintable(value.text() + " -> " + found().join(" | ")));
        }
    }

    // A database upgraded while two goods share a barcode keeps its rows, is told which
    // barcodes they are, and gets the unique index on the first start after they are
    // resolved; from then on the database itself refuses a second one.
    void barcodeIndexFollowsOnceDuplicatesAreResolved()
    {
        // Back to the state before the step, with duplicates stored meanwhile.
        db().ExecuteSQL("drop index UX_Jb_Goods_Tm_Txm");
        db().ExecuteSQL("alter table WJ_SYS_CZY drop column CZYFAILS");
        db().ExecuteSQL("alter table WJ_SYS_CZY drop column CZYFAILAT");
        db().ExecuteSQL("delete from WJ_SYS_VERSION where VER=7");
        for (const char *row : {"1,1,'690001',1", "2,2,'690001',1", "3,3,'690001',2", "4,3,'690002',1", "5,4,'690003',1", "6,5,'690003',1"})
            db().ExecuteSQL(QStringLiteral("insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(%1)").arg(QLatin1String(row)));
        const QString indexExists = db().Dialect().IndexExistsSql("UX_Jb_Goods_Tm_Txm");

        QStringList notices = ShopSchema::Upgrade(db(), false);
        QVERIFY(ShopSchema::AppliedSteps(db()).contains(7));
        QCOMPARE(ShopSchema::CurrentVersion(db()), ShopSchema::LatestVersion());
        QCOMPARE(db().SelectValue("select count(*) from Jb_Goods_Tm").toInt(), 6);  // rows kept
        QCOMPARE(notices.size(), 1);
        QVERIFY2(notices[0].startsWith(QStringLiteral("以下商品条码被重复使用：690001（3处）、690003（2处）。")), qPrintable(notices[0]));
        QCOMPARE(db().SelectValue(indexExists).toInt(), 0);
        // Told again at the next start, with no step left to apply.
        QCOMPARE(ShopSchema::Upgrade(db(), false), notices);

        db().ExecuteSQL("delete from Jb_Goods_Tm where GoodsTxId in (2,3,6)");
        QVERIFY(ShopSchema::Upgrade(db(), false).isEmpty());
        QCOMPARE(db().SelectValue(indexExists).toInt(), 1);
        auto second = t->OpenSecond();
        try {
            second->ExecuteSQL("insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(7,9,'690001',1)");
            QFAIL("a second goods got the barcode");
        } catch (const EWjDbError &e) {
            QVERIFY2(second->IsUniqueViolation(e), qPrintable(e.Code() + ' ' + e.DriverText()));
        }
        QCOMPARE(db().SelectValue("select count(*) from Jb_Goods_Tm where Txm='690001'").toInt(), 1);
    }
};

QTEST_MAIN(TestHardening)
#include "test_hardening.moc"
