// The insurance rules without windows: the totals in exact money, the plate lookup
// (prefix, '%' and '_' taken literally, blank lists all), unique plates, item names
// (a rename to itself with blanks is no duplicate, a rename to another item's name is),
// and deleting a policy together with its lines only, in one transaction.
#include "bxlogic.h"
#include "wjdataset.h"
#include "wjtestsupport.h"

#include <QtTest>

class TestBxLogic : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestDatabase> t;

    QString value(const QString &sql) { return t->db().SelectValue(sql).toString(); }
    int count(const QString &from) { return t->db().SelectValue("select count(*) from " + from).toInt(); }
    QStringList column(const QString &sql)
    {
        TWjQuery q;
        t->db().SelectTable(sql, q);
        QStringList r;
        for (q.First(); !q.Eof(); q.Next())
            r << q.Fields(0).AsString();
        return r;
    }
    // Each item as "key:name:premium".
    QStringList items()
    {
        TWjQuery q;
        t->db().SelectTable("select * from tBxSetup order by BxSetupId", q);
        QStringList r;
        for (q.First(); !q.Eof(); q.Next())
            r << q.FieldByName("BxSetupId").AsString() + ':' + q.FieldByName("BxType").AsString() + ':'
                     + q.FieldByName("Bxf").AsCurrency().ToString();
        return r;
    }
    // Each policy's key, number and premiums, as the rows say.
    QStringList policies()
    {
        return column("select m.BxMain_Id||':'||m.BxdBh||':'||count(d.BxMain_DetailId) from tBxMain m "
                      "left join tBxMain_Detail d on d.BxMain_Id=m.BxMain_Id group by m.BxMain_Id,m.BxdBh order by m.BxMain_Id");
    }

