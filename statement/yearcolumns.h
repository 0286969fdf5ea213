#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "audit.h"

// The yearly totals of an audit as every report lays them out, the command
// line's table, the CSV and the window alike: which columns, their headings
// and each cell's text.
namespace tallyfin::statement {

enum class YearColumn : std::uint8_t {
    Year, Trades, Turnover, Commission, StampDuty, TransferFee, Levies, Other, FeesTotal, CommissionPerMille,
    BeyondRules, CompareSaving, PortfolioFees,
};
inline constexpr std::size_t kYearColumnCount = 13;

// Marked in the context "Statement":
//   YearHeading(YearColumn::Trades) -> "成交笔数",  YearHeading(YearColumn::PortfolioFees) -> "港股通组合费"
std::string_view YearHeading(YearColumn column);

// Every column but 对比节省 where nothing was compared, and 港股通组合费
// where no year charged any.
std::vector<YearColumn> YearColumns(const Audit &audit);

// The cell's text, money with two decimals and `decimalPoint`; nullopt
// where the year has no such figure (no turnover for a rate, nothing compared).
//   YearCell(2024 totals, YearColumn::Commission, ".") -> "1234.56"
std::optional<std::string> YearCell(const YearTotals &year, YearColumn column, std::string_view decimalPoint);

} // namespace tallyfin::statement
