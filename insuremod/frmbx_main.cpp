#include "frmbx_main.h"
#include "bxlogic.h"
#include "frmbxxm_add.h"
#include "wjdataset.h"
#include "wjdbgrid.h"
#include "wjinputs.h"
#include "wjsearch.h"
#include "wjsergenmui.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

TWjDocDef TfrmBx_Main::Definition()
{
    TWjDocDef d;
    d.title = QStringLiteral(" 保 险 单 ");
    d.headTable = QStringLiteral("tBxMain");
    d.keyColumn = QStringLiteral("BxMain_Id");
    d.makerCaption.clear();  // no maker, number, date, partner or state of the framework's
    d.lineTable = QStringLiteral("tBxMain_Detail");
    d.lineKey = QStringLiteral("BxMain_DetailId");
    d.lineMaster = QStringLiteral("BxMain_Id");
    d.lineSerial = QStringLiteral("Xh_BxDetail");
    d.lineAddButton = true;
    d.headPerRow = 2;
    d.linesBeside = true;
    return d;
}

TfrmBx_Main::TfrmBx_Main(QWidget *parent) : TWjDocForm(Definition(), parent)
{
    setObjectName(QStringLiteral("frmBx_Main"));
    setWindowTitle(QStringLiteral("保险单"));

    AddHeadFields({{.column = "BxdBh", .caption = "保险单号", .length = 30, .required = true}});
    // The plate box with its lookup button beside it.
    auto *plateBox = new QWidget(this);
    auto *plateRow = new QHBoxLayout(plateBox);
    plateRow->setContentsMargins(0, 0, 0, 0);
    auto *plate = new QComboBox(plateBox);
    plate->setObjectName(QStringLiteral("RegiCodeW"));
    plate->setEditable(true);
    plate->setInsertPolicy(QComboBox::NoInsert);
    SetTextLimit(plate, 20);
    m_car = new QPushButton(QStringLiteral("查[&S]"), plateBox);
    m_car->setObjectName(QStringLiteral("btnCar"));
    m_car->setAutoDefault(false);
    m_car->setFixedWidth(48);
    plateRow->addWidget(plate, 1);
    plateRow->addWidget(m_car);
    AddHeadField(QStringLiteral("车牌号码"), plateBox);
    Rule(QStringLiteral("RegiCode"), QStringLiteral("车牌号码"), 20, true);
    connect(m_car, &QPushButton::clicked, this, [this] { FindCar(); });

    using F = TWjFieldDef;
    AddHeadFields({
        {.column = "BbxR", .caption = "被保险人", .length = 50, .required = true},
        {.column = "XszCz", .caption = "行使证车主", .length = 50},
        {.column = "CpColor", .caption = "号牌颜色", .kind = F::Combo, .length = 20, .list = "号牌颜色"},
        {.column = "CarColor", .caption = "车辆颜色", .kind = F::Combo, .length = 20, .list = "车辆颜色"},
        {.column = "Car_Model", .caption = "车辆类型", .kind = F::Combo, .length = 50, .list = "车辆类型"},
        {.column = "Factry", .caption = "厂牌型号", .kind = F::Combo, .length = 50, .list = "厂牌型号"},
        {.column = "BoxNo", .caption = "发动机号", .length = 50},
        {.column = "ChaFactNo", .caption = "识 别 码", .length = 50},
        {.column = "Hdzk", .caption = "核定载客", .length = 20},
        {.column = "Hdzzl", .caption = "核定载重", .length = 20},
        {.column = "Pl_Gl", .caption = "排量/功率", .length = 20},
        {.column = "Scg", .caption = "生 产 国", .kind = F::Combo, .length = 30, .list = "生产国"},
        {.column = "CarPrice", .caption = "新车购置价", .kind = F::Number, .name = "新车价"},
        {.column = "fDj_YM", .caption = "登记年月", .length = 20},
        {.column = "Syxz", .caption = "使用性质", .kind = F::Combo, .length = 30, .list = "使用性质"},
        {.column = "Sxqy", .caption = "行使区域", .kind = F::Combo, .length = 30, .list = "行使区域"},
        {.column = "Bxqx_B", .caption = "保险期限(起)", .kind = F::Date},
        {.column = "Bxqx_E", .caption = "到", .kind = F::Date},
        {.column = "Fjsm", .caption = "附加说明", .kind = F::Memo, .span = 0, .newRow = true},
    });

    // Room for a policy number or an identification number in full.
    for (QWidget *input : BoundInputs())
        input->setMinimumWidth(170);
    plate->setMinimumWidth(120);

    // Lines: the item pick beside add, edit and delete.
    m_find = new QAction(QStringLiteral("查找[F3]"), this);
    m_find->setObjectName(QStringLiteral("Act_Find"));
    m_find->setShortcut(QKeySequence(Qt::Key_F3));
    addAction(m_find);
    connect(m_find, &QAction::triggered, this, [this] { PickItems(); });
    AddLineButton(m_find, QStringLiteral("btnFind"));
    SetGridColumns({{QStringLiteral("Xh_BxDetail"), QStringLiteral("序")},
                    {QStringLiteral("BxType"), QStringLiteral("承保险别")},
                    {QStringLiteral("BxJe"), QStringLiteral("保险金额(元)")},
                    {QStringLiteral("Bxf"), QStringLiteral("保险费(元)")}});
    QList<TWjDBGrid::Column> cols = Grid()->Columns();
    cols[1].width = 200;
    cols[2].width = 110;
    Grid()->SetColumns(cols);
    Grid()->SetFooter(QStringLiteral("BxType"), TWjDBGrid::FooterText, QStringLiteral("合计"));
    Grid()->SetFooter(QStringLiteral("BxJe"), TWjDBGrid::FooterText, QStringLiteral("------"));
    Grid()->SetFooter(QStringLiteral("Bxf"), TWjDBGrid::FooterSum);

    // Totals below the lines.
    auto *totals = new QGridLayout;
    auto display = [this](const QString &column) {
        auto *e = new QLineEdit(this);
        e->setObjectName(column + QLatin1Char('W'));
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        SetReadOnlyLook(e);
        return e;
    };
    m_rate = new QSpinBox(this);
    m_rate->setObjectName(QStringLiteral("PjYhlW"));
    m_rate->setRange(0, 100);
    m_rate->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *calc = new QPushButton(QStringLiteral("计算"), this);
    calc->setObjectName(QStringLiteral("btnCalc"));
    calc->setAutoDefault(false);
    totals->addWidget(new QLabel(QStringLiteral("基准保费"), this), 0, 0, Qt::AlignRight);
    totals->addWidget(display(QStringLiteral("Jzbf")), 0, 1);
    totals->addWidget(new QLabel(QStringLiteral("优惠比例:       %"), this), 0, 2, Qt::AlignRight);
    totals->addWidget(m_rate, 0, 3);
    totals->addWidget(calc, 0, 4);
    totals->addWidget(new QLabel(QStringLiteral("优惠金额合计"), this), 1, 0, Qt::AlignRight);
    totals->addWidget(display(QStringLiteral("YhJe")), 1, 1);
    totals->addWidget(new QLabel(QStringLiteral("合计金额"), this), 1, 2, Qt::AlignRight);
    totals->addWidget(display(QStringLiteral("BxfHj")), 1, 3);
    LineArea()->addLayout(totals);
    Rule(QStringLiteral("Jzbf"), QStringLiteral("基准保费"), 0, false, TSQLControl::Number);
    Rule(QStringLiteral("PjYhl"), QStringLiteral("优惠率"), 0, false, TSQLControl::Number);
    Rule(QStringLiteral("YhJe"), QStringLiteral("优惠金额"), 0, false, TSQLControl::Number);
    Rule(QStringLiteral("BxfHj"), QStringLiteral("保险合计金额"), 0, false, TSQLControl::Number);

    connect(calc, &QPushButton::clicked, this, &TfrmBx_Main::CalcTotals);
    connect(m_rate, &QSpinBox::valueChanged, this, &TfrmBx_Main::CalcTotals);
    TWjQuery *lines = Lines()->DataSet();
    connect(lines, &TWjQuery::DataChanged, this, &TfrmBx_Main::CalcTotals);
    connect(lines, &TWjQuery::RowsReset, this, &TfrmBx_Main::CalcTotals);
    connect(lines, &TWjQuery::AfterScroll, this, &TfrmBx_Main::CalcTotals);

    SetComboboxItems(this);
    // The option lists offer; nothing is chosen before the user does.
    for (QComboBox *cb : findChildren<QComboBox *>())
        if (cb->isEditable())
            cb->setCurrentIndex(-1);
    resize(1180, 680);
}

