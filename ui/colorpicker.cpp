#include "colorpicker.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPalette>
#include <QTimer>

#include <algorithm>

#include "mainwindow.h"
#include "appearance.h"
#include "colorcode.h"
#include "handler.h"
#include "platform.h"
#include "screenreading.h"

namespace tallyfin {

WindowGlobal<TForm6> Form6;

namespace {

constexpr int kSampleInterval = 100;
// The window's size unless the hint needs more, and the hint's margin on the right.
constexpr QSize kSize(167, 124);
constexpr int kHintMargin = 2;

} // namespace

TForm6::TForm6(QWidget *parent) : QWidget(parent), m_sampleTimer(new QTimer(this))
{
    setUpForm<Ui::TForm6>(*this, this);
    // Thirteen characters of hint must fit the 167-pixel window on one line.
    QFont hintFont = windowFont();
    hintFont.setPixelSize(12);
    Label1->setFont(hintFont);
    m_sampleTimer->setObjectName(QStringLiteral("Timer1"));
    makeFixedSizeWindow(this);
    showTexts();
    centreOnScreen(this);
    setAutoFillBackground(true);
    setBackground(QPalette().color(QPalette::Button));
    resetPicker();
    connectHandler(Button1, &QPushButton::clicked, this, &TForm6::startStopClicked);
    connectHandler(m_sampleTimer, &QTimer::timeout, this, &TForm6::sampleUnderPointer);
}

void TForm6::resetPicker()
{
    m_sampleTimer->stop();
    m_sampleTimer->setInterval(kSampleInterval);
    Button1->setDefault(true);
    Button1->setText(tr("开始"));
}

void TForm6::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi(this);
        showTexts();
    }
    QWidget::changeEvent(event);
}

// The hint for this desktop and the button for the picker's state.
void TForm6::showTexts()
{
    if (platform().picksColorOnClick())
        Label1->setText(tr("提示:\n本桌面点开始后单击取色"));
    Button1->setText(m_sampleTimer->isActive() || m_awaitedPick ? tr("停止") : tr("开始"));
    fitToTexts();
}

// The window keeps its size unless the hint needs a wider one; the field and
// the button stay centred.
void TForm6::fitToTexts()
{
    const int hintWidth = Label1->fontMetrics().size(0, Label1->text()).width();
    const int width = std::max(kSize.width(), Label1->x() + hintWidth + kHintMargin);
    Label1->resize(width - Label1->x() - kHintMargin, Label1->height());
    for (QWidget *centred : {static_cast<QWidget *>(Edit1), static_cast<QWidget *>(Button1)})
        centred->move((width - centred->width()) / 2, centred->y());
    setFixedSize(width, kSize.height());
}

void TForm6::startStopClicked()
{
    if (platform().picksColorOnClick()) {
        if (!m_awaitedPick)
            return askForPick();
        m_awaitedPick = 0;
        Button1->setText(tr("开始"));
        return;
    }
    if (m_sampleTimer->isActive()) {
        m_sampleTimer->stop();
        Button1->setText(tr("开始"));
    } else {
        m_sampleTimer->start();
        Button1->setText(tr("停止"));
    }
}

void TForm6::sampleUnderPointer()
{
    // One pixel per tick: reading the whole screen ten times a second would
    // keep a core busy.
    const std::optional<QRgb> color = platform().screenPixel(platform().cursorPosition());
    // Off every screen there is no colour to show; the last one stays.
    if (color)
        setBackground(QColor(*color));
    Edit1->setText(colorCode(color));
}

void TForm6::askForPick()
{
    const unsigned request = ++m_picks;
    m_awaitedPick = request;
    Button1->setText(tr("停止"));
    platform().requestColorPick(this, [this, request](const ColorPick &pick) {
        runHandler([&] { showPick(request, pick); });
    });
}

void TForm6::showPick(unsigned request, const ColorPick &pick)
{
    // Stopped, or closed, meanwhile: the answer is no longer wanted.
    if (request != m_awaitedPick)
        return;
    m_awaitedPick = 0;
    Button1->setText(tr("开始"));
    if (pick.answer != ScreenAnswer::Given)
        return reportScreenUnread(pick.answer);
    setBackground(QColor(pick.color));
    Edit1->setText(colorCode(pick.color));
}

void TForm6::returnToMainWindow()
{
    m_sampleTimer->stop();
    m_awaitedPick = 0;
    Button1->setText(tr("开始"));
    Edit1->clear();
    // The field colour, not the button face the window first had.
    setBackground(QPalette().color(QPalette::Base));
    if (Form1)
        Form1->show();
}

void TForm6::setBackground(const QColor &color)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, color);
    // The hint stays readable on whatever colour the pointer found.
    palette.setColor(QPalette::WindowText, color.lightness() < 128 ? Qt::white : Qt::black);
    setPalette(palette);
}

void TForm6::keyPressEvent(QKeyEvent *event)
{
    // Enter anywhere in the window presses the default button, as in a dialog.
    if (pressButtonOnEnter(event, focusWidget(), Button1))
        return;
    QWidget::keyPressEvent(event);
}

void TForm6::closeEvent(QCloseEvent *event)
{
    // The window is only hidden; it lives until the program ends.
    event->accept();
    runHandler([this] { returnToMainWindow(); });
}

} // namespace tallyfin
