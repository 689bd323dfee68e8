// Web archives (.mht, MIME multipart/related): the HTML part, decoded from its
// transfer encoding (quoted-printable, base64) and its charset (GB2312/GBK read as
// GB18030), so a plain text browser can show the notes without a browser engine.
#pragma once
#include "wjglobal.h"
#include <QByteArray>
#include <QString>

namespace WjMht {
// The first text/html part; a file that is plain HTML is returned as it is.
WJCORE_EXPORT QString HtmlPart(const QByteArray &archive);
WJCORE_EXPORT QString HtmlOfFile(const QString &fileName);
} // namespace WjMht
