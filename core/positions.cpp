#include "positions.h"

#include <deque>
#include <map>

namespace tallyfin {

namespace {

using Rational = Decimal::Rational;

struct Lot {
    Rational shares, cost;
};

// The running state of one security.
struct Holding {
    PositionReport report;
    Decimal dilutedNet;  // cash put in less cash taken out since the holding was last 0
    Rational basis;      // moving-average cost of the shares held
    std::deque<Lot> lots; // first in, first out

    Rational shares() const { return report.shares.toRational(); }

    void buy(const HoldingEvent &event)
    {
        report.shares = report.shares + event.quantity;
        report.fees = report.fees + event.fees;
        dilutedNet = dilutedNet + event.cash;
        basis += event.cash.toRational();
        lots.push_back({event.quantity.toRational(), event.cash.toRational()});
    }

    void grant(const HoldingEvent &event)
    {
        report.shares = report.shares + event.quantity;
        lots.push_back({event.quantity.toRational(), Rational(0)});
    }

    void sell(const HoldingEvent &event)
    {
        const Rational sold = event.quantity.toRational(), receipts = event.cash.toRational();
        const Rational averageTaken = basis * sold / shares();
        basis -= averageTaken;
        report.realizedAverage += receipts - averageTaken;
        report.realizedFifo += receipts - takeEarliest(sold);
        report.shares = report.shares - event.quantity;
        report.fees = report.fees + event.fees;
        dilutedNet = dilutedNet - event.cash;
        if (report.shares.sign() == 0)
            dilutedNet = Decimal(); // what was left is realised; a new holding starts from nothing
    }

    // The cost of the earliest `sold` shares, taken off their lots.
    Rational takeEarliest(Rational sold)
    {
        Rational cost = 0;
        while (sold > 0) {
            Lot &lot = lots.front();
            const Rational taken = sold < lot.shares ? sold : lot.shares;
            const Rational share = lot.cost * taken / lot.shares;
            cost += share;
            lot.cost -= share;
            lot.shares -= taken;
            sold -= taken;
            if (lot.shares == 0)
                lots.pop_front();
        }
        return cost;
    }

    void receive(const Decimal &dividend)
    {
        report.dividends = report.dividends + dividend;
        report.realizedAverage += dividend.toRational();
        report.realizedFifo += dividend.toRational();
        if (report.shares.sign() > 0)
            dilutedNet = dilutedNet - dividend;
    }

    PositionReport finished() const
    {
        PositionReport result = report;
        if (report.shares.sign() > 0) {
            result.dilutedCost = dilutedNet.toRational() / shares();
            result.averageCost = basis / shares();
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
