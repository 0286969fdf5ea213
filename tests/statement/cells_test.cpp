// Cells as brokers' exports and spreadsheet programs leave them, and the
// names of columns and operations.
#include <gtest/gtest.h>

#include "cells.h"
#include "columns.h"
#include "operations.h"
#include "statement_support.h"

namespace tallyfin::statement {
namespace {

struct NumberCase {
    std::string text;
    CellRead read;
    long long units = 0;
    int scale = 0;
};

TEST(CellsTest, NumbersAsStatementsWriteThem)
{
    const NumberCase cases[] = {
        {"1218.000", CellRead::Read, 1218000, 3},  {"-1,234.50", CellRead::Read, -123450, 2},
        {"+5", CellRead::Read, 5, 0},              {"0.0005", CellRead::Read, 5, 4},
        {"1.5E-3", CellRead::Read, 15, 4},         {"4.4266e4", CellRead::Read, 44266, 0},
        {"000597", CellRead::Read, 597, 0},        {".5", CellRead::Read, 5, 1},
        {"", CellRead::Empty},                     {"--", CellRead::Empty},
        {"—", CellRead::Empty},                    {"-", CellRead::Empty},
        {"12元", CellRead::Bad},                   {"1.2.3", CellRead::Bad},
        {",5", CellRead::Bad},                     {"1,", CellRead::Bad},
        {"abc", CellRead::Bad},                    {"1e", CellRead::Bad},
        {"99999999999999999", CellRead::Read, 99999999999999999, 0},
        {"999999999999999999", CellRead::Bad},     {"1e17", CellRead::Bad},
        {"1e-18", CellRead::Bad},
    };
    for (const NumberCase &c : cases) {
        CellNumber number;
        EXPECT_EQ(ReadNumber(c.text, number), c.read) << '"' << c.text << '"';
        if (c.read == CellRead::Read) {
            EXPECT_EQ(Decimal(number.units, number.scale), Decimal(c.units, c.scale)) << '"' << c.text << '"';
        }
    }
}

TEST(CellsTest, DatesInEveryFormBrokersUse)
{
    const std::pair<std::string, std::string> read[] = {
        {"20210311", "2021-03-11"},       {"2021-03-11", "2021-03-11"},  {"2021/3/11", "2021-03-11"},
        {"2021.3.11", "2021-03-11"},      {"2021年3月11日", "2021-03-11"}, {"44266", "2021-03-11"},
        {"44266.4375", "2021-03-11"},     {"2021-03-11 09:30:00", "2021-03-11"}, {"20240229", "2024-02-29"},
        {"32874", "1990-01-01"},
    };
    for (const auto &[text, date] : read) {
        TradeDate day;
        EXPECT_EQ(ReadDate(text, day), DateRead::Read) << text;
        EXPECT_EQ(FormatTradeDate(day), date) << text;
    }
    const std::pair<std::string, DateRead> refused[] = {
        {"", DateRead::Empty},          {"20230229", DateRead::Bad},       {"2021-13-01", DateRead::Bad},
        {"2021/3/11x", DateRead::Bad},  {"3/11/2021", DateRead::Bad},      {"合计", DateRead::Bad},
        {"0", DateRead::Bad},           {"19891231", DateRead::OutOfRange}, {"21000101", DateRead::OutOfRange},
        {"1", DateRead::OutOfRange},    {"202103111", DateRead::Bad},
    };
    for (const auto &[text, outcome] : refused) {
        TradeDate day;
        EXPECT_EQ(ReadDate(text, day), outcome) << text;
    }
}

TEST(CellsTest, SpreadsheetTextsAndNumbers)
{
    EXPECT_EQ(CellText("=\"601869\""), "601869");
    EXPECT_EQ(CellText("= \"000597      \""), "000597");
    EXPECT_EQ(CellText("\u3000 招商银行\u00A0"), "招商银行");
    EXPECT_EQ(CellText("=\"\""), "");
    EXPECT_EQ(CellText("=A1+B1"), "=A1+B1");
    EXPECT_EQ(SpreadsheetNumberText(16899.150000000001), "16899.15");
    EXPECT_EQ(SpreadsheetNumberText(878), "878");
    EXPECT_EQ(TimeOfDayText(0.3958333333), "09:30:00");
    EXPECT_EQ(TimeOfDayText(1.5), "");
}

TEST(CellsTest, OperationsThatAreTradesAndThoseThatAreNot)
{
    for (const char *buy : {"证券买入", "买入", "买", "融资买入", "担保品买入", "买券还券", "证券买入(港股通)", "买入成交", "B"})
        EXPECT_EQ(ClassifyOperation(buy), RowKind::Buy) << buy;
    for (const char *sell : {"证券卖出", "卖出", "卖", "卖券还款", "融券卖出", "担保品卖出", " 卖 出 ", "S"})
        EXPECT_EQ(ClassifyOperation(sell), RowKind::Sell) << sell;
    for (const char *other : {"红利入账", "股息红利税补缴", "银证转账", "利息归本", "新股申购", "申购配号", "新股中签",
                              "港股通组合费收取", "融资利息", "手续费多退少补", "融券回购", "ETF申购买入", "撤单买入",
                              "担保品划转买入", "证券买卖"})
        EXPECT_EQ(ClassifyOperation(other), RowKind::Other) << other;
}

TEST(CellsTest, HeaderNamesBrokersUse)
{
    EXPECT_EQ(HeaderName("成交金额(元)"), "成交金额");
    EXPECT_EQ(HeaderName("=\"成交 日期\""), "成交日期");
    EXPECT_EQ(HeaderName("佣金（元）"), "佣金");
    EXPECT_EQ(MeaningOf("股东账号").role, ColumnRole::Account);
    EXPECT_EQ(MeaningOf("交收日期").role, ColumnRole::Date);
    EXPECT_GT(MeaningOf("交收日期").rank, MeaningOf("发生日期").rank);
    EXPECT_EQ(MeaningOf("剩余数量").role, ColumnRole::None);
    const std::string_view header[] = {"日期", "代码", "摘要", "数量", "金额"};
    EXPECT_TRUE(IsHeaderRow(header));
    const std::string_view noQuantity[] = {"日期", "代码", "摘要", "金额"};
    EXPECT_FALSE(IsHeaderRow(noQuantity));
}

// What tells a Hong Kong stock bought through Stock Connect, and how its code is kept.
TEST(CellsTest, StockConnectRowsKeepFiveDigits)
{
    struct Case {
        std::string code, market, currency, rate;
        bool stockConnect;
        std::string read;
    };
    const Case cases[] = {
        {"00700", "", "", "", true, "00700"},           {"700", "港股通", "", "", true, "00700"},
        {"700", "", "港币", "", true, "00700"},         {"700", "", "", "0.8338", true, "00700"},
        {"1810", "沪港通", "", "", true, "01810"},      {"700", "深市A股", "人民币", "1.0000", false, "000700"},
        {"878", "", "", "0", false, "000878"},          {"600036", "沪市A股", "", "", false, "600036"},
    };
    std::string text = "成交日期,证券代码,证券名称,操作,成交数量,成交价格,成交金额,交易市场,币种,汇率\n";
    for (const Case &c : cases)
        text += "20210311," + c.code + ",某股票,买入,100,1.00,100.00," + c.market + "," + c.currency + "," + c.rate + "\n";
    const Statement read = ReadStatementBytes(text);
    ASSERT_EQ(read.rows.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(read.rows[i].stockConnect(), cases[i].stockConnect) << cases[i].code;
        EXPECT_EQ(read.rows[i].code(), cases[i].read) << cases[i].code;
    }
}

} // namespace
} // namespace tallyfin::statement
