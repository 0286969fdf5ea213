#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "numeric.h"

namespace tallyfin {
namespace {

std::string caseName(const char *name) { return name; }

// --- ParseDecimal ------------------------------------------------------

struct ParseCase {
    const char *name;
    std::string text;
    long double value;
    std::string separator = ".";
};

class ParseDecimalValid : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseDecimalValid, ReadsTheValue)
{
    const ParseCase &c = GetParam();
    EXPECT_EQ(ParseDecimal(c.text, c.separator).value(), c.value) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, ParseDecimalValid,
    testing::Values(
        ParseCase{"Integer", "12", 12},
        ParseCase{"SpacesAround", "  12  ", 12},
        ParseCase{"TrailingSeparator", "12.", 12},
        ParseCase{"PlusSign", "+12", 12},
        ParseCase{"LeadingSeparator", ".5", 0.5L},
        ParseCase{"NegativeWithExponent", "-.5e1", -5},
        ParseCase{"LeadingZeros", "00012.50", 12.5L},
        ParseCase{"ExponentWithPlus", "1E+5", 1e5L},
        ParseCase{"LoneSeparatorIsZero", ".", 0},
        ParseCase{"SignedLoneSeparator", "-.", 0},
        ParseCase{"EmptyExponent", "1e", 1},
        ParseCase{"EmptyExponentWithPlus", "1E+", 1},
        ParseCase{"EmptyExponentWithMinus", "1e-", 1},
        ParseCase{"ExponentLeadingZeros", "1e0000000000000003", 1000},
        ParseCase{"ExponentJustBelowLimitTakesOneMore", "1e499", 1e499L},
        ParseCase{"ExponentReachingLimit", "2e500", 2e500L},
        ParseCase{"HugeButInExtendedRange", "1.1e4932", 1.1e4932L},
        ParseCase{"TooSmallBecomesZero", "1e-4999", 0},
        // Below the normal range the value is still rounded, to a denormal;
        // only one under half the smallest denormal becomes 0.
        ParseCase{"DenormalRange", "1e-4940", 1e-4940L},
        ParseCase{"SmallestDenormalAsShown", "3.64519953188247E-4951", std::numeric_limits<long double>::denorm_min()},
        ParseCase{"AboveHalfSmallestDenormal", "1.9e-4951", std::numeric_limits<long double>::denorm_min()},
        ParseCase{"BelowHalfSmallestDenormal", "1.8e-4951", 0},
        ParseCase{"RoundsUpToSmallestNormal", "3.3621031431120935062e-4932", std::numeric_limits<long double>::min()},
        ParseCase{"ManyDigitsRoundOnce", "0.1000000000000000000000000000001", 0.1L},
        ParseCase{"NineteenDigitsExact", "9223372036854775807", 9223372036854775807.0L},
        ParseCase{"CommaSeparator", "12,5", 12.5L, ","},
        ParseCase{"CommaLoneSeparator", ",", 0, ","},
        ParseCase{"PointIsPlainCharacterWithComma", "1e3", 1000, ","},
        ParseCase{"MultiByteSeparator", "12\u066B5", 12.5L, "\u066B"}),
    [](const auto &test) { return caseName(test.param.name); });

class ParseDecimalInvalid : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseDecimalInvalid, RejectsWithTheTextAsTyped)
{
    const ParseCase &c = GetParam();
    try {
        ParseDecimal(c.text, c.separator);
        FAIL() << "accepted \"" << c.text << '"';
    } catch (const EConvertError &error) {
        EXPECT_EQ(error.message(), "'" + c.text + "' is not a valid floating point value");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, ParseDecimalInvalid,
    testing::Values(
        ParseCase{"Empty", "", 0},
        ParseCase{"LonePlus", "+", 0},
        ParseCase{"LoneMinus", "-", 0},
        ParseCase{"SpacesOnly", "   ", 0},
        ParseCase{"ThousandsSeparator", "1,000", 0},
        ParseCase{"TwoSeparators", "1.5.2", 0},
        ParseCase{"InnerSpace", "1 .5", 0},
        ParseCase{"SpaceAfterSign", "- 5", 0},
        ParseCase{"ExponentOnly", "e5", 0},
        ParseCase{"TrailingLetters", "12abc", 0},
        ParseCase{"Hexadecimal", "0x10", 0},
        ParseCase{"LeadingTab", "\t12", 0},
        ParseCase{"TrailingTab", "12\t", 0},
        ParseCase{"TwoSigns", "+-1", 0},
        ParseCase{"ExponentDigitLeftUnread", "1e5000", 0},
        ParseCase{"NegativeExponentDigitLeftUnread", "1e-5000", 0},
        ParseCase{"BeyondExtendedRange", "1e4999", 0},
        ParseCase{"Infinity", "inf", 0},
        ParseCase{"NotANumber", "nan", 0},
        ParseCase{"FullWidthDigits", "\uFF11\uFF12", 0},
        ParseCase{"EmbeddedNul", std::string("1\0" "2", 3), 0},
        ParseCase{"PointWithCommaSeparator", "31.5", 0, ","},
        ParseCase{"NoDigitsAroundExponentSign", ".e", 0, ","}),
    [](const auto &test) { return caseName(test.param.name); });

// --- FormatGeneral -----------------------------------------------------

struct FormatCase {
    const char *name;
    long double value;
    std::string text;
    std::string separator = ".";
};

class FormatGeneralTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatGeneralTest, Writes)
{
    const FormatCase &c = GetParam();
    EXPECT_EQ(FormatGeneral(c.value, c.separator), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FormatGeneralTest,
    testing::Values(
        FormatCase{"Fraction", 31.5L, "31.5"},
        FormatCase{"Whole", 5, "5"},
        FormatCase{"Zero", 0, "0"},
        FormatCase{"NegativeZero", -0.0L, "0"},
        FormatCase{"DoubleSumShowsFifteenDigits", 0.1 + 0.2, "0.3"},
        FormatCase{"Third", 1.0L / 3, "0.333333333333333"},
        FormatCase{"HundredThirds", 100.0L / 3, "33.3333333333333"},
        FormatCase{"TwoThirdsRoundsUp", 2.0L / 3, "0.666666666666667"},
        FormatCase{"NegativeTwoThirds", -2.0L / 3, "-0.666666666666667"},
        FormatCase{"SmallestFixed", 0.0001L, "0.0001"},
        FormatCase{"BelowFixed", 0.00001L, "1E-5"},
        FormatCase{"ScientificFraction", 1.5e-7L, "1.5E-7"},
        FormatCase{"RoundsUpIntoFixed", 0.00009999999999999999L, "0.0001"},
        FormatCase{"LargestFixed", 999999999999999.0L, "999999999999999"},
        FormatCase{"CarryIntoScientific", 999999999999999.5L, "1E15"},
        FormatCase{"SixteenDigits", 1234567890123456.0L, "1.23456789012346E15"},
        FormatCase{"LargeScientific", 1.5e300L, "1.5E300"},
        FormatCase{"ExtendedMaximum", std::numeric_limits<long double>::max(), "1.18973149535723E4932"},
        FormatCase{"NegativeHalf", -0.5L, "-0.5"},
        FormatCase{"CommaFixed", 31.5L, "31,5", ","},
        FormatCase{"CommaSmall", 0.0001L, "0,0001", ","},
        FormatCase{"CommaScientific", -1.5e-7L, "-1,5E-7", ","},
        FormatCase{"MultiByteSeparator", 12.5L, "12\u066B5", "\u066B"}),
    [](const auto &test) { return caseName(test.param.name); });

TEST(FormatGeneral, RoundsTwiceEighteenThenFifteenDigits)
{
    // Exactly 1395.6132176555749…: 18 digits give …557500, which then rounds
    // half-up to …558; one rounding to 15 digits would give …557.
    const Extended value = ParseDecimal("1395.613217655574996", ".");
    EXPECT_LT(value.value(), 1395.6132176555750L);
    EXPECT_EQ(FormatGeneral(value, "."), "1395.61321765558");
}

TEST(FormatGeneral, NeverLongerThanTwentyThreeCharacters)
{
    for (long double v : {-std::numeric_limits<long double>::denorm_min(), -std::numeric_limits<long double>::min(),
                          -1.0L / 3 * 1e-300L, -std::numeric_limits<long double>::max()})
        EXPECT_LE(FormatGeneral(v, ".").size(), 23u) << FormatGeneral(v, ".");
}

TEST(FormatGeneral, ParsesBackToTheSameText)
{
    // The ends of the range too: the smallest normal value shows as a text
    // just below it, which must not read back as 0.
    for (long double v : {1.0L / 3, 2.0L / 7 * 1e10L, 9.87654321e-9L, 123456.789L, 1e-4L, 1e15L,
                          std::numeric_limits<long double>::min(), std::numeric_limits<long double>::denorm_min(),
                          std::numeric_limits<long double>::max(), 1e-4940L}) {
        const std::string text = FormatGeneral(v, ",");
        EXPECT_EQ(FormatGeneral(ParseDecimal(text, ","), ","), text);
    }
}

// --- RoundHalfEven and RoundCents ---------------------------------------

struct RoundCase {
    const char *name;
    long double value;
    std::int64_t rounded;
};

class RoundHalfEvenTest : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfEvenTest, RoundsToNearestTiesToEven)
{
    EXPECT_EQ(RoundHalfEven(GetParam().value), GetParam().rounded);
}

