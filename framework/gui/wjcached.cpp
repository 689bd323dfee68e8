#include "wjcached.h"
#include "wjdataentity.h"
#include "wjdbaction.h"
#include "wjerror.h"
#include "wjfields.h"
#include "wjinputs.h"
#include "wjprompter.h"
#include "wjsqlcontrol.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

// ---- TADOCachedControl ----

TADOCachedControl::TADOCachedControl(QObject *parent) : QObject(parent), m_ds(new TWjQuery(this)) {}

void TADOCachedControl::Open()
{
    const QString master = MasterValue.isEmpty() ? QStringLiteral("0") : MasterValue;
    m_ds->SQL = QStringLiteral("select * from %1 where %2=%3 order by %4")
                    .arg(WjSql::Ident(LineTable), WjSql::Ident(MasterField), TDBAction::QuotedStr(master), WjSql::Ident(SerialField));
    m_ds->Open();
    for (const QString &f : std::as_const(CalcFields))
        m_ds->AddCalcField(f);
    Recalc();
    m_ds->First();
}

void TADOCachedControl::Recalc()
{
    if (!OnCalcFields || m_ds->IsEmpty())
        return;
    const int keep = m_ds->RecNo();
    for (m_ds->First(); !m_ds->Eof(); m_ds->Next())
        OnCalcFields(*m_ds);
    m_ds->SetRecNo(keep);
}

bool TADOCachedControl::runForm(const FormFactory &create, bool add)
{
    if (!add && m_ds->IsEmpty())
        return false;
    std::unique_ptr<TADOCachedForm> form(create());
    form->InitForm(this, add);
    if (form->exec() != QDialog::Accepted)
        return false;
    if (OnCalcFields && !m_ds->IsEmpty())
        OnCalcFields(*m_ds);
    return true;
}

bool TADOCachedControl::AddData(const FormFactory &create) { return runForm(create, true); }
bool TADOCachedControl::EditData(const FormFactory &create) { return runForm(create, false); }

void TADOCachedControl::DelData()
{
    if (!m_ds->IsEmpty())
        m_ds->Delete();
    Renumber();
}

void TADOCachedControl::Renumber()
{
    if (m_ds->FieldIndex(SerialField) < 0 || m_ds->IsEmpty())
        return;
    const int keep = m_ds->RecNo();
    int n = 0;
    for (m_ds->First(); !m_ds->Eof(); m_ds->Next()) {
        ++n;
        if (m_ds->FieldByName(SerialField).AsInteger() != n)
            m_ds->SetValue(SerialField, n);
    }
    m_ds->SetRecNo(keep);
}

void TADOCachedControl::UpdateBatch()
{
    TDBAction &db = *CurDBAction;
    Renumber();
    const int keep = m_ds->RecNo();
    // New lines get their keys here, one block for all, inside the saving transaction;
    // a save that failed and is tried again draws them afresh, since those were undone.
    int inserted = 0;
    for (int r = 0; r < m_ds->RecordCount(); ++r)
        inserted += m_ds->Status(r) == TWjQuery::RowStatus::Inserted ? 1 : 0;
    qint64 nextKey = inserted > 0 ? db.GetTbIdBlock(LineTable, KeyField, inserted) : 0;
    for (m_ds->First(); !m_ds->Eof(); m_ds->Next()) {
        if (m_ds->Status(m_ds->RecNo() - 1) == TWjQuery::RowStatus::Inserted)
            m_ds->SetValue(KeyField, nextKey++);
        if (m_ds->FieldByName(MasterField).AsString() != MasterValue)
            m_ds->SetValue(MasterField, MasterValue.toLongLong());
    }
    m_ds->SetRecNo(keep);
    m_ds->ApplyUpdates(LineTable, KeyField);
}

void TADOCachedControl::CancelBatch()
{
    m_ds->CancelUpdates();
    Recalc();
}

// ---- TADOCachedForm ----

TADOCachedForm::TADOCachedForm(QWidget *parent) : QDialog(parent) {}

void TADOCachedForm::showEvent(QShowEvent *e)
{
    if (!m_limited) {
        m_limited = true;
        ApplyCharLimits(this);  // limits in whole characters
    }
    QDialog::showEvent(e);
}

namespace {
QHash<QString, QWidget *> boundInputs(QWidget *form)
{
    QHash<QString, QWidget *> r;
    for (QWidget *w : form->findChildren<QWidget *>()) {
        const QString n = w->objectName();
        const bool input = qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractSpinBox *>(w)
                           || qobject_cast<QTextEdit *>(w) || qobject_cast<QPlainTextEdit *>(w) || qobject_cast<QCheckBox *>(w);
        if (input && n.size() > 1 && n.endsWith(QLatin1Char('W')) && !qobject_cast<TWjLookupCombo *>(w->parentWidget()))
            r.insert(n.left(n.size() - 1), w);
    }
    return r;
}
} // namespace

void TADOCachedForm::InitForm(TADOCachedControl *control, bool add)
{
    m_control = control;
    m_add = add;
    if (!add) {
        TWjQuery *ds = control->DataSet();
        const auto inputs = boundInputs(this);
        for (auto it = inputs.begin(); it != inputs.end(); ++it) {
            const int col = ds->FieldIndex(it.key());
            if (col >= 0)
                TSQLControl::SetInputText(it.value(), ds->Fields(col).AsString());
        }
    }
    FormInit();
}

bool TADOCachedForm::SubmitForm()
{
    TWjQuery *ds = Line();
    if (!ds)
        return false;
    // Convert everything first: a bad number writes nothing.
    QHash<QString, QVariant> values;
    const auto inputs = boundInputs(this);
    for (auto it = inputs.begin(); it != inputs.end(); ++it) {
        if (ds->FieldIndex(it.key()) < 0)
            continue;
        const QString text = TSQLControl::InputText(it.value());
        switch (TWjForm_Jb::TypeOfInput(it.value())) {
        case TSQLControl::Number:
        case TSQLControl::Integer:
        case TSQLControl::Boolean: {
            // Plain decimal text within the column's range, as every typed number.
            const bool number = TWjForm_Jb::TypeOfInput(it.value()) == TSQLControl::Number;
            QString checked;
            try {
                checked = number ? WjSql::CheckNumber(text) : WjSql::CheckInteger(text);
            } catch (const EWjError &e) {
                Prompter().Warning(e.Message());
                it.value()->setFocus();
                return false;
            }
            Currency c;
            if (number && Currency::TryParse(checked, &c))
                values.insert(it.key(), QVariant::fromValue(c));
            else
                values.insert(it.key(), checked.toLongLong());
            break;
        }
        case TSQLControl::Date:
            values.insert(it.key(), qobject_cast<QDateEdit *>(it.value()) ? QVariant(qobject_cast<QDateEdit *>(it.value())->date())
                                                                          : QVariant(text));
            break;
        default:
            values.insert(it.key(), text);
        }
    }
    if (m_add)
        ds->Append();
    for (auto it = values.begin(); it != values.end(); ++it)
        ds->SetValue(it.key(), it.value());
    for (auto it = Extra.begin(); it != Extra.end(); ++it)
        if (ds->FieldIndex(it.key()) >= 0)
            ds->SetValue(it.key(), it.value());
    if (m_add)
        m_control->Renumber();
    accept();
    return true;
}
