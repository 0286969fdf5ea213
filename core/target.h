#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "numeric.h"
#include "sale.h"
#include "trade.h"

namespace tallyfin {

// The lowest sell price that reaches what the user asks of a sale: to break
// even, a profit in yuan, or a return in % of the cash paid. The sale is
// computed exactly as the window computes the sell side under the chosen
// rule set (classic: extended precision, fees as doubles; dated: exact money
// rounded per item), at each price on the market's tick (0.01 yuan for
// shares, 0.001 for funds and warrants) up to kMaxPrice.
//
// Read from the fields: the rule set and its settings, the cash paid (as
// shown), the quantity to sell (or the bought quantity when it is empty),
// the target (targetKind, targetValue).
//
// Throws EConvertError for a text that is no number, EInputRejected for a
// quantity or rates no price can be found for, and what the rule set throws
// for its settings.

// What targetPrice shows instead of a price (context "Trade").
inline constexpr std::string_view kTargetUnreachable = TALLYFIN_TR_NOOP("Trade", "任何价格都达不到目标");
inline constexpr std::string_view kTargetAtLowestPrice = TALLYFIN_TR_NOOP("Trade", "最低报价已达到目标");

struct TargetSolution {
    // Why there is no price: the target asks for nothing (the lowest tick
    // reaches it) or for too much (no tick does).
    std::optional<std::string> message;
    SaleTexts atTarget;                  // the lowest price reaching the target
    std::optional<SaleTexts> tickBelow;  // the price one tick lower, which falls short
    int evaluations = 0;                 // sales computed on the way
};

//   dated, 2026-12-08, 上海A股, 0.25‰, cashPaid "10005.10", buyQuantity "1000", BreakEven ->
//     price "10.02", netReceipts "10009.89", profit "4.79"; tickBelow "10.01", profit "-5.21"
TargetSolution SolveTarget(const TradeFields &fields, TargetKind kind, std::string_view targetValue,
                           DecimalSeparator separator);

// The calculate action's last step: targetPrice and targetYield from the
// fields' own target, emptied when no target or no bought quantity is given.
void ShowTargetPrice(TradeFields &fields, DecimalSeparator separator);

} // namespace tallyfin
