// The counter's switches in "sys\Sys_Wj.ini" of the program folder: the cash drawer
// ([前台销售是否启用钱箱功能] 启用, "N" switches it off) and the program's printer.
#pragma once
#include "posglobal.h"
#include <QString>

namespace PosConfig {

POSLOGIC_EXPORT QString SwitchFile();
POSLOGIC_EXPORT bool DrawerEnabled();
// The drawer pulse to "LPT1" when the drawer is on; any failure is ignored (a drawer
// that does not open must not stop the sale). Returns whether the pulse was sent.
POSLOGIC_EXPORT bool OpenDrawer();

// The printer chosen with "设置" (empty: the system's default printer).
POSLOGIC_EXPORT QString PrinterName();
POSLOGIC_EXPORT void SetPrinterName(const QString &name);

} // namespace PosConfig
