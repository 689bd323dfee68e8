#include "wjprint.h"
#include "wjapplication.h"
#include "wjczy.h"
#include "wjdataset.h"
#include "wjdbgrid.h"
#include "wjerror.h"
#include "wjexport.h"
#include "wjfiledialog.h"
#include "wjprompter.h"
#include "wjrowsource.h"

#include <QAction>
#include <QApplication>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QToolBar>
#include <cmath>

namespace {

QFont reportFont(qreal points, bool bold = false)
{
    // Latin letters, digits and signs from DejaVu Sans (WenQuanYi maps some signs such as
    // "℃" to empty glyphs), Chinese from WenQuanYi Micro Hei.
    QFont f;
    f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei")});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

int alignFlags(TWjAlign a)
{
    switch (a) {
    case TWjAlign::Center: return Qt::AlignHCenter;
    case TWjAlign::Right: return Qt::AlignRight;
    default: return Qt::AlignLeft;
    }
}

constexpr int MaxCellLines = 4;
constexpr int CellFlags = Qt::TextWrapAnywhere;

// Lines `text` takes in `width` (at most MaxCellLines; the rest is clipped).
int linesOf(const QFontMetricsF &fm, const QString &text, qreal width)
{
    if (text.isEmpty() || (fm.horizontalAdvance(text) <= width && !text.contains(QLatin1Char('\n'))))
        return 1;
    const QRectF r = fm.boundingRect(QRectF(0, 0, width, 1e7), CellFlags, text);
    return qBound(1, int(std::ceil(r.height() / fm.lineSpacing() - 0.01)), MaxCellLines);
}

class GuiPrintService : public TWjPrintService
{
public:
    void Print(QObject *window, QObject *dataSource, const QString &reportName) override
    {
        WjPrint::Print(window, dataSource, reportName);
    }
};

// The text of "caption：value" pairs laid out in a grid of `columns`.
void drawFieldGrid(QPainter &p, const QList<QPair<QString, QString>> &fields, int columns, qreal y, qreal width,
                   qreal rowH, qreal signLine)
{
    const qreal cellW = width / columns;
    const QFontMetricsF fm(p.font(), p.device());
    for (int i = 0; i < fields.size(); ++i) {
        const qreal x = (i % columns) * cellW;
        const qreal top = y + (i / columns) * rowH;
        const QString label = fields[i].first.isEmpty() ? QString() : fields[i].first + QStringLiteral("：");
        const qreal lw = fm.horizontalAdvance(label);
        p.drawText(QRectF(x, top, lw + 1, rowH), Qt::AlignLeft | Qt::AlignVCenter, label);
        const QRectF valueRect(x + lw, top, cellW - lw - fm.averageCharWidth(), rowH);
        if (fields[i].second.isNull()) {
            // A line to sign or write on.
            const qreal base = top + rowH - (rowH - fm.height()) / 2;
            p.drawLine(QPointF(valueRect.left(), base), QPointF(valueRect.left() + qMin(signLine, valueRect.width()), base));
        } else {
            p.drawText(valueRect, Qt::AlignLeft | Qt::AlignVCenter, fm.elidedText(fields[i].second, Qt::ElideRight, valueRect.width()));
        }
    }
}

} // namespace

// ---- TWjReportPainter ----

void TWjReportPainter::Paint(QPagedPaintDevice *device)
{
    device->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), m_layout.Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(12, 10, 12, 10), QPageLayout::Millimeter));
    QPainter p;
    if (!p.begin(device))
        throw EWjError(QStringLiteral("无法开始打印（打印机或文件不可用）。"));
    const qreal dpi = device->logicalDpiY();
    auto mm = [dpi](qreal v) { return v * dpi / 25.4; };
    const qreal W = device->width();
    const qreal H = device->height();

    const QFont body = reportFont(m_layout.FontSize);
    const QFont bold = reportFont(m_layout.FontSize, true);
    const QFont small = reportFont(qMax(7, m_layout.FontSize - 2));
    const QFont title = reportFont(m_layout.FontSize + 8, true);
    const QFont company = reportFont(m_layout.FontSize + 3, true);
    const QFontMetricsF fmBody(body, device), fmBold(bold, device), fmSmall(small, device), fmTitle(title, device),
        fmCompany(company, device);
    const qreal pad = mm(1.0);
    const qreal lineH = fmBody.lineSpacing();

    // Column positions: the widths share the page width.
    const int nc = int(m_layout.Columns.size());
    qreal units = 0;
    for (const TWjReportColumn &c : m_layout.Columns)
        units += c.width;
    QVector<qreal> colX(nc + 1, 0);
    for (int c = 0; c < nc; ++c)
        colX[c + 1] = colX[c] + W * m_layout.Columns[c].width / (units > 0 ? units : 1);
    auto cellW = [&](int c) { return colX[c + 1] - colX[c] - 2 * pad; };

    // Heights.
    const qreal pageHeadH = fmSmall.lineSpacing() + mm(2.5);
    const qreal pageFootH = fmSmall.lineSpacing() + mm(2.5);
    const qreal companyH = m_layout.Company.isEmpty() ? 0 : fmCompany.lineSpacing() + mm(1);
    const qreal titleH = m_layout.Title.isEmpty() ? mm(2) : fmTitle.lineSpacing() + mm(3);
    const int hc = qMax(1, m_layout.HeadColumns);
    const qreal fieldRowH = lineH + mm(1.8);
    const qreal headH = m_data.Head.isEmpty() ? 0 : ((m_data.Head.size() + hc - 1) / hc) * fieldRowH + mm(2);
    int captionLines = 1;
    for (int c = 0; c < nc; ++c)
        captionLines = qMax(captionLines, linesOf(fmBold, m_layout.Columns[c].caption, cellW(c)));
    const qreal tableHeadH = captionLines * fmBold.lineSpacing() + 2 * pad;
    QVector<qreal> rowH(m_data.Rows.size());
    for (int r = 0; r < m_data.Rows.size(); ++r) {
        int lines = 1;
        const QStringList &cells = m_data.Rows[r];
        for (int c = 0; c < nc && c < cells.size(); ++c)
            lines = qMax(lines, linesOf(fmBody, cells[c], cellW(c)));
        rowH[r] = lines * lineH + 2 * pad;
    }
    bool hasSums = false;
    for (const QString &s : m_data.Sums)
        hasSums = hasSums || !s.isEmpty();
    const qreal sumsH = hasSums ? lineH + 2 * pad : 0;
    const qreal wordsH = m_data.AmountWords.isEmpty() ? 0 : lineH + 2 * pad;
    const qreal footRowH = lineH + mm(4);
    const qreal footH = m_data.Foot.isEmpty() ? 0 : mm(3) + ((m_data.Foot.size() + hc - 1) / hc) * footRowH;
    const qreal closingH = sumsH + wordsH + footH;

    // Pages: rows [from, to), and whether the sums and foot come on it.
    struct Page { int from, to; bool closing; };
    QVector<Page> pages;
    const int n = int(m_data.Rows.size());
    const qreal bottom = H - pageFootH;
    for (int i = 0;;) {
        qreal y = pageHeadH + (pages.isEmpty() ? companyH + titleH + headH : 0) + tableHeadH;
        const int from = i;
        while (i < n && (y + rowH[i] <= bottom || i == from)) {
            y += rowH[i];
            ++i;
        }
        if (i == n && y + closingH <= bottom) {
            pages << Page{from, i, true};
            break;
        }
        pages << Page{from, i, false};
        if (i == n) {  // the closing block goes on a page of its own
            pages << Page{n, n, true};
            break;
        }
    }
    m_pages = int(pages.size());

    const QPen pen(Qt::black, qMax<qreal>(1, mm(0.15)));
    auto drawPageFrame = [&](int k) {
        p.setFont(small);
        p.setPen(pen);
        const QStringList head = WjReport::PageText(m_layout.PageHeader, k + 1, m_pages, m_data.Printed, m_data.Title);
        const QStringList foot = WjReport::PageText(m_layout.PageFooter, k + 1, m_pages, m_data.Printed, m_data.Title);
        const QRectF top(0, 0, W, fmSmall.lineSpacing());
        const QRectF low(0, H - fmSmall.lineSpacing(), W, fmSmall.lineSpacing());
        const int aligns[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
        for (int i = 0; i < 3; ++i) {
            p.drawText(top, aligns[i] | Qt::AlignVCenter, head[i]);
            p.drawText(low, aligns[i] | Qt::AlignVCenter, foot[i]);
        }
        if (!(head[0] + head[1] + head[2]).isEmpty())
            p.drawLine(QPointF(0, top.bottom() + mm(0.8)), QPointF(W, top.bottom() + mm(0.8)));
        if (!(foot[0] + foot[1] + foot[2]).isEmpty())
            p.drawLine(QPointF(0, low.top() - mm(0.8)), QPointF(W, low.top() - mm(0.8)));
    };
    auto drawRow = [&](qreal y, qreal h, const QStringList &cells, const QFont &font, bool captions) {
        p.setFont(font);
        for (int c = 0; c < nc; ++c) {
            const QRectF cell(colX[c], y, colX[c + 1] - colX[c], h);
            if (captions)
                p.fillRect(cell, QColor(232, 232, 232));
            p.drawRect(cell);
            const int a = captions ? int(Qt::AlignHCenter) : alignFlags(m_data.Aligns.value(c));
            p.drawText(cell.adjusted(pad, pad, -pad, -pad), a | Qt::AlignVCenter | CellFlags, cells.value(c));
        }
    };
    QStringList captions;
    for (const TWjReportColumn &c : m_layout.Columns)
        captions << c.caption;

    for (int k = 0; k < pages.size(); ++k) {
        if (k > 0 && !device->newPage())
            throw EWjError(QStringLiteral("打印新的一页失败。"));
        drawPageFrame(k);
        qreal y = pageHeadH;
        p.setPen(pen);
        if (k == 0) {
            if (companyH > 0) {
                p.setFont(company);
                p.drawText(QRectF(0, y, W, companyH), Qt::AlignHCenter | Qt::AlignTop, m_layout.Company);
                y += companyH;
            }
            p.setFont(title);
            p.drawText(QRectF(0, y, W, titleH), Qt::AlignHCenter | Qt::AlignVCenter, m_data.Title);
            y += titleH;
            if (headH > 0) {
                p.setFont(body);
                drawFieldGrid(p, m_data.Head, hc, y, W, fieldRowH, mm(30));
                y += headH;
            }
        }
        drawRow(y, tableHeadH, captions, bold, true);
        y += tableHeadH;
        for (int r = pages[k].from; r < pages[k].to; ++r) {
            drawRow(y, rowH[r], m_data.Rows[r], body, false);
            y += rowH[r];
        }
        if (!pages[k].closing)
            continue;
        if (hasSums) {
            // "合计" in one cell over the columns before the first sum.
            int first = 0;
            while (first < nc && m_data.Sums.value(first).isEmpty())
                ++first;
            p.setFont(bold);
            if (first > 0) {
                const QRectF label(0, y, colX[first], sumsH);
                p.drawRect(label);
                p.drawText(label.adjusted(pad, pad, -pad, -pad), Qt::AlignCenter, QStringLiteral("合计"));
            }
            for (int c = first; c < nc; ++c) {
                const QRectF cell(colX[c], y, colX[c + 1] - colX[c], sumsH);
                p.drawRect(cell);
                p.drawText(cell.adjusted(pad, pad, -pad, -pad), alignFlags(m_data.Aligns.value(c)) | Qt::AlignVCenter | CellFlags,
                           m_data.Sums.value(c));
            }
            y += sumsH;
        }
        if (wordsH > 0) {
            p.setFont(bold);
            const QRectF r(0, y, W, wordsH);
            p.drawRect(r);
            p.drawText(r.adjusted(pad, 0, -pad, 0), Qt::AlignLeft | Qt::AlignVCenter,
                       QStringLiteral("合计金额（大写）：") + m_data.AmountWords);
            y += wordsH;
        }
        if (footH > 0) {
            p.setFont(body);
            drawFieldGrid(p, m_data.Foot, hc, y + mm(3), W, footRowH, mm(35));
        }
    }
    p.end();
}

