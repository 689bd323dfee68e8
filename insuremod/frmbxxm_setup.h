// TfrmBxxm_Setup ("保险项目设置"): the insurance items (tBxSetup) in a grid (承保险别,
// 保险金额(元), 保险费(元); right-click "设置..." edits the grid layout), with
// 添加[&A] and 修改[&E] through TfrmBxxm_Setup_Add, 删除[&D] (at once, without a
// question: policies keep the lines they copied) and 确定[&M] closing the window.
#pragma once
#include <QDialog>

class QPushButton;
class TWjDBGrid;
class TWjQuery;

class TfrmBxxm_Setup : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmBxxm_Setup(QWidget *parent = nullptr);
    TWjQuery *Items() const { return m_items; }
    TWjDBGrid *Grid() const { return m_grid; }

    void Add();
    void Edit();
    void Delete();

private:
    void reread(const QString &key = QString());
    TWjDBGrid *m_grid;
    TWjQuery *m_items;
};

// Shows the item setup window modally.
void RunBxxm_Setup();
