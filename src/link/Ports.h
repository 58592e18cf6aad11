#pragma once
// Port names: the "COM" + n names the settings keep, and the devices behind them.

#include <QString>
#include <QStringList>

class TALL;

// On Linux COM1-COM8 are /dev/ttyUSB0-7, COM9-COM12 /dev/ttyACM0-3 and
// COM13-COM20 /dev/ttyS0-7; elsewhere the name is the device. A name that
// starts with "/" is a device path and is used as it is.
QString PortDevice(const QString &portName);
// The "COM" + n name of a device, or an empty text when it has none.
QString PortAlias(const QString &device);
// The number after "COM" (characters 4 on), or -1 when it is no number.
int PortNumber(const QString &portName);

// The devices present now (system locations).
QStringList PresentSerialDevices();
// "COM" + n of every present device that has such a name, in ascending number.
QStringList ListSerialPorts(const QStringList &presentDevices);

// The start-up port step: upper case, and the first present port when the
// stored one is not present (a stored device path is kept as it is).
void SettlePort(TALL &all, const QStringList &presentPorts);

// Why a device could not be opened, for the second line of the port message:
// missing, held by another program (which, when its lock file tells), or not
// permitted (with the group that grants access); systemText is the port's own
// error text for anything else.
QString PortOpenFailureDetail(const QString &device, int serialPortError, const QString &systemText = QString());
