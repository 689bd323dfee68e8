// Text rules every input and every statement follow.
//
// A character is one Unicode code point: a 4-byte character such as U+20000 is two
// UTF-16 units in a QString but one character here, as it is for the database (a
// varchar(n) of PostgreSQL counts code points). Limits count characters and cuts never
// split one. Text holding a NUL or a lone surrogate (half of a 4-byte character) is not
// text: it never reaches a statement (TDBAction refuses it) and inputs drop it.
#pragma once
#include "wjglobal.h"
#include <QString>
#include <QStringView>

namespace WjText {

// False when `text` holds a NUL or a surrogate that is not part of a pair.
WJCORE_EXPORT bool IsClean(QStringView text);
// `text` without NULs and lone surrogates.
WJCORE_EXPORT QString Clean(const QString &text);
// The message shown when such text is refused.
WJCORE_EXPORT QString InvalidTextMessage();

// Number of characters (code points; a lone surrogate counts as one).
WJCORE_EXPORT qsizetype CharCount(QStringView text);
// The first `maxChars` characters of `text`, never half of one.
WJCORE_EXPORT QString LeftChars(const QString &text, qsizetype maxChars);
// The longest beginning of `text` whose GB18030 form has at most `maxBytes` bytes, in
// whole characters (for columns of legacy programs that count bytes).
WJCORE_EXPORT QString LeftBytesGb18030(const QString &text, int maxBytes);

} // namespace WjText