private slots:
    void init()
    {
        if (QString(QTest::currentTestFunction()) == QLatin1String("totals"))
            return;  // arithmetic only
        WJ_REQUIRE_DB();
        t = std::make_unique<TestDatabase>();
    }
    void cleanup() { t.reset(); }

    void totals_data()
    {
        QTest::addColumn<QStringList>("premiums");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("jzbf");
        QTest::addColumn<QString>("yhje");
        QTest::addColumn<QString>("bxfhj");
        QTest::newRow("three lines, 10 %") << QStringList{"500", "300", "200"} << "10" << "1000" << "100" << "900";
        QTest::newRow("333 at 15 %") << QStringList{"333"} << "15" << "333" << "49.95" << "283.05";
        QTest::newRow("1000 at 15 %") << QStringList{"600", "400"} << "15" << "1000" << "150" << "850";
        QTest::newRow("no discount") << QStringList{"950", "2380.5"} << "0" << "3330.5" << "0" << "3330.5";
        QTest::newRow("blank rate") << QStringList{"120"} << "" << "120" << "0" << "120";
        QTest::newRow("whole premium off") << QStringList{"42.37"} << "100" << "42.37" << "42.37" << "0";
        QTest::newRow("rounded to the fen") << QStringList{"2380.5", "950"} << "15" << "3330.5" << "499.58" << "2830.92";
        QTest::newRow("half a fen rounds up") << QStringList{"0.01"} << "50" << "0.01" << "0.01" << "0";
        QTest::newRow("less than half a fen") << QStringList{"0.01"} << "33" << "0.01" << "0" << "0.01";
        QTest::newRow("rate with decimals") << QStringList{"0.1", "0.2"} << "12.5" << "0.3" << "0.04" << "0.26";
        QTest::newRow("premium below the fen") << QStringList{"100.0001"} << "10" << "100.0001" << "10" << "90.0001";
        QTest::newRow("large") << QStringList{"99999999.99", "1000000000"} << "37" << "1099999999.99" << "407000000"
                               << "692999999.99";
        QTest::newRow("no lines") << QStringList{} << "20" << "0" << "0" << "0";
    }
    // The discount and the total after it, from the base premium (the lines' premiums
    // added up), shown without trailing zeros; discount and total always add up to it.
    void totals()
    {
        QFETCH(QStringList, premiums);
        QFETCH(QString, rate);
        QFETCH(QString, jzbf);
        QFETCH(QString, yhje);
        QFETCH(QString, bxfhj);
        Currency base;
        for (const QString &p : premiums) {
            Currency c;
            QVERIFY(Currency::TryParse(p, &c));
            base += c;
        }
        QCOMPARE(base.ToString(), jzbf);
        BxLogic::TBxTotals r;
        QVERIFY(BxLogic::CalcTotals(base.ToString(), rate, &r));
        QCOMPARE(r.YhJe.ToString(), yhje);
        QCOMPARE(r.BxfHj.ToString(), bxfhj);
        QCOMPARE(r.YhJe + r.BxfHj, base);
    }
    // What cannot be read as a number, and rates outside 0..100, compute nothing.
    void totalsRefuseBadInput_data()
    {
        QTest::addColumn<QString>("jzbf");
        QTest::addColumn<QString>("rate");
        QTest::newRow("base not a number") << "12a" << "10";
        QTest::newRow("rate not a number") << "100" << "十";
        QTest::newRow("rate above 100") << "100" << "100.01";
        QTest::newRow("rate below 0") << "100" << "-1";
    }
    void totalsRefuseBadInput()
    {
        QFETCH(QString, jzbf);
        QFETCH(QString, rate);
        BxLogic::TBxTotals r;
        r.YhJe = Currency::FromInt(7);
        QVERIFY(!BxLogic::CalcTotals(jzbf, rate, &r));
        QCOMPARE(r.YhJe, Currency::FromInt(7));
    }

    void plateLookup_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("plates");
        QTest::newRow("prefix") << "浙A1" << QStringList{"浙A1%888", "浙A12345", "浙A1_999"};
        QTest::newRow("underscore literal") << "浙A1_" << QStringList{"浙A1_999"};
        QTest::newRow("percent literal") << "浙A1%" << QStringList{"浙A1%888"};
        QTest::newRow("escape character literal") << "x!" << QStringList{"X!1"};
        QTest::newRow("blanks and lower case") << "  浙ab " << QStringList{"浙AB0001"};
        QTest::newRow("beginning only") << "12345" << QStringList{};
        QTest::newRow("quote") << "浙A'" << QStringList{};
        QTest::newRow("empty lists all") << "" << QStringList{"X!1", "浙A1%888", "浙A12345", "浙A1_999", "浙AB0001", "苏E00001"};
    }
    // The vehicles whose plate begins with the typed text, taken literally.
    void plateLookup()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, plates);
        int id = 0;
        for (const char *p : {"浙A12345", "浙A1_999", "浙A1%888", "浙AB0001", "苏E00001", "X!1"})
            t->db().ExecuteSQL(QString("insert into Jb_CarData(Wx_CarData_Id,RegiCode,MasterName) values(%1,'%2','车主%1')").arg(++id).arg(p));
        QStringList found = column("select RegiCode from (" + BxLogic::CarLookupSql(typed) + ") s");
        found.sort();
        plates.sort();
        QCOMPARE(found, plates);
    }

    // A plate belongs to one vehicle: another vehicle with it (typed in lower case
    // with blanks) is found, the vehicle itself is not.
    void plateTaken()
    {
        t->db().ExecuteSQL("insert into Jb_CarData(Wx_CarData_Id,RegiCode) values(1,'浙AB0001')");
        t->db().ExecuteSQL("insert into Jb_CarData(Wx_CarData_Id,RegiCode) values(2,'苏E00001')");
        QVERIFY(BxLogic::PlateTaken(t->db(), " 浙ab0001", "2"));
        QVERIFY(BxLogic::PlateTaken(t->db(), "浙AB0001", ""));
        QVERIFY(!BxLogic::PlateTaken(t->db(), "浙AB0001 ", "1"));
        QVERIFY(!BxLogic::PlateTaken(t->db(), "浙AB0002", "0"));
        QCOMPARE(BxLogic::NormalizePlate(" 浙a-d1234 "), QString("浙A-D1234"));
    }

    void saveItem_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QStringList>("stored");
        const QStringList before{"1:交强险:950", "2:车损险:2380.5"};
        QTest::newRow("rename to itself with blanks") << "1" << "  交强险 " << "" << QStringList{"1:交强险:10", "2:车损险:2380.5"};
        QTest::newRow("rename to another item") << "1" << "车损险" << "对不起，该保险项目已存在！" << before;
        QTest::newRow("rename to another item with blanks") << "1" << " 车损险  " << "对不起，该保险项目已存在！" << before;
        QTest::newRow("rename to a new name") << "2" << " 车辆损失险" << "" << QStringList{"1:交强险:950", "2:车辆损失险:10"};
        QTest::newRow("add an existing name") << "0" << "交强险 " << "对不起，该保险项目已存在！" << before;
        QTest::newRow("add a new name") << "" << " 玻璃险 " << "" << QStringList{"1:交强险:950", "2:车损险:2380.5", "3:玻璃险:10"};
        QTest::newRow("edit an item deleted meanwhile") << "9" << "划痕险" << "该保险项目已被删除，不能保存！" << before;
        QTest::newRow("blank name") << "0" << "  " << "承保险别不能为空！" << before;
    }
    // Names are compared and stored trimmed; a refusal writes nothing.
    void saveItem()
    {
        QFETCH(QString, id);
        QFETCH(QString, name);
        QFETCH(QString, refusal);
        QFETCH(QStringList, stored);
        t->db().ExecuteSQL("insert into tBxSetup(BxSetupId,BxType,BxJe,Bxf) values(1,'交强险',122000,950)");
        t->db().ExecuteSQL("insert into tBxSetup(BxSetupId,BxType,BxJe,Bxf) values(2,'车损险',150000,2380.5)");
        BxLogic::TBxItem item{id, name, Currency::FromInt(5000), Currency::FromInt(10)};
        QCOMPARE(BxLogic::SaveItem(t->db(), item), refusal);
        QVERIFY(!t->db().InTransaction());
        QCOMPARE(items(), stored);
        if (refusal.isEmpty())
            QCOMPARE(item.BxType, name.trimmed());
    }

    // Five policies with two lines each: deleting the third removes it and its lines
    // and leaves every other policy's lines, the first one's too. A policy that is gone
    // already deletes nothing, not even lines that still name it; a failing statement
    // leaves policy and lines as they were.
    void deletePolicyKeepsOthersLines()
    {
        auto &db = t->db();
        for (int id = 1; id <= 5; ++id) {
            db.ExecuteSQL(QString("insert into tBxMain(BxMain_Id,BxdBh,RegiCode,BbxR) values(%1,'BX%1','浙A0000%1','人%1')").arg(id));
            for (int x = 1; x <= 2; ++x)
                db.ExecuteSQL(QString("insert into tBxMain_Detail(BxMain_DetailId,BxMain_Id,Xh_BxDetail,BxType,Bxf) values(%1,%2,%3,'险%3',100)")
                                  .arg(id * 10 + x).arg(id).arg(x));
        }
        QVERIFY(BxLogic::DeletePolicy(db, "3"));
        QCOMPARE(policies(), QStringList({"1:BX1:2", "2:BX2:2", "4:BX4:2", "5:BX5:2"}));
        QCOMPARE(count("tBxMain_Detail where BxMain_Id=3"), 0);
        QCOMPARE(count("tBxMain_Detail"), 8);

        // Lines left behind by an earlier write: they are not this delete's to take.
        db.ExecuteSQL("insert into tBxMain_Detail(BxMain_DetailId,BxMain_Id,Xh_BxDetail,BxType,Bxf) values(99,3,1,'残留',1)");
        QVERIFY(!BxLogic::DeletePolicy(db, "3"));
        QCOMPARE(count("tBxMain_Detail"), 9);

        db.SetStatementFilter([](const QString &sql) { return !sql.startsWith("delete from tBxMain_Detail"); });
        QVERIFY_THROWS_EXCEPTION(std::exception, BxLogic::DeletePolicy(db, "1"));
        db.SetStatementFilter({});
        QVERIFY(!db.InTransaction());
        QCOMPARE(policies(), QStringList({"1:BX1:2", "2:BX2:2", "4:BX4:2", "5:BX5:2"}));
    }
};

QTEST_GUILESS_MAIN(TestBxLogic)
#include "test_bxlogic.moc"
