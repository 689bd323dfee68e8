#include "wjport.h"
#include "wjerror.h"
#include "wjinifile.h"
#include "wjpath.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

QString reasonOf(int err)
{
    switch (err) {
    case ENOENT: return QStringLiteral("设备不存在");
    case EACCES:
    case EPERM: return QStringLiteral("没有访问权限");
    case EBUSY: return QStringLiteral("设备正被占用");
    case ENXIO:
    case ENODEV: return QStringLiteral("设备未连接");
    case EIO: return QStringLiteral("设备输入输出错误（打印机是否开机、是否缺纸？）");
    case EISDIR: return QStringLiteral("这是一个文件夹，不是设备");
    default: return QString::fromLocal8Bit(std::strerror(err));
    }
}

QString portText(const QString &port, const QString &device)
{
    return QStringLiteral("端口“%1”（设备 %2）").arg(port, device);
}

} // namespace

namespace WjPort {

QString DevicePath(const QString &portName)
{
    const QString port = portName.trimmed();
    const TIniFile ini(WjPath::Prog(QStringLiteral("SYS\\WjOptions.ini")));
    QString dev = ini.ReadString(QStringLiteral("PORT"), port).trimmed();
    if (dev.isEmpty()) {
        static const QRegularExpression lpt(QStringLiteral("^LPT([1-9])$"), QRegularExpression::CaseInsensitiveOption);
        const auto m = lpt.match(port);
        if (m.hasMatch())
            return QStringLiteral("/dev/lp%1").arg(m.captured(1).toInt() - 1);
        throw EWjError(QStringLiteral("端口“%1”没有配置设备，请在 SYS\\WjOptions.ini 的 [PORT] 段中设置，例如 %1=/dev/usb/lp0。")
                           .arg(port));
    }
    if (QDir::isAbsolutePath(dev))
        return dev;
    return WjPath::Prog(dev);
}

QByteArray DrawerPulse()
{
    return QByteArray("\x1B\x70\x00\x3C\xFF", 5);
}

void WriteBytes(const QString &portName, const QByteArray &bytes)
{
    TWjPortFile f(portName);
    f.Open();
    f.Write(bytes);
    f.Close();
}

void OpenDrawer(const QString &portName)
{
    WriteBytes(portName, DrawerPulse());
}

} // namespace WjPort

TWjPortFile::TWjPortFile(const QString &portName) : m_port(portName.trimmed()) {}

TWjPortFile::~TWjPortFile()
{
    Close();
}

void TWjPortFile::Open()
{
    if (IsOpen())
        return;
    m_device = WjPort::DevicePath(m_port);
    const QByteArray path = QFile::encodeName(m_device);
    // No O_CREAT: only an existing device (or the file standing in for it) is written.
    const int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        throw EWjError(QStringLiteral("无法打开%1：%2").arg(portText(m_port, m_device), reasonOf(err)));
    }
    m_fd = fd;
}

void TWjPortFile::Close()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

void TWjPortFile::Write(const QByteArray &bytes)
{
    if (!IsOpen())
        Open();
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    QElapsedTimer idle;
    idle.start();
    while (left > 0) {
        const ssize_t n = ::write(m_fd, p, size_t(left));
        if (n > 0) {
            p += n;
            left -= n;
            idle.restart();
            continue;
        }
        const int err = (n < 0) ? errno : EAGAIN;
        if (err == EINTR)
            continue;
        if (err != EAGAIN && err != EWOULDBLOCK)
            throw EWjError(QStringLiteral("向%1写入失败：%2").arg(portText(m_port, m_device), reasonOf(err)));
        // The device's buffer is full: wait until it takes bytes again, not forever.
        const qint64 wait = m_timeoutMs - idle.elapsed();
        pollfd pfd{m_fd, POLLOUT, 0};
        if (wait <= 0 || ::poll(&pfd, 1, int(wait)) == 0)
            throw EWjError(QStringLiteral("%1没有响应，请检查打印机是否开机、是否缺纸。").arg(portText(m_port, m_device)));
    }
}
