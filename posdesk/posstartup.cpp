#include "posstartup.h"
#include "frmposmain.h"
#include "schema.h"
#include "wjapplication.h"
#include "wjczy.h"
#include "wjdbaction.h"
#include "wjdialogs.h"
#include "wjerror.h"
#include "wjinifile.h"
#include "wjpath.h"
#include "wjprompter.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>

TPosStartPlan PlanPosStart(const QString &programDir)
{
    TPosStartPlan p;
    const TIniFile ini(WjPath::Resolve(programDir, QStringLiteral("SYS\\WjOptions.ini")));
    p.tag = ini.ReadInteger(QStringLiteral("DT"), QStringLiteral("TAG"), 0);
    switch (p.tag) {
    case 1:
        p.dbKind = QStringLiteral("SQLSERVER");
        p.serverLogin = true;
        break;
    case 2:
        p.dbKind = QStringLiteral("ORACLE");
        p.supported = false;
        break;
    default:
        p.dbKind = QStringLiteral("ACCESS");
        break;
    }
    return p;
}

QString UnsupportedKindText(const TPosStartPlan &plan)
{
    return QStringLiteral("不支持所配置的数据库类型“%1”（SYS\\WjOptions.ini [DT] TAG=%2），前台销售管理系统不能启动。\n"
                          "请把 TAG 设为 0（本机数据库）或 1（服务器数据库）。")
        .arg(plan.dbKind)
        .arg(plan.tag);
}

bool StartPosSession(const TPosStartPlan &plan, TWjCzy &czy, TDBAction &db)
{
    if (!plan.supported)
        throw EWjError(UnsupportedKindText(plan));
    db.DbKind = plan.dbKind;
    ShopSchema::OpenDatabase(db, TWjDbConfig::FromOptions(czy.ProgramDir, plan.dbKind));
    return plan.serverLogin ? czy.Login_Server(true) : czy.Login(true);
}

int RunPosDesk(int argc, char **argv)
{
    if (!WjApplication::CheckDisplay("PosDesk"))
        return 1;
    WjApplication app(argc, argv);
    app.ApplyDefaultLook();
    QCoreApplication::setApplicationName(QStringLiteral("销售"));
    // The program folder is the current directory.
    QDir::setCurrent(WjPath::ProgramDir());
    // The session first, then the data access service.
    CurCzy = new TWjCzy(&app);
    CurDBAction = new TDBAction(&app);
    CurCzy->SetDb(CurDBAction);
    TWjDialogSessionUi ui;
    CurCzy->SetUi(&ui);

    const TPosStartPlan plan = PlanPosStart(CurCzy->ProgramDir);
    app.DbKindTag = plan.tag;
    if (!plan.supported) {
        Prompter().Error(UnsupportedKindText(plan), QStringLiteral("提示"));
        return 1;
    }
    ui.ShowSplash(TfrmMain::ProductTitle());
    const WjStartResult started = WjStartLogin(*CurCzy, [&] { return StartPosSession(plan, *CurCzy, *CurDBAction); });
    if (started != WjStartResult::LoggedIn)
        return WjStartExitCode(started);
    CurCzy->NavIniPath = CurCzy->NavIniPathOfProduct();
    TfrmMain w;
    CurCzy->FreeFlashForm();
    if (QScreen *scr = QGuiApplication::primaryScreen())
        w.resize(scr->availableSize());  // where no window manager maximizes
    w.showMaximized();
    const int rc = app.exec();
    CurCzy->SetUi(nullptr);
    return rc;
}
