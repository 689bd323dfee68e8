// The worker editor ("职工管理"): a data-entity window over Jb_Worker. The worker
// number is filled by the framework when adding (number code "ZGBH"); the name is
// required. Dates are typed as yyyy-MM-dd; blank leaves them empty.
#pragma once
#include "goodspkgglobal.h"
#include "wjdataentity.h"

class QLineEdit;
class QPushButton;

class GOODSPKG_EXPORT TfrmBxWorker : public TWjForm_Jb
{
    Q_OBJECT
public:
    explicit TfrmBxWorker(QWidget *parent = nullptr);
    void FormShow() override;
    QPushButton *SaveButton() const { return m_save; }
    QPushButton *ExitButton() const { return m_exit; }
    bool Save();

private:
    QLineEdit *m_no;
    QPushButton *m_save;
    QPushButton *m_exit;
};
