// Statements merged into one account: the merge by count against a count
// of each row's copies; overlapping slices of a made-up history give back
// exactly the audit and positions of the whole, and a month left out is
// found by the running balances.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <random>

#include "audit.h"
#include "balances.h"
#include "holdings.h"
#include "merge.h"
#include "statement_support.h"

namespace tallyfin::statement {
namespace {

using samples::SampleRow;

// A row's identity, as the merge should see it.
std::string identity(const Row &row)
{
    auto number = [](const std::optional<Decimal> &value) { return value ? value->toString() : std::string("-"); };
    return FormatTradeDate(row.date()) + "|" + std::string(row.time()) + "|" + std::string(row.code()) + "|" +
           std::string(row.operation()) + "|" + number(row.quantity()) + "|" + number(row.price()) + "|" +
           number(row.amount()) + "|" + number(row.cash()) + "|" + std::string(row.orderNumber());
}

std::map<std::string, int> countsOf(const std::vector<std::string> &lines)
{
    std::map<std::string, int> counts;
    for (const std::string &line : lines)
        ++counts[line];
    return counts;
}

constexpr const char *kHeader = "成交日期,成交时间,证券代码,证券名称,操作,成交数量,成交价格,成交金额,发生金额,合同编号\n";

// Lines drawn from a few, so that a row comes back within a file and across files.
std::vector<std::string> history(std::mt19937 &random, std::size_t length)
{
    std::vector<std::string> pool;
    for (int i = 0; i < 9; ++i) {
        const bool buy = i % 3 != 2;
        const std::string quantity = std::to_string(100 * (1 + i % 4));
        pool.push_back("2024030" + std::to_string(1 + i % 4) + ",10:0" + std::to_string(i % 3) + ":00," +
                       (i % 2 ? "600000" : "000001") + ",名称," + (buy ? "证券买入," : "证券卖出,") + quantity +
                       ",10.00," + quantity + "0.00," + (buy ? "-" : "") + quantity + "5.00," +
                       std::to_string(500 + i % 5) + "\n");
    }
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < length; ++i)
        lines.push_back(pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)]);
    return lines;
}

TEST(MergeTest, EachRowAsManyTimesAsTheStatementWithMostOfIt)
{
    std::mt19937 random(28);
    for (int trial = 0; trial < 200; ++trial) {
        const std::vector<std::string> lines = history(random, 30);
        const int files = std::uniform_int_distribution<int>(1, 4)(random);
        std::vector<std::vector<std::string>> slices;
        for (int f = 0; f < files; ++f) {
            std::size_t from = std::uniform_int_distribution<std::size_t>(0, lines.size() - 1)(random);
            std::size_t to = std::uniform_int_distribution<std::size_t>(from + 1, lines.size())(random);
            slices.emplace_back(lines.begin() + static_cast<long>(from), lines.begin() + static_cast<long>(to));
        }
        if (trial % 5 == 0)
            slices.push_back(slices.front()); // the same file again
        std::vector<Statement> read;
        for (const std::vector<std::string> &slice : slices) {
            std::string text = kHeader;
            for (const std::string &line : slice)
                text += line;
            read.push_back(ReadStatementBytes(text));
            ASSERT_FALSE(read.back().failure);
        }
        // The reference: each line's copies, the most of any file so far.
        std::map<std::string, int> most;
        std::vector<std::pair<int, int>> tallies; // added, known
        for (const std::vector<std::string> &slice : slices) {
            int added = 0;
            for (const auto &[line, count] : countsOf(slice)) {
                added += std::max(0, count - most[line]);
                most[line] = std::max(most[line], count);
            }
            tallies.emplace_back(added, static_cast<int>(slice.size()) - added);
        }
        std::vector<MergeSource> sources;
        for (std::size_t i = 0; i < read.size(); ++i)
            sources.push_back({static_cast<int>(i + 1), &read[i]});
        const MergedStatement merged = MergeStatements(sources);

        std::map<std::string, int> expected, got;
        for (const Statement &statement : read)
            for (const Row &row : statement.rows)
                expected[identity(row)] = 0;
        for (std::size_t f = 0; f < slices.size(); ++f)
            for (const auto &[key, count] : countsOf([&] {
                     std::vector<std::string> keys;
                     for (const Row &row : read[f].rows)
                         keys.push_back(identity(row));
                     return keys;
                 }()))
                expected[key] = std::max(expected[key], count);
        for (const Row &row : merged.statement.rows)
            ++got[identity(row)];
        ASSERT_EQ(got, expected) << "trial " << trial;
        for (std::size_t f = 0; f < slices.size(); ++f) {
            EXPECT_EQ(merged.tallies[f].rowsAdded, tallies[f].first) << "trial " << trial << " file " << f;
            EXPECT_EQ(merged.tallies[f].rowsKnown, tallies[f].second) << "trial " << trial << " file " << f;
        }
        for (std::size_t i = 1; i < merged.statement.rows.size(); ++i)
            ASSERT_LE(merged.statement.rows[i - 1].date(), merged.statement.rows[i].date());
        const MergeSource alone[] = {sources.front()};
        const SourceTally first = MergeStatements(alone).tallies.front(), counted = TallyOfFirst(read.front());
        EXPECT_EQ(std::tie(first.rowsAdded, first.rowsKnown, first.from, first.to),
                  std::tie(counted.rowsAdded, counted.rowsKnown, counted.from, counted.to));
    }
}

