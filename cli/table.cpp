#include "table.h"

#include <algorithm>

#include "terminal.h"

namespace tallyfin {

namespace {

constexpr std::size_t kColumnGap = 2;

std::string_view ansiStart(FieldColor color)
{
    switch (color) {
    case FieldColor::Red: return "\x1b[31m";
    case FieldColor::Green: return "\x1b[32m";
    case FieldColor::Window: break;
    }
    return {};
}

} // namespace

void TextTable::addHeading(std::string text) { m_rows.push_back({std::move(text), {}, FieldColor::Window, true}); }

void TextTable::addBlankLine() { addHeading({}); }

void TextTable::addRow(std::string caption, std::string value, FieldColor color)
{
    m_rows.push_back({std::move(caption), TerminalText(value), color, false});
}

std::string TextTable::render(bool ansiColours) const
{
    std::size_t captionWidth = 0;
    for (const Row &row : m_rows)
        if (!row.heading)
            captionWidth = std::max(captionWidth, DisplayWidth(row.caption));

    std::string text;
    for (const Row &row : m_rows) {
        text += row.caption;
        if (!row.heading && !row.value.empty()) {
            text.append(captionWidth - DisplayWidth(row.caption) + kColumnGap, ' ');
            const std::string_view colour = ansiColours ? ansiStart(row.color) : std::string_view{};
            text += colour;
            text += row.value;
            text += colour.empty() ? "" : "\x1b[0m";
        }
        text += '\n';
    }
    return text;
}

} // namespace tallyfin
