// A partner's business history: a supplier's purchases (kind "0") or a client's sales
// (kind "1"), newest first, with the sum of the amounts in the footer.
#pragma once
#include "goodspkgglobal.h"
#include <QDialog>

class TWjDBGrid;
class TWjQuery;

class GOODSPKG_EXPORT TfrmKh_HisYw : public QDialog
{
    Q_OBJECT
public:
    // `partner`: a row with Client_Id, ClientNo and ClientName.
    TfrmKh_HisYw(const TWjQuery &partner, const QString &kind, QWidget *parent = nullptr);
    TWjQuery *List() const { return m_list; }
    TWjDBGrid *Grid() const { return m_grid; }

    static QString Statement(const QString &kind, const QString &partnerKey);

private:
    TWjQuery *m_list;
    TWjDBGrid *m_grid;
};
