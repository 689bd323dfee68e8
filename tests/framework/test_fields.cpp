// Editing windows laid out from a table of fields: each kind makes its input, caption
// and rule, the grid places them as the table says, values of every kind reach their
// columns, read-only inputs look read-only, and length limits count whole characters
// (typing and pasting never keep more, nor half of a character; the check on save
// counts the same way the database does).
#include "wjdataentity.h"
#include "wjinputs.h"
#include "wjtestsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

namespace {
// U+20000, a character outside the basic plane: two UTF-16 units, four UTF-8 bytes.
const QString kWide = QString::fromUcs4(U"\U00020000");

class TfrmFields : public TWjForm_Jb
{
public:
    TfrmFields()
    {
        TableName = "T_Fields";
        KeyField = "F_Id";
        grid = new TWjFieldGrid(2);
        AddFields(grid, {
            {.column = "FNo", .caption = "编号：", .kind = TWjFieldDef::Display, .length = 10},
            {.column = "FName", .caption = "名   称：", .length = 4, .required = true},
            {.column = "FWage", .caption = "工资：", .kind = TWjFieldDef::Number},
            {.column = "FCount", .caption = "件数：", .kind = TWjFieldDef::Integer},
            {.column = "FDay", .caption = "日期：", .kind = TWjFieldDef::Date},
            {.column = "FBirth", .caption = "出生日期：", .kind = TWjFieldDef::DateText},
            {.column = "FSex", .caption = "性别：", .kind = TWjFieldDef::Combo, .length = 4, .list = "性别"},
            {.column = "FOk", .caption = "有效：", .kind = TWjFieldDef::Check},
            {.column = "FAddr", .caption = "地址：", .length = 30, .name = "联系地址", .span = 2},
            {.column = "FMemo", .caption = "备   注：", .kind = TWjFieldDef::Memo, .length = 5},
            {.column = "FExt", .length = 8, .span = 0},
            {.column = "FFlag", .kind = TWjFieldDef::Hidden, .text = "7"},
            {.column = "F_Id", .kind = TWjFieldDef::Hidden},
        });
        SetComboboxItems(this);
    }
    // Row, column and column span of an input in the grid.
    QList<int> place(const char *column) const
    {
        int r, c, rs, cs;
        grid->getItemPosition(grid->indexOf(Input(column)), &r, &c, &rs, &cs);
        return {r, c, cs};
    }
    TWjFieldGrid *grid;
};

// Types `text` into the input as a keyboard (or a paste) does, at the cursor.
void type(QWidget *input, const QString &text)
{
    QLineEdit *e = qobject_cast<QLineEdit *>(input);
    if (auto *cb = qobject_cast<QComboBox *>(input))
        e = cb->lineEdit();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(e, &press);
}
} // namespace

