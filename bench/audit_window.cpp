// The statement audit window (交割单核对) on a large statement, as a user
// meets it: the file handed to the window as the open dialog hands it, then
//   result shown   the time until the audit's result is in the window and
//                  the window has been repainted with it (a synchronous
//                  repaint of the whole window right after the result arrives);
//   sort, filter   the GUI thread sorting every trade by a column and
//                  filtering them ("只看有出入的"), each with the repaint after it;
//   stalls         the longest the GUI thread's event loop went without
//                  running a 5 ms timer while the file was read and audited
//                  on the worker thread, and the one step the GUI thread
//                  does itself at the end (the tables and the chart take the
//                  result).
// Each run opens the file again in the same window; the first run pays for
// fonts and first layouts. Prints, never asserts.
//
//   audit_window FILE [RUNS]    (default 5)
//   audit_window show FILE [TAB]  the window with FILE in the desktop's language, left open
//                                 (for screenshots), showing the tab of index TAB
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "language.h"
#include "platform.h"
#include "qtplatform.h"
#include "statementaudit.h"
#include "statementauditmodels.h"

namespace {

using namespace tallyfin;

// The real desktop, with message boxes counted rather than shown.
class BenchPlatform final : public QtPlatform {
public:
    void showValidationBox(QWidget *, const QString &text) override
    {
        ++boxes;
        std::fprintf(stderr, "box: %s\n", qPrintable(text));
    }
    void showErrorBox(const QString &text) override { showValidationBox(nullptr, text); }

    int boxes = 0;
};

struct Run {
    double resultMs = 0, shownMs = 0;   // from the open to the result, and to the window repainted
    double longestGapMs = 0;            // between timer ticks while the worker ran
    double takeMs = 0;                  // the GUI thread taking the result in and repainting
    int ticks = 0;
};

Run openOnce(StatementAuditWindow &window, const QString &path)
{
    Run run;
    QElapsedTimer clock, sinceTick;
    QTimer ticker;
    ticker.setInterval(5);
    bool done = false;
    QObject::connect(&ticker, &QTimer::timeout, &window, [&] {
        run.longestGapMs = std::max(run.longestGapMs, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6);
        sinceTick.restart();
        ++run.ticks;
    });
    const QMetaObject::Connection shown = QObject::connect(&window, &StatementAuditWindow::auditShown, &window, [&] {
        run.resultMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        window.repaint();
        run.shownMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        done = true;
    });
    // The last tick before the result came: the GUI thread's own step is measured apart.
    double lastTickMs = 0;
    QObject::connect(&ticker, &QTimer::timeout, &window,
                     [&] { lastTickMs = static_cast<double>(clock.nsecsElapsed()) / 1e6; });
    clock.start();
    sinceTick.start();
    ticker.start();
    window.openStatement(QFile::encodeName(path));
    while (!done && window.busy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    ticker.stop();
    QObject::disconnect(shown);
    run.takeMs = run.shownMs - lastTickMs;
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// What the user does with the table of every trade, each a step of the GUI thread.
void measureTable(StatementAuditWindow &window)
{
    auto *trades = window.findChild<QTableView *>(QStringLiteral("tradesView"));
    auto *differing = window.findChild<QCheckBox *>(QStringLiteral("differingOnly"));
    const auto timed = [&window](const char *what, const auto &step) {
        QElapsedTimer clock;
        clock.start();
        step();
        window.repaint();
        std::printf("%s: %.0f ms\n", what, static_cast<double>(clock.nsecsElapsed()) / 1e6);
    };
    timed("sort by 成交金额, ascending", [&] { trades->sortByColumn(TradesModel::Amount, Qt::AscendingOrder); });
    timed("sort by 成交金额, descending", [&] { trades->sortByColumn(TradesModel::Amount, Qt::DescendingOrder); });
    timed("sort by 日期", [&] { trades->sortByColumn(TradesModel::Date, Qt::AscendingOrder); });
    timed("只看有出入的 on", [&] { differing->setChecked(true); });
    timed("只看有出入的 off", [&] { differing->setChecked(false); });
}

int measure(StatementAuditWindow &window, const QString &path, int runs)
{
    std::vector<double> shown, gaps, steps;
    for (int i = 0; i < runs; ++i) {
        const Run run = openOnce(window, path);
        if (!window.audit()) {
            std::printf("the statement was not audited\n");
            return 1;
        }
        std::printf("run %d: result %.0f ms, shown %.0f ms; longest event-loop gap %.1f ms over %d ticks; "
                    "taking the result in and repainting %.0f ms\n",
                    i + 1, run.resultMs, run.shownMs, run.longestGapMs, run.ticks, run.takeMs);
        shown.push_back(run.shownMs);
        gaps.push_back(run.longestGapMs);
        steps.push_back(run.takeMs);
    }
    const auto &statement = *window.statement();
    std::printf("%d trades, %zu findings\n", statement.tradeCount(), window.audit()->findings.size());
    std::printf("result shown: median %.0f ms, worst %.0f ms (target: at most 2000 ms)\n", median(shown),
                *std::max_element(shown.begin(), shown.end()));
    std::printf("longest event-loop gap: median %.1f ms, worst %.1f ms (target: no stall over 100 ms)\n",
                median(gaps), *std::max_element(gaps.begin(), gaps.end()));
    std::printf("taking the result in and repainting: median %.0f ms, worst %.0f ms\n", median(steps),
                *std::max_element(steps.begin(), steps.end()));
    measureTable(window);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BenchPlatform desktop;
    PlatformOverride useDesktop(desktop);
    StatementAuditWindow window;
    window.show();
    const QStringList args = QApplication::arguments();
    if (args.size() >= 3 && args[1] == "show") {
        // In the desktop's language, as the program starts; a tab by its index.
        useLanguage(Language::System);
        if (args.size() == 4)
            window.tabWidget()->setCurrentIndex(args[3].toInt());
        window.openStatement(QFile::encodeName(args[2]));
        return QApplication::exec();
    }
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: audit_window FILE [RUNS] | audit_window show FILE [TAB]\n");
        return 2;
    }
    const int runs = args.size() == 3 ? std::max(1, args[2].toInt()) : 5;
    return measure(window, args[1], runs) != 0 || desktop.boxes != 0;
}
