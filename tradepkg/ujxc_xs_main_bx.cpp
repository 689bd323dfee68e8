#include "ujxc_xs_main_bx.h"
#include "ujxc_xs_add_bx.h"
#include "wjbx_jbdata.h"
#include "wjczy.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjdbgrid.h"
#include "wjinifile.h"
#include "wjinputs.h"
#include "wjpath.h"
#include "wjport.h"
#include "wjprompter.h"
#include "wjservices.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

namespace {
// Sum of quantity x price over the three units, exact to four decimals.
Currency amount(const TWjQuery &line, const QString &price, const QString &suffix = QString())
{
    Currency t;
    for (int u = 1; u <= 3; ++u)
        t += Currency::FromVariant(line.FieldByName(price + QString::number(u) + suffix).Value())
             * line.FieldByName(QStringLiteral("SaNum%1").arg(u)).AsLargeInt();
    return t;
}
} // namespace

TJxcDocDef TfrmJxcXs_Main_Bx::Definition()
{
    TJxcDocDef d;
    d.title = QStringLiteral("销 售 开 单");
    d.headTable = QStringLiteral("Yw_SaHead");
    d.keyColumn = QStringLiteral("SaHead_Id");
    d.numberColumn = QStringLiteral("Sa_AutoNum");
    d.numberCode = QStringLiteral("SA_BH");
    d.flagColumn = QStringLiteral("SaFlag");
    d.auditedFlag = QStringLiteral("2");
    d.dateColumn = QStringLiteral("Sa_Date");
    d.dateCaption = QStringLiteral("销售日期");
    d.numberCaption = QStringLiteral("销售单号");
    d.makerCaption = QStringLiteral("开单员");
    d.remarkColumn = QStringLiteral("Bz_SaHead");
    d.lineTable = QStringLiteral("Yw_SaDetail");
    d.lineKey = QStringLiteral("SaDetail_Id");
    d.lineMaster = QStringLiteral("SaMain_Id");
    d.lineSerial = QStringLiteral("Xh_SaDetail");
    d.lineGoods = QStringLiteral("GoodsId_Sa");
    d.lineNum = QStringLiteral("SaNum");
    d.partnerTable = QStringLiteral("Jb_Client");
    d.partnerKeyColumn = QStringLiteral("ClientId");
    d.partnerCaption = QStringLiteral("客户名称");
    d.phoneCaption = QStringLiteral("联系电话");
    d.askSave = QStringLiteral("您是否确定保存该销售单资料？");
    d.audited = QStringLiteral("对不起，该销售单已经审核！");
    return d;
}

