#include "frmbxser_mui_tv_pos.h"
#include "posticket.h"
#include "wjapplication.h"
#include "wjczy.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjdbgrid.h"
#include "wjfields.h"
#include "wjinputs.h"
#include "wjprompter.h"
#include "wjsearch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cmath>
#include <functional>

TfrmBxSer_Mui_Tv_Pos::TfrmBxSer_Mui_Tv_Pos(TPosTicket *ticket, const QString &goodsSql, const QString &formatName,
                                           const QString &caption, QWidget *parent)
    : QDialog(parent), m_ticket(ticket), m_goodsSql(goodsSql), m_formatName(formatName),
      m_check(QStringLiteral("Yw_Pos_SaDetailTmp"), TSQLControl::Insert)
{
    setObjectName(QStringLiteral("frmBxSer_Mui_Tv_Pos"));
    setWindowTitle(caption);
    m_goods = new TWjQuery(this);
    auto *lay = new QVBoxLayout(this);

    // Search panel.
    auto *search = new QHBoxLayout;
    cbTarget = new QComboBox(this);
    cbTarget->setObjectName(QStringLiteral("cbTarget"));
    cbTarget->hide();
    cbField = new QComboBox(this);
    cbField->setObjectName(QStringLiteral("cbField"));
    cbCond = new QComboBox(this);
    cbCond->setObjectName(QStringLiteral("cbCond"));
    edValue = new QLineEdit(this);
    edValue->setObjectName(QStringLiteral("edValue"));
    edValue->setToolTip(QStringLiteral("检索值输入域（输入关键字）"));
    edValue->setPlaceholderText(QStringLiteral("检索值输入域（输入关键字）"));
    edFrom = new QDateEdit(this);
    edTo = new QDateEdit(this);
    for (QDateEdit *d : {edFrom, edTo}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    chkFuzzy = new QCheckBox(QStringLiteral("模糊"), this);
    chkFuzzy->setObjectName(QStringLiteral("chkFuzzy"));
    chkFuzzy->setChecked(true);
    btnFind = new QPushButton(QStringLiteral("查找"), this);
    btnFind->setObjectName(QStringLiteral("btnFind"));
    search->addWidget(cbTarget);
    search->addWidget(cbField);
    search->addWidget(cbCond);
    search->addWidget(edValue, 1);
    auto *to = new QLabel(QStringLiteral("至"), this);
    search->addWidget(edFrom);
    search->addWidget(to);
    search->addWidget(edTo);
    search->addWidget(chkFuzzy);
    search->addWidget(btnFind);
    lay->addLayout(search);

    // Types | goods | page "库存资料".
    auto *split = new QSplitter(this);
    tvType = new QTreeWidget(split);
    tvType->setObjectName(QStringLiteral("tvType"));
    tvType->setHeaderHidden(true);
    dbgGoods = new TWjDBGrid(split);
    dbgGoods->setObjectName(QStringLiteral("dbgGoods"));
    dbgGoods->SetDataSet(m_goods);
    dbgGoods->SetColumns({{QStringLiteral("GoodsNo"), QStringLiteral("商品编码"), 90},
                          {QStringLiteral("GoodsName"), QStringLiteral("商品名称"), 160},
                          {QStringLiteral("Depart"), QStringLiteral("商品规格"), 90},
                          {QStringLiteral("Unit1"), QStringLiteral("单位1"), 50},
                          {QStringLiteral("LastSa_Price1"), QStringLiteral("售价1"), 60},
                          {QStringLiteral("Unit2"), QStringLiteral("单位2"), 50},
                          {QStringLiteral("LastSa_Price2"), QStringLiteral("售价2"), 60},
                          {QStringLiteral("Unit3"), QStringLiteral("单位3"), 50},
                          {QStringLiteral("LastSa_Price3"), QStringLiteral("售价3"), 60},
                          {QStringLiteral("KcNum_Unit1"), QStringLiteral("库存1"), 50},
                          {QStringLiteral("KcNum_Unit2"), QStringLiteral("库存2"), 50},
                          {QStringLiteral("KcNum_Unit3"), QStringLiteral("库存3"), 50},
                          {QStringLiteral("Posi"), QStringLiteral("仓位"), 60}});
    dbgGoods->SetFooter(QStringLiteral("GoodsName"), TWjDBGrid::FooterCount);

    auto *page = new QGroupBox(caption, split);
    page->setObjectName(caption);
    auto *pageLay = new QVBoxLayout(page);
    auto *form = new QFormLayout;
    lbName = new QLabel(page);
    lbName->setObjectName(QStringLiteral("lbName"));
    edGoodsId = new QLineEdit(QStringLiteral("0"), page);
    edGoodsId->hide();
    cbUnit = new QComboBox(page);
    cbUnit->setObjectName(QStringLiteral("cbUnit"));
    edNum = new TWjNumEdit(page);
    edNum->setObjectName(QStringLiteral("edNum"));
    edPrice = new TWjNumEdit(page);
    edPrice->setObjectName(QStringLiteral("edPrice"));
    edTotal = new QLineEdit(page);
    edTotal->setObjectName(QStringLiteral("edTotal"));
    edTotal->setReadOnly(true);
    edTotal->setFocusPolicy(Qt::NoFocus);
    form->addRow(QStringLiteral("名称:"), lbName);
    form->addRow(QStringLiteral("单位："), cbUnit);
    form->addRow(QStringLiteral("销售数量："), edNum);
    form->addRow(QStringLiteral("销售单价："), edPrice);
    form->addRow(QStringLiteral("合计金额："), edTotal);
    pageLay->addLayout(form);
    auto *addDel = new QHBoxLayout;
    btnAdd = new QPushButton(QStringLiteral("添加[&A]"), page);
    btnAdd->setObjectName(QStringLiteral("btnAdd"));
    btnDel = new QPushButton(QStringLiteral("删除[&D]"), page);
    btnDel->setObjectName(QStringLiteral("btnDel"));
    addDel->addWidget(btnAdd);
    addDel->addWidget(btnDel);
    pageLay->addLayout(addDel);
    pageLay->addWidget(new QLabel(QStringLiteral("  已选择列表："), page));
    dbgSelected = new TWjDBGrid(page);
    dbgSelected->setObjectName(QStringLiteral("dbgSelected"));
    dbgSelected->SetSortable(false);
    dbgSelected->SetDataSet(ticket->Lines());
    dbgSelected->SetColumns({{QStringLiteral("Xh_SaDetail"), QStringLiteral("序"), 36},
                             {QStringLiteral("GoodsName"), QStringLiteral("商品名称"), 120},
                             {QStringLiteral("TNum"), QStringLiteral("数量"), 70},
                             {QStringLiteral("Sa_Price"), QStringLiteral("单价"), 60},
                             {QStringLiteral("T_Price"), QStringLiteral("金额"), 60}});
    dbgSelected->setToolTip(QStringLiteral("双击记录可以将已选择资料删除"));
    pageLay->addWidget(dbgSelected, 1);
    split->setStretchFactor(1, 1);
    split->setSizes({170, 600, 330});
    lay->addWidget(split, 1);

    auto *bottom = new QHBoxLayout;
    btnOk = new QPushButton(QStringLiteral("确定[&S]"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnCancel = new QPushButton(QStringLiteral("取消[&C]"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    bottom->addStretch(1);
    bottom->addWidget(btnOk);
    bottom->addWidget(btnCancel);
    lay->addLayout(bottom);
    resize(1100, 620);

    // The input check of "添加[&A]".
    m_check.AddField(QStringLiteral("GoodsId_Sa"), edGoodsId, TSQLControl::Number, QStringLiteral("商品"));
    m_check.AddField(QStringLiteral("SaNum"), edNum, TSQLControl::Integer, QStringLiteral("数量"), 0, true);
    m_check.AddField(QStringLiteral("Sa_Price"), edPrice, TSQLControl::Number, QStringLiteral("单价"));

    m_search = new TWjSearch(this);
    m_search->Init(cbTarget, cbField, cbCond, edValue, edFrom, edTo, chkFuzzy);
    m_search->SetDataSet(m_goods);
    // The date range shows for date fields only (the search shows or hides its inputs).
    auto syncRange = [this, to] { to->setVisible(!edFrom->isHidden()); };
    connect(cbField, &QComboBox::currentIndexChanged, this, syncRange);

    connect(btnFind, &QPushButton::clicked, this, [this] { WjRunAction([this] { Find(); }); });
    connect(edValue, &QLineEdit::textChanged, this, [this](const QString &t) {
        if (!t.trimmed().isEmpty())
            WjRunAction([this] { Find(); });
    });
    connect(tvType, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *it) { TypeClicked(it); });
    connect(dbgGoods, &TWjDBGrid::RowDoubleClicked, this, [this] { WjRunAction([this] { PickGoods(); }); });
    connect(cbUnit, &QComboBox::activated, this, [this](int i) { UnitChosen(i); });
    connect(btnAdd, &QPushButton::clicked, this, [this] { WjRunAction([this] { AddLine(); }); });
    connect(btnDel, &QPushButton::clicked, this, [this] { DeleteLine(); });
    connect(dbgSelected, &TWjDBGrid::RowDoubleClicked, this, [this] { DeleteLine(); });
    connect(btnOk, &QPushButton::clicked, this, [this] {
        m_result = !m_goods->IsEmpty();
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, [this] {
        m_result = false;
        reject();
    });
    // Enter moves to the next input; the window sees its own keys before that (Down in
    // the search value, Enter there and on the goods list): filters installed later run first.
    new TDosMove(this);
    for (QWidget *w : {static_cast<QWidget *>(edValue), static_cast<QWidget *>(dbgGoods->View()),
                       static_cast<QWidget *>(edNum), static_cast<QWidget *>(edPrice)})
        w->installEventFilter(this);
    for (QPushButton *b : findChildren<QPushButton *>())
        b->setAutoDefault(false);

    // Show, in order: input method, value lists, types, search, layouts, goods.
    CurCzy->SetMyIme(this);
    SetComboboxItems(this);
    ApplyCharLimits(this);  // limits in whole characters
    fillTypes();
    if (CurCzy->CzyLevel <= 2) {
        auto *menu = new QMenu(dbgGoods);
        menu->addAction(QStringLiteral("设置..."), this, [this] { dbgGoods->RunFmtTool(GoodsFmt()); });
        dbgGoods->View()->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(dbgGoods->View(), &QWidget::customContextMenuRequested, menu,
                [menu](const QPoint &) { menu->popup(QCursor::pos()); });
    }
    m_search->SelectItem(caption);
    syncRange();
    try {
        dbgGoods->InitFmt(GoodsFmt());
        dbgSelected->InitFmt(SelectedFmt());
    } catch (const std::exception &) {
        // A layout that cannot be read: the built-in columns stay.
    }
    m_ticket->Db().SelectTable(m_goodsSql, *m_goods);
    edValue->setFocus();
}

QString TfrmBxSer_Mui_Tv_Pos::GoodsFmt() const
{
    return windowTitle() + QStringLiteral("_查");
}

QString TfrmBxSer_Mui_Tv_Pos::SelectedFmt() const
{
    return QStringLiteral("多选_") + m_formatName;
}

void TfrmBxSer_Mui_Tv_Pos::fillTypes()
{
    TWjQuery q;
    m_ticket->Db().SelectTable(QStringLiteral("select MeId,ParentId,TypeName from Jb_GoodsType order by ParentId,MeId"), q);
    QHash<qint64, QTreeWidgetItem *> byId;
    QList<QPair<qint64, QTreeWidgetItem *>> all;
    for (q.First(); !q.Eof(); q.Next()) {
        auto *it = new QTreeWidgetItem(QStringList(q.FieldByName(QStringLiteral("TypeName")).AsString()));
        const qint64 id = q.FieldByName(QStringLiteral("MeId")).AsLargeInt();
        it->setData(0, Qt::UserRole, id);
        byId.insert(id, it);
        all.append({q.FieldByName(QStringLiteral("ParentId")).AsLargeInt(), it});
    }
    for (const auto &[parent, it] : all) {
        if (QTreeWidgetItem *p = byId.value(parent); p && p != it)
            p->addChild(it);
        else
            tvType->addTopLevelItem(it);
    }
    tvType->expandAll();
}

void TfrmBxSer_Mui_Tv_Pos::Find()
{
    if (!cbTarget->currentText().isEmpty())
        setWindowTitle(cbTarget->currentText());
    m_search->ExcuteSearch();
}

void TfrmBxSer_Mui_Tv_Pos::TypeClicked(QTreeWidgetItem *item)
{
    if (!item)
        return;
    // The clicked type, then every type below it, depth first.
    QStringList keys;
    std::function<void(QTreeWidgetItem *)> collect = [&](QTreeWidgetItem *it) {
        keys << QString::number(it->data(0, Qt::UserRole).toLongLong());
        for (int i = 0; i < it->childCount(); ++i)
            collect(it->child(i));
    };
    collect(item);
    try {
        m_ticket->Db().SelectTable(
            QStringLiteral("select * from V_Yw_KcData where TypeId_Goods in(%1)").arg(keys.join(QLatin1Char(','))), *m_goods);
    } catch (const std::exception &) {
        // The list stays as it was.
    }
}

void TfrmBxSer_Mui_Tv_Pos::PickGoods()
{
    if (m_goods->IsEmpty())
        return;
    auto f = [this](const QString &name) { return m_goods->FieldByName(name); };
    edGoodsId->setText(f(QStringLiteral("Goods_Id")).AsString());
    lbName->setText(f(QStringLiteral("GoodsName")).AsString());
    m_goodsNo = f(QStringLiteral("GoodsNo")).AsString();
    // The units up to the last one named (unit 3, else 2, else 1); the last is chosen.
    int units = 0;
    for (int u = 3; u >= 1 && units == 0; --u)
        if (!f(QStringLiteral("Unit%1").arg(u)).AsString().isEmpty())
            units = u;
    cbUnit->clear();
    m_unitPrices[0].clear();
    m_unitPrices[1].clear();
    for (int u = 1; u <= units; ++u) {
        cbUnit->addItem(f(QStringLiteral("Unit%1").arg(u)).AsString());
        m_unitPrices[0] << f(QStringLiteral("LastSa_Price%1").arg(u)).AsCurrency().ToString();
        m_unitPrices[1] << f(QStringLiteral("LastIn_Price%1").arg(u)).AsCurrency().ToString();
    }
    m_unitFlag = units;
    if (units > 0) {
        cbUnit->setCurrentIndex(units - 1);
        loadPrices(units);
    }
    edNum->setText(QStringLiteral("1"));
    RecalcTotal();
    edNum->setFocus();
    edNum->selectAll();
}

void TfrmBxSer_Mui_Tv_Pos::loadPrices(int unit)
{
    edPrice->setText(m_unitPrices[0].value(unit - 1));
    Currency::TryParse(m_unitPrices[1].value(unit - 1), &m_inPrice);
}

void TfrmBxSer_Mui_Tv_Pos::UnitChosen(int index)
{
    if (index < 0 || index >= cbUnit->count())
        return;
    cbUnit->setCurrentIndex(index);  // the unit name added follows the flag
    m_unitFlag = index + 1;
    loadPrices(m_unitFlag);
    RecalcTotal();
}

void TfrmBxSer_Mui_Tv_Pos::RecalcTotal()
{
    double qty = 0;
    Currency price;
    if (ReadNumber(edNum->text(), &qty) && ReadMoney(edPrice->text(), &price) && std::fabs(qty) < 1e8)
        edTotal->setText(price.Mul(Currency::FromDouble(qty)).ToString());
}

bool TfrmBxSer_Mui_Tv_Pos::AddLine()
{
    if (lbName->text().isEmpty()) {
        Prompter().Warning(QStringLiteral("请选择商品资料！"));
        return false;
    }
    RecalcTotal();
    if (!m_check.CheckValue())
        return false;
    if (m_unitFlag < 1 || m_unitFlag > 3) {
        Prompter().Warning(QStringLiteral("该商品没有定义单位，不能销售！"));
        return false;
    }
    TPosGoods g;
    g.goodsId = edGoodsId->text();
    g.goodsName = lbName->text();
    g.goodsNo = m_goodsNo;
    g.unit = cbUnit->currentText();
    g.unitFlag = m_unitFlag;
    g.saPrice = edPrice->Value(QStringLiteral("单价"));
    g.inPrice = m_inPrice;
    m_ticket->AddLine(g, double(WjSql::CheckInteger(edNum->text(), QStringLiteral("数量")).toLongLong()));
    lbName->clear();
    edGoodsId->setText(QStringLiteral("0"));
    return true;
}

void TfrmBxSer_Mui_Tv_Pos::DeleteLine()
{
    m_ticket->DeleteCurrent();
}

bool TfrmBxSer_Mui_Tv_Pos::eventFilter(QObject *o, QEvent *e)
{
    if (e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
        if (o == edValue && k->key() == Qt::Key_Down) {
            dbgGoods->View()->setFocus();
            return true;
        }
        if (o == dbgGoods->View() && enter) {
            WjRunAction([this] { PickGoods(); });
            return true;
        }
        if (o == edValue && enter) {
            WjRunAction([this] { Find(); });
            return true;
        }
        if ((o == edNum || o == edPrice) && (enter || k->key() == Qt::Key_Tab))
            RecalcTotal();  // leaving the input; the focus then moves on
    } else if (e->type() == QEvent::FocusOut && (o == edNum || o == edPrice)) {
        RecalcTotal();
    }
    return QDialog::eventFilter(o, e);
}
