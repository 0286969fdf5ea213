#include "datedtrade.h"

namespace tallyfin {

FeeSchedule ReadFeeSchedule(const TradeFields &fields, DecimalSeparator separator)
{
    const std::optional<Market> market = MarketNamed(fields.market, RuleSet::Dated);
    if (!market)
        throw EFeeRulesError(TALLYFIN_TEXT("Trade", "按成交日期的费率表中没有“%1”，可选：%2")
                                 .arg(fields.market)
                                 .arg(MarketsList(kAllMarkets)));
    const std::optional<TradeDate> date = ParseTradeDate(fields.tradeDate);
    if (!date)
        throw EFeeRulesError(TALLYFIN_TEXT("Trade", "成交日期“%1”不是 YYYY-MM-DD 格式的日期").arg(fields.tradeDate));
    const RulesInForce rules = RulesFor(*date, *market);
    CommissionTerms terms;
    terms.ratePerMille = Decimal::parse(fields.commissionRate, separator);
    RequireInput(terms.ratePerMille.sign() >= 0 && terms.ratePerMille <= Decimal(kMaxCommissionPerMille),
                 TALLYFIN_TEXT("Trade", "佣金费率应在 0 到 %1‰ 之间").arg(std::to_string(kMaxCommissionPerMille)));
    if (fields.noMinimum)
        terms.minimum = Decimal();
    terms.leviesOnTop = fields.leviesOnTop;
    return FeeSchedule(rules, terms);
}

Decimal DatedReturnPercent(const Decimal &profit, const Decimal &cashPaid)
{
    return Decimal::quotient(profit.shifted(2), cashPaid, 2, Rounding::HalfUp);
}

DatedRules::DatedRules(FeeSchedule schedule, DecimalSeparator separator)
    : m_schedule(std::move(schedule)), m_separator(separator)
{
}

DatedRules::DatedRules(const TradeFields &fields, DecimalSeparator separator)
    : DatedRules(ReadFeeSchedule(fields, separator), separator)
{
}

Decimal DatedRules::readPrice(const std::string &typed, TradeSide side) const
{
    const Decimal price = Decimal::parse(typed, m_separator);
    RequireInput(price.sign() > 0 && price <= Decimal(kMaxPrice),
                 (side == TradeSide::Buy ? TALLYFIN_TEXT("Trade", "买入价格应大于 0 且不超过 %1 元")
                                         : TALLYFIN_TEXT("Trade", "卖出价格应大于 0 且不超过 %1 元"))
                     .arg(std::to_string(kMaxPrice)));
    return price;
}

Decimal DatedRules::readQuantity(const std::string &typed, TradeSide side) const
{
    const Decimal quantity = Decimal::parse(typed, m_separator);
    RequireInput(quantity.isInteger() && quantity >= Decimal(1) && quantity <= Decimal(kMaxQuantity),
                 (side == TradeSide::Buy ? TALLYFIN_TEXT("Trade", "买入数量应为 1 到 %1 之间的整数")
                                         : TALLYFIN_TEXT("Trade", "卖出数量应为 1 到 %1 之间的整数"))
                     .arg(std::to_string(kMaxQuantity)));
    return quantity;
}

std::optional<std::string> DatedRules::leviesText(const Figures &side) const
{
    return m_schedule.terms().leviesOnTop ? money(side.levies()) : std::string();
}

std::string DatedRules::costPerShare(const Decimal &cashPaid, const Decimal &quantity) const
{
    return Decimal::quotient(cashPaid, quantity, tickDecimals(), Rounding::HalfUp).toFixed(tickDecimals(), m_separator);
}

std::string DatedRules::breakEvenPrice(const Figures &bought, const Decimal &, const Decimal &quantity) const
{
    const TickSearch search = LowestTickReaching(SaleCurveOf(*this, quantity, bought.cash(), Decimal()), Decimal());
    if (search.outcome == TickSearchOutcome::Unreachable)
        return std::string(kNoBreakEven);
    return priceText(priceAtTick(search.tick));
}

SaleResult DatedRules::result(const Decimal &netReceipts, const Decimal &cashPaid) const
{
    const Decimal profit = netReceipts - cashPaid;
    if (cashPaid.sign() == 0 && profit.sign() == 0)
        throw EInvalidOp();
    if (cashPaid.sign() == 0)
        throw EZeroDivide();
    const Decimal returnPercent = DatedReturnPercent(profit, cashPaid);
    return {money(returnPercent), money(profit), returnPercent.sign() > 0};
}

Decimal DatedRules::maxDip(const Decimal &, const Decimal &) const { return FeeSchedule::maxRoundingDip(); }

EstimateTerms DatedRules::estimateTerms(const Decimal &) const
{
    const RulesInForce &rules = m_schedule.rules();
    double rates = m_schedule.terms().ratePerMille.approximate();
    for (const FeeRuleRow *row : {rules.stampDuty, rules.handlingFee, rules.managementFee})
        rates += Decimal::fromLiteral(row->ratePerMille).approximate();
    return {m_schedule.terms().minimum.approximate(), rates};
}

} // namespace tallyfin
