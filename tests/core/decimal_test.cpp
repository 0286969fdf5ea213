#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <random>
#include <tuple>

#include "decimal.h"

// Decimal against exact fractions: every result is checked by what it must
// satisfy (on the grid, on the right side of the exact value, within a step
// of it, ties away from zero), not by a second way of computing it. The
// operands run from a few digits to far beyond 64 bits, so that both the
// machine-word and the multiprecision paths are taken.

namespace tallyfin {
namespace {

using Rational = Decimal::Rational;
using Integer = Decimal::Integer;

const char *roundingName(Rounding rounding)
{
    switch (rounding) {
    case Rounding::HalfUp: return "HalfUp";
    case Rounding::Ceiling: return "Ceiling";
    case Rounding::Floor: return "Floor";
    }
    return "?";
}

Integer tenTo(int power)
{
    Integer result = 1;
    for (int i = 0; i < power; ++i)
        result *= 10;
    return result;
}

// A random decimal literal: 1 … maxDigits digits (leading zeros allowed),
// either sign, the point anywhere among at most maxScale fraction digits.
Decimal randomDecimal(std::mt19937_64 &random, int maxDigits, int maxScale)
{
    const int digits = 1 + static_cast<int>(random() % static_cast<unsigned>(maxDigits));
    std::string text;
    for (int i = 0; i < digits; ++i)
        text += static_cast<char>('0' + random() % 10);
    const int scale = static_cast<int>(random() % static_cast<unsigned>(std::min(digits, maxScale) + 1));
    if (scale > 0)
        text.insert(text.size() - static_cast<std::size_t>(scale), ".");
    if (random() % 2)
        text.insert(0, "-");
    return Decimal::fromLiteral(text);
}

// What a value rounded onto the grid of 10^-decimals must be, whatever way
// it was computed: empty when it is right, otherwise what is wrong.
std::string offTheRounding(const Rational &exact, const Decimal &result, int decimals, Rounding rounding)
{
    const Rational scaled = result.toRational() * Rational(tenTo(decimals));
    if (boost::multiprecision::denominator(scaled) != 1)
        return "off the grid";
    const Rational step(Integer(1), tenTo(decimals));
    const Rational below = exact - result.toRational(); // > 0: the result lies below the exact value
    switch (rounding) {
    case Rounding::Floor:
        if (below < 0 || below >= step)
            return "not the step at or below";
        return "";
    case Rounding::Ceiling:
        if (below > 0 || -below >= step)
            return "not the step at or above";
        return "";
    case Rounding::HalfUp:
        break;
    }
    const Rational distance = boost::multiprecision::abs(below);
    if (distance * 2 > step)
        return "not the nearest step";
    if (distance * 2 == step && boost::multiprecision::abs(result.toRational()) < boost::multiprecision::abs(exact))
        return "a tie rounded toward zero";
    return "";
}

constexpr Rounding kRoundings[] = {Rounding::HalfUp, Rounding::Ceiling, Rounding::Floor};

// Operands of every size: machine words, values far beyond them, and ties
// (a 5 just past the grid) that HalfUp must send away from zero.
struct Sizes {
    const char *name;
    int maxDigits, maxScale;
};

constexpr Sizes kSizes[] = {{"Small", 6, 4}, {"Words", 18, 12}, {"Wide", 45, 30}};

TEST(DecimalProperties, RoundingLandsOnTheRightStep)
{
    std::mt19937_64 random(20261208);
    for (const Sizes &size : kSizes)
        for (int n = 0; n < 400; ++n) {
            const Decimal x = randomDecimal(random, size.maxDigits, size.maxScale);
            const int decimals = static_cast<int>(random() % static_cast<unsigned>(size.maxScale + 2));
            for (const Rounding rounding : kRoundings) {
                const Decimal r = x.rounded(decimals, rounding);
                ASSERT_EQ(offTheRounding(x.toRational(), r, decimals, rounding), "")
                    << size.name << " " << x.toString() << " to " << decimals << " " << roundingName(rounding)
                    << " gave " << r.toString();
            }
        }
}

TEST(DecimalProperties, TiesGoAwayFromZeroAndTheOthersFollowTheirSide)
{
    // k + 1/2 on the grid, and the same just above and below it.
    std::mt19937_64 random(5005);
    for (const Sizes &size : kSizes)
        for (int n = 0; n < 200; ++n) {
            const Decimal onGrid = randomDecimal(random, size.maxDigits, 0);
            const int decimals = static_cast<int>(random() % 6);
            const Decimal half = Decimal(5).shifted(-decimals - 1);
            const Decimal nudge(onGrid.sign() < 0 ? -1 : 1, decimals + 3);
            for (const Decimal &x : {onGrid.shifted(-decimals) + half, onGrid.shifted(-decimals) - half,
                                     onGrid.shifted(-decimals) + half + nudge, onGrid.shifted(-decimals) - half - nudge,
                                     onGrid.shifted(-decimals) + half - nudge})
                for (const Rounding rounding : kRoundings)
                    ASSERT_EQ(offTheRounding(x.toRational(), x.rounded(decimals, rounding), decimals, rounding), "")
                        << x.toString() << " to " << decimals << " " << roundingName(rounding);
        }
}

TEST(DecimalProperties, QuotientsAreTheExactRatioRounded)
{
    std::mt19937_64 random(812);
    for (const Sizes &dividend : kSizes)
        for (const Sizes &divisor : kSizes)
            for (int n = 0; n < 120; ++n) {
                const Decimal a = randomDecimal(random, dividend.maxDigits, dividend.maxScale);
                Decimal b = randomDecimal(random, divisor.maxDigits, divisor.maxScale);
                if (b.sign() == 0)
                    b = Decimal(-7, 3);
                const int decimals = static_cast<int>(random() % 8);
                const Rational exact = a.toRational() / b.toRational();
                for (const Rounding rounding : kRoundings) {
                    const Decimal q = Decimal::quotient(a, b, decimals, rounding);
                    ASSERT_EQ(offTheRounding(exact, q, decimals, rounding), "")
                        << a.toString() << " ÷ " << b.toString() << " to " << decimals << " "
                        << roundingName(rounding) << " gave " << q.toString();
                    ASSERT_EQ(offTheRounding(exact, Decimal::fromRational(exact, decimals, rounding), decimals,
                                             rounding),
                              "")
                        << "fromRational of " << a.toString() << " ÷ " << b.toString();
                }
            }
}

TEST(DecimalProperties, ArithmeticAndOrderAreExact)
{
    std::mt19937_64 random(1395);
    for (const Sizes &size : kSizes)
        for (int n = 0; n < 300; ++n) {
            const Decimal a = randomDecimal(random, size.maxDigits, size.maxScale);
            const Decimal b = random() % 8 ? randomDecimal(random, size.maxDigits, size.maxScale) : a.rounded(1, Rounding::Floor);
            const Rational ra = a.toRational(), rb = b.toRational();
            ASSERT_EQ((a + b).toRational(), ra + rb) << a.toString() << " + " << b.toString();
            ASSERT_EQ((a - b).toRational(), ra - rb) << a.toString() << " - " << b.toString();
            ASSERT_EQ((a * b).toRational(), ra * rb) << a.toString() << " × " << b.toString();
            ASSERT_EQ((-a).toRational(), -ra);
            ASSERT_EQ(a == b, ra == rb) << a.toString() << " = " << b.toString();
            ASSERT_EQ(a < b, ra < rb) << a.toString() << " < " << b.toString();
            ASSERT_EQ(a > b, ra > rb) << a.toString() << " > " << b.toString();
            ASSERT_EQ(a.sign(), ra.sign());
            ASSERT_EQ(a.isInteger(), boost::multiprecision::denominator(ra) == 1) << a.toString();
            for (int power = -4; power <= 4; ++power) {
                const Rational factor =
                    power >= 0 ? Rational(tenTo(power)) : Rational(Integer(1), tenTo(-power));
                ASSERT_EQ(a.shifted(power).toRational(), ra * factor) << a.toString() << " × 10^" << power;
            }
        }
}

TEST(DecimalProperties, TextsReadBackToTheValue)
{
    std::mt19937_64 random(4932);
    for (const Sizes &size : kSizes)
        for (int n = 0; n < 300; ++n) {
            const Decimal x = randomDecimal(random, size.maxDigits, size.maxScale);
            const std::string shortest = x.toString();
            ASSERT_EQ(Decimal::fromLiteral(shortest), x) << shortest;
            if (shortest.find('.') != std::string::npos) {
                ASSERT_NE(shortest.back(), '0') << shortest << " is not the shortest";
            }
            const int decimals = static_cast<int>(random() % 6);
            const std::string fixed = x.toFixed(decimals, ",");
            const std::size_t comma = fixed.find(',');
            ASSERT_EQ(comma == std::string::npos ? 0 : fixed.size() - comma - 1, static_cast<std::size_t>(decimals))
                << fixed;
            ASSERT_EQ(*Decimal::fromTyped(fixed, ","), x.rounded(decimals, Rounding::HalfUp)) << fixed;
        }
}

// --- Whole numbers of units ----------------------------------------------------

struct UnitsCase {
    const char *name;
    const char *value;
    int decimals;
    std::optional<std::int64_t> units;
};

class DecimalUnitsAtTest : public testing::TestWithParam<UnitsCase> {};

TEST_P(DecimalUnitsAtTest, CountsWholeUnitsWithin64Bits)
{
    const UnitsCase &c = GetParam();
    EXPECT_EQ(Decimal::fromLiteral(c.value).unitsAt(c.decimals), c.units);
}

INSTANTIATE_TEST_SUITE_P(
    Grid, DecimalUnitsAtTest,
    testing::Values(UnitsCase{"MoreDecimalsThanHeld", "5.1", 2, 510}, UnitsCase{"Cents", "-5.10", 2, -510},
                    UnitsCase{"TrailingZerosDropped", "5.100", 2, 510}, UnitsCase{"OffTheGrid", "5.005", 2, std::nullopt},
                    UnitsCase{"NegativeOffTheGrid", "-0.001", 2, std::nullopt},
                    UnitsCase{"WholeYuan", "12.000", 0, 12}, UnitsCase{"Zero", "0.000", 2, 0},
                    UnitsCase{"LargestInCents", "92233720368547758.07", 2, INT64_MAX},
                    UnitsCase{"SmallestInCents", "-92233720368547758.08", 2, INT64_MIN},
                    UnitsCase{"JustBeyondInCents", "92233720368547758.08", 2, std::nullopt},
                    UnitsCase{"BeyondAfterScaling", "92233720368547758.080", 2, std::nullopt},
                    UnitsCase{"JustBelowInCents", "-92233720368547758.09", 2, std::nullopt}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(DecimalProperties, UnitsAtAndToInt64AgreeWithTheExactValue)
{
    const Rational lowest(std::numeric_limits<std::int64_t>::min()), highest(std::numeric_limits<std::int64_t>::max());
    const auto wholeWithin64Bits = [&](const Rational &value) -> std::optional<std::int64_t> {
        if (boost::multiprecision::denominator(value) != 1 || value < lowest || value > highest)
            return std::nullopt;
        return static_cast<std::int64_t>(boost::multiprecision::numerator(value));
    };
    std::mt19937_64 random(510);
    for (const Sizes &size : kSizes)
        for (int n = 0; n < 400; ++n) {
            const Decimal x = randomDecimal(random, size.maxDigits, size.maxScale);
            const int decimals = static_cast<int>(random() % static_cast<unsigned>(size.maxScale + 3));
            ASSERT_EQ(x.unitsAt(decimals), wholeWithin64Bits(x.toRational() * Rational(tenTo(decimals))))
                << x.toString() << " in 10^-" << decimals;
            ASSERT_EQ(x.toInt64(), wholeWithin64Bits(x.toRational())) << x.toString();
        }
}

TEST(DecimalTest, ANegativeScaleMultipliesTheUnits)
{
    for (const auto &[units, scale, shown] : {std::tuple{5LL, -3, "5000"}, std::tuple{-12LL, -2, "-1200"},
                                              std::tuple{7LL, -20, "700000000000000000000"},
                                              std::tuple{0LL, -5, "0"}, std::tuple{51LL, 1, "5.1"}}) {
        const Decimal value(units, scale);
        EXPECT_EQ(value.toString(), shown) << units << "e" << -scale;
        EXPECT_EQ(value.unitsAt(0), value.toInt64()) << "no fraction is held";
    }
}

} // namespace
} // namespace tallyfin
