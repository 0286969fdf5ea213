#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QUrl>

#include "about.h"
#include "captureoverlay.h"
#include "colorpicker.h"
#include "fake_platform.h"
#include "goldensection.h"
#include "links.h"
#include "mainwindow.h"
#include "qt_printers.h"
#include "windows.h"

namespace tallyfin {
namespace {

using testing::FakePlatform;

// The whole program's windows, created in their order, as start-up does.
class MenuTest : public ::testing::Test {
protected:
    MenuTest()
    {
        fake.screen = QImage(800, 600, QImage::Format_RGB32);
        fake.screen.fill(Qt::darkCyan);
        main.show();
        QApplication::setActiveWindow(&main);
    }

    QAction *item(const char *name) { return main.findChild<QAction *>(name); }
    QMenu *menu(const char *name) { return main.findChild<QMenu *>(name); }

    QStringList texts(const QList<QAction *> &actions)
    {
        QStringList result;
        for (const QAction *action : actions)
            result << action->text();
        return result;
    }

    FakePlatform fake;
    ProgramWindows windows;
    MainWindow &main = windows.mainWindow();
    GoldenSectionWindow &golden = windows.goldenSection();
    AboutWindow &about = windows.about();
    ColorPickerWindow &picker = windows.colorPicker();
    CaptureOverlay &capture = windows.captureOverlay();
};

TEST_F(MenuTest, BarHoldsTheMenusInOrder)
{
    QMenuBar *bar = main.findChild<QMenuBar *>("MainMenu1");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(main.menuBar(), bar);
    EXPECT_EQ(texts(bar->actions()), QStringList({"文件(&F)", "工具箱(&T)", "我的博客", "常用网址", "语言(&L)", "帮助(&A)"}));
    EXPECT_EQ(bar->actions()[2], item("N3")) << "我的博客 is a clickable item of the bar itself";
    EXPECT_EQ(texts(menu("F1")->actions()), QStringList({"恢复默认设置(&R)", "", "退出(&X)"}));
    EXPECT_EQ(texts(menu("T1")->actions()),
              QStringList({"黄金分割计算器", "颜色代码选取器", "屏幕截图", "持仓工具", "交割单核对"}));
    EXPECT_EQ(texts(menu("N4")->actions()), QStringList({"上证所", "深交所", "发改委", "证监会", "股票网址大全"}));
    EXPECT_EQ(texts(menu("languageMenu")->actions()), QStringList({"简体中文", "繁體中文", "English", "", "跟随系统"}));
    EXPECT_EQ(texts(menu("A1")->actions()), QStringList({"关于(&A)"}));
    EXPECT_EQ(item("X1")->shortcut(), QKeySequence(QStringLiteral("Alt+X")));
}

TEST_F(MenuTest, ClientAreaKeepsItsSizeUnderTheMenu)
{
    const QWidget *client = main.centralWidget();
    EXPECT_EQ(client->width(), 809);
    EXPECT_EQ(client->minimumSize(), client->maximumSize());
    EXPECT_GE(client->height(), 395);
    EXPECT_GT(main.height(), client->height());
}

TEST_F(MenuTest, ExitClosesTheMainWindow)
{
    item("X1")->trigger();
    EXPECT_FALSE(main.isVisible());
}

TEST_F(MenuTest, AltXClosesTheMainWindow)
{
    QTest::keyClick(&main, Qt::Key_X, Qt::AltModifier);
    EXPECT_FALSE(main.isVisible());
}

TEST_F(MenuTest, GoldenSectionHidesTheMainWindow)
{
    item("N1")->trigger();
    EXPECT_FALSE(main.isVisible());
    EXPECT_TRUE(golden.isVisible());
    golden.close();
    EXPECT_TRUE(main.isVisible());
}

TEST_F(MenuTest, ColourPickerHidesTheMainWindow)
{
    item("N2")->trigger();
    EXPECT_FALSE(main.isVisible());
    EXPECT_TRUE(picker.isVisible());
    picker.close();
    EXPECT_TRUE(main.isVisible());
}

TEST_F(MenuTest, ScreenCaptureBehavesAsItsButton)
{
    item("N10")->trigger();
    EXPECT_TRUE(capture.isVisible());
    EXPECT_TRUE(main.isVisible()) << "the main window stays open beneath the overlay";
    ASSERT_EQ(fake.grabs.size(), 1u);
    QTest::keyClick(&capture, Qt::Key_Escape);
    EXPECT_FALSE(capture.isVisible());

    main.findChild<QPushButton *>("btn1")->click();
    EXPECT_TRUE(capture.isVisible());
    EXPECT_EQ(fake.grabs.size(), 2u);
    EXPECT_EQ(fake.grabs[1], fake.grabs[0]);
    QTest::keyClick(&capture, Qt::Key_Escape);
}

TEST_F(MenuTest, AboutShowsTheAboutWindow)
{
    item("A2")->trigger();
    EXPECT_TRUE(about.isVisible());
    EXPECT_TRUE(main.isVisible());
}

struct LinkCase {
    const char *item;
    Link link;
    QString address;
};

class MenuLinkTest : public MenuTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(MenuLinkTest, OpensExactlyTheConfiguredAddress)
{
    item(GetParam().item)->trigger();
    ASSERT_EQ(fake.pages.size(), 1u);
    EXPECT_EQ(fake.pages[0], linkAddress(GetParam().link));
    if (!GetParam().address.isEmpty()) {
        EXPECT_EQ(fake.pages[0], GetParam().address);
    }
    EXPECT_TRUE(fake.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Links, MenuLinkTest,
                         ::testing::Values(LinkCase{"N3", Link::Blog, {}},
                                           LinkCase{"N5", Link::ShanghaiExchange, "https://www.sse.com.cn/"},
                                           LinkCase{"N6", Link::ShenzhenExchange, "https://www.szse.cn/"},
                                           LinkCase{"N7", Link::Ndrc, "https://www.ndrc.gov.cn/"},
                                           LinkCase{"N8", Link::Csrc, "http://www.csrc.gov.cn/"},
                                           LinkCase{"N9", Link::StockSites, {}}),
                         [](const auto &test) { return std::string(test.param.item); });

TEST(BundledPages, ExistWhereTheProgramLooksForThem)
{
    for (const auto &[link, file] : {std::pair{Link::Blog, "tallyfin.html"}, std::pair{Link::StockSites, "stock-sites.html"}}) {
        const QUrl address(linkAddress(link));
        ASSERT_TRUE(address.isLocalFile()) << address.toString().toStdString();
        EXPECT_TRUE(address.toLocalFile().endsWith(QStringLiteral("/share/tallyfin/pages/") + file));
        QFile page(address.toLocalFile());
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << address.toLocalFile().toStdString();
        EXPECT_TRUE(page.readAll().contains("<html"));
    }
}

} // namespace
} // namespace tallyfin
