#include "frmbxworker.h"
#include "wjinputs.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QList<TWjFieldDef> &fields()
{
    static const QList<TWjFieldDef> f{
        {.column = "ZGBH", .caption = "职工编号：", .kind = TWjFieldDef::Display, .length = 20},
        {.column = "ZGNAME", .caption = "姓名：", .length = 30, .required = true},
        {.column = "SFZHM", .caption = "身份证号：", .length = 20},
        {.column = "CS_DATE", .caption = "出生日期：", .kind = TWjFieldDef::DateText},
        {.column = "XB", .caption = "性别：", .kind = TWjFieldDef::Combo, .length = 4, .list = "性别"},
        {.column = "LXDH", .caption = "联系电话：", .length = 50},
        {.column = "YZBM", .caption = "邮   编：", .length = 10},
        {.column = "LXDZ", .caption = "联系地址：", .length = 100},
        {.column = "WORK_DATE", .caption = "工作日期：", .kind = TWjFieldDef::DateText},
        {.column = "SSBM", .caption = "所属部门：", .kind = TWjFieldDef::Combo, .length = 50, .list = "所属部门"},
        {.column = "ZW", .caption = "职   务：", .kind = TWjFieldDef::Combo, .length = 30, .list = "职务"},
        {.column = "JBGZ", .caption = "基本工资：", .kind = TWjFieldDef::Number},
        {.column = "ZG_BZ", .caption = "备   注：", .kind = TWjFieldDef::Memo},
        {.column = "Extension", .length = 100, .span = 0},
        {.column = "WORK_ID", .kind = TWjFieldDef::Hidden},
    };
    return f;
}
} // namespace

TfrmBxWorker::TfrmBxWorker(QWidget *parent) : TWjForm_Jb(parent)
{
    setObjectName(QStringLiteral("frmBxWorker"));
    setWindowTitle(QStringLiteral("职工管理"));
    TableName = QStringLiteral("Jb_Worker");
    KeyField = QStringLiteral("WORK_ID");
    NumberCode = QStringLiteral("ZGBH");

    auto *grid = new TWjFieldGrid(2);
    m_no = qobject_cast<QLineEdit *>(AddFields(grid, fields()).value(0));

    QList<QPushButton *> made;
    auto *buttons = AddButtonRow(this, {{QStringLiteral("保存[&S]"), QStringLiteral("btnSave")},
                                        {QStringLiteral("退出[&T]"), QStringLiteral("btnExit")}}, &made);
    m_save = made[0];
    m_exit = made[1];
    connect(m_save, &QPushButton::clicked, this, [this] { Save(); });
    connect(m_exit, &QPushButton::clicked, this, &QDialog::reject);

    auto *lay = new QVBoxLayout(this);
    lay->addLayout(grid);
    lay->addLayout(buttons);
    new TDosMove(this);
    SetComboboxItems(this);
}

void TfrmBxWorker::FormShow()
{
    setWindowTitle(QStringLiteral("职工管理"));
    Entity()->SetEdit(m_no);
}

bool TfrmBxWorker::Save()
{
    Entity()->DisplayName = Value(QStringLiteral("ZGNAME")).trimmed();
    if (!Submit())
        return false;
    accept();
    return true;
}
