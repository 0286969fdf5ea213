#pragma once

#include <QWidget>

#include "ui_colorpicker.h"

class QTimer;

namespace tallyfin {

struct ColorPick;

// "颜色代码选取器": while running, shows the colour under the mouse pointer
// as the window's background and as the code chart software expects.
// It takes the main window's place while it is open: closing only hides it
// and asks for the main window back. Where the desktop
// lets the user click the colour instead (Wayland), "开始" asks for one pick
// and runs until the answer, and the hint says so.
class ColorPickerWindow : public QWidget, private Ui::ColorPickerWindow {
    Q_OBJECT

public:
    explicit ColorPickerWindow(QWidget *parent = nullptr);

    // "开始"/"停止" (also Enter).
    void startStopClicked();
    // One sample: the pixel under the pointer.
    void sampleUnderPointer();

Q_SIGNALS:
    // The window closed and stopped picking: the main window comes back.
    void closed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void showTexts();
    void fitToTexts();
    void resetPicker();
    void stopPicking();
    void setBackground(const QColor &color);
    void askForPick();
    void showPick(unsigned request, const ColorPick &pick);

    QTimer *m_sampleTimer;
    // The pick whose answer is awaited, 0 for none; earlier ones are stale.
    unsigned m_awaitedPick = 0;
    unsigned m_picks = 0;
};

} // namespace tallyfin
