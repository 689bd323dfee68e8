#include "wjdbaction.h"
#include "wjerror.h"
#include "wjinifile.h"
#include "wjpath.h"
#include "wjtext.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QScopeGuard>
#include <QUuid>
#include <limits>

TDBAction *CurDBAction = nullptr;

TWjDbConfig TWjDbConfig::FromOptions(const QString &programDir, const QString &dbKind)
{
    const TIniFile ini(WjPath::Resolve(programDir, QStringLiteral("SYS\\WjOptions.ini")));
    TWjDbConfig c;
    c.dbKind = dbKind;
    QString file = ini.ReadString(QStringLiteral("DB"), QStringLiteral("File"), QStringLiteral("data\\shop.db"));
    file.replace(QLatin1Char('\\'), QLatin1Char('/'));
    c.file = QDir::isAbsolutePath(file) ? file : WjPath::Resolve(programDir, file);
    c.host = ini.ReadString(QStringLiteral("DB"), QStringLiteral("Host"), QStringLiteral("127.0.0.1"));
    c.port = ini.ReadInteger(QStringLiteral("DB"), QStringLiteral("Port"), 5432);
    c.database = ini.ReadString(QStringLiteral("DB"), QStringLiteral("Database"), QStringLiteral("shop"));
    c.user = ini.ReadString(QStringLiteral("DB"), QStringLiteral("User"), QStringLiteral("postgres"));
    c.password = ini.ReadString(QStringLiteral("DB"), QStringLiteral("Password"));
    c.demoData = ini.ReadBool(QStringLiteral("DB"), QStringLiteral("DemoData"), false);
    return c;
}

TDBAction::TDBAction(QObject *parent)
    : QObject(parent), m_connName(QStringLiteral("wj-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    m_serQuery = new TWjQuery(this);
    m_serQuery->SetConnection(this);
}

TDBAction::~TDBAction()
{
    Disconnect();
}

void TDBAction::Connect(const TWjDbConfig &config)
{
    Disconnect();
    auto dialect = TWjDialect::ForKind(config.dbKind);
    if (!dialect)
        throw EWjError(QStringLiteral("不支持所配置的数据库类型“%1”。").arg(config.dbKind));
    if (!QSqlDatabase::isDriverAvailable(dialect->QtDriver()))
        throw EWjError(QStringLiteral("缺少数据库驱动 %1，请安装后再试。").arg(dialect->QtDriver()));
    if (dialect->Name() == QLatin1String("sqlite")) {
        m_dialect = std::move(dialect);
        try {
            connectEmbedded(config);
        } catch (...) {
            Disconnect();
            m_dialect.reset();
            throw;
        }
        DbKind = config.dbKind;
        return;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(dialect->QtDriver(), m_connName);
        m_newDatabase = false;
        db.setHostName(config.host);
        db.setPort(config.port);
        db.setDatabaseName(config.database);
        db.setUserName(config.user);
        db.setPassword(config.password);
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
        if (!db.open()) {
            const QString err = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connName);
            throw EWjError(QStringLiteral("无法连接数据库（%1）：%2")
                               .arg(config.host + QLatin1Char(':') + QString::number(config.port) + QLatin1Char('/') + config.database, err));
        }
    }
    m_dialect = std::move(dialect);
    DbKind = config.dbKind;
    ExecuteSQL(QStringLiteral("SET client_min_messages TO WARNING"));
}

