#include "frmmain.h"
#include "shopstartup.h"
#include "frmsysgq.h"
#include "wjapplication.h"
#include "wjczy.h"
#include "wjdbaction.h"
#include "wjinifile.h"
#include "wjmht.h"
#include "wjoutlookbar.h"
#include "wjpath.h"
#include "wjprofun.h"
#include "wjprompter.h"
#include "wjservices.h"
#include "wjskin.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
TWjPro_Fun &runner()
{
    if (!WjProFun)
        WjProFun = new TWjPro_Fun(QCoreApplication::instance());
    return *WjProFun;
}
} // namespace

TfrmMain::TfrmMain(QWidget *parent)
    : QMainWindow(parent), m_host(nullptr, runner())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(TWjSoft::ProductTitle());
    m_options = new TOptions(this);
    m_puFlag = new TWjPuFlag(this);
    m_bhgl = new TWjBhgl(this);
    m_soft = new TWjSoft(this);

    // Left: navigation bar and splitter; client: the notebook.
    auto *split = new QSplitter(this);
    split->setObjectName(QStringLiteral("Splitter1"));
    m_bar = new TWjOutlookBar(split);
    m_pages = new QStackedWidget(split);
    m_pages->setObjectName(QStringLiteral("Notebook1"));
    split->addWidget(m_bar);
    split->addWidget(m_pages);
    split->setStretchFactor(1, 1);
    split->setChildrenCollapsible(false);
    setCentralWidget(split);

    auto *pic = new QWidget;
    pic->setObjectName(QStringLiteral("nbPic"));
    auto *picLay = new QVBoxLayout(pic);
    picLay->setContentsMargins(0, 0, 0, 0);
    m_picture = new QLabel(pic);
    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->setScaledContents(true);
    m_picture->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    picLay->addWidget(m_picture);
    m_pnSkin = new QFrame(pic);
    m_pnSkin->setObjectName(QStringLiteral("pnSkin"));
    m_pnSkin->hide();
    m_tvTj = new QTreeWidget(pic);
    m_tvTj->setObjectName(QStringLiteral("TvTj"));
    m_tvTj->hide();

    auto *yw = new QWidget;
    yw->setObjectName(QStringLiteral("nbYw"));
    auto *ywLay = new QVBoxLayout(yw);
    ywLay->setContentsMargins(0, 0, 0, 0);
    m_pnYw = new QFrame(yw);
    m_pnYw->setObjectName(QStringLiteral("pnYw"));
    m_pnYw->setFrameShape(QFrame::Panel);
    m_pnYw->setFrameShadow(QFrame::Sunken);
    auto *dock = new QVBoxLayout(m_pnYw);
    dock->setContentsMargins(1, 1, 1, 1);
    ywLay->addWidget(m_pnYw);
    m_host.SetWorkPanel(m_pnYw);

    auto *help = new QWidget;
    help->setObjectName(QStringLiteral("nbHelp"));
    auto *helpLay = new QVBoxLayout(help);
    auto *top = new QHBoxLayout;
    auto *title = new QLabel(QStringLiteral("如果您是首次使用该系统，请详细阅读以下说明："), help);
    QFont tf = title->font();
    tf.setBold(true);
    tf.setPointSize(11);
    title->setFont(tf);
    title->setStyleSheet(QStringLiteral("color: blue;"));
    auto *back = new QLabel(QStringLiteral("<a href=\"#\">单击返回</a>"), help);
    back->setObjectName(QStringLiteral("lbBack"));
    back->setCursor(Qt::PointingHandCursor);
    connect(back, &QLabel::linkActivated, this, [this] { ShowPage(QStringLiteral("nbYw")); });
    top->addWidget(title);
    top->addStretch(1);
    top->addWidget(back);
    helpLay->addLayout(top);
    m_help = new QTextBrowser(help);
    m_help->setObjectName(QStringLiteral("WebBrowser1"));
    m_help->setOpenLinks(false);
    helpLay->addWidget(m_help);

    m_pages->addWidget(pic);
    m_pages->addWidget(yw);
    m_pages->addWidget(help);

    // Status bar: item caption, operator line, session, free.
    for (int i = 0; i < 4; ++i) {
        m_status[i] = new QLabel(this);
        m_status[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_status[i]->setFrameShape(QFrame::Panel);
        m_status[i]->setFrameShadow(QFrame::Sunken);
    }
    m_status[0]->setAlignment(Qt::AlignCenter);
    m_status[2]->setAlignment(Qt::AlignCenter);
    m_status[1]->setFixedWidth(460);
    m_status[2]->setFixedWidth(108);
    m_status[3]->setFixedWidth(250);
    for (int i = 0; i < 4; ++i)
        statusBar()->addWidget(m_status[i], i == 3 ? 1 : 0);

    buildMenus();

    m_firstTick = new QTimer(this);
    m_firstTick->setInterval(100);
    m_firstTick->setSingleShot(false);
    connect(m_firstTick, &QTimer::timeout, this, [this] { WjRunAction([this] { firstTick(); }); });
    m_idleTimer = new QTimer(this);
    m_idleTimer->setInterval(5000);

    // Window creation, in order.
    // 1. The operator's skin.
    TWjSkinStore::Apply(TWjSkinStore::IndexOfId(CurCzy->GetMySkinId()));
    m_pnSkin->setStyleSheet(QStringLiteral("background: %1;").arg(TWjSkinStore::FaceColor(TWjSkinStore::Current()).name()));
    // 2. Parameters and numbering on the shared connection.
    m_puFlag->SetConnection(CurDBAction);
    m_bhgl->SetConnection(CurDBAction);
    // 3-5. Status panels.
    m_status[0]->setFixedWidth(TWjOutlookBar::BarWidth);
    BuildStatusPanels();
    // 6. Navigation configuration and options.
    m_soft->DowmLoadOutLookParameter(CurCzy->NavIniPath);
    m_options->DownloadOption();
    // 7. The bar from the navigation file.
    m_bar->InitOutLook(CurCzy->NavIniPath, WjPath::Prog(QStringLiteral("sys\\icons")));
    const QString navProblem = TWjOutlookBar::NavFileProblem(CurCzy->NavIniPath);
    if (!navProblem.isEmpty())
        Prompter().Warning(navProblem);
    connect(m_bar, &TWjOutlookBar::ItemClicked, this, [this](int, const QString &c) { ItemClick(c); });
    // 8. Headers and buttons in the skin's face colour.
    recolour();
    // 9. Idle-lock interval.
    QString idle;
    try {
        idle = m_puFlag->ReadValue(QStringLiteral("参数设置内容"), QStringLiteral("程序自动挂起时间(分钟)"));
    } catch (const std::exception &) {
    }
    m_idleTimer->setInterval(IdleLockInterval(idle));
    // 10. Background picture.
    const QString picFile = WjPath::Prog(QStringLiteral("SYS\\WjPic.jpg"));
    if (QFileInfo::exists(picFile))
        m_picture->setPixmap(QPixmap(picFile));
    // 11. First-use notes, or the picture.
    const QString notes = WjPath::Prog(QStringLiteral("SYS\\ReadMe.mht"));
    if (QFileInfo::exists(notes)) {
        ShowPage(QStringLiteral("nbHelp"));
        m_help->setHtml(WjMht::HtmlOfFile(notes));
    } else {
        ShowPage(QStringLiteral("nbPic"));
    }
    m_firstTick->start();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("文件[&F]"));
    QAction *change = file->addAction(QStringLiteral("更换操作员"));
    change->setObjectName(QStringLiteral("actChangeCzy"));
    connect(change, &QAction::triggered, this, [this] { WjRunAction([this] { ChangeOperator(); }); });
    QAction *lock = file->addAction(QStringLiteral("软件挂起"));
    lock->setObjectName(QStringLiteral("actLock"));
    connect(lock, &QAction::triggered, this, [this] { WjRunAction([this] { Lock(); }); });
    file->addSeparator();
    QAction *password = file->addAction(QStringLiteral("修改密码"));
    password->setObjectName(QStringLiteral("actChangePassword"));
    connect(password, &QAction::triggered, this, [] { WjRunAction([] { CurCzy->ChangePassWord(); }); });
    file->addSeparator();
    QAction *quit = file->addAction(QStringLiteral("退出系统"));
    quit->setObjectName(QStringLiteral("actExit"));
    connect(quit, &QAction::triggered, this, &QWidget::close);
}

