// TfrmMChild_Bx: the insurance module's list window (navigation item "保险单管理"), a
// declaration on the framework's list window (TWjModuleWindow, wjmodulekit.h):
//   toolbar  添加新保险单 / 修改保险单 (also double-click and Enter in the list) through
//            the policy window TfrmBx_Main; 删除保险单; " 打印 " (the list); 打印保险单
//            (the current policy with its covered risks, layout "保险单"); 保险项目设置;
//            车辆档案 (the vehicle list);
//   search   the search bar over ".\Sys\MainSearch.ini" section "保险单管理", searching
//            again at each keystroke that leaves a value;
//   below    the covered risks of the current policy and, beside them, its remarks (Fjsm);
//   layout   the list's columns saved to ".\Sys\<caption>.fmt" whenever a mouse button is
//            released over the list (an error of that save is ignored).
// Deleting asks first; the policy and its lines then go together in one transaction,
// and the lines only with their policy (a declined delete, or a policy another
// workstation deleted meanwhile, removes nothing).
#pragma once
#include "wjmodulekit.h"

class QPlainTextEdit;

class TfrmMChild_Bx : public TWjModuleWindow
{
    Q_OBJECT
public:
    explicit TfrmMChild_Bx(QWidget *parent = nullptr);
    QPlainTextEdit *RemarkMemo() const { return m_remark; }

    // The toolbar's actions (the buttons run them through the base, which reads the
    // list again afterwards).
    void RunPolicy(int action);  // 0 add, 1 edit
    void DeletePolicy();
    void PrintPolicy();

protected:
    DetailMode DetailModeFor(const QString &) const override { return DetailShown; }
    Detail DetailFor(const QString &) const override;
    void ListOpened() override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void showRemark();
    QPlainTextEdit *m_remark;
};
