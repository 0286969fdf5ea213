// Entry point of the GUI test binaries: an offscreen QApplication unless the
// environment asks for a real display (test discovery runs without CTest's
// environment).
#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "language.h"

namespace {

// Every test starts in the source language with no translator installed,
// whatever the tests before it chose.
class ForgetLanguage : public testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo &) override { tallyfin::forgetLanguage(); }
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // No test touches the user's settings: the configuration folder is a temporary one.
    const QTemporaryDir configuration;
    qputenv("XDG_CONFIG_HOME", configuration.path().toLocal8Bit());
    // Nor the user's account store: the data folder is a temporary one too.
    const QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());

    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    testing::UnitTest::GetInstance()->listeners().Append(new ForgetLanguage);
    // The tests' desktop speaks Simplified Chinese, whatever the machine's
    // language: a window that follows the system shows the source texts.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    return RUN_ALL_TESTS();
}
