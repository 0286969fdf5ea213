#include "ratefit.h"

#include <algorithm>
#include <unordered_map>

namespace tallyfin::statement {

namespace {

// Products of an amount and a rate may pass 64 bits.
__extension__ using Wide = __int128;

// amount × rate is in 10^-9 cents.
constexpr Wide kUnitsPerCent = 1'000'000'000;
constexpr Cents kUsualMinimum = kMinimumCommissionYuan * 100;
// The most minimums tried besides none and the usual one.
constexpr std::size_t kVotedMinimums = 3;
// Below this many orders, a minimum one order shows is worth trying.
constexpr std::size_t kFewOrders = 50;
// An order counts once for coming out within its allowance and once more
// for coming out to the cent: a rate a hair off the broker's, which puts
// every order within a cent, never beats the rate that reproduces them.
constexpr std::int64_t kWithinAllowance = 1, kToTheCent = 1;

Wide ceilDivide(Wide numerator, Wide denominator)
{
    const Wide quotient = numerator / denominator;
    return quotient * denominator < numerator ? quotient + 1 : quotient;
}

// The least rate whose commission rounds to at least `charged` cents.
RateUnits leastRateFor(Cents amount, Cents charged)
{
    if (charged <= 0)
        return 0;
    const Wide least = ceilDivide((2 * static_cast<Wide>(charged) - 1) * (kUnitsPerCent / 2), amount);
    return static_cast<RateUnits>(std::min<Wide>(least, kRateCap + 1));
}

// The greatest rate whose commission rounds to at most `charged` cents.
RateUnits greatestRateFor(Cents amount, Cents charged)
{
    if (charged < 0)
        return -1;
    const Wide greatest = ceilDivide((2 * static_cast<Wide>(charged) + 1) * (kUnitsPerCent / 2), amount) - 1;
    return static_cast<RateUnits>(std::min<Wide>(greatest, kRateCap));
}

// Every rate explains an order of no amount or nothing; the cap bounds the rest.
constexpr RateInterval kAnyRate{0, kRateCap};

struct Event {
    RateUnits at;
    std::int64_t weight;
};

// Rates lie in 0 … the cap + 1, under 2^22: two passes of eleven bits sort
// them in linear time, which matters with a statement's hundred thousand
// orders sorted many times over.
constexpr unsigned kRadixBits = 11;
constexpr std::size_t kRadixBuckets = std::size_t(1) << kRadixBits;
static_assert(kRateCap + 1 < (RateUnits(1) << (2 * kRadixBits)));

template <typename T, typename Key>
void sortByRate(std::vector<T> &items, Key key)
{
    std::vector<T> buffer(items.size());
    for (unsigned shift = 0; shift < 2 * kRadixBits; shift += kRadixBits) {
        std::vector<std::size_t> starts(kRadixBuckets + 1, 0);
        for (const T &item : items)
            ++starts[(static_cast<std::size_t>(key(item)) >> shift & (kRadixBuckets - 1)) + 1];
        for (std::size_t bucket = 1; bucket <= kRadixBuckets; ++bucket)
            starts[bucket] += starts[bucket - 1];
        for (const T &item : items)
            buffer[starts[static_cast<std::size_t>(key(item)) >> shift & (kRadixBuckets - 1)]++] = item;
        items.swap(buffer);
    }
}

// The rates where the weight of the intervals covering them peaks.
struct Peak {
    std::int64_t weight = 0;
    std::vector<RateInterval> ranges;
};

Peak sweep(std::vector<Event> &events)
{
    sortByRate(events, [](const Event &event) { return event.at; });
    Peak peak;
    std::int64_t running = 0;
    for (std::size_t i = 0; i < events.size();) {
        const RateUnits at = events[i].at;
        for (; i < events.size() && events[i].at == at; ++i)
            running += events[i].weight;
        if (running <= 0 || running < peak.weight || i == events.size())
            continue;
        if (running > peak.weight) {
            peak.weight = running;
            peak.ranges.clear();
        }
        peak.ranges.push_back({at, events[i].at - 1});
    }
    return peak;
}

void addEvents(std::vector<Event> &events, RateInterval interval, std::int64_t weight)
{
    if (interval.empty())
        return;
    events.push_back({interval.low, weight});
    events.push_back({interval.high + 1, -weight});
}

// Ranges next to each other are one.
std::vector<RateInterval> joined(const std::vector<RateInterval> &ranges)
{
    std::vector<RateInterval> joined;
    for (const RateInterval &range : ranges) {
        if (!joined.empty() && joined.back().high + 1 == range.low)
            joined.back().high = range.high;
        else
            joined.push_back(range);
    }
    return joined;
}

bool nothingCharged(std::span<const OrderEvidence> orders)
{
    return std::all_of(orders.begin(), orders.end(),
                       [](const OrderEvidence &order) { return order.commission.value_or(0) == 0; });
}

// How a minimum fits: orders explained, then orders reproduced to the cent.
struct Fit {
    Cents minimum = 0;
    std::int64_t weight = -1;
    std::vector<RateInterval> ranges;
};

Fit fitAt(std::span<const OrderEvidence> orders, Cents minimum, std::optional<RateUnits> userRate)
{
    Fit fit{minimum, 0, {}};
    if (userRate) {
        for (const OrderEvidence &order : orders)
            if (order.commission) {
                fit.weight += Explains(order, *userRate, minimum) ? kWithinAllowance : 0;
                fit.weight += RatesCharging(order, minimum, 0).contains(*userRate) ? kToTheCent : 0;
            }
        fit.ranges = {{*userRate, *userRate}};
        return fit;
    }
    std::vector<Event> events;
    events.reserve(orders.size() * 4);
    for (const OrderEvidence &order : orders)
        if (order.commission) {
            addEvents(events, RatesCharging(order, minimum, order.allowance), kWithinAllowance);
            addEvents(events, RatesCharging(order, minimum, 0), kToTheCent);
        }
    Peak peak = sweep(events);
    fit.weight = peak.weight;
    fit.ranges = joined(peak.ranges);
    if (fit.ranges.empty())
        fit.ranges = {kAnyRate};
    return fit;
}

// Of minimums that do as well: 5 yuan, then none, then the others in the order tried.
bool better(const Fit &candidate, const Fit &best) { return candidate.weight > best.weight; }

// The minimum (of those tried, in order) under which a rate explains the orders best.
Fit bestFit(std::span<const OrderEvidence> orders, std::span<const Cents> minimums,
            std::optional<RateUnits> userRate = std::nullopt)
{
    Fit best;
    for (const Cents minimum : minimums) {
        Fit fit = fitAt(orders, minimum, userRate);
        if (best.weight < 0 || better(fit, best))
            best = std::move(fit);
    }
    return best;
}

Tally rateTally(std::span<const OrderEvidence> orders, RateUnits rate, Cents minimum)
{
    Tally tally;
    for (const OrderEvidence &order : orders) {
        if (!order.commission || *order.commission <= minimum)
            continue;
        ++tally.of;
        tally.explained += Explains(order, rate, minimum);
    }
    return tally;
}

// Orders the usual minimum (or this one) would lift: what their charges say of the minimum.
Tally minimumTally(std::span<const OrderEvidence> orders, RateUnits rate, Cents minimum)
{
    Tally tally;
    for (const OrderEvidence &order : orders) {
        const Cents byRate = std::max(CommissionByRate(order.amount, rate), order.floor);
        if (!order.commission || byRate >= std::max(minimum, kUsualMinimum))
            continue;
        ++tally.of;
        tally.explained += Explains(order, rate, minimum);
    }
    return tally;
}

Tally commissionTally(std::span<const OrderEvidence> orders, RateUnits rate, Cents minimum)
{
    Tally tally;
    for (const OrderEvidence &order : orders)
        if (order.commission) {
            ++tally.of;
            tally.explained += Explains(order, rate, minimum);
        }
    return tally;
}

// The orders' intervals of rates under one minimum as ranges of the
// elementary pieces between all their ends: worked out once, then added up
// from the front and from the back.
struct Pieces {
    struct Range {
        std::uint32_t first = 0, last = 0; // [first, last); empty when equal
    };
    std::vector<std::pair<Range, Range>> orders; // within the allowance, to the cent
    std::size_t count = 1;
};

// `toTheCentOnly`: the intervals of the orders reproduced exactly, which
// is what tells one period from another where most orders are.
Pieces piecesOf(std::span<const OrderEvidence> orders, Cents minimum, bool toTheCentOnly)
{
    std::vector<std::pair<RateInterval, RateInterval>> intervals;
    std::vector<RateUnits> points;
    intervals.reserve(orders.size());
    points.reserve(orders.size() * 4);
    for (const OrderEvidence &order : orders) {
        auto &[within, exact] = intervals.emplace_back();
        if (order.commission) {
            if (!toTheCentOnly)
                within = RatesCharging(order, minimum, order.allowance);
            exact = RatesCharging(order, minimum, 0);
        }
        for (const RateInterval &interval : {within, exact})
            if (!interval.empty()) {
                points.push_back(interval.low);
                points.push_back(interval.high + 1);
            }
    }
    sortByRate(points, [](RateUnits point) { return point; });
    points.erase(std::unique(points.begin(), points.end()), points.end());
    const auto index = [&points](RateUnits at) {
        return static_cast<std::uint32_t>(std::lower_bound(points.begin(), points.end(), at) - points.begin());
    };
    const auto range = [&index](const RateInterval &interval) {
        return interval.empty() ? Pieces::Range{} : Pieces::Range{index(interval.low), index(interval.high + 1)};
    };
    Pieces pieces;
    pieces.count = std::max<std::size_t>(points.size(), 1);
    pieces.orders.reserve(intervals.size());
    for (const auto &[within, exact] : intervals)
        pieces.orders.emplace_back(range(within), range(exact));
    return pieces;
}

// A max-plus segment tree over the pieces: add a weight to a range of
// them, read the greatest total.
class Coverage {
public:
    explicit Coverage(std::size_t pieces) : m_leaves(pieces), m_max(4 * pieces, 0), m_pending(4 * pieces, 0) {}

