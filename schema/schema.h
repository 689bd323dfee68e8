// The shop's database schema: versioned steps for each dialect, the rows every
// database holds, and the demo data set.
//
// Step N is "<dialect>/NNNN_name.sql" (tables and views), then "seed/NNNN_name.sql"
// (rows every database needs) and, on a demo database, "demo/NNNN_name.sql". Each
// step runs in one transaction and is recorded in WJ_SYS_VERSION, so an existing
// database gets exactly the steps it lacks, whatever their numbers. A step relies only
// on lower-numbered steps. Later features add steps; nothing edits a step that has shipped.
#pragma once
#include <QtCore/qglobal.h>
#include <QString>
#include <QList>
#include <QStringList>

#if defined(SHOPSCHEMA_LIBRARY)
#define SHOPSCHEMA_EXPORT Q_DECL_EXPORT
#else
#define SHOPSCHEMA_EXPORT Q_DECL_IMPORT
#endif

class TDBAction;
struct TWjDbConfig;

namespace ShopSchema {

// The newest step this build knows.
SHOPSCHEMA_EXPORT int LatestVersion();
// The steps recorded in the database, ascending.
SHOPSCHEMA_EXPORT QList<int> AppliedSteps(TDBAction &db);
// The highest step the database has (0 for an empty database).
SHOPSCHEMA_EXPORT int CurrentVersion(TDBAction &db);
// Applies the missing steps; with `demo` a database without any step is marked as a
// demo database and gets the demo rows of every step, now and in later upgrades.
// Raises EWjError when the database is newer than this build. Then creates the unique
// indexes the rows allow (EnsureUniqueIndexes) and returns its notices.
SHOPSCHEMA_EXPORT QStringList Upgrade(TDBAction &db, bool demo);
// Unique indexes that a database of an older version may not be able to take yet,
// because rows that break them came in before them (a barcode stored for two goods):
// each is created once its rows allow it, on this or a later start. Returns one
// notice per index still missing, naming the values stored more than once.
SHOPSCHEMA_EXPORT QStringList EnsureUniqueIndexes(TDBAction &db);
// Connects `db` for the kind of `config`, upgrades it and shows the notices (through
// the prompter, once no transaction is open).
SHOPSCHEMA_EXPORT void OpenDatabase(TDBAction &db, const TWjDbConfig &config);
// The statements of one script (split at ';' ending a line, comments dropped).
SHOPSCHEMA_EXPORT QStringList SplitStatements(const QString &script);
// Names of the step files of a folder ("sqlite", "postgres", "seed", "demo").
SHOPSCHEMA_EXPORT QStringList StepFiles(const QString &folder);

} // namespace ShopSchema
