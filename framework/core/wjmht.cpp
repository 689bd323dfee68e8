#include "wjmht.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

namespace WjMht {
namespace {

struct Part {
    QByteArray headers;  // lower-cased
    QByteArray body;
};

QByteArray headerParam(const QByteArray &headersLower, const QByteArray &headersRaw, const char *name)
{
    const QByteArray key = QByteArray(name) + '=';
    const int at = headersLower.indexOf(key);
    if (at < 0)
        return {};
    int i = at + key.size();
    if (i < headersRaw.size() && headersRaw[i] == '"') {
        const int end = headersRaw.indexOf('"', i + 1);
        return headersRaw.mid(i + 1, end < 0 ? -1 : end - i - 1);
    }
    int end = i;
    while (end < headersRaw.size() && headersRaw[end] != ';' && headersRaw[end] != '\r' && headersRaw[end] != '\n')
        ++end;
    return headersRaw.mid(i, end - i).trimmed();
}

QByteArray decodeQuotedPrintable(const QByteArray &in)
{
    QByteArray out;
    out.reserve(in.size());
    for (int i = 0; i < in.size(); ++i) {
        const char c = in[i];
        if (c != '=') {
            out += c;
            continue;
        }
        if (i + 1 < in.size() && (in[i + 1] == '\r' || in[i + 1] == '\n')) {  // soft break
            ++i;
            if (in[i] == '\r' && i + 1 < in.size() && in[i + 1] == '\n')
                ++i;
            continue;
        }
        if (i + 2 < in.size()) {
            bool ok = false;
            const int v = in.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                out += char(v);
                i += 2;
                continue;
            }
        }
        out += c;
    }
    return out;
}

QString decodeCharset(const QByteArray &bytes, QByteArray charset)
{
    charset = charset.toLower();
    if (charset.isEmpty()) {
        // <meta charset> inside the HTML, else UTF-8 when valid, else GB18030.
        static const QRegularExpression meta(QStringLiteral("charset\\s*=\\s*[\"']?([A-Za-z0-9_-]+)"),
                                             QRegularExpression::CaseInsensitiveOption);
        const auto m = meta.match(QString::fromLatin1(bytes.left(4096)));
        if (m.hasMatch())
            charset = m.captured(1).toLatin1().toLower();
    }
    if (charset == "gb2312" || charset == "gbk" || charset == "gb18030" || charset == "x-gbk" || charset == "cp936")
        charset = "GB18030";
    if (charset.isEmpty() || charset == "utf-8" || charset == "utf8") {
        QStringDecoder u(QStringDecoder::Utf8);
        const QString s = u.decode(bytes);
        if (!u.hasError() || !charset.isEmpty())
            return s;
        charset = "GB18030";
    }
    QStringDecoder d(charset.constData());
    if (!d.isValid())
        return QString::fromUtf8(bytes);
    return d.decode(bytes);
}

QString decodePart(const QByteArray &rawHeaders, const QByteArray &body)
{
    const QByteArray lower = rawHeaders.toLower();
    QByteArray data = body;
    if (lower.contains("content-transfer-encoding: quoted-printable"))
        data = decodeQuotedPrintable(body);
    else if (lower.contains("content-transfer-encoding: base64"))
        data = QByteArray::fromBase64(body.simplified().replace(' ', ""));
    return decodeCharset(data, headerParam(lower, rawHeaders, "charset"));
}

} // namespace

QString HtmlPart(const QByteArray &archive)
{
    int split = archive.indexOf("\r\n\r\n");
    int sepLen = 4;
    const int lf = archive.indexOf("\n\n");
    if (split < 0 || (lf >= 0 && lf < split)) {
        split = lf;
        sepLen = 2;
    }
    if (split < 0)
        return decodeCharset(archive, {});
    const QByteArray headers = archive.left(split);
    const QByteArray lower = headers.toLower();
    if (!lower.contains("content-type:") && !lower.contains("mime-version"))
        return decodeCharset(archive, {});  // plain HTML

    const QByteArray boundary = headerParam(lower, headers, "boundary");
    if (boundary.isEmpty())  // a single-part archive
        return decodePart(headers, archive.mid(split + sepLen));

    const QByteArray delim = "--" + boundary;
    int pos = archive.indexOf(delim, split);
    while (pos >= 0) {
        int start = pos + delim.size();
        if (archive.mid(start, 2) == "--")
            break;
        const int next = archive.indexOf(delim, start);
        QByteArray part = archive.mid(start, next < 0 ? -1 : next - start);
        // Trim the line end after the delimiter.
        while (part.startsWith('\r') || part.startsWith('\n'))
            part.remove(0, 1);
        int hs = part.indexOf("\r\n\r\n");
        int hl = 4;
        const int hlf = part.indexOf("\n\n");
        if (hs < 0 || (hlf >= 0 && hlf < hs)) {
            hs = hlf;
            hl = 2;
        }
        if (hs >= 0) {
            const QByteArray ph = part.left(hs);
            if (ph.toLower().contains("text/html"))
                return decodePart(ph, part.mid(hs + hl));
        }
        pos = next;
    }
    return {};
}

QString HtmlOfFile(const QString &fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return HtmlPart(f.readAll());
}

} // namespace WjMht
