// TWjDocForm: the head-and-lines document window.
//
// A data-entity window (TWjForm_Jb) over a head row whose lines live in a cached line
// set (TADOCachedControl) until the document is saved. A TWjDocDef names the tables and
// columns; the window gives:
//   - head: title label, and where the definition names them: the number (filled by the
//     entity), the maker (the operator's name when new), the date (today when new), a
//     partner lookup with optional new and edit buttons (key, name and phone into the
//     head), hidden key and state flag; further fields by AddHeadField / AddHeadFields;
//   - lines: the grid (first column frozen, line count under the sequence column, other
//     footers by the subclass), display columns per line (CalcLineFields), add (when the
//     definition asks for the button), edit (also double-click) and delete through the
//     line dialog of CreateLineDialog; more line buttons by AddLineButton;
//   - lock: a document whose flag is the definition's lockedFlag opens locked: line
//     buttons, their actions and save disabled, the state label ("已完成") blinking;
//   - save: question, head checks, line check (CheckLines), then ONE transaction that
//     re-reads the head's flag, locked (a document finished or deleted meanwhile by
//     another workstation is refused), runs BeforeSubmit, writes the head and writes
//     the lines. Any refusal or error is spoken only after the transaction is rolled
//     back; nothing is stored then and the window stays open with its lines;
//   - cancel drops every cached change and closes.
//
//   class TfrmVoucher : public TWjDocForm {
//       TfrmVoucher() : TWjDocForm(def()) {
//           AddHeadFields({{.column = "Remark", .caption = "备 注", .length = 60, .span = 3}});
//           SetGridColumns({{"Xh", "序"}, {"Remark", "摘要"}, {"SrJe", "收入"}});
//           Grid()->SetFooter("SrJe", TWjDBGrid::FooterSum);
//       }
//       TADOCachedForm *CreateLineDialog() override { return new TfrmVoucherLine(this); }
//   };
#pragma once
#include "wjcached.h"
#include "wjdataentity.h"
#include "wjguiglobal.h"

class QAction;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class TDBAction;
class TWjDBGrid;
class TWjLookupCombo;
class TWjQuery;

struct TWjDocDef
{
    QString title;                          // the title label ("进 货 开 单")
    QString headTable, keyColumn;
    QString numberColumn, numberCaption, numberCode;  // empty column: no number box
    QString makerColumn = QStringLiteral("Operation"), makerCaption;  // empty caption: no maker
    QString dateColumn, dateCaption;        // empty column: no date
    QString flagColumn;                     // the state flag; empty: no flag, never locked
    QString newFlag = QStringLiteral("1");  // a new document's flag
    QString lockedFlag;                     // the finished state
    QString stateText = QStringLiteral("已完成");

    // The partner lookup; no partner table: none.
    QString partnerTable;
    QString partnerKey = QStringLiteral("Client_Id"), partnerName = QStringLiteral("ClientName"),
            partnerPhone = QStringLiteral("Lxdh");  // columns of the partner table
    QString partnerKeyColumn, partnerNameColumn = QStringLiteral("ClientName"), partnerCaption;  // head columns
    QString phoneColumn = QStringLiteral("Lxdh"), phoneCaption;  // empty caption: no phone
    bool partnerButtons = true;             // new and edit buttons (RunPartnerEditor)
    bool partnerRequired = true;

    QString lineTable, lineKey, lineMaster, lineSerial;
    bool lineAddButton = false;             // "添加[&A]" runs the line dialog on a new line

    QString askSave;                        // the save question; empty: none
    QString noLines;                        // refusal of a save without lines; empty: allowed
    QString lockedMessage = QStringLiteral("对不起，该单据已经完成，不能保存！");  // finished meanwhile
    QString exitCaption = QStringLiteral("取消[&E]");
};

class WJGUI_EXPORT TWjDocForm : public TWjForm_Jb
{
    Q_OBJECT
public:
    explicit TWjDocForm(const TWjDocDef &def, QWidget *parent = nullptr);
    const TWjDocDef &DocDef() const { return m_doc; }

    void FormShow() override;
    void InitShForm();         // locks a finished document
    void CreateLines();        // opens the line set of the head
    bool AddLine();            // the line dialog on a new line
    bool EditLine();           // the line dialog on the current line
    void DeleteLine();
    bool Save();               // "保存[&S]": true when stored (the window closes)
    void Exit();               // discards the cached changes and closes

    // The partner lookup's new (0) and edit (1) buttons, and a pick.
    void EditPartner(int action);
    void PartnerPicked();

    TADOCachedControl *Lines() const { return m_lines; }
    TWjDBGrid *Grid() const { return m_grid; }
    TWjLookupCombo *Partner() const { return m_partner; }  // nullptr without a lookup
    TWjQuery *Partners() const { return m_partners; }
    QLabel *StateLabel() const { return m_state; }
    bool IsBlinking() const;
    bool IsLocked() const { return m_locked; }
    QWidget *LinePanel() const { return m_linePanel; }
    QPushButton *SaveButton() const { return m_save; }
    QPushButton *ExitButton() const { return m_exit; }
    QString HeadKey() const;   // the head's key, "0" when there is none

protected:
    // Head fields: a captioned input in the head grid (three a row), or a table of them.
    QLabel *AddHeadField(const QString &caption, QWidget *input, int span = 1);
    QList<QWidget *> AddHeadFields(const QList<TWjFieldDef> &fields);
    QLineEdit *AddHidden(const QString &column, const QString &text = QString(), int type = -1);
    QHBoxLayout *LineButtons() const { return m_lineButtons; }
    QHBoxLayout *BottomButtons() const { return m_bottom; }
    // A line-panel button for `action` (at `index`, or after the others); the action is
    // disabled when the document is locked.
    QPushButton *AddLineButton(QAction *action, const QString &name, int index = -1);
    // The grid's columns (field, caption) and the display columns computed per line.
    void SetGridColumns(const QList<QPair<QString, QString>> &columns, const QStringList &calcFields = {});

    virtual TADOCachedForm *CreateLineDialog() = 0;
    // Display columns of one line (run for every line shown and after each change).
    virtual void CalcLineFields(TWjQuery &line) {}
    // Before the save transaction: false refuses the save (after saying why). By
    // default the definition's noLines refusal.
    virtual bool CheckLines();
    // Inside the save transaction, before the head is written.
    virtual void BeforeSubmit() {}
    // Locks what the subclass adds.
    virtual void LockMore() {}
    // The partner editor (new 0, edit 1) over Partners(); the partner's key, 0 when none.
    virtual int RunPartnerEditor(int action) { return 0; }

private:
    void fillPartners();
    QString recheck(TDBAction &db) const;

    TWjDocDef m_doc;
    QLabel *m_titleLabel, *m_state;
    QTimer *m_blink;
    TWjFieldGrid *m_head;
    QLineEdit *m_number = nullptr;
    TWjLookupCombo *m_partner = nullptr;
    TWjQuery *m_partners;
    TADOCachedControl *m_lines;
    TWjDBGrid *m_grid;
    QWidget *m_linePanel;
    QHBoxLayout *m_lineButtons, *m_bottom;
    QPushButton *m_save, *m_exit;
    QAction *m_add = nullptr, *m_edit, *m_del, *m_saveAct, *m_exitAct;
    QList<QAction *> m_lockable;
    bool m_locked = false;
};
