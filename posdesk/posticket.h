// TPosTicket: the ticket the counter is selling, without any window.
//
// Its lines are a cached dataset over Yw_Pos_SaDetailTmp, opened on key 0 (no ticket
// has it) so it starts empty; nothing of an unpaid ticket reaches the database except
// when it is held. Each line shows two calculated columns: TNum (quantity and unit,
// "2瓶") and T_Price (quantity x price to one decimal, halves to even).
//
// Refusals and questions go through Prompter(); database failures raise EWjError and
// leave the ticket as it was. When a new ticket cannot be opened (the database is
// locked, say), no ticket is open until the next scan, pick or recall opens one.
#pragma once
#include "posbill.h"
#include "posglobal.h"
#include "wjcurrency.h"

#include <QDate>
#include <QObject>
#include <QString>

class TDBAction;
class TWjQuery;

// The goods a scan or a pick adds: the window's hidden goods fields.
struct TPosGoods
{
    QString goodsId;
    QString goodsName;
    QString goodsNo;
    QString unit;
    int unitFlag = 0;
    Currency saPrice;
    Currency inPrice;
};

// A code printed by a weighing scale: goods code in characters 3 to 6, weight in
// characters 8 to 12 (in units of 1/500 of the goods' unit).
struct TScaleLabel
{
    QString goodsCode;
    double quantity = 0;
};
// false when `code` cannot be a scale label (shorter than 8, weight not a number).
POSLOGIC_EXPORT bool ParseScaleLabel(const QString &code, TScaleLabel *out);

// A number as the counter's inputs take it: optional sign, digits, decimals (no
// exponent); money with at most four decimals, below 10^12.
POSLOGIC_EXPORT bool ReadNumber(const QString &text, double *value);
POSLOGIC_EXPORT bool ReadMoney(const QString &text, Currency *value);
// Shortest decimal text of a number ("1.5", "2").
POSLOGIC_EXPORT QString NumberText(double v);

class POSLOGIC_EXPORT TPosTicket : public QObject
{
    Q_OBJECT
public:
    explicit TPosTicket(QObject *parent = nullptr);
    ~TPosTicket() override;

    void SetConnection(TDBAction *db) { m_db = db; }
    TDBAction &Db() const;

    // The window's fields that the ticket carries.
    QString SaHeadId = QStringLiteral("0");
    QString AutoNum;
    QString Cashier;
    QString PayType = QStringLiteral("现金");
    QDate SaDate;

    // Window show: cashier and sale date, the cached lines bound, a new ticket.
    void Start(const QString &cashier);
    // A new ticket: number from "POS_BH" (used up), key from GetTbId, no lines. On
    // failure no ticket is open and a clear EWjError says so.
    void NewTicket();
    // True when a ticket is open; EnsureTicket opens one when none is.
    bool Ready() const;
    void EnsureTicket();

    TWjQuery *Lines() const { return m_lines; }
    int LineCount() const;
    bool IsEmpty() const { return LineCount() == 0; }
    Currency Due() const;  // the sum of T_Price

    // Enter in the code field. `quantityText` is the quantity field: read for a
    // barcode, set to "1" after a scale label. Refusals show their message.
    enum class ScanResult { Added, Empty, NotFound, BadQuantity, BadUnit, Cancelled };
    ScanResult Scan(const QString &text, QString *quantityText);
    // The barcode's goods with the unit and prices of its Unit_Flag. A barcode whose
    // flag names no unit is refused (with its message). A barcode several goods carry
    // (stored before barcodes were unique) asks which of them is meant (Cancelled when
    // the cashier does not say).
    enum class Lookup { Found, Missing, BadUnit, Cancelled };
    Lookup FindBarcode(const QString &code, TPosGoods *goods);
    // Appends a line (nothing reaches the database).
    void AddLine(const TPosGoods &goods, double quantity);

    bool DeleteCurrent();   // Delete
    bool ClearLines();      // End: asks first
    // The quantity dialog's "确定": refuses what is not a number, changes nothing then.
    bool EditCurrent(const QString &quantityText, const QString &priceText);

    // Payment: head, lines as entered and saved lines in one transaction, then a new
    // ticket. On failure nothing is stored and the ticket stays as it was.
    void SavePaid();
    // The receipt's data for the amounts of the payment dialog.
    TBillTicket BillTicket(const Currency &due, const Currency &paid, const Currency &change) const;

    // Holding: Page Up. Stores the ticket in Yw_Pos_Gd and its lines in
    // Yw_Pos_GdDetail, then opens a new ticket. Asks first; refuses an empty ticket.
    bool Hold();
    // Home: only an empty ticket may recall (refused otherwise, with its message).
    bool CanRecall() const;
    // Brings a held ticket back into this (empty) ticket: its number, key and lines;
    // removes it from the held list. False when it is gone (another counter took it).
    bool Recall(const QString &gdId);
    // Deletes a held ticket after asking.
    bool DeleteHeld(const QString &gdId);

    static Currency LineAmount(double quantity, const Currency &price);
    static QString TNumText(double quantity, const QString &unit);

signals:
    void TicketOpened();  // a new number and key
    void Changed();       // lines added, edited or removed

private:
    void openLines();
    void setCalc();
    TDBAction *m_db = nullptr;
    TWjQuery *m_lines;
};
