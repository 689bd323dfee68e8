// TWjJxc_Bx: the state operations of business documents, acting on the current record
// of the list query WjQuery (bound by the list window, not owned):
//   Sh_In, Sh_Sa, Sh_Th, Sh_Sc   audit: post the document through the stock ledger
//                                engine, then write its flag, auditor and date
//   Sh_Qr                        confirm a delivery
//   UnSh_In, UnSh_Sa, UnSh_Th, UnSh_Sc   un-audit: take the stock back, reset the flag
//   Del_In, Del_Sa, Del_Th, Del_Sc       delete one unaudited document (lines, head)
//   Del_In_Ser, Del_Sa_Ser       delete every listed purchase / sale, audited or not
//
//   GoodsInGl, GoodsSaGl(action)  open the purchase / sales window over the list's current
//                                record: 0 add, 1 edit; 2 deletes through Del_In / Del_Sa
//                                (the windows live in wjjxc_bx_win.cpp)
//
// Refusals and questions go through Prompter(); No ends an operation with nothing
// changed. Each audit, un-audit and confirmation (engine call and flag statement) and
// each delete runs in one transaction that first reads the document's flag again, locked,
// from the database: a document another workstation audited meanwhile is refused with
// the same message as a stale list would show, and on any error nothing of the
// operation stays and the error goes on to the general error report. Afterwards the
// list is read again (audits return to the same document).
#pragma once
#include "tradepkgglobal.h"
#include "wjdataset.h"
#include <QObject>
#include <QString>

class TDBAction;
class TWjJxcFun_Bx;

class TRADEPKG_EXPORT TWjJxc_Bx : public QObject
{
    Q_OBJECT
    Q_PROPERTY(TWjQuery *WjQuery READ WjQuery WRITE SetWjQuery)
public:
    explicit TWjJxc_Bx(QObject *parent = nullptr);

    TWjQuery *WjQuery() const { return m_query; }
    void SetWjQuery(TWjQuery *query) { m_query = query; }
    TWjJxcFun_Bx *Engine() const { return m_engine; }

    void Sh_In();
    void Sh_Sa();
    void Sh_Th();
    void Sh_Sc();
    void Sh_Qr();
    void UnSh_In();
    void UnSh_Sa();
    void UnSh_Th();
    void UnSh_Sc();
    void Del_In();
    void Del_Sa();
    void Del_Th();
    void Del_Sc();
    void Del_In_Ser();
    void Del_Sa_Ser();

    int GoodsInGl(int action);
    int GoodsSaGl(int action);

    // The logged-in operator's name as stored by the audits: its first 50 bytes in the
    // database's legacy encoding (GB18030), never splitting a character.
    static QString OperatorName();
    static QString LegacyLeft(const QString &text, int maxBytes);

    struct DocKind;  // tables, columns, flags and texts of one document kind (in the .cpp)

private:
    enum class Outcome { Done, Refused, Gone };
    void audit(const DocKind &k);
    void unaudit(const DocKind &k);
    void remove(const DocKind &k);
    void clearListed(const DocKind &k);
    template <typename Change>
    Outcome changeState(const DocKind &k, const QString &key, const char *blockedFlag, Change &&change);
    bool hasCurrent() const;
    QString current(const char *column) const;
    TDBAction &db() const;

    TWjQuery *m_query = nullptr;
    TWjJxcFun_Bx *m_engine;
};
