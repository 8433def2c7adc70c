#pragma once

#include <QHash>
#include <QList>
#include <QString>

// Failed log-ins per address: after `most` of them within `windowMs`, the
// address is refused until the oldest of them is that old. Times are given
// by the caller in ms (any clock that only goes forward); nothing runs
// between log-ins.
class LoginLimit
{
public:
    LoginLimit(int most, qint64 windowMs) : m_most(most), m_windowMs(windowMs) {}

    bool allows(const QString &address, qint64 nowMs);
    void failed(const QString &address, qint64 nowMs);

private:
    int m_most;
    qint64 m_windowMs;
    QHash<QString, QList<qint64>> m_failures;
};
