#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "records.h"

namespace tallyfin::statement {

// The records of UTF-8 text separated by tabs or commas. A cell that starts
// with a double quote is quoted as in CSV: it may hold separators, line ends
// and doubled quotes. A quote that is not closed within a few lines is taken
// as a character, so that one stray quote cannot swallow the rows after it.
class TextSource final : public RecordSource {
public:
    explicit TextSource(std::string_view text) : m_text(text) {}

    bool next(Record &record) override;
    Mark mark() const override { return {m_pos, m_line}; }
    void rewind(Mark mark) override;
    void fixSeparator(char separator) override { m_separator = separator; }
    char separatorOf(const Record &) const override { return m_lastSeparator; }
    double fraction() const override;

private:
    // Reads the quoted cell at m_pos; false when its quote is never closed.
    bool readQuotedCell();
    void readPlainCell(std::size_t lineEnd);
    char separatorFor(std::size_t lineEnd) const;

    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_line = 1;
    char m_separator = 0; // 0: chosen line by line
    char m_lastSeparator = '\t';
    bool m_quotesBroken = false;
    static constexpr int kMaxQuotedLines = 8;
    std::vector<std::string_view> m_cells;
    // Quoted cells with doubled quotes, undoubled; m_cells refers to them by
    // (offset, length) until the record is complete.
    std::string m_unquoted;
    std::vector<std::size_t> m_unquotedCells;
    std::vector<std::pair<std::size_t, std::size_t>> m_unquotedSpans;
};

} // namespace tallyfin::statement
