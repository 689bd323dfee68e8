#include "wjsqlcontrol.h"
#include "wjerror.h"
#include "wjprompter.h"
#include "wjtext.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextEdit>

void TSQLControl::AddField(const QString &column, QWidget *input, FieldType type, const QString &caption, int length,
                           bool required)
{
    m_fields.append(Field{WjSql::Ident(column), input, type, caption.isEmpty() ? column : caption, length, required});
}

void TSQLControl::AddValue(const QString &column, const QVariant &value, FieldType type)
{
    m_values.append({WjSql::Ident(column), {value, type}});
}

QString TSQLControl::InputText(const QWidget *input)
{
    if (!input)
        return {};
    if (auto *e = qobject_cast<const QLineEdit *>(input)) return e->text();
    if (auto *c = qobject_cast<const QComboBox *>(input)) return c->currentText();
    if (auto *d = qobject_cast<const QDateEdit *>(input)) return d->date().toString(QStringLiteral("yyyy-MM-dd"));
    if (auto *s = qobject_cast<const QSpinBox *>(input)) return QString::number(s->value());
    if (auto *s = qobject_cast<const QDoubleSpinBox *>(input)) return QString::number(s->value(), 'f', s->decimals());
    if (auto *t = qobject_cast<const QPlainTextEdit *>(input)) return t->toPlainText();
    if (auto *t = qobject_cast<const QTextEdit *>(input)) return t->toPlainText();
    if (auto *b = qobject_cast<const QCheckBox *>(input)) return b->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    return input->property("text").toString();
}

void TSQLControl::SetInputText(QWidget *input, const QString &text)
{
    if (!input)
        return;
    if (auto *e = qobject_cast<QLineEdit *>(input)) { e->setText(text); return; }
    if (auto *c = qobject_cast<QComboBox *>(input)) {
        if (c->isEditable()) c->setCurrentText(text);
        else c->setCurrentIndex(c->findText(text));
        return;
    }
    if (auto *d = qobject_cast<QDateEdit *>(input)) {
        QDate dt = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
        if (dt.isValid()) d->setDate(dt);
        return;
    }
    if (auto *s = qobject_cast<QSpinBox *>(input)) { s->setValue(text.trimmed().toDouble()); return; }
    if (auto *s = qobject_cast<QDoubleSpinBox *>(input)) { s->setValue(text.trimmed().toDouble()); return; }
    if (auto *t = qobject_cast<QPlainTextEdit *>(input)) { t->setPlainText(text); return; }
    if (auto *t = qobject_cast<QTextEdit *>(input)) { t->setPlainText(text); return; }
    if (auto *b = qobject_cast<QCheckBox *>(input)) {
        const QString v = text.trimmed().toLower();
        b->setChecked(!(v.isEmpty() || v == QLatin1String("0") || v == QLatin1String("false")));
        return;
    }
    input->setProperty("text", text);
}

QString TSQLControl::failure(const Field &f) const
{
    const QString text = InputText(f.input);
    if (f.required && text.trimmed().isEmpty())
        return QStringLiteral("%1不能为空！").arg(f.caption);
    if (f.length > 0 && f.type == Text && CharCount(text) > f.length)
        return QStringLiteral("%1不能超过%2个字符！").arg(f.caption).arg(f.length);
    try {
        literal(f.type, text, f.caption);
    } catch (const EWjError &e) {
        return e.Message();
    }
    return {};
}

QString TSQLControl::Failure(QWidget **input) const
{
    for (const Field &f : m_fields) {
        const QString msg = failure(f);
        if (!msg.isEmpty()) {
            if (input)
                *input = f.input;
            return msg;
        }
    }
    return {};
}

bool TSQLControl::CheckValue() const
{
    QWidget *input = nullptr;
    const QString msg = Failure(&input);
    if (msg.isEmpty())
        return true;
    Prompter().Warning(msg);
    if (input)
        input->setFocus();
    return false;
}

int TSQLControl::CharCount(const QString &text)
{
    return int(WjText::CharCount(text));
}

QString TSQLControl::LeftChars(const QString &text, int n)
{
    return WjText::LeftChars(text, n);
}

QString TSQLControl::literal(FieldType type, const QString &text, const QString &caption) const
{
    TDBAction *db = CurDBAction;
    switch (type) {
    case Text:
        return TDBAction::QuotedStr(text);
    case Integer:
        return WjSql::CheckInteger(text, caption);
    case Number: {
        const QString n = WjSql::CheckNumber(text, caption);
        return db && db->Connected() ? db->Dialect().NumberLiteral(n) : n;
    }
    case Boolean:
        return WjSql::CheckInteger(text, caption) == QLatin1String("0") ? QStringLiteral("0") : QStringLiteral("1");
    case Date:
    case DateTime: {
        const QString t = text.trimmed();
        if (t.isEmpty())
            return QStringLiteral("null");
        const QDateTime dt = QDateTime::fromString(t.left(19), t.size() > 10 ? QStringLiteral("yyyy-MM-dd hh:mm:ss")
                                                                             : QStringLiteral("yyyy-MM-dd"));
        if (!dt.isValid())
            throw EWjError(QStringLiteral("%1不是有效的日期！").arg(caption));
        if (!db)
            return TDBAction::QuotedStr(t);
        return type == Date ? db->DateStr(dt.date()) : db->DateTimeStr(dt);
    }
    }
    return TDBAction::QuotedStr(text);
}

QString TSQLControl::InitUpdateData() const
{
    QStringList names, values;
    for (const Field &f : m_fields) {
        names << f.column;
        values << literal(f.type, InputText(f.input), f.caption);
    }
    for (const auto &v : m_values) {
        names << v.first;
        const QVariant &val = v.second.first;
        values << (val.isNull() ? QStringLiteral("null") : literal(v.second.second, val.toString(), v.first));
    }
    const QString table = WjSql::Ident(TableName);
    if (Act == Insert)
        return QStringLiteral("insert into %1(%2) values(%3)").arg(table, names.join(QLatin1Char(',')), values.join(QLatin1Char(',')));
    QStringList sets;
    for (int i = 0; i < names.size(); ++i)
        sets << names[i] + QLatin1Char('=') + values[i];
    if (Condition.trimmed().isEmpty())
        throw EWjError(QStringLiteral("修改数据时缺少条件。"));
    return QStringLiteral("update %1 set %2 where %3").arg(table, sets.join(QLatin1Char(',')), Condition);
}
