#include <gtest/gtest.h>

#include <random>

#include "errors.h"
#include "positiontools.h"
#include "pricegrid.h"

namespace tallyfin {
namespace {

Decimal d(const char *text) { return Decimal::fromLiteral(text); }

FeeSchedule termsOn(const char *date, Market market, const char *commission, bool noMinimum, bool leviesOnTop)
{
    return {RulesFor(*ParseTradeDate(date), market),
            CommissionTerms{d(commission), noMinimum ? Decimal() : Decimal(kMinimumCommissionYuan), leviesOnTop}};
}

const PositionTerms kToday{termsOn("2026-12-08", Market::ShanghaiA, "0.25", false, false)};

// The cash of one order, straight from the fee rules.
Decimal cashOf(const PositionTerms &terms, TradeSide side, const Decimal &price, const Decimal &quantity)
{
    return terms.fees.fees(side, price, quantity).cash(side);
}

TEST(TTradeTest, SellFirstThenBuyBack)
{
    TTradeQuestion q{TOrder::SellFirst, d("1000"), d("10.50"), d("10.30"), d("3000"), d("11.20"), d("100")};
    const TTradeAnswer a = SolveTTrade(kToday, q);
    // Sale 10500.00 − 5.00 − 5.25 − 0.11 = 10489.64; buy-back 10300.00 + 5.00 + 0.10 = 10305.10.
    EXPECT_EQ(a.first.cash().toString(), "10489.64");
    EXPECT_EQ(a.second->cash().toString(), "10305.1");
    EXPECT_EQ(a.gain->toString(), "184.54");
    // (3000 × 11.20 − 184.54) ÷ 3000 = 11.138486…
    EXPECT_EQ(Decimal::fromRational(*a.dilutedCost, 3, Rounding::HalfUp).toString(), "11.138");
    EXPECT_EQ(a.breakEvenPrice->toString(), "10.48");
    EXPECT_EQ(a.targetPrice->toString(), "10.38");
    EXPECT_FALSE(a.message);
}

TEST(TTradeTest, RefusesWhatCannotBeTraded)
{
    TTradeQuestion q{TOrder::SellFirst, d("1000"), d("10.50"), std::nullopt, d("500"), d("11.20"), std::nullopt};
    EXPECT_THROW(SolveTTrade(kToday, q), EInputRejected) << "holding smaller than the quantity";
    q.holding = d("5000");
    q.quantity = d("150");
    EXPECT_THROW(SolveTTrade(kToday, q), EInputRejected) << "off the lot";
    q.holding = q.quantity = d("2050");
    EXPECT_THROW(SolveTTrade(kToday, q), EInputRejected) << "the whole holding, but one leg buys it";
    q.quantity = d("2000");
    q.costPerShare = std::nullopt;
    EXPECT_THROW(SolveTTrade(kToday, q), EInputRejected) << "a holding without its cost";
    EXPECT_THROW(ReadPriceOnTick("10.505", "价格", Market::ShanghaiA, "."), EInputRejected);
    EXPECT_EQ(ReadPriceOnTick("10.505", "价格", Market::ShanghaiFund, ".").toString(), "10.505");
    EXPECT_THROW(ReadShares("0", "数量", "."), EInputRejected);
    EXPECT_THROW(TermsForCode(kToday.fees, "900901"), EInputRejected);
    EXPECT_EQ(TermsForCode(kToday.fees, "688001").lot.minimum, 200);
}

TEST(TopUpTest, AnswersTheThreeWaysItCan)
{
    // 2000 held at 12.30, bought at 9.80 down to 11.00: 2100 more would cost
    // 20585.36 (45185.36 ÷ 4100 = 11.02), 2200 cost 21565.61 (46165.61 ÷ 4200 = 10.992).
    TopUpAnswer a = SolveTopUp(kToday, {d("2000"), d("24600"), d("9.80"), d("11.00")});
    EXPECT_EQ(a.quantity->toString(), "2200");
    EXPECT_EQ(a.purchase->cash().toString(), "21565.61");
    EXPECT_EQ(Decimal::fromRational(a.newCost, 3, Rounding::HalfUp).toString(), "10.992");
    a = SolveTopUp(kToday, {d("2000"), d("21000"), d("9.80"), d("11.00")});
    EXPECT_EQ(a.quantity->sign(), 0);
    EXPECT_EQ(a.message->toString(), kNoTopUpNeeded);
    a = SolveTopUp(kToday, {d("2000"), d("24600"), d("9.80"), d("9.801")});
    EXPECT_FALSE(a.quantity) << "fees keep the cost above 9.801";
    EXPECT_EQ(a.message->toString(), kTopUpUnreachable);
    EXPECT_THROW(SolveTopUp(kToday, {d("2000"), d("24600"), d("9.80"), d("9.80")}), EInputRejected);
}

TEST(RecoverTest, SellsJustEnoughOrSaysWhatIsMissing)
{
    // 2000 at 15.20 nets 30376.90, 1900 only 28858.05.
    RecoverAnswer a = SolveRecover(kToday, {d("3000"), d("30120.50"), d("15.20")});
    EXPECT_EQ(a.sale->quantity.toString(), "2000");
    EXPECT_EQ(a.sale->cash().toString(), "30376.9");
    EXPECT_EQ(a.remaining.toString(), "1000");
    // 2050 held: only the whole holding, with its odd 50, reaches 31130.
    a = SolveRecover(kToday, {d("2050"), d("31130"), d("15.20")});
    EXPECT_EQ(a.sale->quantity.toString(), "2050");
    a = SolveRecover(kToday, {d("2050"), d("40000"), d("15.20")});
    EXPECT_FALSE(a.sale);
    EXPECT_EQ(a.shortfall->toString(), "8863.68") << "31160.00 less 7.79, 15.58 and 0.31";
}

// The 做T searches that find nothing say so, one message per price missing;
// the most favourable second price then indeed falls short.
struct TMissingCase {
    const char *name;
    TOrder order;
    const char *quantity, *firstPrice;
    std::optional<Decimal> targetGain;
    bool breakEven, target; // whether each price is found
    const char *message;    // nullptr: none
};

void PrintTo(const TMissingCase &c, std::ostream *os) { *os << c.name; }

class TTradeMissingPriceTest : public testing::TestWithParam<TMissingCase> {};

TEST_P(TTradeMissingPriceTest, SaysWhichPriceNoTickReaches)
{
    const TMissingCase &c = GetParam();
    const TTradeAnswer a = SolveTTrade(
        kToday, {c.order, d(c.quantity), d(c.firstPrice), std::nullopt, std::nullopt, std::nullopt, c.targetGain});
    EXPECT_EQ(a.breakEvenPrice.has_value(), c.breakEven);
    EXPECT_EQ(a.targetPrice.has_value(), c.target && c.targetGain);
    if (c.message) {
        EXPECT_EQ(a.message->toString(), c.message);
    } else {
        EXPECT_FALSE(a.message);
    }
    // Whatever is missing, the best second price (正T buys back at one tick,
    // 倒T sells at the highest price) misses it too.
    const bool sellFirst = c.order == TOrder::SellFirst;
    const Decimal best = sellFirst ? Decimal(1, 2) : Decimal(kMaxPrice);
    const Decimal firstCash = a.first.cash();
    const Decimal secondCash =
        cashOf(kToday, sellFirst ? TradeSide::Buy : TradeSide::Sell, best, d(c.quantity));
    const Decimal bestGain = sellFirst ? firstCash - secondCash : secondCash - firstCash;
    EXPECT_EQ(bestGain >= Decimal(), c.breakEven) << bestGain.toString();
    if (c.targetGain) {
        EXPECT_EQ(bestGain >= *c.targetGain, c.target) << bestGain.toString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Searches, TTradeMissingPriceTest,
    testing::Values(
        // 100 sold at 0.01 nets 1.00 less the 5-yuan minimum; buying back costs more.
        TMissingCase{"SaleBelowItsFeesNoTarget", TOrder::SellFirst, "100", "0.01", std::nullopt, false, false,
                     kNoBreakEvenPrice.data()},
        TMissingCase{"SaleBelowItsFeesWithTarget", TOrder::SellFirst, "100", "0.01", Decimal(1), false, false,
                     "任何价格都不能保本；任何价格都达不到目标收益"},
        TMissingCase{"LossTargetWithinReach", TOrder::SellFirst, "100", "0.01", Decimal(-12), false, true,
                     kNoBreakEvenPrice.data()},
        TMissingCase{"TargetAboveTheSale", TOrder::SellFirst, "1000", "10.50", Decimal(10500), true, false,
                     kNoTargetPrice.data()},
        TMissingCase{"TargetJustWithin", TOrder::SellFirst, "1000", "10.50", Decimal(10470), true, true, nullptr},
        TMissingCase{"BuyFirstBeyondTheHighestPrice", TOrder::BuyFirst, "100", "10.00", Decimal(10'000'000), true,
                     false, kNoTargetPrice.data()},
        TMissingCase{"BuyFirstReachesAnyPlainTarget", TOrder::BuyFirst, "100", "10.00", Decimal(9'000'000), true,
                     true, nullptr}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(TTradeTest, ADilutedCostNeedsAHolding)
{
    TTradeQuestion q{TOrder::BuyFirst, d("1000"), d("10.30"), d("10.50"), std::nullopt, std::nullopt, std::nullopt};
    const TTradeAnswer a = SolveTTrade(kToday, q);
    // Buy 10300.00 + 5.00 + 0.10 = 10305.10; sale 10489.64, as in the 正T above.
    EXPECT_EQ(a.gain->toString(), "184.54");
    EXPECT_FALSE(a.dilutedCost);
    EXPECT_EQ(a.breakEvenPrice->toString(), "10.32");
}

TEST(TTradeTest, AQuantityOffWholeSharesIsOffTheLot)
{
    for (const char *quantity : {"100.5", "0.5", "99"}) {
        try {
            SolveTTrade(kToday, {TOrder::SellFirst, d(quantity), d("10.50"), std::nullopt, std::nullopt, std::nullopt,
                                 std::nullopt});
            ADD_FAILURE() << quantity << " accepted";
        } catch (const EInputRejected &rejected) {
            EXPECT_EQ(rejected.message(), std::string("做T数量 ") + quantity + " 不合交易单位：100 的整数倍");
        }
    }
}

// Each reader at the ends of its range: the last value it takes and the
// first it refuses, with the message naming the field.
struct ReadCase {
    const char *name;
    Decimal (*read)(std::string_view text);
    const char *text;
    const char *message; // nullptr: accepted as typed
};

void PrintTo(const ReadCase &c, std::ostream *os) { *os << c.name; }

class PositionReadersTest : public testing::TestWithParam<ReadCase> {};

TEST_P(PositionReadersTest, TakeTheirRangeAndNoMore)
{
    const ReadCase &c = GetParam();
    if (!c.message) {
        EXPECT_EQ(c.read(c.text), d(c.text));
        return;
    }
    try {
        c.read(c.text);
        ADD_FAILURE() << c.text << " accepted";
    } catch (const EInputRejected &rejected) {
        EXPECT_EQ(rejected.message(), c.message);
    }
}

Decimal price(std::string_view text) { return ReadPriceOnTick(text, "价格", Market::ShanghaiA, "."); }
Decimal shares(std::string_view text) { return ReadShares(text, "数量", "."); }
Decimal money(std::string_view text) { return ReadMoney(text, "投入资金", "."); }
Decimal gain(std::string_view text) { return ReadGain(text, "目标盈利", "."); }

INSTANTIATE_TEST_SUITE_P(
    Ranges, PositionReadersTest,
    testing::Values(
        ReadCase{"PriceOneTick", price, "0.01", nullptr},
        ReadCase{"PriceHighest", price, "100000", nullptr},
        ReadCase{"PriceAboveHighest", price, "100000.01", "价格应大于 0 且不超过 100000 元"},
        ReadCase{"PriceNegative", price, "-0.01", "价格应大于 0 且不超过 100000 元"},
        ReadCase{"SharesOne", shares, "1", nullptr},
        ReadCase{"SharesMost", shares, "10000000000", nullptr},
        ReadCase{"SharesAboveMost", shares, "10000000001", "数量应为 1 到 10000000000 之间的整数"},
        ReadCase{"SharesFraction", shares, "100.5", "数量应为 1 到 10000000000 之间的整数"},
        ReadCase{"MoneyOneCent", money, "0.01", nullptr},
        ReadCase{"MoneyMost", money, "1000000000000000", nullptr},
        ReadCase{"MoneyAboveMost", money, "1000000000000000.01", "投入资金应大于 0"},
        ReadCase{"MoneyNegative", money, "-5", "投入资金应大于 0"},
        ReadCase{"GainLeastLoss", gain, "-1000000000000000", nullptr},
        ReadCase{"GainZero", gain, "0", nullptr},
        ReadCase{"GainMost", gain, "1000000000000000", nullptr},
        ReadCase{"GainBelowLeast", gain, "-1000000000000000.01", "目标盈利应在 ±1000000000000000 元之间"},
        ReadCase{"GainAboveMost", gain, "1000000000000000.01", "目标盈利应在 ±1000000000000000 元之间"}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(RecoverTest, AHoldingBelowTheLotSellsWhole)
{
    // 科创板 lots start at 200: 150 shares can only go in one order.
    const PositionTerms star = TermsForCode(kToday.fees, "688001");
    RecoverAnswer a = SolveRecover(star, {d("150"), d("1400"), d("10.00")});
    ASSERT_TRUE(a.sale);
    EXPECT_EQ(a.sale->quantity.toString(), "150");
    EXPECT_EQ(a.sale->cash(), cashOf(star, TradeSide::Sell, d("10.00"), d("150")));
    EXPECT_EQ(a.remaining.sign(), 0);
    a = SolveRecover(star, {d("150"), d("1500"), d("10.00")});
    EXPECT_FALSE(a.sale);
    EXPECT_EQ(*a.shortfall, d("1500") - cashOf(star, TradeSide::Sell, d("10.00"), d("150")));
    EXPECT_EQ(a.remaining.toString(), "150");
    EXPECT_EQ(a.message->toString(), kRecoverUnreachable);
}

// --- Against a brute force, on random cases of every market and account ---

// A code of each market and board: main boards, 北交所, funds of both
// exchanges, 科创板, 创业板 and the convertible bonds of both exchanges.
const char *const kCodes[] = {"600000", "000001", "920002", "510300", "159915",
                              "688001", "300750", "113052", "123001"};

struct RandomCase {
    PositionTerms terms;
    Decimal price;
    std::string label; // says which case failed
};

// 港股通 under random rates and board lots, at every rule period: the
// spread table, HKD prices and yuan money.
template <typename Check>
void forHongKongAccounts(std::mt19937 &random, int casesEach, Check check)
{
    const char *dates[] = {"2026-12-08", "2025-03-20", "2023-11-16", "2022-06-01", "2019-05-05"};
    const std::int64_t lots[] = {100, 200, 400, 500, 1000, 2000};
    const PriceGrid grid(Market::HongKong);
    for (const bool noMinimum : {false, true})
        for (int n = 0; n < 4 * casesEach; ++n) {
            const char *date = dates[random() % 5];
            const auto rate = [&random] { return Decimal(800000 + random() % 150000, 6); };
            const FeeSchedule fees(RulesFor(*ParseTradeDate(date), Market::HongKong),
                                   CommissionTerms{Decimal(static_cast<long long>(random() % 300), 2),
                                                   noMinimum ? Decimal() : Decimal(kMinimumCommissionYuan)},
                                   SettlementRates{rate(), rate()});
            const std::int64_t lot = lots[random() % 6];
            // From HKD 5 up, mostly below HKD 100, where most Hong Kong shares
            // trade (far below, a cost target a tenth of a per cent above the
            // price rounds onto it).
            const std::int64_t highest = random() % 3 ? 3000 : grid.size() - 750;
            const std::int64_t index = 750 + static_cast<std::int64_t>(random()) % highest;
            const std::string label = std::string("港股通 ") + date + " lot " + std::to_string(lot) + " rates "
                                      + fees.settlementRates()->buy.toString() + "/"
                                      + fees.settlementRates()->sell.toString() + (noMinimum ? " 免五" : "") + " #"
                                      + std::to_string(n);
            check(RandomCase{PositionTerms{fees, TradingLot{lot, lot}}, grid.priceAt(index), label}, random);
        }
}

// `casesEach` random cases for every code under each of the four accounts
// (5-yuan minimum or 免五, levies inside the commission or on top).
template <typename Check>
void forEveryMarketAndAccount(std::uint32_t seed, int casesEach, Check check)
{
    std::mt19937 random(seed);
    const char *dates[] = {"2026-12-08", "2021-03-11", "2016-06-01", "2008-05-05"};
    const char *rates[] = {"0.1", "0.25", "0.854", "3", "0"};
    for (const char *code : kCodes)
        for (const bool noMinimum : {false, true})
            for (const bool leviesOnTop : {false, true})
                for (int n = 0; n < casesEach; ++n) {
                    const bool beijing = std::string_view(code).starts_with("92");
                    const char *date = beijing ? "2026-12-08" : dates[random() % 4];
                    const char *rate = rates[random() % 5];
                    const FeeSchedule chosen = termsOn(date, Market::ShanghaiA, rate, noMinimum, leviesOnTop);
                    const PositionTerms terms = TermsForCode(chosen, code);
                    const Decimal tick = MarketTick(terms.fees.rules().market);
                    const long long ticks = 1 + random() % 3000 * (random() % 3 == 0 ? 1 : 10);
                    const std::string label = std::string(code) + " " + date + " " + rate + "‰"
                                              + (noMinimum ? " 免五" : "") + (leviesOnTop ? " 规费另计" : "") + " #"
                                              + std::to_string(n);
                    check(RandomCase{terms, tick * Decimal(ticks), label}, random);
                }
    forHongKongAccounts(random, casesEach, check);
}

TEST(PositionSearchTest, TTradePricesAreTheExtremeTicksReachingTheGoal)
{
    forEveryMarketAndAccount(1208, 8, [](const RandomCase &c, std::mt19937 &random) {
        const TradingLot lot = c.terms.lot;
        const Decimal quantity(lot.atLeast(static_cast<std::int64_t>(random() % 5000)));
        const TOrder order = random() % 2 ? TOrder::SellFirst : TOrder::BuyFirst;
        const Decimal goal(static_cast<long long>(random() % 20000) - 5000, 2);
        const TTradeAnswer a = SolveTTrade(c.terms, {order, quantity, c.price, std::nullopt, std::nullopt,
                                                     std::nullopt, goal});
        const bool sellFirst = order == TOrder::SellFirst;
        const Decimal first = cashOf(c.terms, sellFirst ? TradeSide::Sell : TradeSide::Buy, c.price, quantity);
        const auto gainAt = [&](const Decimal &price) {
            const Decimal second = cashOf(c.terms, sellFirst ? TradeSide::Buy : TradeSide::Sell, price, quantity);
            return sellFirst ? first - second : second - first;
        };
        const PriceGrid grid(c.terms.fees.rules().market);
        // Toward the cheaper side: higher buy-backs, lower sale prices.
        const std::int64_t away = sellFirst ? 1 : -1;
        for (const auto &[price, wanted] : {std::pair{a.breakEvenPrice, Decimal()}, std::pair{a.targetPrice, goal}}) {
            if (!price) {
                // Then not even the most favourable tick reaches it.
                const Decimal best = sellFirst ? grid.priceAt(1) : grid.highest();
                ASSERT_LT(gainAt(best), wanted) << c.label;
                continue;
            }
            ASSERT_GE(gainAt(*price), wanted) << c.label;
            for (std::int64_t i = 1, at = *grid.indexOf(*price); i <= 300; ++i) {
                if (at + away * i < 1 || at + away * i > grid.size())
                    break;
                const Decimal beyond = grid.priceAt(at + away * i);
                ASSERT_LT(gainAt(beyond), wanted) << c.label << " at " << beyond.toString();
            }
        }
    });
}

TEST(PositionSearchTest, TopUpFindsTheSmallestPurchase)
{
    int bought = 0;
    forEveryMarketAndAccount(20261208, 8, [&](const RandomCase &c, std::mt19937 &random) {
        const TradingLot lot = c.terms.lot;
        const Decimal holding(lot.atLeast(static_cast<std::int64_t>(random() % 3000)) + (random() % 3 ? 0 : 37));
        // The holding cost 5–60 % more than the price; the target lies in
        // between, at times so near the price that the fees keep it out of reach.
        const Decimal inYuan = c.price * c.terms.fees.yuanPerPriceUnit(TradeSide::Buy);
        const Decimal cost = inYuan * Decimal(static_cast<long long>(105 + random() % 55), 2);
        const Decimal paid = (cost * holding).rounded(2, Rounding::HalfUp);
        const Decimal target =
            (inYuan * Decimal(static_cast<long long>(1001 + random() % 600), 3)).rounded(3, Rounding::HalfUp);
        const TopUpAnswer up = SolveTopUp(c.terms, {holding, paid, c.price, target});
        const auto reachesTarget = [&](std::int64_t q) {
            return paid + (q ? cashOf(c.terms, TradeSide::Buy, c.price, Decimal(q)) : Decimal())
                   <= target * (holding + Decimal(q));
        };
        if (up.quantity) {
            const std::int64_t q = *up.quantity->toInt64();
            ASSERT_TRUE(reachesTarget(q)) << c.label;
            if (q == 0)
                return; // the cost already meets the target
            ++bought;
            ASSERT_FALSE(reachesTarget(0)) << c.label;
            ASSERT_TRUE(lot.allows(q)) << c.label;
            for (std::int64_t below = q - lot.step; below >= lot.minimum && below > q - 300 * lot.step; below -= lot.step)
                ASSERT_FALSE(reachesTarget(below)) << c.label << " " << below;
            return;
        }
        // Out of reach: neither the first lots (where the minimum commission
        // weighs most) nor ever larger ones up to the largest order get there.
        for (std::int64_t q = lot.minimum; q < lot.minimum + 300 * lot.step; q += lot.step)
            ASSERT_FALSE(reachesTarget(q)) << c.label << " " << q;
        for (std::int64_t q = lot.atLeast(1000); q < kMaxQuantity - *holding.toInt64(); q = lot.atLeast(q * 3))
            ASSERT_FALSE(reachesTarget(q)) << c.label << " " << q;
    });
    EXPECT_GT(bought, 100) << "both answers are tried";
}

TEST(PositionSearchTest, RecoverFindsTheSmallestSale)
{
    int recovered = 0;
    forEveryMarketAndAccount(8122026, 8, [&](const RandomCase &c, std::mt19937 &random) {
        const TradingLot lot = c.terms.lot;
        const Decimal holding(lot.atLeast(static_cast<std::int64_t>(random() % 3000)) + (random() % 3 ? 0 : 37));
        // The cash put in is what the holding cost; the price now lies
        // between a half and three times that.
        const Decimal inYuan = c.price * c.terms.fees.yuanPerPriceUnit(TradeSide::Buy);
        const Decimal paid = (inYuan * holding).rounded(2, Rounding::HalfUp);
        const PriceGrid grid(c.terms.fees.rules().market);
        const Decimal scaled = c.price * Decimal(static_cast<long long>(50 + random() % 250), 2);
        const Decimal price = grid.priceAt(std::min(grid.indexNear(scaled.approximate()), grid.size()));
        const RecoverAnswer back = SolveRecover(c.terms, {holding, paid, price});
        const auto recovers = [&](const Decimal &q) { return cashOf(c.terms, TradeSide::Sell, price, q) >= paid; };
        if (!back.sale) {
            ASSERT_FALSE(recovers(holding)) << c.label;
            ASSERT_EQ(*back.shortfall, paid - cashOf(c.terms, TradeSide::Sell, price, holding)) << c.label;
            return;
        }
        ++recovered;
        const std::int64_t sold = *back.sale->quantity.toInt64();
        ASSERT_TRUE(recovers(back.sale->quantity)) << c.label;
        ASSERT_TRUE(lot.allows(sold) || back.sale->quantity == holding) << c.label;
        ASSERT_EQ(back.remaining, holding - back.sale->quantity) << c.label;
        const std::int64_t onLot = lot.allows(sold) ? sold : lot.atLeast(sold) - lot.step;
        for (std::int64_t below = onLot - lot.step; below >= lot.minimum && below > onLot - 300 * lot.step;
             below -= lot.step)
            ASSERT_FALSE(recovers(Decimal(below))) << c.label << " " << below;
        if (!lot.allows(sold) && onLot >= lot.minimum) {
            ASSERT_FALSE(recovers(Decimal(onLot))) << c.label << " the lot below the whole holding";
        }
    });
    EXPECT_GT(recovered, 100) << "both answers are tried";
}

} // namespace
} // namespace tallyfin
