// Printing through the session's RunPrnDll: report layout files, the statement
// parameters taken from the current row, a list printed over many pages from the
// grid's columns, the shipped purchase and sale documents of the demo database, the
// print preview's PDF, refusals; and the print-format editor of the PrintKit module.
#include "../goodspkg/windowdriver.h"
#include "frmreporteditor.h"
#include "wjczy.h"
#include "wjdataset.h"
#include "wjdbgrid.h"
#include "wjerror.h"
#include "wjfiledialog.h"
#include "wjinifile.h"
#include "wjpath.h"
#include "wjprint.h"
#include "wjtestsupport.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QPushButton>
#include <QStringEncoder>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// The text of a PDF, pages separated by form feeds.
QString pdfText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

QStringList pdfPages(const QString &pdf)
{
    QStringList pages = pdfText(pdf).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// Spaces as pdftotext lays them out do not matter.
QString squeeze(QString s) { return s.remove(QLatin1Char(' ')); }

} // namespace

class TestPrint : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestDatabase> t;
    std::unique_ptr<ScriptedPrompter> p;
    std::unique_ptr<WindowDriver> d;
    QString out;

    void listTable(int rows)
    {
        const QString money = TestDbName() == "sqlite" ? "decimal_text" : "numeric(18,4)";
        t->db().ExecuteSQL("create table T_Prn (Prn_Id integer primary key, GoodsName varchar(50), Txm varchar(20), "
                           "Sa_Price " + money + ", Sa_Date date)");
        t->db().ExecuteSQL(QStringLiteral("insert into T_Prn(Prn_Id,GoodsName,Txm,Sa_Price,Sa_Date) "
                                          "with recursive n(i) as (select 1 union all select i+1 from n where i < %1) "
                                          "select i, '配件' || i, '69' || i, i, '2026-03-01' from n").arg(rows));
    }

    // RunPrnDll with the preview saving a PDF through "另存为PDF"; the preview's page count.
    QString printToPdf(QObject *window, QObject *data, const QString &report, int *previewPages = nullptr)
    {
        const QString pdf = out + "/" + report + ".pdf";
        WjFileDialog::SetSaveChooser([pdf](QWidget *, const QString &, const QString &, const QString &, QString *) { return pdf; });
        int pages = -1;
        d->When<QPrintPreviewDialog>([&pages](QPrintPreviewDialog *dlg) {
            QAction *save = dlg->findChild<QAction *>("actSavePdf");
            QVERIFY(save);
            if (auto *w = dlg->findChild<QPrintPreviewWidget *>()) {
                w->updatePreview();
                pages = w->pageCount();
            }
            save->trigger();
        });
        CurCzy->RunPrnDll(window, data, report);
        if (previewPages)
            *previewPages = pages;
        return pdf;
    }

