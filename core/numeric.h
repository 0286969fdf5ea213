#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "extended.h"

namespace tallyfin {

// The decimal separator of the user's locale: one character, UTF-8 encoded
// ("." or "," or any other). Both conversions take it as a parameter, so a
// change of the locale reaches the next conversion and nothing else.
using DecimalSeparator = std::string_view;

inline constexpr DecimalSeparator kDecimalPoint = ".";

// The parts of a number as read from its text: digits × 10^exponent.
struct DecimalText {
    bool negative = false;
    std::string digits;     // integer and fraction digits, as typed
    long long exponent = 0; // of the last digit
};

// The grammar of ParseDecimal without the conversion: nullopt for a text
// that is not a number.
//   ScanDecimal("-12.50", ".") -> {true, "1250", -2}
std::optional<DecimalText> ScanDecimal(std::string_view text, DecimalSeparator separator);

// Reads a number typed by the user, exactly as typed:
//   [spaces] [+|-] digits [sep digits] [(e|E) [+|-] digits] [spaces]
// where at least one digit or the separator must stand before the exponent,
// only the space character is skipped, and exponent digits are taken while
// the exponent read so far is below 500. The value is correctly rounded to
// extended precision; one too small for it becomes 0.
//   ParseDecimal(" 12 ", ".")   -> 12
//   ParseDecimal(".", ".")      -> 0
//   ParseDecimal("-.5e1", ".")  -> -5
//   ParseDecimal("1e", ".")     -> 1
//   ParseDecimal("12,5", ",")   -> 12.5
//   ParseDecimal("1,000", ".")  throws EConvertError("'1,000' is not ...")
//   ParseDecimal("1e5000", ".") throws EConvertError (a digit left unread)
//   ParseDecimal("1e4999", ".") throws EConvertError (beyond the range)
Extended ParseDecimal(std::string_view text, DecimalSeparator separator);

// Writes a value with at most 15 significant digits and no trailing zeros:
// the 18 leading digits, correctly rounded, are rounded again half-up at the
// 15th. Fixed notation for 0.0001 <= |v| < 1E15 (after rounding), else
// scientific with "E" and a bare exponent.
//   FormatGeneral(31.5L, ".")             -> "31.5"
//   FormatGeneral(1.0L / 3, ".")          -> "0.333333333333333"
//   FormatGeneral(0.00001L, ".")          -> "1E-5"
//   FormatGeneral(999999999999999.5L, ".") -> "1E15"
//   FormatGeneral(1234567890123456.0L, ".") -> "1.23456789012346E15"
//   FormatGeneral(-0.5L, ",")             -> "-0,5"
std::string FormatGeneral(Extended value, DecimalSeparator separator);

// Rounds to the nearest whole number, ties to even; a result outside the
// signed 64-bit range is an invalid operation.
//   RoundHalfEven(2.5L) -> 2,  RoundHalfEven(3.5L) -> 4
//   RoundHalfEven(1e19L) throws EInvalidOp
std::int64_t RoundHalfEven(Extended value);

// RoundHalfEven(value * 100) / 100, in extended precision.
//   RoundCents(10.031L) -> 10.03,  RoundCents(0.125L) -> 0.12
Extended RoundCents(Extended value);

} // namespace tallyfin
