#include "feeschedule.h"

#include <algorithm>

#include "errors.h"

namespace tallyfin {

namespace {

Decimal toCents(const Decimal &value) { return value.rounded(2, Rounding::HalfUp); }

bool transferBilledWithLevies(const FeeRuleRow &row, TransferBilling billing)
{
    if (billing == TransferBilling::AsTheTableSays)
        return !row.shownSeparately;
    return billing == TransferBilling::WithTheLevies;
}

} // namespace

Decimal CommissionByRate(const Decimal &amount, const CommissionTerms &terms)
{
    return toCents((amount * terms.ratePerMille).shifted(-3));
}

Decimal SideFees::cash(TradeSide side) const { return side == TradeSide::Buy ? amount + total() : amount - total(); }

FeeSchedule::Item::Item(const FeeRuleRow &row)
    : ratePerMille(Decimal::fromLiteral(row.ratePerMille)), basis(row.basis), sides(row.sides)
{
    if (!row.minimumYuan.empty())
        minimum = Decimal::fromLiteral(row.minimumYuan);
}

// Par value is 1 yuan a share.
Decimal FeeSchedule::Item::fee(TradeSide side, const Decimal &amount, const Decimal &quantity) const
{
    if (side == TradeSide::Buy && sides == FeeSides::SellOnly)
        return Decimal();
    const Decimal fee = toCents(((basis == FeeBasis::Amount ? amount : quantity) * ratePerMille).shifted(-3));
    return minimum ? std::max(fee, *minimum) : fee;
}

FeeSchedule::ShareItems::ShareItems(const RulesInForce &rules)
    : stampDuty(*rules.stampDuty), transferFee(*rules.transferFee), handlingFee(*rules.handlingFee),
      managementFee(*rules.managementFee)
{
}

FeeSchedule::FeeSchedule(const RulesInForce &rules, const CommissionTerms &terms) : m_rules(rules), m_terms(terms)
{
    RequireInput(!rules.hongKong(), TALLYFIN_TEXT("Trade", "港股通请填写买入和卖出结算汇率"));
    m_items.emplace(rules);
    m_transferWithLevies = transferBilledWithLevies(*rules.transferFee, terms.transferBilling);
}

FeeSchedule::FeeSchedule(const RulesInForce &rules, const CommissionTerms &terms, const SettlementRates &rates)
    : m_rules(rules), m_terms(terms)
{
    if (!rules.hongKong()) {
        *this = FeeSchedule(rules, terms);
        return;
    }
    RequireSettlementRate(rates.buy, TradeSide::Buy);
    RequireSettlementRate(rates.sell, TradeSide::Sell);
    m_hongKong = HkRulesFor(rules.date);
    m_rates = rates;
}

SideFees FeeSchedule::fees(TradeSide side, const Decimal &price, const Decimal &quantity) const
{
    return feesOnAmount(side, price * quantity, quantity);
}

SideFees FeeSchedule::feesOnAmount(TradeSide side, const Decimal &amount, const Decimal &quantity) const
{
    return m_hongKong ? hongKongFees(side, amount) : shareFees(side, toCents(amount), quantity);
}

SideFees FeeSchedule::shareFees(TradeSide side, const Decimal &amount, const Decimal &quantity) const
{
    SideFees fees;
    fees.amount = amount;
    fees.handlingFee = m_items->handlingFee.fee(side, fees.amount, quantity);
    fees.managementFee = m_items->managementFee.fee(side, fees.amount, quantity);
    fees.stampDuty = m_items->stampDuty.fee(side, fees.amount, quantity);
    const Decimal levies = fees.handlingFee + fees.managementFee;
    const Decimal transfer = m_items->transferFee.fee(side, fees.amount, quantity);
    const Decimal byRate = CommissionByRate(fees.amount, m_terms);
    if (m_terms.leviesOnTop) {
        fees.commission = std::max(byRate, m_terms.minimum);
        fees.levies = levies;
        fees.transferFee = transfer;
        return fees;
    }
    // The commission contains the levies, and a transfer fee billed with
    // them; it may not fall below what it contains.
    fees.transferInCommission = m_transferWithLevies ? transfer : Decimal();
    fees.transferFee = transfer - fees.transferInCommission;
    fees.commission = std::max({byRate, levies + fees.transferInCommission, m_terms.minimum});
    return fees;
}

SideFees FeeSchedule::hongKongFees(TradeSide side, const Decimal &amountHkd) const
{
    const HkSideFees slip = HkSide(*m_hongKong, side, amountHkd, m_rates->of(side), m_terms);
    SideFees fees;
    fees.amount = slip.amount;
    fees.commission = slip.commission;
    fees.stampDuty = slip.yuan(HkFeeItem::StampDuty);
    fees.transferFee = slip.yuan(HkFeeItem::SettlementFee);
    fees.levies = slip.levies();
    fees.hongKong = slip;
    return fees;
}

Decimal FeeSchedule::yuanPerPriceUnit(TradeSide side) const { return m_rates ? m_rates->of(side) : Decimal(1); }

Decimal FeeSchedule::leastRatePerMille(TradeSide side) const
{
    if (m_hongKong) {
        Decimal perMille = m_terms.ratePerMille;
        for (const HkFeeRuleRow *row : m_hongKong->rows)
            if (row->maximumHkd.empty())
                perMille = perMille + Decimal::fromLiteral(row->ratePercent).shifted(1);
        return perMille;
    }
    const auto onAmount = [side](const Item &item) {
        const bool charged = side == TradeSide::Sell || item.sides == FeeSides::Both;
        return charged && item.basis == FeeBasis::Amount ? item.ratePerMille : Decimal();
    };
    const Decimal levies = onAmount(m_items->handlingFee) + onAmount(m_items->managementFee);
    const Decimal transfer = onAmount(m_items->transferFee), stampDuty = onAmount(m_items->stampDuty);
    if (m_terms.leviesOnTop)
        return m_terms.ratePerMille + levies + transfer + stampDuty;
    const Decimal contained = levies + (m_transferWithLevies ? transfer : Decimal());
    return std::max(m_terms.ratePerMille, contained) + (m_transferWithLevies ? Decimal() : transfer) + stampDuty;
}

Decimal FeeSchedule::maxRoundingDip() const
{
    const Decimal shares(10, 2);
    if (!m_rates)
        return shares;
    return Decimal(110, 2) * std::max(m_rates->buy, m_rates->sell) + shares;
}

} // namespace tallyfin
