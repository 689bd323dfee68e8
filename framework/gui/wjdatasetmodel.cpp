#include "wjdatasetmodel.h"

TWjDataSetModel::TWjDataSetModel(TWjQuery *ds, QObject *parent) : QAbstractTableModel(parent), m_ds(ds)
{
    connect(ds, &TWjQuery::RowsReset, this, [this] { beginResetModel(); endResetModel(); });
    connect(ds, &TWjQuery::RowsAboutToBeFetched, this, [this](int first, int last) { beginInsertRows({}, first, last); });
    connect(ds, &TWjQuery::RowsFetched, this, [this] { endInsertRows(); });
    connect(ds, &TWjQuery::DataChanged, this, [this](int row) {
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
}

void TWjDataSetModel::SetCaption(const QString &field, const QString &caption)
{
    m_captions.insert(field.toLower(), caption);
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

QString TWjDataSetModel::Caption(const QString &field) const
{
    return m_captions.value(field.toLower(), field);
}

void TWjDataSetModel::SetColumns(const QStringList &fields)
{
    beginResetModel();
    m_columns = fields;
    endResetModel();
}

QStringList TWjDataSetModel::Columns() const
{
    if (!m_columns.isEmpty())
        return m_columns;
    QStringList r;
    for (int i = 0; i < m_ds->FieldCount(); ++i)
        r << m_ds->FieldName(i);
    return r;
}

QString TWjDataSetModel::FieldOfColumn(int column) const
{
    return m_columns.isEmpty() ? m_ds->FieldName(column) : m_columns.value(column);
}

int TWjDataSetModel::ColumnOfField(const QString &field) const
{
    if (m_columns.isEmpty())
        return m_ds->FieldIndex(field);
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int TWjDataSetModel::fieldIndex(int column) const
{
    return m_columns.isEmpty() ? column : m_ds->FieldIndex(m_columns.value(column));
}

int TWjDataSetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_ds->FetchedCount();
}

bool TWjDataSetModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_ds->HasMore();
}

void TWjDataSetModel::fetchMore(const QModelIndex &parent)
{
    if (!parent.isValid())
        m_ds->FetchMore();
}

int TWjDataSetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : (m_columns.isEmpty() ? m_ds->FieldCount() : int(m_columns.size()));
}

QVariant TWjDataSetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::BackgroundRole && m_color) {
        const QColor c = m_color(index.row(), FieldOfColumn(index.column()));
        return c.isValid() ? QVariant(c) : QVariant();
    }
    if (role == Qt::TextAlignmentRole) {
        const QVariant v = m_ds->Value(index.row(), fieldIndex(index.column()));
        const int t = v.typeId();
        if (t == QMetaType::Int || t == QMetaType::LongLong || t == QMetaType::Double || t == qMetaTypeId<Currency>())
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        const QVariant v = m_ds->Value(index.row(), fieldIndex(index.column()));
        if (v.typeId() == QMetaType::QDate)
            return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
        if (v.typeId() == QMetaType::QDateTime)
            return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        if (v.typeId() == qMetaTypeId<Currency>())
            return v.value<Currency>().ToString();
        return v;
    }
    return {};
}

QVariant TWjDataSetModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (o == Qt::Vertical)
        return section + 1;
    return Caption(FieldOfColumn(section));
}
