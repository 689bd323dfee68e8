#include "frmposmain.h"
#include "frmbxser_mui_tv_pos.h"
#include "frmchangenum.h"
#include "frmjg.h"
#include "frmpay.h"
#include "frmsysgq.h"
#include "posconfig.h"
#include "posticket.h"
#include "wjapplication.h"
#include "wjczy.h"
#include "wjdataset.h"
#include "wjdbgrid.h"
#include "wjdbaction.h"
#include "wjfields.h"
#include "wjinputs.h"
#include "wjprompter.h"
#include "wjservices.h"
#include "wjskin.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>

namespace {
QLabel *caption(const QString &text, QWidget *parent)
{
    return new QLabel(text, parent);
}

QLineEdit *edit(const char *name, QWidget *parent, bool readOnly = false)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setReadOnly(readOnly);
    return e;
}
} // namespace

QString TfrmMain::ProductTitle()
{
    return QStringLiteral("维嘉汽车修配前台销售管理系统");
}

TfrmMain::TfrmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmPosMain"));
    m_ticket = new TPosTicket(this);

    auto *central = new QWidget(this);
    auto *lay = new QVBoxLayout(central);
    setCentralWidget(central);

    // Top panel: the ticket's head fields.
    auto *top = new QHBoxLayout;
    edBillNo = edit("edBillNo", central, true);
    edCzy = edit("edCzy", central, true);
    edPayType = edit("edPayType", central);
    edPayType->setText(QStringLiteral("现金"));
    cbSaleKind = new QComboBox(central);
    cbSaleKind->setObjectName(QStringLiteral("cbSaleKind"));
    cbSaleKind->addItems({QStringLiteral("零售"), QStringLiteral("批发")});
    top->addWidget(caption(QStringLiteral("单号:"), central));
    top->addWidget(edBillNo, 2);
    top->addWidget(caption(QStringLiteral("收银员:"), central));
    top->addWidget(edCzy, 1);
    top->addWidget(caption(QStringLiteral("付款方式:"), central));
    top->addWidget(edPayType, 1);
    top->addWidget(caption(QStringLiteral("销售方式:"), central));
    top->addWidget(cbSaleKind, 1);
    lay->addLayout(top);

    // Middle: the grid with its footer, and the key panel.
    auto *middle = new QHBoxLayout;
    dbgLines = new TWjDBGrid(central);
    dbgLines->setObjectName(QStringLiteral("dbgLines"));
    dbgLines->SetSortable(false);
    dbgLines->SetDataSet(m_ticket->Lines());
    dbgLines->SetColumns({{QStringLiteral("Xh_SaDetail"), QStringLiteral("序"), 50},
                          {QStringLiteral("GoodsName"), QStringLiteral("商品名称"), 300},
                          {QStringLiteral("GoodsNo"), QStringLiteral("商品编码"), 160},
                          {QStringLiteral("TNum"), QStringLiteral("数量"), 120},
                          {QStringLiteral("T_Price"), QStringLiteral("金额"), 120}});
    dbgLines->SetFooter(QStringLiteral("Xh_SaDetail"), TWjDBGrid::FooterText, QStringLiteral("-"));
    dbgLines->SetFooter(QStringLiteral("GoodsName"), TWjDBGrid::FooterText, QStringLiteral("合计"));
    dbgLines->SetFooter(QStringLiteral("GoodsNo"), TWjDBGrid::FooterText, QStringLiteral("------"));
    dbgLines->SetFooter(QStringLiteral("TNum"), TWjDBGrid::FooterCount);
    dbgLines->SetFooter(QStringLiteral("T_Price"), TWjDBGrid::FooterSum);
    QTableView *view = dbgLines->View();
    QFont big = view->font();
    big.setPointSize(big.pointSize() + 3);
    view->setFont(big);
    view->verticalHeader()->setDefaultSectionSize(QFontMetrics(big).height() + 8);
    view->setFocusPolicy(Qt::NoFocus);  // the code field keeps the focus
    middle->addWidget(dbgLines, 1);

    auto *keys = new QGroupBox(QStringLiteral(" 快捷键说明："), central);
    keys->setObjectName(QStringLiteral("gbKeys"));
    auto *keyLay = new QVBoxLayout(keys);
    for (const char *t : {"付款： * 小键盘", "支付： F5", "数量： + 小键盘", "钱箱： - 小键盘", "挂单：Page Up", "解挂：Home",
                          "删除：Delete", "全清：End", "修改已选商品数量：F4", "会员：F2", "锁机：F3", "换班：F6",
                          "退出系统：ESC"})
        keyLay->addWidget(new QLabel(QString::fromUtf8(t), keys));
    keyLay->addStretch(1);
    middle->addWidget(keys);
    lay->addLayout(middle, 1);

    // Bottom panel: code and quantity, buttons, printer, member group.
    edCode = edit("edCode", central);
    edNum = edit("edNum", central);
    edNum->setText(QStringLiteral("1"));
    edNum->setMaximumWidth(90);
    QFont entry = edCode->font();
    entry.setPointSize(entry.pointSize() + 4);
    edCode->setFont(entry);
    edNum->setFont(entry);
    rbScan = new QRadioButton(QStringLiteral("条码扫描枪(&T)"), central);
    rbScan->setObjectName(QStringLiteral("rbScan"));
    rbScan->setChecked(true);
    rbManual = new QRadioButton(QStringLiteral("手工输入(&Z)"), central);
    rbManual->setObjectName(QStringLiteral("rbManual"));
    btnCashbox = new QPushButton(QStringLiteral("打开钱箱[F11]"), central);
    btnCashbox->setObjectName(QStringLiteral("btnCashbox"));
    btnSearch = new QPushButton(QStringLiteral("查找资料库"), central);
    btnSearch->setObjectName(QStringLiteral("btnSearch"));
    btnPrinterSet = new QPushButton(QStringLiteral("设置"), central);
    btnPrinterSet->setObjectName(QStringLiteral("btnPrinterSet"));
    cbPrinter = new QComboBox(central);
    cbPrinter->setObjectName(QStringLiteral("cbPrinter"));
    cbPrinter->setMinimumWidth(200);
    for (QPushButton *b : {btnCashbox, btnSearch, btnPrinterSet})
        b->setFocusPolicy(Qt::NoFocus);
    auto *codeRow = new QHBoxLayout;
    codeRow->addWidget(caption(QStringLiteral("请输入商品条码："), central));
    codeRow->addWidget(edCode, 1);
    codeRow->addWidget(caption(QStringLiteral("数量："), central));
    codeRow->addWidget(edNum);
    codeRow->addWidget(rbScan);
    codeRow->addWidget(rbManual);
    lay->addLayout(codeRow);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addWidget(btnCashbox);
    buttonRow->addWidget(btnSearch);
    buttonRow->addStretch(1);
    buttonRow->addWidget(caption(QStringLiteral("设置默认打印机:"), central));
    buttonRow->addWidget(cbPrinter);
    buttonRow->addWidget(btnPrinterSet);
    lay->addLayout(buttonRow);
    auto *member = new QGroupBox(QStringLiteral("会员信息"), central);
    member->setObjectName(QStringLiteral("gbMember"));
    auto *memberLay = new QHBoxLayout(member);
    for (const char *t : {"会员编号：", "名称：", "级别：", "积分：", "折扣："}) {
        memberLay->addWidget(new QLabel(QString::fromUtf8(t), member));
        auto *value = new QLabel(member);
        value->setMinimumWidth(50);
        memberLay->addWidget(value, 1);
    }
    lay->addWidget(member);

    // Status bar: panels 1 (operator) and 2 (session) as in the main program.
    for (int i = 0; i < 4; ++i) {
        m_status[i] = new QLabel(this);
        m_status[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_status[i]->setFrameShape(QFrame::Panel);
        m_status[i]->setFrameShadow(QFrame::Sunken);
    }
    m_status[0]->setFixedWidth(118);
    m_status[1]->setMinimumWidth(460);
    m_status[2]->setMinimumWidth(108);
    m_status[2]->setAlignment(Qt::AlignCenter);
    for (int i = 0; i < 4; ++i)
        statusBar()->addWidget(m_status[i], i == 3 ? 1 : 0);

    buildMenus();

    connect(edCode, &QLineEdit::returnPressed, this, [this] { WjRunAction([this] { CodeEnter(); }); });
    connect(edNum, &QLineEdit::returnPressed, this, [this] { edCode->setFocus(); });
    connect(edPayType, &QLineEdit::textChanged, this, [this](const QString &t) { m_ticket->PayType = t; });
    connect(btnCashbox, &QPushButton::clicked, this, [this] { OpenCashbox(); });
    connect(btnSearch, &QPushButton::clicked, this, [this] { WjRunAction([this] { SearchGoods(); }); });
    connect(btnPrinterSet, &QPushButton::clicked, this, [this] { WjRunAction([this] { SetPrinter(); }); });
    connect(m_ticket, &TPosTicket::Changed, this, &TfrmMain::ticketChanged);
    connect(m_ticket, &TPosTicket::TicketOpened, this, &TfrmMain::ticketOpened);

    ApplyCharLimits(central);  // no input holds what a statement could not carry

    // The window sees every key first, whichever of its inputs has the focus.
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);

    m_firstTick = new QTimer(this);
    m_firstTick->setInterval(100);
    connect(m_firstTick, &QTimer::timeout, this, [this] {
        m_firstTick->stop();
        setWindowTitle(ProductTitle());
        WjRunAction([] { CurCzy->CheckLogRedord(); });  // the login, as the main program logs it
    });

    // Window creation: the operator's skin, status panels, the printers.
    TWjSkinStore::Apply(TWjSkinStore::IndexOfId(CurCzy->GetMySkinId()));
    BuildStatusPanels();
    fillPrinters();
    m_firstTick->start();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::buildMenus()
{
    QMenu *sys = menuBar()->addMenu(QStringLiteral("系统管理[&F]"));
    auto add = [&](QMenu *m, const char *text, const char *name, auto slot) {
        QAction *a = m->addAction(QString::fromUtf8(text));
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, [this, slot] { WjRunAction([this, slot] { (this->*slot)(); }); });
        return a;
    };
    add(sys, "更换操作员", "actChangeCzy", &TfrmMain::ChangeOperator);
    add(sys, "修改密码", "actChangePassword", &TfrmMain::ChangePassword);
    add(sys, "软件挂起", "actLock", &TfrmMain::Lock);
    QAction *print = sys->addAction(QStringLiteral("打印设置"));
    print->setObjectName(QStringLiteral("actPrintSetup"));
    print->setEnabled(false);
    sys->addSeparator();
    QAction *quit = sys->addAction(QStringLiteral("退出系统"));
    quit->setObjectName(QStringLiteral("actExit"));
    connect(quit, &QAction::triggered, this, &QWidget::close);
    QMenu *help = menuBar()->addMenu(QStringLiteral("帮助[&H]"));
    QAction *about = help->addAction(QStringLiteral("关于"));
    about->setObjectName(QStringLiteral("actAbout"));
    about->setEnabled(false);
}

