#pragma once

#include <span>
#include <string>
#include <string_view>

#include "statement.h"

// The names brokers give the columns of a statement.
namespace tallyfin::statement {

// What a header name can mean. `rank` orders the names of one role: where a
// file has two of them, the lower rank is the one brokers use first for it.
struct NameMeaning {
    ColumnRole role = ColumnRole::None;
    int rank = 0;
};

// 手续费 is the commission where a file has no other commission column, and
// usually the total of the fees beside 佣金 or 净佣金: the rows' arithmetic
// decides (see the column choices).
inline constexpr std::string_view kFeesName = "手续费";

// The header name without `="…"`, spaces, and a unit in brackets:
//   HeaderName("成交金额(元)") -> "成交金额",  HeaderName("=\"成交 日期\"") -> "成交日期"
std::string HeaderName(std::string_view cell);

// The meaning of a name as HeaderName gives it; role None for names we do not use.
NameMeaning MeaningOf(std::string_view headerName);

// True when the cells name a date, a code, an operation, a quantity, and a
// price or an amount: the header row of a statement.
bool IsHeaderRow(std::span<const std::string_view> cells);

} // namespace tallyfin::statement
