#include "wjbx_bmjg.h"
#include "wjbx_goodtype.h"

#include <QTreeWidget>

TWjBx_Bmjg::TWjBx_Bmjg(QObject *parent) : QObject(parent) {}

void TWjBx_Bmjg::GetTreeData()
{
    WjFillTree(WjTvTmp, QStringLiteral("Jb_Bmjg"), QStringLiteral("BmjgName"));
}

QString TWjBx_Bmjg::GetTvId() const
{
    const QTreeWidgetItem *it = WjTvTmp ? WjTvTmp->currentItem() : nullptr;
    return it ? it->data(0, Qt::UserRole).toString() : QStringLiteral("0");
}
