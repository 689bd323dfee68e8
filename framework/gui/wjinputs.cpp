#include "wjinputs.h"
#include "wjfields.h"
#include "wjdbaction.h"
#include "wjerror.h"
#include "wjinifile.h"
#include "wjpath.h"
#include "wjtext.h"

#include <QAbstractButton>
#include <QApplication>
#include <QChildEvent>
#include <QCompleter>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>

// ---- TDosMove ----

TDosMove::TDosMove(QWidget *form) : QObject(form), m_form(form)
{
    form->installEventFilter(this);
    for (QWidget *w : form->findChildren<QWidget *>())
        w->installEventFilter(this);
}

bool TDosMove::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ChildAdded) {
        if (auto *w = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child()))
            w->installEventFilter(this);
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *ke = static_cast<QKeyEvent *>(event);
    if ((ke->key() != Qt::Key_Return && ke->key() != Qt::Key_Enter) || ke->modifiers() & ~Qt::KeypadModifier)
        return false;
    QWidget *w = qobject_cast<QWidget *>(watched);
    if (!w || qobject_cast<QAbstractButton *>(w) || qobject_cast<QTextEdit *>(w) || qobject_cast<QPlainTextEdit *>(w))
        return false;
    if (auto *cb = qobject_cast<QComboBox *>(w); cb && cb->view() && cb->view()->isVisible())
        return false;
    if (qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractSpinBox *>(w)) {
        QWidget *win = w->window();
        QWidget *next = w->nextInFocusChain();
        while (next && next != w && (!next->isEnabled() || !next->isVisible() || !(next->focusPolicy() & Qt::TabFocus)
                                     || next->window() != win))
            next = next->nextInFocusChain();
        if (next && next != w)
            next->setFocus(Qt::TabFocusReason);
        return true;
    }
    return false;
}

// ---- TWjNumEdit ----

TWjNumEdit::TWjNumEdit(QWidget *parent, bool allowNegative) : QLineEdit(parent)
{
    const QString re = allowNegative ? QStringLiteral("^-?\\d{0,14}(\\.\\d{0,4})?$") : QStringLiteral("^\\d{0,14}(\\.\\d{0,4})?$");
    setValidator(new QRegularExpressionValidator(QRegularExpression(re), this));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

bool TWjNumEdit::IsValid() const
{
    Currency c;
    return text().trimmed().isEmpty() || Currency::TryParse(text(), &c);
}

Currency TWjNumEdit::Value(const QString &caption) const
{
    const QString t = text().trimmed();
    if (t.isEmpty())
        return {};
    Currency c;
    if (!Currency::TryParse(t, &c))
        throw EWjError(caption.isEmpty() ? QStringLiteral("“%1”不是有效的数字！").arg(t)
                                         : QStringLiteral("%1必须是数字！").arg(caption));
    return c;
}

// ---- TWjTreeCombo ----

TWjTreeCombo::TWjTreeCombo(QWidget *parent) : QComboBox(parent)
{
    m_tree = new QTreeWidget(this);
    m_tree->setWindowFlags(Qt::Popup);
    m_tree->setHeaderHidden(true);
    m_tree->hide();
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *it) { pick(it); });
    connect(m_tree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *it) { pick(it); });
}

void TWjTreeCombo::showPopup()
{
    m_tree->setMinimumWidth(qMax(width(), 200));
    m_tree->resize(qMax(width(), 200), 260);
    m_tree->move(mapToGlobal(QPoint(0, height())));
    m_tree->expandAll();
    m_tree->show();
    m_tree->setFocus();
}

void TWjTreeCombo::hidePopup()
{
    m_tree->hide();
    QComboBox::hidePopup();
}

void TWjTreeCombo::pick(QTreeWidgetItem *item)
{
    if (!item)
        return;
    m_tree->setCurrentItem(item);
    clear();
    addItem(item->text(0), item->data(0, Qt::UserRole));
    setCurrentIndex(0);
    hidePopup();
    emit TreeClicked(item->data(0, Qt::UserRole));
}

bool TWjTreeCombo::SelectData(const QVariant &value)
{
    QTreeWidgetItemIterator it(m_tree);
    while (*it) {
        if ((*it)->data(0, Qt::UserRole).toString() == value.toString()) {
            m_tree->setCurrentItem(*it);
            clear();
            addItem((*it)->text(0), (*it)->data(0, Qt::UserRole));
            setCurrentIndex(0);
            return true;
        }
        ++it;
    }
    return false;
}

// ---- TWjLookupCombo ----

