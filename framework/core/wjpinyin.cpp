#include "wjpinyin.h"

#include "wjpinyin_table.inc"

#include <QList>

QString GetPYText(const QString &text)
{
    QString out;
    for (const uint cp : text.toUcs4()) {
        if (cp >= kPinyinFirst && cp <= kPinyinLast) {
            const char c = kPinyinInitials[cp - kPinyinFirst];
            if (c != '-')
                out += QLatin1Char(c);
        } else if ((cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z') || (cp >= '0' && cp <= '9')) {
            out += QChar(char16_t(cp)).toUpper();
        } else if (cp >= 0xFF10 && cp <= 0xFF5A && QChar(char16_t(cp)).isLetterOrNumber()) {
            out += QChar(char16_t(cp - 0xFEE0)).toUpper();  // full-width letters and digits
        }
    }
    return out;
}
