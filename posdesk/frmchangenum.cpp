#include "frmchangenum.h"
#include "posticket.h"
#include "wjapplication.h"
#include "wjdataset.h"
#include "wjinputs.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmChangeNum::TfrmChangeNum(TPosTicket *ticket, QWidget *parent) : QDialog(parent), m_ticket(ticket)
{
    setObjectName(QStringLiteral("frmChangeNum"));
    setWindowTitle(QStringLiteral("修改数量"));
    TWjQuery *lines = ticket->Lines();
    auto *lay = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    lbGoodsName = new QLabel(lines->FieldByName(QStringLiteral("GoodsName")).AsString(), this);
    lbGoodsName->setObjectName(QStringLiteral("lbGoodsName"));
    const QString oldNum = NumberText(lines->FieldByName(QStringLiteral("SaNum")).AsFloat());
    lbOldNum = new QLabel(oldNum, this);
    lbOldNum->setObjectName(QStringLiteral("lbOldNum"));
    edNewNum = new TWjNumEdit(this);
    edNewNum->setText(oldNum);
    edNewNum->setObjectName(QStringLiteral("edNewNum"));
    edNewPrice = new TWjNumEdit(this);
    edNewPrice->setText(lines->FieldByName(QStringLiteral("Sa_Price")).AsCurrency().ToString());
    edNewPrice->setObjectName(QStringLiteral("edNewPrice"));
    form->addRow(QStringLiteral("商品名称："), lbGoodsName);
    form->addRow(QStringLiteral("原 数 量："), lbOldNum);
    form->addRow(QStringLiteral("新 数 量："), edNewNum);
    form->addRow(QStringLiteral("新 金 额："), edNewPrice);
    lay->addLayout(form);
    auto *buttons = new QHBoxLayout;
    btnOk = new QPushButton(QStringLiteral("确定"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnCancel = new QPushButton(QStringLiteral("取消"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    for (QPushButton *b : {btnOk, btnCancel})
        buttons->addWidget(b);  // Enter on a button presses it
    lay->addLayout(buttons);
    setFixedSize(sizeHint());

    // Input order: new quantity, OK, cancel, price.
    setTabOrder(edNewNum, btnOk);
    setTabOrder(btnOk, btnCancel);
    setTabOrder(btnCancel, edNewPrice);
    connect(btnOk, &QPushButton::clicked, this, [this] { WjRunAction([this] { Confirm(); }); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    new TDosMove(this);  // Enter moves to the next input
    edNewNum->selectAll();
    edNewNum->setFocus();
}

bool TfrmChangeNum::Confirm()
{
    if (!m_ticket->EditCurrent(edNewNum->text(), edNewPrice->text())) {
        double v = 0;
        QLineEdit *bad = ReadNumber(edNewNum->text(), &v) ? edNewPrice : edNewNum;
        bad->setFocus();
        bad->selectAll();
        return false;
    }
    accept();
    return true;
}
