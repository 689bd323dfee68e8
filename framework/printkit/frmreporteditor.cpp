#include "frmreporteditor.h"
#include "wjapplication.h"
#include "wjerror.h"
#include "wjprompter.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum ColumnCol { ColCaption, ColField, ColWidth, ColAlign, ColKind, ColSum, ColCount };

const QList<QPair<QString, TWjAlign>> &alignChoices()
{
    static const QList<QPair<QString, TWjAlign>> c{{QStringLiteral("自动"), TWjAlign::Auto},
                                                   {QStringLiteral("左"), TWjAlign::Left},
                                                   {QStringLiteral("中"), TWjAlign::Center},
                                                   {QStringLiteral("右"), TWjAlign::Right}};
    return c;
}

const QList<QPair<QString, TWjFieldKind>> &kindChoices()
{
    static const QList<QPair<QString, TWjFieldKind>> c{
        {QStringLiteral("自动"), TWjFieldKind::Auto},       {QStringLiteral("文字"), TWjFieldKind::Text},
        {QStringLiteral("整数"), TWjFieldKind::Integer},    {QStringLiteral("数字"), TWjFieldKind::Number},
        {QStringLiteral("金额"), TWjFieldKind::Money},      {QStringLiteral("日期"), TWjFieldKind::Date},
        {QStringLiteral("日期时间"), TWjFieldKind::DateTime}};
    return c;
}

QTableWidget *fieldTable(QWidget *parent, const QString &name)
{
    auto *t = new QTableWidget(0, 2, parent);
    t->setObjectName(name);
    t->setHorizontalHeaderLabels({QStringLiteral("标题"), QStringLiteral("字段（空 = 签字横线）")});
    t->horizontalHeader()->setStretchLastSection(true);
    t->verticalHeader()->setDefaultSectionSize(22);
    return t;
}

QString cell(const QTableWidget *t, int r, int c) { return t->item(r, c) ? t->item(r, c)->text().trimmed() : QString(); }

void setFields(QTableWidget *t, const QList<TWjReportField> &fields)
{
    t->setRowCount(0);
    for (const TWjReportField &f : fields) {
        const int r = t->rowCount();
        t->insertRow(r);
        t->setItem(r, 0, new QTableWidgetItem(f.caption));
        t->setItem(r, 1, new QTableWidgetItem(f.field));
    }
}

QList<TWjReportField> fieldsOf(const QTableWidget *t)
{
    QList<TWjReportField> out;
    for (int r = 0; r < t->rowCount(); ++r)
        if (!cell(t, r, 0).isEmpty() || !cell(t, r, 1).isEmpty())
            out << TWjReportField{cell(t, r, 0), cell(t, r, 1)};
    return out;
}

// Add and remove buttons under a table of fields.
QWidget *withRowButtons(QTableWidget *t, const std::function<void()> &add, QWidget *extra = nullptr)
{
    auto *box = new QWidget;
    auto *v = new QVBoxLayout(box);
    v->setContentsMargins(4, 4, 4, 4);
    v->addWidget(t);
    auto *h = new QHBoxLayout;
    auto *plus = new QPushButton(QStringLiteral("添加"), box);
    plus->setObjectName(t->objectName() + QStringLiteral("Add"));
    auto *minus = new QPushButton(QStringLiteral("删除"), box);
    minus->setObjectName(t->objectName() + QStringLiteral("Del"));
    QObject::connect(plus, &QPushButton::clicked, t, add);
    QObject::connect(minus, &QPushButton::clicked, t, [t] {
        if (t->currentRow() >= 0)
            t->removeRow(t->currentRow());
    });
    h->addWidget(plus);
    h->addWidget(minus);
    if (extra)
        h->addWidget(extra);
    h->addStretch();
    v->addLayout(h);
    return box;
}

} // namespace

