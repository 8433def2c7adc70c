#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// The whole hit log as one text, newest hit first. Each hit line ends with
// CR LF and goes in front of everything logged before it.
//
// Beside the text it keeps where each line starts, counted from the end of
// the text (a line's distance from the end never changes when newer lines go
// in front), so a view can show any line without a copy of its own.
class HitLogText
{
public:
    // Puts the line at the top. A line that does not end with CR LF gets one,
    // so it can never run into the line below it.
    void insertHitLine(const QString &line);
    void clear();

    const QString &text() const { return m_text; }
    // The number of CR LF ended lines in the text.
    qsizetype lineCount() const { return m_lineCount; }
    bool isEmpty() const { return m_text.isEmpty(); }

    // Line i of the text (0 is the newest), without its CR LF.
    QStringView line(qsizetype i) const;

private:
    QString m_text;
    qsizetype m_lineCount = 0;
    // Oldest line first: the text's size minus the line's start.
    QList<qsizetype> m_startsFromEnd;
};
