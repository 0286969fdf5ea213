// The screen tools of a Wayland session: the portal client against a
// stand-in portal (fake_portal) on a private D-Bus session bus that the test
// starts itself, and the rules that choose and read the portal.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QTest>

#include <memory>

#include "colorpicker.h"
#include "captureoverlay.h"
#include "bmp_file.h"
#include "portal.h"
#include "qt_printers.h"

namespace tallyfin {
namespace {

using namespace std::chrono_literals;

const QString kBusName = QStringLiteral("tallyfin-test-bus");
const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kRefused = QStringLiteral("桌面不允许本程序读取屏幕。");
const QString kFailed = QStringLiteral("未能读取屏幕。");

// No service files: nothing on this bus is started on demand, a desktop's
// real portal included.
const char kBusConfig[] = R"(<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>
<policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/>
<allow own="*"/></policy></busconfig>)";

// The real desktop through the portal on the private bus; boxes are recorded
// and the save dialog answers at once.
class ScriptedPortal final : public PortalPlatform {
public:
    ScriptedPortal() : PortalPlatform(kBusName, 1500ms) {}
    void showErrorBox(const QString &text) override { boxes.push_back(text); }
    std::optional<QString> saveFileName(QWidget *, const QString &) override { return saveAnswer; }

    std::vector<QString> boxes;
    std::optional<QString> saveAnswer;

private:
    PlatformOverride m_override{*this};
};

class PortalTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_busDir = new QTemporaryDir;
        QFile config(s_busDir->filePath("bus.conf"));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly) && config.write(kBusConfig) > 0 && config.flush());
        s_daemon = new QProcess;
        s_daemon->start("dbus-daemon", {"--nofork", "--print-address", "--config-file=" + config.fileName()});
        ASSERT_TRUE(s_daemon->waitForReadyRead(10000)) << "dbus-daemon (package dbus) did not start";
        s_address = QString::fromUtf8(s_daemon->readLine()).trimmed();
        ASSERT_TRUE(QDBusConnection::connectToBus(s_address, kBusName).isConnected());
    }

    static void TearDownTestSuite()
    {
        QDBusConnection::disconnectFromBus(kBusName);
        s_daemon->kill();
        s_daemon->waitForFinished(5000);
        delete s_daemon;
        delete s_busDir;
    }

    PortalTest()
    {
        // Twice the screen's size: the portal's picture is in device pixels.
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        m_picture = QImage(screen * 2, QImage::Format_RGB32);
        for (int y = 0; y < m_picture.height(); ++y)
            for (int x = 0; x < m_picture.width(); ++x)
                m_picture.setPixel(x, y, qRgb(x % 256, y % 256, x / 256 * 16 + y / 256));
        m_picture.save(dir.filePath("desktop.png"));
    }

    ~PortalTest() override
    {
        stopPortal();
    }

    // Starts fake_portal with `response`; an empty one leaves the bus
    // without a portal.
    void startPortal(const QString &response)
    {
        stopPortal();
        if (response.isEmpty())
            return;
        m_portal = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DBUS_SESSION_BUS_ADDRESS", s_address);
        m_portal->setProcessEnvironment(environment);
        m_portal->setProcessChannelMode(QProcess::ForwardedChannels);
        m_portal->start(FAKE_PORTAL, {response, dir.filePath("desktop.png")});
        ASSERT_TRUE(QTest::qWaitFor([] { return portalOnBus(); }, 10000)) << "fake_portal did not start";
    }

    void stopPortal()
    {
        if (m_portal) {
            m_portal->kill();
            m_portal->waitForFinished(5000);
            m_portal.reset();
        }
        EXPECT_TRUE(QTest::qWaitFor([] { return !portalOnBus(); }, 10000));
    }

    static bool portalOnBus()
    {
        const QDBusConnectionInterface *bus = QDBusConnection(kBusName).interface();
        return bus && bus->isServiceRegistered(kPortal);
    }

    static inline QTemporaryDir *s_busDir = nullptr;
    static inline QProcess *s_daemon = nullptr;
    static inline QString s_address;

    QTemporaryDir dir;
    QImage m_picture;
    std::unique_ptr<QProcess> m_portal;
    ScriptedPortal desktop;
};

