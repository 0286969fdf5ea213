#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <functional>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "captureoverlay.h"
#include "bitmapfile.h"
#include "bmp_file.h"
#include "fake_platform.h"
#include "file_faults.h"
#include "qt_printers.h"

namespace tallyfin {
namespace {

using testing::BmpFile;
using testing::FakePlatform;
using testing::FilePermissionsEnforced;
using testing::readBmp;

// Every pixel differs from its neighbours and from every other pixel of an
// 800 × 600 screen, so a picture shifted or cut by one pixel shows.
QImage gradientScreen(QSize size)
{
    QImage screen(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            screen.setPixel(x, y, qRgb(x % 256, y % 256, 16 * (x / 256) + (y / 256)));
    return screen;
}

// What a pixel under the band looks like: the inverse of the exclusive-or
// of the blue pen and the pixel.
QRgb underBand(QRgb pixel) { return 0xFF000000 | ~(qRgb(0, 0, 255) ^ pixel); }

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class CaptureTest : public ::testing::Test {
protected:
    CaptureTest()
    {
        fake.screen = gradientScreen(QGuiApplication::primaryScreen()->geometry().size());
    }

    QString path(const QString &name) const { return dir.filePath(name); }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot); }

    // QTest takes (0, 0) for the widget's centre: no drag starts or ends there.
    void press(QPoint at) { QTest::mousePress(&overlay, Qt::LeftButton, {}, at); }
    void moveTo(QPoint to) { QTest::mouseMove(&overlay, to); }
    void release(QPoint at) { QTest::mouseRelease(&overlay, Qt::LeftButton, {}, at); }
    void drag(QPoint from, QPoint to)
    {
        press(from);
        moveTo((from + to) / 2);
        moveTo(to);
        release(to);
    }

    // A whole capture: start, drag, answer the save dialog with `name`.
    void capture(QPoint from, QPoint to, const std::optional<QString> &name)
    {
        fake.saveAnswers.push_back(name);
        overlay.startCapture();
        drag(from, to);
    }

    QRgb shownPixel(QPoint at) { return overlay.grab().toImage().pixel(at); }

    void expectCaptureEnded()
    {
        EXPECT_FALSE(overlay.isVisible());
        EXPECT_FALSE(ended.isEmpty());
    }