void TfrmMain::BuildStatusPanels()
{
    m_status[1]->setText(CurCzy->StatusOperatorText(QDateTime::currentDateTime()));
    m_status[2]->setText(CurCzy->StatusSessionText());
}

void TfrmMain::fillPrinters()
{
    cbPrinter->clear();
    const QStringList printers = QPrinterInfo::availablePrinterNames();
    cbPrinter->addItems(printers);
    QString chosen = PosConfig::PrinterName();
    if (!printers.contains(chosen))
        chosen = QPrinterInfo::defaultPrinterName();
    cbPrinter->setCurrentIndex(qMax(0, printers.indexOf(chosen)));
}

QString TfrmMain::FooterText(int column) const
{
    static const char *const fields[] = {"Xh_SaDetail", "GoodsName", "GoodsNo", "TNum", "T_Price"};
    return column >= 0 && column < 5 ? dbgLines->FooterValue(QLatin1String(fields[column])) : QString();
}

void TfrmMain::ticketOpened()
{
    edBillNo->setText(m_ticket->AutoNum);
    edNum->setText(QStringLiteral("1"));
}

void TfrmMain::ticketChanged()
{
    dbgLines->RefreshFooter();
    TWjQuery *q = m_ticket->Lines();
    if (q->Active() && q->RecNo() > 0)
        dbgLines->View()->scrollTo(dbgLines->View()->model()->index(q->RecNo() - 1, 0));
}

