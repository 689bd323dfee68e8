// Bad files at start: the embedded database read-only, cut short, not a database,
// locked by another program, another program's database, a folder; the navigation file
// missing, unreadable or empty. Each gives one clear sentence (never a raw statement),
// and another program's database is left exactly as it was.
#include "schema.h"
#include "wjdbaction.h"
#include "wjerror.h"
#include "wjoutlookbar.h"
#include "wjprompter.h"
#include "wjtestsupport.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace {
TWjDbConfig embedded(const QString &file)
{
    TWjDbConfig c;
    c.dbKind = QStringLiteral("ACCESS");
    c.file = file;
    c.busyTimeoutMs = 300;
    return c;
}

// What opening the file at start says ("" when it opens).
QString openMessage(const QString &file)
{
    TDBAction db;
    try {
        ShopSchema::OpenDatabase(db, embedded(file));
    } catch (const EWjError &e) {
        return e.Message();
    }
    return {};
}

QByteArray digest(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// Runs SQL on its own raw connection (another program).
void rawSql(const QString &file, const QStringList &statements, const QString &conn = QStringLiteral("other"))
{
    {
        QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conn);
        d.setDatabaseName(file);
        QVERIFY(d.open());
        QSqlQuery q(d);
        for (const QString &s : statements)
            QVERIFY2(q.exec(s), qPrintable(s));
    }
}
} // namespace

class TestStartFiles : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    ScriptedPrompter p;

    QString path(const QString &name) const { return dir.path() + QLatin1Char('/') + name; }
    QString shopDb(const QString &name)
    {
        const QString f = path(name);
        TDBAction db;
        ShopSchema::OpenDatabase(db, embedded(f));
        return f;
    }
    static void expect(const QString &message, const char *phrase)
    {
        QVERIFY2(message.contains(QString::fromUtf8(phrase)), qPrintable(message));
        QVERIFY2(!message.contains(QStringLiteral("语句")) && !message.contains(QStringLiteral("PRAGMA"), Qt::CaseInsensitive)
                     && !message.contains(QStringLiteral("BEGIN")),
                 qPrintable(message));
    }

