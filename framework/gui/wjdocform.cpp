#include "wjdocform.h"
#include "wjczy.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjdbgrid.h"
#include "wjerror.h"
#include "wjinputs.h"
#include "wjprompter.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QPushButton *actionButton(QWidget *parent, QAction *a, const QString &name)
{
    auto *b = new QPushButton(a->text(), parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setEnabled(a->isEnabled());
    QObject::connect(b, &QPushButton::clicked, a, &QAction::trigger);
    QObject::connect(a, &QAction::changed, b, [a, b] {
        b->setEnabled(a->isEnabled());
        b->setText(a->text());
    });
    return b;
}

QAction *makeAction(QWidget *form, const QString &text, const QString &name)
{
    auto *a = new QAction(text, form);
    a->setObjectName(name);
    form->addAction(a);
    return a;
}
} // namespace

TWjDocForm::TWjDocForm(const TWjDocDef &def, QWidget *parent)
    : TWjForm_Jb(parent), m_doc(def), m_partners(new TWjQuery(this)), m_lines(new TADOCachedControl(this))
{
    TableName = def.headTable;
    KeyField = def.keyColumn;
    NumberCode = def.numberCode;

    m_titleLabel = new QLabel(def.title, this);
    m_titleLabel->setObjectName(QStringLiteral("lbTitle"));
    QFont f = m_titleLabel->font();
    f.setPointSize(f.pointSize() + 6);
    f.setBold(true);
    m_titleLabel->setFont(f);
    m_titleLabel->setAlignment(Qt::AlignCenter);
    m_state = new QLabel(def.stateText, this);
    m_state->setObjectName(QStringLiteral("lbState"));
    m_state->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    m_state->hide();
    m_blink = new QTimer(this);
    m_blink->setInterval(500);
    connect(m_blink, &QTimer::timeout, this, [this] { m_state->setVisible(!m_state->isVisible()); });
    auto *top = new QHBoxLayout;
    top->addStretch();
    top->addWidget(m_titleLabel);
    top->addStretch();
    top->addWidget(m_state);

    // The head fields the definition names, three a row unless it says otherwise.
    m_head = new TWjFieldGrid(def.headPerRow);
    if (!def.numberColumn.isEmpty()) {
        m_number = new QLineEdit(this);
        m_number->setObjectName(def.numberColumn + QLatin1Char('W'));
        SetReadOnlyLook(m_number);
        AddHeadField(def.numberCaption, m_number);
        Rule(def.numberColumn, def.numberCaption, 30);
    }
    if (!def.makerCaption.isEmpty()) {
        auto *maker = new QLineEdit(this);
        maker->setObjectName(def.makerColumn + QLatin1Char('W'));
        SetReadOnlyLook(maker);
        AddHeadField(def.makerCaption, maker);
        Rule(def.makerColumn, def.makerCaption, 50);
    }
    if (!def.dateColumn.isEmpty()) {
        auto *date = new QDateEdit(QDate::currentDate(), this);
        date->setObjectName(def.dateColumn + QLatin1Char('W'));
        date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        date->setCalendarPopup(true);
        AddHeadField(def.dateCaption, date);
    }
    if (!def.partnerTable.isEmpty()) {
        m_partner = new TWjLookupCombo(this);
        m_partner->setObjectName(QStringLiteral("cbPartner"));
        m_partner->NewButton()->setVisible(def.partnerButtons);
        m_partner->EditButton()->setVisible(def.partnerButtons);
        AddHeadField(def.partnerCaption, m_partner, 3);
        connect(m_partner, &TWjLookupCombo::KeyChanged, this, [this](const QString &key) {
            if (!key.isEmpty()) {
                PartnerPicked();
                return;
            }
            // The box takes only partners of its list: a typed name that is none leaves no partner.
            SetValue(m_doc.partnerNameColumn, QString());
            SetValue(m_doc.partnerKeyColumn, QString());
        });
        connect(m_partner, &TWjLookupCombo::NewClicked, this, [this] { EditPartner(0); });
        connect(m_partner, &TWjLookupCombo::EditClicked, this, [this] { EditPartner(1); });
        if (!def.phoneCaption.isEmpty()) {
            auto *phone = new QLineEdit(this);
            phone->setObjectName(def.phoneColumn + QLatin1Char('W'));
            SetTextLimit(phone, 50);
            AddHeadField(def.phoneCaption, phone);
            Rule(def.phoneColumn, def.phoneCaption, 50);
        }
        AddHidden(def.partnerKeyColumn, QString(), TSQLControl::Integer);
        AddHidden(def.partnerNameColumn);
        Rule(def.partnerNameColumn, def.partnerCaption, 100, def.partnerRequired);
    }
    AddHidden(def.keyColumn, QString(), TSQLControl::Integer);
    if (!def.flagColumn.isEmpty())
        AddHidden(def.flagColumn, def.newFlag, TSQLControl::Integer);

    // Line actions and buttons.
    m_edit = makeAction(this, QStringLiteral("修改[&E]"), QStringLiteral("Act_Detail_Edit"));
    m_del = makeAction(this, QStringLiteral("删除[&D]"), QStringLiteral("Act_Detail_Del"));
    m_saveAct = makeAction(this, QStringLiteral("保存[&S]"), QStringLiteral("Act_Save"));
    m_exitAct = makeAction(this, def.exitCaption, QStringLiteral("Act_Exit"));
    connect(m_edit, &QAction::triggered, this, [this] { EditLine(); });
    connect(m_del, &QAction::triggered, this, [this] { DeleteLine(); });
    connect(m_saveAct, &QAction::triggered, this, [this] { Save(); });
    connect(m_exitAct, &QAction::triggered, this, [this] { Exit(); });

    m_linePanel = new QWidget(this);
    m_linePanel->setObjectName(QStringLiteral("pnlLines"));
    m_lineButtons = new QHBoxLayout(m_linePanel);
    m_lineButtons->setContentsMargins(0, 0, 0, 0);
    m_lineButtons->addStretch();
    if (def.lineAddButton) {
        m_add = makeAction(this, QStringLiteral("添加[&A]"), QStringLiteral("Act_Detail_Add"));
        connect(m_add, &QAction::triggered, this, [this] { AddLine(); });
        AddLineButton(m_add, QStringLiteral("btnAdd"));
    }
    AddLineButton(m_edit, QStringLiteral("btnEdit"));
    AddLineButton(m_del, QStringLiteral("btnDel"));
    m_lockable << m_saveAct;

    m_grid = new TWjDBGrid(this);
    m_grid->setObjectName(QStringLiteral("dbgLines"));
    m_grid->SetSortable(false);
    connect(m_grid, &TWjDBGrid::RowDoubleClicked, this, [this] { EditLine(); });

    m_bottom = new QHBoxLayout;
    m_bottom->addStretch();
    m_save = actionButton(this, m_saveAct, QStringLiteral("btnSave"));
    m_exit = actionButton(this, m_exitAct, QStringLiteral("btnExit"));
    m_bottom->addWidget(m_save);
    m_bottom->addWidget(m_exit);

    m_lineArea = new QVBoxLayout;
    m_lineArea->addWidget(m_linePanel);
    m_lineArea->addWidget(m_grid, 1);
    auto *lay = new QVBoxLayout(this);
    lay->addLayout(top);
    if (def.linesBeside) {
        auto *left = new QVBoxLayout;
        left->addLayout(m_head);
        left->addStretch();
        auto *body = new QHBoxLayout;
        body->addLayout(left);
        body->addLayout(m_lineArea, 1);
        lay->addLayout(body, 1);
    } else {
        lay->addLayout(m_head);
        lay->addLayout(m_lineArea, 1);
    }
    lay->addLayout(m_bottom);

    m_lines->LineTable = def.lineTable;
    m_lines->KeyField = def.lineKey;
    m_lines->MasterField = def.lineMaster;
    m_lines->SerialField = def.lineSerial;
    m_lines->OnCalcFields = [this](TWjQuery &line) { CalcLineFields(line); };
    if (!def.lineSerial.isEmpty())
        m_grid->SetFooter(def.lineSerial, TWjDBGrid::FooterCount);
    new TDosMove(this);
    resize(820, 560);
}