namespace {
// SQLite's primary result codes (the driver may report extended ones).
enum SqliteCode { Busy = 5, Locked = 6, ReadOnly = 8, IoErr = 10, Corrupt = 11, CantOpen = 14, NotADb = 26 };

// One clear sentence for a problem of the embedded file itself; "" for any other error.
QString embeddedFailure(const QString &file, const QString &codeText)
{
    bool ok = false;
    const int code = codeText.toInt(&ok) & 0xff;
    const QString f = QDir::toNativeSeparators(file);
    switch (ok ? code : -1) {
    case Busy:
    case Locked:
        return QStringLiteral("数据库文件“%1”正被其他程序（或其他电脑）锁定，暂时无法使用。请稍后再试；"
                              "若一直如此，请关闭正在使用它的程序。").arg(f);
    case ReadOnly:
        return QStringLiteral("数据库文件“%1”是只读的（或它所在的文件夹不允许写入），程序无法保存数据。"
                              "请取消该文件的只读属性或检查文件夹的权限后再启动。").arg(f);
    case Corrupt:
    case NotADb:
        return QStringLiteral("数据库文件“%1”已损坏或不完整（例如只复制了一部分），无法使用。请用备份恢复该文件。").arg(f);
    case CantOpen:
    case IoErr:
        return QStringLiteral("无法读写数据库文件“%1”，请检查该文件和它所在的文件夹是否存在、是否允许读写。").arg(f);
    default:
        return {};
    }
}

// True when the file says it has more pages than it holds: a copy cut short.
bool truncatedDatabase(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray h = f.read(100);
    if (h.size() < 100 || !h.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return false;
    auto be32 = [&h](int at) {
        return (quint32(quint8(h[at])) << 24) | (quint32(quint8(h[at + 1])) << 16) | (quint32(quint8(h[at + 2])) << 8)
               | quint32(quint8(h[at + 3]));
    };
    const quint32 rawSize = (quint32(quint8(h[16])) << 8) | quint32(quint8(h[17]));
    const qint64 pageSize = rawSize == 1 ? 65536 : rawSize;
    // The page count is valid only when the two change counters agree.
    if (be32(24) != be32(92) || pageSize < 512)
        return false;
    return f.size() < qint64(be32(28)) * pageSize;
}
} // namespace

void TDBAction::connectEmbedded(const TWjDbConfig &config)
{
    const QFileInfo fi(config.file);
    const QString f = QDir::toNativeSeparators(config.file);
    if (fi.exists() && !fi.isFile())
        throw EWjError(QStringLiteral("数据库文件“%1”不是一个文件（可能是文件夹），无法打开。请检查 SYS\\WjOptions.ini 中的设置。").arg(f));
    if (fi.exists() && !fi.isReadable())
        throw EWjError(QStringLiteral("没有读取数据库文件“%1”的权限，无法打开。").arg(f));
    if (fi.exists() && truncatedDatabase(config.file))
        throw EWjError(embeddedFailure(config.file, QString::number(Corrupt)));
    QDir().mkpath(fi.absolutePath());
    m_newDatabase = !fi.exists() || fi.size() == 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connName);
        db.setDatabaseName(config.file);
        // Both programs may use the file at once: wait for the other's lock.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(qMax(0, config.busyTimeoutMs)));
        if (!db.open()) {
            const QString err = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connName);
            throw EWjError(QStringLiteral("无法打开数据库文件“%1”：%2").arg(f, err));
        }
    }
    try {
        // Reading the catalogue reads the file's header: a damaged file or one that is
        // no database fails here, before anything is written.
        const int tables = SelectValue(QStringLiteral("select count(*) from sqlite_master where type='table'"), 0).toInt();
        if (tables > 0 && !config.markerTable.isEmpty() && !TableExists(config.markerTable))
            throw EWjError(QStringLiteral("数据库文件“%1”不是本系统的数据库（其中是其他程序的数据），程序不会改动它。"
                                          "请在 SYS\\WjOptions.ini 的 [DB] File 中指定本系统的数据库文件。").arg(f));
        // A write, rolled back: a read-only file or one another program holds says so now
        // rather than at the first save.
        ExecuteSQL(QStringLiteral("BEGIN IMMEDIATE"));
        try {
            ExecuteSQL(QStringLiteral("create table WJ_WRITE_PROBE (x integer)"));
        } catch (...) {
            try { ExecuteSQL(QStringLiteral("ROLLBACK")); } catch (...) {}
            throw;
        }
        ExecuteSQL(QStringLiteral("ROLLBACK"));
        ExecuteSQL(QStringLiteral("PRAGMA journal_mode=WAL"));
        ExecuteSQL(QStringLiteral("PRAGMA synchronous=NORMAL"));
    } catch (const EWjDbError &e) {
        const QString clear = embeddedFailure(config.file, e.Code());
        throw EWjError(!clear.isEmpty() ? clear : QStringLiteral("无法打开数据库文件“%1”：%2").arg(f, e.DriverText()));
    }
}

