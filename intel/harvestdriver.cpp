#include "intel/harvestdriver.h"

HarvestDriver::HarvestDriver(RadioExchange &exchange, QObject *parent)
    : QObject(parent), m_exchange(exchange)
{
    connect(&m_exchange, &RadioExchange::answered, this, &HarvestDriver::onAnswered);
}

void HarvestDriver::start()
{
    m_running = true;
    m_exchange.ask(m_walk.start());
}

void HarvestDriver::cancel()
{
    if (!m_running)
        return;
    m_running = false;
    m_exchange.cancel();
}

void HarvestDriver::onAnswered(const QByteArray &reply)
{
    if (!m_running)
        return;
    const QByteArray command = m_walk.next(reply);
    Q_EMIT progressed();
    // A handler of progressed() may have cancelled the walk.
    if (!m_running)
        return;
    if (command.isEmpty()) {
        m_running = false;
        Q_EMIT finished();
        return;
    }
    m_exchange.ask(command);
}
