// The list export: the writer (workbook and CSV) read back cell by cell, the whole list
// of a grid that has read only its first rows, the file dialog's remembered folder,
// cancelling and errors leaving no file.
#include "wjdataset.h"
#include "wjdbgrid.h"
#include "wjerror.h"
#include "wjexport.h"
#include "wjfiledialog.h"
#include "wjinifile.h"
#include "wjpath.h"
#include "wjrowsource.h"
#include "wjtestsupport.h"

#include <QProcess>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

QByteArray unzip(const QString &xlsx, const QString &member)
{
    QProcess p;
    p.start(QStringLiteral("unzip"), {QStringLiteral("-p"), xlsx, member});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return p.readAllStandardOutput();
}

// A worksheet as a reader sees it: cell text (inline strings and numbers), each cell's
// number format, the frozen pane and the column widths.
struct Sheet {
    QMap<QString, QString> value;   // "B2" -> text or number
    QMap<QString, QString> format;  // "B2" -> number format code ("General" when none)
    QString frozenAt;               // the pane's top-left cell
    int columnsWithWidth = 0;
    int rows = 0;
};

Sheet readSheet(const QString &xlsx, int n = 1)
{
    // Styles: cell format index -> number format code.
    QMap<int, QString> codes{{0, QStringLiteral("General")}, {14, QStringLiteral("m/d/yyyy")}};
    QList<int> xfFormat;
    QXmlStreamReader st(unzip(xlsx, QStringLiteral("xl/styles.xml")));
    bool inXfs = false;
    while (!st.atEnd()) {
        st.readNext();
        if (st.isStartElement() && st.name() == u"numFmt")
            codes[st.attributes().value("numFmtId").toInt()] = st.attributes().value("formatCode").toString();
        if (st.isStartElement() && st.name() == u"cellXfs")
            inXfs = true;
        if (st.isEndElement() && st.name() == u"cellXfs")
            inXfs = false;
        if (inXfs && st.isStartElement() && st.name() == u"xf")
            xfFormat << st.attributes().value("numFmtId").toInt();
    }
    Sheet s;
    QXmlStreamReader x(unzip(xlsx, QStringLiteral("xl/worksheets/sheet%1.xml").arg(n)));
    QString ref;
    while (!x.atEnd()) {
        x.readNext();
        if (!x.isStartElement())
            continue;
        if (x.name() == u"row")
            ++s.rows;
        if (x.name() == u"pane")
            s.frozenAt = x.attributes().value("topLeftCell").toString();
        if (x.name() == u"col" && x.attributes().hasAttribute("width"))
            ++s.columnsWithWidth;
        if (x.name() == u"c") {
            ref = x.attributes().value("r").toString();
            const int xf = x.attributes().value("s").toInt();
            s.format[ref] = codes.value(xfFormat.value(xf), QStringLiteral("General"));
        }
        if (x.name() == u"v" || x.name() == u"t")
            s.value[ref] = x.readElementText();
    }
    return s;
}

// RFC 4180 fields of a UTF-8 CSV file.
QList<QStringList> readCsv(const QString &path, bool *bom)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = f.readAll();
    *bom = bytes.startsWith("\xEF\xBB\xBF");
    const QString text = QString::fromUtf8(*bom ? bytes.mid(3) : bytes);
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row << field;
            field.clear();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            row << field;
            rows << row;
            row.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return rows;
}

QString excelDate(const QDate &d) { return QString::number(QDate(1899, 12, 30).daysTo(d)); }

} // namespace

class TestExport : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestDatabase> t;
    std::unique_ptr<ScriptedPrompter> p;
    QString dir;  // where the files go

    // Four rows covering what a list holds: codes with leading zeros, barcodes, Chinese
    // text with commas, quotes and line breaks, money, quantities and dates.
    void table()
    {
        const QString money = TestDbName() == "sqlite" ? "decimal_text" : "numeric(18,4)";
        t->db().ExecuteSQL("create table T_Exp (Exp_Id integer primary key, GoodsNo varchar(20), Txm varchar(20), "
                           "GoodsName varchar(50), Sa_Price " + money + ", SaNum integer, Sa_Date date, ReMark varchar(100))");
        t->db().ExecuteSQL("insert into T_Exp values(1,'0012','6901234567890','机油滤清器，原厂',1234.5,3,'2026-01-10','')");
        t->db().ExecuteSQL("insert into T_Exp values(2,'0013','','“长城”火花塞 \"铱金\"',0.125,0,'2026-02-28','第一行\n第二行')");
        t->db().ExecuteSQL("insert into T_Exp values(3,'A-01',null,'轮胎',-20,12,null,null)");
        t->db().ExecuteSQL("insert into T_Exp values(4,'0015','6901234567891','刹车片',99999.99,1,'2025-12-31',' 前后有空格 ')");
    }
    QList<TWjExportColumn> columns() const
    {
        return {{"Exp_Id", "序号"}, {"GoodsNo", "商品编号"}, {"Txm", "条码"}, {"GoodsName", "商品名称"},
                {"Sa_Price", "单价"}, {"SaNum", "数量"}, {"Sa_Date", "销售日期"}, {"ReMark", "备注"}};
    }
    // Many rows through one statement, on both databases.
    void manyRows(int n)
    {
        t->db().ExecuteSQL(QStringLiteral("insert into T_Exp(Exp_Id,GoodsNo,GoodsName,Sa_Price,SaNum,Sa_Date) "
                                          "with recursive n(i) as (select 100 union all select i+1 from n where i < %1) "
                                          "select i, 'N' || i, '商品' || i, i, i % 7, '2026-03-01' from n").arg(99 + n));
    }

