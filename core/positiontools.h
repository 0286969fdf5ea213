#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "feeschedule.h"
#include "security.h"

namespace tallyfin {

// The three position calculators: 做T, 补仓 and 回本. They compute under the
// dated rules in exact money, on the market's tick and the board's lot, and
// every comparison with a goal is exact.

// The fee terms of the account and the security's lot.
struct PositionTerms {
    FeeSchedule fees;
    TradingLot lot{100, 100};
};

// The terms for the security of `code`: its market's rules on the chosen
// date and its board's lot. EInputRejected for a code Tallyfin cannot price.
//   TermsForCode(terms of 2026-12-08, "688001") -> 上海A股 rules, lot {200, 1}
PositionTerms TermsForCode(const FeeSchedule &chosen, std::string_view code);

// Typed numbers, exactly, with the message the window and the command line
// show for each rejection (EConvertError for a text that is no number,
// EInputRejected otherwise). `what` names the field: "第一笔价格", a text the window
// marks with TALLYFIN_TR_NOOP("PositionTools", …) so that the message translates.
Decimal ReadPriceOnTick(std::string_view text, std::string_view what, Market market, DecimalSeparator separator);
Decimal ReadShares(std::string_view text, std::string_view what, DecimalSeparator separator);
Decimal ReadMoney(std::string_view text, std::string_view what, DecimalSeparator separator);
// A gain to reach, which may be a loss to stop at:  ReadGain("-50", …) -> -50
Decimal ReadGain(std::string_view text, std::string_view what, DecimalSeparator separator);

// One order of a calculation, with its fees and its cash: paid for a buy,
// received for a sale, both positive.
struct TradeLeg {
    TradeSide side = TradeSide::Buy;
    Decimal price, quantity;
    SideFees fees;
    Decimal cash() const;
};

TradeLeg PriceLeg(const PositionTerms &terms, TradeSide side, const Decimal &price, const Decimal &quantity);

// --- 做T -------------------------------------------------------------------
// 正T sells shares already held and buys them back; 倒T buys first and
// sells as many of the shares held later the same day. Both legs trade the
// quantity, so it lies on the lot (one leg buys it); a holding given must be
// at least the quantity, and comes with its cost per share.
enum class TOrder { SellFirst, BuyFirst };

struct TTradeQuestion {
    TOrder order = TOrder::SellFirst;
    Decimal quantity, firstPrice;
    std::optional<Decimal> secondPrice;
    std::optional<Decimal> holding, costPerShare; // both or neither
    std::optional<Decimal> targetGain;
};

struct TTradeAnswer {
    TradeLeg first;
    std::optional<TradeLeg> second; // with a second price
    std::optional<Decimal> gain;    // the sale's cash less the buy's
    // (holding × cost − gain) ÷ holding, with a holding and a second price
    std::optional<Decimal::Rational> dilutedCost;
    // The second price that still gains ≥ 0 (正T: the highest buy-back
    // price; 倒T: the lowest sell price), and the one gaining the target.
    std::optional<Decimal> breakEvenPrice, targetPrice;
    std::optional<Text> message; // why a price could not be found
};

//   正T 1000, sold at 10.50, bought back at 10.30, 2026-12-08 上海A股 0.25‰ ->
//     sale 10489.64, buy-back 10305.10, gain 184.54, break-even buy-back 10.48
TTradeAnswer SolveTTrade(const PositionTerms &terms, const TTradeQuestion &question);

// --- 补仓 ------------------------------------------------------------------
struct TopUpQuestion {
    Decimal holding;  // shares held
    Decimal cashPaid; // what they cost in all, fees included
    Decimal price;    // to buy at
    Decimal targetCost; // per share
};

struct TopUpAnswer {
    std::optional<Decimal> quantity;  // 0: no purchase needed; none: the target cannot be reached
    std::optional<TradeLeg> purchase; // with a quantity above 0
    Decimal::Rational newCost;        // per share, fees included, after the purchase
    std::optional<Text> message;
};

// The smallest purchase on the lot that brings the cost per share to at
// most the target.
//   2000 held for 24600.00, buy at 9.80 down to 11.00 (上海A股 0.25‰) -> 2200 for 21565.61, cost 10.992
TopUpAnswer SolveTopUp(const PositionTerms &terms, const TopUpQuestion &question);

// --- 回本 ------------------------------------------------------------------
struct RecoverQuestion {
    Decimal holding; // shares held
    Decimal cashIn;  // what was put in
    Decimal price;   // to sell at
};

struct RecoverAnswer {
    std::optional<TradeLeg> sale; // the smallest sale getting the cash back
    Decimal remaining;            // shares still held after it
    std::optional<Decimal> shortfall; // when even selling everything falls short
    std::optional<Text> message;
};

// The smallest sale on the lot (or of the whole holding) whose net
// receipts reach the cash put in.
//   3000 held, 30120.50 put in, sell at 15.20 -> 2000 netting 30376.90, 1000 kept
RecoverAnswer SolveRecover(const PositionTerms &terms, const RecoverQuestion &question);

// The answers' messages, marked for translation in the context "PositionTools".
inline constexpr std::string_view kNoTopUpNeeded = TALLYFIN_TR_NOOP("PositionTools", "当前成本已不高于目标成本，无需补仓");
inline constexpr std::string_view kTopUpUnreachable = TALLYFIN_TR_NOOP("PositionTools", "按此价格补仓，成本降不到目标成本");
inline constexpr std::string_view kRecoverUnreachable = TALLYFIN_TR_NOOP("PositionTools", "全部卖出也收不回投入的资金");
inline constexpr std::string_view kNoBreakEvenPrice = TALLYFIN_TR_NOOP("PositionTools", "任何价格都不能保本");
inline constexpr std::string_view kNoTargetPrice = TALLYFIN_TR_NOOP("PositionTools", "任何价格都达不到目标收益");
inline constexpr std::string_view kHoldingNeedsCost = TALLYFIN_TR_NOOP("PositionTools", "持仓数量和持仓成本应同时填写");

} // namespace tallyfin
