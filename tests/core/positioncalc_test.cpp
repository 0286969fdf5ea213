#include <gtest/gtest.h>

#include <functional>

#include "errors.h"
#include "positioncalc.h"

// The calculators over their fields' texts: what each field may hold, the
// message for what it may not, and the results as the user reads them.

namespace tallyfin {
namespace {

TradeFields settings(const char *market = "上海A股")
{
    TradeFields f;
    f.rules = RuleSet::Dated;
    f.tradeDate = "2026-12-08";
    f.market = market;
    f.commissionRate = "0.25";
    return f;
}

const PositionTerms kShanghai = ReadPositionTerms(settings(), "", "", ".");

TTradeFields tFields(TOrder order, const char *quantity, const char *firstPrice, const char *secondPrice = "",
                     const char *holding = "", const char *cost = "", const char *targetGain = "")
{
    TTradeFields f;
    f.order = order;
    f.quantity = quantity;
    f.firstPrice = firstPrice;
    f.secondPrice = secondPrice;
    f.holding = holding;
    f.cost = cost;
    f.targetGain = targetGain;
    return f;
}

TopUpFields topUpFields(const char *holding, const char *cost, const char *cashPaid, const char *price,
                        const char *targetCost)
{
    TopUpFields f;
    f.holding = holding;
    f.cost = cost;
    f.cashPaid = cashPaid;
    f.price = price;
    f.targetCost = targetCost;
    return f;
}

RecoverFields recoverFields(const char *holding, const char *cashIn, const char *price)
{
    RecoverFields f;
    f.holding = holding;
    f.cashIn = cashIn;
    f.price = price;
    return f;
}

struct TermsCase {
    const char *code;
    Market market;
    TradingLot lot;
};

TEST(PositionTermsTest, TheCodeChoosesMarketAndLot)
{
    for (const TermsCase &c : {TermsCase{"", Market::ShenzhenFund, {100, 100}},
                               TermsCase{" 688001 ", Market::ShanghaiA, {200, 1}},
                               TermsCase{"000001", Market::ShenzhenA, {100, 100}},
                               TermsCase{"920002", Market::BeijingA, {100, 1}},
                               TermsCase{"123001", Market::ShenzhenBond, {10, 10}}}) {
        const PositionTerms terms = ReadPositionTerms(settings("深圳基金"), c.code, "", ".");
        EXPECT_EQ(terms.fees.rules().market, c.market) << c.code;
        EXPECT_EQ(terms.lot.minimum, c.lot.minimum) << c.code;
        EXPECT_EQ(terms.lot.step, c.lot.step) << c.code;
    }
    EXPECT_THROW(ReadPositionTerms(settings(), "900901", "", "."), EInputRejected) << "a B share";
    EXPECT_EQ(DescribeTerms(ReadPositionTerms(settings(), "688001", "", "."), ",").toString(),
              "上海A股，2026-12-08 的规则；佣金 0,25‰，最低 5 元；报价单位 0,01 元；每笔数量：至少 200，超出部分以 1 为单位增加");
}

// The terms line for each account: the minimum or 免五, the levies inside
// the commission or on top, the market's tick and lot.
struct DescribeCase {
    const char *name;
    const char *market, *code, *commission;
    bool noMinimum, leviesOnTop;
    const char *separator, *described;
};

class DescribeTermsTest : public testing::TestWithParam<DescribeCase> {};

TEST_P(DescribeTermsTest, NamesTheAccountAndTheMarket)
{
    const DescribeCase &c = GetParam();
    TradeFields f = settings(c.market);
    f.commissionRate = c.commission;
    f.noMinimum = c.noMinimum;
    f.leviesOnTop = c.leviesOnTop;
    EXPECT_EQ(DescribeTerms(ReadPositionTerms(f, c.code, "", c.separator), c.separator).toString(), c.described);
}

INSTANTIATE_TEST_SUITE_P(
    Accounts, DescribeTermsTest,
    testing::Values(
        DescribeCase{"Minimum", "上海A股", "", "0.25", false, false, ".",
                     "上海A股，2026-12-08 的规则；佣金 0.25‰，最低 5 元；报价单位 0.01 元；每笔数量：100 的整数倍"},
        DescribeCase{"NoMinimum", "上海A股", "", "0.25", true, false, ".",
                     "上海A股，2026-12-08 的规则；佣金 0.25‰，免五；报价单位 0.01 元；每笔数量：100 的整数倍"},
        DescribeCase{"LeviesOnTop", "深圳A股", "", "0.1", false, true, ".",
                     "深圳A股，2026-12-08 的规则；佣金 0.1‰，最低 5 元，规费另计；报价单位 0.01 元；每笔数量：100 的整数倍"},
        DescribeCase{"NoMinimumLeviesOnTop", "深圳基金", "", "0,854", true, true, ",",
                     "深圳基金，2026-12-08 的规则；佣金 0,854‰，免五，规费另计；报价单位 0,001 元；每笔数量：100 的整数倍"},
        DescribeCase{"WholeRate", "上海A股", "113052", "3", false, false, ".",
                     "上海可转债，2026-12-08 的规则；佣金 3‰，最低 5 元；报价单位 0.001 元；每笔数量：10 的整数倍"}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(PositionCalcTest, WritesTheWorkedExamples)
{
    TTradeFields t = tFields(TOrder::SellFirst, "1000", "10.50", "10.30", "3000", "11.20", "100");
    EXPECT_EQ(CalculateTTrade(kShanghai, t, "."), std::nullopt);
    EXPECT_EQ(t.first->cash, "10489.64");
    EXPECT_EQ(t.first->stampDuty, "5.25");
    EXPECT_EQ(t.first->levies, "0.00") << "inside the commission";
    EXPECT_EQ(t.second->cash, "10305.10");
    EXPECT_EQ(t.gain, "184.54");
    EXPECT_EQ(t.dilutedCost, "11.138");
    EXPECT_EQ(t.breakEvenPrice, "10.48");
    EXPECT_EQ(t.targetPrice, "10.38");

    // The cost per share and the cash it took ask the same question.
    for (const auto &[cost, cashPaid] : {std::pair{"12.30", ""}, std::pair{"", "24600"}}) {
        TopUpFields up = topUpFields("2000", cost, cashPaid, "9.80", "11.00");
        EXPECT_EQ(CalculateTopUp(kShanghai, up, "."), std::nullopt);
        EXPECT_EQ(up.quantity, "2200");
        EXPECT_EQ(up.cash, "21565.61");
        EXPECT_EQ(up.newCost, "10.992");
    }
    TopUpFields met = topUpFields("2000", "10.50", "", "9.80", "11.00");
    EXPECT_EQ(CalculateTopUp(kShanghai, met, ".")->toString(), kNoTopUpNeeded);
    EXPECT_EQ(met.quantity, "0");
    EXPECT_EQ(met.cash, "0.00");
    EXPECT_EQ(met.newCost, "10.500");

    RecoverFields back = recoverFields("3000", "30120.50", "15.20");
    EXPECT_EQ(CalculateRecover(kShanghai, back, "."), std::nullopt);
    EXPECT_EQ(back.quantity, "2000");
    EXPECT_EQ(back.netReceipts, "30376.90");
    EXPECT_EQ(back.remaining, "1000");
    back.cashIn = "50000";
    EXPECT_EQ(CalculateRecover(kShanghai, back, ".")->toString(), kRecoverUnreachable);
    EXPECT_EQ(back.quantity, "") << "the earlier answer is gone";
    EXPECT_EQ(back.remaining, "3000");
    EXPECT_EQ(back.shortfall, "4434.66");
}

TEST(PositionCalcTest, ADilutedCostBelowZeroShowsItsSign)
{
    // 正T of 1000 on a holding of 1000 at 0.10: the gain exceeds the cost.
    TTradeFields t = tFields(TOrder::SellFirst, "1000", "12.00", "10.00", "1000", "0.1", "");
    CalculateTTrade(kShanghai, t, ".");
    EXPECT_EQ(t.gain, "1983.78");
    EXPECT_EQ(t.dilutedCost, "-1.884") << "(100 − 1983.78) ÷ 1000 = −1.88378";
}

TEST(PositionCalcTest, WritesOnlyWhatWasFound)
{
    // No second price and no holding: only the first leg and the prices.
    TTradeFields t = tFields(TOrder::BuyFirst, "1000", "10.30");
    EXPECT_EQ(CalculateTTrade(kShanghai, t, "."), std::nullopt);
    EXPECT_EQ(t.first->cash, "10305.10");
    EXPECT_FALSE(t.second);
    EXPECT_EQ(t.gain, "");
    EXPECT_EQ(t.dilutedCost, "");
    EXPECT_EQ(t.breakEvenPrice, "10.32");
    EXPECT_EQ(t.targetPrice, "");

    // 100 sold at 0.01 nets less than nothing: neither price exists.
    t = tFields(TOrder::SellFirst, "100", "0.01", "", "", "", "1");
    EXPECT_EQ(CalculateTTrade(kShanghai, t, ".")->toString(), "任何价格都不能保本；任何价格都达不到目标收益");
    EXPECT_EQ(t.breakEvenPrice, "");
    EXPECT_EQ(t.targetPrice, "");
    EXPECT_EQ(t.first->quantity, "100");

    // Out of reach at this price: no quantity, no order, no new cost.
    TopUpFields up = topUpFields("2000", "", "24600", "9.80", "9.801");
    up.quantity = up.cash = up.newCost = "stale";
    EXPECT_EQ(CalculateTopUp(kShanghai, up, ".")->toString(), kTopUpUnreachable);
    EXPECT_EQ(up.quantity + up.amount + up.fees + up.cash + up.newCost, "");
}

struct RejectionCase {
    const char *name;
    std::function<void()> calculate;
    const char *message; // nullptr: not a number (EConvertError)
};

void PrintTo(const RejectionCase &c, std::ostream *os) { *os << c.name; }

class PositionRejectionTest : public testing::TestWithParam<RejectionCase> {};

TEST_P(PositionRejectionTest, SaysWhatIsWrongAndWritesNothing)
{
    if (!GetParam().message) {
        EXPECT_THROW(GetParam().calculate(), EConvertError);
        return;
    }
    try {
        GetParam().calculate();
        ADD_FAILURE() << "accepted";
    } catch (const EInputRejected &rejected) {
        EXPECT_EQ(rejected.message(), GetParam().message);
    }
}

std::function<void()> tTrade(TTradeFields f)
{
    return [f]() mutable {
        f.gain = "stale";
        try {
            CalculateTTrade(kShanghai, f, ".");
        } catch (...) {
            EXPECT_EQ(f.gain, "") << "results emptied first";
            EXPECT_FALSE(f.first);
            throw;
        }
    };
}

std::function<void()> topUp(TopUpFields f)
{
    return [f]() mutable { CalculateTopUp(kShanghai, f, "."); };
}

std::function<void()> recover(RecoverFields f)
{
    return [f]() mutable { CalculateRecover(kShanghai, f, "."); };
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, PositionRejectionTest,
    testing::Values(
        RejectionCase{"QuantityZero", tTrade(tFields(TOrder::SellFirst, "0", "10")), "做T数量应为 1 到 10000000000 之间的整数"},
        RejectionCase{"QuantityNegative", tTrade(tFields(TOrder::BuyFirst, "-100", "10")),
                      "做T数量应为 1 到 10000000000 之间的整数"},
        RejectionCase{"QuantityMissing", tTrade(tFields(TOrder::SellFirst, " ", "10")), "请填写做T数量"},
        RejectionCase{"QuantityNoNumber", tTrade(tFields(TOrder::SellFirst, "abc", "10")), nullptr},
        RejectionCase{"QuantityOffTheLot", tTrade(tFields(TOrder::SellFirst, "150", "10")),
                      "做T数量 150 不合交易单位：100 的整数倍"},
        RejectionCase{"PriceOffTheTick", tTrade(tFields(TOrder::SellFirst, "100", "10.505")),
                      "第一笔价格应为最小报价单位 0.01 元的整数倍"},
        RejectionCase{"PriceZero", tTrade(tFields(TOrder::SellFirst, "100", "10", "0")),
                      "第二笔价格应大于 0 且不超过 100000 元"},
        RejectionCase{"HoldingBelowTheQuantity", tTrade(tFields(TOrder::SellFirst, "1000", "10", "", "500", "11")),
                      "持仓数量少于做T数量"},
        RejectionCase{"HoldingWithoutCost", tTrade(tFields(TOrder::SellFirst, "1000", "10", "", "3000", "")),
                      kHoldingNeedsCost.data()},
        RejectionCase{"TopUpCostAndCash", topUp(topUpFields("2000", "12.30", "24600", "9.80", "11")), kCostOrCashPaid.data()},
        RejectionCase{"TopUpNeitherCostNorCash", topUp(topUpFields("2000", "", "", "9.80", "11")), kCostOrCashPaid.data()},
        RejectionCase{"TopUpTargetAtThePrice", topUp(topUpFields("2000", "12.30", "", "9.80", "9.8")), "目标成本应高于补仓价格"},
        RejectionCase{"TopUpNegativePrice", topUp(topUpFields("2000", "12.30", "", "-9.80", "11")),
                      "补仓价格应大于 0 且不超过 100000 元"},
        RejectionCase{"TopUpZeroCost", topUp(topUpFields("2000", "0", "", "9.80", "11")), "持仓成本价应大于 0"},
        RejectionCase{"RecoverZeroCash", recover(recoverFields("3000", "0", "15.20")), "投入资金应大于 0"},
        RejectionCase{"QuantityAboveMost", tTrade(tFields(TOrder::SellFirst, "10000000001", "10")),
                      "做T数量应为 1 到 10000000000 之间的整数"},
        RejectionCase{"PriceAboveHighest", tTrade(tFields(TOrder::SellFirst, "100", "100000.01")),
                      "第一笔价格应大于 0 且不超过 100000 元"},
        RejectionCase{"TargetGainBeyondRange",
                      tTrade(tFields(TOrder::SellFirst, "100", "10", "", "", "", "-1000000000000000.01")),
                      "目标盈利应在 ±1000000000000000 元之间"},
        RejectionCase{"CostBeyondRange", tTrade(tFields(TOrder::SellFirst, "100", "10", "", "100", "2e15", "")),
                      "持仓成本应在 ±1000000000000000 元之间"},
        RejectionCase{"TopUpCashBeyondRange", topUp(topUpFields("2000", "", "1e16", "9.80", "11")),
                      "买入总额应大于 0"},
        RejectionCase{"TopUpTargetMissing", topUp(topUpFields("2000", "12.30", "", "9.80", " ")), "请填写目标成本"},
        RejectionCase{"RecoverFractionalHolding", recover(recoverFields("3000.5", "100", "15.20")),
                      "持仓数量应为 1 到 10000000000 之间的整数"}),
    [](const auto &test) { return std::string(test.param.name); });

} // namespace
} // namespace tallyfin
