#pragma once

#include <string>
#include <string_view>

#include "holdings.h"
#include "text.h"

// The positions of a statement as a person reads them, the same in every
// place that shows them (the command line's table and JSON, the 持仓 tab):
// the columns with their headings, the conventions under the table and the
// rows left out. Chinese texts are marked for translation in the context
// "Positions" (the skip reasons in "Statement"); the English ones are the
// command line's.
//
//   for (const PositionColumn &column : kPositionColumns)
//       cell = FormatPosition(position, ".").*column.text;   // headed column.heading
namespace tallyfin::statement {

struct PositionColumn {
    std::string_view key;     // the figure's name for scripts: "dilutedCost"
    std::string_view heading; // "摊薄成本"
    std::string PositionTexts::*text;
};

inline constexpr PositionColumn kPositionColumns[] = {
    {"code", TALLYFIN_TR_NOOP("Positions", "代码"), &PositionTexts::code},
    {"name", TALLYFIN_TR_NOOP("Positions", "名称"), &PositionTexts::name},
    {"shares", TALLYFIN_TR_NOOP("Positions", "持股"), &PositionTexts::shares},
    {"dilutedCost", TALLYFIN_TR_NOOP("Positions", "摊薄成本"), &PositionTexts::dilutedCost},
    {"averageCost", TALLYFIN_TR_NOOP("Positions", "移动平均成本"), &PositionTexts::averageCost},
    {"realizedAverage", TALLYFIN_TR_NOOP("Positions", "已实现盈亏（移动平均）"), &PositionTexts::realizedAverage},
    {"realizedFifo", TALLYFIN_TR_NOOP("Positions", "已实现盈亏（先进先出）"), &PositionTexts::realizedFifo},
    {"fees", TALLYFIN_TR_NOOP("Positions", "费用"), &PositionTexts::fees},
    {"dividends", TALLYFIN_TR_NOOP("Positions", "股息（税后）"), &PositionTexts::dividends},
};

// The conventions, one line each, as they stand under the positions.
inline constexpr std::string_view kPositionConventions[] = {
    TALLYFIN_TR_NOOP("Positions",
                     "摊薄成本 =（买入付出的资金含费用 − 卖出收回的净额 − 税后股息）÷ 持股数；持股归零后重新计算，可为负数"),
    TALLYFIN_TR_NOOP("Positions",
                     "移动平均成本：买入把含费用的资金计入成本，卖出按当时的平均成本减去所卖股份的成本；已实现盈亏 = 卖出净额 − 减去的成本"),
    TALLYFIN_TR_NOOP("Positions",
                     "先进先出：卖出先用最早买入的股份，每股带着它那笔买入的费用；已实现盈亏 = 卖出净额 − 这些股份的成本"),
    TALLYFIN_TR_NOOP("Positions",
                     "费用：佣金、印花税、过户费和规费（不含股息红利税）；股息为税后金额，持股时冲减摊薄成本，不计入已实现盈亏；"
                     "不持股时入账的股息或税款在三种算法下都计入已实现盈亏"),
};

// The rows the positions leave out, one line each:
//   EnglishText(oversold line 6) -> "line 6: 000001 sold 100 shares with only 0 held; the sale and its fees were skipped"
//   LeftOutText(the same)        -> "第 6 行：000001 卖出 100 股，多于当时持有的 0 股，这笔卖出及其费用未计入"
//   EnglishText(skipped line 5)  -> "line 5: 900901 云赛B股 证券买入: a code that is no A share, fund or convertible bond Tallyfin knows"
//   LeftOutText(the same)        -> "第 5 行：900901 云赛B股 证券买入 未计入：无法识别的证券代码（…）"
std::string EnglishText(const OversoldSale &sale);
Text LeftOutText(const OversoldSale &sale);
std::string EnglishText(const SkippedRow &row);
Text LeftOutText(const SkippedRow &row);

// Why the row was skipped:
//   EnglishText(SkipReason::NoCode) -> "no code to book it to"
//   ChineseText(SkipReason::NoCode) -> "没有证券代码，无法记入持仓"
std::string_view EnglishText(SkipReason reason);
std::string_view ChineseText(SkipReason reason);

} // namespace tallyfin::statement