EWjDbError TDBAction::failure(const QSqlError &error, const QString &sql) const
{
    const QString text = error.text().trimmed();
    if (m_dialect && m_dialect->Name() == QLatin1String("sqlite")) {
        const QString clear = embeddedFailure(Database().databaseName(), error.nativeErrorCode());
        if (!clear.isEmpty())
            return EWjDbError(clear, text, sql, error.nativeErrorCode());
    }
    return EWjDbError(text, sql, error.nativeErrorCode());
}

void TDBAction::Disconnect()
{
    if (!QSqlDatabase::contains(m_connName))
        return;
    // Datasets still reading from this connection read the rest now.
    const auto lazy = m_lazy;
    for (TWjQuery *q : lazy)
        q->FetchAll();
    m_serQuery->Close();
    m_prepared.clear();
    {
        QSqlDatabase db = QSqlDatabase::database(m_connName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connName);
    const bool wasOpen = m_transDepth > 0;
    m_transDepth = 0;
    m_rollbackOnly = false;
    m_onCommit.clear();
    if (wasOpen)
        transactionEnded();
}

bool TDBAction::Connected() const
{
    return QSqlDatabase::contains(m_connName) && QSqlDatabase::database(m_connName, false).isOpen();
}

const TWjDialect &TDBAction::Dialect() const
{
    if (!m_dialect)
        throw EWjError(QStringLiteral("数据库尚未连接。"));
    return *m_dialect;
}

QSqlDatabase TDBAction::Database() const
{
    return QSqlDatabase::database(m_connName, false);
}

void TDBAction::checkConnected(const QString &sql) const
{
    if (!Connected())
        throw EWjDbError(QStringLiteral("数据库尚未连接。"), sql);
}

void TDBAction::CheckText(QStringView text)
{
    if (!WjText::IsClean(text))
        throw EWjError(WjText::InvalidTextMessage());
}

bool TDBAction::IsUniqueViolation(const EWjDbError &e) const
{
    return m_dialect && m_dialect->IsUniqueViolation(e.Code(), e.DriverText());
}

void TDBAction::RunQuery(const QString &sql, QSqlQuery &q)
{
    // The one way every statement text goes (ExecuteSQL, SelectTable, GetSerData,
    // ExecuteCount, SelectValue, datasets opening and writing their changes).
    CheckText(sql);
    checkConnected(sql);
    if (m_filter && !m_filter(sql))
        throw EWjDbError(QStringLiteral("语句被拒绝（测试）"), sql);
    q = QSqlQuery(Database());
    // SQLite steps through the result as it is read. The PostgreSQL driver streams
    // forward-only results row by row and loses them when another statement runs on the
    // connection meanwhile, so there the whole result is taken at once.
    q.setForwardOnly(m_dialect && m_dialect->Name() == QLatin1String("sqlite"));
    // Exact decimals: numeric columns arrive as text, never as binary floating point.
    q.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!q.exec(sql))
        throw failure(q.lastError(), sql);
}

void TDBAction::SelectTable(const QString &sql, TWjQuery &query)
{
    query.SetConnection(this);
    query.Open(sql);
}

void TDBAction::GetSerData(const QString &sql)
{
    SelectTable(sql, *m_serQuery);
}

void TDBAction::ExecuteSQL(const QString &sql)
{
    QSqlQuery q;
    RunQuery(sql, q);
}

void TDBAction::ExecuteSQL(const QString &sql, bool)
{
    ExecuteSQL(sql);
}

void TDBAction::ExecuteSQL(const TWjStatementSource &control, bool)
{
    ExecuteSQL(control.BuildSQL());
}

int TDBAction::ExecuteCount(const QString &sql)
{
    QSqlQuery q;
    RunQuery(sql, q);
    return q.numRowsAffected();
}

