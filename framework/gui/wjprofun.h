// TWjPro_Fun (global WjProFun): the host's module runner.
//
// The plug-in contract: a module is a shared library in the program folder, found by
// the name the navigation file gives (WjModule::LibraryPath), exporting
//   intptr_t SHOW<stem>(intptr_t appHandle, QWidget *workPanel)  -> window reference
//   intptr_t FREE<stem>(intptr_t windowRef)                      -> 0 or less unchanged, else -2
//   void     GetItem(const char *captionUtf8)
// appHandle is the host's QApplication; a module works with the host's CurDBAction,
// CurCzy and libraries, never copies of its own.
#pragma once
#include "wjguiglobal.h"

#include <QObject>
#include <QString>
#include <cstdint>

class QWidget;

extern "C" {
using TWjShowFn = std::intptr_t (*)(std::intptr_t appHandle, QWidget *workPanel);
using TWjFreeFn = std::intptr_t (*)(std::intptr_t windowRef);
using TWjTextFn = void (*)(const char *textUtf8);
}

class WJGUI_EXPORT TWjPro_Fun : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // action "SHOW": calls the function with the application handle and `parent`;
    // "FREE": with `current`. Returns the function's result. Raises EWjError naming
    // the module and what is missing when it cannot be found.
    std::intptr_t RunDllTool(QWidget *parent, const QString &module, const QString &function,
                             const QString &action, std::intptr_t current);
    // Calls the module's function with the text.
    void RunFunToDll(const QString &module, const QString &function, const QString &text);

    static std::intptr_t AppHandle();
};

WJGUI_EXPORT extern TWjPro_Fun *WjProFun;
