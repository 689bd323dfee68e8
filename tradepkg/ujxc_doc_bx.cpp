#include "ujxc_doc_bx.h"
#include "wjbx_goods.h"
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
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <limits>

namespace {
QPushButton *actionButton(QWidget *parent, QAction *a, const QString &name)
{
    auto *b = new QPushButton(a->text(), parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    QObject::connect(b, &QPushButton::clicked, a, &QAction::trigger);
    QObject::connect(a, &QAction::changed, b, [a, b] {
        b->setEnabled(a->isEnabled());
        b->setText(a->text());
    });
    return b;
}
} // namespace

// ---- TfrmJxcDoc_Bx ----

TfrmJxcDoc_Bx::TfrmJxcDoc_Bx(const TJxcDocDef &def, QWidget *parent)
    : TWjForm_Jb(parent), m_def(def), m_partners(new TWjQuery(this)), m_lines(new TADOCachedControl(this))
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
    m_state = new QLabel(QStringLiteral("已完成"), this);
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

    // Head fields common to the kinds.
    m_head = new QGridLayout;
    m_number = new QLineEdit(this);
    m_number->setObjectName(def.numberColumn + QLatin1Char('W'));
    m_number->setReadOnly(true);
    AddHeadField(def.numberCaption, m_number);
    Rule(def.numberColumn, def.numberCaption, 30);
    auto *maker = new QLineEdit(this);
    maker->setObjectName(QStringLiteral("OperationW"));
    maker->setReadOnly(true);
    AddHeadField(def.makerCaption, maker);
    Rule(QStringLiteral("Operation"), def.makerCaption, 50);
    auto *date = new QDateEdit(QDate::currentDate(), this);
    date->setObjectName(def.dateColumn + QLatin1Char('W'));
    date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    date->setCalendarPopup(true);
    AddHeadField(def.dateCaption, date);

    m_partner = new TWjLookupCombo(this);
    m_partner->setObjectName(QStringLiteral("cbPartner"));
    AddHeadField(def.partnerCaption, m_partner, 3);
    connect(m_partner, &TWjLookupCombo::KeyChanged, this, [this](const QString &key) {
        if (!key.isEmpty()) {
            PartnerPicked();
            return;
        }
        // The box takes only partners of its list: a typed name that is none leaves no partner.
        SetValue(QStringLiteral("ClientName"), QString());
        SetValue(m_def.partnerKeyColumn, QString());
    });
    connect(m_partner, &TWjLookupCombo::NewClicked, this, [this] { EditPartner(0); });
    connect(m_partner, &TWjLookupCombo::EditClicked, this, [this] { EditPartner(1); });
    auto *phone = new QLineEdit(this);
    phone->setObjectName(QStringLiteral("LxdhW"));
    phone->setMaxLength(50);
    AddHeadField(def.phoneCaption, phone);
    Rule(QStringLiteral("Lxdh"), def.phoneCaption, 50);

    AddHidden(def.keyColumn, QString(), TSQLControl::Integer);
    AddHidden(def.partnerKeyColumn, QString(), TSQLControl::Integer);
    AddHidden(QStringLiteral("ClientName"));
    Rule(QStringLiteral("ClientName"), def.partnerCaption, 100, true);
    AddHidden(def.flagColumn, QStringLiteral("1"), TSQLControl::Integer);

    // Line actions.
    m_find = new QAction(QStringLiteral("查找库存"), this);
    m_find->setObjectName(QStringLiteral("findKc"));
    m_find->setShortcut(Qt::Key_F3);
    m_edit = new QAction(QStringLiteral("修改[&E]"), this);
    m_edit->setObjectName(QStringLiteral("Act_Detail_Edit"));
    m_del = new QAction(QStringLiteral("删除[&D]"), this);
    m_del->setObjectName(QStringLiteral("Act_Detail_Del"));
    m_saveAct = new QAction(QStringLiteral("保存[&S]"), this);
    m_saveAct->setObjectName(QStringLiteral("Act_Save"));
    m_exitAct = new QAction(QStringLiteral("取消[&E]"), this);
    m_exitAct->setObjectName(QStringLiteral("Act_Exit"));
    addActions({m_find, m_edit, m_del, m_saveAct, m_exitAct});
    connect(m_find, &QAction::triggered, this, [this] { FindKc(); });
    connect(m_edit, &QAction::triggered, this, [this] { EditLine(); });
    connect(m_del, &QAction::triggered, this, [this] { DeleteLine(); });
    connect(m_saveAct, &QAction::triggered, this, [this] { Save(); });
    connect(m_exitAct, &QAction::triggered, this, [this] { Exit(); });

