// The editing-window framework over a small table of its own: name-bound inputs and
// Submit, the data entity's add/edit/delete, the cached line set, grid layouts and
// footers, list search statements, option lists, Enter-as-Tab and pinyin initials.
#include "wjcached.h"
#include "wjdataentity.h"
#include "wjdatasetmodel.h"
#include "wjdbgrid.h"
#include "wjservices.h"
#include <QHeaderView>
#include <QTableView>
#include "wjerror.h"
#include "wjinifile.h"
#include "wjinputs.h"
#include "wjpinyin.h"
#include "wjsearch.h"
#include "wjtestsupport.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

namespace {
// A worker-like editing window: name (required, 10 chars), age, wage, start date.
class TfrmPerson : public TWjForm_Jb
{
public:
    TfrmPerson()
    {
        TableName = "T_Person";
        KeyField = "Person_Id";
        NumberCode = "T_PERSON";
        auto *f = new QFormLayout(this);
        key = add<QLineEdit>(f, "Person_IdW");
        number = add<QLineEdit>(f, "PersonNoW");
        name = add<QLineEdit>(f, "PersonNameW");
        age = add<QSpinBox>(f, "AgeW");
        age->setRange(0, 200);
        wage = add<TWjNumEdit>(f, "WageW");
        start = add<QDateEdit>(f, "StartDateW");
        start->setDisplayFormat("yyyy-MM-dd");
        Rule("PersonName", "姓名", 10, true);
        Rule("Wage", "工资");
    }
    template <typename T> T *add(QFormLayout *f, const char *name)
    {
        auto *w = new T(this);
        w->setObjectName(name);
        f->addRow(name, w);
        return w;
    }
    void FormShow() override { Entity()->SetEdit(number); shownName = name->text(); }
    QLineEdit *key, *number, *name;
    QSpinBox *age;
    TWjNumEdit *wage;
    QDateEdit *start;
    QString shownName;
};

// Fills the window when it shows and saves it, as a user would.
std::function<void(TfrmPerson *)> g_script;
TWjForm_Jb *makePerson()
{
    auto *f = new TfrmPerson;
    QTimer::singleShot(0, f, [f] {
        if (g_script) g_script(f);
        if (f->isVisible()) f->reject();
    });
    return f;
}

class TfrmLine : public TADOCachedForm
{
public:
    TfrmLine()
    {
        auto *f = new QFormLayout(this);
        qty = new TWjNumEdit(this);
        qty->setObjectName("QtyW");
        text = new QLineEdit(this);
        text->setObjectName("NoteW");
        f->addRow("qty", qty);
        f->addRow("note", text);
    }
    TWjNumEdit *qty;
    QLineEdit *text;
};
} // namespace

class TestEditing : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestDatabase> t;
    std::unique_ptr<ScriptedPrompter> p;

