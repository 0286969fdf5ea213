#pragma once

#include <optional>

#include "markets.h"

namespace tallyfin {

// The classic fee schedule: the settings picked in the main window, read
// afresh for every calculation. Rates are per mille of the trade amount.
struct FeeSettings {
    // nullopt: an exchange the classic rules do not list, which pays no transfer fee.
    std::optional<Market> market;
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

// ((price × quantity) × rate) ÷ 1000, at least the minimum commission per
// calculation unless the account has none (免五).
//   CommissionFee(10, 100, 3.0) -> 5   (3 raised to the minimum)
//   CommissionFee(20, 1000, 3.0) -> 60
//   CommissionFee(10, 100, 3.0, false) -> 3
double CommissionFee(double price, double quantity, double ratePerMille, bool withMinimum = true);

// ((price × quantity) × rate) ÷ 1000, no minimum.
//   StampDutyFee(10, 1000, 1) -> 10
double StampDutyFee(double price, double quantity, double ratePerMille);

// Shanghai A-shares only: 1 yuan per full thousand shares, at least 1 yuan
// (also for 0 or negative quantities); every other market pays 0.
//   TransferFee(ShanghaiA, 1999) -> 1,  TransferFee(ShanghaiA, 2500) -> 2
//   TransferFee(ShenzhenA, 5000) -> 0,  TransferFee(nullopt, 5000) -> 0
double TransferFee(std::optional<Market> market, double quantity);

} // namespace tallyfin
