// Export macro of the framework's visual library.
#pragma once
#include <QtCore/qglobal.h>

#if defined(WJGUI_LIBRARY)
#define WJGUI_EXPORT Q_DECL_EXPORT
#else
#define WJGUI_EXPORT Q_DECL_IMPORT
#endif
