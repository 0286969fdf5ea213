#include "portal.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

#include <cmath>
#include <utility>

#include "portalrequest.h"

namespace tallyfin {

namespace {

QDBusConnection bus(const QString &name)
{
    return name.isEmpty() ? QDBusConnection::sessionBus() : QDBusConnection(name);
}

// The portal leaves the picture in a file and names it by its URI.
ScreenGrab screenGrabFrom(const QVariantMap &results, QRect area)
{
    const QUrl uri(results.value(QStringLiteral("uri")).toString());
    const QImage picture = uri.isLocalFile() ? QImage(uri.toLocalFile()) : QImage();
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (picture.isNull() || !primary)
        return {};
    const QImage cut = picture.copy(portalPictureArea(picture.size(), area, primary->virtualGeometry()));
    return {ScreenAnswer::Given, cut};
}

// The colour is "(ddd)": red, green and blue from 0 to 1.
ColorPick colorPickFrom(const QVariantMap &results)
{
    const QVariant color = results.value(QStringLiteral("color"));
    if (!color.canConvert<QDBusArgument>())
        return {};
    const QDBusArgument argument = color.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("(ddd)"))
        return {};
    double channels[3] = {};
    argument.beginStructure();
    argument >> channels[0] >> channels[1] >> channels[2];
    argument.endStructure();
    for (double channel : channels) {
        if (!(channel >= 0 && channel <= 1))
            return {};
    }
    const auto byte = [](double channel) { return static_cast<int>(std::lround(channel * 255)); };
    return {ScreenAnswer::Given, qRgb(byte(channels[0]), byte(channels[1]), byte(channels[2]))};
}

bool sameShape(QSize a, QSize b)
{
    return std::abs(qreal(a.width()) / b.width() - qreal(a.height()) / b.height()) < 0.01;
}

} // namespace

PortalPlatform::PortalPlatform(QString busName, std::chrono::milliseconds patience)
    : m_busName(std::move(busName)), m_patience(patience)
{
}

std::optional<QRgb> PortalPlatform::screenPixel(QPoint) { return std::nullopt; }

QImage PortalPlatform::grabScreen(QRect) { return {}; }

void PortalPlatform::requestScreenGrab(QRect area, QObject *context, std::function<void(const ScreenGrab &)> done)
{
    // Non-interactive: the user chooses the rectangle on our overlay, as on X11.
    const QVariantMap options = {{QStringLiteral("interactive"), false}};
    PortalRequest::send(bus(m_busName), QStringLiteral("Screenshot"), options, context, m_patience,
                        [area, done = std::move(done)](ScreenAnswer answer, const QVariantMap &results) {
                            done(answer == ScreenAnswer::Given ? screenGrabFrom(results, area) : ScreenGrab{answer, {}});
                        });
}

void PortalPlatform::requestColorPick(QObject *context, std::function<void(const ColorPick &)> done)
{
    PortalRequest::send(bus(m_busName), QStringLiteral("PickColor"), {}, context, m_patience,
                        [done = std::move(done)](ScreenAnswer answer, const QVariantMap &results) {
                            done(answer == ScreenAnswer::Given ? colorPickFrom(results) : ColorPick{answer, 0});
                        });
}

QRect portalPictureArea(QSize picture, QRect area, QRect desktop)
{
    const QRect shown = sameShape(picture, area.size()) ? area : desktop;
    const qreal ratio = qreal(picture.width()) / shown.width();
    const QPoint offset = area.topLeft() - shown.topLeft();
    const QPoint start(qRound(offset.x() * ratio), qRound(offset.y() * ratio));
    const QPoint end(qRound((offset.x() + area.width()) * ratio), qRound((offset.y() + area.height()) * ratio));
    return {start, QSize(end.x() - start.x(), end.y() - start.y())};
}

} // namespace tallyfin
