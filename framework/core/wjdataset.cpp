#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjerror.h"

#include <QPointer>
#include <QSignalBlocker>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <cmath>

namespace {
// Numbers are kept as exact text; binary doubles (SQLite REAL) in their shortest form.
QVariant normalise(const QVariant &v, QMetaType::Type fieldType)
{
    if (v.isNull())
        return QVariant();
    switch (v.typeId()) {
    case QMetaType::Double: {
        const double d = v.toDouble();
        if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 9e15)
            return QVariant(qlonglong(d));
        return QVariant(QString::number(d, 'g', QLocale::FloatingPointShortest));
    }
    case QMetaType::QString:
        if (fieldType == QMetaType::Double) {
            // PostgreSQL numeric as text: drop trailing zeros ("12.5000" -> "12.5").
            QString s = v.toString();
            if (s.contains(QLatin1Char('.')) && !s.contains(QLatin1Char('e'), Qt::CaseInsensitive)) {
                while (s.endsWith(QLatin1Char('0'))) s.chop(1);
                if (s.endsWith(QLatin1Char('.'))) s.chop(1);
            }
            return s;
        }
        return v;
    default:
        return v;
    }
}

QString textOf(const QVariant &v)
{
    if (v.isNull() || !v.isValid())
        return QString();
    switch (v.typeId()) {
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        if (dt.time() == QTime(0, 0))
            return dt.date().toString(QStringLiteral("yyyy-MM-dd"));
        return dt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    }
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    default:
        if (v.typeId() == qMetaTypeId<Currency>())
            return v.value<Currency>().ToString();
        return v.toString();
    }
}
} // namespace

// ---- TWjField ----

QString TWjField::FieldName() const { return m_ds->FieldName(m_col); }
QVariant TWjField::Value() const { return m_ds->CurValue(m_col); }
bool TWjField::IsNull() const { return Value().isNull(); }
QString TWjField::AsString() const { return textOf(Value()); }

qint64 TWjField::AsLargeInt() const
{
    const QVariant v = Value();
    if (v.isNull())
        return 0;
    bool ok = false;
    qint64 r = v.toLongLong(&ok);
    if (ok)
        return r;
    const QString s = textOf(v).trimmed();
    if (s.isEmpty())
        return 0;
    r = s.toLongLong(&ok);
    if (ok)
        return r;
    Currency c;
    if (Currency::TryParse(s, &c) && c.Raw() % Currency::Scale == 0)
        return c.Raw() / Currency::Scale;
    throw EWjError(QStringLiteral("“%1”不是有效的整数（字段 %2）").arg(s, FieldName()));
}

int TWjField::AsInteger() const { return int(AsLargeInt()); }

double TWjField::AsFloat() const
{
    const QVariant v = Value();
    if (v.isNull())
        return 0;
    bool ok = false;
    const double d = textOf(v).toDouble(&ok);
    if (ok)
        return d;
    if (textOf(v).trimmed().isEmpty())
        return 0;
    throw EWjError(QStringLiteral("“%1”不是有效的数字（字段 %2）").arg(textOf(v), FieldName()));
}

Currency TWjField::AsCurrency() const
{
    const QVariant v = Value();
    if (v.isNull())
        return {};
    if (v.typeId() == qMetaTypeId<Currency>())
        return v.value<Currency>();
    Currency c;
    const QString s = textOf(v);
    if (s.trimmed().isEmpty())
        return {};
    if (!Currency::TryParse(s, &c))
        throw EWjError(QStringLiteral("“%1”不是有效的金额（字段 %2）").arg(s, FieldName()));
    return c;
}

