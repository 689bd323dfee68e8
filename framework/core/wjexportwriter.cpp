#include "wjexportwriter.h"
#include "wjerror.h"
#include "wjrowsource.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cmath>
#include <cstdio>
#include <xlsxwriter.h>

namespace WjExportWriter {

namespace {

constexpr int ProgressEvery = 500;
constexpr int CellTextMax = 32767;  // a worksheet cell's limit, in characters

struct Column {
    TWjExportColumn def;
    int source = -1;
    TWjFieldKind kind = TWjFieldKind::Auto;
    int width = 0;  // widest text seen, in character cells (Chinese counts two)
};

int displayWidth(const QString &s)
{
    int w = 0;
    for (const QChar ch : s)
        if (!ch.isLowSurrogate())
            w += ch.unicode() >= 0x1100 ? 2 : 1;
    return w;
}

// Text as a worksheet or CSV holds it: no control characters XML cannot carry, and not
// longer than a cell takes (never cutting a character in two).
QString cellText(QString s)
{
    const char16_t *p = reinterpret_cast<const char16_t *>(s.constData());
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = p[i];
        if (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') {
            s[i] = QLatin1Char(' ');
            p = reinterpret_cast<const char16_t *>(s.constData());
        }
    }
    if (n > CellTextMax) {
        qsizetype cut = CellTextMax;
        if (QChar::isHighSurrogate(p[cut - 1]))
            --cut;
        s.truncate(cut);
    }
    return s;
}

QList<Column> resolve(TWjRowSource &rows, const QList<TWjExportColumn> &defs)
{
    QList<Column> cols;
    for (const TWjExportColumn &d : defs) {
        Column c;
        c.def = d;
        c.source = rows.FieldIndex(d.field);
        if (c.source < 0)
            throw EWjError(QStringLiteral("导出的列“%1”在资料中不存在（字段 %2）。").arg(d.caption, d.field));
        c.kind = d.kind;
        c.width = displayWidth(d.caption.isEmpty() ? d.field : d.caption);
        cols << c;
    }
    return cols;
}

// The kind of a column is settled by its first value that is not empty.
void settleKind(Column &c, TWjRowSource &rows, const QVariant &v)
{
    if (c.kind == TWjFieldKind::Auto && !v.isNull() && !(v.typeId() == QMetaType::QString && v.toString().isEmpty()))
        c.kind = WjFieldKind::Guess(c.def.field, v, rows.FieldType(c.source));
}

// ---- workbook ----

class Workbook
{
public:
    Workbook(const QString &path, const QList<Column> &cols) : m_cols(cols)
    {
        lxw_workbook_options opt{};
        opt.constant_memory = LXW_TRUE;
        m_path = QFile::encodeName(path);
        m_wb = workbook_new_opt(m_path.constData(), &opt);
        if (!m_wb)
            throw EWjError(QStringLiteral("无法创建文件：%1").arg(path));
        m_header = workbook_add_format(m_wb);
        format_set_bold(m_header);
        format_set_bg_color(m_header, 0xE8E8E8);
        format_set_border(m_header, LXW_BORDER_THIN);
        format_set_align(m_header, LXW_ALIGN_CENTER);
        m_money = workbook_add_format(m_wb);
        format_set_num_format(m_money, "#,##0.00");
        m_date = workbook_add_format(m_wb);
        format_set_num_format(m_date, "yyyy-mm-dd");
        m_dateTime = workbook_add_format(m_wb);
        format_set_num_format(m_dateTime, "yyyy-mm-dd hh:mm:ss");
        newSheet();
    }
    ~Workbook()
    {
        if (m_wb)
            lxw_workbook_free(m_wb);  // abandoned: nothing more is written
    }

