#include "frmbxworker.h"
#include "wjinputs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

TfrmBxWorker::TfrmBxWorker(QWidget *parent) : TWjForm_Jb(parent)
{
    setObjectName(QStringLiteral("frmBxWorker"));
    setWindowTitle(QStringLiteral("职工管理"));
    TableName = QStringLiteral("Jb_Worker");
    KeyField = QStringLiteral("WORK_ID");
    NumberCode = QStringLiteral("ZGBH");

    auto *grid = new QGridLayout;
    int n = 0;
    auto place = [&](const QString &caption, QWidget *input) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(input);
        grid->addWidget(label, n / 2, (n % 2) * 2, Qt::AlignRight);
        grid->addWidget(input, n / 2, (n % 2) * 2 + 1);
        ++n;
    };
    auto line = [&](const QString &caption, const char *column, int length) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(column) + QLatin1Char('W'));
        e->setMaxLength(length);
        Rule(QLatin1String(column), caption.chopped(1).remove(QLatin1Char(' ')), length);
        place(caption, e);
        return e;
    };
    auto date = [&](const QString &caption, const char *column) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(column) + QLatin1Char('W'));
        e->setPlaceholderText(QStringLiteral("yyyy-MM-dd"));
        Rule(QLatin1String(column), caption.chopped(1), 0, false, TSQLControl::Date);
        place(caption, e);
    };
    auto list = [&](const QString &caption, const char *column, int length, const QString &listName) {
        auto *cb = new QComboBox(this);
        cb->setObjectName(QLatin1String(column) + QLatin1Char('W'));
        cb->setEditable(true);
        cb->setToolTip(listName);
        Rule(QLatin1String(column), caption.chopped(1).remove(QLatin1Char(' ')), length);
        place(caption, cb);
    };

    m_no = line(QStringLiteral("职工编号："), "ZGBH", 20);
    line(QStringLiteral("姓名："), "ZGNAME", 30);
    Rule(QStringLiteral("ZGNAME"), QStringLiteral("姓名"), 30, true);
    line(QStringLiteral("身份证号："), "SFZHM", 20);
    date(QStringLiteral("出生日期："), "CS_DATE");
    list(QStringLiteral("性别："), "XB", 4, QStringLiteral("性别"));
    line(QStringLiteral("联系电话："), "LXDH", 50);
    line(QStringLiteral("邮   编："), "YZBM", 10);
    line(QStringLiteral("联系地址："), "LXDZ", 100);
    date(QStringLiteral("工作日期："), "WORK_DATE");
    list(QStringLiteral("所属部门："), "SSBM", 50, QStringLiteral("所属部门"));
    list(QStringLiteral("职   务："), "ZW", 30, QStringLiteral("职务"));
    auto *wage = new TWjNumEdit(this);
    wage->setObjectName(QStringLiteral("JBGZW"));
    Rule(QStringLiteral("JBGZ"), QStringLiteral("基本工资"));
    place(QStringLiteral("基本工资："), wage);

    const int row = (n + 1) / 2;
    auto *remark = new QPlainTextEdit(this);
    remark->setObjectName(QStringLiteral("ZG_BZW"));
    remark->setFixedHeight(60);
    grid->addWidget(new QLabel(QStringLiteral("备   注："), this), row, 0, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(remark, row, 1, 1, 3);
    auto *extension = new QLineEdit(this);
    extension->setObjectName(QStringLiteral("ExtensionW"));
    extension->setMaxLength(100);
    Rule(QStringLiteral("Extension"), QStringLiteral("Extension"), 100);
    grid->addWidget(extension, row + 1, 1, 1, 3);

    auto *key = new QLineEdit(this);
    key->setObjectName(QStringLiteral("WORK_IDW"));
    key->hide();
    Rule(QStringLiteral("WORK_ID"), QStringLiteral("WORK_ID"), 0, false, TSQLControl::Integer);

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
