// The client and supplier editors ("客户资料", "供应商资料"): data-entity windows over
// Jb_Client / Jb_Gys. The number box is filled by the framework when adding (number
// codes "ClientNo" and "GysNo"); the name is required. The supplier editor is the
// client editor without delivery address, client type, region and flag.
#pragma once
#include "goodspkgglobal.h"
#include "wjdataentity.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class GOODSPKG_EXPORT TfrmBxPartner : public TWjForm_Jb
{
    Q_OBJECT
public:
    enum Kind { Client, Gys };
    explicit TfrmBxPartner(Kind kind, QWidget *parent = nullptr);
    void FormShow() override;
    Kind PartnerKind() const { return m_kind; }

    QPushButton *SaveButton() const { return m_save; }
    QPushButton *CancelButton() const { return m_cancel; }
    // Save: the checks, the display name, Submit; closes on success.
    bool Save();

private:
    Kind m_kind;
    QLineEdit *m_no = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_cancel = nullptr;
};

class GOODSPKG_EXPORT TfrmBxClient : public TfrmBxPartner
{
    Q_OBJECT
public:
    explicit TfrmBxClient(QWidget *parent = nullptr) : TfrmBxPartner(Client, parent) {}
};

class GOODSPKG_EXPORT TfrmBxGys : public TfrmBxPartner
{
    Q_OBJECT
public:
    explicit TfrmBxGys(QWidget *parent = nullptr) : TfrmBxPartner(Gys, parent) {}
};
