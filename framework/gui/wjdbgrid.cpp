#include "wjdbgrid.h"
#include "wjdatasetmodel.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjerror.h"
#include "wjinifile.h"
#include "wjpath.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFile>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace WjSql {
QString GetDataOrderBy(const QString &sql, const QString &field, bool descending)
{
    static const QRegularExpression tail(QStringLiteral("\\s+order\\s+by\\s+[^()']*$"), QRegularExpression::CaseInsensitiveOption);
    QString s = sql.trimmed();
    s.remove(tail);
    return s + QStringLiteral(" order by ") + Ident(field) + (descending ? QStringLiteral(" desc") : QStringLiteral(" asc"));
}
} // namespace WjSql

TWjDBGrid::TWjDBGrid(QWidget *parent) : QWidget(parent)
{
    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("gridView"));
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setAlternatingRowColors(true);
    m_view->verticalHeader()->setDefaultSectionSize(22);
    m_view->verticalHeader()->setMinimumWidth(24);
    m_view->horizontalHeader()->setSectionsClickable(true);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    lay->addWidget(m_view, 1);

    m_frozen = new QTableView(m_view);
    m_frozen->setObjectName(QStringLiteral("gridFrozen"));
    m_frozen->setFocusPolicy(Qt::NoFocus);
    m_frozen->verticalHeader()->hide();
    m_frozen->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_frozen->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_frozen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setStyleSheet(QStringLiteral("QTableView { border: none; }"));
    m_frozen->hide();

    m_footer = new QTableWidget(1, 0, this);
    m_footer->setObjectName(QStringLiteral("gridFooter"));
    m_footer->horizontalHeader()->hide();
    m_footer->verticalHeader()->setMinimumWidth(24);
    m_footer->verticalHeader()->setDefaultSectionSize(22);
    m_footer->setVerticalHeaderLabels({QString()});
    m_footer->setFixedHeight(24);
    m_footer->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_footer->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_footer->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_footer->setFocusPolicy(Qt::NoFocus);
    m_footer->setStyleSheet(QStringLiteral("QTableWidget { background: palette(window); font-weight: bold; }"));
    m_footer->hide();
    lay->addWidget(m_footer);

    connect(m_view->horizontalHeader(), &QHeaderView::sectionClicked, this, &TWjDBGrid::titleClicked);
    connect(m_view->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int i, int, int w) {
        if (i < m_columns.size()) m_columns[i].width = w;
        if (i < m_frozenCount) m_frozen->setColumnWidth(i, w);
        syncFooter();
        updateFrozen();
    });
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
        m_footer->horizontalScrollBar()->setValue(v);
    });
    connect(m_view->verticalScrollBar(), &QScrollBar::valueChanged, m_frozen->verticalScrollBar(), &QScrollBar::setValue);
    connect(m_view, &QTableView::doubleClicked, this, &TWjDBGrid::RowDoubleClicked);
    m_view->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);
}

void TWjDBGrid::SetDataSet(TWjQuery *ds)
{
    m_ds = ds;
    delete m_model;
    m_model = new TWjDataSetModel(ds, this);
    m_view->setModel(m_model);
    m_frozen->setModel(m_model);
    m_frozen->setSelectionModel(m_view->selectionModel());
    if (m_color)
        m_model->SetCellColor(m_color);
    // The grid follows the current record, and a clicked row becomes it.
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &cur) {
        if (cur.isValid() && m_ds && m_ds->RecNo() != cur.row() + 1) {
            QSignalBlocker b(m_ds);
            m_ds->SetRecNo(cur.row() + 1);
        }
    });
    connect(ds, &TWjQuery::AfterScroll, this, [this] {
        if (m_ds->RecNo() > 0 && m_view->currentIndex().row() != m_ds->RecNo() - 1)
            m_view->selectRow(m_ds->RecNo() - 1);
    });
    connect(ds, &TWjQuery::RowsReset, this, [this] {
        applyColumns();
        RefreshFooter();
        if (m_ds->RecNo() > 0)
            m_view->selectRow(m_ds->RecNo() - 1);
    });
    // Many values change at once when lines are added or saved: sum once, afterwards.
    connect(ds, &TWjQuery::DataChanged, this, [this] {
        if (m_footerDirty || m_footers.isEmpty())
            return;
        m_footerDirty = true;
        QTimer::singleShot(0, this, [this] {
            if (m_footerDirty)
                RefreshFooter();
        });
    });
    applyColumns();
    RefreshFooter();
}

void TWjDBGrid::SetColumns(const QList<Column> &columns)
{
    m_columns = columns;
    applyColumns();
}