int TDBAction::ExecuteBound(const QString &sql, const QVariantList &values)
{
    CheckText(sql);
    for (const QVariant &v : values)
        if (v.typeId() == QMetaType::QString)
            CheckText(v.toString());
    checkConnected(sql);
    if (m_filter && !m_filter(sql))
        throw EWjDbError(QStringLiteral("语句被拒绝（测试）"), sql);
    auto it = m_prepared.find(sql);
    if (it == m_prepared.end()) {
        auto q = std::make_unique<QSqlQuery>(Database());
        q->setForwardOnly(true);
        if (!q->prepare(sql))
            throw failure(q->lastError(), sql);
        it = m_prepared.emplace(sql, std::move(q)).first;
    }
    QSqlQuery &q = *it->second;
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    if (!q.exec())
        throw failure(q.lastError(), sql);
    const int n = q.numRowsAffected();
    q.finish();
    return n;
}

QVariant TDBAction::SelectValue(const QString &sql, const QVariant &def)
{
    QSqlQuery q;
    RunQuery(sql, q);
    if (q.next())
        return q.value(0);
    return def;
}

QString TDBAction::GetTbId(const QString &table, const QString &idColumn)
{
    return QString::number(GetTbIdBlock(table, idColumn, 1));
}

qint64 TDBAction::GetTbIdBlock(const QString &table, const QString &idColumn, int count)
{
    if (count < 1)
        throw EWjError(QStringLiteral("无效的编号数量：%1").arg(count));
    const QString t = WjSql::Ident(table).toUpper();
    const QString c = WjSql::Ident(idColumn).toUpper();
    const QString where = QStringLiteral(" where TBNAME=%1 and IDNAME=%2").arg(QuotedStr(t), QuotedStr(c));
    ExecuteSQL(QStringLiteral("insert into WJ_SYS_TBID(TBNAME,IDNAME,CURID) values(%1,%2,0) on conflict do nothing")
                   .arg(QuotedStr(t), QuotedStr(c)));
    // One statement: atomic against other connections, and never below the stored keys
    // (rows may have been written with keys of their own).
    const QString maxStored = QStringLiteral("(select coalesce(max(%1),0) from %2)").arg(idColumn, table);
    const QVariant v = SelectValue(QStringLiteral("update WJ_SYS_TBID set CURID=%1+%2%3 returning CURID")
                                       .arg(Dialect().Greatest(QStringLiteral("CURID"), maxStored)).arg(count).arg(where));
    if (!v.isValid())
        throw EWjDbError(QStringLiteral("无法取得新的编号"), table);
    return v.toLongLong() - count + 1;
}

bool TDBAction::CheckTbHaveData(const QString &table, const QString &column, const QString &value)
{
    TWjQuery q;
    SelectTable(QStringLiteral("select %1 from %2 where %1=%3").arg(WjSql::Ident(column), WjSql::Ident(table), QuotedStr(value)), q);
    return !q.IsEmpty();
}

QStringList TDBAction::GetDbFileValueToItems(const QString &table, const QString &column, const QString &tail)
{
    TWjQuery q;
    SelectTable(QStringLiteral("select %1 from %2 %3").arg(column, table, tail), q);
    QStringList items;
    for (q.First(); !q.Eof(); q.Next())
        items << q.Fields(0).AsString();
    return items;
}

bool TDBAction::TableExists(const QString &table)
{
    return SelectValue(Dialect().TableExistsSql(table), 0).toInt() > 0;
}

void TDBAction::BeginTrans()
{
    if (m_transDepth == 0) {
        ExecuteSQL(Dialect().BeginSql());
        m_rollbackOnly = false;
    }
    ++m_transDepth;
}

void TDBAction::CommitTrans()
{
    if (m_transDepth <= 0)
        throw EWjError(QStringLiteral("没有进行中的事务。"));
    if (m_transDepth == 1) {
        if (m_rollbackOnly) {
            RollbackTrans();
            throw EWjError(QStringLiteral("事务已被撤销，数据未保存。"));
        }
        try {
            ExecuteSQL(QStringLiteral("COMMIT"));
        } catch (...) {
            m_transDepth = 0;
            m_onCommit.clear();
            try { ExecuteSQL(QStringLiteral("ROLLBACK")); } catch (...) {}
            transactionEnded();
            throw;
        }
        m_transDepth = 0;
        auto actions = std::move(m_onCommit);
        m_onCommit.clear();
        for (auto &a : actions)
            a();
        transactionEnded();
        return;
    }
    --m_transDepth;
}

