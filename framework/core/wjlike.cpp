#include "wjlike.h"
#include "wjdbaction.h"

QString WjSql::LikeEscaped(const QString &text, LikeMatch match)
{
    QString s;
    s.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (c == QLatin1Char('!') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            s += QLatin1Char('!');
        s += c;
    }
    s += QLatin1Char('%');
    if (match == LikeMatch::Anywhere)
        s.prepend(QLatin1Char('%'));
    return TDBAction::QuotedStr(s) + QStringLiteral(" escape '!'");
}
