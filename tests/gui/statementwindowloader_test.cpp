// The statement check as the program gets it: its plugin loaded from beside
// the program (here the build tree's), on first use, in the language shown,
// reading a real .xls, its boxes the program's; a plugin that is missing or
// no plugin at all is an error box, and no window.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "fake_platform.h"
#include "language.h"
#include "mainwindow.h"
#include "sample_spreadsheets.h"
#include "statementaudit.h"
#include "statementwindowloader.h"
#include "windows.h"

namespace tallyfin {
namespace {

using testing::FakePlatform;

const QString kProgramDir = QStringLiteral(TALLYFIN_PROGRAM_DIR);
const QString kPluginFile = QStringLiteral(TALLYFIN_STATEMENT_WINDOW_PLUGIN);

QWidget *openByTheMainWindowsButton(ProgramWindows &windows)
{
    windows.mainWindow().findChild<QPushButton *>(QStringLiteral("statementAuditButton"))->click();
    QWidget *last = windows.made().back();
    return last == &windows.mainWindow() ? nullptr : last;
}

int tradesShown(const QWidget *window)
{
    return window->findChild<QTableView *>(QStringLiteral("tradesView"))->model()->rowCount();
}

TEST(StatementWindowLoader, OpensTheWindowFromThePluginBesideTheProgramOnAStatement)
{
    FakePlatform fake;
    useLanguage(Language::English);
    const QTemporaryDir dir;
    const QString xls = dir.filePath(QStringLiteral("交割单.xls"));
    const std::vector<samples::SampleRow> rows = samples::SampleRows(40, 7);
    samples::WriteXls(samples::LayoutCells(samples::SampleLayouts()[0], rows), QFile::encodeName(xls).toStdString());

    // The same window made in this process, as the tests make it: what the plugin's must show.
    StatementAuditWindow inProcess;
    inProcess.openFiles({xls});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !inProcess.busy(); }, 20000));
    ASSERT_GT(tradesShown(&inProcess), 0) << inProcess.findChild<QLabel *>(QStringLiteral("statusLabel"))->text().toStdString();

    StatementWindowLoader loader({dir.filePath(QStringLiteral("elsewhere")), kProgramDir});
    ProgramWindows windows(ProgramWindows::Making::OnFirstUse, &loader);
    QWidget *window = openByTheMainWindowsButton(windows);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->objectName(), "StatementAuditWindow");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), inProcess.windowTitle()) << "the program's translations reach the plugin";
    EXPECT_NE(window->windowTitle(), "交割单核对");

    windows.openStatements({xls});
    EXPECT_EQ(windows.made().back(), window) << "one window";
    EXPECT_TRUE(QTest::qWaitFor([&] { return tradesShown(window) == tradesShown(&inProcess); }, 20000));
    EXPECT_EQ(window->findChild<QLabel *>(QStringLiteral("statusLabel"))->text(),
              inProcess.findChild<QLabel *>(QStringLiteral("statusLabel"))->text());
    EXPECT_TRUE(fake.boxes.empty());

    // The plugin's window asks the program's desktop (here the fake) for its boxes.
    windows.openStatements({dir.filePath(QStringLiteral("gone.xls"))});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !fake.boxes.empty(); }, 20000));
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes.back().owner, window);
    EXPECT_TRUE(fake.boxes.back().text.contains(QStringLiteral("gone.xls"))) << fake.boxes.back().text.toStdString();
}

// Where the plugin cannot be loaded: no file, or a file that is no plugin.
// Each request is an error box naming the plugin and no window, and the
// next request tries again.
TEST(StatementWindowLoader, APluginThatCannotBeLoadedIsAnErrorBoxAndNoWindow)
{
    for (const bool fileThere : {false, true}) {
        FakePlatform fake;
        const QTemporaryDir dir;
        if (fileThere) {
            QFile notAPlugin(dir.filePath(kPluginFile));
            ASSERT_TRUE(notAPlugin.open(QIODevice::WriteOnly));
            notAPlugin.write("not a shared object");
        }
        StatementWindowLoader loader({dir.path()});
        ProgramWindows windows(ProgramWindows::Making::OnFirstUse, &loader);
        for (std::size_t asked = 1; asked <= 2; ++asked) {
            EXPECT_EQ(openByTheMainWindowsButton(windows), nullptr) << fileThere;
            ASSERT_EQ(fake.boxes.size(), asked) << fileThere;
            EXPECT_EQ(fake.boxes.back().kind, FakePlatform::BoxKind::Error);
            EXPECT_TRUE(fake.boxes.back().text.contains(kPluginFile)) << fake.boxes.back().text.toStdString();
        }
        windows.openStatements({dir.filePath(QStringLiteral("交割单.xls"))});
        EXPECT_EQ(fake.boxes.size(), 3u);
        EXPECT_EQ(windows.made().size(), 1u);
    }
}

} // namespace
} // namespace tallyfin
