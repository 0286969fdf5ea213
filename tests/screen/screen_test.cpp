#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <deque>
#include <optional>
#include <vector>

#include "colorpicker.h"
#include "captureoverlay.h"
#include "bmp_file.h"
#include "colorcode.h"
#include "qt_printers.h"
#include "qtplatform.h"

namespace tallyfin {
namespace {

// The real desktop, except that the save dialog answers from a script and
// boxes are only recorded: nothing modal may wait for a user here.
class ScriptedDesktop final : public Platform {
public:
    void showValidationBox(QWidget *, const QString &text) override { boxes.push_back(text); }
    void showErrorBox(const QString &text) override { boxes.push_back(text); }
    void openWebPage(const QString &) override {}
    void setAlwaysOnTop(QWidget *window, bool onTop) override { m_desktop.setAlwaysOnTop(window, onTop); }
    QString decimalSeparator() override { return m_desktop.decimalSeparator(); }
    QPoint cursorPosition() override { return m_desktop.cursorPosition(); }
    std::optional<QRgb> screenPixel(QPoint position) override { return m_desktop.screenPixel(position); }
    QImage grabScreen(QRect area) override { return m_desktop.grabScreen(area); }
    std::optional<QByteArray> openFileName(QWidget *, const QString &) override { return std::nullopt; }
    std::optional<QString> saveFileName(QWidget *, const QString &filter) override
    {
        filters.push_back(filter);
        if (saveAnswers.empty())
            return std::nullopt;
        const std::optional<QString> answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }

    std::deque<std::optional<QString>> saveAnswers;
    std::vector<QString> filters;
    std::vector<QString> boxes;

private:
    QtPlatform m_desktop;
    PlatformOverride m_override{*this};
};

// A frameless window of four coloured quadrants.
class Swatch : public QWidget {
public:
    static constexpr QRgb kTopLeft = qRgb(0x12, 0x34, 0x56);
    static constexpr QRgb kTopRight = qRgb(0xFF, 0x00, 0x00);
    static constexpr QRgb kBottomLeft = qRgb(0x00, 0x00, 0xFF);
    static constexpr QRgb kBottomRight = qRgb(0xFE, 0xDC, 0xBA);

    explicit Swatch(QRect geometry) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    {
        setGeometry(geometry);
    }

    // The swatch as it should appear on the screen, in logical pixels.
    static void paintQuadrants(QPainter &painter, QRect area)
    {
        const int halfWidth = area.width() / 2, halfHeight = area.height() / 2;
        painter.fillRect(QRect(area.topLeft(), QSize(halfWidth, halfHeight)), QColor(kTopLeft));
        painter.fillRect(area.x() + halfWidth, area.y(), area.width() - halfWidth, halfHeight, QColor(kTopRight));
        painter.fillRect(area.x(), area.y() + halfHeight, halfWidth, area.height() - halfHeight, QColor(kBottomLeft));
        painter.fillRect(area.x() + halfWidth, area.y() + halfHeight, area.width() - halfWidth,
                         area.height() - halfHeight, QColor(kBottomRight));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        paintQuadrants(painter, rect());
    }
};

class RealScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "run under an X server (xvfb-run)";
        swatch.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&swatch));
        ASSERT_TRUE(waitForPixel({300, 200}, Swatch::kTopLeft)) << "the swatch never reached the screen";
    }

    // The X server draws a little after Qt has flushed: wait until the pixel
    // is there (a wait, not a timing assertion).
    bool waitForPixel(QPoint at, QRgb color)
    {
        return QTest::qWaitFor([&] { return desktop.screenPixel(at) == color; }, 5000);
    }

    static qreal ratio() { return QGuiApplication::primaryScreen()->devicePixelRatio(); }

    ScriptedDesktop desktop;
    // Quadrants meet at (350, 250).
    Swatch swatch{QRect(200, 150, 300, 200)};
    QTemporaryDir dir;
};

TEST_F(RealScreenTest, PixelReadsFindTheWindowAtItsPosition)
{
    const struct {
        QPoint at;
        QRgb color;
    } cases[] = {
        {{200, 150}, Swatch::kTopLeft},  {{349, 249}, Swatch::kTopLeft},     {{350, 150}, Swatch::kTopRight},
        {{200, 250}, Swatch::kBottomLeft}, {{499, 349}, Swatch::kBottomRight}, {{350, 250}, Swatch::kBottomRight},
    };
    for (const auto &c : cases)
        EXPECT_EQ(colorCode(desktop.screenPixel(c.at)), colorCode(c.color)) << c.at.x() << ',' << c.at.y();
    EXPECT_EQ(colorCode(desktop.screenPixel({200, 150})), "#563412");
    EXPECT_NE(desktop.screenPixel({199, 150}), Swatch::kTopLeft);
    EXPECT_NE(desktop.screenPixel({200, 149}), Swatch::kTopLeft);
    EXPECT_EQ(desktop.screenPixel({-1, 0}), std::nullopt);
}

TEST_F(RealScreenTest, PickerShowsTheCodeUnderThePointer)
{
    ColorPickerWindow picker;
    picker.move(700, 500);
    picker.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
    QCursor::setPos(420, 300);
    ASSERT_TRUE(QTest::qWaitFor([] { return QCursor::pos() == QPoint(420, 300); }, 5000));
    picker.findChild<QPushButton *>("Button1")->click();
    auto *code = picker.findChild<QLineEdit *>("Edit1");
    EXPECT_TRUE(QTest::qWaitFor([&] { return code->text() == "#BADCFE"; }, 5000)) << code->text().toStdString();
}

TEST_F(RealScreenTest, CaptureSavesTheScreenPixelsOfTheDraggedRectangle)
{
    CaptureOverlay overlay;
    overlay.startCapture();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&overlay));
    // The overlay shows the frozen screen in place, even once the window
    // beneath is gone.
    swatch.hide();
    EXPECT_TRUE(waitForPixel({300, 200}, Swatch::kTopLeft));
    EXPECT_TRUE(waitForPixel({450, 300}, Swatch::kBottomRight));

    desktop.saveAnswers.push_back(dir.filePath("shot.png"));
    QTest::mousePress(&overlay, Qt::LeftButton, {}, {410, 290});
    QTest::mouseMove(&overlay, {230, 170});
    // The band, on the real screen: the not-xor of blue and the pixel.
    EXPECT_TRUE(waitForPixel({300, 170}, 0xFF000000 | ~(qRgb(0, 0, 255) ^ Swatch::kTopLeft)));
    QTest::mouseRelease(&overlay, Qt::LeftButton, {}, {230, 170});
    EXPECT_FALSE(overlay.isVisible());
    EXPECT_TRUE(desktop.boxes.empty());

    const QRect selected(230, 170, 180, 120);
    QImage expected((selected.size() * ratio()), QImage::Format_RGB32);
    expected.setDevicePixelRatio(ratio());
    QPainter painter(&expected);
    Swatch::paintQuadrants(painter, QRect(QPoint(200, 150) - selected.topLeft(), QSize(300, 200)));
    painter.end();
    expected.setDevicePixelRatio(1);
    const testing::BmpFile bmp = testing::readBmp(dir.filePath("shot.bmp"));
    EXPECT_EQ(bmp.bitsPerPixel(), 24);
    EXPECT_EQ(QSize(bmp.width(), bmp.height()), expected.size());
    EXPECT_EQ(bmp.pixels(), expected);
}

} // namespace
} // namespace tallyfin
