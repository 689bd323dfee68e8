// Choosing a file to write (export, PDF), starting in the folder the program used
// last for that purpose. The folder is remembered per program, in its
// ".\sys\WjOptions.ini" section "最近文件夹".
//
// Tests replace the dialog with a scripted choice (SetSaveChooser).
#pragma once
#include "wjguiglobal.h"
#include <QString>
#include <functional>

class QWidget;

namespace WjFileDialog {

// Gets the dialog's caption, the suggested path (folder and name) and the filters
// ("Excel 工作簿 (*.xlsx);;CSV 文件 (*.csv)"); returns the chosen path, empty when
// cancelled, and the chosen filter.
using TSaveChooser = std::function<QString(QWidget *parent, const QString &caption, const QString &suggested,
                                           const QString &filters, QString *selectedFilter)>;

// The chosen path, with the suffix of the chosen filter added when the name has none
// of the filters' suffixes; empty when cancelled. `purpose` names the remembered folder.
WJGUI_EXPORT QString GetSaveFileName(QWidget *parent, const QString &caption, const QString &purpose,
                                     const QString &fileName, const QString &filters);

// Installs `chooser` (empty: the file dialog) and returns the previous one.
WJGUI_EXPORT TSaveChooser SetSaveChooser(TSaveChooser chooser);

WJGUI_EXPORT QString LastFolder(const QString &purpose);
WJGUI_EXPORT void RememberFolder(const QString &purpose, const QString &folder);

} // namespace WjFileDialog
