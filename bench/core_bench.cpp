// The engine's cost per user action: one full calculate action (both sides of
// a trade, every field written) and the number conversions it is made of.
#include <benchmark/benchmark.h>

#include "numeric.h"
#include "trade.h"

namespace {

using namespace tallyfin;

void CalculateTradeWorkedExample(benchmark::State &state)
{
    for (auto _ : state) {
        TradeFields fields;
        fields.buyPrice = "10";
        fields.buyQuantity = "1000";
        fields.sellPrice = "11";
        CalculateTrade(fields, kDecimalPoint);
        benchmark::DoNotOptimize(fields);
    }
}
BENCHMARK(CalculateTradeWorkedExample);

void ParseDecimalPrice(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseDecimal(" 12.345 ", kDecimalPoint));
}
BENCHMARK(ParseDecimalPrice);

void ParseDecimalLongText(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseDecimal("-1234567.8901234567890123e-12", kDecimalPoint));
}
BENCHMARK(ParseDecimalLongText);

void FormatGeneralFraction(benchmark::State &state)
{
    const Extended third = Extended(1) / 3;
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatGeneral(third, kDecimalPoint));
}
BENCHMARK(FormatGeneralFraction);

void FormatGeneralMoney(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatGeneral(10031.0, kDecimalPoint));
}
BENCHMARK(FormatGeneralMoney);

} // namespace
