// Printing: the service behind the session's RunPrnDll (core/wjczy.h).
//
// RunPrnDll(window, data source, report name) reads the report layout of that name
// (core/wjreport.h; without one, a layout of the window's grid over that data source),
// collects the data and opens the print preview, from which the user prints on any
// installed printer or saves a PDF. Pages: the title and head fields on the first,
// the table's column captions on every page, sums, the amount in words and the foot
// fields after the last row, the page header and footer (page numbers, print date)
// on all of them.
#pragma once
#include "wjguiglobal.h"
#include "wjreport.h"

#include <QString>

class QObject;
class QPagedPaintDevice;
class QWidget;
class TWjQuery;

// Lays out and paints one report on a printer or a PDF writer.
class WJGUI_EXPORT TWjReportPainter
{
public:
    TWjReportPainter(const TWjReportLayout &layout, const TWjReportData &data) : m_layout(layout), m_data(data) {}
    // Sets the device's page (A4, the layout's orientation, margins) and paints every page.
    void Paint(QPagedPaintDevice *device);
    int PageCount() const { return m_pages; }

private:
    const TWjReportLayout &m_layout;
    const TWjReportData &m_data;
    int m_pages = 0;
};

namespace WjPrint {

// Lists longer than this ask before they are printed.
constexpr qint64 LargeListRows = 5000;

// Installs the print service (WjApplication does it at start).
WJGUI_EXPORT void InstallPrintService();

// The work of RunPrnDll.
WJGUI_EXPORT void Print(QObject *window, QObject *dataSource, const QString &reportName);

// A list layout over the grid of `window` that shows `ds` (its visible columns, captions
// and widths; sums under the columns the grid sums), or over every field of `ds` when
// no grid shows it.
WJGUI_EXPORT TWjReportLayout DefaultLayout(const QString &reportName, QObject *window, TWjQuery &ds);

// Writes the report as a PDF file (complete or not at all); raises EWjError.
WJGUI_EXPORT void SavePdf(const QString &path, const TWjReportLayout &layout, const TWjReportData &data);

// The print preview window ("打印预览"): print, page setup, zoom, and "另存为PDF".
WJGUI_EXPORT void Preview(QWidget *parent, const TWjReportLayout &layout, const TWjReportData &data);

} // namespace WjPrint
