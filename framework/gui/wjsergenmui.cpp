#include "wjsergenmui.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjdbgrid.h"
#include "wjlike.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TWjSerGen_Mui::TWjSerGen_Mui(const QString &caption, const QString &sql, const QStringList &searchColumns,
                             const QList<QPair<QString, QString>> &columns, QWidget *parent)
    : QDialog(parent), m_sql(sql), m_searchColumns(searchColumns), m_ds(new TWjQuery(this))
{
    setObjectName(QStringLiteral("frmSerGen_Mui"));
    setWindowTitle(caption);
    auto *lay = new QVBoxLayout(this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("edSearch"));
    m_search->setPlaceholderText(QStringLiteral("输入关键字查找"));
    lay->addWidget(m_search);
    m_grid = new TWjDBGrid(this);
    m_grid->setObjectName(QStringLiteral("dbgPick"));
    m_grid->View()->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->SetDataSet(m_ds);
    QList<TWjDBGrid::Column> cols;
    for (const auto &c : columns)
        cols << TWjDBGrid::Column{c.first, c.second, 120, true};
    m_grid->SetColumns(cols);
    lay->addWidget(m_grid, 1);

    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("按住 Ctrl 或 Shift 单击可选择多项"), this));
    row->addStretch();
    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_ok->setObjectName(QStringLiteral("btnOk"));
    m_ok->setAutoDefault(false);
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    cancel->setAutoDefault(false);
    row->addWidget(m_ok);
    row->addWidget(cancel);
    lay->addLayout(row);

    connect(m_ok, &QPushButton::clicked, this, &TWjSerGen_Mui::Pick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_search, &QLineEdit::textEdited, this, &TWjSerGen_Mui::Search);
    connect(m_search, &QLineEdit::returnPressed, this, &TWjSerGen_Mui::Pick);
    connect(m_grid, &TWjDBGrid::RowDoubleClicked, this, [this] {
        // A double-click picks the row clicked, alone.
        SelectRows({m_ds->RecNo() - 1});
        Pick();
    });
    resize(620, 440);
}

TWjSerGen_Mui::~TWjSerGen_Mui() = default;

void TWjSerGen_Mui::Search()
{
    const QString v = m_search->text().trimmed();
    QString sql = m_sql;
    if (!v.isEmpty() && !m_searchColumns.isEmpty()) {
        QStringList parts;
        for (const QString &c : std::as_const(m_searchColumns))
            parts << WjSql::Ident(c) + QStringLiteral(" like ") + WjSql::LikeEscaped(v, WjSql::LikeMatch::Anywhere);
        sql = QStringLiteral("select * from (%1) s where %2").arg(m_sql, parts.join(QStringLiteral(" or ")));
    }
    m_ds->Open(sql);
}

void TWjSerGen_Mui::SelectRows(const QList<int> &rows)
{
    QItemSelectionModel *sel = m_grid->View()->selectionModel();
    sel->clearSelection();
    for (int r : rows) {
        const QModelIndex i = m_grid->View()->model()->index(r, 0);
        if (i.isValid())
            sel->select(i, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

QList<int> TWjSerGen_Mui::PickedRows() const
{
    QList<int> rows;
    for (const QModelIndex &i : m_grid->View()->selectionModel()->selectedRows())
        rows << i.row();
    std::sort(rows.begin(), rows.end());
    if (rows.isEmpty() && !m_ds->IsEmpty())
        rows << m_ds->RecNo() - 1;
    return rows;
}

bool TWjSerGen_Mui::Pick()
{
    if (!m_lines || m_ds->IsEmpty())
        return false;
    const QList<int> rows = PickedRows();
    // Columns the list shares with the lines, beside the link and sequence columns.
    QList<QPair<int, QString>> shared;
    for (int c = 0; c < m_ds->FieldCount(); ++c) {
        const QString f = m_ds->FieldName(c);
        if (m_lines->FieldIndex(f) >= 0 && f.compare(m_link, Qt::CaseInsensitive) != 0
            && f.compare(m_serial, Qt::CaseInsensitive) != 0)
            shared << qMakePair(c, m_lines->FieldName(m_lines->FieldIndex(f)));
    }
    for (int r : rows) {
        m_lines->Append();
        if (!m_link.isEmpty())
            m_lines->SetValue(m_link, m_linkValue.toLongLong());
        if (!m_serial.isEmpty())
            m_lines->SetValue(m_serial, m_lines->RecordCount());
        for (const auto &s : std::as_const(shared))
            m_lines->SetValue(s.second, m_ds->Value(r, s.first));
        ++m_appended;
    }
    accept();
    return true;
}

int TWjSerGen_Mui::Execute(TWjQuery *lines, const QString &serialField, const QString &linkField, const QString &linkValue)
{
    m_lines = lines;
    m_serial = serialField;
    m_link = linkField;
    m_linkValue = linkValue;
    m_appended = 0;
    Search();
    return exec() == QDialog::Accepted ? m_appended : 0;
}

bool ExectSerGen_Mui(TWjQuery *lines, const QString &serialField, const QString &linkField, const QString &linkValue,
                     const QString &caption, const QString &sql, const QStringList &searchColumns,
                     const QList<QPair<QString, QString>> &columns)
{
    TWjSerGen_Mui pick(caption, sql, searchColumns, columns);
    return pick.Execute(lines, serialField, linkField, linkValue) > 0;
}
