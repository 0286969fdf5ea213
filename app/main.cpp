// Starts Tallyfin: every window is created once, in its fixed order, and lives
// until the main window closes.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "Unit1.h"
#include "Unit3.h"
#include "Unit4.h"

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

void createWindows()
{
    using namespace tallyfin;
    Form1 = new TForm1;
    Form3 = new TForm3;
    Form4 = new TForm4;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tallyfin"));
    // The program's title is empty: error boxes have no caption.
    QGuiApplication::setApplicationDisplayName(QString());
    QGuiApplication::setDesktopFileName(QStringLiteral("tallyfin"));
    // The main window's close ends the program; hiding it while a tool is
    // open must not.
    QApplication::setQuitOnLastWindowClosed(false);
    installQtTranslations(app);

    createWindows();
    tallyfin::Form1->show();
    const int status = QApplication::exec();
    delete tallyfin::Form1;
    return status;
}
