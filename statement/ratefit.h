#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "audit.h"

// What a group of orders says about a commission agreement: the rates (and
// the minimum) under which each order comes out as charged, the terms that
// explain the most of them, and where in time the terms change. Internal to
// the audit; see audit.h for the terms and their tallies.
//
// A rate is in millionths of a per mille: 0.2354‰ is 235400. Every order
// gives an interval of such rates, so the rates that explain the most orders
// are found by sweeping the intervals' ends, never by trying a grid.
namespace tallyfin::statement {

using RateUnits = std::int64_t;
inline constexpr RateUnits kRateUnitsPerMille = 1'000'000;
inline constexpr RateUnits kRateCap = kMaxCommissionPerMille * kRateUnitsPerMille;

// The commission of `amount` at `rate`, rounded half up to the cent.
//   CommissionByRate(1000000, 250000) -> 250  (10,000.00 yuan at 0.25‰: 2.50)
Cents CommissionByRate(Cents amount, RateUnits rate);

// The rate as a Decimal per mille, and back: rounded to the unit, within 0 … the legal cap.
//   RateDecimal(235400) -> 0.2354,  RateUnitsOf(0.0854) -> 85400,  RateUnitsOf(5) -> 3000000
Decimal RateDecimal(RateUnits rate);
RateUnits RateUnitsOf(const Decimal &ratePerMille);

// A closed interval of rates; empty when high < low.
struct RateInterval {
    RateUnits low = 0, high = -1;
    bool empty() const { return high < low; }
    bool contains(RateUnits rate) const { return low <= rate && rate <= high; }
    friend bool operator==(const RateInterval &, const RateInterval &) = default;
};

// What one order shows about the commission.
struct OrderEvidence {
    TradeDate date;
    Cents amount = 0;
    Cents allowance = 1; // one cent per fill
    std::optional<Cents> commission;
    // What the commission may not fall below whatever the rate: the levies
    // it holds (and a transfer fee billed with them).
    Cents floor = 0;
};

// What the terms make the order's commission: by rate, but not under the
// floor nor under the minimum.
Cents CommissionDue(const OrderEvidence &order, RateUnits rate, Cents minimum);
// The order has a commission and it lies within its allowance of what is due.
bool Explains(const OrderEvidence &order, RateUnits rate, Cents minimum);

// The rates at which the commission due comes within `slack` cents of what
// the order was charged, under `minimum`; from 0 when the floor or the
// minimum alone accounts for the charge.
//   10,000.00 yuan charged 2.35, no floor, minimum 0, slack 0 -> [234500, 235499]
//   the same charged 5.00 with a minimum of 5 yuan        -> [0, 500499]
RateInterval RatesCharging(const OrderEvidence &order, Cents minimum, Cents slack);

// Of the rates in `ranges`, the number with the fewest decimals per mille
// (then the one nearest the middle of its range).
//   [235381, 235410] -> 235400 (0.2354),  [149500, 150499] -> 150000 (0.15)
RateUnits SimplestRate(std::span<const RateInterval> ranges);

// The minimums worth trying: 5 yuan, none, and the charges below 5 yuan
// orders share most (a broker's own figure: 1 yuan, 0.1 …).
std::vector<Cents> MinimumCandidates(std::span<const OrderEvidence> orders);

// How well terms explain orders.
struct TermsTallies {
    Tally rate;       // orders charged above the minimum that the rate explains
    Tally minimum;    // orders under 5 yuan (or the minimum) by rate whose charge the minimum explains
    Tally commission; // every order with a commission
};
TermsTallies TallyTerms(std::span<const OrderEvidence> orders, RateUnits rate, Cents minimum);

// The terms that explain the most orders, and how well.
struct FittedTerms {
    RateUnits rate = 0;
    RateInterval range;     // every rate that explains as many (those reproducing the most exactly)
    TermSource rateSource = TermSource::Default;
    Cents minimum = kMinimumCommissionYuan * 100;
    TermSource minimumSource = TermSource::Default;
    TermsTallies tallies;
};

// The rate (the simplest that explains the most, and the interval of all
// that do) and the minimum, each unless the user set it. A rate the orders
// only bound from above (all at their minimum) is the bound, marked Bound;
// orders charged nothing give 0.
FittedTerms FitTerms(std::span<const OrderEvidence> orders, std::span<const Cents> minimums,
                     std::optional<RateUnits> userRate = std::nullopt, std::optional<Cents> userMinimum = std::nullopt);

// How well the best terms explain the orders: each order counts once for
// coming out within its allowance and once more for coming out to the cent.
int ExplainedByBest(std::span<const OrderEvidence> orders, std::span<const Cents> minimums);

// What a period must add to be believed (see FindPeriods): two more orders
// explained to the cent, or one when another group's terms changed that day.
inline constexpr int kGainOfAPeriod = 4;
inline constexpr int kGainOfAnAlignedPeriod = 2;

// Splits orders in date order into the fewest periods of constant terms
// that explain them: a period ends where splitting there explains the
// orders better by at least `minimumGain` (as ExplainedByBest counts),
// never inside a day. Returns the
// index where each period begins (the first is 0).
std::vector<std::size_t> FindPeriods(std::span<const OrderEvidence> orders, std::span<const Cents> minimums,
                                     int minimumGain);

// How much better splitting at `at` explains the orders than one period does.
int GainOfSplit(std::span<const OrderEvidence> orders, std::span<const Cents> minimums, std::size_t at);

} // namespace tallyfin::statement
