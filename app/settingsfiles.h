#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// com_settings.txt: the port choice, written by Run and read at start-up.
// A line whose value is out of range for its list is ignored on reading.
struct ComSettings
{
    std::optional<int> portIndex;  // 0..9 in the COM port list
    std::optional<int> speedIndex; // 0..4 in the speed list
    std::optional<int> interval;   // poll interval in ms; absent or 0 keeps 100
    // Line 4: the stable name of the device the port number stood for when
    // it was saved (see stableDeviceName); absent in files of old versions.
    std::optional<QString> device;
};

ComSettings readComSettings(const QByteArray &file);
QByteArray writeComSettings(int portIndex, int speedIndex, int interval,
                            const QString &device = {});

// pgm_settings.txt: the window's settings, written at shutdown and applied
// in file order at start-up.
struct PgmSettings
{
    std::optional<int> tab; // 0..3
    std::optional<bool> recordAudio;
    std::optional<bool> logText;
    std::optional<bool> alwaysOnTop;
    std::optional<int> state1; // index in the state lists
    std::optional<int> state2;
    std::optional<int> layout;  // stored layout number, any value
    std::optional<double> left; // twips, within the range of int
    std::optional<double> top;  // twips, within the range of int
    std::optional<QString> logFolder;
};

// The values written at shutdown; a layout code of 0 is written as an empty
// line (a layout name outside the table).
struct PgmValues
{
    int tab = 0;
    bool recordAudio = false;
    bool logText = false;
    bool alwaysOnTop = false;
    int state1 = -1;
    int state2 = -1;
    int layout = 1;
    double left = 0;
    double top = 0;
    QString logFolder;
};

inline constexpr int comPortCount = 10;
inline constexpr int speedCount = 5;
inline constexpr int tabCount = 4;

PgmSettings readPgmSettings(const QByteArray &file, int stateCount);
QByteArray writePgmSettings(const PgmValues &values);

// Reads a settings file whole; an absent or unreadable file gives nullopt.
// Files larger than maxBytes are not settings files and are not read.
std::optional<QByteArray> readSettingsFile(const QString &path, qint64 maxBytes = 16 << 20);

// Writes through a temporary file and a rename, so a crash or a full disk
// never leaves half a file. Returns false (and the reason) on failure.
bool writeSettingsFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);
