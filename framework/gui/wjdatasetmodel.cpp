#include "wjdatasetmodel.h"

TWjDataSetModel::TWjDataSetModel(TWjQuery *ds, QObject *parent) : QAbstractTableModel(parent), m_ds(ds)
{
    connect(ds, &TWjQuery::RowsReset, this, [this] { beginResetModel(); endResetModel(); });
    connect(ds, &TWjQuery::DataChanged, this, [this](int row) {
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
}

void TWjDataSetModel::SetCaption(const QString &field, const QString &caption)
{
    m_captions.insert(field.toLower(), caption);
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int TWjDataSetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_ds->RecordCount();
}

int TWjDataSetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_ds->FieldCount();
}

QVariant TWjDataSetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        const QVariant v = m_ds->Value(index.row(), index.column());
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
    const QString name = m_ds->FieldName(section);
    return m_captions.value(name.toLower(), name);
}
