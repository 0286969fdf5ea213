#include "feeschedule.h"

#include <algorithm>

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

FeeSchedule::FeeSchedule(const RulesInForce &rules, const CommissionTerms &terms)
    : m_rules(rules), m_terms(terms), m_stampDuty(*rules.stampDuty), m_transferFee(*rules.transferFee),
      m_handlingFee(*rules.handlingFee), m_managementFee(*rules.managementFee),
      m_transferWithLevies(transferBilledWithLevies(*rules.transferFee, terms.transferBilling))
{
}

SideFees FeeSchedule::fees(TradeSide side, const Decimal &price, const Decimal &quantity) const
{
    return feesOnAmount(side, price * quantity, quantity);
}

SideFees FeeSchedule::feesOnAmount(TradeSide side, const Decimal &amount, const Decimal &quantity) const
{
    SideFees fees;
    fees.amount = toCents(amount);
    fees.handlingFee = m_handlingFee.fee(side, fees.amount, quantity);
    fees.managementFee = m_managementFee.fee(side, fees.amount, quantity);
    fees.stampDuty = m_stampDuty.fee(side, fees.amount, quantity);
    const Decimal levies = fees.handlingFee + fees.managementFee;
    const Decimal transfer = m_transferFee.fee(side, fees.amount, quantity);
    const Decimal byRate = toCents((fees.amount * m_terms.ratePerMille).shifted(-3));
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

Decimal FeeSchedule::leastRatePerMille(TradeSide side) const
{
    const auto onAmount = [side](const Item &item) {
        const bool charged = side == TradeSide::Sell || item.sides == FeeSides::Both;
        return charged && item.basis == FeeBasis::Amount ? item.ratePerMille : Decimal();
    };
    const Decimal levies = onAmount(m_handlingFee) + onAmount(m_managementFee);
    const Decimal transfer = onAmount(m_transferFee), stampDuty = onAmount(m_stampDuty);
    if (m_terms.leviesOnTop)
        return m_terms.ratePerMille + levies + transfer + stampDuty;
    const Decimal contained = levies + (m_transferWithLevies ? transfer : Decimal());
    return std::max(m_terms.ratePerMille, contained) + (m_transferWithLevies ? Decimal() : transfer) + stampDuty;
}

} // namespace tallyfin
