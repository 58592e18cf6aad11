#include "link/Ports.h"
#include "image/AllClass.h"

#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
#include <QSerialPortInfo>

#include <algorithm>
#ifdef Q_OS_UNIX
#include <cerrno>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace
{

struct Range {
    int first, last;
    const char *prefix;
};
// The cables people use come first, so they sit on the port dialog's buttons.
constexpr Range LinuxPorts[] = { { 1, 8, "/dev/ttyUSB" }, { 9, 12, "/dev/ttyACM" }, { 13, 20, "/dev/ttyS" } };

} // namespace

int PortNumber(const QString &portName)
{
    bool ok = false;
    const int n = portName.mid(3).toInt(&ok);
    return ok && portName.left(3).compare(QLatin1String("COM"), Qt::CaseInsensitive) == 0 ? n : -1;
}

QString PortDevice(const QString &portName)
{
    if (portName.startsWith(QLatin1Char('/')))
        return portName;
#ifdef Q_OS_LINUX
    const int n = PortNumber(portName);
    for (const Range &r : LinuxPorts)
        if (n >= r.first && n <= r.last)
            return QLatin1String(r.prefix) + QString::number(n - r.first);
#endif
    return portName;
}

QString PortAlias(const QString &device)
{
#ifdef Q_OS_LINUX
    for (const Range &r : LinuxPorts) {
        const QString prefix = QLatin1String(r.prefix);
        if (!device.startsWith(prefix))
            continue;
        bool ok = false;
        const int i = device.mid(prefix.size()).toInt(&ok);
        if (ok && i >= 0 && i <= r.last - r.first)
            return QStringLiteral("COM%1").arg(r.first + i);
    }
    return QString();
#else
    return PortNumber(device) > 0 ? device.toUpper() : QString();
#endif
}

QStringList PresentSerialDevices()
{
    QStringList devices;
#ifdef Q_OS_WIN
    // Every port that can be opened now: a port another program holds is left out.
    for (int n = 1; n <= 256; ++n) {
        const QString name = n <= 9 ? QStringLiteral("COM%1").arg(n) : QStringLiteral("\\\\.\\COM%1").arg(n);
        const HANDLE h = ::CreateFileW(reinterpret_cast<const wchar_t *>(name.utf16()), GENERIC_READ | GENERIC_WRITE, 0,
            nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            continue;
        ::CloseHandle(h);
        devices.append(QStringLiteral("COM%1").arg(n));
    }
#else
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        devices.append(info.systemLocation());
#endif
    return devices;
}

QStringList ListSerialPorts(const QStringList &presentDevices)
{
    QList<int> numbers;
    for (const QString &d : presentDevices) {
        const int n = PortNumber(PortAlias(d));
        if (n > 0 && !numbers.contains(n))
            numbers.append(n);
    }
    std::sort(numbers.begin(), numbers.end());
    QStringList out;
    for (int n : numbers)
        out.append(QStringLiteral("COM%1").arg(n));
    return out;
}

void SettlePort(TALL &all, const QStringList &presentPorts)
{
    if (all.PortName.startsWith(QLatin1Char('/')))
        return;
    all.PortName = all.PortName.toUpper();
    if (!presentPorts.contains(all.PortName) && !presentPorts.isEmpty())
        all.PortName = presentPorts.first();
}

namespace
{

// Who holds a device open, from the lock file Qt's serial ports (and uucp
// programs) leave: "name (process pid)", or an empty text when none is found.
QString LockHolder(const QString &device)
{
    QString name = device.startsWith(QLatin1String("/dev/")) ? device.mid(5) : device;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const char *dir : { "/var/lock", "/run/lock", "/var/spool/locks", "/var/spool/uucp", "/tmp" }) {
        QFile lock(QLatin1String(dir) + QLatin1String("/LCK..") + name);
        if (!lock.open(QIODevice::ReadOnly))
            continue;
        // Either a binary pid (old uucp) or text lines: pid, program name.
        const QList<QByteArray> lines = lock.read(256).split('\n');
        bool ok = false;
        const qint64 pid = lines.value(0).trimmed().toLongLong(&ok);
        if (!ok)
            return QString();
        const QString program = QString::fromLocal8Bit(lines.value(1).trimmed());
        return program.isEmpty() ? QStringLiteral("process %1").arg(pid)
                                 : QStringLiteral("%1, process %2").arg(program).arg(pid);
    }
    return QString();
}

} // namespace

QString PortOpenFailureDetail(const QString &device, int serialPortError, const QString &systemText)
{
    if (!QFileInfo::exists(device) || serialPortError == QSerialPort::DeviceNotFoundError)
        return QStringLiteral("%1 is not there: is the programming cable plugged in?").arg(device);
#ifdef Q_OS_UNIX
    // Qt reports a device another program holds as a permission error too:
    // ask the system whether this user may use the device at all.
    if (::access(QFile::encodeName(device).constData(), R_OK | W_OK) != 0 && errno == EACCES) {
        struct stat st {
        };
        QString groupName;
        if (::stat(QFile::encodeName(device).constData(), &st) == 0 && (st.st_mode & S_IRGRP) && (st.st_mode & S_IWGRP))
            if (const struct group *g = ::getgrgid(st.st_gid))
                groupName = QString::fromLocal8Bit(g->gr_name);
        // The usual case: the device belongs to a group such as "dialout".
        if (!groupName.isEmpty() && groupName != QLatin1String("root"))
            return QStringLiteral("%1: permission denied. Members of the group \"%2\" may use it: "
                                  "sudo usermod -aG %2 $USER, then log in again.")
                .arg(device, groupName);
        return QStringLiteral("%1: permission denied. Only its owner may use it; a udev rule can give it "
                              "to the group \"dialout\".")
            .arg(device);
    }
#endif
    if (serialPortError == QSerialPort::PermissionError || serialPortError == QSerialPort::OpenError) {
        const QString holder = LockHolder(device);
        if (!holder.isEmpty())
            return QStringLiteral("%1 is held by another program (%2): close it and try again.").arg(device, holder);
        return QStringLiteral("%1 is held by another program: close it and try again.").arg(device);
    }
    if (systemText.isEmpty())
        return QStringLiteral("%1 cannot be used as a serial port.").arg(device);
    return QStringLiteral("%1 cannot be used as a serial port (%2).").arg(device, systemText);
}
