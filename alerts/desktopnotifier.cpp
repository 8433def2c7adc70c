#include "alerts/desktopnotifier.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

#include <utility>

namespace {

const QString serviceName = QStringLiteral("org.freedesktop.Notifications");
const QString openKey = QStringLiteral("open");
// The service's default action is a click on the notice itself.
const QString defaultKey = QStringLiteral("default");

} // namespace

NotificationService::NotificationService(const QDBusConnection &bus, QObject *parent)
    : QDBusAbstractInterface(serviceName, QStringLiteral("/org/freedesktop/Notifications"),
                             "org.freedesktop.Notifications", bus, parent)
{}

DesktopNotifier::DesktopNotifier(const QDBusConnection &bus, QObject *parent)
    : QObject(parent), m_bus(bus)
{}

void DesktopNotifier::notify(const QString &summary, const QString &body)
{
    if (!m_bus.isConnected()) {
        Q_EMIT failed(QStringLiteral("there is no session bus"), summary);
        return;
    }
    if (!m_known) {
        m_waiting.append({summary, body});
        askCapabilities();
        return;
    }
    send({summary, body});
}

void DesktopNotifier::askCapabilities()
{
    if (m_asked)
        return;
    m_asked = true;
    m_service = new NotificationService(m_bus, this);
    connect(m_service, &NotificationService::ActionInvoked, this,
            [this](uint id, const QString &key) {
                if (m_ours.contains(id) && (key == openKey || key == defaultKey))
                    Q_EMIT openRequested();
            });
    auto *watcher =
        new QDBusPendingCallWatcher(m_service->asyncCall(QStringLiteral("GetCapabilities")), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<QStringList> reply = *watcher;
        if (!reply.isError()) {
            m_actions = reply.value().contains(QStringLiteral("actions"));
            m_markup = reply.value().contains(QStringLiteral("body-markup"));
        }
        m_known = true;
        const QList<Notice> waiting = std::exchange(m_waiting, {});
        for (const Notice &notice : waiting)
            send(notice);
    });
}

void DesktopNotifier::send(const Notice &notice)
{
    const QStringList actions =
        m_actions ? QStringList{defaultKey, QStringLiteral("Open"), openKey, QStringLiteral("Open")}
                  : QStringList();
    // With markup the service reads "<" and "&" as its own.
    const QString body = m_markup ? notice.body.toHtmlEscaped() : notice.body;
    const QDBusPendingCall call =
        m_service->asyncCall(QStringLiteral("Notify"), QStringLiteral("Tollvane"), uint(0),
                             QString(), notice.summary, body, actions, QVariantMap(), int(-1));
    auto *watcher = new QDBusPendingCallWatcher(call, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, notice] {
        watcher->deleteLater();
        const QDBusPendingReply<uint> reply = *watcher;
        if (reply.isError())
            Q_EMIT failed(reply.error().message(), notice.summary);
        else
            m_ours.insert(reply.value());
    });
}
