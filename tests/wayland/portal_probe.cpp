// The screen tools against the real desktop portal of a Wayland session
// (tests/wayland/real-portal runs it inside a headless sway): a capture of
// the whole drag area and one colour pick, with the save dialog answered and
// message boxes printed. Prints what it got; exit status 0 when the saved
// picture is all the colour given on the command line, in device pixels,
// and the pick shows that colour's code.
//   portal_probe FILE.bmp RRGGBB
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstdio>

#include "mainwindow.h"
#include "colorpicker.h"
#include "captureoverlay.h"
#include "bmp_file.h"
#include "colorcode.h"
#include "portal.h"

namespace {

using namespace tallyfin;

class ProbePlatform final : public PortalPlatform {
public:
    ProbePlatform(QString file) : PortalPlatform({}, std::chrono::seconds(20)), m_file(std::move(file)) {}
    void showErrorBox(const QString &text) override
    {
        std::printf("box: %s\n", qPrintable(text));
        ++boxes;
    }
    std::optional<QString> saveFileName(QWidget *, const QString &) override { return m_file; }
    int boxes = 0;

private:
    QString m_file;
    PlatformOverride m_override{*this};
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QString file = QString::fromLocal8Bit(argv[1]);
    const QRgb expected = 0xFF000000 | QString::fromLatin1(argv[2]).toUInt(nullptr, 16);
    std::printf("Qt platform %s; Wayland session: %s\n", qPrintable(QGuiApplication::platformName()),
                isWaylandSession(QGuiApplication::platformName(), qEnvironmentVariable("XDG_SESSION_TYPE"),
                                 qEnvironmentVariable("WAYLAND_DISPLAY")) ? "yes" : "no");
    ProbePlatform desktop(file);
    MainWindow main;
    main.show();
    CaptureOverlay overlay;
    overlay.startCapture();
    const bool shown = QTest::qWaitFor([&] { return overlay.isVisible() || desktop.boxes; }, 30000);
    std::printf("capture: overlay %s\n", overlay.isVisible() ? "shown" : shown ? "not shown" : "timed out");
    bool good = false;
    if (overlay.isVisible()) {
        if (!QTest::qWaitForWindowExposed(&overlay, 5000))
            std::printf("capture: overlay never exposed\n");
        QTest::mousePress(&overlay, Qt::LeftButton, {}, {100, 100});
        QTest::mouseMove(&overlay, {300, 200});
        QTest::mouseRelease(&overlay, Qt::LeftButton, {}, {300, 200});
        const QImage saved = tallyfin::testing::readBmp(file).pixels();
        const QSize size = QSize(200, 100) * overlay.devicePixelRatioF();
        good = saved.size() == size;
        for (int y = 0; y < saved.height(); ++y)
            for (int x = 0; x < saved.width(); ++x)
                good = good && saved.pixel(x, y) == expected;
        std::printf("capture: saved %dx%d (expected %dx%d), pixel (0,0) #%06X, all #%06X: %s\n", saved.width(), saved.height(),
                    size.width(), size.height(), saved.isNull() ? 0 : saved.pixel(0, 0) & 0xFFFFFF, expected & 0xFFFFFF, good ? "yes" : "no");
    }
    ColorPickerWindow picker;
    picker.show();
    auto *button = picker.findChild<QPushButton *>("Button1");
    button->click();
    const bool answered = QTest::qWaitFor([&] { return button->text() == QStringLiteral("开始"); }, 30000);
    const QString code = picker.findChild<QLineEdit *>("Edit1")->text();
    std::printf("pick: %s, code \"%s\" (expected \"%s\")\n", answered ? "answered" : "no answer", qPrintable(code),
                qPrintable(colorCode(expected)));
    return good && code == colorCode(expected) ? 0 : 1;
}
