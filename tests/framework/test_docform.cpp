// The head-and-lines document window of the framework, without goods: a small document
// of its own (head with number, maker, date, partner, remark and flag; lines with an
// item, a quantity, a price and a computed amount) run through the data entity and
// driven as an operator does. Head and lines are saved in one transaction; a failing
// statement stores nothing and leaves the window open with its lines; a document
// finished or deleted meanwhile is refused; refusals are spoken after the rollback.
#include "../goodspkg/windowdriver.h"
#include "wjdbgrid.h"
#include "wjdocform.h"
#include "wjinputs.h"
#include "wjservices.h"
#include "wjtestsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {
class TfrmTestLine : public TADOCachedForm
{
public:
    TfrmTestLine()
    {
        auto *lay = new QVBoxLayout(this);
        item = new QLineEdit(this);
        item->setObjectName("ItemW");
        qty = new QSpinBox(this);
        qty->setObjectName("QtyW");
        qty->setRange(0, 100000);
        price = new TWjNumEdit(this);
        price->setObjectName("PriceW");
        save = new QPushButton("保存[&S]", this);
        lay->addWidget(item);
        lay->addWidget(qty);
        lay->addWidget(price);
        lay->addWidget(save);
        connect(save, &QPushButton::clicked, this, [this] { SubmitForm(); });
    }
    void fill(const QString &i, int q, const QString &p)
    {
        item->setText(i);
        qty->setValue(q);
        price->setText(p);
        save->click();
    }
    QLineEdit *item;
    QSpinBox *qty;
    TWjNumEdit *price;
    QPushButton *save;
};

// Full: number, maker, date, partner lookup over a table with columns of its own, flag.
// Bare: a head of key and remark only (no number, partner or flag), lines optional.
TWjDocDef definition(bool full)
{
    TWjDocDef d;
    d.title = "测 试 单";
    d.headTable = "T_DocHead";
    d.keyColumn = "Head_Id";
    d.lineTable = "T_DocLine";
    d.lineKey = "Line_Id";
    d.lineMaster = "Head_Id";
    d.lineSerial = "Xh";
    d.lineAddButton = true;
    d.askSave = "您是否确定保存该测试单？";
    if (!full) {
        d.makerCaption.clear();
        return d;
    }
    d.numberColumn = "DocNo";
    d.numberCaption = "单号";
    d.numberCode = "T_DOC";
    d.makerCaption = "开单人";
    d.dateColumn = "Doc_Date";
    d.dateCaption = "日期";
    d.flagColumn = "DocFlag";
    d.lockedFlag = "2";
    d.partnerTable = "T_Partner";
    d.partnerKey = "P_Id";
    d.partnerName = "P_Name";
    d.partnerPhone = "P_Tel";
    d.partnerKeyColumn = "PartnerId";
    d.partnerCaption = "往来单位";
    d.phoneCaption = "电话";
    d.noLines = "没有明细不能保存!";
    d.lockedMessage = "该测试单已经完成！";
    return d;
}

class TfrmTestDoc : public TWjDocForm
{
public:
    explicit TfrmTestDoc(bool full = true) : TWjDocForm(definition(full))
    {
        AddHeadFields({{.column = "Remark", .caption = "备注", .length = 60, .span = 3}});
        SetGridColumns({{"Xh", "序"}, {"Item", "项目"}, {"Qty", "数量"}, {"Price", "单价"}, {"Je", "金额"}}, {"Je"});
        Grid()->SetFooter("Item", TWjDBGrid::FooterText, "合计");
        Grid()->SetFooter("Je", TWjDBGrid::FooterSum);
    }
    std::function<int(int)> partnerEditor;

protected:
    TADOCachedForm *CreateLineDialog() override { return new TfrmTestLine; }
    void CalcLineFields(TWjQuery &line) override
    {
        line.SetValue("Je", QVariant::fromValue(line.FieldByName("Price").AsCurrency() * line.FieldByName("Qty").AsLargeInt()));
    }
    int RunPartnerEditor(int action) override { return partnerEditor ? partnerEditor(action) : 0; }
};
} // namespace

