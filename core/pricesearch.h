#pragma once

#include <cstdint>
#include <functional>

#include "constants.h"
#include "decimal.h"

namespace tallyfin {

// The profit of selling at price tick × k, for k = 1 … maxTick, as the
// window would compute it. Fee minimums and rounding to the cent make it a
// step function that may even dip a little as the price rises; maxDip bounds
// every dip: for all i < j, profitAt(i) <= profitAt(j) + maxDip.
struct SaleCurve {
    std::function<Decimal(std::int64_t tick)> profitAt;
    Decimal maxDip;
    std::int64_t maxTick = 0;
    // A tick near the answer to start from (clamped to 1 … maxTick); any
    // value gives the same answer, a good one gives it sooner.
    std::int64_t estimate = 1;
};

enum class TickSearchOutcome {
    Found,       // `tick` is the lowest tick reaching the goal
    AtLowestTick, // the lowest tick already reaches it: the goal asks for nothing
    Unreachable, // no tick up to maxTick reaches it
};

struct TickSearch {
    TickSearchOutcome outcome = TickSearchOutcome::Unreachable;
    std::int64_t tick = 0;
    int evaluations = 0; // how often profitAt was asked (for the benchmark)
};

// A tick estimate as a start for the search: 1 where the estimate is no
// usable number.  StartTick(1234.2) -> 1235
std::int64_t StartTick(double ticks);

// The price at which selling `quantity` brings in `cashNeeded` once fees at
// `ratesPerMille` of the amount and `fixedFees` are paid; for a start only.
//   EstimatePrice(10031 + 1003.1, 5 + 1, 3 + 1, 1000) -> 11.0844…
double EstimatePrice(double cashNeeded, double fixedFees, double ratesPerMille, double quantity);

// The lowest k with profitAt(k) >= goal. Exponential search from the
// estimate and bisection find two neighbours k-1 (short) and k (reaching);
// since no tick below k-1 can lie more than maxDip above it, a walk down from
// k-2 that stops once profitAt + maxDip falls short of the goal finds any
// lower tick that reaches it. About 2·log2(distance from the estimate) + 3
// evaluations, however the curve dips.
TickSearch LowestTickReaching(const SaleCurve &curve, const Decimal &goal);

} // namespace tallyfin
