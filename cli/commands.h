#pragma once

#include <optional>
#include <string>

#include "args.h"

namespace tallyfin {

// The main window after "计算": the field texts as the action left them (with
// whatever it wrote before an error), and what it told the user.
struct TradeResult {
    TradeFields fields;
    // The batch dialog found complete rows: the group's price and quantity
    // captions read "average" and "total".
    bool buyRelabelled = false, sellRelabelled = false;
    std::optional<std::string> message; // a notice, such as kSellQuantityMissing
    std::optional<std::string> error;   // the error box text
};

// Reduces the buy batches, then the sell batches, into the price and quantity
// fields, then calculates. A bad batch row is reported before anything is
// written, so the fields stay as given.
//   jg "10", sl "1000", Edit2 "11" -> Edit19 "924", red, no message
//   jg "10", sl "abc"              -> jg "10", error "'abc' is not a valid floating point value."
TradeResult RunTrade(const TradeRequest &request);

struct GoldenResult {
    GoldenMode mode = GoldenMode::Rise;
    GoldenFields fields;
    std::optional<std::string> message; // an input is missing
    std::optional<std::string> error;   // the error box text
};

//   Rise, Edit1 "10" -> Edit3 "18.09" … Edit13 "30"
//   Rebound, Edit1 "" -> message "请输入低点和高点数据", nothing written
GoldenResult RunGolden(const GoldenRequest &request);

} // namespace tallyfin
