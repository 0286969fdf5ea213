// Starts Tallyfin: the main window is created and shown, every other window is
// created once, when it is first opened, and lives until the main window
// closes.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "Unit1.h"
#include "icon.h"
#include "settingsstore.h"
#include "windows.h"

namespace {

// Qt's own texts (the message boxes' buttons, the file dialog) in Chinese, to
// match the rest of the program, when the translations are installed.
void installQtTranslations(QApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

} // namespace

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
    installQtTranslations(app);

    tallyfin::SettingsStore settings;
    // The main window now; the others when the user first opens them.
    const tallyfin::ProgramWindows windows;
    tallyfin::Form1->rememberSettings(settings);
    tallyfin::Form1->show();
    return QApplication::exec();
}
