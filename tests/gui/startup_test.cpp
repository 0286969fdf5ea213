// Start-up: the main window is made at once and every other window on first
// use, then kept; the icon drawn from compiled-in pixels is the PNGs' icon.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QPixmap>
#include <QPointer>

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "mainwindow.h"
#include "goldensection.h"
#include "Unit3.h"
#include "Unit4.h"
#include "about.h"
#include "colorpicker.h"
#include "help.h"
#include "captureoverlay.h"
#include "fake_platform.h"
#include "icon.h"
#include "statementaudit.h"
#include "window_globals.h"
#include "windows.h"

namespace tallyfin {
namespace {

int g_made = 0;
bool g_failNext = false;

QObject *makeObject()
{
    if (std::exchange(g_failNext, false))
        throw std::runtime_error("no memory");
    ++g_made;
    static QObject made;
    return &made;
}

TEST(WindowGlobal, HoldsWhatItIsGivenAndMakesItsWindowOnceOnFirstUse)
{
    WindowGlobal<QObject> global;
    QObject own;
    global = &own;
    EXPECT_EQ(global.get(), &own);
    global = nullptr;
    EXPECT_EQ(global.get(), nullptr) << "no maker: a plain pointer";

    g_made = 0;
    g_failNext = true;
    global.makeOnFirstUse(&makeObject);
    EXPECT_EQ(g_made, 0) << "nothing is made before the first use";
    EXPECT_THROW(global.get(), std::runtime_error);
    QObject *made = global;
    ASSERT_NE(made, nullptr) << "a failed making is tried again";
    EXPECT_EQ(global.get(), made);
    EXPECT_EQ(g_made, 1);
    global = nullptr;
    EXPECT_EQ(global.get(), nullptr) << "a window is made once at most";
}

bool isWindowOfTheProgram(const QWidget *widget) { return widget->objectName().startsWith(QStringLiteral("TForm")); }
bool isStatementAudit(const QWidget *widget) { return qobject_cast<const StatementAuditWindow *>(widget) != nullptr; }

TEST(ProgramWindows, MakeTheMainWindowAtOnceTheOthersOnFirstUseAndKeepThem)
{
    testing::FakePlatform fake;
    QPointer<QWidget> main, buy, about, audit;
    {
        const ProgramWindows windows;
        main = Form1;
        ASSERT_TRUE(main);
        for (const QWidget *widget : QApplication::topLevelWidgets())
            EXPECT_TRUE(!isWindowOfTheProgram(widget) || widget == main) << widget->objectName().toStdString();

        Form1->openBuyBatches();
        buy = Form3;
        ASSERT_TRUE(buy && buy->isVisible());
        buy->findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(QStringLiteral("10.5"));
        buy->findChild<QLineEdit *>(QStringLiteral("Edit2"))->setText(QStringLiteral("100"));
        buy->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        EXPECT_EQ(main->findChild<QLineEdit *>(QStringLiteral("jg"))->text(), "10.5") << "the dialog made on first use "
                                                                                        "hands its rows to the main window";
        EXPECT_FALSE(buy->isVisible());
        Form1->openBuyBatches();
        EXPECT_EQ(Form3.get(), buy.data()) << "made once";
        EXPECT_EQ(buy->findChild<QLineEdit *>(QStringLiteral("Edit1"))->text(), "10.5");

        Form1->showAbout();
        about = Form5;
        EXPECT_TRUE(about && about->isVisible());

        // 交割单核对, by its button and then its menu item: one window, made on the first.
        const auto auditWindows = [] {
            const QWidgetList shown = QApplication::topLevelWidgets();
            return std::count_if(shown.begin(), shown.end(), isStatementAudit);
        };
        EXPECT_EQ(auditWindows(), 0);
        main->findChild<QPushButton *>(QStringLiteral("statementAuditButton"))->click();
        EXPECT_EQ(auditWindows(), 1);
        const QWidgetList shown = QApplication::topLevelWidgets();
        audit = *std::find_if(shown.begin(), shown.end(), isStatementAudit);
        EXPECT_TRUE(audit->isVisible());
        audit->hide();
        main->findChild<QAction *>(QStringLiteral("statementAuditAction"))->trigger();
        EXPECT_EQ(auditWindows(), 1);
        EXPECT_TRUE(audit->isVisible());
    }
    EXPECT_FALSE(main || buy || about || audit) << "every window made is destroyed with the program's";
    EXPECT_EQ(Form2.get(), nullptr) << "no window is made after the program's windows are gone";
    testing::forgetAllWindows();
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
