// Currency: money with exactly four decimals, held as a 64-bit count of 1/10000.
// Never passes through binary floating point when it comes from text or integers;
// FromDouble rounds half away from zero to the fourth decimal.
#pragma once
#include "wjglobal.h"
#include <QString>
#include <QVariant>
#include <compare>
#include <cstdint>

class WJCORE_EXPORT Currency
{
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency FromRaw(std::int64_t raw) { Currency c; c.m_raw = raw; return c; }
    static constexpr Currency FromInt(std::int64_t units) { return FromRaw(units * Scale); }
    static Currency FromDouble(double v);
    // Parses "12", "-3.5", "0.1234", "1e2"; false when the text is not a number or has
    // more than four decimals that are not zeros (rounded half away from zero then).
    static bool TryParse(const QString &text, Currency *out);
    static Currency FromVariant(const QVariant &v);

    constexpr std::int64_t Raw() const { return m_raw; }
    double ToDouble() const { return double(m_raw) / Scale; }
    // "12.5" style: trailing zeros dropped (as Delphi's CurrToStr).
    QString ToString() const;
    // Fixed decimals, for display and for SQL text ("12.50" with decimals = 2).
    QString ToFixed(int decimals = 4) const;
    // Rounds half to even at the given number of decimals (banker's rounding).
    Currency RoundBankers(int decimals) const;
    Currency RoundHalfUp(int decimals) const;

    constexpr Currency operator-() const { return FromRaw(-m_raw); }
    constexpr Currency operator+(Currency o) const { return FromRaw(m_raw + o.m_raw); }
    constexpr Currency operator-(Currency o) const { return FromRaw(m_raw - o.m_raw); }
    Currency &operator+=(Currency o) { m_raw += o.m_raw; return *this; }
    Currency &operator-=(Currency o) { m_raw -= o.m_raw; return *this; }
    // Money times a count, exact.
    constexpr Currency operator*(std::int64_t n) const { return FromRaw(m_raw * n); }
    // Money times money (a price times a fractional quantity), rounded half away from zero.
    Currency Mul(Currency o) const;
    // Money divided by a count, rounded half away from zero; division by 0 raises EWjError.
    Currency Div(std::int64_t n) const;

    constexpr auto operator<=>(const Currency &) const = default;
    constexpr bool IsZero() const { return m_raw == 0; }

private:
    std::int64_t m_raw = 0;
};
Q_DECLARE_METATYPE(Currency)
