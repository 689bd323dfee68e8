#include "frm_goods_bx.h"
#include "wjapplication.h"
#include "wjbx_goodtype.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjerror.h"
#include "wjfields.h"
#include "wjinputs.h"
#include "wjpinyin.h"
#include "wjprompter.h"
#include "wjservices.h"
#include "wjtext.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const char *const kPriceColumns[4] = {"LastIn_Price", "LastSa_Price", "LastPf_Price", "LastJg_Price"};
const char *const kPriceCaptions[4] = {"进价(默认)：", "售价：", "批发价：", "折扣："};
const char *const kPriceRules[4] = {"进价", "售价", "批发价", "折扣"};

template <typename T> T *named(QWidget *parent, const QString &name)
{
    auto *w = new T(parent);
    w->setObjectName(name);
    return w;
}

QSpinBox *spin(QWidget *parent, const QString &name)
{
    auto *s = named<QSpinBox>(parent, name);
    s->setRange(0, 100000);
    s->setValue(0);
    return s;
}

QComboBox *listBox(QWidget *parent, const QString &name, const QString &list, int length)
{
    auto *c = named<QComboBox>(parent, name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setToolTip(list);  // the value list it offers
    SetTextLimit(c->lineEdit(), length);
    return c;
}

QLineEdit *hidden(QWidget *parent, const QString &name)
{
    auto *e = named<QLineEdit>(parent, name);
    e->hide();
    return e;
}
} // namespace

