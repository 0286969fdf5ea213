#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "decimal.h"
#include "errors.h"
#include "markets.h"

namespace tallyfin {

// A calendar date of the proleptic Gregorian calendar.
struct TradeDate {
    int year = 0, month = 0, day = 0;
    friend auto operator<=>(const TradeDate &, const TradeDate &) = default;
};

// Reads exactly "YYYY-MM-DD" naming a real day; nullopt for anything else.
//   ParseTradeDate("2026-12-08") -> {2026, 12, 8}
//   ParseTradeDate("2026-02-30") -> nullopt,  ParseTradeDate("2026-1-8") -> nullopt
std::optional<TradeDate> ParseTradeDate(std::string_view text);

//   FormatTradeDate({2001, 11, 16}) -> "2001-11-16"
std::string FormatTradeDate(TradeDate date);

// The calendar's next and previous day.
//   NextDay({2025, 2, 28}) -> {2025, 3, 1},  PreviousDay({2024, 3, 1}) -> {2024, 2, 29}
TradeDate NextDay(TradeDate date);
TradeDate PreviousDay(TradeDate date);

// The side of a trade, and the sides a fee is charged on.
enum class TradeSide : std::uint8_t { Buy, Sell };
enum class FeeItem : std::uint8_t { StampDuty, TransferFee, HandlingFee, ManagementFee };
enum class FeeBasis : std::uint8_t { Amount, ParValue }; // price × quantity, or 1 yuan par × quantity
enum class FeeSides : std::uint8_t { Both, SellOnly };
// How well the figure is sourced: the official wording was quoted, a secondary
// source gives it, or it is unconfirmed (and the row carries a note).
enum class Confidence : std::uint8_t { Primary, Secondary, Uncertain };

// One row of the fee table: from `effectiveFrom` on, until a later row for the
// same item and market, `item` costs `ratePerMille` ‰ of `basis` on `sides`,
// at least `minimumYuan` (empty: no minimum).
struct FeeRuleRow {
    std::string_view effectiveFrom; // "YYYY-MM-DD"
    MarketSet markets;
    FeeItem item;
    FeeBasis basis;
    std::string_view ratePerMille;  // exact decimal text
    FeeSides sides;
    std::string_view minimumYuan;
    Confidence confidence;
    // False where brokers bill the fee with the levies: inside the commission
    // line when the levies are, as an item of its own when they are on top.
    bool shownSeparately;
    std::string_view source;
    std::string_view note; // shown with every figure taken from the row
};

// Every row, oldest first; a change of the rules is one more row.
std::span<const FeeRuleRow> FeeRuleTable();

// The first day the table covers.
TradeDate FeeTableStart();

// The first day the table has rules for `market`: the table's start, or the
// day its exchange opened.
//   RulesStart(Market::ShanghaiA) -> 2001-11-16,  RulesStart(Market::BeijingA) -> 2021-11-15
TradeDate RulesStart(Market market);

// The four rows in force for one market on one day, with their notes.
// 港股通 pays none of them: its rows are null, its fees the Hong Kong
// table's of the same day (HkRulesFor in hkfeerules.h).
struct RulesInForce {
    TradeDate date;
    Market market;
    const FeeRuleRow *stampDuty, *transferFee, *handlingFee, *managementFee;

    bool hongKong() const { return market == Market::HongKong; }

    const FeeRuleRow &row(FeeItem item) const;
};

// The dated rules cannot answer: a day before the table, or a market that had
// no exchange yet. The message says which.
class EFeeRulesError : public EInputRejected {
public:
    using EInputRejected::EInputRejected;
};

// The latest row on or before `date` of each item for `market`.
//   RulesFor({2026, 12, 8}, Market::ShanghaiA).stampDuty->ratePerMille -> "0.5"
//   RulesFor({2000, 1, 1}, Market::ShanghaiA) throws EFeeRulesError
RulesInForce RulesFor(TradeDate date, Market market);

// The notes a trade under these rules carries (texts of the fee table, marked
// for translation in the context "FeeTable", as the rows' sources are): those of the rows whose
// figures it shows (the levies' rows only when they are charged on top), and
// what the market itself needs said. In table order, without repeats.
// 港股通's are the Hong Kong rows' (HkRuleNotes).
std::vector<std::string_view> RuleNotes(const RulesInForce &rules, bool leviesOnTop);

// What each item costs under the rules, for a person:
//   2026-12-08, 上海A股, levies inside ->
//   "印花税 0.5‰（卖方）；过户费 0.01‰（双向）；经手费 0.0341‰、证管费 0.02‰（双向，含在佣金内）"
// 港股通's are the Hong Kong rows' (HkRulesDescription).
std::string DescribeRules(const RulesInForce &rules, bool leviesOnTop);
Text RulesDescription(const RulesInForce &rules, bool leviesOnTop);

// One row's terms, for a person:
//   RowTermsText(the 2023-08-28 stamp duty) -> "成交金额的 0.5‰，卖方"
//   RowTermsText(the 2001-11-16 Shanghai transfer fee) -> "面值的 1‰，双向，最低 1 元"
std::string RowTermsText(const FeeRuleRow &row);
Text RowTerms(const FeeRuleRow &row);

// One row as a paragraph: its date, markets, item and terms, source and note.
//   "2023-08-28 起　上海A股、深圳A股、北京A股　印花税：成交金额的 0.5‰，卖方　[P]\n　来源：财政部 …"
Text FeeTableEntry(const FeeRuleRow &row);

// The same from its parts, for the Hong Kong table's rows too.
Text FeeTableParagraph(std::string_view effectiveFrom, Text markets, Text item, Text terms, Confidence confidence,
                       std::string_view source, std::string_view note);

// Every row of the A-share table, then of the Hong Kong one (hkfeerules.h),
// each as a paragraph, for the Help window.
std::vector<Text> FeeTableEntries();

// The whole table as plain text, a paragraph per row, for the Help window.
std::string FeeTableText();

// Names for a person and for scripts.
std::string_view FeeItemName(FeeItem item);     // "印花税", "过户费", "经手费", "证管费" (context "FeeRules")
std::string_view FeeItemKey(FeeItem item);      // "stampDuty", "transferFee", …
std::string_view FeeBasisKey(FeeBasis basis);   // "amount", "parValue"
std::string_view FeeSidesKey(FeeSides sides);   // "both", "sell"
std::string_view ConfidenceMark(Confidence c);  // "P", "S", "?"

} // namespace tallyfin
