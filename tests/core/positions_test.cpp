#include <gtest/gtest.h>

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
    // After the first sale, the dividend and its tax:
    //   diluted (22010.22 − 6491.65 − 300 + 30) ÷ 1500 = 10.16571…
    //   average 22010.22 × 1500/2000 ÷ 1500 = 11.005…, realised 6491.65 − 5502.555 + 270 = 1259.095
    //   FIFO realised 6491.65 − 5002.55 + 270 = 1759.10
    const PositionReport midway = ReplayHoldings(std::span(kStatement).first(5)).positions.at(0);
    EXPECT_EQ(midway.shares.toString(), "1500");
    EXPECT_EQ(shown(midway.dilutedCost, 3), "10.166");
    EXPECT_EQ(shown(midway.averageCost, 3), "11.005");
    EXPECT_EQ(shown(midway.realizedAverage, 3), "1259.095");
    EXPECT_EQ(shown(midway.realizedFifo, 2), "1759.1");

    const PositionsReport end = ReplayHoldings(kStatement);
    ASSERT_EQ(end.positions.size(), 1u);
    const PositionReport &p = end.positions[0];
    EXPECT_EQ(p.shares.toString(), "100");
    // 2005.00 − 2490.00 over 100 shares; the first holding's figures were left behind at 0.
    EXPECT_EQ(shown(p.dilutedCost, 3), "-4.85");
    EXPECT_EQ(shown(p.averageCost, 3), "10.025");
    // 7234.93 from the first holding, −15 of tax after it, 2490 − 1002.50 from the second.
    EXPECT_EQ(shown(p.realizedAverage, 2), "8707.43");
    EXPECT_EQ(shown(p.realizedFifo, 2), "8707.43");
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
    EXPECT_EQ(shown(p.realizedAverage, 2), "7219.93");
}

// First in, first out against a share-by-share replay, and the moving
// average against its textbook form (the basis of the shares sold taken off
// at each sale), on random histories with bonus shares; whenever a holding
// closes, every convention has realised the same cash.
TEST(PositionsTest, ConventionsMatchTheirStepByStepForms)
{
    std::mt19937 random(20261208);
    for (int history = 0; history < 300; ++history) {
        std::vector<HoldingEvent> events;
        std::deque<Rational> shares; // the cost of each share held, oldest first
        Rational fifoRealised = 0, averageRealised = 0, basis = 0, cashFlow = 0;
        for (int line = 1; line <= 14; ++line) {
            const int quantity = 1 + static_cast<int>(random() % 7);
            const Decimal cash(static_cast<long long>(random() % 100000), 2);
            const int choice = static_cast<int>(random() % 6);
            const Kind kind = choice <= 1 ? Kind::Buy : choice <= 3 ? Kind::Sell : choice == 4 ? Kind::Dividend
                                                                                               : Kind::BonusShares;
            events.push_back({line, "000001", "", kind, Decimal(quantity), cash, Decimal()});
            if (kind == Kind::Buy || kind == Kind::BonusShares) {
                const Rational cost = kind == Kind::Buy ? cash.toRational() : Rational(0);
                for (int i = 0; i < quantity; ++i)
                    shares.push_back(cost / quantity);
                basis += cost;
                cashFlow -= cost;
                events.back().cash = kind == Kind::Buy ? cash : Decimal();
            } else if (kind == Kind::Sell) {
                if (quantity > static_cast<int>(shares.size()))
                    continue; // skipped as oversold
                const Rational taken = basis * quantity / static_cast<int>(shares.size());
                basis -= taken;
                averageRealised += cash.toRational() - taken;
                fifoRealised += cash.toRational();
                cashFlow += cash.toRational();
                for (int i = 0; i < quantity; ++i) {
                    fifoRealised -= shares.front();
                    shares.pop_front();
                }
            } else {
                fifoRealised += cash.toRational();
                averageRealised += cash.toRational();
                cashFlow += cash.toRational();
            }
            const PositionReport p = ReplayHoldings(events).positions.at(0);
            ASSERT_EQ(p.realizedFifo, fifoRealised) << "history " << history << " line " << line;
            ASSERT_EQ(p.realizedAverage, averageRealised) << "history " << history << " line " << line;
            ASSERT_EQ(p.shares, Decimal(static_cast<long long>(shares.size())));
            if (shares.empty()) {
                ASSERT_FALSE(p.averageCost);
                ASSERT_EQ(p.realizedAverage, cashFlow);
                ASSERT_EQ(p.realizedFifo, cashFlow);
            } else {
                ASSERT_EQ(*p.averageCost, basis / static_cast<int>(shares.size()));
            }
        }
    }
}

} // namespace
} // namespace tallyfin