private slots:
    void initTestCase() { WjPrint::InstallPrintService(); }

    void init()
    {
        WJ_REQUIRE_DB();
        const bool demo = QByteArray(QTest::currentTestFunction()).startsWith("document");
        t = std::make_unique<TestDatabase>(true, demo);
        p = std::make_unique<ScriptedPrompter>();
        d = std::make_unique<WindowDriver>();
        out = t->programDir() + "out";
        QDir().mkpath(out);
    }
    void cleanup()
    {
        WjFileDialog::SetSaveChooser({});
        d.reset();
        p.reset();
        t.reset();
    }

    // A layout file read in either encoding, written back in it with its comments.
    void layoutFileRoundTrip_data()
    {
        QTest::addColumn<bool>("gb18030");
        QTest::newRow("utf-8") << false;
        QTest::newRow("gb18030") << true;
    }
    void layoutFileRoundTrip()
    {
        QFETCH(bool, gb18030);
        const QString text = QStringLiteral(
            "; 说明一行\n[Report]\nCompany=测试修配厂\nTitle=出 库 单\nOrientation=Landscape\nFontSize=11\nHeadColumns=3\n"
            "HeadQuery=select * from V_Yw_SaHead where SaHead_Id=:SaHead_Id\nLines=select * from V_Yw_SaDetail where SaMain_Id=:SaHead_Id\n"
            "AmountInWords=T_Price\nPageHeader=左||右 {date}\nPageFooter=|第{page}页|\n"
            "[Head]\n1=单号|Sa_AutoNum\n2=客户|ClientName\n"
            "[Columns]\n1=序|Xh_SaDetail|4|C|int\n2=名称|GoodsName|20\n3=金额|T_Price|12|R|money|sum\n4=规格|Depart|8|右\n"
            "[Foot]\n1=签收|\n");
        const QString file = TWjReportLayout::FileOf("出库单");
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QStringEncoder gb("GB18030");
        f.write(gb18030 ? QByteArray(gb.encode(text)) : text.toUtf8());
        f.close();

        TWjReportLayout l = TWjReportLayout::Load("出库单");
        QCOMPARE(l.Company, QString("测试修配厂"));
        QCOMPARE(l.Title, QString("出 库 单"));
        QVERIFY(l.Landscape);
        QCOMPARE(l.FontSize, 11);
        QCOMPARE(l.HeadColumns, 3);
        QCOMPARE(l.AmountInWords, QString("T_Price"));
        QCOMPARE(l.PageHeader, QString("左||右 {date}"));
        QCOMPARE(l.Head.size(), 2);
        QCOMPARE(l.Head[1].caption, QString("客户"));
        QCOMPARE(l.Foot.size(), 1);
        QVERIFY(l.Foot[0].field.isEmpty());
        QCOMPARE(l.Columns.size(), 4);
        QCOMPARE(l.Columns[0].align, TWjAlign::Center);
        QCOMPARE(l.Columns[0].kind, TWjFieldKind::Integer);
        QCOMPARE(l.Columns[1].align, TWjAlign::Auto);
        QCOMPARE(l.Columns[1].width, 20);
        QVERIFY(l.Columns[2].sum);
        QCOMPARE(l.Columns[2].kind, TWjFieldKind::Money);
        QCOMPARE(l.Columns[3].align, TWjAlign::Right);

        l.Columns[1].caption = "配件名称";
        l.Save();
        TIniFile::Encoding enc;
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString written = TIniFile::Decode(f.readAll(), &enc);
        QCOMPARE(enc, gb18030 ? TIniFile::Encoding::Gb18030 : TIniFile::Encoding::Utf8);
        QVERIFY(written.startsWith("; 说明一行\n"));
        const TWjReportLayout again = TWjReportLayout::Load("出库单");
        QCOMPARE(again.Columns[1].caption, QString("配件名称"));
        QCOMPARE(again.Lines, l.Lines);
        QCOMPARE(again.HeadQuery, l.HeadQuery);
        QCOMPARE(again.Columns[3].align, TWjAlign::Right);
        QCOMPARE(again.Foot.size(), 1);
        QVERIFY(TWjReportLayout::Names().contains("出库单"));
    }

    // Values of the current row enter the statements as numbers or quoted text, never as SQL.
    void bindRow_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("bound");  // empty: refused
        QTest::newRow("key") << "select * from T where Id=:Id" << QVariant(qlonglong(5)) << "select * from T where Id=5";
        QTest::newRow("text quoted") << "where Name=:Id" << QVariant("O'Brien") << "where Name='O''Brien'";
        QTest::newRow("sql in text stays text") << "where No=:Id" << QVariant("1 or 1=1") << "where No='1 or 1=1'";
        QTest::newRow("decimal") << "where P=:Id" << QVariant(2.5) << "where P=2.5";
        QTest::newRow("null") << "where P=:Id" << QVariant() << "where P=null";
        QTest::newRow("empty text is null") << "where P=:Id" << QVariant("") << "where P=null";
        QTest::newRow("literal untouched") << "where a=':Id' and b=:Id" << QVariant(qlonglong(1)) << "where a=':Id' and b=1";
        QTest::newRow("quoted name untouched") << "select \":Id\" from T where b=:Id" << QVariant(qlonglong(2))
                                               << "select \":Id\" from T where b=2";
        QTest::newRow("cast untouched") << "select x::numeric from T where b=:id" << QVariant(qlonglong(3))
                                        << "select x::numeric from T where b=3";
        QTest::newRow("date") << "where D=:Id" << QVariant(QDate(2026, 1, 10)) << "where D='2026-01-10'";
        QTest::newRow("missing field") << "where D=:Other" << QVariant(1) << "";
        QTest::newRow("nul refused") << "where D=:Id" << QVariant(QString("a") + QChar(0) + "b") << "";
    }
    void bindRow()
    {
        QFETCH(QString, sql);
        QFETCH(QVariant, value);
        QFETCH(QString, bound);
        auto row = [&](const QString &field, QVariant *v) {
            if (field.compare("Id", Qt::CaseInsensitive) != 0)
                return false;
            *v = value;
            return true;
        };
        if (bound.isEmpty())
            QVERIFY_THROWS_EXCEPTION(EWjError, WjReport::BindRow(sql, row));
        else
            QCOMPARE(WjReport::BindRow(sql, row), bound);
    }

    // A list without a layout prints the grid's visible columns over as many pages as it
    // takes: title, captions on every page, every row (also those the grid has not read),
    // page numbers and the print date; sums where the grid has them.
    void listPrintsOverPages()
    {
        listTable(500);
        TWjQuery q;
        t->db().SelectTable("select * from T_Prn order by Prn_Id", q);
        QWidget window;
        window.setWindowTitle("配件列表");
        auto *grid = new TWjDBGrid(&window);
        (new QVBoxLayout(&window))->addWidget(grid);
        grid->SetDataSet(&q);
        grid->SetColumns({{"GoodsName", "配件名称", 120, true}, {"Prn_Id", "序号", 50, true}, {"Txm", "条形码", 90, false},
                          {"Sa_Price", "单价", 70, true}, {"Sa_Date", "销售日期", 90, true}});
        const int fetched = q.FetchedCount();
        int previewPages = 0;
        const QString pdf = printToPdf(&window, &q, "配件列表", &previewPages);
        QCOMPARE(d->Missed, QStringList());
        const QStringList pages = pdfPages(pdf);
        const int n = int(pages.size());
        QVERIFY2(n >= 10, qPrintable(QString::number(n)));
        QCOMPARE(previewPages, n);
        const QString all = squeeze(pages.join("\n"));
        const QString today = QDate::currentDate().toString("yyyy-MM-dd");
        QVERIFY(squeeze(pages[0]).contains("配件列表"));
        QVERIFY(all.contains("打印日期：" + today));
        QVERIFY(!all.contains("条形码"));
        QVERIFY(!all.contains("69123"));
        for (int i = 0; i < n; ++i) {
            const QString page = squeeze(pages[i]);
            QVERIFY2(page.contains("配件名称") && page.contains("单价") && page.contains("销售日期"), qPrintable(QString::number(i)));
            QVERIFY(page.contains(QString("第%1页，共%2页").arg(i + 1).arg(n)));
        }
        QVERIFY(all.contains("配件1") && all.contains("配件500"));
        QVERIFY(squeeze(pages.last()).contains("配件500500500.002026-03-01"));  // name, number, price, date
        QVERIFY(!all.contains("合计"));
        QCOMPARE(q.FetchedCount(), fetched);
        QVERIFY(p->Last().contains(pdf));

        // The columns the grid sums in its footer are summed under the last row.
        grid->SetFooter("Sa_Price", TWjDBGrid::FooterSum);
        const QStringList summed = pdfPages(printToPdf(&window, &q, "配件列表"));
        QCOMPARE(summed.size(), n);
        QVERIFY(squeeze(summed.last()).contains("合计125250.00"));  // 1 + ... + 500
    }

    // The shipped document layouts print the current purchase or sale (also the one the
    // reimbursement hands over): heading, head fields, lines with the invoice prices where
    // the line has them, total, amount in words, foot.
    void documentPrints_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("serData");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("id");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("sale with invoice prices")
            << "销售管理" << "select * from V_Yw_SaHead order by SaHead_Id" << false << "SaHead_Id" << 2
            << QStringList{"维嘉汽车修配", "销售单", "销售单号：XS202601150001", "销售日期：2026-01-15", "客户名称：宏运物流有限公司",
                           "联系电话：0571-86779900", "结算方式：现金", "1箱", "2160.00", "52.00", "156.00", "合计2316.00",
                           "合计金额（大写）：贰仟叁佰壹拾陆元整", "开单员：系统管理员", "客户签收：", "第1页，共1页"}
            << QStringList{"2050.00", "XS202601100001"};
        QTest::newRow("sale of the reimbursement")
            << "销售管理" << "select * from V_Yw_SaHead where SaHead_Id=1" << true << "" << 0
            << QStringList{"XS202601100001", "顺达出租汽车公司", "520.00", "2080.00", "35.00", "70.00", "合计2150.00",
                           "贰仟壹佰伍拾元整", "审核人：系统管理员"}
            << QStringList{"宏运物流"};
        QTest::newRow("purchase")
            << "进货管理" << "select * from V_Yw_InHead order by InHead_ID" << false << "InHead_ID" << 2
            << QStringList{"进货单", "进货单号：JH202601120001", "供应商：博世汽车配件杭州经销部", "L2601", "21.80", "436.00",
                           "2725.00", "合计3161.00", "叁仟壹佰陆拾壹元整", "送货人签字："}
            << QStringList{"JH202601080001", "朝阳轮胎"};
    }
    void documentPrints()
    {
        QFETCH(QString, report);
        QFETCH(QString, sql);
        QFETCH(bool, serData);
        QFETCH(QString, key);
        QFETCH(int, id);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        TWjQuery list;
        TWjQuery *data = &list;
        if (serData) {
            t->db().GetSerData(sql);
            data = t->db().SerQuery();
        } else {
            t->db().SelectTable(sql, list);
            QVERIFY(list.Locate(key, id));
        }
        const QString text = squeeze(pdfText(printToPdf(nullptr, data, report)));
        QCOMPARE(d->Missed, QStringList());
        QVERIFY(!text.isEmpty());
        for (const QString &s : present)
            QVERIFY2(text.contains(s), qPrintable(s + "\n" + text));
        for (const QString &s : absent)
            QVERIFY2(!text.contains(s), qPrintable(s));
        // The goods of the lines, by name.
        const QString lines = report == "销售管理" ? "select GoodsName from V_Yw_SaDetail where SaMain_Id=" : "select GoodsName from V_Yw_InDetail where InMain_Id=";
        TWjQuery goods;
        t->db().SelectTable(lines + QString::number(serData ? 1 : id), goods);
        QCOMPARE(goods.RecordCount(), 2);
        for (goods.First(); !goods.Eof(); goods.Next())
            QVERIFY(text.contains(squeeze(goods.FieldByName("GoodsName").AsString())));
    }

    // Layouts that cannot print say why, naming what is wrong.
    void brokenLayoutsSayWhy_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown column") << "[Report]\n[Columns]\n1=名称|NoSuchField\n" << "NoSuchField";
        QTest::newRow("unknown head field") << "[Head]\n1=单号|NoSuchHead\n[Columns]\n1=名称|GoodsName\n" << "NoSuchHead";
        QTest::newRow("parameter the row lacks") << "[Report]\nLines=select * from T_Prn where Prn_Id=:Missing_Id\n[Columns]\n1=名称|GoodsName\n"
                                                 << "Missing_Id";
        QTest::newRow("bad statement") << "[Report]\nLines=select * from NoSuchTable where Prn_Id=:Prn_Id\n[Columns]\n1=名称|GoodsName\n"
                                       << "NoSuchTable";
        QTest::newRow("no columns") << "[Report]\nTitle=x\n" << "没有列";
    }
    void brokenLayoutsSayWhy()
    {
        QFETCH(QString, report);
        QFETCH(QString, message);
        listTable(3);
        const QString file = TWjReportLayout::FileOf("坏格式");
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(report.toUtf8());
        f.close();
        TWjQuery q;
        t->db().SelectTable("select * from T_Prn order by Prn_Id", q);
        try {
            WjReport::Collect(TWjReportLayout::Load("坏格式"), q);
            QFAIL("printed");
        } catch (const EWjError &e) {
            QVERIFY2(e.Message().contains(message), qPrintable(e.Message()));
        }
    }

    // Nothing to print, or a very long list the user does not want on paper: no preview.
    void refusals_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty list") << 0 << "没有可打印的资料。";
        QTest::newRow("long list, answered No") << 5001 << "列表共有 5001 行，打印约需 126 页。是否继续？";
    }
    void refusals()
    {
        QFETCH(int, rows);
        QFETCH(QString, message);
        listTable(qMax(rows, 1));
        TWjQuery q;
        t->db().SelectTable(rows ? QString("select * from T_Prn") : QString("select * from T_Prn where Prn_Id<0"), q);
        bool previewed = false;
        d->When<QPrintPreviewDialog>([&](QPrintPreviewDialog *) { previewed = true; }, 1500);
        p->defaultAnswer = false;
        CurCzy->RunPrnDll(nullptr, &q, "长列表");
        QCOMPARE(p->Texts(), QStringList{message});
        QTest::qWait(50);
        QVERIFY(!previewed);
    }

    // The editor over the layout files: pick a report, change its title and a caption,
    // save, read back; unsaved changes asked about; new and delete; opened by RunDll.
    void editorEditsLayouts()
    {
        const TWjReportLayout before = TWjReportLayout::Load("销售管理");
        TfrmReportEditor ed;
        ed.show();
        auto *list = ed.findChild<QListWidget *>("reportList");
        QVERIFY(list->count() >= 2);
        list->setCurrentItem(list->findItems("销售管理", Qt::MatchExactly).first());
        QCOMPARE(ed.CurrentName(), QString("销售管理"));
        auto *title = ed.findChild<QLineEdit *>("titleW");
        QCOMPARE(title->text(), before.Title);
        title->setFocus();
        title->selectAll();
        QInputMethodEvent typed;
        typed.setCommitString("销售出库单");
        QApplication::sendEvent(title, &typed);
        auto *cols = ed.findChild<QTableWidget *>("columnsW");
        QCOMPARE(cols->item(2, 0)->text(), QString("商品名称"));
        cols->item(2, 0)->setText("配件名称");
        QVERIFY(ed.Modified());
        ed.findChild<QPushButton *>("btnSave")->click();
        QVERIFY(!ed.Modified());
        const TWjReportLayout after = TWjReportLayout::Load("销售管理");
        QCOMPARE(after.Title, QString("销售出库单"));
        QCOMPARE(after.Columns.size(), before.Columns.size());
        for (int i = 0; i < before.Columns.size(); ++i) {
            QCOMPARE(after.Columns[i].caption, i == 2 ? QString("配件名称") : before.Columns[i].caption);
            QCOMPARE(after.Columns[i].field, before.Columns[i].field);
            QCOMPARE(after.Columns[i].width, before.Columns[i].width);
            QCOMPARE(after.Columns[i].align, before.Columns[i].align);
            QCOMPARE(after.Columns[i].kind, before.Columns[i].kind);
            QCOMPARE(after.Columns[i].sum, before.Columns[i].sum);
        }
        QCOMPARE(after.Lines, before.Lines);
        QCOMPARE(after.HeadQuery, before.HeadQuery);
        QCOMPARE(after.Head.size(), before.Head.size());
        QCOMPARE(after.Foot.size(), before.Foot.size());
        QFile f(TWjReportLayout::FileOf("销售管理"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readLine().startsWith("; 打印格式"));  // the format notes stay

        // A change not saved: asked when another report is picked; No drops it.
        cols->item(1, 0)->setText("编号");
        p->answers = {false};
        list->setCurrentItem(list->findItems("进货管理", Qt::MatchExactly).first());
        QCOMPARE(ed.CurrentName(), QString("进货管理"));
        QCOMPARE(p->Last(), QString("打印格式“销售管理”已修改，是否保存？"));
        QCOMPARE(TWjReportLayout::Load("销售管理").Columns[1].caption, QString("商品编码"));

        // New, with one column added through its button; then deleted.
        p->inputs = {"客户资料"};
        ed.findChild<QPushButton *>("btnNew")->click();
        QCOMPARE(ed.CurrentName(), QString("客户资料"));
        ed.findChild<QPushButton *>("columnsWAdd")->click();
        QCOMPARE(cols->rowCount(), 1);
        cols->item(0, 0)->setText("客户名称");
        cols->item(0, 1)->setText("ClientName");
        ed.findChild<QPushButton *>("btnSave")->click();
        const TWjReportLayout created = TWjReportLayout::Load("客户资料");
        QCOMPARE(created.Title, QString("客户资料"));
        QCOMPARE(created.Columns.size(), 1);
        QCOMPARE(created.Columns[0].field, QString("ClientName"));
        QVERIFY(list->findItems("客户资料", Qt::MatchExactly).size() == 1);
        p->answers = {true};
        ed.findChild<QPushButton *>("btnDelete")->click();
        QVERIFY(!TWjReportLayout::Exists("客户资料"));
        QVERIFY(list->findItems("客户资料", Qt::MatchExactly).isEmpty());

        // The menu's way in: the PrintKit module by name.
        ed.hide();
        QVERIFY(QFile::link(QStringLiteral(WJ_PRINTKIT_PATH), t->programDir() + "libPrintKit.so"));
        QStringList shownReports;
        d->When<QDialog>([&](QDialog *dlg) {
            if (dlg->objectName() != "TfrmReportEditor")
                return;
            auto *l = dlg->findChild<QListWidget *>("reportList");
            for (int i = 0; i < l->count(); ++i)
                shownReports << l->item(i)->text();
        });
        CurCzy->RunDll(nullptr, "PrintKit", "RUNEPTTOOL");
        QCOMPARE(d->Missed, QStringList());
        QCOMPARE(shownReports, QStringList({"保险单", "进货管理", "销售管理"}));
    }
};

QTEST_MAIN(TestPrint)
#include "test_print.moc"
