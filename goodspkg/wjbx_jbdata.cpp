#include "wjbx_jbdata.h"
#include "frmbxpartner.h"
#include "frmbxworker.h"
#include "frmgoods_kh.h"
#include "frmkh_hisyw.h"
#include "wjdataentity.h"
#include "wjdataset.h"
#include "wjdbaction.h"

namespace {
int run(TWjQuery *list, const TWj_DataEntity_Jb::FormFactory &create, int action, const QString &title)
{
    return TWj_DataEntity_Jb::Run(list, create, action, title, nullptr, QStringLiteral("0")).toInt();
}
bool hasCurrent(const TWjQuery *q) { return q && q->Active() && !q->IsEmpty(); }
} // namespace

TWjBx_JbData::TWjBx_JbData(QObject *parent) : QObject(parent) {}

void TWjBx_JbData::SetWjQuery(TWjQuery *query)
{
    m_query = query;
    if (m_query && CurDBAction)
        CurDBAction->Bind(*m_query);
}

int TWjBx_JbData::ClientGl(int action)
{
    return run(m_query, [] { return new TfrmBxClient; }, action, QStringLiteral("客户档案"));
}

int TWjBx_JbData::GysGl(int action)
{
    return run(m_query, [] { return new TfrmBxGys; }, action, QStringLiteral("供应商档案"));
}

int TWjBx_JbData::WorkerGl(int action)
{
    return run(m_query, [] { return new TfrmBxWorker; }, action, QStringLiteral("员工档案"));
}

void TWjBx_JbData::SetKh_Goods(const QString &kind)
{
    if (hasCurrent(m_query))
        RunGoods_Kh(m_query, kind);
}

void TWjBx_JbData::ShowHisYw(const QString &kind)
{
    if (!hasCurrent(m_query))
        return;
    TfrmKh_HisYw w(*m_query, kind);
    w.exec();
}

void RunGoods_Kh(TWjQuery *partner, const QString &kind)
{
    TfrmGoods_Kh w(*partner, kind);
    w.exec();
}
