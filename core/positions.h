#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "decimal.h"
#include "numeric.h"

namespace tallyfin {

// What one statement row does to a holding.
enum class HoldingEventKind : std::uint8_t {
    Buy,         // shares bought; cash paid with the fees
    Sell,        // shares sold; cash received net of the fees
    Dividend,    // cash received
    DividendTax, // cash paid (often charged after the sale)
    BonusShares, // shares granted without cash (送股, 转增)
};

struct HoldingEvent {
    int line = 0; // where the row stands in the statement
    std::string code, name;
    HoldingEventKind kind = HoldingEventKind::Buy;
    Decimal quantity; // shares, positive
    Decimal cash;     // positive; its direction follows from the kind
    Decimal fees;     // a trade's commission, stamp duty, transfer fee and levies
};

// One security at the end of the statement, under three conventions, every
// figure exact (fractions of a cost stay fractions until shown):
// - diluted (摊薄): (cash paid for buys − net receipts of sales − dividends net
//   of tax) ÷ shares held, started afresh whenever the holding reaches 0; it
//   may be negative;
// - moving average: a buy adds its cash to the basis, a sale takes away the
//   basis of the shares sold at the average; realised = receipts − basis taken;
// - first in, first out: a sale takes the earliest shares, each with its share
//   of its buy's cash; realised = receipts − their cost.
// A dividend net of its tax received while shares are held lowers the diluted
// cost and is no realised profit under the other two, whose realised figures
// stay what their sales made; a dividend or its tax booked while nothing is
// held touches no cost and is realised under all three.
struct PositionReport {
    std::string code, name;
    Decimal shares;
    Decimal openingShares;             // held before the first event (an OpeningPosition)
    std::optional<Decimal> openingCost; // what they cost in all, where it is known
    // Opening shares of unknown cost are among those held (the costs per
    // share are unknown until the holding is next 0), or were among those a
    // sale took from (the realised figures are unknown).
    bool costUnknown = false, realizedUnknown = false;
    std::optional<Decimal::Rational> dilutedCost, averageCost; // per share, while shares are held
    Decimal::Rational realizedAverage, realizedFifo;
    Decimal fees;      // of the trades counted
    Decimal dividends; // net of their tax
};

// A sale of more shares than were held: skipped with its fees.
struct OversoldSale {
    int line = 0;
    std::string code;
    Decimal sold, held;
};

struct PositionsReport {
    std::vector<PositionReport> positions; // in order of each code's first row
    std::vector<OversoldSale> oversold;
};

// Shares held before the first event, which a statement's balance column
// shows; their cost (in all, fees included) where the user gave it.
struct OpeningPosition {
    std::string code, name;
    Decimal shares;
    std::optional<Decimal> cost;
};

// Replays the events in the order given (the statement's time order),
// starting from the opening positions: a first lot, bought for its cost.
//   buy 1000 paying 10005.10, sell 400 receiving 4395.50 ->
//     shares 600, dilutedCost 9.349…, averageCost 10.00510, realizedAverage 393.46
PositionsReport ReplayHoldings(std::span<const HoldingEvent> events, std::span<const OpeningPosition> openings = {});

// A position as the user reads it: shares whole, costs per share with three
// decimals, money with two, half up; a cost of no shares, or an unknown one, is empty.
struct PositionTexts {
    std::string code, name, shares, dilutedCost, averageCost, realizedAverage, realizedFifo, fees, dividends;
};
//   the example above -> {"600000", "浦发银行", "600", "9.349", "10.005", "393.46", "393.46", "…", "0.00"}
PositionTexts FormatPosition(const PositionReport &position, DecimalSeparator separator);

} // namespace tallyfin
