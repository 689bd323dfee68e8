// Reading every row of a list once, front to back, with bounded memory: what the file
// export and the printed reports read.
//
// WjRows::Of(dataset) gives the dataset's own rows, in its order, when it has read its
// whole result; otherwise it runs the dataset's statement again and streams it: on
// SQLite a forward-only statement, on PostgreSQL a cursor read in batches. Only one
// batch is held at a time, whatever the size of the list.
#pragma once
#include "wjglobal.h"
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

class TDBAction;
class TWjQuery;
class QSqlQuery;

class WJCORE_EXPORT TWjRowSource
{
public:
    virtual ~TWjRowSource() = default;
    virtual QStringList Fields() const = 0;
    virtual int FieldType(int column) const { return 0; }  // the driver's QMetaType id, 0 when unknown
    // Moves to the next row; false after the last.
    virtual bool Next() = 0;
    virtual QVariant Value(int column) const = 0;
    int FieldIndex(const QString &name) const;  // -1 when missing; case-insensitive
};

// The rows a dataset holds, in its order (its cursor does not move).
class WJCORE_EXPORT TWjDataSetRows : public TWjRowSource
{
public:
    explicit TWjDataSetRows(const TWjQuery &ds) : m_ds(ds) {}
    QStringList Fields() const override;
    int FieldType(int column) const override;
    bool Next() override;
    QVariant Value(int column) const override;

private:
    const TWjQuery &m_ds;
    int m_row = -1;
};

// A statement's result, streamed.
class WJCORE_EXPORT TWjSqlRows : public TWjRowSource
{
public:
    TWjSqlRows(TDBAction &db, const QString &sql, int batch = 2000);
    ~TWjSqlRows() override;
    QStringList Fields() const override { return m_fields; }
    int FieldType(int column) const override { return m_types.value(column); }
    bool Next() override;
    QVariant Value(int column) const override;

private:
    bool fetch();
    TDBAction &m_db;
    QString m_cursor;  // PostgreSQL: the open cursor's name
    int m_batch;
    std::unique_ptr<QSqlQuery> m_q;
    QStringList m_fields;
    QVector<int> m_types;
    bool m_done = false;
};

namespace WjRows {
// The whole list behind a dataset.
WJCORE_EXPORT std::unique_ptr<TWjRowSource> Of(TWjQuery &ds);
// The number of rows the whole list holds (counted in the database when the dataset
// has not read them all).
WJCORE_EXPORT qint64 Count(TWjQuery &ds);
} // namespace WjRows
