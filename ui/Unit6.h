#pragma once

#include <QWidget>

#include "ui_Unit6.h"
#include "windowglobal.h"

class QTimer;

namespace tallyfin {

// "颜色代码选取器": while running, shows the colour under the mouse pointer
// as the window's background and as the code chart software expects.
// Closing only hides it and brings the main window back.
class TForm6 : public QWidget, private Ui::TForm6 {
    Q_OBJECT

public:
    explicit TForm6(QWidget *parent = nullptr);

    // "开始"/"停止" (also Enter).
    void Button1Click();
    // One sample: the pixel under the pointer.
    void Timer1Timer();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormClose();
    void setBackground(const QColor &color);

    QTimer *Timer1;
};

extern WindowGlobal<TForm6> Form6;

} // namespace tallyfin
