// A reference for the start-up benchmark: the main window's form alone, as
// Qt builds it from the Designer file (uic), in the program's font and at the
// program's fixed size, with none of the program's own code (no handlers, no
// icon, no translations, no other windows). It measures what Qt itself spends
// on the widgets and texts the user sees at start-up; the program cannot
// start faster or smaller than this without showing something else.
#include <QApplication>
#include <QMainWindow>

#include "appearance.h"
#include "ui_Unit1.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    Ui::TForm1 form;
    // As the program does: the font first, then the same fixed sizes.
    window.setFont(tallyfin::windowFont());
    form.setupUi(&window);
    form.clientArea->setFixedSize(809, 395);
    tallyfin::makeFixedSizeWindow(&window);
    tallyfin::centreOnScreen(&window);
    window.show();
    return QApplication::exec();
}
