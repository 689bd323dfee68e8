// Export macro of the goods and stock package. Every class that programs, modules or
// other packages use is exported, so the process holds one copy of it.
#pragma once
#include <QtCore/qglobal.h>

#if defined(GOODSPKG_LIBRARY)
#define GOODSPKG_EXPORT Q_DECL_EXPORT
#else
#define GOODSPKG_EXPORT Q_DECL_IMPORT
#endif
