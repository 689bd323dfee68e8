// A table model over a TWjQuery, so any grid can show any dataset. Column captions
// can be set per field; the dataset stays the one source of the data.
#pragma once
#include "wjdataset.h"
#include "wjguiglobal.h"

#include <QAbstractTableModel>
#include <QHash>

class WJGUI_EXPORT TWjDataSetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit TWjDataSetModel(TWjQuery *ds, QObject *parent = nullptr);
    TWjQuery *DataSet() const { return m_ds; }
    void SetCaption(const QString &field, const QString &caption);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;

private:
    TWjQuery *m_ds;
    QHash<QString, QString> m_captions;  // lower-cased field name -> caption
};
