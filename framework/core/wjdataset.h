// TWjQuery: the framework's dataset, standing in for an ADO query.
//
// Open() runs its SQL through the bound TDBAction and holds the result in memory,
// fetched as it is needed: Open reads the first rows, the rest follow when the cursor,
// a grid or RecordCount/Last/Locate reach them. It offers a current record, First/Next/Prior/Last with Bof/Eof, RecordCount,
// FieldByName(...).AsString/AsInteger/AsFloat/AsCurrency/AsDateTime, Locate, bookmarks,
// and Requery that can keep the position. Numeric values are held as exact decimal
// text, so AsCurrency never goes through binary floating point.
//
// Rows may also be edited in memory (cached updates): Append, SetValue, Delete mark
// rows inserted, modified or deleted; ApplyUpdates writes them to one table in one
// transaction, CancelUpdates discards them.
#pragma once
#include "wjcurrency.h"
#include "wjglobal.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

class TDBAction;
class TWjQuery;

// A column of the current record (cheap to copy; valid while the dataset lives).
class WJCORE_EXPORT TWjField
{
public:
    TWjField(const TWjQuery *ds, int column) : m_ds(ds), m_col(column) {}
    QString FieldName() const;
    QVariant Value() const;
    bool IsNull() const;
    QString AsString() const;
    int AsInteger() const;
    qint64 AsLargeInt() const;
    double AsFloat() const;
    Currency AsCurrency() const;
    QDateTime AsDateTime() const;
    QDate AsDate() const;
    bool AsBoolean() const;

private:
    const TWjQuery *m_ds;
    int m_col;
};

class WJCORE_EXPORT TWjQuery : public QObject
{
    Q_OBJECT
public:
    enum class RowStatus { Unmodified, Modified, Inserted };
    enum LocateOption { CaseInsensitive = 1, PartialKey = 2 };
    using Bookmark = qint64;  // a row's identity, stable across edits (not across Requery)

    explicit TWjQuery(QObject *parent = nullptr);
    ~TWjQuery() override;

    // Binding: the data access service stands for the connection.
    void SetConnection(TDBAction *db) { m_db = db; }
    TDBAction *Connection() const;

    QString SQL;  // the statement Open() runs

    void Open();
    void Open(const QString &sql) { SQL = sql; Open(); }
    void Close();
    bool Active() const { return m_active; }
    // Runs the statement again; with keepPosition the cursor returns to the row with the
    // same values in `keyField` (or the same record number when no key is given).
    void Requery(bool keepPosition = true, const QString &keyField = QString());

    // Navigation
    int RecordCount() const;  // fetches the whole result
    bool IsEmpty() const { return m_rows.isEmpty(); }
    // Rows read so far, whether more are waiting, and reading them.
    int FetchedCount() const { return int(m_rows.size()); }
    bool HasMore() const { return m_pending != nullptr; }
    void FetchMore(int rows = FetchChunk);
    void FetchAll();
    static constexpr int FetchChunk = 400;
    int RecNo() const { return m_cur + 1; }  // 1-based, 0 when empty
    void SetRecNo(int recNo);
    void First();
    void Last();
    void Next();
    void Prior();
    bool Bof() const { return m_bof; }
    bool Eof() const { return m_eof; }
    bool Locate(const QString &field, const QVariant &value, int options = 0);
    // Orders the rows in memory by a field: numbers (also numbers held as text) by value,
    // dates by date, other text as the locale sorts it; empty values first. The current
    // record stays the same row.
    void SortBy(const QString &field, bool descending = false);
    Bookmark GetBookmark() const;
    bool BookmarkValid(Bookmark b) const;
    void GotoBookmark(Bookmark b);

    // Fields
    int FieldCount() const { return int(m_fields.size()); }
    QString FieldName(int i) const { return m_fields.value(i); }
    int FieldType(int i) const { return m_types.value(i, QMetaType::UnknownType); }  // the driver's QMetaType id
    int FieldIndex(const QString &name) const;  // -1 when missing, case-insensitive
    TWjField FieldByName(const QString &name) const;  // raises EWjError when missing
    TWjField Fields(int i) const { return TWjField(this, i); }
    QVariant Value(int row, int col) const;  // for models: any row
    QVariant CurValue(int col) const;

    // Cached updates
    void Append();  // a new empty row becomes current
    void SetValue(const QString &field, const QVariant &value);
    void Delete();  // the current row
    bool UpdatesPending() const;
    RowStatus Status(int row) const { return m_rows.at(row).status; }
    int DeletedCount() const { return int(m_deleted.size()); }
    // Writes inserted, modified and deleted rows to `table`, keyed by `keyField`, in one
    // transaction; only the columns in `columns` (all fields when empty) are written.
    // On failure nothing is stored and the cached changes stay for another try.
    void ApplyUpdates(const QString &table, const QString &keyField, const QStringList &columns = {});
    void CancelUpdates();
    // Adds a column held only in memory (display columns); it is never written.
    void AddCalcField(const QString &name);

signals:
    void AfterOpen();
    void AfterScroll();
    void DataChanged(int row);        // a value of the row changed
    void RowsReset();                 // opened, closed, requeried, rows added or removed
    void RowsAboutToBeFetched(int first, int last);  // more rows of the result arrive
    void RowsFetched();

private:
    struct Row {
        QVector<QVariant> values;
        QVector<QVariant> original;
        RowStatus status = RowStatus::Unmodified;
        Bookmark id = 0;
    };
    friend class TWjField;
    void scrolled();
    void fill(std::unique_ptr<class QSqlQuery> q);
    void dropPending();
    int checkCurrent() const;
    friend class TDBAction;

    TDBAction *m_db = nullptr;
    QStringList m_fields;
    QVector<bool> m_calc;
    QVector<Row> m_rows;
    QVector<Row> m_deleted;
    int m_cur = -1;
    bool m_bof = true;
    bool m_eof = true;
    bool m_active = false;
    Bookmark m_nextId = 1;
    std::unique_ptr<class QSqlQuery> m_pending;  // the rest of the result, not read yet
    QVector<QMetaType::Type> m_types;
    TDBAction *m_lazyDb = nullptr;  // the connection m_pending reads from
};
