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
    if (!rules.hongKong()) {
        terms.leviesOnTop = fields.leviesOnTop;
        return FeeSchedule(rules, terms);
    }
    // No mainland levies to put on top; the rates settle each side.
    const SettlementRates rates{ReadSettlementRate(fields.buyRate, TradeSide::Buy, separator),
                                ReadSettlementRate(fields.sellRate, TradeSide::Sell, separator)};
    return FeeSchedule(rules, terms, rates);
}

Decimal DatedReturnPercent(const Decimal &profit, const Decimal &cashPaid)
{
    return Decimal::quotient(profit.shifted(2), cashPaid, 2, Rounding::HalfUp);
}

DatedRules::DatedRules(FeeSchedule schedule, DecimalSeparator separator)
    : m_schedule(std::move(schedule)), m_grid(m_schedule.rules().market), m_separator(separator)
{
}

DatedRules::DatedRules(const TradeFields &fields, DecimalSeparator separator)
    : DatedRules(ReadFeeSchedule(fields, separator), separator)
{
}

Decimal DatedRules::readPrice(const std::string &typed, TradeSide side) const
{
    const Decimal price = Decimal::parse(typed, m_separator);
    if (hongKong()) {
        RequireOnSpreadTable(m_grid, price, side == TradeSide::Buy ? TALLYFIN_TEXT("Trade", "买入价格")
                                                                   : TALLYFIN_TEXT("Trade", "卖出价格"));
        return price;
    }
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
    return m_schedule.terms().leviesOnTop || hongKong() ? money(side.levies()) : std::string();
}

std::optional<HkSideTexts> DatedRules::hongKongTexts(const Figures &side) const
{
    if (!side.hongKong())
        return std::nullopt;
    const HkSideFees &fees = *side.hongKong();
    // Prices below HKD 0.51 have three decimals, and so may the amount.
    const int amountDecimals = fees.amountHkd.unitsAt(2) ? 2 : 3;
    HkSideTexts texts{fees.rate.toString(), fees.amountHkd.toFixed(amountDecimals, m_separator), {},
                      money(fees.rounding)};
    for (std::size_t i = 0; i < kHkFeeItemCount; ++i)
        texts.itemsHkd[i] = money(fees.itemsHkd[i]);
    return texts;
}

// Yuan a share: to the market's tick, or for 港股通 (prices in HKD) to three decimals.
std::string DatedRules::costPerShare(const Decimal &cashPaid, const Decimal &quantity) const
{
    const int decimals = hongKong() ? 3 : MarketTickDecimals(m_schedule.rules().market);
    return Decimal::quotient(cashPaid, quantity, decimals, Rounding::HalfUp).toFixed(decimals, m_separator);
}

std::int64_t DatedRules::tickNear(double price) const
{
    return m_grid.indexNear(price / m_schedule.yuanPerPriceUnit(TradeSide::Sell).approximate());
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

Decimal DatedRules::maxDip(const Decimal &, const Decimal &) const { return m_schedule.maxRoundingDip(); }

EstimateTerms DatedRules::estimateTerms(const Decimal &) const
{
    const RulesInForce &rules = m_schedule.rules();
    if (rules.hongKong())
        return {m_schedule.terms().minimum.approximate(), m_schedule.leastRatePerMille(TradeSide::Sell).approximate()};
    double rates = m_schedule.terms().ratePerMille.approximate();
    for (const FeeRuleRow *row : {rules.stampDuty, rules.handlingFee, rules.managementFee})
        rates += Decimal::fromLiteral(row->ratePerMille).approximate();
    return {m_schedule.terms().minimum.approximate(), rates};
}

} // namespace tallyfin