    m_linePanel = new QWidget(this);
    m_linePanel->setObjectName(QStringLiteral("pnlLines"));
    m_lineButtons = new QHBoxLayout(m_linePanel);
    m_lineButtons->setContentsMargins(0, 0, 0, 0);
    m_lineButtons->addWidget(actionButton(m_linePanel, m_find, QStringLiteral("btnFindKc")));
    m_lineButtons->addWidget(actionButton(m_linePanel, m_edit, QStringLiteral("btnEdit")));
    m_lineButtons->addWidget(actionButton(m_linePanel, m_del, QStringLiteral("btnDel")));
    m_lineButtons->addStretch();

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

    auto *lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addLayout(m_head);
    lay->addWidget(m_linePanel);
    lay->addWidget(m_grid, 1);
    lay->addLayout(m_bottom);

    m_lines->LineTable = def.lineTable;
    m_lines->KeyField = def.lineKey;
    m_lines->MasterField = def.lineMaster;
    m_lines->SerialField = def.lineSerial;
    m_lines->OnCalcFields = [this](TWjQuery &line) { calcFields(line); };
    new TDosMove(this);
    resize(820, 560);
}

QLabel *TfrmJxcDoc_Bx::AddHeadField(const QString &caption, QWidget *input, int span)
{
    // Three captioned inputs a row; an input spanning more takes the columns of its neighbours.
    const int perRow = 3;
    if (m_headCount % perRow + span > perRow)
        m_headCount += perRow - m_headCount % perRow;
    const int row = m_headCount / perRow, col = (m_headCount % perRow) * 2;
    auto *label = new QLabel(caption, this);
    label->setBuddy(input);
    m_head->addWidget(label, row, col, Qt::AlignRight);
    m_head->addWidget(input, row, col + 1, 1, span * 2 - 1);
    m_headCount += span;
    return label;
}

QLineEdit *TfrmJxcDoc_Bx::AddHidden(const QString &column, const QString &text, int type)
{
    auto *e = new QLineEdit(text, this);
    e->setObjectName(column + QLatin1Char('W'));
    e->hide();
    if (type >= 0)
        Rule(column, column, 0, false, type);
    return e;
}

void TfrmJxcDoc_Bx::SetLineColumns(const QList<QPair<QString, QString>> &columns, const QStringList &calcFields)
{
    QList<TWjDBGrid::Column> cols;
    for (const auto &c : columns)
        cols << TWjDBGrid::Column{c.first, c.second, c.first == m_def.lineSerial ? 40 : 100, true};
    m_grid->SetColumns(cols);
    m_grid->SetFrozenColumns(1);
    m_lines->CalcFields = QStringList{QStringLiteral("GoodsNo"), QStringLiteral("GoodsName"), QStringLiteral("Depart"),
                                      QStringLiteral("TNum")}
                          + calcFields;
}

QString TfrmJxcDoc_Bx::headKey() const
{
    const QString k = Value(m_def.keyColumn).trimmed();
    return k.isEmpty() ? QStringLiteral("0") : k;
}

void TfrmJxcDoc_Bx::fillPartners()
{
    CurDBAction->SelectTable(QStringLiteral("select * from ") + m_def.partnerTable, *m_partners);
    const QSignalBlocker block(m_partner);
    m_partner->Fill(QStringLiteral("select Client_Id,ClientName from %1 order by Client_Id").arg(m_def.partnerTable));
}

