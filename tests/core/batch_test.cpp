#include <gtest/gtest.h>

#include "batch.h"

namespace tallyfin {
namespace {

struct BatchCase {
    const char *name;
    BatchRows rows;
    BatchReduction expected;
};

class ReduceBatchesTest : public testing::TestWithParam<BatchCase> {};

TEST_P(ReduceBatchesTest, WeighsPricesByQuantity)
{
    const BatchReduction result = ReduceBatches(GetParam().rows, ".");
    EXPECT_EQ(result.price, GetParam().expected.price);
    EXPECT_EQ(result.quantity, GetParam().expected.quantity);
    EXPECT_EQ(result.relabel, GetParam().expected.relabel);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReduceBatchesTest,
    testing::Values(
        BatchCase{"TwoBatches", {{{"10", "1000"}, {"12", "500"}}}, {"10.6666666666667", "1500", true}},
        // A plain mean of the prices would say 15.
        BatchCase{"SmallSecondBatch", {{{"10", "1000"}, {"20", "100"}}}, {"10.9090909090909", "1100", true}},
        BatchCase{"PriceOnlyRowIgnored", {{{"10", "1000"}, {"99", ""}, {"12", "500"}}},
                  {"10.6666666666667", "1500", true}},
        BatchCase{"QuantityOnlyRowIgnored", {{{"", "abc"}, {"8.5", "200"}}}, {"8.5", "200", true}},
        BatchCase{"IncompleteRowNotParsed", {{{"x", ""}, {"", "y"}, {"5", "100"}}}, {"5", "100", true}},
        BatchCase{"SingleRowFour", {{{}, {}, {}, {"9.87", "300"}}}, {"9.87", "300", true}},
        BatchCase{"AllFiveRows", {{{"1", "1"}, {"2", "1"}, {"3", "1"}, {"4", "1"}, {"5", "1"}}}, {"3", "5", true}},
        BatchCase{"AllEmpty", {}, {"", "", false}},
        BatchCase{"NormalisesTexts", {{{" 10.50 ", "00100"}}}, {"10.5", "100", true}}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(ReduceBatches, BadNumberInCompleteRowIsConversionError)
{
    const BatchRows rows{{{"10", "1000"}, {"12", "1,000"}}};
    try {
        ReduceBatches(rows, ".");
        FAIL();
    } catch (const EConvertError &error) {
        EXPECT_EQ(error.message(), "'1,000' is not a valid floating point value");
    }
}

TEST(ReduceBatches, ZeroTotalQuantityIsDivisionFault)
{
    EXPECT_THROW(ReduceBatches({{{"10", "0"}}}, "."), EInvalidOp);
    EXPECT_THROW(ReduceBatches({{{"10", "5"}, {"10", "-5"}}}, "."), EInvalidOp);
    EXPECT_THROW(ReduceBatches({{{"10", "5"}, {"20", "-5"}}}, "."), EZeroDivide);
}

TEST(SumBatches, RoundsEachSumToDouble)
{
    const BatchTotals totals = SumBatches({{{"0.1", "3"}, {"0.2", "3"}}}, ".");
    EXPECT_EQ(totals.count, 2);
    EXPECT_EQ(totals.quantitySum, 6.0);
    const double first = static_cast<double>(static_cast<long double>(0.1) * 3);
    const double second = static_cast<double>(first + static_cast<long double>(0.2) * 3);
    EXPECT_EQ(totals.amountSum, second) << "each partial sum is a double";
}

TEST(ReduceBatches, UsesTheSeparator)
{
    const BatchReduction result = ReduceBatches({{{"10,5", "100"}, {"11,5", "100"}}}, ",");
    EXPECT_EQ(result.price, "11");
    EXPECT_THROW(ReduceBatches({{{"10.5", "100"}}}, ","), EConvertError);
}

} // namespace
} // namespace tallyfin
