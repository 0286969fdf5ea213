#include "numeric.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <system_error>

namespace tallyfin {

namespace {

constexpr int kExponentDigitLimit = 500;
constexpr std::size_t kShownDigits = 15;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

class Scanner {
public:
    Scanner(std::string_view text, DecimalSeparator separator)
        : m_text(text), m_separator(separator) {}

    // Follows the grammar of ParseDecimal; nullopt for anything else.
    std::optional<DecimalText> scan()
    {
        DecimalText number;
        skipSpaces();
        if (peekIs('+') || peekIs('-'))
            number.negative = m_text[m_pos++] == '-';
        const std::size_t integerDigits = takeDigits(number.digits);
        std::size_t fractionDigits = 0;
        const bool hasSeparator = !m_separator.empty() && m_text.substr(m_pos).starts_with(m_separator);
        if (hasSeparator) {
            m_pos += m_separator.size();
            fractionDigits = takeDigits(number.digits);
        }
        if (integerDigits == 0 && !hasSeparator)
            return std::nullopt;
        number.exponent = takeExponent() - static_cast<long long>(fractionDigits);
        skipSpaces();
        if (m_pos != m_text.size())
            return std::nullopt;
        return number;
    }

private:
    bool peekIs(char c) const { return m_pos < m_text.size() && m_text[m_pos] == c; }
    bool peekDigit() const { return m_pos < m_text.size() && isDigit(m_text[m_pos]); }

    void skipSpaces()
    {
        while (peekIs(' '))
            ++m_pos;
    }

    std::size_t takeDigits(std::string &into)
    {
        const std::size_t start = m_pos;
        while (peekDigit())
            into += m_text[m_pos++];
        return m_pos - start;
    }

    // Zero exponent digits are allowed ("1e" reads as 1). Digits are taken
    // only while the exponent is below the limit; a further one stays unread.
    long long takeExponent()
    {
        if (!peekIs('e') && !peekIs('E'))
            return 0;
        ++m_pos;
        bool negative = false;
        if (peekIs('+') || peekIs('-'))
            negative = m_text[m_pos++] == '-';
        long long exponent = 0;
        while (exponent < kExponentDigitLimit && peekDigit())
            exponent = exponent * 10 + (m_text[m_pos++] - '0');
        return negative ? -exponent : exponent;
    }

    std::string_view m_text;
    DecimalSeparator m_separator;
    std::size_t m_pos = 0;
};

// The correctly rounded extended value of digits × 10^exponent, or nullopt
// when it lies beyond the extended range. Too small a value becomes zero.
std::optional<long double> toExtended(std::string_view digits, long long exponent)
{
    const std::size_t firstSignificant = digits.find_first_not_of('0');
    if (firstSignificant == std::string_view::npos)
        return 0.0L;
    const std::string_view significant = digits.substr(firstSignificant);
    const std::string text = std::string(significant) + 'e' + std::to_string(exponent);
    long double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value,
                                              std::chars_format::scientific);
    if (error == std::errc::result_out_of_range) {
        const long long magnitude = static_cast<long long>(significant.size()) + exponent;
        if (magnitude > 0)
            return std::nullopt;
        // from_chars also refuses the denormal range; strtold rounds into it
        // and to 0 below it (the text has no radix character: no locale applies).
        return std::strtold(text.c_str(), nullptr);
    }
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// The decimal digits of a positive finite value as shown: at most 15, no
// trailing zeros, with the exponent of the first digit (value = d.ddd × 10^e).
struct ShownDigits {
    std::string digits;
    int exponent = 0;
};

void roundHalfUpAtShownDigits(ShownDigits &shown, char firstDroppedDigit)
{
    if (firstDroppedDigit < '5')
        return;
    for (auto it = shown.digits.rbegin(); it != shown.digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    shown.digits.insert(shown.digits.begin(), '1');
    shown.digits.pop_back();
    ++shown.exponent;
}

ShownDigits shownDigits(long double magnitude)
{
    // 18 significant digits: "d.ddddddddddddddddde±x".
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                      std::chars_format::scientific, 17);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t exponentMark = text.find('e');
    const std::string eighteen = std::string(text.substr(0, 1)) + std::string(text.substr(2, exponentMark - 2));

    ShownDigits shown;
    const char *exponentBegin = text.data() + exponentMark + 1;
    if (*exponentBegin == '+')
        ++exponentBegin;
    std::from_chars(exponentBegin, text.data() + text.size(), shown.exponent);
    shown.digits = eighteen.substr(0, kShownDigits);
    roundHalfUpAtShownDigits(shown, eighteen[kShownDigits]);
    const std::size_t lastNonZero = shown.digits.find_last_not_of('0');
    shown.digits.erase(lastNonZero + 1);
    return shown;
}

std::string fixedNotation(const ShownDigits &shown, DecimalSeparator separator)
{
    // Digits before the separator: exponent + 1 of them (none when negative).
    const int integerDigits = shown.exponent + 1;
    if (integerDigits <= 0)
        return "0" + std::string(separator) + std::string(static_cast<std::size_t>(-integerDigits), '0')
               + shown.digits;
    const auto count = static_cast<std::size_t>(integerDigits);
    std::string text = shown.digits.substr(0, count);
    text.resize(count, '0');
    if (shown.digits.size() > count)
        text += std::string(separator) + shown.digits.substr(count);
    return text;
}

std::string scientificNotation(const ShownDigits &shown, DecimalSeparator separator)
{
    std::string text = shown.digits.substr(0, 1);
    if (shown.digits.size() > 1)
        text += std::string(separator) + shown.digits.substr(1);
    return text + "E" + std::to_string(shown.exponent);
}

} // namespace

std::optional<DecimalText> ScanDecimal(std::string_view text, DecimalSeparator separator)
{
    return Scanner(text, separator).scan();
}

Extended ParseDecimal(std::string_view text, DecimalSeparator separator)
{
    const std::optional<DecimalText> number = ScanDecimal(text, separator);
    if (!number)
        throw EConvertError(text);
    const std::optional<long double> magnitude = toExtended(number->digits, number->exponent);
    if (!magnitude)
        throw EConvertError(text);
    return number->negative ? -*magnitude : *magnitude;
}

std::string FormatGeneral(Extended value, DecimalSeparator separator)
{
    const long double v = value.value();
    if (std::isnan(v))
        return "NAN";
    if (std::isinf(v))
        return v > 0 ? "INF" : "-INF";
    if (v == 0)
        return "0";
    const ShownDigits shown = shownDigits(std::fabs(v));
    // 0.0001 <= |v| < 1E15, i.e. 0.d × 10^E with -3 <= E <= 15.
    const bool fixed = shown.exponent >= -4 && shown.exponent <= 14;
    const std::string magnitude = fixed ? fixedNotation(shown, separator) : scientificNotation(shown, separator);
    return v < 0 ? "-" + magnitude : magnitude;
}

std::int64_t RoundHalfEven(Extended value)
{
    const long double v = value.value();
    const long double below = std::floor(v);
    const long double fraction = v - below; // exact: both share v's binary exponent range
    long double nearest = below;
    if (fraction > 0.5L || (fraction == 0.5L && std::fmod(below, 2.0L) != 0))
        nearest = below + 1;
    constexpr long double kLimit = 9223372036854775808.0L; // 2^63
    if (!(nearest >= -kLimit && nearest < kLimit))
        throw EInvalidOp();
    return static_cast<std::int64_t>(nearest);
}

Extended RoundCents(Extended value)
{
    return Extended(RoundHalfEven(value * 100)) / 100;
}

} // namespace tallyfin
