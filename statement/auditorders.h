#pragma once

#include <vector>

#include "audit.h"

// The audit's first step: every trade row classified (its group and rules
// in force, or why it is not audited) and the rows of one order joined.
// Internal to the audit.
namespace tallyfin::statement {

// Fee figures in the rules' items, Commission … Other; nullopt where there is none.
using ItemFigures = std::array<std::optional<Cents>, kFeeItemCount>;

// The fee columns of a row as written: commission, stamp duty, transfer fee,
// the levies (经手费 + 证管费 + 规费) and the other fees.
ItemFigures WrittenItems(const Row &row);

// The other fees moved into the item they hold; Other keeps them only as
// OtherCharges.
ItemFigures MapOtherFees(ItemFigures written, OtherFeesHold hold);

struct GatheredOrder {
    OrderCheck check; // everything but the charged and expected figures
    ItemFigures written;
    Decimal quantity;
    std::uint32_t period = 0; // index into Gathered::periods
};

struct Gathered {
    std::vector<TradeCheck> trades;
    std::vector<GatheredOrder> orders;
    std::vector<RulesInForce> periods; // the distinct rules in force of the orders' markets and dates
    bool hasFeeColumns = false;        // any row has a figure for one of the items
};

Gathered GatherOrders(const Statement &statement);

// The trade's amount in cents: its 成交金额, else price × quantity.
std::optional<Cents> AmountCents(const Row &row);

} // namespace tallyfin::statement
