// WjApplication: the programs' application object.
//
// It installs the message-box prompter and is the general error report: an error that
// nobody caught while an event was handled (a click, a key, a timer) ends that action
// and reaches the user in one error box; the program goes on.
#pragma once
#include "wjguiglobal.h"
#include "wjprompter.h"
#include <QApplication>

// Message boxes with the system's captions and Chinese button texts.
class WJGUI_EXPORT TWjMessagePrompter : public TWjPrompter
{
public:
    bool Show(Kind kind, const QString &caption, const QString &text) override;
    bool Input(const QString &caption, const QString &label, QString *value, bool password) override;
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

private:
    TWjMessagePrompter m_prompter;
};

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
