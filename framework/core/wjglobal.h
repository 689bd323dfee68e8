// Export macro of the framework core library. Every class that other libraries,
// programs or plug-in modules use is exported, so the process holds one copy of it.
#pragma once
#include <QtCore/qglobal.h>

#if defined(WJCORE_LIBRARY)
#define WJCORE_EXPORT Q_DECL_EXPORT
#else
#define WJCORE_EXPORT Q_DECL_IMPORT
#endif
