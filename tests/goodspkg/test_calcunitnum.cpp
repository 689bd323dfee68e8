// Three-unit arithmetic: the documented cases, the wide range, and a property check
// that both operations keep the quantity counted in the smallest unit exact.
#include "calcunitnum.h"
#include "wjerror.h"

#include <QRandomGenerator>
#include <QtTest>
#include <limits>

using Triple = std::array<qint64, 3>;
Q_DECLARE_METATYPE(Triple)

namespace {
constexpr qint64 kMax32 = std::numeric_limits<qint32>::max();
constexpr qint64 kMin32 = std::numeric_limits<qint32>::min();

QString show(const Triple &t) { return QStringLiteral("(%1, %2, %3)").arg(t[0]).arg(t[1]).arg(t[2]); }
}

class TestCalcUnitNum : public QObject
{
    Q_OBJECT
private slots:
    void calculates_data()
    {
        QTest::addColumn<char>("op");  // '+' AddCalc, '-' DecCalc
        QTest::addColumn<qint64>("f12");
        QTest::addColumn<qint64>("f23");
        QTest::addColumn<Triple>("a");
        QTest::addColumn<Triple>("b");
        QTest::addColumn<Triple>("result");
        QTest::addColumn<bool>("enough");  // CheckIsEnoughKc for '-' rows

        QTest::newRow("add carries twice") << '+' << 10LL << 12LL << Triple{1, 9, 10} << Triple{0, 0, 5} << Triple{2, 0, 3} << false;
        QTest::newRow("subtract borrows box and pack") << '-' << 10LL << 12LL << Triple{2, 0, 3} << Triple{0, 1, 5} << Triple{1, 8, 10} << true;
        QTest::newRow("exact borrow leaves 0") << '-' << 10LL << 12LL << Triple{1, 0, 0} << Triple{0, 0, 12} << Triple{0, 9, 0} << true;
        QTest::newRow("exact match is enough") << '-' << 10LL << 12LL << Triple{1, 2, 3} << Triple{1, 2, 3} << Triple{0, 0, 0} << true;
        QTest::newRow("one piece more is short") << '-' << 10LL << 12LL << Triple{1, 2, 3} << Triple{1, 2, 4} << Triple{-1, 9, 11} << false;
        QTest::newRow("one unit: no borrow") << '-' << 0LL << 0LL << Triple{5, 0, 0} << Triple{7, 0, 0} << Triple{-2, 0, 0} << false;
        QTest::newRow("one unit: no carry") << '+' << 0LL << 0LL << Triple{5, 3, 0} << Triple{7, 9, 0} << Triple{12, 12, 0} << false;
        QTest::newRow("two units: unit 3 plain") << '-' << 10LL << 0LL << Triple{1, 2, 3} << Triple{0, 0, 5} << Triple{1, 2, -2} << true;
        QTest::newRow("two units: unit 2 borrows") << '-' << 10LL << 0LL << Triple{1, 2, 0} << Triple{0, 5, 0} << Triple{0, 7, 0} << true;
        QTest::newRow("negative lower unit not carried") << '+' << 10LL << 12LL << Triple{1, 0, -3} << Triple{0, 0, 0} << Triple{1, 0, -3} << false;
        QTest::newRow("unnormalised stock stays as it is") << '-' << 10LL << 12LL << Triple{0, 0, 30} << Triple{0, 0, 5} << Triple{0, 0, 25} << true;
        QTest::newRow("borrow only as far as needed") << '-' << 10LL << 12LL << Triple{3, 0, 0} << Triple{0, 0, 1} << Triple{2, 9, 11} << true;
        QTest::newRow("worked sale, batch 1") << '-' << 10LL << 0LL << Triple{1, 5, 0} << Triple{0, 4, 0} << Triple{1, 1, 0} << true;
        QTest::newRow("worked sale, batch 2") << '-' << 10LL << 0LL << Triple{1, 2, 0} << Triple{1, 1, 0} << Triple{0, 1, 0} << true;
        QTest::newRow("unit 3 without unit-1 factor") << '-' << 0LL << 12LL << Triple{4, 0, 0} << Triple{0, 0, 5} << Triple{4, -1, 7} << true;
        // Beyond 16 bits: factors and carries the goods editor allows.
        QTest::newRow("factor 100000 carry") << '+' << 100000LL << 100000LL << Triple{0, 0, 250000} << Triple{0, 99999, 1}
                                             << Triple{1, 1, 50001} << false;
        QTest::newRow("factor 100000 borrow") << '-' << 100000LL << 100000LL << Triple{0, 0, 0} << Triple{0, 0, 1}
                                              << Triple{-1, 99999, 99999} << false;
        QTest::newRow("quotient above 65535") << '+' << 0LL << 2LL << Triple{0, 0, 200000} << Triple{0, 0, 1} << Triple{0, 100000, 1} << false;
        QTest::newRow("sum beyond 32 bits") << '+' << 0LL << 0LL << Triple{kMax32, kMax32, kMax32} << Triple{kMax32, 1, 0}
                                            << Triple{2 * kMax32, kMax32 + 1, kMax32} << false;
        QTest::newRow("32-bit extremes borrow") << '-' << kMax32 << kMax32 << Triple{kMin32, 0, kMin32} << Triple{kMax32, kMax32, kMax32}
                                                << Triple{kMin32 - kMax32 - 2, kMax32 - 3, kMax32 - 1} << false;
    }

