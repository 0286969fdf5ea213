// Bad input: files refused whole with their own message, rows that cannot be
// read listed with a reason while the others are read, and files never
// written to.
#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <set>
#include <unistd.h>

#include "messages.h"
#include "statement_support.h"

namespace tallyfin::statement {
namespace {

const std::string kHeader = "成交日期\t证券代码\t证券名称\t业务名称\t买卖标志\t成交数量\t成交均价\t成交金额\t佣金\t发生金额\r\n";
const std::string kBuy = "20210311\t600036\t招商银行\t证券买入\t买入\t100\t10.00\t1000.00\t5.00\t-1005.00\r\n";

// UTF-8 lines as a GB18030 file; "<FF>" stands for a byte that is no text.
std::string gbStatement(const std::string &lines)
{
    std::string bytes = Gb18030(lines);
    for (std::size_t at; (at = bytes.find("<FF>")) != std::string::npos;)
        bytes.replace(at, 4, "\xFF");
    return bytes;
}

// A zip holding one empty file "a.txt" and nothing of a workbook.
std::string zipWithoutWorkbook()
{
    std::string zip;
    const auto put = [&](std::initializer_list<std::pair<unsigned, int>> fields) {
        for (const auto &[value, bytes] : fields)
            for (int i = 0; i < bytes; ++i)
                zip += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    put({{0x04034b50, 4}, {20, 2}, {0, 2}, {0, 2}, {0, 4}, {0, 4}, {0, 4}, {0, 4}, {5, 2}, {0, 2}});
    zip += "a.txt";
    put({{0x02014b50, 4}, {20, 2}, {20, 2}, {0, 2}, {0, 2}, {0, 4}, {0, 4}, {0, 4}, {0, 4}, {5, 2}, {0, 2}, {0, 2},
         {0, 2}, {0, 2}, {0, 4}, {0, 4}});
    zip += "a.txt";
    put({{0x06054b50, 4}, {0, 2}, {0, 2}, {1, 2}, {1, 2}, {51, 4}, {35, 4}, {0, 2}});
    return zip;
}

struct RefusedCase {
    const char *name;
    std::string bytes;
    FailureKind kind;
};

void PrintTo(const RefusedCase &c, std::ostream *out) { *out << c.name; }

class RefusedFileTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedFileTest, SaysWhyInBothLanguages)
{
    const Statement read = ReadStatementBytes(GetParam().bytes);
    ASSERT_TRUE(read.failure);
    EXPECT_EQ(read.failure->kind, GetParam().kind) << EnglishText(*read.failure);
    EXPECT_TRUE(read.rows.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedFileTest,
    testing::Values(
        RefusedCase{"Empty", "", FailureKind::Empty},
        RefusedCase{"OnlyLineEnds", "\r\n \n\t\n", FailureKind::Empty},
        RefusedCase{"ByteOrderMarkOnly", "\xEF\xBB\xBF\r\n", FailureKind::Empty},
        RefusedCase{"Utf16MarkOnly", "\xFF\xFE\r\0\n\0", FailureKind::Empty},
        RefusedCase{"Png", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), FailureKind::Binary},
        RefusedCase{"ControlBytes", std::string(200, '\x01') + kHeader, FailureKind::Binary},
        RefusedCase{"Utf16WithoutMark", std::string("\x10\x62\x64\x4E\t\0", 6), FailureKind::Binary},
        RefusedCase{"WebPage", "<!DOCTYPE html>\n<html><table><tr><td>成交日期</td></tr></table></html>", FailureKind::Html},
        RefusedCase{"NoHeader", "资金账号：1234\n成交日期\t证券代码\n20210311\t600036\n", FailureKind::NoHeader},
        // Big5 read as GB18030 names nothing we know.
        RefusedCase{"WrongEncoding", std::string("\xA6\xA8\xA5\xE6\xA4\xE9\xB4\xC1\t\xC3\xD2\xA8\xE9\xA5\x4E\xBD\x58\n"),
                    FailureKind::NoHeader},
        RefusedCase{"ZipWithoutWorkbook", zipWithoutWorkbook(), FailureKind::BadSpreadsheet},
        RefusedCase{"BrokenZip", "PK\x03\x04" + std::string(300, 'x'), FailureKind::BadSpreadsheet},
        RefusedCase{"BrokenXls", "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + std::string(1000, '\0'), FailureKind::BadSpreadsheet}),
    [](const auto &test) { return std::string(test.param.name); });

// --- Rows that cannot be read ------------------------------------------------

struct BadRowCase {
    const char *name;
    std::string row; // UTF-8, tab-separated
    RowProblem problem;
    std::string column, cell;
};

void PrintTo(const BadRowCase &c, std::ostream *out) { *out << c.name; }

class BadRowTest : public testing::TestWithParam<BadRowCase> {};

TEST_P(BadRowTest, IsListedWithItsReasonAndTheOthersAreRead)
{
    const BadRowCase &c = GetParam();
    const Statement read = ReadStatementBytes(gbStatement(kHeader + kBuy + c.row + "\r\n" + kBuy));
    ASSERT_FALSE(read.failure);
    EXPECT_EQ(read.tradeCount(), 2);
    ASSERT_EQ(read.unreadable.size(), 1u);
    const UnreadableRow &bad = read.unreadable.front();
    EXPECT_EQ(bad.line, 3);
    EXPECT_EQ(bad.problem, c.problem) << EnglishText(bad);
    EXPECT_EQ(bad.column, c.column);
    EXPECT_EQ(bad.cell, c.cell);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BadRowTest,
    testing::Values(
        BadRowCase{"TextForAmount", "20210311\t600036\t招商银行\t证券买入\t买入\t100\t10.00\t一千\t5.00\t-1005.00",
                   RowProblem::BadNumber, "成交金额", "一千"},
        BadRowCase{"NoDate", "\t600036\t招商银行\t证券买入\t买入\t100\t10.00\t1000.00\t5.00\t-1005.00",
                   RowProblem::NoDate, "成交日期", ""},
        BadRowCase{"NoSuchDay", "20210230\t600036\t招商银行\t证券买入\t买入\t100\t10.00\t1000.00\t5.00\t-1005.00",
                   RowProblem::BadDate, "成交日期", "20210230"},
        BadRowCase{"DateBeforeMarkets", "1899/12/31\t600036\t招商银行\t证券买入\t买入\t100\t10\t1000\t5\t-1005",
                   RowProblem::DateOutOfRange, "成交日期", "1899/12/31"},
        BadRowCase{"NoOperation", "20210311\t600036\t招商银行\t\t\t100\t10.00\t1000.00\t5.00\t-1005.00",
                   RowProblem::NoOperation, "业务名称", ""},
        BadRowCase{"SidesDisagreeWithoutCash", "20210311\t600036\t招商银行\t证券买入\t卖出\t100\t10\t1000\t5\t",
                   RowProblem::SidesDisagree, "业务名称", "证券买入 / 卖出"},
        BadRowCase{"NoCode", "20210311\t\t招商银行\t证券买入\t买入\t100\t10.00\t1000.00\t5.00\t-1005.00",
                   RowProblem::NoCode, "证券代码", ""},
        BadRowCase{"LetterInCode", "20210311\t60O036\t招商银行\t证券买入\t买入\t100\t10\t1000\t5\t-1005",
                   RowProblem::BadCode, "证券代码", "60O036"},
        BadRowCase{"NoQuantity", "20210311\t600036\t招商银行\t证券买入\t买入\t\t10.00\t1000.00\t5.00\t-1005.00",
                   RowProblem::NoQuantity, "成交数量", ""},
        BadRowCase{"ZeroQuantity", "20210311\t600036\t招商银行\t证券买入\t买入\t0\t10.00\t1000.00\t5.00\t-1005.00",
                   RowProblem::ZeroQuantity, "成交数量", "0"},
        BadRowCase{"NoPriceOrAmount", "20210311\t600036\t招商银行\t证券买入\t买入\t100\t--\t\t5.00\t-1005.00",
                   RowProblem::NoPriceOrAmount, "成交均价", "--"},
        BadRowCase{"BytesThatAreNoText", "20210311\t600036\t招商银行\t证券买入\t买入\t100\t10\t10<FF>0\t5\t-1005",
                   RowProblem::InvalidBytes, "成交金额", "10\uFFFD0"},
        BadRowCase{"TooManyDigits", "20210311\t600036\t招商银行\t证券买入\t买入\t100\t10\t123456789012345678\t5\t-1005",
                   RowProblem::BadNumber, "成交金额", "123456789012345678"}),
    [](const auto &test) { return std::string(test.param.name); });

// --- Files read all the same ---------------------------------------------------

TEST(BadInputTest, TheRowCutShortAtTheEndIsListed)
{
    const Statement read = ReadStatementBytes(gbStatement(kHeader + kBuy + "20210312\t600036\t招商"));
    ASSERT_EQ(read.unreadable.size(), 1u);
    EXPECT_EQ(read.unreadable[0].problem, RowProblem::CutShort);
    EXPECT_EQ(read.unreadable[0].line, 3);
    EXPECT_EQ(read.tradeCount(), 1);
}

TEST(BadInputTest, SidesThatDisagreeAreSettledByTheCash)
{
    const Statement read = ReadStatementBytes(
        gbStatement(kHeader + "20210311\t600036\t招商银行\t证券卖出\t买入\t100\t10\t1000\t5\t-1005\r\n"));
    ASSERT_EQ(read.rows.size(), 1u);
    EXPECT_EQ(read.rows[0].kind(), RowKind::Buy);
    EXPECT_EQ(read.rows[0].operation(), "买入");
}

// Each line in the encoding it is valid in; a byte that is no text spoils only its cell.
TEST(BadInputTest, MixedEncodingsAreReadLineByLine)
{
    const std::string utf8Line = "20210312\t000878\t云南铜业\t证券卖出\t卖出\t-200\t9.90\t1980.00\t5.00\t1973.02\r\n";
    const std::string gbFile = Gb18030(kHeader + kBuy) + utf8Line + gbStatement("20210315\t600036\t招<FF>银行\t证券买入\t买入\t100\t10\t1000\t5\t-1005\r\n");
    const Statement read = ReadStatementBytes(gbFile);
    ASSERT_FALSE(read.failure);
    EXPECT_EQ(read.format.encoding, TextEncoding::Gb18030);
    EXPECT_EQ(read.format.linesInOtherEncoding, 1);
    ASSERT_EQ(read.rows.size(), 3u);
    EXPECT_EQ(read.rows[1].name(), "云南铜业");
    EXPECT_EQ(read.rows[1].code(), "000878");
    EXPECT_FALSE(read.rows[1].textRepaired());
    EXPECT_EQ(read.rows[2].name(), "招\uFFFD银行");
    EXPECT_TRUE(read.rows[2].textRepaired());

    const Statement utf8 = ReadStatementBytes("\xEF\xBB\xBF" + kHeader + kBuy + Gb18030(utf8Line));
    EXPECT_EQ(utf8.format.encoding, TextEncoding::Utf8);
    EXPECT_EQ(utf8.format.linesInOtherEncoding, 1);
    ASSERT_EQ(utf8.rows.size(), 2u);
    EXPECT_EQ(utf8.rows[1].name(), "云南铜业");
}

TEST(BadInputTest, RepeatedHeadersAndBlankLinesAreSkipped)
{
    const Statement read = ReadStatementBytes(kHeader + kBuy + "\r\n\t\t\r\n" + kHeader + kBuy);
    EXPECT_EQ(read.tradeCount(), 2);
    EXPECT_TRUE(read.unreadable.empty());
}

// A workbook that makes libfreexl read past its buffers (found by fuzzing)
// ends only the child process that reads it. Under AddressSanitizer the
// child prints its report of libfreexl's over-read before it ends; the
// reading is reported damaged all the same.
TEST(BadInputTest, AnXlsThatStopsItsReaderIsReportedDamaged)
{
    const Statement read = ReadStatementFile(TALLYFIN_DAMAGED_XLS);
    ASSERT_TRUE(read.failure);
    EXPECT_EQ(read.failure->kind, FailureKind::BadSpreadsheet);
    EXPECT_EQ(read.format.kind, FileKind::Xls);
}

TEST(BadInputTest, AFileAboveTheLimitIsRefusedFromItsSize)
{
    const ScratchDirectory directory;
    const std::filesystem::path path = directory.path() / "huge.xls";
    const int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, 2ll << 30), 0); // 2 GiB, sparse: nothing is read
    close(fd);
    const Statement read = ReadStatementFile(path);
    ASSERT_TRUE(read.failure);
    EXPECT_EQ(read.failure->kind, FailureKind::TooLarge);
    EXPECT_EQ(read.failure->fileSize, 2ull << 30);
    EXPECT_EQ(EnglishText(*read.failure), "the file is 2.0 GiB; statements larger than 256.0 MiB are not read");
}

TEST(BadInputTest, WhatCannotBeOpenedSaysWhy)
{
    const ScratchDirectory directory;
    for (const auto &[path, error] : {std::pair{directory.path() / "missing.xls", ENOENT}, std::pair{directory.path(), EISDIR}}) {
        const Statement read = ReadStatementFile(path);
        ASSERT_TRUE(read.failure);
        EXPECT_EQ(read.failure->kind, FailureKind::CannotOpen);
        EXPECT_EQ(read.failure->systemError, error);
        EXPECT_EQ(read.failure->detail, path.string());
    }
}

TEST(BadInputTest, TheStatementIsOnlyRead)
{
    const ScratchDirectory directory;
    const std::string bytes = gbStatement(kHeader + kBuy + "bad\r\n");
    const std::filesystem::path path = directory.write("交割单.xls", bytes);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    const auto modified = std::filesystem::last_write_time(path);
    EXPECT_EQ(ReadStatementFile(path).tradeCount(), 1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory.path()), {}), 1);
    EXPECT_EQ(std::filesystem::last_write_time(path), modified);
    EXPECT_EQ(std::filesystem::file_size(path), bytes.size());
}