void TWjDBGrid::applyColumns()
{
    if (!m_model)
        return;
    QStringList fields;
    for (const Column &c : std::as_const(m_columns))
        if (c.visible)
            fields << c.field;
    if (fields != m_model->Columns() || m_columns.isEmpty())
        m_model->SetColumns(m_columns.isEmpty() ? QStringList() : fields);
    int col = 0;
    for (const Column &c : std::as_const(m_columns)) {
        if (!c.visible)
            continue;
        m_model->SetCaption(c.field, c.caption.isEmpty() ? c.field : c.caption);
        m_view->setColumnWidth(col, c.width);
        ++col;
    }
    m_footer->setColumnCount(m_model->columnCount());
    updateFrozen();
    syncFooter();
}

void TWjDBGrid::SetFooter(const QString &field, FooterKind kind, const QString &text)
{
    m_footers.insert(field.toLower(), {kind, text});
    RefreshFooter();
}

QString TWjDBGrid::FooterValue(const QString &field) const
{
    if (!m_model)
        return {};
    if (m_footerDirty)
        const_cast<TWjDBGrid *>(this)->RefreshFooter();
    const int col = m_model->ColumnOfField(field);
    if (col < 0 || col >= m_footer->columnCount() || !m_footer->item(0, col))
        return {};
    return m_footer->item(0, col)->text();
}

void TWjDBGrid::RefreshFooter()
{
    m_footerDirty = false;
    if (!m_model)
        return;
    m_footer->setVisible(!m_footers.isEmpty());
    m_footer->setColumnCount(m_model->columnCount());
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const QString field = m_model->FieldOfColumn(c);
        const auto f = m_footers.value(field.toLower(), {NoFooter, QString()});
        QString text;
        switch (f.first) {
        case NoFooter: break;
        case FooterText: text = f.second; break;
        case FooterCount: text = QString::number(m_ds->RecordCount()); break;
        case FooterSum: {
            Currency sum;
            const int fi = m_ds->FieldIndex(field);
            for (int r = 0; r < m_ds->RecordCount(); ++r)
                sum += Currency::FromVariant(m_ds->Value(r, fi));
            text = sum.ToString();
            break;
        }
        }
        auto *item = new QTableWidgetItem(text);
        item->setTextAlignment(f.first == FooterSum || f.first == FooterCount ? int(Qt::AlignRight | Qt::AlignVCenter)
                                                                              : int(Qt::AlignLeft | Qt::AlignVCenter));
        m_footer->setItem(0, c, item);
    }
    syncFooter();
}

void TWjDBGrid::syncFooter()
{
    if (!m_model)
        return;
    m_footer->verticalHeader()->setFixedWidth(m_view->verticalHeader()->width());
    for (int c = 0; c < m_footer->columnCount(); ++c)
        m_footer->setColumnWidth(c, m_view->columnWidth(c));
}

void TWjDBGrid::SetFrozenColumns(int count)
{
    m_frozenCount = count;
    updateFrozen();
}

void TWjDBGrid::updateFrozen()
{
    if (!m_model || m_frozenCount <= 0 || m_model->columnCount() <= m_frozenCount) {
        m_frozen->hide();
        return;
    }
    int width = 0;
    for (int c = 0; c < m_model->columnCount(); ++c) {
        m_frozen->setColumnHidden(c, c >= m_frozenCount);
        if (c < m_frozenCount) {
            m_frozen->setColumnWidth(c, m_view->columnWidth(c));
            width += m_view->columnWidth(c);
        }
    }
    m_frozen->setGeometry(m_view->verticalHeader()->width() + m_view->frameWidth(), m_view->frameWidth(), width,
                          m_view->viewport()->height() + m_view->horizontalHeader()->height());
    m_frozen->verticalHeader()->setDefaultSectionSize(m_view->verticalHeader()->defaultSectionSize());
    m_frozen->show();
}

bool TWjDBGrid::eventFilter(QObject *o, QEvent *e)
{
    if (e->type() == QEvent::Resize)
        updateFrozen();
    return QWidget::eventFilter(o, e);
}

void TWjDBGrid::SetCellColor(std::function<QColor(int, const QString &)> fn)
{
    m_color = std::move(fn);
    if (m_model)
        m_model->SetCellColor(m_color);
}

void TWjDBGrid::titleClicked(int section)
{
    if (!m_model || !m_ds)
        return;
    const QString field = m_model->FieldOfColumn(section);
    emit TitleClicked(field);
    if (!m_sortable)
        return;
    // In memory, so numbers sort as numbers on every database and display columns sort too.
    m_sortDesc = (field == m_sortField) ? !m_sortDesc : false;
    m_sortField = field;
    m_ds->SortBy(field, m_sortDesc);
    m_view->horizontalHeader()->setSortIndicatorShown(true);
    m_view->horizontalHeader()->setSortIndicator(section, m_sortDesc ? Qt::DescendingOrder : Qt::AscendingOrder);
}

// ---- layouts ----

