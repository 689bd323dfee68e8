// Export of a list grid: the whole list behind the grid (not only the rows read so far),
// its visible columns in their order, to a file the user picks.
#pragma once
#include "wjguiglobal.h"

class QWidget;
class TWjDBGrid;

namespace WjExport {
// Asks for the file and writes it; false when cancelled or nothing was written.
WJGUI_EXPORT bool ExportGrid(QWidget *parent, TWjDBGrid *grid);
} // namespace WjExport
