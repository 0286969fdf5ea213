#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <optional>
#include <string>

class QObject;
class QUrl;
class QWidget;

namespace tallyfin {

// What the desktop answered when asked to read the screen.
enum class ScreenAnswer {
    Given,     // the picture or the colour is there
    Cancelled, // the user declined in the desktop's own dialog
    Refused,   // the desktop does not let this program read the screen
    Failed,    // asked, but nothing usable came back (in time)
};

struct ScreenGrab {
    ScreenAnswer answer = ScreenAnswer::Failed;
    // One pixel per device pixel; null unless the answer is Given.
    QImage picture;
};

struct ColorPick {
    ScreenAnswer answer = ScreenAnswer::Failed;
    QRgb color = 0;
};

// The program's seam to the desktop. Windows ask the current platform for
// every message box, web page, screen read, file dialog and window-layer
// change, so that tests can replace it with a fake that records the calls
// and answers from a script. QtPlatform is the real desktop; PortalPlatform
// is the same in a Wayland session, where the screen is read through the
// desktop's portal.
class Platform {
public:
    virtual ~Platform() = default;

    // The box for a missing input: owned by `owner`, caption "错误", one OK
    // button, no icon. Returns when the user has dismissed it.
    virtual void showValidationBox(QWidget *owner, const QString &text) = 0;

    // The box for an error that ended a handler: stop icon, one OK button,
    // the empty application title as caption; every window is disabled
    // until it is dismissed.
    virtual void showErrorBox(const QString &text) = 0;

    // Opens an address with the desktop's default handler; neither waits
    // for nor reports the outcome.
    virtual void openWebPage(const QString &address) = 0;

    // Puts a top-level window into the topmost layer or takes it out,
    // without moving, resizing or re-creating it.
    virtual void setAlwaysOnTop(QWidget *window, bool onTop) = 0;

    // The first character of the user locale's decimal separator, or "."
    // when the locale gives none or a longer one. Read at each use, so a
    // change of the locale reaches the next calculation.
    virtual QString decimalSeparator() = 0;

    // The mouse pointer in screen coordinates.
    virtual QPoint cursorPosition() = 0;

    // The colour of one screen pixel, or nullopt where no screen is.
    virtual std::optional<QRgb> screenPixel(QPoint position) = 0;

    // What the screen shows in `area` (screen coordinates), one image pixel
    // per device pixel.
    virtual QImage grabScreen(QRect area) = 0;

    // The save-file dialog, owned by `owner`, with `filter` as its only
    // filter entry, no default extension and no overwrite prompt. nullopt
    // when the user cancels.
    virtual std::optional<QString> saveFileName(QWidget *owner, const QString &filter) = 0;

    // The open-file dialog for an existing file, owned by `owner`, offering
    // the filters of `filter` (separated by ";;"): the file's path as the
    // file system names it (see localFilePath). nullopt when the user cancels.
    virtual std::optional<QByteArray> openFileName(QWidget *owner, const QString &filter) = 0;

    // The same dialog choosing one or several existing files: their paths
    // (never empty), nullopt when the user cancels. By default the one file
    // of openFileName.
    virtual std::optional<QList<QByteArray>> openFileNames(QWidget *owner, const QString &filter);

    // Whether the colour picker may read the pixel under the pointer at will
    // (false), or the desktop lets the user click one point for it
    // (requestColorPick).
    virtual bool picksColorOnClick() { return false; }

    // Asks for what the screen shows in `area` (screen coordinates). `done`
    // runs with the answer on the user-interface thread, at once or later,
    // never after `context` is destroyed. By default it is grabScreen's
    // picture, at once; a null picture is Failed.
    virtual void requestScreenGrab(QRect area, QObject *context, std::function<void(const ScreenGrab &)> done);

    // Asks for one colour of the user's choice, answered as above. By
    // default the pixel under the pointer, at once.
    virtual void requestColorPick(QObject *context, std::function<void(const ColorPick &)> done);
};

// The platform every window uses, unless a test installed another one:
// chosen on first use (after the application exists) by isWaylandSession.
Platform &platform();

// Code loaded into the program (the statement window's plugin) holds a copy
// of this file: it asks the program's platform() instead, so that the whole
// program has one desktop and a test's fake answers for every window. Given
// this copy's own platform(), nothing changes.
void followPlatformOf(Platform &(*programPlatform)());

// Installs `replacement` for the lifetime of this object (tests), restoring
// the previous platform afterwards.
class PlatformOverride {
public:
    explicit PlatformOverride(Platform &replacement);
    ~PlatformOverride();
    PlatformOverride(const PlatformOverride &) = delete;
    PlatformOverride &operator=(const PlatformOverride &) = delete;

private:
    Platform *m_previous;
};

// The current platform's decimal separator as the engine takes it (UTF-8):
// every window reads the numbers typed and shows its figures with it.
std::string localeSeparator();

// The path of a local file's URL as the file system names it: the bytes the
// URL carries, which need not be UTF-8 (names unpacked from an archive made
// on Windows are often GBK). A path decoded to a QString loses such bytes
// for good, so that the file could not be opened by it.
//   file:///tmp/%D6%D0.csv -> "/tmp/\xD6\xD0.csv"
QByteArray localFilePath(const QUrl &url);

// The separator rule on a locale's decimal-point text.
//   decimalSeparatorFrom(",") -> ","   decimalSeparatorFrom("") -> "."
QString decimalSeparatorFrom(const QString &localeDecimalPoint);

// Whether the program runs in a Wayland session, where only the desktop's
// portal reads the screen: Qt speaks Wayland, or Qt speaks X11 to XWayland
// and the session's type (else WAYLAND_DISPLAY) says Wayland.
//   isWaylandSession("wayland", "", "")           -> true
//   isWaylandSession("xcb", "wayland", "")        -> true
//   isWaylandSession("xcb", "tty", "wayland-1")   -> true
//   isWaylandSession("xcb", "x11", "wayland-1")   -> false
//   isWaylandSession("offscreen", "wayland", "")  -> false
bool isWaylandSession(const QString &qtPlatform, const QString &sessionType, const QString &waylandDisplay);

} // namespace tallyfin
