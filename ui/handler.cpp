#include "handler.h"

#include <QString>

#include "platform.h"

namespace tallyfin {

void showError(std::string_view message)
{
    const std::string text = ErrorBoxText(message);
    platform().showErrorBox(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

} // namespace tallyfin
