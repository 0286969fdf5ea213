#pragma once

#include <QDialog>

#include "ui_about.h"

namespace tallyfin {

// "关于": the program's name, version, credit and contact lines and what it
// offers. The texts ship with the program (resources/about-*.txt).
class AboutWindow : public QDialog, private Ui::AboutWindow {
    Q_OBJECT

public:
    explicit AboutWindow(QWidget *parent = nullptr);

    // "确定": hides the window, which keeps its state for the next showing.
    void okClicked();
    // The icon: the page about Tallyfin that ships with the program.
    void openAboutPage();

protected:
    void changeEvent(QEvent *event) override;

private:
    void showTexts();
};

} // namespace tallyfin
