#include "frmbxxm_add.h"
#include "wjczy.h"
#include "wjfields.h"
#include "wjinputs.h"
#include "wjsqlcontrol.h"

#include <QComboBox>
#include <QPushButton>
#include <QVBoxLayout>

TfrmBxxm_Add::TfrmBxxm_Add(QWidget *parent) : TADOCachedForm(parent)
{
    setObjectName(QStringLiteral("frmBxxm_Add"));
    setWindowTitle(QStringLiteral("添加保险项目"));
    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("BxTypeW"));
    m_type->setEditable(true);
    m_type->setInsertPolicy(QComboBox::NoInsert);
    m_type->setToolTip(QStringLiteral("承保险别"));
    m_type->setMinimumWidth(220);
    SetTextLimit(m_type, 50);
    m_je = new TWjNumEdit(this, false);
    m_je->setObjectName(QStringLiteral("BxJeW"));
    m_bxf = new TWjNumEdit(this, false);
    m_bxf->setObjectName(QStringLiteral("BxfW"));

    auto *grid = new TWjFieldGrid(1);
    grid->Place(this, QStringLiteral("承保险别"), m_type);
    grid->Place(this, QStringLiteral("保险金额"), m_je);
    grid->Place(this, QStringLiteral("保 险 费"), m_bxf);

    QList<QPushButton *> made;
    auto *buttons = AddButtonRow(this, {{QStringLiteral("保存[&S]"), QStringLiteral("btnSave")},
                                        {QStringLiteral("取消[&C]"), QStringLiteral("btnCancel")}}, &made);
    m_save = made[0];
    connect(m_save, &QPushButton::clicked, this, [this] { Save(); });
    connect(made[1], &QPushButton::clicked, this, [this] { CloseForm(); });

    auto *lay = new QVBoxLayout(this);
    lay->addLayout(grid);
    lay->addLayout(buttons);
    new TDosMove(this);
    SetComboboxItems(this);
    m_type->setCurrentIndex(-1);
    if (CurCzy)
        CurCzy->SetMyIme(this);
}

bool TfrmBxxm_Add::Save()
{
    TSQLControl check;
    check.AddField(QStringLiteral("BxType"), m_type, TSQLControl::Text, QStringLiteral("承保险别"), 50, true);
    check.AddField(QStringLiteral("BxJe"), m_je, TSQLControl::Number, QStringLiteral("保险金额"));
    check.AddField(QStringLiteral("Bxf"), m_bxf, TSQLControl::Number, QStringLiteral("保险费"));
    if (!check.CheckValue())
        return false;
    m_type->setCurrentText(m_type->currentText().trimmed());
    return SubmitForm();
}
