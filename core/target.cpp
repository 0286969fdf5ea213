#include "target.h"

#include <functional>

#include "datedtrade.h"
#include "fees.h"
#include "pricesearch.h"

namespace tallyfin {

namespace {

// A sale at each tick, as one rule set computes and shows it.
struct SaleModel {
    SaleCurve curve;
    std::function<SaleTexts(std::int64_t tick)> textsAt;
};

const std::string &quantityToSell(const TradeFields &f) { return f.Edit3.empty() ? f.sl : f.Edit3; }

// The profit the target asks for, against the cash paid.
Decimal goalProfit(TargetKind kind, std::string_view value, const Decimal &cashPaid, DecimalSeparator separator)
{
    if (kind == TargetKind::BreakEven)
        return Decimal();
    const Decimal typed = Decimal::parse(value, separator);
    return kind == TargetKind::Profit ? typed : (cashPaid * typed).shifted(-2);
}

SaleModel datedModel(const TradeFields &f, const Decimal &goal, DecimalSeparator separator)
{
    const DatedTerms terms = ReadDatedTerms(f, separator);
    const Decimal quantity = ReadDatedQuantity(quantityToSell(f), TradeSide::Sell, separator);
    const Decimal cashPaid = Decimal::parse(f.Edit9, separator);
    RequireInput(cashPaid.sign() > 0, "实付金额应大于 0");
    SaleModel model{DatedSaleCurve(terms, quantity, cashPaid, goal), {}};
    const Market market = terms.rules.market;
    model.textsAt = [terms, quantity, cashPaid, market, separator](std::int64_t tick) {
        const Decimal price = MarketTick(market) * Decimal(tick);
        const SideFees fees = DatedSideFees(terms, TradeSide::Sell, price, quantity);
        const Decimal net = fees.amount - fees.total();
        const Decimal profit = net - cashPaid;
        return SaleTexts{price.toFixed(MarketTickDecimals(market), separator), net.toFixed(2, separator),
                         profit.toFixed(2, separator), DatedReturnPercent(profit, cashPaid).toFixed(2, separator)};
    };
    return model;
}

// The classic sale at one tick: the price the window would read from the
// tick's text (correctly rounded, then rounded to double), the fees as
// doubles, the net receipts and profit in extended precision.
struct ClassicSale {
    FeeSettings fees;
    double quantity;
    double transfer;
    Extended cashPaid;
    long double ticksPerYuan;

    double priceAt(std::int64_t tick) const { return RoundToDouble(Extended(tick) / ticksPerYuan); }

    Extended netAt(double price) const
    {
        return ClassicNetReceipts(TradeAmount(price, quantity),
                                  CommissionFee(price, quantity, fees.commissionRate, fees.minimumCommission),
                                  StampDutyFee(price, quantity, fees.stampDutyRate), transfer);
    }
};

SaleModel classicModel(const TradeFields &f, const Decimal &goal, DecimalSeparator separator)
{
    const FeeSettings fees = ReadFeeSettings(f, separator);
    const double quantity = RoundToDouble(ParseDecimal(quantityToSell(f), separator));
    RequireInput(quantity > 0 && quantity <= kMaxDatedQuantity,
                 "卖出数量应大于 0 且不超过 " + std::to_string(kMaxDatedQuantity));
    // Fees that grow as fast as the amount leave nothing to reach.
    RequireInput(fees.commissionRate >= 0 && fees.stampDutyRate >= 0 && fees.commissionRate + fees.stampDutyRate <= 500,
                 "佣金与印花税的费率之和应在 0 到 500‰ 之间");
    const Extended cashPaid = ParseDecimal(f.Edit9, separator);
    RequireInput(cashPaid > 0, "实付金额应大于 0");
    const bool funds = MarketNamed(fees.exchange) == Market::FundsWarrants;
    const ClassicSale sale{fees, quantity, TransferFee(fees.exchange, quantity), cashPaid, funds ? 1000.0L : 100.0L};
    const Decimal tickSize = MarketTick(funds ? Market::FundsWarrants : Market::ShanghaiA);

    SaleModel model;
    model.curve.profitAt = [sale](std::int64_t tick) {
        return Decimal::fromExtended(RoundToDouble(sale.netAt(sale.priceAt(tick)) - sale.cashPaid));
    };
    model.curve.maxTick = SaleTicks(tickSize);
    // Every step of the sale is monotone in the price but for the last bits
    // of its roundings; a billionth of the largest sums bounds any dip.
    const Decimal largest = Decimal::fromExtended(Extended(quantity).value() * kMaxSalePrice)
                            + Decimal::fromExtended(cashPaid.value());
    model.curve.maxDip = (largest + Decimal(1)).shifted(-9);
    const double rates = (fees.commissionRate + fees.stampDutyRate) / 1000;
    model.curve.estimate =
        StartTick(((Decimal::fromExtended(cashPaid.value()) + goal).approximate() + 5 + sale.transfer)
                  / (quantity * tickSize.approximate() * (1 - rates)));
    model.textsAt = [sale, separator](std::int64_t tick) {
        const double price = sale.priceAt(tick);
        const Extended net = sale.netAt(price);
        return SaleTexts{FormatGeneral(price, separator), FormatGeneral(net, separator),
                         FormatGeneral(RoundToDouble(net - sale.cashPaid), separator),
                         FormatGeneral(ClassicReturnPercent(net, sale.cashPaid), separator)};
    };
    return model;
}

Decimal cashPaidOf(const TradeFields &f, DecimalSeparator separator)
{
    if (f.rules == RuleSet::Dated)
        return Decimal::parse(f.Edit9, separator);
    return Decimal::fromExtended(ParseDecimal(f.Edit9, separator).value());
}

} // namespace

TargetSolution SolveTarget(const TradeFields &fields, TargetKind kind, std::string_view targetValue,
                           DecimalSeparator separator)
{
    const Decimal goal = goalProfit(kind, targetValue, cashPaidOf(fields, separator), separator);
    const SaleModel model =
        fields.rules == RuleSet::Dated ? datedModel(fields, goal, separator) : classicModel(fields, goal, separator);
    const TickSearch search = LowestTickReaching(model.curve, goal);

    TargetSolution solution;
    solution.evaluations = search.evaluations;
    switch (search.outcome) {
    case TickSearchOutcome::Unreachable:
        solution.message = std::string(kTargetUnreachable);
        return solution;
    case TickSearchOutcome::AtLowestTick:
        solution.message = std::string(kTargetAtLowestPrice);
        return solution;
    case TickSearchOutcome::Found:
        break;
    }
    solution.atTarget = model.textsAt(search.tick);
    solution.tickBelow = model.textsAt(search.tick - 1);
    return solution;
}

void ShowTargetPrice(TradeFields &fields, DecimalSeparator separator)
{
    fields.targetPrice.clear();
    fields.targetYield.clear();
    if (fields.targetValue.empty() || fields.sl.empty())
        return;
    const TargetSolution solution = SolveTarget(fields, fields.targetKind, fields.targetValue, separator);
    if (solution.message) {
        fields.targetPrice = *solution.message;
        return;
    }
    fields.targetPrice = solution.atTarget.price;
    fields.targetYield = solution.atTarget.netReceipts + " / " + solution.atTarget.profit;
}

} // namespace tallyfin
