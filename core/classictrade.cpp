#include "classictrade.h"

namespace tallyfin {

namespace {

// A typed number as the calculations use it: parsed, then rounded to double.
double parseInput(std::string_view text, DecimalSeparator separator)
{
    return RoundToDouble(ParseDecimal(text, separator));
}

} // namespace

FeeSettings ReadFeeSettings(const TradeFields &fields, DecimalSeparator separator)
{
    FeeSettings fees;
    fees.market = MarketNamed(fields.market, RuleSet::Classic);
    fees.commissionRate = parseInput(fields.commissionRate, separator);
    fees.stampDutyRate = parseInput(fields.stampDutyRate, separator);
    fees.stampDutyBothSides = fields.stampDutyBothSides;
    fees.minimumCommission = !fields.noMinimum;
    return fees;
}

ClassicRules::ClassicRules(const TradeFields &fields, DecimalSeparator separator)
    : m_fees(ReadFeeSettings(fields, separator)), m_separator(separator),
      m_tickMarket(m_fees.market.value_or(Market::ShanghaiA))
{
}

double ClassicRules::readPrice(const std::string &typed, TradeSide) const { return parseInput(typed, m_separator); }

double ClassicRules::readQuantity(const std::string &typed, TradeSide) const { return parseInput(typed, m_separator); }

Extended ClassicRules::readCashPaid(const std::string &typed) const { return ParseDecimal(typed, m_separator); }

ClassicRules::Figures::Figures(const FeeSettings &fees, TradeSide side, double price, double quantity)
    : m_fees(fees), m_side(side), m_price(price), m_quantity(quantity)
{
}

Extended ClassicRules::Figures::amount() const { return TradeAmount(m_price, m_quantity); }

Extended ClassicRules::Figures::commission() const
{
    return CommissionFee(m_price, m_quantity, m_fees.commissionRate, m_fees.minimumCommission);
}

Extended ClassicRules::Figures::stampDuty() const
{
    if (m_side == TradeSide::Buy && !m_fees.stampDutyBothSides)
        return 0.0;
    return StampDutyFee(m_price, m_quantity, m_fees.stampDutyRate);
}

Extended ClassicRules::Figures::transferFee() const { return TransferFee(m_fees.market, m_quantity); }

Extended ClassicRules::Figures::totalFees() const
{
    if (m_side == TradeSide::Buy)
        return (transferFee() + commission()) + stampDuty();
    return transferFee() + (stampDuty() + commission());
}

Extended ClassicRules::Figures::cash() const
{
    if (m_side == TradeSide::Buy)
        return ((commission() + amount()) + transferFee()) + stampDuty();
    return ((amount() - commission()) - stampDuty()) - transferFee();
}

std::string ClassicRules::costPerShare(Extended cashPaid, double quantity) const
{
    return money(RoundCents(cashPaid / quantity));
}

std::string ClassicRules::breakEvenPrice(const Figures &bought, double price, double quantity) const
{
    const Extended saleStampDuty = StampDutyFee(price, quantity, m_fees.stampDutyRate);
    return money(RoundCents(
        (saleStampDuty + (2 * bought.transferFee() + (2 * bought.commission() + bought.amount()))) / quantity));
}

SaleResult ClassicRules::result(Extended netReceipts, Extended cashPaid) const
{
    const double returnPercent =
        RoundToDouble(Extended(RoundHalfEven((netReceipts - cashPaid) / cashPaid * 10000)) / 100);
    const double profit = RoundToDouble(netReceipts - cashPaid);
    return {money(returnPercent), money(profit), returnPercent > 0};
}

double ClassicRules::priceAtTick(std::int64_t tick) const
{
    long double ticksPerYuan = 1;
    for (int i = 0; i < MarketTickDecimals(m_tickMarket); ++i)
        ticksPerYuan *= 10;
    return RoundToDouble(Extended(tick) / ticksPerYuan);
}

Decimal ClassicRules::profit(Extended netReceipts, Extended cashPaid) const
{
    return Decimal::fromExtended(RoundToDouble(netReceipts - cashPaid));
}

// Every step of the sale is monotone in the price but for the last bits of
// its roundings; a billionth of the largest sums bounds any dip.
Decimal ClassicRules::maxDip(double quantity, Extended cashPaid) const
{
    const Decimal largest =
        Decimal::fromExtended(Extended(quantity).value() * kMaxPrice) + Decimal::fromExtended(cashPaid.value());
    return (largest + Decimal(1)).shifted(-9);
}

EstimateTerms ClassicRules::estimateTerms(double quantity) const
{
    const double minimum = m_fees.minimumCommission ? kMinimumCommissionYuan : 0;
    return {minimum + TransferFee(m_fees.market, quantity), m_fees.commissionRate + m_fees.stampDutyRate};
}

void ClassicRules::requireSearchable(double quantity) const
{
    RequireInput(quantity > 0 && quantity <= kMaxQuantity,
                 TALLYFIN_TEXT("Trade", "卖出数量应大于 0 且不超过 %1").arg(std::to_string(kMaxQuantity)));
    RequireInput(m_fees.commissionRate >= 0 && m_fees.stampDutyRate >= 0
                     && m_fees.commissionRate + m_fees.stampDutyRate <= kMaxClassicRatesPerMille,
                 TALLYFIN_TEXT("Trade", "佣金与印花税的费率之和应在 0 到 %1‰ 之间")
                     .arg(std::to_string(kMaxClassicRatesPerMille)));
}

} // namespace tallyfin
