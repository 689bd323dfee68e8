#include "wjdbaction.h"
#include "wjerror.h"
#include "wjinifile.h"
#include "wjpath.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

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

    {
        QSqlDatabase db = QSqlDatabase::addDatabase(dialect->QtDriver(), m_connName);
        if (dialect->Name() == QLatin1String("sqlite")) {
            QDir().mkpath(QFileInfo(config.file).absolutePath());
            m_newDatabase = !QFileInfo::exists(config.file) || QFileInfo(config.file).size() == 0;
            db.setDatabaseName(config.file);
            // Both programs may use the file at once: wait for the other's lock.
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        } else {
            m_newDatabase = false;
            db.setHostName(config.host);
            db.setPort(config.port);
            db.setDatabaseName(config.database);
            db.setUserName(config.user);
            db.setPassword(config.password);
            db.setConnectOptions(QStringLiteral("connect_timeout=10"));
        }
        if (!db.open()) {
            const QString err = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connName);
            throw EWjError(QStringLiteral("无法连接数据库（%1）：%2")
                               .arg(dialect->Name() == QLatin1String("sqlite") ? config.file
                                    : config.host + QLatin1Char(':') + QString::number(config.port) + QLatin1Char('/') + config.database,
                                    err));
        }
    }
    m_dialect = std::move(dialect);
    DbKind = config.dbKind;
    if (m_dialect->Name() == QLatin1String("sqlite")) {
        ExecuteSQL(QStringLiteral("PRAGMA journal_mode=WAL"));
        ExecuteSQL(QStringLiteral("PRAGMA synchronous=NORMAL"));
    } else {
        ExecuteSQL(QStringLiteral("SET client_min_messages TO WARNING"));
    }
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
    m_transDepth = 0;
    m_rollbackOnly = false;
    m_onCommit.clear();
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

void TDBAction::RunQuery(const QString &sql, QSqlQuery &q)
{
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
        throw EWjDbError(q.lastError().text().trimmed(), sql);
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
    checkConnected(sql);
    if (m_filter && !m_filter(sql))
        throw EWjDbError(QStringLiteral("语句被拒绝（测试）"), sql);
    auto it = m_prepared.find(sql);
    if (it == m_prepared.end()) {
        auto q = std::make_unique<QSqlQuery>(Database());
        q->setForwardOnly(true);
        if (!q->prepare(sql))
            throw EWjDbError(q->lastError().text().trimmed(), sql);
        it = m_prepared.emplace(sql, std::move(q)).first;
    }
    QSqlQuery &q = *it->second;
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    if (!q.exec())
        throw EWjDbError(q.lastError().text().trimmed(), sql);
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
            throw;
        }
        m_transDepth = 0;
        auto actions = std::move(m_onCommit);
        m_onCommit.clear();
        for (auto &a : actions)
            a();
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

void TDBAction::RollbackTrans()
{
    if (m_transDepth <= 0)
        return;
    if (m_transDepth == 1) {
        m_transDepth = 0;
        m_rollbackOnly = false;
        m_onCommit.clear();
        ExecuteSQL(QStringLiteral("ROLLBACK"));
        return;
    }
    m_rollbackOnly = true;  // the outermost level undoes everything
    --m_transDepth;
}

QString TDBAction::QuotedStr(const QString &text)
{
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

QString CheckNumber(const QString &text, const QString &caption)
{
    static const QRegularExpression re(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QStringLiteral("0");
    if (!re.match(t).hasMatch())
        throw EWjError(caption.isEmpty() ? QStringLiteral("“%1”不是有效的数字！").arg(text)
                                         : QStringLiteral("%1必须是数字！").arg(caption));
    return t.startsWith(QLatin1Char('+')) ? t.mid(1) : t;
}

QString CheckInteger(const QString &text, const QString &caption)
{
    static const QRegularExpression re(QStringLiteral("^[+-]?\\d{1,18}$"));
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QStringLiteral("0");
    if (!re.match(t).hasMatch())
        throw EWjError(caption.isEmpty() ? QStringLiteral("“%1”不是有效的整数！").arg(text)
                                         : QStringLiteral("%1必须是整数！").arg(caption));
    return QString::number(t.toLongLong());
}

QString Ident(const QString &name)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!re.match(name).hasMatch())
        throw EWjError(QStringLiteral("无效的名称：%1").arg(name));
    return name;
}

} // namespace WjSql
