#include "about.h"

#include "appearance.h"
#include "bundled.h"
#include "handler.h"
#include "icon.h"
#include "links.h"
#include "platform.h"

namespace tallyfin {

namespace {

// The window's size, unless its texts need more.
constexpr QSize kSize(408, 368);

} // namespace

AboutWindow::AboutWindow(QWidget *parent) : QDialog(parent)
{
    setUpForm<Ui::AboutWindow>(*this, this);
    setWindowIcon(programIcon());
    aboutPageButton->setIcon(programIcon());
    showTexts();
    makeFixedSizeWindow(this);
    fitFixedSize(this, kSize);
    centreOnScreen(this);
    // Enter and Space answer "确定" at once; the text is there to read.
    okButton->setFocus();
    connectHandler(okButton, &QPushButton::clicked, this, &AboutWindow::okClicked);
    connectHandler(aboutPageButton, &QToolButton::clicked, this, &AboutWindow::openAboutPage);
}

void AboutWindow::showTexts()
{
    QFont nameFont = windowFont();
    nameFont.setPixelSize(28);
    nameFont.setBold(true);
    programName->setFont(nameFont);
    credit->setText(bundledText(QStringLiteral("about-credit.txt")));
    contact->setText(bundledText(QStringLiteral("about-contact.txt")));
    introduction->setPlainText(bundledText(QStringLiteral("about-introduction.txt")));
}

void AboutWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi(this);
        showTexts();
        fitFixedSize(this, kSize);
    }
    QDialog::changeEvent(event);
}

void AboutWindow::okClicked() { hide(); }

void AboutWindow::openAboutPage() { platform().openWebPage(linkAddress(Link::Blog)); }

} // namespace tallyfin
