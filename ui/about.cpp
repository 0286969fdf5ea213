#include "about.h"

#include "appearance.h"
#include "bundled.h"
#include "handler.h"
#include "icon.h"
#include "links.h"
#include "platform.h"

namespace tallyfin {

WindowGlobal<TForm5> Form5;

namespace {

// The window's size, unless its texts need more.
constexpr QSize kSize(408, 368);

} // namespace

TForm5::TForm5(QWidget *parent) : QDialog(parent)
{
    setUpForm<Ui::TForm5>(*this, this);
    setWindowIcon(programIcon());
    Image1->setIcon(programIcon());
    showTexts();
    makeFixedSizeWindow(this);
    fitFixedSize(this, kSize);
    centreOnScreen(this);
    // Enter and Space answer "确定" at once; the text is there to read.
    Button1->setFocus();
    connectHandler(Button1, &QPushButton::clicked, this, &TForm5::okClicked);
    connectHandler(Image1, &QToolButton::clicked, this, &TForm5::openAboutPage);
}

void TForm5::showTexts()
{
    QFont nameFont = windowFont();
    nameFont.setPixelSize(28);
    nameFont.setBold(true);
    Label1->setFont(nameFont);
    Label2->setText(bundledText(QStringLiteral("about-credit.txt")));
    Label3->setText(bundledText(QStringLiteral("about-contact.txt")));
    Memo1->setPlainText(bundledText(QStringLiteral("about-introduction.txt")));
}

void TForm5::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi(this);
        showTexts();
        fitFixedSize(this, kSize);
    }
    QDialog::changeEvent(event);
}

void TForm5::okClicked() { hide(); }

void TForm5::openAboutPage() { platform().openWebPage(linkAddress(Link::Blog)); }

} // namespace tallyfin
