// TWjBx_Goods: the entry point other windows use for the goods windows.
//
//   BxGoodsGl(action)      the goods editor TfrmGoods_Bx ("商品属性管理") over WjQuery
//                          with run action 0 add, 1 edit (the current row), 2 delete;
//                          returns the key of the goods added or edited, "" when nothing
//                          was saved
//   ExectSerGen_Mui_Bx(..) the multi-select goods search window TfrmBxSer_Mui_Tv: appends
//                          lines to a document's cached detail dataset; true when it was
//                          closed with "确定[&S]" over a goods list that was not empty.
//                          The arguments go unchanged to RunSerGen_Mui (frmbxser_mui_tv.h):
//                            detail          the document's cached lines (when it is the
//                                            dataset of a TADOCachedControl, each appended
//                                            line gets the control's display columns)
//                            serialField, headKeyField   not used (the kind of line fixes them)
//                            headKeyValue    the head's key, written into each new line
//                            caption         "商品属性", "库存资料" or "退货资料": the page
//                            listName        the selected list's layout name; "生产资料"
//                                            makes the "商品属性" page append production lines
//                            goodsSql        the statement that fills the goods list
//                            flag            not used
//                            priceMode       sale page: "2" wholesale, "3" discount prices
//   DoGoodsDataZl()        the goods consolidation window (not available in this version:
//                          says so)
#pragma once
#include "goodspkgglobal.h"
#include "wjdataset.h"

#include <QObject>
#include <QString>

class GOODSPKG_EXPORT TWjBx_Goods : public QObject
{
    Q_OBJECT
    Q_PROPERTY(TWjQuery *WjQuery READ WjQuery WRITE SetWjQuery)
public:
    explicit TWjBx_Goods(QObject *parent = nullptr);

    TWjQuery *WjQuery() const { return m_query; }
    // Binds the list to the data access service's connection (not owned).
    void SetWjQuery(TWjQuery *query);

    QString BxGoodsGl(int action);
    bool ExectSerGen_Mui_Bx(TWjQuery *detail, const QString &serialField, const QString &headKeyField,
                            const QString &headKeyValue, const QString &caption, const QString &listName,
                            const QString &goodsSql, bool flag, const QString &priceMode);
    void DoGoodsDataZl();

private:
    TWjQuery *m_query = nullptr;
};
