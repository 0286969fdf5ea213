#include <gtest/gtest.h>

#include "security.h"

namespace tallyfin {
namespace {

struct CodeCase {
    const char *code;
    std::optional<Security> security;
    std::optional<Market> market;
};

constexpr Security kShanghaiMain{Exchange::Shanghai, Board::Main};

TEST(SecurityTest, CodesNameTheirExchangeBoardAndMarket)
{
    const CodeCase cases[] = {
        {"600000", kShanghaiMain, Market::ShanghaiA},
        {"605599", kShanghaiMain, Market::ShanghaiA},
        {"688001", Security{Exchange::Shanghai, Board::Star}, Market::ShanghaiA},
        {"689009", Security{Exchange::Shanghai, Board::Star}, Market::ShanghaiA},
        {"000878", Security{Exchange::Shenzhen, Board::Main}, Market::ShenzhenA},
        {"003816", Security{Exchange::Shenzhen, Board::Main}, Market::ShenzhenA},
        {"301236", Security{Exchange::Shenzhen, Board::ChiNext}, Market::ShenzhenA},
        {"430047", Security{Exchange::Beijing, Board::Beijing}, Market::BeijingA},
        {"920002", Security{Exchange::Beijing, Board::Beijing}, Market::BeijingA},
        {"510500", Security{Exchange::Shanghai, Board::Fund}, Market::ShanghaiFund},
        {"588000", Security{Exchange::Shanghai, Board::Fund}, Market::ShanghaiFund},
        {"159938", Security{Exchange::Shenzhen, Board::Fund}, Market::ShenzhenFund},
        {"161725", Security{Exchange::Shenzhen, Board::Fund}, Market::ShenzhenFund},
        {"113052", Security{Exchange::Shanghai, Board::ConvertibleBond}, Market::ShanghaiBond},
        {"128013", Security{Exchange::Shenzhen, Board::ConvertibleBond}, Market::ShenzhenBond},
        // Repos, B shares, exchangeable bonds, subscription codes, and what is no code.
        {"204001", std::nullopt, std::nullopt}, {"131810", std::nullopt, std::nullopt},
        {"900901", std::nullopt, std::nullopt}, {"200012", std::nullopt, std::nullopt},
        {"132018", std::nullopt, std::nullopt}, {"072988", std::nullopt, std::nullopt},
        {"60000", std::nullopt, std::nullopt},  {"6000001", std::nullopt, std::nullopt},
        {"60000a", std::nullopt, std::nullopt}, {"", std::nullopt, std::nullopt},
    };
    for (const CodeCase &c : cases) {
        EXPECT_EQ(SecurityOfCode(c.code), c.security) << c.code;
        if (c.security) {
            EXPECT_EQ(std::optional(MarketOfSecurity(*c.security)), c.market) << c.code;
        }
    }
}

TEST(SecurityTest, StockConnectTradesAreHongKongWhateverTheCodeLooksLike)
{
    EXPECT_TRUE(IsHongKongTrade({"00700", "", "", false}));
    EXPECT_TRUE(IsHongKongTrade({"000700", "沪港通", "", false}));
    EXPECT_TRUE(IsHongKongTrade({"000700", "深港通", "", false}));
    EXPECT_TRUE(IsHongKongTrade({"600000", "港股通(沪)", "", false}));
    EXPECT_TRUE(IsHongKongTrade({"001810", "沪HK", "", false}));
    EXPECT_TRUE(IsHongKongTrade({"001810", "", "港币", false}));
    EXPECT_TRUE(IsHongKongTrade({"001810", "", "HKD", false}));
    EXPECT_TRUE(IsHongKongTrade({"001810", "", "人民币", true})) << "an exchange rate other than 1";
    EXPECT_FALSE(IsHongKongTrade({"000700", "深市A股", "人民币", false}));
    EXPECT_FALSE(IsHongKongTrade({"600000", "", "", false}));
    EXPECT_FALSE(IsHongKongTrade({"0070A", "", "", false})) << "five characters, not five digits";
    EXPECT_FALSE(IsHongKongTrade({"0700", "", "", false})) << "four digits";
}

// atLeast is the smallest quantity the lot allows at or above the one asked.
TEST(SecurityTest, LotsRoundUpToTheSmallestQuantityAllowed)
{
    for (const char *code : {"600000", "300750", "688001", "920002", "510300", "128013"}) {
        const TradingLot lot = LotOfSecurity(*SecurityOfCode(code));
        for (std::int64_t asked = -3; asked <= 450; ++asked) {
            std::int64_t smallest = std::max<std::int64_t>(asked, 1);
            while (!lot.allows(smallest))
                ++smallest;
            ASSERT_EQ(lot.atLeast(asked), smallest) << code << " " << asked;
        }
    }
    const auto lotOf = [](const char *code) { return LotOfSecurity(*SecurityOfCode(code)); };
    EXPECT_TRUE(lotOf("688001").allows(201));
    EXPECT_FALSE(lotOf("688001").allows(199));
    EXPECT_TRUE(lotOf("430047").allows(101));
    EXPECT_FALSE(lotOf("600000").allows(150));
    EXPECT_TRUE(lotOf("113052").allows(30));
    EXPECT_FALSE(lotOf("113052").allows(35));
}

} // namespace
} // namespace tallyfin
