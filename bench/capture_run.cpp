// The screen capture (屏幕截图) on the real desktop, for a selection of the
// whole screen (run it on Xvfb -screen 0 1920x1080x24 for 1920 x 1080):
//   release -> dialog   from the mouse release on the overlay to the moment
//                       the save-file dialog is asked for (saveFileName);
//   release -> painted  with --real-dialog: Qt's own save dialog is opened and
//                       the time is taken at its first paint, then it is
//                       cancelled (no file is written in this mode);
//   write               saveBitmap of the selection to a BMP file, alone;
//   after dialog        from saveFileName's answer to the release handled:
//                       the write, then the overlay hidden.
// The desktop is the real Qt one; only the save dialog is answered with a
// file in a temporary folder (or, with --real-dialog, timed and cancelled).
//
//   capture_run [--runs N] [--real-dialog] [--dir FOLDER]     (prints, never asserts)
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMouseEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "captureoverlay.h"
#include "bitmapfile.h"
#include "platform.h"
#include "qtplatform.h"

namespace {

using namespace tallyfin;

QElapsedTimer g_clock;

// The real desktop; the save dialog is either answered at once with `answer`
// (the time of the question recorded) or really shown (its first paint
// recorded by DialogWatcher, which then cancels it).
class CapturePlatform final : public QtPlatform {
public:
    void showErrorBox(const QString &text) override
    {
        std::fprintf(stderr, "capture_run: error box: %s\n", qPrintable(text));
        ++errors;
    }
    std::optional<QString> saveFileName(QWidget *owner, const QString &filter) override
    {
        askedAt = g_clock.nsecsElapsed();
        if (realDialog)
            return QtPlatform::saveFileName(owner, filter);
        answeredAt = g_clock.nsecsElapsed();
        return answer;
    }

    bool realDialog = false;
    QString answer;
    qint64 askedAt = 0;
    qint64 answeredAt = 0;
    int errors = 0;
};

// Records the first paint of a file dialog and cancels it.
class DialogWatcher : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !paintedAt) {
            if (auto *dialog = qobject_cast<QFileDialog *>(watched)) {
                paintedAt = g_clock.nsecsElapsed();
                QTimer::singleShot(0, dialog, &QDialog::reject);
            }
        }
        return false;
    }

    qint64 paintedAt = 0;
};

// A mouse event as the window system delivers it to the overlay. (QTest
// takes the point (0, 0) for "the widget's centre".)
void sendMouse(QWidget &widget, QEvent::Type type, QPoint position, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(position), widget.mapToGlobal(QPointF(position)), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

double medianMs(std::vector<qint64> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return double(values[values.size() / 2]) / 1e6;
}

double maxMs(const std::vector<qint64> &values)
{
    return values.empty() ? 0 : double(*std::max_element(values.begin(), values.end())) / 1e6;
}

void print(const char *what, const std::vector<qint64> &values, double targetMs = 0)
{
    std::printf("  %-40s median %8.2f ms   max %8.2f ms", what, medianMs(values), maxMs(values));
    if (targetMs > 0)
        std::printf("   target < %.0f ms: %s", targetMs, medianMs(values) < targetMs ? "met" : "MISSED");
    std::printf("\n");
}

struct Options {
    int runs = 9;
    bool realDialog = false;
    QString folder;
};

Options parseOptions(const QStringList &arguments)
{
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--runs") && i + 1 < arguments.size())
            options.runs = std::max(1, arguments[++i].toInt());
        else if (arguments[i] == QLatin1String("--real-dialog"))
            options.realDialog = true;
        else if (arguments[i] == QLatin1String("--dir") && i + 1 < arguments.size())
            options.folder = arguments[++i];
        else {
            std::fprintf(stderr, "usage: capture_run [--runs N] [--real-dialog] [--dir FOLDER]\n");
            std::exit(2);
        }
    }
    return options;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const Options options = parseOptions(QApplication::arguments());
    QTemporaryDir temporary(options.folder.isEmpty() ? QDir::tempPath() + QStringLiteral("/capture_run-XXXXXX")
                                                     : options.folder + QStringLiteral("/capture_run-XXXXXX"));
    if (!temporary.isValid()) {
        std::fprintf(stderr, "capture_run: cannot make a temporary folder\n");
        return 2;
    }
    // The real dialog opens in the current folder: an empty one, the same
    // every run.
    QDir::setCurrent(temporary.path());
    CapturePlatform desktop;
    desktop.realDialog = options.realDialog;
    PlatformOverride useDesktop(desktop);
    DialogWatcher watcher;
    app.installEventFilter(&watcher);
    g_clock.start();

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    std::printf("capture of the whole screen, %d x %d, %d runs after a warm-up%s; files in %s\n", screen.width(),
                screen.height(), options.runs, options.realDialog ? ", Qt's own save dialog" : "",
                qPrintable(temporary.path()));
    CaptureOverlay overlay;
    std::vector<qint64> toDialog, toPainted, afterDialog, writes;
    qint64 fileSize = 0;
    for (int run = 0; run <= options.runs; ++run) {
        desktop.answer = temporary.filePath(QStringLiteral("shot%1.bmp").arg(run));
        watcher.paintedAt = 0;
        overlay.startCapture();
        if (!QTest::qWaitForWindowExposed(&overlay)) {
            std::fprintf(stderr, "capture_run: the overlay was not shown\n");
            return 2;
        }
        const QPoint farCorner(overlay.width(), overlay.height());
        sendMouse(overlay, QEvent::MouseButtonPress, QPoint(0, 0), Qt::LeftButton);
        sendMouse(overlay, QEvent::MouseMove, farCorner / 2, Qt::LeftButton);
        sendMouse(overlay, QEvent::MouseMove, farCorner, Qt::LeftButton);
        QApplication::processEvents();
        const qint64 released = g_clock.nsecsElapsed();
        sendMouse(overlay, QEvent::MouseButtonRelease, farCorner, Qt::NoButton);
        const qint64 handled = g_clock.nsecsElapsed();
        QApplication::processEvents();
        if (run == 0)
            continue;
        toDialog.push_back(desktop.askedAt - released);
        if (options.realDialog) {
            if (watcher.paintedAt)
                toPainted.push_back(watcher.paintedAt - released);
        } else {
            afterDialog.push_back(handled - desktop.answeredAt);
            fileSize = QFileInfo(desktop.answer).size();
            QFile::remove(desktop.answer);
        }
    }
    // The write alone, of the same picture.
    const QImage picture = desktop.grabScreen(screen).convertToFormat(QImage::Format_RGB32);
    const QString name = temporary.filePath(QStringLiteral("write.bmp"));
    for (int run = 0; run <= options.runs; ++run) {
        const qint64 start = g_clock.nsecsElapsed();
        saveBitmap(picture, name);
        if (run > 0)
            writes.push_back(g_clock.nsecsElapsed() - start);
        QFile::remove(name);
    }

    print("release -> save dialog asked for", toDialog, 50);
    if (options.realDialog)
        print("release -> Qt's save dialog painted", toPainted);
    else
        print("dialog answered -> release handled", afterDialog);
    print("BMP write (saveBitmap)", writes, 50);
    if (!options.realDialog)
        std::printf("  file size %lld bytes (%s)\n", static_cast<long long>(fileSize),
                    fileSize == 54 + qint64(screen.width()) * 3 * screen.height() ? "a whole-screen 24-bit BMP"
                                                                                   : "UNEXPECTED");
    if (desktop.errors)
        std::printf("note: %d error boxes\n", desktop.errors);
    return 0;
}
