#include "handler.h"

#include <QString>

#include "appearance.h"
#include "platform.h"

namespace tallyfin {

void showError(std::string_view message)
{
    const std::string text = ErrorBoxText(message);
    platform().showErrorBox(uiText(text));
}

} // namespace tallyfin