    void Row(TWjRowSource &rows, QList<Column> &cols)
    {
        if (m_row > SheetRows) {
            finishSheet(cols);
            newSheet();
        }
        for (int i = 0; i < cols.size(); ++i) {
            Column &c = cols[i];
            const QVariant v = rows.Value(c.source);
            settleKind(c, rows, v);
            cell(lxw_col_t(i), c, v);
        }
        ++m_row;
    }

    void Close(QList<Column> &cols)
    {
        finishSheet(cols);
        const lxw_error e = workbook_close(m_wb);
        m_wb = nullptr;
        if (e != LXW_NO_ERROR)
            throw EWjError(QStringLiteral("写入 Excel 文件失败：%1").arg(QString::fromUtf8(lxw_strerror(e))));
    }

private:
    void newSheet()
    {
        m_ws = workbook_add_worksheet(m_wb, nullptr);
        if (!m_ws)
            throw EWjError(QStringLiteral("无法在 Excel 文件中添加工作表。"));
        for (int i = 0; i < m_cols.size(); ++i) {
            const QByteArray cap = cellText(m_cols[i].def.caption.isEmpty() ? m_cols[i].def.field : m_cols[i].def.caption).toUtf8();
            worksheet_write_string(m_ws, 0, lxw_col_t(i), cap.constData(), m_header);
        }
        worksheet_freeze_panes(m_ws, 1, 0);
        m_row = 1;
    }

    void finishSheet(const QList<Column> &cols)
    {
        // Widths from the widest caption or value, within reason.
        for (int i = 0; i < cols.size(); ++i)
            worksheet_set_column(m_ws, lxw_col_t(i), lxw_col_t(i), qBound(6, cols[i].width + 2, 60), nullptr);
    }

    void text(lxw_col_t col, Column &c, const QString &s)
    {
        const QString t = cellText(s);
        c.width = qMax(c.width, qMin(displayWidth(t), 200));
        const QByteArray u = t.toUtf8();
        worksheet_write_string(m_ws, m_row, col, u.constData(), nullptr);
    }

    void cell(lxw_col_t col, Column &c, const QVariant &v)
    {
        if (v.isNull() || !v.isValid())
            return;
        switch (c.kind) {
        case TWjFieldKind::Money: {
            Currency m;
            if (WjFieldKind::ToCurrency(v, &m)) {
                c.width = qMax(c.width, int(m.ToFixed(2).size()) + 3);
                worksheet_write_number(m_ws, m_row, col, m.RoundHalfUp(2).ToDouble(), m_money);
                return;
            }
            break;
        }
        case TWjFieldKind::Integer:
        case TWjFieldKind::Number: {
            double d = 0;
            if (WjFieldKind::ToDouble(v, &d) && std::abs(d) < 9007199254740992.0) {
                c.width = qMax(c.width, int(WjFieldKind::Format(v, c.kind).size()));
                worksheet_write_number(m_ws, m_row, col, d, nullptr);
                return;
            }
            break;
        }
        case TWjFieldKind::Date:
        case TWjFieldKind::DateTime: {
            QDateTime dt;
            if (WjFieldKind::ToDateTime(v, &dt) && dt.date().year() >= 1900 && dt.date().year() <= 9999) {
                const bool withTime = c.kind == TWjFieldKind::DateTime && dt.time() != QTime(0, 0);
                lxw_datetime x{};
                x.year = dt.date().year();
                x.month = dt.date().month();
                x.day = dt.date().day();
                if (withTime) {
                    x.hour = dt.time().hour();
                    x.min = dt.time().minute();
                    x.sec = dt.time().second();
                }
                c.width = qMax(c.width, withTime ? 19 : 10);
                worksheet_write_datetime(m_ws, m_row, col, &x, withTime ? m_dateTime : m_date);
                return;
            }
            break;
        }
        default:
            break;
        }
        text(col, c, WjFieldKind::Format(v, TWjFieldKind::Text));
    }

