// The start of PosDesk, in the order the program runs it: database kind from
// "SYS\WjOptions.ini" [DT] "TAG" (1 the server database, 2 a kind this suite has no
// driver for, anything else the embedded one), the connection, the login, the sale
// window. Without a login nobody may sell, so a kind that cannot log in ends the start.
#pragma once
#include <QString>

class TWjCzy;
class TDBAction;

struct TPosStartPlan
{
    int tag = 0;
    QString dbKind;            // "SQLSERVER", "ORACLE" or "ACCESS"
    bool serverLogin = false;  // Login_Server instead of Login
    bool supported = true;     // false: the program says so and ends
};

TPosStartPlan PlanPosStart(const QString &programDir);

// The text shown when the configured kind is not supported.
QString UnsupportedKindText(const TPosStartPlan &plan);

// Connects the database of the plan (creating or upgrading its schema) and logs in.
// Returns false when the login fails or is cancelled; connection errors raise EWjError.
bool StartPosSession(const TPosStartPlan &plan, TWjCzy &czy, TDBAction &db);

// The whole program: returns the exit code.
int RunPosDesk(int argc, char **argv);
