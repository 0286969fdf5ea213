#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "trade.h"

namespace tallyfin {

// Captions and values in two columns for a person to read. The value column
// starts at the same terminal column on every row: captions are padded by
// their display width, since a Chinese character takes two columns but three
// bytes. Values are left-aligned, as in the window's fields.
class TextTable {
public:
    // A line of its own (a group title); it does not widen the caption column.
    void addHeading(std::string text);
    void addBlankLine();
    // The value is shown through TerminalText, so whatever was typed cannot
    // break the layout. A red or green row is coloured when asked to.
    void addRow(std::string caption, std::string value, FieldColor color = FieldColor::Window);

    //   {"证 交 所", "上海A股"}, {"印花税双边征收", "否"} ->
    //   "证 交 所        上海A股\n"
    //   "印花税双边征收  否\n"
    std::string render(bool ansiColours) const;

private:
    struct Row {
        std::string caption, value;
        FieldColor color = FieldColor::Window;
        bool heading = false;
    };
    std::vector<Row> m_rows;
};

// Rows of cells in columns, each column as wide as its widest cell on a
// terminal, two columns apart; cells are shown through TerminalText.
//   {"行", "项目"}, {"42", "佣金"} ->
//   "行  项目\n"
//   "42  佣金\n"
class GridTable {
public:
    void addRow(std::vector<std::string> cells);
    bool empty() const { return m_rows.empty(); }
    // Each line starts with `indent`; trailing spaces are left out.
    std::string render(std::string_view indent = {}) const;

private:
    std::vector<std::vector<std::string>> m_rows;
};

} // namespace tallyfin