INSTANTIATE_TEST_SUITE_P(
    Ties, RoundHalfEvenTest,
    testing::Values(
        RoundCase{"TwoAndHalf", 2.5L, 2},
        RoundCase{"ThreeAndHalf", 3.5L, 4},
        RoundCase{"LargeTie", 1234.5L, 1234},
        RoundCase{"NegativeTieToEven", -2.5L, -2},
        RoundCase{"NegativeTieUp", -3.5L, -4},
        RoundCase{"NegativeHalf", -0.5L, 0},
        RoundCase{"JustBelowHalf", 0.49999999999999999L, 0},
        RoundCase{"JustAboveHalf", 2.5000000001L, 3},
        RoundCase{"BelowNegativeHalf", -1.6L, -2},
        RoundCase{"LargestInt64", 9223372036854775807.0L, INT64_MAX},
        RoundCase{"SmallestInt64", -9223372036854775808.0L, INT64_MIN}),
    [](const auto &test) { return caseName(test.param.name); });

TEST(RoundHalfEven, OutsideSixtyFourBitsIsInvalidOperation)
{
    for (long double v : {9223372036854775808.0L, 9223372036854775807.5L, -9223372036854775809.0L, 1e19L, -1e300L})
        EXPECT_THROW(RoundHalfEven(v), EInvalidOp) << static_cast<double>(v);
}

