// TfrmMain: the counter's sale window. Top: ticket number, cashier, payment and sale
// kind; middle: the ticket grid with its footer (line count, amount due); bottom: the
// code and quantity fields, the drawer, search and printer buttons, the member group;
// right: the key panel. The window sees every key first (its key table works whichever
// input has the focus); a scanner types a code and Enter into the code field.
#pragma once
#include <QMainWindow>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class TWjDBGrid;
class TPosTicket;

class TfrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfrmMain(QWidget *parent = nullptr);
    ~TfrmMain() override;

    static QString ProductTitle();  // the caption from the first tick on

    TPosTicket *Ticket() const { return m_ticket; }

    // Top panel
    QLineEdit *edBillNo;    // "单号:"
    QLineEdit *edCzy;       // "收银员:"
    QLineEdit *edPayType;   // "付款方式:"
    QComboBox *cbSaleKind;  // "销售方式:"
    // The ticket grid with its footer
    TWjDBGrid *dbgLines;
    // Bottom panel
    QLineEdit *edCode;      // "请输入商品条码："
    QLineEdit *edNum;       // "数量："
    QRadioButton *rbScan;   // "条码扫描枪(&T)"
    QRadioButton *rbManual; // "手工输入(&Z)"
    QPushButton *btnCashbox;
    QPushButton *btnSearch;
    QPushButton *btnPrinterSet;
    QComboBox *cbPrinter;
    QLabel *StatusPanel(int i) const { return m_status[i]; }
    QTimer *FirstTickTimer() const { return m_firstTick; }

    // The actions of the key table.
    void CodeEnter();        // Enter in the code field
    void Pay();              // F5
    void Hold();             // Page Up
    void Recall();           // Home
    void DeleteLine();       // Delete
    void ClearLines();       // End
    void ChangeNum();        // F4
    void Lock();             // F3
    void ChangeOperator();   // F6
    void ChangePassword();   // "修改密码"
    void OpenCashbox();      // F11
    void SearchGoods();      // "查找资料库"
    void SetPrinter();       // "设置"
    void MoveLine(int delta);  // Up, Down

    // Status panels 1 and 2 from the session.
    void BuildStatusPanels();
    QString FooterText(int column) const;

protected:
    bool eventFilter(QObject *o, QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    bool handleKey(QKeyEvent *e);
    void buildMenus();
    void ticketChanged();
    void ticketOpened();
    void fillPrinters();

    TPosTicket *m_ticket;
    QLabel *m_status[4];
    QTimer *m_firstTick;
    bool m_shownOnce = false;
    bool m_closing = false;
};