TEST_F(PortalTest, CaptureFreezesThePortalsPictureOrSaysWhyNot)
{
    const struct {
        const char *name;
        const char *response;
        bool overlay;
        QString box;
    } cases[] = {
        {"picture", "0", true, {}},
        {"cancelled", "1", false, {}},
        {"refused", "2", false, kRefused},
        {"no Screenshot interface", "no-interface", false, kRefused},
        {"no portal", "", false, kRefused},
        {"no answer in time", "silent", false, kFailed},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        startPortal(c.response);
        desktop.boxes.clear();
        desktop.saveAnswer = dir.filePath(c.name);
        CaptureOverlay overlay;
        QSignalSpy ended(&overlay, &CaptureOverlay::ended);
        overlay.startCapture();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return overlay.isVisible() || !ended.isEmpty() || !desktop.boxes.empty(); }, 5000));
        EXPECT_EQ(overlay.isVisible(), c.overlay);
        EXPECT_EQ(desktop.boxes, c.box.isEmpty() ? std::vector<QString>{} : std::vector<QString>{c.box});
        QTest::mousePress(&overlay, Qt::LeftButton, {}, {100, 50});
        QTest::mouseMove(&overlay, {237, 171});
        QTest::mouseRelease(&overlay, Qt::LeftButton, {}, {237, 171});
        if (c.overlay) {
            // The dragged rectangle, in the picture's device pixels.
            EXPECT_EQ(testing::readBmp(dir.filePath("picture.bmp")).pixels(), m_picture.copy(200, 100, 274, 242));
            EXPECT_FALSE(ended.isEmpty());
        }
        EXPECT_EQ(QFile::exists(dir.filePath(QString(c.name) + ".bmp")), c.overlay);
    }
}

// The portal's cancel and refusal reach the picker as they reach the capture.
TEST_F(PortalTest, PickerAsksForOnePickAndShowsItsCode)
{
    startPortal("0");
    ColorPickerWindow picker;
    EXPECT_EQ(picker.findChild<QLabel *>("Label1")->text(), "提示:\n本桌面点开始后单击取色");
    auto *button = picker.findChild<QPushButton *>("Button1");
    button->click();
    EXPECT_EQ(button->text(), "停止");
    ASSERT_TRUE(QTest::qWaitFor([&] { return button->text() == "开始"; }, 5000));
    EXPECT_EQ(picker.findChild<QLineEdit *>("Edit1")->text(), "#563412");
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST(Session, WaylandWhereOnlyThePortalReadsTheScreen)
{
    const struct {
        const char *qtPlatform, *sessionType, *waylandDisplay;
        bool wayland;
    } cases[] = {
        {"wayland", "", "", true},           {"wayland-egl", "x11", "", true},  {"xcb", "wayland", "", true},
        {"xcb", "tty", "wayland-1", true},   {"xcb", "", "wayland-0", true},    {"xcb", "x11", "wayland-1", false},
        {"xcb", "", "", false},              {"offscreen", "wayland", "wayland-0", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(isWaylandSession(c.qtPlatform, c.sessionType, c.waylandDisplay), c.wayland)
            << c.qtPlatform << ' ' << c.sessionType << ' ' << c.waylandDisplay;
}

TEST(PortalPicture, ScreenAreaInDevicePixels)
{
    const struct {
        const char *name;
        QSize picture;
        QRect area, desktop, expected;
    } cases[] = {
        {"one screen", {1280, 800}, {0, 0, 1280, 800}, {0, 0, 1280, 800}, {0, 0, 1280, 800}},
        {"scale 2", {2560, 1600}, {0, 0, 1280, 800}, {0, 0, 1280, 800}, {0, 0, 2560, 1600}},
        {"scale 1.25", {1600, 1000}, {0, 0, 1280, 800}, {0, 0, 1280, 800}, {0, 0, 1600, 1000}},
        {"second of two screens", {3200, 1080}, {1280, 0, 1920, 1080}, {0, 0, 3200, 1080}, {1280, 0, 1920, 1080}},
        {"two screens at scale 2", {6400, 2160}, {1280, 0, 1920, 1080}, {0, 0, 3200, 1080}, {2560, 0, 3840, 2160}},
        {"that screen alone", {1920, 1080}, {1280, 0, 1920, 1080}, {0, 0, 3200, 1080}, {0, 0, 1920, 1080}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(portalPictureArea(c.picture, c.area, c.desktop), c.expected) << c.name;
}

} // namespace
} // namespace tallyfin
