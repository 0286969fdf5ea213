#pragma once

#include <string>
#include <string_view>
#include <vector>

// Marks a text of the engine for translation and leaves it as it is: the
// engine speaks Simplified Chinese, the program's source language, and a
// window translates what it shows. lupdate reads both markers as
// QT_TRANSLATE_NOOP (see translations/update.sh).
//   TALLYFIN_TR_NOOP("Markets", "上海A股")   -> "上海A股"
//   TALLYFIN_TEXT("Trade", "实付金额应大于 0") -> Text("Trade", "实付金额应大于 0")
#define TALLYFIN_TR_NOOP(context, text) text
#define TALLYFIN_TEXT(context, text) ::tallyfin::Text(context, text)

namespace tallyfin {

// A text a person reads, kept as its parts so that a window can translate it:
// a pattern marked for translation whose %1 … %9 its arguments fill. An
// argument is data shown as it is (a number as computed, a date, a name the
// user typed or a file holds) or a text to translate in its turn.
//   TALLYFIN_TEXT("Trade", "佣金费率应在 0 到 %1‰ 之间").arg("3").toString()
//     -> "佣金费率应在 0 到 3‰ 之间"
class Text {
public:
    // `pattern` is a literal marked for translation in `context`.
    Text(const char *context, const char *pattern) : m_context(context), m_pattern(pattern) {}
    // Data, never translated.
    static Text Plain(std::string text);

    Text &arg(Text text) &;
    Text &arg(std::string plain) &;
    Text &&arg(Text text) &&;
    Text &&arg(std::string plain) &&;

    // nullptr for data.
    const char *context() const { return m_context; }
    // The pattern; the text itself for data.
    const std::string &pattern() const { return m_pattern; }
    const std::vector<Text> &args() const { return m_args; }

    // The text in the source language.
    std::string toString() const;

private:
    Text() = default;

    const char *m_context = nullptr;
    std::string m_pattern;
    std::vector<Text> m_args;
};

// Fills %1 … %9 of `pattern` in one pass, so that an argument holding "%2"
// stays as it is; "%" before anything else is kept.
//   FillPattern("%1 × %2 = 100%", {"10", "10"}) -> "10 × 10 = 100%"
std::string FillPattern(std::string_view pattern, const std::vector<std::string> &args);

// Joins texts with a separator pattern of two places, "%1、%2", so that the
// translation chooses the separator: {A, B, C} -> ((A、B)、C).
Text JoinTexts(const std::vector<Text> &texts, const Text &separator);

} // namespace tallyfin
