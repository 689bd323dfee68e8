#include "wjrowsource.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjerror.h"

#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <atomic>

int TWjRowSource::FieldIndex(const QString &name) const
{
    const QStringList f = Fields();
    for (int i = 0; i < f.size(); ++i)
        if (f[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

// ---- TWjDataSetRows ----

QStringList TWjDataSetRows::Fields() const
{
    QStringList f;
    for (int i = 0; i < m_ds.FieldCount(); ++i)
        f << m_ds.FieldName(i);
    return f;
}

int TWjDataSetRows::FieldType(int column) const { return m_ds.FieldType(column); }

bool TWjDataSetRows::Next()
{
    if (m_row + 1 >= m_ds.FetchedCount())
        return false;
    ++m_row;
    return true;
}

QVariant TWjDataSetRows::Value(int column) const { return m_ds.Value(m_row, column); }

// ---- TWjSqlRows ----

TWjSqlRows::TWjSqlRows(TDBAction &db, const QString &sql, int batch) : m_db(db), m_batch(qMax(1, batch))
{
    m_q = std::make_unique<QSqlQuery>();
    if (db.Dialect().Name() == QLatin1String("sqlite")) {
        db.RunQuery(sql, *m_q);  // forward-only there: rows are read as they are stepped
    } else {
        // A cursor kept open across transactions: the server holds the result, the
        // program reads it a batch at a time.
        static std::atomic<int> serial{0};
        m_cursor = QStringLiteral("wj_rows_%1").arg(++serial);
        db.ExecuteSQL(QStringLiteral("declare %1 no scroll cursor with hold for %2").arg(m_cursor, sql));
        fetch();
    }
    const QSqlRecord rec = m_q->record();
    for (int i = 0; i < rec.count(); ++i) {
        m_fields << rec.fieldName(i);
        m_types << rec.field(i).metaType().id();
    }
}

TWjSqlRows::~TWjSqlRows()
{
    m_q.reset();
    if (!m_cursor.isEmpty()) {
        try {
            m_db.ExecuteSQL(QStringLiteral("close ") + m_cursor);
        } catch (const std::exception &) {
            // The connection is gone or the transaction failed: the cursor went with it.
        }
    }
}

bool TWjSqlRows::fetch()
{
    m_db.RunQuery(QStringLiteral("fetch forward %1 from %2").arg(m_batch).arg(m_cursor), *m_q);
    return m_q->size() != 0;
}

bool TWjSqlRows::Next()
{
    if (m_done)
        return false;
    if (m_q->next())
        return true;
    if (m_cursor.isEmpty() || m_q->size() < m_batch || !fetch() || !m_q->next()) {
        m_done = true;
        m_q->finish();
        return false;
    }
    return true;
}

QVariant TWjSqlRows::Value(int column) const { return m_q->value(column); }

namespace WjRows {

std::unique_ptr<TWjRowSource> Of(TWjQuery &ds)
{
    if (!ds.Active())
        throw EWjError(QStringLiteral("数据集尚未打开。"));
    if (!ds.HasMore())
        return std::make_unique<TWjDataSetRows>(ds);
    return std::make_unique<TWjSqlRows>(*ds.Connection(), ds.SQL);
}

qint64 Count(TWjQuery &ds)
{
    if (!ds.HasMore())
        return ds.FetchedCount();
    return ds.Connection()->SelectValue(QStringLiteral("select count(*) from (%1) wj_count").arg(ds.SQL), 0).toLongLong();
}

} // namespace WjRows
