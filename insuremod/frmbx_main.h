// TfrmBx_Main ("保险单"): the policy window, a head-and-lines document window of the
// framework (TWjDocForm, see wjdocform.h) over tBxMain and its covered risks in
// tBxMain_Detail:
//   - head: every column of the policy in a name-bound input, 车辆颜色 in CarColor; the
//     drop-down boxes take typed text and offer the options lists of the same names;
//   - 查[&S] beside 车牌号码: the vehicles whose plate begins with what is typed there
//     (all when it is blank); the vehicle picked fills plate, make and model, type,
//     engine number, identification number and, from its owner, 被保险人;
//   - lines: 添加[&A] and 修改[&E] (also double-click) through TfrmBxxm_Add, 删除[&D],
//     查找[F3] (also the F3 key) picking insurance items, several at once; sequence
//     numbers 1..n follow every change;
//   - totals (BxLogic::CalcTotals): 基准保费 follows the lines' premiums, and with
//     优惠比例 (0..100 %) gives 优惠金额合计 and 合计金额, in exact money shown without
//     trailing zeros; recomputed on every change of the lines or the rate, by 计算, and
//     once more inside the save;
//   - 保存[&S]: the question naming the policy number, the checks, then head and lines
//     in one transaction (nothing stored and the window left open when it fails).
#pragma once
#include "wjdocform.h"

class QAction;
class QPushButton;
class QSpinBox;

class TfrmBx_Main : public TWjDocForm
{
    Q_OBJECT
public:
    explicit TfrmBx_Main(QWidget *parent = nullptr);
    static TWjDocDef Definition();

    void FormShow() override;
    bool FindCar();     // 查[&S]: true when a vehicle was picked
    int PickItems();    // 查找[F3]: the number of lines added
    void CalcTotals();  // 计算

    QPushButton *CarButton() const { return m_car; }
    QAction *FindAction() const { return m_find; }
    QSpinBox *RateBox() const { return m_rate; }

protected:
    TADOCachedForm *CreateLineDialog() override;
    QString SaveQuestion() const override;
    void BeforeSubmit() override { CalcTotals(); }

private:
    QPushButton *m_car;
    QAction *m_find;
    QSpinBox *m_rate;
};
