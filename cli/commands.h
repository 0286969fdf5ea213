#pragma once

#include <optional>
#include <string>

#include "args.h"
#include "feerules.h"
#include "target.h"

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

// The dated rules of a calculation, for the output: the rows applied and
// their notes; no rows where the table could not answer.
struct AppliedRules {
    std::string date, market;
    std::optional<RulesInForce> rules;
    bool leviesOnTop = false;
};

// The rules of the fields, when they are the dated ones.
std::optional<AppliedRules> RulesApplied(const TradeFields &fields);

// "target": the lowest sell price reaching the goal, with the settings and
// cash paid it was computed from.
struct TargetResult {
    TradeFields fields;                     // the settings, Edit9 (cash paid) and the quantities
    std::optional<TargetSolution> solution; // none after an error
    std::optional<std::string> message;     // no price reaches the target, or it asks for nothing
    std::optional<std::string> error;
};

//   --rules dated --date 2026-12-08 --commission 0.25 --buy-price 10 --buy-qty 1000 ->
//     price "10.02", netReceipts "10009.89", profit "4.79", tickBelow "10.01"
TargetResult RunTarget(const TargetRequest &request);

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
