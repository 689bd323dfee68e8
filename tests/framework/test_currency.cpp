// Money with four exact decimals.
#include "wjcurrency.h"
#include <QtTest>

class TestCurrency : public QObject
{
    Q_OBJECT
private slots:
    void parsesExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<qlonglong>("raw");
        QTest::newRow("int") << "12" << true << 120000LL;
        QTest::newRow("frac") << "0.1" << true << 1000LL;
        QTest::newRow("four") << "-3.1415" << true << -31415LL;
        QTest::newRow("round5") << "1.00005" << true << 10001LL;
        QTest::newRow("round-neg") << "-1.00005" << true << -10001LL;
        QTest::newRow("trailing-zero") << "12.5000" << true << 125000LL;
        QTest::newRow("exp") << "1.5e2" << true << 1500000LL;
        QTest::newRow("dot-first") << ".5" << true << 5000LL;
        QTest::newRow("spaces") << " 7 " << true << 70000LL;
        QTest::newRow("big") << "99999999999999.9999" << true << 999999999999999999LL;
        QTest::newRow("too-big") << "999999999999999" << false << 0LL;
        QTest::newRow("text") << "12a" << false << 0LL;
        QTest::newRow("empty") << "" << false << 0LL;
        QTest::newRow("two-dots") << "1.2.3" << false << 0LL;
    }
    void parsesExactly()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(qlonglong, raw);
        Currency c;
        QCOMPARE(Currency::TryParse(text, &c), ok);
        if (ok)
            QCOMPARE(qlonglong(c.Raw()), raw);
    }

    void formatsAndRounds()
    {
        QCOMPARE(Currency::FromRaw(125000).ToString(), QString("12.5"));
        QCOMPARE(Currency::FromRaw(-5).ToString(), QString("-0.0005"));
        QCOMPARE(Currency::FromRaw(0).ToString(), QString("0"));
        QCOMPARE(Currency::FromRaw(125000).ToFixed(2), QString("12.50"));
        QCOMPARE(Currency::FromRaw(-12345).ToFixed(2), QString("-1.23"));
        QCOMPARE(Currency::FromRaw(-12350).ToFixed(2), QString("-1.24"));   // half away from zero
        QCOMPARE(Currency::FromRaw(12500).RoundBankers(1).Raw(), 12000);  // 1.25 -> 1.2
        QCOMPARE(Currency::FromRaw(13500).RoundBankers(1).Raw(), 14000);  // 1.35 -> 1.4
        QCOMPARE(Currency::FromRaw(12501).RoundBankers(1).Raw(), 13000);
        QCOMPARE(Currency::FromDouble(0.1 + 0.2).Raw(), 3000);
        QCOMPARE(Currency::FromDouble(1.005).ToFixed(3), QString("1.005"));
        // Price times a fractional quantity, and a sum of many tenths, stay exact.
        QCOMPARE(Currency::FromRaw(33333).Mul(Currency::FromInt(3)).Raw(), 99999);
        Currency sum;
        for (int i = 0; i < 1000; ++i)
            sum += Currency::FromRaw(1000);
        QCOMPARE(sum, Currency::FromInt(100));
        QCOMPARE(Currency::FromInt(10).Div(3).Raw(), 33333);
        QVERIFY_THROWS_EXCEPTION(std::exception, Currency::FromInt(1).Div(0));
    }
};

QTEST_GUILESS_MAIN(TestCurrency)
#include "test_currency.moc"
