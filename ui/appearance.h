#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>

#include <QString>

#include <string>
#include <string_view>

#include "accessiblenames.h"

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
//   setUpForm<Ui::GoldenSectionWindow>(*this, this);
template <typename Form, typename Window>
void setUpForm(Form &form, Window *window)
{
    nameComboBoxesByTheirLabels();
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

// Shows a text of the engine in a field; a field already showing it is left
// alone, since rewriting it would move the user's cursor. A read-only
// (result) field shows the engine's words, such as kNoBreakEven (context
// "Trade"), in the language shown and keeps the engine's own text for
// fieldText() and retranslateField(); what the user types is never changed.
void showText(QLineEdit *field, const std::string &text);
// The text of a field as the engine wrote it, or as the user typed it.
std::string fieldText(const QLineEdit *field);
// A field showing the engine's words shows them in the language now shown.
void retranslateField(QLineEdit *field);

// Enter in a window that is not a dialog: presses a focused push button, or
// else the window's default button. False for any other key.
bool pressButtonOnEnter(QKeyEvent *event, QWidget *focus, QPushButton *defaultButton);

// Gives a window a fixed client size with minimise and close boxes but no
// maximise box.
void makeFixedSizeWindow(QWidget *window);

// Fixes a window's size again after its texts changed language, so that
// none is cut off: its `design` size, wider where its layout needs more
// room (texts change width, not height), or without one the size its
// layout asks for.
void fitFixedSize(QWidget *window, QSize design = {});
// Makes a window's layouts ask its widgets again for the room they need.
void forgetSizes(QWidget *window);

} // namespace tallyfin
