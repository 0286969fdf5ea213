#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <random>

#include "positions.h"

namespace tallyfin {
namespace {

using Kind = HoldingEventKind;
using Rational = Decimal::Rational;

HoldingEvent event(int line, Kind kind, const char *quantity, const char *cash, const char *fees = "0")
{
    return {line, "600000", "浦发银行", kind, Decimal::fromLiteral(quantity), Decimal::fromLiteral(cash),
            Decimal::fromLiteral(fees)};
}

std::string shown(const std::optional<Rational> &value, int decimals)
{
    return value ? Decimal::fromRational(*value, decimals, Rounding::HalfUp).toString() : "none";
}

// Worked by hand: two buys, a partial sale, a dividend and its tax, a sale to
// zero, a tax charged after it, a new holding whose sale leaves the diluted
// cost negative, and a sale of more than is held.
const std::vector<HoldingEvent> kStatement{
    event(2, Kind::Buy, "1000", "10005.10", "5.10"),
    event(3, Kind::Buy, "1000", "12005.12", "5.12"),
    event(4, Kind::Sell, "500", "6491.65", "8.35"),
    event(5, Kind::Dividend, "0", "300"),
    event(6, Kind::DividendTax, "0", "30"),
    event(7, Kind::Sell, "1500", "22483.50", "16.50"),
    event(8, Kind::DividendTax, "0", "15"),
    event(9, Kind::Buy, "200", "2005.00", "5.00"),
    event(10, Kind::Sell, "5000", "60000", "60"),
    event(11, Kind::Sell, "100", "2490.00", "10.00"),
};

TEST(PositionsTest, ThreeConventionsAgreeWithTheHandWorkedStatement)
{
    // After the first sale, the dividend and its tax (received while held: no realised profit):
    //   diluted (22010.22 − 6491.65 − 300 + 30) ÷ 1500 = 10.16571…
    //   average 22010.22 × 1500/2000 ÷ 1500 = 11.005…, realised 6491.65 − 5502.555 = 989.095
    //   FIFO realised 6491.65 − 5002.55 = 1489.10
    const PositionReport midway = ReplayHoldings(std::span(kStatement).first(5)).positions.at(0);
    EXPECT_EQ(midway.shares.toString(), "1500");
    EXPECT_EQ(shown(midway.dilutedCost, 3), "10.166");
    EXPECT_EQ(shown(midway.averageCost, 3), "11.005");
    EXPECT_EQ(shown(midway.realizedAverage, 3), "989.095");
    EXPECT_EQ(shown(midway.realizedFifo, 2), "1489.1");

    const PositionsReport end = ReplayHoldings(kStatement);
    ASSERT_EQ(end.positions.size(), 1u);
    const PositionReport &p = end.positions[0];
    EXPECT_EQ(p.shares.toString(), "100");
    // 2005.00 − 2490.00 over 100 shares; the first holding's figures were left behind at 0.
    EXPECT_EQ(shown(p.dilutedCost, 3), "-4.85");
    EXPECT_EQ(shown(p.averageCost, 3), "10.025");
    // 6964.93 from the first holding's trades, −15 of tax after it, 2490 − 1002.50 from the second.
    EXPECT_EQ(shown(p.realizedAverage, 2), "8437.43");
    EXPECT_EQ(shown(p.realizedFifo, 2), "8437.43");
    EXPECT_EQ(p.dividends.toString(), "255");
    EXPECT_EQ(p.fees.toString(), "50.07") << "the skipped sale's fees are not counted";
    ASSERT_EQ(end.oversold.size(), 1u);
    EXPECT_EQ(end.oversold[0].line, 10);
    EXPECT_EQ(end.oversold[0].held.toString(), "200");
}

TEST(PositionsTest, ASecurityEndingAtZeroKeepsOnlyItsRealisedFigures)
{
    const PositionReport p = ReplayHoldings(std::span(kStatement).first(7)).positions.at(0);
    EXPECT_EQ(p.shares.sign(), 0);
    EXPECT_FALSE(p.dilutedCost);
    EXPECT_FALSE(p.averageCost);
    EXPECT_EQ(shown(p.realizedAverage, 2), "6949.93");
}

// A position as shown: shares whole, costs with three decimals, money with
// two, ties away from zero, the separator asked for, no cost without shares.
struct FormatCase {
    const char *name;
    std::vector<HoldingEvent> events;
    const char *separator;
    std::vector<std::string> shown; // shares, diluted, average, realised ×2, fees, dividends
};

void PrintTo(const FormatCase &c, std::ostream *os) { *os << c.name; }

class FormatPositionTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatPositionTest, ShowsEachFigureAsTheUserReadsIt)
{
    const FormatCase &c = GetParam();
    const PositionTexts t = FormatPosition(ReplayHoldings(c.events).positions.at(0), c.separator);
    EXPECT_EQ(t.code, "600000");
    EXPECT_EQ(t.name, "浦发银行");
    EXPECT_EQ((std::vector<std::string>{t.shares, t.dilutedCost, t.averageCost, t.realizedAverage, t.realizedFifo,
                                        t.fees, t.dividends}),
              c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FormatPositionTest,
    testing::Values(
        // (10005.10 − 4395.50) ÷ 600 = 9.34933…; 4395.50 − 400 × 10.0051 = 393.46.
        FormatCase{"PartlySold",
                   {event(1, Kind::Buy, "1000", "10005.10", "5.10"), event(2, Kind::Sell, "400", "4395.50", "4.50")},
                   ".",
                   {"600", "9.349", "10.005", "393.46", "393.46", "9.60", "0.00"}},
        // The dividend brings the diluted cost to 9.3485, a tie, and realises nothing.
        FormatCase{"CommaSeparator",
                   {event(1, Kind::Buy, "1000", "10005.10", "5.10"), event(2, Kind::Sell, "400", "4395.50", "4.50"),
                    event(3, Kind::Dividend, "0", "0.5")},
                   ",",
                   {"600", "9,349", "10,005", "393,46", "393,46", "9,60", "0,50"}},
        FormatCase{"ClosedHasNoCost",
                   {event(1, Kind::Buy, "300", "3000", "5"), event(2, Kind::Sell, "300", "3300", "5")},
                   ".",
                   {"0", "", "", "300.00", "300.00", "10.00", "0.00"}},
        FormatCase{"DilutedBelowZero",
                   {event(1, Kind::Buy, "200", "2005.00", "5"), event(2, Kind::Sell, "100", "2490.00", "10")},
                   ".",
                   {"100", "-4.850", "10.025", "1487.50", "1487.50", "15.00", "0.00"}},
        // 2 shares for 10.01: each costs 5.005, so a sale of one realises a tie at cents.
        FormatCase{"TiesAwayFromZero",
                   {event(1, Kind::Buy, "2", "10.01"), event(2, Kind::Sell, "1", "10.00")},
                   ".",
                   {"1", "0.010", "5.005", "5.00", "5.00", "0.00", "0.00"}},
        FormatCase{"NegativeTieAwayFromZero",
                   {event(1, Kind::Buy, "2", "10.01"), event(2, Kind::Sell, "1", "5.00")},
                   ".",
                   {"1", "5.010", "5.005", "-0.01", "-0.01", "0.00", "0.00"}},
        // 8 shares for 10.02: 1.2525 each, a tie at three decimals.
        FormatCase{"CostTieAtThreeDecimals",
                   {event(1, Kind::Buy, "8", "10.02")},
                   ".",
                   {"8", "1.253", "1.253", "0.00", "0.00", "0.00", "0.00"}}),
    [](const auto &test) { return std::string(test.param.name); });

// The three conventions against a share-by-share replay written out here, on
// random histories with bonus shares, dividends and their tax: first in,
// first out sells the earliest shares; the moving average takes off the
// basis of the shares sold at each sale; the diluted cost nets all cash since
// the holding was last 0. A dividend or tax while shares are held moves only
// the diluted cost; while nothing is held, only the realised figures.
TEST(PositionsTest, ConventionsMatchTheirStepByStepForms)
{
    std::mt19937 random(20261208);
    for (int history = 0; history < 300; ++history) {
        std::vector<HoldingEvent> events;
        std::deque<Rational> shares; // the cost of each share held, oldest first
        Rational fifoRealised = 0, averageRealised = 0, basis = 0, dilutedNet = 0, dividends = 0;
        for (int line = 1; line <= 14; ++line) {
            const int quantity = 1 + static_cast<int>(random() % 7);
            const Decimal cash(static_cast<long long>(random() % 100000), 2);
            const Kind kind = std::array{Kind::Buy, Kind::Buy, Kind::Sell, Kind::Sell, Kind::Dividend,
                                         Kind::DividendTax, Kind::BonusShares}[random() % 7];
            events.push_back({line, "000001", "", kind, Decimal(quantity), cash, Decimal()});
            if (kind == Kind::Buy || kind == Kind::BonusShares) {
                const Rational cost = kind == Kind::Buy ? cash.toRational() : Rational(0);
                for (int i = 0; i < quantity; ++i)
                    shares.push_back(cost / quantity);
                basis += cost;
                dilutedNet += cost;
                events.back().cash = kind == Kind::Buy ? cash : Decimal();
            } else if (kind == Kind::Sell) {
                if (quantity > static_cast<int>(shares.size()))
                    continue; // skipped as oversold
                const Rational taken = basis * quantity / static_cast<int>(shares.size());
                basis -= taken;
                averageRealised += cash.toRational() - taken;
                fifoRealised += cash.toRational();
                dilutedNet -= cash.toRational();
                for (int i = 0; i < quantity; ++i) {
                    fifoRealised -= shares.front();
                    shares.pop_front();
                }
                if (shares.empty())
                    dilutedNet = 0;
            } else {
                const Rational received = kind == Kind::Dividend ? cash.toRational() : -cash.toRational();
                dividends += received;
                if (!shares.empty()) {
                    dilutedNet -= received;
                } else {
                    fifoRealised += received;
                    averageRealised += received;
                }
            }
            const PositionReport p = ReplayHoldings(events).positions.at(0);
            const std::string where = "history " + std::to_string(history) + " line " + std::to_string(line);
            ASSERT_EQ(p.realizedFifo, fifoRealised) << where;
            ASSERT_EQ(p.realizedAverage, averageRealised) << where;
            ASSERT_EQ(p.dividends.toRational(), dividends) << where;
            ASSERT_EQ(p.shares, Decimal(static_cast<long long>(shares.size()))) << where;
            if (shares.empty()) {
                ASSERT_FALSE(p.averageCost) << where;
                ASSERT_FALSE(p.dilutedCost) << where;
            } else {
                ASSERT_EQ(*p.averageCost, basis / static_cast<int>(shares.size())) << where;
                ASSERT_EQ(*p.dilutedCost, dilutedNet / static_cast<int>(shares.size())) << where;
            }
        }
    }
}

} // namespace
} // namespace tallyfin
