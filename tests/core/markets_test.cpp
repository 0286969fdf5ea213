#include <gtest/gtest.h>

#include "feerules.h"
#include "markets.h"

namespace tallyfin {
namespace {

struct NameCase {
    const char *name;
    std::string text;
    std::optional<Market> classic, dated;
};

void PrintTo(const NameCase &c, std::ostream *os) { *os << c.name; }

class MarketNamedTest : public testing::TestWithParam<NameCase> {};

// A text the classic rules do not list still calculates there, as an
// exchange without a transfer fee; the dated rules refuse it.
TEST_P(MarketNamedTest, KnowsTheMarketsEachRuleSetOffers)
{
    EXPECT_EQ(MarketNamed(GetParam().text, RuleSet::Classic), GetParam().classic);
    EXPECT_EQ(MarketNamed(GetParam().text, RuleSet::Dated), GetParam().dated);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MarketNamedTest,
    testing::Values(NameCase{"Shanghai", "上海A股", Market::ShanghaiA, Market::ShanghaiA},
                    NameCase{"FundsWarrants", "基金权证", Market::FundsWarrants, Market::FundsWarrants},
                    NameCase{"BeijingDatedOnly", "北京A股", std::nullopt, Market::BeijingA},
                    NameCase{"ShenzhenFundDatedOnly", "深圳基金", std::nullopt, Market::ShenzhenFund},
                    NameCase{"HongKongDatedOnly", "港股通", std::nullopt, Market::HongKong},
                    NameCase{"Empty", "", std::nullopt, std::nullopt},
                    NameCase{"TrailingSpace", "上海A股 ", std::nullopt, std::nullopt},
                    NameCase{"Unknown", "北交所", std::nullopt, std::nullopt}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(MarketTable, EveryMarketHasItsFeesAndItsTick)
{
    for (const MarketInfo &info : kMarkets) {
        EXPECT_EQ(MarketName(info.market), info.name);
        EXPECT_EQ(MarketTick(info.market), Decimal(1, info.tickDecimals)) << info.name;
        // Each company of 港股通 sets its own board lot.
        EXPECT_EQ(info.lot.has_value(), info.market != Market::HongKong) << info.name;
        EXPECT_GT(info.lot.value_or(TradingLot{1, 1}).minimum, 0) << info.name;
        EXPECT_GT(info.lot.value_or(TradingLot{1, 1}).step, 0) << info.name;
        if (info.dated) {
            EXPECT_NO_THROW(RulesFor({2026, 12, 8}, info.market)) << info.name << " lacks rows in the fee table";
        }
    }
    EXPECT_EQ(MarketNames(RuleSet::Classic), (std::vector<std::string_view>{"上海A股", "深圳A股", "基金权证"}));
    EXPECT_EQ(std::string(RuleSetName(RuleSet::Classic)) + "/" + std::string(RuleSetName(RuleSet::Dated)),
              "经典规则/按成交日期");
    EXPECT_EQ(MarketsText(MarketBit(Market::ShanghaiA) | MarketBit(Market::FundsWarrants)), "上海A股、基金权证");
}

} // namespace
} // namespace tallyfin