void TfrmBx_Main::FormShow()
{
    TWjDocForm::FormShow();
    if (IsAdd()) {
        // A year of cover from today.
        if (auto *end = qobject_cast<QDateEdit *>(Input(QStringLiteral("Bxqx_E"))))
            end->setDate(QDate::currentDate().addYears(1).addDays(-1));
    }
    CalcTotals();
}

TADOCachedForm *TfrmBx_Main::CreateLineDialog()
{
    return new TfrmBxxm_Add(this);
}

QString TfrmBx_Main::SaveQuestion() const
{
    return QStringLiteral("您是否确定保存单号为：〖") + Value(QStringLiteral("BxdBh")) + QStringLiteral("〗的保险单资料？");
}

void TfrmBx_Main::CalcTotals()
{
    const QString base = BxLogic::SumPremiums(*Lines()->DataSet()).ToString();
    SetValue(QStringLiteral("Jzbf"), base);
    BxLogic::TBxTotals t;
    if (!BxLogic::CalcTotals(base, Value(QStringLiteral("PjYhl")), &t))
        return;  // not numbers: the totals keep what they show
    SetValue(QStringLiteral("YhJe"), t.YhJe.ToString());
    SetValue(QStringLiteral("BxfHj"), t.BxfHj.ToString());
}

