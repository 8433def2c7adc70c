#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal whose far end the test plays by hand: it reads exactly
// what the program wrote and writes exactly the bytes a test wants the
// program to find waiting, as a radio with a scripted mind would.
class ScriptedPty
{
public:
    ScriptedPty();
    ~ScriptedPty();
    ScriptedPty(const ScriptedPty &) = delete;
    ScriptedPty &operator=(const ScriptedPty &) = delete;

    bool isOpen() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }

    // Everything the program has written so far (and not yet taken).
    QByteArray takeWritten();
    // Writes all the bytes; meant for what fits the line's buffer (a few kB).
    void write(const QByteArray &bytes);
    // Writes what the line takes now, without waiting; returns how much.
    qsizetype writeSome(const QByteArray &bytes);
    void close();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
};
