// TfrmMain: ShopMain's main window. The navigation bar on the left; on the right a
// notebook of three pages, "nbPic" (picture, idle and locked), "nbYw" (the work panel
// modules dock into) and "nbHelp" (first-use notes); four status panels below.
#pragma once
#include "modulehost.h"

#include <QMainWindow>
#include <memory>

class QLabel;
class QStackedWidget;
class QTextBrowser;
class QTimer;
class QTreeWidget;
class QFrame;
class TWjOutlookBar;
class TWjPuFlag;
class TWjBhgl;
class TOptions;
class TWjSoft;

class TfrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfrmMain(QWidget *parent = nullptr);
    ~TfrmMain() override;

    // The page shown: "nbPic", "nbYw" or "nbHelp".
    QString CurrentPage() const;
    void ShowPage(const QString &name);

    // A click on the navigation item `caption` (also the start item). Errors reach
    // the general error report.
    void ItemClick(const QString &caption);
    void OpenItem(const QString &caption);  // the same, raising errors

    // Status panels 1 and 2 from the session (window creation, operator change).
    void BuildStatusPanels();
    // "更换操作员"
    void ChangeOperator();
    // "软件挂起": the picture page while the lock window is up, the work page after.
    void Lock();

    TWjModuleHost &Host() { return m_host; }
    TWjOutlookBar *NavBar() const { return m_bar; }
    QWidget *WorkPanel() const;
    QLabel *StatusPanel(int i) const { return m_status[i]; }
    QTimer *IdleTimer() const { return m_idleTimer; }
    QTimer *FirstTickTimer() const { return m_firstTick; }
    QTextBrowser *HelpBrowser() const { return m_help; }

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void buildMenus();
    void firstTick();
    void openStartItem();
    void recolour();

    TWjOutlookBar *m_bar;
    QStackedWidget *m_pages;
    QFrame *m_pnYw;
    QFrame *m_pnSkin;
    QTreeWidget *m_tvTj;
    QLabel *m_picture;
    QTextBrowser *m_help;
    QLabel *m_status[4];
    QTimer *m_firstTick;
    QTimer *m_idleTimer;
    TWjPuFlag *m_puFlag;
    TWjBhgl *m_bhgl;
    TOptions *m_options;
    TWjSoft *m_soft;
    TWjModuleHost m_host;
    bool m_shownOnce = false;
    bool m_closing = false;
};
