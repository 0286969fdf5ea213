#include <gtest/gtest.h>

#include "errors.h"
#include "hk_reference.h"
#include "hkfees.h"

namespace tallyfin {
namespace {

namespace ref = hkreference;

Decimal money(const char *text) { return Decimal::fromLiteral(text); }

// Real slips of one account's 港股通 trades (a 2025 statement): price,
// quantity and rate as the export gives them, then its columns 成交金额,
// 手续费, 印花税, 过户费 and the parts its remark lists (交易费, 交易征费,
// 会财局征费, 换汇尾差), 发生金额 and 交易所清算费 (the four parts together).
// Commission 0.6‰, at least 5 yuan.
struct RealSlip {
    const char *name, *date;
    TradeSide side;
    const char *price, *quantity, *rate;
    std::array<const char *, 10> columns;
};

void PrintTo(const RealSlip &c, std::ostream *os) { *os << c.name; }

class RealSlipTest : public testing::TestWithParam<RealSlip> {};

TEST_P(RealSlipTest, GivesEveryColumn)
{
    const RealSlip &c = GetParam();
    const HkSideFees fees = HkSide(HkRulesFor(*ParseTradeDate(c.date)), c.side, money(c.price) * money(c.quantity),
                                   money(c.rate), CommissionTerms{money("0.6"), money("5")});
    const Decimal moved = c.side == TradeSide::Buy ? -fees.cash(c.side) : fees.cash(c.side);
    const std::array<Decimal, 10> got{fees.amount,
                                      fees.commission,
                                      fees.yuan(HkFeeItem::StampDuty),
                                      fees.yuan(HkFeeItem::SettlementFee),
                                      fees.yuan(HkFeeItem::TradingFee),
                                      fees.yuan(HkFeeItem::SfcLevy),
                                      fees.yuan(HkFeeItem::AfrcLevy),
                                      fees.rounding,
                                      moved,
                                      fees.levies()};
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_EQ(got[i], money(c.columns[i])) << "column " << i << ": " << got[i].toString();
    EXPECT_EQ(fees.yuan(HkFeeItem::TradingTariff).sign(), 0) << "no tariff since 2023";
}

INSTANTIATE_TEST_SUITE_P(
    Statement, RealSlipTest,
    testing::Values(
        RealSlip{"SmallBuy", "2025-02-20", TradeSide::Buy, "47.15", "200", "0.933580",
                 {"8803.65", "5.28", "9.33", "1.86", "0.49", "0.23", "0.00", "0.04", "-8820.88", "0.76"}},
        RealSlip{"SmallSale", "2025-02-20", TradeSide::Sell, "47.5", "200", "0.932420",
                 {"8857.99", "5.31", "9.32", "1.86", "0.50", "0.24", "0.00", "0.02", "8840.74", "0.76"}},
        RealSlip{"SettlementFeeAboveItsMinimum", "2025-03-20", TradeSide::Buy, "542", "200", "0.931760",
                 {"101002.78", "60.60", "101.56", "2.02", "5.70", "2.73", "0.14", "0.02", "-101175.55", "8.59"}},
        RealSlip{"LargeSale", "2025-03-26", TradeSide::Sell, "508.5", "300", "0.933390",
                 {"142388.65", "85.43", "142.80", "2.84", "8.04", "3.84", "0.21", "0.04", "142145.45", "12.13"}},
        RealSlip{"MinimumCommission", "2025-05-12", TradeSide::Buy, "5.8", "1000", "0.931110",
                 {"5400.43", "5.00", "5.58", "1.86", "0.30", "0.14", "0.00", "0.04", "-5413.35", "0.48"}},
        RealSlip{"SaleWithAfrcLevy", "2025-03-31", TradeSide::Sell, "131.5", "200", "0.935280",
                 {"24597.87", "14.76", "25.25", "1.87", "1.39", "0.66", "0.03", "0.02", "24553.89", "2.10"}}),
    [](const auto &test) { return std::string(test.param.name); });

// Every figure of generated trades against the independent reading, to the cent.
TEST(HkSideTest, AgreesWithTheIndependentReadingOverGeneratedTrades)
{
    std::mt19937_64 random(20251209);
    for (int i = 0; i < 20000; ++i) {
        const ref::Trade t = ref::randomTrade(random);
        const ref::Slip expected = ref::settle(t.date, t.buy, t.amountMils, t.rateMicros, t.commission, t.minimumCents);
        const TradeSide side = t.buy ? TradeSide::Buy : TradeSide::Sell;
        const HkSideFees got = HkSide(HkRulesFor(*ParseTradeDate(ref::dateText(t.date))), side,
                                      Decimal(static_cast<long long>(t.amountMils), 3),
                                      Decimal(static_cast<long long>(t.rateMicros), 6),
                                      CommissionTerms{Decimal(static_cast<long long>(t.commission), 2),
                                                      Decimal(static_cast<long long>(t.minimumCents), 2)});
        const std::string where = ref::dateText(t.date) + (t.buy ? " buy HKD " : " sell HKD ")
                                  + ref::fixed(t.amountMils, 3) + " at " + ref::fixed(t.rateMicros, 6);
        const auto cents = [](ref::Wide value) { return Decimal::fromLiteral(ref::fixed(value, 2)); };
        for (std::size_t item = 0; item < kHkFeeItemCount; ++item) {
            ASSERT_EQ(got.itemsHkd[item], cents(expected.hkd[item])) << where << ", HKD item " << item;
            ASSERT_EQ(got.itemsYuan[item], cents(expected.yuan[item])) << where << ", yuan item " << item;
        }
        ASSERT_EQ(got.amount, cents(expected.amount)) << where;
        ASSERT_EQ(got.settlement, cents(expected.settlement)) << where;
        ASSERT_EQ(got.rounding, cents(expected.rounding)) << where;
        ASSERT_EQ(got.commission, cents(expected.commission)) << where;
        ASSERT_EQ(got.cash(side), cents(expected.cash)) << where;
        ASSERT_EQ(got.total(), side == TradeSide::Buy ? got.cash(side) - got.amount : got.amount - got.cash(side))
            << where << ": the fees are what separates the amount from the cash";
    }
}

TEST(HkRulesTest, TellWhetherTwoDaysPayTheSame)
{
    const auto on = [](const char *date) { return HkRulesFor(*ParseTradeDate(date)); };
    // Each change of the rules, from its eve to its day.
    for (const auto &[eve, day] : {std::pair{"2021-07-31", "2021-08-01"}, std::pair{"2021-12-31", "2022-01-01"},
                                   std::pair{"2022-12-31", "2023-01-01"}, std::pair{"2023-11-16", "2023-11-17"},
                                   std::pair{"2025-06-29", "2025-06-30"}})
        EXPECT_FALSE(on(eve).sameRulesAs(on(day))) << day;
    EXPECT_TRUE(on("2025-02-18").sameRulesAs(on("2025-02-20"))) << "a trade and its settlement two days later";
    EXPECT_THROW(on("2014-11-14"), EFeeRulesError);
    EXPECT_THROW(RulesFor({2014, 11, 14}, Market::HongKong), EFeeRulesError);
    EXPECT_EQ(HkRulesDescription(on("2022-06-01")).toString(),
              "印花税 0.13%（不足 1 港元按 1 港元计）；交易费 0.005%；交易系统使用费 每笔 0.50 港元；交易征费 0.0027%；"
              "会财局征费 0.00015%；股份交收费 0.002%（最低 2 港元，最高 100 港元）；均为双向，按港元计算");
    EXPECT_EQ(DescribeRules(RulesFor({2025, 7, 1}, Market::HongKong), false),
              "印花税 0.1%（不足 1 港元按 1 港元计）；交易费 0.00565%；交易征费 0.0027%；会财局征费 0.00015%；"
              "股份交收费 0.0042%；均为双向，按港元计算");
    EXPECT_EQ(RuleNotes(RulesFor({2025, 7, 1}, Market::HongKong), false).size(), 1u) << "the new settlement fee";
    EXPECT_TRUE(RuleNotes(RulesFor({2025, 6, 29}, Market::HongKong), false).empty());
    EXPECT_EQ(HkFeeTableEntry(HkFeeRuleTable()[0]).toString().find("2014-11-17 起　港股通　印花税：成交金额的 0.1%，双向，"
                                                                  "不足 1 港元按 1 港元计　[P]\n　来源：香港税务局"),
              0u);
}

struct RateCase {
    const char *typed;
    bool accepted;
};

TEST(SettlementRateTest, TakesSixDecimalsAboveZero)
{
    for (const RateCase c : {RateCase{"0.93358", true}, RateCase{"0.933580", true}, RateCase{"0.000001", true},
                             RateCase{"100", true}, RateCase{"0", false}, RateCase{"-0.9", false},
                             RateCase{"0.9335801", false}, RateCase{"100.000001", false}, RateCase{"", false},
                             RateCase{"  ", false}}) {
        if (c.accepted) {
            EXPECT_EQ(ReadSettlementRate(c.typed, TradeSide::Sell, "."), money(c.typed)) << c.typed;
            continue;
        }
        try {
            ReadSettlementRate(c.typed, TradeSide::Sell, ".");
            ADD_FAILURE() << c.typed << " taken";
        } catch (const EInputRejected &rejected) {
            EXPECT_NE(rejected.message().find("卖出结算汇率"), std::string::npos) << rejected.message();
        }
    }
    EXPECT_THROW(ReadSettlementRate("0,9", TradeSide::Buy, "."), EConvertError);
    EXPECT_EQ(ReadSettlementRate("0,93358", TradeSide::Buy, ","), money("0.93358"));
}

} // namespace
} // namespace tallyfin

namespace tallyfin {
namespace {

// Every row of the Hong Kong table describes itself with its date and item,
// and the rules of every row's day read as a sentence with the notes of the
// rows not yet confirmed.
TEST(HkFeeTableTextTest, EveryRowAndEveryDayDescribeThemselves)
{
    std::size_t noted = 0;
    for (const HkFeeRuleRow &row : HkFeeRuleTable()) {
        const std::string entry = HkFeeTableEntry(row).toString();
        EXPECT_NE(entry.find(row.effectiveFrom), std::string::npos) << entry;
        EXPECT_NE(entry.find(HkFeeItemName(row.item)), std::string::npos) << entry;
        const HkRulesInForce rules = HkRulesFor(*ParseTradeDate(row.effectiveFrom));
        EXPECT_NE(HkRulesDescription(rules).toString().find("港元"), std::string::npos);
        noted += !HkRuleNotes(rules).empty();
    }
    EXPECT_GE(noted, 1u) << "the 2025 settlement fee is not yet confirmed";
}

} // namespace
} // namespace tallyfin