// ---- keys ----

bool TfrmMain::eventFilter(QObject *o, QEvent *e)
{
    if (e->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent *>(e)))
        return true;
    return QMainWindow::eventFilter(o, e);
}

void TfrmMain::keyPressEvent(QKeyEvent *e)
{
    if (!handleKey(e))
        QMainWindow::keyPressEvent(e);
}

bool TfrmMain::handleKey(QKeyEvent *e)
{
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    const bool keypad = e->modifiers() & Qt::KeypadModifier;
    std::function<void()> action;
    if (mods == Qt::ControlModifier) {
        if (e->key() == Qt::Key_Z)
            action = [this] { rbManual->setChecked(true); };
        else if (e->key() == Qt::Key_T)
            action = [this] { rbScan->setChecked(true); };
    } else if (mods == Qt::NoModifier) {
        switch (e->key()) {
        case Qt::Key_F6: action = [this] { ChangeOperator(); }; break;
        case Qt::Key_F3: action = [this] { Lock(); }; break;
        case Qt::Key_F4: action = [this] { ChangeNum(); }; break;
        case Qt::Key_Escape: action = [this] { close(); }; break;
        case Qt::Key_F5: action = [this] { Pay(); }; break;
        case Qt::Key_PageUp: action = [this] { Hold(); }; break;
        case Qt::Key_Home: action = [this] { Recall(); }; break;
        case Qt::Key_Delete: action = [this] { DeleteLine(); }; break;
        case Qt::Key_End: action = [this] { ClearLines(); }; break;
        case Qt::Key_Up: action = [this] { MoveLine(-1); }; break;
        case Qt::Key_Down: action = [this] { MoveLine(1); }; break;
        case Qt::Key_F11: action = [this] { OpenCashbox(); }; break;
        // The keypad keys the key panel promises.
        case Qt::Key_Asterisk:
            if (keypad)
                action = [this] { Pay(); };
            break;
        case Qt::Key_Plus:
            if (keypad)
                action = [this] { edNum->setFocus(); edNum->selectAll(); };
            break;
        case Qt::Key_Minus:
            if (keypad)
                action = [this] { OpenCashbox(); };
            break;
        default: break;
        }
    }
    if (!action)
        return false;
    WjRunAction(action);
    return true;
}