QLabel *TWjDocForm::AddHeadField(const QString &caption, QWidget *input, int span)
{
    return m_head->Place(this, caption, input, span);
}

QList<QWidget *> TWjDocForm::AddHeadFields(const QList<TWjFieldDef> &fields)
{
    return AddFields(m_head, fields);
}

QLineEdit *TWjDocForm::AddHidden(const QString &column, const QString &text, int type)
{
    auto *e = new QLineEdit(text, this);
    e->setObjectName(column + QLatin1Char('W'));
    e->hide();
    if (type >= 0)
        Rule(column, column, 0, false, type);
    return e;
}

QPushButton *TWjDocForm::AddLineButton(QAction *action, const QString &name, int index)
{
    QPushButton *b = actionButton(m_linePanel, action, name);
    // Before the stretch that closes the row.
    const int last = m_lineButtons->count() - 1;
    m_lineButtons->insertWidget(index < 0 || index > last ? last : index, b);
    if (!m_lockable.contains(action))
        m_lockable << action;
    return b;
}

void TWjDocForm::SetGridColumns(const QList<QPair<QString, QString>> &columns, const QStringList &calcFields)
{
    QList<TWjDBGrid::Column> cols;
    for (const auto &c : columns)
        cols << TWjDBGrid::Column{c.first, c.second, c.first == m_doc.lineSerial ? 40 : 100, true};
    m_grid->SetColumns(cols);
    m_grid->SetFrozenColumns(1);
    m_lines->CalcFields = calcFields;
}

