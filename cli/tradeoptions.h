#pragma once

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

#include "command.h"
#include "feerules.h"
#include "table.h"
#include "trade.h"

namespace CLI {
class App;
}

namespace tallyfin {

// What trade and target both take: the fee settings into the main window's
// fields (its defaults where no option is given), and --json.
struct TradeOptions {
    TradeFields fields;
    std::string rules = "classic";
    std::optional<std::string> date;
    bool json = false;
    JsonKeys jsonKeys = JsonKeys::Names; // trade and target
};

// Adds a command with --rules (classic or dated), --date (a real day),
// --exchange, --commission, --stamp-duty, --both-sides, --buy-rate and
// --sell-rate (港股通), --no-minimum, --levies-on-top, --json and
// --json-keys. Once the line is parsed, the rule set and trade date go into
// the fields (today's local date by default); --date and --levies-on-top
// with the classic rules, and the settlement rates with another exchange,
// are a usage error.
CLI::App *AddTradeCommand(CLI::App &program, const std::string &name, const std::string &description,
                          TradeOptions &options);

// The same with the dated rules' options alone (--date, --exchange,
// --commission, --buy-rate, --sell-rate, --no-minimum, --levies-on-top,
// --json), for the commands that always compute with them.
CLI::App *AddDatedCommand(CLI::App &program, const std::string &name, const std::string &description,
                          TradeOptions &options);

// A usage error for --buy-rate, --sell-rate or --lot given to the command
// when the trade is not one of 港股通.
void RequireHongKongOptions(const CLI::App &command, bool hongKong);

// A price's caption, its unit HKD for 港股通:
//   PriceCaption("保本价格(元)", true) -> "保本价格(港元)",  PriceCaption("保本价格(元)", false) -> "保本价格(元)"
std::string PriceCaption(std::string_view caption, bool hongKong);

// Whether the fields trade 港股通 under the dated rules.
bool TradesHongKong(const TradeFields &fields);

// The dated rules of a calculation, for the output: the rows applied and
// their notes; no rows where the table could not answer.
struct AppliedRules {
    std::string date, market;
    std::optional<RulesInForce> rules;
    bool leviesOnTop = false;
};

// The rules of the fields, when they are the dated ones.
std::optional<AppliedRules> RulesApplied(const TradeFields &fields);

// The settings as the window shows them; under the dated rules the stamp
// duty and its sides come from the fee table.
void AddSettings(TextTable &table, const TradeFields &fields, const std::optional<AppliedRules> &applied);

// What the dated rules charged, and what is uncertain about it.
void AddRulesInForce(TextTable &table, const std::optional<AppliedRules> &applied);

// The rule set as the JSON names it: "classic" or "dated".
std::string_view RuleSetKey(RuleSet rules);

//   {"set": "dated", "date": "2026-12-08", "market": "上海A股", "leviesOnTop": false,
//    "rows": [{"item": "stampDuty", "from": "2023-08-28", …}, …], "notes": []}
nlohmann::ordered_json RulesJson(const std::optional<AppliedRules> &applied);

} // namespace tallyfin
