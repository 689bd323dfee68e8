#include "frmbxser_mui_tv.h"
#include "wjapplication.h"
#include "wjbx_goods.h"
#include "wjbx_goodtype.h"
#include "wjcached.h"
#include "wjczy.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjdbgrid.h"
#include "wjerror.h"
#include "wjfields.h"
#include "wjinputs.h"
#include "wjprompter.h"
#include "wjsearch.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <functional>
#include <limits>

namespace {
const QString kPurchasePage = QStringLiteral("商品属性");
const QString kSalePage = QStringLiteral("库存资料");
const QString kReturnPage = QStringLiteral("退货资料");

// One kind of appended line: its table, key, head key and serial columns.
struct LineDef { const char *table, *key, *head, *serial; };
const LineDef kLines[4] = {
    {"Yw_InDetail", "InDetail_Id", "InMain_Id", "Xh_Indetail"},
    {"Yw_ScDetail", "ScDetail_Id", "ScMain_Id", "Xh_Scdetail"},
    {"Yw_SaDetail", "SaDetail_Id", "SaMain_Id", "Xh_SaDetail"},
    {"Yw_ThDetail", "ThDetail_Id", "ThMain_Id", "Xh_Thdetail"},
};

template <typename T> T *named(QWidget *parent, const QString &name)
{
    auto *w = new T(parent);
    w->setObjectName(name);
    return w;
}

TWjNumEdit *numEdit(QWidget *parent, const QString &name, const QString &text = QStringLiteral("0"))
{
    auto *e = named<TWjNumEdit>(parent, name);
    e->setText(text);
    e->setMaximumWidth(90);
    return e;
}

QComboBox *batchBox(QWidget *parent, const QString &name)
{
    auto *c = named<QComboBox>(parent, name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->lineEdit()->setMaxLength(20);
    return c;
}

// A refused input: the message names it; the input gets the focus.
struct Refusal
{
    QWidget *input;
    QString text;
};

qint64 wholeNumber(const TWjNumEdit *e, const QString &caption)
{
    const QString t = e->text().trimmed();
    if (t.isEmpty())
        return 0;
    static const QRegularExpression re(QStringLiteral("^[+-]?\\d{1,18}$"));
    if (!re.match(t).hasMatch())
        throw Refusal{const_cast<TWjNumEdit *>(e), QStringLiteral("%1必须是整数！").arg(caption)};
    const qint64 v = t.toLongLong();
    if (v > std::numeric_limits<qint32>::max() || v < std::numeric_limits<qint32>::min())
        throw Refusal{const_cast<TWjNumEdit *>(e), QStringLiteral("%1超出允许的范围！").arg(caption)};
    return v;
}

Currency money(const TWjNumEdit *e, const QString &caption)
{
    const QString t = e->text().trimmed();
    Currency c;
    if (!t.isEmpty() && !Currency::TryParse(t, &c))
        throw Refusal{const_cast<TWjNumEdit *>(e), QStringLiteral("%1必须是数字！").arg(caption)};
    return c;
}

// The value of an input as the totals read it: blank is 0; false when not a number.
bool readNumber(const QLineEdit *e, Currency *out)
{
    const QString t = e->text().trimmed();
    *out = Currency();
    return t.isEmpty() || Currency::TryParse(t, out);
}
} // namespace

TfrmBxSer_Mui_Tv::TfrmBxSer_Mui_Tv(TWjQuery *detail, const QString &serialField, const QString &headKeyField,
                                   const QString &headKeyValue, const QString &caption, const QString &listName,
                                   const QString &goodsSql, bool flag, const QString &priceMode, QWidget *parent)
    : QDialog(parent), m_detail(detail), m_headKey(headKeyValue), m_listName(listName), m_priceMode(priceMode),
      m_goods(new TWjQuery(this)), m_search(new TWjSearch(this)), m_types(new TWjBx_GoodType(this))
{
    // The kind of line decides the serial and head key columns; these are not needed.
    Q_UNUSED(serialField);
    Q_UNUSED(headKeyField);
    Q_UNUSED(flag);
    if (!m_detail || !m_detail->Active())
        throw EWjError(QStringLiteral("商品查找窗口需要单据的明细数据。"));
    setObjectName(QStringLiteral("frmBxSer_Mui_Tv"));
    setWindowTitle(caption);
    m_page = caption == kSalePage ? 1 : caption == kReturnPage ? 2 : 0;
    m_kind = m_page == 1 ? Sale : m_page == 2 ? Return : listName == QStringLiteral("生产资料") ? Production : Purchase;
    auto *lay = new QVBoxLayout(this);

    // Search panel.
    auto *search = new QHBoxLayout;
    cbSource = named<QComboBox>(this, QStringLiteral("cbSource"));
    cbField = named<QComboBox>(this, QStringLiteral("cbField"));
    cbOper = named<QComboBox>(this, QStringLiteral("cbOper"));
    edValue = named<QLineEdit>(this, QStringLiteral("edValue"));
    edValue->setToolTip(QStringLiteral("检索值输入域（输入关键字）"));
    edValue->setPlaceholderText(QStringLiteral("检索值输入域（输入关键字）"));
    edFrom = named<QDateEdit>(this, QStringLiteral("edFrom"));
    edTo = named<QDateEdit>(this, QStringLiteral("edTo"));
    for (QDateEdit *d : {edFrom, edTo}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    auto *to = new QLabel(QStringLiteral("至"), this);
    chkFuzzy = named<QCheckBox>(this, QStringLiteral("chkFuzzy"));
    chkFuzzy->setText(QStringLiteral("模糊"));
    chkFuzzy->setChecked(true);
    btnFind = named<QPushButton>(this, QStringLiteral("btnFind"));
    btnFind->setText(QStringLiteral("查找"));
    for (QWidget *w : std::initializer_list<QWidget *>{cbSource, cbField, cbOper})
        search->addWidget(w);
    search->addWidget(edValue, 1);
    for (QWidget *w : std::initializer_list<QWidget *>{edFrom, to, edTo, chkFuzzy, btnFind})
        search->addWidget(w);
    lay->addLayout(search);

    // Types | goods over the entry page, the buttons and the selected list.
    auto *split = new QSplitter(this);
    tvType = named<QTreeWidget>(split, QStringLiteral("tvType"));
    tvType->setHeaderHidden(true);
    m_types->WjTvTmp = tvType;
    auto *right = new QWidget(split);
    auto *rl = new QVBoxLayout(right);
    rl->setContentsMargins(0, 0, 0, 0);
    dbgGoods = named<TWjDBGrid>(right, QStringLiteral("dbgGoods"));
    dbgGoods->SetDataSet(m_goods);
    QList<TWjDBGrid::Column> goodsCols = {
        {QStringLiteral("GoodsNo"), QStringLiteral("商品编码"), 90},   {QStringLiteral("GoodsName"), QStringLiteral("商品名称"), 150},
        {QStringLiteral("Depart"), QStringLiteral("商品规格"), 90},    {QStringLiteral("TypeName"), QStringLiteral("商品类别"), 80},
        {QStringLiteral("Unit1"), QStringLiteral("单位1"), 45},        {QStringLiteral("Unit2"), QStringLiteral("单位2"), 45},
        {QStringLiteral("Unit3"), QStringLiteral("单位3"), 45},        {QStringLiteral("LastIn_Price1"), QStringLiteral("进价1"), 60},
        {QStringLiteral("LastSa_Price1"), QStringLiteral("售价1"), 60}, {QStringLiteral("Posi"), QStringLiteral("仓位"), 60}};
    if (m_page == 1)
        goodsCols << TWjDBGrid::Column{QStringLiteral("KcNum_Unit1"), QStringLiteral("库存1"), 50}
                  << TWjDBGrid::Column{QStringLiteral("KcNum_Unit2"), QStringLiteral("库存2"), 50}
                  << TWjDBGrid::Column{QStringLiteral("KcNum_Unit3"), QStringLiteral("库存3"), 50};
    dbgGoods->SetColumns(goodsCols);
    rl->addWidget(dbgGoods, 3);

    pages = named<QStackedWidget>(right, QStringLiteral("pages"));
    const QString unitNames[3] = {QStringLiteral("箱"), QStringLiteral("包"), QStringLiteral("只")};
    auto makePage = [&](int p, const QString &name) {
        auto *page = named<QWidget>(pages, name);
        auto *g = new QGridLayout(page);
        g->setContentsMargins(4, 4, 4, 4);
        lbName[p] = named<QLabel>(page, QStringLiteral("lbName%1").arg(p + 1));
        lbName[p]->setMinimumWidth(160);
        g->addWidget(new QLabel(QStringLiteral("名称:"), page), 0, 0);
        g->addWidget(lbName[p], 0, 1, 1, 3);
        for (int u = 0; u < 3; ++u)
            lbUnit[p][u] = named<QLabel>(page, QStringLiteral("lbUnit%1_%2").arg(p + 1).arg(u + 1));
        for (int u = 0; u < 3; ++u)
            lbUnit[p][u]->setText(unitNames[u]);
        pages->addWidget(page);
        return g;
    };
    // Quantity and price rows: input, unit label, for each unit.
    auto addTriple = [](QGridLayout *g, int row, const QString &caption, TWjNumEdit *const *e, QLabel *const *units) {
        g->addWidget(new QLabel(caption, e[0]->parentWidget()), row, 0);
        for (int u = 0; u < 3; ++u) {
            g->addWidget(e[u], row, 1 + 2 * u);
            if (units)
                g->addWidget(units[u], row, 2 + 2 * u);
        }
    };

    {   // "商品属性"
        QGridLayout *g = makePage(0, kPurchasePage);
        QWidget *page = pages->widget(0);
        cbPc = batchBox(page, QStringLiteral("cbPc"));
        dtYx = named<QDateEdit>(page, QStringLiteral("dtYx"));
        dtYx->setCalendarPopup(true);
        dtYx->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        dtYx->setDate(QDate::currentDate());
        g->addWidget(new QLabel(QStringLiteral("批次："), page), 0, 4);
        g->addWidget(cbPc, 0, 5);
        g->addWidget(new QLabel(QStringLiteral("有效期："), page), 0, 6);
        g->addWidget(dtYx, 0, 7);
        for (int u = 0; u < 3; ++u) {
            edNum[u] = numEdit(page, QStringLiteral("edNum%1").arg(u + 1), u == 0 ? QStringLiteral("1") : QStringLiteral("0"));
            edPrice[u] = numEdit(page, QStringLiteral("edPrice%1").arg(u + 1));
        }
        addTriple(g, 1, QStringLiteral("数 量："), edNum, lbUnit[0]);
        addTriple(g, 2, QStringLiteral("单 价："), edPrice, nullptr);
        edTotal = numEdit(page, QStringLiteral("edTotal"));
        btnTotal = named<QPushButton>(page, QStringLiteral("btnTotal"));
        btnTotal->setText(QStringLiteral("合计"));
        cbPosi = named<QComboBox>(page, QStringLiteral("cbPosi"));
        cbPosi->setEditable(true);
        cbPosi->setInsertPolicy(QComboBox::NoInsert);
        cbPosi->setToolTip(QStringLiteral("仓位"));
        cbPosi->lineEdit()->setMaxLength(10);  // the lines keep ten characters
        g->addWidget(new QLabel(QStringLiteral("合计金额："), page), 3, 0);
        g->addWidget(edTotal, 3, 1);
        g->addWidget(btnTotal, 3, 2);
        g->addWidget(new QLabel(QStringLiteral("仓位："), page), 3, 4);
        g->addWidget(cbPosi, 3, 5);
    }
    {   // "库存资料"
        QGridLayout *g = makePage(1, kSalePage);
        QWidget *page = pages->widget(1);
        chkPc = named<QCheckBox>(page, QStringLiteral("chkPc"));
        chkPc->setText(QStringLiteral("选择批次："));
        cbSaPc = batchBox(page, QStringLiteral("cbSaPc"));
        cbSaPc->setEnabled(false);
        edKcId = numEdit(page, QStringLiteral("edKcId"));
        edKcId->hide();
        g->addWidget(chkPc, 0, 4);
        g->addWidget(cbSaPc, 0, 5);
        g->addWidget(edKcId, 0, 6);
        for (int u = 0; u < 3; ++u) {
            edSaNum[u] = numEdit(page, QStringLiteral("edSaNum%1").arg(u + 1), u == 0 ? QStringLiteral("1") : QStringLiteral("0"));
            edSaPrice[u] = numEdit(page, QStringLiteral("edSaPrice%1").arg(u + 1));
            edKdPrice[u] = numEdit(page, QStringLiteral("edKdPrice%1").arg(u + 1));
        }
        addTriple(g, 1, QStringLiteral("数量："), edSaNum, lbUnit[1]);
        addTriple(g, 2, QStringLiteral("单 价："), edSaPrice, nullptr);
        addTriple(g, 3, QStringLiteral("开单价："), edKdPrice, nullptr);
        btnCost = named<QPushButton>(page, QStringLiteral("btnCost"));
        btnCost->setText(QStringLiteral("合计"));
        g->addWidget(btnCost, 3, 7);
        pnlInPrice = named<QWidget>(page, QStringLiteral("pnlInPrice"));
        auto *ip = new QHBoxLayout(pnlInPrice);
        ip->setContentsMargins(0, 0, 0, 0);
        ip->addWidget(new QLabel(QStringLiteral("进货价："), pnlInPrice));
        for (int u = 0; u < 3; ++u) {
            edInPrice[u] = numEdit(pnlInPrice, QStringLiteral("edInPrice%1").arg(u + 1));
            ip->addWidget(edInPrice[u]);
        }
        edCost = numEdit(pnlInPrice, QStringLiteral("edCost"));
        ip->addWidget(new QLabel(QStringLiteral("成本："), pnlInPrice));
        ip->addWidget(edCost);
        ip->addStretch(1);
        g->addWidget(pnlInPrice, 4, 0, 1, 8);
    }
    {   // "退货资料"
        QGridLayout *g = makePage(2, kReturnPage);
        QWidget *page = pages->widget(2);
        cbThPc = batchBox(page, QStringLiteral("cbThPc"));
        g->addWidget(new QLabel(QStringLiteral("批次："), page), 0, 4);
        g->addWidget(cbThPc, 0, 5);
        for (int u = 0; u < 3; ++u)
            edThNum[u] = numEdit(page, QStringLiteral("edThNum%1").arg(u + 1), u == 0 ? QStringLiteral("1") : QStringLiteral("0"));
        addTriple(g, 1, QStringLiteral("数量："), edThNum, lbUnit[2]);
        edThRemark = named<QLineEdit>(page, QStringLiteral("edThRemark"));
        edThRemark->setMaxLength(100);
        g->addWidget(new QLabel(QStringLiteral("说明："), page), 2, 0);
        g->addWidget(edThRemark, 2, 1, 1, 7);
    }
    rl->addWidget(pages);

    auto *lineButtons = new QHBoxLayout;
    lineButtons->addWidget(new QLabel(QStringLiteral("已选择列表："), right));
    lineButtons->addStretch(1);
    btnAdd = named<QPushButton>(right, QStringLiteral("btnAdd"));
    btnAdd->setText(QStringLiteral("添加[&A]"));
    btnDel = named<QPushButton>(right, QStringLiteral("btnDel"));
    btnDel->setText(QStringLiteral("删除[&D]"));
    lineButtons->addWidget(btnAdd);
    lineButtons->addWidget(btnDel);
    rl->addLayout(lineButtons);
    dbgSelected = named<TWjDBGrid>(right, QStringLiteral("dbgSelected"));
    dbgSelected->setToolTip(QStringLiteral("双击记录可以将已选择资料删除"));
    dbgSelected->SetSortable(false);
    rl->addWidget(dbgSelected, 2);
    split->setStretchFactor(1, 1);
    split->setSizes({170, 830});
    lay->addWidget(split, 1);

    auto *bottom = new QHBoxLayout;
    btnNewGoods = named<QPushButton>(this, QStringLiteral("btnNewGoods"));
    btnNewGoods->setText(QStringLiteral("添加新商品"));
    btnOk = named<QPushButton>(this, QStringLiteral("btnOk"));
    btnOk->setText(QStringLiteral("确定[&S]"));
    btnCancel = named<QPushButton>(this, QStringLiteral("btnCancel"));
    btnCancel->setText(QStringLiteral("取消[&C]"));
    bottom->addWidget(btnNewGoods);
    bottom->addStretch(1);
    bottom->addWidget(btnOk);
    bottom->addWidget(btnCancel);
    lay->addLayout(bottom);
    resize(1060, 680);

    // Behaviour.
    connect(btnFind, &QPushButton::clicked, this, [this] { WjRunAction([this] { Find(); }); });
    connect(edValue, &QLineEdit::textChanged, this, [this](const QString &t) {
        if (!t.trimmed().isEmpty())
            WjRunAction([this] { Find(); });
    });
    connect(tvType, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *it) { TypeClicked(it); });
    connect(dbgGoods, &TWjDBGrid::RowDoubleClicked, this, [this] { WjRunAction([this] { PickGoods(); }); });
    connect(dbgSelected, &TWjDBGrid::RowDoubleClicked, this, [this] { DeleteLine(); });
    connect(btnTotal, &QPushButton::clicked, this, [this] { CalcTotal(); });
    connect(btnCost, &QPushButton::clicked, this, [this] { CalcCost(); });
    for (int u = 0; u < 3; ++u) {
        for (TWjNumEdit *e : {edNum[u], edPrice[u]})
            connect(e, &QLineEdit::editingFinished, this, [this] { CalcTotal(); });
        connect(edSaPrice[u], &QLineEdit::editingFinished, this, [this, u] { edKdPrice[u]->setText(edSaPrice[u]->text()); });
    }
    for (TWjNumEdit *e : {edKcId, edCost})
        connect(e, &QLineEdit::editingFinished, this, [this] { CalcCost(); });
    connect(chkPc, &QCheckBox::toggled, cbSaPc, &QWidget::setEnabled);
    connect(cbPc->lineEdit(), &QLineEdit::editingFinished, this, [this] { batchLeft(); });
    connect(btnAdd, &QPushButton::clicked, this, [this] { WjRunAction([this] { AddLine(); }); });
    connect(btnDel, &QPushButton::clicked, this, [this] { DeleteLine(); });
    connect(btnNewGoods, &QPushButton::clicked, this, [this] { WjRunAction([this] { NewGoods(); }); });
    connect(btnOk, &QPushButton::clicked, this, [this] {
        m_result = !m_goods->IsEmpty();
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, [this] {
        m_result = false;
        reject();
    });
    // Enter moves on; the window's own keys (Down in the search value, Enter on the goods
    // list) are seen first, since filters installed later run first.
    new TDosMove(this);
    edValue->installEventFilter(this);
    dbgGoods->View()->installEventFilter(this);
    for (QPushButton *b : findChildren<QPushButton *>())
        b->setAutoDefault(false);

    // Opening, in order: input method and value lists, types, search, layouts, lists, page.
    const int level = CurCzy ? CurCzy->CzyLevel : -1;
    if (CurCzy)
        CurCzy->SetMyIme(this);
    SetComboboxItems(this);
    ApplyCharLimits(this);  // limits in whole characters
    m_types->GetTreeData();
    tvType->expandAll();
    m_search->Init(cbSource, cbField, cbOper, edValue, edFrom, edTo, chkFuzzy);
    m_search->SetDataSet(m_goods);
    auto syncRange = [this, to] { to->setVisible(!edFrom->isHidden()); };
    connect(cbField, &QComboBox::currentIndexChanged, this, syncRange);
    if (level <= 2) {
        auto *menu = new QMenu(dbgGoods);
        menu->addAction(QStringLiteral("设置..."), this, [this] { dbgGoods->RunFmtTool(GoodsFmt()); });
        dbgGoods->View()->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(dbgGoods->View(), &QWidget::customContextMenuRequested, menu, [menu](const QPoint &) { menu->popup(QCursor::pos()); });
    }
    m_search->SelectItem(caption);
    syncRange();
    setupSelectedColumns();
    dbgSelected->SetDataSet(m_detail);
    for (const auto &[grid, name] : {std::pair{dbgGoods, GoodsFmt()}, std::pair{dbgSelected, SelectedFmt()}}) {
        try {
            grid->InitFmt(name);
        } catch (const std::exception &) {
            // An unreadable layout: the built-in columns stay.
        }
    }
    CurDBAction->SelectTable(goodsSql, *m_goods);
    pages->setCurrentIndex(m_page);
    pnlInPrice->setVisible(level == 1);
    edValue->setFocus();
}

QString TfrmBxSer_Mui_Tv::GoodsFmt() const
{
    return windowTitle() + QStringLiteral("_查");
}

QString TfrmBxSer_Mui_Tv::SelectedFmt() const
{
    return QStringLiteral("多选_") + m_listName;
}

QString TfrmBxSer_Mui_Tv::lineTable() const
{
    return QLatin1String(kLines[m_kind].table);
}

void TfrmBxSer_Mui_Tv::setupSelectedColumns()
{
    static const QList<QPair<const char *, const char *>> byKind[4] = {
        {{"Xh_Indetail", "序"}, {"GoodsName", "商品名称"}, {"GoodsNo", "商品编码"}, {"Pc", "批次"}, {"TNum", "数量"},
         {"InNum1", "数量1"}, {"InNum2", "数量2"}, {"InNum3", "数量3"}, {"In_Price1", "单价1"}, {"T_Price", "金额"}, {"Posi", "仓位"}},
        {{"Xh_Scdetail", "序"}, {"GoodsName", "商品名称"}, {"GoodsNo", "商品编码"}, {"Pc", "批次"}, {"TNum", "数量"},
         {"ScNum1", "数量1"}, {"ScNum2", "数量2"}, {"ScNum3", "数量3"}, {"Sc_Price1", "单价1"}, {"T_Price", "金额"}, {"Posi", "仓位"}},
        {{"Xh_SaDetail", "序"}, {"GoodsName", "商品名称"}, {"GoodsNo", "商品编码"}, {"TNum", "数量"}, {"SaNum1", "数量1"},
         {"SaNum2", "数量2"}, {"SaNum3", "数量3"}, {"Sa_Price1", "单价1"}, {"Sa_Price1_Kd", "开单价1"}, {"TIn_Price", "成本"}},
        {{"Xh_Thdetail", "序"}, {"GoodsName", "商品名称"}, {"GoodsNo", "商品编码"}, {"Pc", "批次"}, {"TNum", "数量"},
         {"ThNum1", "数量1"}, {"ThNum2", "数量2"}, {"ThNum3", "数量3"}, {"ReMark", "说明"}},
    };
    QList<TWjDBGrid::Column> cols;
    for (const auto &c : byKind[m_kind])
        if (m_detail && m_detail->FieldIndex(QLatin1String(c.first)) >= 0)
            cols << TWjDBGrid::Column{QLatin1String(c.first), QString::fromUtf8(c.second), c.first[0] == 'X' ? 36 : 70};
    dbgSelected->SetColumns(cols);
}

void TfrmBxSer_Mui_Tv::Find()
{
    if (!cbSource->currentText().isEmpty())
        setWindowTitle(cbSource->currentText());
    m_search->ExcuteSearch();
}

void TfrmBxSer_Mui_Tv::TypeClicked(QTreeWidgetItem *item)
{
    if (!item)
        return;
    QStringList keys;
    std::function<void(QTreeWidgetItem *)> collect = [&](QTreeWidgetItem *it) {
        keys << it->data(0, Qt::UserRole).toString();
        for (int i = 0; i < it->childCount(); ++i)
            collect(it->child(i));
    };
    collect(item);
    m_typeKeys = keys.join(QLatin1Char(','));
    m_typeId = item->data(0, Qt::UserRole).toString();
    m_parentType = item->parent() ? item->parent()->data(0, Qt::UserRole).toString() : QStringLiteral("0");
    const QString view = windowTitle() == kPurchasePage ? QStringLiteral("V_Jb_Goods") : QStringLiteral("V_Yw_KcData");
    try {
        CurDBAction->SelectTable(QStringLiteral("select * from %1 where TypeId_Goods in(%2)").arg(view, m_typeKeys), *m_goods);
    } catch (const std::exception &) {
        // The list stays as it was.
    }
}

QStringList TfrmBxSer_Mui_Tv::batchesOfPicked() const
{
    QStringList r;
    const QString key = WjSql::CheckInteger(PickedGoodsId(), QStringLiteral("商品"));
    for (const QString &pc : CurDBAction->GetDbFileValueToItems(QStringLiteral("Yw_KcData"), QStringLiteral("Pc"),
                                                                 QStringLiteral(" where GoodsId_Kc=") + key + QStringLiteral(" group by Pc ")))
        if (!pc.isEmpty())
            r << pc;
    return r;
}

void TfrmBxSer_Mui_Tv::unitsOf(int page)
{
    for (int u = 0; u < 3; ++u)
        lbUnit[page][u]->setText(m_picked.value(QStringLiteral("Unit%1").arg(u + 1)).toString());
}

void TfrmBxSer_Mui_Tv::PickGoods()
{
    if (m_goods->IsEmpty())
        return;
    // The goods stays picked until it is appended, whatever the list shows meanwhile.
    m_picked.clear();
    auto field = [this](const QString &name) { return m_goods->FieldByName(name).AsString(); };
    m_picked.insert(QStringLiteral("Goods_Id"), field(QStringLiteral("Goods_Id")));
    for (int u = 1; u <= 3; ++u)
        m_picked.insert(QStringLiteral("Unit%1").arg(u), field(QStringLiteral("Unit%1").arg(u)).trimmed());
    const QString name = field(QStringLiteral("GoodsName"));
    bool named[3];
    for (int u = 0; u < 3; ++u) {
        named[u] = !m_picked.value(QStringLiteral("Unit%1").arg(u + 1)).toString().isEmpty();
        const QString in = m_goods->FieldByName(QStringLiteral("LastIn_Price%1").arg(u + 1)).AsCurrency().ToString();
        edPrice[u]->setText(in);
        edInPrice[u]->setText(in);
    }
    auto setQuantities = [&](TWjNumEdit *const *q) {
        for (int u = 0; u < 3; ++u) {
            q[u]->setText(u == 0 ? QStringLiteral("1") : QStringLiteral("0"));
            q[u]->setEnabled(u == 0 || named[u]);
        }
    };
    lbName[m_page]->setText(name);
    unitsOf(m_page);
    switch (m_page) {
    case 0:
        cbPc->setFocus();
        cbPc->clear();
        cbPosi->setCurrentText(field(QStringLiteral("Posi")));
        setQuantities(edNum);
        for (int u = 1; u < 3; ++u)
            edPrice[u]->setEnabled(named[u]);
        cbPc->addItems(batchesOfPicked());
        cbPc->setCurrentIndex(-1);
        CalcTotal();
        break;
    case 1: {
        cbSaPc->clear();
        const QString prefix = m_priceMode == QLatin1String("2") ? QStringLiteral("LastPf_Price")
                               : m_priceMode == QLatin1String("3") ? QStringLiteral("LastJg_Price")
                                                                   : QStringLiteral("LastSa_Price");
        for (int u = 0; u < 3; ++u) {
            const QString price = m_goods->FieldByName(prefix + QString::number(u + 1)).AsCurrency().ToString();
            edSaPrice[u]->setText(price);
            edKdPrice[u]->setText(price);
        }
        setQuantities(edSaNum);
        for (int u = 1; u < 3; ++u) {
            edSaPrice[u]->setEnabled(named[u]);
            edKdPrice[u]->setEnabled(named[u]);
        }
        edSaNum[0]->setFocus();
        break;
    }
    default:
        cbThPc->setFocus();
        cbThPc->clear();
        setQuantities(edThNum);
        cbThPc->addItems(batchesOfPicked());
        cbThPc->setCurrentIndex(-1);
        break;
    }
}

void TfrmBxSer_Mui_Tv::CalcTotal()
{
    Currency sum;
    for (int u = 0; u < 3; ++u) {
        Currency q, p;
        if (!readNumber(edNum[u], &q) || !readNumber(edPrice[u], &p))
            return;  // not a number: the total stays
        sum += q.Mul(p);
    }
    edTotal->setText(sum.ToString());
}

void TfrmBxSer_Mui_Tv::CalcCost()
{
    for (int u = 0; u < 3; ++u)
        for (TWjNumEdit *e : {edSaNum[u], edSaPrice[u], edKdPrice[u]})
            if (e->text().trimmed().isEmpty())
                e->setText(QStringLiteral("0"));
    Currency sum;
    for (int u = 0; u < 3; ++u) {
        Currency q, p;
        if (!readNumber(edSaNum[u], &q) || !readNumber(edInPrice[u], &p))
            return;
        sum += q.Mul(p);
    }
    edCost->setText(sum.ToString());
}

void TfrmBxSer_Mui_Tv::batchLeft()
{
    if (m_goods->IsEmpty() || m_picked.isEmpty())
        return;
    try {
        TDBAction &db = *CurDBAction;
        db.GetSerData(QStringLiteral("select Yx_Date from Yw_KcData where GoodsId_Kc=%1 and Pc=%2")
                          .arg(WjSql::CheckInteger(PickedGoodsId()), TDBAction::QuotedStr(cbPc->currentText())));
        if (!db.SerQuery()->IsEmpty()) {
            const QDate d = db.SerQuery()->Fields(0).AsDate();
            if (d.isValid())
                dtYx->setDate(d);
        }
    } catch (const std::exception &) {
        // The expiry date keeps its value.
    }
}

bool TfrmBxSer_Mui_Tv::AddLine()
{
    if (m_picked.isEmpty()) {
        Prompter().Warning(QStringLiteral("请选择商品资料！"));
        return false;
    }
    const LineDef &def = kLines[m_kind];
    QList<QPair<QString, QVariant>> values;
    auto unitCaption = [this](const char *what, int u) {
        return QStringLiteral("%1(%2)").arg(QString::fromUtf8(what), lbUnit[m_page][u]->text().isEmpty()
                                                                        ? QStringLiteral("单位%1").arg(u + 1)
                                                                        : lbUnit[m_page][u]->text());
    };
    auto triple = [&](const QString &column, TWjNumEdit *const *e, const char *what, bool whole) {
        for (int u = 0; u < 3; ++u) {
            const QString c = column.arg(u + 1);
            if (whole)
                values.append({c, QVariant(wholeNumber(e[u], unitCaption(what, u)))});
            else
                values.append({c, QVariant::fromValue(money(e[u], unitCaption(what, u)))});
        }
    };
    const QString goodsId = WjSql::CheckInteger(PickedGoodsId(), QStringLiteral("商品"));
    try {
        switch (m_kind) {
        case Purchase:
        case Production: {
            const bool purchase = m_kind == Purchase;
            if (purchase)
                CalcTotal();
            values.append({QStringLiteral("Pc"), cbPc->currentText()});
            if (purchase)
                values.append({QStringLiteral("Yx_date"), dtYx->date()});
            triple(purchase ? QStringLiteral("InNum%1") : QStringLiteral("ScNum%1"), edNum, "数量", true);
            triple(purchase ? QStringLiteral("In_Price%1") : QStringLiteral("Sc_Price%1"), edPrice, "单价", false);
            values.append({QStringLiteral("T_Price"), QVariant::fromValue(money(edTotal, QStringLiteral("合计金额")))});
            values.append({purchase ? QStringLiteral("GoodsId_In") : QStringLiteral("GoodsId_Sc"), goodsId.toLongLong()});
            values.append({QStringLiteral("Posi"), cbPosi->currentText()});
            break;
        }
        case Sale:
            for (int u = 0; u < 3; ++u)
                money(edInPrice[u], unitCaption("进货价", u));
            CalcCost();
            CalcCost();  // the blank-to-0 step again, before the inputs are read
            triple(QStringLiteral("SaNum%1"), edSaNum, "数量", true);
            triple(QStringLiteral("Sa_Price%1"), edSaPrice, "单价", false);
            triple(QStringLiteral("Sa_Price%1_Kd"), edKdPrice, "开单价", false);
            values.append({QStringLiteral("TIn_Price"), QVariant::fromValue(money(edCost, QStringLiteral("成本")))});
            values.append({QStringLiteral("GoodsId_Sa"), goodsId.toLongLong()});
            break;
        case Return: {
            const QString pc = cbThPc->currentText().trimmed();
            QStringList listed;
            for (int i = 0; i < cbThPc->count(); ++i)
                listed << cbThPc->itemText(i);
            if (pc.isEmpty())
                throw Refusal{cbThPc, QStringLiteral("请选择批次资料！")};
            if (!listed.contains(pc))
                throw Refusal{cbThPc, QStringLiteral("不存在该批次资料！")};
            values.append({QStringLiteral("Pc"), pc});
            triple(QStringLiteral("ThNum%1"), edThNum, "数量", true);
            values.append({QStringLiteral("GoodsId_Th"), goodsId.toLongLong()});
            if (m_detail->FieldIndex(QStringLiteral("ReMark")) >= 0)  // what the operator wrote stays with the line
                values.append({QStringLiteral("ReMark"), edThRemark->text()});
            break;
        }
        }
    } catch (const Refusal &r) {
        Prompter().Warning(r.text);
        if (r.input)
            r.input->setFocus();
        return false;
    }
    // Every column is there before anything is appended: a line is appended whole or not at all.
    values.prepend({QLatin1String(def.serial), qlonglong(m_detail->RecordCount() + 1)});
    values.prepend({QLatin1String(def.head), WjSql::CheckInteger(m_headKey, QStringLiteral("单据")).toLongLong()});
    for (const auto &v : std::as_const(values))
        if (m_detail->FieldIndex(v.first) < 0)
            throw EWjError(QStringLiteral("明细数据中没有字段 %1").arg(v.first));
    const qlonglong key = CurDBAction->GetTbId(QLatin1String(def.table), QLatin1String(def.key)).toLongLong();
    m_detail->Append();
    m_detail->SetValue(QLatin1String(def.key), key);
    for (const auto &v : std::as_const(values))
        m_detail->SetValue(v.first, v.second);
    // A document's line set computes its display columns (name, number, quantity text).
    if (auto *lines = qobject_cast<TADOCachedControl *>(m_detail->parent()); lines && lines->OnCalcFields)
        lines->OnCalcFields(*m_detail);
    lbName[m_page]->clear();
    m_picked.clear();
    if (m_kind == Sale)
        edKcId->setText(QStringLiteral("0"));
    return true;
}

void TfrmBxSer_Mui_Tv::DeleteLine()
{
    if (!m_detail->IsEmpty())
        m_detail->Delete();
}

void TfrmBxSer_Mui_Tv::NewGoods()
{
    TWjBx_Goods goods;
    goods.BxGoodsGl(0);
}

bool TfrmBxSer_Mui_Tv::eventFilter(QObject *o, QEvent *e)
{
    if (e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (o == edValue && k->key() == Qt::Key_Down) {
            dbgGoods->View()->setFocus();
            return true;
        }
        if (o == dbgGoods->View() && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)) {
            WjRunAction([this] { PickGoods(); });
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

bool RunSerGen_Mui(TWjQuery *detail, const QString &serialField, const QString &headKeyField, const QString &headKeyValue,
                   const QString &caption, const QString &listName, const QString &goodsSql, bool flag,
                   const QString &priceMode)
{
    TfrmBxSer_Mui_Tv form(detail, serialField, headKeyField, headKeyValue, caption, listName, goodsSql, flag, priceMode,
                          QApplication::activeWindow());
    form.exec();
    return form.Result();
}
