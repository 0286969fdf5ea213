#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tallyfin {

inline constexpr char32_t kReplacementCharacter = U'\uFFFD';

// One code point read from the front of a non-empty text. An ill-formed
// sequence reads as U+FFFD and takes only its maximal valid prefix (at least
// one byte), so a stray byte never swallows the valid text after it.
//   DecodeUtf8("中x")           -> {U+4E2D, 3}
//   DecodeUtf8("\xE4\xB8x")     -> {U+FFFD, 2}   (truncated; "x" is read next)
//   DecodeUtf8("\xC0\x80")      -> {U+FFFD, 1}   (overlong)
//   DecodeUtf8("\xED\xA0\x80")  -> {U+FFFD, 1}   (a surrogate)
struct DecodedCodePoint {
    char32_t codePoint;
    std::size_t length;
};
DecodedCodePoint DecodeUtf8(std::string_view text);

void AppendUtf8(std::string &out, char32_t codePoint);

// Appends "\u" and four upper-case hex digits (code points below U+10000).
void AppendUnicodeEscape(std::string &out, char32_t codePoint);

// The columns a terminal gives the text: two for East Asian wide and
// fullwidth characters, none for combining marks and zero-width characters,
// one for everything else (an invalid byte shows as one U+FFFD).
//   DisplayWidth("A股") -> 3,  DisplayWidth("（红）") -> 6
std::size_t DisplayWidth(std::string_view text);

// The text as it may be printed on a terminal for a person to read: invalid
// bytes become U+FFFD, and control and bidirectional-format characters show as
// escapes, so a typed newline or escape sequence cannot break the table.
//   TerminalText("1\n2")   -> "1\\n2"
//   TerminalText("\x1b[2J") -> "\\u001B[2J"
std::string TerminalText(std::string_view text);

} // namespace tallyfin
