#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "positiontools.h"
#include "trade.h"

namespace tallyfin {

// The three position calculators over the texts of their fields, shared by
// the 持仓工具 window and the command line. A calculation first empties its
// results, then reads every input exactly (EConvertError for a text that is
// no number, EInputRejected for one the calculator cannot take, and nothing
// is written), then writes the results: money with two decimals, prices on
// the market's tick, costs per share with three, half up (ties away from
// zero). Comparisons with a goal are made on the exact figures, before any
// of them is rounded for display.

// The terms of the fee settings (the main window's trade date, market,
// commission, 免五 and 规费另计, read as the dated rules read them, whichever
// rule set is chosen there) for the security of `code`; with no code (empty
// or spaces) the market's own lot. A Hong Kong code (five digits) or the
// market 港股通 trades at the settings' two settlement rates in the
// company's `boardLot` (每手股数), which only 港股通 takes. EInputRejected
// for a code Tallyfin cannot price, for 港股通 without a board lot, and for
// a board lot elsewhere.
//   settings 2026-12-08 上海A股 0.25: code ""       -> 上海A股, lot {100, 100}
//                                     code "688001" -> 上海A股, lot {200, 1}
//                                     code "000001" -> 深圳A股, lot {100, 100}
//                                     code "00700", board lot "100" -> 港股通, lot {100, 100}
PositionTerms ReadPositionTerms(const TradeFields &settings, std::string_view code, std::string_view boardLot,
                                DecimalSeparator separator);

// What the terms mean for an order, in one line:
//   "上海A股，2026-12-08 的规则；佣金 0.25‰，最低 5 元；报价单位 0.01 元；每笔数量：100 的整数倍"
//   "港股通，2025-02-20 的规则；佣金 0.6‰，最低 5 元；结算汇率：买入 0.93358，卖出 0.93242；
//    价格以港元计，报价单位按港股价位表；每笔数量：200 的整数倍"
Text DescribeTerms(const PositionTerms &terms, DecimalSeparator separator);

// One order as its slip shows it. The levies are "0.00" when the
// commission holds them.
struct LegTexts {
    std::string price, quantity, amount, commission, stampDuty, transferFee, levies, fees, cash;
};

// --- 做T -------------------------------------------------------------------
struct TTradeFields {
    TOrder order = TOrder::SellFirst;
    // Typed. The second price, the holding with its cost per share, and the
    // target gain may be empty.
    std::string quantity, firstPrice, secondPrice, holding, cost, targetGain;

    // Results: the second leg and the gain need a second price, the diluted
    // cost a holding as well; a price the search did not find stays empty.
    std::optional<LegTexts> first, second;
    std::string gain, dilutedCost, breakEvenPrice, targetPrice;
};

// Returns why a break-even or target price could not be found.
//   正T 1000 at 10.50, back at 10.30, 3000 held at 11.20, target 100
//   (2026-12-08, 上海A股, 0.25‰) -> first cash "10489.64", second "10305.10",
//   gain "184.54", dilutedCost "11.138", breakEvenPrice "10.48", targetPrice "10.38"
std::optional<Text> CalculateTTrade(const PositionTerms &terms, TTradeFields &fields,
                                           DecimalSeparator separator);

// --- 补仓 ------------------------------------------------------------------
struct TopUpFields {
    // Typed: the holding with either its cost per share or the cash it took
    // in all (exactly one of the two), the price to buy at, the target cost.
    std::string holding, cost, cashPaid, price, targetCost;

    // Results. Quantity "0" (and no order) when the cost already meets the
    // target; all empty when the price cannot bring it there.
    std::string quantity, amount, fees, cash, newCost;
};

// Returns kNoTopUpNeeded or kTopUpUnreachable, or nothing with an order.
//   2000 held at 12.30, buy at 9.80 down to 11.00 -> quantity "2200", cash "21565.61", newCost "10.992"
std::optional<Text> CalculateTopUp(const PositionTerms &terms, TopUpFields &fields, DecimalSeparator separator);

// --- 回本 ------------------------------------------------------------------
struct RecoverFields {
    // Typed: the holding, the cash put into it, the price to sell at.
    std::string holding, cashIn, price;

    // Results: the sale and what stays held; when even selling everything
    // falls short, only the shortfall (and the holding as what remains).
    std::string quantity, amount, fees, netReceipts, remaining, shortfall;
};

// Returns kRecoverUnreachable when selling everything falls short.
//   3000 held, 30120.50 put in, sell at 15.20 -> quantity "2000", netReceipts "30376.90", remaining "1000"
std::optional<Text> CalculateRecover(const PositionTerms &terms, RecoverFields &fields,
                                            DecimalSeparator separator);

// Each calculator's results emptied, its inputs kept; where a calculation
// cannot even begin (its terms are refused), nothing of an earlier one stays.
void ClearResults(TTradeFields &fields);
void ClearResults(TopUpFields &fields);
void ClearResults(RecoverFields &fields);

inline constexpr std::string_view kCostOrCashPaid =
    TALLYFIN_TR_NOOP("PositionTools", "持仓成本价和买入总额请填写其中一项");

} // namespace tallyfin
