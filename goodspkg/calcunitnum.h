// TCalcUnitNum: adds and subtracts three-unit quantities with carry and borrow.
//
// A goods has up to three units, unit 1 the largest: uNum1_2 unit-2 in one unit 1,
// uNum2_3 unit-3 in one unit 2; a factor of 0 or less means the lower unit is not
// defined. Triples need not be normalised. AddCalc carries positive sums upward;
// DecCalc borrows whole larger units downward only as far as a deficit needs, so with
// positive factors units 2 and 3 of its result are never negative and a shortage shows
// as a negative Num1. Every call overwrites Num1, Num2, Num3.
//
// Arithmetic is wide: every 32-bit input gives the exact result (results are 64-bit,
// since A + B of two 32-bit counts need not fit 32 bits). Both operations keep the
// quantity counted in the smallest unit (SmallestUnits) exact: A + B, A - B.
#pragma once
#include "goodspkgglobal.h"
#include <QtGlobal>

class GOODSPKG_EXPORT TCalcUnitNum
{
public:
    qint64 Num1 = 0;  // unit 1 (largest)
    qint64 Num3 = 0;  // unit 3 (smallest)
    qint64 Num2 = 0;  // unit 2

    void AddCalc(qint64 uNum1_2, qint64 uNum2_3, qint64 A1, qint64 A2, qint64 A3, qint64 B1, qint64 B2, qint64 B3);
    void DecCalc(qint64 uNum1_2, qint64 uNum2_3, qint64 A1, qint64 A2, qint64 A3, qint64 B1, qint64 B2, qint64 B3);
    // DecCalc, then whether the result compared with zero from the largest unit down is
    // not negative: whether the stock A covers the quantity B.
    bool CheckIsEnoughKc(qint64 uNum1_2, qint64 uNum2_3, qint64 A1, qint64 A2, qint64 A3, qint64 B1, qint64 B2, qint64 B3);

    // The quantity counted in the smallest defined unit; an undefined factor counts as 1.
    // The stock views compute their TuNum with the same formula.
    static __int128 SmallestUnits(qint64 uNum1_2, qint64 uNum2_3, qint64 n1, qint64 n2, qint64 n3);
};

// One 32-by-16-bit division: quotient and remainder of `dividend` by `divisor`. Raises
// EWjError when the divisor is 0 or the quotient is negative or does not fit 16 bits.
GOODSPKG_EXPORT void DivMod(qint32 dividend, quint16 divisor, quint16 &result, quint16 &remainder);
