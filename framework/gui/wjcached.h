// TADOCachedControl: the lines of a head-and-lines window, held in memory until the
// head is saved.
//
//   lines.LineTable = "Yw_InDetail"; lines.KeyField = "InDetail_ID";
//   lines.MasterField = "InHead_ID"; lines.SerialField = "Xh_Indetail";
//   lines.MasterValue = headKey; lines.Open();
//   lines.AddData([] { return new TfrmJxcIn_Add_Bx; });   // line dialog on a new line
//   ... in the head's save transaction: lines.UpdateBatch();
//
// UpdateBatch writes inserted, changed and deleted lines (new lines get keys from
// GetTbId, every line the head key and its sequence number 1..n); CancelBatch drops all
// changes. Display columns (not stored) are computed per line by OnCalcFields.
//
// TADOCachedForm: base of the line dialogs. InitForm fills the inputs named column + "W"
// from the current line (nothing for a new one); SubmitForm writes them into the line
// (blank numbers as 0); CloseForm closes without writing.
#pragma once
#include "wjdataset.h"
#include "wjguiglobal.h"

#include <QDialog>
#include <QHash>
#include <QStringList>
#include <functional>

class TADOCachedForm;

class WJGUI_EXPORT TADOCachedControl : public QObject
{
    Q_OBJECT
public:
    explicit TADOCachedControl(QObject *parent = nullptr);

    QString LineTable, KeyField, MasterField, SerialField;
    QString MasterValue;
    // Display columns and how to compute them for the current line.
    QStringList CalcFields;
    std::function<void(TWjQuery &line)> OnCalcFields;

    TWjQuery *DataSet() const { return m_ds; }
    void Open();  // the head's lines, in sequence order

    using FormFactory = std::function<TADOCachedForm *()>;
    // Runs the line dialog on a new line / the current line; true when it was submitted.
    bool AddData(const FormFactory &create);
    bool EditData(const FormFactory &create);
    void DelData();
    // Recomputes the display columns of every line.
    void Recalc();

    // Sequence numbers 1..n in the present order (the grid shows them at once).
    void Renumber();
    void UpdateBatch();  // run it inside the head's transaction
    void CancelBatch();
    bool Modified() const { return m_ds->UpdatesPending(); }

private:
    bool runForm(const FormFactory &create, bool add);
    TWjQuery *m_ds;
};

class WJGUI_EXPORT TADOCachedForm : public QDialog
{
    Q_OBJECT
public:
    explicit TADOCachedForm(QWidget *parent = nullptr);
    TADOCachedControl *Control() const { return m_control; }
    TWjQuery *Line() const { return m_control ? m_control->DataSet() : nullptr; }
    bool IsAdd() const { return m_add; }

    void InitForm(TADOCachedControl *control, bool add);
    // Writes the inputs into the line (appending it when new); false when a numeric
    // input does not hold a number (the message was shown, nothing was written).
    bool SubmitForm();
    void CloseForm() { reject(); }

    // Values a dialog puts into the new line beyond its inputs (goods key, unit flags...).
    QHash<QString, QVariant> Extra;

protected:
    // Called after InitForm filled the inputs.
    virtual void FormInit() {}
    void showEvent(QShowEvent *e) override;

private:
    TADOCachedControl *m_control = nullptr;
    bool m_add = true;
    bool m_limited = false;
};
