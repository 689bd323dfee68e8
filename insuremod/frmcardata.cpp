#include "frmcardata.h"
#include "bxlogic.h"
#include "frmcardata_add.h"
#include "wjdataentity.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjdbgrid.h"
#include "wjinputs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmCarData::TfrmCarData(QWidget *parent) : QDialog(parent), m_cars(new TWjQuery(this))
{
    setObjectName(QStringLiteral("frmCarData"));
    setWindowTitle(QStringLiteral("车辆档案"));
    m_plate = new QLineEdit(this);
    m_plate->setObjectName(QStringLiteral("edPlate"));
    m_plate->setPlaceholderText(QStringLiteral("输入车牌号码的开头查找"));
    SetTextLimit(m_plate, 20);
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("车牌号码"), this));
    top->addWidget(m_plate, 1);
    connect(m_plate, &QLineEdit::textChanged, this, &TfrmCarData::Search);

    m_grid = new TWjDBGrid(this);
    m_grid->setObjectName(QStringLiteral("dbgCars"));
    m_grid->SetColumns({{QStringLiteral("RegiCode"), QStringLiteral("车牌号码"), 100},
                        {QStringLiteral("MasterName"), QStringLiteral("车主"), 140},
                        {QStringLiteral("Factry"), QStringLiteral("厂牌型号"), 110},
                        {QStringLiteral("Car_Model"), QStringLiteral("车辆类型"), 90},
                        {QStringLiteral("BoxNo"), QStringLiteral("发动机号"), 120},
                        {QStringLiteral("ChaFactNo"), QStringLiteral("识别码"), 150}});
    m_grid->SetFooter(QStringLiteral("RegiCode"), TWjDBGrid::FooterCount);
    m_grid->SetDataSet(m_cars);
    connect(m_grid, &TWjDBGrid::RowDoubleClicked, this, [this] { RunEditor(1); });

    QList<QPushButton *> b;
    auto *buttons = AddButtonRow(this, {{QStringLiteral("添加[&A]"), QStringLiteral("btnAdd")},
                                        {QStringLiteral("修改[&E]"), QStringLiteral("btnEdit")},
                                        {QStringLiteral("删除[&D]"), QStringLiteral("btnDel")},
                                        {QStringLiteral("关闭[&C]"), QStringLiteral("btnClose")}}, &b);
    for (int action = 0; action < 3; ++action)
        connect(b[action], &QPushButton::clicked, this, [this, action] { RunEditor(action); });
    connect(b[3], &QPushButton::clicked, this, &QDialog::accept);

    auto *lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addWidget(m_grid, 1);
    lay->addLayout(buttons);
    resize(760, 460);
    Search();
}

void TfrmCarData::Search()
{
    CurDBAction->SelectTable(BxLogic::CarLookupSql(m_plate->text()), *m_cars);
}

void TfrmCarData::RunEditor(int action)
{
    TWj_DataEntity_Jb::Run(m_cars, [] { return new TfrmCarData_Add; }, action, QStringLiteral("车辆档案"));
}

void RunCarData()
{
    TfrmCarData w;
    w.exec();
}
