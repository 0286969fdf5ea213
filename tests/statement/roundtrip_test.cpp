// Statements made up in seven brokers' layouts, written in every format a
// broker's client exports, read back row by row; and the choices between
// columns that could mean one thing.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "messages.h"
#include "statement_support.h"

namespace tallyfin::statement {
namespace {

using samples::Field;
using samples::Layout;
using samples::SampleRow;

constexpr FormatCase kFormats[] = {kGb18030Tsv, kUtf8BomCsv, kUtf16Tsv, kXls, kXlsx};

std::optional<Decimal> expectedIf(const Layout &layout, Field field, const Decimal &value)
{
    return samples::HasField(layout, field) ? std::optional<Decimal>(value) : std::nullopt;
}

std::string_view expectedIf(const Layout &layout, Field field, const std::string &value)
{
    return samples::HasField(layout, field) ? std::string_view(value) : std::string_view();
}

void expectTradeNumbers(const Layout &layout, const SampleRow &expected, const Row &row)
{
    EXPECT_EQ(row.quantity(), expected.quantity);
    EXPECT_EQ(row.price(), expected.price);
    EXPECT_EQ(row.amount(), expected.amount);
    EXPECT_EQ(row.commission(), expectedIf(layout, Field::Commission, expected.commission));
    EXPECT_EQ(row.stampDuty(), expectedIf(layout, Field::StampDuty, expected.stampDuty));
    EXPECT_EQ(row.transferFee(), expectedIf(layout, Field::TransferFee, expected.transferFee));
    EXPECT_EQ(row.otherFees(), expectedIf(layout, Field::OtherFees, samples::OtherFeesAsWritten(layout, expected)));
    EXPECT_EQ(row.feesTotal(), expectedIf(layout, Field::FeesTotal, expected.feesTotal()));
}

void expectRow(const Layout &layout, const SampleRow &expected, const Row &row)
{
    EXPECT_EQ(row.kind(), expected.kind);
    EXPECT_EQ(row.date(), expected.date);
    EXPECT_EQ(row.operation(), expected.operation);
    EXPECT_EQ(row.code(), expected.code);
    EXPECT_EQ(row.name(), expected.name);
    EXPECT_EQ(row.stockConnect(), expected.stockConnect);
    EXPECT_EQ(row.cash(), expectedIf(layout, Field::Cash, expected.cash));
    EXPECT_EQ(row.shareBalance(), samples::HasField(layout, Field::ShareBalance) ? expected.shareBalance : std::nullopt);
    EXPECT_EQ(row.cashBalance(), samples::HasField(layout, Field::CashBalance) ? expected.cashBalance : std::nullopt);
    EXPECT_EQ(row.fundAccount(), samples::HasField(layout, Field::FundAccount) ? samples::kSampleFundAccount : "");
    if (row.kind() == RowKind::Other)
        return;
    expectTradeNumbers(layout, expected, row);
    EXPECT_EQ(row.time(), expectedIf(layout, Field::Time, expected.time));
    EXPECT_EQ(row.market(), expectedIf(layout, Field::Market, expected.market));
    EXPECT_EQ(row.orderNumber(), expectedIf(layout, Field::OrderNumber, expected.orderNumber));
    EXPECT_EQ(row.account(), expectedIf(layout, Field::Account, expected.account));
    EXPECT_FALSE(row.textRepaired());
}

class RoundTripTest : public testing::TestWithParam<std::tuple<int, FormatCase>> {};

TEST_P(RoundTripTest, ReadsBackEveryRowExactly)
{
    const auto &[layoutIndex, format] = GetParam();
    const Layout &layout = samples::SampleLayouts()[static_cast<std::size_t>(layoutIndex)];
    const std::vector<SampleRow> rows = samples::SampleRows(150, static_cast<std::uint32_t>(layoutIndex + 1), layout.mix);
    const ScratchDirectory directory;
    const Statement read = ReadStatementFile(WriteStatement(samples::LayoutCells(layout, rows), format, directory));

    ASSERT_FALSE(read.failure) << EnglishText(*read.failure);
    EXPECT_EQ(read.format.kind, format.kind);
    EXPECT_EQ(read.format.encoding, format.encoding);
    EXPECT_EQ(read.format.separator, format.separator);
    EXPECT_EQ(read.format.headerLine, static_cast<int>(layout.preamble.size()) + 1);
    EXPECT_EQ(read.format.sheet, format.kind == FileKind::Text ? "" : "交割单");
    for (const UnreadableRow &row : read.unreadable)
        ADD_FAILURE() << "line " << row.line << ": " << EnglishText(row);
    ASSERT_EQ(read.rows.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i) + " (" + rows[i].operation + " " + rows[i].code + ")");
        EXPECT_EQ(read.rows[i].line(), samples::LineOfRow(layout, i));
        expectRow(layout, rows[i], read.rows[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, RoundTripTest,
                         testing::Combine(testing::Range(0, static_cast<int>(samples::SampleLayouts().size())),
                                          testing::ValuesIn(kFormats)),
                         [](const auto &test) {
                             std::string name = samples::SampleLayouts()[static_cast<std::size_t>(std::get<0>(test.param))].name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name + "_" + std::get<1>(test.param).name;
                         });

// The window reads on a worker thread while the rest of the program goes on
// allocating. A reader process forked at such a moment would inherit the
// allocator's lock held (the sanitizer build's allocator keeps no fork
// handlers) and hang; every reading here must come back whole.
TEST(XlsReaderTest, ReadsWhileOtherThreadsAllocate)
{
    const Layout &layout = samples::SampleLayouts()[0];
    const std::vector<SampleRow> rows = samples::SampleRows(20, 5, layout.mix);
    const ScratchDirectory directory;
    const std::filesystem::path path = WriteStatement(samples::LayoutCells(layout, rows), kXls, directory);
    const auto allocate = [](const std::stop_token &stop) {
        // Blocks of many sizes, freed in bulk: the thread's cache keeps
        // going back to the shared allocator for more and to return them.
        std::vector<std::string> held;
        for (std::size_t size = 16; !stop.stop_requested(); size = size % 4096 + 24) {
            held.emplace_back(size, 'x');
            if (held.size() == 4096)
                held.clear();
        }
    };
    std::jthread first(allocate), second(allocate);
    for (int i = 0; i < 25; ++i) {
        const Statement read = ReadStatementFile(path);
        ASSERT_FALSE(read.failure) << "reading " << i << ": " << EnglishText(*read.failure);
        ASSERT_EQ(read.rows.size(), rows.size());
    }
}

// --- Columns that could mean one thing ---------------------------------------

struct ChoiceCase {
    const char *name;
    int layout;
    // The column of this header takes this field instead (a wrong column
    // that only the rows' arithmetic can tell).
    std::string replaced;
    Field replacement;
    ColumnRole role;
    std::string chosen; // header of the chosen column; "" for none
    ChoiceBasis basis;
};

void PrintTo(const ChoiceCase &c, std::ostream *out) { *out << c.name; }

class ColumnChoiceTest : public testing::TestWithParam<ChoiceCase> {};

TEST_P(ColumnChoiceTest, TakesTheColumnTheRowsAddUpWith)
{
    const ChoiceCase &c = GetParam();
    Layout layout = samples::SampleLayouts()[static_cast<std::size_t>(c.layout)];
    for (samples::LayoutColumn &column : layout.columns)
        if (column.header == c.replaced)
            column.field = c.replacement;
    const std::vector<SampleRow> rows = samples::SampleRows(200, 11, layout.mix);
    const Statement read = ReadStatementBytes(
        samples::TextStatement(samples::LayoutCells(layout, rows), '\t', TextEncoding::Gb18030));
    ASSERT_FALSE(read.failure);
    const auto choice = std::find_if(read.choices.begin(), read.choices.end(),
                                     [&](const ColumnChoice &made) { return made.role == c.role; });
    ASSERT_NE(choice, read.choices.end());
    EXPECT_EQ(choice->chosen < 0 ? "" : read.columns[static_cast<std::size_t>(choice->chosen)].name, c.chosen)
        << EnglishText(*choice, read.columns);
    EXPECT_EQ(choice->basis, c.basis) << EnglishText(*choice, read.columns);
    EXPECT_TRUE(read.unreadable.empty());
    EXPECT_EQ(read.tradeCount() + read.otherCount(), static_cast<int>(rows.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Choices, ColumnChoiceTest,
    testing::Values(
        ChoiceCase{"FeesAloneIsTheCommission", 0, "", Field::Filler, ColumnRole::Commission, "手续费", ChoiceBasis::Arithmetic},
        ChoiceCase{"FeesBesideCommissionIsTheTotal", 1, "", Field::Filler, ColumnRole::Commission, "佣金", ChoiceBasis::Arithmetic},
        ChoiceCase{"FeesAloneThatTotalsTheFees", 0, "手续费", Field::FeesTotal, ColumnRole::Commission, "", ChoiceBasis::Arithmetic},
        ChoiceCase{"EqualQuantitiesByName", 5, "", Field::Filler, ColumnRole::Quantity, "成交数量", ChoiceBasis::NameOrder},
        ChoiceCase{"OtherQuantityAddsUp", 5, "成交数量", Field::Price, ColumnRole::Quantity, "发生数量", ChoiceBasis::Arithmetic},
        ChoiceCase{"EqualCashByName", 5, "", Field::Filler, ColumnRole::Cash, "发生金额", ChoiceBasis::NameOrder},
        ChoiceCase{"OtherCashAddsUp", 5, "发生金额", Field::Amount, ColumnRole::Cash, "清算金额", ChoiceBasis::Arithmetic},
        ChoiceCase{"TradeDateBeforeSettlement", 2, "", Field::Filler, ColumnRole::Date, "发生日期", ChoiceBasis::NameOrder},
        ChoiceCase{"EveryOperationColumnRead", 5, "", Field::Filler, ColumnRole::Operation, "业务名称", ChoiceBasis::EachRow}),
    [](const auto &test) { return std::string(test.param.name); });

// A file's rows mean the same whatever their columns' order.
TEST(ColumnChoiceTest, HeaderColumnsGetTheirRoles)
{
    const Layout &layout = samples::SampleLayouts()[1];
    const Statement read = ReadStatementBytes(samples::TextStatement(
        samples::LayoutCells(layout, samples::SampleRows(20, 3, layout.mix)), ',', TextEncoding::Utf8));
    ASSERT_EQ(read.columns.size(), layout.columns.size());
    const auto roleOf = [&](std::string_view name) {
        for (const Column &column : read.columns)
            if (column.name == name)
                return column.role;
        return ColumnRole::None;
    };
    EXPECT_EQ(roleOf("手续费"), ColumnRole::FeesTotal);
    EXPECT_EQ(roleOf("佣金"), ColumnRole::Commission);
    EXPECT_EQ(roleOf("买卖标志"), ColumnRole::Operation);
    EXPECT_EQ(roleOf("备注"), ColumnRole::Remark);
    EXPECT_EQ(roleOf("股东代码"), ColumnRole::Account);
}

} // namespace
} // namespace tallyfin::statement
