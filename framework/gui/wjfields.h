// Editing windows laid out from a table of fields.
//
// A window lists its inputs as TWjFieldDef rows; TWjForm_Jb::AddFields creates each input
// under its name-bound object name (<Column>W), its caption and its rule (Rule), and
// places them in a TWjFieldGrid, a few captioned inputs a row:
//
//   const QList<TWjFieldDef> fields{
//       {.column = "ZGBH", .caption = "职工编号：", .kind = TWjFieldDef::Display, .length = 20},
//       {.column = "ZGNAME", .caption = "姓名：", .length = 30, .required = true},
//       {.column = "XB", .caption = "性别：", .kind = TWjFieldDef::Combo, .length = 4, .list = "性别"},
//       {.column = "JBGZ", .caption = "基本工资：", .kind = TWjFieldDef::Number},
//       {.column = "ZG_BZ", .caption = "备   注：", .kind = TWjFieldDef::Memo},
//       {.column = "WORK_ID", .kind = TWjFieldDef::Hidden},
//   };
//   auto *grid = new TWjFieldGrid(2);   // two captioned inputs a row
//   AddFields(grid, fields);
//
// Kinds and what they make:
//   Text      line input; `length` whole characters at most (typing and pasting never
//             keep more, nor half of a character)
//   Number    TWjNumEdit (decimal number, blank is 0)
//   Integer   line input taking a whole number
//   Date      date picker (yyyy-MM-dd), today when new
//   DateText  typed date yyyy-MM-dd; blank stores no date
//   Combo     drop-down that also takes typed text; `list` names its option list in
//             ".\sys\wjoptions.ini" (SetComboboxItems fills it); `length` as Text
//   Memo      several-line text on a row of its own; `length` checked on save
//   Check     check box (stored 1 or 0)
//   Display   read-only line input, greyed (numbers the framework fills, totals)
//   Hidden    hidden whole number (keys, flags), initial `text`
//   HiddenText hidden text, initial `text`
// Messages name a field by `name`, by default its caption without "：" and blanks.
#pragma once
#include "wjguiglobal.h"

#include <QGridLayout>
#include <QString>

class QLabel;
class QLineEdit;

struct TWjFieldDef
{
    enum Kind { Text, Number, Integer, Date, DateText, Combo, Memo, Check, Display, Hidden, HiddenText };
    QString column{};
    QString caption{};    // the label; empty: none
    Kind kind = Text;
    int length = 0;       // characters; 0: no limit
    bool required = false;
    QString list{};       // Combo: the option list
    QString name{};       // the field in messages; empty: from the caption
    int span = 1;         // captioned cells the input takes; 0: the rest of the row
    bool newRow = false;  // starts a new row
    QString text{};       // initial text

    // The name messages use.
    QString MessageName() const;
};

// A grid of captioned inputs, `perRow` (caption, input) pairs a row, filled in order.
class WJGUI_EXPORT TWjFieldGrid : public QGridLayout
{
public:
    explicit TWjFieldGrid(int perRow = 2);
    int PerRow() const { return m_perRow; }
    // Places `input` and its caption (none when empty) in the next free cells, `span`
    // pairs wide (0: the rest of the row), after moving to a new row when `newRow` or
    // when the row has no room. The caption label is returned (nullptr without one).
    QLabel *Place(QWidget *form, const QString &caption, QWidget *input, int span = 1, bool newRow = false,
                  Qt::Alignment captionAlign = Qt::AlignRight | Qt::AlignVCenter);
    void NewRow();

private:
    int m_perRow;
    int m_next = 0;  // the next free pair, counted across rows
};

// Makes an input read-only (or editable again) and look it: greyed background, skipped
// by Tab and Enter, still selectable with the mouse.
WJGUI_EXPORT void SetReadOnlyLook(QWidget *input, bool readOnly = true);

// Limits what a user types or pastes into a line input (or an editable combo's line)
// to `chars` whole characters: a surrogate pair counts once and is never cut in half;
// the overflow is taken off what was just inserted. NUL characters and lone surrogates
// are dropped. Texts set by the program are left as they are (the checks on save
// report them).
WJGUI_EXPORT void SetTextLimit(QWidget *input, int chars);
// The same for every line input of `window` that has no validator and no such limit
// yet: a limit set with setMaxLength (which counts UTF-16 units and keeps half of a
// 4-byte character typed at the limit) becomes a limit in characters. The editing
// windows' bases run it when they are first shown.
WJGUI_EXPORT void ApplyCharLimits(QWidget *window);
