// List searches as ".\sys\Mainsearch.ini" defines them (the file documents its format):
//   [数据库定义]  Item1..ItemN = search item names, in order
//   [<item>]     SQL = the list statement; Where = a fixed condition (optional);
//                OrderBy = the order (optional);
//                Field1..FieldN = column,caption,kind  (kind T text, N number, D date)
// BuildSql turns one condition into the statement: text values are quoted, numbers
// validated, dates written as date literals of the connected database. For text,
// "包含" and "开头是" (and "=" with fuzzy) take the value literally, '%', '_' and '\'
// included, and letters A-Z match either case, on every database; "=" and "<>"
// compare exactly.
#pragma once
#include "wjglobal.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class TDBAction;

struct WJCORE_EXPORT TWjSearchField
{
    enum Kind { Text, Number, Date };
    QString column;
    QString caption;
    Kind kind = Text;
};

struct WJCORE_EXPORT TWjSearchCondition
{
    int field = -1;           // index into Fields; -1: no condition
    QString op;               // one of Operators(kind)
    QString value;
    QDate from, to;           // date range (inclusive)
    bool fuzzy = false;       // text "=" matches anywhere in the column
};

class WJCORE_EXPORT TWjSearchDef
{
public:
    static QString DefaultFile() { return QStringLiteral(".\\sys\\Mainsearch.ini"); }
    // Names of the search items of the file.
    static QStringList Items(const QString &fileName = DefaultFile());
    // false when the item is not in the file.
    bool Load(const QString &item, const QString &fileName = DefaultFile());

    QString Item;
    QString Sql;
    QString Where;
    QString OrderBy;
    QList<TWjSearchField> Fields;

    static QStringList Operators(TWjSearchField::Kind kind);
    // The statement for the condition (raises EWjError for a number that is not one).
    QString BuildSql(const TWjSearchCondition &c, const TDBAction &db) const;
    // Several conditions joined with "and".
    QString BuildSql(const QList<TWjSearchCondition> &cs, const TDBAction &db) const;

private:
    QString condition(const TWjSearchCondition &c, const TDBAction &db) const;
};
