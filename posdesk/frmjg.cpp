#include "frmjg.h"
#include "posticket.h"
#include "wjapplication.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjdbgrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TfrmJg::TfrmJg(TPosTicket *ticket, QWidget *parent) : QDialog(parent), m_ticket(ticket)
{
    setObjectName(QStringLiteral("frmJg"));
    setWindowTitle(QStringLiteral("解挂"));
    m_held = new TWjQuery(this);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(new QLabel(QStringLiteral("  请选择要解挂的资料"), this));
    dbgHeld = new TWjDBGrid(this);
    dbgHeld->setObjectName(QStringLiteral("dbgHeld"));
    dbgHeld->SetDataSet(m_held);
    dbgHeld->SetSortable(false);
    dbgHeld->SetColumns({{QStringLiteral("SaMainBh"), QStringLiteral("单号"), 150},
                         {QStringLiteral("sGoods"), QStringLiteral("商品名称"), 320}});
    lay->addWidget(dbgHeld, 1);
    auto *buttons = new QHBoxLayout;
    btnOk = new QPushButton(QStringLiteral("确定"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnDelete = new QPushButton(QStringLiteral("删除"), this);
    btnDelete->setObjectName(QStringLiteral("btnDelete"));
    btnCancel = new QPushButton(QStringLiteral("取消"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addStretch(1);
    for (QPushButton *b : {btnOk, btnDelete, btnCancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    btnOk->setDefault(true);  // Enter on the list recalls
    lay->addLayout(buttons);
    resize(520, 360);

    connect(btnOk, &QPushButton::clicked, this, [this] { WjRunAction([this] { Confirm(); }); });
    connect(btnDelete, &QPushButton::clicked, this, [this] { WjRunAction([this] { DeleteHeld(); }); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(dbgHeld, &TWjDBGrid::RowDoubleClicked, this, [this] { WjRunAction([this] { Confirm(); }); });
    reload();
    dbgHeld->View()->setFocus();
}

void TfrmJg::reload()
{
    m_ticket->Db().SelectTable(QStringLiteral("select * from Yw_Pos_Gd order by Gd_Id"), *m_held);
    m_held->First();
    const bool any = !m_held->IsEmpty();
    btnOk->setEnabled(any);
    btnDelete->setEnabled(any);
}

QString TfrmJg::currentId() const
{
    return m_held->IsEmpty() ? QString() : m_held->FieldByName(QStringLiteral("Gd_Id")).AsString();
}

bool TfrmJg::Confirm()
{
    const QString id = currentId();
    if (id.isEmpty())
        return false;
    if (!m_ticket->Recall(id)) {
        reload();  // gone: another counter took it
        return false;
    }
    accept();
    return true;
}

bool TfrmJg::DeleteHeld()
{
    const QString id = currentId();
    if (id.isEmpty() || !m_ticket->DeleteHeld(id))
        return false;
    reload();
    return true;
}