QDateTime TWjField::AsDateTime() const
{
    const QVariant v = Value();
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().startOfDay();
    const QString s = v.toString().trimmed();
    for (const char *fmt : {"yyyy-MM-dd hh:mm:ss", "yyyy-MM-dd hh:mm:ss.zzz", "yyyy-MM-ddThh:mm:ss", "yyyy-MM-dd hh:mm", "yyyy-MM-dd"}) {
        const QDateTime dt = QDateTime::fromString(s, QLatin1String(fmt));
        if (dt.isValid())
            return dt;
    }
    const QDateTime iso = QDateTime::fromString(s, Qt::ISODateWithMs);
    return iso;
}

QDate TWjField::AsDate() const { return AsDateTime().date(); }

bool TWjField::AsBoolean() const
{
    const QVariant v = Value();
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    const QString s = textOf(v).trimmed().toLower();
    return !(s.isEmpty() || s == QLatin1String("0") || s == QLatin1String("false") || s == QLatin1String("f"));
}

// ---- TWjQuery ----

TWjQuery::TWjQuery(QObject *parent) : QObject(parent) {}

TDBAction *TWjQuery::Connection() const
{
    return m_db ? m_db : CurDBAction;
}

TWjQuery::~TWjQuery()
{
    dropPending();
}

void TWjQuery::dropPending()
{
    if (!m_pending)
        return;
    m_pending.reset();
    if (m_lazyDb)
        m_lazyDb->m_lazy.remove(this);
    m_lazyDb = nullptr;
}

void TWjQuery::fill(std::unique_ptr<QSqlQuery> q)
{
    dropPending();
    const QSqlRecord rec = q->record();
    m_fields.clear();
    m_types.clear();
    for (int i = 0; i < rec.count(); ++i) {
        m_fields << rec.fieldName(i);
        m_types << QMetaType::Type(rec.field(i).metaType().id());
    }
    m_calc = QVector<bool>(m_fields.size(), false);
    m_rows.clear();
    m_deleted.clear();
    m_pending = std::move(q);
    m_lazyDb = Connection();
    m_lazyDb->m_lazy.insert(this);
    // The first rows arrive with the reset that Open announces.
    const QSignalBlocker quiet(this);
    FetchMore(FetchChunk);
}

void TWjQuery::FetchMore(int rows)
{
    if (!m_pending)
        return;
    const int n = int(m_fields.size());
    QVector<Row> got;
    got.reserve(qMin(rows, 4096));
    bool done = false;
    while (int(got.size()) < rows) {
        if (!m_pending->next()) {
            done = true;
            break;
        }
        Row r;
        r.values.resize(n);
        for (int i = 0; i < n; ++i)
            r.values[i] = normalise(m_pending->value(i), m_types.value(i));
        r.id = m_nextId++;
        got.append(std::move(r));
    }
    if (done)
        dropPending();
    if (got.isEmpty())
        return;
    // Display columns added after Open get their empty cells.
    const int width = int(m_calc.size());
    for (Row &r : got)
        r.values.resize(width);
    const int first = int(m_rows.size());
    emit RowsAboutToBeFetched(first, first + int(got.size()) - 1);
    m_rows.append(std::move(got));
    if (m_eof && m_cur == first - 1 && first > 0)
        m_eof = false;  // more rows after the one the cursor stood on
    emit RowsFetched();
}

void TWjQuery::FetchAll()
{
    while (m_pending)
        FetchMore(1 << 20);
}

int TWjQuery::RecordCount() const
{
    const_cast<TWjQuery *>(this)->FetchAll();
    return int(m_rows.size());
}

void TWjQuery::Open()
{
    TDBAction *db = Connection();
    if (!db)
        throw EWjError(QStringLiteral("数据集没有绑定数据库连接。"));
    auto q = std::make_unique<QSqlQuery>();
    db->RunQuery(SQL, *q);
    fill(std::move(q));
    m_active = true;
    m_cur = m_rows.isEmpty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.isEmpty();
    emit RowsReset();
    emit AfterOpen();
    scrolled();
}

