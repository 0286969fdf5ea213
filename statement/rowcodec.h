#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "cells.h"
#include "statement.h"
#include "textstore.h"

// A row as plain values and back, exactly: what the account store keeps of a
// row so that an audit never needs the file again.
//
//   const RowContent content = RowCodec::contentOf(row);      // texts are views into row's statement
//   TextStore store;
//   const Row again = RowCodec::rowOf(content, store);         // the same row, its texts in `store`
namespace tallyfin::statement {

struct RowContent {
    int line = 0;
    RowKind kind = RowKind::Other;
    TradeDate date;
    bool stockConnect = false, textRepaired = false;
    std::array<std::string_view, kTextFieldCount> texts{};             // by TextField
    std::array<std::optional<CellNumber>, kNumberFieldCount> numbers{}; // by NumberField, as written
};

class RowCodec {
public:
    static RowContent contentOf(const Row &row);
    // One number as written: 1218.000 stays {1218000, 3}.
    static std::optional<CellNumber> numberOf(const Row &row, NumberField field);
    static Row rowOf(const RowContent &content, TextStore &store);
};

// A number as exact text, its scale kept:  {-3612872, 2} -> "-36128.72",  {5, 3} -> "0.005"
std::string NumberText(CellNumber number);

} // namespace tallyfin::statement
