// TWjSerGen_Mui: pick several records into the lines of a document.
//
// A dialog over a statement: a search box narrows the list (the typed text, taken
// literally, anywhere in any of the search columns), the operator selects one or more
// rows (Ctrl and Shift with the mouse) and "确定" appends each selected row to the
// lines as a new line, in list order: the link column gets the head's key, the
// sequence column the line's number, and every other column the list and the lines
// share gets the row's value. "取消" appends nothing. Nothing reaches the database:
// the lines are the document's cached line set.
//
//   ExectSerGen_Mui(lines, "Xh_BxDetail", "BxMain_Id", headKey, "保险项目",
//                   "select * from tBxSetup", {"BxType"}, {{"BxType", "承保险别"}, ...});
#pragma once
#include "wjguiglobal.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class TWjDBGrid;
class TWjQuery;

class WJGUI_EXPORT TWjSerGen_Mui : public QDialog
{
    Q_OBJECT
public:
    TWjSerGen_Mui(const QString &caption, const QString &sql, const QStringList &searchColumns,
                  const QList<QPair<QString, QString>> &columns, QWidget *parent = nullptr);
    ~TWjSerGen_Mui() override;

    QLineEdit *SearchBox() const { return m_search; }
    TWjDBGrid *Grid() const { return m_grid; }
    TWjQuery *DataSet() const { return m_ds; }
    QPushButton *OkButton() const { return m_ok; }

    void Search();
    // Selects the rows (0-based) of the list, as Ctrl-clicks do.
    void SelectRows(const QList<int> &rows);
    // The selected rows, ascending; the current row when none is selected.
    QList<int> PickedRows() const;
    // Appends the picked rows to `lines` (see above) and closes; false when nothing
    // was picked.
    bool Pick();

    // Runs the dialog; the number of lines appended (0 when cancelled).
    int Execute(TWjQuery *lines, const QString &serialField, const QString &linkField, const QString &linkValue);

private:
    QString m_sql;
    QStringList m_searchColumns;
    QLineEdit *m_search;
    TWjDBGrid *m_grid;
    TWjQuery *m_ds;
    QPushButton *m_ok;
    TWjQuery *m_lines = nullptr;
    QString m_serial, m_link, m_linkValue;
    int m_appended = 0;
};

// The dialog over `sql` appending to `lines`; true when lines were appended.
WJGUI_EXPORT bool ExectSerGen_Mui(TWjQuery *lines, const QString &serialField, const QString &linkField,
                                  const QString &linkValue, const QString &caption, const QString &sql,
                                  const QStringList &searchColumns, const QList<QPair<QString, QString>> &columns);