void TWjQuery::Close()
{
    dropPending();
    const bool was = m_active || !m_rows.isEmpty();
    m_active = false;
    m_rows.clear();
    m_deleted.clear();
    m_fields.clear();
    m_calc.clear();
    m_cur = -1;
    m_bof = m_eof = true;
    if (was)
        emit RowsReset();
}

void TWjQuery::Requery(bool keepPosition, const QString &keyField)
{
    QVariant key;
    const int recNo = RecNo();
    const int keyCol = keyField.isEmpty() ? -1 : FieldIndex(keyField);
    if (keepPosition && keyCol >= 0 && m_cur >= 0)
        key = CurValue(keyCol);
    Open();
    if (!keepPosition)
        return;
    if (keyCol >= 0 && key.isValid()) {
        if (!Locate(keyField, key))
            SetRecNo(qMin(recNo, RecordCount()));
    } else {
        SetRecNo(qMin(recNo, RecordCount()));
    }
}

void TWjQuery::scrolled()
{
    emit AfterScroll();
}

void TWjQuery::SetRecNo(int recNo)
{
    while (recNo > m_rows.size() && m_pending)
        FetchMore();
    if (m_rows.isEmpty()) {
        m_cur = -1;
        m_bof = m_eof = true;
        return;
    }
    m_cur = qBound(0, recNo - 1, int(m_rows.size()) - 1);
    m_bof = m_eof = false;
    scrolled();
}

void TWjQuery::First()
{
    m_cur = m_rows.isEmpty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.isEmpty();
    scrolled();
}

void TWjQuery::Last()
{
    FetchAll();
    m_cur = int(m_rows.size()) - 1;
    m_eof = true;
    m_bof = m_rows.isEmpty();
    if (!m_rows.isEmpty())
        m_eof = false;
    scrolled();
}

void TWjQuery::Next()
{
    m_bof = false;
    if (m_cur + 1 >= m_rows.size())
        FetchMore();
    if (m_cur + 1 < m_rows.size()) {
        ++m_cur;
        scrolled();
    } else {
        m_eof = true;
    }
}

void TWjQuery::Prior()
{
    m_eof = false;
    if (m_cur > 0) {
        --m_cur;
        scrolled();
    } else {
        m_bof = true;
    }
}

bool TWjQuery::Locate(const QString &field, const QVariant &value, int options)
{
    const int col = FieldIndex(field);
    if (col < 0)
        throw EWjError(QStringLiteral("数据集中没有字段 %1").arg(field));
    const QString want = textOf(value);
    const Qt::CaseSensitivity cs = (options & CaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    // Reads further rows only until the wanted one turns up.
    for (int i = 0; i < m_rows.size() || (m_pending && (FetchMore(), i < m_rows.size())); ++i) {
        const QString have = textOf(m_rows[i].values[col]);
        const bool hit = (options & PartialKey) ? have.startsWith(want, cs) : have.compare(want, cs) == 0;
        if (hit) {
            m_cur = i;
            m_bof = m_eof = false;
            scrolled();
            return true;
        }
    }
    return false;
}

void TWjQuery::SortBy(const QString &field, bool descending)
{
    const int col = FieldIndex(field);
    if (col < 0)
        throw EWjError(QStringLiteral("数据集中没有字段 %1").arg(field));
    FetchAll();
    const Bookmark keep = GetBookmark();
    // A column sorts as numbers when every value in it is one.
    bool numeric = true;
    for (const Row &r : std::as_const(m_rows)) {
        const QVariant &v = r.values[col];
        if (v.isNull() || textOf(v).isEmpty())
            continue;
        Currency c;
        if (!Currency::TryParse(textOf(v), &c)) {
            numeric = false;
            break;
        }
    }
    auto less = [&](const Row &a, const Row &b) {
        const QVariant &va = a.values[col], &vb = b.values[col];
        const QString ta = textOf(va), tb = textOf(vb);
        if (ta.isEmpty() || tb.isEmpty())
            return ta.isEmpty() && !tb.isEmpty();
        if (numeric)
            return Currency::FromVariant(va) < Currency::FromVariant(vb);
        return QString::localeAwareCompare(ta, tb) < 0;
    };
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](const Row &a, const Row &b) {
        return descending ? less(b, a) : less(a, b);
    });
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].id == keep)
            m_cur = i;
    emit RowsReset();
    scrolled();
}

