#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>

#include <QString>

#include <string>
#include <string_view>

class QKeyEvent;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tallyfin {

enum class FieldColor;

// The program's type: 宋体 at 13 pixels, with the fonts that give Simplified
// Chinese glyphs on machines without it (without an explicit list, Qt may
// fall back to Japanese shapes under a neutral locale).
QFont windowFont();

// Builds a window's widgets from its Designer form in the program's font,
// set first so that the widgets are laid out once, in it. Called in the
// window's constructor, where its private form base is reachable:
//   setUpForm<Ui::TForm2>(*this, this);
template <typename Form, typename Window>
void setUpForm(Form &form, Window *window)
{
    window->setFont(windowFont());
    form.setupUi(window);
}

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

enum class Side { Left, Right };

// Where a window of `size` (frame included) opens beside the frame `anchor`:
// on the preferred side, on the other side when only that one has room, and
// always moved back onto the `available` screen area.
//   anchor (400,200 820×420), size 260×480, screen 1280×800, Left -> (132,200)
QPoint placeBeside(const QRect &anchor, const QSize &size, const QRect &available, Side preferred);

// Moves a window beside another one on that window's screen.
void moveBeside(QWidget *window, const QWidget *anchor, Side preferred);

// A text of the engine (UTF-8) for a widget.
//   uiText("卖出数量必须设置初始值")
inline QString uiText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Shows a text in a field; a field already showing it is left alone, since
// rewriting it would move the user's cursor.
void showText(QLineEdit *field, const std::string &text);

// Enter in a window that is not a dialog: presses a focused push button, or
// else the window's default button. False for any other key.
bool pressButtonOnEnter(QKeyEvent *event, QWidget *focus, QPushButton *defaultButton);

// Gives a window a fixed client size with minimise and close boxes but no
// maximise box.
void makeFixedSizeWindow(QWidget *window);

} // namespace tallyfin
