#include "appearance.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

#include <algorithm>

#include "trade.h"
#include "translatedtext.h"

namespace tallyfin {

QFont windowFont()
{
    // The Chinese system font of each platform first, then the free CJK
    // families. Only the installed ones are named: every absent family
    // costs a fallback lookup for each text until a present one is found.
    // They are looked up in the list of registered families, which Qt loads
    // anyway: QFontDatabase::hasFamily() runs fontconfig's substitution
    // rules for each name (about 1 M instructions apiece with Debian's rules)
    // and finds nothing more for these names. A localised name that is only
    // an alias (宋体 beside SimSun) is left out: its font is kept by its
    // other name.
    static const QStringList installed = [] {
        const QStringList registered = QFontDatabase::families();
        QStringList families;
        for (const char *family : {"SimSun", "宋体", "Noto Sans CJK SC", "Source Han Sans SC", "WenQuanYi Micro Hei",
                                   "Microsoft YaHei", "PingFang SC"}) {
            const QString name = QString::fromUtf8(family);
            if (registered.contains(name, Qt::CaseInsensitive))
                families << name;
        }
        return families;
    }();
    QFont font;
    if (!installed.isEmpty())
        font.setFamilies(installed);
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

QPoint placeBeside(const QRect &anchor, const QSize &size, const QRect &available, Side preferred)
{
    constexpr int gap = 8;
    const int left = anchor.left() - gap - size.width();
    const int right = anchor.right() + 1 + gap;
    const bool roomLeft = left >= available.left();
    const bool roomRight = right + size.width() <= available.right() + 1;
    int x = preferred == Side::Left ? left : right;
    if (preferred == Side::Left && !roomLeft && roomRight)
        x = right;
    else if (preferred == Side::Right && !roomRight && roomLeft)
        x = left;
    const int maxX = std::max(available.left(), available.right() + 1 - size.width());
    const int maxY = std::max(available.top(), available.bottom() + 1 - size.height());
    return {std::clamp(x, available.left(), maxX), std::clamp(anchor.top(), available.top(), maxY)};
}

void moveBeside(QWidget *window, const QWidget *anchor, Side preferred)
{
    const QScreen *screen = anchor->screen();
    if (!screen)
        return;
    // A window never shown yet does not know its frame: take the anchor's,
    // as the window manager decorates both alike.
    const QSize frame = anchor->frameGeometry().size() - anchor->size();
    window->move(placeBeside(anchor->frameGeometry(), window->size() + frame, screen->availableGeometry(), preferred));
}

namespace {

// The property of a result field holding the engine's text it shows translated.
constexpr const char *kEngineText = "tallyfinEngineText";

QString engineWords(const std::string &text) { return translated("Trade", text); }

} // namespace

void showText(QLineEdit *field, const std::string &text)
{
    const QString source = QString::fromStdString(text);
    const QString shown = field->isReadOnly() && !text.empty() ? engineWords(text) : source;
    field->setProperty(kEngineText, shown == source ? QVariant() : QVariant(source));
    if (field->text() != shown)
        field->setText(shown);
}

std::string fieldText(const QLineEdit *field)
{
    const QVariant source = field->property(kEngineText);
    if (source.isValid() && field->text() == engineWords(source.toString().toStdString()))
        return source.toString().toStdString();
    return field->text().toStdString();
}

void retranslateField(QLineEdit *field)
{
    const QVariant source = field->property(kEngineText);
    if (source.isValid())
        showText(field, source.toString().toStdString());
}

bool pressButtonOnEnter(QKeyEvent *event, QWidget *focus, QPushButton *defaultButton)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    auto *focusedButton = qobject_cast<QPushButton *>(focus);
    (focusedButton ? focusedButton : defaultButton)->click();
    return true;
}

void makeFixedSizeWindow(QWidget *window)
{
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                           | Qt::MSWindowsFixedSizeDialogHint);
    window->adjustSize();
    window->setFixedSize(window->size());
}

void forgetSizes(QWidget *window)
{
    // A list keeps the size of its first showing unless told it changed.
    for (QComboBox *box : window->findChildren<QComboBox *>()) {
        const QComboBox::SizeAdjustPolicy policy = box->sizeAdjustPolicy();
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        box->setSizeAdjustPolicy(policy);
    }
    // The layouts of a window not yet shown miss their widgets' new sizes.
    for (QLayout *layout : window->findChildren<QLayout *>())
        layout->invalidate();
}

void fitFixedSize(QWidget *window, QSize design)
{
    forgetSizes(window);
    window->setMinimumSize(0, 0);
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (design.isEmpty()) {
        window->adjustSize();
        window->setFixedSize(window->size());
        return;
    }
    // Only widths change with the language: the rows stay as designed.
    window->setFixedSize(std::max(design.width(), window->minimumSizeHint().width()), design.height());
}

} // namespace tallyfin
