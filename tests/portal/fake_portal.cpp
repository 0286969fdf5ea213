// A stand-in for the desktop portal's Screenshot interface on the test's
// private bus, answering every request with the response it was started with:
//   fake_portal RESPONSE PICTURE
// RESPONSE: 0 (Screenshot: PICTURE, a PNG; PickColor: #123456 as red 0x12,
// green 0x34, blue 0x56), 1 (cancelled), 2 (refused), "silent" (never
// answers), "no-interface" (the portal's object lacks the interface).
// Like a quick portal, it answers before the call returns, so a client that
// listens for the answer only after the call misses it.
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QUrl>

namespace {

class FakeScreenshotPortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")

public:
    FakeScreenshotPortal(QString response, QString picture) : m_response(response), m_picture(picture) {}

public Q_SLOTS:
    QDBusObjectPath Screenshot(const QString &, const QVariantMap &options, const QDBusMessage &call)
    {
        // The capture frames the picture itself: the desktop must not ask.
        if (options.value(QStringLiteral("interactive")) != QVariant(false))
            return answer(call, options, QStringLiteral("2"), {});
        return answer(call, options, m_response, {{QStringLiteral("uri"), QUrl::fromLocalFile(m_picture).toString()}});
    }

    QDBusObjectPath PickColor(const QString &, const QVariantMap &options, const QDBusMessage &call)
    {
        QDBusArgument color;
        color.beginStructure();
        color << 0x12 / 255.0 << 0x34 / 255.0 << 0x56 / 255.0;
        color.endStructure();
        return answer(call, options, m_response, {{QStringLiteral("color"), QVariant::fromValue(color)}});
    }

private:
    static QDBusObjectPath answer(const QDBusMessage &call, const QVariantMap &options, const QString &response,
                                  const QVariantMap &results)
    {
        const QString sender = call.service().mid(1).replace(u'.', u'_');
        const QString path = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2")
                                 .arg(sender, options.value(QStringLiteral("handle_token")).toString());
        if (response != QLatin1String("silent")) {
            QDBusMessage signal =
                QDBusMessage::createSignal(path, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
            signal << response.toUInt() << (response == QLatin1String("0") ? results : QVariantMap());
            QDBusConnection::sessionBus().send(signal);
        }
        return QDBusObjectPath(path);
    }

    QString m_response;
    QString m_picture;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3)
        return 2;
    FakeScreenshotPortal portal(arguments[1], arguments[2]);
    QObject bare;
    QObject *desktop = arguments[1] == QLatin1String("no-interface") ? &bare : &portal;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), desktop, QDBusConnection::ExportAllSlots)
        || !bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop")))
        return 1;
    return QCoreApplication::exec();
}

#include "fake_portal.moc"
