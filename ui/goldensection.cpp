#include "goldensection.h"

#include <QCloseEvent>

#include "appearance.h"
#include "handler.h"
#include "icon.h"
#include "platform.h"
#include "translatedtext.h"

namespace tallyfin {

namespace {

// The window's size, unless its texts need more.
constexpr QSize kSize(342, 504);

} // namespace

GoldenSectionWindow::GoldenSectionWindow(QWidget *parent) : QWidget(parent)
{
    setUpForm<Ui::GoldenSectionWindow>(*this, this);
    setWindowIcon(programIcon());
    makeFixedSizeWindow(this);
    fitFixedSize(this, kSize);
    centreOnScreen(this);
    connectHandlers();
}

void GoldenSectionWindow::connectHandlers()
{
    connectHandler(riseButton, &QPushButton::clicked, this, &GoldenSectionWindow::projectRise);
    connectHandler(fallButton, &QPushButton::clicked, this, &GoldenSectionWindow::projectFall);
    connectHandler(reboundButton, &QPushButton::clicked, this, &GoldenSectionWindow::projectRebound);
    connectHandler(pullBackButton, &QPushButton::clicked, this, &GoldenSectionWindow::projectPullBack);
    connectHandler(clearButton, &QPushButton::clicked, this, &GoldenSectionWindow::clearClicked);
    connectHandler(exitButton, &QPushButton::clicked, this, &GoldenSectionWindow::exitClicked);
    connectHandler(aboutButton, &QPushButton::clicked, this, &GoldenSectionWindow::showAbout);
    connectHandler(helpButton, &QPushButton::clicked, this, &GoldenSectionWindow::showHelp);
}

std::array<GoldenSectionWindow::FieldBinding, 13> GoldenSectionWindow::fieldBindings() const
{
    return {{{low, &GoldenFields::low},
             {high, &GoldenFields::high},
             {level0809, &GoldenFields::level0809},
             {level0618, &GoldenFields::level0618},
             {level0500, &GoldenFields::level0500},
             {level0382, &GoldenFields::level0382},
             {level0191, &GoldenFields::level0191},
             {levelOneThird, &GoldenFields::levelOneThird},
             {levelTwoThirds, &GoldenFields::levelTwoThirds},
             {level0236, &GoldenFields::level0236},
             {level2000, &GoldenFields::level2000},
             {level2618, &GoldenFields::level2618},
             {level3000, &GoldenFields::level3000}}};
}

GoldenFields GoldenSectionWindow::readFields() const
{
    GoldenFields fields;
    for (const auto &[widget, text] : fieldBindings())
        fields.*text = widget->text().toStdString();
    return fields;
}

void GoldenSectionWindow::writeFields(const GoldenFields &fields)
{
    for (const auto &[widget, text] : fieldBindings())
        showText(widget, fields.*text);
}

void GoldenSectionWindow::project(GoldenMode mode)
{
    GoldenFields fields = readFields();
    std::optional<std::string_view> message;
    try {
        message = ProjectGolden(fields, mode, localeSeparator());
    } catch (const Error &) {
        // The rows written before the failing one stay written.
        writeFields(fields);
        throw;
    }
    writeFields(fields);
    if (message)
        platform().showValidationBox(this, translated("Golden", *message));
}

void GoldenSectionWindow::projectRise() { project(GoldenMode::Rise); }

void GoldenSectionWindow::projectFall() { project(GoldenMode::Fall); }

void GoldenSectionWindow::projectRebound() { project(GoldenMode::Rebound); }

void GoldenSectionWindow::projectPullBack() { project(GoldenMode::PullBack); }

void GoldenSectionWindow::clearClicked()
{
    GoldenFields fields = readFields();
    ClearGolden(fields);
    writeFields(fields);
}

void GoldenSectionWindow::exitClicked() { close(); }

void GoldenSectionWindow::showAbout() { Q_EMIT aboutRequested(); }

void GoldenSectionWindow::showHelp() { Q_EMIT helpRequested(); }

void GoldenSectionWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi(this);
        fitFixedSize(this, kSize);
    }
    QWidget::changeEvent(event);
}

void GoldenSectionWindow::closeEvent(QCloseEvent *event)
{
    // Accepting hides the window; without WA_DeleteOnClose it lives on with
    // its field texts.
    event->accept();
    Q_EMIT closed();
}

} // namespace tallyfin
