#include "frmbxpartner.h"
#include "wjinputs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
struct FieldDef {
    const char *caption;
    const char *column;
    int length;
    const char *list;  // value list of a drop-down, or nullptr
    bool clientOnly;
};

// In the order of the window; lengths are those of the tables.
const FieldDef kFields[] = {
    {"编号：", "ClientNo", 20, nullptr, false},
    {"简称：", "SortName", 50, nullptr, false},
    {"名称：", "ClientName", 100, nullptr, false},
    {"公司地址：", "Lxdz", 100, nullptr, false},
    {"公司电话：", "Lxdh", 50, nullptr, false},
    {"公司联系人：", "persion", 30, nullptr, false},
    {"联系人电话：", "Per_Lxdh", 50, nullptr, false},
    {"传真号码：", "Fax_NO", 50, nullptr, false},
    {"送货地址：", "SendAddr", 100, nullptr, true},
    {"邮政编码：", "PostCode", 10, nullptr, false},
    {"开户银行：", "bank", 50, "开户银行", false},
    {"银行帐号：", "accNo", 50, nullptr, false},
    {"电子邮箱：", "Email", 50, nullptr, false},
    {"主页地址：", "Web", 100, nullptr, false},
    {"客户类型：", "Area", 50, "客户类型", true},
    {"所属区域：", "cType", 50, "所属区域", true},
};
} // namespace

TfrmBxPartner::TfrmBxPartner(Kind kind, QWidget *parent) : TWjForm_Jb(parent), m_kind(kind)
{
    const bool client = kind == Client;
    setObjectName(client ? QStringLiteral("frmBxClient") : QStringLiteral("frmBxGys"));
    setWindowTitle(client ? QStringLiteral("客户资料") : QStringLiteral("供应商资料"));
    TableName = client ? QStringLiteral("Jb_Client") : QStringLiteral("Jb_Gys");
    KeyField = QStringLiteral("Client_Id");
    NumberCode = client ? QStringLiteral("ClientNo") : QStringLiteral("GysNo");
    const QString who = client ? QStringLiteral("客户") : QStringLiteral("供应商");

    auto *grid = new QGridLayout;
    int n = 0;
    for (const FieldDef &f : kFields) {
        if (f.clientOnly && !client)
            continue;
        QString caption = QString::fromUtf8(f.caption);
        // "客户编号：", "供应商简称：" ...: the number, short name and name carry the partner kind.
        if (n < 3)
            caption.prepend(who);
        const QString column = QLatin1String(f.column);
        QWidget *input;
        if (f.list) {
            auto *cb = new QComboBox(this);
            cb->setEditable(true);
            cb->setToolTip(QString::fromUtf8(f.list));
            input = cb;
        } else {
            auto *e = new QLineEdit(this);
            e->setMaxLength(f.length);
            input = e;
            if (n == 0)
                m_no = e;
        }
        input->setObjectName(column + QLatin1Char('W'));
        Rule(column, column == QLatin1String("ClientName") ? QStringLiteral("名称") : caption.chopped(1), f.length,
             column == QLatin1String("ClientName"));
        auto *label = new QLabel(caption, this);
        label->setBuddy(input);
        grid->addWidget(label, n / 2, (n % 2) * 2, Qt::AlignRight);
        grid->addWidget(input, n / 2, (n % 2) * 2 + 1);
        ++n;
    }
    const int row = (n + 1) / 2;
    auto *remark = new QPlainTextEdit(this);
    remark->setObjectName(QStringLiteral("Bz_ClientW"));
    remark->setFixedHeight(60);
    grid->addWidget(new QLabel(QStringLiteral("备   注："), this), row, 0, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(remark, row, 1, 1, 3);

    auto *key = new QLineEdit(this);
    key->setObjectName(QStringLiteral("Client_IdW"));
    key->hide();
    Rule(QStringLiteral("Client_Id"), QStringLiteral("Client_Id"), 0, false, TSQLControl::Integer);
    if (client) {
        auto *flag = new QLineEdit(QStringLiteral("0"), this);
        flag->setObjectName(QStringLiteral("Cl_FlagW"));
        flag->hide();
        Rule(QStringLiteral("Cl_Flag"), QStringLiteral("Cl_Flag"), 0, false, TSQLControl::Integer);
    }

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