TWjQuery::Bookmark TWjQuery::GetBookmark() const
{
    return m_cur >= 0 ? m_rows[m_cur].id : 0;
}

bool TWjQuery::BookmarkValid(Bookmark b) const
{
    const_cast<TWjQuery *>(this)->FetchAll();
    for (const Row &r : m_rows)
        if (r.id == b)
            return true;
    return false;
}

void TWjQuery::GotoBookmark(Bookmark b)
{
    FetchAll();
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].id == b) {
            m_cur = i;
            m_bof = m_eof = false;
            scrolled();
            return;
        }
    throw EWjError(QStringLiteral("书签所指的记录已不存在。"));
}

int TWjQuery::FieldIndex(const QString &name) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

TWjField TWjQuery::FieldByName(const QString &name) const
{
    const int i = FieldIndex(name);
    if (i < 0)
        throw EWjError(QStringLiteral("数据集中没有字段 %1").arg(name));
    return TWjField(this, i);
}

QVariant TWjQuery::Value(int row, int col) const
{
    if (row < 0 || row >= m_rows.size() || col < 0 || col >= m_rows[row].values.size())
        return QVariant();
    return m_rows[row].values[col];
}

QVariant TWjQuery::CurValue(int col) const
{
    return Value(m_cur, col);
}

int TWjQuery::checkCurrent() const
{
    if (m_cur < 0)
        throw EWjError(QStringLiteral("数据集中没有当前记录。"));
    return m_cur;
}

void TWjQuery::Append()
{
    if (!m_active)
        throw EWjError(QStringLiteral("数据集未打开。"));
    FetchAll();
    Row r;
    r.values.resize(m_fields.size());
    r.status = RowStatus::Inserted;
    r.id = m_nextId++;
    m_rows.append(r);
    m_cur = int(m_rows.size()) - 1;
    m_bof = m_eof = false;
    emit RowsReset();
    scrolled();
}

void TWjQuery::SetValue(const QString &field, const QVariant &value)
{
    const int row = checkCurrent();
    const int col = FieldIndex(field);
    if (col < 0)
        throw EWjError(QStringLiteral("数据集中没有字段 %1").arg(field));
    Row &r = m_rows[row];
    if (r.status == RowStatus::Unmodified && !m_calc[col]) {
        r.original = r.values;
        r.status = RowStatus::Modified;
    }
    r.values[col] = value;
    emit DataChanged(row);
}

void TWjQuery::Delete()
{
    const int row = checkCurrent();
    Row r = m_rows.takeAt(row);
    if (r.status != RowStatus::Inserted) {
        if (r.status == RowStatus::Modified)
            r.values = r.original;
        m_deleted.append(r);
    }
    if (m_rows.isEmpty()) {
        m_cur = -1;
        m_bof = m_eof = true;
    } else {
        m_cur = qMin(row, int(m_rows.size()) - 1);
        m_bof = m_eof = false;
    }
    emit RowsReset();
    scrolled();
}

bool TWjQuery::UpdatesPending() const
{
    if (!m_deleted.isEmpty())
        return true;
    for (const Row &r : m_rows)
        if (r.status != RowStatus::Unmodified)
            return true;
    return false;
}

void TWjQuery::AddCalcField(const QString &name)
{
    FetchAll();
    if (FieldIndex(name) >= 0)
        return;
    m_fields << name;
    m_calc << true;
    for (Row &r : m_rows) {
        r.values.append(QVariant());
        if (!r.original.isEmpty())
            r.original.append(QVariant());
    }
    for (Row &r : m_deleted)
        r.values.append(QVariant());
    emit RowsReset();
}

