// The document-window pattern shared by the purchase, sales, return and production
// windows, and the base of their line dialogs.
//
// TfrmJxcDoc_Bx is a data-entity window over a document head (TWjForm_Jb: name-bound
// inputs, Submit) whose lines live in a cached line set until the document is saved:
//   - head: title label, number (filled by the entity), maker, date, partner lookup with
//     new and edit buttons (key into the partner key column, name into ClientName,
//     phone into Lxdh), remark, hidden key and flag; the subclass adds its own fields;
//   - lines: the grid with frozen first column and footers, display columns GoodsNo,
//     GoodsName, Depart and TNum ("2箱3包") computed from the goods, F3 goods search,
//     edit (also double-click) and delete;
//   - save: question, head check, the subclass's line check, then head and lines in ONE
//     transaction, which first re-reads the document's flag, locked: a document audited
//     meanwhile by another workstation is refused. On any failure nothing is stored, the
//     error is reported and the window stays open with its lines;
//   - cancel discards every cached change; an audited document opens locked, "已完成"
//     blinking.
#pragma once
#include "tradepkgglobal.h"
#include "wjcached.h"
#include "wjdataentity.h"

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

class TRADEPKG_EXPORT TfrmJxcDoc_Bx : public TWjForm_Jb
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

    void FormShow() override;
    void InitShForm();         // locks an audited document
    void CreateLines();        // opens the line set of the head
    bool FindKc();             // F3: the goods search appends lines
    bool EditLine();           // the line dialog on the current line
    void DeleteLine();
    bool Save();               // "保存[&S]": true when stored (the window closes)
    void Exit();               // "取消[&E]": discards the cached changes and closes

    // The partner lookup's new (0) and edit (1) buttons.
    void EditPartner(int action);
    void PartnerPicked();

    TADOCachedControl *Lines() const { return m_lines; }
    TWjDBGrid *Grid() const { return m_grid; }
    TWjLookupCombo *Partner() const { return m_partner; }
    TWjQuery *Partners() const { return m_partners; }
    QLabel *StateLabel() const { return m_state; }
    bool IsBlinking() const;
    bool IsLocked() const { return m_locked; }
    QWidget *LinePanel() const { return m_linePanel; }
    QPushButton *SaveButton() const { return m_save; }
    QPushButton *ExitButton() const { return m_exit; }
    QAction *FindAction() const { return m_find; }

    // The goods of a line (read once per goods and window).
    const Goods &GoodsOf(const QString &goodsId);
    // "2箱3包": the quantity texts of units 1..3 that are neither "0" nor empty, each
    // followed by its unit name.
    static QString QuantityText(const QString num[3], const QString unit[3]);

protected:
    // Head fields: `caption` and the input, in the head grid.
    QLabel *AddHeadField(const QString &caption, QWidget *input, int span = 1);
    QHBoxLayout *LineButtons() const { return m_lineButtons; }
    QHBoxLayout *BottomButtons() const { return m_bottom; }
    void SetLineColumns(const QList<QPair<QString, QString>> &columns, const QStringList &calcFields);

    virtual TADOCachedForm *CreateLineDialog() = 0;
    // The goods search of F3: arguments of TWjBx_Goods::ExectSerGen_Mui_Bx.
    virtual QString SearchPriceMode() const { return QStringLiteral("1"); }
    virtual QString SearchSql() const = 0;
    virtual QString SearchCaption() const = 0;   // the entry page
    virtual QString SearchListName() const = 0;  // the selected list
    // Display columns beyond the common ones.
    virtual void CalcLine(TWjQuery &line, const Goods &goods) {}
    // Inside the save transaction, before the head is written.
    virtual void BeforeSubmit() {}
    // Locks what the subclass adds.
    virtual void LockMore() {}
    // The partner editor (TWjBx_JbData::GysGl / ClientGl) over the partner query.
    virtual int RunPartnerEditor(int action) = 0;

    QLineEdit *AddHidden(const QString &column, const QString &text = QString(), int type = -1);

private:
    void calcFields(TWjQuery &line);
    void readGoodsOfLines(const QString &head);
    void fillPartners();
    QString headKey() const;

    TJxcDocDef m_def;
    QHash<QString, Goods> m_goods;
    QLabel *m_titleLabel, *m_state;
    QTimer *m_blink;
    QGridLayout *m_head;
    int m_headCount = 0;
    QLineEdit *m_number;
    TWjLookupCombo *m_partner;
    TWjQuery *m_partners;
    TADOCachedControl *m_lines;
    TWjDBGrid *m_grid;
    QWidget *m_linePanel;
    QHBoxLayout *m_lineButtons, *m_bottom;
    QPushButton *m_save, *m_exit;
    QAction *m_find, *m_edit, *m_del, *m_saveAct, *m_exitAct;
    bool m_locked = false;
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
