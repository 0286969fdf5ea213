#include "captureoverlay.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "bitmapfile.h"
#include "errors.h"
#include "handler.h"
#include "platform.h"
#include "screenreading.h"

namespace tallyfin {

namespace {

QScreen *screenUnderPointer()
{
    QScreen *screen = QGuiApplication::screenAt(platform().cursorPosition());
    return screen ? screen : QGuiApplication::primaryScreen();
}

// The pen reaches this far (in logical pixels) beyond the outline's lines,
// square caps included, with a pixel to spare for rounding.
constexpr int kOutlineReach = 4;

} // namespace

CaptureOverlay::CaptureOverlay(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TForm8"));
    // Every pixel comes from the frozen image: nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::StrongFocus);
    resetOverlay();
}

void CaptureOverlay::resetOverlay()
{
    m_band.active = false;
    m_pen = QPen(QColor(0, 0, 255), 3);
    m_pen.setJoinStyle(Qt::MiterJoin);
}

void CaptureOverlay::startCapture()
{
    if (isVisible() || m_asking)
        return;
    QScreen *screen = screenUnderPointer();
    if (!screen)
        throw Error("No screen to capture");
    const QRect geometry = screen->geometry();
    m_asking = true;
    platform().requestScreenGrab(geometry, this, [this, geometry](const ScreenGrab &grab) {
        runHandler([&] { freezeScreen(geometry, grab); });
    });
}

void CaptureOverlay::freezeScreen(QRect geometry, const ScreenGrab &grab)
{
    m_asking = false;
    if (grab.answer == ScreenAnswer::Cancelled)
        return endCapture();
    const QImage frozen = grab.picture.convertToFormat(QImage::Format_RGB32);
    // Saving a picture the desktop did not give would report a failure as
    // success: the overlay does not even appear.
    if (grab.answer != ScreenAnswer::Given || frozen.isNull())
        return reportScreenUnread(grab.answer == ScreenAnswer::Refused ? ScreenAnswer::Refused : ScreenAnswer::Failed);
    m_frozen = frozen;
    // The grab has one pixel per device pixel; the overlay is laid out in
    // logical pixels.
    m_frozen.setDevicePixelRatio(qreal(m_frozen.width()) / geometry.width());
    m_shown = m_frozen;
    m_band = SelectionBand{};
    // Without a window manager a full-screen window keeps its own size, so
    // it must already have the screen's.
    setGeometry(geometry);
    showFullScreen();
    raise();
    activateWindow();
    holdKeyboard();
}

// Escape must end the capture wherever the window manager puts the focus,
// so the overlay takes the keyboard while it is shown. The desktop grants
// the grab only to a window on screen: it is asked again each time the
// overlay is exposed (mapped), which follows the show.
void CaptureOverlay::holdKeyboard()
{
    windowHandle()->installEventFilter(this);
    grabKeyboard();
}

bool CaptureOverlay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose && isVisible() && windowHandle()->isExposed())
        grabKeyboard();
    return QWidget::eventFilter(watched, event);
}

void CaptureOverlay::pressAt(QPoint position)
{
    // No frozen screen, no capture running: nothing to select from.
    if (m_frozen.isNull())
        return;
    if (m_band.active)
        drawOutline(m_band.corner);
    m_band.active = true;
    m_band.anchor = position;
    m_band.corner = position;
}

void CaptureOverlay::dragTo(QPoint position)
{
    if (!m_band.active)
        return;
    drawOutline(m_band.corner);
    m_band.corner = position;
    drawOutline(m_band.corner);
}

void CaptureOverlay::releaseAt(QPoint position)
{
    if (!m_band.active)
        return;
    m_band.active = false;
    drawOutline(m_band.corner);
    const QPoint anchor = m_band.anchor;
    const QRect area(QPoint(std::min(anchor.x(), position.x()), std::min(anchor.y(), position.y())),
                     QSize(std::abs(position.x() - anchor.x()), std::abs(position.y() - anchor.y())));
    // A click or a drag along one axis encloses no picture: nothing to save.
    if (area.isEmpty()) {
        endCapture();
        return;
    }
    const QImage picture = m_frozen.copy(devicePixels(area));
    const std::optional<QString> name = platform().saveFileName(this, QStringLiteral("*.bmp"));
    if (name)
        saveBitmap(picture, bmpFileName(*name));
    endCapture();
}

void CaptureOverlay::drawOutline(QPoint corner)
{
    // A point has no outline; drawing one would leave a dot behind, since
    // the erasing call for it is skipped the same way.
    const QPoint anchor = m_band.anchor;
    if (corner == anchor || m_shown.isNull())
        return;
    QPainter painter(&m_shown);
    painter.setPen(m_pen);
    // Not-xor twice gives back the pixels beneath: the same call erases.
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    const QPoint outline[] = {anchor, {corner.x(), anchor.y()}, corner, {anchor.x(), corner.y()}, anchor};
    painter.drawPolyline(outline, 5);
    painter.end();
    update(outlineRegion(corner));
}

QRegion CaptureOverlay::outlineRegion(QPoint corner) const
{
    const QRect lines = QRect(m_band.anchor, corner).normalized();
    const QRegion outer(lines.adjusted(-kOutlineReach, -kOutlineReach, kOutlineReach, kOutlineReach));
    const QRect inner = lines.adjusted(kOutlineReach, kOutlineReach, -kOutlineReach, -kOutlineReach);
    return inner.isValid() ? outer.subtracted(QRegion(inner)) : outer;
}

QRect CaptureOverlay::devicePixels(QRect area) const
{
    const qreal ratio = m_frozen.devicePixelRatio();
    const QPoint topLeft(qRound(area.x() * ratio), qRound(area.y() * ratio));
    const QPoint end(qRound((area.x() + area.width()) * ratio), qRound((area.y() + area.height()) * ratio));
    return {topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y())};
}

QPoint CaptureOverlay::clampedPosition(QPointF position) const
{
    // While a button is down the pointer may leave the overlay (onto another
    // screen); the selection stops at the overlay's edge.
    return {std::clamp(qRound(position.x()), 0, width()), std::clamp(qRound(position.y()), 0, height())};
}

void CaptureOverlay::endCapture()
{
    m_band = SelectionBand{};
    m_frozen = QImage();
    m_shown = QImage();
    releaseKeyboard();
    hide();
    Q_EMIT ended();
}

void CaptureOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_shown);
}

void CaptureOverlay::mousePressEvent(QMouseEvent *event)
{
    const QPoint position = clampedPosition(event->position());
    runHandler([this, position] { pressAt(position); });
}

void CaptureOverlay::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint position = clampedPosition(event->position());
    runHandler([this, position] { dragTo(position); });
}

void CaptureOverlay::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint position = clampedPosition(event->position());
    runHandler([this, position] { releaseAt(position); });
}

void CaptureOverlay::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape) {
        QWidget::keyPressEvent(event);
        return;
    }
    runHandler([this] { endCapture(); });
}

void CaptureOverlay::closeEvent(QCloseEvent *event)
{
    // Closed by the window manager: the capture ends as with Escape.
    event->ignore();
    runHandler([this] { endCapture(); });
}

} // namespace tallyfin
