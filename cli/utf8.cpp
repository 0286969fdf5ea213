#include "utf8.h"

#include <algorithm>
#include <array>

namespace tallyfin {

namespace {

struct Range {
    char32_t first, last;
};

// East Asian Width W and F, merged into ranges.
constexpr std::array kWideRanges{
    Range{0x1100, 0x115F},   Range{0x231A, 0x231B},   Range{0x2329, 0x232A},
    Range{0x23E9, 0x23EC},   Range{0x23F0, 0x23F0},   Range{0x23F3, 0x23F3},
    Range{0x25FD, 0x25FE},   Range{0x2614, 0x2615},   Range{0x2648, 0x2653},
    Range{0x267F, 0x267F},   Range{0x2693, 0x2693},   Range{0x26A1, 0x26A1},
    Range{0x26AA, 0x26AB},   Range{0x26BD, 0x26BE},   Range{0x26C4, 0x26C5},
    Range{0x26CE, 0x26CE},   Range{0x26D4, 0x26D4},   Range{0x26EA, 0x26EA},
    Range{0x26F2, 0x26F3},   Range{0x26F5, 0x26F5},   Range{0x26FA, 0x26FA},
    Range{0x26FD, 0x26FD},   Range{0x2705, 0x2705},   Range{0x270A, 0x270B},
    Range{0x2728, 0x2728},   Range{0x274C, 0x274C},   Range{0x274E, 0x274E},
    Range{0x2753, 0x2755},   Range{0x2757, 0x2757},   Range{0x2795, 0x2797},
    Range{0x27B0, 0x27B0},   Range{0x27BF, 0x27BF},   Range{0x2B1B, 0x2B1C},
    Range{0x2B50, 0x2B50},   Range{0x2B55, 0x2B55},   Range{0x2E80, 0x303E},
    Range{0x3041, 0x3247},   Range{0x3250, 0x4DBF},   Range{0x4E00, 0xA4CF},
    Range{0xA960, 0xA97F},   Range{0xAC00, 0xD7A3},   Range{0xF900, 0xFAFF},
    Range{0xFE10, 0xFE19},   Range{0xFE30, 0xFE6F},   Range{0xFF00, 0xFF60},
    Range{0xFFE0, 0xFFE6},   Range{0x16FE0, 0x16FE4}, Range{0x17000, 0x18CFF},
    Range{0x1AFF0, 0x1B2FF}, Range{0x1F004, 0x1F004}, Range{0x1F0CF, 0x1F0CF},
    Range{0x1F18E, 0x1F18E}, Range{0x1F191, 0x1F19A}, Range{0x1F200, 0x1F251},
    Range{0x1F300, 0x1F64F}, Range{0x1F680, 0x1F6FF}, Range{0x1F7E0, 0x1F7EB},
    Range{0x1F900, 0x1F9FF}, Range{0x1FA70, 0x1FAFF}, Range{0x20000, 0x2FFFD},
    Range{0x30000, 0x3FFFD},
};

// Combining marks and characters that take no column of their own.
constexpr std::array kZeroWidthRanges{
    Range{0x0300, 0x036F}, Range{0x0483, 0x0489}, Range{0x0591, 0x05BD}, Range{0x1160, 0x11FF},
    Range{0x200B, 0x200F}, Range{0x202A, 0x202E}, Range{0x2060, 0x2064}, Range{0x20D0, 0x20FF},
    Range{0xFE00, 0xFE0F}, Range{0xFE20, 0xFE2F}, Range{0xFEFF, 0xFEFF}, Range{0xE0100, 0xE01EF},
};

template <std::size_t N>
bool inRanges(const std::array<Range, N> &ranges, char32_t codePoint)
{
    return std::any_of(ranges.begin(), ranges.end(), [codePoint](const Range &range) {
        return codePoint >= range.first && codePoint <= range.last;
    });
}

// The well-formed byte sequences: how many continuation bytes follow the
// lead byte, and the narrower range the first of them must lie in, which
// rules out overlong forms, surrogates and code points beyond U+10FFFF.
struct LeadByte {
    int continuationBytes = -1; // -1: not a lead byte
    unsigned secondLow = 0x80, secondHigh = 0xBF;
    char32_t payload = 0;
};

LeadByte classifyLead(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return {1, 0x80, 0xBF, static_cast<char32_t>(lead & 0x1F)};
    if (lead >= 0xE0 && lead <= 0xEF)
        return {2, lead == 0xE0 ? 0xA0u : 0x80u, lead == 0xED ? 0x9Fu : 0xBFu,
                static_cast<char32_t>(lead & 0x0F)};
    if (lead >= 0xF0 && lead <= 0xF4)
        return {3, lead == 0xF0 ? 0x90u : 0x80u, lead == 0xF4 ? 0x8Fu : 0xBFu,
                static_cast<char32_t>(lead & 0x07)};
    return {};
}

bool isControl(char32_t codePoint)
{
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
}

// Characters that reorder or break lines on a terminal without showing themselves.
bool isInvisibleFormat(char32_t codePoint)
{
    return codePoint == 0x200E || codePoint == 0x200F || (codePoint >= 0x2028 && codePoint <= 0x202E)
        || (codePoint >= 0x2066 && codePoint <= 0x2069);
}

} // namespace

DecodedCodePoint DecodeUtf8(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text.front());
    if (lead < 0x80)
        return {lead, 1};
    const LeadByte rule = classifyLead(lead);
    if (rule.continuationBytes < 0)
        return {kReplacementCharacter, 1};
    char32_t codePoint = rule.payload;
    std::size_t length = 1;
    for (int i = 0; i < rule.continuationBytes; ++i, ++length) {
        if (length == text.size())
            return {kReplacementCharacter, length};
        const auto next = static_cast<unsigned char>(text[length]);
        const unsigned low = i == 0 ? rule.secondLow : 0x80;
        const unsigned high = i == 0 ? rule.secondHigh : 0xBF;
        if (next < low || next > high)
            return {kReplacementCharacter, length};
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    return {codePoint, length};
}

void AppendUtf8(std::string &out, char32_t codePoint)
{
    const auto byte = [&out](char32_t bits) { out += static_cast<char>(bits); };
    if (codePoint < 0x80) {
        byte(codePoint);
    } else if (codePoint < 0x800) {
        byte(0xC0 | (codePoint >> 6));
        byte(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        byte(0xE0 | (codePoint >> 12));
        byte(0x80 | ((codePoint >> 6) & 0x3F));
        byte(0x80 | (codePoint & 0x3F));
    } else {
        byte(0xF0 | (codePoint >> 18));
        byte(0x80 | ((codePoint >> 12) & 0x3F));
        byte(0x80 | ((codePoint >> 6) & 0x3F));
        byte(0x80 | (codePoint & 0x3F));
    }
}

void AppendUnicodeEscape(std::string &out, char32_t codePoint)
{
    constexpr std::string_view kHexDigits = "0123456789ABCDEF";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += kHexDigits[(codePoint >> shift) & 0xF];
}

std::size_t DisplayWidth(std::string_view text)
{
    std::size_t width = 0;
    while (!text.empty()) {
        const auto [codePoint, length] = DecodeUtf8(text);
        text.remove_prefix(length);
        if (inRanges(kWideRanges, codePoint))
            width += 2;
        else if (!inRanges(kZeroWidthRanges, codePoint))
            width += 1;
    }
    return width;
}

std::string TerminalText(std::string_view text)
{
    std::string shown;
    while (!text.empty()) {
        const auto [codePoint, length] = DecodeUtf8(text);
        text.remove_prefix(length);
        if (codePoint == '\n')
            shown += "\\n";
        else if (codePoint == '\t')
            shown += "\\t";
        else if (codePoint == '\r')
            shown += "\\r";
        else if (isControl(codePoint) || isInvisibleFormat(codePoint))
            AppendUnicodeEscape(shown, codePoint);
        else
            AppendUtf8(shown, codePoint);
    }
    return shown;
}

} // namespace tallyfin
