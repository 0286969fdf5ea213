#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "errors.h"
#include "hk_reference.h"
#include "pricegrid.h"

namespace tallyfin {
namespace {

TEST(PriceGridTest, HongKongIsTheSpreadTableAndNothingElse)
{
    const PriceGrid grid(Market::HongKong);
    const std::vector<long long> &prices = hkreference::spreadTable();
    ASSERT_EQ(grid.size(), static_cast<std::int64_t>(prices.size()));
    for (std::size_t i = 0; i < prices.size(); ++i) {
        const Decimal price(prices[i], 3);
        const auto index = static_cast<std::int64_t>(i + 1);
        ASSERT_EQ(grid.priceAt(index), price) << index;
        ASSERT_EQ(grid.indexOf(price), index) << price.toString();
        // Half way to the next price is off the table.
        if (i + 1 < prices.size()) {
            const Decimal between = Decimal(prices[i] + prices[i + 1], 3) * Decimal(5, 1);
            ASSERT_EQ(grid.indexOf(between), std::nullopt) << between.toString();
        }
    }
    EXPECT_EQ(grid.indexOf(Decimal(9996)), std::nullopt);
    EXPECT_EQ(grid.indexOf(Decimal(5, 3)), std::nullopt);
    EXPECT_EQ(grid.indexOf(Decimal()), std::nullopt);
}

TEST(PriceGridTest, EdgesTicksAndDecimals)
{
    const PriceGrid hongKong(Market::HongKong), shares(Market::ShanghaiA), funds(Market::ShanghaiFund);
    const auto at = [](const char *price) { return Decimal::fromLiteral(price); };
    // A price on a band's upper edge takes the lower band's tick.
    EXPECT_EQ(hongKong.priceAt(*hongKong.indexOf(at("0.25")) + 1), at("0.255"));
    EXPECT_EQ(hongKong.tickAt(at("0.25")), at("0.001"));
    EXPECT_EQ(hongKong.tickAt(at("0.255")), at("0.005"));
    EXPECT_EQ(hongKong.priceAt(*hongKong.indexOf(at("10")) + 1), at("10.02"));
    EXPECT_EQ(hongKong.highest(), at("9995"));
    EXPECT_EQ(hongKong.decimalsAt(at("0.255")), 3);
    EXPECT_EQ(hongKong.decimalsAt(at("1001")), 2);
    EXPECT_EQ(shares.size(), 10'000'000);
    EXPECT_EQ(shares.priceAt(1234), at("12.34"));
    EXPECT_EQ(shares.decimalsAt(at("12.34")), 2);
    EXPECT_EQ(funds.priceAt(1234), at("1.234"));
    EXPECT_EQ(funds.indexOf(at("1.2345")), std::nullopt);
    // A start for a search lands on the price at or above the estimate.
    std::mt19937_64 random(7);
    for (int i = 0; i < 2000; ++i) {
        const double price = std::uniform_real_distribution<double>(0.01, 9990)(random);
        const std::int64_t index = hongKong.indexNear(price);
        ASSERT_GE(hongKong.priceAt(index).approximate(), price - 1e-9) << price;
        if (index > 1) {
            ASSERT_LT(hongKong.priceAt(index - 1).approximate(), price) << price;
        }
    }
}

TEST(PriceGridTest, SaysWhyAPriceIsOffTheSpreadTable)
{
    const PriceGrid grid(Market::HongKong);
    const auto message = [&grid](const char *price) {
        try {
            RequireOnSpreadTable(grid, Decimal::fromLiteral(price), TALLYFIN_TEXT("Trade", "买入价格"));
        } catch (const EInputRejected &rejected) {
            return rejected.message();
        }
        return std::string();
    };
    EXPECT_EQ(message("47.15"), "");
    EXPECT_EQ(message("47.13"), "买入价格 47.13 港元不在港股价位表上：该价位段每档 0.05 港元");
    EXPECT_EQ(message("0.252"), "买入价格 0.252 港元不在港股价位表上：该价位段每档 0.005 港元");
    EXPECT_EQ(message("10000"), "买入价格应在 0.01 到 9995 港元之间");
    EXPECT_EQ(message("0.001"), "买入价格应在 0.01 到 9995 港元之间");
}

} // namespace
} // namespace tallyfin