// ---- the service ----

namespace WjPrint {

void InstallPrintService()
{
    static GuiPrintService service;
    SetPrintService(&service);
}

TWjReportLayout DefaultLayout(const QString &reportName, QObject *window, TWjQuery &ds)
{
    TWjReportLayout l;
    l.Name = reportName;
    l.Title = reportName;
    TWjDBGrid *grid = qobject_cast<TWjDBGrid *>(window);
    if (window && (!grid || grid->DataSet() != &ds)) {
        grid = nullptr;
        for (TWjDBGrid *g : window->findChildren<TWjDBGrid *>())
            if (g->DataSet() == &ds) {
                grid = g;
                break;
            }
    }
    struct Col { TWjExportColumn c; int px; bool sum; };
    QList<Col> cols;
    if (grid) {
        const QList<TWjDBGrid::Column> declared = grid->Columns();
        for (const TWjExportColumn &c : WjExport::GridColumns(grid)) {
            int px = 80;
            for (const TWjDBGrid::Column &d : declared)
                if (d.field.compare(c.field, Qt::CaseInsensitive) == 0)
                    px = d.width;
            cols << Col{c, px, grid->FooterOf(c.field) == TWjDBGrid::FooterSum};
        }
    } else {
        for (int i = 0; i < ds.FieldCount(); ++i)
            cols << Col{TWjExportColumn{ds.FieldName(i), ds.FieldName(i)}, 80, false};
    }
    for (const Col &c : cols) {
        TWjReportColumn rc;
        rc.caption = c.c.caption;
        rc.field = c.c.field;
        rc.width = qBound(4, c.px / 8, 60);
        rc.sum = c.sum;  // the columns the grid sums in its footer
        l.Columns << rc;
    }
    if (l.Columns.size() > 8)
        l.Landscape = true;
    return l;
}

void SavePdf(const QString &path, const TWjReportLayout &layout, const TWjReportData &data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw EWjError(QStringLiteral("无法写入文件：%1（%2）").arg(path, file.errorString()));
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(300);
        pdf.setTitle(data.Title);
        pdf.setCreator(QStringLiteral("维嘉汽车修配管理系统"));
        TWjReportPainter(layout, data).Paint(&pdf);
    }
    if (!file.commit())
        throw EWjError(QStringLiteral("无法写入文件：%1（%2）").arg(path, file.errorString()));
}

