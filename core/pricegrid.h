#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "decimal.h"
#include "markets.h"
#include "text.h"

namespace tallyfin {

// The prices an order may name in a market, numbered from 1 upwards: every
// multiple of the market's tick up to kMaxPrice, or for 港股通 Hong Kong's
// spread table, whose tick grows with the price band (a price on a band's
// upper edge takes the lower band's tick) up to HKD 9,995.
//   PriceGrid(ShanghaiA): priceAt(1) -> 0.01, priceAt(1234) -> 12.34, size() -> 10000000
//   PriceGrid(HongKong):  priceAt(1) -> 0.01, priceAt(241) -> 0.25, priceAt(242) -> 0.255,
//                         indexOf(47.15) -> on the grid, indexOf(47.13) -> nullopt
class PriceGrid {
public:
    explicit PriceGrid(Market market);

    std::int64_t size() const { return m_size; }
    // 1 … size()
    Decimal priceAt(std::int64_t index) const;
    // The index of a price on the grid; nullopt for any other.
    std::optional<std::int64_t> indexOf(const Decimal &price) const;
    // An index near an approximate price, for a search to start from (1 for
    // anything unusable, size() above the top).
    std::int64_t indexNear(double price) const;
    // The step from the price to the next one up (for a message): the band's tick.
    Decimal tickAt(const Decimal &price) const;
    // Decimals a price shows: the tick's, but at least two for Hong Kong
    // dollars (0.255, 47.15, 1001.00).
    int decimalsAt(const Decimal &price) const;
    Decimal highest() const { return priceAt(m_size); }

private:
    // Prices from `first` to `last` in steps of `tick`; indexes from `firstIndex`.
    struct Band {
        Decimal first, last, tick;
        std::int64_t firstIndex;
        int decimals;
    };
    const Band &bandOf(const Decimal &price) const;

    std::vector<Band> m_bands;
    std::int64_t m_size = 0;
};

// A price typed for 港股通 must lie on the spread table; else EInputRejected
// naming the field `what`:
//   "买入价格 47.13 港元不在港股价位表上：该价位段每档 0.05 港元"
//   "卖出价格应在 0.01 到 9995 港元之间"
void RequireOnSpreadTable(const PriceGrid &grid, const Decimal &price, const Text &what);

} // namespace tallyfin
