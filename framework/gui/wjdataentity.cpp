#include "wjdataentity.h"
#include "wjczy.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjerror.h"
#include "wjfields.h"
#include "wjinputs.h"
#include "wjprompter.h"
#include "wjservices.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextEdit>

namespace {
bool isInput(const QWidget *w)
{
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QComboBox *>(w) || qobject_cast<const QAbstractSpinBox *>(w)
           || qobject_cast<const QTextEdit *>(w) || qobject_cast<const QPlainTextEdit *>(w) || qobject_cast<const QCheckBox *>(w)
           || qobject_cast<const TWjLookupCombo *>(w);
}
} // namespace

// ---- TWjForm_Jb ----

TWjForm_Jb::TWjForm_Jb(QWidget *parent) : QDialog(parent) {}

void TWjForm_Jb::showEvent(QShowEvent *e)
{
    // The inputs exist now: their limits count whole characters.
    if (!m_limited) {
        m_limited = true;
        ApplyCharLimits(this);
    }
    QDialog::showEvent(e);
}

int TWjForm_Jb::RunAction() const
{
    return m_entity ? m_entity->RunAction : 0;
}

void TWjForm_Jb::Rule(const QString &column, const QString &caption, int length, bool required, int type)
{
    m_rules.insert(column.toLower(), ColumnRule{caption, length, required, type});
}

QHash<QString, QWidget *> TWjForm_Jb::BoundInputs() const
{
    QHash<QString, QWidget *> r;
    for (QWidget *w : findChildren<QWidget *>()) {
        const QString n = w->objectName();
        if (n.size() < 2 || !n.endsWith(QLatin1Char('W')) || !isInput(w))
            continue;
        // Inputs inside a lookup box belong to the box.
        if (qobject_cast<TWjLookupCombo *>(w->parentWidget()))
            continue;
        r.insert(n.left(n.size() - 1), w);
    }
    return r;
}

QWidget *TWjForm_Jb::Input(const QString &column) const
{
    return findChild<QWidget *>(column + QLatin1Char('W'));
}

QString TWjForm_Jb::Value(const QString &column) const
{
    return TSQLControl::InputText(Input(column));
}

void TWjForm_Jb::SetValue(const QString &column, const QString &text)
{
    TSQLControl::SetInputText(Input(column), text);
}

TSQLControl::FieldType TWjForm_Jb::TypeOfInput(const QWidget *input)
{
    if (qobject_cast<const QSpinBox *>(input) || qobject_cast<const QCheckBox *>(input))
        return qobject_cast<const QCheckBox *>(input) ? TSQLControl::Boolean : TSQLControl::Integer;
    if (qobject_cast<const TWjNumEdit *>(input) || qobject_cast<const QDoubleSpinBox *>(input))
        return TSQLControl::Number;
    if (auto *dt = qobject_cast<const QDateTimeEdit *>(input))
        return dt->displayedSections() & QDateTimeEdit::TimeSections_Mask ? TSQLControl::DateTime : TSQLControl::Date;
    return TSQLControl::Text;
}

TSQLControl TWjForm_Jb::buildControl() const
{
    TSQLControl c(TableName, IsAdd() ? TSQLControl::Insert : TSQLControl::Update);
    const auto inputs = BoundInputs();
    QStringList columns = inputs.keys();
    columns.sort(Qt::CaseInsensitive);  // a stable statement
    for (const QString &col : std::as_const(columns)) {
        QWidget *w = inputs.value(col);
        const ColumnRule r = m_rules.value(col.toLower());
        const auto type = r.type >= 0 ? TSQLControl::FieldType(r.type) : TypeOfInput(w);
        c.AddField(col, w, type, r.caption.isEmpty() ? col : r.caption, r.length, r.required);
    }
    return c;
}

bool TWjForm_Jb::CheckInputs() const
{
    return buildControl().CheckValue();
}

QString TWjForm_Jb::CheckMessage(QWidget **input) const
{
    return buildControl().Failure(input);
}

bool TWjForm_Jb::Submit()
{
    if (TableName.isEmpty() || KeyField.isEmpty())
        throw EWjError(QStringLiteral("窗口没有设置数据表。"));
    if (!CheckInputs())
        return false;
    WriteRow();
    return true;
}

