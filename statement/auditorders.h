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

// What a Stock Connect order is priced by: its HKD amount, China Clear's
// settlement rate and the day whose Hong Kong rules apply (the row's, or an
// earlier one: rows are booked on the settlement day, T+2 in Hong Kong).
struct HongKongOrder {
    Decimal amountHkd;
    std::optional<Decimal> rate; // as the row gives it, else found from the yuan amount
    TradeDate rulesDate;
};

// A Stock Connect row's fee columns: whatever it writes beyond the
// commission, stamp duty and transfer fee is Hong Kong's, its levies.
ItemFigures HongKongCharges(ItemFigures written);

struct GatheredOrder {
    OrderCheck check; // everything but the charged and expected figures
    ItemFigures written;
    Decimal quantity;
    std::uint32_t period = 0; // index into Gathered::periods (A shares, funds, bonds)
    std::optional<HongKongOrder> hongKong;
};

struct Gathered {
    std::vector<TradeCheck> trades;
    std::vector<GatheredOrder> orders;
    std::vector<RulesInForce> periods; // the distinct rules in force of the orders' markets and dates
    bool hasFeeColumns = false;        // any row has a figure for one of the items
};

// Every trade row classified and the rows of one order joined; Stock
// Connect orders with their settlement rate and rules' day settled.
Gathered GatherOrders(const Statement &statement);

// What an order was charged, item by item: the other-fee column read as
// `hold`, a Stock Connect order's as its levies.
ItemFigures OrderCharges(const GatheredOrder &order, OtherFeesHold hold);

// What a Stock Connect order owes under `terms` (its commission's), in the
// rules' items: commission, stamp duty, transfer fee (the settlement fee),
// levies (trading fee, tariff, SFC and AFRC levies and 换汇尾差), other 0;
// the settlement fee with the levies where the order's rows have no transfer
// fee column, as the other-fee column then holds both.
std::array<Cents, kFeeItemCount> HongKongFees(const GatheredOrder &order, const CommissionTerms &terms);

} // namespace tallyfin::statement
