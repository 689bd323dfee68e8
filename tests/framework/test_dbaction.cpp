// The data access service and its dataset, on the database kind under test.
#include "schema.h"
#include "wjerror.h"
#include "wjtestsupport.h"

#include <QtTest>

class TestDbAction : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestDatabase> t;

    void makeTable()
    {
        t->db().ExecuteSQL("create table T_Item (Item_Id integer not null primary key, Name varchar(40), "
                           "Price numeric(18,4), Made date)");
        t->db().ExecuteSQL("insert into T_Item values(1,'甲',12.5,'2026-01-05')");
        t->db().ExecuteSQL("insert into T_Item values(2,'O''Brien',0.1,'2025-12-31')");
        t->db().ExecuteSQL("insert into T_Item values(3,'丙',1234567.8901,null)");
    }

private slots:
    void init()
    {
        WJ_REQUIRE_DB();
        t = std::make_unique<TestDatabase>();
        makeTable();
    }
    void cleanup() { t.reset(); }

    void selectWalksResult()
    {
        TWjQuery q;
        t->db().SelectTable("select * from T_Item order by Item_Id", q);
        QCOMPARE(q.RecordCount(), 3);
        QVERIFY(q.Bof() && !q.Eof());
        QStringList names;
        for (q.First(); !q.Eof(); q.Next())
            names << q.FieldByName("name").AsString();
        QCOMPARE(names, QStringList({"甲", "O'Brien", "丙"}));
        q.Last();
        QCOMPARE(q.FieldByName("PRICE").AsCurrency().ToString(), QString("1234567.8901"));
        q.Prior();
        QCOMPARE(q.FieldByName("Price").AsCurrency().Raw(), 1000);  // 0.1 exactly
        QCOMPARE(q.FieldByName("Price").AsString(), QString("0.1"));
        q.First();
        QCOMPARE(q.FieldByName("Item_Id").AsInteger(), 1);
        QCOMPARE(q.FieldByName("Made").AsDate(), QDate(2026, 1, 5));
        QCOMPARE(q.FieldByName("Made").AsString(), QString("2026-01-05"));
        q.Prior();
        QVERIFY(q.Bof());
        QVERIFY_THROWS_EXCEPTION(EWjError, q.FieldByName("NoSuch"));

        t->db().SelectTable("select * from T_Item where Item_Id<0", q);
        QVERIFY(q.Bof() && q.Eof());
        QCOMPARE(q.RecordCount(), 0);

        t->db().GetSerData("select count(*) as N from T_Item");
        QCOMPARE(t->db().SerQuery()->FieldByName("N").AsInteger(), 3);
    }

    void quotedTextAndIsoDatesCompare()
    {
        QCOMPARE(TDBAction::QuotedStr("a'b''c"), QString("'a''b''''c'"));
        const QString hostile = "x'); drop table T_Item; --";
        QVERIFY(!t->db().CheckTbHaveData("T_Item", "Name", hostile));
        QVERIFY(t->db().CheckTbHaveData("T_Item", "Name", "O'Brien"));
        QVERIFY(t->db().TableExists("T_Item"));
        // Dates written as ISO literals compare as dates on both databases.
        const int n = t->db().SelectValue("select count(*) from T_Item where Made>=" + t->db().DateStr(QDate(2026, 1, 1))).toInt();
        QCOMPARE(n, 1);
        QCOMPARE(WjSql::CheckNumber(" 12.5 "), QString("12.5"));
        QCOMPARE(WjSql::CheckNumber(""), QString("0"));
        QVERIFY_THROWS_EXCEPTION(EWjError, WjSql::CheckNumber("1;delete", "数量"));
        QVERIFY_THROWS_EXCEPTION(EWjError, WjSql::CheckInteger("1.5"));
        QVERIFY_THROWS_EXCEPTION(EWjError, WjSql::Ident("T_Item;x"));
    }

    void valuesToItemsKeepResultOrder()
    {
        QCOMPARE(t->db().GetDbFileValueToItems("T_Item", "Name", " order by Item_Id desc"),
                 QStringList({"丙", "O'Brien", "甲"}));
    }

    void failingStatementCarriesStatementAndDriverText()
    {
        const QString bad = "insert into T_Item(Item_Id,Name) values(1,'dup')";
        try {
            t->db().ExecuteSQL(bad);
            QFAIL("a duplicate key must fail");
        } catch (const EWjDbError &e) {
            QCOMPARE(e.Sql(), bad);
            QVERIFY(!e.DriverText().isEmpty());
            QVERIFY(e.Message().contains(bad));
        }
        QVERIFY_THROWS_EXCEPTION(EWjDbError, t->db().ExecuteSQL("select * from NoSuchTable"));
    }

    void transactionsStandOrFallTogether()
    {
        auto count = [&] { return t->db().SelectValue("select count(*) from T_Item").toInt(); };
        {
            TWjTransaction tr(t->db());
            t->db().ExecuteSQL("insert into T_Item(Item_Id,Name) values(10,'a')");
            tr.Commit();
        }
        QCOMPARE(count(), 4);
        try {
            TWjTransaction tr(t->db());
            t->db().ExecuteSQL("insert into T_Item(Item_Id,Name) values(11,'b')");
            t->db().ExecuteSQL("insert into T_Item(Item_Id,Name) values(11,'b again')");  // fails
            tr.Commit();
            QFAIL("must not get here");
        } catch (const EWjDbError &) {
        }
        QCOMPARE(count(), 4);  // the first insert was rolled back too
        QVERIFY(!t->db().InTransaction());

        // A nested level that rolls back undoes the whole transaction.
        t->db().BeginTrans();
        t->db().ExecuteSQL("insert into T_Item(Item_Id,Name) values(12,'c')");
        {
            TWjTransaction inner(t->db());
            t->db().ExecuteSQL("insert into T_Item(Item_Id,Name) values(13,'d')");
        }  // left without Commit
        QVERIFY_THROWS_EXCEPTION(EWjError, t->db().CommitTrans());
        QVERIFY(!t->db().InTransaction());
        QCOMPARE(count(), 4);
    }

    void keysAreNeverHandedOutTwice()
    {
        // Beyond the stored keys, and several drawn before any row is stored.
        QStringList ids;
        for (int i = 0; i < 5; ++i)
            ids << t->db().GetTbId("T_Item", "Item_Id");
        QCOMPARE(ids, QStringList({"4", "5", "6", "7", "8"}));
        // A row stored with a key of its own moves the counter past it.
        t->db().ExecuteSQL("insert into T_Item(Item_Id,Name) values(100,'x')");
        QCOMPARE(t->db().GetTbId("T_Item", "Item_Id"), QString("101"));

        // Two workstations drawing in turn and inside open transactions.
        auto second = t->OpenSecond();
        QSet<QString> seen;
        for (int i = 0; i < 40; ++i) {
            TDBAction &d = (i % 2) ? *second : t->db();
            const QString id = d.GetTbId("T_Item", "Item_Id");
            QVERIFY2(!seen.contains(id), qPrintable(id));
            seen.insert(id);
        }
        t->db().BeginTrans();
        const QString inTrans = t->db().GetTbId("T_Item", "Item_Id");
        t->db().CommitTrans();
        const QString other = second->GetTbId("T_Item", "Item_Id");
        QVERIFY(inTrans != other && !seen.contains(inTrans) && !seen.contains(other));
    }

    void boundStatementsAndKeyBlocks()
    {
        // A prepared statement runs many times with bound values; text needs no quoting
        // and a null binds as null.
        const QString ins = "insert into T_Item(Item_Id,Name,Price,Made) values(?,?,?,?)";
        QCOMPARE(t->db().ExecuteBound(ins, {20, "O'Neil", "0.1234", QVariant()}), 1);
        QCOMPARE(t->db().ExecuteBound(ins, {21, "乙", 7, "2026-02-03"}), 1);
        QCOMPARE(t->db().ExecuteBound("update T_Item set Name=? where Item_Id>=?", {"x", 20}), 2);
        TWjQuery q;
        t->db().SelectTable("select * from T_Item where Item_Id>=20 order by Item_Id", q);
        QCOMPARE(q.FieldByName("Price").AsCurrency().Raw(), 1234);
        QVERIFY(q.FieldByName("Made").IsNull());
        q.Next();
        QCOMPARE(q.FieldByName("Made").AsDate(), QDate(2026, 2, 3));
        // Failures raise like any statement, inside a transaction too, and the filter
        // sees bound statements.
        QVERIFY_THROWS_EXCEPTION(EWjDbError, t->db().ExecuteBound(ins, {20, "dup", 0, QVariant()}));
        t->db().SetStatementFilter([](const QString &sql) { return !sql.startsWith("update"); });
        QVERIFY_THROWS_EXCEPTION(EWjDbError, t->db().ExecuteBound("update T_Item set Name=?", {"y"}));
        t->db().SetStatementFilter({});
        {
            TWjTransaction tr(t->db());
            t->db().ExecuteBound(ins, {22, "z", 0, QVariant()});
        }
        QCOMPARE(t->db().SelectValue("select count(*) from T_Item where Item_Id=22").toInt(), 0);
        QCOMPARE(t->db().ExecuteBound(ins, {22, "z", 0, QVariant()}), 1);  // still prepared after the rollback

        // A block of keys is drawn at once, beyond the stored ones, and never overlaps
        // what another workstation draws.
        const qint64 first = t->db().GetTbIdBlock("T_Item", "Item_Id", 5);
        QCOMPARE(first, 23);
        auto second = t->OpenSecond();
        QCOMPARE(second->GetTbId("T_Item", "Item_Id"), QString("28"));
        QCOMPARE(t->db().GetTbIdBlock("T_Item", "Item_Id", 2), 29);
        QVERIFY_THROWS_EXCEPTION(EWjError, t->db().GetTbIdBlock("T_Item", "Item_Id", 0));
    }

    void datasetPositionsAndBookmarks()
    {
        TWjQuery q;
        t->db().SelectTable("select Item_Id,Name from T_Item order by Item_Id", q);
        QVERIFY(q.Locate("name", "o'brien", TWjQuery::CaseInsensitive));
        QCOMPARE(q.RecNo(), 2);
        const auto bm = q.GetBookmark();
        q.First();
        q.GotoBookmark(bm);
        QCOMPARE(q.FieldByName("Item_Id").AsInteger(), 2);
        QVERIFY(!q.Locate("Name", "nobody"));
        QCOMPARE(q.RecNo(), 2);  // a failed Locate keeps the position

        // Requery returns to the same key even when rows before it appeared.
        t->db().ExecuteSQL("insert into T_Item(Item_Id,Name) values(0,'zero')");
        q.Requery(true, "Item_Id");
        QCOMPARE(q.RecordCount(), 4);
        QCOMPARE(q.FieldByName("Item_Id").AsInteger(), 2);
        // and to a near row when its row is gone
        t->db().ExecuteSQL("delete from T_Item where Item_Id=2");
        q.Requery(true, "Item_Id");
        QCOMPARE(q.RecNo(), 3);
        QCOMPARE(q.FieldByName("Item_Id").AsInteger(), 3);
    }

    void largeResultsArriveAsNeeded()
    {
        const int n = TWjQuery::FetchChunk * 2 + 7;
        {
            TWjTransaction tr(t->db());
            for (int i = 10; i < 10 + n; ++i)
                t->db().ExecuteSQL(QString("insert into T_Item(Item_Id,Name) values(%1,'n%1')").arg(i));
            tr.Commit();
        }
        TWjQuery q;
        t->db().SelectTable("select Item_Id from T_Item where Item_Id>=10 order by Item_Id", q);
        QCOMPARE(q.FetchedCount(), int(TWjQuery::FetchChunk));
        QVERIFY(q.HasMore());
        // Statements on the same connection while rows are still waiting.
        t->db().ExecuteSQL("update T_Item set Name='changed' where Item_Id=1");
        int seen = 0, last = 0;
        for (q.First(); !q.Eof(); q.Next()) {
            QCOMPARE(q.Fields(0).AsInteger(), 10 + seen);
            last = q.Fields(0).AsInteger();
            ++seen;
        }
        QCOMPARE(seen, n);
        QCOMPARE(last, 9 + n);
        QVERIFY(!q.HasMore());

        t->db().SelectTable("select Item_Id from T_Item where Item_Id>=10 order by Item_Id", q);
        QVERIFY(q.Locate("Item_Id", 15));  // among the first rows: nothing more is read
        QCOMPARE(q.FetchedCount(), int(TWjQuery::FetchChunk));
        QVERIFY(q.Locate("Item_Id", 9 + n));  // beyond the first rows
        QCOMPARE(q.RecNo(), n);
        t->db().SelectTable("select Item_Id from T_Item where Item_Id>=10 order by Item_Id", q);
        QCOMPARE(q.RecordCount(), n);
        // A connection that closes first reads the rest for its datasets.
        TWjQuery pending;
        t->db().SelectTable("select Item_Id from T_Item where Item_Id>=10", pending);
        QVERIFY(pending.HasMore());
        t->db().Disconnect();
        QVERIFY(!pending.HasMore());
        QCOMPARE(pending.FetchedCount(), n);
        t->db().Connect(TestDbConfig(t->programDir()));
    }

    void cachedUpdatesApplyInOneTransaction()
    {
        TWjQuery q;
        t->db().SelectTable("select Item_Id,Name,Price from T_Item order by Item_Id", q);
        q.AddCalcField("Shown");
        q.Locate("Item_Id", 1);
        q.SetValue("Price", QVariant::fromValue(Currency::FromRaw(99999)));
        q.SetValue("Shown", "display only");
        q.Locate("Item_Id", 3);
        q.Delete();
        q.Append();
        q.SetValue("Item_Id", 50);
        q.SetValue("Name", "新'行");
        QVERIFY(q.UpdatesPending());

        // A failing statement stores nothing and keeps the cache for another try.
        t->db().SetStatementFilter([](const QString &sql) { return !sql.startsWith("insert"); });
        QVERIFY_THROWS_EXCEPTION(EWjDbError, q.ApplyUpdates("T_Item", "Item_Id"));
        t->db().SetStatementFilter({});
        QCOMPARE(t->db().SelectValue("select count(*) from T_Item").toInt(), 3);
        QCOMPARE(Currency::FromVariant(t->db().SelectValue("select Price from T_Item where Item_Id=1")).ToString(), QString("12.5"));
        QVERIFY(q.UpdatesPending());

        // Inside a caller's transaction that then fails, the changes stay pending too.
        {
            TWjTransaction outer(t->db());
            q.ApplyUpdates("T_Item", "Item_Id");
            QVERIFY(q.UpdatesPending());  // not stored for good yet
        }                                 // rolled back
        QVERIFY(q.UpdatesPending());
        QCOMPARE(t->db().SelectValue("select count(*) from T_Item").toInt(), 3);

        q.ApplyUpdates("T_Item", "Item_Id");
        QVERIFY(!q.UpdatesPending());
        TWjQuery r;
        t->db().SelectTable("select Item_Id,Name,Price from T_Item order by Item_Id", r);
        QCOMPARE(r.RecordCount(), 3);
        QCOMPARE(r.FieldByName("Price").AsCurrency().ToString(), QString("9.9999"));
        r.Last();
        QCOMPARE(r.FieldByName("Name").AsString(), QString("新'行"));

        // CancelUpdates brings back deleted rows in their place and drops added ones.
        q.First();
        q.Delete();
        q.Append();
        q.SetValue("Item_Id", 60);
        q.CancelUpdates();
        QCOMPARE(q.RecordCount(), 3);
        QCOMPARE(q.FieldByName("Item_Id").AsInteger(), 1);
        QVERIFY(!q.UpdatesPending());
    }

    void schemaUpgradeIsRecordedAndRepeatable()
    {
        QCOMPARE(ShopSchema::CurrentVersion(t->db()), ShopSchema::LatestVersion());
        ShopSchema::Upgrade(t->db(), false);  // nothing left to do
        QCOMPARE(t->db().SelectValue("select count(*) from WJ_SYS_CZY where CZYLEVEL=0").toInt(), 1);
        QCOMPARE(t->db().SelectValue("select count(*) from WJ_SYS_CZY where CZYPASSWORD<>''").toInt(), 0);
        // Each step exists for both dialects.
        QCOMPARE(ShopSchema::StepFiles("sqlite"), ShopSchema::StepFiles("postgres"));
        // A step missing from the record (it arrived after higher ones) is applied again:
        // here the framework step's rows are gone with its record, as if never applied.
        const QList<int> all = ShopSchema::AppliedSteps(t->db());
        QCOMPARE(all.last(), ShopSchema::LatestVersion());
        if (all.size() > 1) {
            const int step = all[all.size() - 2];
            t->db().ExecuteSQL(QString("delete from WJ_SYS_VERSION where VER=%1").arg(step));
            QVERIFY_THROWS_EXCEPTION(EWjDbError, ShopSchema::Upgrade(t->db(), false));  // its tables exist already
            QCOMPARE(ShopSchema::AppliedSteps(t->db()).size(), all.size() - 1);      // nothing half-applied recorded
        }
        t->db().ExecuteSQL("insert into WJ_SYS_VERSION(VER,APPLIED) values(9999,'2030-01-01 00:00:00')");
        QVERIFY_THROWS_EXCEPTION(EWjError, ShopSchema::Upgrade(t->db(), false));  // a newer database
        QCOMPARE(ShopSchema::SplitStatements("-- c\ncreate table a (x int);\ninsert into a values(1);\n"),
                 QStringList({"create table a (x int)", "insert into a values(1)"}));
    }

    void demoDatabaseGetsDemoRows()
    {
        t.reset();
        t = std::make_unique<TestDatabase>(true, true);
        QCOMPARE(t->db().SelectValue("select PVALUE from WJ_SYS_PARAM where PNAME='演示数据'").toString(), QString("1"));
        QVERIFY(t->db().SelectValue("select count(*) from WJ_SYS_CZY").toInt() > 1);
    }
};

QTEST_GUILESS_MAIN(TestDbAction)
#include "test_dbaction.moc"