// An export without times, or with 1218.000 for 1218, still meets the same rows.
TEST(MergeTest, ColumnsOneStatementLacksAreNoPartOfTheIdentity)
{
    const Statement withTimes = ReadStatementBytes(
        "成交日期,成交时间,证券代码,操作,成交数量,成交价格,成交金额,发生金额\n"
        "20240301,9:30:00,600000,证券买入,100,10.00,1000.00,-1005.00\n"
        "20240301,9:31:00,600000,证券买入,100,10.00,1000.00,-1005.00\n");
    const Statement without = ReadStatementBytes(
        "成交日期,证券代码,买卖标志,成交数量,成交价格,成交金额,发生金额\n"
        "20240301,600000,买入,100,10.000,1000.000,-1005\n"
        "20240301,600000,买入,100,10.000,1000.000,-1005\n"
        "20240302,600000,卖出,100,10.000,1000.000,995\n");
    const MergeSource sources[] = {{1, &withTimes}, {2, &without}};
    const MergedStatement merged = MergeStatements(sources);
    EXPECT_EQ(merged.tallies[1].rowsAdded, 1);
    EXPECT_EQ(merged.tallies[1].rowsKnown, 2);
    ASSERT_EQ(merged.statement.rows.size(), 3u);
    EXPECT_EQ(merged.sourceOfRow, (std::vector<int>{1, 1, 2}));
}

// --- Slices of a made-up history ----------------------------------------------

const samples::Layout &balancesLayout() { return samples::SampleLayouts()[6]; }

Statement readRows(const std::vector<SampleRow> &rows)
{
    return ReadStatementBytes(
        samples::TextStatement(samples::LayoutCells(balancesLayout(), rows), '\t', TextEncoding::Gb18030));
}

template <typename Keep>
std::vector<SampleRow> rowsWhere(const std::vector<SampleRow> &rows, Keep keep)
{
    std::vector<SampleRow> kept;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(kept), keep);
    return kept;
}

int monthOf(TradeDate date) { return date.year * 12 + date.month; }

struct SliceFile {
    int first, last; // months, by monthOf
    int left = 0;    // a month left out of it
};

struct Slice {
    const char *name;
    std::vector<SliceFile> files;
    int missing = 0; // a month no file has, or 0
};

void PrintTo(const Slice &slice, std::ostream *out) { *out << slice.name; }

class SliceTest : public testing::TestWithParam<Slice> {
protected:
    static const std::vector<SampleRow> &rows()
    {
        static const std::vector<SampleRow> made = samples::SampleRows(2400, 5, balancesLayout().mix);
        return made;
    }
};

