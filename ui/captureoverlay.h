#pragma once

#include <QImage>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <QWidget>

class QRegion;

namespace tallyfin {

struct ScreenGrab;

// The capture overlay: a frameless window over the whole screen showing the
// screen as it was when the capture began. The user drags a rectangle on it
// (a blue rubber band) and the frozen image inside the rectangle is saved as
// a BMP file; Escape or a release that encloses no area ends it without a
// file. The overlay holds the keyboard while it is shown. The main window
// stays open beneath and is brought forward after (see ended).
class CaptureOverlay : public QWidget {
    Q_OBJECT

public:
    explicit CaptureOverlay(QWidget *parent = nullptr);

    // Asks for the screen under the pointer, then freezes it and lays the
    // overlay over it. The overlay appears once the desktop has answered (at
    // once on X11); a cancel ends the capture as Escape does, a refusal or a
    // screen that could not be read is reported, and nothing is saved.
    void startCapture();

    // Positions are overlay coordinates, which are also the captured screen's
    // coordinates: the overlay starts at the screen's top-left corner.
    void pressAt(QPoint position);
    void dragTo(QPoint position);
    // Throws EFCreateError when the file cannot be written; the overlay then
    // stays for another try.
    void releaseAt(QPoint position);

Q_SIGNALS:
    // The capture is over, saved or not: the main window comes forward.
    void ended();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct SelectionBand {
        bool active = false;
        QPoint anchor;
        QPoint corner;
    };

    void resetOverlay();
    void freezeScreen(QRect geometry, const ScreenGrab &grab);
    void drawOutline(QPoint corner);
    QRegion outlineRegion(QPoint corner) const;
    QPoint clampedPosition(QPointF position) const;
    QRect devicePixels(QRect area) const;
    void holdKeyboard();
    void endCapture();

    // A screen request is on its way: another start waits for its answer.
    bool m_asking = false;
    SelectionBand m_band;
    QPen m_pen;
    // The screen as grabbed, in device pixels, and what the overlay shows:
    // the same with the band inverted onto it.
    QImage m_frozen;
    QImage m_shown;
};

} // namespace tallyfin
