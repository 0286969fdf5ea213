#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include "about.h"
#include "help.h"
#include "bundled.h"
#include "fake_platform.h"
#include "icon.h"
#include "links.h"
#include "qt_printers.h"

namespace tallyfin {
namespace {

using testing::FakePlatform;

TEST(ProgramIcon, HasEverySizeFromTheResources)
{
    const QIcon icon = programIcon();
    ASSERT_FALSE(icon.isNull());
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QPixmap pixmap = icon.pixmap(size);
        EXPECT_EQ(pixmap.size(), QSize(size, size)) << size;
    }
    const QImage image = icon.pixmap(64).toImage();
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "rounded corners are transparent";
    EXPECT_EQ(qAlpha(image.pixel(32, 32)), 255);
}

TEST(BundledText, ReadsUtf8AndGivesNothingForAMissingFile)
{
    EXPECT_TRUE(bundledText("help.txt").startsWith("一、黄金分割法与看盘"));
    EXPECT_FALSE(bundledText("help.txt").endsWith('\n'));
    EXPECT_EQ(bundledText("no-such-file.txt"), "");
}

class AboutWindowTest : public ::testing::Test {
protected:
    template <typename Widget = QWidget>
    Widget *child(const char *name)
    {
        return form.findChild<Widget *>(name);
    }

    FakePlatform fake;
    AboutWindow form;
};

TEST_F(AboutWindowTest, ShowsNameVersionCreditContactAndIntroduction)
{
    EXPECT_EQ(form.windowTitle(), "关于");
    EXPECT_EQ(form.size(), QSize(408, 368));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_FALSE(form.windowIcon().isNull());
    auto *name = child<QLabel>("Label1");
    EXPECT_EQ(name->text(), "Tallyfin");
    EXPECT_TRUE(name->font().bold());
    EXPECT_GT(name->font().pixelSize(), child<QLabel>("Label4")->font().pixelSize() * 3 / 2);
    EXPECT_EQ(child<QLabel>("Label4")->text(), "版本0.1");
    EXPECT_FALSE(child<QLabel>("Label2")->text().isEmpty());
    EXPECT_EQ(child<QLabel>("Label3")->text().split('\n').size(), 3);
    EXPECT_EQ(child<QGroupBox>("GroupBox1")->title(), "关于我");
    auto *memo = child<QPlainTextEdit>("Memo1");
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_TRUE(memo->toPlainText().contains("黄金分割计算器"));
}

TEST_F(AboutWindowTest, IconAtTheTopLeftOpensTheProgramsPage)
{
    form.show();
    auto *icon = child<QToolButton>("Image1");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->size(), QSize(64, 64));
    EXPECT_LT(icon->x(), 20);
    EXPECT_LT(icon->y(), 20);
    EXPECT_EQ(icon->cursor().shape(), Qt::PointingHandCursor);

    // Every opaque pixel of the icon shows unscaled: nothing cut off.
    const QImage shown = icon->grab().toImage();
    const QImage drawn = programIcon().pixmap(64).toImage();
    int opaque = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            if (qAlpha(drawn.pixel(x, y)) < 255)
                continue;
            ++opaque;
            ASSERT_EQ(shown.pixel(x, y), drawn.pixel(x, y)) << x << ',' << y;
        }
    }
    EXPECT_GT(opaque, 64 * 64 * 3 / 4);

    QTest::mouseClick(icon, Qt::LeftButton);
    ASSERT_EQ(fake.pages.size(), 1u);
    EXPECT_EQ(fake.pages[0], linkAddress(Link::Blog));
    EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(AboutWindowTest, NothingIsClippedOrOverlapping)
{
    form.show();
    const char *names[] = {"Image1", "Label1", "Label2", "Label4", "Label3", "GroupBox1", "Button1"};
    std::vector<QRect> areas;
    for (const char *name : names) {
        QWidget *widget = child(name);
        const QRect area(widget->mapTo(&form, QPoint(0, 0)), widget->size());
        EXPECT_TRUE(form.rect().contains(area)) << name;
        // The icon's size is fixed; the test above shows it whole.
        if (widget != child("Image1")) {
            EXPECT_GE(widget->width(), widget->sizeHint().width()) << name << " is cut short";
        }
        for (std::size_t i = 0; i < areas.size(); ++i)
            EXPECT_FALSE(areas[i].intersects(area)) << name << " overlaps " << names[i];
        areas.push_back(area);
    }
}