struct CentsCase {
    const char *name;
    Extended value;
    std::string shown;
};

class RoundCentsTest : public testing::TestWithParam<CentsCase> {};

TEST_P(RoundCentsTest, RoundsToCents)
{
    EXPECT_EQ(FormatGeneral(RoundCents(GetParam().value), "."), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cents, RoundCentsTest,
    testing::Values(
        CentsCase{"Down", 10.031L, "10.03"},
        CentsCase{"ExactTieToEven", 0.125L, "0.12"},
        CentsCase{"ExactTieUp", 0.375L, "0.38"},
        // 510.5 / 100 * 100 is exactly 510.5 in extended precision and ties
        // to 510; in double it is 510.50000000000006 and would give 5.11.
        CentsCase{"TieOnlyInExtended", Extended(510.5) / 100, "5.1"},
        CentsCase{"Negative", -2.275L, "-2.28"},
        CentsCase{"Whole", 30, "30"}),
    [](const auto &test) { return caseName(test.param.name); });

TEST(RoundCents, HugeValuesAreFaults)
{
    EXPECT_THROW(RoundCents(1e300L), EInvalidOp);
    EXPECT_THROW(RoundCents(std::numeric_limits<long double>::max()), EOverflow);
}

// --- Extended arithmetic -------------------------------------------------

TEST(Extended, RaisesTheFloatingPointFaults)
{
    EXPECT_THROW(Extended(1) / 0, EZeroDivide);
    EXPECT_THROW(Extended(-1) / 0, EZeroDivide);
    EXPECT_THROW(Extended(0) / 0, EInvalidOp);
    EXPECT_THROW(Extended(1e4000L) * 1e4000L, EOverflow);
    EXPECT_THROW(Extended(std::numeric_limits<long double>::max()) + std::numeric_limits<long double>::max(),
                 EOverflow);
    EXPECT_THROW(RoundToDouble(1e400L), EOverflow);
    EXPECT_EQ(RoundToDouble(1e-400L), 0.0);
    EXPECT_EQ((Extended(1e-4000L) * 1e-4000L).value(), 0.0L);
}

} // namespace
} // namespace tallyfin
