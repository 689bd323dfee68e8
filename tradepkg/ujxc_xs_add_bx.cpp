#include "ujxc_xs_add_bx.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjinputs.h"
#include "wjsqlcontrol.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

TfrmJxcAddXszl_Bx::TfrmJxcAddXszl_Bx(QWidget *parent) : TfrmJxcLine_Bx(QStringLiteral("GoodsId_Sa"), QStringLiteral("SaNum"), parent)
{
    setObjectName(QStringLiteral("frmJxcAddXszl_Bx"));
    setWindowTitle(QStringLiteral("添加销售资料"));
    AddQuantities(QStringLiteral("销售量"));
    auto triple = [this](TWjNumEdit **edits, const QString &column, const QString &caption) {
        for (int u = 0; u < 3; ++u) {
            edits[u] = new TWjNumEdit(this);
            edits[u]->setObjectName(column.arg(u + 1));
            edits[u]->setText(QStringLiteral("0"));
            if (u > 0)
                AddUnitInputs(u + 1, edits[u]);
        }
        QWidget *const inputs[3] = {edits[0], edits[1], edits[2]};
        AddTriple(caption, inputs, false);
    };
    triple(m_price, QStringLiteral("Sa_Price%1W"), QStringLiteral("销售价"));
    triple(m_kd, QStringLiteral("Sa_Price%1_KdW"), QStringLiteral("开单价"));

    m_remark = new QPlainTextEdit(this);
    m_remark->setObjectName(QStringLiteral("ReMarkW"));
    m_remark->setFixedHeight(50);
    const int row = NextRow();
    Body()->addWidget(new QLabel(QStringLiteral("附加说明"), this), row, 0, Qt::AlignRight | Qt::AlignTop);
    Body()->addWidget(m_remark, row, 1, 1, 6);

    // Carried with the line, not shown: batch code and cost.
    auto *pc = new QLineEdit(this);
    pc->setObjectName(QStringLiteral("PcW"));
    pc->hide();
    m_cost = new TWjNumEdit(this);
    m_cost->setObjectName(QStringLiteral("TIn_PriceW"));
    m_cost->hide();
}

bool TfrmJxcAddXszl_Bx::Save()
{
    if (!CheckQuantities({QStringLiteral("数量1"), QStringLiteral("数量2"), QStringLiteral("数量3")}))
        return false;
    TSQLControl check;
    for (int u = 0; u < 3; ++u) {
        check.AddField(QStringLiteral("Sa_Price%1").arg(u + 1), m_price[u], TSQLControl::Number, QStringLiteral("销售价%1").arg(u + 1));
        check.AddField(QStringLiteral("Sa_Price%1_Kd").arg(u + 1), m_kd[u], TSQLControl::Number, QStringLiteral("开单价%1").arg(u + 1));
    }
    check.AddField(QStringLiteral("ReMark"), m_remark, TSQLControl::Text, QStringLiteral("附加说明"), 100);
    if (!check.CheckValue())
        return false;
    for (int u = 0; u < 3; ++u) {
        for (QLineEdit *e : {Quantity(u + 1), static_cast<QLineEdit *>(m_price[u]), static_cast<QLineEdit *>(m_kd[u])})
            if (e->text().trimmed().isEmpty())
                e->setText(QStringLiteral("0"));
    }
    // Cost at the goods' default purchase prices; a price that is not a number keeps the cost.
    const QString id = GoodsId().trimmed();
    TWjQuery g;
    CurDBAction->SelectTable(QStringLiteral("select LastIn_Price1,LastIn_Price2,LastIn_Price3 from Jb_Goods where Goods_Id=")
                                 + WjSql::CheckInteger(id),
                             g);
    if (!g.IsEmpty()) {
        Currency cost;
        bool ok = true;
        for (int u = 0; u < 3 && ok; ++u) {
            Currency p;
            ok = Currency::TryParse(g.Fields(u).AsString(), &p);
            cost += p * Extra.value(QStringLiteral("SaNum%1").arg(u + 1)).toLongLong();
        }
        if (ok)
            m_cost->setText(cost.ToString());
    }
    return SubmitForm();
}
