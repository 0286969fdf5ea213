#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "json.h"
#include "table.h"
#include "terminal.h"

namespace tallyfin {
namespace {

// U+FFFD as UTF-8.
#define FFFD "\xEF\xBF\xBD"

struct TextCase {
    const char *name;
    std::string input, expected;
};

void PrintTo(const TextCase &c, std::ostream *os) { *os << c.name; }

const auto kCaseName = [](const auto &test) { return std::string(test.param.name); };

class JsonStringTest : public testing::TestWithParam<TextCase> {};

TEST_P(JsonStringTest, IsValidJsonAndUtf8) { EXPECT_EQ(JsonString(GetParam().input), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonStringTest,
    testing::Values(TextCase{"Plain", "10.5", R"("10.5")"},
                    TextCase{"QuoteAndBackslash", R"(a"b\c)", R"("a\"b\\c")"},
                    TextCase{"ShortEscapes", "1\n\t\r\b\f2", R"("1\n\t\r\b\f2")"},
                    TextCase{"OtherControls", std::string("\0\x01\x1f\x7f", 4), R"("\u0000\u0001\u001F\u007F")"},
                    TextCase{"ChinesePassesThrough", "卖出数量必须设置初始值", "\"卖出数量必须设置初始值\""},
                    TextCase{"FourByteCharacter", "\xF0\x9F\x98\x80", "\"\xF0\x9F\x98\x80\""},
                    TextCase{"LineSeparators", "\u2028\u2029", R"("\u2028\u2029")"},
                    TextCase{"LoneByte", "a\xff" "b", "\"a" FFFD "b\""},
                    TextCase{"TruncatedKeepsNext", "\xE4\xB8" "x", "\"" FFFD "x\""},
                    TextCase{"TruncatedAtEnd", "1\xF0\x9F\x98", "\"1" FFFD "\""},
                    TextCase{"Overlong", "\xC0\xAF", "\"" FFFD FFFD "\""},
                    TextCase{"Surrogate", "\xED\xA0\x80", "\"" FFFD FFFD FFFD "\""},
                    TextCase{"BeyondUnicode", "\xF4\x90\x80\x80", "\"" FFFD FFFD FFFD FFFD "\""}),
    kCaseName);

class TerminalTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(TerminalTextTest, CannotDisturbTheTerminal) { EXPECT_EQ(TerminalText(GetParam().input), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Texts, TerminalTextTest,
    testing::Values(TextCase{"Plain", R"(10.5 "x" \ 中文)", R"(10.5 "x" \ 中文)"},
                    TextCase{"LineBreaks", "1\n2\r\t", R"(1\n2\r\t)"},
                    TextCase{"EscapeSequence", "\x1b[2J", R"(\u001B[2J)"},
                    TextCase{"EightBitControl", "\xC2\x9B" "1m", R"(\u009B1m)"},
                    TextCase{"BidiOverride", "\u202E12", R"(\u202E12)"},
                    TextCase{"ArabicLetterMark", "\u061C1", R"(\u061C1)"},
                    TextCase{"LineSeparator", "1\u20282", R"(1\u20282)"},
                    TextCase{"TruncatedKeepsNext", "\xE4\xB8" "x\xED\xA0\x80", FFFD "x" FFFD FFFD FFFD},
                    TextCase{"InvalidByte", "1\xff", "1" FFFD}),
    kCaseName);

struct WidthCase {
    const char *name;
    std::string text;
    std::size_t width;
};

void PrintTo(const WidthCase &c, std::ostream *os) { *os << c.name; }

class DisplayWidthTest : public testing::TestWithParam<WidthCase> {};

TEST_P(DisplayWidthTest, CountsTerminalColumns) { EXPECT_EQ(DisplayWidth(GetParam().text), GetParam().width); }

INSTANTIATE_TEST_SUITE_P(
    Texts, DisplayWidthTest,
    testing::Values(WidthCase{"Empty", "", 0}, WidthCase{"Ascii", "10.07", 5},
                    WidthCase{"Chinese", "买入价格", 8}, WidthCase{"Mixed", "上海A股", 7},
                    WidthCase{"FullwidthParentheses", "（红）", 6}, WidthCase{"PerMilleIsNarrow", "‰", 1},
                    WidthCase{"IdeographicSpace", "\u3000", 2}, WidthCase{"Hangul", "한", 2},
                    WidthCase{"Emoji", "\xF0\x9F\x98\x80", 2}, WidthCase{"CombiningMark", "e\u0301", 1},
                    WidthCase{"SupplementaryIdeograph", "\xF0\xA0\x80\x80", 2},
                    WidthCase{"InvalidByteShowsOneMark", "\xff", 1}),
    kCaseName);

// Members in order, ", " and ": " between them, strings through JsonString.
TEST(JsonLine, OneLineWithSpaces)
{
    const nlohmann::ordered_json value = {
        {"z", {{"b", "1\x1f"}, {"a", nlohmann::ordered_json::array({"\xff", 2, true})}}},
        {"error", nullptr},
        {"empty", nlohmann::ordered_json::object()}};
    EXPECT_EQ(JsonLine(value), R"({"z": {"b": "1\u001F", "a": [")" FFFD R"(", 2, true]}, "error": null, "empty": {}})");
}

TEST(TextTable, ValuesStartInOneColumn)
{
    TextTable table;
    table.addRow("证 交 所", "上海A股");
    table.addRow("印花税双边征收", "否");
    table.addHeading("a heading wider than every caption");
    table.addRow("  收 益 率(%)", "9.21（红）", FieldColor::Red);
    table.addRow("x", "1\n2");
    table.addRow("  empty", "");
    EXPECT_EQ(table.render(false), "证 交 所        上海A股\n"
                                   "印花税双边征收  否\n"
                                   "a heading wider than every caption\n"
                                   "  收 益 率(%)   9.21（红）\n"
                                   "x               1\\n2\n"
                                   "  empty\n");
}

TEST(TextTable, ColoursOnlyWhenAsked)
{
    TextTable table;
    table.addRow("a", "9.21", FieldColor::Red);
    table.addRow("b", "-1", FieldColor::Green);
    table.addRow("c", "0");
    EXPECT_EQ(table.render(true), "a  \x1b[31m9.21\x1b[0m\nb  \x1b[32m-1\x1b[0m\nc  0\n");
    EXPECT_EQ(table.render(false), "a  9.21\nb  -1\nc  0\n");
}

} // namespace
} // namespace tallyfin
