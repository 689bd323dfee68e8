// TWjJxcFun_Bx: the stock ledger engine. Moves the quantities of an audited document
// into or out of the batch-wise stock table Yw_KcData and takes them back on un-audit.
//
// Every operation takes the document head's key as decimal text and returns false when
// the document has no lines (nothing changed), true when every line was processed:
//   purchase   SetInDataToKc / GetInDataFromKc     each line added to (taken from) its
//                                                  goods-and-batch row; a missing row is
//                                                  created on posting
//   return     SetKcDataToTh / GetThDataFromKc     each line taken from (added to) its batch
//   sale       UpKcWithSaData / UnDoUpKcWithSaData taken from the goods' batches, earliest
//                                                  expiry first; each share recorded in
//                                                  Yw_SaDetail_Kc and given back from there
//   sale/batch SetKcDataToSa / GetSaDataFromKc     per-batch posting of lines naming a batch
//   production SetScDataToKc / GetScDataFromKc     added to the goods' first stock row
//
// A sale line that wants more than the goods' batches hold records the shortage as
// negative stock with an allocation row of its own: on the last batch it visited, or,
// when no batch holds stock, on the goods' first stock row (created without batch when
// the goods has none). So a line's allocation rows always add up to its quantity and
// un-posting restores every stock row exactly, counted in the smallest unit.
//
// Each operation is one transaction (nested in the caller's when there is one) and
// locks the goods it moves first, so two workstations posting the same goods take turns
// instead of overwriting each other's stock figures. It reads the document's lines and
// the stock rows of their goods once, works the lines through in order against that
// picture, and writes changed rows with prepared statements and new rows with multi-row
// inserts. Quantities beyond the 32-bit columns raise EWjError (and roll back) instead
// of being cut.
#pragma once
#include "goodspkgglobal.h"
#include <QObject>
#include <QString>

class TDBAction;
class TWjQuery;

class GOODSPKG_EXPORT TWjJxcFun_Bx : public QObject
{
    Q_OBJECT
public:
    explicit TWjJxcFun_Bx(QObject *parent = nullptr);

    // The database the engine works on; nullptr (the default) means CurDBAction.
    void SetConnection(TDBAction *db) { m_db = db; }

    bool SetInDataToKc(const QString &inHeadId) { return ActionOfKcToIn(inHeadId, QStringLiteral("1")); }
    bool GetInDataFromKc(const QString &inHeadId) { return ActionOfKcToIn(inHeadId, QStringLiteral("0")); }
    bool SetKcDataToTh(const QString &thHeadId) { return ActionOfKcToTh(thHeadId, QStringLiteral("1")); }
    bool GetThDataFromKc(const QString &thHeadId) { return ActionOfKcToTh(thHeadId, QStringLiteral("0")); }
    bool SetKcDataToSa(const QString &saHeadId) { return ActionOfKcToSa(saHeadId, QStringLiteral("1")); }
    bool GetSaDataFromKc(const QString &saHeadId) { return ActionOfKcToSa(saHeadId, QStringLiteral("0")); }
    bool UpKcWithSaData(const QString &saHeadId);
    bool UnDoUpKcWithSaData(const QString &saHeadId);
    bool SetScDataToKc(const QString &scHeadId);
    bool GetScDataFromKc(const QString &scHeadId);

    // The per-batch workers: `flag` "1" posts, any other value un-posts.
    bool ActionOfKcToIn(const QString &inHeadId, const QString &flag);
    bool ActionOfKcToTh(const QString &thHeadId, const QString &flag);
    bool ActionOfKcToSa(const QString &saHeadId, const QString &flag);

    // Closes and frees a dataset.
    static void FreeAdoQr(TWjQuery *query);

private:
    TDBAction &db() const;
    TDBAction *m_db = nullptr;
};
