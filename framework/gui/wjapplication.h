// WjApplication: the programs' application object.
//
// It installs the message-box prompter and the print service, loads Qt's own Chinese
// texts (standard buttons, file and print dialogs), and is the general error report:
// an error that nobody caught while an event was handled (a click, a key, a timer)
// ends that action and reaches the user in one error box; the program goes on.
#pragma once
#include "wjguiglobal.h"
#include "wjprompter.h"
#include <QApplication>
#include <functional>

// Message boxes with the system's captions and Chinese button texts.
class WJGUI_EXPORT TWjMessagePrompter : public TWjPrompter
{
public:
    bool Show(Kind kind, const QString &caption, const QString &text) override;
    bool Input(const QString &caption, const QString &label, QString *value, bool password) override;
    int Choose(const QString &caption, const QString &label, const QStringList &items) override;
};

class WJGUI_EXPORT WjApplication : public QApplication
{
    Q_OBJECT
public:
    WjApplication(int &argc, char **argv);
    ~WjApplication() override;
    bool notify(QObject *receiver, QEvent *event) override;

    // The database-kind number read at start ("TAG"), for the whole process.
    int DbKindTag = 0;

    // True when a display is there to show windows on; otherwise prints one line.
    static bool CheckDisplay(const char *program);

    // Applies the programs' font and look.
    void ApplyDefaultLook();

    // Loads Qt's Chinese translations ("qtbase_zh_CN" from Qt's translations folder)
    // into the application and makes Chinese the default locale; false when the
    // translation file is not installed (the standard dialogs then stay English).
    static bool InstallChineseTranslations();

private:
    TWjMessagePrompter m_prompter;
};

class TWjCzy;

// The start's connection and login. An error is shown and gives Failed; a login that
// fails or is cancelled gives Cancelled; either way the splash is closed.
enum class WjStartResult { LoggedIn, Cancelled, Failed };
WJGUI_EXPORT WjStartResult WjStartLogin(TWjCzy &czy, const std::function<bool()> &connectAndLogin);
// The exit code of a start that ended before the main window.
inline int WjStartExitCode(WjStartResult r) { return r == WjStartResult::Failed ? 1 : 0; }

// Runs `action`, sending any error to the general error report; true when it finished.
template <typename F>
bool WjRunAction(F &&action)
{
    try {
        action();
        return true;
    } catch (const std::exception &e) {
        ReportError(e);
        return false;
    }
}
