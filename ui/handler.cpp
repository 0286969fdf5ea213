#include "handler.h"

#include <QString>

#include "appearance.h"
#include "platform.h"
#include "translatedtext.h"

namespace tallyfin {

void showError(const Error &error) { showError(translated(error.text()).toStdString()); }

void showError(std::string_view message)
{
    const std::string text = ErrorBoxText(message);
    platform().showErrorBox(uiText(text));
}

} // namespace tallyfin
