#include "errors.h"

namespace tallyfin {

EConvertError::EConvertError(std::string_view rejectedText)
    : Error("'" + std::string(rejectedText) + "' is not a valid floating point value")
{
}

EZeroDivide::EZeroDivide() : EMathError("Floating point division by zero") {}

EInvalidOp::EInvalidOp() : EMathError("Invalid floating point operation") {}

EOverflow::EOverflow() : EMathError("Floating point overflow") {}

EFCreateError::EFCreateError(std::string_view fileName, std::string_view reason)
    : Error("Cannot create file \"" + std::string(fileName) + "\". " + std::string(reason))
{
}

std::string ErrorBoxText(std::string_view message)
{
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
        text += '.';
    return text;
}

} // namespace tallyfin