TfrmReportEditor::TfrmReportEditor(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmReportEditor"));
    setWindowTitle(QStringLiteral("打印格式编辑器"));
    auto *top = new QVBoxLayout(this);
    auto *split = new QSplitter(this);
    top->addWidget(split, 1);

    // Left: the reports.
    auto *left = new QWidget(split);
    auto *lv = new QVBoxLayout(left);
    lv->setContentsMargins(0, 0, 0, 0);
    lv->addWidget(new QLabel(QStringLiteral("报表（列表窗口的标题）："), left));
    m_list = new QListWidget(left);
    m_list->setObjectName(QStringLiteral("reportList"));
    lv->addWidget(m_list, 1);
    auto *lb = new QHBoxLayout;
    auto *btnNew = new QPushButton(QStringLiteral("新建[&N]"), left);
    btnNew->setObjectName(QStringLiteral("btnNew"));
    auto *btnDel = new QPushButton(QStringLiteral("删除[&D]"), left);
    btnDel->setObjectName(QStringLiteral("btnDelete"));
    lb->addWidget(btnNew);
    lb->addWidget(btnDel);
    lv->addLayout(lb);
    connect(btnNew, &QPushButton::clicked, this, &TfrmReportEditor::newReport);
    connect(btnDel, &QPushButton::clicked, this, &TfrmReportEditor::deleteReport);

    // Right: the layout.
    auto *right = new QWidget(split);
    auto *rv = new QVBoxLayout(right);
    rv->setContentsMargins(0, 0, 0, 0);
    auto *form = new QFormLayout;
    m_company = new QLineEdit(right);
    m_company->setObjectName(QStringLiteral("companyW"));
    m_title = new QLineEdit(right);
    m_title->setObjectName(QStringLiteral("titleW"));
    m_orientation = new QComboBox(right);
    m_orientation->setObjectName(QStringLiteral("orientationW"));
    m_orientation->addItems({QStringLiteral("纵向"), QStringLiteral("横向")});
    m_fontSize = new QSpinBox(right);
    m_fontSize->setObjectName(QStringLiteral("fontSizeW"));
    m_fontSize->setRange(6, 24);
    m_headColumns = new QSpinBox(right);
    m_headColumns->setObjectName(QStringLiteral("headColumnsW"));
    m_headColumns->setRange(1, 4);
    auto *row = new QHBoxLayout;
    row->addWidget(m_orientation);
    row->addWidget(new QLabel(QStringLiteral("字号："), right));
    row->addWidget(m_fontSize);
    row->addWidget(new QLabel(QStringLiteral("表头每行项数："), right));
    row->addWidget(m_headColumns);
    row->addStretch();
    form->addRow(QStringLiteral("抬头（店名）："), m_company);
    form->addRow(QStringLiteral("标题："), m_title);
    form->addRow(QStringLiteral("纸张方向："), row);
    rv->addLayout(form);

    auto *tabs = new QTabWidget(right);
    m_columns = new QTableWidget(0, ColCount, tabs);
    m_columns->setObjectName(QStringLiteral("columnsW"));
    m_columns->setHorizontalHeaderLabels({QStringLiteral("标题"), QStringLiteral("字段"), QStringLiteral("宽度"),
                                          QStringLiteral("对齐"), QStringLiteral("类型"), QStringLiteral("合计")});
    m_columns->verticalHeader()->setDefaultSectionSize(24);
    m_columns->setColumnWidth(ColCaption, 110);
    m_columns->setColumnWidth(ColField, 120);
    m_columns->setColumnWidth(ColWidth, 50);
    m_columns->setColumnWidth(ColSum, 44);
    auto *moves = new QWidget;
    auto *mh = new QHBoxLayout(moves);
    mh->setContentsMargins(0, 0, 0, 0);
    auto *up = new QPushButton(QStringLiteral("上移"), moves);
    up->setObjectName(QStringLiteral("btnUp"));
    auto *down = new QPushButton(QStringLiteral("下移"), moves);
    down->setObjectName(QStringLiteral("btnDown"));
    mh->addWidget(up);
    mh->addWidget(down);
    connect(up, &QPushButton::clicked, this, [this] { moveColumn(-1); });
    connect(down, &QPushButton::clicked, this, [this] { moveColumn(1); });
    tabs->addTab(withRowButtons(m_columns, [this] {
        addColumnRow(TWjReportColumn{}, m_columns->currentRow() + 1);
        changed();
    }, moves), QStringLiteral("表格列"));
    m_head = fieldTable(tabs, QStringLiteral("headW"));
    tabs->addTab(withRowButtons(m_head, [this] { m_head->insertRow(m_head->rowCount()); }), QStringLiteral("表头资料"));
    m_foot = fieldTable(tabs, QStringLiteral("footW"));
    tabs->addTab(withRowButtons(m_foot, [this] { m_foot->insertRow(m_foot->rowCount()); }), QStringLiteral("表尾资料"));

    auto *sqlPage = new QWidget;
    auto *sf = new QFormLayout(sqlPage);
    m_headQuery = new QPlainTextEdit(sqlPage);
    m_headQuery->setObjectName(QStringLiteral("headQueryW"));
    m_lines = new QPlainTextEdit(sqlPage);
    m_lines->setObjectName(QStringLiteral("linesW"));
    m_words = new QLineEdit(sqlPage);
    m_words->setObjectName(QStringLiteral("amountWordsW"));
    sf->addRow(QStringLiteral("表头资料语句："), m_headQuery);
    sf->addRow(QStringLiteral("表格行语句："), m_lines);
    sf->addRow(QStringLiteral("大写金额列："), m_words);
    sf->addRow(new QLabel(QStringLiteral("语句为空：表头取列表当前行，表格打印列表全部行。\n"
                                         "语句中的 :字段名 取列表当前行该字段的值。"),
                          sqlPage));
    tabs->addTab(sqlPage, QStringLiteral("语句"));

    auto *pagePage = new QWidget;
    auto *pf = new QFormLayout(pagePage);
    m_pageHeader = new QLineEdit(pagePage);
    m_pageHeader->setObjectName(QStringLiteral("pageHeaderW"));
    m_pageFooter = new QLineEdit(pagePage);
    m_pageFooter->setObjectName(QStringLiteral("pageFooterW"));
    pf->addRow(QStringLiteral("页眉："), m_pageHeader);
    pf->addRow(QStringLiteral("页脚："), m_pageFooter);
    pf->addRow(new QLabel(QStringLiteral("“左|中|右”三段；{page} 页码，{pages} 总页数，{date} 打印日期，"
                                         "{time} 打印时间，{title} 标题。"),
                          pagePage));
    tabs->addTab(pagePage, QStringLiteral("页眉页脚"));
    rv->addWidget(tabs, 1);
    split->setStretchFactor(1, 1);

    auto *bb = new QDialogButtonBox(this);
    auto *save = bb->addButton(QStringLiteral("保存[&S]"), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("btnSave"));
    auto *close = bb->addButton(QStringLiteral("关闭[&C]"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("btnClose"));
    connect(save, &QPushButton::clicked, this, [this] { SaveReport(); });
    connect(bb, &QDialogButtonBox::rejected, this, &TfrmReportEditor::reject);
    top->addWidget(bb);

    // Every edit marks the layout changed.
    for (QLineEdit *e : {m_company, m_title, m_words, m_pageHeader, m_pageFooter})
        connect(e, &QLineEdit::textEdited, this, &TfrmReportEditor::changed);
    for (QPlainTextEdit *e : {m_headQuery, m_lines})
        connect(e, &QPlainTextEdit::textChanged, this, &TfrmReportEditor::changed);
    for (QTableWidget *t : {m_columns, m_head, m_foot}) {
        connect(t, &QTableWidget::itemChanged, this, &TfrmReportEditor::changed);
        connect(t->model(), &QAbstractItemModel::rowsRemoved, this, &TfrmReportEditor::changed);
    }
    connect(m_orientation, &QComboBox::currentIndexChanged, this, &TfrmReportEditor::changed);
    connect(m_fontSize, &QSpinBox::valueChanged, this, &TfrmReportEditor::changed);
    connect(m_headColumns, &QSpinBox::valueChanged, this, &TfrmReportEditor::changed);

    connect(m_list, &QListWidget::currentTextChanged, this, [this](const QString &name) {
        if (m_switching || name.isEmpty() || name == m_name)
            return;
        if (!askSave()) {  // stay on the report being edited
            fillList(m_name);
            return;
        }
        LoadReport(name);
    });

    resize(900, 600);
    split->setSizes({200, 700});
    showLayout(TWjReportLayout{});
    fillList(QString());
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
}

void TfrmReportEditor::fillList(const QString &select)
{
    m_switching = true;
    m_list->clear();
    m_list->addItems(TWjReportLayout::Names());
    const auto found = m_list->findItems(select, Qt::MatchExactly);
    if (!found.isEmpty())
        m_list->setCurrentItem(found.first());
    m_switching = false;
}

void TfrmReportEditor::addColumnRow(const TWjReportColumn &c, int at)
{
    const int r = at < 0 || at > m_columns->rowCount() ? m_columns->rowCount() : at;
    m_columns->insertRow(r);
    m_columns->setItem(r, ColCaption, new QTableWidgetItem(c.caption));
    m_columns->setItem(r, ColField, new QTableWidgetItem(c.field));
    m_columns->setItem(r, ColWidth, new QTableWidgetItem(QString::number(c.width)));
    auto *align = new QComboBox(m_columns);
    for (const auto &a : alignChoices())
        align->addItem(a.first);
    for (int i = 0; i < alignChoices().size(); ++i)
        if (alignChoices()[i].second == c.align)
            align->setCurrentIndex(i);
    connect(align, &QComboBox::currentIndexChanged, this, &TfrmReportEditor::changed);
    m_columns->setCellWidget(r, ColAlign, align);
    auto *kind = new QComboBox(m_columns);
    for (const auto &k : kindChoices())
        kind->addItem(k.first);
    for (int i = 0; i < kindChoices().size(); ++i)
        if (kindChoices()[i].second == c.kind)
            kind->setCurrentIndex(i);
    connect(kind, &QComboBox::currentIndexChanged, this, &TfrmReportEditor::changed);
    m_columns->setCellWidget(r, ColKind, kind);
    auto *sum = new QTableWidgetItem;
    sum->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    sum->setCheckState(c.sum ? Qt::Checked : Qt::Unchecked);
    m_columns->setItem(r, ColSum, sum);
}

void TfrmReportEditor::moveColumn(int delta)
{
    const int r = m_columns->currentRow();
    const int to = r + delta;
    if (r < 0 || to < 0 || to >= m_columns->rowCount())
        return;
    QList<TWjReportColumn> rows;
    for (int i = 0; i < m_columns->rowCount(); ++i)
        rows << columnAt(i);
    rows.swapItemsAt(r, to);
    m_loading = true;
    m_columns->setRowCount(0);
    for (const TWjReportColumn &c : std::as_const(rows))
        addColumnRow(c);
    m_loading = false;
    m_columns->setCurrentCell(to, ColCaption);
    changed();
}

TWjReportColumn TfrmReportEditor::columnAt(int r) const
{
    TWjReportColumn c;
    c.caption = cell(m_columns, r, ColCaption);
    c.field = cell(m_columns, r, ColField);
    bool ok = false;
    const int w = cell(m_columns, r, ColWidth).toInt(&ok);
    c.width = ok && w > 0 ? qMin(w, 200) : 10;
    if (auto *a = qobject_cast<QComboBox *>(m_columns->cellWidget(r, ColAlign)))
        c.align = alignChoices().value(a->currentIndex()).second;
    if (auto *k = qobject_cast<QComboBox *>(m_columns->cellWidget(r, ColKind)))
        c.kind = kindChoices().value(k->currentIndex()).second;
    c.sum = m_columns->item(r, ColSum) && m_columns->item(r, ColSum)->checkState() == Qt::Checked;
    return c;
}

TWjReportLayout TfrmReportEditor::Layout() const
{
    TWjReportLayout l;
    l.Name = m_name;
    l.Company = m_company->text().trimmed();
    l.Title = m_title->text().trimmed();
    l.Landscape = m_orientation->currentIndex() == 1;
    l.FontSize = m_fontSize->value();
    l.HeadColumns = m_headColumns->value();
    l.HeadQuery = m_headQuery->toPlainText().trimmed();
    l.Lines = m_lines->toPlainText().trimmed();
    l.AmountInWords = m_words->text().trimmed();
    l.PageHeader = m_pageHeader->text();
    l.PageFooter = m_pageFooter->text();
    l.Head = fieldsOf(m_head);
    l.Foot = fieldsOf(m_foot);
    for (int r = 0; r < m_columns->rowCount(); ++r)
        if (const TWjReportColumn c = columnAt(r); !c.field.isEmpty())
            l.Columns << c;
    return l;
}

void TfrmReportEditor::showLayout(const TWjReportLayout &l)
{
    m_loading = true;
    m_company->setText(l.Company);
    m_title->setText(l.Title);
    m_orientation->setCurrentIndex(l.Landscape ? 1 : 0);
    m_fontSize->setValue(l.FontSize);
    m_headColumns->setValue(l.HeadColumns);
    m_headQuery->setPlainText(l.HeadQuery);
    m_lines->setPlainText(l.Lines);
    m_words->setText(l.AmountInWords);
    m_pageHeader->setText(l.PageHeader);
    m_pageFooter->setText(l.PageFooter);
    setFields(m_head, l.Head);
    setFields(m_foot, l.Foot);
    m_columns->setRowCount(0);
    for (const TWjReportColumn &c : l.Columns)
        addColumnRow(c);
    m_loading = false;
    m_modified = false;
}

bool TfrmReportEditor::LoadReport(const QString &name)
{
    TWjReportLayout l;
    try {
        l = TWjReportLayout::Load(name);
    } catch (const EWjError &e) {
        Prompter().Warning(e.Message());
        return false;
    }
    m_name = name;
    showLayout(l);
    fillList(name);
    setWindowTitle(QStringLiteral("打印格式编辑器 - ") + name);
    return true;
}

bool TfrmReportEditor::SaveReport()
{
    if (m_name.isEmpty()) {
        Prompter().Warning(QStringLiteral("请先选择或新建一个打印格式。"));
        return false;
    }
    const TWjReportLayout l = Layout();
    if (l.Columns.isEmpty()) {
        Prompter().Warning(QStringLiteral("表格至少要有一列（字段不能为空）。"));
        return false;
    }
    const bool ok = WjRunAction([&] { l.Save(); });
    if (ok) {
        m_modified = false;
        fillList(m_name);
    }
    return ok;
}

bool TfrmReportEditor::askSave()
{
    if (!m_modified || m_name.isEmpty())
        return true;
    if (!Prompter().Question(QStringLiteral("打印格式“%1”已修改，是否保存？").arg(m_name))) {
        m_modified = false;
        return true;
    }
    return SaveReport();
}

void TfrmReportEditor::newReport()
{
    if (!askSave())
        return;
    QString name;
    if (!Prompter().Input(QStringLiteral("新建打印格式"), QStringLiteral("报表名称（列表窗口的标题）："), &name, false))
        return;
    name = name.trimmed();
    if (name.isEmpty())
        return;
    if (TWjReportLayout::Exists(name)) {
        Prompter().Warning(QStringLiteral("已有名为“%1”的打印格式。").arg(name));
        return;
    }
    TWjReportLayout l;
    l.Name = name;
    l.Title = name;
    m_name = name;
    showLayout(l);
    m_modified = true;
    setWindowTitle(QStringLiteral("打印格式编辑器 - ") + name);
}

void TfrmReportEditor::deleteReport()
{
    if (m_name.isEmpty() || !TWjReportLayout::Exists(m_name))
        return;
    if (!Prompter().Question(QStringLiteral("确定删除打印格式“%1”吗？删除后该报表按列表的显示列打印。").arg(m_name)))
        return;
    QFile::remove(TWjReportLayout::FileOf(m_name));
    m_name.clear();
    showLayout(TWjReportLayout{});
    fillList(QString());
    setWindowTitle(QStringLiteral("打印格式编辑器"));
}

void TfrmReportEditor::reject()
{
    if (askSave())
        QDialog::reject();
}
