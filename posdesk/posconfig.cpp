#include "posconfig.h"
#include "wjinifile.h"
#include "wjpath.h"
#include "wjport.h"

namespace PosConfig {

QString SwitchFile()
{
    return WjPath::Prog(QStringLiteral("sys\\Sys_Wj.ini"));
}

bool DrawerEnabled()
{
    const TIniFile ini(SwitchFile());
    const QString v = ini.ReadString(QStringLiteral("前台销售是否启用钱箱功能"), QStringLiteral("启用"), QStringLiteral("Y"));
    return v.trimmed().compare(QLatin1String("N"), Qt::CaseInsensitive) != 0;
}

bool OpenDrawer()
{
    if (!DrawerEnabled())
        return false;
    try {
        WjPort::OpenDrawer(QStringLiteral("LPT1"));
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

QString PrinterName()
{
    return TIniFile(SwitchFile()).ReadString(QStringLiteral("前台销售打印机"), QStringLiteral("打印机"));
}

void SetPrinterName(const QString &name)
{
    TIniFile(SwitchFile()).WriteString(QStringLiteral("前台销售打印机"), QStringLiteral("打印机"), name);
}

} // namespace PosConfig
