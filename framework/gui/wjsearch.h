// TWjSearch: the search bar of a list window over a TWjSearchDef.
//
// Bound to the window's inputs: the source list (search items), the field list, the
// operator list, the value box or, for date fields, the date range, and the fuzzy
// check. ExcuteSearch runs the condition into the list dataset. With SearchOnType the
// list is searched again on each keystroke in the value box.
//
// TWjSerGen: pick one record. A dialog with a search box over a statement and its
// search columns; Execute returns true with the picked row in Values.
#pragma once
#include "wjguiglobal.h"
#include "wjsearchdef.h"

#include <QDialog>
#include <QObject>
#include <QVariantMap>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QLabel;
class TWjQuery;
class TWjDBGrid;

class WJGUI_EXPORT TWjSearch : public QObject
{
    Q_OBJECT
public:
    explicit TWjSearch(QObject *parent = nullptr);

    QString FileName = TWjSearchDef::DefaultFile();
    // Any of the inputs may be null.
    void Init(QComboBox *source, QComboBox *field, QComboBox *op, QLineEdit *value, QDateEdit *from, QDateEdit *to,
              QCheckBox *fuzzy, QLabel *counter = nullptr);
    void SetDataSet(TWjQuery *ds) { m_ds = ds; }
    bool SelectItem(const QString &item);  // false when the file has no such item
    const TWjSearchDef &Def() const { return m_def; }
    TWjSearchCondition Condition() const;
    // Runs the search into the dataset; bad values (a number that is not one) are shown
    // to the user and leave the list as it was. false then.
    bool ExcuteSearch();
    bool SearchOnType = false;

signals:
    void Searched();

private:
    void fieldChanged();
    TWjSearchDef m_def;
    TWjQuery *m_ds = nullptr;
    QComboBox *m_source = nullptr, *m_field = nullptr, *m_op = nullptr;
    QLineEdit *m_value = nullptr;
    QDateEdit *m_from = nullptr, *m_to = nullptr;
    QCheckBox *m_fuzzy = nullptr;
    QLabel *m_counter = nullptr;
};

class WJGUI_EXPORT TWjSerGen : public QDialog
{
    Q_OBJECT
public:
    // `sql` lists the records; `searchColumns` are matched (anywhere, any of them) against
    // the typed text; `columns` (field, caption) are shown.
    TWjSerGen(const QString &caption, const QString &sql, const QStringList &searchColumns,
              const QList<QPair<QString, QString>> &columns, QWidget *parent = nullptr);
    ~TWjSerGen() override;
    bool Execute();
    QVariantMap Values;
    QLineEdit *SearchBox() const { return m_search; }
    TWjQuery *DataSet() const { return m_ds; }
    void Search();
    void Pick();

private:
    QString m_sql;
    QStringList m_searchColumns;
    QLineEdit *m_search;
    TWjDBGrid *m_grid;
    TWjQuery *m_ds;
};
