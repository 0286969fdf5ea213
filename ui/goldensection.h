#pragma once

#include <QWidget>

#include <array>
#include <string>

#include "golden.h"
#include "ui_goldensection.h"

namespace tallyfin {

// "黄金分割计算器": price levels projected from a swing low and high. Every
// level comes from ProjectGolden; the window only moves texts between its
// thirteen fields and the core. It takes the main window's place while it is
// open: closing it asks for the main window back.
class GoldenSectionWindow : public QWidget, private Ui::GoldenSectionWindow {
    Q_OBJECT

public:
    explicit GoldenSectionWindow(QWidget *parent = nullptr);

    // The four projections. An empty input the mode needs gets the
    // validation box and changes nothing; an error ends the handler after
    // writing back the rows written before it.
    void projectRise();
    void projectFall();
    void projectRebound();
    void projectPullBack();
    // "清空": all thirteen fields back to "0".
    void clearClicked();
    void exitClicked();
    // "关于我" and "帮助": ask for their windows; the main window stays hidden meanwhile.
    void showAbout();
    void showHelp();

Q_SIGNALS:
    void aboutRequested();
    // The help window, beside this one.
    void helpRequested();
    // The end of every way of closing: the window is hidden, never
    // destroyed, and the main window it replaced comes back.
    void closed();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    struct FieldBinding {
        QLineEdit *widget;
        std::string GoldenFields::*text;
    };

    std::array<FieldBinding, 13> fieldBindings() const;
    GoldenFields readFields() const;
    void writeFields(const GoldenFields &fields);
    void project(GoldenMode mode);
    void connectHandlers();
};

} // namespace tallyfin
