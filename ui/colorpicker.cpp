#include "colorpicker.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPalette>
#include <QTimer>

#include <algorithm>

#include "appearance.h"
#include "colorcode.h"
#include "handler.h"
#include "platform.h"
#include "screenreading.h"

namespace tallyfin {

namespace {

constexpr int kSampleInterval = 100;
// The window's size unless the hint needs more, and the hint's margin on the right.
constexpr QSize kSize(167, 124);
constexpr int kHintMargin = 2;

} // namespace

ColorPickerWindow::ColorPickerWindow(QWidget *parent) : QWidget(parent), m_sampleTimer(new QTimer(this))
{
    setUpForm<Ui::ColorPickerWindow>(*this, this);
    // Thirteen characters of hint must fit the 167-pixel window on one line.
    QFont hintFont = windowFont();
    hintFont.setPixelSize(12);
    hint->setFont(hintFont);
    m_sampleTimer->setObjectName(QStringLiteral("Timer1"));
    makeFixedSizeWindow(this);
    showTexts();
    centreOnScreen(this);
    setAutoFillBackground(true);
    setBackground(QPalette().color(QPalette::Button));
    resetPicker();
    connectHandler(startStopButton, &QPushButton::clicked, this, &ColorPickerWindow::startStopClicked);
    connectHandler(m_sampleTimer, &QTimer::timeout, this, &ColorPickerWindow::sampleUnderPointer);
}

void ColorPickerWindow::resetPicker()
{
    m_sampleTimer->stop();
    m_sampleTimer->setInterval(kSampleInterval);
    startStopButton->setDefault(true);
    startStopButton->setText(tr("开始"));
}

void ColorPickerWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi(this);
        showTexts();
    }
    QWidget::changeEvent(event);
}

// The hint for this desktop and the button for the picker's state.
void ColorPickerWindow::showTexts()
{
    if (platform().picksColorOnClick())
        hint->setText(tr("提示:\n本桌面点开始后单击取色"));
    startStopButton->setText(m_sampleTimer->isActive() || m_awaitedPick ? tr("停止") : tr("开始"));
    fitToTexts();
}

// The window keeps its size unless the hint needs a wider one; the field and
// the button stay centred.
void ColorPickerWindow::fitToTexts()
{
    const int hintWidth = hint->fontMetrics().size(0, hint->text()).width();
    const int width = std::max(kSize.width(), hint->x() + hintWidth + kHintMargin);
    hint->resize(width - hint->x() - kHintMargin, hint->height());
    for (QWidget *centred : {static_cast<QWidget *>(codeField), static_cast<QWidget *>(startStopButton)})
        centred->move((width - centred->width()) / 2, centred->y());
    setFixedSize(width, kSize.height());
}

void ColorPickerWindow::startStopClicked()
{
    if (platform().picksColorOnClick()) {
        if (!m_awaitedPick)
            return askForPick();
        m_awaitedPick = 0;
        startStopButton->setText(tr("开始"));
        return;
    }
    if (m_sampleTimer->isActive()) {
        m_sampleTimer->stop();
        startStopButton->setText(tr("开始"));
    } else {
        m_sampleTimer->start();
        startStopButton->setText(tr("停止"));
    }
}

void ColorPickerWindow::sampleUnderPointer()
{
    // One pixel per tick: reading the whole screen ten times a second would
    // keep a core busy.
    const std::optional<QRgb> color = platform().screenPixel(platform().cursorPosition());
    // Off every screen there is no colour to show; the last one stays.
    if (color)
        setBackground(QColor(*color));
    codeField->setText(colorCode(color));
}

void ColorPickerWindow::askForPick()
{
    const unsigned request = ++m_picks;
    m_awaitedPick = request;
    startStopButton->setText(tr("停止"));
    platform().requestColorPick(this, [this, request](const ColorPick &pick) {
        runHandler([&] { showPick(request, pick); });
    });
}

void ColorPickerWindow::showPick(unsigned request, const ColorPick &pick)
{
    // Stopped, or closed, meanwhile: the answer is no longer wanted.
    if (request != m_awaitedPick)
        return;
    m_awaitedPick = 0;
    startStopButton->setText(tr("开始"));
    if (pick.answer != ScreenAnswer::Given)
        return reportScreenUnread(pick.answer);
    setBackground(QColor(pick.color));
    codeField->setText(colorCode(pick.color));
}

void ColorPickerWindow::stopPicking()
{
    m_sampleTimer->stop();
    m_awaitedPick = 0;
    startStopButton->setText(tr("开始"));
    codeField->clear();
    // The field colour, not the button face the window first had.
    setBackground(QPalette().color(QPalette::Base));
}

void ColorPickerWindow::setBackground(const QColor &color)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, color);
    // The hint stays readable on whatever colour the pointer found.
    palette.setColor(QPalette::WindowText, color.lightness() < 128 ? Qt::white : Qt::black);
    setPalette(palette);
}

void ColorPickerWindow::keyPressEvent(QKeyEvent *event)
{
    // Enter anywhere in the window presses the default button, as in a dialog.
    if (pressButtonOnEnter(event, focusWidget(), startStopButton))
        return;
    QWidget::keyPressEvent(event);
}

void ColorPickerWindow::closeEvent(QCloseEvent *event)
{
    // The window is only hidden; it lives until the program ends.
    event->accept();
    stopPicking();
    Q_EMIT closed();
}

} // namespace tallyfin
