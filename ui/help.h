#pragma once

#include <QDialog>

#include "ui_help.h"

namespace tallyfin {

// "帮助": how the golden-section calculator works and how to use it
// (resources/help.txt). The text can be scrolled, and edited in place with
// no effect: nothing is saved.
class HelpWindow : public QDialog, private Ui::HelpWindow {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows the window beside `anchor`, or, already shown, where the user put it.
    void showBeside(const QWidget *anchor);

protected:
    void changeEvent(QEvent *event) override;

private:
    void showText();
};

} // namespace tallyfin
