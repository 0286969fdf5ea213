#include "commands.h"

namespace tallyfin {

namespace {

// What the error box would say; an input the dated rules refuse is said in
// the user's words, without the box's full stop, as the window says it.
std::string errorText(const Error &error)
{
    if (dynamic_cast<const EInputRejected *>(&error))
        return error.message();
    return ErrorBoxText(error.message());
}

// What the batch dialog would write back, or nothing when it was not used.
std::optional<BatchReduction> reduce(const BatchInput &batches)
{
    if (batches.count == 0)
        return std::nullopt;
    return ReduceBatches(batches.rows, kDecimalPoint);
}

// Even no complete row writes back: the dialog then empties both fields.
void applyReduction(const std::optional<BatchReduction> &reduction, std::string &price,
                    std::string &quantity, bool &relabelled)
{
    if (!reduction)
        return;
    price = reduction->price;
    quantity = reduction->quantity;
    relabelled = reduction->relabel;
}

} // namespace

TradeResult RunTrade(const TradeRequest &request)
{
    TradeResult result;
    result.fields = request.fields;
    try {
        const std::optional<BatchReduction> buy = reduce(request.buyBatches);
        const std::optional<BatchReduction> sell = reduce(request.sellBatches);
        applyReduction(buy, result.fields.jg, result.fields.sl, result.buyRelabelled);
        applyReduction(sell, result.fields.Edit2, result.fields.Edit3, result.sellRelabelled);
        if (CalculateTrade(result.fields, kDecimalPoint) == TradeOutcome::SellQuantityMissing)
            result.message = std::string(kSellQuantityMissing);
    } catch (const Error &error) {
        result.error = errorText(error);
    }
    return result;
}

std::optional<AppliedRules> RulesApplied(const TradeFields &fields)
{
    if (fields.rules != RuleSet::Dated)
        return std::nullopt;
    AppliedRules applied{fields.tradeDate, fields.zjs, std::nullopt, fields.leviesOnTop};
    const std::optional<TradeDate> date = ParseTradeDate(fields.tradeDate);
    const std::optional<Market> market = MarketNamed(fields.zjs);
    try {
        if (date && market)
            applied.rules = RulesFor(*date, *market);
    } catch (const EFeeRulesError &) {
        // The calculation reports it.
    }
    return applied;
}

TargetResult RunTarget(const TargetRequest &request)
{
    TargetResult result;
    result.fields = request.fields;
    TradeFields &f = result.fields;
    const TargetKind kind = request.profit          ? TargetKind::Profit
                            : request.returnPercent ? TargetKind::Return
                                                    : TargetKind::BreakEven;
    try {
        // The cash paid as given, or as the buy side computes it.
        if (request.cashPaid)
            f.Edit9 = *request.cashPaid;
        else
            CalculateTrade(f, kDecimalPoint);
        TargetSolution solution = SolveTarget(f, kind, request.profit.value_or(request.returnPercent.value_or("")),
                                              kDecimalPoint);
        result.message = solution.message;
        result.solution = std::move(solution);
    } catch (const Error &error) {
        result.error = errorText(error);
    }
    return result;
}

GoldenResult RunGolden(const GoldenRequest &request)
{
    GoldenResult result;
    result.mode = request.mode;
    result.fields = request.fields;
    try {
        if (const auto message = ProjectGolden(result.fields, request.mode, kDecimalPoint))
            result.message = std::string(*message);
    } catch (const Error &error) {
        result.error = errorText(error);
    }
    return result;
}

} // namespace tallyfin
