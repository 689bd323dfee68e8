#include "wjbx_goods.h"
#include "frm_goods_bx.h"
#include "frmbxser_mui_tv.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjprompter.h"

TWjBx_Goods::TWjBx_Goods(QObject *parent) : QObject(parent) {}

void TWjBx_Goods::SetWjQuery(TWjQuery *query)
{
    m_query = query;
    if (m_query)
        m_query->SetConnection(CurDBAction);
}

QString TWjBx_Goods::BxGoodsGl(int action)
{
    return TWj_DataEntity_Jb::Run(m_query, [] { return new TfrmGoods_Bx; }, action, QStringLiteral("商品属性管理"), nullptr,
                                  QStringLiteral("0"));
}

bool TWjBx_Goods::ExectSerGen_Mui_Bx(TWjQuery *detail, const QString &serialField, const QString &headKeyField,
                                     const QString &headKeyValue, const QString &caption, const QString &listName,
                                     const QString &goodsSql, bool flag, const QString &priceMode)
{
    return RunSerGen_Mui(detail, serialField, headKeyField, headKeyValue, caption, listName, goodsSql, flag, priceMode);
}

void TWjBx_Goods::DoGoodsDataZl()
{
    Prompter().Information(QStringLiteral("商品资料整理功能在本版本中尚未提供。"));
}
