#include "platform.h"

#include <QGuiApplication>
#include <QUrl>

#include "portal.h"
#include "qtplatform.h"

namespace tallyfin {

namespace {

Platform *g_current = nullptr;
Platform &(*g_program)() = nullptr;

Platform &desktopPlatform()
{
    const bool wayland = isWaylandSession(QGuiApplication::platformName(), qEnvironmentVariable("XDG_SESSION_TYPE"),
                                          qEnvironmentVariable("WAYLAND_DISPLAY"));
    if (wayland) {
        static PortalPlatform portal;
        return portal;
    }
    static QtPlatform desktop;
    return desktop;
}

} // namespace

Platform &platform()
{
    if (g_program)
        return g_program();
    if (!g_current)
        g_current = &desktopPlatform();
    return *g_current;
}

std::optional<QList<QByteArray>> Platform::openFileNames(QWidget *owner, const QString &filter)
{
    if (const std::optional<QByteArray> path = openFileName(owner, filter))
        return QList<QByteArray>{*path};
    return std::nullopt;
}

void Platform::requestScreenGrab(QRect area, QObject *, std::function<void(const ScreenGrab &)> done)
{
    QImage picture = grabScreen(area);
    const ScreenAnswer answer = picture.isNull() ? ScreenAnswer::Failed : ScreenAnswer::Given;
    done({answer, std::move(picture)});
}

void Platform::requestColorPick(QObject *, std::function<void(const ColorPick &)> done)
{
    const std::optional<QRgb> color = screenPixel(cursorPosition());
    done(color ? ColorPick{ScreenAnswer::Given, *color} : ColorPick{});
}

PlatformOverride::PlatformOverride(Platform &replacement) : m_previous(&platform())
{
    g_current = &replacement;
}

PlatformOverride::~PlatformOverride() { g_current = m_previous; }

void followPlatformOf(Platform &(*programPlatform)())
{
    g_program = programPlatform == &platform ? nullptr : programPlatform;
}

std::string localeSeparator() { return platform().decimalSeparator().toStdString(); }

QByteArray localFilePath(const QUrl &url)
{
    // The encoded path keeps every byte as %XX; decoding it to a QString
    // would turn the bytes that are no UTF-8 into U+FFFD.
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
}

QString decimalSeparatorFrom(const QString &localeDecimalPoint)
{
    // One user-visible character, which may take two UTF-16 units.
    const bool oneCharacter = localeDecimalPoint.size() == 1
                              || (localeDecimalPoint.size() == 2 && localeDecimalPoint.at(0).isHighSurrogate());
    return oneCharacter ? localeDecimalPoint : QStringLiteral(".");
}

bool isWaylandSession(const QString &qtPlatform, const QString &sessionType, const QString &waylandDisplay)
{
    if (qtPlatform.startsWith(QLatin1String("wayland")))
        return true;
    // Other platforms than X11 (offscreen, VNC) have screens of their own.
    if (qtPlatform != QLatin1String("xcb"))
        return false;
    // A session started from a console says "tty"; WAYLAND_DISPLAY then
    // tells whether a compositor runs the X server.
    if (sessionType == QLatin1String("wayland") || sessionType == QLatin1String("x11"))
        return sessionType == QLatin1String("wayland");
    return !waylandDisplay.isEmpty();
}

} // namespace tallyfin
