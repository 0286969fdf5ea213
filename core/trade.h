#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "numeric.h"

namespace tallyfin {

// The background of the two result fields: the normal field colour, red for
// a gain (RGB 255,0,0), green for no gain (RGB 0,128,0).
enum class FieldColor { Window, Red, Green };

enum class TradeSide { Buy, Sell };

// The two fee rule sets: the fixed schedule of the settings boxes, or the
// statutory fees in force on the trade date, in exact money.
enum class RuleSet { Classic, Dated };

// What the user asks of a sale (see target.h).
enum class TargetKind { BreakEven, Profit, Return };

inline constexpr std::string_view kClassicRulesName = "经典规则";
inline constexpr std::string_view kDatedRulesName = "按成交日期";

// The choices the classic rules offer for the exchange and the stamp duty (‰).
inline constexpr std::array<std::string_view, 3> kClassicExchanges{"上海A股", "深圳A股", "基金权证"};
inline constexpr std::array<std::string_view, 7> kStampDutyChoices{"6", "5", "4", "3", "2", "1", "0"};

// The texts of the main window that the calculate action reads and writes,
// under the names of their fields.
struct TradeFields {
    // Fee settings: the rule set, the exchange, the commission and stamp-duty
    // rates (per mille, as shown in their boxes) and "stamp duty on both
    // sides". The dated rules take the stamp duty from the fee table instead.
    RuleSet rules = RuleSet::Classic;
    std::string tradeDate; // "YYYY-MM-DD", dated rules only
    std::string zjs = "上海A股";
    std::string ComboBox1 = "3.0";
    std::string ComboBox2 = "1";
    bool CheckBox1 = false;
    bool noMinimum = false;   // 免五: no 5-yuan minimum commission
    bool leviesOnTop = false; // 规费另计: handling and management fees on top (dated rules)

    // Buy group: price and quantity (typed), then the eight results.
    std::string jg, sl;
    std::string Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10, Edit11;

    // Sell group: price and quantity (typed), then the eight results.
    std::string Edit2, Edit3;
    std::string Edit12, Edit13, Edit14, Edit15, Edit16, Edit17, Edit18, Edit19;
    // The levies of each side when they are charged on top (dated rules).
    std::string buyLevies, sellLevies;
    // The target of the sale (a return in % or a profit in yuan), the
    // lowest price reaching it, and what selling there yields.
    TargetKind targetKind = TargetKind::Return;
    std::string targetValue;
    std::string targetPrice, targetYield;
    FieldColor Edit18Color = FieldColor::Window;
    FieldColor Edit19Color = FieldColor::Window;
};

enum class TradeOutcome {
    Calculated,
    // A sell price without any quantity to sell; nothing of the sell group
    // was written. The window shows kSellQuantityMissing.
    SellQuantityMissing,
};

inline constexpr std::string_view kSellQuantityMissing = "卖出数量必须设置初始值";

// The "计算" action: the buy side, then the sell side, each field written as
// soon as its value is known. A bad number or a floating-point fault throws
// (EConvertError, EZeroDivide, EInvalidOp, EOverflow) and leaves exactly the
// fields written before it.
//   jg "10", sl "1000", Edit2 "11" (Shanghai, 3.0‰, 1‰) ->
//     Edit4..Edit11 "10000" "30" "0" "1" "31" "10031" "10.03" "10.07",
//     Edit3 "1000", Edit12..Edit19 "11000" "33" "11" "1" "45" "10955" "9.21" "924", red
// With a target typed and a bought quantity, the action ends with the
// lowest sell price that reaches it (targetPrice) and the net receipts and
// profit of selling there (targetYield: "10009.89 / 4.79"), or why no price
// does in targetPrice.
// The dated rules write money with two decimals, the cost per share and the
// break-even price to the market's tick; a date or market the fee table does
// not cover, and a price, quantity or rate it cannot take, throw
// EInputRejected (see datedtrade.h).
TradeOutcome CalculateTrade(TradeFields &fields, DecimalSeparator separator);

// The sell side's first steps under either rule set: without a sell price
// there is nothing to do (Calculated); an empty sell quantity takes the
// bought one; with neither, SellQuantityMissing. nullopt: the sale goes on.
std::optional<TradeOutcome> StartSale(TradeFields &fields);

// The sell side's arithmetic, shared with the target price search.
//   net receipts ((amount − commission) − stamp duty) − transfer fee
Extended ClassicNetReceipts(double amount, double commission, double stampDuty, double transferFee);
//   RoundHalfEven((net − cash paid) ÷ cash paid × 10000) ÷ 100, rounded to double
double ClassicReturnPercent(Extended netReceipts, Extended cashPaid);

// The fee settings the classic rules read from the fields; the rates parsed
// and rounded to double (EConvertError for a rate that is no number).
struct FeeSettings;
FeeSettings ReadFeeSettings(const TradeFields &fields, DecimalSeparator separator);

// The "清空" action on the trade fields: inputs and results emptied, the two
// result colours back to normal. Fee settings are kept.
void ClearTrade(TradeFields &fields);

} // namespace tallyfin
