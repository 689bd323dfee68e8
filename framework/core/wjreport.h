// Report layouts and the data of one print.
//
// A report name (a list window's caption, "销售管理") has its layout in the program
// folder's "sys\Reports\<name>.ini" (UTF-8 or GB18030); the format is described at the
// top of the shipped sys/Reports/销售管理.ini:
//   [Report] Company, Title, Orientation (Portrait/Landscape), FontSize, HeadColumns,
//            HeadQuery and Lines (statements; ":Field" takes that column of the current
//            row), AmountInWords (a summed column's field), PageHeader, PageFooter
//            ("left|centre|right" with {page} {pages} {date} {time} {title});
//   [Head], [Foot]  n=caption|field   (fields from the head row; an empty field
//            prints a line to sign on);
//   [Columns] n=caption|field|width|align|kind|sum  (width in character cells,
//            align L/C/R, kind text/int/number/money/date/datetime or empty to guess,
//            "sum" for a total under the column).
// Without Lines the table lists the data source's rows (a list print); with Lines it
// lists that statement's rows (a document print: the lines of the current document).
//
// WjReport::Collect reads what one print shows, as text; the painting and the preview
// are in framework/gui/wjprint.h. No windows here.
#pragma once
#include "wjfieldkind.h"
#include "wjglobal.h"
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QStringList>
#include <QVector>
#include <functional>

class TWjQuery;

enum class TWjAlign { Auto, Left, Center, Right };

struct TWjReportColumn
{
    QString caption;
    QString field;
    int width = 10;  // character cells; the columns share the page width in proportion
    TWjAlign align = TWjAlign::Auto;  // Auto: numbers right, the rest left
    TWjFieldKind kind = TWjFieldKind::Auto;
    bool sum = false;
};

struct TWjReportField
{
    QString caption;
    QString field;  // empty: a line to sign on
};

struct WJCORE_EXPORT TWjReportLayout
{
    QString Name;
    QString Company;  // a line above the title (the shop's name)
    QString Title;
    bool Landscape = false;
    int FontSize = 10;
    int HeadColumns = 2;
    QString HeadQuery;
    QString Lines;
    QString AmountInWords;
    QString PageHeader = QStringLiteral("{title}||打印日期：{date}");
    QString PageFooter = QStringLiteral("|第 {page} 页，共 {pages} 页|");
    QList<TWjReportField> Head;
    QList<TWjReportField> Foot;
    QList<TWjReportColumn> Columns;

    // "sys/Reports/<name>.ini" under the program folder; characters a file name cannot
    // hold become "_".
    static QString FileOf(const QString &name);
    static bool Exists(const QString &name);
    // Raises EWjError when the file is missing or says nothing printable.
    static TWjReportLayout Load(const QString &name);
    static TWjReportLayout FromFile(const QString &fileName, const QString &name);
    // Writes FileOf(Name), keeping the comment lines at the top of an existing file.
    void Save() const;
    void SaveAs(const QString &fileName) const;
    // The names that have a layout file, sorted.
    static QStringList Names();

    static QString AlignCode(TWjAlign a);
    static TWjAlign AlignOf(const QString &code);
    static QString KindCode(TWjFieldKind k);
    static TWjFieldKind KindOf(const QString &code);
};

// What one print shows, as text.
struct TWjReportData
{
    QString Title;
    QList<QPair<QString, QString>> Head;  // caption, text; a null text: a line to sign on
    QList<QPair<QString, QString>> Foot;
    QVector<QStringList> Rows;
    QVector<TWjAlign> Aligns;  // per column, resolved (never Auto)
    QStringList Sums;          // per column; empty where the column has no sum
    QString AmountWords;       // the total in capital numerals, when the layout asks
    QDateTime Printed;
};

namespace WjReport {

// `sql` with each ":Field" replaced by that column of the row: numbers as validated
// number text, anything else quoted, an empty value as null. Quoted literals, quoted
// names and "::" casts are left alone. `row` answers false for a column it lacks, which
// raises EWjError naming it.
WJCORE_EXPORT QString BindRow(const QString &sql, const std::function<bool(const QString &field, QVariant *value)> &row);

// Reads the data of a print of `layout` over `source` (its current row heads the
// document; its rows, all of them, are the table when the layout has no Lines).
// Errors (a statement, a missing column) raise EWjError.
WJCORE_EXPORT TWjReportData Collect(const TWjReportLayout &layout, TWjQuery &source);

// A page header or footer pattern filled in: left, centre and right part.
WJCORE_EXPORT QStringList PageText(const QString &pattern, int page, int pages, const QDateTime &printed,
                                   const QString &title);

} // namespace WjReport
