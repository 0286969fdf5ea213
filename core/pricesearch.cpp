#include "pricesearch.h"

#include <algorithm>
#include <cmath>

namespace tallyfin {

namespace {

class Search {
public:
    Search(const SaleCurve &curve, const Decimal &goal) : m_curve(curve), m_goal(goal) {}

    TickSearch run()
    {
        if (m_curve.maxTick < 1)
            return result(TickSearchOutcome::Unreachable, 0);
        if (reaches(1))
            return result(TickSearchOutcome::AtLowestTick, 1);
        if (m_curve.maxTick == 1)
            return result(TickSearchOutcome::Unreachable, 0);
        // Invariant from here on: `low` falls short of the goal.
        std::int64_t low = 1;
        const std::int64_t start = std::clamp<std::int64_t>(m_curve.estimate, 2, m_curve.maxTick);
        std::int64_t high = 0;
        if (reaches(start)) {
            high = start;
            low = stepDownToShortTick(start, low, high);
        } else {
            low = start;
            high = stepUpToReachingTick(low);
            if (high == 0)
                return lowestBelow(m_curve.maxTick, 0);
        }
        while (high - low > 1) {
            const std::int64_t middle = low + (high - low) / 2;
            (reaches(middle) ? high : low) = middle;
        }
        return lowestBelow(low, high);
    }

private:
    bool reaches(std::int64_t tick) { return profit(tick) >= m_goal; }

    Decimal profit(std::int64_t tick)
    {
        ++m_evaluations;
        return m_curve.profitAt(tick);
    }

    // From a reaching tick down in doubling steps to one that falls short,
    // moving `high` along; never below the known short tick `low`.
    std::int64_t stepDownToShortTick(std::int64_t from, std::int64_t low, std::int64_t &high)
    {
        for (std::int64_t step = 1;; step *= 2) {
            const std::int64_t probe = from - step;
            if (probe <= low)
                return low;
            if (!reaches(probe))
                return probe;
            high = probe;
        }
    }

    // From a short tick up in doubling steps to a reaching one, moving `low`
    // along; 0 when even maxTick falls short.
    std::int64_t stepUpToReachingTick(std::int64_t &low)
    {
        for (std::int64_t step = 1;; step *= 2) {
            const std::int64_t probe = std::min(low + step, m_curve.maxTick);
            if (reaches(probe))
                return probe;
            low = probe;
            if (probe == m_curve.maxTick)
                return 0;
        }
    }

    // `high` (0: none) reaches the goal and every tick from `from` + 1 up to
    // it falls short; a dip may still hide a reaching tick at or below
    // `from`. Below a tick whose profit lies more than maxDip under the goal
    // none can reach it.
    TickSearch lowestBelow(std::int64_t from, std::int64_t high)
    {
        std::int64_t lowest = high;
        for (std::int64_t tick = from; tick >= 1; --tick) {
            const Decimal atTick = profit(tick);
            if (atTick >= m_goal)
                lowest = tick;
            else if (atTick + m_curve.maxDip < m_goal)
                break;
        }
        if (lowest == 0)
            return result(TickSearchOutcome::Unreachable, 0);
        return result(lowest == 1 ? TickSearchOutcome::AtLowestTick : TickSearchOutcome::Found, lowest);
    }

    TickSearch result(TickSearchOutcome outcome, std::int64_t tick) const { return {outcome, tick, m_evaluations}; }

    const SaleCurve &m_curve;
    const Decimal &m_goal;
    int m_evaluations = 0;
};

} // namespace

TickSearch LowestTickReaching(const SaleCurve &curve, const Decimal &goal) { return Search(curve, goal).run(); }

std::int64_t StartTick(double ticks)
{
    const double whole = std::ceil(ticks);
    return std::isfinite(whole) && whole < 1e15 ? static_cast<std::int64_t>(std::max(whole, 1.0)) : 1;
}

double EstimatePrice(double cashNeeded, double fixedFees, double ratesPerMille, double quantity)
{
    return (cashNeeded + fixedFees) / (1 - ratesPerMille / 1000) / quantity;
}


} // namespace tallyfin
