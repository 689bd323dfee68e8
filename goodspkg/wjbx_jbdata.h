// TWjBx_JbData: the door through which the list windows open the partner and worker
// windows. WjQuery is the caller's list of clients, suppliers or workers, positioned
// on the current row (assigning it binds it to CurDBAction).
//
//   ClientGl / GysGl / WorkerGl(action)  the client, supplier or worker editor over the
//                                        list: 0 add, 1 edit, 2 delete; the row's key,
//                                        0 when nothing was saved
//   SetKh_Goods(kind)                    the partner goods price list of the current row
//   ShowHisYw(kind)                      the partner's documents, newest first
// kind: "1" client, "0" supplier.
#pragma once
#include "goodspkgglobal.h"
#include <QObject>
#include <QString>

class TWjQuery;

class GOODSPKG_EXPORT TWjBx_JbData : public QObject
{
    Q_OBJECT
    Q_PROPERTY(TWjQuery *WjQuery READ WjQuery WRITE SetWjQuery)
public:
    explicit TWjBx_JbData(QObject *parent = nullptr);

    TWjQuery *WjQuery() const { return m_query; }
    void SetWjQuery(TWjQuery *query);

    int ClientGl(int action);
    int GysGl(int action);
    int WorkerGl(int action);
    void SetKh_Goods(const QString &kind);
    void ShowHisYw(const QString &kind);

private:
    TWjQuery *m_query = nullptr;
};

// The partner goods price list of partner row `partner` (a row with Client_Id,
// ClientNo, ClientName), shown modally.
GOODSPKG_EXPORT void RunGoods_Kh(TWjQuery *partner, const QString &kind);
