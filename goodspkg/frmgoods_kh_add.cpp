#include "frmgoods_kh_add.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjinputs.h"
#include "wjprompter.h"
#include "wjsearch.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
QString col(const char *name, int unit) { return QString::fromLatin1(name).arg(unit); }
// A column of the picked row; the server database gives column names in lower case.
QVariant pickedValue(const QVariantMap &row, const QString &column)
{
    for (auto it = row.begin(); it != row.end(); ++it)
        if (it.key().compare(column, Qt::CaseInsensitive) == 0)
            return it.value();
    return {};
}
} // namespace

TfrmGoods_Kh_Add::TfrmGoods_Kh_Add(QWidget *parent) : TWjForm_Jb(parent)
{
    setObjectName(QStringLiteral("frmGoods_Kh_Add"));
    TableName = QStringLiteral("Jb_Goods_Kh");
    KeyField = QStringLiteral("Jb_Goods_Kh_Id");

    auto *grid = new QGridLayout;
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("edName_No"));
    m_name->setReadOnly(true);
    m_query = new QPushButton(QStringLiteral("查询"), this);
    m_query->setObjectName(QStringLiteral("btnQuery"));
    m_query->setAutoDefault(false);
    grid->addWidget(new QLabel(QStringLiteral("商品资料："), this), 0, 0, Qt::AlignRight);
    grid->addWidget(m_name, 0, 1, 1, 3);
    grid->addWidget(m_query, 0, 4);
    grid->addWidget(new QLabel(QStringLiteral("默认售价："), this), 1, 0, Qt::AlignRight);
    grid->addWidget(new QLabel(QStringLiteral("开单价："), this), 2, 0, Qt::AlignRight);
    for (int u = 1; u <= 3; ++u) {
        auto *p = new TWjNumEdit(this);
        p->setObjectName(col("dPrice%1W", u));
        p->setText(QStringLiteral("0"));
        auto *k = new TWjNumEdit(this);
        k->setObjectName(col("dPrice%1_KdW", u));
        k->setText(QStringLiteral("0"));
        // The goods' unit names, beside the prices (not columns of the row).
        auto *unit = new QLabel(this);
        unit->setObjectName(col("lbUnit%1", u));
        m_price[u - 1] = p;
        m_kd[u - 1] = k;
        m_unit[u - 1] = unit;
        Rule(col("dPrice%1", u), QStringLiteral("默认售价%1").arg(u));
        Rule(col("dPrice%1_Kd", u), QStringLiteral("开单价%1").arg(u));
        auto *cell = new QHBoxLayout;
        cell->addWidget(p);
        cell->addWidget(unit);
        grid->addLayout(cell, 1, u);
        grid->addWidget(k, 2, u);
        connect(p, &QLineEdit::editingFinished, this, [this, u] { copyPrice(u); });
    }
    for (const char *hidden : {"Jb_Goods_Kh_IdW", "GoodsId_KhW", "ObjTypeW", "ObjIdW"}) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(hidden));
        e->hide();
        Rule(QLatin1String(hidden).chopped(1), QLatin1String(hidden).chopped(1), 0, false, TSQLControl::Integer);
    }
    Rule(QStringLiteral("GoodsId_Kh"), QStringLiteral("商品资料"), 0, true, TSQLControl::Integer);

    QList<QPushButton *> made;
    auto *buttons = AddButtonRow(this, {{QStringLiteral("保存[&S]"), QStringLiteral("btnSave")},
                                        {QStringLiteral("取消[&C]"), QStringLiteral("btnCancel")}}, &made);
    m_save = made[0];
    m_cancel = made[1];
    connect(m_query, &QPushButton::clicked, this, [this] { PickGoods(); });
    connect(m_save, &QPushButton::clicked, this, [this] { Save(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *lay = new QVBoxLayout(this);
    lay->addLayout(grid);
    lay->addLayout(buttons);
    new TDosMove(this);
}

void TfrmGoods_Kh_Add::FormShow()
{
    m_shownGoods = Value(QStringLiteral("GoodsId_Kh"));
    SetValue(QStringLiteral("ObjType"), windowTitle() == QStringLiteral("客户商品定义") ? QStringLiteral("1") : QStringLiteral("0"));
    SetValue(KeyField, Entity()->KeyValue);
    if (IsAdd()) {
        SetValue(QStringLiteral("ObjId"), Entity()->InitValue);
        return;
    }
    // The goods shown, with its units (which price inputs apply).
    TWjQuery g;
    CurDBAction->SelectTable(QStringLiteral("select Name_No,Unit1,Unit2,Unit3 from V_Jb_Goods where Goods_Id=")
                                 + WjSql::CheckInteger(m_shownGoods),
                             g);
    if (g.IsEmpty())
        return;
    m_name->setText(g.FieldByName(QStringLiteral("Name_No")).AsString());
    for (int u = 1; u <= 3; ++u) {
        const QString unit = g.FieldByName(col("Unit%1", u)).AsString().trimmed();
        m_unit[u - 1]->setText(unit);
        m_price[u - 1]->setEnabled(u == 1 || !unit.isEmpty());
    }
}

void TfrmGoods_Kh_Add::copyPrice(int unit)
{
    m_kd[unit - 1]->setText(m_price[unit - 1]->text());
}

bool TfrmGoods_Kh_Add::PickGoods()
{
    for (TWjNumEdit *p : m_price)
        p->setText(QStringLiteral("0"));
    TWjSerGen ser(QStringLiteral("商品属性"), QStringLiteral("select * from V_Jb_Goods"),
                  {QStringLiteral("GoodsName"), QStringLiteral("GoodsNo"), QStringLiteral("PyNo")},
                  {{QStringLiteral("GoodsNo"), QStringLiteral("商品编码")}, {QStringLiteral("GoodsName"), QStringLiteral("商品名称")},
                   {QStringLiteral("Depart"), QStringLiteral("规格")}, {QStringLiteral("Unit1"), QStringLiteral("单位")}},
                  this);
    const bool picked = ser.Execute();
    if (picked) {
        const QVariantMap &v = ser.Values;
        m_name->setText(pickedValue(v, QStringLiteral("Name_No")).toString());
        SetValue(QStringLiteral("GoodsId_Kh"), pickedValue(v, QStringLiteral("Goods_Id")).toString());
        for (int u = 1; u <= 3; ++u) {
            const QString unit = pickedValue(v, col("Unit%1", u)).toString().trimmed();
            m_unit[u - 1]->setText(unit);
            const bool defined = u == 1 || !unit.isEmpty();
            m_price[u - 1]->setEnabled(defined);
            if (defined)
                m_price[u - 1]->setText(Currency::FromVariant(pickedValue(v, col("LastSa_Price%1", u))).ToString());
        }
    }
    for (int u = 1; u <= 3; ++u)
        copyPrice(u);
    return picked;
}

bool TfrmGoods_Kh_Add::Save()
{
    const QString goods = Value(QStringLiteral("GoodsId_Kh")).trimmed();
    if (goods.isEmpty()) {
        Prompter().Warning(QStringLiteral("请选择商品资料！"));
        m_query->setFocus();
        return false;
    }
    if (IsAdd() || goods != m_shownGoods) {
        TWjQuery dup;
        CurDBAction->SelectTable(QStringLiteral("select * from Jb_Goods_Kh where ObjType=%1 and ObjId=%2 and GoodsId_Kh=%3")
                                     .arg(WjSql::CheckInteger(Value(QStringLiteral("ObjType"))),
                                          WjSql::CheckInteger(Value(QStringLiteral("ObjId"))), WjSql::CheckInteger(goods)),
                                 dup);
        if (!dup.IsEmpty()) {
            Prompter().Warning(QStringLiteral("该客户已经定义了该商品资料！"));
            return false;
        }
    }
    Entity()->DisplayName = goods;
    if (!Submit())
        return false;
    accept();
    return true;
}
