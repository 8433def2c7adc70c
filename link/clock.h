#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// The local time zone's offset from UTC, looked up again only when the
// minute changes. Asking the system for it each time stats the zone file.
struct LocalOffsetCache
{
    qint64 minute = -1; // minutes since the epoch of the last look-up
    int offsetSeconds = 0;
};

// The local date and time at an instant (milliseconds since the epoch),
// with the zone's offset taken from the cache while the minute lasts. Zones
// change their offset only at a whole minute.
QDateTime localTimeAt(qint64 msecsSinceEpoch, LocalOffsetCache &cache);

// Where the program reads the time of day and the date. Tests hand in a
// clock that says what they want, so file names and hit times are testable.
// The system clock is read every poll tick.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const
    {
        return localTimeAt(QDateTime::currentMSecsSinceEpoch(), m_offset);
    }

private:
    mutable LocalOffsetCache m_offset;
};

// A clock that always answers the time it was last set to.
class FixedClock : public Clock
{
public:
    explicit FixedClock(QDateTime at = {}) : m_at(at) {}
    QDateTime now() const override { return m_at; }
    void set(QDateTime at) { m_at = at; }
    void advanceSecs(int secs) { m_at = m_at.addSecs(secs); }

private:
    QDateTime m_at;
};

// A time format without its time zone tokens ("t", "tt", ...: a run of t
// standing alone as a word) and the blanks before each.
QString withoutTimeZone(const QString &format);

// The locale's own time format, with seconds and without a time zone
// (e.g. "h:mm:ss AP" in the United States, "HH:mm:ss" in Germany).
QString timeOfDayFormat(const QLocale &locale = QLocale::system());

// The time of day in that format ("3:45:12 PM", "15:45:12").
QString timeOfDayText(QTime time, const QLocale &locale = QLocale::system());
// The same with a format worked out once, for callers that ask every tick.
QString timeOfDayText(QTime time, const QLocale &locale, const QString &format);

// The run's date as "mm-dd-yyyy", e.g. "12-06-2026".
QString dateText(QDate date);
