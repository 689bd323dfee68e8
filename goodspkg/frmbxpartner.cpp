#include "frmbxpartner.h"
#include "wjinputs.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// The inputs in the order of the window; lengths are those of the tables. The number,
// short name and name carry the partner kind in their captions ("客户编号：").
QList<TWjFieldDef> fields(bool client)
{
    const QString who = client ? QStringLiteral("客户") : QStringLiteral("供应商");
    QList<TWjFieldDef> f{
        {.column = "ClientNo", .caption = who + "编号：", .kind = TWjFieldDef::Display, .length = 20},
        {.column = "SortName", .caption = who + "简称：", .length = 50},
        {.column = "ClientName", .caption = who + "名称：", .length = 100, .required = true, .name = "名称"},
        {.column = "Lxdz", .caption = "公司地址：", .length = 100},
        {.column = "Lxdh", .caption = "公司电话：", .length = 50},
        {.column = "persion", .caption = "公司联系人：", .length = 30},
        {.column = "Per_Lxdh", .caption = "联系人电话：", .length = 50},
        {.column = "Fax_NO", .caption = "传真号码：", .length = 50},
    };
    if (client)
        f << TWjFieldDef{.column = "SendAddr", .caption = "送货地址：", .length = 100};
    f << TWjFieldDef{.column = "PostCode", .caption = "邮政编码：", .length = 10}
      << TWjFieldDef{.column = "bank", .caption = "开户银行：", .kind = TWjFieldDef::Combo, .length = 50, .list = "开户银行"}
      << TWjFieldDef{.column = "accNo", .caption = "银行帐号：", .length = 50}
      << TWjFieldDef{.column = "Email", .caption = "电子邮箱：", .length = 50}
      << TWjFieldDef{.column = "Web", .caption = "主页地址：", .length = 100};
    if (client)
        f << TWjFieldDef{.column = "Area", .caption = "客户类型：", .kind = TWjFieldDef::Combo, .length = 50, .list = "客户类型"}
          << TWjFieldDef{.column = "cType", .caption = "所属区域：", .kind = TWjFieldDef::Combo, .length = 50, .list = "所属区域"};
    f << TWjFieldDef{.column = "Bz_Client", .caption = "备   注：", .kind = TWjFieldDef::Memo}
      << TWjFieldDef{.column = "Client_Id", .kind = TWjFieldDef::Hidden};
    if (client)
        f << TWjFieldDef{.column = "Cl_Flag", .kind = TWjFieldDef::Hidden, .text = "0"};
    return f;
}
} // namespace

TfrmBxPartner::TfrmBxPartner(Kind kind, QWidget *parent) : TWjForm_Jb(parent), m_kind(kind)
{
    const bool client = kind == Client;
    setObjectName(client ? QStringLiteral("frmBxClient") : QStringLiteral("frmBxGys"));
    setWindowTitle(client ? QStringLiteral("客户资料") : QStringLiteral("供应商资料"));
    TableName = client ? QStringLiteral("Jb_Client") : QStringLiteral("Jb_Gys");
    KeyField = QStringLiteral("Client_Id");
    NumberCode = client ? QStringLiteral("ClientNo") : QStringLiteral("GysNo");

    auto *grid = new TWjFieldGrid(2);
    m_no = qobject_cast<QLineEdit *>(AddFields(grid, fields(client)).value(0));

    QList<QPushButton *> made;
    auto *buttons = AddButtonRow(this, {{QStringLiteral("保存[&S]"), QStringLiteral("btnSave")},
                                        {QStringLiteral("取消[&C]"), QStringLiteral("btnCancel")}}, &made);
    m_save = made[0];
    m_cancel = made[1];
    connect(m_save, &QPushButton::clicked, this, [this] { Save(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *lay = new QVBoxLayout(this);
    lay->addLayout(grid);
    lay->addLayout(buttons);
    new TDosMove(this);
    SetComboboxItems(this);
}

void TfrmBxPartner::FormShow()
{
    // The window keeps its own caption; the entity title names the record kind.
    setWindowTitle(m_kind == Client ? QStringLiteral("客户资料") : QStringLiteral("供应商资料"));
    Entity()->SetEdit(m_no);
}

bool TfrmBxPartner::Save()
{
    Entity()->DisplayName = Value(QStringLiteral("ClientName")).trimmed();
    if (!Submit())
        return false;
    accept();
    return true;
}