void TDBAction::OnCommit(std::function<void()> action)
{
    if (m_transDepth > 0)
        m_onCommit.push_back(std::move(action));
    else
        action();
}

void TDBAction::AfterTransaction(std::function<void()> action)
{
    if (m_transDepth > 0)
        m_afterTransaction.push_back(std::move(action));
    else
        action();
}

void TDBAction::transactionEnded()
{
    // Whatever waited runs once; an action that opens a transaction of its own queues
    // behind it again.
    auto actions = std::move(m_afterTransaction);
    m_afterTransaction.clear();
    for (auto &a : actions) {
        try {
            a();
        } catch (...) {
            // a message that cannot be shown must not stop the others
        }
    }
}

void TDBAction::RollbackTrans()
{
    if (m_transDepth <= 0)
        return;
    if (m_transDepth == 1) {
        m_transDepth = 0;
        m_rollbackOnly = false;
        m_onCommit.clear();
        auto ended = qScopeGuard([this] { transactionEnded(); });
        ExecuteSQL(QStringLiteral("ROLLBACK"));
        return;
    }
    m_rollbackOnly = true;  // the outermost level undoes everything
    --m_transDepth;
}

QString TDBAction::QuotedStr(const QString &text)
{
    CheckText(text);
    QString s = text;
    s.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

TWjTransaction::TWjTransaction(TDBAction &db) : m_db(db)
{
    m_db.BeginTrans();
}

TWjTransaction::~TWjTransaction()
{
    if (!m_done) {
        try {
            m_db.RollbackTrans();
        } catch (...) {
            // the connection is gone; nothing was committed
        }
    }
}

void TWjTransaction::Commit()
{
    m_done = true;
    m_db.CommitTrans();
}

namespace WjSql {

QString CheckNumber(const QString &text, const QString &caption, int intDigits, int fracDigits)
{
    static const QRegularExpression re(QStringLiteral("^([+-]?)(\\d*)(?:\\.(\\d*))?$"));
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QStringLiteral("0");
    const auto m = re.match(t);
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty()))
        throw EWjError(caption.isEmpty() ? QStringLiteral("“%1”不是有效的数字！").arg(text)
                                         : QStringLiteral("%1必须是数字！").arg(caption));
    QString whole = m.captured(2);
    QString frac = m.captured(3);
    while (whole.size() > 1 && whole.startsWith(QLatin1Char('0')))
        whole.remove(0, 1);
    while (frac.endsWith(QLatin1Char('0')))
        frac.chop(1);
    if (whole.isEmpty())
        whole = QStringLiteral("0");
    if (whole.size() > intDigits || frac.size() > fracDigits)
        throw EWjError(QStringLiteral("%1超出允许的范围（最多%2位整数、%3位小数）！")
                           .arg(caption.isEmpty() ? QStringLiteral("“%1”").arg(text) : caption)
                           .arg(intDigits)
                           .arg(fracDigits));
    QString out = whole;
    if (!frac.isEmpty())
        out += QLatin1Char('.') + frac;
    if (m.captured(1) == QLatin1String("-") && out != QLatin1String("0"))
        out.prepend(QLatin1Char('-'));
    return out;
}

QString CheckInteger(const QString &text, const QString &caption)
{
    static const QRegularExpression re(QStringLiteral("^[+-]?\\d+$"));
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QStringLiteral("0");
    if (!re.match(t).hasMatch())
        throw EWjError(caption.isEmpty() ? QStringLiteral("“%1”不是有效的整数！").arg(text)
                                         : QStringLiteral("%1必须是整数！").arg(caption));
    bool ok = false;
    const qlonglong v = t.size() <= 19 ? t.toLongLong(&ok) : 0;
    if (!ok || v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        throw EWjError(QStringLiteral("%1超出允许的范围（%2 到 %3）！")
                           .arg(caption.isEmpty() ? QStringLiteral("“%1”").arg(text) : caption)
                           .arg(std::numeric_limits<qint32>::min())
                           .arg(std::numeric_limits<qint32>::max()));
    return QString::number(v);
}

QString Ident(const QString &name)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!re.match(name).hasMatch())
        throw EWjError(QStringLiteral("无效的名称：%1").arg(name));
    return name;
}

} // namespace WjSql
