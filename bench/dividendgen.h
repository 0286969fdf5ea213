#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "statementgen.h"

// A made-up history of one security with a cash dividend, the sales after
// it, and the dividend tax taken back as China Clear computes it — worked out
// share by share: each share keeps its purchase day and the dividends it
// received, each day's trades are netted, sales take the earliest shares.
// What it owes is the reference the lot-by-lot check must give back.
//
//   const DividendHistory history = MakeDividendHistory(7, {2015, 9, 8});
//   ... history.rows (trades, the dividend, tax rows) ... history.lots (the tax of each lot sold) ...
namespace tallyfin::samples {

// One purchase day's shares of one sale that owe tax for the dividend.
struct ExpectedLotTax {
    TradeDate sold, bought;
    Decimal quantity, dividendPerShare;
    int ratePercent = 0;
    Decimal tax;
};

struct DividendHistory {
    std::vector<SampleRow> rows;      // in time order; Shanghai writes a tax row per lot, Shenzhen one per sale
    std::vector<ExpectedLotTax> lots; // every lot sold that owes tax, by sale then purchase day
    // The sales whose tax rows were left out (the lots of those sales), and
    // how many tax rows nothing explains (written with a quantity no sale has).
    std::vector<TradeDate> salesWithoutTaxRow;
    int unexplainedTaxRows = 0;
};

// The dividend's record date is `recordDate`; the first sale falls on an
// edge of the first lot's holding period (a month, a day past it, a year, a
// day past that), chosen by the seed with the rest.
DividendHistory MakeDividendHistory(std::uint32_t seed, TradeDate recordDate);

} // namespace tallyfin::samples
