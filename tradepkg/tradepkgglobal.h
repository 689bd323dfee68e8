// Export macro of the business documents package.
#pragma once
#include <QtCore/qglobal.h>

#if defined(TRADEPKG_LIBRARY)
#define TRADEPKG_EXPORT Q_DECL_EXPORT
#else
#define TRADEPKG_EXPORT Q_DECL_IMPORT
#endif
