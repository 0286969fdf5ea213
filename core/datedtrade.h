#pragma once

#include <cstdint>
#include <string_view>

#include "decimal.h"
#include "feerules.h"
#include "pricesearch.h"
#include "trade.h"

namespace tallyfin {

// What the dated rules accept: a price above 0 up to this many yuan, a whole
// quantity from 1 up to this many shares, a commission rate up to the legal
// cap of 3‰.
inline constexpr std::int64_t kMaxDatedPrice = kMaxSalePrice;
inline constexpr std::int64_t kMaxDatedQuantity = 10'000'000'000;
inline constexpr std::int64_t kMaxCommissionPerMille = 3;

// The commission terms of the account.
struct DatedFeeOptions {
    Decimal commissionRate;   // ‰ of the amount
    bool noMinimum = false;   // 免五: no 5-yuan minimum
    bool leviesOnTop = false; // 规费另计: handling and management fees added to the commission
};

// The rules and terms of one calculation.
struct DatedTerms {
    RulesInForce rules;
    DatedFeeOptions options;
};

// Throws EInputRejected with the message unless the input is acceptable.
void RequireInput(bool acceptable, const std::string &message);

// Reads the rule set's settings from the fields: the market (zjs), the trade
// date, the commission rate (ComboBox1, typed or chosen) and the two options.
// Throws EFeeRulesError for a market or date the table does not cover,
// EConvertError for a rate that is not a number, EInputRejected for one
// outside 0 … 3‰.
DatedTerms ReadDatedTerms(const TradeFields &fields, DecimalSeparator separator);

// A typed price or quantity, exactly; EConvertError when it is no number,
// EInputRejected outside what the dated rules accept.
//   ReadDatedPrice("10.5", Buy, ".")  -> 10.5
//   ReadDatedQuantity("1e3", Sell, ".") -> 1000
//   ReadDatedQuantity("10.5", Buy, ".") throws EInputRejected("买入数量应为 1 到 10000000000 之间的整数")
Decimal ReadDatedPrice(std::string_view text, TradeSide side, DecimalSeparator separator);
Decimal ReadDatedQuantity(std::string_view text, TradeSide side, DecimalSeparator separator);

// One side of a trade under the dated rules. Every item is rounded half up
// to the cent on its own, as a broker's slip shows it; the 5-yuan minimum
// applies to the rounded commission. With the levies inside the commission
// (the default) the commission never falls below them (the legal floor);
// with levies on top they are their own figure and the minimum applies to
// the commission alone. A transfer fee that brokers bill with the levies
// (Shenzhen's) sits inside the commission with them, or is added on top
// with them.
struct SideFees {
    Decimal amount; // price × quantity, to the cent
    Decimal commission, stampDuty, transferFee;
    Decimal levies; // handling + management fee, only when charged on top
    Decimal total() const { return commission + stampDuty + transferFee + levies; }
};

//   2026-12-08, 上海A股, 0.25‰: buy 1000 at 10 -> 10000.00, 5.00, 0.00, 0.10, 0.00 (total 5.10)
SideFees DatedSideFees(const DatedTerms &terms, TradeSide side, const Decimal &price, const Decimal &quantity);

// profit ÷ cash paid in %, half up to two decimals (cash paid not zero).
//   DatedReturnPercent(984.29, 10005.10) -> 9.84
Decimal DatedReturnPercent(const Decimal &profit, const Decimal &cashPaid);

// The profit of selling `quantity` under the terms at each tick of the
// market, against `cashPaid`, for the lowest-price search.
SaleCurve DatedSaleCurve(const DatedTerms &terms, const Decimal &quantity, const Decimal &cashPaid,
                         const Decimal &goal);

// The dated rules' calculate action: like the classic one (same fields, the
// same order, the same stops), with the fees of the dated rules in exact
// money. Money shows two decimals ("5.10"), the cost per share and the
// break-even price the market's tick, the return two decimals, half up. The
// break-even price is the lowest tick at which selling the bought quantity
// returns at least the cash paid; "无法保本" when none does.
TradeOutcome CalculateDatedTrade(TradeFields &fields, DecimalSeparator separator);

inline constexpr std::string_view kNoBreakEven = "无法保本";

} // namespace tallyfin
