#include "errors.h"

namespace tallyfin {

namespace {

// Built by appending: GCC 12 misreports the equivalent chain of operator+
// under -O3 (-Wrestrict).
std::string quotedMessage(std::string_view before, std::string_view text, std::string_view after)
{
    std::string message;
    message.reserve(before.size() + text.size() + after.size());
    message.append(before).append(text).append(after);
    return message;
}

} // namespace

EConvertError::EConvertError(std::string_view rejectedText)
    : Error(quotedMessage("'", rejectedText, "' is not a valid floating point value"))
{
}

EZeroDivide::EZeroDivide() : EMathError("Floating point division by zero") {}

EInvalidOp::EInvalidOp() : EMathError("Invalid floating point operation") {}

EOverflow::EOverflow() : EMathError("Floating point overflow") {}

void RequireInput(bool acceptable, const Text &message)
{
    if (!acceptable)
        throw EInputRejected(message);
}

EFCreateError::EFCreateError(std::string_view fileName, std::string_view reason)
    : Error(quotedMessage("Cannot create file \"", fileName, "\". ") + std::string(reason))
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
