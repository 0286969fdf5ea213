#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "text.h"

namespace tallyfin {

// Every failure a calculation can meet. A calculation stops at the failing
// step and keeps what it already wrote; the window's single error handler
// shows message() in the error box (see ErrorBoxText), translated from text().
class Error : public std::runtime_error {
public:
    explicit Error(const std::string &message) : Error(Text::Plain(message)) {}
    explicit Error(Text text)
        : std::runtime_error(text.toString()), m_text(std::move(text)), m_message(m_text.toString())
    {
    }
    // The whole message, also where a typed text holds a NUL character.
    const std::string &message() const { return m_message; }
    // The message in its parts, for translation; data (never translated)
    // for the floating-point faults, whose messages are the runtime's own.
    const Text &text() const { return m_text; }

private:
    Text m_text;
    std::string m_message;
};

// A text that is not a number:
//   "'1,000' is not a valid floating point value"
class EConvertError : public Error {
public:
    explicit EConvertError(std::string_view rejectedText);
};

// The floating-point faults that the arithmetic does not let pass silently.
class EMathError : public Error {
public:
    using Error::Error;
};

// A non-zero value divided by zero: "Floating point division by zero".
class EZeroDivide : public EMathError {
public:
    EZeroDivide();
};

// 0 / 0, or a rounding to a whole number that does not fit 64 bits:
// "Invalid floating point operation".
class EInvalidOp : public EMathError {
public:
    EInvalidOp();
};

// A value beyond the double range when rounded to double, or beyond the
// extended range: "Floating point overflow".
class EOverflow : public EMathError {
public:
    EOverflow();
};

// An input the dated rules refuse, with a message in the user's language
// that the window shows in the box for a bad input (no full stop added).
//   "买入数量应为 1 到 10000000000 之间的整数"
class EInputRejected : public Error {
public:
    using Error::Error;
};

// Throws EInputRejected with the message unless the input is acceptable.
void RequireInput(bool acceptable, const Text &message);

// A file that cannot be created: "Cannot create file "%s". %s".
class EFCreateError : public Error {
public:
    EFCreateError(std::string_view fileName, std::string_view reason);
};

// The text of the error box: the message with a full stop appended, unless
// it is empty or its last character is "." or below it in code. Any
// multi-byte (non-ASCII) last character gets the full stop.
//   ErrorBoxText("Floating point overflow") -> "Floating point overflow."
//   ErrorBoxText("Disk full.")              -> "Disk full."
//   ErrorBoxText("'' is not a valid floating point value")
//                                           -> "'' is not a valid floating point value."
std::string ErrorBoxText(std::string_view message);

} // namespace tallyfin
