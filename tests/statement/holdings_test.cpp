#include <gtest/gtest.h>

#include <algorithm>

#include "holdings.h"
#include "security.h"
#include "statement_support.h"

// Statement rows as holding events: made-up statements of every layout
// against the rows they were written from, and one statement of the rows
// that need a decision.

namespace tallyfin::statement {
namespace {

using Kind = HoldingEventKind;
using samples::SampleRow;

std::string utf8Csv(const std::string &text) { return "\xEF\xBB\xBF" + text; }

int secondsOf(const std::string &time) // "09:31:05"
{
    return std::stoi(time.substr(0, 2)) * 3600 + std::stoi(time.substr(3, 2)) * 60 + std::stoi(time.substr(6, 2));
}

// What the rows say, in time order: trades of known A-share codes, dividends and their tax.
std::vector<HoldingEvent> eventsWritten(const samples::Layout &layout, const std::vector<SampleRow> &rows)
{
    struct Timed {
        TradeDate date;
        int seconds;
        HoldingEvent event;
    };
    std::vector<Timed> timed;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const SampleRow &row = rows[i];
        const Decimal cash = row.cash.sign() < 0 ? -row.cash : row.cash;
        HoldingEvent event{samples::LineOfRow(layout, i), row.code, row.name, Kind::Buy, row.quantity, cash,
                           row.feesTotal()};
        if (row.kind != RowKind::Other) {
            if (!row.stockConnect && !SecurityOfCode(row.code))
                continue;
            event.kind = row.kind == RowKind::Buy ? Kind::Buy : Kind::Sell;
        } else if (row.operation == "红利入账" || row.operation == "股息红利税补缴") {
            event.kind = row.operation == "红利入账" ? Kind::Dividend : Kind::DividendTax;
            event.quantity = event.fees = Decimal();
        } else {
            continue;
        }
        timed.push_back({row.date, secondsOf(row.time), event});
    }
    std::stable_sort(timed.begin(), timed.end(), [](const Timed &a, const Timed &b) {
        return a.date != b.date ? a.date < b.date : a.seconds < b.seconds;
    });
    std::vector<HoldingEvent> events;
    for (const Timed &each : timed)
        events.push_back(each.event);
    return events;
}

TEST(HoldingHistoryTest, EveryLayoutGivesTheEventsItsRowsWereWrittenFrom)
{
    for (const samples::Layout &layout : samples::SampleLayouts()) {
        const std::vector<SampleRow> rows = samples::SampleRows(600, 11, layout.mix);
        const std::string text =
            samples::TextStatement(samples::LayoutCells(layout, rows), '\t', TextEncoding::Gb18030);
        const Statement statement = ReadStatementBytes(text);
        ASSERT_FALSE(statement.failure) << layout.name;
        const std::vector<HoldingEvent> expected = eventsWritten(layout, rows);
        const HoldingHistory history = HoldingHistoryOf(statement);
        ASSERT_GT(expected.size(), rows.size() * 3 / 4) << layout.name;
        ASSERT_EQ(history.events.size(), expected.size()) << layout.name;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const HoldingEvent &got = history.events[i], &want = expected[i];
            ASSERT_EQ(got.line, want.line) << layout.name << " event " << i;
            EXPECT_EQ(got.kind, want.kind) << layout.name << " line " << want.line;
            EXPECT_EQ(got.code, want.code) << layout.name << " line " << want.line;
            EXPECT_EQ(got.quantity, want.quantity) << layout.name << " line " << want.line;
            EXPECT_EQ(got.cash, want.cash) << layout.name << " line " << want.line;
            EXPECT_EQ(got.fees, want.fees) << layout.name << " line " << want.line;
        }
        EXPECT_TRUE(history.skipped.empty()) << layout.name;
    }
}

// Rows that need a decision, each on its line (header on line 1).
const std::string kDecisions = utf8Csv(
    "成交日期,成交时间,证券代码,证券名称,操作,成交数量,成交价格,成交金额,佣金,印花税,过户费,发生金额\n"
    "20240301,14:00:00,600000,浦发银行,证券买入,1000,10.00,10000.00,5.00,0.00,0.10,-10005.10\n"
    "20240301,9:31:00,600000,浦发银行,证券买入,500,9.90,4950.00,5.00,0.00,0.05,-4955.05\n"
    "20240305,,600000,浦发银行,红股入账,300,,,,,,\n"
    "20240306,10:00:00,600000,浦发银行,红利入账,0,,300.00,,,,300.00\n"
    "20240307,10:00:00,600000,浦发银行,股息红利税补缴,0,,30.00,,,,-30.00\n"
    "20240308,10:00:00,00700,腾讯控股,证券买入,100,300.00,30000.00,5.00,30.00,0.00,-30035.00\n"
    "20240308,10:01:00,900901,云赛B股,证券买入,100,1.00,100.00,5.00,0.00,0.00,-105.00\n"
    "20240309,10:00:00,,,红利入账,,,12.00,,,,12.00\n"
    "20240310,10:00:00,600000,浦发银行,融资买入,100,10.00,1000.00,5.00,0.00,0.01,0\n"
    "20240311,10:00:00,600000,浦发银行,银证转账,0,,,,,,5000.00\n");