class TestDocForm : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestDatabase> t;
    std::unique_ptr<ScriptedPrompter> p;
    std::unique_ptr<WindowDriver> d;
    std::unique_ptr<TWjQuery> list;

    QString value(const QString &sql) { return t->db().SelectValue(sql).toString(); }
    int count(const QString &from) { return t->db().SelectValue("select count(*) from " + from).toInt(); }
    // Everything the save can touch.
    QStringList snapshot()
    {
        QStringList s;
        for (const char *sql : {"select count(*)||'/'||coalesce(max(Remark),'')||'/'||coalesce(max(PartnerId),0) from T_DocHead",
                                "select count(*)||'/'||coalesce(sum(Qty),0)||'/'||coalesce(max(Item),'') from T_DocLine",
                                "select CURNO from WJ_SYS_BH where BHCODE='T_DOC'"})
            s << value(sql);
        return s;
    }
    QStringList column(TWjQuery *ds, const QString &field)
    {
        QStringList r;
        for (ds->First(); !ds->Eof(); ds->Next())
            r << ds->FieldByName(field).AsString();
        return r;
    }
    void reread() { t->db().SelectTable("select * from T_DocHead order by Head_Id", *list); }

    // Opens a new (0) or the list's current (1) document and runs `script` on it.
    void open(int action, std::function<void(TfrmTestDoc *)> script, bool full = true)
    {
        d->When<TfrmTestDoc>(script);
        TWj_DataEntity_Jb::Run(list.get(), [full] { return new TfrmTestDoc(full); }, action, "测试单管理");
        QCOMPARE(d->Pending(), 0);
        QCOMPARE(d->Missed, QStringList());
    }
    // "添加[&A]" and the line dialog.
    void addLine(TfrmTestDoc *w, const QString &item, int qty, const QString &price)
    {
        d->When<TfrmTestLine>([=](TfrmTestLine *f) { f->fill(item, qty, price); });
        w->findChild<QPushButton *>("btnAdd")->click();
    }
    void pickPartner(TfrmTestDoc *w, const QString &name)
    {
        const int i = w->Partner()->Box()->findText(name);
        QVERIFY(i >= 0);
        w->Partner()->Box()->setCurrentIndex(i);
    }
    // A stored document of partner 1 with two lines.
    void storedDocument()
    {
        open(0, [&](TfrmTestDoc *w) {
            pickPartner(w, "东方汽修");
            addLine(w, "机油", 2, "45.5");
            addLine(w, "滤芯", 1, "30");
            QVERIFY(w->Save());
        });
        reread();
    }

