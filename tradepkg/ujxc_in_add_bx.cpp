#include "ujxc_in_add_bx.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjinputs.h"
#include "wjsqlcontrol.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
// The date that stands for "no expiry date".
const QDate kNoDate(1900, 1, 1);
}

TfrmJxcIn_Add_Bx::TfrmJxcIn_Add_Bx(QWidget *parent) : TfrmJxcLine_Bx(QStringLiteral("GoodsId_In"), QStringLiteral("InNum"), parent)
{
    setObjectName(QStringLiteral("frmJxcIn_Add_Bx"));
    setWindowTitle(QStringLiteral("添加进货资料"));
    QGridLayout *g = Body();

    m_pc = new QComboBox(this);
    m_pc->setObjectName(QStringLiteral("PcW"));
    m_pc->setEditable(true);
    m_pc->lineEdit()->setMaxLength(20);
    m_yx = new QDateEdit(this);
    m_yx->setObjectName(QStringLiteral("Yx_dateW"));
    m_yx->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_yx->setCalendarPopup(true);
    m_yx->setMinimumDate(kNoDate);
    m_yx->setSpecialValueText(QStringLiteral(" "));
    m_yx->setDate(kNoDate);
    int row = NextRow();
    g->addWidget(new QLabel(QStringLiteral("批次"), this), row, 0, Qt::AlignRight);
    g->addWidget(m_pc, row, 1, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("有效期"), this), row, 3, Qt::AlignRight);
    g->addWidget(m_yx, row, 4, 1, 2);
    connect(m_pc->lineEdit(), &QLineEdit::editingFinished, this, &TfrmJxcIn_Add_Bx::BatchLeft);
    connect(m_pc, &QComboBox::activated, this, &TfrmJxcIn_Add_Bx::BatchLeft);

    AddQuantities(QStringLiteral("进货量"));
    for (int u = 0; u < 3; ++u) {
        m_price[u] = new TWjNumEdit(this);
        m_price[u]->setObjectName(QStringLiteral("In_Price%1W").arg(u + 1));
        m_price[u]->setText(QStringLiteral("0"));
        if (u > 0)
            AddUnitInputs(u + 1, m_price[u]);
    }
    QWidget *const prices[3] = {m_price[0], m_price[1], m_price[2]};
    AddTriple(QStringLiteral("进货价"), prices, false);

    m_amount = new TWjNumEdit(this);
    m_amount->setObjectName(QStringLiteral("T_PriceW"));
    auto *calc = new QPushButton(QStringLiteral("合计"), this);
    calc->setObjectName(QStringLiteral("btnCalc"));
    calc->setAutoDefault(false);
    connect(calc, &QPushButton::clicked, this, &TfrmJxcIn_Add_Bx::CalcAmount);
    m_posi = new QComboBox(this);
    m_posi->setObjectName(QStringLiteral("PosiW"));
    m_posi->setEditable(true);
    m_posi->lineEdit()->setMaxLength(10);
    m_posi->setToolTip(QStringLiteral("仓位"));
    row = NextRow();
    g->addWidget(new QLabel(QStringLiteral("合计金额"), this), row, 0, Qt::AlignRight);
    g->addWidget(m_amount, row, 1);
    g->addWidget(calc, row, 2);
    g->addWidget(new QLabel(QStringLiteral("仓位"), this), row, 3, Qt::AlignRight);
    g->addWidget(m_posi, row, 4, 1, 2);

    m_remark = new QPlainTextEdit(this);
    m_remark->setObjectName(QStringLiteral("ReMarkW"));
    m_remark->setFixedHeight(50);
    row = NextRow();
    g->addWidget(new QLabel(QStringLiteral("附加说明"), this), row, 0, Qt::AlignRight | Qt::AlignTop);
    g->addWidget(m_remark, row, 1, 1, 6);
}

bool TfrmJxcIn_Add_Bx::ExpiryBlank() const
{
    return m_yx->date() <= kNoDate;
}

void TfrmJxcIn_Add_Bx::GoodsRead()
{
    const QString id = GoodsId().trimmed();
    const QString text = m_pc->currentText();
    m_pc->clear();
    if (!id.isEmpty())
        m_pc->addItems(CurDBAction->GetDbFileValueToItems(QStringLiteral("Yw_KcData"), QStringLiteral("Pc"),
                                                          QStringLiteral(" where GoodsId_Kc=%1 group by Pc ").arg(WjSql::CheckInteger(id))));
    m_pc->setCurrentText(text);
    CalcAmount();
}

void TfrmJxcIn_Add_Bx::CalcAmount()
{
    // Blank counts as 0; anything else that is not a number leaves the amount as it is.
    auto read = [](const QLineEdit *e, Currency *out) {
        const QString t = e->text().trimmed();
        if (t.isEmpty()) {
            *out = Currency();
            return true;
        }
        return Currency::TryParse(t, out);
    };
    Currency total;
    for (int u = 0; u < 3; ++u) {
        Currency q, p;
        if (!read(Quantity(u + 1), &q) || !read(m_price[u], &p))
            return;
        total += q.Mul(p);
    }
    m_amount->setText(total.ToString());
}

void TfrmJxcIn_Add_Bx::BatchLeft()
{
    const QString id = GoodsId().trimmed();
    const QString pc = m_pc->currentText();
    try {
        const QVariant d = CurDBAction->SelectValue(QStringLiteral("select Yx_Date from Yw_KcData where GoodsId_Kc=%1 and Pc=%2 order by KcData_Id")
                                                        .arg(WjSql::CheckInteger(id), TDBAction::QuotedStr(pc)));
        const QDate date = d.typeId() == QMetaType::QDate ? d.toDate() : QDate::fromString(d.toString().left(10), QStringLiteral("yyyy-MM-dd"));
        if (date.isValid())
            m_yx->setDate(date);
    } catch (const std::exception &) {
        // No date to take: the field keeps its value.
    }
}

bool TfrmJxcIn_Add_Bx::Save()
{
    if (!CheckQuantities({QStringLiteral("数量1"), QStringLiteral("数量2"), QStringLiteral("数量3")}))
        return false;
    TSQLControl check;
    const char *priceCaptions[3] = {"进价11", "进价2", "进价3"};
    for (int u = 0; u < 3; ++u)
        check.AddField(QStringLiteral("In_Price%1").arg(u + 1), m_price[u], TSQLControl::Number, QString::fromUtf8(priceCaptions[u]));
    check.AddField(QStringLiteral("T_Price"), m_amount, TSQLControl::Number, QStringLiteral("合计金额"));
    check.AddField(QStringLiteral("Pc"), m_pc, TSQLControl::Text, QStringLiteral("批次"), 20);
    check.AddField(QStringLiteral("Posi"), m_posi, TSQLControl::Text, QStringLiteral("仓位"), 10);
    check.AddField(QStringLiteral("ReMark"), m_remark, TSQLControl::Text, QStringLiteral("附加说明"), 100);
    if (!check.CheckValue())
        return false;
    if (ExpiryBlank())
        Extra.insert(QStringLiteral("Yx_date"), QVariant());
    else
        Extra.remove(QStringLiteral("Yx_date"));
    return SubmitForm();
}
