// TBill: one receipt, built from the layout file ".\Sys\Pos.ini" and a paid ticket as
// three ordered lists of text lines (head, body, foot), then printed line by line.
//
// Layout: [标题] every value in file order; [标题_设置] "项目符", "分栏符"; [内容]
// "分隔符" (empty: one space) and "是否打印单价" ("是" adds the line amount);
// [页脚_分栏符] "分栏符"; [页脚] every value in file order.
#pragma once
#include "posglobal.h"
#include "wjcurrency.h"

#include <QList>
#include <QString>
#include <QStringList>

class TIniFile;
class TPosPrinter;

struct TBillLine
{
    QString goodsName;
    QString tNum;      // quantity and unit, "2瓶"
    Currency saPrice;  // unit price
    Currency tPrice;   // line amount
};

struct TBillTicket
{
    QString cashier;
    QString number;
    QList<TBillLine> lines;  // in grid order
    Currency due, paid, change;
};

class POSLOGIC_EXPORT TBill
{
public:
    QStringList Head, Body, Foot;

    void Build(const TIniFile &layout, const TBillTicket &ticket);
    // The layout file of the program folder.
    void Build(const TBillTicket &ticket);
    QStringList Lines() const { return Head + Body + Foot; }
    // Open, every line with WriteLine, Close.
    void Print(TPosPrinter &printer) const;

    static QString LayoutFile();
    static QString Money(const Currency &c) { return c.ToFixed(2); }  // "%.2f"
};
