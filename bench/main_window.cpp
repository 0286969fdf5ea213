// A reference for the start-up benchmark: the main window alone, built by
// its own class and shown, with nothing else the program does at start-up
// (no icon, no Qt translations, no remembered settings, no other windows).
// It shows what the user sees at start; the program cannot start faster or
// smaller than this without showing something else, and the difference to
// the program is what start-up adds around the window.
#include <QApplication>

#include "mainwindow.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    tallyfin::MainWindow window;
    window.show();
    return QApplication::exec();
}
