#pragma once

#include "intel/harvestwalk.h"
#include "link/radioexchange.h"

#include <QObject>

// Plays the harvest walk on the radio's line, one exchange at a time on the
// event loop: the window stays live between and during the exchanges.
class HarvestDriver : public QObject
{
    Q_OBJECT
public:
    explicit HarvestDriver(RadioExchange &exchange, QObject *parent = nullptr);

    // Starts a walk from its beginning ("PRG").
    void start();
    // Ends the walk where it is; no finished() follows.
    void cancel();
    bool isRunning() const { return m_running; }
    const HarvestWalk &walk() const { return m_walk; }

Q_SIGNALS:
    // The walk took an answer; walk().progress() says where it is.
    void progressed();
    // The walk has ended; walk() holds what it found.
    void finished();

private:
    void onAnswered(const QByteArray &reply);

    RadioExchange &m_exchange;
    HarvestWalk m_walk;
    bool m_running = false;
};
