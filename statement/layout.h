#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cells.h"
#include "records.h"
#include "statement.h"

// Which columns of a statement feed which part of a row, shared by the
// survey that chooses them and the reading of the rows.
namespace tallyfin::statement {

inline constexpr int kRoleCount = static_cast<int>(ColumnRole::Remark) + 1;
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD"; // U+FFFD

inline bool HasReplacement(std::string_view text) { return text.find(kReplacementCharacter) != std::string_view::npos; }

// The text of a record's cell without `="…"` and spaces; empty past its end
// or for column -1.
inline std::string_view CellAt(const Record &record, int column)
{
    return column >= 0 && static_cast<std::size_t>(column) < record.cells.size() ? CellText(record.cells[column])
                                                                                  : std::string_view{};
}

inline bool IsBlank(const Record &record)
{
    for (const std::string_view cell : record.cells)
        if (!CellText(cell).empty())
            return false;
    return true;
}

struct Layout {
    std::array<int, kRoleCount> columns; // the column of each role, or -1
    std::vector<int> operations;         // every operation column, the best-naming first
    std::vector<int> otherFees;          // every other-fee column; they are added up
    int headerCells = 0;
    int dateColumn = -1;
    std::string dateHeader; // the date column's header text, to skip a repeated header

    Layout() { columns.fill(-1); }
    int column(ColumnRole role) const { return columns[static_cast<std::size_t>(role)]; }
};

// Remembers what the few operation texts of a file say.
class OperationKinds {
public:
    RowKind of(std::string_view text);

private:
    std::vector<std::pair<std::string, RowKind>> m_known;
};

// What the operation columns of one record say.
struct OperationReading {
    enum class Outcome : std::uint8_t { Trade, Other, Missing, Disagree, Garbled };
    Outcome outcome = Outcome::Missing;
    RowKind side = RowKind::Other; // Trade: Buy or Sell
    int column = -1;               // the column whose text names the row
    std::string_view text;
    int otherColumn = -1;          // Disagree: the column naming the other side
    std::string_view otherText;
};

// The first non-empty operation text names the row; another column naming
// the other side makes the row disagree, and a text with bytes that were no
// text makes it garbled.
OperationReading ReadOperation(const Record &record, const std::vector<int> &columns, OperationKinds &kinds);

} // namespace tallyfin::statement
