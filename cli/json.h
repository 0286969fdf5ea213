#pragma once

#include <nlohmann/json_fwd.hpp>

#include <string>
#include <string_view>

namespace tallyfin {

// The text as a JSON string literal, quotes included, always valid UTF-8:
// nlohmann's escaping, with each ill-formed UTF-8 sequence as U+FFFD. Beyond
// it, escapes use upper-case hex, and DEL, U+2028 and U+2029 (which break
// JavaScript) are escaped too. Chinese passes through as UTF-8.
//   JsonString("a\"b")   -> "\"a\\\"b\""
//   JsonString("1\x1f")  -> "\"1\\u001F\""
//   JsonString("\xff")   -> "\"\xEF\xBF\xBD\""   (U+FFFD)
std::string JsonString(std::string_view text);

// The value on one line in our scripts' format, with ", " between members
// and ": " after names (nlohmann's dump() writes no spaces, or many lines);
// the members stay in their order.
//   {{"jg", "10"}, {"error", nullptr}} -> "{\"jg\": \"10\", \"error\": null}"
std::string JsonLine(const nlohmann::ordered_json &value);

} // namespace tallyfin
