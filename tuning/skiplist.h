#pragma once

#include <QString>
#include <QStringList>

// The frequencies and talkgroups whose receptions are skipped. A line with a
// "." is a frequency, kept as the radio's digits (FormatTuneFrequency); any
// other line is kept exactly as typed (a talkgroup ID). Comparisons are
// exact: same case, no trimming.
class SkipList
{
public:
    SkipList();

    // Takes the list's lines as entries 0 to 1000; every entry beyond the
    // applied lines is emptied, so a line the user deleted no longer skips.
    // Returns how many lines lie beyond entry 1000 and are left out. An empty
    // first line switches the whole comparison off.
    int apply(const QStringList &lines);

    // How many times the reception matches: once for each entry equal to the
    // radio's frequency digits, once for each equal to the hit's talkgroup,
    // and once for each equal to the ID of a status field 3 "ID:<id>[:...]".
    // Each match is one push of the radio's right key.
    int matches(const QString &winFrequencyRaw, const QString &talkgroup,
                const QString &stsField3) const;

    // False when entry 0 is empty: nothing is compared.
    bool isOn() const { return !m_entries.at(0).isEmpty(); }
    // The last entry a comparison looks at (the diagnostics box shows it).
    QString lastEntry() const { return m_used.isEmpty() ? QString() : m_used.last(); }
    const QStringList &entries() const { return m_entries; }

private:
    QStringList m_entries;
    QStringList m_used; // the non-empty entries, in index order
};

// The list's text with one more line at its end, as the user would type it;
// blank lines at the end go first. Unchanged when a line of the list already
// stands for the same entry (a frequency compared as the radio's digits).
QString withSkipLine(const QString &listText, const QString &line);
