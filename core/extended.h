#pragma once

#include <cmath>
#include <compare>
#include <concepts>
#include <limits>

#include "errors.h"

namespace tallyfin {

// All intermediate arithmetic is carried in the x87 80-bit format: a 64-bit
// significand, round to nearest, ties to even. Results that users compare
// with their broker's slips depend on it (a tie of RoundCents may sit on
// the 64th bit), so refuse to build where long double is anything else.
static_assert(std::numeric_limits<long double>::digits == 64,
              "Tallyfin needs the 80-bit extended long double");

// An extended-precision value whose arithmetic raises the floating-point
// faults as errors instead of producing infinities or NaNs:
//   Extended(1) / 0        throws EZeroDivide
//   Extended(0) / 0        throws EInvalidOp
//   Extended(1e4000L) * 1e4000L throws EOverflow
// Underflow and inexact results pass silently. Operands are always finite:
// every way to make an Extended from outside (ParseDecimal, double fees)
// yields a finite value, and every operation checks its result.
class Extended {
public:
    constexpr Extended() = default;
    template <typename T>
        requires std::integral<T> || std::floating_point<T>
    constexpr Extended(T value) : m_value(static_cast<long double>(value)) {}

    constexpr long double value() const { return m_value; }

    friend Extended operator+(Extended a, Extended b) { return checked(a.m_value + b.m_value); }
    friend Extended operator-(Extended a, Extended b) { return checked(a.m_value - b.m_value); }
    friend Extended operator*(Extended a, Extended b) { return checked(a.m_value * b.m_value); }
    friend Extended operator/(Extended a, Extended b)
    {
        if (b.m_value == 0) {
            if (a.m_value == 0)
                throw EInvalidOp();
            throw EZeroDivide();
        }
        return checked(a.m_value / b.m_value);
    }

    friend constexpr bool operator==(Extended a, Extended b) { return a.m_value == b.m_value; }
    friend constexpr std::partial_ordering operator<=>(Extended a, Extended b)
    {
        return a.m_value <=> b.m_value;
    }

private:
    static Extended checked(long double result)
    {
        if (std::isnan(result))
            throw EInvalidOp();
        if (std::isinf(result))
            throw EOverflow();
        return Extended(result);
    }

    long double m_value = 0;
};

// Rounds to the nearest double (ties to even); a value beyond the double
// range is an overflow, one below it quietly becomes a denormal or zero.
//   RoundToDouble(Extended(1e400L)) throws EOverflow
inline double RoundToDouble(Extended x)
{
    const double rounded = static_cast<double>(x.value());
    if (std::isinf(rounded))
        throw EOverflow();
    return rounded;
}

} // namespace tallyfin
