// Program-folder paths as the programs write them.
//
// Names come Windows-style and in any case: "SYS\WjOptions.ini", ".\sys\wjoptions.ini",
// ".\Sys\Pos.ini". WjPath::Resolve turns such a name into a real path under a base
// folder: backslashes become separators, "." components drop out, and each component
// is matched case-insensitively against what exists. Components that do not exist yet
// keep the spelling given (so new files can be created), except that an existing
// folder is always preferred over a new spelling of it.
#pragma once
#include "wjglobal.h"
#include <QString>

namespace WjPath {

// `name` relative to `base` (absolute names are resolved from the root).
WJCORE_EXPORT QString Resolve(const QString &base, const QString &name);

// `name` relative to the session's program folder (CurProgramDir()).
WJCORE_EXPORT QString Prog(const QString &name);

// The program folder, ending in '/'. Defaults to the executable's folder; tests and
// tools may point it elsewhere.
WJCORE_EXPORT QString ProgramDir();
WJCORE_EXPORT void SetProgramDir(const QString &dir);

} // namespace WjPath
