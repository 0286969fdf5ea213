#pragma once

#include <QDialog>

#include "ui_help.h"
#include "windowglobal.h"

namespace tallyfin {

// "帮助": how the golden-section calculator works and how to use it
// (resources/help.txt). The text can be scrolled, and edited in place with
// no effect: nothing is saved.
class TForm7 : public QDialog, private Ui::TForm7 {
    Q_OBJECT

public:
    explicit TForm7(QWidget *parent = nullptr);

protected:
    void changeEvent(QEvent *event) override;

private:
    void showText();
};

extern WindowGlobal<TForm7> Form7;

} // namespace tallyfin
