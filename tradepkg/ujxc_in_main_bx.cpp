#include "ujxc_in_main_bx.h"
#include "ujxc_in_add_bx.h"
#include "wjbx_jbdata.h"
#include "wjdbgrid.h"
#include "wjinputs.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>

TJxcDocDef TfrmJxcIn_Main_Bx::Definition()
{
    TJxcDocDef d;
    d.title = QStringLiteral("进 货 开 单");
    d.headTable = QStringLiteral("Yw_InHead");
    d.keyColumn = QStringLiteral("InHead_ID");
    d.numberColumn = QStringLiteral("In_AutoNum");
    d.numberCode = QStringLiteral("IN_BH");
    d.flagColumn = QStringLiteral("InFlag");
    d.auditedFlag = QStringLiteral("2");
    d.dateColumn = QStringLiteral("In_Date");
    d.dateCaption = QStringLiteral("进货日期");
    d.numberCaption = QStringLiteral("进货单号");
    d.makerCaption = QStringLiteral("开单人");
    d.remarkColumn = QStringLiteral("Bz_InHead");
    d.lineTable = QStringLiteral("Yw_InDetail");
    d.lineKey = QStringLiteral("InDetail_Id");
    d.lineMaster = QStringLiteral("InMain_Id");
    d.lineSerial = QStringLiteral("Xh_Indetail");
    d.lineGoods = QStringLiteral("GoodsId_In");
    d.lineNum = QStringLiteral("InNum");
    d.partnerTable = QStringLiteral("Jb_Gys");
    d.partnerKeyColumn = QStringLiteral("GysId");
    d.partnerCaption = QStringLiteral("供应商名称");
    d.phoneCaption = QStringLiteral("电 话");
    d.askSave = QStringLiteral("您是否确定保存该进货单资料？");
    d.noLines = QStringLiteral("没有进货明细不能保存!");
    d.audited = QStringLiteral("对不起，该进货单已经审核！");
    return d;
}

TfrmJxcIn_Main_Bx::TfrmJxcIn_Main_Bx(QWidget *parent) : TfrmJxcDoc_Bx(Definition(), parent)
{
    setObjectName(QStringLiteral("frmJxcIn_Main_Bx"));
    auto *pay = new QComboBox(this);
    pay->setObjectName(QStringLiteral("PayTypeW"));
    pay->setEditable(true);
    pay->setToolTip(QStringLiteral("结算方式"));
    pay->setProperty("tag", 8);
    AddHeadField(QStringLiteral("结算方式"), pay);
    Rule(QStringLiteral("PayType"), QStringLiteral("结算方式"), 30);
    auto *remark = new QLineEdit(this);
    remark->setObjectName(QStringLiteral("Bz_InHeadW"));
    AddHeadField(QStringLiteral("附加说明"), remark, 3);

    // Lines come only from the goods search: no add button.
    FindAction()->setText(QStringLiteral("查找资料库"));
    SetLineColumns({{QStringLiteral("Xh_Indetail"), QStringLiteral("序")},
                    {QStringLiteral("GoodsName"), QStringLiteral("商品名称")},
                    {QStringLiteral("GoodsNo"), QStringLiteral("商品编码")},
                    {QStringLiteral("Depart"), QStringLiteral("规格")},
                    {QStringLiteral("TNum"), QStringLiteral("数量")},
                    {QStringLiteral("T_Price"), QStringLiteral("金额")},
                    {QStringLiteral("Posi"), QStringLiteral("仓位")}},
                   {});
    SetComboboxItems(this);
}

TADOCachedForm *TfrmJxcIn_Main_Bx::CreateLineDialog()
{
    return new TfrmJxcIn_Add_Bx(this);
}

int TfrmJxcIn_Main_Bx::RunPartnerEditor(int action)
{
    TWjBx_JbData jb;
    jb.SetWjQuery(Partners());
    return jb.GysGl(action);
}
