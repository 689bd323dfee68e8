#include "wjfields.h"
#include "wjdataentity.h"
#include "wjinputs.h"
#include "wjsqlcontrol.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>

// ---- TWjFieldDef ----

QString TWjFieldDef::MessageName() const
{
    if (!name.isEmpty())
        return name;
    QString n = caption.trimmed();
    while (n.endsWith(QChar(0xFF1A)) || n.endsWith(QLatin1Char(':')))  // "：" or ":"
        n.chop(1);
    n.remove(QLatin1Char(' '));
    n.remove(QChar(0x3000));
    return n.isEmpty() ? column : n;
}

// ---- TWjFieldGrid ----

TWjFieldGrid::TWjFieldGrid(int perRow) : m_perRow(qMax(1, perRow)) {}

void TWjFieldGrid::NewRow()
{
    if (m_next % m_perRow)
        m_next += m_perRow - m_next % m_perRow;
}

QLabel *TWjFieldGrid::Place(QWidget *form, const QString &caption, QWidget *input, int span, bool newRow,
                            Qt::Alignment captionAlign)
{
    if (newRow)
        NewRow();
    const int room = m_perRow - m_next % m_perRow;
    span = span <= 0 ? room : qMin(span, m_perRow);
    if (span > room)
        NewRow();
    const int row = m_next / m_perRow, col = (m_next % m_perRow) * 2;
    QLabel *label = nullptr;
    if (!caption.isEmpty()) {
        label = new QLabel(caption, form);
        label->setBuddy(input);
        addWidget(label, row, col, captionAlign);
    }
    addWidget(input, row, col + 1, 1, span * 2 - 1);
    setColumnStretch(col + 1, 1);
    m_next += span;
    return label;
}

// ---- input helpers ----

void SetReadOnlyLook(QWidget *input, bool readOnly)
{
    if (!input)
        return;
    if (auto *e = qobject_cast<QLineEdit *>(input))
        e->setReadOnly(readOnly);
    else if (auto *t = qobject_cast<QPlainTextEdit *>(input))
        t->setReadOnly(readOnly);
    else
        input->setEnabled(!readOnly);
    if (readOnly) {
        QPalette pal = input->palette();
        pal.setColor(QPalette::Base, pal.color(QPalette::Window));
        input->setPalette(pal);
        input->setFocusPolicy(Qt::ClickFocus);
    } else {
        input->setPalette(QPalette());  // back to the window's palette
        input->setFocusPolicy(Qt::StrongFocus);
    }
}

namespace {
// The text without NUL characters and lone surrogates.
QString cleanText(const QString &t)
{
    QString r;
    r.reserve(t.size());
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c.isHighSurrogate() && i + 1 < t.size() && t.at(i + 1).isLowSurrogate()) {
            r += c;
            r += t.at(++i);
        } else if (!c.isSurrogate() && !c.isNull()) {
            r += c;
        }
    }
    return r;
}
} // namespace

void SetTextLimit(QWidget *input, int chars)
{
    QLineEdit *e = qobject_cast<QLineEdit *>(input);
    if (auto *cb = qobject_cast<QComboBox *>(input))
        e = cb->lineEdit();
    if (!e)
        return;
    e->setProperty("wjCharLimit", chars);
    if (e->property("wjCharLimited").toBool())
        return;
    e->setProperty("wjCharLimited", true);
    QObject::connect(e, &QLineEdit::textEdited, e, [e](const QString &typed) {
        const int limit = e->property("wjCharLimit").toInt();
        // What is before the cursor ends with what was just typed or pasted: the
        // overflow comes off there, whole characters at a time.
        const qsizetype cursor = e->cursorPosition();
        QString before = cleanText(typed.left(cursor));
        QString after = cleanText(typed.mid(cursor));
        if (limit > 0) {
            const int nb = TSQLControl::CharCount(before), na = TSQLControl::CharCount(after);
            const int over = nb + na - limit;
            if (over > 0) {
                before = TSQLControl::LeftChars(before, qMax(0, nb - over));
                if (over > nb)
                    after = TSQLControl::LeftChars(after, na - (over - nb));
            }
        }
        const QString text = before + after;
        if (text != typed) {
            e->setText(text);
            e->setCursorPosition(before.size());
        }
    });
}

