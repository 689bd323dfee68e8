// The list export and printing at a shop's size: 100,000 sales documents exported from
// a list that has read only its first screen (Excel workbook and CSV), time and peak
// memory; and a 1,000-row list printed to PDF. On an embedded database file and, when
// WJ_BENCH_PGPORT names a server, on PostgreSQL.
//
// Peak memory: the process's resident high-water mark (VmHWM), reset before each
// measurement, against the resident size just before it.
#include "benchsupport.h"

#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjexportwriter.h"
#include "wjprint.h"
#include "wjreport.h"
#include "wjrowsource.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QTemporaryDir>

namespace {
constexpr int kRows = 100000;
constexpr int kPrintRows = 1000;

void build(TDBAction &db)
{
    TWjTransaction tr(db);
    db.ExecuteSQL(QStringLiteral(
        "insert into Yw_SaHead(SaHead_Id,Sa_AutoNum,Sa_Lsh,Sa_Date,Operation,PayType,Fp_Type,ClientId,ClientName,Lxdh,SaFlag,Bz_SaHead) "
        "with recursive n(i) as (select 1 union all select i+1 from n where i < %1) "
        "select i, 'XS2026' || i, '2026' || i, '2026-01-10', '系统管理员', '现金', '普通发票', 1, '客户' || (i % 500), "
        "'0571-860' || (i % 10000), 1 + i % 2, '' from n").arg(kRows));
    db.ExecuteSQL(QStringLiteral(
        "insert into Yw_SaDetail(SaDetail_Id,SaMain_Id,Xh_SaDetail,GoodsId_Sa,SaNum1,SaNum2,SaNum3,Sa_Price1,Sa_Price2,Sa_Price3) "
        "with recursive n(i) as (select 1 union all select i+1 from n where i < %1) "
        "select i, i, 1, 1, 1 + i % 5, 0, 0, 12.5 + i % 100, 0, 0 from n").arg(kRows));
    tr.Commit();
}

qint64 statusKb(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Resets the high-water mark to the present resident size.
void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

struct Measured { double ms; qint64 baseKb; qint64 peakKb; };

Measured measure(const std::function<void()> &work)
{
    resetPeak();
    const qint64 base = statusKb("VmRSS:");
    QElapsedTimer t;
    t.start();
    work();
    return {BenchMs(t), base, statusKb("VmHWM:")};
}

const QList<TWjExportColumn> kColumns{
    {"Sa_AutoNum", "销售单号"}, {"Sa_Date", "销售日期"}, {"ClientName", "客户名称"}, {"Lxdh", "联系电话"},
    {"PayType", "结算方式"}, {"Fp_Type", "发票类型"}, {"SaFlag", "状态"}, {"TPrice", "金额"}, {"Operation", "开单员"}};

void run(TDBAction &db, const char *label)
{
    build(db);
    QTemporaryDir out;
    {
        TWjQuery list;
        db.SelectTable(QStringLiteral("select * from V_Yw_SaHead order by SaHead_Id"), list);
        const Measured m = measure([&] {
            std::unique_ptr<TWjRowSource> rows = WjRows::Of(list);
            qint64 n = 0;
            while (rows->Next()) {
                for (int i = 0; i < rows->Fields().size(); ++i)
                    rows->Value(i);
                ++n;
            }
            if (n != kRows)
                BenchFail(QStringLiteral("read %1 rows").arg(n));
        });
        std::printf("%-9s read %d rows only (floor)  %8.0f ms\n", label, kRows, m.ms);
    }
    for (const char *suffix : {".xlsx", ".csv"}) {
        // The list as its window holds it: the first rows read.
        TWjQuery list;
        db.SelectTable(QStringLiteral("select * from V_Yw_SaHead order by SaHead_Id"), list);
        const QString path = out.path() + QStringLiteral("/list") + QLatin1String(suffix);
        qint64 written = 0;
        const Measured m = measure([&] {
            std::unique_ptr<TWjRowSource> rows = WjRows::Of(list);
            if (!WjExportWriter::Write(path, WjExportWriter::FormatOf(path), *rows, kColumns, {}, &written))
                BenchFail(QStringLiteral("export cancelled"));
        });
        if (written != kRows)
            BenchFail(QStringLiteral("exported %1 rows, not %2").arg(written).arg(kRows));
        std::printf("%-9s export %d rows to %-5s %8.0f ms   resident %6.1f MB, peak %6.1f MB (+%.1f MB), file %.1f MB\n", label,
                    kRows, suffix + 1, m.ms, m.baseKb / 1024.0, m.peakKb / 1024.0, (m.peakKb - m.baseKb) / 1024.0,
                    QFileInfo(path).size() / 1048576.0);
    }

    TWjQuery list;
    db.SelectTable(QStringLiteral("select * from V_Yw_SaHead where SaHead_Id <= %1 order by SaHead_Id").arg(kPrintRows), list);
    TWjReportLayout layout;
    layout.Name = layout.Title = QStringLiteral("销售管理");
    for (const TWjExportColumn &c : kColumns)
        layout.Columns << TWjReportColumn{c.caption, c.field, 12, TWjAlign::Auto, TWjFieldKind::Auto, c.field == QLatin1String("TPrice")};
    const QString pdf = out.path() + QStringLiteral("/list.pdf");
    int pages = 0;
    const Measured m = measure([&] {
        const TWjReportData data = WjReport::Collect(layout, list);
        WjPrint::SavePdf(pdf, layout, data);
    });
    // Pages, counted apart from the timing.
    {
        const TWjReportData data = WjReport::Collect(layout, list);
        QTemporaryDir d;
        QFile f(d.path() + QStringLiteral("/x.pdf"));
        f.open(QIODevice::WriteOnly);
        QPdfWriter w(&f);
        TWjReportPainter painter(layout, data);
        painter.Paint(&w);
        pages = painter.PageCount();
    }
    std::printf("%-9s print %d rows to PDF    %8.0f ms   %d pages, peak %6.1f MB (+%.1f MB), file %.1f MB\n", label, kPrintRows,
                m.ms, pages, m.peakKb / 1024.0, (m.peakKb - m.baseKb) / 1024.0, QFileInfo(pdf).size() / 1048576.0);
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    BenchPrompter prompter;
    SetPrompter(&prompter);
    QTemporaryDir dir;
    BenchProgramDir(dir, QStringLiteral(WJ_SOURCE_DIR), {});
    ForEachBenchDatabase(run);
    return 0;
}
