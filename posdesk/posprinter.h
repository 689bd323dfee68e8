// TPosPrinter: the receipt printer on a port ("LPT1"), written with raw ESC/POS bytes.
//
// Write opens the port when it is closed. A port that cannot be opened or written is
// skipped without a message (the sale goes on without its receipt), and so is the rest
// of what is written until Close; LastError keeps why. Text goes out in GB18030.
#pragma once
#include "posglobal.h"

#include <QByteArray>
#include <QString>
#include <memory>

class TWjPortFile;

class POSLOGIC_EXPORT TPosPrinter
{
public:
    TPosPrinter();  // port "LPT1", closed
    virtual ~TPosPrinter();
    TPosPrinter(const TPosPrinter &) = delete;
    TPosPrinter &operator=(const TPosPrinter &) = delete;

    virtual void Open();                // opens the port, then ESC @ (initialise)
    virtual void Close();
    virtual void DoubleWidth(bool on);  // ESC SO / ESC DC4
    virtual void Feed(int dots);        // ESC J n, CR LF
    virtual void LineSpacing(int dots); // ESC 3 n, CR LF

    void SetActive(bool on);
    void SetPort(const QString &name);  // closes the port first
    QString Port() const { return m_port; }
    bool IsOpen() const;
    int Handle() const;                 // -1 while closed

    void Write(const char *bytes, int count);
    void Write(const QByteArray &bytes) { Write(bytes.constData(), int(bytes.size())); }
    void WriteText(const QString &text);
    void WriteLine(const QString &text);

    QString LastError() const { return m_lastError; }

    // The parameter byte of Feed and LineSpacing: n modulo 255.
    static char ParamByte(int n) { return char(static_cast<unsigned char>(n % 255)); }
    static QByteArray Encode(const QString &text);

private:
    QString m_port;
    std::unique_ptr<TWjPortFile> m_file;
    QString m_lastError;
    bool m_failed = false;
};
