#include "wjtext.h"
#include "wjerror.h"

#include <QStringEncoder>

namespace WjText {
namespace {
// Length in UTF-16 units of the character starting at `i` (2 for a whole pair).
qsizetype charLength(QStringView text, qsizetype i)
{
    return (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2 : 1;
}
} // namespace

bool IsClean(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() == 0)
            return false;
        if (c.isHighSurrogate()) {
            if (i + 1 >= text.size() || !text[i + 1].isLowSurrogate())
                return false;
            ++i;  // the pair is whole
        } else if (c.isLowSurrogate()) {
            return false;
        }
    }
    return true;
}

QString Clean(const QString &text)
{
    if (IsClean(text))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = charLength(text, i);
        const QChar c = text[i];
        const bool lone = n == 1 && c.isSurrogate();
        if (!lone && c.unicode() != 0)
            out += QStringView(text).mid(i, n);
        i += n;
    }
    return out;
}

QString InvalidTextMessage()
{
    return QStringLiteral("输入的文字中含有无效字符（空字符或残缺的字符），操作已取消，没有保存任何内容。请检查输入后重试。");
}

qsizetype CharCount(QStringView text)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); i += charLength(text, i))
        ++n;
    return n;
}

QString LeftChars(const QString &text, qsizetype maxChars)
{
    if (maxChars <= 0)
        return {};
    qsizetype i = 0, n = 0;
    while (i < text.size() && n < maxChars) {
        i += charLength(text, i);
        ++n;
    }
    return i >= text.size() ? text : text.left(i);
}

QString LeftBytesGb18030(const QString &text, int maxBytes)
{
    QStringEncoder gb18030("GB18030");
    if (!gb18030.isValid())
        throw EWjError(QStringLiteral("缺少 GB18030 编码支持。"));
    int used = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype n = charLength(text, i);
        const int bytes = int(QByteArray(gb18030.encode(QStringView(text).mid(i, n))).size());
        if (used + bytes > maxBytes)
            break;
        used += bytes;
        i += n;
    }
    return text.left(i);
}

} // namespace WjText