TEST_F(AboutWindowTest, KeyboardReachesTheIconAndOkHides)
{
    form.show();
    QApplication::setActiveWindow(&form);
    auto *ok = child<QPushButton>("Button1");
    ASSERT_EQ(QApplication::focusWidget(), ok);
    QTest::keyClick(ok, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), child("Image1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(fake.pages.size(), 1u);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(form.isHidden()) << "Enter presses 确定";
}

TEST_F(AboutWindowTest, OkHidesAndTheWindowKeepsItsState)
{
    form.show();
    QScrollBar *scroll = child<QPlainTextEdit>("Memo1")->verticalScrollBar();
    ASSERT_GT(scroll->maximum(), 0);
    scroll->setValue(scroll->maximum());
    QTest::mouseClick(child<QPushButton>("Button1"), Qt::LeftButton);
    EXPECT_TRUE(form.isHidden());
    form.show();
    EXPECT_EQ(scroll->value(), scroll->maximum());
    EXPECT_GT(scroll->value(), 0);
}

TEST_F(AboutWindowTest, EscapeHides)
{
    form.show();
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(form.isHidden());
}

TEST_F(AboutWindowTest, IconIsAnnouncedAsAButtonThatOpensThePage)
{
    QAccessibleInterface *node = QAccessible::queryAccessibleInterface(child("Image1"));
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->role(), QAccessible::Button);
    EXPECT_FALSE(node->text(QAccessible::Name).isEmpty());
    node->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !fake.pages.empty(); }, 2000));
    EXPECT_EQ(fake.pages.front(), linkAddress(Link::Blog));
}

class HelpWindowTest : public ::testing::Test {
protected:
    QPlainTextEdit *memo() { return form.findChild<QPlainTextEdit *>("Memo1"); }

    HelpWindow form;
};

TEST_F(HelpWindowTest, OneEditableScrollingTextFillsTheWindow)
{
    form.show();
    EXPECT_EQ(form.windowTitle(), "帮助");
    EXPECT_EQ(form.size(), QSize(436, 367));
    EXPECT_FALSE(form.windowIcon().isNull());
    ASSERT_NE(memo(), nullptr);
    EXPECT_EQ(memo()->geometry(), form.rect());
    EXPECT_FALSE(memo()->isReadOnly());
    EXPECT_EQ(memo()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_GT(memo()->verticalScrollBar()->maximum(), 0) << "the text is longer than the window";
    EXPECT_EQ(memo()->verticalScrollBar()->value(), 0) << "opens at the top";
    EXPECT_EQ(memo()->horizontalScrollBar()->maximum(), 0) << "lines wrap";
}

TEST_F(HelpWindowTest, TextCoversMethodPurposeUseAndReading)
{
    const QString text = memo()->toPlainText();
    for (const char *part : {"一、", "二、", "三、", "四、"})
        EXPECT_TRUE(text.contains(part)) << part;
    for (const char *term : {"0.382", "0.618", "0.191", "0.236", "0.809", "支撑", "阻力", "低点", "高点", "低点上涨",
                             "高点下跌", "区间反弹", "区间回调", "1/3", "1/2", "2/3", "2.618"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(term))) << term;
}

TEST_F(HelpWindowTest, ScreenReaderReadsTheWholeText)
{
    QAccessibleInterface *node = QAccessible::queryAccessibleInterface(memo());
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->role(), QAccessible::EditableText);
    EXPECT_EQ(node->text(QAccessible::Name), "帮助");
    QAccessibleTextInterface *text = node->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(0, text->characterCount()), memo()->toPlainText());
}

TEST_F(HelpWindowTest, EscapeHides)
{
    form.show();
    QTest::keyClick(memo(), Qt::Key_Escape);
    EXPECT_TRUE(form.isHidden());
}

} // namespace
} // namespace tallyfin
