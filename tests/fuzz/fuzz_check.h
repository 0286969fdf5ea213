#pragma once

// Shared by the libFuzzer targets: a check that stops the run with a message
// (libFuzzer keeps the input that reached it), and the shape of every number
// text that core/ writes.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "errors.h"

namespace tallyfin::fuzz {

[[noreturn]] inline void fail(const char *what, std::string_view detail)
{
    std::fprintf(stderr, "fuzz check failed: %s [%.*s]\n", what, static_cast<int>(detail.size()),
                 detail.data());
    std::abort();
}

inline void check(bool condition, const char *what, std::string_view detail = {})
{
    if (!condition)
        fail(what, detail);
}

// What a step of a calculation ended with. The calculations may throw only
// the conversion error and the three floating-point faults; anything else
// escaping would be a fault of its own.
enum class Thrown { Nothing, ConvertError, ZeroDivide, InvalidOp, Overflow };

template <typename Step>
Thrown runStep(Step &&step)
{
    try {
        step();
        return Thrown::Nothing;
    } catch (const EConvertError &) {
        return Thrown::ConvertError;
    } catch (const EZeroDivide &) {
        return Thrown::ZeroDivide;
    } catch (const EInvalidOp &) {
        return Thrown::InvalidOp;
    } catch (const EOverflow &) {
        return Thrown::Overflow;
    } catch (const std::exception &error) {
        fail("an exception other than the four calculation errors escaped", error.what());
    } catch (...) {
        fail("a non-standard exception escaped", {});
    }
}

namespace detail {

inline std::size_t digitRun(std::string_view text, std::size_t pos)
{
    std::size_t end = pos;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9')
        ++end;
    return end - pos;
}

inline std::string_view withoutLeadingZeros(std::string_view digits)
{
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view{} : digits.substr(first);
}

} // namespace detail

// True when text is what FormatGeneral writes for a finite value: "0", or an
// optional "-" and either
//   fixed       digits [sep digits]           for 0.0001 <= |v| < 1E15
//   scientific  d [sep digits] "E" [-]digits  otherwise
// with at most 15 significant digits, no leading zeros (a lone "0" before the
// separator of a fraction), no trailing zeros after the separator, and an
// exponent without leading zeros inside the extended range.
inline bool isGeneralText(std::string_view text, std::string_view separator)
{
    using detail::digitRun;
    if (text == "0")
        return true;
    std::size_t pos = text.starts_with('-') ? 1 : 0;
    const std::string_view integer = text.substr(pos, digitRun(text, pos));
    if (integer.empty() || (integer.size() > 1 && integer[0] == '0'))
        return false;
    pos += integer.size();
    std::string_view fraction;
    if (text.substr(pos).starts_with(separator)) {
        pos += separator.size();
        fraction = text.substr(pos, digitRun(text, pos));
        if (fraction.empty() || fraction.back() == '0')
            return false;
        pos += fraction.size();
    }
    const std::string significant = std::string(integer) + std::string(fraction);
    const std::size_t significantDigits =
        fraction.empty() ? integer.size() : detail::withoutLeadingZeros(significant).size();
    if (significantDigits == 0 || significantDigits > 15)
        return false;
    if (pos == text.size()) {
        // Fixed: below 1E15, and a fraction of at least 0.0001.
        if (integer == "0")
            return fraction.find_first_not_of('0') <= 3;
        return integer.size() <= 15;
    }
    if (text[pos] != 'E' || integer.size() != 1 || integer == "0")
        return false;
    ++pos;
    const bool negative = pos < text.size() && text[pos] == '-';
    pos += negative ? 1 : 0;
    const std::string_view exponent = text.substr(pos, digitRun(text, pos));
    if (exponent.empty() || exponent[0] == '0' || exponent.size() > 4 || pos + exponent.size() != text.size())
        return false;
    const int value = (negative ? -1 : 1) * std::stoi(std::string(exponent));
    return (value < -4 || value > 14) && value >= -4951 && value <= 4932;
}

// The input of a field-based target: its first line is a flags byte (the
// line's first byte, 0 when empty), the others are field texts as typed.
// Newlines separate the fields because a line edit never holds one.
struct FieldInput {
    unsigned flags = 0;
    std::vector<std::string> texts;

    // The i-th text, or fallback when the input has fewer lines.
    std::string textOr(std::size_t i, std::string_view fallback) const
    {
        return i < texts.size() ? texts[i] : std::string(fallback);
    }
};

inline FieldInput splitFields(std::string_view data)
{
    FieldInput input;
    const std::size_t firstEnd = data.find('\n');
    if (!data.empty() && firstEnd != 0)
        input.flags = static_cast<unsigned char>(data[0]);
    if (firstEnd == std::string_view::npos)
        return input;
    for (std::string_view rest = data.substr(firstEnd + 1);;) {
        const std::size_t end = rest.find('\n');
        input.texts.emplace_back(rest.substr(0, end));
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    return input;
}

} // namespace tallyfin::fuzz
