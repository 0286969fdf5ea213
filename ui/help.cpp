#include "help.h"

#include <QTextDocument>

#include "appearance.h"
#include "bundled.h"
#include "feerules.h"
#include "icon.h"
#include "translatedtext.h"

namespace tallyfin {

namespace {

// The window's size, unless its texts need more.
constexpr QSize kSize(436, 367);

} // namespace

HelpWindow::HelpWindow(QWidget *parent) : QDialog(parent)
{
    setUpForm<Ui::HelpWindow>(*this, this);
    setWindowIcon(programIcon());
    showText();
    makeFixedSizeWindow(this);
    fitFixedSize(this, kSize);
    centreOnScreen(this);
}

void HelpWindow::showText()
{
    // The fee table closes the text, as the engine holds it.
    QString text = bundledText(QStringLiteral("help.txt"));
    for (const Text &entry : FeeTableEntries())
        text += QStringLiteral("\n\n") + translated(entry);
    helpText->setPlainText(text);
    // The text fills the window edge to edge; a margin keeps it off the frame.
    helpText->document()->setDocumentMargin(8);
}

void HelpWindow::showBeside(const QWidget *anchor)
{
    // A window the user has already placed stays where it is.
    if (!isVisible())
        moveBeside(this, anchor, Side::Right);
    showInFront(this);
}

void HelpWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi(this);
        showText();
        fitFixedSize(this, kSize);
    }
    QDialog::changeEvent(event);
}

} // namespace tallyfin
