// Starts Tallyfin: every window is created once, in its fixed order, and lives
// until the main window closes.
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
    tallyfin::Windows windows = tallyfin::createWindows();
    tallyfin::Form1->rememberSettings(settings);
    tallyfin::Form1->show();
    const int status = QApplication::exec();
    while (!windows.empty())
        windows.pop_back();
    return status;
}
