#include "appearance.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QPalette>
#include <QScreen>
#include <QWidget>

#include "trade.h"

namespace tallyfin {

QFont windowFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Source Han Sans SC"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Microsoft YaHei"), QStringLiteral("PingFang SC")});
    font.setPixelSize(13);
    return font;
}

void setFieldColor(QLineEdit *field, FieldColor color)
{
    // A palette with nothing set inherits every colour, the normal field
    // background included; only the result colours are set on top.
    QPalette palette;
    if (color == FieldColor::Red)
        palette.setColor(QPalette::Base, kGainColor);
    else if (color == FieldColor::Green)
        palette.setColor(QPalette::Base, kNoGainColor);
    field->setPalette(palette);
}

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void showInFront(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

void makeFixedSizeWindow(QWidget *window)
{
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                           | Qt::MSWindowsFixedSizeDialogHint);
    window->adjustSize();
    window->setFixedSize(window->size());
}

} // namespace tallyfin
