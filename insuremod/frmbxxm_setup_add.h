// TfrmBxxm_Setup_Add: one insurance item (tBxSetup), opened by
// RunBxxm_Setup_Add(item id, "fAdd" or "fEdit"); titled "添加保险项目" when adding and
// "修改保险项目" otherwise. 承保险别 is required; a name another item has (trimmed names
// compared) is refused with "对不起，该保险项目已存在！" and the focus goes back to it.
// 保存[&S] stores the item (BxLogic::SaveItem) and closes; 取消[&C] closes.
#pragma once
#include "wjdataentity.h"

class QComboBox;
class QPushButton;

class TfrmBxxm_Setup_Add : public TWjForm_Jb
{
    Q_OBJECT
public:
    TfrmBxxm_Setup_Add(const QString &itemId, const QString &action, QWidget *parent = nullptr);
    bool IsEdit() const { return m_edit; }
    QComboBox *TypeBox() const { return m_type; }
    QPushButton *SaveButton() const { return m_save; }
    // "保存[&S]": true when stored (the window closes).
    bool Save();

private:
    bool m_edit;
    QComboBox *m_type;
    QPushButton *m_save;
};

// Shows the item window modally; true when it stored the item.
bool RunBxxm_Setup_Add(const QString &itemId, const QString &action);
