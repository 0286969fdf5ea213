#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "constants.h"
#include "feerules.h"
#include "hkfeerules.h"
#include "numeric.h"

namespace tallyfin {

// The background of the two result fields: the normal field colour, red for
// a gain (RGB 255,0,0), green for no gain (RGB 0,128,0).
enum class FieldColor { Window, Red, Green };

// What the user asks of a sale (see target.h).
enum class TargetKind { BreakEven, Profit, Return };

// A 港股通 side's figures in HKD beside its yuan ones: the settlement rate,
// the amount and each Hong Kong item in HKD, and 换汇尾差 in yuan.
struct HkSideTexts {
    std::string rate, amountHkd;
    std::array<std::string, kHkFeeItemCount> itemsHkd;
    std::string rounding;
};

// The texts of the main window that the calculate action reads and writes.
// The window's binding table (ui/mainwindow.cpp) and the command line's
// (cli/tradecommand.cpp) name the widget and JSON key of each.
struct TradeFields {
    // Fee settings: the rule set, the market, the commission and stamp-duty
    // rates (per mille, as shown in their boxes) and "stamp duty on both
    // sides". The dated rules take the stamp duty from the fee table instead.
    RuleSet rules = kDefaultRules;
    std::string tradeDate; // "YYYY-MM-DD", dated rules only
    std::string market{MarketName(kDefaultMarket)};
    std::string commissionRate{kDefaultCommission};
    std::string stampDutyRate{kDefaultStampDuty};
    bool stampDutyBothSides = false;
    bool noMinimum = false;   // 免五: no minimum commission
    bool leviesOnTop = false; // 规费另计: handling and management fees on top (dated rules)
    // 港股通's settlement rates (yuan per HKD) of the buy and the sell side.
    std::string buyRate, sellRate;

    // Buy group: price and quantity (typed), then the results. The levies
    // show only when they are charged on top (dated rules).
    std::string buyPrice, buyQuantity;
    std::string buyAmount, buyCommission, buyStampDuty, buyTransferFee, buyLevies, buyFees;
    std::string cashPaid, costPerShare, breakEvenPrice;

    // Sell group: price and quantity (typed), then the results.
    std::string sellPrice, sellQuantity;
    std::string sellAmount, sellCommission, sellStampDuty, sellTransferFee, sellLevies, sellFees;
    std::string netReceipts, returnPercent, profit;
    FieldColor returnColor = FieldColor::Window;
    FieldColor profitColor = FieldColor::Window;

    // 港股通: each side's Hong Kong figures, as calculated.
    std::optional<HkSideTexts> buyHongKong, sellHongKong;

    // The target of the sale (a return in % or a profit in yuan), the
    // lowest price reaching it, and what selling there yields.
    TargetKind targetKind = TargetKind::Return;
    std::string targetValue;
    std::string targetPrice, targetYield;
};

enum class TradeOutcome {
    Calculated,
    // A sell price without any quantity to sell; nothing of the sell group
    // was written. The window shows kSellQuantityMissing.
    SellQuantityMissing,
};

inline constexpr std::string_view kSellQuantityMissing = TALLYFIN_TR_NOOP("Trade", "卖出数量必须设置初始值");

// The "计算" action: the buy side, then the sell side, each field written as
// soon as its value is known. A bad number or a floating-point fault throws
// (EConvertError, EZeroDivide, EInvalidOp, EOverflow) and leaves exactly the
// fields written before it.
//   buyPrice "10", buyQuantity "1000", sellPrice "11" (Shanghai, 3.0‰, 1‰) ->
//     buyAmount … breakEvenPrice "10000" "30" "0" "1" "31" "10031" "10.03" "10.07",
//     sellQuantity "1000", sellAmount … profit "11000" "33" "11" "1" "45" "10955" "9.21" "924", red
// With a target typed and a bought quantity, the action ends with the
// lowest sell price that reaches it (targetPrice) and the net receipts and
// profit of selling there (targetYield: "10009.89 / 4.79"), or why no price
// does in targetPrice.
// The dated rules write money with two decimals, the cost per share and the
// break-even price to the market's tick; a date or market the fee table does
// not cover, and a price, quantity or rate it cannot take, throw
// EInputRejected (see datedtrade.h).
TradeOutcome CalculateTrade(TradeFields &fields, DecimalSeparator separator);

// The "清空" action on the trade fields: inputs and results emptied, the two
// result colours back to normal. Fee settings and the target value are kept.
void ClearTrade(TradeFields &fields);

} // namespace tallyfin
