#include "Unit2.h"

#include <QCloseEvent>

#include "Unit1.h"
#include "Unit5.h"
#include "Unit7.h"
#include "appearance.h"
#include "handler.h"
#include "icon.h"
#include "platform.h"
#include "translatedtext.h"

namespace tallyfin {

WindowGlobal<TForm2> Form2;

namespace {

// The window's size, unless its texts need more.
constexpr QSize kSize(342, 504);

} // namespace

TForm2::TForm2(QWidget *parent) : QWidget(parent)
{
    setUpForm<Ui::TForm2>(*this, this);
    setWindowIcon(programIcon());
    makeFixedSizeWindow(this);
    fitFixedSize(this, kSize);
    centreOnScreen(this);
    connectHandlers();
}

void TForm2::connectHandlers()
{
    connectHandler(up, &QPushButton::clicked, this, &TForm2::projectRise);
    connectHandler(down, &QPushButton::clicked, this, &TForm2::projectFall);
    connectHandler(bound, &QPushButton::clicked, this, &TForm2::projectRebound);
    connectHandler(callback, &QPushButton::clicked, this, &TForm2::projectPullBack);
    connectHandler(Button2, &QPushButton::clicked, this, &TForm2::clearClicked);
    connectHandler(tuichu, &QPushButton::clicked, this, &TForm2::exitClicked);
    connectHandler(Button1, &QPushButton::clicked, this, &TForm2::showAbout);
    connectHandler(Button3, &QPushButton::clicked, this, &TForm2::showHelp);
}

std::array<TForm2::FieldBinding, 13> TForm2::fieldBindings() const
{
    return {{{Edit1, &GoldenFields::low},            {Edit2, &GoldenFields::high},
             {Edit3, &GoldenFields::level0809},      {Edit4, &GoldenFields::level0618},
             {Edit5, &GoldenFields::level0500},      {Edit6, &GoldenFields::level0382},
             {Edit7, &GoldenFields::level0191},      {Edit8, &GoldenFields::levelOneThird},
             {Edit9, &GoldenFields::levelTwoThirds}, {Edit10, &GoldenFields::level0236},
             {Edit11, &GoldenFields::level2000},     {Edit12, &GoldenFields::level2618},
             {Edit13, &GoldenFields::level3000}}};
}

GoldenFields TForm2::readFields() const
{
    GoldenFields fields;
    for (const auto &[widget, text] : fieldBindings())
        fields.*text = widget->text().toStdString();
    return fields;
}

void TForm2::writeFields(const GoldenFields &fields)
{
    for (const auto &[widget, text] : fieldBindings())
        showText(widget, fields.*text);
}

void TForm2::project(GoldenMode mode)
{
    GoldenFields fields = readFields();
    const std::string separator = platform().decimalSeparator().toStdString();
    std::optional<std::string_view> message;
    try {
        message = ProjectGolden(fields, mode, separator);
    } catch (const Error &) {
        // The rows written before the failing one stay written.
        writeFields(fields);
        throw;
    }
    writeFields(fields);
    if (message)
        platform().showValidationBox(this, translated("Golden", *message));
}

void TForm2::projectRise() { project(GoldenMode::Rise); }

void TForm2::projectFall() { project(GoldenMode::Fall); }

void TForm2::projectRebound() { project(GoldenMode::Rebound); }

void TForm2::projectPullBack() { project(GoldenMode::PullBack); }

void TForm2::clearClicked()
{
    GoldenFields fields = readFields();
    ClearGolden(fields);
    writeFields(fields);
}

void TForm2::exitClicked() { close(); }

void TForm2::showAbout()
{
    if (Form5)
        showInFront(Form5);
}

void TForm2::showHelp()
{
    if (!Form7)
        return;
    // A window the user has already placed stays where it is.
    if (!Form7->isVisible())
        moveBeside(Form7, this, Side::Right);
    showInFront(Form7);
}

void TForm2::returnToMainWindow()
{
    if (Form1)
        Form1->show();
}

void TForm2::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi(this);
        fitFixedSize(this, kSize);
    }
    QWidget::changeEvent(event);
}

void TForm2::closeEvent(QCloseEvent *event)
{
    // Accepting hides the window; without WA_DeleteOnClose it lives on with
    // its field texts.
    event->accept();
    runHandler([this] { returnToMainWindow(); });
}

} // namespace tallyfin
