#include <gtest/gtest.h>

#include "errors.h"
#include "fees.h"
#include "numeric.h"

namespace tallyfin {
namespace {

struct FeeCase {
    const char *name;
    double price;
    double quantity;
    double rate;
    std::string fee; // as shown
};

class CommissionFeeTest : public testing::TestWithParam<FeeCase> {};

TEST_P(CommissionFeeTest, ChargesAtLeastFiveYuan)
{
    const FeeCase &c = GetParam();
    EXPECT_EQ(FormatGeneral(CommissionFee(c.price, c.quantity, c.rate), "."), c.fee);
}

INSTANTIATE_TEST_SUITE_P(
    Minimum, CommissionFeeTest,
    testing::Values(
        FeeCase{"RaisedToMinimum", 10, 100, 3.0, "5"},
        FeeCase{"AboveMinimum", 20, 1000, 3.0, "60"},
        FeeCase{"ExactlyMinimum", 10, 500, 1.0, "5"},
        FeeCase{"ZeroRate", 20, 1000, 0.0, "5"},
        FeeCase{"ZeroQuantity", 10, 0, 3.0, "5"},
        FeeCase{"NegativeQuantity", 10, -10000, 3.0, "5"},
        FeeCase{"NotRoundedToCents", 12.34, 300, 2.5, "9.255"}),
    [](const auto &test) { return std::string(test.param.name); });

class StampDutyFeeTest : public testing::TestWithParam<FeeCase> {};

TEST_P(StampDutyFeeTest, HasNoMinimum)
{
    const FeeCase &c = GetParam();
    EXPECT_EQ(FormatGeneral(StampDutyFee(c.price, c.quantity, c.rate), "."), c.fee);
}

INSTANTIATE_TEST_SUITE_P(
    Rate, StampDutyFeeTest,
    testing::Values(
        FeeCase{"OnePerMille", 10, 1000, 1, "10"},
        FeeCase{"ZeroRate", 10, 1000, 0, "0"},
        FeeCase{"Small", 5, 100, 1, "0.5"},
        FeeCase{"SixPerMille", 12.8, 300, 6, "23.04"}),
    [](const auto &test) { return std::string(test.param.name); });

struct TransferCase {
    const char *name;
    std::optional<Market> market;
    double quantity;
    double fee;
};

class TransferFeeTest : public testing::TestWithParam<TransferCase> {};

TEST_P(TransferFeeTest, ChargesShanghaiPerFullThousand)
{
    const TransferCase &c = GetParam();
    EXPECT_EQ(TransferFee(c.market, c.quantity), c.fee);
}

INSTANTIATE_TEST_SUITE_P(
    Exchanges, TransferFeeTest,
    testing::Values(
        TransferCase{"Thousand", Market::ShanghaiA, 1000, 1},
        TransferCase{"JustAboveThousand", Market::ShanghaiA, 1001, 1},
        TransferCase{"RemainderDropped", Market::ShanghaiA, 1999, 1},
        TransferCase{"TwoThousand", Market::ShanghaiA, 2000, 2},
        TransferCase{"TwoAndHalfThousand", Market::ShanghaiA, 2500, 2},
        TransferCase{"FractionalShares", Market::ShanghaiA, 1000.5, 1},
        TransferCase{"Zero", Market::ShanghaiA, 0, 1},
        TransferCase{"Negative", Market::ShanghaiA, -5000, 1},
        TransferCase{"Huge", Market::ShanghaiA, 1e300, 1e297},
        TransferCase{"Shenzhen", Market::ShenzhenA, 5000, 0},
        TransferCase{"FundsAndWarrants", Market::FundsWarrants, 5000, 0},
        TransferCase{"UnlistedExchange", std::nullopt, 5000, 0}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(TradeAmount, RoundsTheProductToDouble)
{
    EXPECT_EQ(TradeAmount(10, 1000), 10000);
    EXPECT_EQ(TradeAmount(12.34, 300), 3702);
    EXPECT_THROW(TradeAmount(1e300, 1e300), EOverflow);
}

TEST(Fees, OverflowBeyondDoubleIsAFault)
{
    EXPECT_THROW(CommissionFee(1e300, 1e8, 1e6), EOverflow);
    EXPECT_THROW(StampDutyFee(1e300, 1e8, 1e6), EOverflow);
    // The extended intermediate holds what a double cannot.
    EXPECT_EQ(StampDutyFee(1e300, 1e8, 1e-8), 1e297);
}

} // namespace
} // namespace tallyfin
