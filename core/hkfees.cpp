#include "hkfees.h"

#include <algorithm>
#include <numeric>

#include "errors.h"

namespace tallyfin {

namespace {

constexpr int kCents = 2;

Decimal sum(const std::array<Decimal, kHkFeeItemCount> &items)
{
    return std::accumulate(items.begin(), items.end(), Decimal());
}

Decimal literal(std::string_view text) { return Decimal::fromLiteral(text); }

} // namespace

bool IsSettlementRate(const Decimal &rate)
{
    return rate.sign() > 0 && rate <= Decimal(kMaxSettlementRate)
           && rate.rounded(kSettlementRateDecimals, Rounding::Floor) == rate;
}

void RequireSettlementRate(const Decimal &rate, TradeSide side)
{
    RequireInput(IsSettlementRate(rate), (side == TradeSide::Buy ? TALLYFIN_TEXT("Trade", "买入结算汇率应大于 0 且不超过 %1，最多 %2 位小数")
                                                     : TALLYFIN_TEXT("Trade", "卖出结算汇率应大于 0 且不超过 %1，最多 %2 位小数"))
                                 .arg(std::to_string(kMaxSettlementRate))
                                 .arg(std::to_string(kSettlementRateDecimals)));
}

Decimal ReadSettlementRate(std::string_view typed, TradeSide side, DecimalSeparator separator)
{
    RequireInput(typed.find_first_not_of(' ') != std::string_view::npos,
                 side == TradeSide::Buy ? TALLYFIN_TEXT("Trade", "港股通请填写买入结算汇率")
                                        : TALLYFIN_TEXT("Trade", "港股通请填写卖出结算汇率"));
    const Decimal rate = Decimal::parse(typed, separator);
    RequireSettlementRate(rate, side);
    return rate;
}

Decimal HkItemFee(const HkFeeRuleRow &row, const Decimal &amountHkd)
{
    Decimal fee = (amountHkd * literal(row.ratePercent)).shifted(-2);
    if (!row.perTradeHkd.empty())
        fee = fee + literal(row.perTradeHkd);
    fee = row.rounding == HkRounding::UpToDollar ? fee.rounded(0, Rounding::Ceiling) : fee.rounded(kCents, Rounding::HalfUp);
    if (!row.minimumHkd.empty())
        fee = std::max(fee, literal(row.minimumHkd));
    if (!row.maximumHkd.empty())
        fee = std::min(fee, literal(row.maximumHkd));
    return fee;
}

Decimal HkSideFees::levies() const
{
    return yuan(HkFeeItem::TradingFee) + yuan(HkFeeItem::TradingTariff) + yuan(HkFeeItem::SfcLevy)
           + yuan(HkFeeItem::AfrcLevy) + rounding;
}

Decimal HkSideFees::total() const { return sum(itemsYuan) + rounding + commission; }

Decimal HkSideFees::cash(TradeSide side) const
{
    return side == TradeSide::Buy ? settlement + commission : settlement - commission;
}

HkSideFees HkSide(const HkRulesInForce &rules, TradeSide side, const Decimal &amountHkd, const Decimal &rate,
                  const CommissionTerms &terms)
{
    const bool buy = side == TradeSide::Buy;
    HkSideFees fees;
    fees.rate = rate;
    fees.amountHkd = amountHkd;
    for (const HkFeeItem item : kHkFeeItems) {
        const std::size_t i = HkItemIndex(item);
        fees.itemsHkd[i] = HkItemFee(rules.row(item), amountHkd);
        fees.itemsYuan[i] = (fees.itemsHkd[i] * rate).rounded(kCents, Rounding::Floor);
    }
    // China Clear books a buy's amount cut down and a sale's rounded up; the
    // settlement is converted from the HKD total, and 换汇尾差 is the rest.
    fees.amount = (amountHkd * rate).rounded(kCents, buy ? Rounding::Floor : Rounding::Ceiling);
    const Decimal itemsHkd = sum(fees.itemsHkd), itemsYuan = sum(fees.itemsYuan);
    fees.settlement = ((buy ? amountHkd + itemsHkd : amountHkd - itemsHkd) * rate).rounded(kCents, Rounding::HalfUp);
    fees.rounding = buy ? fees.settlement - (fees.amount + itemsYuan) : (fees.amount - itemsYuan) - fees.settlement;
    fees.commission = std::max(CommissionByRate(fees.amount, terms), terms.minimum);
    return fees;
}

} // namespace tallyfin
