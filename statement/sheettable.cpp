#include "sheettable.h"

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
