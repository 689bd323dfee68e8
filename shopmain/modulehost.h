// The host's bookkeeping of the docked module: which module is docked (CurDll,
// CurFun), its window reference (CurModule: 0 at start, the reference while docked,
// -2 after a release) and the last item opened (CurItem). One module window at a
// time; items of the docked module reuse its window and only get GetItem.
#pragma once
#include <QString>
#include <cstdint>
#include <functional>

class QWidget;
class TWjPro_Fun;

class TWjModuleHost
{
public:
    TWjModuleHost(QWidget *workPanel, TWjPro_Fun &runner) : m_panel(workPanel), m_runner(&runner) {}
    void SetWorkPanel(QWidget *panel) { m_panel = panel; }

    QString CurDll;
    QString CurFun;
    std::intptr_t CurModule = 0;
    QString CurItem;

    // Opens the navigation item `caption` as the navigation file `navIniPath` describes
    // it. Errors (a module or export that cannot be found) propagate to the caller;
    // the bookkeeping then shows nothing docked.
    void OpenItem(const QString &navIniPath, const QString &caption);
    // Releases the docked module, if any.
    void Release();

private:
    QWidget *m_panel;
    TWjPro_Fun *m_runner;
};
