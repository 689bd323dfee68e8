// Input pieces of the editing windows.
//
// TDosMove     Enter moves to the next input, as Tab does (not in memos or on buttons).
// TWjNumEdit   a numeric text input: accepts only a decimal number; blank counts as 0.
// TWjTreeCombo a drop-down box whose list is a tree (goods types, departments); a click
//              on a node emits TreeClicked with the node's data value.
// TWjLookupCombo a list box over (key, text) rows with "new" and "edit" buttons beside it;
//              it holds only entries of its list (typing finds them).
// SetComboboxItems fills every combo of a window whose tool tip names a value list with
//              that list from ".\sys\wjoptions.ini" (section = list name, values in key order).
#pragma once
#include "wjcurrency.h"
#include "wjguiglobal.h"

#include <QComboBox>
#include <QLineEdit>
#include <QObject>
#include <QStringList>
#include <QVariant>

class QTreeWidget;
class QTreeWidgetItem;
class QToolButton;
class TWjQuery;

class WJGUI_EXPORT TDosMove : public QObject
{
    Q_OBJECT
public:
    // Installs itself on `form` and every input inside it (now and added later).
    explicit TDosMove(QWidget *form);
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_form;
};

class WJGUI_EXPORT TWjNumEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit TWjNumEdit(QWidget *parent = nullptr, bool allowNegative = true);
    // The value; blank is 0. Raises EWjError naming `caption` when the text is not a number.
    Currency Value(const QString &caption = QString()) const;
    bool IsValid() const;
    void SetValue(const Currency &v) { setText(v.ToString()); }
};

class WJGUI_EXPORT TWjTreeCombo : public QComboBox
{
    Q_OBJECT
public:
    explicit TWjTreeCombo(QWidget *parent = nullptr);
    // The tree the drop-down shows (a component fills it).
    QTreeWidget *Tree() const { return m_tree; }
    void showPopup() override;
    void hidePopup() override;
    // Shows the node with data `value` as the box's text (false when there is none).
    bool SelectData(const QVariant &value);

signals:
    void TreeClicked(const QVariant &data);

private:
    void pick(QTreeWidgetItem *item);
    QTreeWidget *m_tree;
};

// Takes only entries of its list: typing offers the entries that contain the text;
// leaving the box after typing picks the entry of that name, or the only entry that
// contains it, or else clears the box (KeyChanged("")). New entries come through the
// "new" button.
class WJGUI_EXPORT TWjLookupCombo : public QWidget
{
    Q_OBJECT
    // As a name-bound input the box stands for its key.
    Q_PROPERTY(QString text READ KeyValue WRITE SetKeyValueText)
public:
    explicit TWjLookupCombo(QWidget *parent = nullptr);
    // Rows of the statement: first column the key, second the text shown.
    void Fill(const QString &sql);
    QString KeyValue() const;       // "" when nothing is picked
    QString Text() const;
    bool SetKeyValue(const QString &key);  // false when the key is not in the list
    void SetKeyValueText(const QString &key) { SetKeyValue(key); }
    QComboBox *Box() const { return m_box; }
    QToolButton *NewButton() const { return m_new; }
    QToolButton *EditButton() const { return m_edit; }
    void SetReadOnly(bool ro);
    // What leaving the box does to typed text, now (a save while the box has the focus).
    void Settle() { settleTyped(); }

signals:
    void NewClicked();
    void EditClicked();
    void KeyChanged(const QString &key);

private:
    void settleTyped();
    QComboBox *m_box;
    QToolButton *m_new;
    QToolButton *m_edit;
    bool m_typed = false;
};

class QHBoxLayout;
class QPushButton;

// A right-aligned row of dialog buttons, given as (caption, object name), that Enter in
// an input never presses (TDosMove moves on instead). The buttons come back in order.
WJGUI_EXPORT QHBoxLayout *AddButtonRow(QWidget *form, const QList<QPair<QString, QString>> &buttons,
                                       QList<QPushButton *> *made);

// The entries of value list `listName` in ".\sys\wjoptions.ini".
WJGUI_EXPORT QStringList GetOptionList(const QString &listName);
WJGUI_EXPORT void SetComboboxItems(QWidget *form);