private slots:
    void cleanup() { QSqlDatabase::removeDatabase(QStringLiteral("other")); }

    void aHealthyDatabaseOpensAndAFreshOneIsMade()
    {
        QCOMPARE(openMessage(path("new.db")), QString());
        QCOMPARE(openMessage(path("new.db")), QString());  // and again, as it is now
    }

    void damagedFilesSaySo()
    {
        const QString good = shopDb("good.db");
        QFile src(good);
        QVERIFY(src.open(QIODevice::ReadOnly));
        const QByteArray bytes = src.readAll();
        QVERIFY(bytes.size() > 8192);
        struct Case { const char *name; QByteArray content; const char *phrase; };
        const Case cases[] = {
            {"cut.db", bytes.left(4096), "已损坏或不完整"},
            {"text.db", QByteArray(5000, 'x'), "已损坏或不完整"},
            {"header.db", bytes.left(60), "已损坏或不完整"},
        };
        for (const Case &c : cases) {
            QFile f(path(c.name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(c.content);
            f.close();
            expect(openMessage(path(c.name)), c.phrase);
            QCOMPARE(digest(path(c.name)), QCryptographicHash::hash(c.content, QCryptographicHash::Sha256));
        }
        QVERIFY(QDir().mkpath(path("folder.db")));
        expect(openMessage(path("folder.db")), "不是一个文件");
    }

    void anotherProgramsDatabaseIsRefusedUntouched()
    {
        const QString f = path("foreign.db");
        rawSql(f, {"create table customers (id integer primary key, name text)", "insert into customers values(1,'Ann')"});
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
        const QByteArray before = digest(f);
        expect(openMessage(f), "不是本系统的数据库");
        QCOMPARE(digest(f), before);
        QVERIFY(!QFile::exists(f + "-wal"));
        QVERIFY(!QFile::exists(f + "-journal"));
        // The program's own empty file is no other program's: it gets the tables.
        QFile empty(path("empty.db"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        QCOMPARE(openMessage(path("empty.db")), QString());
    }

    void aDatabaseAnotherProgramLocksSaysSo()
    {
        const QString f = shopDb("locked.db");
        rawSql(f, {"BEGIN EXCLUSIVE", "insert into WJ_SYS_PARAM(PGROUP,PNAME,PVALUE) values('x','y','z')"});
        expect(openMessage(f), "正被其他程序（或其他电脑）锁定");
        {
            QSqlDatabase d = QSqlDatabase::database(QStringLiteral("other"));
            QSqlQuery(d).exec("ROLLBACK");
            d.close();
        }
        QCOMPARE(openMessage(f), QString());
        // While the program runs, a lock held too long says the same, not the statement.
        TDBAction db;
        db.Connect(embedded(f));
        rawSql(f, {"BEGIN IMMEDIATE"}, QStringLiteral("other2"));
        try {
            db.ExecuteSQL("insert into WJ_SYS_PARAM(PGROUP,PNAME,PVALUE) values('x','y','z')");
            QFAIL("wrote through another program's lock");
        } catch (const EWjDbError &e) {
            expect(e.Message(), "正被其他程序（或其他电脑）锁定");
        }
        QSqlDatabase::removeDatabase(QStringLiteral("other2"));
    }

    void aReadOnlyDatabaseSaysSo()
    {
        const QString f = shopDb("ro.db");
        QFile::remove(f + "-wal");
        QFile::remove(f + "-shm");
        // Immutable where the system allows it (root ignores file modes), else read-only.
        const bool immutable = QProcess::execute("chattr", {"+i", f}) == 0;
        auto undo = qScopeGuard([&] {
            if (immutable)
                QProcess::execute("chattr", {"-i", f});
            QFile::setPermissions(f, QFile::ReadOwner | QFile::WriteOwner);
        });
        if (!immutable)
            QFile::setPermissions(f, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        QFile probe(f);
        if (probe.open(QIODevice::ReadWrite))
            QSKIP("this system lets the test write a read-only file");
        expect(openMessage(f), "是只读的");
    }

    // Barcodes stored twice before they had to be unique are named at start, through the
    // prompter, once the upgrade's transactions are over; the rows stay.
    void duplicatedBarcodesAreNamedAtStart()
    {
        const QString f = shopDb("dup.db");
        rawSql(f, {"drop index UX_Jb_Goods_Tm_Txm", "insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(1,1,'690001',1)",
                   "insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(2,2,'690001',1)"});
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
        p.Clear();
        QCOMPARE(openMessage(f), QString());
        QCOMPARE(p.shown.size(), size_t(1));
        QVERIFY2(p.Last().startsWith(QStringLiteral("以下商品条码被重复使用：690001（2处）。")), qPrintable(p.Last()));
        QCOMPARE(p.shown[0].kind, TWjPrompter::Kind::Warning);
        p.Clear();
        rawSql(f, {"delete from Jb_Goods_Tm where GoodsTxId=2"});
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
        QCOMPARE(openMessage(f), QString());
        QVERIFY(p.shown.empty());
    }

    void navigationFileProblemsAreNamed()
    {
        const QString shipped = qEnvironmentVariable("WJ_PROGRAM_DIR") + "/sys/SYS_WJQX.ini";
        QVERIFY(QFile::exists(shipped));
        QCOMPARE(TWjOutlookBar::NavFileProblem(shipped), QString());
        QVERIFY(TWjOutlookBar::NavFileProblem(path("sys/SYS_NONE.ini")).startsWith(QStringLiteral("找不到导航文件")));
        QVERIFY(QDir().mkpath(path("navdir.ini")));
        QVERIFY(TWjOutlookBar::NavFileProblem(path("navdir.ini")).startsWith(QStringLiteral("无法读取导航文件")));
        QFile empty(path("empty.ini"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.write("[导航栏]\nHeader1=基础资料\n[分组:基础资料]\n");
        empty.close();
        QVERIFY(TWjOutlookBar::NavFileProblem(path("empty.ini")).contains(QStringLiteral("没有任何导航项目")));
    }
};

QTEST_MAIN(TestStartFiles)
#include "test_startfiles.moc"
