// GetPYText: the pinyin initials of a Chinese text ("刹车片" -> "SCP"), for the short
// search codes of goods and partners. Latin letters (upper-cased) and digits are kept;
// other characters are dropped.
#pragma once
#include "wjglobal.h"
#include <QString>

WJCORE_EXPORT QString GetPYText(const QString &text);
