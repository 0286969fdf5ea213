#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <chrono>

#include "qtplatform.h"

namespace tallyfin {

// The desktop of a Wayland session: everything as QtPlatform, except that
// only the XDG desktop portal (org.freedesktop.portal.Screenshot, over
// D-Bus) reads the screen, and only on request: a non-interactive
// Screenshot for the capture, PickColor for the colour picker.
class PortalPlatform : public QtPlatform {
public:
    // `busName` names a connection made with QDBusConnection::connectToBus;
    // empty is the session bus. An answer that takes longer than `patience`
    // (the user may be choosing in the desktop's dialog) is Failed.
    explicit PortalPlatform(QString busName = {}, std::chrono::milliseconds patience = std::chrono::minutes(2));

    // The screen cannot be read at will here: no pixel, a null picture.
    std::optional<QRgb> screenPixel(QPoint position) override;
    QImage grabScreen(QRect area) override;

    bool picksColorOnClick() override { return true; }
    void requestScreenGrab(QRect area, QObject *context, std::function<void(const ScreenGrab &)> done) override;
    void requestColorPick(QObject *context, std::function<void(const ColorPick &)> done) override;

private:
    QString m_busName;
    std::chrono::milliseconds m_patience;
};

// Where the screen `area` (logical pixels) lies in the portal's `picture`
// (device pixels), which shows either that screen alone or the bounding
// rectangle of all screens, `desktop`.
//   portalPictureArea({2560, 1600}, {0, 0, 1280, 800}, {0, 0, 1280, 800})
//     -> {0, 0, 2560, 1600}
//   portalPictureArea({3200, 800}, {1280, 0, 1920, 800}, {0, 0, 3200, 800})
//     -> {1280, 0, 1920, 800}
//   portalPictureArea({1920, 1080}, {1280, 0, 1920, 1080}, {0, 0, 3200, 1080})
//     -> {0, 0, 1920, 1080}   (that screen alone)
QRect portalPictureArea(QSize picture, QRect area, QRect desktop);

} // namespace tallyfin