TWjLookupCombo::TWjLookupCombo(QWidget *parent) : QWidget(parent)
{
    auto *lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(1);
    m_box = new QComboBox(this);
    m_box->setObjectName(QStringLiteral("cbLookup"));
    m_box->setEditable(true);
    m_box->setInsertPolicy(QComboBox::NoInsert);
    m_new = new QToolButton(this);
    m_new->setObjectName(QStringLiteral("btnNew"));
    m_new->setText(QStringLiteral("新"));
    m_new->setToolTip(QStringLiteral("新增"));
    m_edit = new QToolButton(this);
    m_edit->setObjectName(QStringLiteral("btnEdit"));
    m_edit->setText(QStringLiteral("改"));
    m_edit->setToolTip(QStringLiteral("修改"));
    lay->addWidget(m_box, 1);
    lay->addWidget(m_new);
    lay->addWidget(m_edit);
    setFocusProxy(m_box);
    // Typing offers the entries that contain the text, whatever the case of A-Z.
    m_box->completer()->setCompletionMode(QCompleter::PopupCompletion);
    m_box->completer()->setFilterMode(Qt::MatchContains);
    m_box->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    SetTextLimit(m_box->lineEdit(), 0);
    connect(m_new, &QToolButton::clicked, this, &TWjLookupCombo::NewClicked);
    connect(m_edit, &QToolButton::clicked, this, &TWjLookupCombo::EditClicked);
    connect(m_box, &QComboBox::currentIndexChanged, this, [this] { emit KeyChanged(KeyValue()); });
    connect(m_box->lineEdit(), &QLineEdit::textEdited, this, [this] { m_typed = true; });
    connect(m_box->lineEdit(), &QLineEdit::editingFinished, this, &TWjLookupCombo::settleTyped);
}

void TWjLookupCombo::settleTyped()
{
    if (!m_typed)
        return;
    m_typed = false;
    const QString typed = m_box->currentText().trimmed();
    int found = typed.isEmpty() ? -1 : m_box->findText(typed, Qt::MatchFixedString);
    if (found < 0 && !typed.isEmpty()) {
        for (int i = 0; i < m_box->count(); ++i) {
            if (!m_box->itemText(i).contains(typed, Qt::CaseInsensitive))
                continue;
            if (found >= 0) {  // more than one: the user must say which
                found = -1;
                break;
            }
            found = i;
        }
    }
    const QSignalBlocker block(m_box);
    m_box->setCurrentIndex(found);
    m_box->setEditText(found >= 0 ? m_box->itemText(found) : QString());
    emit KeyChanged(KeyValue());
}

void TWjLookupCombo::Fill(const QString &sql)
{
    const QString keep = KeyValue();
    TWjQuery q;
    CurDBAction->SelectTable(sql, q);
    QSignalBlocker block(m_box);
    m_box->clear();
    for (q.First(); !q.Eof(); q.Next())
        m_box->addItem(q.Fields(q.FieldCount() > 1 ? 1 : 0).AsString(), q.Fields(0).AsString());
    m_box->setCurrentIndex(-1);
    if (!keep.isEmpty())
        SetKeyValue(keep);
}

QString TWjLookupCombo::KeyValue() const
{
    const int i = m_box->currentIndex();
    if (i < 0 || m_box->itemText(i) != m_box->currentText())
        return {};
    return m_box->itemData(i).toString();
}

QString TWjLookupCombo::Text() const { return m_box->currentText(); }

bool TWjLookupCombo::SetKeyValue(const QString &key)
{
    m_typed = false;
    const int i = m_box->findData(key);
    m_box->setCurrentIndex(i);
    return i >= 0;
}

void TWjLookupCombo::SetReadOnly(bool ro)
{
    m_box->setEnabled(!ro);
    m_new->setEnabled(!ro);
    m_edit->setEnabled(!ro);
}

// ---- button row ----

QHBoxLayout *AddButtonRow(QWidget *form, const QList<QPair<QString, QString>> &buttons, QList<QPushButton *> *made)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (const auto &b : buttons) {
        auto *btn = new QPushButton(b.first, form);
        btn->setObjectName(b.second);
        btn->setAutoDefault(false);
        row->addWidget(btn);
        if (made)
            made->append(btn);
    }
    return row;
}

// ---- option lists ----

QStringList GetOptionList(const QString &listName)
{
    const TIniFile ini(WjPath::Prog(QStringLiteral(".\\sys\\wjoptions.ini")));
    QStringList r;
    for (const auto &kv : ini.ReadSectionValues(listName))
        if (!kv.second.trimmed().isEmpty())
            r << kv.second.trimmed();
    return r;
}

void SetComboboxItems(QWidget *form)
{
    for (QComboBox *cb : form->findChildren<QComboBox *>()) {
        const QString list = cb->toolTip().trimmed();
        if (list.isEmpty() || qobject_cast<TWjTreeCombo *>(cb))
            continue;
        const QStringList items = GetOptionList(list);
        if (items.isEmpty())
            continue;
        const QString keep = cb->currentText();
        cb->clear();
        cb->addItems(items);
        if (cb->isEditable())
            cb->setCurrentText(keep);
        else
            cb->setCurrentIndex(qMax(0, items.indexOf(keep)));
    }
}