private slots:
    void init()
    {
        WJ_REQUIRE_DB();
        t = std::make_unique<TestDatabase>();
        t->LoginAdmin();
        p = std::make_unique<ScriptedPrompter>();
        p->defaultAnswer = true;
        d = std::make_unique<WindowDriver>();
        list = std::make_unique<TWjQuery>();
        const QString money = TestDbName() == "sqlite" ? "decimal_text" : "numeric(18,4)";
        auto &db = t->db();
        db.ExecuteSQL("create table T_DocHead (Head_Id integer primary key, DocNo varchar(20), Operation varchar(50), "
                      "Doc_Date date, PartnerId integer, ClientName varchar(100), Lxdh varchar(50), Remark varchar(60), DocFlag integer)");
        db.ExecuteSQL("create table T_DocLine (Line_Id integer primary key, Head_Id integer, Xh integer, Item varchar(30), "
                      "Qty integer, Price " + money + ")");
        db.ExecuteSQL("create table T_Partner (P_Id integer primary key, P_Name varchar(100), P_Tel varchar(50))");
        db.ExecuteSQL("insert into T_Partner values(1,'东方汽修','0571-1111')");
        db.ExecuteSQL("insert into T_Partner values(2,'西湖车行','0571-2222')");
        db.ExecuteSQL("insert into WJ_SYS_BH(BHCODE,BHNAME,PREFIX,DATEFMT,SEQLEN,CURDATE,CURNO) values('T_DOC','测试单','DJ','',3,'',0)");
        reread();
    }
    void cleanup()
    {
        WindowDriver::closeAll();
        if (p)
            QCOMPARE(p->shownInTransaction, 0);  // nothing spoken while a transaction was open
        list.reset();
        d.reset();
        p.reset();
        t.reset();
    }

    // A new document: the head the definition names, a partner from a table with
    // columns of its own, lines added, edited and deleted through the line dialog with
    // their footers; saved with its question, head and lines together. Reopened, it
    // shows its lines, and changed lines are stored.
    void headAndLinesSavedTogether()
    {
        open(0, [&](TfrmTestDoc *w) {
            QCOMPARE(w->windowTitle(), QString("测试单管理"));
            QCOMPARE(w->findChild<QLabel *>("lbTitle")->text(), QString("测 试 单"));
            QCOMPARE(w->Value("DocNo"), QString("DJ001"));
            QCOMPARE(w->Value("Operation"), QString("系统管理员"));
            QCOMPARE(w->Value("Doc_Date"), QDate::currentDate().toString("yyyy-MM-dd"));
            QCOMPARE(w->Value("DocFlag"), QString("1"));
            for (const char *ro : {"DocNoW", "OperationW"}) {
                auto *e = w->findChild<QLineEdit *>(ro);
                QVERIFY2(e->isReadOnly() && e->palette().color(QPalette::Base) == e->palette().color(QPalette::Window), ro);
            }
            QVERIFY(!w->StateLabel()->isVisible());
            pickPartner(w, "西湖车行");
            QCOMPARE(w->Value("PartnerId"), QString("2"));
            QCOMPARE(w->Value("ClientName"), QString("西湖车行"));
            QCOMPARE(w->Value("Lxdh"), QString("0571-2222"));
            w->SetValue("Remark", "第一单");

            addLine(w, "机油", 2, "45.5");
            addLine(w, "滤芯", 3, "30");
            addLine(w, "雨刮", 1, "12");
            TWjQuery *lines = w->Lines()->DataSet();
            QCOMPARE(column(lines, "Xh"), QStringList({"1", "2", "3"}));
            QCOMPARE(w->Grid()->FooterValue("Xh"), QString("3"));
            QCOMPARE(w->Grid()->FooterValue("Item"), QString("合计"));
            QCOMPARE(w->Grid()->FooterValue("Je"), QString("193"));  // 91 + 90 + 12
            // The second line edited (double-click), the first deleted.
            lines->SetRecNo(2);
            d->When<TfrmTestLine>([](TfrmTestLine *f) {
                QCOMPARE(f->item->text(), QString("滤芯"));
                f->fill("空滤", 4, "30");
            });
            emit w->Grid()->RowDoubleClicked();
            lines->First();
            w->findChild<QPushButton *>("btnDel")->click();
            QCOMPARE(column(lines, "Item"), QStringList({"空滤", "雨刮"}));
            QCOMPARE(column(lines, "Xh"), QStringList({"1", "2"}));
            QCOMPARE(w->Grid()->FooterValue("Je"), QString("132"));
            QCOMPARE(count("T_DocLine"), 0);  // nothing stored before the save

            QVERIFY(w->Save());
            QCOMPARE(p->Texts(), QStringList({"您是否确定保存该测试单？"}));
        });
        reread();
        QCOMPARE(list->RecordCount(), 1);
        const QString key = list->FieldByName("Head_Id").AsString();
        QCOMPARE(value("select DocNo||'/'||Operation||'/'||PartnerId||'/'||ClientName||'/'||Lxdh||'/'||Remark||'/'||DocFlag from T_DocHead"),
                 QString("DJ001/系统管理员/2/西湖车行/0571-2222/第一单/1"));
        QCOMPARE(TWjBhgl().GetBH("T_DOC"), QString("DJ002"));  // the number is used up
        QCOMPARE(count(QString("T_DocLine where Head_Id=%1").arg(key)), 2);
        QCOMPARE(value("select Item||'/'||Qty||'/'||Xh from T_DocLine where Xh=1"), QString("空滤/4/1"));

        open(1, [&](TfrmTestDoc *w) {
            QVERIFY(!w->IsLocked());
            QCOMPARE(w->Partner()->Text(), QString("西湖车行"));
            TWjQuery *lines = w->Lines()->DataSet();
            QCOMPARE(column(lines, "Item"), QStringList({"空滤", "雨刮"}));
            QCOMPARE(w->Grid()->FooterValue("Je"), QString("132"));
            lines->Last();
            w->findChild<QPushButton *>("btnDel")->click();
            addLine(w, "火花塞", 4, "25");
            QVERIFY(w->Save());
        });
        QCOMPARE(value("select count(*)||'/'||sum(Qty) from T_DocLine"), QString("2/8"));
        QCOMPARE(value("select DocNo from T_DocHead"), QString("DJ001"));
    }

    // Refusals before the transaction: No to the question, no partner, no lines. Each
    // stores nothing and keeps the window open with what was typed.
    void refusalsStoreNothing_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("partner");
        QTest::addColumn<bool>("lines");
        QTest::addColumn<QString>("message");
        QTest::newRow("no to the question") << false << true << true << "";
        QTest::newRow("no partner") << true << false << true << "往来单位不能为空！";
        QTest::newRow("no lines") << true << true << false << "没有明细不能保存!";
    }
    void refusalsStoreNothing()
    {
        QFETCH(bool, answer);
        QFETCH(bool, partner);
        QFETCH(bool, lines);
        QFETCH(QString, message);
        const QStringList before = snapshot();
        open(0, [&](TfrmTestDoc *w) {
            if (partner)
                pickPartner(w, "东方汽修");
            if (lines)
                addLine(w, "机油", 2, "45.5");
            p->Clear();
            p->answers = {answer};
            QVERIFY(!w->Save());
            QStringList expected{"您是否确定保存该测试单？"};
            if (!message.isEmpty())
                expected << message;
            QCOMPARE(p->Texts(), expected);
            QVERIFY(w->isVisible());
            QCOMPARE(w->Lines()->DataSet()->RecordCount(), lines ? 1 : 0);
        });
        QCOMPARE(snapshot(), before);
    }

    // A statement of the save fails: nothing is stored (head, lines, number), the error
    // is reported after the rollback, the window stays open with its lines; saving
    // again stores the document once.
    void failingStatementStoresNothing_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::addColumn<QString>("failing");
        QTest::newRow("new, head") << false << "insert into T_DocHead";
        QTest::newRow("new, lines") << false << "insert into T_DocLine";
        QTest::newRow("edited, head") << true << "update T_DocHead";
        QTest::newRow("edited, changed line") << true << "update T_DocLine";
        QTest::newRow("edited, deleted line") << true << "delete from T_DocLine";
    }
    void failingStatementStoresNothing()
    {
        QFETCH(bool, existing);
        QFETCH(QString, failing);
        if (existing)
            storedDocument();
        const QStringList before = snapshot();
        open(existing ? 1 : 0, [&](TfrmTestDoc *w) {
            TWjQuery *lines = w->Lines()->DataSet();
            if (existing) {
                lines->First();
                lines->SetValue("Qty", 9);
                lines->Last();
                w->DeleteLine();
                w->SetValue("Remark", "改过");
            } else {
                pickPartner(w, "东方汽修");
            }
            addLine(w, "刹车片", 5, "80");
            const int n = lines->RecordCount();
            t->db().SetStatementFilter([failing](const QString &sql) { return !sql.startsWith(failing, Qt::CaseInsensitive); });
            p->Clear();
            QVERIFY(!w->Save());
            t->db().SetStatementFilter({});
            QCOMPARE(p->shown.size(), size_t(2));
            QCOMPARE(p->shown.back().kind, TWjPrompter::Kind::Error);
            QVERIFY(!t->db().InTransaction());
            QVERIFY(w->isVisible());
            QCOMPARE(lines->RecordCount(), n);
            QCOMPARE(snapshot(), before);
            QVERIFY(w->Save());
        });
        QCOMPARE(count("T_DocHead"), 1);
        QCOMPARE(value("select count(*)||'/'||sum(Qty) from T_DocLine"), existing ? QString("2/14") : QString("1/5"));
        QCOMPARE(value("select Remark from T_DocHead"), existing ? QString("改过") : QString());
        QCOMPARE(value("select CURNO from WJ_SYS_BH where BHCODE='T_DOC'"), QString("1"));
    }

    // Another workstation finishes or deletes the document while it is open: the save
    // is refused with the reason, spoken after the rollback (the other workstation can
    // write at once), and nothing of the window is stored.
    void changedMeanwhileRefused_data()
    {
        QTest::addColumn<QString>("other");
        QTest::addColumn<QString>("message");
        QTest::newRow("finished") << "update T_DocHead set DocFlag=2" << "该测试单已经完成！";
        QTest::newRow("deleted") << "delete from T_DocHead" << "该单据已被删除，不能保存！";
    }
    void changedMeanwhileRefused()
    {
        QFETCH(QString, other);
        QFETCH(QString, message);
        storedDocument();
        auto second = t->OpenSecond();
        open(1, [&](TfrmTestDoc *w) {
            addLine(w, "刹车片", 5, "80");
            w->SetValue("Remark", "不该存");
            second->ExecuteSQL(other);
            p->Clear();
            QVERIFY(!w->Save());
            QCOMPARE(p->Texts(), QStringList({"您是否确定保存该测试单？", message}));
            QVERIFY(!p->shown.back().inTransaction);
            second->ExecuteSQL("update T_DocHead set Remark='其他'");  // the head is not held
            QVERIFY(w->isVisible());
            QCOMPARE(w->Lines()->DataSet()->RecordCount(), 3);
        });
        QCOMPARE(count("T_DocLine"), 2);
        QCOMPARE(count("T_DocHead where Remark='不该存'"), 0);
    }

    // A finished document opens locked: line buttons, their actions and save disabled,
    // the state label blinking; the partner lookup edits nothing; cancel closes.
    void finishedDocumentOpensLocked()
    {
        storedDocument();
        t->db().ExecuteSQL("update T_DocHead set DocFlag=2");
        reread();
        int editorRuns = 0;
        open(1, [&](TfrmTestDoc *w) {
            w->partnerEditor = [&](int) { return ++editorRuns; };
            QVERIFY(w->IsLocked());
            QVERIFY(w->IsBlinking());
            QCOMPARE(w->StateLabel()->text(), QString("已完成"));
            QVERIFY(!w->LinePanel()->isEnabled());
            QVERIFY(!w->SaveButton()->isEnabled());
            for (const char *a : {"Act_Detail_Add", "Act_Detail_Edit", "Act_Detail_Del", "Act_Save"})
                QVERIFY2(!w->findChild<QAction *>(a)->isEnabled(), a);
            QVERIFY(!w->AddLine());
            QVERIFY(!w->EditLine());
            w->DeleteLine();
            QCOMPARE(w->Lines()->DataSet()->RecordCount(), 2);
            w->Partner()->NewButton()->click();
            QCOMPARE(editorRuns, 0);
            QVERIFY(!w->Save());
            QVERIFY(w->ExitButton()->isEnabled());
            w->ExitButton()->click();
            QVERIFY(!w->isVisible());
        });
        QCOMPARE(count("T_DocLine"), 2);
    }

    // The lookup's new and edit buttons run the partner editor; the partner it returns
    // is picked, with its name and phone.
    void partnerEditorButtons()
    {
        open(0, [&](TfrmTestDoc *w) {
            w->partnerEditor = [&](int action) {
                if (action == 0) {
                    t->db().ExecuteSQL("insert into T_Partner values(3,'南山配件','0571-3333')");
                    return 3;
                }
                t->db().ExecuteSQL("update T_Partner set P_Tel='0571-3999' where P_Id=3");
                return 3;
            };
            w->Partner()->NewButton()->click();
            QCOMPARE(w->Value("PartnerId"), QString("3"));
            QCOMPARE(w->Value("ClientName"), QString("南山配件"));
            QCOMPARE(w->Value("Lxdh"), QString("0571-3333"));
            w->Partner()->EditButton()->click();
            QCOMPARE(w->Value("Lxdh"), QString("0571-3999"));
        });
    }

    // A head without number, maker, date, partner or flag (the definition names none):
    // no lookup, no state; a document without lines is allowed and saved.
    void bareHead()
    {
        open(0, [&](TfrmTestDoc *w) {
            QVERIFY(!w->Partner());
            QVERIFY(!w->findChild<QWidget *>("DocNoW"));
            QVERIFY(!w->findChild<QWidget *>("OperationW"));
            QVERIFY(!w->findChild<QWidget *>("DocFlagW"));
            w->SetValue("Remark", "无明细");
            QVERIFY(w->Save());
        }, false);
        QCOMPARE(value("select Remark||'/'||coalesce(DocNo,'-')||'/'||coalesce(DocFlag,-1) from T_DocHead"), QString("无明细/-/-1"));
        reread();
        open(1, [&](TfrmTestDoc *w) {
            addLine(w, "工时", 1, "100");
            QVERIFY(w->Save());
        }, false);
        QCOMPARE(count("T_DocLine"), 1);
    }
};

QTEST_MAIN(TestDocForm)
#include "test_docform.moc"
