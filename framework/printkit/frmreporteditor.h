// TfrmReportEditor ("打印格式编辑器"): edits the report layouts of sys/Reports
// (core/wjreport.h): pick a report, its title and heading, orientation and font size,
// its table columns (caption, field, width, alignment, kind, sum), head and foot
// fields, statements and page header and footer; save. Opened by the PrintKit
// module's RUNEPTTOOL.
#pragma once
#include "wjreport.h"
#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QSpinBox;
class QTableWidget;

#if defined(PRINTKIT_LIBRARY)
#define PRINTKIT_EXPORT Q_DECL_EXPORT
#else
#define PRINTKIT_EXPORT Q_DECL_IMPORT
#endif

class PRINTKIT_EXPORT TfrmReportEditor : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmReportEditor(QWidget *parent = nullptr);

    // Shows the layout of `name` (false, with a message, when it cannot be read).
    bool LoadReport(const QString &name);
    // Writes the layout shown; false, with a message, when it is not complete.
    bool SaveReport();
    QString CurrentName() const { return m_name; }
    bool Modified() const { return m_modified; }

    // The layout as the inputs describe it.
    TWjReportLayout Layout() const;

protected:
    void reject() override;

private:
    void fillList(const QString &select);
    void showLayout(const TWjReportLayout &l);
    bool askSave();  // false: stay (the user cancelled nothing; a save failed)
    void newReport();
    void deleteReport();
    void addColumnRow(const TWjReportColumn &c, int at = -1);
    void moveColumn(int delta);
    TWjReportColumn columnAt(int row) const;
    void changed() { if (!m_loading) m_modified = true; }

    QListWidget *m_list;
    QLineEdit *m_company;
    QLineEdit *m_title;
    QComboBox *m_orientation;
    QSpinBox *m_fontSize;
    QSpinBox *m_headColumns;
    QTableWidget *m_columns;
    QTableWidget *m_head;
    QTableWidget *m_foot;
    QPlainTextEdit *m_headQuery;
    QPlainTextEdit *m_lines;
    QLineEdit *m_words;
    QLineEdit *m_pageHeader;
    QLineEdit *m_pageFooter;
    QString m_name;
    bool m_modified = false;
    bool m_loading = false;
    bool m_switching = false;
};
