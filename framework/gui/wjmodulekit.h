// The module side of the plug-in contract (see wjprofun.h).
//
// A module's list window derives from TWjModuleWindow: everything it shows lives on
// its main panel pnMain, which SHOW moves into the host's work panel; the hidden item
// field edItem receives the navigation item caption, and its change calls ItemChanged.
// WJ_MODULE_EXPORTS(STEM, Class) defines the three exports for one window class.
#pragma once
#include "wjguiglobal.h"

#include <QWidget>
#include <cstdint>
#include <functional>

class QLineEdit;

class WJGUI_EXPORT TWjModuleWindow : public QWidget
{
    Q_OBJECT
public:
    explicit TWjModuleWindow(QWidget *parent = nullptr);
    QWidget *pnMain;
    QLineEdit *edItem;  // hidden

protected:
    // The window switches to the navigation item `caption`.
    virtual void ItemChanged(const QString &caption) = 0;
};

namespace WjModuleKit {
// SHOW: checks the host's application handle, creates the window through `create`,
// docks its main panel into `workPanel`, hides the window; returns its reference.
WJGUI_EXPORT std::intptr_t Show(std::intptr_t appHandle, QWidget *workPanel,
                                const std::function<TWjModuleWindow *()> &create, TWjModuleWindow *&slot);
// FREE: a reference of 0 or less is returned unchanged; otherwise the window and its
// docked panel are released once pending events are handled, and -2 is returned.
WJGUI_EXPORT std::intptr_t Free(std::intptr_t windowRef, TWjModuleWindow *&slot);
WJGUI_EXPORT void GetItem(const char *captionUtf8, TWjModuleWindow *slot);
} // namespace WjModuleKit

#define WJ_MODULE_EXPORTS(STEM, WindowClass)                                                         \
    namespace { TWjModuleWindow *g_moduleWindow = nullptr; }                                        \
    extern "C" Q_DECL_EXPORT std::intptr_t SHOW##STEM(std::intptr_t app, QWidget *panel)            \
    {                                                                                                \
        return WjModuleKit::Show(app, panel, [] { return new WindowClass; }, g_moduleWindow);       \
    }                                                                                                \
    extern "C" Q_DECL_EXPORT std::intptr_t FREE##STEM(std::intptr_t ref)                            \
    {                                                                                                \
        return WjModuleKit::Free(ref, g_moduleWindow);                                               \
    }                                                                                                \
    extern "C" Q_DECL_EXPORT void GetItem(const char *caption)                                      \
    {                                                                                                \
        WjModuleKit::GetItem(caption, g_moduleWindow);                                               \
    }
