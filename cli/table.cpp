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

void GridTable::addRow(std::vector<std::string> cells)
{
    for (std::string &cell : cells)
        cell = TerminalText(cell);
    m_rows.push_back(std::move(cells));
}

std::string GridTable::render(std::string_view indent) const
{
    std::vector<std::size_t> widths;
    for (const std::vector<std::string> &row : m_rows)
        for (std::size_t column = 0; column < row.size(); ++column) {
            widths.resize(std::max(widths.size(), column + 1));
            widths[column] = std::max(widths[column], DisplayWidth(row[column]));
        }
    std::string text;
    for (const std::vector<std::string> &row : m_rows) {
        std::string line(indent);
        for (std::size_t column = 0; column < row.size(); ++column) {
            line += row[column];
            if (column + 1 < row.size())
                line.append(widths[column] - DisplayWidth(row[column]) + kColumnGap, ' ');
        }
        text += line.substr(0, line.find_last_not_of(' ') + 1) + '\n';
    }
    return text;
}

} // namespace tallyfin
