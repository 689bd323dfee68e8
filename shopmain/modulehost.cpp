#include "modulehost.h"
#include "wjinifile.h"
#include "wjprofun.h"

void TWjModuleHost::OpenItem(const QString &navIniPath, const QString &caption)
{
    const TIniFile nav(navIniPath);
    const QString dll = nav.ReadString(caption, QStringLiteral("DLLNAME"));
    if (CurModule > 0) {
        if (dll == CurDll) {  // the docked window serves this item too
            m_runner->RunFunToDll(CurDll, QStringLiteral("GetItem"), caption);
            CurItem = caption;
            return;
        }
        Release();
    }
    CurDll = dll;
    CurFun = nav.ReadString(caption, QStringLiteral("FUNNAME"));
    if (CurFun.isEmpty())
        CurFun = QStringLiteral("WJ") + CurDll;
    if (!CurDll.isEmpty()) {
        CurModule = m_runner->RunDllTool(m_panel, CurDll, QStringLiteral("SHOW") + CurFun, QStringLiteral("SHOW"), CurModule);
        m_runner->RunFunToDll(CurDll, QStringLiteral("GetItem"), caption);
    }
    CurItem = caption;
}

void TWjModuleHost::Release()
{
    if (CurModule > 0)
        CurModule = m_runner->RunDllTool(m_panel, CurDll, QStringLiteral("FREE") + CurFun, QStringLiteral("FREE"), CurModule);
}
