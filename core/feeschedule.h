#pragma once

#include <cstdint>
#include <optional>

#include "commission.h"
#include "decimal.h"
#include "feerules.h"
#include "hkfees.h"

namespace tallyfin {

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
    // 港股通: the slip in full. The lines above then hold its yuan figures:
    // the stamp duty is Hong Kong's, the transfer fee the settlement fee,
    // the levies the other Hong Kong items and 换汇尾差.
    std::optional<HkSideFees> hongKong;

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
// 港股通's fees are the Hong Kong ones of the same day, prices in HKD, each
// side settled at its rate (see HkSide); the commission is the account's,
// with its minimum and no floor (no mainland levies).
class FeeSchedule {
public:
    // Any market but 港股通 (EInputRejected for it: it needs its rates).
    FeeSchedule(const RulesInForce &rules, const CommissionTerms &terms);
    // Any market; the rates count for 港股通 only.
    FeeSchedule(const RulesInForce &rules, const CommissionTerms &terms, const SettlementRates &rates);

    // The amount is price × quantity rounded half up to the cent.
    SideFees fees(TradeSide side, const Decimal &price, const Decimal &quantity) const;
    // The same from the amount a statement shows (an order filled in parts at
    // an average price may differ from price × quantity), taken to the cent;
    // fees on par value still count the quantity. For 港股通 the amount is
    // the HKD amount, as it is.
    SideFees feesOnAmount(TradeSide side, const Decimal &amount, const Decimal &quantity) const;

    const RulesInForce &rules() const { return m_rules; }
    const CommissionTerms &terms() const { return m_terms; }
    // 港股通's rates; none for the other markets.
    const std::optional<SettlementRates> &settlementRates() const { return m_rates; }
    // What a unit of the price's currency is worth in yuan on a side: the
    // side's settlement rate for 港股通, else 1.
    Decimal yuanPerPriceUnit(TradeSide side) const;

    // A rate per mille of the amount that the fees of every order of `side`
    // reach, but for rounding: total() ≥ amount × it ÷ 1000 − 0.03 (at most
    // five items rounded down by half a cent each; items charged on par value
    // count as nothing). The commission's rate or what it contains, whichever
    // is more, and every item on top of it.
    //   2026-12-08, 上海A股, 0.25‰, levies inside -> 0.26 (Buy: commission and transfer fee)
    //   the same with the levies on top           -> 0.3141 (Buy), 0.8141 (Sell: stamp duty 0.5‰)
    // 港股通: of the yuan amount, the commission's rate and every Hong Kong
    // rate without a maximum, reached but for maxRoundingDip().
    Decimal leastRatePerMille(TradeSide side) const;

    // How far an order's cash can move against its price or quantity.
    // Each of the six rounded figures of an order (amount, commission, stamp
    // duty, transfer fee, two levies) lies within half a cent of its exact
    // value, which moves one way with the price and with the quantity; so its
    // cash can move against them by at most 2 × 6 × 0.005 yuan. 0.10 leaves room.
    // 港股通's HKD items are rounded one way too, but the stamp duty up to a
    // whole dollar: the HKD total can fall back by 1 + 4 × 0.01, converted
    // at the rate, and the settlement and the commission by a cent each.
    // 1.10 × the higher rate + 0.10 leaves room.
    Decimal maxRoundingDip() const;

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

    // The four items of the mainland markets.
    struct ShareItems {
        explicit ShareItems(const RulesInForce &rules);
        Item stampDuty, transferFee, handlingFee, managementFee;
    };

    SideFees shareFees(TradeSide side, const Decimal &amount, const Decimal &quantity) const;
    SideFees hongKongFees(TradeSide side, const Decimal &amountHkd) const;

    RulesInForce m_rules;
    CommissionTerms m_terms;
    std::optional<ShareItems> m_items;      // all markets but 港股通
    std::optional<HkRulesInForce> m_hongKong; // 港股通
    std::optional<SettlementRates> m_rates;
    bool m_transferWithLevies = false;
};

} // namespace tallyfin
