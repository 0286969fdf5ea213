// Starts Tallyfin: every window is created once, in its fixed order, and lives
// until the main window closes.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>
#include <vector>

#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"
#include "Unit5.h"
#include "Unit6.h"
#include "Unit7.h"
#include "Unit8.h"
#include "icon.h"

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

// The windows in their order of creation; destroyed in reverse at the end.
using Windows = std::vector<std::unique_ptr<QWidget>>;

template <typename Form>
void create(Form *&global, Windows &windows)
{
    global = new Form;
    windows.emplace_back(global);
}

Windows createWindows()
{
    using namespace tallyfin;
    Windows windows;
    create(Form1, windows);
    create(Form2, windows);
    create(Form3, windows);
    create(Form4, windows);
    create(Form5, windows);
    create(Form6, windows);
    create(Form7, windows);
    create(Form8, windows);
    return windows;
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

    Windows windows = createWindows();
    tallyfin::Form1->show();
    const int status = QApplication::exec();
    while (!windows.empty())
        windows.pop_back();
    return status;
}
