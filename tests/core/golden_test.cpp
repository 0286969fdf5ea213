#include <gtest/gtest.h>

#include <vector>

#include "golden.h"

namespace tallyfin {
namespace {

using Texts = std::vector<std::string>;

// The result fields top to bottom as the window shows them.
Texts shownRows(const GoldenFields &f)
{
    return {f.level0191,      f.level0236, f.levelOneThird, f.level0382, f.level0500, f.level0618,
            f.levelTwoThirds, f.level0809, f.level2000,     f.level2618, f.level3000};
}

struct ProjectionCase {
    const char *name;
    GoldenMode mode;
    std::string low, high;
    //   19.1%  23.6%  1/3  38.2%  50%  61.8%  2/3  80.9%  2倍  2.618倍  3倍
    Texts rows;
};

class ProjectGoldenTest : public testing::TestWithParam<ProjectionCase> {};

TEST_P(ProjectGoldenTest, ProjectsEveryLevel)
{
    const ProjectionCase &c = GetParam();
    GoldenFields f;
    f.low = c.low;
    f.high = c.high;
    EXPECT_EQ(ProjectGolden(f, c.mode, "."), std::nullopt);
    EXPECT_EQ(shownRows(f), c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ProjectGoldenTest,
    testing::Values(
        ProjectionCase{"RiseFromTen", GoldenMode::Rise, "10", "0",
                       {"11.91", "12.36", "13.33", "13.82", "15", "16.18", "16.67", "18.09", "20", "26.18", "30"}},
        ProjectionCase{"FallFromTen", GoldenMode::Fall, "", "10",
                       {"8.09", "7.64", "6.67", "6.18", "5", "3.82", "3.33", "1.91", "0", "0", "0"}},
        ProjectionCase{"ReboundTenToFifteen", GoldenMode::Rebound, "10", "15",
                       {"10.955", "11.18", "11.67", "11.91", "12.5", "13.09", "13.33", "14.045", "0", "0", "0"}},
        ProjectionCase{"PullBackTenToFifteen", GoldenMode::PullBack, "10", "15",
                       {"14.045", "13.82", "13.33", "13.09", "12.5", "11.91", "11.67", "10.955", "0", "0", "0"}},
        // H below L is not checked: the range modes project the other way.
        ProjectionCase{"ReboundUpsideDown", GoldenMode::Rebound, "15", "10",
                       {"14.045", "13.82", "13.33", "13.09", "12.5", "11.91", "11.67", "10.955", "0", "0", "0"}},
        ProjectionCase{"RiseRoundsThirdsOnly", GoldenMode::Rise, "3.1415", "0",
                       {"3.7415265", "3.882894", "4.19", "4.341553", "4.71225", "5.082947", "5.24", "5.6829735",
                        "6.283", "8.224447", "9.4245"}},
        ProjectionCase{"RiseFromZero", GoldenMode::Rise, "0", "0",
                       {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}},
        ProjectionCase{"NegativeLow", GoldenMode::Rise, "-10", "",
                       {"-11.91", "-12.36", "-13.33", "-13.82", "-15", "-16.18", "-16.67", "-18.09", "-20", "-26.18",
                        "-30"}}),
    [](const auto &test) { return std::string(test.param.name); });

struct MessageCase {
    const char *name;
    GoldenMode mode;
    std::string low, high;
    std::string message;
};

class GoldenMessageTest : public testing::TestWithParam<MessageCase> {};

TEST_P(GoldenMessageTest, EmptyInputShowsMessageAndChangesNothing)
{
    const MessageCase &c = GetParam();
    GoldenFields f;
    f.low = c.low;
    f.high = c.high;
    f.level0809 = "kept";
    const GoldenFields before = f;
    const auto message = ProjectGolden(f, c.mode, ".");
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(*message, c.message);
    EXPECT_EQ(shownRows(f), shownRows(before));
}

INSTANTIATE_TEST_SUITE_P(
    Checks, GoldenMessageTest,
    testing::Values(
        MessageCase{"RiseNeedsLow", GoldenMode::Rise, "", "15", "请输入低点数据！"},
        MessageCase{"FallNeedsHigh", GoldenMode::Fall, "10", "", "请输入高点数据！"},
        MessageCase{"ReboundNeedsHigh", GoldenMode::Rebound, "10", "", "请输入低点和高点数据"},
        MessageCase{"ReboundNeedsLow", GoldenMode::Rebound, "", "15", "请输入低点和高点数据"},
        MessageCase{"PullBackNeedsHigh", GoldenMode::PullBack, "10", "", "请输入低点和高点数据！"},
        MessageCase{"PullBackNeedsLow", GoldenMode::PullBack, "", "15", "请输入低点和高点数据！"}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(ProjectGolden, ReadsOnlyTheInputsTheModeNeeds)
{
    GoldenFields rise;
    rise.low = "10";
    rise.high = "not read";
    EXPECT_NO_THROW(ProjectGolden(rise, GoldenMode::Rise, "."));

    GoldenFields fall;
    fall.low = "not read";
    fall.high = "10";
    EXPECT_NO_THROW(ProjectGolden(fall, GoldenMode::Fall, "."));
}

TEST(ProjectGolden, BadInputWritesNothing)
{
    for (GoldenMode mode : {GoldenMode::Rise, GoldenMode::Rebound, GoldenMode::PullBack}) {
        GoldenFields f;
        f.low = "  ";
        f.high = "15";
        f.level0809 = "kept";
        try {
            ProjectGolden(f, mode, ".");
            FAIL();
        } catch (const EConvertError &error) {
            EXPECT_EQ(error.message(), "'  ' is not a valid floating point value");
        }
        EXPECT_EQ(f.level0809, "kept");
    }
}

TEST(ProjectGolden, FaultInThirdRowKeepsEarlierRows)
{
    GoldenFields f;
    f.low = "1e300";
    EXPECT_THROW(ProjectGolden(f, GoldenMode::Rise, "."), EInvalidOp);
    EXPECT_EQ(f.level0809, "1.809E300");
    EXPECT_EQ(f.level0191, "1.191E300");
    EXPECT_EQ(f.levelOneThird, "0");
    EXPECT_EQ(f.level0236, "0");
}

TEST(ClearGolden, SetsEveryFieldToZero)
{
    GoldenFields f;
    f.low = "10";
    f.high = "";
    ProjectGolden(f, GoldenMode::Rise, ".");
    ClearGolden(f);
    EXPECT_EQ(f.low, "0");
    EXPECT_EQ(f.high, "0");
    EXPECT_EQ(shownRows(f), Texts(11, "0"));
}

TEST(ProjectGolden, WritesWithTheSeparator)
{
    GoldenFields f;
    f.low = "10,5";
    ProjectGolden(f, GoldenMode::Rise, ",");
    EXPECT_EQ(f.level0500, "15,75");
    EXPECT_EQ(f.levelOneThird, "14");
}

} // namespace
} // namespace tallyfin
