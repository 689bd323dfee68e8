// TfrmCarData ("车辆档案"): the shop's vehicles (Jb_CarData). Typing in 车牌号码 lists
// the vehicles whose plate begins with it (all when blank), at each keystroke;
// 添加[&A], 修改[&E] (also double-click) and 删除[&D] run TfrmCarData_Add through the data
// entity over the list, which then stays on the vehicle saved; 关闭[&C] closes.
#pragma once
#include <QDialog>

class QLineEdit;
class TWjDBGrid;
class TWjQuery;

class TfrmCarData : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmCarData(QWidget *parent = nullptr);
    TWjQuery *Cars() const { return m_cars; }
    TWjDBGrid *Grid() const { return m_grid; }
    QLineEdit *PlateBox() const { return m_plate; }

    void Search();
    // Run actions of the data entity: 0 add, 1 edit, 2 delete.
    void RunEditor(int action);

private:
    QLineEdit *m_plate;
    TWjDBGrid *m_grid;
    TWjQuery *m_cars;
};

// Shows the vehicle list modally.
void RunCarData();
