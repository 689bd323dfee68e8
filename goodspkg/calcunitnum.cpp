#include "calcunitnum.h"
#include "wjerror.h"

#include <limits>

namespace {
using Wide = __int128;

// Whole units of `unit` needed to cover `deficit` (> 0): ceil(deficit / unit).
Wide unitsToCover(Wide deficit, Wide unit)
{
    return deficit / unit + (deficit % unit != 0 ? 1 : 0);
}

qint64 narrow(Wide v)
{
    if (v > std::numeric_limits<qint64>::max() || v < std::numeric_limits<qint64>::min())
        throw EWjError(QStringLiteral("数量超出可计算的范围。"));
    return qint64(v);
}
} // namespace

void TCalcUnitNum::AddCalc(qint64 uNum1_2, qint64 uNum2_3, qint64 A1, qint64 A2, qint64 A3, qint64 B1, qint64 B2, qint64 B3)
{
    Wide n1 = Wide(A1) + B1;
    Wide n2 = Wide(A2) + B2;
    Wide n3 = Wide(A3) + B3;
    // Carry only positive sums, and only into a defined larger unit.
    if (n3 > 0 && uNum2_3 > 0 && n3 / uNum2_3 > 0) {
        n2 += n3 / uNum2_3;
        n3 %= uNum2_3;
    }
    if (n2 > 0 && uNum1_2 > 0 && n2 / uNum1_2 > 0) {
        n1 += n2 / uNum1_2;
        n2 %= uNum1_2;
    }
    Num1 = narrow(n1);
    Num2 = narrow(n2);
    Num3 = narrow(n3);
}

void TCalcUnitNum::DecCalc(qint64 uNum1_2, qint64 uNum2_3, qint64 A1, qint64 A2, qint64 A3, qint64 B1, qint64 B2, qint64 B3)
{
    Wide n1 = A1;
    Wide n2 = A2;
    Wide n3;
    if (uNum2_3 > 0) {
        if (A3 >= B3) {
            n3 = Wide(A3) - B3;
        } else {
            const Wide packs = unitsToCover(Wide(B3) - A3, uNum2_3);
            n3 = A3 + packs * uNum2_3 - B3;
            if (n2 >= packs) {
                n2 -= packs;
            } else if (uNum1_2 > 0) {
                const Wide boxes = unitsToCover(packs - n2, uNum1_2);
                n2 = n2 + boxes * uNum1_2 - packs;
                n1 -= boxes;
            } else {
                // No unit 1 to break: the missing packs stay as a negative unit 2.
                n2 -= packs;
            }
        }
    } else {
        n3 = Wide(A3) - B3;
    }
    Wide r2;
    if (uNum1_2 > 0 && n2 < B2) {
        const Wide boxes = unitsToCover(Wide(B2) - n2, uNum1_2);
        r2 = n2 + boxes * uNum1_2 - B2;
        n1 -= boxes;
    } else {
        r2 = n2 - B2;
    }
    Num1 = narrow(n1 - B1);
    Num2 = narrow(r2);
    Num3 = narrow(n3);
}

bool TCalcUnitNum::CheckIsEnoughKc(qint64 uNum1_2, qint64 uNum2_3, qint64 A1, qint64 A2, qint64 A3, qint64 B1, qint64 B2, qint64 B3)
{
    DecCalc(uNum1_2, uNum2_3, A1, A2, A3, B1, B2, B3);
    if (Num1 != 0)
        return Num1 > 0;
    if (Num2 != 0)
        return Num2 > 0;
    return Num3 >= 0;
}

__int128 TCalcUnitNum::SmallestUnits(qint64 uNum1_2, qint64 uNum2_3, qint64 n1, qint64 n2, qint64 n3)
{
    const Wide f12 = uNum1_2 > 0 ? uNum1_2 : 1;
    const Wide f23 = uNum2_3 > 0 ? uNum2_3 : 1;
    return Wide(n1) * f12 * f23 + Wide(n2) * f23 + n3;
}

void DivMod(qint32 dividend, quint16 divisor, quint16 &result, quint16 &remainder)
{
    if (divisor == 0 || dividend < 0 || dividend / divisor > 0xFFFF)
        throw EWjError(QStringLiteral("除法溢出：%1 / %2").arg(dividend).arg(divisor));
    result = quint16(dividend / divisor);
    remainder = quint16(dividend % divisor);
}
