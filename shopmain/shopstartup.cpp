#include "shopstartup.h"
#include "frmmain.h"
#include "schema.h"
#include "wjapplication.h"
#include "wjczy.h"
#include "wjdbaction.h"
#include "wjdialogs.h"
#include "wjerror.h"
#include "wjinifile.h"
#include "wjpath.h"
#include "wjprofun.h"
#include "wjservices.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>

TShopStartPlan PlanStart(const QString &programDir)
{
    TShopStartPlan p;
    const TIniFile ini(WjPath::Resolve(programDir, QStringLiteral("SYS\\WjOptions.ini")));
    p.tag = ini.ReadInteger(QStringLiteral("DT"), QStringLiteral("TAG"), 0);
    p.serverLogin = (p.tag == 1);
    p.dbKind = p.serverLogin ? QStringLiteral("SQLSERVER") : QStringLiteral("ACCESS");
    return p;
}

bool StartSession(const TShopStartPlan &plan, TWjCzy &czy, TDBAction &db)
{
    db.DbKind = plan.dbKind;
    ShopSchema::OpenDatabase(db, TWjDbConfig::FromOptions(czy.ProgramDir, plan.dbKind));
    return plan.serverLogin ? czy.Login_Server(true) : czy.Login(true);
}

QString NavIniPathOf(const TWjCzy &czy)
{
    return czy.NavIniPathOfProduct();
}

int IdleLockInterval(const QString &value)
{
    bool ok = false;
    const int n = value.trimmed().toInt(&ok);
    if (!ok || n <= 0 || n > 357913)  // beyond that the milliseconds overflow
        return 60000;
    return n * 6000;
}

int RunShopMain(int argc, char **argv)
{
    if (!WjApplication::CheckDisplay("ShopMain"))
        return 1;
    WjApplication app(argc, argv);
    app.ApplyDefaultLook();
    // 1. The program folder is the current directory.
    QDir::setCurrent(WjPath::ProgramDir());
    // 2. The session first, then the data access service.
    CurCzy = new TWjCzy(&app);
    CurDBAction = new TDBAction(&app);
    CurCzy->SetDb(CurDBAction);
    WjProFun = new TWjPro_Fun(&app);
    TWjDialogSessionUi ui;
    CurCzy->SetUi(&ui);
    ui.ShowSplash(TWjSoft::ProductTitle());

    // 3-5. Database kind, connection, login; a failed login ends without a window.
    const TShopStartPlan plan = PlanStart(CurCzy->ProgramDir);
    app.DbKindTag = plan.tag;
    const WjStartResult started = WjStartLogin(*CurCzy, [&] { return StartSession(plan, *CurCzy, *CurDBAction); });
    if (started != WjStartResult::LoggedIn)
        return WjStartExitCode(started);
    // 6. The navigation file of the product.
    CurCzy->NavIniPath = NavIniPathOf(*CurCzy);
    // 7, 8. The main window, titled by the product.
    TfrmMain w;
    TWjSoft soft;
    soft.InitSoftImformation();
    w.setWindowTitle(soft.Title);
    // 9. The splash closes and the message loop runs.
    CurCzy->FreeFlashForm();
    if (QScreen *scr = QGuiApplication::primaryScreen())
        w.resize(scr->availableSize());  // where no window manager maximizes
    w.showMaximized();
    const int rc = app.exec();
    CurCzy->SetUi(nullptr);
    return rc;
}
