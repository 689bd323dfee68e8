#include "frmcardata_add.h"
#include "bxlogic.h"
#include "wjczy.h"
#include "wjdataset.h"
#include "wjdbaction.h"
#include "wjinputs.h"
#include "wjprompter.h"

#include <QComboBox>
#include <QPushButton>
#include <QVBoxLayout>

TfrmCarData_Add::TfrmCarData_Add(QWidget *parent) : TWjForm_Jb(parent)
{
    setObjectName(QStringLiteral("frmCarData_Add"));
    TableName = QStringLiteral("Jb_CarData");
    KeyField = QStringLiteral("Wx_CarData_Id");
    using F = TWjFieldDef;
    auto *grid = new TWjFieldGrid(2);
    AddFields(grid, {
                        {.column = "RegiCode", .caption = "车牌号码：", .length = 20, .required = true},
                        {.column = "MasterName", .caption = "车    主：", .length = 50},
                        {.column = "Factry", .caption = "厂牌型号：", .kind = F::Combo, .length = 50, .list = "厂牌型号"},
                        {.column = "Car_Model", .caption = "车辆类型：", .kind = F::Combo, .length = 50, .list = "车辆类型"},
                        {.column = "BoxNo", .caption = "发动机号：", .length = 50},
                        {.column = "ChaFactNo", .caption = "识 别 码：", .length = 50},
                        {.column = "Wx_CarData_Id", .kind = F::Hidden},
                    });
    for (QWidget *input : BoundInputs())
        input->setMinimumWidth(180);
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
    for (QComboBox *cb : findChildren<QComboBox *>())
        cb->setCurrentIndex(-1);
}

void TfrmCarData_Add::FormShow()
{
    setWindowTitle(QStringLiteral("车辆档案"));
    if (CurCzy)
        CurCzy->SetMyIme(this);
}

bool TfrmCarData_Add::Save()
{
    const QString plate = BxLogic::NormalizePlate(Value(QStringLiteral("RegiCode")));
    SetValue(QStringLiteral("RegiCode"), plate);
    if (!CheckInputs())
        return false;
    Entity()->DisplayName = plate;
    TDBAction &db = *CurDBAction;
    QString refusal;
    try {
        TWjTransaction tr(db);
        if (!IsAdd() && db.SelectValue(QStringLiteral("select count(*) from Jb_CarData where Wx_CarData_Id=")
                                       + WjSql::CheckInteger(Entity()->KeyValue)).toInt() == 0)
            refusal = QStringLiteral("该车辆已被删除，不能保存！");
        else if (BxLogic::PlateTaken(db, plate, Entity()->KeyValue))
            refusal = BxLogic::PlateExists();
        if (refusal.isEmpty()) {
            WriteRow();
            tr.Commit();
        }
    } catch (const std::exception &e) {
        // Rolled back by now.
        ReportError(e);
        return false;
    }
    if (!refusal.isEmpty()) {
        Prompter().Warning(refusal);
        if (QWidget *w = Input(QStringLiteral("RegiCode")))
            w->setFocus();
        return false;
    }
    accept();
    return true;
}