private slots:
    void init()
    {
        WJ_REQUIRE_DB();
        t = std::make_unique<TestDatabase>();
        p = std::make_unique<ScriptedPrompter>();
        t->db().ExecuteSQL("create table T_Person (Person_Id integer primary key, PersonNo varchar(20), "
                           "PersonName varchar(10), Age integer, Wage numeric(18,4), StartDate date)");
        // Money as the shop's tables keep it: exact decimal text on SQLite.
        const QString money = TestDbName() == "sqlite" ? "decimal_text" : "numeric(18,4)";
        t->db().ExecuteSQL("create table T_Line (Line_Id integer primary key, Head_Id integer, Xh integer, "
                           "Qty " + money + ", Note varchar(20))");
        t->db().ExecuteSQL("insert into WJ_SYS_BH(BHCODE,BHNAME,PREFIX,DATEFMT,SEQLEN,CURDATE,CURNO) values('T_PERSON','人员','YG','',3,'',0)");
    }
    void cleanup()
    {
        g_script = nullptr;
        p.reset();
        t.reset();
    }

    void entityAddsEditsAndDeletes()
    {
        TWjQuery list;
        t->db().SelectTable("select Person_Id, PersonName from T_Person order by Person_Id", list);

        // Add: checks first, then the row with a new key and the number drawn for good.
        g_script = [](TfrmPerson *f) {
            QVERIFY(f->IsAdd());
            QCOMPARE(f->number->text(), QString("YG001"));  // the preview
            QVERIFY(!f->Submit());                           // name is required
            f->name->setText("O'Neil 甲");
            f->wage->setText("12.5");
            f->age->setValue(30);
            f->start->setDate(QDate(2026, 3, 1));
            if (f->Submit()) f->accept();
        };
        const QString key = TWj_DataEntity_Jb::Run(&list, makePerson, 0, "员工档案");
        QCOMPARE(p->Texts(), QStringList({"姓名不能为空！"}));
        QVERIFY(!key.isEmpty());
        QCOMPARE(list.RecordCount(), 1);
        QCOMPARE(list.FieldByName("Person_Id").AsString(), key);  // the list stands on the new row
        TWjQuery row;
        t->db().SelectTable("select * from T_Person", row);
        QCOMPARE(row.FieldByName("PersonName").AsString(), QString("O'Neil 甲"));
        QCOMPARE(row.FieldByName("PersonNo").AsString(), QString("YG001"));
        QCOMPARE(row.FieldByName("Wage").AsCurrency().ToString(), QString("12.5"));
        QCOMPARE(row.FieldByName("StartDate").AsDate(), QDate(2026, 3, 1));
        QCOMPARE(TWjBhgl().GetBH("T_PERSON"), QString("YG002"));  // used up

        // Edit: the stored row fills the inputs; too long and non-numeric values are refused.
        p->Clear();
        g_script = [](TfrmPerson *f) {
            QCOMPARE(f->shownName, QString("O'Neil 甲"));
            QCOMPARE(f->wage->text(), QString("12.5"));
            f->name->setText("12345678901");
            QVERIFY(!f->Submit());
            f->name->setText("乙");
            if (f->Submit()) f->accept();
        };
        QCOMPARE(TWj_DataEntity_Jb::Run(&list, makePerson, 1, "员工档案"), key);
        QCOMPARE(p->Texts(), QStringList({"姓名不能超过10个字符！"}));
        QCOMPARE(t->db().SelectValue("select PersonName from T_Person").toString(), QString("乙"));
        QCOMPARE(t->db().SelectValue("select PersonNo from T_Person").toString(), QString("YG001"));  // kept

        // Cancel changes nothing; delete asks, No keeps the row, Yes removes it.
        g_script = [](TfrmPerson *f) { f->name->setText("丙"); };
        QVERIFY(TWj_DataEntity_Jb::Run(&list, makePerson, 1, "员工档案").isEmpty());
        QCOMPARE(t->db().SelectValue("select PersonName from T_Person").toString(), QString("乙"));
        p->answers = {false, true};
        QVERIFY(TWj_DataEntity_Jb::Run(&list, makePerson, 2, "员工档案").isEmpty());
        QCOMPARE(t->db().SelectValue("select count(*) from T_Person").toInt(), 1);
        QVERIFY(!TWj_DataEntity_Jb::Run(&list, makePerson, 2, "员工档案").isEmpty());
        QCOMPARE(t->db().SelectValue("select count(*) from T_Person").toInt(), 0);
        QCOMPARE(list.RecordCount(), 0);
    }

    void cachedLinesWriteInOneBatch()
    {
        t->db().ExecuteSQL("insert into T_Line values(1,7,1,1,'a')");
        t->db().ExecuteSQL("insert into T_Line values(2,7,2,2,'b')");
        t->db().ExecuteSQL("insert into T_Line values(3,8,1,9,'other head')");
        TADOCachedControl lines;
        lines.LineTable = "T_Line";
        lines.KeyField = "Line_Id";
        lines.MasterField = "Head_Id";
        lines.SerialField = "Xh";
        lines.MasterValue = "7";
        lines.CalcFields = {"Shown"};
        lines.OnCalcFields = [](TWjQuery &q) { q.SetValue("Shown", q.FieldByName("Note").AsString().toUpper()); };
        lines.Open();
        TWjQuery *ds = lines.DataSet();
        QCOMPARE(ds->RecordCount(), 2);
        QCOMPARE(ds->FieldByName("Shown").AsString(), QString("A"));
        QVERIFY(!lines.Modified());

        // Add through the dialog; a bad number appends nothing.
        auto addLine = [&](const QString &qty, const QString &note) {
            return lines.AddData([&] {
                auto *f = new TfrmLine;
                QTimer::singleShot(0, f, [f, qty, note] {
                    f->qty->setText(qty);
                    f->text->setText(note);
                    if (!f->SubmitForm()) f->CloseForm();
                });
                return f;
            });
        };
        QVERIFY(!addLine("1.2.3", "bad"));
        QCOMPARE(ds->RecordCount(), 2);
        QVERIFY(addLine("", "c"));  // blank counts as 0
        QCOMPARE(ds->RecordCount(), 3);
        QCOMPARE(ds->FieldByName("Xh").AsInteger(), 3);
        QCOMPARE(ds->FieldByName("Shown").AsString(), QString("C"));
        // Edit the first line, delete the second: the numbers close up.
        ds->First();
        QVERIFY(lines.EditData([] {
            auto *f = new TfrmLine;
            QTimer::singleShot(0, f, [f] {
                QCOMPARE(f->text->text(), QString("a"));
                f->qty->setText("5");
                f->SubmitForm();
            });
            return f;
        }));
        ds->Next();
        lines.DelData();
        QCOMPARE(ds->RecordCount(), 2);
        ds->Last();
        QCOMPARE(ds->FieldByName("Xh").AsInteger(), 2);

        // Nothing is in the database until UpdateBatch, which writes it all at once.
        QCOMPARE(t->db().SelectValue("select count(*) from T_Line where Head_Id=7").toInt(), 2);
        {
            TWjTransaction tr(t->db());
            lines.UpdateBatch();
            tr.Commit();
        }
        TWjQuery r;
        t->db().SelectTable("select Line_Id,Xh,Qty,Note from T_Line where Head_Id=7 order by Xh", r);
        QCOMPARE(r.RecordCount(), 2);
        QCOMPARE(r.FieldByName("Qty").AsCurrency().ToString(), QString("5"));
        r.Next();
        QCOMPARE(r.FieldByName("Note").AsString(), QString("c"));
        QCOMPARE(r.FieldByName("Qty").AsCurrency().ToString(), QString("0"));
        QCOMPARE(r.FieldByName("Xh").AsInteger(), 2);
        QVERIFY(r.FieldByName("Line_Id").AsInteger() > 3);  // a fresh key
        QCOMPARE(t->db().SelectValue("select count(*) from T_Line where Head_Id=8").toInt(), 1);

        // Cancel drops every change made since.
        lines.DelData();
        QVERIFY(addLine("3", "d"));
        lines.CancelBatch();
        QCOMPARE(ds->RecordCount(), 2);
        QVERIFY(!lines.Modified());
    }

    void failedBatchCanBeSavedAgain()
    {
        TADOCachedControl lines;
        lines.LineTable = "T_Line";
        lines.KeyField = "Line_Id";
        lines.MasterField = "Head_Id";
        lines.SerialField = "Xh";
        lines.MasterValue = "9";
        lines.Open();
        lines.DataSet()->Append();
        lines.DataSet()->SetValue("Note", "x");
        t->db().SetStatementFilter([](const QString &sql) { return !sql.startsWith("insert into T_Line"); });
        try {
            TWjTransaction tr(t->db());
            lines.UpdateBatch();
            tr.Commit();
            QFAIL("the insert was refused");
        } catch (const EWjDbError &) {
        }
        t->db().SetStatementFilter({});
        // Meanwhile another workstation stores a line with the next key.
        auto other = t->OpenSecond();
        const QString taken = other->GetTbId("T_Line", "Line_Id");
        other->ExecuteSQL("insert into T_Line(Line_Id,Head_Id,Xh,Note) values(" + taken + ",5,1,'theirs')");
        {
            TWjTransaction tr(t->db());
            lines.UpdateBatch();
            tr.Commit();
        }
        QCOMPARE(t->db().SelectValue("select count(*) from T_Line").toInt(), 2);
        QCOMPARE(t->db().SelectValue("select Note from T_Line where Head_Id=9").toString(), QString("x"));
    }

    void gridFootersAndLayoutsSurviveRestart()
    {
        t->db().ExecuteSQL("insert into T_Line values(1,7,1,1.25,'a')");
        t->db().ExecuteSQL("insert into T_Line values(2,7,2,2.5,'b')");
        TWjQuery q;
        t->db().SelectTable("select * from T_Line order by Xh", q);
        {
            TWjDBGrid g;
            g.SetDataSet(&q);
            g.SetColumns({{"Xh", "序", 40, true}, {"Note", "说明", 120, true}, {"Qty", "数量", 70, true}});
            g.SetFooter("Xh", TWjDBGrid::FooterCount);
            g.SetFooter("Note", TWjDBGrid::FooterText, "合计");
            g.SetFooter("Qty", TWjDBGrid::FooterSum);
            QCOMPARE(g.FooterValue("Xh"), QString("2"));
            QCOMPARE(g.FooterValue("Note"), QString("合计"));
            QCOMPARE(g.FooterValue("Qty"), QString("3.75"));
            QCOMPARE(g.Model()->headerData(1, Qt::Horizontal).toString(), QString("说明"));
            // Title click: that column's order, then reversed; numbers by value even
            // where the database keeps money as text.
            t->db().ExecuteSQL("insert into T_Line values(3,7,3,10,'c')");
            q.Requery();
            g.View()->horizontalHeader()->sectionClicked(2);
            QStringList order;
            for (q.First(); !q.Eof(); q.Next()) order << q.FieldByName("Note").AsString();
            QCOMPARE(order, QStringList({"a", "b", "c"}));
            g.View()->horizontalHeader()->sectionClicked(2);
            q.First();
            QCOMPARE(q.FieldByName("Note").AsString(), QString("c"));
            QCOMPARE(g.FooterValue("Qty"), QString("13.75"));
            q.SetValue("Qty", QVariant::fromValue(Currency::FromInt(20)));  // an edited cell counts at once
            QCOMPARE(g.FooterValue("Qty"), QString("23.75"));
            q.CancelUpdates();
            t->db().ExecuteSQL("delete from T_Line where Line_Id=3");
            q.Requery();
            auto cols = g.Columns();
            cols[1].caption = "备注";
            cols[1].width = 150;
            cols[2].visible = false;
            g.SetColumns(cols);
            g.SaveFmt("T_Line");
        }
        // A new grid (the next start) loads the saved layout.
        TWjDBGrid g2;
        g2.SetDataSet(&q);
        g2.SetColumns({{"Xh", "序", 40, true}, {"Note", "说明", 120, true}, {"Qty", "数量", 70, true}});
        QVERIFY(g2.InitFmt("T_Line"));
        QCOMPARE(g2.Model()->columnCount(), 2);
        QCOMPARE(g2.Model()->headerData(1, Qt::Horizontal).toString(), QString("备注"));
        QCOMPARE(g2.View()->columnWidth(1), 150);
        QVERIFY(QFile::exists(t->programDir() + "sys/T_Line.fmt") || QFile::exists(t->programDir() + "Sys/T_Line.fmt"));
    }

    void searchQuotesValuesAndChecksNumbers()
    {
        QFile::remove(t->programDir() + "sys/Mainsearch.ini");
        TIniFile ini(t->programDir() + "sys/Mainsearch.ini");
        ini.WriteString("数据库定义", "Item1", "人员");
        ini.WriteString("人员", "SQL", "select * from T_Person");
        ini.WriteString("人员", "OrderBy", "Person_Id");
        ini.WriteString("人员", "Field1", "PersonName,姓名,T");
        ini.WriteString("人员", "Field2", "Age,年龄,N");
        ini.WriteString("人员", "Field3", "StartDate,入职日期,D");
        t->db().ExecuteSQL("insert into T_Person(Person_Id,PersonName,Age,StartDate) values(1,'O''Neil',30,'2026-01-10')");
        t->db().ExecuteSQL("insert into T_Person(Person_Id,PersonName,Age,StartDate) values(2,'张三',45,'2026-02-01')");
        QCOMPARE(TWjSearchDef::Items(), QStringList({"人员"}));
        TWjSearchDef d;
        QVERIFY(d.Load("人员"));
        TWjQuery q;
        struct Case { TWjSearchCondition c; int rows; };
        const QList<Case> cases = {
            {{0, "=", "O'Neil", {}, {}, false}, 1},
            {{0, "=", "Nei", {}, {}, true}, 1},          // fuzzy
            {{0, "包含", "'; drop table T_Person; --", {}, {}, false}, 0},
            {{0, "包含", "Nei", {}, {}, false}, 1},
            {{0, "开头是", "O'", {}, {}, false}, 1},
            {{0, "开头是", "Nei", {}, {}, false}, 0},
            {{0, "<>", "O'Neil", {}, {}, false}, 1},
            {{1, ">=", "40", {}, {}, false}, 1},
            {{2, "至", "", QDate(2026, 1, 1), QDate(2026, 1, 31), false}, 1},
            {{2, "至", "", QDate(2026, 2, 1), QDate(2026, 2, 1), false}, 1},  // the last day counts
            {{-1, "", "", {}, {}, false}, 2},
        };
        for (const Case &c : cases) {
            t->db().SelectTable(d.BuildSql(c.c, t->db()), q);
            QCOMPARE(q.RecordCount(), c.rows);
        }
        QVERIFY_THROWS_EXCEPTION(EWjError, d.BuildSql(TWjSearchCondition{1, "=", "4 or 1=1", {}, {}, false}, t->db()));
        QCOMPARE(t->db().SelectValue("select count(*) from T_Person").toInt(), 2);
    }

    void optionListsEnterMovesAndPinyin()
    {
        TIniFile ini(t->programDir() + "sys/WjOptions.ini");
        ini.EraseSection("计量单位");  // the shipped list gives way to this test's two entries
        ini.WriteString("计量单位", "1", "个");
        ini.WriteString("计量单位", "2", "箱");
        QWidget form;
        auto *lay = new QVBoxLayout(&form);
        auto *unit = new QComboBox(&form);
        unit->setEditable(true);
        unit->setToolTip("计量单位");
        auto *other = new QComboBox(&form);
        other->addItem("keep");
        auto *a = new QLineEdit(&form);
        auto *b = new QLineEdit(&form);
        lay->addWidget(unit);
        lay->addWidget(other);
        lay->addWidget(a);
        lay->addWidget(b);
        SetComboboxItems(&form);
        QCOMPARE(unit->count(), 2);
        QCOMPARE(unit->itemText(1), QString("箱"));
        QCOMPARE(other->itemText(0), QString("keep"));

        new TDosMove(&form);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        a->setFocus();
        QTest::keyClick(a, Qt::Key_Return);
        QVERIFY(b->hasFocus());

        struct P { const char *text, *py; };
        for (const P &c : {P{"刹车片", "SCP"}, P{"机油滤清器", "JYLQQ"}, P{"轮胎 205/55R16", "LT20555R16"},
                           P{"火花塞ABC", "HHSABC"}, P{"", ""}})
            QCOMPARE(GetPYText(QString::fromUtf8(c.text)), QString::fromUtf8(c.py));
    }
};

QTEST_MAIN(TestEditing)
#include "test_editing.moc"
