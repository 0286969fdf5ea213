#include "datedtrade.h"

#include <algorithm>
#include <cmath>

namespace tallyfin {

namespace {

const Decimal kMinimumCommission(5);
// Each of the six rounded figures (amount, commission, stamp duty, transfer
// fee, two levies) lies within half a cent of its exact value, which rises
// with the price; a rise in price can therefore lower the net receipts by
// at most 2 × 6 × 0.005 yuan. 0.10 leaves room.
const Decimal kMaxNetDip(10, 2);

std::string sideName(TradeSide side) { return side == TradeSide::Buy ? "买入" : "卖出"; }

// The rates of the rows in force, read once for many sales.
struct PreparedItem {
    Decimal rate;              // ‰
    std::optional<Decimal> minimum;
    FeeBasis basis;
    FeeSides sides;
    bool shownSeparately;

    explicit PreparedItem(const FeeRuleRow &row)
        : rate(Decimal::fromLiteral(row.ratePerMille)), basis(row.basis), sides(row.sides),
          shownSeparately(row.shownSeparately)
    {
        if (!row.minimumYuan.empty())
            minimum = Decimal::fromLiteral(row.minimumYuan);
    }

    // The fee on one side, to the cent; par value is 1 yuan a share.
    Decimal fee(TradeSide side, const Decimal &amount, const Decimal &quantity) const
    {
        if (side == TradeSide::Buy && sides == FeeSides::SellOnly)
            return Decimal();
        const Decimal &basisValue = basis == FeeBasis::Amount ? amount : quantity;
        const Decimal exact = (basisValue * rate).shifted(-3);
        const Decimal fee = exact.rounded(2, Rounding::HalfUp);
        return minimum ? std::max(fee, *minimum) : fee;
    }
};

struct PreparedTerms {
    PreparedItem stampDuty, transferFee, handlingFee, managementFee;
    DatedFeeOptions options;

    explicit PreparedTerms(const DatedTerms &terms)
        : stampDuty(*terms.rules.stampDuty), transferFee(*terms.rules.transferFee),
          handlingFee(*terms.rules.handlingFee), managementFee(*terms.rules.managementFee),
          options(terms.options)
    {
    }

