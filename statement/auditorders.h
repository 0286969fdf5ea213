#pragma once

#include <vector>

#include "audit.h"
#include "tradefigures.h"

// The audit's first step: every trade row classified (its group and rules
// in force, or why it is not audited) and the rows of one order joined.
// Internal to the audit.
namespace tallyfin::statement {

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

} // namespace tallyfin::statement
