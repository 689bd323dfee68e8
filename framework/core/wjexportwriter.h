// Writing a list to a file: an Excel workbook (.xlsx) or CSV (UTF-8 with BOM, so
// spreadsheet programs show Chinese right). No windows here; the list windows' 导出
// (framework/gui/wjexport.h) asks for the file and shows the progress.
//
// The workbook holds the columns in the order given under their captions, the header
// row frozen; numbers as numbers, money with two decimals, dates as dates, widths from
// the captions and the values. Rows are written as they are read (the workbook in its
// constant-memory mode), so memory stays flat however long the list; a list longer
// than a worksheet continues on the next one under the same header.
//
// The file appears only when it is complete: it is written under a temporary name
// beside the target and renamed at the end. A cancel or an error leaves no file
// behind (and an older file of that name as it was).
#pragma once
#include "wjfieldkind.h"
#include "wjglobal.h"
#include <QList>
#include <QString>
#include <functional>

class TWjRowSource;

struct TWjExportColumn
{
    QString field;
    QString caption;
    TWjFieldKind kind = TWjFieldKind::Auto;  // Auto: guessed from the name and the first value
};

enum class TWjExportFormat { Xlsx, Csv };

namespace WjExportWriter {

// By the file's suffix (".csv" is CSV, anything else a workbook).
WJCORE_EXPORT TWjExportFormat FormatOf(const QString &path);

// Rows a worksheet takes below its header.
constexpr qint64 SheetRows = 1048575;

// Writes every row of `rows`. `progress` is called now and then with the number of
// rows written so far; returning false cancels. True when the file was written,
// false when cancelled. A column whose field the rows lack, or a file that cannot be
// written, raises EWjError.
WJCORE_EXPORT bool Write(const QString &path, TWjExportFormat format, TWjRowSource &rows,
                         const QList<TWjExportColumn> &columns,
                         const std::function<bool(qint64 done)> &progress = {}, qint64 *written = nullptr);

// Text of a CSV field: quoted when it holds a comma, quote, line break or edge spaces.
WJCORE_EXPORT QString CsvField(const QString &text);

} // namespace WjExportWriter
