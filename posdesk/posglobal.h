// Export macro of the counter's business logic library (no widgets in it).
#pragma once
#include <QtCore/qglobal.h>

#if defined(POSLOGIC_LIBRARY)
#define POSLOGIC_EXPORT Q_DECL_EXPORT
#else
#define POSLOGIC_EXPORT Q_DECL_IMPORT
#endif
