#include "help.h"

#include <QTextDocument>

#include "appearance.h"
#include "bundled.h"
#include "feerules.h"
#include "icon.h"
#include "translatedtext.h"

namespace tallyfin {

WindowGlobal<TForm7> Form7;

namespace {

// The window's size, unless its texts need more.
constexpr QSize kSize(436, 367);

} // namespace

TForm7::TForm7(QWidget *parent) : QDialog(parent)
{
    setUpForm<Ui::TForm7>(*this, this);
    setWindowIcon(programIcon());
    showText();
    makeFixedSizeWindow(this);
    fitFixedSize(this, kSize);
    centreOnScreen(this);
}

void TForm7::showText()
{
    // The fee table closes the text, as the engine holds it.
    QString text = bundledText(QStringLiteral("help.txt"));
    for (const FeeRuleRow &row : FeeRuleTable())
        text += QStringLiteral("\n\n") + translated(FeeTableEntry(row));
    Memo1->setPlainText(text);
    // The text fills the window edge to edge; a margin keeps it off the frame.
    Memo1->document()->setDocumentMargin(8);
}

void TForm7::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi(this);
        showText();
        fitFixedSize(this, kSize);
    }
    QDialog::changeEvent(event);
}

} // namespace tallyfin
