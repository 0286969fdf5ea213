#include "decimal.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace tallyfin {

namespace {

using Integer = Decimal::Integer;

// Money has a few decimals and rates a few more: the small powers are made
// once, since making them is most of the cost of rounding a fee.
constexpr int kTabledPowers = 40;

const Integer &tabledPowerOfTen(int exponent)
{
    static const std::array<Integer, kTabledPowers> powers = [] {
        std::array<Integer, kTabledPowers> made;
        made[0] = 1;
        for (std::size_t i = 1; i < made.size(); ++i)
            made[i] = made[i - 1] * 10;
        return made;
    }();
    return powers[static_cast<std::size_t>(exponent)];
}

Integer powerOfTen(int exponent)
{
    if (exponent < kTabledPowers)
        return tabledPowerOfTen(exponent);
    return boost::multiprecision::pow(Integer(10), static_cast<unsigned>(exponent));
}

// The truncated quotient moved by one where the rounding asks for it; the
// remainder carries the numerator's sign.
template <typename Number>
Number roundQuotient(const Number &quotient, const Number &remainder, const Number &denominator, Rounding rounding)
{
    if (remainder == 0)
        return quotient;
    const bool negative = remainder < 0;
    switch (rounding) {
    case Rounding::Floor:
        return negative ? quotient - 1 : quotient;
    case Rounding::Ceiling:
        return negative ? quotient : quotient + 1;
    case Rounding::HalfUp:
        break;
    }
    const Number magnitude = negative ? Number(-remainder) : remainder;
    if (magnitude < denominator - magnitude)
        return quotient;
    return negative ? quotient - 1 : quotient + 1;
}

bool fitsInt64(const Integer &value)
{
    return value >= std::numeric_limits<std::int64_t>::min() && value <= std::numeric_limits<std::int64_t>::max();
}

// numerator ÷ denominator (denominator > 0) as a whole number; in machine
// words when both fit, which is every fee of a statement.
Integer divideRounded(const Integer &numerator, const Integer &denominator, Rounding rounding)
{
    if (fitsInt64(numerator) && fitsInt64(denominator)) {
        const auto n = static_cast<std::int64_t>(numerator), d = static_cast<std::int64_t>(denominator);
        return Integer(roundQuotient<std::int64_t>(n / d, n % d, d, rounding));
    }
    Integer quotient, remainder;
    boost::multiprecision::divide_qr(numerator, denominator, quotient, remainder);
    return roundQuotient(quotient, remainder, denominator, rounding);
}

Integer integerFromDigits(std::string_view digits)
{
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? Integer(0) : Integer(std::string(digits.substr(first)));
}

} // namespace

Decimal::Decimal(long long units, int scale) : m_units(units), m_scale(scale)
{
    if (scale < 0) {
        m_units *= powerOfTen(-scale);
        m_scale = 0;
    }
}

Decimal::Decimal(Integer units, int scale) : m_units(std::move(units)), m_scale(scale) {}

Decimal Decimal::fromLiteral(std::string_view text)
{
    const std::optional<Decimal> value = fromTyped(text, kDecimalPoint);
    if (!value || text.find_first_of(" eE") != std::string_view::npos)
        throw std::invalid_argument("not a decimal literal: " + std::string(text));
    return *value;
}

std::optional<Decimal> Decimal::fromTyped(std::string_view text, DecimalSeparator separator)
{
    const std::optional<DecimalText> number = ScanDecimal(text, separator);
    if (!number)
        return std::nullopt;
    Integer units = integerFromDigits(number->digits);
    if (number->negative)
        units = -units;
    if (number->exponent >= 0)
        return Decimal(Integer(units * powerOfTen(static_cast<int>(number->exponent))), 0);
    return Decimal(std::move(units), static_cast<int>(-number->exponent));
}

Decimal Decimal::parse(std::string_view text, DecimalSeparator separator)
{
    const std::optional<Decimal> value = fromTyped(text, separator);
    if (!value)
        throw EConvertError(text);
    return *value;
}

Decimal Decimal::fromExtended(long double value)
{
    if (value == 0)
        return Decimal();
    int exponent = 0;
    const long double fraction = std::frexp(std::fabs(value), &exponent); // |value| = fraction × 2^exponent
    constexpr int kSignificandBits = 64;
    const auto significand = static_cast<unsigned long long>(std::ldexp(fraction, kSignificandBits));
    // |value| = significand × 2^binaryExponent, and 2^-n = 5^n × 10^-n.
    const int binaryExponent = exponent - kSignificandBits;
    Integer units(significand);
    int scale = 0;
    if (binaryExponent >= 0) {
        units <<= binaryExponent;
    } else {
        scale = -binaryExponent;
        units *= boost::multiprecision::pow(Integer(5), static_cast<unsigned>(scale));
    }
    return Decimal(value < 0 ? Integer(-units) : units, scale);
}

