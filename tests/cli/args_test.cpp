#include <gtest/gtest.h>

#include "args.h"

namespace tallyfin {
namespace {

using Args = std::vector<std::string>;

TradeRequest parseTrade(Args args)
{
    args.insert(args.begin(), "trade");
    return std::get<TradeRequest>(ParseArguments(args));
}

struct TextCase {
    const char *name;
    Args args;
    std::string TradeFields::*field;
    std::string expected;
};

void PrintTo(const TextCase &c, std::ostream *os) { *os << c.name; }

class TradeTextOptionTest : public testing::TestWithParam<TextCase> {};

TEST_P(TradeTextOptionTest, TakesTheValueAsTyped)
{
    EXPECT_EQ(parseTrade(GetParam().args).fields.*GetParam().field, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, TradeTextOptionTest,
    testing::Values(TextCase{"NextArgument", {"--buy-price", "10"}, &TradeFields::jg, "10"},
                    TextCase{"AfterEquals", {"--buy-qty=1000"}, &TradeFields::sl, "1000"},
                    TextCase{"FirstEqualsSplits", {"--exchange=a=b"}, &TradeFields::zjs, "a=b"},
                    TextCase{"EmptyAfterEquals", {"--sell-price="}, &TradeFields::Edit2, ""},
                    TextCase{"EmptyArgument", {"--sell-qty", ""}, &TradeFields::Edit3, ""},
                    TextCase{"NegativeNumber", {"--buy-price", "-5"}, &TradeFields::jg, "-5"},
                    TextCase{"LooksLikeFlag", {"--commission", "--json"}, &TradeFields::ComboBox1, "--json"},
                    TextCase{"LooksLikeHelp", {"--stamp-duty", "-h"}, &TradeFields::ComboBox2, "-h"},
                    TextCase{"SpacesKept", {"--buy-price", " 12 "}, &TradeFields::jg, " 12 "},
                    TextCase{"EmptyAfterEqualsKeepsNext", {"--sell-price=", "--json"}, &TradeFields::Edit2, ""},
                    TextCase{"CommandName", {"--exchange", "golden"}, &TradeFields::zjs, "golden"},
                    TextCase{"DoubleDash", {"--exchange", "--"}, &TradeFields::zjs, "--"},
                    TextCase{"DoublePlus", {"--exchange=++"}, &TradeFields::zjs, "++"}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(ParseArguments, FlagsOnlyFromOptionPositions)
{
    const TradeRequest asValue = parseTrade({"--buy-price", "--json", "--sell-price", "--both-sides"});
    EXPECT_FALSE(asValue.json);
    EXPECT_FALSE(asValue.fields.CheckBox1);
    const TradeRequest asFlags = parseTrade({"--json", "--both-sides"});
    EXPECT_TRUE(asFlags.json);
    EXPECT_TRUE(asFlags.fields.CheckBox1);
}

TEST(ParseArguments, BatchesFillRowsInOrder)
{
    const TradeRequest r = parseTrade({"--buy-batch", "10", "1000", "--sell-batch", "11", "--json",
                                       "--buy-batch=12", "500", "--buy-batch", "", "-1"});
    ASSERT_EQ(r.buyBatches.count, 3u);
    EXPECT_EQ(r.buyBatches.rows[0].price, "10");
    EXPECT_EQ(r.buyBatches.rows[0].quantity, "1000");
    EXPECT_EQ(r.buyBatches.rows[1].price, "12");
    EXPECT_EQ(r.buyBatches.rows[1].quantity, "500");
    EXPECT_EQ(r.buyBatches.rows[2].price, "");
    EXPECT_EQ(r.buyBatches.rows[2].quantity, "-1");
    ASSERT_EQ(r.sellBatches.count, 1u);
    EXPECT_EQ(r.sellBatches.rows[0].quantity, "--json");
    EXPECT_FALSE(r.json);
    EXPECT_EQ(parseTrade({"--sell-batch", "1", "1", "--sell-batch", "1", "1", "--sell-batch", "1", "1",
                          "--sell-batch", "1", "1", "--sell-batch", "1", "1"})
                  .sellBatches.count,
              kBatchRows);
}

TEST(ParseArguments, GoldenModeAndInputsInAnyOrder)
{
    const Args args{"golden", "--low", "5", "callback", "--high=9", "--json"};
    const auto request = std::get<GoldenRequest>(ParseArguments(args));
    EXPECT_EQ(request.mode, GoldenMode::PullBack);
    EXPECT_EQ(request.fields.Edit1, "5");
    EXPECT_EQ(request.fields.Edit2, "9");
    EXPECT_TRUE(request.json);
    const std::pair<const char *, GoldenMode> modes[] = {
        {"up", GoldenMode::Rise}, {"down", GoldenMode::Fall}, {"bound", GoldenMode::Rebound}};
    for (const auto &[name, mode] : modes)
        EXPECT_EQ(std::get<GoldenRequest>(ParseArguments(Args{"golden", name})).mode, mode) << name;
}

TEST(ParseArguments, HelpWhereAnOptionMayStand)
{
    for (const Args &args : {Args{"--help"}, Args{"-h"}, Args{"trade", "--json", "--help"}, Args{"golden", "-h"},
                             Args{"trade", "--frob", "--help"}})
        EXPECT_TRUE(std::holds_alternative<HelpRequest>(ParseArguments(args))) << args.back();
    EXPECT_EQ(parseTrade({"--buy-price", "--help"}).fields.jg, "--help");
}

struct UsageCase {
    const char *name;
    Args args;
    std::string reason;
};

void PrintTo(const UsageCase &c, std::ostream *os) { *os << c.name; }

class UsageErrorTest : public testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrorTest, SaysWhatIsWrong)
{
    try {
        ParseArguments(GetParam().args);
        FAIL() << "accepted";
    } catch (const UsageError &error) {
        EXPECT_EQ(error.what(), GetParam().reason);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, UsageErrorTest,
    testing::Values(
        UsageCase{"NoCommand", {}, "missing command (trade, golden or target)"},
        UsageCase{"UnknownCommand", {"trades"}, "unknown command 'trades' (expected trade, golden or target)"},
        UsageCase{"OptionBeforeCommand", {"--json", "trade"}, "unknown command '--json' (expected trade, golden or target)"},
        UsageCase{"UnknownOption", {"trade", "--buy-prize", "1"}, "unknown option '--buy-prize' for trade"},
        UsageCase{"GoldenOptionInTrade", {"trade", "--low=1"}, "unknown option '--low' for trade"},
        UsageCase{"TradeOptionInGolden", {"golden", "up", "--buy-price", "1"}, "unknown option '--buy-price' for golden"},
        UsageCase{"NegativeNumberAlone", {"trade", "-5"}, "unknown option '-5' for trade"},
        UsageCase{"MissingValue", {"trade", "--buy-price"}, "option '--buy-price' needs a value"},
        UsageCase{"BatchWithoutQuantity", {"trade", "--sell-batch", "11"},
                  "option '--sell-batch' needs a price and a quantity"},
        UsageCase{"InlineBatchWithoutQuantity", {"trade", "--buy-batch=11"},
                  "option '--buy-batch' needs a price and a quantity"},
        UsageCase{"SixthBatch", {"trade", "--buy-batch", "1", "1", "--buy-batch", "1", "1", "--buy-batch", "1", "1",
                                 "--buy-batch", "1", "1", "--buy-batch", "1", "1", "--buy-batch", "1", "1"},
                  "too many '--buy-batch' rows (at most 5)"},
        UsageCase{"RepeatedOption", {"trade", "--buy-price", "1", "--buy-price=2"},
                  "option '--buy-price' given more than once"},
        UsageCase{"FlagWithValue", {"trade", "--both-sides=yes"}, "option '--both-sides' takes no value"},
        UsageCase{"FlagWithEmptyValue", {"trade", "--json="}, "option '--json' takes no value"},
        UsageCase{"FlagWithTrue", {"trade", "--json=true"}, "option '--json' takes no value"},
        UsageCase{"EmptyBatchPriceAlone", {"trade", "--buy-batch="}, "option '--buy-batch' needs a price and a quantity"},
        UsageCase{"RepeatedEmptyValue", {"trade", "--buy-price=", "--buy-price="}, "option '--buy-price' given more than once"},
        UsageCase{"UnknownOptionEmptyValue", {"trade", "--frob="}, "unknown option '--frob' for trade"},
        UsageCase{"UnknownCommandEmptyValue", {"--x="}, "unknown command '--x=' (expected trade, golden or target)"},
        UsageCase{"DoubleDashIsNoSeparator", {"trade", "--", "--json"}, "unknown option '--' for trade"},
        UsageCase{"DoublePlusIsAWord", {"trade", "++", "--json"}, "unexpected argument '++' for trade"},
        UsageCase{"SecondCommand", {"trade", "golden", "up"}, "unexpected argument 'golden' for trade"},
        UsageCase{"StrayArgument", {"trade", "10"}, "unexpected argument '10' for trade"},
        UsageCase{"MissingMode", {"golden", "--low", "up"}, "missing golden mode (up, down, bound or callback)"},
        UsageCase{"UnknownMode", {"golden", "Up"}, "unknown golden mode 'Up' (expected up, down, bound or callback)"},
        UsageCase{"TwoModes", {"golden", "up", "down"}, "unexpected argument 'down' for golden"}),
    [](const auto &test) { return std::string(test.param.name); });

} // namespace
} // namespace tallyfin
