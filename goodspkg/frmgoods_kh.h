// The partner goods price list ("商品定义"): the goods a client (kind "1") or supplier
// (kind "0") has agreed prices for, with add, edit and delete through
// TfrmGoods_Kh_Add.
#pragma once
#include "goodspkgglobal.h"
#include <QDialog>

class QLabel;
class QPushButton;
class TWjDBGrid;
class TWjQuery;

class GOODSPKG_EXPORT TfrmGoods_Kh : public QDialog
{
    Q_OBJECT
public:
    // `partner`: a row with Client_Id, ClientNo and ClientName.
    TfrmGoods_Kh(const TWjQuery &partner, const QString &kind, QWidget *parent = nullptr);

    // "添加" (0), "修改" (1), "删除" (2); the key of the row saved, "" when nothing was.
    QString RunEditor(int action);

    TWjQuery *List() const { return m_list; }
    TWjDBGrid *Grid() const { return m_grid; }
    QString PartnerKey() const { return m_partnerKey; }
    QString EntityTitle() const;

private:
    QString m_kind;
    QString m_partnerKey;
    TWjQuery *m_list;
    TWjDBGrid *m_grid;
};
