// Latency of the calculate action as the user meets it: Enter pressed in the
// buy price field of the main window -> every field of both groups written.
// The window is shown on Qt's offscreen platform; the desktop is the real Qt
// one, except that a message box is counted instead of shown (none is
// expected). The worked example (jg 10, sl 1000, Edit2 11) is pressed many
// times in two states:
//   fresh   the window as after "清空" with the three inputs typed again, so
//           that Edit3 and all sixteen results are written and both result
//           colours change (the first calculation a user makes);
//   repeat  Enter again on the same inputs, the results already shown.
// "fresh + paint" (for information; painting is not part of the action)
// also runs the event loop once after the press, which repaints the changed
// fields into the window's backing store; what the typing before it asked
// to repaint is painted before the clock starts.
// Then the engine alone: CalculateTrade on the same inputs.
//
//   calc_latency [presses]        (default 20000; prints, never asserts)
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "mainwindow.h"
#include "platform.h"
#include "qtplatform.h"
#include "trade.h"

namespace {

using namespace tallyfin;

// The real desktop, with message boxes counted rather than shown: a modal box
// would stop the benchmark.
class BenchPlatform final : public QtPlatform {
public:
    void showValidationBox(QWidget *, const QString &) override { ++boxes; }
    void showErrorBox(const QString &) override { ++boxes; }
    std::optional<QString> saveFileName(QWidget *, const QString &) override { return std::nullopt; }

    int boxes = 0;
};

struct Summary {
    double median, p99, max;
};

Summary summarize(std::vector<double> nanoseconds)
{
    std::sort(nanoseconds.begin(), nanoseconds.end());
    const auto at = [&](double fraction) {
        const auto index = static_cast<size_t>(fraction * static_cast<double>(nanoseconds.size()));
        return nanoseconds[std::min(nanoseconds.size() - 1, index)];
    };
    return {at(0.5) / 1000, at(0.99) / 1000, nanoseconds.back() / 1000};
}

// A target of 0: the figure is shown for information.
void print(const char *what, const Summary &summary, double targetMicroseconds = 0)
{
    std::printf("  %-34s median %9.2f us   p99 %9.2f us   max %9.2f us", what, summary.median, summary.p99,
                summary.max);
    if (targetMicroseconds > 0)
        std::printf("   target < %.0f us: %s", targetMicroseconds,
                    summary.p99 < targetMicroseconds      ? "met (p99)"
                    : summary.median < targetMicroseconds ? "met (median only)"
                                                          : "MISSED");
    std::printf("\n");
}

std::vector<double> timeRuns(int runs, const std::function<void()> &prepare, const std::function<void()> &action)
{
    std::vector<double> nanoseconds;
    nanoseconds.reserve(runs);
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        prepare();
        timer.start();
        action();
        nanoseconds.push_back(double(timer.nsecsElapsed()));
    }
    return nanoseconds;
}

QLineEdit *field(QWidget &window, const char *name)
{
    auto *found = window.findChild<QLineEdit *>(QString::fromLatin1(name));
    if (!found) {
        std::fprintf(stderr, "calc_latency: no field %s\n", name);
        std::exit(2);
    }
    return found;
}

// The benchmark measures what it claims only if the press computes the
// worked example.
void checkWorkedExample(QWidget &window)
{
    const std::pair<const char *, const char *> expected[] = {
        {"Edit4", "10000"}, {"Edit11", "10.07"}, {"Edit3", "1000"}, {"Edit12", "11000"}, {"Edit19", "924"}};
    for (const auto &[name, text] : expected) {
        if (field(window, name)->text() != QLatin1String(text)) {
            std::fprintf(stderr, "calc_latency: %s shows \"%s\", expected \"%s\"\n", name,
                         qPrintable(field(window, name)->text()), text);
            std::exit(2);
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int presses = argc > 1 ? std::max(100, std::atoi(argv[1])) : 20000;

    BenchPlatform desktop;
    PlatformOverride useDesktop(desktop);
    MainWindow window;
    window.show();
    QApplication::processEvents();

    QLineEdit *jg = field(window, "jg");
    QLineEdit *sl = field(window, "sl");
    QLineEdit *sellPrice = field(window, "Edit2");
    auto *clear = window.findChild<QPushButton *>(QStringLiteral("Button2"));
    jg->setFocus();
    const auto typeWorkedExample = [&] {
        clear->click();
        jg->setText(QStringLiteral("10"));
        sl->setText(QStringLiteral("1000"));
        sellPrice->setText(QStringLiteral("11"));
    };
    const auto pressEnter = [&] { QTest::keyClick(jg, Qt::Key_Return); };

    typeWorkedExample();
    pressEnter();
    checkWorkedExample(window);

    const int warmUp = std::max(100, presses / 20);
    std::printf("calculate action: Enter in jg -> every field of both groups written (%d presses each, "
                "after %d warm-up; offscreen, QElapsedTimer)\n",
                presses, warmUp);
    timeRuns(warmUp, typeWorkedExample, pressEnter);
    print("fresh (all 17 fields written)", summarize(timeRuns(presses, typeWorkedExample, pressEnter)), 1000);
    print("repeat (results already shown)", summarize(timeRuns(presses, [] {}, pressEnter)), 1000);
    const auto typeAndPaint = [&] {
        typeWorkedExample();
        QApplication::processEvents();
    };
    const auto pressAndPaint = [&] {
        pressEnter();
        QApplication::processEvents();
    };
    print("fresh + paint (information)", summarize(timeRuns(presses / 10, typeAndPaint, pressAndPaint)));
    checkWorkedExample(window);

    const int calculations = presses * 5;
    std::printf("engine alone: CalculateTrade on the worked example (%d calls)\n", calculations);
    TradeFields fields;
    const auto freshFields = [&] {
        fields = TradeFields{};
        fields.buyPrice = "10";
        fields.buyQuantity = "1000";
        fields.sellPrice = "11";
    };
    const auto calculate = [&] { CalculateTrade(fields, kDecimalPoint); };
    timeRuns(calculations / 10, freshFields, calculate);
    print("CalculateTrade", summarize(timeRuns(calculations, freshFields, calculate)), 20);
    if (fields.profit != "924")
        std::fprintf(stderr, "calc_latency: CalculateTrade gave the profit \"%s\"\n", fields.profit.c_str());
    if (desktop.boxes)
        std::printf("note: %d message boxes were requested\n", desktop.boxes);
    return 0;
}
