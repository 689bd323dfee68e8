// TSQLControl: columns bound to inputs, the checks of their values and the insert or
// update statement they make.
//
//   TSQLControl c("Jb_Goods", TSQLControl::Update, "Goods_Id=12");
//   c.AddField("GoodsName", edName, TSQLControl::Text, "商品名称", 50, true);
//   if (c.CheckValue()) CurDBAction->ExecuteSQL(c, true);
//
// CheckValue shows the first failure ("商品名称不能为空！", "商品名称不能超过50个字符！",
// "单价必须是数字！") through the prompter, focuses the input and returns false.
// Text values are quoted; numbers are validated; blank numbers are 0; blank dates null.
#pragma once
#include "wjdbaction.h"
#include "wjguiglobal.h"

#include <QList>
#include <QPointer>
#include <QVariant>
#include <QWidget>

class WJGUI_EXPORT TSQLControl : public TWjStatementSource
{
public:
    enum Action { Insert, Update };
    enum FieldType { Text, Integer, Number, Date, DateTime, Boolean };
    struct Field {
        QString column;
        QPointer<QWidget> input;
        FieldType type = Text;
        QString caption;
        int length = 0;       // characters, 0: no limit
        bool required = false;
    };

    TSQLControl(QString table = QString(), Action action = Insert, QString condition = QString())
        : TableName(std::move(table)), Act(action), Condition(std::move(condition)) {}

    QString TableName;
    Action Act;
    QString Condition;  // the update's where clause, without "where"

    void AddField(const QString &column, QWidget *input, FieldType type, const QString &caption = QString(),
                  int length = 0, bool required = false);
    // A column with a fixed value instead of an input (keys, flags).
    void AddValue(const QString &column, const QVariant &value, FieldType type);
    const QList<Field> &Fields() const { return m_fields; }
    void Clear() { m_fields.clear(); m_values.clear(); }

    bool CheckValue() const;
    // The first failure CheckValue would show, without showing it ("" when all pass);
    // `input` receives the input concerned.
    QString Failure(QWidget **input = nullptr) const;
    // The statement for the current values (raises EWjError on a value CheckValue refuses).
    QString InitUpdateData() const;
    QString BuildSQL() const override { return InitUpdateData(); }

    // The text an input holds (line edit, combo, spin box, memo, date edit, check box).
    static QString InputText(const QWidget *input);
    static void SetInputText(QWidget *input, const QString &text);
    // Whole characters of a text (a surrogate pair counts once), and its first `n`
    // (WjText, for the windows that have this class at hand).
    static int CharCount(const QString &text);
    static QString LeftChars(const QString &text, int n);

private:
    QString literal(FieldType type, const QString &text, const QString &caption) const;
    QString failure(const Field &f) const;
    QList<Field> m_fields;
    QList<QPair<QString, QPair<QVariant, FieldType>>> m_values;
};
