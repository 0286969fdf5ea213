#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "markets.h"

namespace tallyfin {

// The figures the whole program shares, each defined here once.

// The broker's minimum commission per order, unless the account has none (免五).
inline constexpr int kMinimumCommissionYuan = 5;

// What the inputs may hold: a price above 0 up to kMaxPrice yuan (the dated
// rules' inputs, and the highest sell price any search tries), a whole
// quantity from 1 up to kMaxQuantity, a commission rate up to the legal cap
// of 3‰ (dated rules). The classic target search takes commission and stamp
// duty together up to kMaxClassicRatesPerMille: beyond it, fees that grow as
// fast as the amount leave nothing to reach.
inline constexpr std::int64_t kMaxPrice = 100000;
inline constexpr std::int64_t kMaxQuantity = 10'000'000'000;
inline constexpr std::int64_t kMaxCommissionPerMille = 3;
inline constexpr int kMaxClassicRatesPerMille = 500;

// A 港股通 settlement rate (yuan per HKD) as China Clear publishes it: six
// decimals at most. The bound keeps a mistyped rate from being taken.
inline constexpr int kSettlementRateDecimals = 6;
inline constexpr int kMaxSettlementRate = 100;

// The fee settings of a first start, as their boxes show them (rates in ‰).
inline constexpr RuleSet kDefaultRules = RuleSet::Classic;
inline constexpr Market kDefaultMarket = Market::ShanghaiA;
inline constexpr std::string_view kDefaultCommission = "3.0";
inline constexpr std::string_view kDefaultStampDuty = "1";

// The classic rules' stamp-duty choices (‰).
inline constexpr std::array<std::string_view, 7> kStampDutyChoices{"6", "5", "4", "3", "2", "1", "0"};

} // namespace tallyfin
