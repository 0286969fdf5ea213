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
    bool operator<(const Event &other) const { return at < other.at; }
};

// The rates where the weight of the intervals covering them peaks.
struct Peak {
    std::int64_t weight = 0;
    std::vector<RateInterval> ranges;
};

Peak sweep(std::vector<Event> &events)
{
    std::sort(events.begin(), events.end());
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

bool withinAllowance(Cents charged, Cents due, Cents allowance)
{
    return charged - due <= allowance && due - charged <= allowance;
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

// A max-plus segment tree over the elementary ranges between `points`:
// add a weight to an interval of rates, read the greatest total.
class Coverage {
public:
    explicit Coverage(std::vector<RateUnits> points) : m_points(std::move(points))
    {
        std::sort(m_points.begin(), m_points.end());
        m_points.erase(std::unique(m_points.begin(), m_points.end()), m_points.end());
        m_leaves = std::max<std::size_t>(m_points.size(), 1);
        m_max.assign(4 * m_leaves, 0);
        m_pending.assign(4 * m_leaves, 0);
    }

    void add(RateInterval interval, int weight)
    {
        if (interval.empty())
            return;
        const std::size_t first = index(interval.low), last = index(interval.high + 1);
        if (first < last)
            add(1, 0, m_leaves, first, last, weight);
    }

    int max() const { return m_max[1]; }

private:
    std::size_t index(RateUnits at) const
    {
        return static_cast<std::size_t>(std::lower_bound(m_points.begin(), m_points.end(), at) - m_points.begin());
    }

    void add(std::size_t node, std::size_t begin, std::size_t end, std::size_t first, std::size_t last, int weight)
    {
        if (last <= begin || end <= first)
            return;
        if (first <= begin && end <= last) {
            m_max[node] += weight;
            m_pending[node] += weight;
            return;
        }
        const std::size_t middle = (begin + end) / 2;
        add(2 * node, begin, middle, first, last, weight);
        add(2 * node + 1, middle, end, first, last, weight);
        m_max[node] = m_pending[node] + std::max(m_max[2 * node], m_max[2 * node + 1]);
    }

    std::vector<RateUnits> m_points;
    std::size_t m_leaves = 1;
    std::vector<int> m_max, m_pending;
};

// best[k]: how well one rate explains the first k orders under `minimum`
// (within their allowance and to the cent, as FitTerms weighs them; in the
// given direction: from the front, or from the back when reversed).
template <typename Orders>
std::vector<int> runningBest(const Orders &orders, Cents minimum)
{
    std::vector<std::pair<RateInterval, RateInterval>> intervals;
    std::vector<RateUnits> points;
    intervals.reserve(orders.size());
    for (const OrderEvidence &order : orders) {
        auto &[within, exact] = intervals.emplace_back();
        if (order.commission) {
            within = RatesCharging(order, minimum, order.allowance);
            exact = RatesCharging(order, minimum, 0);
        }
        for (const RateInterval &interval : {within, exact})
            if (!interval.empty()) {
                points.push_back(interval.low);
                points.push_back(interval.high + 1);
            }
    }
    Coverage coverage(std::move(points));
    std::vector<int> best(orders.size() + 1, 0);
    for (std::size_t k = 0; k < intervals.size(); ++k) {
        coverage.add(intervals[k].first, kWithinAllowance);
        coverage.add(intervals[k].second, kToTheCent);
        best[k + 1] = coverage.max();
    }
    return best;
}

struct Reversed {
    std::span<const OrderEvidence> orders;
    std::size_t size() const { return orders.size(); }
    auto begin() const { return orders.rbegin(); }
    auto end() const { return orders.rend(); }
};

// The best split of `orders` at a day's end: where, and how many it explains.
std::pair<std::size_t, int> bestSplit(std::span<const OrderEvidence> orders, std::span<const Cents> minimums)
{
    const std::size_t count = orders.size();
    std::vector<int> front(count + 1, 0), back(count + 1, 0);
    for (const Cents minimum : minimums) {
        const std::vector<int> ahead = runningBest(orders, minimum), behind = runningBest(Reversed{orders}, minimum);
        for (std::size_t k = 0; k <= count; ++k) {
            front[k] = std::max(front[k], ahead[k]);
            back[k] = std::max(back[k], behind[count - k]);
        }
    }
    std::pair<std::size_t, int> best{0, -1};
    for (std::size_t k = 1; k < count; ++k)
        if (orders[k - 1].date < orders[k].date && front[k] + back[k] > best.second)
            best = {k, front[k] + back[k]};
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
    return order.commission && withinAllowance(*order.commission, CommissionDue(order, rate, minimum), order.allowance);
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
    for (const auto &[charged, count] : shared)
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
    Fit best;
    for (const Cents minimum : tried) {
        Fit fit = fitAt(orders, minimum, userRate);
        if (best.weight < 0 || better(fit, best))
            best = std::move(fit);
    }
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
    int best = 0;
    for (const Cents minimum : minimums)
        best = std::max(best, runningBest(orders, minimum).back());
    return best;
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
        const int whole = ExplainedByBest(part, minimums);
        // A split explains no more orders than one period leaves unexplained.
        const auto withCommission = static_cast<int>(std::count_if(
            part.begin(), part.end(), [](const OrderEvidence &order) { return order.commission.has_value(); }));
        if ((kWithinAllowance + kToTheCent) * withCommission - whole < minimumGain)
            continue;
        const auto [at, explained] = bestSplit(part, minimums);
        if (explained - whole < minimumGain)
            continue;
        starts.push_back(begin + at);
        pending.emplace_back(begin, begin + at);
        pending.emplace_back(begin + at, end);
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
