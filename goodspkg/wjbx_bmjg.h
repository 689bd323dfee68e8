// TWjBx_Bmjg: the department tree (Jb_Bmjg), as TWjBx_GoodType does it for goods types:
// GetTreeData fills WjTvTmp with BmjgName and MeId, GetTvId gives the selected MeId
// ("0" when none is selected).
#pragma once
#include "goodspkgglobal.h"

#include <QObject>
#include <QString>

class QTreeWidget;

class GOODSPKG_EXPORT TWjBx_Bmjg : public QObject
{
    Q_OBJECT
public:
    explicit TWjBx_Bmjg(QObject *parent = nullptr);

    QTreeWidget *WjTvTmp = nullptr;  // not owned

    void GetTreeData();
    QString GetTvId() const;
};
