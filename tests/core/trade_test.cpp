#include <gtest/gtest.h>

#include <vector>

#include "trade.h"

namespace tallyfin {
namespace {

using Texts = std::vector<std::string>;

Texts buyResults(const TradeFields &f)
{
    return {f.buyAmount, f.buyCommission, f.buyStampDuty, f.buyTransferFee, f.buyFees, f.cashPaid, f.costPerShare, f.breakEvenPrice};
}

Texts sellResults(const TradeFields &f)
{
    return {f.sellAmount, f.sellCommission, f.sellStampDuty, f.sellTransferFee, f.sellFees, f.netReceipts, f.returnPercent, f.profit};
}

TradeFields trade(std::string buyPrice, std::string buyQuantity, std::string sellPrice,
                  std::string sellQuantity = "")
{
    TradeFields f;
    f.buyPrice = std::move(buyPrice);
    f.buyQuantity = std::move(buyQuantity);
    f.sellPrice = std::move(sellPrice);
    f.sellQuantity = std::move(sellQuantity);
    return f;
}

// Fills every result field with a marker, so a test sees which ones a
// calculation wrote.
TradeFields withStaleResults(TradeFields f)
{
    for (std::string *text : {&f.buyAmount, &f.buyCommission, &f.buyStampDuty, &f.buyTransferFee, &f.buyFees, &f.cashPaid, &f.costPerShare,
                              &f.breakEvenPrice, &f.sellAmount, &f.sellCommission, &f.sellStampDuty, &f.sellTransferFee, &f.sellFees,
                              &f.netReceipts, &f.returnPercent, &f.profit})
        *text = "old";
    return f;
}

const Texts kUnchanged(8, "old");

TEST(CalculateTrade, WorkedExample)
{
    TradeFields f = trade("10", "1000", "11");
    EXPECT_EQ(CalculateTrade(f, "."), TradeOutcome::Calculated);
    EXPECT_EQ(buyResults(f), (Texts{"10000", "30", "0", "1", "31", "10031", "10.03", "10.07"}));
    EXPECT_EQ(f.sellQuantity, "1000");
    EXPECT_EQ(sellResults(f), (Texts{"11000", "33", "11", "1", "45", "10955", "9.21", "924"}));
    EXPECT_EQ(f.returnColor, FieldColor::Red);
    EXPECT_EQ(f.profitColor, FieldColor::Red);
}

struct WholeTradeCase {
    const char *name;
    std::string exchange;
    std::string commission;
    bool bothSides;
    std::string buyPrice, quantity, sellPrice;
    Texts sell;
    FieldColor color;
};

class WholeTradeTest : public testing::TestWithParam<WholeTradeCase> {};

TEST_P(WholeTradeTest, ShowsSellResultsAndColour)
{
    const WholeTradeCase &c = GetParam();
    TradeFields f = trade(c.buyPrice, c.quantity, c.sellPrice, c.quantity);
    f.market = c.exchange;
    f.commissionRate = c.commission;
    f.stampDutyBothSides = c.bothSides;
    ASSERT_EQ(CalculateTrade(f, "."), TradeOutcome::Calculated);
    EXPECT_EQ(sellResults(f), c.sell);
    EXPECT_EQ(f.returnColor, c.color);
    EXPECT_EQ(f.profitColor, c.color);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WholeTradeTest,
    testing::Values(
        WholeTradeCase{"ShanghaiGain", "上海A股", "3.0", false, "10", "1000", "10.5",
                       {"10500", "31.5", "10.5", "1", "43", "10457", "4.25", "426"}, FieldColor::Red},
        WholeTradeCase{"ShanghaiGainBothSides", "上海A股", "3.0", true, "10", "1000", "10.5",
                       {"10500", "31.5", "10.5", "1", "43", "10457", "4.14", "416"}, FieldColor::Red},
        WholeTradeCase{"ShenzhenLoss", "深圳A股", "3.0", false, "5", "100", "5",
                       {"500", "5", "0.5", "0", "5.5", "494.5", "-2.08", "-10.5"}, FieldColor::Green},
        WholeTradeCase{"ShanghaiLargeLoss", "上海A股", "3.0", false, "10", "2500", "9.5",
                       {"23750", "71.25", "23.75", "2", "97", "23653", "-5.68", "-1424"}, FieldColor::Green},
        WholeTradeCase{"LowerCommission", "上海A股", "2.5", false, "12.34", "300", "12.80",
                       {"3840", "9.6", "3.84", "1", "14.44", "3825.56", "3.05", "113.305"}, FieldColor::Red},
        // The break-even price counts the sale's fees at the buy price and is
        // rounded to cents, so selling at it still loses a little.
        WholeTradeCase{"AtBreakEvenPrice", "上海A股", "3.0", false, "10", "1000", "10.07",
                       {"10070", "30.21", "10.07", "1", "41.28", "10028.72", "-0.02", "-2.28"}, FieldColor::Green},
        // Fees are doubles, not cents: the loss shows their binary error.
        WholeTradeCase{"ReturnRoundingToZeroIsGreen", "上海A股", "3.0", false, "10", "1000", "10.072",
                       {"10072", "30.216", "10.072", "1", "41.288", "10030.712", "0", "-0.287999999999997"}, FieldColor::Green}),
    [](const auto &test) { return std::string(test.param.name); });

struct BuyCase {
    const char *name;
    std::string exchange, commission;
    bool bothSides;
    std::string price, quantity;
    std::string shownPrice;
    Texts buy;
};

class BuySideTest : public testing::TestWithParam<BuyCase> {};

TEST_P(BuySideTest, ShowsBuyResults)
{
    const BuyCase &c = GetParam();
    TradeFields f = trade(c.price, c.quantity, "");
    f.market = c.exchange;
    f.commissionRate = c.commission;
    f.stampDutyBothSides = c.bothSides;
    ASSERT_EQ(CalculateTrade(f, "."), TradeOutcome::Calculated);
    EXPECT_EQ(f.buyPrice, c.shownPrice);
    EXPECT_EQ(f.buyQuantity, c.quantity) << "the quantity is not rewritten";
    EXPECT_EQ(buyResults(f), c.buy);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BuySideTest,
    testing::Values(
        BuyCase{"Shenzhen", "深圳A股", "3.0", false, "5", "100", "5",
                {"500", "5", "0", "0", "5", "505", "5.05", "5.1"}},
        BuyCase{"FundsAndWarrants", "基金权证", "3.0", false, "5", "100", "5",
                {"500", "5", "0", "0", "5", "505", "5.05", "5.1"}},
        // Stamp duty on both sides changes the buy costs, not the break-even.
        BuyCase{"BothSides", "上海A股", "3.0", true, "10", "1000", "10",
                {"10000", "30", "10", "1", "41", "10041", "10.04", "10.07"}},
        BuyCase{"CommissionMinimum", "上海A股", "3.0", false, "10", "100", "10",
                {"1000", "5", "0", "1", "6", "1006", "10.06", "10.13"}},
        BuyCase{"FeesNotRoundedToCents", "上海A股", "2.5", false, "12.34", "300", "12.34",
                {"3702", "9.255", "0", "1", "10.255", "3712.255", "12.37", "12.42"}},
        BuyCase{"PriceShownInNormalForm", "上海A股", "3.0", false, "8.800", "1000", "8.8",
                {"8800", "26.4", "0", "1", "27.4", "8827.4", "8.83", "8.86"}},
        BuyCase{"WholePriceLosesFraction", "上海A股", "3.0", false, " 10.00 ", " 1000 ", "10",
                {"10000", "30", "0", "1", "31", "10031", "10.03", "10.07"}}),
    [](const auto &test) { return std::string(test.param.name); });

// --- Partial writes -----------------------------------------------------

TEST(CalculateTrade, BadPriceWritesNothing)
{
    TradeFields f = withStaleResults(trade("10,5", "1000", "11"));
    EXPECT_THROW(CalculateTrade(f, "."), EConvertError);
    EXPECT_EQ(f.buyPrice, "10,5");
    EXPECT_EQ(buyResults(f), kUnchanged);
    EXPECT_EQ(sellResults(f), kUnchanged);
}

TEST(CalculateTrade, BadQuantityStopsAfterRewritingPrice)
{
    TradeFields f = withStaleResults(trade("10.50", "abc", "11"));
    try {
        CalculateTrade(f, ".");
        FAIL();
    } catch (const EConvertError &error) {
        EXPECT_EQ(error.message(), "'abc' is not a valid floating point value");
    }
    EXPECT_EQ(f.buyPrice, "10.5");
    EXPECT_EQ(buyResults(f), kUnchanged);
    EXPECT_EQ(sellResults(f), kUnchanged) << "the sell side does not run";
}

TEST(CalculateTrade, ZeroQuantityStopsAtCostPerShare)
{
    TradeFields f = withStaleResults(trade("10", "0", "11"));
    EXPECT_THROW(CalculateTrade(f, "."), EZeroDivide);
    EXPECT_EQ(buyResults(f), (Texts{"0", "5", "0", "1", "6", "6", "old", "old"}));
    EXPECT_EQ(sellResults(f), kUnchanged);
}

TEST(CalculateTrade, EmptyCommissionFailsBeforeAnyWrite)
{
    TradeFields f = withStaleResults(trade("10.50", "1000", "11"));
    f.commissionRate = "";
    EXPECT_THROW(CalculateTrade(f, "."), EConvertError);
    EXPECT_EQ(f.buyPrice, "10.50");
    EXPECT_EQ(buyResults(f), kUnchanged);
}

TEST(CalculateTrade, TypedCommissionRateIsUsed)
{
    TradeFields f = trade("10", "10000", "");
    f.commissionRate = "0.25";
    CalculateTrade(f, ".");
    EXPECT_EQ(f.buyCommission, "25");
}

TEST(CalculateTrade, OverflowingPriceWritesNothing)
{
    TradeFields f = withStaleResults(trade("1e400", "1", ""));
    EXPECT_THROW(CalculateTrade(f, "."), EOverflow);
    EXPECT_EQ(f.buyPrice, "1e400");
    EXPECT_EQ(buyResults(f), kUnchanged);
}

TEST(CalculateTrade, OverflowingAmountStopsAfterPrice)
{
    TradeFields f = withStaleResults(trade("1e300", "1e300", ""));
    EXPECT_THROW(CalculateTrade(f, "."), EOverflow);
    EXPECT_EQ(f.buyPrice, "1E300");
    EXPECT_EQ(buyResults(f), kUnchanged);
}

TEST(CalculateTrade, CostPerShareBeyondSixtyFourBitsIsInvalidOperation)
{
    TradeFields f = withStaleResults(trade("1e300", "1", ""));
    EXPECT_THROW(CalculateTrade(f, "."), EInvalidOp);
    EXPECT_EQ(buyResults(f), (Texts{"1E300", "3E297", "0", "1", "3E297", "1.003E300", "old", "old"}));
}

TEST(CalculateTrade, EmptyBuyQuantitySkipsBuySide)
{
    TradeFields f = withStaleResults(trade("10", "", "11", "1000"));
    f.cashPaid = "10031";
    EXPECT_EQ(CalculateTrade(f, "."), TradeOutcome::Calculated);
    EXPECT_EQ(f.buyAmount, "old");
    EXPECT_EQ(f.cashPaid, "10031");
    // The sell side compares against the cash paid still shown.
    EXPECT_EQ(sellResults(f), (Texts{"11000", "33", "11", "1", "45", "10955", "9.21", "924"}));
}

TEST(CalculateTrade, BuyQuantityWithoutPriceStillShowsTheResult)
{
    // Only both buy texts empty make a sale stand on its own; a buy quantity
    // alone skips the buy group but is sold and compared with the cash paid.
    TradeFields f = withStaleResults(trade("", "1000", "11"));
    f.cashPaid = "10031";
    EXPECT_EQ(CalculateTrade(f, "."), TradeOutcome::Calculated);
    EXPECT_EQ(f.buyAmount, "old");
    EXPECT_EQ(f.sellQuantity, "1000");
    EXPECT_EQ(sellResults(f), (Texts{"11000", "33", "11", "1", "45", "10955", "9.21", "924"}));
    EXPECT_EQ(f.returnColor, FieldColor::Red);
}

TEST(CalculateTrade, SellPriceWithoutAnyQuantityIsTheNotice)
{
    TradeFields f = withStaleResults(trade("10", "", "11"));
    EXPECT_EQ(CalculateTrade(f, "."), TradeOutcome::SellQuantityMissing);
    EXPECT_EQ(f.sellQuantity, "");
    EXPECT_EQ(sellResults(f), kUnchanged);
    EXPECT_EQ(kSellQuantityMissing, "卖出数量必须设置初始值");
}

TEST(CalculateTrade, EmptySellPriceLeavesSellGroup)
{
    TradeFields f = withStaleResults(trade("10", "1000", "", ""));
    EXPECT_EQ(CalculateTrade(f, "."), TradeOutcome::Calculated);
    EXPECT_EQ(f.sellQuantity, "");
    EXPECT_EQ(sellResults(f), kUnchanged);
}

TEST(CalculateTrade, SellOnlyHasNoResult)
{
    TradeFields f = withStaleResults(trade("", "", "10", "100"));
    f.returnColor = FieldColor::Red;
    EXPECT_EQ(CalculateTrade(f, "."), TradeOutcome::Calculated);
    EXPECT_EQ(sellResults(f), (Texts{"1000", "5", "1", "1", "7", "993", "old", "old"}));
    EXPECT_EQ(f.returnColor, FieldColor::Red);
}

TEST(CalculateTrade, BadSellQuantityKeepsTheCopiedQuantity)
{
    TradeFields f = withStaleResults(trade("10", "x", "11"));
    f.buyPrice = "";
    EXPECT_THROW(CalculateTrade(f, "."), EConvertError);
    EXPECT_EQ(f.sellQuantity, "x");
    EXPECT_EQ(sellResults(f), kUnchanged);
}

TEST(CalculateTrade, EmptyCashPaidStopsBeforeResult)
{
    TradeFields f = withStaleResults(trade("10", "", "11", "100"));
    f.cashPaid = "";
    try {
        CalculateTrade(f, ".");
        FAIL();
    } catch (const EConvertError &error) {
        EXPECT_EQ(error.message(), "'' is not a valid floating point value");
    }
    EXPECT_EQ(sellResults(f), (Texts{"1100", "5", "1.1", "1", "7.1", "1092.9", "old", "old"}));
    EXPECT_EQ(f.returnColor, FieldColor::Window);
}

TEST(CalculateTrade, ZeroCashPaidIsDivisionFault)
{
    TradeFields f = trade("1", "", "10", "100");
    f.cashPaid = "0";
    EXPECT_THROW(CalculateTrade(f, "."), EZeroDivide);

    // Net receipts of exactly 0 against a cash paid of 0: 0 ÷ 0.
    TradeFields zero = trade("1", "", "5", "1");
    zero.market = "深圳A股";
    zero.commissionRate = "0.0";
    zero.stampDutyRate = "0";
    zero.cashPaid = "0";
    EXPECT_THROW(CalculateTrade(zero, "."), EInvalidOp);
    EXPECT_EQ(zero.netReceipts, "0");
}

TEST(CalculateTrade, SellQuantityDifferentFromBuyIsNotProportioned)
{
    TradeFields f = trade("10", "1000", "11", "500");
    CalculateTrade(f, ".");
    EXPECT_EQ(f.netReceipts, "5477");
    EXPECT_EQ(f.profit, "-4554");
    EXPECT_EQ(f.profitColor, FieldColor::Green);
}

TEST(CalculateTrade, CommaSeparatorReadsAndWritesCommas)
{
    TradeFields f = trade("10,50", "1000", "31,5");
    f.commissionRate = "3,0";
    CalculateTrade(f, ",");
    EXPECT_EQ(f.buyPrice, "10,5");
    EXPECT_EQ(f.breakEvenPrice, "10,58");
    EXPECT_EQ(f.sellAmount, "31500");
    EXPECT_EQ(f.sellCommission, "94,5");

    TradeFields point = trade("31.5", "1000", "");
    point.commissionRate = "3,0";
    EXPECT_THROW(CalculateTrade(point, ","), EConvertError);
}

TEST(ClearTrade, EmptiesTradeFieldsAndKeepsSettings)
{
    TradeFields f = trade("10", "1000", "11");
    f.market = "深圳A股";
    f.commissionRate = "2.0";
    f.stampDutyBothSides = true;
    CalculateTrade(f, ".");
    ClearTrade(f);
    EXPECT_EQ(f.buyPrice + f.buyQuantity + f.sellPrice + f.sellQuantity, "");
    EXPECT_EQ(buyResults(f), Texts(8));
    EXPECT_EQ(sellResults(f), Texts(8));
    EXPECT_EQ(f.returnColor, FieldColor::Window);
    EXPECT_EQ(f.profitColor, FieldColor::Window);
    EXPECT_EQ(f.market, "深圳A股");
    EXPECT_EQ(f.commissionRate, "2.0");
    EXPECT_TRUE(f.stampDutyBothSides);
}

} // namespace
} // namespace tallyfin
