#pragma once

#include <QDialog>

#include "ui_about.h"
#include "windowglobal.h"

namespace tallyfin {

// "关于": the program's name, version, credit and contact lines and what it
// offers. The texts ship with the program (resources/about-*.txt).
class TForm5 : public QDialog, private Ui::TForm5 {
    Q_OBJECT

public:
    explicit TForm5(QWidget *parent = nullptr);

    // "确定": hides the window, which keeps its state for the next showing.
    void okClicked();
    // The icon: the page about Tallyfin that ships with the program.
    void openAboutPage();

protected:
    void changeEvent(QEvent *event) override;

private:
    void showTexts();
};

extern WindowGlobal<TForm5> Form5;

} // namespace tallyfin
