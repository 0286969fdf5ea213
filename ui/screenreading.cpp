#include "screenreading.h"

#include <QCoreApplication>
#include <QString>

#include "platform.h"

namespace tallyfin {

void reportScreenUnread(ScreenAnswer answer)
{
    // Shown as they are: the error box's full-stop rule is for the
    // calculation's messages.
    if (answer == ScreenAnswer::Refused)
        platform().showErrorBox(QCoreApplication::translate("tallyfin::ScreenReading", "桌面不允许本程序读取屏幕。"));
    else if (answer == ScreenAnswer::Failed)
        platform().showErrorBox(QCoreApplication::translate("tallyfin::ScreenReading", "未能读取屏幕。"));
}

} // namespace tallyfin