class TestFields : public QObject
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
        const QString money = TestDbName() == "sqlite" ? "decimal_text" : "numeric(18,4)";
        t->db().ExecuteSQL("create table T_Fields (F_Id integer primary key, FNo varchar(10), FName varchar(4), FWage " + money
                           + ", FCount integer, FDay date, FBirth date, FSex varchar(4), FOk integer, FAddr varchar(30), "
                             "FMemo varchar(5), FExt varchar(8), FFlag integer)");
    }
    void cleanup()
    {
        p.reset();
        t.reset();
    }

    // Each kind makes its input with its caption, and the grid places them: two a row,
    // a span of two taking a row, a memo on a row of its own, an input without caption
    // taking the rest of a row; hidden inputs stay out of the grid.
    void inputsAndLayout()
    {
        TfrmFields f;
        struct Case { const char *column; const char *cls; QList<int> place; const char *caption; };
        const QList<Case> cases{
            {"FNo", "QLineEdit", {0, 1, 1}, "编号："},         {"FName", "QLineEdit", {0, 3, 1}, "名   称："},
            {"FWage", "TWjNumEdit", {1, 1, 1}, "工资："},      {"FCount", "QLineEdit", {1, 3, 1}, "件数："},
            {"FDay", "QDateEdit", {2, 1, 1}, "日期："},        {"FBirth", "QLineEdit", {2, 3, 1}, "出生日期："},
            {"FSex", "QComboBox", {3, 1, 1}, "性别："},        {"FOk", "QCheckBox", {3, 3, 1}, "有效："},
            {"FAddr", "QLineEdit", {4, 1, 3}, "地址："},       {"FMemo", "QPlainTextEdit", {5, 1, 3}, "备   注："},
            {"FExt", "QLineEdit", {6, 1, 3}, nullptr},
        };
        for (const Case &c : cases) {
            QWidget *w = f.Input(c.column);
            QVERIFY2(w && QString(w->metaObject()->className()) == c.cls, c.column);
            QCOMPARE(f.place(c.column), c.place);
            QLabel *label = f.CaptionOf(c.column);
            QCOMPARE(label ? label->text() : QString(), c.caption ? QString::fromUtf8(c.caption) : QString());
            if (label)
                QCOMPARE(label->buddy(), w);
        }
        for (const char *h : {"FFlag", "F_Id"}) {
            QVERIFY(f.Input(h)->isHidden());
            QCOMPARE(f.grid->indexOf(f.Input(h)), -1);
        }
        QCOMPARE(f.Value("FFlag"), QString("7"));
        QCOMPARE(f.Value("FDay"), QDate::currentDate().toString("yyyy-MM-dd"));
        QCOMPARE(qobject_cast<QComboBox *>(f.Input("FSex"))->count(), 2);  // the option list 性别
        QVERIFY(qobject_cast<QComboBox *>(f.Input("FSex"))->isEditable());

        // Read-only displays look it and are passed over by Tab and Enter.
        auto *no = qobject_cast<QLineEdit *>(f.Input("FNo"));
        auto *name = qobject_cast<QLineEdit *>(f.Input("FName"));
        QVERIFY(no->isReadOnly() && !name->isReadOnly());
        QCOMPARE(no->palette().color(QPalette::Base), no->palette().color(QPalette::Window));
        QVERIFY(name->palette().color(QPalette::Base) != name->palette().color(QPalette::Window));
        QVERIFY(!(no->focusPolicy() & Qt::TabFocus));
        SetReadOnlyLook(no, false);
        QCOMPARE(no->palette().color(QPalette::Base), name->palette().color(QPalette::Base));
    }

    // The rules the table gives: required, lengths, numbers, whole numbers and dates,
    // each refused with the field's name; then every kind stored in its column.
    void rulesAndStoredValues()
    {
        struct Bad { const char *column; QString text; QString message; };
        const QList<Bad> bad{
            {"FName", "", "名称不能为空！"},
            {"FName", "五个字符了", "名称不能超过4个字符！"},
            {"FWage", "12元", "工资必须是数字！"},
            {"FCount", "1.5", "件数必须是整数！"},
            {"FBirth", "2026-02-30", "出生日期不是有效的日期！"},
            {"FAddr", QString(31, QLatin1Char('x')), "联系地址不能超过30个字符！"},
            {"FMemo", "六个字的备注", "备注不能超过5个字符！"},
        };
        for (const Bad &b : bad) {
            TfrmFields f;
            f.SetValue("FName", "张三");
            f.SetValue(b.column, b.text);
            p->Clear();
            QVERIFY2(!f.CheckInputs(), b.column);
            QCOMPARE(p->Texts(), QStringList({b.message}));
            QWidget *focus = nullptr;
            QCOMPARE(f.CheckMessage(&focus), b.message);
            QCOMPARE(focus, f.Input(b.column));
        }

        TfrmFields f;
        const QList<QPair<const char *, QString>> good{
            {"F_Id", "5"}, {"FNo", "NO-1"}, {"FName", "ab" + kWide + kWide}, {"FWage", "6500.5"}, {"FCount", "-3"},
            {"FDay", "2026-03-01"}, {"FBirth", ""}, {"FSex", "女"}, {"FOk", "1"}, {"FAddr", "杭州"},
            {"FMemo", "一二三四" + kWide}, {"FExt", "扩展"}};
        for (const auto &g : good)
            f.SetValue(g.first, g.second);
        p->Clear();
        QVERIFY(f.Submit());
        QCOMPARE(p->Texts(), QStringList());
        TWjQuery row;
        t->db().SelectTable("select * from T_Fields", row);
        QCOMPARE(row.RecordCount(), 1);
        QCOMPARE(row.FieldByName("FName").AsString(), "ab" + kWide + kWide);  // four characters fit varchar(4)
        QCOMPARE(row.FieldByName("FWage").AsCurrency().ToString(), QString("6500.5"));
        QCOMPARE(row.FieldByName("FCount").AsInteger(), -3);
        QCOMPARE(row.FieldByName("FDay").AsDate(), QDate(2026, 3, 1));
        QVERIFY(row.FieldByName("FBirth").IsNull());
        QCOMPARE(row.FieldByName("FSex").AsString(), QString("女"));
        QCOMPARE(row.FieldByName("FOk").AsInteger(), 1);
        QCOMPARE(row.FieldByName("FMemo").AsString(), "一二三四" + kWide);
        QCOMPARE(row.FieldByName("FFlag").AsInteger(), 7);
        QCOMPARE(row.FieldByName("FNo").AsString(), QString("NO-1"));
    }

    // Typing or pasting into a limited input keeps at most its length in whole
    // characters, taking the overflow off what was just typed and never half of a
    // character; NUL and lone surrogates are dropped. Texts the program sets are kept
    // (the check on save reports them).
    void lengthLimitsCountWholeCharacters_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        const QString w = kWide;
        QTest::newRow("fits") << "FName" << "ab" << 2 << "cd" << "abcd";
        QTest::newRow("full") << "FName" << "abcd" << 4 << "e" << "abcd";
        QTest::newRow("wide character fits") << "FName" << "abc" << 3 << w << "abc" + w;
        QTest::newRow("wide characters count once") << "FName" << w + w << 2 << w + w << w + w + w + w;
        QTest::newRow("paste cut at a whole character") << "FName" << "ab" << 2 << "c" + w + "d" << "abc" + w;
        QTest::newRow("wide character at the limit refused") << "FName" << "abcd" << 4 << w << "abcd";
        QTest::newRow("typed in the middle") << "FName" << "abcd" << 1 << "x" << "abcd";
        QTest::newRow("paste in the middle") << "FName" << "ab" << 1 << "xyz" << "axyb";
        QTest::newRow("NUL dropped") << "FName" << "a" << 1 << QString("b") + QChar(0) + "c" << "abc";
        QTest::newRow("lone surrogate dropped") << "FName" << "a" << 1 << QString("b") + QChar(0xD840) << "ab";
        QTest::newRow("combo") << "FSex" << "男" << 1 << "性别不详" << "男性别不";
        QTest::newRow("combo, wide") << "FSex" << "男" << 1 << w + w + w + "x" << "男" + w + w + w;
        QTest::newRow("no limit") << "FWage" << "1" << 1 << "2345678" << "12345678";
    }
    void lengthLimitsCountWholeCharacters()
    {
        QFETCH(QString, column);
        QFETCH(QString, before);
        QFETCH(int, cursor);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        TfrmFields f;
        QWidget *input = f.Input(column);
        f.SetValue("FName", "名");
        f.SetValue(column, before);
        QLineEdit *e = qobject_cast<QLineEdit *>(input);
        if (!e)
            e = qobject_cast<QComboBox *>(input)->lineEdit();
        e->setCursorPosition(cursor);
        type(input, typed);
        QCOMPARE(f.Value(column), after);
        QCOMPARE(f.CheckMessage(), QString());
    }
};

QTEST_MAIN(TestFields)
#include "test_fields.moc"
