#include "wjexport.h"
#include "wjapplication.h"
#include "wjdatasetmodel.h"
#include "wjdataset.h"
#include "wjdbgrid.h"
#include "wjfiledialog.h"
#include "wjprompter.h"
#include "wjrowsource.h"

#include <QApplication>
#include <QDate>
#include <QProgressDialog>

namespace WjExport {

QList<TWjExportColumn> GridColumns(TWjDBGrid *grid)
{
    QList<TWjExportColumn> cols;
    if (!grid)
        return cols;
    const QList<TWjDBGrid::Column> declared = grid->Columns();
    if (!declared.isEmpty()) {
        for (const TWjDBGrid::Column &c : declared)
            if (c.visible)
                cols << TWjExportColumn{c.field, c.caption.isEmpty() ? c.field : c.caption};
        return cols;
    }
    // A grid without declared columns shows every field of its dataset.
    if (TWjDataSetModel *m = grid->Model())
        for (const QString &f : m->Columns())
            cols << TWjExportColumn{f, m->Caption(f)};
    return cols;
}

bool ExportRows(QWidget *parent, TWjQuery &ds, const QList<TWjExportColumn> &columns, const QString &name)
{
    if (!ds.Active() || ds.IsEmpty() || columns.isEmpty()) {
        Prompter().Warning(QStringLiteral("没有可以导出的资料。"));
        return false;
    }
    QString stem;
    for (const QChar ch : name)
        stem += (ch.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(ch)) ? QLatin1Char('_') : ch;
    const QString path = WjFileDialog::GetSaveFileName(
        parent, QStringLiteral("导出"), QStringLiteral("导出"),
        stem + QLatin1Char('_') + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".xlsx"),
        QStringLiteral("Excel 工作簿 (*.xlsx);;CSV 文件（逗号分隔，UTF-8） (*.csv)"));
    if (path.isEmpty())
        return false;

    bool cancelled = false;
    qint64 written = 0;
    const bool ok = WjRunAction([&] {
        const qint64 total = WjRows::Count(ds);
        QProgressDialog progress(QStringLiteral("正在导出，共 %1 行……").arg(total), QStringLiteral("取消"), 0,
                                 int(qMin<qint64>(total, INT_MAX)), parent);
        progress.setWindowTitle(QStringLiteral("导出"));
        progress.setWindowModality(Qt::ApplicationModal);
        progress.setMinimumDuration(400);
        progress.setAutoClose(false);
        progress.setAutoReset(false);
        std::unique_ptr<TWjRowSource> rows = WjRows::Of(ds);
        cancelled = !WjExportWriter::Write(path, WjExportWriter::FormatOf(path), *rows, columns,
                                           [&](qint64 done) {
                                               progress.setValue(int(qMin<qint64>(done, INT_MAX)));
                                               QApplication::processEvents();
                                               return !progress.wasCanceled();
                                           },
                                           &written);
    });
    if (!ok)
        return false;
    if (cancelled) {
        Prompter().Information(QStringLiteral("导出已取消，没有生成文件。"));
        return false;
    }
    Prompter().Information(QStringLiteral("已导出 %1 行资料到：\n%2").arg(written).arg(path));
    return true;
}

bool ExportGrid(QWidget *parent, TWjDBGrid *grid)
{
    if (!grid || !grid->DataSet()) {
        Prompter().Warning(QStringLiteral("没有可以导出的资料。"));
        return false;
    }
    QString name = grid->window() ? grid->window()->windowTitle().trimmed() : QString();
    if (name.isEmpty())
        name = QStringLiteral("导出");
    return ExportRows(parent ? parent : grid, *grid->DataSet(), GridColumns(grid), name);
}

} // namespace WjExport