void ApplyCharLimits(QWidget *window)
{
    for (QLineEdit *e : window->findChildren<QLineEdit *>()) {
        if (e->validator() || e->property("wjCharLimited").toBool())
            continue;  // numeric inputs admit digits only; limited ones already are
        const int chars = e->maxLength() == 32767 ? 0 : e->maxLength();
        e->setMaxLength(32767);
        SetTextLimit(e, chars);
    }
}

// ---- TWjForm_Jb: the table of fields ----

QWidget *TWjForm_Jb::AddField(TWjFieldGrid *grid, const TWjFieldDef &f)
{
    QWidget *input = nullptr;
    int type = -1;  // from the input
    bool hidden = false;
    switch (f.kind) {
    case TWjFieldDef::Text:
    case TWjFieldDef::Display:
    case TWjFieldDef::HiddenText: {
        auto *e = new QLineEdit(f.text, this);
        if (f.length > 0)
            SetTextLimit(e, f.length);
        if (f.kind == TWjFieldDef::Display)
            SetReadOnlyLook(e);
        hidden = f.kind == TWjFieldDef::HiddenText;
        input = e;
        break;
    }
    case TWjFieldDef::Number: {
        auto *e = new TWjNumEdit(this);
        e->setText(f.text);
        input = e;
        break;
    }
    case TWjFieldDef::Integer:
    case TWjFieldDef::Hidden: {
        auto *e = new QLineEdit(f.text, this);
        e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^-?\\d{0,18}$")), e));
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        type = TSQLControl::Integer;
        hidden = f.kind == TWjFieldDef::Hidden;
        input = e;
        break;
    }
    case TWjFieldDef::Date: {
        auto *d = new QDateEdit(QDate::currentDate(), this);
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        d->setCalendarPopup(true);
        input = d;
        break;
    }
    case TWjFieldDef::DateText: {
        auto *e = new QLineEdit(f.text, this);
        e->setPlaceholderText(QStringLiteral("yyyy-MM-dd"));
        type = TSQLControl::Date;
        input = e;
        break;
    }
    case TWjFieldDef::Combo: {
        auto *cb = new QComboBox(this);
        cb->setEditable(true);
        cb->setInsertPolicy(QComboBox::NoInsert);
        cb->setToolTip(f.list);
        if (f.length > 0)
            SetTextLimit(cb, f.length);
        cb->setCurrentText(f.text);
        input = cb;
        break;
    }
    case TWjFieldDef::Memo: {
        auto *m = new QPlainTextEdit(f.text, this);
        m->setFixedHeight(60);
        m->setTabChangesFocus(true);
        input = m;
        break;
    }
    case TWjFieldDef::Check: {
        auto *c = new QCheckBox(this);
        TSQLControl::SetInputText(c, f.text);
        input = c;
        break;
    }
    }
    input->setObjectName(f.column + QLatin1Char('W'));
    Rule(f.column, f.MessageName(), f.length, f.required, type);
    if (hidden) {
        input->hide();
    } else if (grid) {
        const bool memo = f.kind == TWjFieldDef::Memo;
        QLabel *label = grid->Place(this, f.caption, input, memo ? 0 : f.span, f.newRow || memo,
                                    memo ? Qt::AlignRight | Qt::AlignTop : Qt::AlignRight | Qt::AlignVCenter);
        if (label)
            label->setObjectName(QStringLiteral("lb") + f.column);
        if (memo)
            grid->NewRow();
    }
    return input;
}

QList<QWidget *> TWjForm_Jb::AddFields(TWjFieldGrid *grid, const QList<TWjFieldDef> &fields)
{
    QList<QWidget *> r;
    for (const TWjFieldDef &f : fields)
        r << AddField(grid, f);
    return r;
}

QLabel *TWjForm_Jb::CaptionOf(const QString &column) const
{
    return findChild<QLabel *>(QStringLiteral("lb") + column);
}