    SideFees fees(TradeSide side, const Decimal &price, const Decimal &quantity) const
    {
        SideFees fees;
        fees.amount = (price * quantity).rounded(2, Rounding::HalfUp);
        const Decimal levies =
            handlingFee.fee(side, fees.amount, quantity) + managementFee.fee(side, fees.amount, quantity);
        const Decimal transfer = transferFee.fee(side, fees.amount, quantity);
        const Decimal byRate = (fees.amount * options.commissionRate).shifted(-3).rounded(2, Rounding::HalfUp);
        fees.stampDuty = stampDuty.fee(side, fees.amount, quantity);
        if (options.leviesOnTop) {
            fees.commission = options.noMinimum ? byRate : std::max(byRate, kMinimumCommission);
            fees.levies = levies;
            fees.transferFee = transfer;
            return fees;
        }
        // The commission contains the levies, and a transfer fee billed with
        // them; it may not fall below what it contains.
        const bool transferInside = !transferFee.shownSeparately;
        fees.commission = std::max(byRate, transferInside ? levies + transfer : levies);
        if (!options.noMinimum)
            fees.commission = std::max(fees.commission, kMinimumCommission);
        fees.transferFee = transferInside ? Decimal() : transfer;
        return fees;
    }
};

// Where the search starts: the price at which the sale's amount, less fees at
// their rates, covers the cash paid, the goal and the minimum commission.
std::int64_t estimateTick(const DatedTerms &terms, const Decimal &tick, const Decimal &quantity,
                          const Decimal &target)
{
    double rates = terms.options.commissionRate.approximate();
    for (const FeeRuleRow *row : {terms.rules.stampDuty, terms.rules.handlingFee, terms.rules.managementFee})
        rates += Decimal::fromLiteral(row->ratePerMille).approximate();
    const double minimum = terms.options.noMinimum ? 0 : kMinimumCommission.approximate();
    const double amount = (target.approximate() + minimum) / (1 - rates / 1000);
    return StartTick(amount / (tick * quantity).approximate());
}

void writeSide(const SideFees &fees, bool leviesOnTop, DecimalSeparator separator, std::string &amount,
               std::string &commission, std::string &stampDuty, std::string &transferFee, std::string &levies,
               std::string &total)
{
    const auto money = [separator](const Decimal &value) { return value.toFixed(2, separator); };
    amount = money(fees.amount);
    commission = money(fees.commission);
    stampDuty = money(fees.stampDuty);
    transferFee = money(fees.transferFee);
    levies = leviesOnTop ? money(fees.levies) : std::string();
    total = money(fees.total());
}

std::string breakEvenText(const DatedTerms &terms, const Decimal &quantity, const Decimal &cashPaid,
                          DecimalSeparator separator)
{
    const TickSearch search = LowestTickReaching(DatedSaleCurve(terms, quantity, cashPaid, Decimal()), Decimal());
    if (search.outcome == TickSearchOutcome::Unreachable)
        return std::string(kNoBreakEven);
    const Market market = terms.rules.market;
    return (MarketTick(market) * Decimal(search.tick)).toFixed(MarketTickDecimals(market), separator);
}

void calculateBuy(TradeFields &f, const DatedTerms &terms, DecimalSeparator separator)
{
    const Decimal price = ReadDatedPrice(f.jg, TradeSide::Buy, separator);
    const Decimal quantity = ReadDatedQuantity(f.sl, TradeSide::Buy, separator);
    const SideFees fees = DatedSideFees(terms, TradeSide::Buy, price, quantity);
    writeSide(fees, terms.options.leviesOnTop, separator, f.Edit4, f.Edit5, f.Edit6, f.Edit7, f.buyLevies, f.Edit8);
    const Decimal cashPaid = fees.amount + fees.total();
    f.Edit9 = cashPaid.toFixed(2, separator);
    const int tickDecimals = MarketTickDecimals(terms.rules.market);
    f.Edit10 = Decimal::quotient(cashPaid, quantity, tickDecimals, Rounding::HalfUp).toFixed(tickDecimals, separator);
    f.Edit11 = breakEvenText(terms, quantity, cashPaid, separator);
}

// Return and profit against the cash paid as the buy group shows it.
void showTradeResult(TradeFields &f, const Decimal &netReceipts, DecimalSeparator separator)
{
    const Decimal cashPaid = Decimal::parse(f.Edit9, separator);
    const Decimal profit = netReceipts - cashPaid;
    if (cashPaid.sign() == 0 && profit.sign() == 0)
        throw EInvalidOp();
    if (cashPaid.sign() == 0)
        throw EZeroDivide();
    const Decimal returnPercent = DatedReturnPercent(profit, cashPaid);
    const FieldColor color = returnPercent.sign() > 0 ? FieldColor::Red : FieldColor::Green;
    f.Edit18Color = color;
    f.Edit19Color = color;
    f.Edit18 = returnPercent.toFixed(2, separator);
    f.Edit19 = profit.toFixed(2, separator);
}

TradeOutcome calculateSell(TradeFields &f, const DatedTerms &terms, DecimalSeparator separator)
{
    if (const std::optional<TradeOutcome> stop = StartSale(f))
        return *stop;

    const Decimal price = ReadDatedPrice(f.Edit2, TradeSide::Sell, separator);
    const Decimal quantity = ReadDatedQuantity(f.Edit3, TradeSide::Sell, separator);
    const SideFees fees = DatedSideFees(terms, TradeSide::Sell, price, quantity);
    writeSide(fees, terms.options.leviesOnTop, separator, f.Edit12, f.Edit13, f.Edit14, f.Edit15, f.sellLevies,
              f.Edit16);
    const Decimal netReceipts = fees.amount - fees.total();
    f.Edit17 = netReceipts.toFixed(2, separator);

    if (f.jg.empty() && f.sl.empty())
        return TradeOutcome::Calculated;
    showTradeResult(f, netReceipts, separator);
    return TradeOutcome::Calculated;
}

} // namespace

DatedTerms ReadDatedTerms(const TradeFields &fields, DecimalSeparator separator)
{
    const std::optional<Market> market = MarketNamed(fields.zjs);
    if (!market)
        throw EFeeRulesError("按成交日期的费率表中没有“" + fields.zjs + "”，可选："
                             + MarketsText(kAllMarkets));
    const std::optional<TradeDate> date = ParseTradeDate(fields.tradeDate);
    if (!date)
        throw EFeeRulesError("成交日期“" + fields.tradeDate + "”不是 YYYY-MM-DD 格式的日期");
    DatedTerms terms{RulesFor(*date, *market), {}};
    terms.options.commissionRate = Decimal::parse(fields.ComboBox1, separator);
    RequireInput(terms.options.commissionRate.sign() >= 0
                     && terms.options.commissionRate <= Decimal(kMaxCommissionPerMille),
                 "佣金费率应在 0 到 " + std::to_string(kMaxCommissionPerMille) + "‰ 之间");
    terms.options.noMinimum = fields.noMinimum;
    terms.options.leviesOnTop = fields.leviesOnTop;
    return terms;
}

Decimal ReadDatedPrice(std::string_view text, TradeSide side, DecimalSeparator separator)
{
    const Decimal price = Decimal::parse(text, separator);
    RequireInput(price.sign() > 0 && price <= Decimal(kMaxDatedPrice),
                 sideName(side) + "价格应大于 0 且不超过 " + std::to_string(kMaxDatedPrice) + " 元");
    return price;
}

Decimal ReadDatedQuantity(std::string_view text, TradeSide side, DecimalSeparator separator)
{
    const Decimal quantity = Decimal::parse(text, separator);
    RequireInput(quantity.isInteger() && quantity >= Decimal(1) && quantity <= Decimal(kMaxDatedQuantity),
                 sideName(side) + "数量应为 1 到 " + std::to_string(kMaxDatedQuantity) + " 之间的整数");
    return quantity;
}

Decimal DatedReturnPercent(const Decimal &profit, const Decimal &cashPaid)
{
    return Decimal::quotient(profit.shifted(2), cashPaid, 2, Rounding::HalfUp);
}

void RequireInput(bool acceptable, const std::string &message)
{
    if (!acceptable)
        throw EInputRejected(message);
}

SideFees DatedSideFees(const DatedTerms &terms, TradeSide side, const Decimal &price, const Decimal &quantity)
{
    return PreparedTerms(terms).fees(side, price, quantity);
}

SaleCurve DatedSaleCurve(const DatedTerms &terms, const Decimal &quantity, const Decimal &cashPaid,
                         const Decimal &goal)
{
    const Decimal tick = MarketTick(terms.rules.market);
    SaleCurve curve;
    curve.profitAt = [prepared = PreparedTerms(terms), tick, quantity, cashPaid](std::int64_t k) {
        const SideFees fees = prepared.fees(TradeSide::Sell, tick * Decimal(k), quantity);
        return fees.amount - fees.total() - cashPaid;
    };
    curve.maxDip = kMaxNetDip;
    curve.maxTick = SaleTicks(tick);
    curve.estimate = estimateTick(terms, tick, quantity, cashPaid + goal);
    return curve;
}

TradeOutcome CalculateDatedTrade(TradeFields &fields, DecimalSeparator separator)
{
    const DatedTerms terms = ReadDatedTerms(fields, separator);
    if (!fields.jg.empty() && !fields.sl.empty())
        calculateBuy(fields, terms, separator);
    return calculateSell(fields, terms, separator);
}

} // namespace tallyfin
