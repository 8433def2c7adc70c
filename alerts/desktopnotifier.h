#pragma once

#include <QDBusAbstractInterface>
#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

// The desktop's notification service as the session bus offers it.
class NotificationService : public QDBusAbstractInterface
{
    Q_OBJECT
public:
    NotificationService(const QDBusConnection &bus, QObject *parent);

Q_SIGNALS:
    void ActionInvoked(uint id, const QString &actionKey);
};

// Shows desktop notices through org.freedesktop.Notifications. The calls
// never wait: the service's capabilities are asked once, before the first
// notice, and each answer comes back through the event loop. Where the
// service offers actions, a notice carries "Open".
class DesktopNotifier : public QObject
{
    Q_OBJECT
public:
    explicit DesktopNotifier(const QDBusConnection &bus, QObject *parent = nullptr);

    void notify(const QString &summary, const QString &body);

    // Known once the service has answered (or failed to).
    bool offersActions() const { return m_actions; }

Q_SIGNALS:
    // The user chose "Open" on one of our notices.
    void openRequested();
    // A notice could not be shown; why, in words for the user.
    void failed(const QString &why, const QString &summary);

private:
    struct Notice
    {
        QString summary;
        QString body;
    };
    void askCapabilities();
    void send(const Notice &notice);

    QDBusConnection m_bus;
    NotificationService *m_service = nullptr;
    bool m_asked = false;
    bool m_known = false;
    bool m_actions = false;
    bool m_markup = false;
    QList<Notice> m_waiting;
    QSet<uint> m_ours;
};