TfrmJxcXs_Main_Bx::TfrmJxcXs_Main_Bx(QWidget *parent) : TfrmJxcDoc_Bx(Definition(), parent)
{
    setObjectName(QStringLiteral("frmJxcXs_Main_Bx"));
    auto option = [this](const char *column, const QString &list) {
        auto *cb = new QComboBox(this);
        cb->setObjectName(QLatin1String(column) + QLatin1Char('W'));
        cb->setEditable(true);
        cb->setToolTip(list);
        cb->setProperty("tag", 8);
        Rule(QLatin1String(column), list, 30);
        return cb;
    };
    AddHeadField(QStringLiteral("结算方式"), option("PayType", QStringLiteral("结算方式")));
    AddHeadField(QStringLiteral("发票类型"), option("Fp_Type", QStringLiteral("发票类型")));
    m_car = option("Ps_Car", QStringLiteral("配送车辆"));
    m_carLabel = AddHeadField(QStringLiteral("配送车辆"), m_car);
    auto *remark = new QLineEdit(this);
    remark->setObjectName(QStringLiteral("Bz_SaHeadW"));
    AddHeadField(QStringLiteral("附加说明"), remark, 3);
    AddHidden(QStringLiteral("Sa_Lsh"), QStringLiteral("0"));
    Rule(QStringLiteral("Sa_Lsh"), QStringLiteral("流水号"), 30);

    FindAction()->setText(QStringLiteral("查找库存[F3]"));
    FindAction()->setObjectName(QStringLiteral("FindKc"));
    m_kindPanel = new QWidget(this);
    m_kindPanel->setObjectName(QStringLiteral("pnlPriceKind"));
    auto *kinds = new QHBoxLayout(m_kindPanel);
    kinds->setContentsMargins(0, 0, 0, 0);
    m_kinds = new QButtonGroup(this);
    const char *names[3] = {"正常", "批发", "折扣"};
    for (int k = 0; k < 3; ++k) {
        m_radio[k] = new QRadioButton(QString::fromUtf8(names[k]), m_kindPanel);
        m_radio[k]->setObjectName(QStringLiteral("rbPrice%1").arg(k + 1));
        m_kinds->addButton(m_radio[k], k + 1);
        kinds->addWidget(m_radio[k]);
    }
    m_radio[0]->setChecked(true);
    m_clientGoods = new QPushButton(QStringLiteral("读取客户默认商品"), this);
    m_clientGoods->setObjectName(QStringLiteral("btnClientGoods"));
    m_clientGoods->setAutoDefault(false);
    connect(m_clientGoods, &QPushButton::clicked, this, &TfrmJxcXs_Main_Bx::GetClientGoods);
    LineButtons()->insertWidget(LineButtons()->count() - 1, m_kindPanel);
    LineButtons()->insertWidget(LineButtons()->count() - 1, m_clientGoods);

    auto *cashbox = new QAction(QStringLiteral("打开钱箱[F11]"), this);
    cashbox->setObjectName(QStringLiteral("Open_Cashbox"));
    cashbox->setShortcut(Qt::Key_F11);
    addAction(cashbox);
    connect(cashbox, &QAction::triggered, this, [this] { OpenCashbox(); });
    m_cashbox = new QPushButton(cashbox->text(), this);
    m_cashbox->setObjectName(QStringLiteral("btnCashbox"));
    m_cashbox->setAutoDefault(false);
    connect(m_cashbox, &QPushButton::clicked, cashbox, &QAction::trigger);
    BottomButtons()->insertWidget(0, m_cashbox);

    SetLineColumns({{QStringLiteral("Xh_SaDetail"), QStringLiteral("序")},
                    {QStringLiteral("GoodsName"), QStringLiteral("商品名称")},
                    {QStringLiteral("GoodsNo"), QStringLiteral("商品编码")},
                    {QStringLiteral("Depart"), QStringLiteral("规格")},
                    {QStringLiteral("TNum"), QStringLiteral("数量")},
                    {QStringLiteral("T_Price"), QStringLiteral("金额")},
                    {QStringLiteral("TIn_Price"), QStringLiteral("进货金额")}},
                   {QStringLiteral("T_Price"), QStringLiteral("T_Price_Kd")});
    SetComboboxItems(this);
}

bool TfrmJxcXs_Main_Bx::VehicleShown()
{
    const TIniFile ini(WjPath::Prog(QStringLiteral("sys\\Sys_Wj.ini")));
    return ini.ReadString(QStringLiteral("销售显示配送信息"), QStringLiteral("显示"), QStringLiteral("Y")).trimmed() == QLatin1String("Y");
}

void TfrmJxcXs_Main_Bx::FormShow()
{
    TfrmJxcDoc_Bx::FormShow();
    if (IsAdd())
        SetValue(QStringLiteral("Sa_Lsh"), QStringLiteral("0"));
    Grid()->SetFooter(QStringLiteral("TIn_Price"), TWjDBGrid::FooterSum);
    auto cols = Grid()->Columns();
    for (auto &c : cols)
        if (c.field == QLatin1String("TIn_Price"))
            c.visible = CurCzy && CurCzy->CzyLevel == 1;
    Grid()->SetColumns(cols);
    const bool car = VehicleShown();
    m_car->setVisible(car);
    if (m_carLabel)
        m_carLabel->setVisible(car);
}

bool TfrmJxcXs_Main_Bx::CostColumnVisible() const
{
    for (const auto &c : Grid()->Columns())
        if (c.field == QLatin1String("TIn_Price"))
            return c.visible;
    return false;
}