QString TfrmMain::CurrentPage() const
{
    return m_pages->currentWidget() ? m_pages->currentWidget()->objectName() : QString();
}

void TfrmMain::ShowPage(const QString &name)
{
    for (int i = 0; i < m_pages->count(); ++i)
        if (m_pages->widget(i)->objectName() == name)
            m_pages->setCurrentIndex(i);
}

QWidget *TfrmMain::WorkPanel() const
{
    return m_pnYw;
}

void TfrmMain::BuildStatusPanels()
{
    m_status[1]->setText(CurCzy->StatusOperatorText(QDateTime::currentDateTime()));
    m_status[2]->setText(CurCzy->StatusSessionText());
}

void TfrmMain::ChangeOperator()
{
    if (CurCzy->Login(false))
        BuildStatusPanels();
}

void TfrmMain::Lock()
{
    ShowPage(QStringLiteral("nbPic"));
    m_idleTimer->stop();
    RunSysGq(this);
    ShowPage(QStringLiteral("nbYw"));
}

void TfrmMain::OpenItem(const QString &caption)
{
    m_status[0]->setText(caption);
    QDir::setCurrent(CurCzy->ProgramDir);
    ShowPage(QStringLiteral("nbYw"));
    m_host.OpenItem(CurCzy->NavIniPath, caption);
    update();
}