bool TfrmBx_Main::FindCar()
{
    TWjSerGen pick(QStringLiteral("车辆档案"), BxLogic::CarLookupSql(Value(QStringLiteral("RegiCode"))),
                   {QStringLiteral("RegiCode"), QStringLiteral("MasterName"), QStringLiteral("Factry")},
                   {{QStringLiteral("RegiCode"), QStringLiteral("车牌号码")},
                    {QStringLiteral("MasterName"), QStringLiteral("车主")},
                    {QStringLiteral("Factry"), QStringLiteral("厂牌型号")},
                    {QStringLiteral("Car_Model"), QStringLiteral("车辆类型")},
                    {QStringLiteral("BoxNo"), QStringLiteral("发动机号")},
                    {QStringLiteral("ChaFactNo"), QStringLiteral("识别码")}},
                   this);
    if (!pick.Execute())
        return false;
    const TWjQuery *car = pick.DataSet();
    static const std::pair<const char *, const char *> copied[] = {
        {"RegiCode", "RegiCode"}, {"Factry", "Factry"},       {"Car_Model", "Car_Model"},
        {"BoxNo", "BoxNo"},       {"ChaFactNo", "ChaFactNo"}, {"MasterName", "BbxR"},
    };
    for (const auto &[from, to] : copied)
        SetValue(QLatin1String(to), car->FieldByName(QLatin1String(from)).AsString());
    return true;
}

int TfrmBx_Main::PickItems()
{
    if (IsLocked())
        return 0;
    TWjSerGen_Mui pick(QStringLiteral("保险项目"), QStringLiteral("select * from tBxSetup order by BxSetupId"),
                       {QStringLiteral("BxType")},
                       {{QStringLiteral("BxType"), QStringLiteral("承保险别")},
                        {QStringLiteral("BxJe"), QStringLiteral("保险金额(元)")},
                        {QStringLiteral("Bxf"), QStringLiteral("保险费(元)")}},
                       this);
    const int added = pick.Execute(Lines()->DataSet(), QStringLiteral("Xh_BxDetail"), QStringLiteral("BxMain_Id"), HeadKey());
    if (added > 0) {
        Lines()->Renumber();
        Grid()->RefreshFooter();
        CalcTotals();
    }
    return added;
}