void expectSameAudit(const Statement &whole, const Statement &merged)
{
    const std::optional<Audit> a = AuditStatement(whole), b = AuditStatement(merged);
    ASSERT_EQ(a->findings.size(), b->findings.size());
    for (std::size_t i = 0; i < a->findings.size(); ++i) {
        EXPECT_EQ(a->findings[i].row, b->findings[i].row);
        EXPECT_EQ(a->findings[i].item, b->findings[i].item);
        EXPECT_EQ(a->findings[i].charged, b->findings[i].charged);
    }
    ASSERT_EQ(a->agreements.size(), b->agreements.size());
    for (std::size_t i = 0; i < a->agreements.size(); ++i) {
        EXPECT_EQ(a->agreements[i].terms.ratePerMille, b->agreements[i].terms.ratePerMille);
        EXPECT_EQ(a->agreements[i].terms.minimum, b->agreements[i].terms.minimum);
        EXPECT_EQ(a->agreements[i].commission, b->agreements[i].commission);
    }
    ASSERT_EQ(a->years.size(), b->years.size());
    for (std::size_t i = 0; i < a->years.size(); ++i) {
        EXPECT_EQ(a->years[i].turnover, b->years[i].turnover);
        EXPECT_EQ(a->years[i].feesTotal(), b->years[i].feesTotal());
    }
}

void expectSamePositions(const Statement &whole, const Statement &merged)
{
    const StatementPositions a = PositionsOfStatement(whole), b = PositionsOfStatement(merged);
    ASSERT_EQ(a.report.positions.size(), b.report.positions.size());
    for (std::size_t i = 0; i < a.report.positions.size(); ++i) {
        const PositionReport &x = a.report.positions[i], &y = b.report.positions[i];
        EXPECT_EQ(x.code, y.code);
        EXPECT_EQ(x.shares, y.shares);
        EXPECT_EQ(x.dilutedCost, y.dilutedCost);
        EXPECT_EQ(x.realizedFifo, y.realizedFifo);
        EXPECT_EQ(x.dividends, y.dividends);
    }
    EXPECT_EQ(a.report.oversold.size(), b.report.oversold.size());
}

TEST_P(SliceTest, GiveTheAuditAndPositionsOfTheWholeOrTheMissingMonth)
{
    const Slice &slice = GetParam();
    const Statement whole = readRows(rows());
    std::vector<Statement> files;
    for (const SliceFile &file : slice.files)
        files.push_back(readRows(rowsWhere(rows(), [&](const SampleRow &row) {
            const int month = monthOf(row.date);
            return month >= file.first && month <= file.last && month != file.left;
        })));
    std::vector<MergeSource> sources;
    for (std::size_t i = 0; i < files.size(); ++i)
        sources.push_back({static_cast<int>(i + 1), &files[i]});
    const MergedStatement merged = MergeStatements(sources);
    const BalanceCheck check = CheckBalances(merged.statement);
    if (!slice.missing) {
        ASSERT_EQ(merged.statement.rows.size(), whole.rows.size());
        expectSameAudit(whole, merged.statement);
        expectSamePositions(whole, merged.statement);
        EXPECT_TRUE(check.gaps.empty()) << EnglishText(check.gaps.front());
        EXPECT_TRUE(check.cashBreaks.empty());
        EXPECT_TRUE(check.openings.empty());
        return;
    }
    // Each security the month moved, and had rows after it, shows a gap of
    // that month's shares between its days around it.
    std::map<std::string, Decimal> moved;
    std::map<std::string, std::pair<TradeDate, TradeDate>> around;
    for (const SampleRow &row : rows()) {
        if (row.kind == RowKind::Other)
            continue;
        const int month = monthOf(row.date);
        if (month == slice.missing)
            moved[row.code] = moved[row.code] + (row.kind == RowKind::Buy ? row.quantity : -row.quantity);
        else if (month < slice.missing)
            around[row.code].first = row.date;
        else if (around[row.code].second == TradeDate{})
            around[row.code].second = row.date;
    }
    EXPECT_FALSE(check.gaps.empty());
    std::map<std::string, ShareGap> gaps;
    for (const ShareGap &gap : check.gaps)
        EXPECT_TRUE(gaps.emplace(gap.code, gap).second) << EnglishText(gap);
    for (const auto &[code, shares] : moved) {
        if (shares.sign() == 0 || around[code].second == TradeDate{}) {
            EXPECT_FALSE(gaps.contains(code)) << code;
            continue;
        }
        ASSERT_NE(around[code].first, TradeDate{}) << code << " has no row before the month";
        ASSERT_TRUE(gaps.contains(code)) << code;
        EXPECT_EQ(gaps[code].shares(), shares) << code;
        EXPECT_EQ(gaps[code].after, around[code].first) << code;
        EXPECT_EQ(gaps[code].before, around[code].second) << code;
        gaps.erase(code);
    }
    EXPECT_TRUE(gaps.empty()) << EnglishText(gaps.begin()->second);
    EXPECT_EQ(check.cashBreaks.size(), 1u);
}