TEST(BadInputTest, ProgressRisesToOneAndCanStopTheReading)
{
    const samples::Layout &layout = samples::SampleLayouts()[0];
    const std::string bytes = samples::TextStatement(samples::LayoutCells(layout, samples::SampleRows(20000, 5)), '\t',
                                                     TextEncoding::Gb18030);
    std::vector<double> seen;
    const Statement read = ReadStatementBytes(bytes, [&](double fraction) {
        seen.push_back(fraction);
        return true;
    });
    EXPECT_FALSE(read.failure);
    ASSERT_GE(seen.size(), 10u);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_DOUBLE_EQ(seen.back(), 1.0);
    for (const std::size_t stopAt : {std::size_t{0}, seen.size() / 2}) {
        std::size_t calls = 0;
        const Statement stopped = ReadStatementBytes(bytes, [&](double) { return calls++ < stopAt; });
        ASSERT_TRUE(stopped.failure);
        EXPECT_EQ(stopped.failure->kind, FailureKind::Cancelled);
        EXPECT_TRUE(stopped.rows.empty());
    }
}

// Every problem has its own text in both languages.
TEST(BadInputTest, EveryProblemHasAMessageInEachLanguage)
{
    std::set<std::string> english, chinese;
    for (int kind = 0; kind <= static_cast<int>(FailureKind::Cancelled); ++kind) {
        Failure failure;
        failure.kind = static_cast<FailureKind>(kind);
        english.insert(EnglishText(failure));
        chinese.insert(ChineseText(failure));
    }
    for (int problem = 0; problem <= static_cast<int>(RowProblem::CutShort); ++problem) {
        const UnreadableRow row{1, static_cast<RowProblem>(problem), "成交金额", "x"};
        english.insert(EnglishText(row));
        chinese.insert(ChineseText(row));
    }
    const std::size_t problems = static_cast<std::size_t>(FailureKind::Cancelled) + static_cast<std::size_t>(RowProblem::CutShort) + 2;
    EXPECT_EQ(english.size(), problems);
    EXPECT_EQ(chinese.size(), problems);
    EXPECT_FALSE(english.contains(""));
    EXPECT_FALSE(chinese.contains(""));
}

} // namespace
} // namespace tallyfin::statement
