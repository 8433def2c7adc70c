#include "link/portcatalogue.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace {

// "ttyS2" before "ttyS10": names compare by their text before the trailing
// number, then by the number.
bool naturalLess(const QString &a, const QString &b)
{
    const auto split = [](const QString &name) {
        qsizetype digitsFrom = name.size();
        while (digitsFrom > 0 && name.at(digitsFrom - 1).isDigit())
            --digitsFrom;
        return std::make_pair(name.left(digitsFrom), name.mid(digitsFrom).toLongLong());
    };
    return split(a) < split(b);
}

bool isUsbAdapter(const QString &device)
{
    const QString name = QFileInfo(device).fileName();
    return name.startsWith(QLatin1String("ttyUSB")) || name.startsWith(QLatin1String("ttyACM"));
}

} // namespace

QStringList comPortDevices(const QStringList &givenDevices, const QStringList &systemDevices,
                           int count)
{
    QStringList usb;
    QStringList other;
    for (const QString &device : systemDevices) {
        if (givenDevices.contains(device) || usb.contains(device) || other.contains(device))
            continue;
        (isUsbAdapter(device) ? usb : other).append(device);
    }
    std::sort(usb.begin(), usb.end(), naturalLess);
    std::sort(other.begin(), other.end(), naturalLess);

    QStringList devices = givenDevices + usb + other;
    if (devices.size() > count)
        devices.resize(count);
    while (devices.size() < count)
        devices.append(QString());
    return devices;
}

QString comPortItemText(int number, const QString &device)
{
    if (device.isEmpty())
        return QString::number(number);
    QString shown = device;
    if (shown.startsWith(QLatin1String("/dev/")))
        shown.remove(0, 5);
    return QString::number(number) + QLatin1String("  ") + shown;
}

int leadingPortNumber(const QString &itemText)
{
    int value = 0;
    for (const QChar c : itemText) {
        if (!c.isDigit())
            break;
        value = value * 10 + c.digitValue();
        if (value > 32767)
            return 0;
    }
    return value;
}
