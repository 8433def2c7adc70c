#pragma once

#include <QString>

// The whole hit log as one text, newest hit first. Each hit line ends with
// CR LF and goes in front of everything logged before it.
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

private:
    QString m_text;
    qsizetype m_lineCount = 0;
};
