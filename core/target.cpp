#include "target.h"

#include "classictrade.h"
#include "datedtrade.h"
#include "pricesearch.h"

namespace tallyfin {

namespace {

const std::string &quantityToSell(const TradeFields &f) { return f.sellQuantity.empty() ? f.buyQuantity : f.sellQuantity; }

// The cash paid as the rule set reads it, before any of its settings.
Decimal cashPaidOf(const TradeFields &f, DecimalSeparator separator)
{
    if (f.rules == RuleSet::Dated)
        return Decimal::parse(f.cashPaid, separator);
    return Decimal::fromExtended(ParseDecimal(f.cashPaid, separator).value());
}

// The profit the target asks for, against the cash paid.
Decimal goalProfit(TargetKind kind, std::string_view value, const Decimal &cashPaid, DecimalSeparator separator)
{
    if (kind == TargetKind::BreakEven)
        return Decimal();
    const Decimal typed = Decimal::parse(value, separator);
    return kind == TargetKind::Profit ? typed : (cashPaid * typed).shifted(-2);
}

template <typename Rules>
TargetSolution solve(const TradeFields &f, const Decimal &goal, DecimalSeparator separator)
{
    const Rules rules(f, separator);
    const typename Rules::Quantity quantity = rules.readQuantity(quantityToSell(f), TradeSide::Sell);
    rules.requireSearchable(quantity);
    const typename Rules::Money cashPaid = rules.readCashPaid(f.cashPaid);
    RequireInput(cashPaid > typename Rules::Money(), TALLYFIN_TEXT("Trade", "实付金额应大于 0"));
    const TickSearch search = LowestTickReaching(SaleCurveOf(rules, quantity, cashPaid, goal), goal);

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
    solution.atTarget = SaleTextsAt(rules, search.tick, quantity, cashPaid);
    solution.tickBelow = SaleTextsAt(rules, search.tick - 1, quantity, cashPaid);
    return solution;
}

} // namespace

TargetSolution SolveTarget(const TradeFields &fields, TargetKind kind, std::string_view targetValue,
                           DecimalSeparator separator)
{
    const Decimal goal = goalProfit(kind, targetValue, cashPaidOf(fields, separator), separator);
    return fields.rules == RuleSet::Dated ? solve<DatedRules>(fields, goal, separator)
                                          : solve<ClassicRules>(fields, goal, separator);
}

void ShowTargetPrice(TradeFields &fields, DecimalSeparator separator)
{
    fields.targetPrice.clear();
    fields.targetYield.clear();
    if (fields.targetValue.empty() || fields.buyQuantity.empty())
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
