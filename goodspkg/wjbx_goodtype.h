// TWjBx_GoodType: the goods type tree (Jb_GoodsType) and the goods numbers made from it.
//
//   GetTreeData()           fills WjTvTmp with the whole tree, depth first, siblings in
//                           the order the database returns them; each node shows TypeName
//                           and carries MeId (Qt::UserRole)
//   GetTvId()               MeId of the selected node as text, "0" when none is selected
//   DoOfGoodsNo(flag, key)  flag "0": the next number of the type, NoType followed by
//                           CurNo + 1 in at least three digits (BJ007, BJ1234), nothing
//                           written; any other flag: CurNo + 1 is stored, returns "1".
//                           Both read CurNo afresh (locked when inside a transaction)
//   GetZeroNumber(w, n)     n left-padded with "0" to w characters
//   UpdateGoodsNo(key)      renumbers the type's goods 001, 002, ... in row order and
//                           sets CurNo to their count, in one transaction
//
// Type keys are validated as integers before they enter a statement.
#pragma once
#include "goodspkgglobal.h"

#include <QObject>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

class GOODSPKG_EXPORT TWjBx_GoodType : public QObject
{
    Q_OBJECT
public:
    explicit TWjBx_GoodType(QObject *parent = nullptr);

    QTreeWidget *WjTvTmp = nullptr;  // not owned

    void GetTreeData();
    QString GetTvId() const;
    QString DoOfGoodsNo(const QString &flag, const QString &typeKey);
    static QString GetZeroNumber(int width, qint64 number);
    void UpdateGoodsNo(const QString &typeKey);
};

// Inside the package: fills `tree` from a self-referencing table, the top level
// ("where ParentId=0") and then each node's children, depth first. The goods type and
// department trees share it.
void WjFillTree(QTreeWidget *tree, const QString &table, const QString &textField);
