#pragma once

#include <string>
#include <string_view>

namespace tallyfin {

// The exchange whose trades pay the share transfer fee.
inline constexpr std::string_view kShanghaiAShares = "上海A股";

// The fee schedule picked in the main window, read afresh for every
// calculation. Rates are per mille of the trade amount.
struct FeeSettings {
    std::string exchange;
    double commissionRate = 0;
    double stampDutyRate = 0;
    bool stampDutyBothSides = false;
    bool minimumCommission = true; // false: 免五
};

// Each fee is computed in extended precision in the order shown and rounded
// to double once, at the end. They are pure: callers ask again rather than
// keep a result.

// price × quantity.
//   TradeAmount(10, 1000) -> 10000
double TradeAmount(double price, double quantity);

// ((price × quantity) × rate) ÷ 1000, at least 5 yuan per calculation
// unless the account has no minimum (免五).
//   CommissionFee(10, 100, 3.0) -> 5   (3 raised to the minimum)
//   CommissionFee(20, 1000, 3.0) -> 60
//   CommissionFee(10, 100, 3.0, false) -> 3
double CommissionFee(double price, double quantity, double ratePerMille, bool withMinimum = true);

// ((price × quantity) × rate) ÷ 1000, no minimum.
//   StampDutyFee(10, 1000, 1) -> 10
double StampDutyFee(double price, double quantity, double ratePerMille);

// Shanghai A-shares only: 1 yuan per full thousand shares, at least 1 yuan
// (also for 0 or negative quantities); every other exchange text pays 0.
//   TransferFee("上海A股", 1999) -> 1,  TransferFee("上海A股", 2500) -> 2
//   TransferFee("深圳A股", 5000) -> 0
double TransferFee(std::string_view exchange, double quantity);

} // namespace tallyfin
