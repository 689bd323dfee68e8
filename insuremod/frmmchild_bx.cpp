#include "frmmchild_bx.h"
#include "bxlogic.h"
#include "frmbx_main.h"
#include "frmbxxm_setup.h"
#include "frmcardata.h"
#include "wjczy.h"
#include "wjdataentity.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjdbgrid.h"
#include "wjprompter.h"
#include "wjsearchbar.h"

#include <QEvent>
#include <QFile>
#include <QHeaderView>
#include <QLayout>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTableView>

namespace {
const QString kItem = QStringLiteral("保险单管理");
}

TfrmMChild_Bx::TfrmMChild_Bx(QWidget *parent) : TWjModuleWindow(parent)
{
    setObjectName(QStringLiteral("frmMChild_Bx"));
    AddItem({kItem, QString(), kItem, QString(), QStringLiteral("BxMain_Id"), QStringLiteral("修改保险单")});
    AddPage(kItem, {
                       {QStringLiteral("添加新保险单"), QString(), [this] { RunPolicy(0); }},
                       {QStringLiteral("修改保险单"), QString(), [this] { RunPolicy(1); }},
                       {QStringLiteral("删除保险单"), QString(), [this] { DeletePolicy(); }},
                       PrintButton(QStringLiteral(" 打印 ")),
                       {QStringLiteral("打印保险单"), QString(), [this] { PrintPolicy(); }, true, {}, false},
                       {QStringLiteral("保险项目设置"), QString(), [] { RunBxxm_Setup(); }, true, {}, false},
                       {QStringLiteral("车辆档案"), QString(), [] { RunCarData(); }, true, {}, false},
                   });
    Bar()->SearchOnType = true;

    // The remarks of the current policy, right of its lines behind a splitter.
    m_remark = new QPlainTextEdit(DetailPane());
    m_remark->setObjectName(QStringLiteral("mmFjsm"));
    m_remark->setReadOnly(true);
    m_remark->setPlaceholderText(QStringLiteral("附加说明"));
    auto *split = new QSplitter(Qt::Horizontal, DetailPane());
    split->setObjectName(QStringLiteral("splRemark"));
    DetailPane()->layout()->replaceWidget(DetailGrid(), split);
    split->addWidget(DetailGrid());
    split->addWidget(m_remark);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    DetailGrid()->View()->setSelectionBehavior(QAbstractItemView::SelectRows);

    connect(List(), &TWjQuery::AfterScroll, this, &TfrmMChild_Bx::showRemark);
    connect(List(), &TWjQuery::AfterOpen, this, &TfrmMChild_Bx::showRemark);

    // The list's columns are kept whenever a mouse button is released over it.
    Grid()->View()->viewport()->installEventFilter(this);
    Grid()->View()->horizontalHeader()->viewport()->installEventFilter(this);
}

TWjModuleWindow::Detail TfrmMChild_Bx::DetailFor(const QString &) const
{
    return {QStringLiteral("select * from tBxMain_Detail where BxMain_Id=& order by Xh_BxDetail"), QStringLiteral("BxMain_Id")};
}

void TfrmMChild_Bx::ListOpened()
{
    // Without a layout of its own the lower list shows the covered risks' columns.
    if (!QFile::exists(TWjDBGrid::FmtPath(Caption() + QStringLiteral("_提示板"))))
        DetailGrid()->SetColumns({{QStringLiteral("Xh_BxDetail"), QStringLiteral("序"), 40},
                                  {QStringLiteral("BxType"), QStringLiteral("承保险别"), 200},
                                  {QStringLiteral("BxJe"), QStringLiteral("保险金额(元)"), 110},
                                  {QStringLiteral("Bxf"), QStringLiteral("保险费(元)"), 100}});
    showRemark();
}

void TfrmMChild_Bx::showRemark()
{
    TWjQuery *l = List();
    const bool row = l->Active() && l->RecNo() > 0 && l->FieldIndex(QStringLiteral("Fjsm")) >= 0;
    m_remark->setPlainText(row ? l->FieldByName(QStringLiteral("Fjsm")).AsString() : QString());
}

bool TfrmMChild_Bx::eventFilter(QObject *o, QEvent *e)
{
    if (e->type() == QEvent::MouseButtonRelease
        && (o == Grid()->View()->viewport() || o == Grid()->View()->horizontalHeader()->viewport())) {
        try {
            Grid()->SaveFmt(Caption());
        } catch (...) {
            // The layout is not kept this time; the list goes on working.
        }
    }
    return TWjModuleWindow::eventFilter(o, e);
}

void TfrmMChild_Bx::RunPolicy(int action)
{
    if (action != TWj_DataEntity_Jb::faAdd && (!List()->Active() || List()->IsEmpty()))
        return;
    TWj_DataEntity_Jb::CreateYWDataEntity(List(), [] { return new TfrmBx_Main; }, action, QStringLiteral("保险单"), List(),
                                          QStringLiteral("0"));
}

void TfrmMChild_Bx::DeletePolicy()
{
    if (!List()->Active() || List()->IsEmpty())
        return;
    const QString id = List()->FieldByName(QStringLiteral("BxMain_Id")).AsString();
    if (!Prompter().Question(QStringLiteral("您确定要删除当前记录吗？")))
        return;
    if (!BxLogic::DeletePolicy(*CurDBAction, id))
        Prompter().Warning(QStringLiteral("该保险单已被删除！"));
}

void TfrmMChild_Bx::PrintPolicy()
{
    if (!List()->Active() || List()->IsEmpty() || !CurCzy)
        return;
    CurCzy->RunPrnDll(this, List(), QStringLiteral("保险单"));
}
