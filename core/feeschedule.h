#pragma once

#include <cstdint>
#include <optional>

#include "constants.h"
#include "decimal.h"
#include "feerules.h"

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

// One side of one trade, every item rounded half up to the cent on its own,
// as a broker's slip shows it.
struct SideFees {
    Decimal amount;      // price × quantity, or the amount given
    Decimal commission;  // the commission line, with whatever it contains
    Decimal stampDuty;
    Decimal transferFee; // its own line; 0.00 when billed inside the commission
    Decimal levies;      // handling + management fee when charged on top, else 0.00
    // The levies as exchange and regulator charge them, inside the commission
    // or on top, and the transfer fee inside the commission when it is billed
    // with the levies there (else 0.00).
    Decimal handlingFee, managementFee, transferInCommission;

    Decimal total() const { return commission + stampDuty + transferFee + levies; }
    // The cash of the side: amount + total paid on a buy, amount − total received on a sale.
    Decimal cash(TradeSide side) const;
};

// The dated rules' fees for one account, prepared once from the rules in
// force and the commission terms, so that many trades cost little each.
// The minimum applies to the rounded commission. With the levies inside the
// commission (the default) the commission never falls below them, nor below
// a transfer fee billed with them (the legal floor); with the levies on top
// they are an item of their own and the minimum applies to the commission
// alone.
//   2026-12-08, 上海A股, 0.25‰, minimum 5:
//     fees(Buy, 10, 1000)  -> amount 10000.00, commission 5.00, stamp duty 0.00, transfer 0.10 (total 5.10)
//     fees(Sell, 11, 1000) -> 11000.00, 5.00, 5.50, 0.11 (total 10.61); handling 0.38, management 0.22
//   深圳A股, same day and terms: fees(Buy, 6.09, 200) -> 1218.00, commission 5.00, transfer 0.00 (billed inside)
class FeeSchedule {
public:
    FeeSchedule(const RulesInForce &rules, const CommissionTerms &terms);

    // The amount is price × quantity rounded half up to the cent.
    SideFees fees(TradeSide side, const Decimal &price, const Decimal &quantity) const;
    // The same from the amount a statement shows (an order filled in parts at
    // an average price may differ from price × quantity), taken to the cent;
    // fees on par value still count the quantity.
    SideFees feesOnAmount(TradeSide side, const Decimal &amount, const Decimal &quantity) const;

    const RulesInForce &rules() const { return m_rules; }
    const CommissionTerms &terms() const { return m_terms; }

    // A rate per mille of the amount that the fees of every order of `side`
    // reach, but for rounding: total() ≥ amount × it ÷ 1000 − 0.03 (at most
    // five items rounded down by half a cent each; items charged on par value
    // count as nothing). The commission's rate or what it contains, whichever
    // is more, and every item on top of it.
    //   2026-12-08, 上海A股, 0.25‰, levies inside -> 0.26 (Buy: commission and transfer fee)
    //   the same with the levies on top           -> 0.3141 (Buy), 0.8141 (Sell: stamp duty 0.5‰)
    Decimal leastRatePerMille(TradeSide side) const;

    // Each of the six rounded figures of an order (amount, commission, stamp
    // duty, transfer fee, two levies) lies within half a cent of its exact
    // value, which moves one way with the price and with the quantity; so its
    // cash can move against them by at most 2 × 6 × 0.005 yuan. 0.10 leaves room.
    static Decimal maxRoundingDip() { return Decimal(10, 2); }

private:
    // One row's rate, read once.
    struct Item {
        explicit Item(const FeeRuleRow &row);
        Decimal fee(TradeSide side, const Decimal &amount, const Decimal &quantity) const;

        Decimal ratePerMille;
        std::optional<Decimal> minimum;
        FeeBasis basis;
        FeeSides sides;
    };

    RulesInForce m_rules;
    CommissionTerms m_terms;
    Item m_stampDuty, m_transferFee, m_handlingFee, m_managementFee;
    bool m_transferWithLevies;
};

} // namespace tallyfin
