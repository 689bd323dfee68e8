// TfrmBxSer_Mui_Tv_Pos: the counter's goods search window ("查找资料库"). The goods
// list narrows by goods type (a type and all types below it) or by the list search of
// ".\sys\Mainsearch.ini" (the item named like the caption); a double-click picks a
// goods, whose units fill the unit choice with each unit's prices; "添加[&A]" adds the
// line straight into the open ticket, which the "已选择列表" below shows.
#pragma once
#include "wjcurrency.h"
#include "wjsqlcontrol.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TPosTicket;
class TWjDBGrid;
class TWjNumEdit;
class TWjQuery;
class TWjSearch;

class TfrmBxSer_Mui_Tv_Pos : public QDialog
{
    Q_OBJECT
public:
    // `ticket`: the open ticket the lines go into; `goodsSql` fills the goods list;
    // `formatName` names the selected list's layout; `caption` chooses the search item
    // and the page.
    TfrmBxSer_Mui_Tv_Pos(TPosTicket *ticket, const QString &goodsSql, const QString &formatName, const QString &caption,
                         QWidget *parent = nullptr);

    // Search panel
    QComboBox *cbTarget;   // search item (hidden)
    QComboBox *cbField;    // condition: the field
    QComboBox *cbCond;     // expression: the operator
    QLineEdit *edValue;    // "检索值输入域（输入关键字）"
    QDateEdit *edFrom, *edTo;
    QCheckBox *chkFuzzy;   // "模糊"
    QPushButton *btnFind;  // "查找"
    // Types and goods
    QTreeWidget *tvType;
    TWjDBGrid *dbgGoods;
    // Page "库存资料"
    QLabel *lbName;        // "名称:"
    QComboBox *cbUnit;
    TWjNumEdit *edNum;     // "销售数量："
    TWjNumEdit *edPrice;   // "销售单价："
    QLineEdit *edTotal;    // "合计金额："
    QPushButton *btnAdd;   // "添加[&A]"
    QPushButton *btnDel;   // "删除[&D]"
    TWjDBGrid *dbgSelected;
    QPushButton *btnOk;    // "确定[&S]"
    QPushButton *btnCancel;

    TWjQuery *Goods() const { return m_goods; }
    int UnitFlag() const { return m_unitFlag; }
    bool Result() const { return m_result; }
    QString GoodsFmt() const;     // the goods list's layout name
    QString SelectedFmt() const;  // the selected list's

    void Find();                  // "查找"
    void TypeClicked(QTreeWidgetItem *item);
    void PickGoods();             // double-click on the goods list
    void UnitChosen(int index);
    void RecalcTotal();
    bool AddLine();               // "添加[&A]"
    void DeleteLine();            // "删除[&D]"

protected:
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void fillTypes();
    void loadPrices(int unit);
    TPosTicket *m_ticket;
    QString m_goodsSql;
    QString m_formatName;
    TWjQuery *m_goods;
    TWjSearch *m_search;
    TSQLControl m_check;
    // The picked goods (the window's hidden fields).
    QLineEdit *edGoodsId;
    QString m_goodsNo;
    Currency m_inPrice;
    QStringList m_unitPrices[2];  // sale, purchase price per listed unit
    int m_unitFlag = 0;
    bool m_result = false;
};
