// A table model over a TWjQuery, so any grid can show any dataset. Column captions
// can be set per field; the dataset stays the one source of the data.
#pragma once
#include "wjdataset.h"
#include "wjguiglobal.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <functional>

class WJGUI_EXPORT TWjDataSetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit TWjDataSetModel(TWjQuery *ds, QObject *parent = nullptr);
    TWjQuery *DataSet() const { return m_ds; }
    void SetCaption(const QString &field, const QString &caption);
    QString Caption(const QString &field) const;
    // The fields shown, in order (empty: every field of the dataset).
    void SetColumns(const QStringList &fields);
    QStringList Columns() const;
    QString FieldOfColumn(int column) const;
    int ColumnOfField(const QString &field) const;  // -1 when not shown
    // Cell colours: return an invalid colour for the default.
    void SetCellColor(std::function<QColor(int row, const QString &field)> fn) { m_color = std::move(fn); }

    int rowCount(const QModelIndex &parent = {}) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;

private:
    int fieldIndex(int column) const;
    TWjQuery *m_ds;
    QStringList m_columns;
    std::function<QColor(int, const QString &)> m_color;
    QHash<QString, QString> m_captions;  // lower-cased field name -> caption
};
