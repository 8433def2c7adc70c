#include "web/loginlimit.h"

namespace {

// Addresses remembered at most; past that the oldest failures are forgotten
// with the rest of the ones out of their window.
constexpr qsizetype mostAddresses = 1000;

} // namespace

bool LoginLimit::allows(const QString &address, qint64 nowMs)
{
    auto it = m_failures.find(address);
    if (it == m_failures.end())
        return true;
    while (!it->isEmpty() && nowMs - it->first() >= m_windowMs)
        it->removeFirst();
    if (it->isEmpty()) {
        m_failures.erase(it);
        return true;
    }
    return it->size() < m_most;
}

void LoginLimit::failed(const QString &address, qint64 nowMs)
{
    if (m_failures.size() >= mostAddresses && !m_failures.contains(address)) {
        m_failures.removeIf(
            [&](const auto &entry) { return nowMs - entry.value().last() >= m_windowMs; });
        if (m_failures.size() >= mostAddresses)
            m_failures.clear();
    }
    m_failures[address].append(nowMs);
}
