#include "sheettable.h"

#include <cstring>

namespace tallyfin::statement {

void SheetTable::startRow(int sheetRow)
{
    m_rows.push_back({sheetRow, static_cast<std::uint32_t>(m_cells.size()), 0});
}

void SheetTable::addCell(int column, std::string_view text)
{
    if (m_rows.empty() || column < 0 || column >= kMaxColumns)
        return;
    RowSpan &row = m_rows.back();
    if (static_cast<std::uint32_t>(column) < row.cellCount)
        return; // a second cell for a column already filled
    const Span empty{static_cast<std::uint32_t>(m_text.size()), 0};
    while (row.cellCount < static_cast<std::uint32_t>(column)) {
        m_cells.push_back(empty);
        ++row.cellCount;
    }
    m_cells.push_back({static_cast<std::uint32_t>(m_text.size()), static_cast<std::uint32_t>(text.size())});
    ++row.cellCount;
    m_text += text;
}

namespace {

template <typename Item>
void append(std::string &bytes, const std::vector<Item> &items)
{
    const std::uint64_t count = items.size();
    bytes.append(reinterpret_cast<const char *>(&count), sizeof count);
    if (count > 0)
        bytes.append(reinterpret_cast<const char *>(items.data()), items.size() * sizeof(Item));
}

template <typename Item>
bool take(std::string_view &bytes, std::vector<Item> &items)
{
    std::uint64_t count = 0;
    if (bytes.size() < sizeof count)
        return false;
    std::memcpy(&count, bytes.data(), sizeof count);
    bytes.remove_prefix(sizeof count);
    if (count > bytes.size() / sizeof(Item))
        return false;
    items.resize(count);
    if (count > 0)
        std::memcpy(items.data(), bytes.data(), count * sizeof(Item));
    bytes.remove_prefix(count * sizeof(Item));
    return true;
}

} // namespace

std::string SheetTable::serialized() const
{
    std::string bytes;
    append(bytes, std::vector<char>(m_text.begin(), m_text.end()));
    append(bytes, m_cells);
    append(bytes, m_rows);
    return bytes;
}

std::optional<SheetTable> SheetTable::deserialized(std::string_view bytes)
{
    SheetTable table;
    std::vector<char> text;
    if (!take(bytes, text) || !take(bytes, table.m_cells) || !take(bytes, table.m_rows) || !bytes.empty())
        return std::nullopt;
    table.m_text.assign(text.begin(), text.end());
    for (const Span &cell : table.m_cells)
        if (cell.offset > table.m_text.size() || cell.size > table.m_text.size() - cell.offset)
            return std::nullopt;
    for (const RowSpan &row : table.m_rows)
        if (row.firstCell > table.m_cells.size() || row.cellCount > table.m_cells.size() - row.firstCell)
            return std::nullopt;
    return table;
}

bool SheetTable::overLimits() const
{
    constexpr std::size_t kMaxRows = 1048576, kMaxCells = 64u << 20, kMaxTextBytes = 512u << 20;
    return m_rows.size() > kMaxRows || m_cells.size() > kMaxCells || m_text.size() > kMaxTextBytes;
}

bool TableSource::next(Record &record)
{
    if (m_next >= m_table.m_rows.size())
        return false;
    const SheetTable::RowSpan &row = m_table.m_rows[m_next++];
    m_cells.clear();
    for (std::uint32_t i = 0; i < row.cellCount; ++i) {
        const SheetTable::Span cell = m_table.m_cells[row.firstCell + i];
        m_cells.push_back(m_text.substr(cell.offset, cell.size));
    }
    record.line = row.sheetRow;
    record.cells = m_cells;
    record.unterminated = false;
    return true;
}

double TableSource::fraction() const
{
    return m_table.m_rows.empty() ? 1.0 : static_cast<double>(m_next) / static_cast<double>(m_table.m_rows.size());
}

} // namespace tallyfin::statement
