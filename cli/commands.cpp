#include "commands.h"

namespace tallyfin {

namespace {

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
        result.error = ErrorBoxText(error.message());
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
        result.error = ErrorBoxText(error.message());
    }
    return result;
}

} // namespace tallyfin
