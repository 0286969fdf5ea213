// Positions that start from shares held before the history: with their cost,
// exactly as a first purchase; without it, every figure that depends on it
// unknown, and their sale never more than held.
#include <gtest/gtest.h>

#include "positions.h"

namespace tallyfin {
namespace {

HoldingEvent trade(HoldingEventKind kind, const char *quantity, const char *cash)
{
    return {1, "600036", "招商银行", kind, Decimal::fromLiteral(quantity), Decimal::fromLiteral(cash), Decimal(5)};
}

TEST(OpeningPositionsTest, AKnownCostIsAFirstPurchase)
{
    const std::vector<HoldingEvent> events{trade(HoldingEventKind::Buy, "500", "6005"),
                                           trade(HoldingEventKind::Sell, "700", "8395")};
    const OpeningPosition opening{"600036", "招商银行", Decimal(1000), Decimal(11000)};
    std::vector<HoldingEvent> asPurchase{trade(HoldingEventKind::Buy, "1000", "11000")};
    asPurchase.front().fees = Decimal();
    asPurchase.insert(asPurchase.end(), events.begin(), events.end());

    const PositionReport opened = ReplayHoldings(events, std::span(&opening, 1)).positions.at(0);
    const PositionReport bought = ReplayHoldings(asPurchase).positions.at(0);
    EXPECT_EQ(opened.shares, bought.shares);
    EXPECT_EQ(opened.dilutedCost, bought.dilutedCost);
    EXPECT_EQ(opened.averageCost, bought.averageCost);
    EXPECT_EQ(opened.realizedFifo, bought.realizedFifo);
    EXPECT_EQ(opened.realizedAverage, bought.realizedAverage);
    EXPECT_EQ(opened.openingShares, Decimal(1000));
    EXPECT_EQ(opened.openingCost, Decimal(11000));
}

struct UnknownCostCase {
    const char *name;
    std::vector<HoldingEvent> events;
    const char *shares;
    bool costKnown, realizedKnown;
};

TEST(OpeningPositionsTest, AnUnknownCostLeavesWhatDependsOnItUnknown)
{
    const OpeningPosition opening{"600036", "招商银行", Decimal(1000), std::nullopt};
    const UnknownCostCase cases[] = {
        {"NothingSold", {trade(HoldingEventKind::Buy, "500", "6005")}, "1500", false, true},
        {"PartSold", {trade(HoldingEventKind::Sell, "400", "4795")}, "600", false, false},
        {"AllSoldThenBought",
         {trade(HoldingEventKind::Sell, "1000", "11995"), trade(HoldingEventKind::Buy, "200", "2005")}, "200", true, false},
    };
    for (const UnknownCostCase &c : cases) {
        const PositionsReport report = ReplayHoldings(c.events, std::span(&opening, 1));
        EXPECT_TRUE(report.oversold.empty()) << c.name;
        const PositionReport &p = report.positions.at(0);
        EXPECT_EQ(p.shares, Decimal::fromLiteral(c.shares)) << c.name;
        EXPECT_EQ(p.dilutedCost.has_value(), c.costKnown) << c.name;
        EXPECT_EQ(p.averageCost.has_value(), c.costKnown) << c.name;
        EXPECT_EQ(!p.realizedUnknown, c.realizedKnown) << c.name;
        const PositionTexts texts = FormatPosition(p, kDecimalPoint);
        EXPECT_EQ(texts.realizedFifo.empty(), !c.realizedKnown) << c.name;
        EXPECT_EQ(texts.dilutedCost.empty(), !c.costKnown) << c.name;
    }
}

TEST(OpeningPositionsTest, PositionsKeepTheOrderOfTheirFirstRows)
{
    std::vector<HoldingEvent> events{trade(HoldingEventKind::Buy, "100", "1005")};
    events.front().code = "000001";
    events.push_back(trade(HoldingEventKind::Sell, "100", "1195"));
    const OpeningPosition openings[] = {{"600036", "招商银行", Decimal(100), std::nullopt},
                                        {"601318", "中国平安", Decimal(300), std::nullopt}};
    const PositionsReport report = ReplayHoldings(events, openings);
    ASSERT_EQ(report.positions.size(), 3u);
    EXPECT_EQ(report.positions[0].code, "000001");
    EXPECT_EQ(report.positions[1].code, "600036");
    EXPECT_EQ(report.positions[2].code, "601318"); // held, with no row after
    EXPECT_EQ(report.positions[2].shares, Decimal(300));
}

} // namespace
} // namespace tallyfin
