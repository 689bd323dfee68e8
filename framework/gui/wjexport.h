// Export of a list grid: the whole list behind the grid (not only the rows read so far),
// its visible columns in their order, to a file the user picks: an Excel workbook or
// CSV. The file dialog starts in the folder used last; a long export shows its progress
// and can be cancelled (no file is left then). The writing itself is
// core/wjexportwriter.h.
#pragma once
#include "wjexportwriter.h"
#include "wjguiglobal.h"
#include <QList>

class QWidget;
class TWjDBGrid;
class TWjQuery;

namespace WjExport {
// Asks for the file and writes it; false when cancelled or nothing was written.
WJGUI_EXPORT bool ExportGrid(QWidget *parent, TWjDBGrid *grid);

// The grid's visible columns in their order, under the captions it shows.
WJGUI_EXPORT QList<TWjExportColumn> GridColumns(TWjDBGrid *grid);

// The same for any dataset and columns; `name` is the suggested file name (without suffix).
WJGUI_EXPORT bool ExportRows(QWidget *parent, TWjQuery &ds, const QList<TWjExportColumn> &columns, const QString &name);
} // namespace WjExport
