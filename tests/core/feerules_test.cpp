#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "decimal.h"
#include "feerules.h"

namespace tallyfin {
namespace {

// --- Exact decimals --------------------------------------------------------

struct RoundingCase {
    const char *value;
    int decimals;
    Rounding rounding;
    const char *expected;
};

class DecimalRoundingTest : public testing::TestWithParam<RoundingCase> {};

TEST_P(DecimalRoundingTest, RoundsOntoTheGrid)
{
    const RoundingCase &c = GetParam();
    EXPECT_EQ(Decimal::fromLiteral(c.value).rounded(c.decimals, c.rounding).toString(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Grid, DecimalRoundingTest,
    testing::Values(RoundingCase{"5.005", 2, Rounding::HalfUp, "5.01"}, RoundingCase{"-5.005", 2, Rounding::HalfUp, "-5.01"},
                    RoundingCase{"5.0049", 2, Rounding::HalfUp, "5"}, RoundingCase{"-5.0051", 2, Rounding::HalfUp, "-5.01"},
                    RoundingCase{"10.001", 2, Rounding::Ceiling, "10.01"}, RoundingCase{"-10.009", 2, Rounding::Ceiling, "-10"},
                    RoundingCase{"10.009", 2, Rounding::Floor, "10"}, RoundingCase{"-10.001", 2, Rounding::Floor, "-10.01"},
                    RoundingCase{"7.5", 3, Rounding::Floor, "7.5"}));

TEST(DecimalTest, QuotientsAndTexts)
{
    const auto d = [](const char *text) { return Decimal::fromLiteral(text); };
    EXPECT_EQ(Decimal::quotient(d("10005.10"), d("1000"), 2, Rounding::HalfUp).toFixed(2, "."), "10.01");
    EXPECT_EQ(Decimal::quotient(d("1"), d("-3"), 4, Rounding::HalfUp).toString(), "-0.3333");
    EXPECT_EQ(Decimal::quotient(d("2"), d("0.003"), 0, Rounding::Floor).toString(), "666");
    EXPECT_THROW(Decimal::quotient(d("1"), Decimal(), 2, Rounding::HalfUp), std::domain_error);
    EXPECT_EQ(d("-0.051").toFixed(2, ","), "-0,05");
    EXPECT_EQ(d("0.005").toFixed(2, "."), "0.01");
    EXPECT_EQ(d("12").toFixed(0, "."), "12");
    EXPECT_EQ(Decimal(510, 2).shifted(3).toString(), "5100");
    EXPECT_EQ(Decimal(5).shifted(-3).toString(), "0.005");
    EXPECT_THROW(d("1e3"), std::invalid_argument) << "scientific notation is no literal";
}

TEST(DecimalTest, ReadsTypedNumbersExactly)
{
    EXPECT_EQ(Decimal::fromTyped(" -.5e1 ", ".")->toString(), "-5");
    EXPECT_EQ(Decimal::fromTyped("1,25", ",")->toString(), "1.25");
    EXPECT_EQ(Decimal::fromTyped("0.1e-30", ".")->toString(), "0." + std::string(30, '0') + "1");
    EXPECT_FALSE(Decimal::fromTyped("1,000", "."));
    EXPECT_THROW(Decimal::fromLiteral("1 "), std::invalid_argument);
}

TEST(DecimalTest, HoldsEveryExtendedValueExactly)
{
    EXPECT_EQ(Decimal::fromExtended(0.1L).toString(), "0.1000000000000000000013552527156068805425093160010874271392822265625");
    EXPECT_EQ(Decimal::fromExtended(-2.5L).toString(), "-2.5");
    EXPECT_EQ(Decimal::fromExtended(0.0L).toString(), "0");
    EXPECT_EQ(Decimal::fromExtended(1e20L).toString(), "100000000000000000000");
}

TEST(DecimalTest, WholeNumbersWithin64Bits)
{
    EXPECT_EQ(Decimal::fromLiteral("42.0").toInt64(), 42);
    EXPECT_EQ(Decimal::fromLiteral("-9223372036854775808").toInt64(), INT64_MIN);
    EXPECT_FALSE(Decimal::fromLiteral("9223372036854775808").toInt64());
    EXPECT_FALSE(Decimal::fromLiteral("0.5").toInt64());
}

// --- The fee table ---------------------------------------------------------

// Walking the calendar day by day over four years (a leap year among
// them) meets every real date once, in order, and back again.
TEST(TradeDateTest, NextAndPreviousDayWalkTheCalendar)
{
    TradeDate day{2023, 1, 1};
    int days = 0;
    while (day < TradeDate{2027, 1, 1}) {
        const TradeDate next = NextDay(day);
        ASSERT_LT(day, next);
        ASSERT_TRUE(ParseTradeDate(FormatTradeDate(next))) << FormatTradeDate(next);
        ASSERT_EQ(PreviousDay(next), day);
        day = next;
        ++days;
    }
    EXPECT_EQ(days, 365 * 3 + 366);
}

TEST(TradeDateTest, ReadsRealDaysOnly)
{
    EXPECT_EQ(ParseTradeDate("2024-02-29"), (TradeDate{2024, 2, 29}));
    EXPECT_EQ(ParseTradeDate("2000-02-29"), (TradeDate{2000, 2, 29}));
    for (const char *text : {"2023-02-29", "1900-02-29", "2026-13-01", "2026-00-10", "2026-04-31", "2026-1-08",
                             "2026/01/08", "20260108xx", "0000-01-01", "abcd-ef-gh", ""})
        EXPECT_FALSE(ParseTradeDate(text)) << text;
    EXPECT_EQ(FormatTradeDate({987, 6, 5}), "0987-06-05");
}

// One text for each way a date can be wrong, next to the nearest right one.
struct DateCase {
    const char *name;
    const char *text;
    std::optional<TradeDate> date;
};

class TradeDateCaseTest : public testing::TestWithParam<DateCase> {};

TEST_P(TradeDateCaseTest, ReadsOrRefuses)
{
    EXPECT_EQ(ParseTradeDate(GetParam().text), GetParam().date) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TradeDateCaseTest,
    testing::Values(DateCase{"Plain", "2026-12-08", TradeDate{2026, 12, 8}},
                    DateCase{"LetterInYear", "20x6-12-08", std::nullopt},
                    DateCase{"LetterInMonth", "2026-1x-08", std::nullopt},
                    DateCase{"LetterInDay", "2026-12-0x", std::nullopt},
                    DateCase{"SignInMonth", "2026-+1-08", std::nullopt},
                    DateCase{"SecondDashMissing", "2026-12/08", std::nullopt},
                    DateCase{"FirstDashMissing", "2026/12-08", std::nullopt},
                    DateCase{"TooLong", "2026-12-080", std::nullopt},
                    DateCase{"DayZero", "2026-12-00", std::nullopt},
                    DateCase{"LastDayOfYear", "2026-12-31", TradeDate{2026, 12, 31}},
                    DateCase{"DayPastTheMonth", "2026-12-32", std::nullopt},
                    DateCase{"LastOfFebruary", "2026-02-28", TradeDate{2026, 2, 28}},
                    DateCase{"LeapEvery400Years", "2400-02-29", TradeDate{2400, 2, 29}},
                    DateCase{"NoLeapEvery100Years", "2100-02-29", std::nullopt},
                    DateCase{"YearOne", "0001-01-01", TradeDate{1, 1, 1}}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(RulesInForceTest, EachItemHasItsRow)
{
    for (const Market market : {Market::ShanghaiA, Market::ShenzhenFund, Market::BeijingA}) {
        const RulesInForce rules = RulesFor({2026, 12, 8}, market);
        for (const FeeItem item :
             {FeeItem::StampDuty, FeeItem::TransferFee, FeeItem::HandlingFee, FeeItem::ManagementFee}) {
            EXPECT_EQ(rules.row(item).item, item) << FeeItemKey(item);
            EXPECT_NE(rules.row(item).markets & MarketBit(market), 0) << FeeItemKey(item);
        }
    }
}

TEST(FeeTableTest, EveryRowHasKeysForItsBasisAndSides)
{
    std::set<std::string_view> bases, sides;
    for (const FeeRuleRow &row : FeeRuleTable()) {
        bases.insert(FeeBasisKey(row.basis));
        sides.insert(FeeSidesKey(row.sides));
    }
    EXPECT_EQ(bases, (std::set<std::string_view>{"amount", "parValue"}));
    EXPECT_EQ(sides, (std::set<std::string_view>{"both", "sell"}));
}

struct InForce {
    const char *date;
    Market market;
    const char *stampDuty, *transferFee, *handlingFee, *managementFee;
    FeeSides stampSides;
};

class RulesForTest : public testing::TestWithParam<InForce> {};

// Each change takes effect on its own day and not the day before.
TEST_P(RulesForTest, TakesTheLatestRowOnOrBeforeTheDate)
{
    const InForce &c = GetParam();
    const RulesInForce rules = RulesFor(*ParseTradeDate(c.date), c.market);
    EXPECT_EQ(rules.stampDuty->ratePerMille, c.stampDuty);
    EXPECT_EQ(rules.transferFee->ratePerMille, c.transferFee);
    EXPECT_EQ(rules.handlingFee->ratePerMille, c.handlingFee);
    EXPECT_EQ(rules.managementFee->ratePerMille, c.managementFee);
    EXPECT_EQ(rules.stampDuty->sides, c.stampSides);
    EXPECT_EQ(&rules.row(FeeItem::TransferFee), rules.transferFee);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, RulesForTest,
    testing::Values(InForce{"2001-11-16", Market::ShanghaiA, "2", "1", "0.105", "0.045", FeeSides::Both},
                    InForce{"2008-09-18", Market::ShenzhenA, "1", "0.0255", "0.122", "0.04", FeeSides::Both},
                    InForce{"2008-09-19", Market::ShenzhenA, "1", "0.0255", "0.122", "0.04", FeeSides::SellOnly},
                    InForce{"2013-01-01", Market::ShanghaiA, "1", "0.3", "0.0696", "0.02", FeeSides::SellOnly},
                    InForce{"2021-11-15", Market::BeijingA, "1", "0.025", "0.5", "0.02", FeeSides::SellOnly},
                    InForce{"2023-08-27", Market::ShanghaiA, "1", "0.01", "0.0487", "0.02", FeeSides::SellOnly},
                    InForce{"2023-08-28", Market::ShanghaiA, "0.5", "0.01", "0.0341", "0.02", FeeSides::SellOnly},
                    InForce{"2026-12-08", Market::FundsWarrants, "0", "0", "0.04", "0", FeeSides::Both},
                    InForce{"2015-07-31", Market::ShenzhenFund, "0", "0", "0.0487", "0", FeeSides::Both},
                    InForce{"2021-07-18", Market::ShenzhenFund, "0", "0", "0.0487", "0", FeeSides::Both},
                    InForce{"2021-07-18", Market::ShanghaiFund, "0", "0", "0.045", "0", FeeSides::Both},
                    InForce{"2021-07-19", Market::ShenzhenFund, "0", "0", "0.04", "0", FeeSides::Both},
                    InForce{"2003-02-19", Market::ShanghaiFund, "0", "0", "0.085", "0", FeeSides::Both},
                    InForce{"2026-12-08", Market::ShanghaiBond, "0", "0", "0.04", "0", FeeSides::Both},
                    InForce{"2022-07-29", Market::ShenzhenBond, "0", "0", "0.04", "0", FeeSides::Both}));

TEST(FeeTableTest, IsOrderedAndEveryItemStartsWithTheTable)
{
    const auto table = FeeRuleTable();
    for (std::size_t i = 1; i < table.size(); ++i)
        EXPECT_LE(table[i - 1].effectiveFrom, table[i].effectiveFrom) << i;
    for (const FeeRuleRow &row : table) {
        EXPECT_TRUE(ParseTradeDate(row.effectiveFrom)) << row.source;
        EXPECT_NO_THROW(Decimal::fromLiteral(row.ratePerMille)) << row.source;
        EXPECT_EQ(row.confidence == Confidence::Uncertain, !row.note.empty()) << row.source;
    }
    // Every market has rules from its start on, and none the day before.
    for (const MarketInfo &info : kMarkets) {
        const TradeDate start = RulesStart(info.market);
        EXPECT_EQ(start == FeeTableStart(), info.market != Market::BeijingA && info.market != Market::HongKong)
            << info.name;
        EXPECT_NO_THROW(RulesFor(start, info.market)) << info.name;
        EXPECT_THROW(RulesFor({start.year, start.month, start.day - 1}, info.market), EFeeRulesError) << info.name;
    }
    // Shenzhen's transfer fee goes with the levies at every date, Shanghai's and Beijing's never.
    for (const FeeRuleRow &row : table) {
        if (row.item == FeeItem::TransferFee) {
            EXPECT_EQ(row.shownSeparately, !(row.markets & MarketBit(Market::ShenzhenA))) << row.effectiveFrom;
        }
    }
    EXPECT_THROW(RulesFor({2001, 11, 15}, Market::ShanghaiA), EFeeRulesError);
    EXPECT_THROW(RulesFor({2021, 11, 14}, Market::BeijingA), EFeeRulesError);
}

TEST(FeeTableTest, SaysWhatEachRowCostsAndWhatIsUncertain)
{
    const RulesInForce shanghai2013 = RulesFor({2013, 1, 1}, Market::ShanghaiA);
    EXPECT_EQ(RowTermsText(*shanghai2013.transferFee), "面值的 0.3‰，双向，最低 1 元");
    EXPECT_EQ(DescribeRules(shanghai2013, true),
              "印花税 1‰（卖方）；过户费 面值的 0.3‰（双向，最低 1 元）；经手费 0.0696‰、证管费 0.02‰（双向，另计）");
    EXPECT_EQ(RuleNotes(shanghai2013, false).size(), 1u);
    EXPECT_EQ(RuleNotes(shanghai2013, true).size(), 2u) << "the levies' note with the levies";

    const RulesInForce shenzhen2016 = RulesFor({2016, 1, 4}, Market::ShenzhenA);
    EXPECT_EQ(RowTermsText(*shenzhen2016.transferFee), "成交金额的 0.02‰，双向，随规费含在佣金内或另计");
    EXPECT_EQ(DescribeRules(shenzhen2016, false),
              "印花税 1‰（卖方）；过户费 0.02‰（双向，含在佣金内）；经手费 0.0487‰、证管费 0.02‰（双向，含在佣金内）");

    EXPECT_TRUE(RuleNotes(shenzhen2016, false).empty()) << "no note about a date of listing any more";
    EXPECT_EQ(RuleNotes(RulesFor({2015, 7, 31}, Market::ShenzhenFund), true).size(), 1u);
    for (std::string_view note : RuleNotes(RulesFor({2021, 3, 11}, Market::ShanghaiFund), true))
        EXPECT_EQ(note.find("沪深基金"), std::string_view::npos) << "Shanghai funds need no note about Shenzhen's";

    const RulesInForce funds = RulesFor({2026, 12, 8}, Market::FundsWarrants);
    EXPECT_EQ(DescribeRules(funds, false), "印花税 免（双向）；过户费 免（双向）；经手费 0.04‰、证管费 免（双向，含在佣金内）");
    EXPECT_EQ(RuleNotes(funds, false), std::vector<std::string_view>{"基金权证按ETF/LOF基金的费率计；权证的费率未经证实"});

    const std::string text = FeeTableText();
    EXPECT_EQ(std::count(text.begin(), text.end(), '['), static_cast<long>(FeeRuleTable().size()));
    EXPECT_NE(text.find("2023-08-28 起　上海A股、深圳A股、北京A股　印花税：成交金额的 0.5‰，卖方　[P]"), std::string::npos);
}

TEST(FeeTableTest, NamesForPeopleAndScripts)
{
    std::string names;
    for (FeeItem item : {FeeItem::StampDuty, FeeItem::TransferFee, FeeItem::HandlingFee, FeeItem::ManagementFee})
        names += std::string(FeeItemName(item)) + "=" + std::string(FeeItemKey(item)) + " ";
    EXPECT_EQ(names, "印花税=stampDuty 过户费=transferFee 经手费=handlingFee 证管费=managementFee ");
    std::string keys;
    for (std::string_view key : {FeeBasisKey(FeeBasis::ParValue), FeeSidesKey(FeeSides::SellOnly),
                                 ConfidenceMark(Confidence::Primary), ConfidenceMark(Confidence::Secondary),
                                 ConfidenceMark(Confidence::Uncertain)})
        keys += key;
    EXPECT_EQ(keys, "parValuesellPS?");
}

} // namespace
} // namespace tallyfin
