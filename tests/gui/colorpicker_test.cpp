#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <optional>

#include "colorpicker.h"
#include "colorcode.h"
#include "fake_platform.h"
#include "qt_printers.h"

namespace tallyfin {
namespace {

using testing::FakePlatform;

TEST(ColorCode, ReadsBlueGreenRed)
{
    const struct {
        const char *name;
        std::optional<QRgb> color;
        const char *code;
    } cases[] = {
        {"red", qRgb(255, 0, 0), "#0000FF"},
        {"green", qRgb(0, 128, 0), "#008000"},
        {"blue", qRgb(0, 0, 255), "#FF0000"},
        {"white", qRgb(255, 255, 255), "#FFFFFF"},
        {"black", qRgb(0, 0, 0), "#000000"},
        {"one two three", qRgb(1, 2, 3), "#030201"},
        {"hex letters", qRgb(0xAB, 0xCD, 0xEF), "#EFCDAB"},
        {"transparent red", qRgba(255, 0, 0, 0), "#0000FF"},
        {"no pixel", std::nullopt, "#FFFFFFFF"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(colorCode(c.color), c.code) << c.name;
}

class PickerTest : public ::testing::Test {
protected:
    PickerTest()
    {
        fake.screen = QImage(400, 300, QImage::Format_RGB32);
        fake.screen.fill(Qt::gray);
        picker.show();
    }

    QLineEdit *code() { return picker.findChild<QLineEdit *>("Edit1"); }
    QPushButton *button() { return picker.findChild<QPushButton *>("Button1"); }
    QTimer *timer() { return picker.findChild<QTimer *>("Timer1"); }
    // What the user sees of the background, beside the controls.
    QColor background() { return picker.grab().toImage().pixelColor(3, picker.height() - 3); }

    void pointAt(QPoint position, QRgb color)
    {
        if (fake.screen.rect().contains(position))
            fake.screen.setPixel(position, color);
        fake.cursor = position;
    }

    FakePlatform fake;
    ColorPickerWindow picker;
};

TEST_F(PickerTest, StartsStoppedOnTheButtonFace)
{
    EXPECT_EQ(picker.windowTitle(), "颜色代码选取器");
    EXPECT_EQ(picker.size(), QSize(167, 124));
    EXPECT_EQ(picker.minimumSize(), picker.maximumSize());
    EXPECT_EQ(code()->text(), "");
    EXPECT_EQ(picker.findChild<QLabel *>("Label1")->text(), "提示:\n点击开始移动鼠标取颜色代码");
    EXPECT_EQ(button()->text(), "开始");
    EXPECT_TRUE(button()->isDefault());
    EXPECT_FALSE(timer()->isActive());
    EXPECT_EQ(timer()->interval(), 100);
    EXPECT_EQ(background(), QPalette().color(QPalette::Button));
}

TEST_F(PickerTest, EachTickShowsTheColourUnderThePointer)
{
    const struct {
        const char *name;
        QPoint position;
        QRgb color;
        const char *code;
    } cases[] = {
        {"red", {10, 20}, qRgb(255, 0, 0), "#0000FF"},
        {"blue", {399, 0}, qRgb(0, 0, 255), "#FF0000"},
        {"white", {0, 299}, qRgb(255, 255, 255), "#FFFFFF"},
        {"black", {200, 150}, qRgb(0, 0, 0), "#000000"},
        {"chart orange", {123, 45}, qRgb(0xFF, 0x80, 0x40), "#4080FF"},
    };
    button()->click();
    for (const auto &c : cases) {
        fake.pixelReads.clear();
        pointAt(c.position, c.color);
        picker.sampleUnderPointer();
        EXPECT_EQ(code()->text(), c.code) << c.name;
        EXPECT_EQ(background(), QColor(c.color)) << c.name;
        EXPECT_EQ(fake.pixelReads, std::vector<QPoint>{c.position}) << c.name;
        const QColor hint = picker.findChild<QLabel *>("Label1")->palette().color(QPalette::WindowText);
        EXPECT_GT(std::abs(hint.lightness() - QColor(c.color).lightness()), 100) << c.name << ": hint unreadable";
    }
    EXPECT_TRUE(fake.grabs.empty()) << "a tick reads one pixel, never the screen";
}

TEST_F(PickerTest, OffEveryScreenShowsTheInvalidColourAndKeepsTheBackground)
{
    pointAt({5, 5}, qRgb(0, 128, 0));
    picker.sampleUnderPointer();
    for (QPoint outside : {QPoint(-1, 5), QPoint(5, -1), QPoint(400, 5), QPoint(5, 300)}) {
        fake.cursor = outside;
        picker.sampleUnderPointer();
        EXPECT_EQ(code()->text(), "#FFFFFFFF");
        EXPECT_EQ(background(), QColor(0, 128, 0));
    }
}

TEST_F(PickerTest, RunningTimerSamples)
{
    pointAt({7, 8}, qRgb(1, 2, 3));
    button()->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return code()->text() == "#030201"; }, 5000));
}

TEST_F(PickerTest, ButtonAndEnterToggleSampling)
{
    button()->click();
    EXPECT_TRUE(timer()->isActive());
    EXPECT_EQ(button()->text(), "停止");
    button()->click();
    EXPECT_FALSE(timer()->isActive());
    EXPECT_EQ(button()->text(), "开始");

    for (QWidget *target : {static_cast<QWidget *>(code()), static_cast<QWidget *>(&picker)}) {
        QTest::keyClick(target, Qt::Key_Return);
        EXPECT_TRUE(timer()->isActive());
        EXPECT_EQ(button()->text(), "停止");
        QTest::keyClick(target, Qt::Key_Enter);
        EXPECT_FALSE(timer()->isActive());
        EXPECT_EQ(button()->text(), "开始");
    }
}

TEST_F(PickerTest, ClosingResetsAndAsksForTheMainWindow)
{
    QSignalSpy closed(&picker, &ColorPickerWindow::closed);
    pointAt({10, 10}, qRgb(255, 0, 0));
    button()->click();
    picker.sampleUnderPointer();
    ASSERT_EQ(code()->text(), "#0000FF");

    picker.close();
    EXPECT_FALSE(picker.isVisible());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(timer()->isActive());

    picker.show();
    EXPECT_EQ(button()->text(), "开始");
    EXPECT_EQ(code()->text(), "");
    EXPECT_EQ(background(), QPalette().color(QPalette::Base));
    EXPECT_FALSE(timer()->isActive());
}

// A desktop that picks on a click: "开始" asks for one pick and runs until
// its answer; an answer after "停止" or a close is dropped.
TEST(PickerOnClick, StartAsksForOnePickAndDropsStaleAnswers)
{
    FakePlatform fake;
    fake.picksOnClick = true;
    ColorPickerWindow picker;
    auto *button = picker.findChild<QPushButton *>("Button1");
    auto *code = picker.findChild<QLineEdit *>("Edit1");
    button->click();
    ASSERT_EQ(fake.picks.size(), 1u);
    EXPECT_EQ(button->text(), "停止");
    fake.picks[0]({ScreenAnswer::Given, qRgb(0xFF, 0x80, 0x40)});
    EXPECT_EQ(code->text(), "#4080FF");
    EXPECT_EQ(button->text(), "开始");

    button->click(); // stopped before its answer
    button->click();
    button->click(); // closed before its answer
    picker.close();
    ASSERT_EQ(fake.picks.size(), 3u);
    fake.picks[1]({ScreenAnswer::Given, qRgb(1, 2, 3)});
    fake.picks[2]({ScreenAnswer::Refused, 0});
    EXPECT_EQ(code->text(), "");
    EXPECT_EQ(button->text(), "开始");
    EXPECT_TRUE(fake.boxes.empty());
    EXPECT_FALSE(picker.findChild<QTimer *>("Timer1")->isActive());
}

} // namespace
} // namespace tallyfin
