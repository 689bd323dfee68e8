// What the benchmark programs share: a prompter that answers Yes and reports any other
// message (a benchmark that meets one measures the wrong path), failing out, medians,
// and the databases to measure on: an embedded file always, and the PostgreSQL server
// that WJ_BENCH_PGHOST/PGPORT/PGUSER/PGDATABASE name (scripts/run-bench.sh starts one
// when run as root), in a schema of its own that is dropped afterwards.
#pragma once
#include "schema.h"
#include "wjdbaction.h"
#include "wjpath.h"
#include "wjprompter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QUuid>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

class BenchPrompter : public TWjPrompter
{
public:
    bool Show(Kind kind, const QString &, const QString &text) override
    {
        if (kind != Kind::Question)
            std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
        return true;
    }
};

[[noreturn]] inline void BenchFail(const QString &what)
{
    std::fprintf(stderr, "%s\n", qPrintable(what));
    std::exit(1);
}

inline double BenchMedian(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

inline double BenchMs(const QElapsedTimer &t) { return double(t.nsecsElapsed()) / 1e6; }

// A program folder in `dir` with sys/ and data/, holding copies of the shipped sys files
// named (from `sourceDir`/sys), made the session's ProgramDir.
inline void BenchProgramDir(const QTemporaryDir &dir, const QString &sourceDir, const QStringList &sysFiles)
{
    WjPath::SetProgramDir(dir.path());
    QDir().mkpath(dir.path() + QStringLiteral("/sys"));
    QDir().mkpath(dir.path() + QStringLiteral("/data"));
    for (const QString &f : sysFiles)
        QFile::copy(sourceDir + QStringLiteral("/sys/") + f, dir.path() + QStringLiteral("/sys/") + f);
}

// Runs `measure` on a fresh embedded database (label "sqlite") and, when a server is
// named, on PostgreSQL ("postgres"); CurDBAction is the database while it runs.
inline void ForEachBenchDatabase(const std::function<void(TDBAction &, const char *label)> &measure)
{
    {
        QTemporaryDir dir;
        TDBAction db;
        CurDBAction = &db;
        TWjDbConfig c;
        c.dbKind = QStringLiteral("ACCESS");
        c.file = dir.path() + QStringLiteral("/bench.db");
        db.Connect(c);
        ShopSchema::Upgrade(db, false);
        measure(db, "sqlite");
        CurDBAction = nullptr;
    }
    const QString port = qEnvironmentVariable("WJ_BENCH_PGPORT");
    if (port.isEmpty()) {
        std::printf("postgres   (skipped: set WJ_BENCH_PGHOST/PGPORT/PGUSER/PGDATABASE, or run make bench as root)\n");
        return;
    }
    TDBAction db;
    CurDBAction = &db;
    TWjDbConfig c;
    c.dbKind = QStringLiteral("SQLSERVER");
    c.host = qEnvironmentVariable("WJ_BENCH_PGHOST", QStringLiteral("127.0.0.1"));
    c.port = port.toInt();
    c.user = qEnvironmentVariable("WJ_BENCH_PGUSER", QStringLiteral("postgres"));
    c.database = qEnvironmentVariable("WJ_BENCH_PGDATABASE", QStringLiteral("shop_bench"));
    db.Connect(c);
    const QString schema = QStringLiteral("bench_") + QUuid::createUuid().toString(QUuid::Id128).left(12);
    db.ExecuteSQL(QStringLiteral("create schema ") + schema);
    db.ExecuteSQL(QStringLiteral("set search_path to ") + schema);
    ShopSchema::Upgrade(db, false);
    measure(db, "postgres");
    db.ExecuteSQL(QStringLiteral("set search_path to public"));
    db.ExecuteSQL(QStringLiteral("drop schema ") + schema + QStringLiteral(" cascade"));
    CurDBAction = nullptr;
}
