#pragma once

#include <array>
#include <string_view>

#include "commission.h"
#include "hkfeerules.h"
#include "numeric.h"

namespace tallyfin {

// How the Hong Kong items become yuan, in words (context "Trade").
inline constexpr std::string_view kHkConversion =
    TALLYFIN_TR_NOOP("Trade", "各项按结算汇率折成人民币后截尾到分；成交金额买入截尾、卖出进位；净额四舍五入，差额计为换汇尾差");

// China Clear settles a 港股通 trade in yuan at its settlement rate of the
// day, one for buys and one for sells (yuan per HKD, six decimals:
// 0.933580). A rate must be above 0, at most kMaxSettlementRate, with at
// most six decimals; else EInputRejected names the side and the rule.
void RequireSettlementRate(const Decimal &rate, TradeSide side);
// The same test, without the message.
bool IsSettlementRate(const Decimal &rate);

// A typed rate, exactly: EInputRejected when empty or refused as above,
// EConvertError when it is no number.
//   ReadSettlementRate("0.93358", Buy, ".") -> 0.93358
//   ReadSettlementRate("0.9335801", Buy, ".") throws EInputRejected("买入结算汇率应大于 0 且不超过 100，最多 6 位小数")
Decimal ReadSettlementRate(std::string_view typed, TradeSide side, DecimalSeparator separator);

// The buy and the sell rate of a 港股通 account's trades.
struct SettlementRates {
    Decimal buy, sell;
    const Decimal &of(TradeSide side) const { return side == TradeSide::Buy ? buy : sell; }
};

// One side of a 港股通 trade as China Clear's slip shows it, in yuan, with
// each Hong Kong item in HKD beside it.
struct HkSideFees {
    Decimal rate;      // the settlement rate used
    Decimal amountHkd; // price × quantity
    std::array<Decimal, kHkFeeItemCount> itemsHkd{};  // each rounded as its row says, within its bounds
    std::array<Decimal, kHkFeeItemCount> itemsYuan{}; // each × rate, cut down to the cent
    Decimal amount;     // amountHkd × rate, cut down to the cent (buy) or rounded up (sell)
    Decimal settlement; // (amountHkd ± the items) × rate, half up: what China Clear moves
    Decimal rounding;   // 换汇尾差: the settlement less the sum of its converted parts
    Decimal commission; // the broker's, on the yuan amount, half up, at least its minimum

    const Decimal &hkd(HkFeeItem item) const { return itemsHkd[HkItemIndex(item)]; }
    const Decimal &yuan(HkFeeItem item) const { return itemsYuan[HkItemIndex(item)]; }
    // Trading fee, trading tariff, SFC and AFRC levies and 换汇尾差, in yuan:
    // what exports put under 交易所清算费 and the window under 规费.
    Decimal levies() const;
    // Every fee in yuan: the settlement's items, 换汇尾差 and the commission.
    Decimal total() const;
    // Paid on a buy (settlement + commission), received on a sale (settlement − commission).
    Decimal cash(TradeSide side) const;
};

// One side of a 港股通 trade under the Hong Kong rules of its trade date,
// as China Clear converts it (the broker's commission in yuan added):
//   2025-02-20, buy 200 × 47.15 = HKD 9430.00 at 0.93358, 0.6‰ at least 5 ->
//     amount 8803.65; stamp duty HKD 10 -> 9.33; settlement fee HKD 2 -> 1.86;
//     trading fee 0.53 -> 0.49; SFC levy 0.25 -> 0.23; AFRC levy 0.01 -> 0.00;
//     settlement 8815.60 (HKD 9442.79 × 0.93358), 换汇尾差 0.04, commission 5.28, cash paid 8820.88
// The rate is taken as given (see RequireSettlementRate); amountHkd ≥ 0.
HkSideFees HkSide(const HkRulesInForce &rules, TradeSide side, const Decimal &amountHkd, const Decimal &rate,
                  const CommissionTerms &terms);

// The item of one row on a HKD amount, rounded and bounded as the row says:
//   0.13% of 9430 -> 13 (12.259 up to a dollar),  settlement fee 0.002% of 9430 -> 2 (its minimum)
Decimal HkItemFee(const HkFeeRuleRow &row, const Decimal &amountHkd);

} // namespace tallyfin
