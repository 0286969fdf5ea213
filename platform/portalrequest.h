#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <chrono>
#include <functional>

#include "platform.h"

class QDBusPendingCallWatcher;

namespace tallyfin {

// One call of the portal's Screenshot interface and the answer to it. The
// portal answers later, in the Response signal of a request object whose
// path follows from our unique bus name and the handle_token we send; the
// request listens on that path before it calls, so that an answer sent at
// once is not missed. It is a child of the caller's context object and ends
// unanswered with it; otherwise it answers exactly once and then deletes
// itself.
class PortalRequest : public QObject {
    Q_OBJECT

public:
    using Done = std::function<void(ScreenAnswer answer, const QVariantMap &results)>;

    static void send(const QDBusConnection &bus, const QString &method, QVariantMap options, QObject *context,
                     std::chrono::milliseconds patience, Done done);

private Q_SLOTS:
    // The Request interface's signal: 0 given, 1 cancelled by the user,
    // 2 ended otherwise (refused).
    void onResponse(uint response, const QVariantMap &results);

private:
    PortalRequest(const QDBusConnection &bus, QObject *context, Done done);
    bool listen(const QString &path);
    void onCallFinished(QDBusPendingCallWatcher *call);
    void giveUp();
    void finish(ScreenAnswer answer, const QVariantMap &results = {});

    QDBusConnection m_bus;
    QString m_path;
    Done m_done;
};

} // namespace tallyfin
