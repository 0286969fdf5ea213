#include "portalrequest.h"

#include <QApplication>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace tallyfin {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kDesktopPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kScreenshotInterface = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString kResponse = QStringLiteral("Response");

// The replies of a desktop that offers this program no screen reading: no
// portal, a portal without the Screenshot interface, a denial.
bool isRefusal(const QString &errorName)
{
    static const QStringList refusals = {
        QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown"),
        QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
        QStringLiteral("org.freedesktop.DBus.Error.UnknownInterface"),
        QStringLiteral("org.freedesktop.DBus.Error.UnknownObject"),
        QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"),
        QStringLiteral("org.freedesktop.portal.Error.NotAllowed"),
    };
    // The bus could not start a portal it knows of.
    return refusals.contains(errorName) || errorName.startsWith(QLatin1String("org.freedesktop.DBus.Error.Spawn."));
}

// The window a dialog of the desktop belongs over. A Wayland window would
// have to be exported through a protocol Qt 6.4 does not offer: none then.
QString parentWindow()
{
    const QWidget *window = QApplication::activeWindow();
    if (!window || QGuiApplication::platformName() != QLatin1String("xcb"))
        return {};
    return QStringLiteral("x11:%1").arg(window->winId(), 0, 16);
}

} // namespace

PortalRequest::PortalRequest(const QDBusConnection &bus, QObject *context, Done done)
    : QObject(context), m_bus(bus), m_done(std::move(done))
{
}

void PortalRequest::send(const QDBusConnection &bus, const QString &method, QVariantMap options, QObject *context,
                         std::chrono::milliseconds patience, Done done)
{
    auto *request = new PortalRequest(bus, context, std::move(done));
    // Without a session bus there is no portal either.
    if (!bus.isConnected())
        return request->finish(ScreenAnswer::Refused);
    static unsigned tokens = 0;
    const QString token = QStringLiteral("tallyfin%1").arg(++tokens);
    // The unique name ":1.42" appears in the path as "1_42".
    const QString sender = bus.baseService().mid(1).replace(u'.', u'_');
    if (!request->listen(QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token)))
        return request->finish(ScreenAnswer::Failed);
    options.insert(QStringLiteral("handle_token"), token);
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kDesktopPath, kScreenshotInterface, method);
    call << parentWindow() << options;
    const int timeout = static_cast<int>(patience.count());
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, timeout), request);
    connect(watcher, &QDBusPendingCallWatcher::finished, request, &PortalRequest::onCallFinished);
    QTimer::singleShot(patience, request, &PortalRequest::giveUp);
}

bool PortalRequest::listen(const QString &path)
{
    if (!m_path.isEmpty())
        m_bus.disconnect(kService, m_path, kRequestInterface, kResponse, this, SLOT(onResponse(uint,QVariantMap)));
    m_path = path;
    // QtDBus connects D-Bus signals by the slot's signature only.
    return m_bus.connect(kService, path, kRequestInterface, kResponse, this, SLOT(onResponse(uint,QVariantMap)));
}

void PortalRequest::onCallFinished(QDBusPendingCallWatcher *call)
{
    call->deleteLater();
    if (!m_done)
        return;
    const QDBusPendingReply<QDBusObjectPath> reply = *call;
    if (reply.isError())
        return finish(isRefusal(reply.error().name()) ? ScreenAnswer::Refused : ScreenAnswer::Failed);
    // Portals older than the handle_token option choose the path themselves.
    const QString path = reply.value().path();
    if (path != m_path && !listen(path))
        finish(ScreenAnswer::Failed);
}

void PortalRequest::onResponse(uint response, const QVariantMap &results)
{
    if (!m_done)
        return;
    switch (response) {
    case 0:
        return finish(ScreenAnswer::Given, results);
    case 1:
        return finish(ScreenAnswer::Cancelled);
    case 2:
        return finish(ScreenAnswer::Refused);
    default:
        return finish(ScreenAnswer::Failed);
    }
}

void PortalRequest::giveUp()
{
    if (!m_done)
        return;
    // The desktop's dialog, if any, goes away; whatever it answers is too late.
    m_bus.asyncCall(QDBusMessage::createMethodCall(kService, m_path, kRequestInterface, QStringLiteral("Close")));
    finish(ScreenAnswer::Failed);
}

void PortalRequest::finish(ScreenAnswer answer, const QVariantMap &results)
{
    if (!m_done)
        return;
    if (!m_path.isEmpty())
        m_bus.disconnect(kService, m_path, kRequestInterface, kResponse, this, SLOT(onResponse(uint,QVariantMap)));
    const Done done = std::exchange(m_done, nullptr);
    deleteLater();
    done(answer, results);
}

} // namespace tallyfin