QString TfrmJxcXs_Main_Bx::PriceKind() const
{
    const int id = m_kinds->checkedId();
    return QString::number(id >= 1 && id <= 3 ? id : 1);
}

void TfrmJxcXs_Main_Bx::CalcLine(TWjQuery &line, const Goods &)
{
    line.SetValue(QStringLiteral("T_Price"), QVariant::fromValue(amount(line, QStringLiteral("Sa_Price"))));
    line.SetValue(QStringLiteral("T_Price_Kd"), QVariant::fromValue(amount(line, QStringLiteral("Sa_Price"), QStringLiteral("_Kd"))));
}

void TfrmJxcXs_Main_Bx::GetClientGoods()
{
    if (IsLocked())
        return;
    TWjQuery *lines = Lines()->DataSet();
    if (!lines->IsEmpty() && !Prompter().Question(QStringLiteral("已存在明细资料，您是否继续添加？")))
        return;
    const QString client = Value(QStringLiteral("ClientId")).trimmed();
    if (client.isEmpty() || client == QLatin1String("0")) {
        Prompter().Warning(QStringLiteral("请选择客户资料！"));
        return;
    }
    TWjQuery agreed;
    CurDBAction->SelectTable(QStringLiteral("select a.LastIn_Price1,b.* from Jb_Goods a,Jb_Goods_Kh b where a.Goods_Id=b.GoodsId_Kh "
                                            "and b.ObjId=%1 and b.ObjType=1")
                                 .arg(WjSql::CheckInteger(client)),
                             agreed);
    const qlonglong head = WjSql::CheckInteger(Value(QStringLiteral("SaHead_Id"))).toLongLong();
    // The keys of new lines are drawn when the sale is saved, inside its transaction.
    for (agreed.First(); !agreed.Eof(); agreed.Next()) {
        lines->Append();
        lines->SetValue(QStringLiteral("SaMain_Id"), head);
        lines->SetValue(QStringLiteral("GoodsId_Sa"), agreed.FieldByName(QStringLiteral("GoodsId_Kh")).AsLargeInt());
        for (int u = 1; u <= 3; ++u) {
            lines->SetValue(QStringLiteral("Sa_Price%1").arg(u),
                            QVariant::fromValue(agreed.FieldByName(QStringLiteral("dPrice%1").arg(u)).AsCurrency()));
            lines->SetValue(QStringLiteral("Sa_Price%1_Kd").arg(u),
                            QVariant::fromValue(agreed.FieldByName(QStringLiteral("dPrice%1_Kd").arg(u)).AsCurrency()));
            lines->SetValue(QStringLiteral("SaNum%1").arg(u), qlonglong(u == 1 ? 1 : 0));
        }
        lines->SetValue(QStringLiteral("TIn_Price"), QVariant::fromValue(agreed.FieldByName(QStringLiteral("LastIn_Price1")).AsCurrency()));
        Lines()->OnCalcFields(*lines);
    }
    Grid()->RefreshFooter();
}

bool TfrmJxcXs_Main_Bx::OpenCashbox()
{
    try {
        WjPort::OpenDrawer(QStringLiteral("LPT1"));
        return true;
    } catch (const std::exception &e) {
        ReportError(e);
        return false;
    }
}

void TfrmJxcXs_Main_Bx::BeforeSubmit()
{
    // The serial is drawn in the save transaction: a save that fails leaves no gap.
    if (!IsAdd())
        return;
    TWjBhgl bh;
    bh.SetConnection(CurDBAction);
    SetValue(QStringLiteral("Sa_Lsh"), bh.TakeBH(QStringLiteral("SA_LSH")));
}

void TfrmJxcXs_Main_Bx::LockMore()
{
    m_kindPanel->setEnabled(false);
    m_clientGoods->setEnabled(false);
}

TADOCachedForm *TfrmJxcXs_Main_Bx::CreateLineDialog()
{
    return new TfrmJxcAddXszl_Bx(this);
}

int TfrmJxcXs_Main_Bx::RunPartnerEditor(int action)
{
    TWjBx_JbData jb;
    jb.SetWjQuery(Partners());
    return jb.ClientGl(action);
}