Integer Decimal::unitsAtScale(int scale) const
{
    return scale == m_scale ? m_units : m_units * powerOfTen(scale - m_scale);
}

Decimal operator+(const Decimal &a, const Decimal &b)
{
    const int scale = std::max(a.m_scale, b.m_scale);
    return Decimal(Decimal::Integer(a.unitsAtScale(scale) + b.unitsAtScale(scale)), scale);
}

Decimal operator-(const Decimal &a, const Decimal &b) { return a + -b; }

Decimal operator*(const Decimal &a, const Decimal &b)
{
    return Decimal(Decimal::Integer(a.m_units * b.m_units), a.m_scale + b.m_scale);
}

Decimal Decimal::operator-() const { return Decimal(Integer(-m_units), m_scale); }

bool operator==(const Decimal &a, const Decimal &b) { return (a <=> b) == 0; }

std::strong_ordering operator<=>(const Decimal &a, const Decimal &b)
{
    const int scale = std::max(a.m_scale, b.m_scale);
    const int order = a.unitsAtScale(scale).compare(b.unitsAtScale(scale));
    return order < 0 ? std::strong_ordering::less
                     : order > 0 ? std::strong_ordering::greater : std::strong_ordering::equal;
}

Decimal Decimal::shifted(int power) const
{
    if (power >= 0 && power <= m_scale)
        return Decimal(m_units, m_scale - power);
    if (power >= 0)
        return Decimal(Integer(m_units * powerOfTen(power - m_scale)), 0);
    return Decimal(m_units, m_scale - power);
}

Decimal Decimal::rounded(int decimals, Rounding rounding) const
{
    if (m_scale <= decimals)
        return *this;
    return Decimal(divideRounded(m_units, powerOfTen(m_scale - decimals), rounding), decimals);
}

Decimal Decimal::quotient(const Decimal &a, const Decimal &b, int decimals, Rounding rounding)
{
    if (b.m_units == 0)
        throw std::domain_error("Decimal::quotient by zero");
    // (ua·10^-sa) ÷ (ub·10^-sb) = r·10^-decimals  =>  r = ua·10^(sb+decimals-sa) ÷ ub
    const int shift = b.m_scale + decimals - a.m_scale;
    Integer numerator = a.m_units, denominator = b.m_units;
    if (shift >= 0)
        numerator *= powerOfTen(shift);
    else
        denominator *= powerOfTen(-shift);
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    return Decimal(divideRounded(numerator, denominator, rounding), decimals);
}

Decimal::Rational Decimal::toRational() const { return Rational(m_units, powerOfTen(m_scale)); }

Decimal Decimal::fromRational(const Rational &value, int decimals, Rounding rounding)
{
    const Integer numerator = boost::multiprecision::numerator(value) * powerOfTen(decimals);
    return Decimal(divideRounded(numerator, boost::multiprecision::denominator(value), rounding), decimals);
}

int Decimal::sign() const { return m_units.sign(); }

bool Decimal::isInteger() const { return rounded(0, Rounding::Floor) == *this; }

std::string Decimal::toFixed(int decimals, DecimalSeparator separator) const
{
    const Integer units = rounded(decimals, Rounding::HalfUp).unitsAtScale(decimals);
    std::string digits = boost::multiprecision::abs(units).str();
    if (digits.size() <= static_cast<std::size_t>(decimals))
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    if (decimals > 0)
        digits.insert(digits.size() - static_cast<std::size_t>(decimals), separator);
    return units < 0 ? "-" + digits : digits;
}

std::string Decimal::toString() const
{
    Integer units = m_units;
    int scale = m_scale;
    while (scale > 0 && units % 10 == 0) {
        units /= 10;
        --scale;
    }
    return Decimal(std::move(units), scale).toFixed(scale, kDecimalPoint);
}

double Decimal::approximate() const { return std::strtod(toString().c_str(), nullptr); }

std::optional<std::int64_t> Decimal::toInt64() const
{
    if (!isInteger())
        return std::nullopt;
    const Integer whole = m_units / powerOfTen(m_scale);
    if (whole > std::numeric_limits<std::int64_t>::max() || whole < std::numeric_limits<std::int64_t>::min())
        return std::nullopt;
    return static_cast<std::int64_t>(whole);
}

std::optional<std::int64_t> Decimal::unitsAt(int decimals) const
{
    if (m_scale > decimals) {
        const Decimal onGrid = rounded(decimals, Rounding::Floor);
        return onGrid == *this ? onGrid.unitsAt(decimals) : std::nullopt;
    }
    const Integer units = unitsAtScale(decimals);
    if (!fitsInt64(units))
        return std::nullopt;
    return static_cast<std::int64_t>(units);
}

} // namespace tallyfin
