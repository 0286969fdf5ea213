// Copied into an installed bin/ by check_install.sh and run there: makes the
// statement check window as the installed program does (its plugin where the
// program looks, from where this file lies), opens a made-up .xls in it (read
// by the installed reader) and says how many trades it shows. Exit status 0
// when it shows them, 1 otherwise; boxes are printed, never shown.
#include <QApplication>
#include <QLabel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>

#include "fake_platform.h"
#include "sample_spreadsheets.h"
#include "statementwindowloader.h"

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tallyfin::testing::FakePlatform boxes;
    const QTemporaryDir dir;
    const QString xls = dir.filePath(QStringLiteral("statement.xls"));
    using namespace tallyfin::samples;
    WriteXls(LayoutCells(SampleLayouts()[0], SampleRows(40, 7)), QFile::encodeName(xls).toStdString());

    tallyfin::StatementWindowLoader loader;
    const std::unique_ptr<QWidget> window(loader.createWindow(nullptr));
    if (window) {
        loader.openFiles(window.get(), {xls});
        const QAbstractItemModel *trades = window->findChild<QTableView *>(QStringLiteral("tradesView"))->model();
        if (!QTest::qWaitFor([&] { return trades->rowCount() > 0 || !boxes.boxes.empty(); }, 20000))
            std::printf("nothing shown in 20 s\n");
        std::printf("%d trades shown: %s\n", trades->rowCount(),
                    qPrintable(window->findChild<QLabel *>(QStringLiteral("statusLabel"))->text()));
        if (trades->rowCount() > 0)
            return 0;
    }
    for (const auto &box : boxes.boxes)
        std::printf("box: %s\n", qPrintable(box.text));
    return 1;
}