private slots:
    void init()
    {
        WJ_REQUIRE_DB();
        t = std::make_unique<TestDatabase>();
        p = std::make_unique<ScriptedPrompter>();
        dir = t->programDir() + "out";
        QDir().mkpath(dir);
        table();
    }
    void cleanup()
    {
        WjFileDialog::SetSaveChooser({});
        p.reset();
        t.reset();
    }

    // The workbook holds numbers as numbers, money with two decimals, dates as dates,
    // codes as text, Chinese captions, the header frozen; streamed or from memory alike.
    void workbookCells_data()
    {
        QTest::addColumn<bool>("streamed");
        QTest::newRow("statement streamed") << true;
        QTest::newRow("rows in memory") << false;
    }
    void workbookCells()
    {
        QFETCH(bool, streamed);
        TWjQuery q;
        t->db().SelectTable("select * from T_Exp order by Exp_Id", q);
        std::unique_ptr<TWjRowSource> rows = streamed ? std::unique_ptr<TWjRowSource>(new TWjSqlRows(t->db(), q.SQL))
                                                      : std::unique_ptr<TWjRowSource>(new TWjDataSetRows(q));
        const QString path = dir + "/列表.xlsx";
        qint64 written = 0;
        QVERIFY(WjExportWriter::Write(path, TWjExportFormat::Xlsx, *rows, columns(), {}, &written));
        QCOMPARE(written, 4);
        const Sheet s = readSheet(path);
        QCOMPARE(s.rows, 5);
        QCOMPARE(s.value["A1"], QString("序号"));
        QCOMPARE(s.value["D1"], QString("商品名称"));
        QCOMPARE(s.value["G1"], QString("销售日期"));
        QCOMPARE(s.frozenAt, QString("A2"));
        QCOMPARE(s.columnsWithWidth, 8);
        // Row 2
        QCOMPARE(s.value["A2"], QString("1"));
        QCOMPARE(s.format["A2"], QString("General"));
        QCOMPARE(s.value["B2"], QString("0012"));  // text: the zeros stay
        QCOMPARE(s.value["C2"], QString("6901234567890"));
        QCOMPARE(s.value["D2"], QString("机油滤清器，原厂"));
        QCOMPARE(s.value["E2"].toDouble(), 1234.5);
        QCOMPARE(s.format["E2"], QString("#,##0.00"));
        QCOMPARE(s.value["F2"], QString("3"));
        QCOMPARE(s.value["G2"], excelDate(QDate(2026, 1, 10)));
        QCOMPARE(s.format["G2"], QString("yyyy-mm-dd"));
        // Row 3: quotes and a line break kept; money rounded to the cent.
        QCOMPARE(s.value["D3"], QString("“长城”火花塞 \"铱金\""));
        QCOMPARE(s.value["E3"].toDouble(), 0.13);
        QCOMPARE(s.value["H3"], QString("第一行\n第二行"));
        // Row 4: empty cells stay empty, a negative amount is a number.
        QVERIFY(!s.value.contains("C4"));
        QVERIFY(!s.value.contains("G4"));
        QCOMPARE(s.value["E4"].toDouble(), -20.0);
        QCOMPARE(s.value["F4"], QString("12"));
    }

    // CSV: UTF-8 with BOM, quoted where needed, money with two decimals, ISO dates.
    void csvFields()
    {
        TWjQuery q;
        t->db().SelectTable("select * from T_Exp order by Exp_Id", q);
        TWjSqlRows rows(t->db(), q.SQL);
        const QString path = dir + "/列表.csv";
        QVERIFY(WjExportWriter::Write(path, TWjExportFormat::Csv, rows, columns()));
        bool bom = false;
        const QList<QStringList> csv = readCsv(path, &bom);
        QVERIFY(bom);
        const QList<QStringList> want{
            {"序号", "商品编号", "条码", "商品名称", "单价", "数量", "销售日期", "备注"},
            {"1", "0012", "6901234567890", "机油滤清器，原厂", "1234.50", "3", "2026-01-10", ""},
            {"2", "0013", "", "“长城”火花塞 \"铱金\"", "0.13", "0", "2026-02-28", "第一行\n第二行"},
            {"3", "A-01", "", "轮胎", "-20.00", "12", "", ""},
            {"4", "0015", "6901234567891", "刹车片", "99999.99", "1", "2025-12-31", " 前后有空格 "}};
        QCOMPARE(csv, want);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray raw = f.readAll();
        QVERIFY(raw.contains("\"“长城”火花塞 \"\"铱金\"\"\""));  // quotes doubled inside quotes
        QVERIFY(raw.contains("\" 前后有空格 \""));
    }

    // 导出 on a grid that has read only its first rows: every row of the list, the
    // visible columns in the grid's order, without reading the list into the grid;
    // the suffix of the chosen type added; the folder remembered for the next time.
    void gridExportsWholeList()
    {
        manyRows(1000);
        TWjQuery q;
        t->db().SelectTable("select * from T_Exp order by Exp_Id", q);
        TWjDBGrid grid;
        grid.setWindowTitle("销售管理");
        grid.SetDataSet(&q);
        grid.SetColumns({{"GoodsName", "名称", 120, true}, {"Exp_Id", "序号", 40, true}, {"Txm", "条码", 80, false},
                         {"Sa_Price", "单价", 60, true}});
        const bool streaming = q.HasMore();
        const int fetched = q.FetchedCount();
        QString suggested;
        WjFileDialog::SetSaveChooser([&](QWidget *, const QString &, const QString &s, const QString &filters, QString *filter) {
            suggested = s;
            *filter = filters.section(";;", 1, 1);  // the CSV type
            return dir + "/全部";
        });
        QVERIFY(WjExport::ExportGrid(nullptr, &grid));
        QVERIFY(QFileInfo(suggested).fileName().startsWith("销售管理_"));
        bool bom = false;
        const QList<QStringList> csv = readCsv(dir + "/全部.csv", &bom);
        QCOMPARE(csv.size(), 1005);
        QCOMPARE(csv[0], QStringList({"名称", "序号", "单价"}));
        QCOMPARE(csv[1], QStringList({"机油滤清器，原厂", "1", "1234.50"}));
        QCOMPARE(csv.last(), QStringList({"商品1099", "1099", "1099.00"}));
        QVERIFY(p->Last().contains("已导出 1004 行"));
        QVERIFY(streaming);
        QCOMPARE(q.FetchedCount(), fetched);
        QCOMPARE(q.RecNo(), 1);

        // The next export starts in that folder.
        QCOMPARE(TIniFile(WjPath::Prog(".\\sys\\WjOptions.ini")).ReadString("最近文件夹", "导出"), QDir::cleanPath(dir));
        WjFileDialog::SetSaveChooser([&](QWidget *, const QString &, const QString &s, const QString &, QString *) {
            suggested = s;
            return QString();  // cancelled
        });
        p->Clear();
        QVERIFY(!WjExport::ExportGrid(nullptr, &grid));
        QCOMPARE(QFileInfo(suggested).absolutePath(), QDir::cleanPath(dir));
        QVERIFY(p->shown.empty());
    }

    // Cancelled half way or failing: no file, and an older file of that name unchanged;
    // no temporary file left beside it.
    void cancelOrFailureLeavesNoFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("older");
        QTest::addColumn<bool>("badColumn");
        QTest::newRow("workbook cancelled") << "a.xlsx" << false << false;
        QTest::newRow("csv cancelled") << "a.csv" << false << false;
        QTest::newRow("workbook over an older file") << "b.xlsx" << true << false;
        QTest::newRow("csv over an older file") << "b.csv" << true << false;
        QTest::newRow("unknown column") << "c.xlsx" << true << true;
    }
    void cancelOrFailureLeavesNoFile()
    {
        QFETCH(QString, name);
        QFETCH(bool, older);
        QFETCH(bool, badColumn);
        manyRows(1500);
        const QString path = dir + "/" + name;
        if (older) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("older");
        }
        TWjSqlRows rows(t->db(), "select * from T_Exp order by Exp_Id");
        QList<TWjExportColumn> cols = columns();
        if (badColumn)
            cols << TWjExportColumn{"NoSuchField", "不存在"};
        int calls = 0;
        const auto cancelAtSecond = [&](qint64) { return ++calls < 2; };
        if (badColumn) {
            QVERIFY_THROWS_EXCEPTION(EWjError, WjExportWriter::Write(path, WjExportWriter::FormatOf(path), rows, cols, cancelAtSecond));
        } else {
            QVERIFY(!WjExportWriter::Write(path, WjExportWriter::FormatOf(path), rows, cols, cancelAtSecond));
            QCOMPARE(calls, 2);
        }
        QCOMPARE(QFileInfo::exists(path), older);
        if (older) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), QByteArray("older"));
        }
        QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden), older ? QStringList{name} : QStringList{});
    }

    // Nothing to export: said so, no dialog.
    void emptyListSaysSo()
    {
        TWjQuery q;
        t->db().SelectTable("select * from T_Exp where Exp_Id < 0", q);
        TWjDBGrid grid;
        grid.SetDataSet(&q);
        bool asked = false;
        WjFileDialog::SetSaveChooser([&](QWidget *, const QString &, const QString &, const QString &, QString *) {
            asked = true;
            return dir + "/x.xlsx";
        });
        QVERIFY(!WjExport::ExportGrid(nullptr, &grid));
        QVERIFY(!asked);
        QCOMPARE(p->Texts(), QStringList{"没有可以导出的资料。"});
    }
};

QTEST_MAIN(TestExport)
#include "test_export.moc"
