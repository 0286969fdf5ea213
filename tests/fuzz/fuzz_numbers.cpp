// ParseDecimal and FormatGeneral on arbitrary texts, then RoundHalfEven and
// RoundCents on what was read. The whole input is the typed text, read with
// each separator, so the seed corpus is plain text. Inputs of 10 bytes or
// more also give a value from their first bytes, so that formatting sees the
// whole extended range and not only values that short texts reach.

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "numeric.h"

namespace tallyfin::fuzz {
namespace {

// The two separators of the locales we ship for, and a two-byte one so that
// a separator longer than its first byte is exercised too.
constexpr std::string_view kSeparators[] = {".", ",", "\u066B"};

// Every shown number fits a 23-character field when the separator is one byte.
std::size_t longestShown(DecimalSeparator separator) { return 22 + separator.size(); }

// FormatGeneral's text for any finite value: the output grammar and length,
// and it reads back to a value shown the same way, within half a unit of the
// 15th digit (plus half of the 18th, from the first rounding, and the spacing
// of the denormals).
void checkShown(long double value, DecimalSeparator separator)
{
    const std::string shown = FormatGeneral(value, separator);
    check(shown.size() <= longestShown(separator), "FormatGeneral wrote too long a text", shown);
    check(isGeneralText(shown, separator), "FormatGeneral wrote a text outside its grammar", shown);
    long double back = 0;
    check(runStep([&] { back = ParseDecimal(shown, separator).value(); }) == Thrown::Nothing,
          "a shown text does not parse back", shown);
    check(FormatGeneral(back, separator) == shown, "a shown text parses back to a value shown differently", shown);
    check(std::fabs(back - value) <= 5.01e-15L * std::fabs(value) + LDBL_TRUE_MIN,
          "a shown text is not the value to 15 digits", shown);
}

// The C library's strtold (correctly rounded, "." in the C locale) as an
// independent reading of every text ParseDecimal accepts and strtold reads to
// its end. Texts it stops short on ("1e", ".", "-.") have no second opinion.
void checkAgainstStrtold(std::string_view text, DecimalSeparator separator, long double value)
{
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    std::string trimmed(text.substr(first, last - first + 1));
    if (separator != ".") {
        const std::size_t at = trimmed.find(separator);
        if (at != std::string::npos)
            trimmed.replace(at, separator.size(), ".");
    }
    char *end = nullptr;
    errno = 0;
    const long double expected = std::strtold(trimmed.c_str(), &end);
    if (end != trimmed.c_str() + trimmed.size())
        return;
    check(!(errno == ERANGE && std::isinf(expected)), "ParseDecimal accepted a value beyond the extended range", text);
    check(value == expected, "ParseDecimal disagrees with strtold", text);
}

// RoundHalfEven against nearbyint in the default rounding mode (to nearest,
// ties to even); RoundCents to within half a cent plus extended rounding.
void checkRounding(long double value, std::string_view text)
{
    const long double nearest = std::nearbyint(value);
    const bool fits = nearest >= -0x1p63L && nearest < 0x1p63L;
    std::int64_t rounded = 0;
    const Thrown thrown = runStep([&] { rounded = RoundHalfEven(value); });
    if (fits)
        check(thrown == Thrown::Nothing && static_cast<long double>(rounded) == nearest,
              "RoundHalfEven differs from round-to-nearest-even", text);
    else
        check(thrown == Thrown::InvalidOp, "RoundHalfEven beyond 64 bits is not an invalid operation", text);

    long double cents = 0;
    const Thrown centsThrown = runStep([&] { cents = RoundCents(value).value(); });
    check(centsThrown == Thrown::Nothing || centsThrown == Thrown::InvalidOp || centsThrown == Thrown::Overflow,
          "RoundCents threw something other than EInvalidOp or EOverflow", text);
    if (centsThrown == Thrown::Nothing)
        check(std::fabs(cents - value) <= 0.005000001L + 2e-19L * std::fabs(value),
              "RoundCents moved the value by more than half a cent", text);
}

void checkText(std::string_view text, DecimalSeparator separator)
{
    std::optional<long double> value;
    const Thrown thrown = runStep([&] { value = ParseDecimal(text, separator).value(); });
    check(thrown == Thrown::Nothing || thrown == Thrown::ConvertError,
          "ParseDecimal threw something other than EConvertError", text);
    if (!value)
        return;
    check(std::isfinite(*value), "ParseDecimal returned a value that is not finite", text);
    checkAgainstStrtold(text, separator, *value);
    checkShown(*value, separator);
    checkRounding(*value, text);
}

// Any finite extended value, denormals included, from 10 bytes: a 64-bit
// significand with its top bit set, a binary exponent and a sign.
long double valueFromBytes(const std::uint8_t *data)
{
    std::uint64_t significand = 0;
    std::memcpy(&significand, data, sizeof significand);
    const bool negative = (significand >> 63) != 0;
    significand |= std::uint64_t{1} << 63;
    // 2^-16508 .. 2^16320 times the significand: from below the smallest
    // denormal up to the largest finite value.
    constexpr int kLowest = -16508, kHighest = 16320;
    const unsigned exponentBits = data[8] | static_cast<unsigned>(data[9]) << 8;
    const int exponent = kLowest + static_cast<int>(exponentBits % (kHighest - kLowest + 1));
    const long double magnitude = std::ldexp(static_cast<long double>(significand), exponent);
    return negative ? -magnitude : magnitude;
}

void checkInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    for (const DecimalSeparator separator : kSeparators)
        checkText(text, separator);
    if (size >= 10) {
        const long double value = valueFromBytes(data);
        for (const DecimalSeparator separator : kSeparators)
            checkShown(value, separator);
    }
}

} // namespace
} // namespace tallyfin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    tallyfin::fuzz::checkInput(data, size);
    return 0;
}