struct EventCase {
    int line;
    Kind kind;
    const char *quantity, *cash, *fees;
};

TEST(HoldingHistoryTest, DecidesEachKindOfRow)
{
    const Statement statement = ReadStatementBytes(kDecisions);
    ASSERT_FALSE(statement.failure);
    ASSERT_TRUE(statement.unreadable.empty()) << statement.unreadable.front().line;
    const HoldingHistory history = HoldingHistoryOf(statement);
    const EventCase expected[] = {
        {3, Kind::Buy, "500", "4955.05", "5.05"},   // 9:31 before 14:00 of the same day
        {2, Kind::Buy, "1000", "10005.1", "5.1"},
        {4, Kind::BonusShares, "300", "0", "0"},    // shares without cash
        {5, Kind::Dividend, "0", "300", "0"},
        {6, Kind::DividendTax, "0", "30", "0"},     // cash paid, as a magnitude
        {7, Kind::Buy, "100", "30035", "35"},       // Stock Connect, in yuan
        {10, Kind::Buy, "100", "1005.01", "5.01"},  // no cash moved (margin): amount + fees
    };
    ASSERT_EQ(history.events.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const HoldingEvent &got = history.events[i];
        EXPECT_EQ(got.line, expected[i].line) << i;
        EXPECT_EQ(got.kind, expected[i].kind) << expected[i].line;
        EXPECT_EQ(got.quantity.toString(), expected[i].quantity) << expected[i].line;
        EXPECT_EQ(got.cash.toString(), expected[i].cash) << expected[i].line;
        EXPECT_EQ(got.fees.toString(), expected[i].fees) << expected[i].line;
    }
    ASSERT_EQ(history.skipped.size(), 2u);
    EXPECT_EQ(history.skipped[0].reason, SkipReason::UnknownCode);
    EXPECT_EQ(history.skipped[0].code, "900901");
    EXPECT_EQ(history.skipped[1].reason, SkipReason::NoCode);

    const PositionReport p = PositionsOfStatement(statement).report.positions.at(0);
    EXPECT_EQ(p.shares.toString(), "1900");
    EXPECT_EQ(p.dividends.toString(), "270");
    EXPECT_EQ(p.fees.toString(), "15.16");
}

TEST(HoldingHistoryTest, FeesFromTheirTotalWhereTheRowHasNoItems)
{
    const Statement statement = ReadStatementBytes(utf8Csv(
        "成交日期,证券代码,证券名称,操作,成交数量,成交价格,成交金额,费用合计\n"
        "20240301,000001,平安银行,证券卖出,-200,11.00,2200.00,7.22\n"));
    ASSERT_FALSE(statement.failure);
    const HoldingHistory history = HoldingHistoryOf(statement);
    ASSERT_EQ(history.events.size(), 1u);
    EXPECT_EQ(history.events[0].kind, Kind::Sell);
    EXPECT_EQ(history.events[0].quantity.toString(), "200");
    EXPECT_EQ(history.events[0].fees.toString(), "7.22");
    EXPECT_EQ(history.events[0].cash.toString(), "2192.78") << "amount less the fees";
}

TEST(HoldingHistoryTest, OversoldSalesAreListedInTheFilesOrder)
{
    // Newest first, as some brokers write: the replay meets line 3 first.
    const Statement statement = ReadStatementBytes(utf8Csv(
        "成交日期,证券代码,证券名称,操作,成交数量,成交价格,成交金额,发生金额\n"
        "20240305,000001,平安银行,证券卖出,100,11.00,1100.00,1094.45\n"
        "20240301,600000,浦发银行,证券卖出,200,10.00,2000.00,1994.90\n"));
    ASSERT_FALSE(statement.failure);
    const std::vector<OversoldSale> oversold = PositionsOfStatement(statement).report.oversold;
    ASSERT_EQ(oversold.size(), 2u);
    EXPECT_EQ(oversold[0].line, 2);
    EXPECT_EQ(oversold[1].line, 3);
}

} // namespace
} // namespace tallyfin::statement
