#include "wjbx_goods.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjerror.h"

TWjBx_Goods::TWjBx_Goods(QObject *parent) : QObject(parent) {}

void TWjBx_Goods::SetWjQuery(TWjQuery *query)
{
    m_query = query;
    if (m_query)
        m_query->SetConnection(CurDBAction);
}

// The goods windows arrive with the next commits; until then each entry says so.
QString TWjBx_Goods::BxGoodsGl(int)
{
    throw EWjError(QStringLiteral("商品属性管理窗口尚未完成。"));
}

bool TWjBx_Goods::ExectSerGen_Mui_Bx(TWjQuery *, const QString &, const QString &, const QString &, const QString &,
                                     const QString &, const QString &, bool, const QString &)
{
    throw EWjError(QStringLiteral("商品查找窗口尚未完成。"));
}

void TWjBx_Goods::DoGoodsDataZl()
{
    throw EWjError(QStringLiteral("商品资料整理窗口尚未完成。"));
}
