// What a list column holds (number, money, date, text) as the export and the printed
// reports decide it, the text they show for a value, and amounts in capital numerals.
#include "wjfieldkind.h"
#include <QtTest>

Q_DECLARE_METATYPE(TWjFieldKind)

class TestFieldKind : public QObject
{
    Q_OBJECT
private slots:
    void guessesKind_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("fieldType");
        QTest::addColumn<TWjFieldKind>("kind");
        const int none = QMetaType::UnknownType;
        // SQLite hands money, dates and codes over as text: names decide.
        QTest::newRow("money as text") << "Sa_Price1" << QVariant("520") << none << TWjFieldKind::Money;
        QTest::newRow("amount view column") << "T_Price_Kd" << QVariant("2316.5") << none << TWjFieldKind::Money;
        QTest::newRow("wage") << "JBGZ" << QVariant("3000") << none << TWjFieldKind::Money;
        QTest::newRow("number code keeps zeros") << "GoodsNo" << QVariant("0012") << none << TWjFieldKind::Text;
        QTest::newRow("barcode") << "Txm" << QVariant("6901234567890") << none << TWjFieldKind::Text;
        QTest::newRow("phone") << "Lxdh" << QVariant("0571-86001234") << none << TWjFieldKind::Text;
        QTest::newRow("date as text") << "In_Date" << QVariant("2026-01-10") << none << TWjFieldKind::Date;
        QTest::newRow("audit date with time") << "sh_date" << QVariant("2026-01-10 08:30:00") << none << TWjFieldKind::DateTime;
        QTest::newRow("date-like text elsewhere") << "ReMark" << QVariant("2026-01-10") << none << TWjFieldKind::Text;
        QTest::newRow("not a date in a date column") << "Yx_date" << QVariant("长期") << none << TWjFieldKind::Text;
        // Typed by the driver.
        QTest::newRow("integer") << "InNum1" << QVariant(qlonglong(3)) << int(QMetaType::LongLong) << TWjFieldKind::Integer;
        QTest::newRow("integral money value") << "TPrice" << QVariant(qlonglong(3040)) << none << TWjFieldKind::Money;
        QTest::newRow("postgres numeric text") << "UnitNum" << QVariant("1.5000") << int(QMetaType::Double) << TWjFieldKind::Number;
        QTest::newRow("double") << "Rate" << QVariant(2.5) << none << TWjFieldKind::Number;
        QTest::newRow("date value") << "Whatever" << QVariant(QDate(2026, 1, 10)) << none << TWjFieldKind::Date;
        QTest::newRow("flag") << "Cl_Flag" << QVariant(true) << none << TWjFieldKind::Text;
        QTest::newRow("empty decides nothing") << "Sa_Price1" << QVariant() << none << TWjFieldKind::Auto;
    }
    void guessesKind()
    {
        QFETCH(QString, field);
        QFETCH(QVariant, value);
        QFETCH(int, fieldType);
        QFETCH(TWjFieldKind, kind);
        QCOMPARE(WjFieldKind::Guess(field, value, fieldType), kind);
    }

    void formatsValues_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<TWjFieldKind>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("money two decimals") << QVariant("12.5") << TWjFieldKind::Money << "12.50";
        QTest::newRow("money rounds half up") << QVariant("0.125") << TWjFieldKind::Money << "0.13";
        QTest::newRow("money negative") << QVariant(qlonglong(-3)) << TWjFieldKind::Money << "-3.00";
        QTest::newRow("postgres numeric") << QVariant("1.5000") << TWjFieldKind::Number << "1.5";
        QTest::newRow("integer") << QVariant(qlonglong(42)) << TWjFieldKind::Integer << "42";
        QTest::newRow("date from text") << QVariant("2026-01-10") << TWjFieldKind::Date << "2026-01-10";
        QTest::newRow("date drops time") << QVariant(QDateTime(QDate(2026, 1, 10), QTime(8, 30))) << TWjFieldKind::Date << "2026-01-10";
        QTest::newRow("date-time keeps time") << QVariant("2026-01-10 08:30:00") << TWjFieldKind::DateTime << "2026-01-10 08:30:00";
        QTest::newRow("ISO date-time") << QVariant("2026-01-10T08:30:05.250") << TWjFieldKind::DateTime << "2026-01-10 08:30:05";
        QTest::newRow("slashes, short month") << QVariant("2026/1/5") << TWjFieldKind::Date << "2026-01-05";
        QTest::newRow("no such day") << QVariant("2026-02-30") << TWjFieldKind::Date << "2026-02-30";
        QTest::newRow("trailing text") << QVariant("2026-01-10 前") << TWjFieldKind::Date << "2026-01-10 前";
        QTest::newRow("not money stays text") << QVariant("见备注") << TWjFieldKind::Money << "见备注";
        QTest::newRow("null") << QVariant() << TWjFieldKind::Money << "";
        QTest::newRow("code keeps zeros") << QVariant("0012") << TWjFieldKind::Text << "0012";
    }
    void formatsValues()
    {
        QFETCH(QVariant, value);
        QFETCH(TWjFieldKind, kind);
        QFETCH(QString, text);
        QCOMPARE(WjFieldKind::Format(value, kind), text);
    }

    void writesCapitalAmounts_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("words");
        QTest::newRow("zero") << "0" << "零元整";
        QTest::newRow("inner zero") << "3040" << "叁仟零肆拾元整";
        QTest::newRow("jiao only") << "2316.5" << "贰仟叁佰壹拾陆元伍角整";
        QTest::newRow("fen after zero jiao") << "100000.05" << "壹拾万元零伍分";
        QTest::newRow("fen only") << "0.05" << "伍分";
        QTest::newRow("jiao and fen") << "0.56" << "伍角陆分";
        QTest::newRow("zero across wan") << "100001" << "壹拾万零壹元整";
        QTest::newRow("zeros inside wan group") << "10001000" << "壹仟万零壹仟元整";
        QTest::newRow("yi") << "100000000" << "壹亿元整";
        QTest::newRow("yi and wan") << "120005000" << "壹亿贰仟万零伍仟元整";
        QTest::newRow("rounded to fen") << "1.235" << "壹元贰角肆分";
        QTest::newRow("negative") << "-12" << "负壹拾贰元整";
        QTest::newRow("wan yi") << "1000000000000" << "壹万亿元整";
    }
    void writesCapitalAmounts()
    {
        QFETCH(QString, amount);
        QFETCH(QString, words);
        Currency c;
        QVERIFY(Currency::TryParse(amount, &c));
        QCOMPARE(WjFieldKind::ChineseAmount(c), words);
    }
};

QTEST_GUILESS_MAIN(TestFieldKind)
#include "test_fieldkind.moc"
