#include "link/Ports.h"
#include "image/AllClass.h"

#include <QFileInfo>
#include <QSerialPort>
#include <QSerialPortInfo>

#include <algorithm>
#ifdef Q_OS_UNIX
#include <grp.h>
#include <sys/stat.h>
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
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        devices.append(info.systemLocation());
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

QString PortOpenFailureDetail(const QString &device, int serialPortError)
{
    if (!QFileInfo::exists(device))
        return QStringLiteral("%1 is not there: is the programming cable plugged in?").arg(device);
    if (serialPortError == QSerialPort::PermissionError) {
        QString groupName = QStringLiteral("dialout");
#ifdef Q_OS_UNIX
        struct stat st {
        };
        if (::stat(device.toLocal8Bit().constData(), &st) == 0)
            if (const struct group *g = ::getgrgid(st.st_gid))
                groupName = QString::fromLocal8Bit(g->gr_name);
#endif
        return QStringLiteral("%1: permission denied. Members of the group \"%2\" may use it: "
                              "sudo usermod -aG %2 $USER, then log in again.")
            .arg(device, groupName);
    }
    if (serialPortError == QSerialPort::OpenError)
        return QStringLiteral("%1 is held by another program: close it and try again.").arg(device);
    return QStringLiteral("%1 cannot be used as a serial port.").arg(device);
}
