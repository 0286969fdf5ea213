// The position tools: one answer of each calculator as the window asks for
// it (the terms read from the settings and a code, the inputs read, the
// search, the results written), and the positions report of a statement of
// 100,000 trades.
//   position_bench                          both; Google Benchmark's options apply to the first
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "holdings.h"
#include "positioncalc.h"
#include "statementgen.h"

namespace {

using namespace tallyfin;

TradeFields settings(bool noMinimum)
{
    TradeFields f;
    f.rules = RuleSet::Dated;
    f.tradeDate = "2026-12-08";
    f.commissionRate = "0.25";
    f.noMinimum = noMinimum;
    return f;
}

template <typename Fields, typename Calculate>
void answer(benchmark::State &state, const char *code, bool noMinimum, Fields typed, Calculate calculate)
{
    const TradeFields chosen = settings(noMinimum);
    for (auto _ : state) {
        Fields fields = typed;
        const PositionTerms terms = ReadPositionTerms(chosen, code, "", kDecimalPoint);
        benchmark::DoNotOptimize(calculate(terms, fields, kDecimalPoint));
        benchmark::DoNotOptimize(fields);
    }
}

TTradeFields tTrade(TOrder order, const char *quantity, const char *first, const char *second, const char *holding,
                    const char *cost, const char *gain)
{
    TTradeFields f;
    f.order = order;
    f.quantity = quantity;
    f.firstPrice = first;
    f.secondPrice = second;
    f.holding = holding;
    f.cost = cost;
    f.targetGain = gain;
    return f;
}

TopUpFields topUp(const char *holding, const char *cost, const char *price, const char *target)
{
    TopUpFields f;
    f.holding = holding;
    f.cost = cost;
    f.price = price;
    f.targetCost = target;
    return f;
}

RecoverFields recover(const char *holding, const char *cashIn, const char *price)
{
    RecoverFields f;
    f.holding = holding;
    f.cashIn = cashIn;
    f.price = price;
    return f;
}

// 正T with both prices, a holding and a target: two searches.
void TTradeSellFirst(benchmark::State &state)
{
    answer(state, "600000", false, tTrade(TOrder::SellFirst, "1000", "10.50", "10.30", "3000", "11.20", "100"),
           CalculateTTrade);
}
// 倒T on 科创板, 免五, a large order.
void TTradeBuyFirstStar(benchmark::State &state)
{
    answer(state, "688001", true, tTrade(TOrder::BuyFirst, "123457", "50.00", "", "", "", "5000"), CalculateTTrade);
}
void TopUpSmall(benchmark::State &state)
{
    answer(state, "600000", false, topUp("2000", "12.30", "9.80", "11.00"), CalculateTopUp);
}
// A target near the price: a purchase of millions of shares.
void TopUpLarge(benchmark::State &state)
{
    answer(state, "000001", true, topUp("1000000", "50.00", "10.00", "10.01"), CalculateTopUp);
}
// The commission alone keeps the target out of reach: told without a search.
void TopUpUnreachable(benchmark::State &state)
{
    answer(state, "600000", false, topUp("2000", "12.30", "9.80", "9.801"), CalculateTopUp);
}
// Only the transfer fee keeps it out of reach.
void TopUpUnreachableByTransferFee(benchmark::State &state)
{
    answer(state, "600000", false, topUp("2000", "12.30", "9.80", "9.8025"), CalculateTopUp);
}
void RecoverSmall(benchmark::State &state)
{
    answer(state, "600000", false, recover("3000", "30120.50", "15.20"), CalculateRecover);
}
// Beijing: lots of 1 above 100, ten million shares held.
void RecoverLargeBeijing(benchmark::State &state)
{
    answer(state, "920002", true, recover("10000000", "123456789.01", "15.20"), CalculateRecover);
}
BENCHMARK(TTradeSellFirst)->Unit(benchmark::kMicrosecond);
BENCHMARK(TTradeBuyFirstStar)->Unit(benchmark::kMicrosecond);
BENCHMARK(TopUpSmall)->Unit(benchmark::kMicrosecond);
BENCHMARK(TopUpLarge)->Unit(benchmark::kMicrosecond);
BENCHMARK(TopUpUnreachable)->Unit(benchmark::kMicrosecond);
BENCHMARK(TopUpUnreachableByTransferFee)->Unit(benchmark::kMicrosecond);
BENCHMARK(RecoverSmall)->Unit(benchmark::kMicrosecond);
BENCHMARK(RecoverLargeBeijing)->Unit(benchmark::kMicrosecond);

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A complete history (no sale of shares not bought) of ten securities over
// ten years, with dividends and their tax, in a PC client's layout.
void positionsReport()
{
    constexpr std::size_t kRows = 108'700; // about 100,000 of them trades
    constexpr int kRuns = 5;
    samples::RowMix mix;
    mix.stockConnect = false;
    mix.salesHeld = true;
    const samples::Layout &layout = samples::SampleLayouts().front();
    const std::string text = samples::TextStatement(samples::LayoutCells(layout, samples::SampleRows(kRows, 7, mix)),
                                                    '\t', statement::TextEncoding::Gb18030);
    auto start = std::chrono::steady_clock::now();
    const statement::Statement read = statement::ReadStatementBytes(text);
    const double readMs = millisecondsSince(start);
    std::vector<double> eventsMs, replayMs, textsMs;
    PositionsReport report;
    std::size_t events = 0;
    for (int run = 0; run < kRuns; ++run) {
        start = std::chrono::steady_clock::now();
        const statement::HoldingHistory history = statement::HoldingHistoryOf(read);
        eventsMs.push_back(millisecondsSince(start));
        start = std::chrono::steady_clock::now();
        report = ReplayHoldings(history.events);
        replayMs.push_back(millisecondsSince(start));
        start = std::chrono::steady_clock::now();
        for (const PositionReport &position : report.positions)
            benchmark::DoNotOptimize(FormatPosition(position, kDecimalPoint));
        textsMs.push_back(millisecondsSince(start));
        events = history.events.size();
    }
    const double total = median(eventsMs) + median(replayMs) + median(textsMs);
    std::printf("\npositions report: %d trades, %zu events, %zu securities, %zu sales of more than was held\n",
                read.tradeCount(), events, report.positions.size(), report.oversold.size());
    std::printf("  reading the statement (once)     %8.1f ms\n", readMs);
    std::printf("  rows -> events (median of %d)     %8.1f ms\n", kRuns, median(eventsMs));
    std::printf("  replay, three conventions        %8.1f ms\n", median(replayMs));
    std::printf("  texts of the positions           %8.3f ms\n", median(textsMs));
    std::printf("  report from the statement read   %8.1f ms  (target < 500 ms: %s)\n", total,
                total < 500 ? "met" : "missed");
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    positionsReport();
    return 0;
}
