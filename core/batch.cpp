#include "batch.h"

namespace tallyfin {

BatchTotals SumBatches(const BatchRows &rows, DecimalSeparator separator)
{
    BatchTotals totals;
    for (const BatchRow &row : rows) {
        if (row.price.empty() || row.quantity.empty())
            continue;
        const double price = RoundToDouble(ParseDecimal(row.price, separator));
        const double quantity = RoundToDouble(ParseDecimal(row.quantity, separator));
        totals.amountSum = RoundToDouble(totals.amountSum + Extended(price) * quantity);
        totals.quantitySum = RoundToDouble(totals.quantitySum + Extended(quantity));
        ++totals.count;
    }
    return totals;
}

BatchReduction ReduceBatches(const BatchRows &rows, DecimalSeparator separator)
{
    const BatchTotals totals = SumBatches(rows, separator);
    if (totals.count == 0)
        return {};
    return {FormatGeneral(Extended(totals.amountSum) / totals.quantitySum, separator),
            FormatGeneral(totals.quantitySum, separator), true};
}

} // namespace tallyfin
