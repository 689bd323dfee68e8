// TWjDBGrid: the data grid of the list and document windows.
//
// A table view over a TWjQuery with a footer row (line count, column sum or a fixed text
// per column), whole-row selection, frozen leading columns, title-click sorting (in
// memory, numbers by value; line grids of documents turn it off), cell colours, and column
// layouts kept in ".\Sys\" + name + ".fmt" (captions, widths, order, visibility):
// InitFmt loads one, RunFmtTool edits it, SetViewItem picks the visible columns.
// The grid follows the dataset's current record and moves it when a row is clicked.
#pragma once
#include "wjguiglobal.h"

#include <QHash>
#include <QWidget>
#include <functional>

class QTableView;
class QTableWidget;
class TWjDataSetModel;
class TWjQuery;

class WJGUI_EXPORT TWjDBGrid : public QWidget
{
    Q_OBJECT
public:
    enum FooterKind { NoFooter, FooterCount, FooterSum, FooterText };
    struct Column {
        QString field;
        QString caption;
        int width = 80;
        bool visible = true;
    };

    explicit TWjDBGrid(QWidget *parent = nullptr);
    void SetDataSet(TWjQuery *ds);
    TWjQuery *DataSet() const { return m_ds; }
    TWjDataSetModel *Model() const { return m_model; }
    QTableView *View() const { return m_view; }

    void SetColumns(const QList<Column> &columns);
    QList<Column> Columns() const { return m_columns; }
    void SetFooter(const QString &field, FooterKind kind, const QString &text = QString());
    QString FooterValue(const QString &field) const;  // the text the footer shows
    FooterKind FooterOf(const QString &field) const { return m_footers.value(field.toLower(), {NoFooter, QString()}).first; }
    void SetFrozenColumns(int count);
    void SetSortable(bool on) { m_sortable = on; }
    void SetCellColor(std::function<QColor(int row, const QString &field)> fn);

    // Layout files.
    static QString FmtPath(const QString &name);
    bool InitFmt(const QString &name);  // false when there is no layout file yet
    void SaveFmt(const QString &name) const;
    void RunFmtTool(const QString &name);
    void SetViewItem(const QString &name);

    void RefreshFooter();

signals:
    void TitleClicked(const QString &field);
    void RowDoubleClicked();

protected:
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void applyColumns();
    void syncFooter();
    void updateFrozen();
    void titleClicked(int section);

    TWjQuery *m_ds = nullptr;
    TWjDataSetModel *m_model = nullptr;
    QTableView *m_view;
    QTableView *m_frozen;
    QTableWidget *m_footer;
    QList<Column> m_columns;
    QHash<QString, QPair<FooterKind, QString>> m_footers;  // lower-cased field
    int m_frozenCount = 0;
    bool m_footerDirty = false;  // values changed since the footer was summed
    bool m_sortable = true;
    QString m_sortField;
    bool m_sortDesc = false;
    std::function<QColor(int, const QString &)> m_color;
};

namespace WjSql {
// `sql` with its trailing order by clause replaced by one on `field`.
WJGUI_EXPORT QString GetDataOrderBy(const QString &sql, const QString &field, bool descending);
}