void TWjForm_Jb::WriteRow()
{
    if (TableName.isEmpty() || KeyField.isEmpty())
        throw EWjError(QStringLiteral("窗口没有设置数据表。"));
    TDBAction &db = *CurDBAction;
    TSQLControl c = buildControl();
    const QString key = m_entity ? m_entity->KeyValue : Value(KeyField);
    TWjTransaction tr(db);
    if (IsAdd() && m_entity && m_entity->m_numberBox && !NumberCode.isEmpty()) {
        TWjBhgl bh;
        bh.SetConnection(&db);
        m_entity->m_numberBox->setText(bh.TakeBH(NumberCode));  // the number is ours now
    }
    if (!IsAdd())
        c.Condition = WjSql::Ident(KeyField) + QLatin1Char('=') + TDBAction::QuotedStr(key);
    if (IsAdd() && !BoundInputs().contains(KeyField))
        c.AddValue(KeyField, key, TSQLControl::Integer);
    db.ExecuteSQL(c, true);
    tr.Commit();
}

// ---- TWj_DataEntity_Jb ----

TWj_DataEntity_Jb::TWj_DataEntity_Jb(QObject *parent) : QObject(parent) {}

void TWj_DataEntity_Jb::SetEdit(QLineEdit *numberBox)
{
    m_numberBox = numberBox;
    if (!numberBox || !m_form)
        return;
    SetReadOnlyLook(numberBox);
    if (RunAction == faAdd && !m_form->NumberCode.isEmpty()) {
        TWjBhgl bh;
        numberBox->setText(bh.GetBH(m_form->NumberCode));
    }
}

void TWj_DataEntity_Jb::fill(TWjForm_Jb &form)
{
    const auto inputs = form.BoundInputs();
    if (RunAction == faEdit) {
        // The stored row: the list may show only some of its columns.
        TWjQuery row;
        CurDBAction->SelectTable(QStringLiteral("select * from %1 where %2=%3")
                                     .arg(WjSql::Ident(form.TableName), WjSql::Ident(form.KeyField), TDBAction::QuotedStr(KeyValue)),
                                 row);
        TWjQuery *src = row.IsEmpty() ? DataSet : &row;
        for (auto it = inputs.begin(); it != inputs.end(); ++it) {
            const int col = src ? src->FieldIndex(it.key()) : -1;
            if (col >= 0)
                TSQLControl::SetInputText(it.value(), src->Fields(col).AsString());
        }
    }
    if (QWidget *k = inputs.value(form.KeyField))
        TSQLControl::SetInputText(k, KeyValue);
}

bool TWj_DataEntity_Jb::deleteCurrent(TWjForm_Jb &form)
{
    if (!Prompter().Question(QStringLiteral("您确定要删除当前记录吗？")))
        return false;
    CurDBAction->ExecuteSQL(QStringLiteral("delete from %1 where %2=%3")
                                .arg(WjSql::Ident(form.TableName), WjSql::Ident(form.KeyField), TDBAction::QuotedStr(KeyValue)));
    return true;
}

QString TWj_DataEntity_Jb::Run(TWjQuery *list, const FormFactory &create, int action, const QString &caption,
                               TWjQuery *dataSet, const QString &initValue)
{
    TWj_DataEntity_Jb entity;
    entity.WjQuery = list;
    entity.DataSet = dataSet ? dataSet : list;
    entity.Caption = caption;
    entity.RunAction = action;
    entity.InitValue = initValue;
    entity.Czy = CurCzy;
    std::unique_ptr<TWjForm_Jb> form(create());
    form->m_entity = &entity;
    entity.m_form = form.get();
    form->setWindowTitle(caption);

    if (action != faAdd) {
        if (!list || list->IsEmpty())
            return {};
        const int keyCol = list->FieldIndex(form->KeyField);
        if (keyCol < 0)
            throw EWjError(QStringLiteral("列表中没有关键字段 %1。").arg(form->KeyField));
        entity.KeyValue = list->Fields(keyCol).AsString();
    } else {
        entity.KeyValue = CurDBAction->GetTbId(form->TableName, form->KeyField);
    }

    bool saved = false;
    if (action == faDelete) {
        saved = entity.deleteCurrent(*form);
    } else {
        entity.fill(*form);
        form->FormShow();
        saved = form->exec() == QDialog::Accepted;
    }
    if (list && list->Active()) {
        list->Requery(true, form->KeyField);
        if (saved && action != faDelete)
            list->Locate(form->KeyField, entity.KeyValue);
    }
    return saved ? entity.KeyValue : QString();
}

int TWj_DataEntity_Jb::CreateYWDataEntity(TWjQuery *list, const FormFactory &create, int action, const QString &caption,
                                          TWjQuery *dataSet, const QString &initValue)
{
    return Run(list, create, action, caption, dataSet, initValue).isEmpty() ? 0 : 1;
}
