#include "json.h"

#include "utf8.h"

namespace tallyfin {

namespace {

std::string_view shortEscape(char32_t codePoint)
{
    switch (codePoint) {
    case '"': return "\\\"";
    case '\\': return "\\\\";
    case '\b': return "\\b";
    case '\f': return "\\f";
    case '\n': return "\\n";
    case '\r': return "\\r";
    case '\t': return "\\t";
    default: return {};
    }
}

bool needsUnicodeEscape(char32_t codePoint)
{
    return codePoint < 0x20 || codePoint == 0x7F || codePoint == 0x2028 || codePoint == 0x2029;
}

} // namespace

std::string JsonString(std::string_view text)
{
    std::string literal = "\"";
    while (!text.empty()) {
        const auto [codePoint, length] = DecodeUtf8(text);
        text.remove_prefix(length);
        if (const std::string_view escape = shortEscape(codePoint); !escape.empty())
            literal += escape;
        else if (needsUnicodeEscape(codePoint))
            AppendUnicodeEscape(literal, codePoint);
        else
            AppendUtf8(literal, codePoint);
    }
    return literal + '"';
}

std::string JsonOptional(const std::optional<std::string> &text)
{
    return text ? JsonString(*text) : "null";
}

} // namespace tallyfin