QString TWjDocForm::HeadKey() const
{
    const QString k = Value(m_doc.keyColumn).trimmed();
    return k.isEmpty() ? QStringLiteral("0") : k;
}

void TWjDocForm::fillPartners()
{
    if (!m_partner)
        return;
    CurDBAction->SelectTable(QStringLiteral("select * from ") + WjSql::Ident(m_doc.partnerTable), *m_partners);
    const QSignalBlocker block(m_partner);
    m_partner->Fill(QStringLiteral("select %1,%2 from %3 order by %1")
                        .arg(WjSql::Ident(m_doc.partnerKey), WjSql::Ident(m_doc.partnerName), WjSql::Ident(m_doc.partnerTable)));
}

void TWjDocForm::FormShow()
{
    fillPartners();
    SetValue(m_doc.keyColumn, Entity()->KeyValue);
    if (m_number)
        Entity()->SetEdit(m_number);
    if (IsAdd()) {
        if (!m_doc.dateColumn.isEmpty())
            SetValue(m_doc.dateColumn, QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
        if (!m_doc.makerCaption.isEmpty())
            SetValue(m_doc.makerColumn, CurCzy ? CurCzy->CzyName : QString());
        if (!m_doc.flagColumn.isEmpty())
            SetValue(m_doc.flagColumn, m_doc.newFlag);
    } else {
        if (m_partner) {
            // The stored name and phone stay as they are; a partner no longer listed shows nothing.
            const QSignalBlocker block(m_partner);
            m_partner->SetKeyValue(Value(m_doc.partnerKeyColumn));
            if (m_partner->KeyValue().isEmpty())
                m_partner->Box()->setEditText(Value(m_doc.partnerNameColumn));
        }
        InitShForm();
    }
    CreateLines();
}

void TWjDocForm::InitShForm()
{
    if (m_doc.flagColumn.isEmpty() || m_doc.lockedFlag.isEmpty() || Value(m_doc.flagColumn).trimmed() != m_doc.lockedFlag)
        return;
    m_locked = true;
    m_linePanel->setEnabled(false);
    for (QAction *a : std::as_const(m_lockable))
        a->setEnabled(false);
    m_state->show();
    m_blink->start();
    LockMore();
}

bool TWjDocForm::IsBlinking() const { return m_blink->isActive(); }

void TWjDocForm::CreateLines()
{
    CurDBAction->Bind(*m_lines->DataSet());
    m_lines->MasterValue = HeadKey();
    m_lines->Open();
    m_grid->SetDataSet(m_lines->DataSet());
}

bool TWjDocForm::AddLine()
{
    if (m_locked)
        return false;
    const bool r = m_lines->AddData([this] { return CreateLineDialog(); });
    m_grid->RefreshFooter();
    return r;
}

bool TWjDocForm::EditLine()
{
    if (m_locked || m_lines->DataSet()->IsEmpty())
        return false;
    return m_lines->EditData([this] { return CreateLineDialog(); });
}

void TWjDocForm::DeleteLine()
{
    if (m_locked)
        return;
    m_lines->DelData();
}

void TWjDocForm::PartnerPicked()
{
    if (!m_partner)
        return;
    const QString key = m_partner->KeyValue();
    if (key.isEmpty())
        return;
    SetValue(m_doc.partnerKeyColumn, key);
    if (!m_doc.phoneCaption.isEmpty() && m_partners->Locate(m_doc.partnerKey, key)
        && m_partners->FieldIndex(m_doc.partnerPhone) >= 0)
        SetValue(m_doc.phoneColumn, m_partners->FieldByName(m_doc.partnerPhone).AsString());
    SetValue(m_doc.partnerNameColumn, m_partner->Text());
}

void TWjDocForm::EditPartner(int action)
{
    if (m_locked || !m_partner)
        return;
    if (action == 1) {
        // The editor edits the partner the lookup shows.
        const QString key = m_partner->KeyValue();
        if (key.isEmpty() || !m_partners->Locate(m_doc.partnerKey, key))
            return;
    }
    const int key = RunPartnerEditor(action);
    if (key > 0)
        SetValue(m_doc.partnerKeyColumn, QString::number(key));
    fillPartners();
    const QString chosen = Value(m_doc.partnerKeyColumn);
    if (m_partner->SetKeyValue(chosen))
        PartnerPicked();
}

bool TWjDocForm::CheckLines()
{
    if (!m_doc.noLines.isEmpty() && m_lines->DataSet()->IsEmpty()) {
        Prompter().Warning(m_doc.noLines);
        return false;
    }
    return true;
}

QString TWjDocForm::recheck(TDBAction &db) const
{
    // The stored head, locked until the transaction ends: another workstation may have
    // finished or deleted it since the window opened.
    if (IsAdd())
        return {};
    const QString column = m_doc.flagColumn.isEmpty() ? m_doc.keyColumn : m_doc.flagColumn;
    TWjQuery head;
    db.SelectTable(QStringLiteral("select %1 from %2 where %3=%4")
                           .arg(WjSql::Ident(column), WjSql::Ident(m_doc.headTable), WjSql::Ident(m_doc.keyColumn),
                                WjSql::CheckInteger(HeadKey()))
                       + db.Dialect().ForUpdate(),
                   head);
    if (head.IsEmpty())
        return QStringLiteral("该单据已被删除，不能保存！");
    if (!m_doc.flagColumn.isEmpty() && !m_doc.lockedFlag.isEmpty() && head.Fields(0).AsString().trimmed() == m_doc.lockedFlag)
        return m_doc.lockedMessage;
    return {};
}

bool TWjDocForm::Save()
{
    if (m_locked)
        return false;
    if (m_partner)
        m_partner->Settle();  // a name still being typed is a listed partner or none
    const QString question = SaveQuestion();
    if (!question.isEmpty() && !Prompter().Question(question))
        return false;
    if (!CheckInputs()) {
        if (m_partner && Value(m_doc.partnerNameColumn).trimmed().isEmpty())
            m_partner->setFocus();
        return false;
    }
    if (!CheckLines())
        return false;
    TDBAction &db = *CurDBAction;
    // Writing the lines touches every line (keys, head key, numbers): the grid is told
    // once afterwards instead of once per value.
    const QSignalBlocker quiet(m_lines->DataSet());
    auto refresh = qScopeGuard([this] {
        m_grid->RefreshFooter();
        m_grid->View()->viewport()->update();
    });
    QString refusal;
    QWidget *refused = nullptr;
    try {
        // Head and lines stand or fall together.
        TWjTransaction tr(db);
        refusal = recheck(db);
        if (refusal.isEmpty()) {
            BeforeSubmit();
            refusal = CheckMessage(&refused);
        }
        if (refusal.isEmpty()) {
            WriteRow();
            m_lines->MasterValue = HeadKey();
            m_lines->UpdateBatch();
            tr.Commit();
        }
    } catch (const std::exception &e) {
        // The transaction is rolled back by now.
        ReportError(e);
        return false;
    }
    if (!refusal.isEmpty()) {
        // Spoken only now that the transaction is rolled back.
        Prompter().Warning(refusal);
        if (refused)
            refused->setFocus();
        return false;
    }
    accept();
    return true;
}

void TWjDocForm::Exit()
{
    m_lines->CancelBatch();
    reject();
}
