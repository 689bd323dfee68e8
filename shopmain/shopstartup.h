// The start of ShopMain, in the order the program runs it: database kind from
// "SYS\WjOptions.ini" [DT] "TAG" (1 the server database, anything else the embedded
// one), the database connection, the login, the navigation file path.
#pragma once
#include <QString>

class TWjCzy;
class TDBAction;

struct TShopStartPlan
{
    int tag = 0;
    QString dbKind;        // "SQLSERVER" or "ACCESS"
    bool serverLogin = false;  // Login_Server instead of Login
};

// Reads "TAG" under the program folder (missing file or key: 0, the embedded database).
TShopStartPlan PlanStart(const QString &programDir);

// Connects the database of the plan (creating or upgrading its schema) and logs in.
// Returns false when the login fails or is cancelled; connection errors raise EWjError.
bool StartSession(const TShopStartPlan &plan, TWjCzy &czy, TDBAction &db);

// ProgramDir + "sys\SYS_" + SysCode + ".ini", resolved to a real path.
QString NavIniPathOf(const TWjCzy &czy);

// Idle-lock interval from the parameter text: N x 6000 ms; 60000 ms when the text is
// not a number (or not a positive one).
int IdleLockInterval(const QString &value);

// The whole program: returns the exit code.
int RunShopMain(int argc, char **argv);