void Preview(QWidget *parent, const TWjReportLayout &layout, const TWjReportData &data)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(data.Title);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), layout.Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(12, 10, 12, 10), QPageLayout::Millimeter));
    QPrintPreviewDialog dlg(&printer, parent);
    dlg.setWindowTitle(QStringLiteral("打印预览 - ") + data.Title);
    QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested, &dlg, [&](QPrinter *pr) {
        WjRunAction([&] { TWjReportPainter(layout, data).Paint(pr); });
    });
    if (QToolBar *bar = dlg.findChild<QToolBar *>()) {
        bar->addSeparator();
        QAction *pdf = bar->addAction(QStringLiteral("另存为PDF"));
        pdf->setObjectName(QStringLiteral("actSavePdf"));
        pdf->setToolTip(QStringLiteral("把报表保存为 PDF 文件"));
        QObject::connect(pdf, &QAction::triggered, &dlg, [&] {
            const QString path = WjFileDialog::GetSaveFileName(&dlg, QStringLiteral("另存为PDF"), QStringLiteral("打印"),
                                                               data.Title + QStringLiteral(".pdf"), QStringLiteral("PDF 文件 (*.pdf)"));
            if (path.isEmpty())
                return;
            if (WjRunAction([&] { SavePdf(path, layout, data); }))
                Prompter().Information(QStringLiteral("已保存为：\n%1").arg(path));
        });
    }
    dlg.resize(980, 760);
    dlg.exec();
}

void Print(QObject *window, QObject *dataSource, const QString &reportName)
{
    auto *ds = qobject_cast<TWjQuery *>(dataSource);
    if (!ds || !ds->Active() || ds->IsEmpty()) {
        Prompter().Warning(QStringLiteral("没有可打印的资料。"));
        return;
    }
    const TWjReportLayout layout =
        TWjReportLayout::Exists(reportName) ? TWjReportLayout::Load(reportName) : DefaultLayout(reportName, window, *ds);
    if (layout.Lines.trimmed().isEmpty()) {
        const qint64 rows = WjRows::Count(*ds);
        if (rows > LargeListRows
            && !Prompter().Question(QStringLiteral("列表共有 %1 行，打印约需 %2 页。是否继续？").arg(rows).arg(rows / 40 + 1)))
            return;
    }
    TWjReportData data;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        struct Restore { ~Restore() { QApplication::restoreOverrideCursor(); } } restore;
        data = WjReport::Collect(layout, *ds);
    }
    Preview(qobject_cast<QWidget *>(window), layout, data);
}

} // namespace WjPrint
