#pragma once

#include <optional>
#include <span>
#include <vector>

#include "audit.h"

// Infers a group's commission agreement from what its orders were charged.
// Internal to the audit; see audit.h for the terms and their tallies.
namespace tallyfin::statement {

// A commission rate in millionths of a per mille: 0.25‰ is 250000, the
// inference's grid step 0.001‰ is 1000.
using RateUnits = std::int64_t;
inline constexpr RateUnits kRateGridStep = 1000;

// The commission of `amount` at `rate`, rounded half up to the cent.
//   CommissionByRate(1000000, 250000) -> 250  (10,000.00 yuan at 0.25‰: 2.50)
Cents CommissionByRate(Cents amount, RateUnits rate);

// What one order shows about the agreement: its charges mapped to the
// rules' items (nullopt where the statement has no figure), and what the
// rules put under the commission when the levies are inside it.
struct OrderEvidence {
    Cents amount = 0;
    Cents allowance = 1; // one cent per fill
    std::optional<Cents> commission, transferFee, levies;
    Cents leviesDue = 0;                   // handling + management fee
    Cents transferDue = 0;                 // the transfer fee, where it is on the amount
    bool tableBillsTransferWithLevies = false;
    // What the commission may not fall below under the terms being tried
    // (the levies, and a transfer fee billed with them); InferAgreement sets it.
    Cents floor = 0;
};

// The rate explaining the most orders charged above `minimum` and above
// their floor (each order's rates form an interval on the 0.001‰ grid up to
// the legal cap, counted with a difference array; ties go to the simpler
// number). With no such order the rate is only bounded: the highest keeping
// every order at or under its charge (0 when nothing was charged).
struct RateEstimate {
    RateUnits rate = 0;
    TermSource source = TermSource::Bound;
    Tally tally;
};
RateEstimate InferRate(std::span<const OrderEvidence> orders, Cents minimum);

// The minimum that, with `rate`, explains the most orders: 0 (免五), 5 yuan,
// or a figure small orders were charged above their rate. Of minimums that
// explain as many, the one the others miss by least; then 5 yuan, then 0
// (orders all above 5 yuan by rate leave the default).
struct MinimumEstimate {
    Cents minimum = 0;
    TermSource source = TermSource::Default;
    Tally tally;
};
MinimumEstimate InferMinimum(std::span<const OrderEvidence> orders, RateUnits rate);

// The terms of one group from its orders, the other-fee column read as
// `hold`; a term the user set is taken as set, and the others inferred
// under it. `transferWithLevies`: the fee table bills the group's transfer
// fee with the levies (深圳A股), so the rows may show it either way.
Agreement InferAgreement(InstrumentGroup group, std::vector<OrderEvidence> orders, OtherFeesHold hold,
                         const TermsOverride &override, bool transferWithLevies);

// The rate as a Decimal per mille, and back: rounded to the unit, within 0 … the legal cap.
//   RateDecimal(250000) -> 0.25,  RateUnitsOf(0.0854) -> 85400,  RateUnitsOf(5) -> 3000000
Decimal RateDecimal(RateUnits rate);
RateUnits RateUnitsOf(const Decimal &ratePerMille);

} // namespace tallyfin::statement
