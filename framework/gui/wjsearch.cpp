#include "wjsearch.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjdbgrid.h"
#include "wjerror.h"
#include "wjfields.h"
#include "wjinputs.h"
#include "wjprompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TWjSearch::TWjSearch(QObject *parent) : QObject(parent) {}

void TWjSearch::Init(QComboBox *source, QComboBox *field, QComboBox *op, QLineEdit *value, QDateEdit *from, QDateEdit *to,
                     QCheckBox *fuzzy, QLabel *counter)
{
    m_source = source;
    m_field = field;
    m_op = op;
    m_value = value;
    m_from = from;
    m_to = to;
    m_fuzzy = fuzzy;
    m_counter = counter;
    if (m_source) {
        m_source->clear();
        m_source->addItems(TWjSearchDef::Items(FileName));
        connect(m_source, &QComboBox::currentTextChanged, this, [this](const QString &t) { SelectItem(t); });
    }
    if (m_field)
        connect(m_field, &QComboBox::currentIndexChanged, this, [this] { fieldChanged(); });
    if (m_value && !m_value->validator())
        SetTextLimit(m_value, 0);  // nothing a statement could not carry
    if (m_value)
        connect(m_value, &QLineEdit::textEdited, this, [this] {
            if (SearchOnType)
                ExcuteSearch();
        });
    if (m_from) m_from->setDate(QDate::currentDate().addMonths(-1));
    if (m_to) m_to->setDate(QDate::currentDate());
    if (m_source && m_source->count() > 0)
        SelectItem(m_source->currentText());
}

bool TWjSearch::SelectItem(const QString &item)
{
    if (!m_def.Load(item, FileName))
        return false;
    if (m_source && m_source->currentText() != item) {
        QSignalBlocker b(m_source);
        m_source->setCurrentText(item);
    }
    if (m_field) {
        QSignalBlocker b(m_field);
        m_field->clear();
        for (const TWjSearchField &f : m_def.Fields)
            m_field->addItem(f.caption);
    }
    fieldChanged();
    return true;
}

void TWjSearch::fieldChanged()
{
    const int i = m_field ? m_field->currentIndex() : (m_def.Fields.isEmpty() ? -1 : 0);
    const auto kind = (i >= 0 && i < m_def.Fields.size()) ? m_def.Fields[i].kind : TWjSearchField::Text;
    if (m_op) {
        m_op->clear();
        m_op->addItems(TWjSearchDef::Operators(kind));
    }
    const bool date = kind == TWjSearchField::Date;
    if (m_value) m_value->setVisible(!date);
    if (m_from) m_from->setVisible(date);
    if (m_to) m_to->setVisible(date);
}

TWjSearchCondition TWjSearch::Condition() const
{
    TWjSearchCondition c;
    c.field = m_field ? m_field->currentIndex() : (m_def.Fields.isEmpty() ? -1 : 0);
    c.op = m_op ? m_op->currentText() : QStringLiteral("=");
    c.value = m_value ? m_value->text() : QString();
    c.fuzzy = m_fuzzy && m_fuzzy->isChecked();
    if (c.field >= 0 && c.field < m_def.Fields.size() && m_def.Fields[c.field].kind == TWjSearchField::Date) {
        c.from = m_from ? m_from->date() : QDate();
        c.to = m_to ? m_to->date() : QDate();
    }
    return c;
}

bool TWjSearch::ExcuteSearch()
{
    if (!m_ds || m_def.Sql.isEmpty())
        return false;
    QString sql;
    try {
        sql = m_def.BuildSql(Condition(), *m_ds->Connection());
    } catch (const EWjError &e) {
        Prompter().Warning(e.Message());
        return false;
    }
    m_ds->Open(sql);
    if (m_counter)
        m_counter->setText(QStringLiteral("共〖%1〗").arg(m_ds->RecordCount()));
    emit Searched();
    return true;
}

// ---- TWjSerGen ----

TWjSerGen::TWjSerGen(const QString &caption, const QString &sql, const QStringList &searchColumns,
                     const QList<QPair<QString, QString>> &columns, QWidget *parent)
    : QDialog(parent), m_sql(sql), m_searchColumns(searchColumns), m_ds(new TWjQuery(this))
{
    setObjectName(QStringLiteral("frmSerGen"));
    setWindowTitle(caption);
    auto *lay = new QVBoxLayout(this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("edSearch"));
    m_search->setPlaceholderText(QStringLiteral("输入关键字查找"));
    SetTextLimit(m_search, 0);
    lay->addWidget(m_search);
    m_grid = new TWjDBGrid(this);
    m_grid->SetDataSet(m_ds);
    QList<TWjDBGrid::Column> cols;
    for (const auto &c : columns)
        cols << TWjDBGrid::Column{c.first, c.second, 100, true};
    m_grid->SetColumns(cols);
    lay->addWidget(m_grid, 1);
    auto *bb = new QDialogButtonBox(this);
    bb->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    bb->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(bb, &QDialogButtonBox::accepted, this, &TWjSerGen::Pick);
    connect(bb, &QDialogButtonBox::rejected, this, &QDialog::reject);
    lay->addWidget(bb);
    connect(m_search, &QLineEdit::textEdited, this, &TWjSerGen::Search);
    connect(m_search, &QLineEdit::returnPressed, this, &TWjSerGen::Pick);
    connect(m_grid, &TWjDBGrid::RowDoubleClicked, this, &TWjSerGen::Pick);
    resize(560, 420);
}

TWjSerGen::~TWjSerGen() = default;

void TWjSerGen::Search()
{
    const QString v = m_search->text().trimmed();
    QString sql = m_sql;
    if (!v.isEmpty() && !m_searchColumns.isEmpty()) {
        QStringList parts;
        for (const QString &c : std::as_const(m_searchColumns))
            parts << m_ds->Connection()->Dialect().LikeCondition(WjSql::Ident(c), v, true);
        sql = QStringLiteral("select * from (%1) s where %2").arg(m_sql, parts.join(QStringLiteral(" or ")));
    }
    m_ds->Open(sql);
}

void TWjSerGen::Pick()
{
    if (m_ds->IsEmpty())
        return;
    Values.clear();
    for (int i = 0; i < m_ds->FieldCount(); ++i)
        Values.insert(m_ds->FieldName(i), m_ds->CurValue(i));
    accept();
}

bool TWjSerGen::Execute()
{
    Search();
    return exec() == QDialog::Accepted;
}
