#pragma once

#include <QColor>
#include <QFont>

class QLineEdit;
class QWidget;

namespace tallyfin {

enum class FieldColor;

// The program's type: 宋体 at 13 pixels, with the fonts that give Simplified
// Chinese glyphs on machines without it (without an explicit list, Qt may
// fall back to Japanese shapes under a neutral locale).
QFont windowFont();

// Red for a gain and green for no gain, as the result fields show them.
inline const QColor kGainColor(255, 0, 0);
inline const QColor kNoGainColor(0, 128, 0);

// Paints a line edit's background in a result colour, or back to the normal
// field colour.
void setFieldColor(QLineEdit *field, FieldColor color);

// Moves a top-level window to the centre of the screen it is on.
void centreOnScreen(QWidget *window);

// Shows a window, or brings it forward when it is already shown.
void showInFront(QWidget *window);

// Gives a window a fixed client size with minimise and close boxes but no
// maximise box.
void makeFixedSizeWindow(QWidget *window);

} // namespace tallyfin
