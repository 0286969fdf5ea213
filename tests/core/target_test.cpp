#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "classictrade.h"
#include "datedtrade.h"
#include "fees.h"
#include "pricegrid.h"
#include "pricesearch.h"
#include "target.h"

namespace tallyfin {
namespace {

TradeFields boughtDated(const char *market, const char *date, const char *price, const char *quantity)
{
    TradeFields f;
    f.rules = RuleSet::Dated;
    f.market = market;
    f.tradeDate = date;
    f.commissionRate = "0.25";
    f.buyPrice = price;
    f.buyQuantity = quantity;
    CalculateTrade(f, ".");
    return f;
}

TEST(TargetTest, BreakEvenOfTheDatedExampleAndTheTickBelow)
{
    const TradeFields f = boughtDated("上海A股", "2026-12-08", "10", "1000");
    ASSERT_EQ(f.cashPaid, "10005.10");
    const TargetSolution s = SolveTarget(f, TargetKind::BreakEven, "", ".");
    ASSERT_FALSE(s.message);
    EXPECT_EQ(s.atTarget.price, "10.02");
    EXPECT_EQ(s.atTarget.netReceipts, "10009.89");
    EXPECT_EQ(s.atTarget.profit, "4.79");
    ASSERT_TRUE(s.tickBelow);
    EXPECT_EQ(s.tickBelow->price, "10.01");
    EXPECT_EQ(s.tickBelow->profit, "-5.21");
    EXPECT_EQ(f.breakEvenPrice, s.atTarget.price) << "the window's break-even is the same search";
}

TEST(TargetTest, ClassicTargetsUseTheClassicSale)
{
    TradeFields f;
    f.buyPrice = "10";
    f.buyQuantity = "1000";
    CalculateTrade(f, ".");
    ASSERT_EQ(f.cashPaid, "10031");
    // 10% of 10031 is 1003.1: at 11.08 the classic sale returns 11080 - 33.24 - 11.08 - 1
    // = 11034.68, at 11.07 only 11024.72.
    const TargetSolution s = SolveTarget(f, TargetKind::Return, "10", ".");
    ASSERT_FALSE(s.message);
    EXPECT_EQ(s.atTarget.price, "11.08");
    EXPECT_EQ(s.atTarget.netReceipts, "11034.68");
    EXPECT_EQ(s.atTarget.returnPercent, "10.01");
    EXPECT_EQ(s.tickBelow->price, "11.07");
    EXPECT_EQ(s.tickBelow->profit, "993.72");
}

TEST(TargetTest, TargetsNoPriceCanMeetGiveAMessage)
{
    const TradeFields f = boughtDated("上海A股", "2026-12-08", "10", "100");
    EXPECT_EQ(SolveTarget(f, TargetKind::Profit, "1e9", ".").message, std::string(kTargetUnreachable));
    // Losing all 10005.10 of a 1000-share purchase: selling at 0.01 loses only 10000.11.
    const TradeFields large = boughtDated("上海A股", "2026-12-08", "10", "1000");
    EXPECT_EQ(SolveTarget(large, TargetKind::Return, "-100", ".").message, std::string(kTargetAtLowestPrice));
    TradeFields none = f;
    none.sellQuantity = "0";
    EXPECT_THROW(SolveTarget(none, TargetKind::BreakEven, "", "."), EInputRejected);
    EXPECT_THROW(SolveTarget(f, TargetKind::Profit, "lots", "."), EConvertError);
}

TEST(TargetTest, TheCalculateActionEndsWithTheTarget)
{
    TradeFields f = boughtDated("上海A股", "2026-12-08", "10", "1000");
    f.targetValue = "10";
    CalculateTrade(f, ".");
    EXPECT_EQ(f.targetPrice, "11.02");
    EXPECT_EQ(f.targetYield, "11009.38 / 1004.28");
    f.targetKind = TargetKind::Profit;
    f.targetValue = "1e9";
    CalculateTrade(f, ".");
    EXPECT_EQ(f.targetPrice, kTargetUnreachable);
    EXPECT_EQ(f.targetYield, "");
    f.buyQuantity.clear();
    CalculateTrade(f, ".");
    EXPECT_EQ(f.targetPrice, "") << "nothing bought, no target";
}

TEST(TargetTest, ClassicSettingsNoPriceCanBeFoundForAreRefused)
{
    TradeFields f;
    f.buyPrice = "10";
    f.buyQuantity = "1000";
    CalculateTrade(f, ".");
    for (const auto &[field, text] :
         {std::pair{&TradeFields::sellQuantity, "0"}, std::pair{&TradeFields::sellQuantity, "2e10"},
          std::pair{&TradeFields::commissionRate, "600"}, std::pair{&TradeFields::commissionRate, "-1"},
          std::pair{&TradeFields::stampDutyRate, "-1"}, std::pair{&TradeFields::cashPaid, "-1"}}) {
        TradeFields refused = f;
        refused.*field = text;
        EXPECT_THROW(SolveTarget(refused, TargetKind::BreakEven, "", "."), EInputRejected) << text;
    }
    f.rules = RuleSet::Dated;
    f.tradeDate = "2026-12-08";
    f.cashPaid = "0";
    EXPECT_THROW(SolveTarget(f, TargetKind::BreakEven, "", "."), EInputRejected);
}

// A curve that rises one a tick but dips by 6 after tick 61: the lowest
// tick reaching 60 is 60, although 62 … 70 fall short again.
TEST(TargetTest, SearchSeesPastADipToALowerTick)
{
    for (const std::int64_t estimate : {1, 65, 71, 1000}) {
        SaleCurve curve;
        curve.profitAt = [](std::int64_t k) { return Decimal(k >= 62 && k <= 70 ? 55 : k); };
        curve.maxDip = Decimal(10);
        curve.maxTick = 100000;
        curve.estimate = estimate;
        const TickSearch search = LowestTickReaching(curve, Decimal(60));
        EXPECT_EQ(search.outcome, TickSearchOutcome::Found) << estimate;
        EXPECT_EQ(search.tick, 60) << estimate;
        EXPECT_LT(search.evaluations, 60) << estimate;
    }
}

// The start of a search: where the amount less the fees covers the cash
// needed, and the lowest tick where that is no usable number.
TEST(TargetTest, EstimateStartsNearTheAnswerOrAtTheLowestTick)
{
    const PriceGrid shares(Market::ShanghaiA), funds(Market::FundsWarrants), hongKong(Market::HongKong);
    EXPECT_EQ(shares.indexNear(EstimatePrice(10031 + 1003.1, 5 + 1, 3 + 1, 1000)), 1109); // the answer is 1108
    EXPECT_EQ(shares.indexNear(EstimatePrice(100, 0, 1000, 1)), 1) << "fees that take the whole amount";
    EXPECT_EQ(funds.indexNear(EstimatePrice(1e30, 0, 0, 1)), funds.size()) << "beyond any tick: the highest";
    EXPECT_EQ(shares.indexNear(EstimatePrice(-50, 0, 0, 100)), 1) << "a goal below nothing";
    EXPECT_EQ(hongKong.priceAt(hongKong.indexNear(47.13)), Decimal::fromLiteral("47.15")) << "up to the spread table";
}

// --- Against a brute force -------------------------------------------------

// Whether selling at a price text reaches the goal, computed the plain way:
// the dated rules' sell-side fees, or the classic fees in the order the
// window applies them to a typed price.
class PlainSale {
public:
    explicit PlainSale(const TradeFields &f) : m_fields(f)
    {
        if (f.rules == RuleSet::Dated)
            m_schedule = ReadFeeSchedule(f, ".");
    }

