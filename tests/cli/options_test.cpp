#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <sstream>

#include "cli.h"

// The command line through RunCli in-process: each option's value as typed
// reaches its field, CLI11 refuses what makes no sense and names the option,
// and the JSON carries every text back as it was typed.

namespace tallyfin {
namespace {

using Args = std::vector<std::string>;

struct CliRun {
    int status = -1;
    std::string out, err;
};

CliRun run(const Args &args)
{
    std::ostringstream out, err;
    const int status = RunCli(args, out, err, false);
    return {status, out.str(), err.str()};
}

nlohmann::json jsonOf(Args args)
{
    args.push_back("--json");
    return nlohmann::json::parse(run(args).out);
}

#define FFFD "\xEF\xBF\xBD"

struct ValueCase {
    const char *name;
    Args args;
    const char *pointer; // into the JSON
    nlohmann::json expected;
};

void PrintTo(const ValueCase &c, std::ostream *os) { *os << c.name; }

class OptionValueTest : public testing::TestWithParam<ValueCase> {};

TEST_P(OptionValueTest, ReachesItsFieldAsTyped)
{
    const nlohmann::json json = jsonOf(GetParam().args);
    EXPECT_EQ(json.at(nlohmann::json::json_pointer(GetParam().pointer)), GetParam().expected) << json.dump();
}

INSTANTIATE_TEST_SUITE_P(
    Values, OptionValueTest,
    testing::Values(
        ValueCase{"NextArgument", {"trade", "--buy-price", "10"}, "/buy/price", "10"},
        ValueCase{"AfterEquals", {"trade", "--buy-qty=1000"}, "/buy/quantity", "1000"},
        ValueCase{"EmptyArgument", {"trade", "--sell-price", "", "--sell-qty", "7"}, "/sell/quantity", "7"},
        ValueCase{"NegativeNumber", {"trade", "--buy-price", "-5"}, "/buy/price", "-5"},
        ValueCase{"LooksLikeAnOption", {"trade", "--sell-price", "--buy-qty"}, "/sell/price", "--buy-qty"},
        ValueCase{"SpacesKept", {"trade", "--buy-price", " 12 "}, "/buy/price", " 12 "},
        ValueCase{"FirstEqualsSplits", {"trade", "--rules=dated", "--exchange=a=b"}, "/rulesInForce/market", "a=b"},
        ValueCase{"CommandName", {"trade", "--rules", "dated", "--exchange", "golden"}, "/rulesInForce/market", "golden"},
        ValueCase{"DoubleDash", {"trade", "--rules", "dated", "--exchange", "--"}, "/rulesInForce/market", "--"},
        ValueCase{"DatedOnTheDateGiven", {"trade", "--rules", "dated", "--date", "2008-09-19"}, "/rulesInForce/date",
                  "2008-09-19"},
        ValueCase{"BatchesAveraged", {"trade", "--buy-batch", "10", "1000", "--buy-batch=12", "500"}, "/buy/price",
                  "10.6666666666667"},
        ValueCase{"BatchRowTakesItsTwoValues", {"trade", "--sell-batch", "11", "--buy-price"}, "/error",
                  "'--buy-price' is not a valid floating point value."},
        ValueCase{"FlagValueAsCLI11ReadsIt", {"trade", "--rules", "dated", "--levies-on-top=false"},
                  "/rulesInForce/leviesOnTop", false},
        ValueCase{"GoldenModeAfterOptions", {"golden", "--low", "5", "callback", "--high=9"}, "/levels/0.191", "8.236"},
        // Each typed text comes back as JSON of the same text; ill-formed
        // UTF-8 as U+FFFD, one for each sequence that cannot start a character.
        ValueCase{"QuoteAndBackslash", {"trade", "--buy-price", R"(a"b\c)"}, "/buy/price", R"(a"b\c)"},
        ValueCase{"Controls", {"trade", "--buy-price", "1\n\t\x1f\x7f"}, "/buy/price", "1\n\t\x1f\x7f"},
        ValueCase{"LineSeparators", {"trade", "--buy-price", "\u2028\u2029"}, "/buy/price", "\u2028\u2029"},
        ValueCase{"Chinese", {"trade", "--buy-price", "十元"}, "/buy/price", "十元"},
        ValueCase{"FourByteCharacter", {"trade", "--buy-price", "\xF0\x9F\x98\x80"}, "/buy/price", "\xF0\x9F\x98\x80"},
        ValueCase{"LoneByte", {"trade", "--buy-price", "a\xff" "b"}, "/buy/price", "a" FFFD "b"},
        ValueCase{"TruncatedKeepsNext", {"trade", "--buy-price", "\xE4\xB8" "x"}, "/buy/price", FFFD "x"},
        ValueCase{"Overlong", {"trade", "--buy-price", "\xC0\xAF"}, "/buy/price", FFFD FFFD},
        ValueCase{"Surrogate", {"trade", "--buy-price", "\xED\xA0\x80"}, "/buy/price", FFFD FFFD FFFD},
        ValueCase{"InTheError", {"trade", "--buy-price", "\xff", "--buy-qty", "1"}, "/error",
                  "'" FFFD "' is not a valid floating point value."}),
    [](const auto &test) { return std::string(test.param.name); });

// Settings the JSON does not echo are checked in the table, as the window shows them.
TEST(Options, SettingsReachTheTable)
{
    const CliRun table = run({"trade", "--commission", "--json", "--stamp-duty", "-h", "--both-sides", "--exchange", "x"});
    EXPECT_EQ(table.status, 1) << "the commission is no number";
    EXPECT_EQ(table.out.substr(0, table.out.find("\n\n")),
              "证 交 所        x\n佣    金        --json ‰\n印 花 税        -h ‰\n印花税双边征收  是");
}

TEST(Options, HelpWhereAnOptionMayStand)
{
    for (const Args &args : {Args{"--help"}, Args{"-h"}, Args{"trade", "--json", "--help"}, Args{"golden", "-h"},
                             Args{"target", "--frob", "--help"}}) {
        const CliRun help = run(args);
        EXPECT_EQ(help.status, 0) << args.back();
        EXPECT_NE(help.out.find("Usage: tallyfin-cli"), std::string::npos) << args.back();
    }
    EXPECT_NE(run({"trade", "--help"}).out.find("--sell-batch PRICE QTY"), std::string::npos);
    EXPECT_EQ(jsonOf({"trade", "--buy-price", "--help"})["buy"]["price"], "--help");
}

struct UsageCase {
    const char *name;
    Args args;
    std::string named; // what the message must name
};

void PrintTo(const UsageCase &c, std::ostream *os) { *os << c.name; }

class UsageErrorTest : public testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrorTest, IsStatusTwoNamingTheCulprit)
{
    const CliRun usage = run(GetParam().args);
    EXPECT_EQ(usage.status, 2);
    EXPECT_EQ(usage.out, "");
    EXPECT_NE(usage.err.find(GetParam().named), std::string::npos) << usage.err;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, UsageErrorTest,
    testing::Values(
        UsageCase{"NoCommand", {}, "subcommand"},
        UsageCase{"UnknownCommandListsTheCommands", {"trades"}, "target"},
        UsageCase{"OptionBeforeCommand", {"--json", "trade"}, "--json"},
        UsageCase{"UnknownOption", {"trade", "--buy-prize", "1"}, "--buy-prize"},
        UsageCase{"GoldenOptionInTrade", {"trade", "--low=1"}, "--low"},
        UsageCase{"TradeOptionInGolden", {"golden", "up", "--buy-price", "1"}, "--buy-price"},
        UsageCase{"NegativeNumberAlone", {"trade", "-5"}, "-5"},
        UsageCase{"MissingValue", {"trade", "--buy-price"}, "--buy-price"},
        UsageCase{"BatchWithoutQuantity", {"trade", "--sell-batch", "11"}, "--sell-batch"},
        UsageCase{"SixthBatch", {"trade", "--buy-batch", "1", "1", "--buy-batch", "1", "1", "--buy-batch", "1", "1",
                                 "--buy-batch", "1", "1", "--buy-batch", "1", "1", "--buy-batch", "1", "1"},
                  "--buy-batch"},
        UsageCase{"RepeatedOption", {"trade", "--buy-price", "1", "--buy-price=2"}, "--buy-price"},
        UsageCase{"FlagWithBadValue", {"trade", "--both-sides=perhaps"}, "--both-sides"},
        UsageCase{"StrayArgument", {"trade", "10"}, "10"},
        UsageCase{"SecondCommand", {"trade", "golden", "up"}, "golden"},
        UsageCase{"MissingMode", {"golden", "--low", "up"}, "mode"},
        UsageCase{"UnknownMode", {"golden", "Up"}, "Up"},
        UsageCase{"TwoModes", {"golden", "up", "down"}, "down"},
        UsageCase{"UnknownRuleSet", {"trade", "--rules", "today"}, "--rules"},
        UsageCase{"MalformedDate", {"trade", "--rules", "dated", "--date", "2026-2-30"}, "--date"},
        UsageCase{"DateWithClassicRules", {"trade", "--date", "2026-12-08"}, "--date"},
        UsageCase{"LeviesWithClassicRules", {"target", "--levies-on-top", "--cash-paid", "1", "--buy-qty", "1"},
                  "--levies-on-top"},
        UsageCase{"TargetWithoutBuySide", {"target", "--buy-qty", "100"}, "--cash-paid"},
        UsageCase{"TargetWithBothBuySides", {"target", "--buy-price", "1", "--cash-paid", "1", "--buy-qty", "1"},
                  "--cash-paid"},
        UsageCase{"TargetEmptyBuyPrice", {"target", "--buy-price", "", "--buy-qty", "1"}, "--buy-price"},
        UsageCase{"TargetWithoutQuantity", {"target", "--buy-price", "1"}, "--buy-qty"},
        UsageCase{"TTradeWithoutOrder", {"t-trade", "--qty", "100", "--first-price", "10"}, "--order"},
        UsageCase{"TTradeUnknownOrder", {"t-trade", "--order", "sideways", "--qty", "100", "--first-price", "10"},
                  "--order"},
        UsageCase{"TTradeHoldingWithoutCost", {"t-trade", "--order", "sell-first", "--qty", "100", "--first-price",
                                               "10", "--holding", "100"}, "--cost"},
        UsageCase{"TTradeClassicRules", {"t-trade", "--order", "sell-first", "--qty", "100", "--first-price", "10",
                                          "--rules", "classic"}, "--rules"},
        UsageCase{"TopUpCostAndCashPaid", {"top-up", "--holding", "1", "--cost", "1", "--cash-paid", "1", "--price", "1",
                                           "--target-cost", "2"}, "--cash-paid"},
        UsageCase{"TopUpWithoutCost", {"top-up", "--holding", "1", "--price", "1", "--target-cost", "2"}, "--cost"},
        UsageCase{"CodeOfAnotherExchange", {"top-up", "--code", "000001", "--exchange", "上海A股", "--holding", "1",
                                            "--cost", "1", "--price", "1", "--target-cost", "2"}, "000001"},
        UsageCase{"PositionsWithoutFile", {"positions", "--json"}, "file"},
        UsageCase{"TargetTwoGoals", {"target", "--cash-paid", "1", "--buy-qty", "1", "--profit", "1", "--return", "1"},
                  "--return"}),
    [](const auto &test) { return std::string(test.param.name); });

} // namespace
} // namespace tallyfin
