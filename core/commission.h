#pragma once

#include <cstdint>

#include "constants.h"
#include "decimal.h"

namespace tallyfin {

// How a broker bills the transfer fee while the levies sit inside the
// commission. With the levies on top it is always a line of its own.
enum class TransferBilling : std::uint8_t {
    AsTheTableSays, // as the fee table's row says (Shenzhen's with the levies)
    WithTheLevies,  // inside the commission, counting toward its floor
    OnItsOwnLine,
};

// The account's commission terms.
struct CommissionTerms {
    Decimal ratePerMille;                             // of the amount
    Decimal minimum = Decimal(kMinimumCommissionYuan); // per order: 0 for 免五, or the broker's figure (1, 0.1 …)
    bool leviesOnTop = false;                         // 规费另计: handling and management fee added to the commission
    TransferBilling transferBilling = TransferBilling::AsTheTableSays;
};

// The commission's rate on a yuan amount, half up to the cent, before any
// minimum or floor:  CommissionByRate(8803.65, 0.6‰) -> 5.28
Decimal CommissionByRate(const Decimal &amount, const CommissionTerms &terms);

} // namespace tallyfin
