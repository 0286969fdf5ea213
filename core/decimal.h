#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <boost/multiprecision/cpp_int.hpp>

#include "numeric.h"

namespace tallyfin {

// How a value between two steps is brought onto one of them.
enum class Rounding {
    HalfUp,  // to the nearest step, a tie away from zero (四舍五入): 5.005 -> 5.01
    Ceiling, // up to the next step: 10.001 -> 10.01
    Floor,   // down to the step below: 10.009 -> 10.00
};

// An exact decimal number: an integer of units times 10^-scale. Money in the
// dated fee rules is computed in it, so that a rate of 0.25‰ on 20020 yuan is
// exactly 5.005 and rounds half up to 5.01, as on a broker's slip; binary
// floating point would hold 5.00499999… and round it down.
class Decimal {
public:
    // Without expression templates: plain values, as with built-in integers.
    using Integer =
        boost::multiprecision::number<boost::multiprecision::cpp_int_backend<>, boost::multiprecision::et_off>;
    // An exact fraction, for shares of a cost (a third of a lot's cost is no
    // finite decimal); kept reduced, so long histories stay small.
    using Rational =
        boost::multiprecision::number<boost::multiprecision::cpp_rational_backend, boost::multiprecision::et_off>;

    Decimal() = default;
    // units × 10^-scale:  Decimal(510, 2) is 5.10
    explicit Decimal(long long units, int scale = 0);

    // A decimal literal with "." as its separator, such as a rate of the fee
    // table; throws std::invalid_argument for anything else.
    //   Decimal::fromLiteral("0.0341")
    static Decimal fromLiteral(std::string_view text);

    // A number typed by the user, read exactly by ParseDecimal's grammar;
    // nullopt where that grammar rejects the text.
    //   fromTyped("1e3", ".") -> 1000,   fromTyped(" 10,5 ", ",") -> 10.5
    static std::optional<Decimal> fromTyped(std::string_view text, DecimalSeparator separator);

    // The same, with EConvertError for a text that is no number.
    //   parse("10.5", ".") -> 10.5,  parse("1,000", ".") throws EConvertError
    static Decimal parse(std::string_view text, DecimalSeparator separator);

    // The exact value of a finite extended-precision number (every binary
    // fraction is a finite decimal one).
    //   fromExtended(0.1L) -> 0.1000000000000000000013552527156068805425…
    static Decimal fromExtended(long double value);

    friend Decimal operator+(const Decimal &a, const Decimal &b);
    friend Decimal operator-(const Decimal &a, const Decimal &b);
    friend Decimal operator*(const Decimal &a, const Decimal &b);
    Decimal operator-() const;
    friend bool operator==(const Decimal &a, const Decimal &b);
    friend std::strong_ordering operator<=>(const Decimal &a, const Decimal &b);

    // × 10^power, exactly:  Decimal(5).shifted(-3) -> 0.005
    Decimal shifted(int power) const;

    // On the grid of 10^-decimals:  Decimal(5005, 3).rounded(2, HalfUp) -> 5.01
    Decimal rounded(int decimals, Rounding rounding) const;

    // a ÷ b on the grid of 10^-decimals; b must not be zero.
    //   quotient(10005.10, 1000, 2, HalfUp) -> 10.01
    static Decimal quotient(const Decimal &a, const Decimal &b, int decimals, Rounding rounding);

    int sign() const;
    bool isInteger() const;

    // Fixed notation with exactly `decimals` digits after the separator, the
    // value rounded half up first:  Decimal(51, 1).toFixed(2, ".") -> "5.10"
    std::string toFixed(int decimals, DecimalSeparator separator) const;

    // The shortest exact text, "." as separator:  Decimal(5100, 3) -> "5.1"
    std::string toString() const;

    // The same value as a fraction, exactly.
    Rational toRational() const;
    // A fraction on the grid of 10^-decimals:  fromRational(1/3, 3, HalfUp) -> 0.333
    static Decimal fromRational(const Rational &value, int decimals, Rounding rounding);

    // The nearest double, for estimates only; never for money.
    double approximate() const;

    // The value when it is a whole number within 64 bits.
    std::optional<std::int64_t> toInt64() const;

    // The value as a whole number of 10^-decimals units, when it is one
    // within 64 bits (money in cents, cheaply):
    //   Decimal(51, 1).unitsAt(2) -> 510,  Decimal(5005, 3).unitsAt(2) -> nullopt
    std::optional<std::int64_t> unitsAt(int decimals) const;

private:
    Decimal(Integer units, int scale);
    Integer unitsAtScale(int scale) const;

    Integer m_units = 0;
    int m_scale = 0; // never negative
};

} // namespace tallyfin
