// Start-up: the main window is made at once and every other window on first
// use, then kept, each working with the main window through the program's
// windows; the icon drawn from compiled-in pixels is the PNGs' icon.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QPixmap>
#include <QPointer>
#include <QTest>

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "captureoverlay.h"
#include "fake_platform.h"
#include "icon.h"
#include "mainwindow.h"
#include "statementauditfactory.h"
#include "windows.h"

namespace tallyfin {
namespace {

bool isStatementAudit(const QWidget *widget) { return widget->objectName() == QStringLiteral("StatementAuditWindow"); }

QStringList namesOf(const std::vector<QWidget *> &windows)
{
    QStringList names;
    for (const QWidget *window : windows)
        names << window->objectName();
    return names;
}

TEST(ProgramWindows, MakeTheMainWindowAtOnceTheOthersOnFirstUseAndKeepThem)
{
    testing::FakePlatform fake;
    QPointer<QWidget> main, buy, about, audit;
    StatementAuditWindowFactory statementWindows;
    {
        const ProgramWindows windows(ProgramWindows::Making::OnFirstUse, &statementWindows);
        main = &windows.mainWindow();
        EXPECT_EQ(namesOf(windows.made()), QStringList{"TForm1"});

        windows.mainWindow().openBuyBatches();
        ASSERT_EQ(windows.made().size(), 2u);
        buy = windows.made().back();
        ASSERT_TRUE(buy->objectName() == "TForm3" && buy->isVisible());
        buy->findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(QStringLiteral("10.5"));
        buy->findChild<QLineEdit *>(QStringLiteral("Edit2"))->setText(QStringLiteral("100"));
        buy->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        EXPECT_EQ(main->findChild<QLineEdit *>(QStringLiteral("jg"))->text(), "10.5") << "the dialog made on first use "
                                                                                        "hands its rows to the main window";
        EXPECT_FALSE(buy->isVisible());
        windows.mainWindow().openBuyBatches();
        EXPECT_EQ(windows.made().size(), 2u) << "made once";
        EXPECT_EQ(buy->findChild<QLineEdit *>(QStringLiteral("Edit1"))->text(), "10.5");

        windows.mainWindow().showAbout();
        about = windows.made().back();
        EXPECT_TRUE(about->objectName() == "TForm5" && about->isVisible());

        // 交割单核对, by its button and then its menu item: one window, made on the first.
        main->findChild<QPushButton *>(QStringLiteral("statementAuditButton"))->click();
        audit = windows.made().back();
        EXPECT_TRUE(isStatementAudit(audit) && audit->isVisible());
        audit->hide();
        main->findChild<QAction *>(QStringLiteral("statementAuditAction"))->trigger();
        EXPECT_EQ(windows.made().back(), audit.data());
        EXPECT_TRUE(audit->isVisible());
        EXPECT_EQ(namesOf(windows.made()), QStringList({"TForm1", "TForm3", "TForm5", "StatementAuditWindow"}));
    }
    EXPECT_FALSE(main || buy || about || audit) << "every window made is destroyed with the program's";
}

// The overlay covers the screen above the main window and holds the
// keyboard: Escape ends the capture even where the window manager left the
// focus with the main window. The end brings the main window forward, even
// if something hid it meanwhile.
TEST(ProgramWindows, EscapeAnywhereEndsTheCaptureAndBringsTheMainWindowForward)
{
    testing::FakePlatform fake;
    fake.screen = QImage(64, 48, QImage::Format_RGB32);
    ProgramWindows windows;
    MainWindow &main = windows.mainWindow();
    main.show();
    QApplication::setActiveWindow(&main);
    for (const bool mainHidden : {false, true}) {
        main.findChild<QPushButton *>(QStringLiteral("btn1"))->click();
        CaptureOverlay &overlay = windows.captureOverlay();
        ASSERT_TRUE(overlay.isVisible());
        EXPECT_EQ(QWidget::keyboardGrabber(), &overlay);
        if (mainHidden)
            main.hide();
        QTest::keyClick(mainHidden ? overlay.windowHandle() : main.windowHandle(), Qt::Key_Escape);
        EXPECT_FALSE(overlay.isVisible()) << mainHidden;
        EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
        EXPECT_TRUE(main.isVisible());
    }
}

TEST(ProgramIcon, CompiledInPixelsGiveThePixmapsOfThePngs)
{
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString png = QStringLiteral(QT_TESTCASE_SOURCEDIR "/../resources/icons/hicolor/%1x%1/apps/tallyfin.png")
                                .arg(size);
        const QImage expected = QPixmap::fromImage(QImage(png)).toImage();
        ASSERT_FALSE(expected.isNull()) << png.toStdString();
        const QImage shown = programIcon().pixmap(size).toImage();
        EXPECT_EQ(shown.format(), expected.format()) << size;
        EXPECT_TRUE(shown == expected) << size;
    }
}

} // namespace
} // namespace tallyfin
