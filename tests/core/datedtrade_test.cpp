#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "datedtrade.h"
#include "errors.h"
#include "hk_reference.h"
#include "target.h"

namespace tallyfin {
namespace {

TradeFields datedTrade(const char *market, const char *date, const char *commission, bool noMinimum,
                       bool leviesOnTop)
{
    TradeFields f;
    f.rules = RuleSet::Dated;
    f.market = market;
    f.tradeDate = date;
    f.commissionRate = commission;
    f.noMinimum = noMinimum;
    f.leviesOnTop = leviesOnTop;
    return f;
}

// The worked examples of the fee reference: totals of each side and the
// net gain, in the four ways an account may be charged.
struct WorkedExample {
    const char *name, *market, *date;
    const char *buyPrice, *quantity, *sellPrice;
    bool noMinimum, leviesOnTop;
    const char *buyFees, *sellFees, *profit;
};

class WorkedExampleTest : public testing::TestWithParam<WorkedExample> {};

TEST_P(WorkedExampleTest, GivesTheSlipsFigures)
{
    const WorkedExample &c = GetParam();
    TradeFields f = datedTrade(c.market, c.date, "0.25", c.noMinimum, c.leviesOnTop);
    f.buyPrice = c.buyPrice;
    f.buyQuantity = c.quantity;
    f.sellPrice = c.sellPrice;
    ASSERT_EQ(CalculateTrade(f, "."), TradeOutcome::Calculated);
    EXPECT_EQ(f.buyFees, c.buyFees);
    EXPECT_EQ(f.sellFees, c.sellFees);
    EXPECT_EQ(f.profit, c.profit);
}

INSTANTIATE_TEST_SUITE_P(
    Slips, WorkedExampleTest,
    testing::Values(
        WorkedExample{"Shanghai2026", "上海A股", "2026-12-08", "10", "1000", "11", false, false, "5.10", "10.61", "984.29"},
        WorkedExample{"Shanghai2026NoMinimum", "上海A股", "2026-12-08", "10", "1000", "11", true, false, "2.60", "8.36", "989.04"},
        WorkedExample{"Shanghai2026LeviesOnTop", "上海A股", "2026-12-08", "10", "1000", "11", false, true, "5.64", "11.21", "983.15"},
        WorkedExample{"Shanghai2026Both", "上海A股", "2026-12-08", "10", "1000", "11", true, true, "3.14", "8.96", "987.90"},
        // Shenzhen's transfer fee is billed with the levies: inside the commission, or on top with them.
        WorkedExample{"Shenzhen2020", "深圳A股", "2020-01-02", "10", "1000", "11", false, false, "5.00", "16.00", "979.00"},
        WorkedExample{"Shenzhen2020NoMinimum", "深圳A股", "2020-01-02", "10", "1000", "11", true, false, "2.50", "13.75", "983.75"},
        WorkedExample{"Shenzhen2020LeviesOnTop", "深圳A股", "2020-01-02", "10", "1000", "11", false, true, "5.89", "16.98", "977.13"},
        WorkedExample{"Shenzhen2020Both", "深圳A股", "2020-01-02", "10", "1000", "11", true, true, "3.39", "14.73", "981.88"},
        // Half-fen ties: 12340 × 0.25‰ = 3.085 and 12500 × 0.25‰ = 3.125 round up.
        WorkedExample{"Fund2026", "基金权证", "2026-12-08", "1.234", "10000", "1.250", false, false, "5.00", "5.00", "150.00"},
        WorkedExample{"Fund2026NoMinimum", "基金权证", "2026-12-08", "1.234", "10000", "1.250", true, false, "3.09", "3.13", "153.78"},
        WorkedExample{"Fund2026LeviesOnTop", "基金权证", "2026-12-08", "1.234", "10000", "1.250", false, true, "5.49", "5.50", "149.01"},
        WorkedExample{"Fund2026Both", "基金权证", "2026-12-08", "1.234", "10000", "1.250", true, true, "3.58", "3.63", "152.79"},
        // Before 2008-09-19 the buyer paid stamp duty too; Shanghai's transfer
        // fee was 1‰ of par, at least 1 yuan: 1500 shares pay 1.50.
        WorkedExample{"Shanghai2008BothSides", "上海A股", "2008-05-05", "10", "1500", "10", false, false, "21.50", "21.50", "-43.00"},
        WorkedExample{"Shenzhen2016", "深圳A股", "2016-06-01", "10", "1000", "10", false, false, "5.00", "15.00", "-20.00"},
        // A real Shenzhen slip of today: 1218.00 bought pays 5.00 in all; on top, levies 0.04 + 0.02 and transfer 0.01.
        WorkedExample{"Shenzhen2026Slip", "深圳A股", "2026-12-08", "6.09", "200", "6.09", false, false, "5.00", "5.61", "-10.61"},
        WorkedExample{"Shenzhen2026SlipLeviesOnTop", "深圳A股", "2026-12-08", "6.09", "200", "6.09", false, true, "5.07", "5.68", "-10.75"},
        // Each exchange's fund handling fee before 2021-07-19 on 5605.00: Shenzhen 0.0487‰ (0.27), Shanghai 0.045‰ (0.25).
        // A convertible bond pays no stamp duty and no transfer fee: 1162.50 × 0.25‰ = 0.29, handling 0.04‰ = 0.05.
        WorkedExample{"ShenzhenBond2026", "深圳可转债", "2026-12-08", "116.250", "10", "116.250", true, true, "0.34", "0.34", "-0.68"},
        WorkedExample{"ShenzhenFund2021", "深圳基金", "2021-03-11", "2.242", "2500", "2.242", false, true, "5.27", "5.27", "-10.54"},
        WorkedExample{"ShanghaiFund2021", "上海基金", "2021-03-11", "2.242", "2500", "2.242", false, true, "5.25", "5.25", "-10.50"},
        WorkedExample{"FundsWarrants2021", "基金权证", "2021-03-11", "2.242", "2500", "2.242", false, true, "5.25", "5.25", "-10.50"},
        WorkedExample{"Beijing2026", "北京A股", "2026-12-08", "10", "1000", "11", false, true, "6.55", "12.21", "981.24"}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(DatedTradeTest, ShowsEveryFieldOfTheShanghaiExample)
{
    TradeFields f = datedTrade("上海A股", "2026-12-08", "0.25", false, false);
    f.buyPrice = "10";
    f.buyQuantity = "1000";
    f.sellPrice = "11";
    CalculateTrade(f, ".");
    EXPECT_EQ(f.buyPrice, "10") << "the typed price stays as typed";
    const std::vector<std::string> buy{f.buyAmount, f.buyCommission, f.buyStampDuty, f.buyTransferFee, f.buyFees, f.cashPaid, f.costPerShare, f.buyLevies};
    EXPECT_EQ(buy, (std::vector<std::string>{"10000.00", "5.00", "0.00", "0.10", "5.10", "10005.10", "10.01", ""}));
    const std::vector<std::string> sell{f.sellAmount, f.sellCommission, f.sellStampDuty, f.sellTransferFee, f.sellFees, f.netReceipts, f.returnPercent, f.profit};
    EXPECT_EQ(sell, (std::vector<std::string>{"11000.00", "5.00", "5.50", "0.11", "10.61", "10989.39", "9.84", "984.29"}));
    EXPECT_EQ(f.returnColor, FieldColor::Red);
    // Selling 1000 at 10.01 returns 9999.89, at 10.02 10009.89, against 10005.10.
    EXPECT_EQ(f.breakEvenPrice, "10.02");
}

TEST(DatedTradeTest, RoundsARealHalfFenTieUp)
{
    TradeFields f = datedTrade("上海A股", "2026-12-08", "0,25", true, false);
    f.buyPrice = "20,02";
    f.buyQuantity = "1000";
    CalculateTrade(f, ",");
    EXPECT_EQ(f.buyCommission, "5,01"); // 20020 × 0.25‰ = 5.005
}

struct Rejection {
    const char *name;
    TradeFields fields;
    const char *message;
};

class DatedRejectionTest : public testing::TestWithParam<Rejection> {};

TEST_P(DatedRejectionTest, SaysWhatIsWrongAndKeepsTheFields)
{
    TradeFields f = GetParam().fields;
    const TradeFields before = f;
    try {
        CalculateTrade(f, ".");
        FAIL() << "no error";
    } catch (const EInputRejected &error) {
        EXPECT_EQ(error.message(), GetParam().message);
    }
    EXPECT_EQ(f.buyAmount, before.buyAmount);
    EXPECT_EQ(f.sellAmount, before.sellAmount);
}

TradeFields with(TradeFields f, const char *buyPrice, const char *buyQuantity)
{
    f.buyPrice = buyPrice;
    f.buyQuantity = buyQuantity;
    return f;
}

const TradeFields kToday = datedTrade("上海A股", "2026-12-08", "0.25", false, false);

INSTANTIATE_TEST_SUITE_P(
    Inputs, DatedRejectionTest,
    testing::Values(
        Rejection{"BeforeTheTable", with(datedTrade("上海A股", "2001-11-15", "3", false, false), "10", "100"),
                  "成交日期 2001-11-15 早于费率表的起始日期 2001-11-16"},
        Rejection{"BeijingBeforeItOpened", with(datedTrade("北京A股", "2021-11-12", "3", false, false), "10", "100"),
                  "北京A股 自 2021-11-15 起才有交易，成交日期 2021-11-12 没有它的费率"},
        Rejection{"UnknownMarket", with(datedTrade("香港", "2026-12-08", "3", false, false), "10", "100"),
                  "按成交日期的费率表中没有“香港”，可选：上海A股、深圳A股、北京A股、上海基金、深圳基金、上海可转债、深圳可转债、基金权证、港股通"},
        Rejection{"NotADate", with(datedTrade("上海A股", "2026-02-30", "3", false, false), "10", "100"),
                  "成交日期“2026-02-30”不是 YYYY-MM-DD 格式的日期"},
        Rejection{"CommissionAboveTheCap", with(datedTrade("上海A股", "2026-12-08", "3.01", false, false), "10", "100"),
                  "佣金费率应在 0 到 3‰ 之间"},
        Rejection{"ZeroPrice", with(kToday, "0", "100"), "买入价格应大于 0 且不超过 100000 元"},
        Rejection{"PriceAboveTheLimit", with(kToday, "1e6", "100"), "买入价格应大于 0 且不超过 100000 元"},
        Rejection{"NegativeCommission", with(datedTrade("上海A股", "2026-12-08", "-0.1", false, false), "10", "100"),
                  "佣金费率应在 0 到 3‰ 之间"},
        Rejection{"QuantityAboveTheLimit", with(kToday, "10", "1e11"), "买入数量应为 1 到 10000000000 之间的整数"},
        Rejection{"FractionalQuantity", with(kToday, "10", "100.5"), "买入数量应为 1 到 10000000000 之间的整数"},
        Rejection{"NegativeQuantity", with(kToday, "10", "-100"), "买入数量应为 1 到 10000000000 之间的整数"}),
    [](const auto &test) { return std::string(test.param.name); });

// The dated rules stop where the classic ones stop.
TEST(DatedTradeTest, SellsAloneAndStopsAsTheClassicRulesDo)
{
    TradeFields f = kToday;
    f.sellPrice = "11";
    EXPECT_EQ(CalculateTrade(f, "."), TradeOutcome::SellQuantityMissing);
    f.sellQuantity = "1000";
    f.returnPercent = "old";
    EXPECT_EQ(CalculateTrade(f, "."), TradeOutcome::Calculated);
    EXPECT_EQ(f.netReceipts, "10989.39");
    EXPECT_EQ(f.returnPercent, "old") << "a sale alone has no result";
    f.buyQuantity = "1000";
    f.cashPaid = "0";
    EXPECT_THROW(CalculateTrade(f, "."), EZeroDivide);
    f.sellPrice = "5";
    f.sellQuantity = "1";
    EXPECT_THROW(CalculateTrade(f, "."), EInvalidOp) << "0 ÷ 0: a 5-yuan sale nets nothing, and nothing was paid";
}

TEST(DatedTradeTest, ANonNumberIsTheUsualConversionError)
{
    TradeFields f = with(kToday, "10", "1,000");
    EXPECT_THROW(CalculateTrade(f, "."), EConvertError);
}

TEST(DatedTradeTest, NoSalePriceReachesCashPaidWhenFeesEatTheSale)
{
    // 1 share at 0.01: the 5-yuan minimum on the sale can never be earned back
    // below the price limit.
    TradeFields f = with(kToday, "0.01", "1");
    CalculateTrade(f, ".");
    EXPECT_EQ(f.cashPaid, "5.01");
    EXPECT_EQ(f.breakEvenPrice, "10.02");
    f = with(datedTrade("基金权证", "2026-12-08", "3", false, false), "100000", "1");
    CalculateTrade(f, ".");
    EXPECT_EQ(f.breakEvenPrice, kNoBreakEven);
}

// --- 港股通 ------------------------------------------------------------------

namespace ref = hkreference;

// A generated round trip in the fields.
struct HongKongTrade {
    ref::RoundTrip trip;
    TradeFields fields;
};

HongKongTrade hongKongTrade(std::mt19937_64 &random)
{
    // Mostly whole lots, at times any number up to millions.
    const bool lots = random() % 3 != 0;
    HongKongTrade t{ref::randomRoundTrip(random, lots ? 20 : 2'000'000), {}};
    if (lots)
        t.trip.quantity *= 100;
    const ref::Trade &c = t.trip.terms;
    TradeFields &f = t.fields = datedTrade("港股通", ref::dateText(c.date).c_str(), ref::fixed(c.commission, 2).c_str(),
                                           c.minimumCents == 0, false);
    f.buyRate = ref::fixed(c.rateMicros, 6);
    f.sellRate = ref::fixed(t.trip.sellRate, 6);
    f.buyPrice = ref::priceText(t.trip.buyMils);
    f.sellPrice = ref::priceText(t.trip.sellMils);
    f.buyQuantity = std::to_string(t.trip.quantity);
    f.targetKind = TargetKind::Profit;
    f.targetValue = std::to_string(static_cast<long long>(random() % 6001) - 1000);
    return t;
}

void expectSide(const ref::SideTexts &want, const std::array<std::string, 7> &shown, const HkSideTexts &hk,
                const std::string &where)
{
    const std::array<std::string, 7> wanted{want.amount, want.commission, want.stampDuty, want.transferFee,
                                            want.levies, want.fees,       want.cash};
    EXPECT_EQ(shown, wanted) << where;
    EXPECT_EQ(hk.rate, want.rate) << where;
    EXPECT_EQ(hk.amountHkd, want.amountHkd) << where;
    EXPECT_EQ(hk.itemsHkd, want.itemsHkd) << where;
    EXPECT_EQ(hk.rounding, want.rounding) << where;
}

// Every field of generated trades against the independent reading; the
// break-even and target prices are the lowest of the spread table that
// reach the cash paid and the profit.
TEST(HongKongTradeTest, FieldsAndPricesAgreeWithTheIndependentReading)
{
    std::mt19937_64 random(20250220);
    for (int i = 0; i < 400; ++i) {
        HongKongTrade generated = hongKongTrade(random);
        TradeFields &f = generated.fields;
        ASSERT_EQ(CalculateTrade(f, "."), TradeOutcome::Calculated);
        const ref::RoundTrip &t = generated.trip;
        const ref::Trade &c = t.terms;
        const ref::Slip buy = ref::settle(c.date, true, t.buyMils * t.quantity, c.rateMicros, c.commission, c.minimumCents);
        const ref::Slip sell = ref::settle(c.date, false, t.sellMils * t.quantity, t.sellRate, c.commission, c.minimumCents);
        const std::string where = f.tradeDate + " " + f.buyPrice + "/" + f.sellPrice + " × " + f.buyQuantity;
        expectSide(ref::sideTexts(buy, t.buyMils * t.quantity, c.rateMicros, true),
                   {f.buyAmount, f.buyCommission, f.buyStampDuty, f.buyTransferFee, f.buyLevies, f.buyFees, f.cashPaid},
                   f.buyHongKong.value_or(HkSideTexts{}), where);
        expectSide(ref::sideTexts(sell, t.sellMils * t.quantity, t.sellRate, false),
                   {f.sellAmount, f.sellCommission, f.sellStampDuty, f.sellTransferFee, f.sellLevies, f.sellFees,
                    f.netReceipts},
                   f.sellHongKong.value_or(HkSideTexts{}), where);
        EXPECT_EQ(f.profit, ref::fixed(sell.cash - buy.cash, 2)) << where;
        EXPECT_EQ(f.costPerShare, ref::fixed(ref::halfUpDiv(buy.cash * 10, t.quantity), 3)) << where;
        const auto lowest = [&](ref::Wide cents) {
            return ref::lowestSalePrice(c.date, t.quantity, t.sellRate, c.commission, c.minimumCents, cents);
        };
        const long long breakEven = lowest(buy.cash), target = lowest(buy.cash + 100 * std::stoll(f.targetValue));
        EXPECT_EQ(f.breakEvenPrice, breakEven ? ref::priceText(breakEven) : std::string(kNoBreakEven)) << where;
        EXPECT_EQ(f.targetPrice, target == 0                     ? std::string(kTargetUnreachable)
                                 : target == ref::spreadTable()[0] ? std::string(kTargetAtLowestPrice)
                                                                   : ref::priceText(target))
            << where;
    }
}

TEST(HongKongTradeTest, RefusesWhatChinaClearWouldNotSettle)
{
    TradeFields f = datedTrade("港股通", "2025-02-20", "0.6", false, false);
    f.buyRate = "0.93358";
    f.sellRate = "0.93242";
    f.buyPrice = "47.15";
    f.buyQuantity = "200";
    for (const auto &[field, typed, message] :
         {std::tuple{&TradeFields::buyRate, "", "港股通请填写买入结算汇率"},
          std::tuple{&TradeFields::sellRate, "0", "卖出结算汇率应大于 0 且不超过 100，最多 6 位小数"},
          std::tuple{&TradeFields::buyRate, "0.9335801", "买入结算汇率应大于 0 且不超过 100，最多 6 位小数"},
          std::tuple{&TradeFields::buyPrice, "47.13", "买入价格 47.13 港元不在港股价位表上：该价位段每档 0.05 港元"},
          std::tuple{&TradeFields::tradeDate, "2014-11-14", "港股通 自 2014-11-17 起才有交易，成交日期 2014-11-14 没有它的费率"}}) {
        TradeFields refused = f;
        refused.*field = typed;
        try {
            CalculateTrade(refused, ".");
            ADD_FAILURE() << typed << " taken";
        } catch (const EInputRejected &error) {
            EXPECT_EQ(error.message(), message);
            EXPECT_EQ(refused.buyAmount, "") << "nothing computed";
        }
    }
}

} // namespace
} // namespace tallyfin
