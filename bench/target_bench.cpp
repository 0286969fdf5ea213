// One target-price search against the plain walk over every tick, for a
// small and a very large position, under both rule sets.
#include <benchmark/benchmark.h>

#include "datedtrade.h"
#include "pricesearch.h"
#include "target.h"

namespace {

using namespace tallyfin;

TradeFields bought(RuleSet rules, const char *quantity, bool noMinimum = false)
{
    TradeFields f;
    f.rules = rules;
    f.noMinimum = noMinimum;
    f.leviesOnTop = noMinimum;
    f.tradeDate = "2026-12-08";
    f.commissionRate = "0.25";
    f.buyPrice = "10";
    f.buyQuantity = quantity;
    CalculateTrade(f, kDecimalPoint);
    return f;
}

void Solve(benchmark::State &state, RuleSet rules, const char *quantity, bool noMinimum = false)
{
    const TradeFields f = bought(rules, quantity, noMinimum);
    int evaluations = 0;
    for (auto _ : state) {
        const TargetSolution solution = SolveTarget(f, TargetKind::Return, "10", kDecimalPoint);
        evaluations = solution.evaluations;
        benchmark::DoNotOptimize(solution);
    }
    state.counters["sales"] = evaluations;
}

// Every tick from the lowest up to the first that reaches the target.
void BruteForce(benchmark::State &state, const char *quantity)
{
    const TradeFields f = bought(RuleSet::Dated, quantity);
    const DatedRules rules(ReadFeeSchedule(f, kDecimalPoint));
    const Decimal cashPaid = *Decimal::fromTyped(f.cashPaid, kDecimalPoint);
    const Decimal goal = (cashPaid * Decimal(10)).shifted(-2);
    const SaleCurve curve = SaleCurveOf(rules, *Decimal::fromTyped(quantity, kDecimalPoint), cashPaid, goal);
    std::int64_t tick = 0;
    for (auto _ : state) {
        tick = 1;
        while (curve.profitAt(tick) < goal)
            ++tick;
        benchmark::DoNotOptimize(tick);
    }
    state.counters["sales"] = static_cast<double>(tick);
}

BENCHMARK_CAPTURE(Solve, DatedOneShare, RuleSet::Dated, "1")->Unit(benchmark::kMicrosecond);
// No minimum and levies on top: the estimate, which counts a 5-yuan minimum, lies farthest off.
BENCHMARK_CAPTURE(Solve, DatedOneShareNoMinimum, RuleSet::Dated, "1", true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Solve, DatedSmall100Shares, RuleSet::Dated, "100")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Solve, DatedLarge10BillionShares, RuleSet::Dated, "10000000000")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Solve, ClassicSmall100Shares, RuleSet::Classic, "100")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Solve, ClassicLarge10BillionShares, RuleSet::Classic, "10000000000")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BruteForce, DatedOneShare, "1")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BruteForce, DatedSmall100Shares, "100")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BruteForce, DatedLarge10BillionShares, "10000000000")->Unit(benchmark::kMicrosecond);

} // namespace
