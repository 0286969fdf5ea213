#include "terminal.h"

#include <unictype.h>
#include <unistr.h>
#include <uniwidth.h>

#include <cstdio>

namespace tallyfin {

namespace {

const uint8_t *units(std::string_view text) { return reinterpret_cast<const uint8_t *>(text.data()); }

// Reads one character from the front of a non-empty text. An ill-formed
// sequence reads as U+FFFD and takes only its longest prefix that could
// still begin a character (at least one byte), so a stray byte never
// swallows the valid text after it; this is how the JSON output counts them.
std::size_t readCharacter(std::string_view text, ucs4_t &character)
{
    const int length = u8_mbtoucr(&character, units(text), text.size());
    if (length > 0)
        return static_cast<std::size_t>(length);
    std::size_t prefix = 1;
    while (prefix < text.size() && u8_mbtoucr(&character, units(text), prefix + 1) == -2)
        ++prefix;
    character = 0xFFFD;
    return prefix;
}

// Characters that move the cursor, break lines or reorder the text on a
// terminal without showing themselves.
bool disturbsTerminal(ucs4_t character)
{
    static const uc_general_category_t kInvisible = uc_general_category_or(
        UC_CATEGORY_Cc, uc_general_category_or(UC_CATEGORY_Zl, UC_CATEGORY_Zp));
    return uc_is_general_category(character, kInvisible) || uc_is_property_bidi_control(character);
}

std::string escaped(ucs4_t character)
{
    switch (character) {
    case '\n': return "\\n";
    case '\t': return "\\t";
    case '\r': return "\\r";
    default: break;
    }
    char escape[sizeof "\\uFFFF"];
    std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(character));
    return escape;
}

} // namespace

std::size_t DisplayWidth(std::string_view text)
{
    // "UTF-8" rather than a CJK encoding: ambiguous-width characters such as
    // "‰" take one column, as on a UTF-8 terminal.
    return static_cast<std::size_t>(u8_width(units(text), text.size(), "UTF-8"));
}

std::string TerminalText(std::string_view text)
{
    std::string shown;
    while (!text.empty()) {
        ucs4_t character = 0;
        const std::size_t length = readCharacter(text, character);
        if (disturbsTerminal(character))
            shown += escaped(character);
        else if (character == 0xFFFD)
            shown += "\uFFFD";
        else
            shown += text.substr(0, length);
        text.remove_prefix(length);
    }
    return shown;
}

} // namespace tallyfin