    FakePlatform fake;
    CaptureOverlay overlay;
    // The capture asked for the main window, which stays beneath, to come forward.
    QSignalSpy ended{&overlay, &CaptureOverlay::ended};
    QTemporaryDir dir;
};

TEST_F(CaptureTest, OverlayCoversTheScreenWithItsFrozenImage)
{
    overlay.startCapture();
    EXPECT_TRUE(overlay.isVisible());
    EXPECT_EQ(overlay.geometry(), QGuiApplication::primaryScreen()->geometry());
    EXPECT_TRUE(overlay.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(overlay.windowFlags() & Qt::WindowStaysOnTopHint);
    ASSERT_EQ(fake.grabs.size(), 1u);
    EXPECT_EQ(fake.grabs[0], QGuiApplication::primaryScreen()->geometry());
    // The screen may change beneath; the overlay keeps what it grabbed.
    fake.screen.fill(Qt::black);
    EXPECT_EQ(overlay.grab().toImage().convertToFormat(QImage::Format_RGB32),
              gradientScreen(overlay.size()));
}

TEST_F(CaptureTest, SavesTheDraggedRectangleAsAStandardBmp)
{
    // An odd width: each 3-byte row needs padding to 4 bytes.
    capture({100, 50}, {237, 171}, path("shot.png"));

    EXPECT_EQ(files(), QStringList{"shot.bmp"});
    const BmpFile bmp = readBmp(path("shot.bmp"));
    EXPECT_EQ(bmp.magic(), "BM");
    EXPECT_EQ(bmp.fileSize(), std::uint32_t(bmp.bytes.size()));
    EXPECT_EQ(bmp.pixelOffset(), 54u);
    EXPECT_EQ(bmp.infoHeaderSize(), 40u);
    EXPECT_EQ(bmp.width(), 137);
    EXPECT_EQ(bmp.height(), 121);
    EXPECT_EQ(bmp.planes(), 1);
    EXPECT_EQ(bmp.bitsPerPixel(), 24);
    EXPECT_EQ(bmp.compression(), 0u);
    EXPECT_EQ(bmp.bytes.size(), 54 + 412 * 121);
    EXPECT_EQ(bmp.pixels(), fake.screen.copy(100, 50, 137, 121));
    EXPECT_EQ(fake.saveFilters, std::vector<QString>{"*.bmp"});
    expectCaptureEnded();
}

TEST_F(CaptureTest, EveryDragDirectionSavesTheSameImage)
{
    const QPoint topLeft(300, 200), bottomRight(420, 290);
    const struct {
        const char *name;
        QPoint from, to;
    } drags[] = {
        {"right-down", topLeft, bottomRight},
        {"left-up", bottomRight, topLeft},
        {"right-up", {topLeft.x(), bottomRight.y()}, {bottomRight.x(), topLeft.y()}},
        {"left-down", {bottomRight.x(), topLeft.y()}, {topLeft.x(), bottomRight.y()}},
    };
    for (const auto &drag : drags) {
        capture(drag.from, drag.to, path(drag.name));
        const BmpFile bmp = readBmp(path(QString::fromLatin1(drag.name) + ".bmp"));
        EXPECT_EQ(bmp.pixels(), fake.screen.copy(QRect(topLeft, QSize(120, 90)))) << drag.name;
    }
    EXPECT_EQ(fileBytes(path("left-up.bmp")), fileBytes(path("right-down.bmp")));
}

TEST_F(CaptureTest, BandFollowsThePointerAndIsNeverSaved)
{
    fake.saveAnswers.push_back(path("shot"));
    overlay.startCapture();
    press({100, 100});
    moveTo({300, 200});
    const QPoint onTopEdge(200, 100), inside(200, 150), onOldEdgeOnly(250, 200);
    EXPECT_EQ(shownPixel(onTopEdge), underBand(fake.screen.pixel(onTopEdge)));
    EXPECT_EQ(shownPixel(onTopEdge + QPoint(0, 1)), underBand(fake.screen.pixel(onTopEdge + QPoint(0, 1))));
    EXPECT_EQ(shownPixel(inside), fake.screen.pixel(inside));

    moveTo({220, 150});
    EXPECT_EQ(shownPixel(onOldEdgeOnly), fake.screen.pixel(onOldEdgeOnly)) << "the old band must be erased";
    EXPECT_EQ(shownPixel({220, 120}), underBand(fake.screen.pixel(QPoint(220, 120))));

    // Back at the anchor the band has no size: the overlay shows the screen
    // exactly as it was.
    moveTo({100, 100});
    EXPECT_EQ(overlay.grab().toImage().convertToFormat(QImage::Format_RGB32), fake.screen);

    moveTo({260, 230});
    // The release point, not the last move, is the rectangle's corner.
    release({300, 200});
    EXPECT_EQ(readBmp(path("shot.bmp")).pixels(), fake.screen.copy(100, 100, 200, 100));
}

TEST_F(CaptureTest, EndsWithoutAFile)
{
    const struct {
        const char *name;
        std::function<void()> act;
        std::size_t dialogsAsked;
    } cases[] = {
        {"dialog cancelled", [this] { drag({10, 10}, {50, 60}); }, 1},
        {"click without a drag", [this] { drag({40, 40}, {40, 40}); }, 0},
        {"drag along x only", [this] { drag({40, 40}, {90, 40}); }, 0},
        {"drag along y only", [this] { drag({40, 40}, {40, 90}); }, 0},
        {"drag back to the anchor", [this] {
             press({40, 40});
             moveTo({90, 90});
             release({40, 40});
         }, 0},
        {"Escape before a press", [this] { QTest::keyClick(&overlay, Qt::Key_Escape); }, 0},
        {"Escape during a drag", [this] {
             press({40, 40});
             moveTo({90, 90});
             QTest::keyClick(&overlay, Qt::Key_Escape);
             release({90, 90});
         }, 0},
        {"closed by the window manager", [this] { overlay.close(); }, 0},
    };
    for (const auto &c : cases) {
        ended.clear();
        fake.saveFilters.clear();
        fake.saveAnswers.push_back(std::nullopt);
        overlay.startCapture();
        c.act();
        EXPECT_EQ(fake.saveFilters.size(), c.dialogsAsked) << c.name;
        EXPECT_EQ(files(), QStringList()) << c.name;
        EXPECT_FALSE(overlay.isVisible()) << c.name;
        EXPECT_FALSE(ended.isEmpty()) << c.name;
        fake.saveAnswers.clear();
    }
    EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(CaptureTest, UnreadableScreenIsReportedAndNothingIsSaved)
{
    fake.screen = QImage();
    fake.saveAnswers.push_back(path("shot"));
    overlay.startCapture();
    drag({10, 10}, {60, 50});
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].kind, FakePlatform::BoxKind::Error);
    EXPECT_EQ(fake.boxes[0].text, "未能读取屏幕。");
    EXPECT_FALSE(overlay.isVisible());
    EXPECT_TRUE(fake.saveFilters.empty());
    EXPECT_EQ(files(), QStringList());
}

TEST_F(CaptureTest, ReleaseWithoutAPressDoesNothing)
{
    overlay.startCapture();
    release({300, 300});
    EXPECT_TRUE(overlay.isVisible());
    EXPECT_TRUE(ended.isEmpty());
    EXPECT_TRUE(fake.saveFilters.empty());
}

TEST_F(CaptureTest, UncreatableFileShowsTheReasonAndKeepsTheOverlay)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.bmp"));
    const struct {
        const char *answer;
        const char *fileName;
        const char *reason;
    } cases[] = {
        {"no/such/folder/shot.png", "no/such/folder/shot.bmp", "No such file or directory"},
        {"taken", "taken.bmp", "Is a directory"},
    };
    for (const auto &c : cases) {
        fake.boxes.clear();
        capture({10, 10}, {60, 50}, path(c.answer));
        ASSERT_EQ(fake.boxes.size(), 1u) << c.answer;
        EXPECT_EQ(fake.boxes[0].kind, FakePlatform::BoxKind::Error);
        EXPECT_EQ(fake.boxes[0].text, QStringLiteral("Cannot create file \"%1\". %2.").arg(path(c.fileName), c.reason));
        EXPECT_TRUE(overlay.isVisible()) << c.answer;
        EXPECT_TRUE(ended.isEmpty()) << c.answer;

        // The overlay waits, inactive, for another try.
        moveTo({200, 200});
        EXPECT_EQ(shownPixel({30, 10}), fake.screen.pixel(30, 10)) << "the band is erased";
        fake.saveAnswers.push_back(path("retry"));
        drag({20, 30}, {70, 80});
        EXPECT_EQ(readBmp(path("retry.bmp")).pixels(), fake.screen.copy(20, 30, 50, 50));
        expectCaptureEnded();
        ended.clear();
    }
}

