#include <gtest/gtest.h>

#include "feerules.h"
#include "text.h"

namespace tallyfin {
namespace {

struct FillCase {
    const char *name;
    const char *pattern;
    std::vector<std::string> args;
    std::string filled;
};

class FillPatternTest : public testing::TestWithParam<FillCase> {};

TEST_P(FillPatternTest, FillsEachPlaceOnce)
{
    EXPECT_EQ(FillPattern(GetParam().pattern, GetParam().args), GetParam().filled);
}

INSTANTIATE_TEST_SUITE_P(
    Places, FillPatternTest,
    testing::Values(FillCase{"InOrder", "%1 × %2", {"10", "3"}, "10 × 3"},
                    FillCase{"Reordered", "%2，%1", {"a", "b"}, "b，a"},
                    FillCase{"ArgumentHoldingAPlace", "%1-%2", {"%2", "x"}, "%2-x"},
                    FillCase{"PercentKept", "下调20%，%1", {"0.1%"}, "下调20%，0.1%"},
                    FillCase{"MissingArgumentKept", "%1 %3", {"a"}, "a %3"},
                    FillCase{"PercentAtEnd", "100%", {}, "100%"},
                    FillCase{"PercentBeforeLetterOrZero", "%a %0 %%1", {"x"}, "%a %0 %x"}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(Text, NestsTranslatableArgumentsAndJoinsLists)
{
    const Text joined =
        JoinTexts({Text("M", "上海A股"), Text("M", "深圳A股"), Text::Plain("基金权证")}, Text("M", "%1、%2"));
    EXPECT_EQ(joined.toString(), "上海A股、深圳A股、基金权证");
    ASSERT_EQ(joined.args().size(), 2u);
    EXPECT_EQ(joined.args()[1].context(), nullptr) << "data stays data";
    EXPECT_STREQ(joined.args()[0].context(), "M");
    EXPECT_EQ(JoinTexts({}, Text("M", "%1、%2")).toString(), "");
}

TEST(Text, ErrorsKeepTheirPartsAndTheirMessage)
{
    try {
        RulesFor({2000, 1, 1}, Market::ShanghaiA);
        FAIL() << "no rules before the table";
    } catch (const EFeeRulesError &error) {
        EXPECT_EQ(error.message(), "成交日期 2000-01-01 早于费率表的起始日期 2001-11-16");
        EXPECT_EQ(error.text().pattern(), "成交日期 %1 早于费率表的起始日期 %2");
    }
    EXPECT_EQ(EOverflow().text().context(), nullptr) << "the runtime's messages are data";
}

} // namespace
} // namespace tallyfin
