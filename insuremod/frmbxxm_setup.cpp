#include "frmbxxm_setup.h"
#include "bxlogic.h"
#include "frmbxxm_setup_add.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjdbgrid.h"
#include "wjinputs.h"

#include <QCursor>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString kFmt = QStringLiteral("保险项目设置");
}

TfrmBxxm_Setup::TfrmBxxm_Setup(QWidget *parent) : QDialog(parent), m_items(new TWjQuery(this))
{
    setObjectName(QStringLiteral("frmBxxm_Setup"));
    setWindowTitle(QStringLiteral("保险项目设置"));
    m_grid = new TWjDBGrid(this);
    m_grid->setObjectName(QStringLiteral("dbgItems"));
    m_grid->SetColumns({{QStringLiteral("BxType"), QStringLiteral("承保险别"), 220},
                        {QStringLiteral("BxJe"), QStringLiteral("保险金额(元)"), 110},
                        {QStringLiteral("Bxf"), QStringLiteral("保险费(元)"), 100}});
    m_grid->SetDataSet(m_items);
    auto *menu = new QMenu(m_grid);
    menu->addAction(QStringLiteral("设置..."), this, [this] { m_grid->RunFmtTool(kFmt); });
    m_grid->View()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid->View(), &QWidget::customContextMenuRequested, menu, [menu](const QPoint &) { menu->popup(QCursor::pos()); });
    connect(m_grid, &TWjDBGrid::RowDoubleClicked, this, &TfrmBxxm_Setup::Edit);

    QList<QPushButton *> b;
    auto *buttons = AddButtonRow(this, {{QStringLiteral("添加[&A]"), QStringLiteral("btnAdd")},
                                        {QStringLiteral("修改[&E]"), QStringLiteral("btnEdit")},
                                        {QStringLiteral("删除[&D]"), QStringLiteral("btnDel")},
                                        {QStringLiteral("确定[&M]"), QStringLiteral("btnOk")}}, &b);
    connect(b[0], &QPushButton::clicked, this, &TfrmBxxm_Setup::Add);
    connect(b[1], &QPushButton::clicked, this, &TfrmBxxm_Setup::Edit);
    connect(b[2], &QPushButton::clicked, this, &TfrmBxxm_Setup::Delete);
    connect(b[3], &QPushButton::clicked, this, &QDialog::accept);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(m_grid, 1);
    lay->addLayout(buttons);
    resize(560, 400);

    try {
        m_grid->InitFmt(kFmt);
    } catch (const std::exception &) {
        // An unreadable layout: the built-in columns stay.
    }
    reread();
}

void TfrmBxxm_Setup::reread(const QString &key)
{
    CurDBAction->SelectTable(QStringLiteral("select * from tBxSetup order by BxSetupId"), *m_items);
    if (!key.isEmpty())
        m_items->Locate(QStringLiteral("BxSetupId"), key);
}

void TfrmBxxm_Setup::Add()
{
    if (RunBxxm_Setup_Add(QStringLiteral("0"), QStringLiteral("fAdd")))
        reread();
}

void TfrmBxxm_Setup::Edit()
{
    if (m_items->IsEmpty())
        return;
    const QString key = m_items->FieldByName(QStringLiteral("BxSetupId")).AsString();
    RunBxxm_Setup_Add(key, QStringLiteral("fEdit"));
    reread(key);
}

void TfrmBxxm_Setup::Delete()
{
    if (m_items->IsEmpty())
        return;
    const int at = m_items->RecNo();
    BxLogic::DeleteItem(*CurDBAction, m_items->FieldByName(QStringLiteral("BxSetupId")).AsString());
    reread();
    if (!m_items->IsEmpty())
        m_items->SetRecNo(qMin(at, m_items->RecordCount()));
}

void RunBxxm_Setup()
{
    TfrmBxxm_Setup w;
    w.exec();
}
