#include "frmkh_hisyw.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjdbgrid.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

QString TfrmKh_HisYw::Statement(const QString &kind, const QString &partnerKey)
{
    const QString key = WjSql::CheckInteger(partnerKey);
    if (kind == QLatin1String("1"))
        return QStringLiteral("select Sa_AutoNum as Bh,Sa_Date as YwDate,PayType,ClientId as KhId,TPrice from V_Yw_SaHead "
                              "where ClientId=%1 order by SaHead_Id desc").arg(key);
    return QStringLiteral("select In_AutoNum as Bh,In_Date as YwDate,PayType,GysId as KhId,TPrice from V_Yw_InHead "
                          "where GysId=%1 order by InHead_ID desc").arg(key);
}

TfrmKh_HisYw::TfrmKh_HisYw(const TWjQuery &partner, const QString &kind, QWidget *parent)
    : QDialog(parent), m_list(new TWjQuery(this))
{
    setObjectName(QStringLiteral("frmKh_HisYw"));
    setWindowTitle(kind == QLatin1String("1") ? QStringLiteral("客户业务记录") : QStringLiteral("供应商业务记录"));
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

    CurDBAction->SelectTable(Statement(kind, partner.FieldByName(QStringLiteral("Client_Id")).AsString()), *m_list);
    m_grid = new TWjDBGrid(this);
    m_grid->SetDataSet(m_list);
    m_grid->SetColumns({{QStringLiteral("Bh"), QStringLiteral("单号"), 140, true},
                        {QStringLiteral("YwDate"), QStringLiteral("经办日期"), 90, true},
                        {QStringLiteral("PayType"), QStringLiteral("支付方式"), 90, true},
                        {QStringLiteral("TPrice"), QStringLiteral("金额"), 90, true}});
    m_grid->SetFooter(QStringLiteral("TPrice"), TWjDBGrid::FooterSum);

    auto *ok = new QPushButton(QStringLiteral("确定[&M]"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto *lay = new QVBoxLayout(this);
    lay->addLayout(head);
    lay->addWidget(m_grid, 1);
    lay->addLayout(buttons);
    resize(520, 380);
}
