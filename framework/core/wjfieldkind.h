// What a column of a list holds, for the file export and the printed reports: the kind
// decides how a value is written (a number, money with two decimals, a date, text).
//
// The databases do not say it alike (SQLite hands money and dates over as text,
// PostgreSQL numerics as text of a numeric field), so the kind is guessed from the
// column's name, the driver's field type and a value:
// - dates: date values, or text in a column whose name ends in "date";
// - money: numbers in a column named like an amount (…Price…, …Money…, …Je, …GZ, ...);
// - whole numbers and other numbers: values the driver hands over as numbers;
// - text: everything else, so number codes, barcodes and phone numbers keep their
//   leading zeros and every digit.
#pragma once
#include "wjcurrency.h"
#include "wjglobal.h"
#include <QString>
#include <QVariant>

enum class TWjFieldKind { Auto, Text, Integer, Number, Money, Date, DateTime };

namespace WjFieldKind {

// `fieldType`: the driver's QMetaType id of the column (QMetaType::UnknownType when not known).
WJCORE_EXPORT TWjFieldKind Guess(const QString &field, const QVariant &value, int fieldType = 0);
WJCORE_EXPORT bool IsMoneyName(const QString &field);
WJCORE_EXPORT bool IsNumeric(TWjFieldKind kind);

// The value as a number, a date or a date-time; false when it is not one.
WJCORE_EXPORT bool ToCurrency(const QVariant &value, Currency *out);
WJCORE_EXPORT bool ToDouble(const QVariant &value, double *out);
WJCORE_EXPORT bool ToDateTime(const QVariant &value, QDateTime *out);

// The value as the lists show and print it: money with two decimals, dates as
// yyyy-MM-dd, numbers without trailing zeros. A value that is not of its column's
// kind is shown as its text.
WJCORE_EXPORT QString Format(const QVariant &value, TWjFieldKind kind);

// An amount in Chinese capital numerals as written on receipts and documents
// ("叁仟零肆拾元整", "壹拾万零伍分"), rounded to the fen.
WJCORE_EXPORT QString ChineseAmount(Currency amount);

} // namespace WjFieldKind
