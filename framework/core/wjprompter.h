// The one place every message box and question of the system goes through.
//
// Windows and components call Prompter().Warning(...), Question(...) and so on; the
// GUI library installs a message-box prompter at start, tests install a scripted one
// (tests/support) that answers questions and records what was shown. Core code that
// has no prompter installed gets one that writes to stderr and answers No.
//
// Nothing is shown while the program holds an open transaction (on the embedded
// database that would stop every other workstation for as long as the box stays up):
// Prompter() hands out a gate in front of the installed prompter. A message, warning or
// error asked for inside a transaction is held back and shown as soon as the
// transaction has ended (committed or rolled back); a question, an input or a choice,
// whose answer the code inside the transaction would need, is a programming error and
// raises EWjError, which rolls the transaction back.
#pragma once
#include "wjglobal.h"
#include <QString>
#include <QStringList>

class WJCORE_EXPORT TWjPrompter
{
public:
    enum class Kind { Information, Warning, Error, Question };
    virtual ~TWjPrompter() = default;

    // Every call lands here. For questions the result is true for Yes.
    virtual bool Show(Kind kind, const QString &caption, const QString &text) = 0;

    // Asks for a line of text (password, quantity); false when cancelled.
    virtual bool Input(const QString &caption, const QString &label, QString *value, bool password);
    // Asks which of `items` is meant; the index chosen, -1 when cancelled.
    virtual int Choose(const QString &caption, const QString &label, const QStringList &items);

    // "提示" warning with an OK button: refusals and validation failures.
    void Warning(const QString &text, const QString &caption = QStringLiteral("提示"))
    { Show(Kind::Warning, caption, text); }
    void Information(const QString &text, const QString &caption = QStringLiteral("提示"))
    { Show(Kind::Information, caption, text); }
    void Error(const QString &text, const QString &caption = QStringLiteral("错误"))
    { Show(Kind::Error, caption, text); }
    // Yes/No question with the question icon; No ends the action with nothing changed.
    bool Question(const QString &text, const QString &caption = QStringLiteral("提示"))
    { return Show(Kind::Question, caption, text); }
};

// The gate in front of the installed prompter (see above).
WJCORE_EXPORT TWjPrompter &Prompter();
// Installs `p` (not owned) and returns the previous one; nullptr restores the default.
WJCORE_EXPORT TWjPrompter *SetPrompter(TWjPrompter *p);

// The general error report: what reaches the user when an action fails with an error
// nobody caught. Shows the text in one error box; EWjAbort shows nothing.
WJCORE_EXPORT void ReportError(const std::exception &e);
