// The document windows of the goods trade (purchase, sales, return, production) and
// the base of their line dialogs.
//
// TfrmJxcDoc_Bx is the framework's head-and-lines document window (TWjDocForm: head,
// partner lookup, cached lines, lock, one-transaction save; see wjdocform.h) with goods
// lines:
//   - display columns GoodsNo, GoodsName, Depart and TNum ("2箱3包") computed from the
//     goods of each line (read once per goods), footers "合计" and the sum of T_Price;
//   - F3 (查找库存): the goods search TWjBx_Goods::ExectSerGen_Mui_Bx appends lines;
//   - edit (also double-click) and delete through the kind's line dialog.
// A TJxcDocDef describes one kind; the subclass adds its own head fields.
#pragma once
#include "tradepkgglobal.h"
#include "wjcached.h"
#include "wjdataentity.h"
#include "wjdocform.h"

#include <QHash>

class QDateEdit;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QAction;
class QTimer;
class TWjDBGrid;
class TWjLookupCombo;
class TWjQuery;

// What tells one document kind's window apart from the others.
struct TJxcDocDef
{
    QString title;                      // "进 货 开 单"
    QString headTable, keyColumn, numberColumn, numberCode, flagColumn, auditedFlag;
    QString dateColumn, dateCaption, numberCaption, makerCaption, remarkColumn;
    QString lineTable, lineKey, lineMaster, lineSerial, lineGoods, lineNum;  // lineNum: "InNum" for InNum1..3
    QString partnerTable, partnerKeyColumn, partnerCaption, phoneCaption;
    QString askSave;                    // the save question
    QString noLines;                    // refusal of a save without lines; empty: allowed
    QString audited;                    // refusal of a save of an audited document
};

class TRADEPKG_EXPORT TfrmJxcDoc_Bx : public TWjDocForm
{
    Q_OBJECT
public:
    // A goods as the lines show it.
    struct Goods {
        QString no, name, depart;
        QString unit[3];
        QString lastIn[3];  // default purchase prices, as stored
        bool found = false;
    };

    explicit TfrmJxcDoc_Bx(const TJxcDocDef &def, QWidget *parent = nullptr);
    const TJxcDocDef &Def() const { return m_def; }

    // Inherited from TWjDocForm: InitShForm, CreateLines, EditLine, DeleteLine, Save,
    // Exit, EditPartner, PartnerPicked, Lines, Grid, Partner, Partners, StateLabel,
    // IsBlinking, IsLocked, LinePanel, SaveButton, ExitButton.
    void FormShow() override;
    bool FindKc();             // F3: the goods search appends lines
    QAction *FindAction() const { return m_find; }

    // The goods of a line (read once per goods and window).
    const Goods &GoodsOf(const QString &goodsId);
    // "2箱3包": the quantity texts of units 1..3 that are neither "0" nor empty, each
    // followed by its unit name.
    static QString QuantityText(const QString num[3], const QString unit[3]);

protected:
    // Inherited: AddHeadField, AddHidden, LineButtons, BottomButtons, CreateLineDialog,
    // BeforeSubmit, LockMore.
    void SetLineColumns(const QList<QPair<QString, QString>> &columns, const QStringList &calcFields);

    // The goods search of F3: arguments of TWjBx_Goods::ExectSerGen_Mui_Bx.
    virtual QString SearchPriceMode() const { return QStringLiteral("1"); }
    virtual QString SearchSql() const = 0;
    virtual QString SearchCaption() const = 0;   // the entry page
    virtual QString SearchListName() const = 0;  // the selected list
    // Display columns beyond the common ones.
    virtual void CalcLine(TWjQuery &line, const Goods &goods) {}
    // The partner editor (TWjBx_JbData::GysGl / ClientGl) over the partner query.
    int RunPartnerEditor(int action) override = 0;

    void CalcLineFields(TWjQuery &line) override;

private:
    void readGoodsOfLines(const QString &head);

    TJxcDocDef m_def;
    QHash<QString, Goods> m_goods;
    QAction *m_find;
};

// Base of the line dialogs: goods number and name, the quantity inputs of units 1..3
// labelled with the goods' unit names (units 2 and 3 enabled only when the goods has
// them), Enter moving on, option lists filled. Subclasses add prices and the rest.
class TRADEPKG_EXPORT TfrmJxcLine_Bx : public TADOCachedForm
{
    Q_OBJECT
public:
    // `goodsColumn`: the line's goods key column; `numColumn`: "InNum" for InNum1..3.
    TfrmJxcLine_Bx(const QString &goodsColumn, const QString &numColumn, QWidget *parent = nullptr);

    QString GoodsId() const;
    QLineEdit *Quantity(int unit) const { return m_num[unit - 1]; }
    QLabel *UnitLabel(int unit) const { return m_unitLabel[unit - 1]; }
    QString UnitName(int unit) const { return m_unit[unit - 1]; }
    QPushButton *SaveButton() const { return m_save; }

    // "保存[&S]".
    virtual bool Save() = 0;

protected:
    void FormInit() override;
    // Called once the goods is read (its units known).
    virtual void GoodsRead() {}
    // Inputs of unit `unit` that follow the unit's presence, beside the quantity.
    void AddUnitInputs(int unit, QWidget *input) { m_unitInputs[unit - 1] << input; }

    // A captioned row of three inputs, one per unit, with the unit names after them.
    void AddTriple(const QString &caption, QWidget *const inputs[3], bool unitLabels);
    void AddQuantities(const QString &caption);
    QGridLayout *Body() const { return m_body; }
    QHBoxLayout *Buttons() const { return m_buttons; }
    int NextRow() { return m_row++; }
    // Whole-number check of the quantities (32-bit); the converted values go with the
    // line. False after a message naming the input.
    bool CheckQuantities(const QStringList &captions);

private:
    QString m_goodsColumn, m_numColumn;
    QLineEdit *m_goodsNo, *m_goodsName;
    QLineEdit *m_num[3];
    QLabel *m_unitLabel[3];
    QString m_unit[3];
    QList<QWidget *> m_unitInputs[3];
    QGridLayout *m_body;
    QHBoxLayout *m_buttons;
    QPushButton *m_save, *m_cancel;
    int m_row = 0;
};
