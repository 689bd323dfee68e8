// The one place every message box and question of the system goes through.
//
// Windows and components call Prompter().Warning(...), Question(...) and so on; the
// GUI library installs a message-box prompter at start, tests install a scripted one
// (tests/support) that answers questions and records what was shown. Core code that
// has no prompter installed gets one that writes to stderr and answers No.
#pragma once
#include "wjglobal.h"
#include <QString>

class WJCORE_EXPORT TWjPrompter
{
public:
    enum class Kind { Information, Warning, Error, Question };
    virtual ~TWjPrompter() = default;

    // Every call lands here. For questions the result is true for Yes.
    virtual bool Show(Kind kind, const QString &caption, const QString &text) = 0;

    // Asks for a line of text (password, quantity); false when cancelled.
    virtual bool Input(const QString &caption, const QString &label, QString *value, bool password);

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

WJCORE_EXPORT TWjPrompter &Prompter();
// Installs `p` (not owned) and returns the previous one; nullptr restores the default.
WJCORE_EXPORT TWjPrompter *SetPrompter(TWjPrompter *p);

// The general error report: what reaches the user when an action fails with an error
// nobody caught. Shows the text in one error box; EWjAbort shows nothing.
WJCORE_EXPORT void ReportError(const std::exception &e);