    QList<Column> m_cols;
    QByteArray m_path;
    lxw_workbook *m_wb = nullptr;
    lxw_worksheet *m_ws = nullptr;
    lxw_format *m_header = nullptr, *m_money = nullptr, *m_date = nullptr, *m_dateTime = nullptr;
    lxw_row_t m_row = 0;
};

bool writeXlsx(const QString &path, TWjRowSource &rows, QList<Column> cols, const std::function<bool(qint64)> &progress,
               qint64 *written)
{
    const QFileInfo target(path);
    if (!target.absoluteDir().exists())
        throw EWjError(QStringLiteral("文件夹不存在：%1").arg(target.absolutePath()));
    // Written under a temporary name beside the target, renamed when complete.
    QTemporaryFile tmp(target.absolutePath() + QStringLiteral("/.wjexport-XXXXXX.xlsx"));
    if (!tmp.open())
        throw EWjError(QStringLiteral("无法写入文件夹 %1：%2").arg(target.absolutePath(), tmp.errorString()));
    const QString tmpName = tmp.fileName();
    tmp.close();
    qint64 n = 0;
    {
        Workbook wb(tmpName, cols);
        while (rows.Next()) {
            wb.Row(rows, cols);
            ++n;
            if (progress && n % ProgressEvery == 0 && !progress(n))
                return false;  // the workbook is abandoned, the temporary file removed
        }
        wb.Close(cols);
    }
    if (std::rename(QFile::encodeName(tmpName).constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        throw EWjError(QStringLiteral("无法写入文件：%1").arg(path));
    tmp.setAutoRemove(false);
    if (written)
        *written = n;
    if (progress)
        progress(n);
    return true;
}

// ---- CSV ----

bool writeCsv(const QString &path, TWjRowSource &rows, QList<Column> cols, const std::function<bool(qint64)> &progress,
              qint64 *written)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        throw EWjError(QStringLiteral("无法写入文件：%1（%2）").arg(path, f.errorString()));
    QByteArray buf("\xEF\xBB\xBF");
    QStringList line;
    for (const Column &c : std::as_const(cols))
        line << CsvField(cellText(c.def.caption.isEmpty() ? c.def.field : c.def.caption));
    buf += line.join(QLatin1Char(',')).toUtf8() + "\r\n";
    qint64 n = 0;
    while (rows.Next()) {
        line.clear();
        for (Column &c : cols) {
            const QVariant v = rows.Value(c.source);
            settleKind(c, rows, v);
            line << CsvField(cellText(WjFieldKind::Format(v, c.kind)));
        }
        buf += line.join(QLatin1Char(',')).toUtf8() + "\r\n";
        ++n;
        if (buf.size() > (1 << 16)) {
            f.write(buf);
            buf.clear();
        }
        if (progress && n % ProgressEvery == 0 && !progress(n)) {
            f.cancelWriting();
            return false;
        }
    }
    f.write(buf);
    if (!f.commit())
        throw EWjError(QStringLiteral("无法写入文件：%1（%2）").arg(path, f.errorString()));
    if (written)
        *written = n;
    if (progress)
        progress(n);
    return true;
}

} // namespace

TWjExportFormat FormatOf(const QString &path)
{
    return path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) ? TWjExportFormat::Csv : TWjExportFormat::Xlsx;
}

QString CsvField(const QString &text)
{
    const bool quote = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\n'))
                       || text.contains(QLatin1Char('\r')) || text.startsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char(' '));
    if (!quote)
        return text;
    QString s = text;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

bool Write(const QString &path, TWjExportFormat format, TWjRowSource &rows, const QList<TWjExportColumn> &columns,
           const std::function<bool(qint64)> &progress, qint64 *written)
{
    if (columns.isEmpty())
        throw EWjError(QStringLiteral("没有可导出的列。"));
    const QList<Column> cols = resolve(rows, columns);
    return format == TWjExportFormat::Csv ? writeCsv(path, rows, cols, progress, written)
                                          : writeXlsx(path, rows, cols, progress, written);
}

} // namespace WjExportWriter
