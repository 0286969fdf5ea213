#include "cells.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace tallyfin::statement {

namespace {

// The length of the space character at the start (or the end) of `text`, or 0.
std::size_t spaceAt(std::string_view text, bool atEnd)
{
    if (text.empty())
        return 0;
    // Most cells are numbers: an ASCII character that is no space ends the search.
    const auto edge = static_cast<unsigned char>(atEnd ? text.back() : text.front());
    if (edge > ' ' && edge < 0x80)
        return 0;
    for (const std::string_view space : {" ", "\t", "\r", "\n", "\u3000", "\u00A0"})
        if (atEnd ? text.ends_with(space) : text.starts_with(space))
            return space.size();
    return 0;
}

std::string_view trimmed(std::string_view text)
{
    while (const std::size_t n = spaceAt(text, false))
        text.remove_prefix(n);
    while (const std::size_t n = spaceAt(text, true))
        text.remove_suffix(n);
    return text;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isEmptyMark(std::string_view text)
{
    return text.empty() || text == "-" || text == "--" || text == "---" || text == "\u2014" || text == "\u2014\u2014";
}

// Reads [0-9]+ at pos, at most maxDigits of them; -1 when there are none.
int readDigits(std::string_view text, std::size_t &pos, int maxDigits)
{
    int value = 0, count = 0;
    while (pos < text.size() && isDigit(text[pos]) && count < maxDigits) {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++count;
    }
    return count == 0 ? -1 : value;
}

DateRead checkedDate(int year, int month, int day, TradeDate &date)
{
    using namespace std::chrono;
    const year_month_day ymd{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                             std::chrono::day(static_cast<unsigned>(day))};
    if (month < 1 || month > 12 || day < 1 || day > 31 || !ymd.ok())
        return DateRead::Bad;
    if (year < 1990 || year > 2099)
        return DateRead::OutOfRange;
    date = {year, month, day};
    return DateRead::Read;
}

DateRead serialDate(long long serial, TradeDate &date)
{
    using namespace std::chrono;
    const sys_days day = sys_days{1899y / December / 30} + days{serial};
    const year_month_day ymd{day};
    return checkedDate(static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
                       static_cast<int>(static_cast<unsigned>(ymd.day())), date);
}

// After the day: nothing, or a time after a space or "T", or 日 and a time.
bool isDateEnd(std::string_view rest)
{
    if (rest.starts_with("日"))
        rest.remove_prefix(std::string_view("日").size());
    return rest.empty() || rest.front() == ' ' || rest.front() == 'T';
}

// y-m-d with one separator kind, or 年 月 日.
DateRead separatedDate(std::string_view text, TradeDate &date)
{
    std::size_t pos = 0;
    const int year = readDigits(text, pos, 4);
    if (year < 0 || pos != 4 || pos == text.size())
        return DateRead::Bad;
    std::string_view separator = text.substr(pos, 1), monthEnd = separator;
    if (text.substr(pos).starts_with("年")) {
        separator = "年";
        monthEnd = "月";
    } else if (separator != "-" && separator != "/" && separator != ".") {
        return DateRead::Bad;
    }
    pos += separator.size();
    const int month = readDigits(text, pos, 2);
    if (month < 0 || !text.substr(pos).starts_with(monthEnd))
        return DateRead::Bad;
    pos += monthEnd.size();
    const int day = readDigits(text, pos, 2);
    if (day < 0 || !isDateEnd(text.substr(pos)))
        return DateRead::Bad;
    return checkedDate(year, month, day, date);
}

} // namespace

std::string_view CellText(std::string_view cell)
{
    cell = trimmed(cell);
    if (cell.starts_with('=')) {
        const std::string_view quoted = trimmed(cell.substr(1));
        if (quoted.size() >= 2 && quoted.front() == '"' && quoted.back() == '"')
            return trimmed(quoted.substr(1, quoted.size() - 2));
    }
    return cell;
}

CellRead ReadNumber(std::string_view text, CellNumber &number)
{
    if (isEmptyMark(text))
        return CellRead::Empty;
    std::size_t pos = 0;
    const bool negative = text[0] == '-';
    if (text[0] == '-' || text[0] == '+')
        ++pos;
    // A row keeps units × 32 in 64 bits.
    constexpr int kMaxDigits = 17;
    std::int64_t units = 0;
    int significant = 0, scale = 0;
    bool anyDigit = false, inFraction = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (isDigit(c)) {
            anyDigit = true;
            if (units != 0 || c != '0') {
                if (++significant > kMaxDigits)
                    return CellRead::Bad;
            }
            units = units * 10 + (c - '0');
            scale += inFraction ? 1 : 0;
        } else if (c == ',' && anyDigit && !inFraction && pos + 1 < text.size() && isDigit(text[pos + 1])) {
            continue;
        } else if (c == '.' && !inFraction) {
            inFraction = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return CellRead::Bad;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        const bool negativeExponent = pos < text.size() && text[pos] == '-';
        if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
            ++pos;
        const int exponent = readDigits(text, pos, 3);
        if (exponent < 0)
            return CellRead::Bad;
        scale += negativeExponent ? exponent : -exponent;
    }
    if (pos != text.size())
        return CellRead::Bad;
    for (; scale < 0; ++scale) {
        if (units > kMaxCellUnits / 10)
            return CellRead::Bad;
        units *= 10;
    }
    if (scale > kMaxDigits)
        return CellRead::Bad;
    number = {negative ? -units : units, scale};
    return CellRead::Read;
}

DateRead ReadDate(std::string_view text, TradeDate &date)
{
    if (text.empty())
        return DateRead::Empty;
    std::size_t digits = 0;
    while (digits < text.size() && isDigit(text[digits]))
        ++digits;
    if (digits == 8 && isDateEnd(text.substr(8))) {
        std::size_t pos = 0;
        const int year = readDigits(text, pos, 4), month = readDigits(text, pos, 2), day = readDigits(text, pos, 2);
        return checkedDate(year, month, day, date);
    }
    if (digits >= 1 && digits <= 5) {
        // A day number, perhaps with a fraction for the time of day.
        CellNumber serial;
        if (ReadNumber(text, serial) == CellRead::Read && serial.units > 0) {
            long long whole = serial.units;
            for (int i = 0; i < serial.scale; ++i)
                whole /= 10;
            return serialDate(whole, date);
        }
    }
    return separatedDate(text, date);
}

std::string TimeOfDayText(double fraction)
{
    if (!(fraction >= 0 && fraction < 1))
        return {};
    const long seconds = std::lround(fraction * 86400) % 86400;
    char text[16];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

std::string SpreadsheetNumberText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

bool IsAllDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (const char c : text)
        if (!isDigit(c))
            return false;
    return true;
}

int SecondsOfDay(std::string_view time)
{
    int parts[3] = {0, 0, 0}, part = 0, digits = 0;
    for (const char c : time) {
        if (isDigit(c)) {
            parts[part] = parts[part] * 10 + (c - '0');
            // Six digits without separators: hhmmss.
            if (++digits % 2 == 0 && time.find(':') == std::string_view::npos && part < 2)
                ++part;
        } else if (c == ':' && part < 2) {
            ++part;
        } else {
            return -1;
        }
        if (parts[part] > 99)
            return -1;
    }
    return digits == 0 ? -1 : parts[0] * 3600 + parts[1] * 60 + parts[2];
}

} // namespace tallyfin::statement
