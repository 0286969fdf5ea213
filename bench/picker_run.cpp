// Tallyfin's colour picker (颜色代码选取器) on the real desktop, for the
// picker-cost benchmark: shows the window, presses 开始 and lets it sample
// for the given time. The desktop is the real Qt one; this program only counts
// the screen reads on their way to it. bench/picker_cost measures the CPU of
// this process and of the X server from outside, while it moves the pointer.
//
//   picker_run [seconds]     (default 12)
// Prints "sampling" when the picker has started, and at the end
//   samples 120 in 12.00 s (10.0 per second), own cpu 81.3 ms
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

#include "colorpicker.h"
#include "platform.h"
#include "qtplatform.h"

namespace {

using namespace tallyfin;

// The real desktop, counting the pixels read.
class CountingPlatform final : public QtPlatform {
public:
    std::optional<QRgb> screenPixel(QPoint position) override
    {
        ++samples;
        return QtPlatform::screenPixel(position);
    }

    long samples = 0;
};

double ownCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &time) { return double(time.tv_sec) * 1e3 + double(time.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 12.0;
    CountingPlatform desktop;
    PlatformOverride useDesktop(desktop);

    ColorPickerWindow picker;
    picker.show();
    QElapsedTimer clock;
    double cpuAtStart = 0;
    // Press 开始 once the window is on screen, as a user would.
    QTimer::singleShot(500, &picker, [&] {
        picker.findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        cpuAtStart = ownCpuMs();
        clock.start();
        std::printf("sampling\n");
        std::fflush(stdout);
        QTimer::singleShot(int(seconds * 1000), Qt::PreciseTimer, &app, &QCoreApplication::quit);
    });
    QApplication::exec();
    const double elapsed = double(clock.nsecsElapsed()) / 1e9;
    std::printf("samples %ld in %.2f s (%.1f per second), own cpu %.1f ms\n", desktop.samples, elapsed,
                double(desktop.samples) / elapsed, ownCpuMs() - cpuAtStart);
    return 0;
}