    void calculates()
    {
        QFETCH(char, op);
        QFETCH(qint64, f12);
        QFETCH(qint64, f23);
        QFETCH(Triple, a);
        QFETCH(Triple, b);
        QFETCH(Triple, result);
        QFETCH(bool, enough);
        TCalcUnitNum c;
        c.Num1 = c.Num2 = c.Num3 = 99;  // every call overwrites the previous result
        if (op == '+')
            c.AddCalc(f12, f23, a[0], a[1], a[2], b[0], b[1], b[2]);
        else
            c.DecCalc(f12, f23, a[0], a[1], a[2], b[0], b[1], b[2]);
        QCOMPARE(show({c.Num1, c.Num2, c.Num3}), show(result));
        if (op == '-')
            QCOMPARE(c.CheckIsEnoughKc(f12, f23, a[0], a[1], a[2], b[0], b[1], b[2]), enough);
    }

    void divModIsOne32By16BitDivision()
    {
        quint16 q = 0, r = 0;
        DivMod(15, 12, q, r);
        QCOMPARE(q, quint16(1));
        QCOMPARE(r, quint16(3));
        DivMod(65535 * 7 + 6, 7, q, r);
        QCOMPARE(q, quint16(65535));
        QCOMPARE(r, quint16(6));
        QVERIFY_THROWS_EXCEPTION(EWjError, DivMod(65536 * 7, 7, q, r));  // quotient needs 17 bits
        QVERIFY_THROWS_EXCEPTION(EWjError, DivMod(5, 0, q, r));
        QVERIFY_THROWS_EXCEPTION(EWjError, DivMod(-1, 3, q, r));
    }

    // Over random triples and factors (up to the 32-bit range), both operations give
    // A + B and A - B counted in the smallest unit; with positive factors DecCalc's units
    // 2 and 3 are never negative (unit 3 below its factor after a borrow), and for
    // normalised triples CheckIsEnoughKc is the comparison of the two quantities.
    void keepsSmallestUnitCountExact()
    {
        QRandomGenerator rng(20240611);
        auto quantity = [&]() -> qint64 {
            switch (rng.bounded(4)) {
            case 0: return rng.bounded(-50, 50);
            case 1: return rng.bounded(-100000, 100000);
            case 2: return qint64(qint32(rng.generate()));
            default: return rng.bounded(2) ? kMax32 : kMin32;
            }
        };
        auto factor = [&]() -> qint64 {
            switch (rng.bounded(5)) {
            case 0: return 0;
            case 1: return rng.bounded(1, 13);
            case 2: return rng.bounded(1, 100001);
            case 3: return rng.bounded(1, int(kMax32));
            default: return kMax32;
            }
        };
        TCalcUnitNum c;
        for (int i = 0; i < 200000; ++i) {
            const qint64 f12 = factor(), f23 = factor();
            const Triple a{quantity(), quantity(), quantity()};
            const Triple b{quantity(), quantity(), quantity()};
            const __int128 va = TCalcUnitNum::SmallestUnits(f12, f23, a[0], a[1], a[2]);
            const __int128 vb = TCalcUnitNum::SmallestUnits(f12, f23, b[0], b[1], b[2]);
            const QString what = QStringLiteral("f=(%1,%2) a=%3 b=%4").arg(f12).arg(f23).arg(show(a), show(b));

            c.AddCalc(f12, f23, a[0], a[1], a[2], b[0], b[1], b[2]);
            QVERIFY2(TCalcUnitNum::SmallestUnits(f12, f23, c.Num1, c.Num2, c.Num3) == va + vb, qPrintable("add " + what));

            c.DecCalc(f12, f23, a[0], a[1], a[2], b[0], b[1], b[2]);
            QVERIFY2(TCalcUnitNum::SmallestUnits(f12, f23, c.Num1, c.Num2, c.Num3) == va - vb, qPrintable("dec " + what));
            if (f12 > 0 && f23 > 0) {
                QVERIFY2(c.Num2 >= 0 && c.Num3 >= 0, qPrintable("negative lower unit " + what));
                if (a[2] < b[2])
                    QVERIFY2(c.Num3 < f23, qPrintable("over-borrowed unit 3 " + what));
            }
            // For normalised triples "enough" is the comparison in the smallest unit.
            if (f12 > 0 && f23 > 0) {
                auto norm = [&](const Triple &t) {
                    return Triple{t[0], (t[1] % f12 + f12) % f12, (t[2] % f23 + f23) % f23};
                };
                const Triple an = norm(a), bn = norm(b);
                const bool enough = c.CheckIsEnoughKc(f12, f23, an[0], an[1], an[2], bn[0], bn[1], bn[2]);
                QVERIFY2(enough == (TCalcUnitNum::SmallestUnits(f12, f23, an[0], an[1], an[2])
                                    >= TCalcUnitNum::SmallestUnits(f12, f23, bn[0], bn[1], bn[2])),
                         qPrintable("enough " + what));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestCalcUnitNum)
#include "test_calcunitnum.moc"
