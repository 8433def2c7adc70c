#pragma once

#include <QString>
#include <QStringList>

// The COM port list keeps its ten numbers; on Linux each number stands for a
// serial device. Port N is the N-th of: the devices named on the command line
// (in order), then the system's serial devices, USB adapters (ttyUSB*,
// ttyACM*) first, each group in natural order (ttyS2 before ttyS10).
// Devices beyond the last number are left out and, when leftOut is given,
// named there.
QStringList comPortDevices(const QStringList &givenDevices, const QStringList &systemDevices,
                           int count = 10, QStringList *leftOut = nullptr);

// The name that keeps standing for the same device when it is unplugged and
// plugged in again: its link in the serial by-id folder where there is one
// ("/dev/serial/by-id/usb-Prolific_..." for "/dev/ttyUSB0"); a device named
// on the command line, or one with no such link, stands for itself; a
// pseudo-terminal ("/dev/pts/3") stands for nothing and gives "".
QString stableDeviceName(const QString &device,
                         const QString &byIdFolder = QStringLiteral("/dev/serial/by-id"));

// The position in the list of the device the stable name stands for now,
// or -1 when that device is not present.
qsizetype deviceIndex(const QStringList &devices, const QString &stableName);

// The list item for port number `number`: the number, two spaces and the
// device without its "/dev/" ("1  ttyUSB0"); just the number when no device
// stands for it.
QString comPortItemText(int number, const QString &device);

// The leading number of a list item's text ("3  ttyS0" -> 3; 0 if none).
int leadingPortNumber(const QString &itemText);
