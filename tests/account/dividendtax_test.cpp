// The dividend tax: made-up histories across the regimes' boundaries and the
// holding periods' edges, bought in one file and sold in the next, give back
// the tax of every lot a share-by-share reference owes; the real account's
// eight 股息红利税补缴 rows are each explained.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <chrono>
#include <set>
#include <sstream>

#include "accountstore.h"
#include "cli.h"
#include "dividendgen.h"
#include "dividendtax.h"
#include "holdings.h"
#include "merge.h"
#include "statement_support.h"

namespace tallyfin::statement {
namespace {

using samples::DividendHistory;
using samples::ExpectedLotTax;

// The record dates: each side of both boundaries, a weekend before an
// ex-date, a leap day.
constexpr TradeDate kRecordDates[] = {{2012, 12, 31}, {2013, 1, 1},  {2013, 1, 4},   {2015, 9, 7},
                                      {2015, 9, 8},   {2016, 2, 29}, {2019, 5, 31},  {2021, 6, 10}};
constexpr std::uint32_t kSeeds = 12;

TradeDate nextDay(TradeDate date)
{
    using namespace std::chrono;
    const year_month_day day{sys_days{year(date.year) / month(static_cast<unsigned>(date.month)) /
                                      static_cast<unsigned>(date.day)} + days{1}};
    return {static_cast<int>(day.year()), static_cast<int>(static_cast<unsigned>(day.month())),
            static_cast<int>(static_cast<unsigned>(day.day()))};
}

std::string textOf(const std::vector<samples::SampleRow> &rows)
{
    return samples::TextStatement(samples::LayoutCells(samples::SampleLayouts()[6], rows), '\t', TextEncoding::Gb18030);
}

// The history in two files: the first up to the first sale after the
// dividend, the second from the start of that month.
std::pair<std::string, std::string> twoFiles(const DividendHistory &history)
{
    std::vector<samples::SampleRow> first, second;
    const auto dividend = std::find_if(history.rows.begin(), history.rows.end(),
                                       [](const samples::SampleRow &row) { return row.operation == "股息入账"; });
    const TradeDate cut = std::find_if(dividend, history.rows.end(), [](const samples::SampleRow &row) {
                              return row.kind == RowKind::Sell;
                          })->date;
    for (const samples::SampleRow &row : history.rows) {
        if (row.date < cut)
            first.push_back(row);
        if (row.date >= TradeDate{cut.year, cut.month, 1})
            second.push_back(row);
    }
    return {textOf(first), textOf(second)};
}

bool sameLot(const LotTax &got, const ExpectedLotTax &want)
{
    return got.bought == want.bought && got.sold == want.sold && got.quantity == want.quantity &&
           got.dividendPerShare == want.dividendPerShare && got.ratePercent == want.ratePercent && got.tax == want.tax;
}

std::string describe(const ExpectedLotTax &lot)
{
    return FormatTradeDate(lot.bought) + "→" + FormatTradeDate(lot.sold) + " " + lot.quantity.toString() + " × " +
           lot.dividendPerShare.toString() + " × " + std::to_string(lot.ratePercent) + "% = " + lot.tax.toString();
}

TEST(DividendTaxTest, EveryLotOwesWhatTheShareByShareReferenceSays)
{
    int taxRows = 0, missing = 0, lotsChecked = 0;
    std::set<int> rates;
    std::set<std::string> edges; // the first lot's holding-period edges the sales fell on
    for (const TradeDate record : kRecordDates) {
        for (std::uint32_t seed = 0; seed < kSeeds; ++seed) {
            const DividendHistory history = samples::MakeDividendHistory(seed, record);
            const auto [firstText, secondText] = twoFiles(history);
            const Statement first = ReadStatementBytes(firstText), second = ReadStatementBytes(secondText);
            const MergeSource sources[] = {{1, &first}, {2, &second}};
            const MergedStatement merged = MergeStatements(sources);
            const DividendTaxCheck check = CheckDividendTax(merged.statement, CheckBalances(merged.statement).openings);
            SCOPED_TRACE(FormatTradeDate(record) + " seed " + std::to_string(seed));

            std::vector<LotTax> explained;
            int unexplained = 0;
            for (const TaxRowCheck &row : check.taxRows) {
                if (!row.explained) {
                    ++unexplained;
                    continue;
                }
                EXPECT_EQ(row.due(), row.charged);
                explained.insert(explained.end(), row.lots.begin(), row.lots.end());
            }
            EXPECT_EQ(unexplained, history.unexplainedTaxRows);
            std::vector<ExpectedLotTax> expected;
            for (const ExpectedLotTax &lot : history.lots)
                if (std::find(history.salesWithoutTaxRow.begin(), history.salesWithoutTaxRow.end(), lot.sold) ==
                    history.salesWithoutTaxRow.end())
                    expected.push_back(lot);
            ASSERT_EQ(explained.size(), expected.size());
            for (std::size_t i = 0; i < expected.size(); ++i)
                EXPECT_TRUE(sameLot(explained[i], expected[i])) << describe(expected[i]);
            ASSERT_EQ(check.missing.size(), history.salesWithoutTaxRow.size());
            for (std::size_t i = 0; i < check.missing.size(); ++i)
                EXPECT_EQ(check.missing[i].date, history.salesWithoutTaxRow[i]);
            for (const ExpectedLotTax &lot : history.lots) {
                rates.insert(lot.ratePercent);
                for (const int months : {1, 12}) {
                    if (lot.sold == AddMonths(lot.bought, months))
                        edges.insert(std::to_string(months) + " to the day");
                    if (lot.sold == nextDay(AddMonths(lot.bought, months)))
                        edges.insert(std::to_string(months) + " and a day");
                }
            }
            taxRows += static_cast<int>(check.taxRows.size());
            missing += static_cast<int>(check.missing.size());
            lotsChecked += static_cast<int>(history.lots.size());
        }
    }
    // The histories reach every case they are made for (a year and a day owes
    // nothing, so no lot shows it: a wrong rate there would be a missing tax row).
    EXPECT_EQ(rates, (std::set<int>{5, 10, 15, 20}));
    EXPECT_EQ(edges, (std::set<std::string>{"1 to the day", "1 and a day", "12 to the day"}));
    EXPECT_GT(taxRows, 40);
    EXPECT_GT(missing, 3);
    EXPECT_GT(lotsChecked, 60);
}

// Through the command line: two files added to an account, its dividend tax as JSON.
TEST(DividendTaxTest, TheCommandLineGivesTheSameLots)
{
    const ScratchDirectory directory;
    for (std::uint32_t seed = 0; seed < 4; ++seed) {
        const DividendHistory history = samples::MakeDividendHistory(seed, {2015, 9, 8});
        const auto [firstText, secondText] = twoFiles(history);
        const std::string store = (directory.path() / ("store" + std::to_string(seed))).string();
        const std::string first = directory.write("a" + std::to_string(seed) + ".tsv", firstText).string();
        const std::string second = directory.write("b" + std::to_string(seed) + ".tsv", secondText).string();
        std::ostringstream out, err;
        ASSERT_EQ(RunCli(std::vector<std::string>{"account", "--store", store, "add", first, second}, out, err, false), 0)
            << err.str();
        std::ostringstream json;
        ASSERT_EQ(RunCli(std::vector<std::string>{"account", "--store", store, "dividend-tax", "--json"}, json, err, false), 0);
        const nlohmann::json result = nlohmann::json::parse(json.str());
        std::vector<nlohmann::json> lots;
        for (const nlohmann::json &row : result["taxRows"])
            if (row["explained"])
                lots.insert(lots.end(), row["lots"].begin(), row["lots"].end());
        std::size_t next = 0;
        for (const ExpectedLotTax &lot : history.lots) {
            if (std::find(history.salesWithoutTaxRow.begin(), history.salesWithoutTaxRow.end(), lot.sold) !=
                history.salesWithoutTaxRow.end())
                continue;
            ASSERT_LT(next, lots.size());
            const nlohmann::json &got = lots[next++];
            EXPECT_EQ(got["bought"], FormatTradeDate(lot.bought));
            EXPECT_EQ(got["quantity"], lot.quantity.toString());
            EXPECT_EQ(got["dividendPerShare"], lot.dividendPerShare.toString());
            EXPECT_EQ(got["ratePercent"], lot.ratePercent);
            EXPECT_EQ(got["tax"], lot.tax.toFixed(2, kDecimalPoint));
        }
        EXPECT_EQ(next, lots.size());
        EXPECT_EQ(result["missingTax"].size(), history.salesWithoutTaxRow.size());
    }
}

struct PerShareCase {
    const char *cash, *shares;
    int withheld;
    const char *perShare;
};

TEST(DividendTaxTest, PerShareDividendHasTheDecimalsItHas)
{
    constexpr PerShareCase kCases[] = {
        {"900", "2000", 0, "0.45"},     {"2564.5", "22300", 0, "0.115"}, {"95", "1000", 5, "0.1"},
        {"29", "1234", 0, "0.0235"}, {"1818", "10100", 0, "0.18"},    {"90", "1000", 10, "0.1"},
    };
    for (const PerShareCase &c : kCases)
        EXPECT_EQ(DividendPerShare(Decimal::fromLiteral(c.cash), Decimal::fromLiteral(c.shares), c.withheld),
                  Decimal::fromLiteral(c.perShare))
            << c.cash << " / " << c.shares;
}

// The real account of two files: every 股息红利税补缴 row explained, to the cent.
TEST(DividendTaxTest, TheRealAccountsTaxRowsAreEachExplained)
{
    const std::filesystem::path real = std::filesystem::path(TALLYFIN_REAL_STATEMENTS);
    if (!std::filesystem::exists(real / "tyrliu-2021.csv"))
        GTEST_SKIP() << "no real statements at " << real;
    const Statement early = ReadStatementFile(real / "tyrliu-2019-2020.csv"), late = ReadStatementFile(real / "tyrliu-2021.csv");
    const MergeSource sources[] = {{1, &early}, {2, &late}};
    const MergedStatement merged = MergeStatements(sources);
    const BalanceCheck balances = CheckBalances(merged.statement);
    const DividendTaxCheck check = CheckDividendTax(merged.statement, balances.openings);
    ASSERT_EQ(check.taxRows.size(), 8u);
    for (const TaxRowCheck &row : check.taxRows) {
        EXPECT_TRUE(row.explained) << row.code << " " << FormatTradeDate(row.date);
        EXPECT_EQ(row.due(), row.charged) << row.code << " " << FormatTradeDate(row.date);
    }
    EXPECT_TRUE(check.missing.empty()) << EnglishText(check.missing.front());
    EXPECT_TRUE(balances.gaps.empty()) << EnglishText(balances.gaps.front());
    EXPECT_EQ(balances.cashBreaks.size(), 15u); // transfers the export leaves out: notes only
    std::vector<OpeningPosition> openings;
    for (const OpeningHolding &opening : balances.openings)
        openings.push_back({opening.code, opening.name, opening.shares, std::nullopt});
    const StatementPositions positions = PositionsOfStatement(merged.statement, openings);
    for (const OversoldSale &sale : positions.report.oversold)
        ADD_FAILURE() << sale.code << " sold " << sale.sold.toString() << " with " << sale.held.toString() << " held";
}

} // namespace
} // namespace tallyfin::statement