    bool reaches(const std::string &price, const std::string &quantity, const Decimal &goal) const
    {
        if (m_schedule) {
            const SideFees fees =
                m_schedule->fees(TradeSide::Sell, *Decimal::fromTyped(price, "."), *Decimal::fromTyped(quantity, "."));
            return fees.amount - fees.total() - *Decimal::fromTyped(m_fields.cashPaid, ".") >= goal;
        }
        const FeeSettings fees = ReadFeeSettings(m_fields, ".");
        const double p = RoundToDouble(ParseDecimal(price, "."));
        const double q = RoundToDouble(ParseDecimal(quantity, "."));
        const Extended net = ((Extended(TradeAmount(p, q)) - CommissionFee(p, q, fees.commissionRate, fees.minimumCommission))
                              - StampDutyFee(p, q, fees.stampDutyRate))
                             - TransferFee(fees.market, q);
        return Decimal::fromExtended(RoundToDouble(net - ParseDecimal(m_fields.cashPaid, "."))) >= goal;
    }

private:
    const TradeFields &m_fields;
    std::optional<FeeSchedule> m_schedule;
};

struct RandomCase {
    TradeFields bought;
    std::string quantity;
    TargetKind kind;
    std::string value;
};

RandomCase randomCase(std::mt19937_64 &random)
{
    const auto pick = [&random](auto... choices) {
        const std::vector<std::string> all{choices...};
        return all[std::uniform_int_distribution<std::size_t>(0, all.size() - 1)(random)];
    };
    const auto between = [&random](long long low, long long high) {
        return std::uniform_int_distribution<long long>(low, high)(random);
    };
    TradeFields f;
    f.rules = between(0, 1) ? RuleSet::Dated : RuleSet::Classic;
    f.market = f.rules == RuleSet::Dated ? pick("上海A股", "深圳A股", "北京A股", "基金权证") : pick("上海A股", "深圳A股", "基金权证");
    const int year = f.market == "北京A股" ? static_cast<int>(between(2022, 2026)) : static_cast<int>(between(2002, 2026));
    f.tradeDate = std::to_string(year) + "-0" + std::to_string(between(1, 9)) + "-1" + std::to_string(between(0, 9));
    f.commissionRate = pick("0", "0.1", "0.25", "1", "2.5", "3");
    f.stampDutyRate = pick("0", "1", "3");
    f.stampDutyBothSides = between(0, 1);
    f.noMinimum = between(0, 1);
    f.leviesOnTop = between(0, 1);
    // Tiny quantities make the rounding dips that the search must see past.
    const long long quantity = pick("tiny", "lot", "large") == "tiny" ? between(1, 5)
                               : between(0, 1)                     ? between(1, 50) * 100
                                                                   : between(1000, 100000000);
    f.buyQuantity = std::to_string(quantity);
    const bool funds = f.market == "基金权证";
    f.buyPrice = (Decimal(between(1, funds ? 50000 : 5000), funds ? 3 : 2)).toString();
    CalculateTrade(f, ".");
    const TargetKind kind = static_cast<TargetKind>(between(0, 2));
    const std::string value = kind == TargetKind::Profit ? std::to_string(between(-2000, 2000))
                                                         : Decimal(between(-3000, 3000), 2).toString();
    return {f, std::to_string(between(0, 3) ? quantity : std::max(1LL, quantity / 2)), kind, value};
}

TEST(TargetTest, FindsTheLowestReachingTickInThousandsOfRandomSales)
{
    std::mt19937_64 random(20261208);
    int found = 0;
    for (int i = 0; i < 2000; ++i) {
        RandomCase c = randomCase(random);
        c.bought.sellQuantity = c.quantity;
        const TargetSolution s = SolveTarget(c.bought, c.kind, c.value, ".");
        const Decimal cashPaid = *Decimal::fromTyped(c.bought.cashPaid, ".");
        const Decimal goal = c.kind == TargetKind::BreakEven ? Decimal()
                             : c.kind == TargetKind::Profit  ? *Decimal::fromTyped(c.value, ".")
                                                             : (cashPaid * *Decimal::fromTyped(c.value, ".")).shifted(-2);
        const bool funds = c.bought.market == "基金权证";
        const Decimal tick(1, funds ? 3 : 2);
        const std::string where = c.bought.market + " " + c.bought.tradeDate + " buy " + c.bought.buyPrice + " × " + c.bought.buyQuantity
                                  + " sell " + c.quantity + " goal " + goal.toString();
        const PlainSale sale(c.bought);
        if (s.message == std::string(kTargetAtLowestPrice)) {
            EXPECT_TRUE(sale.reaches(tick.toString(), c.quantity, goal)) << where;
            continue;
        }
        ASSERT_FALSE(s.message) << where; // every goal here lies below the highest price
        ASSERT_TRUE(sale.reaches(s.atTarget.price, c.quantity, goal)) << where;
        // No lower tick reaches it. Net receipts never exceed the amount, so
        // the walk can start where the amount first covers the goal.
        const Decimal quantity = *Decimal::fromTyped(c.quantity, ".");
        const Decimal answer = *Decimal::fromTyped(s.atTarget.price, ".");
        const Decimal start = Decimal::quotient(cashPaid + goal - Decimal(1), quantity, funds ? 3 : 2, Rounding::Floor);
        for (Decimal price = std::max(start, tick); price < answer; price = price + tick)
            ASSERT_FALSE(sale.reaches(price.toString(), c.quantity, goal)) << where << " at " << price.toString();
        EXPECT_EQ(*Decimal::fromTyped(s.tickBelow->price, "."), answer - tick) << where;
        ++found;
    }
    EXPECT_GT(found, 1500);
}

} // namespace
} // namespace tallyfin
