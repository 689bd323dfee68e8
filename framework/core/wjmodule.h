// Run-time loading of plug-in and tool modules by the name the configuration gives.
//
// "TradeMod.dll", "TradeMod" or "trademod.so" all name libTradeMod.so (or TradeMod.so)
// in the program folder; case does not matter. Errors name the module and what is
// missing, so the caller can show them as they are.
#pragma once
#include "wjglobal.h"
#include <QString>

namespace WjModule {

// The library file for a module name, or an empty string when none exists.
WJCORE_EXPORT QString LibraryPath(const QString &moduleName);

// The address of an exported function; raises EWjError when the module cannot be
// loaded or does not export it. Modules stay loaded for the life of the process.
WJCORE_EXPORT void *Function(const QString &moduleName, const QString &function);

} // namespace WjModule
