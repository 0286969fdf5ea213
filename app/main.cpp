// Starts Tallyfin: the main window is created and shown, every other window is
// created once, when it is first opened, and lives until the main window
// closes.
#include <QApplication>

#include "icon.h"
#include "language.h"
#include "mainwindow.h"
#include "settingsstore.h"
#include "windows.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tallyfin"));
    // The program's title is empty: error boxes have no caption.
    QGuiApplication::setApplicationDisplayName(QString());
    QGuiApplication::setDesktopFileName(QStringLiteral("tallyfin"));
    // Every window, the main one too, shows the program's icon.
    QApplication::setWindowIcon(tallyfin::programIcon());
    // The main window's close ends the program; hiding it while a tool is
    // open must not.
    QApplication::setQuitOnLastWindowClosed(false);

    tallyfin::SettingsStore settings;
    // The program's texts and Qt's own (message boxes, file dialogs) in the
    // language remembered, or the desktop's, before any window is made.
    tallyfin::useLanguage(settings.language());
    // The main window now; the others when the user first opens them.
    tallyfin::ProgramWindows windows;
    tallyfin::MainWindow &mainWindow = windows.mainWindow();
    mainWindow.rememberSettings(settings);
    mainWindow.show();
    // "tallyfin FILE…", as a file manager's "Open with" gives them.
    if (const QStringList files = QApplication::arguments().mid(1); !files.isEmpty())
        windows.openStatements(files);
    return QApplication::exec();
}
