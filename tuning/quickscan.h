#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The modulation a quick-scan line asks for: "NFM", "WFM" or "AM" when the
// word is exactly that in capitals or in small letters; "FM" for anything
// else (no word, "fm", "Nfm", a typo).
QString quickScanModulation(const QString &word);

// One line of the quick-scan list as its entry: eight digits, a space and the
// modulation ("155.52 nfm" gives "01555200 NFM"); empty for a line without a
// ".". The fraction is the first space-separated word after the first "."
// (up to a second "."), right-padded with "0" to four characters; the word
// after it is the modulation.
QString quickScanEntry(const QString &line);

// Steps the radio through the typed list, one entry a second. The entry index
// is the line index, so a line without a frequency ends the usable list.
class QuickScan
{
public:
    QuickScan();

    // Rebuilds the entries from the list's lines and starts again at entry
    // 0. Returns how many frequency lines lie beyond the last entry (line
    // 1000) and are left out.
    int rebuild(const QStringList &lines);

    struct Step
    {
        QByteArray command; // the QSH to send, or empty on the wrap tick
        QString debugText;  // what the diagnostics box shows afterwards
    };

    // One step: the next entry's command, or, past the last usable entry, no
    // command and back to entry 0.
    Step next();

    int index() const { return m_index; }
    const QStringList &entries() const { return m_entries; }

private:
    QStringList m_entries;
    qint16 m_index = 0;
};
