// TfrmBxSer_Mui_Tv: the multi-select goods search window of the document windows.
//
// The goods list narrows by goods type (the clicked type and every type below it) or by
// the list search of ".\sys\Mainsearch.ini"; a double-click picks a goods into the entry
// page, and each "添加[&A]" appends one line to the document's detail dataset, which the
// selected list below shows. Nothing is written to the database: the lines stay in the
// document's cached line set until the document is saved, also when the window is
// cancelled.
//
// The caption chooses the entry page once, at opening:
//   "商品属性"  purchase lines (Yw_InDetail), or production lines (Yw_ScDetail) when the
//              selected list is "生产资料"
//   "库存资料"  sale lines (Yw_SaDetail), prices by price mode: "2" wholesale, "3"
//              discount, else normal sale prices
//   "退货资料"  return lines (Yw_ThDetail), which must name one of the goods' batches
// Each line gets a key from GetTbId, the head key and the serial number record count + 1.
// Quantities must be whole numbers and prices numbers: otherwise "添加[&A]" says which
// input is wrong and appends nothing.
#pragma once
#include "goodspkgglobal.h"
#include "wjcurrency.h"

#include <QDialog>
#include <QVariantMap>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TWjBx_GoodType;
class TWjDBGrid;
class TWjNumEdit;
class TWjQuery;
class TWjSearch;

class GOODSPKG_EXPORT TfrmBxSer_Mui_Tv : public QDialog
{
    Q_OBJECT
public:
    // The arguments of RunSerGen_Mui, in its order.
    TfrmBxSer_Mui_Tv(TWjQuery *detail, const QString &serialField, const QString &headKeyField,
                     const QString &headKeyValue, const QString &caption, const QString &listName,
                     const QString &goodsSql, bool flag, const QString &priceMode, QWidget *parent = nullptr);

    enum LineKind { Purchase, Production, Sale, Return };
    LineKind Kind() const { return m_kind; }
    bool Result() const { return m_result; }
    TWjQuery *Goods() const { return m_goods; }
    TWjQuery *Detail() const { return m_detail; }
    QString GoodsFmt() const;     // the goods list's layout name: caption + "_查"
    QString SelectedFmt() const;  // the selected list's: "多选_" + list name
    QString PickedGoodsId() const { return m_picked.value(QStringLiteral("Goods_Id")).toString(); }
    QString TypeKeys() const { return m_typeKeys; }       // of the last type click
    QString ParentTypeId() const { return m_parentType; }
    QString TypeId() const { return m_typeId; }

    void Find();                              // "查找"
    void TypeClicked(QTreeWidgetItem *item);
    void PickGoods();                         // double-click on the goods list
    void CalcTotal();                         // "合计" of page "商品属性"
    void CalcCost();                          // "合计" of page "库存资料"
    bool AddLine();                           // "添加[&A]"
    void DeleteLine();                        // "删除[&D]", double-click on the selected list
    void NewGoods();                          // "添加新商品"

    // Search panel
    QComboBox *cbSource, *cbField, *cbOper;
    QLineEdit *edValue;
    QDateEdit *edFrom, *edTo;
    QCheckBox *chkFuzzy;
    QPushButton *btnFind;
    // Types, goods, selected lines
    QTreeWidget *tvType;
    TWjDBGrid *dbgGoods, *dbgSelected;
    QPushButton *btnDel, *btnAdd;
    QStackedWidget *pages;
    QLabel *lbName[3];                        // one per page: 商品属性, 库存资料, 退货资料
    QLabel *lbUnit[3][3];                     // page, unit
    // Page "商品属性"
    QComboBox *cbPc;
    QDateEdit *dtYx;
    TWjNumEdit *edNum[3], *edPrice[3], *edTotal;
    QPushButton *btnTotal;
    QComboBox *cbPosi;
    // Page "库存资料"
    TWjNumEdit *edSaNum[3], *edSaPrice[3], *edKdPrice[3], *edInPrice[3], *edKcId, *edCost;
    QPushButton *btnCost;
    QCheckBox *chkPc;
    QComboBox *cbSaPc;
    QWidget *pnlInPrice;                      // "进货价："
    // Page "退货资料"
    QComboBox *cbThPc;
    TWjNumEdit *edThNum[3];
    QLineEdit *edThRemark;
    // Bottom
    QPushButton *btnOk, *btnCancel, *btnNewGoods;

protected:
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void batchLeft();
    void unitsOf(int page);
    QStringList batchesOfPicked() const;
    QString lineTable() const;
    void setupSelectedColumns();

    TWjQuery *m_detail;
    QString m_headKey, m_listName, m_priceMode;
    LineKind m_kind = Purchase;
    int m_page = 0;
    TWjQuery *m_goods;
    TWjSearch *m_search;
    TWjBx_GoodType *m_types;
    QVariantMap m_picked;  // the goods of the last double-click; empty after an append
    QString m_typeKeys, m_parentType, m_typeId;
    bool m_result = false;
};

// Creates the window over the arguments, shows it modally and returns its result.
GOODSPKG_EXPORT bool RunSerGen_Mui(TWjQuery *detail, const QString &serialField, const QString &headKeyField,
                                   const QString &headKeyValue, const QString &caption, const QString &listName,
                                   const QString &goodsSql, bool flag, const QString &priceMode);
