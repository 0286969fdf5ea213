#include "json.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <utility>

namespace tallyfin {

namespace {

// Characters nlohmann leaves as they are: DEL, and the line separators
// that end a line in JavaScript.
constexpr std::pair<std::string_view, std::string_view> kAlsoEscaped[] = {
    {"\x7f", "\\u007F"}, {"\u2028", "\\u2028"}, {"\u2029", "\\u2029"}};

std::string upperCase(std::string_view hex)
{
    std::string text(hex);
    for (char &digit : text)
        digit = static_cast<char>(std::toupper(static_cast<unsigned char>(digit)));
    return text;
}

// Copies nlohmann's literal with upper-case hex in "\u001F" and the escapes above.
std::string withOurEscapes(std::string_view literal)
{
    std::string text;
    while (!literal.empty()) {
        const auto raw = std::find_if(std::begin(kAlsoEscaped), std::end(kAlsoEscaped),
                                      [literal](const auto &pair) { return literal.starts_with(pair.first); });
        std::size_t taken = 1;
        if (literal.starts_with("\\u")) {
            text += "\\u" + upperCase(literal.substr(2, 4));
            taken = 6;
        } else if (literal.starts_with('\\')) { // "\n", "\\", "\"": the next byte is no raw character
            text += literal.substr(0, 2);
            taken = 2;
        } else if (raw != std::end(kAlsoEscaped)) {
            text += raw->second;
            taken = raw->first.size();
        } else {
            text += literal.front();
        }
        literal.remove_prefix(taken);
    }
    return text;
}

} // namespace

std::string JsonString(std::string_view text)
{
    return withOurEscapes(nlohmann::json(std::string(text)).dump(-1, ' ', false,
                                                               nlohmann::json::error_handler_t::replace));
}

std::string JsonLine(const nlohmann::ordered_json &value)
{
    if (value.is_string())
        return JsonString(value.get_ref<const std::string &>());
    if (!value.is_structured())
        return value.dump();
    const bool object = value.is_object();
    std::string line(1, object ? '{' : '[');
    for (auto member = value.begin(); member != value.end(); ++member) {
        if (member != value.begin())
            line += ", ";
        if (object)
            line += JsonString(member.key()) + ": ";
        line += JsonLine(*member);
    }
    return line + (object ? '}' : ']');
}

} // namespace tallyfin