TEST_F(CaptureTest, RefusedWriteLeavesTheExistingFileIntact)
{
    const QString folder = path("read-only");
    ASSERT_TRUE(QDir().mkdir(folder));
    const QByteArray old("an older picture");
    writeBytes(folder + "/shot.bmp", old);
    ASSERT_EQ(::chmod(qPrintable(folder), 0555), 0);
    {
        FilePermissionsEnforced enforced;
        // What the system itself says to a file created there.
        const int probe = ::open(qPrintable(folder + "/probe"), O_CREAT | O_WRONLY, 0644);
        const int refusal = errno;
        if (probe >= 0) {
            ::close(probe);
            ::chmod(qPrintable(folder), 0755);
            GTEST_SKIP() << "cannot make a folder read-only here";
        }
        capture({10, 10}, {60, 50}, folder + "/shot.png");
        ASSERT_EQ(fake.boxes.size(), 1u);
        EXPECT_EQ(fake.boxes[0].text, QStringLiteral("Cannot create file \"%1\". %2.")
                                          .arg(folder + "/shot.bmp", QString::fromLocal8Bit(std::strerror(refusal))));
    }
    ::chmod(qPrintable(folder), 0755);
    EXPECT_EQ(fileBytes(folder + "/shot.bmp"), old);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"shot.bmp"}) << "no temporary file may remain";
    EXPECT_TRUE(overlay.isVisible());
}

TEST_F(CaptureTest, SavingOverAnExistingFileReplacesIt)
{
    writeBytes(path("shot.bmp"), QByteArray(100000, 'x'));
    capture({5, 5}, {15, 25}, path("shot.bmp"));
    const BmpFile bmp = readBmp(path("shot.bmp"));
    EXPECT_EQ(bmp.bytes.size(), 54 + 32 * 20);
    EXPECT_EQ(bmp.pixels(), fake.screen.copy(5, 5, 10, 20));
    EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(CaptureTest, EachCaptureGrabsTheScreenAfresh)
{
    capture({1, 1}, {11, 11}, path("first"));
    fake.screen.fill(qRgb(12, 34, 56));
    capture({1, 1}, {11, 11}, path("second"));
    EXPECT_EQ(fake.grabs.size(), 2u);
    EXPECT_EQ(readBmp(path("second.bmp")).pixels().pixel(5, 5), qRgb(12, 34, 56));
}

TEST(BmpFileName, ExtensionBecomesBmp)
{
    const struct {
        const char *typed, *saved;
    } cases[] = {
        {"shot", "shot.bmp"},
        {"shot.png", "shot.bmp"},
        {"shot.BMP", "shot.bmp"},
        {"shot.bmp", "shot.bmp"},
        {"shot.", "shot.bmp"},
        {"shot.tar.gz", "shot.tar.bmp"},
        {"/tmp/a.b/shot", "/tmp/a.b/shot.bmp"},
        {"/tmp/a.b/shot.jpg", "/tmp/a.b/shot.bmp"},
        {"/tmp/.hidden", "/tmp/.hidden.bmp"},
        {"/tmp/截图.png", "/tmp/截图.bmp"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(bmpFileName(QString::fromUtf8(c.typed)), QString::fromUtf8(c.saved)) << c.typed;
}

} // namespace
} // namespace tallyfin
