// The editing-window framework.
//
// TWjForm_Jb is the base of every editing window. Inputs named after a column with a
// trailing "W" (GoodsNameW for GoodsName) hold that column of the edited row. The window
// declares its table and key column, and rules for the columns that need them:
//
//   TfrmWorker() { TableName = "Jb_Worker"; KeyField = "WORK_ID";
//                  Rule("WORKNAME", "姓名", 20, true); ... }
//
// TWj_DataEntity_Jb::CreateYWDataEntity runs a window class over a list dataset with a
// run action (0 add, 1 edit, 2 delete) and a caption:
//   add:    a new key (GetTbId), empty inputs;           Submit inserts the row
//   edit:   the list's current row fills the inputs;     Submit updates it
//   delete: asks, then deletes the current row
// Afterwards the list is reread and positioned on the saved row. The window's own code
// only validates what is special to it and calls Submit().
//
// Inputs can be declared as a table of fields (wjfields.h): AddFields creates them,
// their captions and their rules, laid out in a grid.
#pragma once
#include "wjfields.h"
#include "wjguiglobal.h"
#include "wjsqlcontrol.h"

#include <QDialog>
#include <QHash>
#include <functional>

class QLabel;
class QLineEdit;
class TWjQuery;
class TWjCzy;
class TWj_DataEntity_Jb;

class WJGUI_EXPORT TWjForm_Jb : public QDialog
{
    Q_OBJECT
public:
    explicit TWjForm_Jb(QWidget *parent = nullptr);

    QString TableName;
    QString KeyField;
    QString NumberCode;  // number code that SetEdit draws from (TWjBhgl), when the window has a number

    TWj_DataEntity_Jb *Entity() const { return m_entity; }
    int RunAction() const;
    bool IsAdd() const { return RunAction() == 0; }

    // Caption, length (characters) and required flag of a column, for the checks; the
    // type defaults from the input (spin box: integer, numeric input: number, date...).
    void Rule(const QString &column, const QString &caption, int length = 0, bool required = false,
              int type = -1);

    // The name-bound inputs: column -> input.
    QHash<QString, QWidget *> BoundInputs() const;
    QWidget *Input(const QString &column) const;
    QString Value(const QString &column) const;           // the input's text
    void SetValue(const QString &column, const QString &text);

    // The inputs of a table of fields (wjfields.h), each created under its name-bound
    // object name, captioned (label "lb" + column), given its rule and placed in `grid`.
    QList<QWidget *> AddFields(TWjFieldGrid *grid, const QList<TWjFieldDef> &fields);
    QWidget *AddField(TWjFieldGrid *grid, const TWjFieldDef &field);
    QLabel *CaptionOf(const QString &column) const;

    // Checks the bound inputs and writes the row (insert when adding, update when
    // editing). false when a check failed (the message was shown); database errors raise.
    bool Submit();
    // The checks Submit starts with (required fields, lengths, numbers, dates), without
    // writing anything: for windows whose own checks come after the framework's.
    bool CheckInputs() const;
    // The same checks, silent: the first failure ("" when none) and its input. For
    // checks inside a transaction, whose message waits until it is rolled back.
    QString CheckMessage(QWidget **input = nullptr) const;
    // Writes the row as Submit does, without the checks (values the checks refuse
    // raise). For windows that checked already, inside their own transaction.
    void WriteRow();

    // Called by the entity once the inputs are filled, before the window shows.
    virtual void FormShow() {}

    // Column type of an input.
    static TSQLControl::FieldType TypeOfInput(const QWidget *input);

protected:
    void showEvent(QShowEvent *e) override;

private:
    friend class TWj_DataEntity_Jb;
    bool m_limited = false;
    struct ColumnRule { QString caption; int length = 0; bool required = false; int type = -1; };
    TSQLControl buildControl() const;
    TWj_DataEntity_Jb *m_entity = nullptr;
    QHash<QString, ColumnRule> m_rules;  // lower-cased column
};

class WJGUI_EXPORT TWj_DataEntity_Jb : public QObject
{
    Q_OBJECT
public:
    enum TFormRunAction { faAdd = 0, faEdit = 1, faDelete = 2 };
    using FormFactory = std::function<TWjForm_Jb *()>;

    explicit TWj_DataEntity_Jb(QObject *parent = nullptr);

    TWjQuery *WjQuery = nullptr;  // the list (not owned)
    TWjQuery *DataSet = nullptr;  // the entity's data set (the list, as a rule)
    QString Caption;
    int RunAction = faAdd;
    QString KeyValue;             // the edited record's key
    QString DisplayName;          // what the window names the record (log, messages)
    QString InitValue;
    TWjCzy *Czy = nullptr;
    void SetCzy(TWjCzy *czy) { Czy = czy; }

    // Runs the window; returns the key of the row added or edited, "" when nothing was
    // saved (cancelled, refused, or the list had no current row).
    static QString Run(TWjQuery *list, const FormFactory &create, int action, const QString &caption,
                       TWjQuery *dataSet = nullptr, const QString &initValue = QStringLiteral("0"));
    // The classic entry: the same, with 1 when something was saved, else 0.
    static int CreateYWDataEntity(TWjQuery *list, const FormFactory &create, int action, const QString &caption,
                                  TWjQuery *dataSet, const QString &initValue);

    // Hands the entity the window's number box: on add it shows the next number of the
    // window's NumberCode; Submit takes that number for good.
    void SetEdit(QLineEdit *numberBox);

private:
    friend class TWjForm_Jb;
    void fill(TWjForm_Jb &form);
    bool deleteCurrent(TWjForm_Jb &form);
    QLineEdit *m_numberBox = nullptr;
    TWjForm_Jb *m_form = nullptr;
};

using TWjYw_DataEntity = TWj_DataEntity_Jb;
using TWjYwForm = TWjForm_Jb;
