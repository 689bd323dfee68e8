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
#include <QVBoxLayout>

#include <limits>

namespace {
// The framework's document definition of a goods document kind.
TWjDocDef docDef(const TJxcDocDef &d)
{
    TWjDocDef w;
    w.title = d.title;
    w.headTable = d.headTable;
    w.keyColumn = d.keyColumn;
    w.numberColumn = d.numberColumn;
    w.numberCaption = d.numberCaption;
    w.numberCode = d.numberCode;
    w.makerCaption = d.makerCaption;
    w.dateColumn = d.dateColumn;
    w.dateCaption = d.dateCaption;
    w.flagColumn = d.flagColumn;
    w.lockedFlag = d.auditedFlag;
    w.partnerTable = d.partnerTable;
    w.partnerKeyColumn = d.partnerKeyColumn;
    w.partnerCaption = d.partnerCaption;
    w.phoneCaption = d.phoneCaption;
    w.lineTable = d.lineTable;
    w.lineKey = d.lineKey;
    w.lineMaster = d.lineMaster;
    w.lineSerial = d.lineSerial;
    w.askSave = d.askSave;
    w.noLines = d.noLines;
    w.lockedMessage = d.audited;
    return w;
}
} // namespace

// ---- TfrmJxcDoc_Bx ----

TfrmJxcDoc_Bx::TfrmJxcDoc_Bx(const TJxcDocDef &def, QWidget *parent) : TWjDocForm(docDef(def), parent), m_def(def)
{
    // Lines come from the goods search: F3 before edit and delete.
    m_find = new QAction(QStringLiteral("查找库存"), this);
    m_find->setObjectName(QStringLiteral("findKc"));
    m_find->setShortcut(Qt::Key_F3);
    addAction(m_find);
    connect(m_find, &QAction::triggered, this, [this] { FindKc(); });
    AddLineButton(m_find, QStringLiteral("btnFindKc"), 0);
    Grid()->SetFooter(QStringLiteral("GoodsName"), TWjDBGrid::FooterText, QStringLiteral("合计"));
    Grid()->SetFooter(QStringLiteral("T_Price"), TWjDBGrid::FooterSum);
}

void TfrmJxcDoc_Bx::SetLineColumns(const QList<QPair<QString, QString>> &columns, const QStringList &calcFields)
{
    SetGridColumns(columns, QStringList{QStringLiteral("GoodsNo"), QStringLiteral("GoodsName"), QStringLiteral("Depart"),
                                        QStringLiteral("TNum")}
                                + calcFields);
}

void TfrmJxcDoc_Bx::FormShow()
{
    // The goods of a stored document's lines before the lines show them.
    if (!IsAdd())
        readGoodsOfLines(Entity()->KeyValue.trimmed().isEmpty() ? QStringLiteral("0") : Entity()->KeyValue.trimmed());
    TWjDocForm::FormShow();
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

void TfrmJxcDoc_Bx::CalcLineFields(TWjQuery &line)
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
    if (IsLocked())
        return false;
    TWjBx_Goods goods;
    const bool r = goods.ExectSerGen_Mui_Bx(Lines()->DataSet(), m_def.lineSerial, m_def.lineMaster, HeadKey(), SearchCaption(),
                                            SearchListName(), SearchSql(), false, SearchPriceMode());
    Grid()->RefreshFooter();
    return r;
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
