#include "positions.h"

#include <deque>
#include <map>

namespace tallyfin {

namespace {

using Rational = Decimal::Rational;

// Shares bought together, `taken` of them sold since, first in, first out.
struct Lot {
    Decimal shares, cost, taken;
};

// The running state of one security. Every figure stays a decimal but the
// average cost per share; the realised profits follow at the end from what
// was paid and received and what is still held:
//   realised = cash flow + the cost of the shares still held,
// since each convention's costs of the shares sold and held add up to all
// that was paid for them. Partial lots and averages become fractions only
// there, so a long history costs little more than its decimal additions.
struct Holding {
    PositionReport report;
    Decimal dilutedNet;       // cash put in less cash taken out since the holding was last 0
    Decimal cashFlow;         // receipts and dividends less the cash of the buys and the tax
    Rational average;         // moving-average cost per share, while shares are held
    std::deque<Lot> lots;     // first in, first out
    Decimal costOfLotsHeld;   // the lots' whole costs, the front lot's included

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
        const Decimal held = report.shares + quantity;
        average = (average * report.shares.toRational() + cost.toRational()) / held.toRational();
        report.shares = held;
        lots.push_back({quantity, cost, Decimal()});
        costOfLotsHeld = costOfLotsHeld + cost;
    }

    // The average cost per share stays what it was.
    void sell(const HoldingEvent &event)
    {
        takeEarliest(event.quantity);
        report.shares = report.shares - event.quantity;
        report.fees = report.fees + event.fees;
        dilutedNet = dilutedNet - event.cash;
        cashFlow = cashFlow + event.cash;
        if (report.shares.sign() == 0) {
            dilutedNet = Decimal(); // what was left is realised; a new holding starts from nothing
            average = 0;
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

    void receive(const Decimal &dividend)
    {
        report.dividends = report.dividends + dividend;
        cashFlow = cashFlow + dividend;
        if (report.shares.sign() > 0)
            dilutedNet = dilutedNet - dividend;
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
        result.realizedAverage = cashFlow.toRational() + average * shares;
        result.realizedFifo = cashFlow.toRational() + fifoCostHeld();
        if (report.shares.sign() > 0) {
            result.dilutedCost = dilutedNet.toRational() / shares;
            result.averageCost = average;
        }
        return result;
    }
};

} // namespace

PositionTexts FormatPosition(const PositionReport &p, DecimalSeparator separator)
{
    const auto money = [&](const Decimal::Rational &value) {
        return Decimal::fromRational(value, 2, Rounding::HalfUp).toFixed(2, separator);
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

PositionsReport ReplayHoldings(std::span<const HoldingEvent> events)
{
    std::map<std::string, Holding> holdings;
    std::vector<std::string> order;
    PositionsReport result;
    for (const HoldingEvent &event : events) {
        auto [found, isNew] = holdings.try_emplace(event.code);
        Holding &holding = found->second;
        if (isNew) {
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
    for (const std::string &code : order)
        result.positions.push_back(holdings.at(code).finished());
    return result;
}

} // namespace tallyfin
