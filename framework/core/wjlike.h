// Typed text inside a LIKE condition, taken literally.
//
// The characters LIKE gives a meaning ('%', '_' and the escape character '!') are
// escaped so that they match themselves; the pattern is quoted and followed by its
// escape clause, the same on every supported database:
//   column + " like " + WjSql::LikeEscaped("50%_a", WjSql::LikeMatch::Prefix)
//   ->  column like '50!%!_a%' escape '!'
#pragma once
#include "wjglobal.h"
#include <QString>

namespace WjSql {
enum class LikeMatch { Prefix, Anywhere };
WJCORE_EXPORT QString LikeEscaped(const QString &text, LikeMatch match);
} // namespace WjSql