void TWjQuery::ApplyUpdates(const QString &table, const QString &keyField, const QStringList &columns)
{
    FetchAll();
    TDBAction *db = Connection();
    const int keyCol = FieldIndex(keyField);
    if (!db || keyCol < 0)
        throw EWjError(QStringLiteral("无法保存：数据集没有连接或没有关键字段 %1").arg(keyField));
    QVector<int> cols;
    for (int i = 0; i < m_fields.size(); ++i)
        if (!m_calc[i] && (columns.isEmpty() || columns.contains(m_fields[i], Qt::CaseInsensitive)))
            cols << i;

    auto literal = [db](const QVariant &v) -> QString {
        if (v.isNull() || !v.isValid())
            return QStringLiteral("null");
        switch (v.typeId()) {
        case QMetaType::Int: case QMetaType::LongLong: case QMetaType::UInt: case QMetaType::ULongLong:
            return QString::number(v.toLongLong());
        case QMetaType::Double:
            return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
        case QMetaType::Bool:
            return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        case QMetaType::QDate:
            return db->DateStr(v.toDate());
        case QMetaType::QDateTime:
            return db->DateTimeStr(v.toDateTime());
        default:
            if (v.typeId() == qMetaTypeId<Currency>())
                return db->Dialect().NumberLiteral(v.value<Currency>().ToString());
            return TDBAction::QuotedStr(v.toString());
        }
    };
    const QString t = WjSql::Ident(table);
    const QString k = WjSql::Ident(keyField);

    TWjTransaction tr(*db);
    for (const Row &r : std::as_const(m_deleted))
        db->ExecuteSQL(QStringLiteral("delete from %1 where %2=%3").arg(t, k, literal(r.values[keyCol])));
    for (const Row &r : std::as_const(m_rows)) {
        if (r.status == RowStatus::Inserted) {
            QStringList names, values;
            for (int c : cols) {
                names << WjSql::Ident(m_fields[c]);
                values << literal(r.values[c]);
            }
            db->ExecuteSQL(QStringLiteral("insert into %1(%2) values(%3)").arg(t, names.join(QLatin1Char(',')), values.join(QLatin1Char(','))));
        } else if (r.status == RowStatus::Modified) {
            QStringList sets;
            for (int c : cols)
                if (c != keyCol && textOf(r.values[c]) != textOf(r.original.value(c)))
                    sets << WjSql::Ident(m_fields[c]) + QLatin1Char('=') + literal(r.values[c]);
            if (!sets.isEmpty())
                db->ExecuteSQL(QStringLiteral("update %1 set %2 where %3=%4")
                                   .arg(t, sets.join(QLatin1Char(',')), k, literal(r.original.value(keyCol))));
        }
    }
    // The cache is clean once the changes are stored for good: when a caller's transaction
    // around this one commits. Should that one roll back, the changes stay for another try.
    QPointer<TWjQuery> self(this);
    db->OnCommit([self] {
        if (!self)
            return;
        self->m_deleted.clear();
        for (Row &r : self->m_rows) {
            r.status = RowStatus::Unmodified;
            r.original.clear();
        }
    });
    tr.Commit();
}

void TWjQuery::CancelUpdates()
{
    QVector<Row> kept;
    for (Row &r : m_rows) {
        if (r.status == RowStatus::Inserted)
            continue;
        if (r.status == RowStatus::Modified) {
            r.values = r.original;
            r.original.clear();
            r.status = RowStatus::Unmodified;
        }
        kept.append(r);
    }
    for (Row &r : m_deleted) {
        r.status = RowStatus::Unmodified;
        kept.append(r);
    }
    std::sort(kept.begin(), kept.end(), [](const Row &a, const Row &b) { return a.id < b.id; });
    m_rows = kept;
    m_deleted.clear();
    m_cur = m_rows.isEmpty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.isEmpty();
    emit RowsReset();
    scrolled();
}
