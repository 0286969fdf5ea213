#include "pricegrid.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "constants.h"
#include "errors.h"

namespace tallyfin {

namespace {

struct SpreadBand {
    std::string_view upTo, tick; // HKD
};

// HKEX's spread table for ordinary shares (Part A): each band from the
// previous one's upper edge (exclusive) to its own (inclusive).
constexpr std::string_view kLowestHongKongPrice = "0.01";
constexpr SpreadBand kHongKongSpreadTable[] = {
    {"0.25", "0.001"}, {"0.50", "0.005"},   {"10.00", "0.010"},  {"20.00", "0.020"},  {"100.00", "0.050"}, {"200.00", "0.100"},
    {"500.00", "0.200"}, {"1000.00", "0.500"}, {"2000.00", "1.000"}, {"5000.00", "2.000"}, {"9995.00", "5.000"},
};

// Digits after the point of an exact step: 0.005 -> 3, 5 -> 0.
int decimalsOf(const Decimal &tick)
{
    int decimals = 0;
    while (!tick.shifted(decimals).isInteger())
        ++decimals;
    return decimals;
}

std::int64_t stepsBetween(const Decimal &from, const Decimal &to, const Decimal &tick)
{
    return *Decimal::quotient(to - from, tick, 0, Rounding::Floor).toInt64();
}

} // namespace

PriceGrid::PriceGrid(Market market)
{
    if (market != Market::HongKong) {
        const Decimal tick = MarketTick(market);
        const Decimal last = tick * Decimal(stepsBetween(Decimal(), Decimal(kMaxPrice), tick));
        m_bands.push_back({tick, last, tick, 1, MarketTickDecimals(market)});
        m_size = stepsBetween(tick, last, tick) + 1;
        return;
    }
    for (const SpreadBand &spread : kHongKongSpreadTable) {
        const Decimal tick = Decimal::fromLiteral(spread.tick), last = Decimal::fromLiteral(spread.upTo);
        // A band starts one of its own ticks above the edge below it.
        const Decimal first = m_bands.empty() ? Decimal::fromLiteral(kLowestHongKongPrice) : m_bands.back().last + tick;
        m_bands.push_back({first, last, tick, m_size + 1, std::max(2, decimalsOf(tick))});
        m_size += stepsBetween(first, last, tick) + 1;
    }
}

const PriceGrid::Band &PriceGrid::bandOf(const Decimal &price) const
{
    const auto band = std::find_if(m_bands.begin(), m_bands.end(), [&price](const Band &b) { return price <= b.last; });
    return band == m_bands.end() ? m_bands.back() : *band;
}

Decimal PriceGrid::priceAt(std::int64_t index) const
{
    const auto after = std::find_if(m_bands.begin(), m_bands.end(), [index](const Band &b) { return b.firstIndex > index; });
    const Band &band = *(after - 1);
    return band.first + band.tick * Decimal(index - band.firstIndex);
}

std::optional<std::int64_t> PriceGrid::indexOf(const Decimal &price) const
{
    const Band &band = bandOf(price);
    if (price < band.first || price > band.last)
        return std::nullopt;
    const Decimal steps = Decimal::quotient(price - band.first, band.tick, 0, Rounding::Floor);
    if (band.first + steps * band.tick != price)
        return std::nullopt;
    return band.firstIndex + *steps.toInt64();
}

std::int64_t PriceGrid::indexNear(double price) const
{
    if (!std::isfinite(price) || price <= m_bands.front().first.approximate())
        return 1;
    for (const Band &band : m_bands) {
        if (price > band.last.approximate())
            continue;
        const double steps = std::ceil((price - band.first.approximate()) / band.tick.approximate());
        return band.firstIndex + static_cast<std::int64_t>(std::max(steps, 0.0));
    }
    return m_size;
}

Decimal PriceGrid::tickAt(const Decimal &price) const { return bandOf(price).tick; }

int PriceGrid::decimalsAt(const Decimal &price) const { return bandOf(price).decimals; }

void RequireOnSpreadTable(const PriceGrid &grid, const Decimal &price, const Text &what)
{
    const Decimal lowest = grid.priceAt(1), highest = grid.highest();
    RequireInput(price >= lowest && price <= highest, TALLYFIN_TEXT("Trade", "%1应在 %2 到 %3 港元之间")
                                                          .arg(what)
                                                          .arg(lowest.toString())
                                                          .arg(highest.toString()));
    RequireInput(grid.indexOf(price).has_value(), TALLYFIN_TEXT("Trade", "%1 %2 港元不在港股价位表上：该价位段每档 %3 港元")
                                                      .arg(what)
                                                      .arg(price.toString())
                                                      .arg(grid.tickAt(price).toString()));
}

} // namespace tallyfin
