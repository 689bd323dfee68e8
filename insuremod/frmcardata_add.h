// TfrmCarData_Add ("车辆档案"): one vehicle of Jb_CarData, opened through the data
// entity (add, edit) from the vehicle list. 车牌号码 is required and stored trimmed with
// Latin letters in upper case; a plate another vehicle has is refused with
// "对不起，该车牌号码已存在！" (checked and written in one transaction, spoken after it).
#pragma once
#include "wjdataentity.h"

class QPushButton;

class TfrmCarData_Add : public TWjForm_Jb
{
    Q_OBJECT
public:
    explicit TfrmCarData_Add(QWidget *parent = nullptr);
    void FormShow() override;
    QPushButton *SaveButton() const { return m_save; }
    // "保存[&S]": true when stored (the window closes).
    bool Save();

private:
    QPushButton *m_save;
};
