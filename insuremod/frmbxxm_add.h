// TfrmBxxm_Add ("添加保险项目"): the line editor of the policy window, on a new line or
// the current one of the policy's cached lines: 承保险别 (required, drop-down from the
// options list "承保险别", typed text taken), 保险金额 and 保 险 费 (numbers, not
// negative). 保存[&S] writes the inputs into the line; 取消[&C] closes without writing.
#pragma once
#include "wjcached.h"

class QComboBox;
class QPushButton;
class TWjNumEdit;

class TfrmBxxm_Add : public TADOCachedForm
{
    Q_OBJECT
public:
    explicit TfrmBxxm_Add(QWidget *parent = nullptr);
    QComboBox *TypeBox() const { return m_type; }
    TWjNumEdit *AmountEdit() const { return m_je; }
    TWjNumEdit *PremiumEdit() const { return m_bxf; }
    QPushButton *SaveButton() const { return m_save; }
    // "保存[&S]": the checks, then the line; false when a check failed.
    bool Save();

private:
    QComboBox *m_type;
    TWjNumEdit *m_je, *m_bxf;
    QPushButton *m_save;
};