void TfrmJxcDoc_Bx::FormShow()
{
    fillPartners();
    SetValue(m_def.keyColumn, Entity()->KeyValue);
    Entity()->SetEdit(m_number);
    if (IsAdd()) {
        SetValue(m_def.dateColumn, QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
        SetValue(QStringLiteral("Operation"), CurCzy ? CurCzy->CzyName : QString());
        SetValue(m_def.flagColumn, QStringLiteral("1"));
    } else {
        // The stored name and phone stay as they are; a partner no longer listed shows nothing.
        const QSignalBlocker block(m_partner);
        m_partner->SetKeyValue(Value(m_def.partnerKeyColumn));
        if (m_partner->KeyValue().isEmpty())
            m_partner->Box()->setEditText(Value(QStringLiteral("ClientName")));
        InitShForm();
    }
    CreateLines();
}

void TfrmJxcDoc_Bx::InitShForm()
{
    if (Value(m_def.flagColumn).trimmed() != m_def.auditedFlag)
        return;
    m_locked = true;
    m_linePanel->setEnabled(false);
    for (QAction *a : {m_find, m_edit, m_del, m_saveAct})
        a->setEnabled(false);
    m_state->show();
    m_blink->start();
    LockMore();
}

bool TfrmJxcDoc_Bx::IsBlinking() const { return m_blink->isActive(); }

void TfrmJxcDoc_Bx::CreateLines()
{
    CurDBAction->Bind(*m_lines->DataSet());
    m_lines->MasterValue = headKey();
    if (!IsAdd())
        readGoodsOfLines(m_lines->MasterValue);
    m_lines->Open();
    m_grid->SetDataSet(m_lines->DataSet());
    m_grid->SetFooter(m_def.lineSerial, TWjDBGrid::FooterCount);
    m_grid->SetFooter(QStringLiteral("GoodsName"), TWjDBGrid::FooterText, QStringLiteral("合计"));
    m_grid->SetFooter(QStringLiteral("T_Price"), TWjDBGrid::FooterSum);
}

namespace {
const char *const kGoodsColumns = "Goods_Id,GoodsNo,GoodsName,Depart,Unit1,Unit2,Unit3,LastIn_Price1,LastIn_Price2,LastIn_Price3";

TfrmJxcDoc_Bx::Goods goodsOfRow(const TWjQuery &q)
{
    TfrmJxcDoc_Bx::Goods g;
    g.found = true;
    g.no = q.FieldByName(QStringLiteral("GoodsNo")).AsString();
    g.name = q.FieldByName(QStringLiteral("GoodsName")).AsString();
    g.depart = q.FieldByName(QStringLiteral("Depart")).AsString();
    for (int u = 0; u < 3; ++u) {
        g.unit[u] = q.FieldByName(QStringLiteral("Unit%1").arg(u + 1)).AsString();
        g.lastIn[u] = q.FieldByName(QStringLiteral("LastIn_Price%1").arg(u + 1)).AsString();
    }
    return g;
}
} // namespace

const TfrmJxcDoc_Bx::Goods &TfrmJxcDoc_Bx::GoodsOf(const QString &goodsId)
{
    const QString id = goodsId.trimmed();
    auto it = m_goods.find(id);
    if (it != m_goods.end())
        return *it;
    Goods g;
    static const QRegularExpression whole(QStringLiteral("^\\d{1,18}$"));
    if (whole.match(id).hasMatch()) {
        TWjQuery q;
        CurDBAction->SelectTable(QStringLiteral("select %1 from Jb_Goods where Goods_Id=%2").arg(QLatin1String(kGoodsColumns), id), q);
        if (!q.IsEmpty())
            g = goodsOfRow(q);
    }
    return *m_goods.insert(id, g);
}

void TfrmJxcDoc_Bx::readGoodsOfLines(const QString &head)
{
    // The goods of a stored document in one read, not one read per line.
    TWjQuery q;
    CurDBAction->SelectTable(QStringLiteral("select %1 from Jb_Goods where Goods_Id in (select %2 from %3 where %4=%5)")
                                 .arg(QLatin1String(kGoodsColumns), m_def.lineGoods, m_def.lineTable, m_def.lineMaster,
                                      WjSql::CheckInteger(head)),
                             q);
    for (q.First(); !q.Eof(); q.Next())
        m_goods.insert(q.FieldByName(QStringLiteral("Goods_Id")).AsString(), goodsOfRow(q));
}

QString TfrmJxcDoc_Bx::QuantityText(const QString num[3], const QString unit[3])
{
    QString r;
    for (int u = 0; u < 3; ++u) {
        const QString n = num[u].trimmed();
        if (!n.isEmpty() && n != QLatin1String("0"))
            r += n + unit[u];
    }
    return r;
}

void TfrmJxcDoc_Bx::calcFields(TWjQuery &line)
{
    const Goods &g = GoodsOf(line.FieldByName(m_def.lineGoods).AsString());
    line.SetValue(QStringLiteral("GoodsNo"), g.no);
    line.SetValue(QStringLiteral("GoodsName"), g.name);
    line.SetValue(QStringLiteral("Depart"), g.depart);
    QString num[3];
    for (int u = 0; u < 3; ++u)
        num[u] = line.FieldByName(m_def.lineNum + QString::number(u + 1)).AsString();
    line.SetValue(QStringLiteral("TNum"), QuantityText(num, g.unit));
    CalcLine(line, g);
}

bool TfrmJxcDoc_Bx::FindKc()
{
    if (m_locked)
        return false;
    TWjBx_Goods goods;
    const bool r = goods.ExectSerGen_Mui_Bx(m_lines->DataSet(), m_def.lineSerial, m_def.lineMaster, headKey(), SearchCaption(),
                                            SearchListName(), SearchSql(), false, SearchPriceMode());
    m_grid->RefreshFooter();
    return r;
}

bool TfrmJxcDoc_Bx::EditLine()
{
    if (m_locked || m_lines->DataSet()->IsEmpty())
        return false;
    return m_lines->EditData([this] { return CreateLineDialog(); });
}

void TfrmJxcDoc_Bx::DeleteLine()
{
    if (m_locked)
        return;
    m_lines->DelData();
}

void TfrmJxcDoc_Bx::PartnerPicked()
{
    const QString key = m_partner->KeyValue();
    if (key.isEmpty())
        return;
    SetValue(m_def.partnerKeyColumn, key);
    if (m_partners->Locate(QStringLiteral("Client_Id"), key))
        SetValue(QStringLiteral("Lxdh"), m_partners->FieldByName(QStringLiteral("Lxdh")).AsString());
    SetValue(QStringLiteral("ClientName"), m_partner->Text());
}

void TfrmJxcDoc_Bx::EditPartner(int action)
{
    if (m_locked)
        return;
    if (action == 1) {
        // The editor edits the partner the lookup shows.
        const QString key = m_partner->KeyValue();
        if (key.isEmpty() || !m_partners->Locate(QStringLiteral("Client_Id"), key))
            return;
    }
    const int key = RunPartnerEditor(action);
    if (key > 0)
        SetValue(m_def.partnerKeyColumn, QString::number(key));
    fillPartners();
    const QString chosen = Value(m_def.partnerKeyColumn);
    if (m_partner->SetKeyValue(chosen))
        PartnerPicked();
}

bool TfrmJxcDoc_Bx::Save()
{
    if (m_locked)
        return false;
    m_partner->Settle();  // a name still being typed is a listed partner or none
    if (!Prompter().Question(m_def.askSave))
        return false;
    if (!CheckInputs()) {
        if (Value(QStringLiteral("ClientName")).trimmed().isEmpty())
            m_partner->setFocus();
        return false;
    }
    if (!m_def.noLines.isEmpty() && m_lines->DataSet()->IsEmpty()) {
        Prompter().Warning(m_def.noLines);
        return false;
    }
    TDBAction &db = *CurDBAction;
    // Writing the lines touches every line (keys, head key, numbers): the grid is told
    // once afterwards instead of once per value.
    const QSignalBlocker quiet(m_lines->DataSet());
    auto refresh = qScopeGuard([this] {
        m_grid->RefreshFooter();
        m_grid->View()->viewport()->update();
    });
    QString refusal;
    try {
        // Head and lines stand or fall together.
        TWjTransaction tr(db);
        if (!IsAdd()) {
            TWjQuery head;
            db.SelectTable(QStringLiteral("select %1 from %2 where %3=%4")
                                   .arg(m_def.flagColumn, m_def.headTable, m_def.keyColumn, WjSql::CheckInteger(headKey()))
                               + db.Dialect().ForUpdate(),
                           head);
            if (head.IsEmpty())
                refusal = QStringLiteral("该单据已被删除，不能保存！");
            else if (head.Fields(0).AsString() == m_def.auditedFlag)
                refusal = m_def.audited;
        }
        if (refusal.isEmpty()) {
            BeforeSubmit();
            if (!Submit())
                return false;
            m_lines->MasterValue = headKey();
            m_lines->UpdateBatch();
            tr.Commit();
        }
    } catch (const std::exception &e) {
        ReportError(e);
        return false;
    }
    if (!refusal.isEmpty()) {  // said once the transaction is rolled back
        Prompter().Warning(refusal);
        return false;
    }
    accept();
    return true;
}

void TfrmJxcDoc_Bx::Exit()
{
    m_lines->CancelBatch();
    reject();
}

// ---- TfrmJxcLine_Bx ----

TfrmJxcLine_Bx::TfrmJxcLine_Bx(const QString &goodsColumn, const QString &numColumn, QWidget *parent)
    : TADOCachedForm(parent), m_goodsColumn(goodsColumn), m_numColumn(numColumn)
{
    m_body = new QGridLayout;
    m_goodsNo = new QLineEdit(this);
    m_goodsNo->setObjectName(QStringLiteral("edGoodsNo"));
    m_goodsNo->setReadOnly(true);
    m_goodsNo->setFocusPolicy(Qt::NoFocus);
    m_goodsName = new QLineEdit(this);
    m_goodsName->setObjectName(QStringLiteral("edGoodsName"));
    m_goodsName->setReadOnly(true);
    m_goodsName->setFocusPolicy(Qt::NoFocus);
    const int row = NextRow();
    m_body->addWidget(new QLabel(QStringLiteral("商品编码"), this), row, 0, Qt::AlignRight);
    m_body->addWidget(m_goodsNo, row, 1, 1, 2);
    m_body->addWidget(new QLabel(QStringLiteral("商品名称"), this), row, 3, Qt::AlignRight);
    m_body->addWidget(m_goodsName, row, 4, 1, 3);
    for (int u = 0; u < 3; ++u) {
        m_num[u] = new QLineEdit(QStringLiteral("0"), this);
        m_num[u]->setObjectName(QStringLiteral("%1%2W").arg(numColumn).arg(u + 1));
        m_num[u]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_unitLabel[u] = new QLabel(this);
        m_unitLabel[u]->setObjectName(QStringLiteral("lbUnit%1").arg(u + 1));
        if (u > 0)
            AddUnitInputs(u + 1, m_num[u]);
    }

    QList<QPushButton *> made;
    m_buttons = AddButtonRow(this, {{QStringLiteral("保存[&S]"), QStringLiteral("btnSave")},
                                    {QStringLiteral("取消[&C]"), QStringLiteral("btnCancel")}}, &made);
    m_save = made[0];
    m_cancel = made[1];
    connect(m_save, &QPushButton::clicked, this, [this] { Save(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { CloseForm(); });
    auto *lay = new QVBoxLayout(this);
    lay->addLayout(m_body);
    lay->addLayout(m_buttons);
}

void TfrmJxcLine_Bx::AddTriple(const QString &caption, QWidget *const inputs[3], bool unitLabels)
{
    const int row = NextRow();
    m_body->addWidget(new QLabel(caption, this), row, 0, Qt::AlignRight);
    for (int u = 0; u < 3; ++u) {
        m_body->addWidget(inputs[u], row, 1 + u * 2);
        if (unitLabels)
            m_body->addWidget(m_unitLabel[u], row, 2 + u * 2);
    }
}

void TfrmJxcLine_Bx::AddQuantities(const QString &caption)
{
    QWidget *const inputs[3] = {m_num[0], m_num[1], m_num[2]};
    AddTriple(caption, inputs, true);
}

QString TfrmJxcLine_Bx::GoodsId() const
{
    const TWjQuery *line = Line();
    if (IsAdd() || !line || line->IsEmpty())
        return Extra.value(m_goodsColumn).toString();
    return line->FieldByName(m_goodsColumn).AsString();
}

void TfrmJxcLine_Bx::FormInit()
{
    new TDosMove(this);
    if (CurCzy)
        CurCzy->SetMyIme(this);
    SetComboboxItems(this);
    for (int u = 0; u < 3; ++u)
        m_unit[u].clear();
    const QString id = GoodsId().trimmed();
    static const QRegularExpression whole(QStringLiteral("^\\d{1,18}$"));
    if (whole.match(id).hasMatch()) {
        TWjQuery g;
        CurDBAction->SelectTable(QStringLiteral("select * from Jb_Goods where Goods_Id=") + id, g);
        if (!g.IsEmpty()) {
            m_goodsNo->setText(g.FieldByName(QStringLiteral("GoodsNo")).AsString());
            m_goodsName->setText(g.FieldByName(QStringLiteral("GoodsName")).AsString());
            for (int u = 0; u < 3; ++u)
                m_unit[u] = g.FieldByName(QStringLiteral("Unit%1").arg(u + 1)).AsString();
        }
    }
    for (int u = 0; u < 3; ++u) {
        m_unitLabel[u]->setText(m_unit[u]);
        const bool on = u == 0 || !m_unit[u].trimmed().isEmpty();
        for (QWidget *w : std::as_const(m_unitInputs[u]))
            w->setEnabled(on);
    }
    GoodsRead();
}

bool TfrmJxcLine_Bx::CheckQuantities(const QStringList &captions)
{
    static const QRegularExpression whole(QStringLiteral("^[+-]?\\d{1,10}$"));
    for (int u = 0; u < 3; ++u) {
        const QString t = m_num[u]->text().trimmed();
        qlonglong v = 0;
        if (!t.isEmpty()) {
            bool ok = whole.match(t).hasMatch();
            if (ok)
                v = t.toLongLong(&ok);
            if (!ok || v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max()) {
                Prompter().Warning(QStringLiteral("%1必须是整数！").arg(captions.value(u)));
                m_num[u]->setFocus();
                return false;
            }
        }
        Extra.insert(QStringLiteral("%1%2").arg(m_numColumn).arg(u + 1), v);
    }
    return true;
}