    void add(Pieces::Range range, int weight)
    {
        if (range.first < range.last)
            add(1, 0, m_leaves, range.first, range.last, weight);
    }

    int max() const { return m_max[1]; }

private:
    void add(std::size_t node, std::size_t begin, std::size_t end, std::size_t first, std::size_t last, int weight)
    {
        if (first <= begin && end <= last) {
            m_max[node] += weight;
            m_pending[node] += weight;
            return;
        }
        const std::size_t middle = (begin + end) / 2;
        if (first < middle)
            add(2 * node, begin, middle, first, last, weight);
        if (middle < last)
            add(2 * node + 1, middle, end, first, last, weight);
        m_max[node] = m_pending[node] + std::max(m_max[2 * node], m_max[2 * node + 1]);
    }

    std::size_t m_leaves;
    std::vector<int> m_max, m_pending;
};

// best[k]: how well one rate explains the first k orders (from the back:
// the last k) under the pieces' minimum, as FitTerms weighs them.
std::vector<int> runningBest(const Pieces &pieces, bool fromTheBack)
{
    const std::size_t count = pieces.orders.size();
    Coverage coverage(pieces.count);
    std::vector<int> best(count + 1, 0);
    for (std::size_t k = 0; k < count; ++k) {
        const auto &[within, exact] = pieces.orders[fromTheBack ? count - 1 - k : k];
        coverage.add(within, kWithinAllowance);
        coverage.add(exact, kToTheCent);
        best[k + 1] = coverage.max();
    }
    return best;
}

// How many of the orders the fit's rate reproduces to the cent.
int exactCount(std::span<const OrderEvidence> orders, const Fit &fit)
{
    const RateUnits rate = fit.ranges.front().low;
    return static_cast<int>(std::count_if(orders.begin(), orders.end(), [&](const OrderEvidence &order) {
        return RatesCharging(order, fit.minimum, 0).contains(rate);
    }));
}

// Terms that changed leave a stretch at one end of the orders (a prefix
// or a suffix) in which the one period's rate reproduces fewer of the
// orders its rate decides than it misses; scattered slips leave none but
// at the very ends. Without such a stretch no split can pay, and the scan
// is spared.
bool mayHaveTwoPeriods(std::span<const OrderEvidence> orders, const Fit &whole)
{
    const RateUnits rate = whole.ranges.front().low;
    // +1 an order the rate misses, -1 one only it and its like reproduce,
    // 0 one at its minimum that any lower rate reproduces as well.
    std::vector<int> misses;
    misses.reserve(orders.size());
    for (const OrderEvidence &order : orders) {
        const RateInterval exact = RatesCharging(order, whole.minimum, 0);
        misses.push_back(!order.commission ? 0 : !exact.contains(rate) ? 1 : exact.low == 0 ? 0 : -1);
    }
    const auto stretchFrom = [](auto begin, auto end) {
        int missed = 0, balance = 0;
        for (auto it = begin; it != end; ++it) {
            missed += *it > 0;
            balance += *it;
            if (missed >= 2 && balance >= 0)
                return true;
        }
        return false;
    };
    return stretchFrom(misses.begin(), misses.end()) || stretchFrom(misses.rbegin(), misses.rend());
}

struct Split {
    std::size_t at = 0;
    int split = -1, whole = 0; // how well the two periods and the one explain the orders
};

// The best split of `orders` at a day's end, and how well one period does.
Split bestSplit(std::span<const OrderEvidence> orders, std::span<const Cents> minimums, bool toTheCentOnly)
{
    const std::size_t count = orders.size();
    std::vector<int> front(count + 1, 0), back(count + 1, 0);
    for (const Cents minimum : minimums) {
        const Pieces pieces = piecesOf(orders, minimum, toTheCentOnly);
        const std::vector<int> ahead = runningBest(pieces, false), behind = runningBest(pieces, true);
        for (std::size_t k = 0; k <= count; ++k) {
            front[k] = std::max(front[k], ahead[k]);
            back[k] = std::max(back[k], behind[count - k]);
        }
    }
    Split best;
    best.whole = front[count];
    for (std::size_t k = 1; k < count; ++k)
        if (orders[k - 1].date < orders[k].date && front[k] + back[k] > best.split)
            best = {k, front[k] + back[k], best.whole};
    return best;
}

} // namespace

Cents CommissionByRate(Cents amount, RateUnits rate)
{
    const Wide exact = static_cast<Wide>(amount) * rate;
    return static_cast<Cents>((exact + kUnitsPerCent / 2) / kUnitsPerCent);
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

Cents CommissionDue(const OrderEvidence &order, RateUnits rate, Cents minimum)
{
    return std::max({CommissionByRate(order.amount, rate), order.floor, minimum});
}

bool Explains(const OrderEvidence &order, RateUnits rate, Cents minimum)
{
    return order.commission && WithinAllowance(*order.commission, CommissionDue(order, rate, minimum), order.allowance);
}

RateInterval RatesCharging(const OrderEvidence &order, Cents minimum, Cents slack)
{
    if (!order.commission)
        return {};
    const Cents charged = *order.commission, lifted = std::max(order.floor, minimum);
    if (charged < lifted - slack)
        return {};
    if (order.amount <= 0)
        return charged <= lifted + slack ? kAnyRate : RateInterval{};
    const RateUnits low = charged <= lifted + slack ? 0 : leastRateFor(order.amount, charged - slack);
    return {low, greatestRateFor(order.amount, charged + slack)};
}

RateUnits SimplestRate(std::span<const RateInterval> ranges)
{
    for (RateUnits step = kRateUnitsPerMille; step >= 1; step /= 10) {
        std::optional<RateUnits> best;
        RateUnits bestDistance = 0;
        for (const RateInterval &range : ranges) {
            if (range.empty())
                continue;
            const RateUnits middle = range.low + (range.high - range.low) / 2;
            // The multiples of `step` nearest the middle, inside the range.
            for (const RateUnits candidate : {middle / step * step, (middle / step + 1) * step}) {
                if (!range.contains(candidate))
                    continue;
                const RateUnits distance = candidate > middle ? candidate - middle : middle - candidate;
                if (!best || distance < bestDistance) {
                    best = candidate;
                    bestDistance = distance;
                }
            }
        }
        if (best)
            return *best;
    }
    return ranges.empty() ? 0 : ranges.front().low;
}

std::vector<Cents> MinimumCandidates(std::span<const OrderEvidence> orders)
{
    std::unordered_map<Cents, int> shared;
    for (const OrderEvidence &order : orders)
        if (order.commission && *order.commission > 0 && *order.commission < kUsualMinimum)
            ++shared[*order.commission];
    std::vector<std::pair<int, Cents>> voted;
    // In many orders a charge only one of them shows is more likely a slip than a minimum.
    const int least = orders.size() < kFewOrders ? 1 : 2;
    for (const auto &[charged, count] : shared)
        if (count >= least)
            voted.emplace_back(-count, charged);
    std::sort(voted.begin(), voted.end());
    std::vector<Cents> candidates{kUsualMinimum, 0};
    for (std::size_t i = 0; i < voted.size() && i < kVotedMinimums; ++i)
        candidates.push_back(voted[i].second);
    return candidates;
}

FittedTerms FitTerms(std::span<const OrderEvidence> orders, std::span<const Cents> minimums,
                     std::optional<RateUnits> userRate, std::optional<Cents> userMinimum)
{
    const std::vector<Cents> tried = userMinimum ? std::vector<Cents>{*userMinimum}
                                                 : std::vector<Cents>(minimums.begin(), minimums.end());
    const Fit best = bestFit(orders, tried, userRate);
    FittedTerms terms;
    terms.minimum = best.minimum;
    terms.range = best.ranges.front();
    if (userRate) {
        terms.rate = *userRate;
        terms.rateSource = TermSource::User;
    } else if (std::none_of(orders.begin(), orders.end(), [](const OrderEvidence &order) { return order.commission.has_value(); })) {
        terms.rateSource = TermSource::Default;
        terms.range = kAnyRate;
    } else if (nothingCharged(orders) && best.ranges.front().low == 0) {
        terms.rateSource = TermSource::Rows;
    } else if (best.ranges.front().low == 0) {
        // Every order at its minimum: the rate is only bounded, and the
        // bound is told with four significant figures at most.
        terms.range = best.ranges.front();
        terms.rate = terms.range.high;
        for (RateUnits scale = 1; terms.rate >= 10'000 * scale; scale *= 10)
            terms.rate = terms.range.high / (10 * scale) * (10 * scale);
        terms.rateSource = TermSource::Bound;
    } else {
        terms.rate = SimplestRate(best.ranges);
        for (const RateInterval &range : best.ranges)
            if (range.contains(terms.rate))
                terms.range = range;
        terms.rateSource = TermSource::Rows;
    }
    terms.tallies = TallyTerms(orders, terms.rate, terms.minimum);
    terms.minimumSource = userMinimum ? TermSource::User
                          : terms.tallies.minimum.of > 0 ? TermSource::Rows
                                                         : TermSource::Default;
    return terms;
}

TermsTallies TallyTerms(std::span<const OrderEvidence> orders, RateUnits rate, Cents minimum)
{
    return {rateTally(orders, rate, minimum), minimumTally(orders, rate, minimum), commissionTally(orders, rate, minimum)};
}

int ExplainedByBest(std::span<const OrderEvidence> orders, std::span<const Cents> minimums)
{
    std::int64_t best = 0;
    for (const Cents minimum : minimums)
        best = std::max(best, fitAt(orders, minimum, std::nullopt).weight);
    return static_cast<int>(best);
}

std::vector<std::size_t> FindPeriods(std::span<const OrderEvidence> orders, std::span<const Cents> minimums,
                                     int minimumGain)
{
    std::vector<std::size_t> starts{0};
    std::vector<std::pair<std::size_t, std::size_t>> pending{{0, orders.size()}};
    while (!pending.empty()) {
        const auto [begin, end] = pending.back();
        pending.pop_back();
        const std::span<const OrderEvidence> part = orders.subspan(begin, end - begin);
        // A split explains no more than one period leaves unexplained.
        const auto withCommission = static_cast<int>(std::count_if(
            part.begin(), part.end(), [](const OrderEvidence &order) { return order.commission.has_value(); }));
        const Fit whole = bestFit(part, minimums);
        if ((kWithinAllowance + kToTheCent) * withCommission - whole.weight < minimumGain
            || !mayHaveTwoPeriods(part, whole))
            continue;
        // The minimum of the whole, and the two that brokers agree, on either side.
        std::vector<Cents> tried{whole.minimum};
        for (const Cents usual : {kUsualMinimum, Cents(0)})
            if (usual != whole.minimum && std::find(minimums.begin(), minimums.end(), usual) != minimums.end())
                tried.push_back(usual);
        // Where most orders come out to the cent, the orders that do tell the
        // periods apart, at half the cost; else every order within its allowance counts.
        const bool toTheCentOnly = exactCount(part, whole) * 2 > withCommission;
        const Split split = bestSplit(part, tried, toTheCentOnly);
        const int gain = toTheCentOnly ? (kWithinAllowance + kToTheCent) * (split.split - split.whole)
                                       : split.split - whole.weight;
        if (gain < minimumGain)
            continue;
        starts.push_back(begin + split.at);
        pending.emplace_back(begin, begin + split.at);
        pending.emplace_back(begin + split.at, end);
    }
    std::sort(starts.begin(), starts.end());
    return starts;
}

int GainOfSplit(std::span<const OrderEvidence> orders, std::span<const Cents> minimums, std::size_t at)
{
    return ExplainedByBest(orders.first(at), minimums) + ExplainedByBest(orders.subspan(at), minimums)
           - ExplainedByBest(orders, minimums);
}

} // namespace tallyfin::statement