constexpr int kFirst = 2014 * 12 + 1, kLast = 2023 * 12 + 12, kMiddle = 2018 * 12 + 6;

// A history that starts with shares held: its first balances show them, and
// its positions start from them and sell nothing more than held.
TEST(OpeningHoldingTest, ALaterFileStartsFromTheSharesItsBalancesShow)
{
    const std::vector<SampleRow> &rows = samples::SampleRows(2400, 5, balancesLayout().mix);
    const Statement whole = readRows(rows);
    const Statement later = readRows(rowsWhere(rows, [](const SampleRow &row) { return monthOf(row.date) >= kMiddle; }));
    std::map<std::string, Decimal> before;
    std::set<std::string> tradedLater;
    for (const SampleRow &row : rows) {
        if (row.kind == RowKind::Other)
            continue;
        if (monthOf(row.date) < kMiddle)
            before[row.code] = before[row.code] + (row.kind == RowKind::Buy ? row.quantity : -row.quantity);
        else
            tradedLater.insert(row.code);
    }
    const MergeSource sources[] = {{1, &later}};
    const MergedStatement merged = MergeStatements(sources);
    const BalanceCheck check = CheckBalances(merged.statement);
    std::map<std::string, Decimal> opened;
    std::vector<OpeningPosition> openings;
    for (const OpeningHolding &opening : check.openings) {
        opened[opening.code] = opening.shares;
        openings.push_back({opening.code, opening.name, opening.shares, std::nullopt});
    }
    std::map<std::string, Decimal> expected;
    for (const auto &[code, shares] : before)
        if (shares.sign() != 0 && tradedLater.contains(code))
            expected[code] = shares;
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(opened, expected);
    EXPECT_TRUE(check.gaps.empty());

    const StatementPositions started = PositionsOfStatement(merged.statement, openings);
    EXPECT_TRUE(started.report.oversold.empty());
    EXPECT_FALSE(PositionsOfStatement(merged.statement).report.oversold.empty()); // without them, sales of more than held
    std::map<std::string, Decimal> endWhole, endLater;
    for (const PositionReport &p : PositionsOfStatement(whole).report.positions)
        endWhole[p.code] = p.shares;
    for (const PositionReport &p : started.report.positions)
        endLater[p.code] = p.shares;
    for (const auto &[code, shares] : endLater)
        EXPECT_EQ(shares, endWhole[code]) << code;
}

INSTANTIATE_TEST_SUITE_P(
    Accounts, SliceTest,
    testing::Values(Slice{"Overlapping", {{kFirst, kMiddle + 6}, {kMiddle - 6, kLast}}},
                    Slice{"SameFileTwice", {{kFirst, kLast}, {kFirst, kLast}}},
                    Slice{"ThreeOutOfOrder", {{kMiddle, kLast}, {kFirst, kMiddle}, {kMiddle - 30, kMiddle + 30}}},
                    Slice{"MonthLeftOutOfOneOnly", {{kFirst, kLast, kMiddle}, {kMiddle, kMiddle + 1}}},
                    Slice{"MonthMissing", {{kFirst, kMiddle + 6, kMiddle}, {kMiddle - 6, kLast, kMiddle}}, kMiddle}),
    [](const auto &test) { return std::string(test.param.name); });

} // namespace
} // namespace tallyfin::statement
