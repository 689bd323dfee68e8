// TfrmSysGq: the lock window ("软件挂起") of both programs. While it is shown nothing
// else of the program can be used; it closes only for the logged-in operator's
// password, compared as typed (spaces included) by the session (TWjCzy::CheckPassword,
// which also counts wrong tries and makes them wait). Esc and the window frame do not
// close it, and its "退出系统" button does nothing.
#pragma once
#include "wjguiglobal.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// The red banner that scrolls its text from right to left.
class WJGUI_EXPORT TWjScrollBanner : public QWidget
{
    Q_OBJECT
public:
    TWjScrollBanner(const QString &text, QWidget *parent = nullptr);
    QString Text() const { return m_text; }
    int Offset() const { return m_offset; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;
    void showEvent(QShowEvent *) override;
    void hideEvent(QHideEvent *) override;

private:
    void step();
    QString m_text;
    int m_offset = 0;
    QTimer *m_timer;
};

class WJGUI_EXPORT TfrmSysGq : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmSysGq(QWidget *parent = nullptr);

    TWjScrollBanner *Banner;
    QLineEdit *edPassword;
    QPushButton *btnEnter;  // "重新进入软件"
    QPushButton *btnExit;   // "退出系统"

    // "重新进入软件": closes the window when the password is the operator's.
    void TryEnter();

public slots:
    void reject() override;  // stays locked

protected:
    void closeEvent(QCloseEvent *e) override;
};

// Shows the lock window modally; returns once the operator has unlocked it.
WJGUI_EXPORT void RunSysGq(QWidget *parent = nullptr);
