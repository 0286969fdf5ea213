#include "positions.h"

#include <deque>
#include <map>
#include <set>

namespace tallyfin {

namespace {

using Rational = Decimal::Rational;

// Shares bought together, `taken` of them sold since, first in, first out.
struct Lot {
    Decimal shares, cost, taken;
};

// The moving-average cost of the shares held, an exact fraction kept
// unreduced: a sale scales it by (held − sold) ÷ held, a buy adds its cash.
// Each partial sale makes the exact fraction longer, and reducing it at every
// step (as Rational does) costs a gcd of those long numbers: seconds for a
// long history of one security. Unreduced, a step costs one pass over its
// digits, and the fraction is reduced once, for the report.
class Basis {
public:
    void add(const Decimal &cash)
    {
        const Rational value = cash.toRational();
        const Integer &top = boost::multiprecision::numerator(value), &bottom = boost::multiprecision::denominator(value);
        // The smallest factor that puts the cash's denominator into ours.
        const Integer factor = bottom / Integer(boost::multiprecision::gcd(bottom, Integer(m_denominator % bottom)));
        m_numerator = m_numerator * factor + top * (m_denominator * factor / bottom);
        m_denominator *= factor;
    }
    void scale(const Decimal &kept, const Decimal &held)
    {
        const Rational ratio = kept.toRational() / held.toRational();
        m_numerator *= boost::multiprecision::numerator(ratio);
        m_denominator *= boost::multiprecision::denominator(ratio);
    }
    void clear() { *this = Basis(); }
    Rational value() const { return Rational(m_numerator, m_denominator); }

private:
    using Integer = Decimal::Integer;
    Integer m_numerator = 0, m_denominator = 1;
};

// The running state of one security. Every figure stays a decimal but the
// moving-average basis; the realised profits follow at the end from what
// was paid and received and what is still held:
//   realised = cash flow + the cost of the shares still held,
// since each convention's costs of the shares sold and held add up to all
// that was paid for them. Partial lots and averages become fractions only
// there, so a long history costs little more than its decimal additions.
struct Holding {
    PositionReport report;
    Decimal dilutedNet;       // cash put in less cash taken out since the holding was last 0
    Decimal cashFlow;         // receipts less the cash of the buys, and dividends booked while nothing was held
    Basis basis;              // moving-average cost of the shares held
    std::deque<Lot> lots;     // first in, first out
    Decimal costOfLotsHeld;   // the lots' whole costs, the front lot's included
    bool unknownCostHeld = false; // opening shares of unknown cost among those held since the holding was last 0

    // The opening holding is the first lot; with its cost unknown it counts
    // as nothing paid, and what depends on it is reported unknown.
    void open(const OpeningPosition &opening)
    {
        report.openingShares = opening.shares;
        report.openingCost = opening.cost;
        const Decimal cost = opening.cost.value_or(Decimal());
        addShares(opening.shares, cost);
        dilutedNet = dilutedNet + cost;
        cashFlow = cashFlow - cost;
        unknownCostHeld = !opening.cost;
    }

    void buy(const HoldingEvent &event)
    {
        addShares(event.quantity, event.cash);
        report.fees = report.fees + event.fees;
        dilutedNet = dilutedNet + event.cash;
        cashFlow = cashFlow - event.cash;
    }

    // Bonus shares cost nothing: the average per share falls.
    void grant(const HoldingEvent &event) { addShares(event.quantity, Decimal()); }

    void addShares(const Decimal &quantity, const Decimal &cost)
    {
        basis.add(cost);
        report.shares = report.shares + quantity;
        lots.push_back({quantity, cost, Decimal()});
        costOfLotsHeld = costOfLotsHeld + cost;
    }

    // The average cost per share stays what it was.
    void sell(const HoldingEvent &event)
    {
        report.realizedUnknown = report.realizedUnknown || unknownCostHeld;
        takeEarliest(event.quantity);
        const Decimal kept = report.shares - event.quantity;
        if (report.shares.sign() > 0) // a sale of nothing out of nothing changes nothing
            basis.scale(kept, report.shares);
        report.shares = kept;
        report.fees = report.fees + event.fees;
        dilutedNet = dilutedNet - event.cash;
        cashFlow = cashFlow + event.cash;
        if (report.shares.sign() == 0) {
            dilutedNet = Decimal(); // what was left is realised; a new holding starts from nothing
            basis.clear();
            unknownCostHeld = false;
        }
    }

