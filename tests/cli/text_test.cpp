#include <gtest/gtest.h>

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
