// TfrmJg: the held tickets ("解挂"), by number and goods. "确定" (or a double-click)
// brings the chosen ticket back into the sale window and removes it from the list;
// "删除" deletes it after asking.
#pragma once
#include <QDialog>

class QPushButton;
class TPosTicket;
class TWjDBGrid;
class TWjQuery;

class TfrmJg : public QDialog
{
    Q_OBJECT
public:
    TfrmJg(TPosTicket *ticket, QWidget *parent = nullptr);

    TWjDBGrid *dbgHeld;
    QPushButton *btnOk;
    QPushButton *btnDelete;
    QPushButton *btnCancel;
    TWjQuery *Held() const { return m_held; }

    bool Confirm();    // "确定"
    bool DeleteHeld(); // "删除"

private:
    void reload();
    QString currentId() const;
    TPosTicket *m_ticket;
    TWjQuery *m_held;
};
