// The session's dialogs: login, new password, and the splash shown while starting.
#pragma once
#include "wjczy.h"
#include "wjguiglobal.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QLabel;
class QSplashScreen;

class WJGUI_EXPORT TfrmLogin : public QDialog
{
    Q_OBJECT
public:
    TfrmLogin(const QStringList &operators, QWidget *parent = nullptr);
    QString Name() const;
    QString Password() const;
    QComboBox *cbName;
    QLineEdit *edPassword;
};

class WJGUI_EXPORT TfrmNewPassword : public QDialog
{
    Q_OBJECT
public:
    TfrmNewPassword(const QString &name, const QString &reason, QWidget *parent = nullptr);
    QString Password() const;
    QLineEdit *edPassword1;
    QLineEdit *edPassword2;

public slots:
    void accept() override;  // refuses an empty password and two different ones
};

// TWjSessionUi over the dialogs above.
class WJGUI_EXPORT TWjDialogSessionUi : public TWjSessionUi
{
public:
    ~TWjDialogSessionUi() override;
    bool AskCredentials(const QStringList &operators, QString *name, QString *password) override;
    bool AskNewPassword(const QString &name, const QString &reason, QString *password) override;
    void ShowSplash(const QString &title);
    void CloseSplash() override;

private:
    QSplashScreen *m_splash = nullptr;
};
