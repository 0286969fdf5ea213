// Entry point of the tests against a real X server: unlike the other GUI
// tests, this one must not fall back to the offscreen platform, whose screen
// holds no pixels. CTest runs it under xvfb-run.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
