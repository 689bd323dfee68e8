#include "posprinter.h"
#include "wjerror.h"
#include "wjport.h"

#include <QStringEncoder>

TPosPrinter::TPosPrinter() : m_port(QStringLiteral("LPT1")) {}

TPosPrinter::~TPosPrinter() = default;

QByteArray TPosPrinter::Encode(const QString &text)
{
    QStringEncoder enc("GB18030");
    return enc.isValid() ? QByteArray(enc.encode(text)) : text.toLocal8Bit();
}

void TPosPrinter::SetActive(bool on)
{
    if (!on) {
        m_file.reset();
        m_failed = false;
        return;
    }
    if (IsOpen())
        return;
    auto f = std::make_unique<TWjPortFile>(m_port);
    try {
        f->Open();
        m_file = std::move(f);
    } catch (const EWjError &e) {
        m_lastError = e.Message();
        m_failed = true;
    }
}

void TPosPrinter::SetPort(const QString &name)
{
    SetActive(false);
    m_port = name;
}

bool TPosPrinter::IsOpen() const
{
    return m_file && m_file->IsOpen();
}

int TPosPrinter::Handle() const
{
    return IsOpen() ? m_file->Handle() : -1;
}

void TPosPrinter::Write(const char *bytes, int count)
{
    // After a failure the rest is skipped until the port is closed: a printer that is
    // off would otherwise cost the timeout once per line.
    if (m_failed)
        return;
    if (!IsOpen())
        SetActive(true);
    if (!IsOpen() || count <= 0)
        return;
    try {
        m_file->Write(QByteArray(bytes, count));
    } catch (const EWjError &e) {
        m_lastError = e.Message();
        m_file.reset();
        m_failed = true;
    }
}

void TPosPrinter::WriteText(const QString &text)
{
    Write(Encode(text));
}

void TPosPrinter::WriteLine(const QString &text)
{
    WriteText(text);
    Write("\r\n", 2);
}

void TPosPrinter::Open()
{
    m_failed = false;
    SetActive(true);
    Write("\x1B\x40", 2);
}

void TPosPrinter::Close()
{
    SetActive(false);
}

void TPosPrinter::DoubleWidth(bool on)
{
    Write(on ? "\x1B\x0E" : "\x1B\x14", 2);
}

void TPosPrinter::Feed(int dots)
{
    const char b[] = {'\x1B', '\x4A', ParamByte(dots), '\r', '\n'};
    Write(b, 5);
}

void TPosPrinter::LineSpacing(int dots)
{
    const char b[] = {'\x1B', '\x33', ParamByte(dots), '\r', '\n'};
    Write(b, 5);
}
