#pragma once

#include <string>
#include <string_view>

#include "numeric.h"

namespace tallyfin {

// The background of the two result fields: the normal field colour, red for
// a gain (RGB 255,0,0), green for no gain (RGB 0,128,0).
enum class FieldColor { Window, Red, Green };

// The texts of the main window that the calculate action reads and writes,
// under the names of their fields.
struct TradeFields {
    // Fee settings: the exchange, the commission and stamp-duty rates (per
    // mille, as shown in their boxes) and "stamp duty on both sides".
    std::string zjs = "上海A股";
    std::string ComboBox1 = "3.0";
    std::string ComboBox2 = "1";
    bool CheckBox1 = false;

    // Buy group: price and quantity (typed), then the eight results.
    std::string jg, sl;
    std::string Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10, Edit11;

    // Sell group: price and quantity (typed), then the eight results.
    std::string Edit2, Edit3;
    std::string Edit12, Edit13, Edit14, Edit15, Edit16, Edit17, Edit18, Edit19;
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
TradeOutcome CalculateTrade(TradeFields &fields, DecimalSeparator separator);

// The "清空" action on the trade fields: inputs and results emptied, the two
// result colours back to normal. Fee settings are kept.
void ClearTrade(TradeFields &fields);

} // namespace tallyfin
