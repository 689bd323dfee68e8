#include "wjexport.h"
#include "wjprompter.h"

namespace WjExport {
bool ExportGrid(QWidget *, TWjDBGrid *)
{
    Prompter().Warning(QStringLiteral("导出功能尚未提供。"));
    return false;
}
} // namespace WjExport
