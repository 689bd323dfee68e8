// WjPort: the printer ports the programs write to ("LPT1" for the receipt printer and
// its cash drawer), mapped to devices in one place.
//
// "SYS\WjOptions.ini" section [PORT] maps a port name to a device path, for example
// "LPT1=/dev/usb/lp0". A relative path is taken under the program folder (tests point
// a port at a file there). Without an entry, "LPTn" stands for the parallel port
// /dev/lp(n-1); any other name must be configured.
//
// A port is opened for writing only when its device already exists (nothing is ever
// created, in /dev or elsewhere); a regular file standing in for the device is appended
// to. Writes complete before they return, or fail when the device takes no byte for
// the timeout (a printer switched off or out of paper must not freeze the program).
// Every failure raises EWjError with a text naming the port and the device.
#pragma once
#include "wjglobal.h"
#include <QByteArray>
#include <QString>

namespace WjPort {

// The device path of `portName` (case does not matter); raises EWjError when the port
// has no device.
WJCORE_EXPORT QString DevicePath(const QString &portName);

// ESC p 0 60 255: pulse on drawer pin 2, 60 and 255 units of 2 ms on and off.
WJCORE_EXPORT QByteArray DrawerPulse();

// Opens the port, writes all of `bytes`, closes it.
WJCORE_EXPORT void WriteBytes(const QString &portName, const QByteArray &bytes);

// Sends the drawer pulse to the receipt printer on `portName`.
WJCORE_EXPORT void OpenDrawer(const QString &portName = QStringLiteral("LPT1"));

} // namespace WjPort

// One open port, for callers that write a sequence (a receipt line by line).
class WJCORE_EXPORT TWjPortFile
{
public:
    explicit TWjPortFile(const QString &portName);
    ~TWjPortFile();
    TWjPortFile(const TWjPortFile &) = delete;
    TWjPortFile &operator=(const TWjPortFile &) = delete;

    QString PortName() const { return m_port; }
    QString Device() const { return m_device; }  // known once Open was called
    void Open();                                 // raises EWjError
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    int Handle() const { return m_fd; }          // -1 while closed
    void Write(const QByteArray &bytes);         // raises EWjError; the port stays open

    static constexpr int DefaultTimeoutMs = 3000;
    void SetTimeout(int ms) { m_timeoutMs = ms; }

private:
    QString m_port;
    QString m_device;
    int m_fd = -1;
    int m_timeoutMs = DefaultTimeoutMs;
};
