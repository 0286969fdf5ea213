#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records.h"

namespace tallyfin::statement {

// The cells of one sheet of a spreadsheet, row by row, all in one text so
// that the statement can keep them as they are.
class SheetTable {
public:
    // Columns beyond this are left out: no statement has that many.
    static constexpr int kMaxColumns = 1024;

    void startRow(int sheetRow);
    // Cells come left to right; the columns skipped are empty.
    void addCell(int column, std::string_view text);

    // More rows than a spreadsheet program makes (1,048,576), more than 64 M
    // cells or 512 MiB of text: a zip bomb, or no statement.
    bool overLimits() const;

    // The text of all cells, for the statement to keep; TableSource reads the
    // cells from where it is kept.
    std::string takeText() { return std::move(m_text); }

    // The table as bytes, for a child process to hand it over, and back;
    // nullopt for bytes that are no table.
    std::string serialized() const;
    static std::optional<SheetTable> deserialized(std::string_view bytes);

private:
    friend class TableSource;

    struct Span {
        std::uint32_t offset = 0, size = 0;
    };
    struct RowSpan {
        int sheetRow = 0;
        std::uint32_t firstCell = 0, cellCount = 0;
    };
    std::string m_text;
    std::vector<Span> m_cells;
    std::vector<RowSpan> m_rows;
};

// The records of a SheetTable whose text now lives at `text`.
class TableSource final : public RecordSource {
public:
    TableSource(const SheetTable &table, std::string_view text) : m_table(table), m_text(text) {}

    bool next(Record &record) override;
    Mark mark() const override { return {m_next, 0}; }
    void rewind(Mark mark) override { m_next = static_cast<std::size_t>(mark.offset); }
    void fixSeparator(char) override {}
    char separatorOf(const Record &) const override { return 0; }
    double fraction() const override;

private:
    const SheetTable &m_table;
    std::string_view m_text;
    std::size_t m_next = 0;
    std::vector<std::string_view> m_cells;
};

} // namespace tallyfin::statement
