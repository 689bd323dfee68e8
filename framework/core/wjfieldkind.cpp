#include "wjfieldkind.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace WjFieldKind {

namespace {
bool isIntegerType(int t)
{
    return t == QMetaType::Int || t == QMetaType::LongLong || t == QMetaType::UInt || t == QMetaType::ULongLong
           || t == QMetaType::Short || t == QMetaType::UShort;
}
bool isFloatType(int t) { return t == QMetaType::Double || t == QMetaType::Float; }

QString plainText(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::QDate: return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        return dt.time() == QTime(0, 0) ? dt.date().toString(QStringLiteral("yyyy-MM-dd"))
                                        : dt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    }
    case QMetaType::Double: return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    default:
        if (v.typeId() == qMetaTypeId<Currency>())
            return v.value<Currency>().ToString();
        return v.toString();
    }
}

// "12.5000" -> "12.5", "3.0" -> "3".
QString trimZeros(QString s)
{
    if (s.contains(QLatin1Char('.')) && !s.contains(QLatin1Char('e'), Qt::CaseInsensitive)) {
        while (s.endsWith(QLatin1Char('0'))) s.chop(1);
        if (s.endsWith(QLatin1Char('.'))) s.chop(1);
    }
    return s;
}
} // namespace

bool IsMoneyName(const QString &field)
{
    static const QRegularExpression re(QStringLiteral("price|money|amount|cost|fee|(^|_)t?je|je$|gz$"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re.match(field).hasMatch();
}

bool IsNumeric(TWjFieldKind kind)
{
    return kind == TWjFieldKind::Integer || kind == TWjFieldKind::Number || kind == TWjFieldKind::Money;
}

bool ToCurrency(const QVariant &value, Currency *out)
{
    if (value.isNull() || !value.isValid())
        return false;
    const int t = value.typeId();
    if (isIntegerType(t) || isFloatType(t) || t == qMetaTypeId<Currency>()) {
        if (isFloatType(t) && !std::isfinite(value.toDouble()))
            return false;
        *out = Currency::FromVariant(value);
        return true;
    }
    if (t == QMetaType::QDate || t == QMetaType::QDateTime || t == QMetaType::Bool)
        return false;
    return Currency::TryParse(value.toString(), out);
}

bool ToDouble(const QVariant &value, double *out)
{
    if (value.isNull() || !value.isValid())
        return false;
    const int t = value.typeId();
    if (t == QMetaType::QDate || t == QMetaType::QDateTime || t == QMetaType::Bool)
        return false;
    if (t == qMetaTypeId<Currency>()) {
        *out = value.value<Currency>().ToDouble();
        return true;
    }
    bool ok = false;
    const double d = (isIntegerType(t) || isFloatType(t)) ? value.toDouble(&ok) : value.toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return false;
    *out = d;
    return true;
}

bool ToDateTime(const QVariant &value, QDateTime *out)
{
    // Built in UTC: no time-zone lookups (they cost a file check per value), and the
    // date and time read are the ones written.
    if (value.typeId() == QMetaType::QDate) {
        *out = QDateTime(value.toDate(), QTime(0, 0), Qt::UTC);
        return out->isValid();
    }
    if (value.typeId() == QMetaType::QDateTime) {
        const QDateTime dt = value.toDateTime();
        *out = QDateTime(dt.date(), dt.time(), Qt::UTC);
        return out->isValid();
    }
    if (value.typeId() != QMetaType::QString)
        return false;
    // "yyyy-MM-dd" or "yyyy/M/d", then optionally " " or "T" and "hh:mm[:ss[.zzz]]".
    const QString text = value.toString().trimmed();
    const QStringView s(text);
    int pos = 0;
    auto number = [&](int minDigits, int maxDigits, int *v) {
        int n = 0, digits = 0;
        while (pos < s.size() && digits < maxDigits && s[pos].isDigit()) {
            n = n * 10 + s[pos].digitValue();
            ++pos;
            ++digits;
        }
        *v = n;
        return digits >= minDigits;
    };
    int y = 0, m = 0, d = 0, h = 0, mi = 0, sec = 0, ms = 0;
    if (!number(4, 4, &y) || pos >= s.size() || (s[pos] != u'-' && s[pos] != u'/'))
        return false;
    const QChar sep = s[pos++];
    if (!number(1, 2, &m) || pos >= s.size() || s[pos] != sep)
        return false;
    ++pos;
    if (!number(1, 2, &d))
        return false;
    if (pos < s.size()) {
        if (s[pos] != u' ' && s[pos] != u'T')
            return false;
        ++pos;
        if (!number(1, 2, &h) || pos >= s.size() || s[pos] != u':')
            return false;
        ++pos;
        if (!number(2, 2, &mi))
            return false;
        if (pos < s.size() && s[pos] == u':') {
            ++pos;
            if (!number(2, 2, &sec))
                return false;
            if (pos < s.size() && s[pos] == u'.') {
                ++pos;
                if (!number(1, 3, &ms))
                    return false;
            }
        }
        if (pos != s.size())
            return false;
    }
    const QDate date(y, m, d);
    const QTime time(h, mi, sec, ms);
    if (!date.isValid() || !time.isValid())
        return false;
    *out = QDateTime(date, time, Qt::UTC);
    return true;
}

TWjFieldKind Guess(const QString &field, const QVariant &value, int fieldType)
{
    if (value.isNull() || !value.isValid())
        return TWjFieldKind::Auto;
    const int t = value.typeId();
    if (t == QMetaType::QDate)
        return TWjFieldKind::Date;
    if (t == QMetaType::QDateTime)
        return TWjFieldKind::DateTime;
    if (t == QMetaType::Bool)
        return TWjFieldKind::Text;
    QDateTime dt;
    if (field.endsWith(QLatin1String("date"), Qt::CaseInsensitive) && ToDateTime(value, &dt))
        return dt.time() == QTime(0, 0) ? TWjFieldKind::Date : TWjFieldKind::DateTime;
    double d = 0;
    const bool typedNumber = isIntegerType(t) || isFloatType(t) || t == qMetaTypeId<Currency>()
                             || ((isIntegerType(fieldType) || isFloatType(fieldType)) && ToDouble(value, &d));
    if (IsMoneyName(field) && (typedNumber || ToDouble(value, &d)))
        return TWjFieldKind::Money;
    if (!typedNumber)
        return TWjFieldKind::Text;
    if (isIntegerType(t) || isIntegerType(fieldType))
        return TWjFieldKind::Integer;
    return TWjFieldKind::Number;
}

QString Format(const QVariant &value, TWjFieldKind kind)
{
    if (value.isNull() || !value.isValid())
        return QString();
    switch (kind) {
    case TWjFieldKind::Money: {
        Currency c;
        if (ToCurrency(value, &c))
            return c.ToFixed(2);
        break;
    }
    case TWjFieldKind::Integer:
    case TWjFieldKind::Number: {
        const int t = value.typeId();
        if (isIntegerType(t))
            return QString::number(value.toLongLong());
        if (isFloatType(t))
            return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
        double d = 0;
        if (ToDouble(value, &d))
            return trimZeros(value.toString().trimmed());
        break;
    }
    case TWjFieldKind::Date:
    case TWjFieldKind::DateTime: {
        QDateTime dt;
        if (ToDateTime(value, &dt))
            return (kind == TWjFieldKind::Date || dt.time() == QTime(0, 0)) ? dt.date().toString(QStringLiteral("yyyy-MM-dd"))
                                                                            : dt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        break;
    }
    default:
        break;
    }
    return plainText(value);
}

QString ChineseAmount(Currency amount)
{
    static const QString digits = QStringLiteral("零壹贰叁肆伍陆柒捌玖");
    static const QString units[4] = {QString(), QStringLiteral("拾"), QStringLiteral("佰"), QStringLiteral("仟")};
    const std::int64_t raw = amount.RoundHalfUp(2).Raw();
    const bool negative = raw < 0;
    const std::uint64_t a = negative ? std::uint64_t(-(raw + 1)) + 1 : std::uint64_t(raw);
    const std::uint64_t yuan = a / Currency::Scale;
    const int jiao = int((a % Currency::Scale) / 1000);
    const int fen = int((a % 1000) / 100);

    QString out;
    if (yuan > 0) {
        // Four-digit groups from the highest; a run of zeros between written digits
        // becomes one 零, zeros at the end of the number none.
        const QString text = QString::number(yuan);
        const int n = int(text.size());
        bool zeroPending = false;
        bool groupHasDigit = false;
        bool wroteYi = false;
        for (int i = 0; i < n; ++i) {
            const int pos = n - 1 - i;  // power of ten
            const int d = text[i].unicode() - '0';
            if (d == 0) {
                zeroPending = zeroPending || !out.isEmpty();
            } else {
                if (zeroPending)
                    out += digits[0];
                zeroPending = false;
                out += digits[d] + units[pos % 4];
                groupHasDigit = true;
            }
            if (pos % 4 == 0 && pos > 0) {
                const int group = pos / 4;  // 1: 万, 2: 亿, 3: 万亿
                if (groupHasDigit) {
                    if (group == 1 || group == 3)
                        out += QStringLiteral("万");
                    if (group == 2) {
                        out += QStringLiteral("亿");
                        wroteYi = true;
                    }
                }
                if (group == 2 && !groupHasDigit && !out.isEmpty() && !wroteYi) {
                    out += QStringLiteral("亿");  // 壹万亿: the 亿 of an empty group below 万亿
                    wroteYi = true;
                }
                groupHasDigit = false;
            }
        }
        out += QStringLiteral("元");
    }
    if (jiao == 0 && fen == 0) {
        if (out.isEmpty())
            out = QStringLiteral("零元");
        out += QStringLiteral("整");
    } else {
        if (jiao > 0)
            out += digits[jiao] + QStringLiteral("角");
        else if (yuan > 0)
            out += digits[0];
        if (fen > 0)
            out += digits[fen] + QStringLiteral("分");
        else
            out += QStringLiteral("整");
    }
    return negative ? QStringLiteral("负") + out : out;
}

} // namespace WjFieldKind
