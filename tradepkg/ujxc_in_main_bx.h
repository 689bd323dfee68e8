// The purchase window ("进 货 开 单"): one Yw_InHead row and its Yw_InDetail lines,
// opened by TWjJxc_Bx::GoodsInGl. Saving moves no stock; the audit does.
#pragma once
#include "tradepkgglobal.h"
#include "ujxc_doc_bx.h"

class TRADEPKG_EXPORT TfrmJxcIn_Main_Bx : public TfrmJxcDoc_Bx
{
    Q_OBJECT
public:
    explicit TfrmJxcIn_Main_Bx(QWidget *parent = nullptr);
    static TJxcDocDef Definition();

protected:
    TADOCachedForm *CreateLineDialog() override;
    QString SearchSql() const override { return QStringLiteral("select * from V_Jb_Goods"); }
    QString SearchCaption() const override { return QStringLiteral("商品属性"); }
    QString SearchListName() const override { return QStringLiteral("进货商品资料"); }
    int RunPartnerEditor(int action) override;
};
