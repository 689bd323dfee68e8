#include "wjcurrency.h"
#include "wjerror.h"

#include <algorithm>
#include <cmath>

namespace {
// Divides rounding half away from zero.
std::int64_t divRound(__int128 num, __int128 den)
{
    if (den < 0) { num = -num; den = -den; }
    __int128 q = num / den;
    __int128 r = num % den;
    if (r < 0) r = -r;
    if (2 * r >= den)
        q += (num < 0) ? -1 : 1;
    return std::int64_t(q);
}

constexpr std::int64_t pow10(int n)
{
    std::int64_t r = 1;
    while (n-- > 0) r *= 10;
    return r;
}
} // namespace

Currency Currency::FromDouble(double v)
{
    // Round the decimal text, not the binary product, so 1.005 stays 1.005.
    Currency c;
    TryParse(QString::number(v, 'f', 6), &c);
    return c;
}

bool Currency::TryParse(const QString &text, Currency *out)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    int exp = 0;
    const int e = t.indexOf(QLatin1Char('e'), 0, Qt::CaseInsensitive);
    if (e >= 0) {
        bool ok = false;
        exp = t.mid(e + 1).toInt(&ok);
        if (!ok || exp > 18 || exp < -18)
            return false;
        t = t.left(e);
    }
    bool neg = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        neg = t.startsWith(QLatin1Char('-'));
        t = t.mid(1);
    }
    QString intPart = t, frac;
    const int dot = t.indexOf(QLatin1Char('.'));
    if (dot >= 0) {
        intPart = t.left(dot);
        frac = t.mid(dot + 1);
    }
    if (intPart.isEmpty() && frac.isEmpty())
        return false;
    for (QChar ch : intPart + frac)
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return false;
    // Shift the decimal point by the exponent.
    QString digits = intPart + frac;
    int pointPos = intPart.size() + exp;
    while (pointPos < 0) { digits.prepend(QLatin1Char('0')); ++pointPos; }
    while (pointPos > digits.size()) digits.append(QLatin1Char('0'));
    QString ip = digits.left(pointPos), fp = digits.mid(pointPos);
    while (ip.size() > 1 && ip.startsWith(QLatin1Char('0'))) ip.remove(0, 1);
    if (ip.size() > 14)
        return false;  // beyond the range of four-decimal 64-bit money
    __int128 raw = 0;
    for (QChar ch : ip) raw = raw * 10 + (ch.unicode() - '0');
    raw *= Scale;
    __int128 f = 0;
    for (int i = 0; i < 4; ++i)
        f = f * 10 + (i < fp.size() ? fp[i].unicode() - '0' : 0);
    raw += f;
    if (fp.size() > 4 && fp[4] >= QLatin1Char('5'))
        raw += 1;
    if (out)
        *out = FromRaw(std::int64_t(neg ? -raw : raw));
    return true;
}

Currency Currency::FromVariant(const QVariant &v)
{
    if (v.isNull() || !v.isValid())
        return {};
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return FromInt(v.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return FromDouble(v.toDouble());
    default:
        if (v.canConvert<Currency>() && v.typeId() == qMetaTypeId<Currency>())
            return v.value<Currency>();
        Currency c;
        if (TryParse(v.toString(), &c))
            return c;
        return {};
    }
}

QString Currency::ToFixed(int decimals) const
{
    decimals = std::clamp(decimals, 0, 4);
    const std::int64_t r = RoundHalfUp(decimals).m_raw;
    const std::int64_t a = r < 0 ? -r : r;
    QString s = QString::number(a / Scale);
    if (decimals > 0) {
        const std::int64_t frac = (a % Scale) / pow10(4 - decimals);
        s += QLatin1Char('.') + QString::number(frac).rightJustified(decimals, QLatin1Char('0'));
    }
    return (r < 0 ? QStringLiteral("-") : QString()) + s;
}

QString Currency::ToString() const
{
    QString s = ToFixed(4);
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}

Currency Currency::RoundHalfUp(int decimals) const
{
    const std::int64_t unit = pow10(4 - std::clamp(decimals, 0, 4));
    return FromRaw(divRound(m_raw, unit) * unit);
}

Currency Currency::RoundBankers(int decimals) const
{
    const std::int64_t unit = pow10(4 - std::clamp(decimals, 0, 4));
    std::int64_t q = m_raw / unit, r = m_raw % unit;
    const std::int64_t half = unit / 2;
    const std::int64_t ar = r < 0 ? -r : r;
    if (unit > 1 && (ar > half || (ar == half && (q % 2 != 0))))
        q += (m_raw < 0) ? -1 : 1;
    return FromRaw(q * unit);
}

Currency Currency::Mul(Currency o) const
{
    return FromRaw(divRound(__int128(m_raw) * o.m_raw, Scale));
}

Currency Currency::Div(std::int64_t n) const
{
    if (n == 0)
        throw EWjError(QStringLiteral("金额不能除以零"));
    return FromRaw(divRound(m_raw, n));
}
