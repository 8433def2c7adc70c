#include "link/portcatalogue.h"

#include <QDir>
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
                           int count, QStringList *leftOut)
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
    if (devices.size() > count) {
        if (leftOut)
            *leftOut = devices.mid(count);
        devices.resize(count);
    }
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

QString stableDeviceName(const QString &device, const QString &byIdFolder)
{
    // A pseudo-terminal's number is handed out anew each time: it names
    // nothing that comes back.
    if (device.startsWith(QLatin1String("/dev/pts/")))
        return {};
    if (!device.startsWith(QLatin1String("/dev/")))
        return device;
    const QString target = QFileInfo(device).canonicalFilePath();
    if (target.isEmpty())
        return device;
    const QFileInfoList links =
        QDir(byIdFolder).entryInfoList(QDir::System | QDir::Files, QDir::Name);
    for (const QFileInfo &link : links) {
        if (link.isSymLink() && link.canonicalFilePath() == target)
            return link.absoluteFilePath();
    }
    return device;
}

qsizetype deviceIndex(const QStringList &devices, const QString &stableName)
{
    const QFileInfo wanted(stableName);
    if (stableName.isEmpty() || !wanted.exists())
        return -1;
    const QString target = wanted.canonicalFilePath();
    for (qsizetype i = 0; i < devices.size(); ++i) {
        if (devices.at(i).isEmpty())
            continue;
        if (devices.at(i) == stableName || QFileInfo(devices.at(i)).canonicalFilePath() == target)
            return i;
    }
    return -1;
}
