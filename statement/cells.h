#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "feerules.h"

// Reading single cells as brokers' exports and spreadsheet programs leave them.
namespace tallyfin::statement {

// The cell without the spaces around it (ASCII, U+3000, U+00A0) and without
// the formula wrapper that keeps a spreadsheet program from reading it as a
// number:
//   CellText(" 601869 ")            -> "601869"
//   CellText("=\"601869\"")         -> "601869"
//   CellText("= \"000597      \"")  -> "000597"
std::string_view CellText(std::string_view cell);

// An exact number of at most 17 significant digits: units × 10^-scale, with
// a scale of at most 17.
inline constexpr std::int64_t kMaxCellUnits = 99'999'999'999'999'999; // 17 digits

struct CellNumber {
    std::int64_t units = 0;
    int scale = 0;
};

enum class CellRead : std::uint8_t { Empty, Read, Bad };

// A number as a statement writes it: an optional sign, digits with or without
// thousands separators, a fraction, and an exponent as a spreadsheet program
// may write one. "", "-", "--" and "—" are empty.
//   ReadNumber("-1,234.50")  -> Read, {-123450, 2}
//   ReadNumber("1.5E-3")     -> Read, {15, 4}
//   ReadNumber("12元")       -> Bad
CellRead ReadNumber(std::string_view text, CellNumber &number);

// A date as 20210311, 2021-03-11, 2021/3/11, 2021.3.11, 2021年3月11日 (any of
// them followed by a time), or a spreadsheet's day number (44266 is
// 2021-03-11, counted from 1899-12-30). Days before 1990 or after 2099 are
// out of range: no statement has them.
enum class DateRead : std::uint8_t { Empty, Read, Bad, OutOfRange };
DateRead ReadDate(std::string_view text, TradeDate &date);

// A spreadsheet's fraction of a day as a time of day:
//   TimeOfDayText(0.395833333) -> "09:30:00";  nullopt-like "" outside [0, 1)
std::string TimeOfDayText(double fraction);

// A number of a spreadsheet cell as the program shows it: 15 significant
// digits, no trailing zeros.
//   SpreadsheetNumberText(16899.150000000001) -> "16899.15"
std::string SpreadsheetNumberText(double value);

bool IsAllDigits(std::string_view text);

// A time as brokers write it ("9:48:12", "09:48:12", "094812", "9:48") in
// seconds after midnight; -1 for none or one that is no time, so that a row
// without one comes first in its day.
//   SecondsOfDay("9:48:12") -> 35292,  SecondsOfDay("") -> -1
int SecondsOfDay(std::string_view time);

} // namespace tallyfin::statement