void TfrmMain::ItemClick(const QString &caption)
{
    WjRunAction([&] { OpenItem(caption); });
}

void TfrmMain::recolour()
{
    m_bar->SetBarColor(TWjSkinStore::FaceColor(TWjSkinStore::Current()));
}

void TfrmMain::openStartItem()
{
    try {
        const TIniFile nav(CurCzy->NavIniPath);
        const QString item = nav.ReadString(QStringLiteral("开始启动"), QStringLiteral("Item"));
        if (item.isEmpty())
            return;
        m_bar->SetCurrentHeader(nav.ReadInteger(QStringLiteral("开始启动"), QStringLiteral("HeaderIndex"), 0));
        OpenItem(item);
    } catch (...) {
        // The window stays up whatever the start item does.
    }
}

void TfrmMain::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    openStartItem();
}

void TfrmMain::firstTick()
{
    m_firstTick->stop();
    CurCzy->CheckLogRedord();
    recolour();
    // The hidden tree lists what the bar offers, header by header.
    m_tvTj->clear();
    for (int h = 0; h < m_bar->HeaderCount(); ++h) {
        auto *header = new QTreeWidgetItem(m_tvTj, QStringList(m_bar->HeaderCaption(h)));
        for (const QString &item : m_bar->Items(h))
            new QTreeWidgetItem(header, QStringList(item));
    }
}

void TfrmMain::closeEvent(QCloseEvent *e)
{
    if (m_closing) {
        e->accept();
        return;
    }
    const QString text = QStringLiteral("系统建议您养成经常备份数据的习惯！您真的确认要退出《") + TWjSoft::ProductTitle()
                         + QStringLiteral("》吗？");
    if (!Prompter().Question(text, QStringLiteral("退出"))) {
        e->ignore();
        return;
    }
    WjRunAction([] { CurCzy->InsertLogData(QStringLiteral("退出系统")); });
    WjRunAction([this] { m_host.Release(); });
    m_closing = true;
    e->accept();
}