TfrmGoods_Bx::TfrmGoods_Bx(QWidget *parent) : TWjForm_Jb(parent), m_types(new TWjBx_GoodType(this))
{
    setObjectName(QStringLiteral("frmGoods_Bx"));
    TableName = QStringLiteral("Jb_Goods");
    KeyField = QStringLiteral("Goods_Id");

    setMinimumWidth(640);
    auto *lay = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    lay->addLayout(grid);
    int row = 0;
    auto label = [this](const QString &t) { return new QLabel(t, this); };

    cbType = named<TWjTreeCombo>(this, QStringLiteral("cbType"));
    m_types->WjTvTmp = cbType->Tree();
    edTypeId = hidden(this, QStringLiteral("TypeId_GoodsW"));
    edGoodsNo = named<QLineEdit>(this, QStringLiteral("GoodsNoW"));
    SetReadOnlyLook(edGoodsNo);  // made from the goods type
    edGoodsNo->setPlaceholderText(QStringLiteral("选择商品类型后自动生成"));
    grid->addWidget(label(QStringLiteral("商品类型：")), row, 0);
    grid->addWidget(cbType, row, 1);
    grid->addWidget(label(QStringLiteral("自 编 码：")), row, 2);
    grid->addWidget(edGoodsNo, row, 3);
    ++row;
    edGoodsName = named<QLineEdit>(this, QStringLiteral("GoodsNameW"));
    SetTextLimit(edGoodsName, 50);
    cbDepart = listBox(this, QStringLiteral("DepartW"), QStringLiteral("商品规格"), 50);
    grid->addWidget(label(QStringLiteral("商品名称：")), row, 0);
    grid->addWidget(edGoodsName, row, 1);
    grid->addWidget(label(QStringLiteral("商品规格：")), row, 2);
    grid->addWidget(cbDepart, row, 3);
    ++row;
    spTop = spin(this, QStringLiteral("Top_NumW"));
    spBot = spin(this, QStringLiteral("Bot_NumW"));
    grid->addWidget(label(QStringLiteral("最高库存量：")), row, 0);
    grid->addWidget(spTop, row, 1);
    grid->addWidget(label(QStringLiteral("最低库存量：")), row, 2);
    grid->addWidget(spBot, row, 3);
    ++row;
    cbPosi = listBox(this, QStringLiteral("PosiW"), QStringLiteral("仓位"), 20);
    spTipsDay = spin(this, QStringLiteral("TipsDay_NumW"));
    grid->addWidget(label(QStringLiteral("默认仓位：")), row, 0);
    grid->addWidget(cbPosi, row, 1);
    grid->addWidget(label(QStringLiteral("过期前提示天数：")), row, 2);
    grid->addWidget(spTipsDay, row, 3);
    ++row;

    // Units, factors and the four price triples: one column per unit.
    auto *units = new QGroupBox(QStringLiteral(" 计量单位与价格 "), this);
    auto *ug = new QGridLayout(units);
    spNum1_2 = spin(units, QStringLiteral("uNum1_2W"));
    spNum2_3 = spin(units, QStringLiteral("uNum2_3W"));
    for (int u = 0; u < 3; ++u) {
        cbUnit[u] = listBox(units, QStringLiteral("Unit%1W").arg(u + 1), QStringLiteral("计量单位"), 10);
        ug->addWidget(new QLabel(QStringLiteral("单位%1名称：").arg(u + 1), units), 0, 2 * u);
        ug->addWidget(cbUnit[u], 0, 2 * u + 1);
    }
    ug->addWidget(new QLabel(QStringLiteral("等于单位2数量："), units), 1, 0);
    ug->addWidget(spNum1_2, 1, 1);
    ug->addWidget(new QLabel(QStringLiteral("等于单位3数量："), units), 1, 2);
    ug->addWidget(spNum2_3, 1, 3);
    TWjNumEdit **prices[4] = {edInPrice, edSaPrice, edPfPrice, edJgPrice};
    for (int p = 0; p < 4; ++p) {
        for (int u = 0; u < 3; ++u) {
            const QString column = QLatin1String(kPriceColumns[p]) + QString::number(u + 1);
            auto *e = named<TWjNumEdit>(units, column + QLatin1Char('W'));
            e->setText(QStringLiteral("0"));
            prices[p][u] = e;
            ug->addWidget(new QLabel(QString::fromUtf8(kPriceCaptions[p]), units), 2 + p, 2 * u);
            ug->addWidget(e, 2 + p, 2 * u + 1);
            Rule(column, QStringLiteral("单位%1%2").arg(u + 1).arg(QString::fromUtf8(kPriceRules[p])));
        }
    }
    for (int u = 0; u < 3; ++u)
        ug->setColumnStretch(2 * u + 1, 1);
    lay->addWidget(units);

    auto *codes = new QGroupBox(QStringLiteral(" 条形码定义 "), this);
    auto *cg = new QGridLayout(codes);
    for (int u = 0; u < 3; ++u) {
        edTxm[u] = named<QLineEdit>(codes, QStringLiteral("edTxm%1").arg(u + 1));
        SetTextLimit(edTxm[u], 50);
        cg->addWidget(new QLabel(QStringLiteral("单位%1条码：").arg(u + 1), codes), 0, 2 * u);
        cg->addWidget(edTxm[u], 0, 2 * u + 1);
    }
    for (int u = 0; u < 3; ++u)
        cg->setColumnStretch(2 * u + 1, 1);
    lay->addWidget(codes);

    auto *remark = new QHBoxLayout;
    mmRemark = named<QPlainTextEdit>(this, QStringLiteral("Remark_GoodsW"));
    mmRemark->setFixedHeight(54);
    remark->addWidget(label(QStringLiteral("附加说明：")));
    remark->addWidget(mmRemark, 1);
    lay->addLayout(remark);

    hidden(this, QStringLiteral("Goods_IdW"));
    hidden(this, QStringLiteral("PyNoW"));
    hidden(this, QStringLiteral("TxNoW"));

    auto *buttons = new QHBoxLayout;
    btnSave = named<QPushButton>(this, QStringLiteral("btnSave"));
    btnSave->setText(QStringLiteral("保存[&S]"));
    btnCancel = named<QPushButton>(this, QStringLiteral("btnCancel"));
    btnCancel->setText(QStringLiteral("取消[&E]"));
    buttons->addStretch(1);
    buttons->addWidget(btnSave);
    buttons->addWidget(btnCancel);
    lay->addLayout(buttons);
    for (QPushButton *b : findChildren<QPushButton *>())
        b->setAutoDefault(false);

    Rule(QStringLiteral("Goods_Id"), QStringLiteral("商品"), 0, false, TSQLControl::Integer);
    Rule(QStringLiteral("TypeId_Goods"), QStringLiteral("商品类型"), 0, false, TSQLControl::Integer);
    Rule(QStringLiteral("GoodsNo"), QStringLiteral("自编码"), 20, true);
    Rule(QStringLiteral("GoodsName"), QStringLiteral("商品名称"), 50, true);
    Rule(QStringLiteral("Depart"), QStringLiteral("商品规格"), 50);
    Rule(QStringLiteral("Posi"), QStringLiteral("默认仓位"), 20);
    Rule(QStringLiteral("Unit1"), QStringLiteral("单位1"), 10, true);
    Rule(QStringLiteral("Unit2"), QStringLiteral("单位2"), 10);
    Rule(QStringLiteral("Unit3"), QStringLiteral("单位3"), 10);
    Rule(QStringLiteral("PyNo"), QStringLiteral("拼音码"), 20);
    Rule(QStringLiteral("TxNo"), QStringLiteral("条码"), 20);

    connect(cbType, &TWjTreeCombo::TreeClicked, this, [this] { TypePicked(); });
    connect(btnSave, &QPushButton::clicked, this, [this] { WjRunAction([this] { Save(); }); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    new TDosMove(this);
    SetComboboxItems(this);
}

void TfrmGoods_Bx::FormShow()
{
    TDBAction &db = *CurDBAction;
    const QString goodsId = Entity() ? Entity()->KeyValue : Value(KeyField);
    SetValue(KeyField, goodsId);
    m_types->GetTreeData();
    if (!IsAdd()) {
        const QString type = WjSql::CheckInteger(Value(QStringLiteral("TypeId_Goods")), QStringLiteral("商品类型"));
        db.GetSerData(QStringLiteral("select TypeName from Jb_GoodsType where MeId=") + type);
        cbType->clear();
        if (!db.SerQuery()->IsEmpty())
            cbType->addItem(db.SerQuery()->FieldByName(QStringLiteral("TypeName")).AsString(), type);
        const QString key = WjSql::CheckInteger(goodsId, QStringLiteral("商品"));
        for (int u = 0; u < 3; ++u) {
            db.GetSerData(QStringLiteral("select Txm from Jb_Goods_Tm where GoodsId=%1 and Unit_Flag=%2").arg(key).arg(u + 1));
            edTxm[u]->setText(db.SerQuery()->IsEmpty() ? QString() : db.SerQuery()->FieldByName(QStringLiteral("Txm")).AsString());
        }
    } else {
        TWjPuFlag param;
        bool ok = false;
        const int days = param.ReadValue(QStringLiteral("参数设置内容"), QStringLiteral("默认提前提醒天数")).trimmed().toInt(&ok);
        spTipsDay->setValue(ok ? days : 10);
    }
    m_initialType = Value(QStringLiteral("TypeId_Goods"));
    m_initialNo = Value(QStringLiteral("GoodsNo"));
}

void TfrmGoods_Bx::TypePicked()
{
    const QString type = m_types->GetTvId();
    SetValue(QStringLiteral("TypeId_Goods"), type);
    edGoodsNo->setText(type != m_initialType ? m_types->DoOfGoodsNo(QStringLiteral("0"), type) : m_initialNo);
}

bool TfrmGoods_Bx::CheckJldwSetup()
{
    const QString u1 = cbUnit[0]->currentText().trimmed();
    const QString u2 = cbUnit[1]->currentText().trimmed();
    const QString u3 = cbUnit[2]->currentText().trimmed();
    auto refuse = [](const char *text) {
        Prompter().Warning(QString::fromUtf8(text));
        return false;
    };
    if (!u2.isEmpty()) {
        if (u1 == u2)
            return refuse("单位1与单位2名称不能相同！");
        if (spNum1_2->value() <= 0)
            return refuse("请正确设置<等于单位2数量>的值！");
    }
    if (u3.isEmpty())
        return true;
    if (u2.isEmpty())
        return refuse("单位名称2不能为空！");
    if (u3 == u1 || u3 == u2)
        return refuse("单位名称不能相同！");
    if (spNum2_3->value() <= 0)
        return refuse("请正确设置<等于单位3数量>的值！");
    return true;
}

QString TfrmGoods_Bx::barcodeConflict(int *unit)
{
    TDBAction &db = *CurDBAction;
    const QString key = WjSql::CheckInteger(Value(KeyField), QStringLiteral("商品"));
    for (int u = 0; u < 3; ++u) {
        const QString code = edTxm[u]->text();
        if (code.isEmpty())
            continue;
        *unit = u;
        // One scan names one goods and one unit of it.
        for (int v = 0; v < u; ++v)
            if (edTxm[v]->text() == code)
                return QStringLiteral("单位%1条码与单位%2条码相同，一个条码只能对应一个单位！").arg(v + 1).arg(u + 1);
        db.GetSerData(QStringLiteral("select g.GoodsName, g.GoodsNo from Jb_Goods_Tm t left join Jb_Goods g on g.Goods_Id=t.GoodsId "
                                     "where t.Txm=%1 and t.GoodsId<>%2")
                          .arg(TDBAction::QuotedStr(code), key));
        if (!db.SerQuery()->IsEmpty()) {
            const QString other = db.SerQuery()->FieldByName(QStringLiteral("GoodsName")).AsString();
            const QString no = db.SerQuery()->FieldByName(QStringLiteral("GoodsNo")).AsString();
            return QStringLiteral("单位%1条码“%2”已被商品“%3”%4使用，一个条码只能对应一个商品！")
                .arg(u + 1)
                .arg(code, other, no.isEmpty() ? QString() : QStringLiteral("（%1）").arg(no));
        }
    }
    return {};
}

int TfrmGoods_Bx::writeBarcodes(const QString &goodsId)
{
    TDBAction &db = *CurDBAction;
    db.ExecuteSQL(QStringLiteral("delete from Jb_Goods_Tm where GoodsId=") + goodsId);
    for (int u = 0; u < 3; ++u) {
        const QString code = edTxm[u]->text();
        if (code.isEmpty())
            continue;
        const QString id = db.GetTbId(QStringLiteral("Jb_Goods_Tm"), QStringLiteral("GoodsTxId"));
        try {
            db.ExecuteSQL(QStringLiteral("insert into Jb_Goods_Tm(GoodsTxId,GoodsId,Txm,Unit_Flag) values(%1,%2,%3,%4)")
                              .arg(id, goodsId, TDBAction::QuotedStr(code))
                              .arg(u + 1));
        } catch (const EWjDbError &e) {
            if (!db.IsUniqueViolation(e))
                throw;
            return u;  // the unique index: another goods has it after all
        }
    }
    return -1;
}

bool TfrmGoods_Bx::Save()
{
    // Without a type there is no number yet: the type is what is missing.
    const QString type = Value(QStringLiteral("TypeId_Goods")).trimmed();
    if (type.isEmpty() || type == QLatin1String("0")) {
        Prompter().Warning(QStringLiteral("请选择商品类型"));
        cbType->setFocus();
        return false;
    }
    if (!CheckInputs())
        return false;
    if (!CheckJldwSetup())
        return false;
    for (TWjNumEdit **prices : {edInPrice, edSaPrice, edPfPrice, edJgPrice})
        for (int u = 0; u < 3; ++u)
            if (prices[u]->text().trimmed().isEmpty())
                prices[u]->setText(QStringLiteral("0"));
    for (int u = 0; u < 3; ++u) {
        if (cbUnit[u]->currentText().trimmed().isEmpty())
            edTxm[u]->clear();
        edTxm[u]->setText(edTxm[u]->text().trimmed());  // a code with spaces would never match a scan
    }
    const QString name = edGoodsName->text().trimmed();
    SetValue(QStringLiteral("PyNo"), WjText::LeftChars(GetPYText(name), 20));
    if (Entity())
        Entity()->DisplayName = name;

    // The row, its number and its barcodes stand or fall together; the barcodes are
    // checked inside, so another workstation cannot store one of them in between.
    TDBAction &db = *CurDBAction;
    QString refusal;
    int unit = 0;
    {
        TWjTransaction tr(db);
        const QString lock = db.Dialect().LockTableSql(QStringLiteral("Jb_Goods_Tm"));
        if (!lock.isEmpty())
            db.ExecuteSQL(lock);
        refusal = barcodeConflict(&unit);
        if (refusal.isEmpty()) {
            if (!Submit())
                return false;
            if (type != m_initialType)
                m_types->DoOfGoodsNo(QStringLiteral("1"), type);
            else
                edGoodsNo->setText(m_initialNo);
            const int lost = writeBarcodes(WjSql::CheckInteger(Value(KeyField), QStringLiteral("商品")));
            if (lost < 0) {
                tr.Commit();
                accept();
                return true;
            }
            unit = lost;
            refusal = QStringLiteral("单位%1条码“%2”已被其他商品使用，一个条码只能对应一个商品！").arg(lost + 1).arg(edTxm[lost]->text());
        }
    }
    // Rolled back: nothing is stored, and only now is anything shown.
    if (type != m_initialType)
        edGoodsNo->setText(m_types->DoOfGoodsNo(QStringLiteral("0"), type));
    Prompter().Warning(refusal);
    edTxm[unit]->setFocus();
    return false;
}
