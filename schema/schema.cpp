#include "schema.h"
#include "wjdbaction.h"
#include "wjerror.h"
#include "wjprompter.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QMap>
#include <QRegularExpression>

namespace ShopSchema {
namespace {

// step number -> resource path, for one folder
QMap<int, QString> steps(const QString &folder)
{
    QMap<int, QString> r;
    static const QRegularExpression re(QStringLiteral("^(\\d{4})_.*\\.sql$"));
    const QDir dir(QStringLiteral(":/schema/") + folder);
    for (const QString &f : dir.entryList(QDir::Files, QDir::Name)) {
        const auto m = re.match(f);
        if (m.hasMatch())
            r.insert(m.captured(1).toInt(), dir.filePath(f));
    }
    return r;
}

QString readScript(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw EWjError(QStringLiteral("无法读取数据库脚本 %1").arg(path));
    return QString::fromUtf8(f.readAll());
}

void runScript(TDBAction &db, const QString &path)
{
    for (const QString &st : SplitStatements(readScript(path)))
        db.ExecuteSQL(st);
}

bool isDemo(TDBAction &db)
{
    return db.SelectValue(QStringLiteral("select PVALUE from WJ_SYS_PARAM where PGROUP='系统' and PNAME='演示数据'")).toString()
           == QLatin1String("1");
}

} // namespace

QStringList SplitStatements(const QString &script)
{
    QStringList out;
    QString cur;
    const QStringList lines = script.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().startsWith(QLatin1String("--")))
            continue;
        cur += line + QLatin1Char('\n');
        if (line.trimmed().endsWith(QLatin1Char(';'))) {
            QString st = cur.trimmed();
            st.chop(1);
            if (!st.trimmed().isEmpty())
                out << st.trimmed();
            cur.clear();
        }
    }
    if (!cur.trimmed().isEmpty())
        out << cur.trimmed();
    return out;
}

QStringList StepFiles(const QString &folder)
{
    QStringList r;
    for (const QString &p : steps(folder))
        r << QFileInfo(p).fileName();
    return r;
}

QList<int> AppliedSteps(TDBAction &db);

int LatestVersion()
{
    const auto s = steps(QStringLiteral("sqlite"));
    return s.isEmpty() ? 0 : s.lastKey();
}

int CurrentVersion(TDBAction &db)
{
    const QList<int> applied = AppliedSteps(db);
    return applied.isEmpty() ? 0 : applied.last();
}

QList<int> AppliedSteps(TDBAction &db)
{
    QList<int> r;
    if (!db.TableExists(QStringLiteral("WJ_SYS_VERSION")))
        return r;
    TWjQuery q;
    db.SelectTable(QStringLiteral("select VER from WJ_SYS_VERSION order by VER"), q);
    for (q.First(); !q.Eof(); q.Next())
        r << q.Fields(0).AsInteger();
    return r;
}

namespace {
struct PendingUnique {
    int step;            // the step that asks for the index
    const char *index, *table, *column;
    const char *what;    // what the column holds, for the notice
    const char *where;   // where the user mends the rows
};
const PendingUnique kPendingUnique[] = {
    {7, "UX_Jb_Goods_Tm_Txm", "Jb_Goods_Tm", "Txm", "商品条码", "商品资料（商品属性管理）"},
};
constexpr int kListed = 20;  // values named in a notice
} // namespace

QStringList EnsureUniqueIndexes(TDBAction &db)
{
    QStringList notices;
    const QList<int> applied = AppliedSteps(db);
    for (const PendingUnique &u : kPendingUnique) {
        if (!applied.contains(u.step) || db.SelectValue(db.Dialect().IndexExistsSql(QLatin1String(u.index)), 0).toInt() > 0)
            continue;
        TWjQuery dup;
        db.SelectTable(QStringLiteral("select %1, count(*) as N from %2 group by %1 having count(*)>1 order by %1")
                           .arg(QLatin1String(u.column), QLatin1String(u.table)),
                       dup);
        if (dup.IsEmpty()) {
            try {
                db.ExecuteSQL(QStringLiteral("create unique index if not exists %1 on %2(%3)")
                                  .arg(QLatin1String(u.index), QLatin1String(u.table), QLatin1String(u.column)));
            } catch (const EWjDbError &) {
                // another workstation stored a duplicate meanwhile: the next start tries again
            }
            continue;
        }
        QStringList values;
        const int total = dup.RecordCount();
        for (dup.First(); !dup.Eof() && values.size() < kListed; dup.Next()) {
            const QString v = dup.Fields(0).AsString();
            values << QStringLiteral("%1（%2处）").arg(v.isEmpty() ? QStringLiteral("空值") : v).arg(dup.Fields(1).AsInteger());
        }
        if (total > kListed)
            values << QStringLiteral("等共%1个").arg(total);
        notices << QStringLiteral("以下%1被重复使用：%2。\n重复的%1无法确定指的是哪一条资料，请在%3中修改，"
                                  "改好后程序下次启动时会自动加上%1不能重复的限制。")
                       .arg(QString::fromUtf8(u.what), values.join(QStringLiteral("、")),
                            QString::fromUtf8(u.where));
    }
    return notices;
}

QStringList Upgrade(TDBAction &db, bool demo)
{
    const QString dialect = db.Dialect().Name();
    const auto ddl = steps(dialect);
    const auto seed = steps(QStringLiteral("seed"));
    const auto demoRows = steps(QStringLiteral("demo"));
    const QList<int> applied = AppliedSteps(db);
    for (int v : applied)
        if (!ddl.contains(v))
            throw EWjError(QStringLiteral("数据库版本（%1）比本程序（%2）新，请先升级程序。").arg(v).arg(LatestVersion()));
    const bool fresh = applied.isEmpty();
    // Every step the database lacks, in order: a step that arrived later with a lower
    // number than steps already applied is still applied.
    for (auto it = ddl.begin(); it != ddl.end(); ++it) {
        if (applied.contains(it.key()))
            continue;
        TWjTransaction tr(db);
        if (!db.TableExists(QStringLiteral("WJ_SYS_VERSION")))
            db.ExecuteSQL(QStringLiteral("create table WJ_SYS_VERSION (VER integer not null primary key, APPLIED varchar(19) not null)"));
        runScript(db, it.value());
        if (seed.contains(it.key()))
            runScript(db, seed.value(it.key()));
        if (fresh && demo && it.key() == 1)
            db.ExecuteSQL(QStringLiteral("insert into WJ_SYS_PARAM(PGROUP,PNAME,PVALUE,PNOTE) values('系统','演示数据','1','演示数据库')"));
        if (demoRows.contains(it.key()) && isDemo(db))
            runScript(db, demoRows.value(it.key()));
        db.ExecuteSQL(QStringLiteral("insert into WJ_SYS_VERSION(VER,APPLIED) values(%1,%2)")
                          .arg(it.key())
                          .arg(TDBAction::QuotedStr(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")))));
        tr.Commit();
    }
    return EnsureUniqueIndexes(db);
}

void OpenDatabase(TDBAction &db, const TWjDbConfig &config)
{
    db.Connect(config);
    const bool demo = config.demoData && (db.IsNewDatabase() || CurrentVersion(db) == 0);
    for (const QString &notice : Upgrade(db, demo))
        Prompter().Warning(notice);
}

} // namespace ShopSchema
