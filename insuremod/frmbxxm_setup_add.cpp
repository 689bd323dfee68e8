#include "frmbxxm_setup_add.h"
#include "bxlogic.h"
#include "wjczy.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjerror.h"
#include "wjinputs.h"
#include "wjprompter.h"

#include <QComboBox>
#include <QPushButton>
#include <QVBoxLayout>

TfrmBxxm_Setup_Add::TfrmBxxm_Setup_Add(const QString &itemId, const QString &action, QWidget *parent)
    : TWjForm_Jb(parent), m_edit(action != QLatin1String("fAdd"))
{
    setObjectName(QStringLiteral("frmBxxm_Setup_Add"));
    setWindowTitle(m_edit ? QStringLiteral("修改保险项目") : QStringLiteral("添加保险项目"));
    TableName = QStringLiteral("tBxSetup");
    KeyField = QStringLiteral("BxSetupId");
    using F = TWjFieldDef;
    auto *grid = new TWjFieldGrid(1);
    m_type = qobject_cast<QComboBox *>(
        AddFields(grid, {
                            {.column = "BxType", .caption = "承保险别", .kind = F::Combo, .length = 50, .required = true,
                             .list = "承保险别"},
                            {.column = "BxJe", .caption = "保险金额", .kind = F::Number},
                            {.column = "Bxf", .caption = "保 险 费", .kind = F::Number, .name = "保险费"},
                            {.column = "BxSetupId", .caption = "编    号", .kind = F::Display, .text = "0"},
                        })
            .value(0));
    QList<QPushButton *> made;
    auto *buttons = AddButtonRow(this, {{QStringLiteral("保存[&S]"), QStringLiteral("btnSave")},
                                        {QStringLiteral("取消[&C]"), QStringLiteral("btnCancel")}}, &made);
    m_save = made[0];
    connect(m_save, &QPushButton::clicked, this, [this] { Save(); });
    connect(made[1], &QPushButton::clicked, this, &QDialog::reject);
    auto *lay = new QVBoxLayout(this);
    lay->addLayout(grid);
    lay->addLayout(buttons);
    new TDosMove(this);
    SetComboboxItems(this);
    m_type->setCurrentIndex(-1);
    if (CurCzy)
        CurCzy->SetMyIme(this);

    if (m_edit) {
        TWjQuery item;
        CurDBAction->SelectTable(QStringLiteral("select * from tBxSetup where BxSetupId=") + WjSql::CheckInteger(itemId), item);
        for (const char *c : {"BxSetupId", "BxType", "BxJe", "Bxf"})
            SetValue(QLatin1String(c), item.IsEmpty() ? QString() : item.FieldByName(QLatin1String(c)).AsString());
    }
}

bool TfrmBxxm_Setup_Add::Save()
{
    if (!CheckInputs())
        return false;
    BxLogic::TBxItem item;
    item.BxSetupId = m_edit ? Value(QStringLiteral("BxSetupId")) : QString();
    item.BxType = Value(QStringLiteral("BxType"));
    Currency::TryParse(Value(QStringLiteral("BxJe")).trimmed().isEmpty() ? QStringLiteral("0") : Value(QStringLiteral("BxJe")), &item.BxJe);
    Currency::TryParse(Value(QStringLiteral("Bxf")).trimmed().isEmpty() ? QStringLiteral("0") : Value(QStringLiteral("Bxf")), &item.Bxf);
    if (m_edit && item.BxSetupId.trimmed().isEmpty()) {
        Prompter().Warning(BxLogic::ItemGone());
        return false;
    }
    QString refusal;
    try {
        refusal = BxLogic::SaveItem(*CurDBAction, item);
    } catch (const std::exception &e) {
        // Rolled back by now.
        ReportError(e);
        return false;
    }
    if (!refusal.isEmpty()) {
        Prompter().Warning(refusal);
        m_type->setFocus();
        return false;
    }
    SetValue(QStringLiteral("BxSetupId"), item.BxSetupId);
    accept();
    return true;
}

bool RunBxxm_Setup_Add(const QString &itemId, const QString &action)
{
    TfrmBxxm_Setup_Add w(itemId, action);
    return w.exec() == QDialog::Accepted;
}