// ---- actions ----

void TfrmMain::CodeEnter()
{
    QString qty = edNum->text();
    const TPosTicket::ScanResult r = m_ticket->Scan(edCode->text(), &qty);
    edNum->setText(qty);
    if (r == TPosTicket::ScanResult::BadQuantity) {
        // The code stays for another Enter once the quantity is right.
        edNum->setFocus();
        edNum->selectAll();
        return;
    }
    edCode->clear();
    edCode->setFocus();
}

void TfrmMain::Pay()
{
    if (m_ticket->IsEmpty())
        return;
    Tfrm_Pay dlg(m_ticket, this);
    dlg.exec();
    edCode->setFocus();
}

void TfrmMain::Hold()
{
    m_ticket->Hold();
    edCode->setFocus();
}

void TfrmMain::Recall()
{
    if (!m_ticket->CanRecall())
        return;
    TfrmJg dlg(m_ticket, this);
    dlg.exec();
    edCode->setFocus();
}

void TfrmMain::DeleteLine()
{
    m_ticket->DeleteCurrent();
}

void TfrmMain::ClearLines()
{
    m_ticket->ClearLines();
}

void TfrmMain::ChangeNum()
{
    if (m_ticket->IsEmpty())
        return;
    TfrmChangeNum dlg(m_ticket, this);
    dlg.exec();
    edCode->setFocus();
}

void TfrmMain::Lock()
{
    RunSysGq(this);
    edCode->setFocus();
}

void TfrmMain::ChangeOperator()
{
    if (!CurCzy->Login(false))
        return;
    BuildStatusPanels();
    // The next sales are the new cashier's.
    m_ticket->Cashier = CurCzy->CzyName;
    edCzy->setText(m_ticket->Cashier);
}

void TfrmMain::ChangePassword()
{
    CurCzy->ChangePassWord();
}

void TfrmMain::OpenCashbox()
{
    PosConfig::OpenDrawer();
}

void TfrmMain::SearchGoods()
{
    TfrmBxSer_Mui_Tv_Pos dlg(m_ticket, QStringLiteral("select * from V_Yw_KcData"), QStringLiteral("前台销售商品资料"),
                             QStringLiteral("库存资料"), this);
    dlg.exec();
    edCode->setFocus();
}

void TfrmMain::SetPrinter()
{
    if (cbPrinter->currentText().isEmpty()) {
        Prompter().Warning(QStringLiteral("没有可选择的打印机，请先在系统中安装打印机！"));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        PosConfig::SetPrinterName(cbPrinter->currentText());
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
}

void TfrmMain::MoveLine(int delta)
{
    TWjQuery *q = m_ticket->Lines();
    if (!q->Active() || q->IsEmpty())
        return;
    if (delta < 0)
        q->Prior();
    else
        q->Next();
}

// ---- show and close ----

void TfrmMain::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    WjRunAction([this] {
        m_ticket->PayType = edPayType->text();
        edCzy->setText(CurCzy->CzyName);
        m_ticket->Start(CurCzy->CzyName);  // a failure says so; the next scan tries again
    });
    activateWindow();  // the scanner types into the code field from the start
    edCode->setFocus();
}

void TfrmMain::closeEvent(QCloseEvent *e)
{
    if (m_closing) {
        e->accept();
        return;
    }
    if (!Prompter().Question(QStringLiteral("您真的确认要退出《前台销售管理系统》吗？"), QStringLiteral("退出"))) {
        e->ignore();
        return;
    }
    WjRunAction([] { CurCzy->InsertLogData(QStringLiteral("退出系统")); });
    m_closing = true;
    e->accept();
}
