// TWjOutlookBar: the navigation bar. Headers open their group (one open at a time);
// a group shows its items as large buttons with an icon above the caption.
//
// InitOutLook builds the bar from the navigation file:
//   [导航栏]        Header1..HeaderN   captions of the headers, in order
//   [分组:<header>] Item1..ItemN       captions of the header's items, in order
//   [<item>]        ICON               icon file, under sys\icons (svg or png)
// Clicking an item emits ItemClicked(header index, item caption).
#pragma once
#include "wjguiglobal.h"

#include <QColor>
#include <QStringList>
#include <QWidget>

class QToolBox;
class QToolButton;

class WJGUI_EXPORT TWjOutlookBar : public QWidget
{
    Q_OBJECT
public:
    explicit TWjOutlookBar(QWidget *parent = nullptr);

    // Rebuilds the bar from the file; icons are looked up in `iconDir`.
    void InitOutLook(const QString &navIniPath, const QString &iconDir);
    // What keeps the navigation file from giving a bar ("" when nothing does): missing,
    // unreadable, or without any navigation item. One sentence for the user.
    static QString NavFileProblem(const QString &navIniPath);
    int HeaderCount() const;
    QString HeaderCaption(int index) const;
    QStringList Items(int header) const;
    int CurrentHeader() const;
    void SetCurrentHeader(int index);
    QToolButton *ItemButton(const QString &caption) const;
    void SetBarColor(const QColor &c);  // header backgrounds and buttons
    static constexpr int BarWidth = 118;

signals:
    void ItemClicked(int headerIndex, const QString &caption);

private:
    QToolBox *m_box;
    QList<QStringList> m_items;
    QColor m_color;
};
