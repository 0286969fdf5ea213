#pragma once

#include <array>
#include <string>

#include "numeric.h"

namespace tallyfin {

inline constexpr std::size_t kBatchRows = 5;

// One batch of a position as typed: price (yuan per share) and quantity.
struct BatchRow {
    std::string price;
    std::string quantity;
};

using BatchRows = std::array<BatchRow, kBatchRows>;

// The complete rows of a batch dialog summed up. A row is complete when
// both its texts are non-empty; incomplete rows are skipped, whatever they
// hold.
struct BatchTotals {
    double amountSum = 0;   // Σ price × quantity, rounded to double at each step
    double quantitySum = 0; // Σ quantity, rounded to double at each step
    int count = 0;          // complete rows
};

// Sums the complete rows in order, parsing price then quantity of each.
// Throws EConvertError for a complete row with a bad number.
BatchTotals SumBatches(const BatchRows &rows, DecimalSeparator separator);

// What the dialog writes into the main window's price and quantity fields.
struct BatchReduction {
    std::string price;
    std::string quantity;
    // Complete rows were found: the captions become "average" and "total".
    bool relabel = false;
};

// Reduces the rows to one position: the quantity-weighted average price and
// the total quantity. No complete row gives two empty texts. A total quantity
// of 0 is a division fault (EZeroDivide, or EInvalidOp for 0 ÷ 0).
//   {10, 1000}, {12, 500} -> "10.6666666666667", "1500"
BatchReduction ReduceBatches(const BatchRows &rows, DecimalSeparator separator);

} // namespace tallyfin