QString TWjDBGrid::FmtPath(const QString &name)
{
    return WjPath::Prog(QStringLiteral(".\\Sys\\") + name + QStringLiteral(".fmt"));
}

bool TWjDBGrid::InitFmt(const QString &name)
{
    if (!QFile::exists(FmtPath(name)))
        return false;
    const TIniFile ini(FmtPath(name));
    QList<Column> cols;
    for (const auto &kv : ini.ReadSectionValues(QStringLiteral("Columns"))) {
        // Field=Caption|Width|Visible
        const QStringList parts = kv.second.split(QLatin1Char('|'));
        Column c;
        c.field = kv.first;
        c.caption = parts.value(0);
        c.width = parts.value(1).toInt() > 0 ? parts.value(1).toInt() : 80;
        c.visible = parts.value(2, QStringLiteral("1")) != QLatin1String("0");
        cols << c;
    }
    if (cols.isEmpty())
        return false;
    // Columns the layout does not know keep their place at the end.
    for (const Column &c : std::as_const(m_columns)) {
        bool known = false;
        for (const Column &k : std::as_const(cols))
            known = known || k.field.compare(c.field, Qt::CaseInsensitive) == 0;
        if (!known)
            cols << c;
    }
    SetColumns(cols);
    return true;
}

void TWjDBGrid::SaveFmt(const QString &name) const
{
    QFile::remove(FmtPath(name));
    TIniFile ini(FmtPath(name));
    for (const Column &c : m_columns)
        ini.WriteString(QStringLiteral("Columns"), c.field,
                        QStringLiteral("%1|%2|%3").arg(c.caption).arg(c.width).arg(c.visible ? 1 : 0));
}

void TWjDBGrid::RunFmtTool(const QString &name)
{
    QList<Column> cols = m_columns;
    if (cols.isEmpty() && m_model)
        for (const QString &f : m_model->Columns())
            cols << Column{f, m_model->Caption(f), m_view->columnWidth(m_model->ColumnOfField(f)), true};
    QDialog dlg(this);
    dlg.setWindowTitle(QStringLiteral("表格格式设置"));
    auto *lay = new QVBoxLayout(&dlg);
    auto *table = new QTableWidget(int(cols.size()), 4, &dlg);
    table->setObjectName(QStringLiteral("fmtTable"));
    table->setHorizontalHeaderLabels({QStringLiteral("字段"), QStringLiteral("标题"), QStringLiteral("宽度"), QStringLiteral("显示")});
    for (int i = 0; i < cols.size(); ++i) {
        auto *f = new QTableWidgetItem(cols[i].field);
        f->setFlags(f->flags() & ~Qt::ItemIsEditable);
        table->setItem(i, 0, f);
        table->setItem(i, 1, new QTableWidgetItem(cols[i].caption));
        table->setItem(i, 2, new QTableWidgetItem(QString::number(cols[i].width)));
        auto *v = new QTableWidgetItem;
        v->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        v->setCheckState(cols[i].visible ? Qt::Checked : Qt::Unchecked);
        table->setItem(i, 3, v);
    }
    lay->addWidget(table);
    auto *bb = new QDialogButtonBox(&dlg);
    bb->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    bb->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(bb, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    connect(bb, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    lay->addWidget(bb);
    dlg.resize(420, 360);
    if (dlg.exec() != QDialog::Accepted)
        return;
    for (int i = 0; i < cols.size(); ++i) {
        cols[i].caption = table->item(i, 1)->text();
        const int w = table->item(i, 2)->text().toInt();
        cols[i].width = w > 0 ? w : cols[i].width;
        cols[i].visible = table->item(i, 3)->checkState() == Qt::Checked;
    }
    SetColumns(cols);
    SaveFmt(name);
}

void TWjDBGrid::SetViewItem(const QString &name)
{
    QList<Column> cols = m_columns;
    QDialog dlg(this);
    dlg.setWindowTitle(QStringLiteral("项目显示设置"));
    auto *lay = new QVBoxLayout(&dlg);
    auto *list = new QListWidget(&dlg);
    list->setObjectName(QStringLiteral("viewItems"));
    for (const Column &c : std::as_const(cols)) {
        auto *it = new QListWidgetItem(c.caption.isEmpty() ? c.field : c.caption, list);
        it->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        it->setCheckState(c.visible ? Qt::Checked : Qt::Unchecked);
    }
    lay->addWidget(list);
    auto *bb = new QDialogButtonBox(&dlg);
    bb->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    bb->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(bb, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    connect(bb, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    lay->addWidget(bb);
    if (dlg.exec() != QDialog::Accepted)
        return;
    for (int i = 0; i < cols.size(); ++i)
        cols[i].visible = list->item(i)->checkState() == Qt::Checked;
    SetColumns(cols);
    SaveFmt(name);
}
