#include "agreement.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>
#include <vector>

#include "constants.h"

namespace tallyfin::statement {

namespace {

// Products of an amount and a rate may pass 64 bits.
__extension__ using Wide = __int128;

constexpr RateUnits kRateUnitsPerMille = 1'000'000;
constexpr RateUnits kRateCap = kMaxCommissionPerMille * kRateUnitsPerMille;
constexpr int kGridPoints = static_cast<int>(kRateCap / kRateGridStep); // 0.001‰ … 3‰
constexpr Cents kUsualMinimum = kMinimumCommissionYuan * 100;
// The most minimum candidates tried besides 0 and the usual minimum.
constexpr std::size_t kVotedMinimums = 3;

// ⌈numerator ÷ denominator⌉ for a positive denominator.
Wide ceilDivide(Wide numerator, Wide denominator)
{
    const Wide quotient = numerator / denominator;
    return quotient * denominator < numerator ? quotient + 1 : quotient;
}

// The grid points k (rate k × 0.001‰) at which the commission of `amount`
// rounds to within `allowance` of `charged`:
// charged − allowance − ½ ≤ amount × k / 10^6 < charged + allowance + ½ (in cents).
std::pair<int, int> gridInterval(Cents amount, Cents charged, Cents allowance)
{
    // amount × k × 0.001‰ = amount × k / 10^6
    constexpr Wide kGridScale = 1'000'000;
    const Wide twiceAmount = 2 * static_cast<Wide>(amount);
    const Wide low = ceilDivide((2 * static_cast<Wide>(charged - allowance) - 1) * kGridScale, twiceAmount);
    const Wide high = ceilDivide((2 * static_cast<Wide>(charged + allowance) + 1) * kGridScale, twiceAmount) - 1;
    const auto clamp = [](Wide k) { return static_cast<int>(std::clamp<Wide>(k, -1, kGridPoints + 1)); };
    return {clamp(low), clamp(high)};
}

bool withinAllowance(Cents charged, Cents due, Cents allowance)
{
    return charged - due <= allowance && due - charged <= allowance;
}

// Charged no more than the floor: the rate, whatever it is, lies under it.
bool atFloor(const OrderEvidence &order)
{
    return order.floor > 0 && order.commission && *order.commission <= order.floor + order.allowance;
}

// What the commission contains under `terms` and may not fall below, as FeeSchedule bills it.
Cents floorUnder(const OrderEvidence &order, const CommissionTerms &terms)
{
    if (terms.leviesOnTop)
        return 0;
    const bool transferInside = terms.transferBilling == TransferBilling::WithTheLevies
                                || (terms.transferBilling == TransferBilling::AsTheTableSays
                                    && order.tableBillsTransferWithLevies);
    return order.leviesDue + (transferInside ? order.transferDue : 0);
}

// 1.000‰ is simpler than 0.250‰, which is simpler than 0.187‰.
int decimalsOfGridPoint(int k)
{
    if (k % 1000 == 0)
        return 0;
    if (k % 100 == 0)
        return 1;
    return k % 10 == 0 ? 2 : 3;
}

// Of the grid points where `counts` peaks, the simplest number (the middle
// one of those equally simple).
int simplestPeak(const std::vector<int> &counts)
{
    const int best = *std::max_element(counts.begin(), counts.end());
    std::vector<int> peaks;
    for (int k = 0; k <= kGridPoints; ++k)
        if (counts[static_cast<std::size_t>(k)] == best)
            peaks.push_back(k);
    int fewest = 3;
    for (const int k : peaks)
        fewest = std::min(fewest, decimalsOfGridPoint(k));
    std::erase_if(peaks, [fewest](int k) { return decimalsOfGridPoint(k) != fewest; });
    return peaks[(peaks.size() - 1) / 2];
}

// With no order above the minimum: the highest grid rate that keeps each
// order's commission by rate at or under its charge.
RateEstimate boundedRate(std::span<const OrderEvidence> orders)
{
    const bool nothingCharged = std::all_of(orders.begin(), orders.end(), [](const OrderEvidence &order) {
        return !order.commission || *order.commission == 0;
    });
    if (nothingCharged)
        return {0, TermSource::Rows, {}};
    int highest = kGridPoints;
    for (const OrderEvidence &order : orders)
        if (order.commission && order.amount > 0 && !atFloor(order))
            highest = std::min(highest, gridInterval(order.amount, *order.commission, 0).second);
    return {std::max(highest, 0) * kRateGridStep, TermSource::Bound, {}};
}

// The commission most orders were charged, when at least two share it: the
// likely minimum, which says nothing about the rate.
Cents modalCommission(std::span<const OrderEvidence> orders)
{
    std::unordered_map<Cents, int> counts;
    for (const OrderEvidence &order : orders)
        if (order.commission && *order.commission > 0)
            ++counts[*order.commission];
    Cents modal = 0;
    int most = 1;
    for (const auto &[charged, count] : counts)
        if (count > most || (count == most && modal != 0 && charged < modal)) {
            modal = charged;
            most = count;
        }
    return modal;
}

// The commission before the minimum: by rate, but not under the floor.
Cents beforeMinimum(const OrderEvidence &order, RateUnits rate)
{
    return std::max(CommissionByRate(order.amount, rate), order.floor);
}

std::vector<Cents> commissionsByRate(std::span<const OrderEvidence> orders, RateUnits rate)
{
    std::vector<Cents> byRate;
    byRate.reserve(orders.size());
    for (const OrderEvidence &order : orders)
        byRate.push_back(beforeMinimum(order, rate));
    return byRate;
}

// The minimums worth trying: 5 yuan, 0, and what small orders were charged
// above their rate most often.
std::vector<Cents> minimumCandidates(std::span<const OrderEvidence> orders, const std::vector<Cents> &byRate)
{
    std::unordered_map<Cents, int> votes;
    for (std::size_t i = 0; i < orders.size(); ++i)
        if (orders[i].commission && *orders[i].commission > byRate[i] + orders[i].allowance)
            ++votes[*orders[i].commission];
    std::vector<std::pair<int, Cents>> voted;
    for (const auto &[charged, count] : votes)
        voted.emplace_back(-count, charged);
    std::sort(voted.begin(), voted.end());
    std::vector<Cents> candidates{kUsualMinimum, 0};
    for (std::size_t i = 0; i < voted.size() && i < kVotedMinimums; ++i)
        if (voted[i].second != kUsualMinimum && voted[i].second != 0)
            candidates.push_back(voted[i].second);
    return candidates;
}

Tally minimumTally(std::span<const OrderEvidence> orders, const std::vector<Cents> &byRate, Cents minimum)
{
    Tally tally;
    for (std::size_t i = 0; i < orders.size(); ++i) {
        if (!orders[i].commission || byRate[i] >= std::max(minimum, kUsualMinimum))
            continue;
        ++tally.of;
        tally.explained += withinAllowance(*orders[i].commission, std::max(byRate[i], minimum), orders[i].allowance);
    }
    return tally;
}

// How well a minimum fits: the orders it explains, then (for a tie) how
// little the others miss by.
struct Fit {
    int explained = 0;
    Cents missedBy = 0;
    bool betterThan(const Fit &other) const
    {
        return explained != other.explained ? explained > other.explained : missedBy < other.missedBy;
    }
};

Fit fitOfMinimum(std::span<const OrderEvidence> orders, const std::vector<Cents> &byRate, Cents minimum)
{
    Fit fit;
    for (std::size_t i = 0; i < orders.size(); ++i) {
        if (!orders[i].commission)
            continue;
        const Cents due = std::max(byRate[i], minimum);
        const bool explained = withinAllowance(*orders[i].commission, due, orders[i].allowance);
        fit.explained += explained;
        fit.missedBy += explained ? 0 : std::abs(*orders[i].commission - due);
    }
    return fit;
}

Tally rateTally(std::span<const OrderEvidence> orders, RateUnits rate, Cents minimum)
{
    Tally tally;
    for (const OrderEvidence &order : orders) {
        if (!order.commission || *order.commission <= minimum)
            continue;
        ++tally.of;
        tally.explained += withinAllowance(*order.commission, beforeMinimum(order, rate), order.allowance);
    }
    return tally;
}

// How the orders bill an item: how many show a non-zero figure, how many zero.
struct Billing {
    int nonZero = 0, zero = 0;
    bool mostlyNonZero() const { return nonZero > zero; }
    Tally tally() const { return {std::max(nonZero, zero), nonZero + zero}; }
};

Billing billingOf(std::span<const OrderEvidence> orders, std::optional<Cents> OrderEvidence::*item)
{
    Billing billing;
    for (const OrderEvidence &order : orders)
        if (order.*item)
            ++(*(order.*item) != 0 ? billing.nonZero : billing.zero);
    return billing;
}

void settleRateAndMinimum(Agreement &agreement, std::span<const OrderEvidence> orders, const TermsOverride &override)
{
    const std::optional<Cents> userMinimum =
        override.minimum ? override.minimum->rounded(2, Rounding::HalfUp).unitsAt(2) : std::nullopt;
    const std::optional<RateUnits> userRate =
        override.ratePerMille ? std::optional(RateUnitsOf(*override.ratePerMille)) : std::nullopt;
    const Cents minimumGuess = userMinimum ? *userMinimum : modalCommission(orders);
    RateEstimate rate = userRate ? RateEstimate{*userRate, TermSource::User, {}} : InferRate(orders, minimumGuess);
    MinimumEstimate minimum = userMinimum ? MinimumEstimate{*userMinimum, TermSource::User, {}}
                                          : InferMinimum(orders, rate.rate);
    // The minimum found may leave other orders above it than the guess did.
    if (!userRate && !userMinimum) {
        rate = InferRate(orders, minimum.minimum);
        minimum = InferMinimum(orders, rate.rate);
    }
    agreement.terms.ratePerMille = override.ratePerMille.value_or(RateDecimal(rate.rate));
    agreement.terms.minimum = override.minimum.value_or(Decimal(minimum.minimum, 2));
    agreement.rateSource = rate.source;
    agreement.minimumSource = minimum.source;
    agreement.rate = rateTally(orders, rate.rate, minimum.minimum);
    agreement.minimum = minimumTally(orders, commissionsByRate(orders, rate.rate), minimum.minimum);
}

void settleLevies(Agreement &agreement, std::span<const OrderEvidence> orders, const TermsOverride &override)
{
    const Billing levies = billingOf(orders, &OrderEvidence::levies);
    agreement.levies = levies.tally();
    if (override.leviesOnTop) {
        agreement.terms.leviesOnTop = *override.leviesOnTop;
        agreement.leviesSource = TermSource::User;
        return;
    }
    agreement.terms.leviesOnTop = levies.mostlyNonZero();
    agreement.leviesSource = levies.tally().of > 0 ? TermSource::Rows : TermSource::Default;
}

void settleTransfer(Agreement &agreement, std::span<const OrderEvidence> orders, const TermsOverride &override,
                    bool transferWithLevies)
{
    const Billing transfer = billingOf(orders, &OrderEvidence::transferFee);
    CommissionTerms &terms = agreement.terms;
    if (override.transferSeparate) {
        terms.transferBilling = *override.transferSeparate ? TransferBilling::OnItsOwnLine : TransferBilling::WithTheLevies;
        agreement.transferSource = TermSource::User;
    } else if (transferWithLevies && transfer.tally().of > 0) {
        terms.transferBilling = transfer.mostlyNonZero() ? TransferBilling::OnItsOwnLine : TransferBilling::AsTheTableSays;
        agreement.transferSource = TermSource::Rows;
    }
    if (transferWithLevies || agreement.transferSource == TermSource::User)
        agreement.transfer = transfer.tally();
    agreement.transferSeparate = terms.leviesOnTop || terms.transferBilling == TransferBilling::OnItsOwnLine
                                 || (terms.transferBilling == TransferBilling::AsTheTableSays && !transferWithLevies);
}

} // namespace

Cents CommissionByRate(Cents amount, RateUnits rate)
{
    const Wide exact = static_cast<Wide>(amount) * rate; // in 10^-9 cents
    constexpr Wide kPerCent = 1'000'000'000;
    return static_cast<Cents>((exact + kPerCent / 2) / kPerCent);
}

RateEstimate InferRate(std::span<const OrderEvidence> orders, Cents minimum)
{
    std::vector<int> starts(kGridPoints + 2, 0);
    int voters = 0;
    for (const OrderEvidence &order : orders) {
        if (!order.commission || order.amount <= 0 || *order.commission <= minimum || atFloor(order))
            continue;
        ++voters;
        const auto [low, high] = gridInterval(order.amount, *order.commission, order.allowance);
        if (low > high || low > kGridPoints || high < 0)
            continue;
        ++starts[static_cast<std::size_t>(std::max(low, 0))];
        --starts[static_cast<std::size_t>(std::min(high, kGridPoints) + 1)];
    }
    std::vector<int> counts(kGridPoints + 1, 0);
    int running = 0;
    for (int k = 0; k <= kGridPoints; ++k)
        counts[static_cast<std::size_t>(k)] = running += starts[static_cast<std::size_t>(k)];
    // No order charged above the minimum at a rate under the cap.
    if (*std::max_element(counts.begin(), counts.end()) == 0)
        return boundedRate(orders);
    const int k = simplestPeak(counts);
    return {k * kRateGridStep, TermSource::Rows, {counts[static_cast<std::size_t>(k)], voters}};
}

MinimumEstimate InferMinimum(std::span<const OrderEvidence> orders, RateUnits rate)
{
    const std::vector<Cents> byRate = commissionsByRate(orders, rate);
    Cents best = kUsualMinimum;
    std::optional<Fit> bestFit;
    for (const Cents candidate : minimumCandidates(orders, byRate)) {
        const Fit fit = fitOfMinimum(orders, byRate, candidate);
        if (!bestFit || fit.betterThan(*bestFit)) {
            best = candidate;
            bestFit = fit;
        }
    }
    const Tally tally = minimumTally(orders, byRate, best);
    return {best, tally.of > 0 ? TermSource::Rows : TermSource::Default, tally};
}

Agreement InferAgreement(InstrumentGroup group, std::vector<OrderEvidence> orders, OtherFeesHold hold,
                         const TermsOverride &override, bool transferWithLevies)
{
    Agreement agreement;
    agreement.group = group;
    agreement.otherFees = hold;
    // The levies and the transfer fee decide the floor, and the floor what the rate explains.
    settleLevies(agreement, orders, override);
    settleTransfer(agreement, orders, override, transferWithLevies);
    for (OrderEvidence &order : orders)
        order.floor = floorUnder(order, agreement.terms);
    settleRateAndMinimum(agreement, orders, override);
    return agreement;
}

Decimal RateDecimal(RateUnits rate) { return Decimal(rate, 6); }

RateUnits RateUnitsOf(const Decimal &ratePerMille)
{
    if (ratePerMille.sign() <= 0)
        return 0;
    if (ratePerMille > RateDecimal(kRateCap))
        return kRateCap;
    return *ratePerMille.rounded(6, Rounding::HalfUp).unitsAt(6);
}

} // namespace tallyfin::statement
