#include "wjbx_goodtype.h"
#include "wjdataset.h"
#include "wjdbaction.h"

#include <QSet>
#include <QTreeWidget>

namespace {
// Children of `parentKey` under `parent`, each followed by its own subtree.
void addSubtree(QTreeWidget *tree, QTreeWidgetItem *parent, const QString &parentKey, const QString &table,
                const QString &textField, QSet<qint64> &seen)
{
    if (parentKey.isEmpty())
        return;
    TWjQuery q;
    CurDBAction->SelectTable(QStringLiteral("select * from %1 where ParentId=%2").arg(table, parentKey), q);
    for (q.First(); !q.Eof(); q.Next()) {
        const qint64 id = q.FieldByName(QStringLiteral("meid")).AsLargeInt();
        if (seen.contains(id))
            continue;  // a row that names a descendant as its parent: shown once
        seen.insert(id);
        auto *node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        node->setText(0, q.FieldByName(textField).AsString());
        node->setData(0, Qt::UserRole, QString::number(id));
        addSubtree(tree, node, QString::number(id), table, textField, seen);
    }
}
} // namespace

void WjFillTree(QTreeWidget *tree, const QString &table, const QString &textField)
{
    if (!tree)
        return;
    tree->clear();
    QSet<qint64> seen;
    addSubtree(tree, nullptr, QStringLiteral("0"), table, textField, seen);
}

TWjBx_GoodType::TWjBx_GoodType(QObject *parent) : QObject(parent) {}

void TWjBx_GoodType::GetTreeData()
{
    WjFillTree(WjTvTmp, QStringLiteral("Jb_GoodsType"), QStringLiteral("TypeName"));
}

QString TWjBx_GoodType::GetTvId() const
{
    const QTreeWidgetItem *it = WjTvTmp ? WjTvTmp->currentItem() : nullptr;
    return it ? it->data(0, Qt::UserRole).toString() : QStringLiteral("0");
}

QString TWjBx_GoodType::GetZeroNumber(int width, qint64 number)
{
    const QString s = QString::number(number);
    return s.size() < width ? QString(width - s.size(), QLatin1Char('0')) + s : s;
}

QString TWjBx_GoodType::DoOfGoodsNo(const QString &flag, const QString &typeKey)
{
    TDBAction &db = *CurDBAction;
    const QString key = WjSql::CheckInteger(typeKey, QStringLiteral("商品类型"));
    // Inside the goods editor's save the row stays locked until the goods is stored, so
    // two workstations committing numbers of one type each advance the counter.
    const QString lock = db.InTransaction() ? db.Dialect().ForUpdate() : QString();
    db.GetSerData(QStringLiteral("select * from Jb_GoodsType where MeId=") + key + lock);
    const TWjQuery *q = db.SerQuery();
    const QString noType = q->IsEmpty() ? QString() : q->FieldByName(QStringLiteral("NoType")).AsString();
    const qint64 curNo = q->IsEmpty() ? 0 : q->FieldByName(QStringLiteral("CurNo")).AsLargeInt();
    if (flag == QLatin1String("0"))
        return noType + GetZeroNumber(3, curNo + 1);
    db.ExecuteSQL(QStringLiteral("update Jb_GoodsType set CurNo=%1 where MeId=%2").arg(curNo + 1).arg(key));
    return QStringLiteral("1");
}

void TWjBx_GoodType::UpdateGoodsNo(const QString &typeKey)
{
    TDBAction &db = *CurDBAction;
    const QString key = WjSql::CheckInteger(typeKey, QStringLiteral("商品类型"));
    TWjTransaction tr(db);
    db.GetSerData(QStringLiteral("select * from Jb_GoodsType where MeId=") + key + db.Dialect().ForUpdate());
    const QString noType = db.SerQuery()->IsEmpty() ? QString() : db.SerQuery()->FieldByName(QStringLiteral("NoType")).AsString();
    TWjQuery goods;
    db.SelectTable(QStringLiteral("select * from Jb_Goods where TypeId_Goods=") + key, goods);
    goods.FetchAll();  // the rows are rewritten below: read them all before the first update
    qint64 k = 0;
    for (goods.First(); !goods.Eof(); goods.Next()) {
        ++k;
        db.ExecuteSQL(QStringLiteral("update Jb_Goods set GoodsNo=%1 where Goods_Id=%2")
                          .arg(TDBAction::QuotedStr(noType + GetZeroNumber(3, k)), goods.FieldByName(QStringLiteral("Goods_Id")).AsString()));
    }
    db.ExecuteSQL(QStringLiteral("update Jb_GoodsType set CurNo=%1 where MeId=%2").arg(k).arg(key));
    tr.Commit();
}
