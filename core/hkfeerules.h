#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "feerules.h"

namespace tallyfin {

// The Hong Kong fees of a 港股通 trade by trade date, in HKD: what the Hong
// Kong government, the exchange, its regulators and its clearing house
// charge each side of a trade through China Clear. Mainland levies and the
// A-share transfer fee do not apply; the broker's commission does (in yuan,
// see hkfees.h).
enum class HkFeeItem : std::uint8_t { StampDuty, TradingFee, TradingTariff, SfcLevy, AfrcLevy, SettlementFee };
inline constexpr std::size_t kHkFeeItemCount = 6;
inline constexpr std::array<HkFeeItem, kHkFeeItemCount> kHkFeeItems{
    HkFeeItem::StampDuty, HkFeeItem::TradingFee, HkFeeItem::TradingTariff,
    HkFeeItem::SfcLevy,   HkFeeItem::AfrcLevy,   HkFeeItem::SettlementFee};

constexpr std::size_t HkItemIndex(HkFeeItem item) { return static_cast<std::size_t>(item); }

// How an item's HKD figure comes onto the money grid: Hong Kong stamp duty
// counts any part of a dollar as a dollar, the others go half up to the cent.
enum class HkRounding : std::uint8_t { UpToDollar, HalfUpToCent };

// One row of the Hong Kong table: from `effectiveFrom` on, until a later row
// of the same item, `item` costs `ratePercent` % of the HKD amount plus
// `perTradeHkd` a trade, rounded as `rounding` says, then held between the
// minimum and the maximum (empty: none). Every item is paid by buyer and
// seller alike.
struct HkFeeRuleRow {
    std::string_view effectiveFrom; // "YYYY-MM-DD"
    HkFeeItem item;
    std::string_view ratePercent;   // exact decimal text
    std::string_view perTradeHkd;
    std::string_view minimumHkd, maximumHkd;
    HkRounding rounding;
    Confidence confidence;
    std::string_view source; // marked for translation in the context "FeeTable"
    std::string_view note;   // shown with every figure taken from the row
};

// Every row, oldest first; a change of the rules is one more row.
std::span<const HkFeeRuleRow> HkFeeRuleTable();

// The first day the table covers: 沪港通's opening day.
TradeDate HkRulesStart();

// The row of each item in force on one day.
struct HkRulesInForce {
    TradeDate date;
    std::array<const HkFeeRuleRow *, kHkFeeItemCount> rows{};

    const HkFeeRuleRow &row(HkFeeItem item) const { return *rows[HkItemIndex(item)]; }
    // Whether a trade on the other day pays the same: a row booked on its
    // settlement date may then be read under either.
    //   HkRulesFor(2023-11-16).sameRulesAs(HkRulesFor(2023-11-17)) -> false (stamp duty 0.13% → 0.1%)
    bool sameRulesAs(const HkRulesInForce &other) const { return rows == other.rows; }
};

// The latest row on or before `date` of each item; EFeeRulesError before
// the table's start.
//   HkRulesFor({2025, 2, 20}).row(HkFeeItem::TradingFee).ratePercent -> "0.00565"
HkRulesInForce HkRulesFor(TradeDate date);

// What each item charged costs, for a person (items not charged left out):
//   2025-02-20 -> "印花税 0.1%（不足 1 港元按 1 港元计）；交易费 0.00565%；交易征费 0.0027%；会财局征费 0.00015%；
//                  股份交收费 0.002%（最低 2 港元，最高 100 港元）；均为双向，按港元计算"
Text HkRulesDescription(const HkRulesInForce &rules);

// The notes of the rows in force (context "FeeTable"), in item order, without repeats.
std::vector<std::string_view> HkRuleNotes(const HkRulesInForce &rules);

// One row's terms, for a person:
//   the 2021-08-01 stamp duty -> "成交金额的 0.13%，双向，不足 1 港元按 1 港元计"
//   the 2014-11-17 tariff     -> "每笔 0.50 港元，双向"
Text HkRowTerms(const HkFeeRuleRow &row);

// One row as a paragraph, as FeeTableEntry writes the A-share rows.
Text HkFeeTableEntry(const HkFeeRuleRow &row);

// Names for a person (context "FeeRules") and for scripts.
std::string_view HkFeeItemName(HkFeeItem item); // "印花税", "交易费", "交易系统使用费", "交易征费", "会财局征费", "股份交收费"
std::string_view HkFeeItemKey(HkFeeItem item);  // "stampDuty", "tradingFee", "tradingTariff", "sfcLevy", "afrcLevy", "settlementFee"

} // namespace tallyfin
