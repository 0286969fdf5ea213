#include "Unit7.h"

#include <QTextDocument>

#include "appearance.h"
#include "bundled.h"
#include "feerules.h"
#include "icon.h"

namespace tallyfin {

WindowGlobal<TForm7> Form7;

TForm7::TForm7(QWidget *parent) : QDialog(parent)
{
    setUpForm<Ui::TForm7>(*this, this);
    setWindowIcon(programIcon());
    // The fee table closes the text, as the engine holds it.
    Memo1->setPlainText(bundledText(QStringLiteral("help.txt")) + QStringLiteral("\n\n")
                        + QString::fromStdString(FeeTableText()).trimmed());
    // The text fills the window edge to edge; a margin keeps it off the frame.
    Memo1->document()->setDocumentMargin(8);
    setFixedSize(436, 367);
    makeFixedSizeWindow(this);
    centreOnScreen(this);
}

} // namespace tallyfin
