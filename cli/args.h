#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <variant>

#include "batch.h"
#include "golden.h"
#include "trade.h"

namespace tallyfin {

// A command line that names no action we can run. Its text is one line that
// says what is wrong; the caller adds the usage text.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The --buy-batch (or --sell-batch) rows in the order given, as typed into
// the batch dialog's rows.
struct BatchInput {
    BatchRows rows{};
    std::size_t count = 0; // rows given; none means the dialog was not used
};

// --rules and --date as typed; read into the fields' rule set and trade
// date once the line is parsed.
struct RuleChoice {
    std::optional<std::string> rules, date;
};

// "trade": the main window's fields as typed (the window's defaults where no
// option was given) and the batch rows to reduce before calculating.
struct TradeRequest {
    TradeFields fields;
    RuleChoice ruleChoice;
    BatchInput buyBatches, sellBatches;
    bool json = false;
};

// "target": the trade's settings and buy side (or the cash paid and bought
// quantity), the quantity to sell, and what the sale should reach.
struct TargetRequest {
    TradeFields fields;
    RuleChoice ruleChoice;
    std::optional<std::string> cashPaid;
    std::optional<std::string> profit, returnPercent; // neither: break even
    bool json = false;
};

// "golden MODE": the golden-section window's two inputs (default "0").
struct GoldenRequest {
    GoldenMode mode = GoldenMode::Rise;
    GoldenFields fields;
    bool json = false;
};

struct HelpRequest {};

using Request = std::variant<HelpRequest, TradeRequest, GoldenRequest, TargetRequest>;

// Reads the arguments after the program name (through CLI11). The argument
// after an option is always its value, whatever it looks like:
//   {"trade", "--buy-price", "-5"}         -> jg "-5"
//   {"trade", "--buy-price", "--json"}     -> jg "--json", no JSON output
//   {"trade", "--buy-price="}              -> jg ""
//   {"trade", "--buy-batch=10", "1000"}    -> buy batch row {"10", "1000"}
//   {"golden", "up", "--low", "10"}        -> Rise, Edit1 "10"
//   {"trade", "--help"}                    -> HelpRequest
//   {"trade", "--frob", "--help"}          -> HelpRequest (wherever it stands)
// "--" and "++" are words like any other, not separators.
//   {"trade", "--rules", "dated"}          -> dated rules on today's local date
//   {"trade", "--date", "2026-12-08"}      throws UsageError (needs --rules dated)
// Throws UsageError for an unknown command, option or mode, a missing value,
// an option given twice, a value for a flag, or a sixth batch row; for an
// unknown rule set, a malformed date or a dated-only option with the classic
// rules; for target, a missing buy side or both --profit and --return.
Request ParseArguments(std::span<const std::string> args);

} // namespace tallyfin
