#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tallyfin {

// The columns a terminal gives the text, as libunistring counts them: two
// for East Asian wide and fullwidth characters, none for combining marks and
// format characters, one for everything else (an invalid byte shows as one
// U+FFFD).
//   DisplayWidth("A股") -> 3,  DisplayWidth("（红）") -> 6
std::size_t DisplayWidth(std::string_view text);

// The text as it may be printed on a terminal for a person to read: each
// ill-formed UTF-8 sequence becomes one U+FFFD (as in the JSON output), and
// control, line-separator and bidirectional-format characters show as
// escapes, so a typed newline or escape sequence cannot break the table.
//   TerminalText("1\n2")    -> "1\\n2"
//   TerminalText("\x1b[2J") -> "\\u001B[2J"
std::string TerminalText(std::string_view text);

} // namespace tallyfin
