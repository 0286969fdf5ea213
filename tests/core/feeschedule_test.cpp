#include <gtest/gtest.h>

#include <random>

#include "feeschedule.h"

namespace tallyfin {
namespace {

Decimal money(const char *text) { return Decimal::fromLiteral(text); }

// The commission terms brokers write into their contracts, and the lines of
// the slip they give.
struct SlipCase {
    const char *name;
    Market market;
    const char *rate, *minimum; // ‰, yuan
    bool leviesOnTop;
    TransferBilling billing;
    TradeSide side;
    const char *price, *quantity;
    // amount, commission, stamp duty, transfer fee, levies on top, transfer fee in the commission
    std::array<const char *, 6> lines;
};

void PrintTo(const SlipCase &c, std::ostream *os) { *os << c.name; }

class FeeScheduleSlipTest : public testing::TestWithParam<SlipCase> {};

TEST_P(FeeScheduleSlipTest, GivesTheSlipsLines)
{
    const SlipCase &c = GetParam();
    const FeeSchedule schedule(RulesFor({2026, 12, 8}, c.market),
                               CommissionTerms{money(c.rate), money(c.minimum), c.leviesOnTop, c.billing});
    const SideFees fees = schedule.fees(c.side, money(c.price), money(c.quantity));
    const std::array<Decimal, 6> lines{fees.amount,      fees.commission, fees.stampDuty,
                                       fees.transferFee, fees.levies,     fees.transferInCommission};
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], money(c.lines[i])) << "line " << i << ": " << lines[i].toString();
}

constexpr TransferBilling kTable = TransferBilling::AsTheTableSays;
constexpr TransferBilling kWithLevies = TransferBilling::WithTheLevies;
constexpr TransferBilling kOwnLine = TransferBilling::OnItsOwnLine;

INSTANTIATE_TEST_SUITE_P(
    Slips, FeeScheduleSlipTest,
    testing::Values(
        SlipCase{"ShanghaiBuy", Market::ShanghaiA, "0.25", "5", false, kTable, TradeSide::Buy, "10", "1000",
                 {"10000", "5", "0", "0.10", "0", "0"}},
        SlipCase{"ShanghaiSellLeviesOnTop", Market::ShanghaiA, "0.25", "5", true, kTable, TradeSide::Sell, "11", "1000",
                 {"11000", "5", "5.50", "0.11", "0.60", "0"}},
        // 100 × 1.00 × 0.25‰ = 0.025: half up 0.03, raised to a minimum of 0.1.
        SlipCase{"MinimumOfTenFen", Market::ShanghaiA, "0.25", "0.1", false, kTable, TradeSide::Buy, "1", "100",
                 {"100", "0.10", "0", "0", "0", "0"}},
        SlipCase{"MinimumOfOneYuan", Market::ShenzhenA, "0.25", "1", false, kTable, TradeSide::Buy, "6.09", "200",
                 {"1218", "1", "0", "0", "0", "0.01"}},
        // Without a minimum the commission still contains the levies and a
        // transfer fee billed with them: 0.04 + 0.02 + 0.01.
        SlipCase{"NoMinimumShenzhenFloor", Market::ShenzhenA, "0", "0", false, kTable, TradeSide::Buy, "6.09", "200",
                 {"1218", "0.07", "0", "0", "0", "0.01"}},
        SlipCase{"ShenzhenTransferOnItsOwnLine", Market::ShenzhenA, "0.25", "5", false, kOwnLine, TradeSide::Buy, "6.09", "200",
                 {"1218", "5", "0", "0.01", "0", "0"}},
        SlipCase{"ShanghaiTransferWithTheLevies", Market::ShanghaiA, "0.25", "5", false, kWithLevies, TradeSide::Buy, "10",
                 "1000", {"10000", "5", "0", "0", "0", "0.10"}},
        // 0.34 handling + 0.20 management + 0.10 transfer.
        SlipCase{"ShanghaiTransferWithTheLeviesFloor", Market::ShanghaiA, "0", "0", false, kWithLevies, TradeSide::Buy,
                 "10", "1000", {"10000", "0.64", "0", "0", "0", "0.10"}},
        SlipCase{"WithTheLeviesOnTopIsItsOwnLine", Market::ShanghaiA, "0.25", "5", true, kWithLevies, TradeSide::Buy, "10",
                 "1000", {"10000", "5", "0", "0.10", "0.54", "0"}}),
    [](const auto &test) { return std::string(test.param.name); });

// Every market, date and term: what a statement's amount costs is what the
// price and quantity cost, the items add up, the commission respects its
// minimum and what it contains, and the fees reach the least rate.
TEST(FeeScheduleTest, AmountsAndItemsAgreeOverRandomTrades)
{
    std::mt19937_64 random(20261208);
    const auto between = [&random](long long low, long long high) {
        return std::uniform_int_distribution<long long>(low, high)(random);
    };
    for (int i = 0; i < 3000; ++i) {
        // 港股通's slips have tests of their own (hkfees_test.cpp).
        const Market market = kMarkets[static_cast<std::size_t>(between(0, std::size(kMarkets) - 2))].market;
        const TradeDate date{static_cast<int>(between(2022, 2026)), static_cast<int>(between(1, 12)), 1};
        const CommissionTerms terms{Decimal(between(0, 300), 2), Decimal(between(0, 500), 2), between(0, 1) == 1,
                                    static_cast<TransferBilling>(between(0, 2))};
        const FeeSchedule schedule(RulesFor(date, market), terms);
        const TradeSide side = between(0, 1) ? TradeSide::Buy : TradeSide::Sell;
        const Decimal price(between(1, 2'000'000), MarketTickDecimals(market));
        const Decimal quantity(between(1, 100'000));
        const SideFees fees = schedule.fees(side, price, quantity);
        const std::string where = std::string(MarketName(market)) + " " + FormatTradeDate(date) + " "
                                  + price.toString() + " × " + quantity.toString();

        const SideFees onAmount = schedule.feesOnAmount(side, price * quantity, quantity);
        ASSERT_EQ(onAmount.total(), fees.total()) << where;
        ASSERT_EQ(onAmount.amount, (price * quantity).rounded(2, Rounding::HalfUp)) << where;
        ASSERT_EQ(fees.total(), fees.commission + fees.stampDuty + fees.transferFee + fees.levies) << where;
        ASSERT_EQ(fees.cash(side), side == TradeSide::Buy ? fees.amount + fees.total() : fees.amount - fees.total());
        ASSERT_GE(fees.commission, terms.minimum) << where;
        const Decimal levies = fees.handlingFee + fees.managementFee;
        if (terms.leviesOnTop)
            ASSERT_EQ(fees.levies, levies) << where;
        else
            ASSERT_GE(fees.commission, levies + fees.transferInCommission) << where << ": what the commission contains";
        ASSERT_FALSE(fees.transferInCommission.sign() != 0 && fees.transferFee.sign() != 0) << where << ": billed twice";
        for (const Decimal &item : {fees.commission, fees.stampDuty, fees.transferFee, fees.levies})
            ASSERT_EQ(item, item.rounded(2, Rounding::HalfUp)) << where << ": each item to the cent";
        ASSERT_GE(fees.total() + Decimal(3, 2), (fees.amount * schedule.leastRatePerMille(side)).shifted(-3))
            << where << ": the least rate is a bound";
    }
}

} // namespace
} // namespace tallyfin
