#include "frmgoods_kh.h"
#include "frmgoods_kh_add.h"
#include "wjdataentity.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjdbgrid.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

TfrmGoods_Kh::TfrmGoods_Kh(const TWjQuery &partner, const QString &kind, QWidget *parent)
    : QDialog(parent), m_kind(kind), m_list(new TWjQuery(this))
{
    setObjectName(QStringLiteral("frmGoods_Kh"));
    setWindowTitle(QStringLiteral("商品定义"));
    m_partnerKey = WjSql::CheckInteger(partner.FieldByName(QStringLiteral("Client_Id")).AsString());

    auto *head = new QGridLayout;
    auto *no = new QLabel(partner.FieldByName(QStringLiteral("ClientNo")).AsString(), this);
    no->setObjectName(QStringLiteral("lbClientNo"));
    auto *name = new QLabel(partner.FieldByName(QStringLiteral("ClientName")).AsString(), this);
    name->setObjectName(QStringLiteral("lbClientName"));
    head->addWidget(new QLabel(QStringLiteral("编  号："), this), 0, 0);
    head->addWidget(no, 0, 1);
    head->addWidget(new QLabel(QStringLiteral("名称："), this), 0, 2);
    head->addWidget(name, 0, 3);
    head->setColumnStretch(3, 1);

    CurDBAction->SelectTable(QStringLiteral("select * from V_Jb_Goods_Kh where ObjType=%1 and ObjId=%2")
                                 .arg(WjSql::CheckInteger(kind), m_partnerKey),
                             *m_list);
    m_grid = new TWjDBGrid(this);
    m_grid->SetDataSet(m_list);
    m_grid->SetColumns({{QStringLiteral("GoodsNo"), QStringLiteral("编号"), 100, true},
                        {QStringLiteral("GoodsName"), QStringLiteral("商品名称"), 180, true},
                        {QStringLiteral("Depart"), QStringLiteral("规格"), 120, true},
                        {QStringLiteral("Mr_Price"), QStringLiteral("默认价格"), 80, true}});

    auto *buttons = new QHBoxLayout;
    const QList<QPair<QString, int>> acts{{QStringLiteral("添加"), 0}, {QStringLiteral("修改"), 1}, {QStringLiteral("删除"), 2}};
    for (const auto &a : acts) {
        auto *b = new QPushButton(a.first, this);
        b->setObjectName(QStringLiteral("btnAct%1").arg(a.second));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, act = a.second] { RunEditor(act); });
        buttons->addWidget(b);
    }
    buttons->addStretch();
    auto *ok = new QPushButton(QStringLiteral("确定[&M]"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(ok);

    auto *lay = new QVBoxLayout(this);
    lay->addLayout(head);
    lay->addWidget(m_grid, 1);
    lay->addLayout(buttons);
    connect(m_grid, &TWjDBGrid::RowDoubleClicked, this, [this] { RunEditor(1); });
    resize(560, 400);
}

QString TfrmGoods_Kh::EntityTitle() const
{
    return m_kind == QLatin1String("1") ? QStringLiteral("客户商品定义") : QStringLiteral("供应商商品定义");
}

QString TfrmGoods_Kh::RunEditor(int action)
{
    return TWj_DataEntity_Jb::Run(m_list, [] { return new TfrmGoods_Kh_Add; }, action, EntityTitle(), nullptr,
                                  action == 0 ? m_partnerKey : QStringLiteral("0"));
}