    // The earliest `sold` shares leave their lots; a lot sold out leaves the queue.
    void takeEarliest(Decimal sold)
    {
        while (sold.sign() > 0) {
            Lot &lot = lots.front();
            const Decimal left = lot.shares - lot.taken;
            if (sold < left) {
                lot.taken = lot.taken + sold;
                return;
            }
            sold = sold - left;
            costOfLotsHeld = costOfLotsHeld - lot.cost;
            lots.pop_front();
        }
    }

    // A dividend (or, negative, its tax) while shares are held comes off
    // their diluted cost; with nothing held there is no cost to lower, and
    // it is realised.
    void receive(const Decimal &dividend)
    {
        report.dividends = report.dividends + dividend;
        if (report.shares.sign() > 0)
            dilutedNet = dilutedNet - dividend;
        else
            cashFlow = cashFlow + dividend;
    }

    // The cost of the shares still held, first in, first out: the front
    // lot's share of its cost, and the other lots whole.
    Rational fifoCostHeld() const
    {
        Rational cost = costOfLotsHeld.toRational();
        if (!lots.empty() && lots.front().taken.sign() > 0) {
            const Lot &front = lots.front();
            cost -= front.cost.toRational() * front.taken.toRational() / front.shares.toRational();
        }
        return cost;
    }

    PositionReport finished() const
    {
        PositionReport result = report;
        const Rational shares = report.shares.toRational();
        const Rational averageBasis = basis.value();
        result.realizedAverage = cashFlow.toRational() + averageBasis;
        result.realizedFifo = cashFlow.toRational() + fifoCostHeld();
        result.costUnknown = unknownCostHeld;
        if (report.shares.sign() > 0 && !unknownCostHeld) {
            result.dilutedCost = dilutedNet.toRational() / shares;
            result.averageCost = averageBasis / shares;
        }
        return result;
    }
};

} // namespace

PositionTexts FormatPosition(const PositionReport &p, DecimalSeparator separator)
{
    const auto money = [&](const Decimal::Rational &value) {
        return p.realizedUnknown ? std::string() : Decimal::fromRational(value, 2, Rounding::HalfUp).toFixed(2, separator);
    };
    const auto cost = [&](const std::optional<Decimal::Rational> &perShare) {
        return perShare ? Decimal::fromRational(*perShare, 3, Rounding::HalfUp).toFixed(3, separator) : std::string();
    };
    return {p.code,
            p.name,
            p.shares.toFixed(0, separator),
            cost(p.dilutedCost),
            cost(p.averageCost),
            money(p.realizedAverage),
            money(p.realizedFifo),
            p.fees.toFixed(2, separator),
            p.dividends.toFixed(2, separator)};
}

PositionsReport ReplayHoldings(std::span<const HoldingEvent> events, std::span<const OpeningPosition> openings)
{
    std::map<std::string, Holding> holdings;
    std::vector<std::string> order;
    PositionsReport result;
    // Listed, as every position, in the order of its code's first event.
    std::set<std::string> listed;
    for (const OpeningPosition &opening : openings) {
        auto [found, isNew] = holdings.try_emplace(opening.code);
        if (!isNew || opening.shares.sign() <= 0)
            continue;
        found->second.report.code = opening.code;
        found->second.report.name = opening.name;
        found->second.open(opening);
    }
    for (const HoldingEvent &event : events) {
        Holding &holding = holdings[event.code];
        if (listed.insert(event.code).second) {
            order.push_back(event.code);
            holding.report.code = event.code;
        }
        if (holding.report.name.empty())
            holding.report.name = event.name;
        switch (event.kind) {
        case HoldingEventKind::Buy:
            holding.buy(event);
            break;
        case HoldingEventKind::BonusShares:
            holding.grant(event);
            break;
        case HoldingEventKind::Sell:
            if (event.quantity > holding.report.shares)
                result.oversold.push_back({event.line, event.code, event.quantity, holding.report.shares});
            else
                holding.sell(event);
            break;
        case HoldingEventKind::Dividend:
            holding.receive(event.cash);
            break;
        case HoldingEventKind::DividendTax:
            holding.receive(-event.cash);
            break;
        }
    }
    for (const auto &[code, holding] : holdings)
        if (!listed.contains(code))
            order.push_back(code); // an opening holding with no row after it
    for (const std::string &code : order)
        result.positions.push_back(holdings.at(code).finished());
    return result;
}

} // namespace tallyfin
