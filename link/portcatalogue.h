#pragma once

#include <QString>
#include <QStringList>

// The COM port list keeps its ten numbers; on Linux each number stands for a
// serial device. Port N is the N-th of: the devices named on the command line
// (in order), then the system's serial devices, USB adapters (ttyUSB*,
// ttyACM*) first, each group in natural order (ttyS2 before ttyS10).
QStringList comPortDevices(const QStringList &givenDevices, const QStringList &systemDevices,
                           int count = 10);

// The list item for port number `number`: the number, two spaces and the
// device without its "/dev/" ("1  ttyUSB0"); just the number when no device
// stands for it.
QString comPortItemText(int number, const QString &device);

// The leading number of a list item's text ("3  ttyS0" -> 3; 0 if none).
int leadingPortNumber(const QString &itemText);
