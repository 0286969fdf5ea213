#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tallyfin {

// The text as a JSON string literal, quotes included, always valid UTF-8:
// '"' and '\' are escaped, control characters (and U+2028, U+2029, which
// break JavaScript) become escapes, and each ill-formed UTF-8 sequence
// becomes U+FFFD. Other characters, Chinese included, pass through as UTF-8.
//   JsonString("a\"b")   -> "\"a\\\"b\""
//   JsonString("1\n")    -> "\"1\\n\""
//   JsonString("\xff")   -> "\"\xEF\xBF\xBD\""   (U+FFFD)
std::string JsonString(std::string_view text);

// A string literal, or null for no text.
//   JsonOptional(std::nullopt) -> "null"
std::string JsonOptional(const std::optional<std::string> &text);

} // namespace tallyfin
