// The capture's save under file-system faults: every refusal shows the error
// box with the system's reason, leaves the folder exactly as it was (no
// partial or temporary file, an older picture byte for byte) and keeps the
// overlay for another try, which then succeeds.
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
#include <memory>
#include <optional>

#include <sys/stat.h>

#include "captureoverlay.h"
#include "bitmapfile.h"
#include "bmp_file.h"
#include "fake_platform.h"
#include "file_faults.h"
#include "qt_printers.h"

namespace tallyfin {
namespace {

using testing::ActingAsUser;
using testing::FakePlatform;
using testing::FileSizeLimit;
using testing::folderSnapshot;
using testing::readBmp;
using testing::TinyFileSystem;

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// An older picture, larger than any fault's limit, that must survive.
const QByteArray kOlderPicture = QByteArray("BM an older picture ").repeated(400);

// A fault lasts from the press to the release: an object that undoes it when
// destroyed, or none when the folder itself is the fault.
using FaultScope = std::function<std::shared_ptr<void>()>;

std::shared_ptr<void> noScope() { return {}; }

class SaveFaultTest : public ::testing::Test {
protected:
    SaveFaultTest()
    {
        fake.screen = QImage(QGuiApplication::primaryScreen()->geometry().size(), QImage::Format_RGB32);
        fake.screen.fill(qRgb(40, 90, 160));
    }

    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(&overlay, Qt::LeftButton, {}, from);
        QTest::mouseMove(&overlay, to);
        QTest::mouseRelease(&overlay, Qt::LeftButton, {}, to);
    }

    // Answers the save dialog with `answer` while `fault` lasts and checks
    // everything the user and the folder must show afterwards (the reason's
    // text too, unless it is not given).
    void expectRefused(const QString &answer, const std::optional<QString> &reason, const FaultScope &fault = noScope)
    {
        const auto before = folderSnapshot(dir.path());
        fake.boxes.clear();
        fake.saveAnswers.push_back(answer);
        overlay.startCapture();
        {
            const std::shared_ptr<void> lasting = fault();
            // 200 × 150 pixels: about 90 KB, more than any limit below.
            drag({10, 10}, {210, 160});
        }
        ASSERT_EQ(fake.boxes.size(), 1u);
        EXPECT_EQ(fake.boxes[0].kind, FakePlatform::BoxKind::Error);
        const QString text = fake.boxes[0].text;
        const QString start = QStringLiteral("Cannot create file \"%1\". ").arg(bmpFileName(answer));
        if (reason) {
            EXPECT_EQ(text, start + *reason + ".");
        } else {
            EXPECT_TRUE(text.startsWith(start) && text.endsWith(".") && text.size() > start.size() + 1) << text.toStdString();
        }
        EXPECT_EQ(folderSnapshot(dir.path()), before) << "nothing written, created or left behind";
        EXPECT_TRUE(overlay.isVisible()) << "the overlay stays for another try";
        EXPECT_TRUE(ended.isEmpty());
        expectRetrySaves();
    }

    void expectRetrySaves()
    {
        const QString retry = dir.filePath(QStringLiteral("retry-%1").arg(++m_retries));
        fake.saveAnswers.push_back(retry);
        drag({20, 30}, {70, 80});
        EXPECT_EQ(readBmp(retry + ".bmp").pixels(), fake.screen.copy(20, 30, 50, 50));
        EXPECT_FALSE(overlay.isVisible());
        EXPECT_FALSE(ended.isEmpty());
        ended.clear();
    }

    QString folder(const char *name)
    {
        const QString path = dir.filePath(QString::fromUtf8(name));
        EXPECT_TRUE(QDir().mkpath(path));
        return path;
    }

    FakePlatform fake;
    CaptureOverlay overlay;
    // The capture asked for the main window, which stays beneath, to come forward.
    QSignalSpy ended{&overlay, &CaptureOverlay::ended};
    QTemporaryDir dir;

private:
    int m_retries = 0;
};

struct Fault {
    const char *name;
    // Prepares `folder` and returns the name given in the save dialog.
    std::function<QString(const QString &folder)> prepare;
    FaultScope scope;
    int error; // whose system text the box shows; 0: not checked here
};

TEST_F(SaveFaultTest, EachFaultShowsTheSystemsReasonAndChangesNothing)
{
    const Fault faults[] = {
        {"missing folder",
         [](const QString &in) {
             writeBytes(in + "/shot.bmp", kOlderPicture);
             return in + "/no/such/folder/shot.png";
         },
         noScope, ENOENT},
        {"a file where a folder should be",
         [](const QString &in) {
             writeBytes(in + "/notes", "not a folder");
             return in + "/notes/shot";
         },
         noScope, ENOTDIR},
        {"name of a folder",
         [](const QString &in) {
             EXPECT_TRUE(QDir(in).mkdir("shot.bmp"));
             writeBytes(in + "/shot.bmp/inside", "kept");
             return in + "/shot";
         },
         noScope, EISDIR},
        {"name longer than the system allows", [](const QString &in) { return in + "/" + QString(300, u'长'); },
         noScope, ENAMETOOLONG},
        {"disk full: the file may not grow past 4 KB",
         [](const QString &in) {
             writeBytes(in + "/shot.bmp", kOlderPicture);
             return in + "/shot";
         },
         [] {
             auto limit = std::make_shared<FileSizeLimit>(4096);
             EXPECT_TRUE(limit->active());
             return std::shared_ptr<void>(limit);
         },
         EFBIG},
    };
    for (const Fault &fault : faults) {
        SCOPED_TRACE(fault.name);
        const QString answer = fault.prepare(folder(fault.name));
        expectRefused(answer, fault.error ? std::optional(systemReason(fault.error)) : std::nullopt, fault.scope);
    }
}

TEST_F(SaveFaultTest, FullDiskShowsTheSystemsReasonAndKeepsTheOlderPicture)
{
    const QString disk = folder("disk");
    TinyFileSystem tiny(disk, 64);
    if (!tiny.mounted())
        GTEST_SKIP() << "no tiny tmpfs here: " << tiny.why() << " (the file size limit stands in for it)";
    writeBytes(disk + "/shot.bmp", kOlderPicture);
    expectRefused(disk + "/shot.png", systemReason(ENOSPC));
    expectRefused(disk + "/other", systemReason(ENOSPC));
}

TEST_F(SaveFaultTest, ReadOnlyFileSystemShowsTheSystemsReason)
{
    const QString disk = folder("disk");
    TinyFileSystem tiny(disk, 64);
    if (!tiny.mounted() || !tiny.remountReadOnly())
        GTEST_SKIP() << "no read-only tmpfs here: " << tiny.why();
    expectRefused(disk + "/shot", systemReason(EROFS));
}

// The saving class refuses a read-only file itself, before the system is
// asked: the box still gives the system's reason.
TEST_F(SaveFaultTest, ReadOnlyFileShowsTheSystemsReason)
{
    // A read-only older picture in a folder the user may write: only the
    // file itself refuses.
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    const QString shared = folder("shared");
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 0777), 0);
    writeBytes(shared + "/shot.bmp", kOlderPicture);
    ASSERT_EQ(::chmod(QFile::encodeName(shared + "/shot.bmp").constData(), 0444), 0);
    expectRefused(shared + "/shot", systemReason(EACCES), [] {
        auto user = std::make_shared<ActingAsUser>();
        EXPECT_TRUE(user->active());
        return std::shared_ptr<void>(user);
    });
}

} // namespace
} // namespace tallyfin
