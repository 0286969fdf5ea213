#include "textsource.h"

#include <algorithm>
#include <cstring>

namespace tallyfin::statement {

void TextSource::rewind(Mark mark)
{
    m_pos = static_cast<std::size_t>(mark.offset);
    m_line = mark.line;
}

double TextSource::fraction() const
{
    return m_text.empty() ? 1.0 : static_cast<double>(m_pos) / static_cast<double>(m_text.size());
}

char TextSource::separatorFor(std::size_t lineEnd) const
{
    if (m_separator)
        return m_separator;
    return std::memchr(m_text.data() + m_pos, '\t', lineEnd - m_pos) ? '\t' : ',';
}

void TextSource::readPlainCell(std::size_t lineEnd)
{
    const char *start = m_text.data() + m_pos;
    const void *separator = std::memchr(start, m_lastSeparator, lineEnd - m_pos);
    const std::size_t end = separator ? static_cast<std::size_t>(static_cast<const char *>(separator) - m_text.data())
                                      : lineEnd;
    m_cells.emplace_back(start, end - m_pos);
    m_pos = end;
}

bool TextSource::readQuotedCell()
{
    std::size_t at = m_pos + 1;
    bool doubled = false;
    int lines = 0;
    for (;; ++at) {
        at = std::min(m_text.find_first_of("\"\n", at), m_text.size());
        if (at == m_text.size()) {
            // Without a closing quote up to the end, no later quote closes
            // either: stop looking, so that reading stays linear.
            m_quotesBroken = true;
            return false;
        }
        if (m_text[at] == '\n') {
            if (++lines > kMaxQuotedLines)
                return false;
        } else if (at + 1 < m_text.size() && m_text[at + 1] == '"') {
            doubled = true;
            ++at;
        } else {
            break;
        }
    }
    // Text after the closing quote and before the separator stays with the cell.
    const std::size_t close = at;
    const std::size_t end = std::min(m_text.find_first_of(std::string{m_lastSeparator, '\n'}, close), m_text.size());
    const bool clean = end == close + 1 || (end == close + 2 && m_text[close + 1] == '\r');
    if (!clean) {
        m_cells.push_back(m_text.substr(m_pos, end - m_pos));
    } else if (!doubled) {
        m_cells.push_back(m_text.substr(m_pos + 1, close - m_pos - 1));
    } else {
        const std::size_t offset = m_unquoted.size();
        for (std::size_t i = m_pos + 1; i < close; ++i) {
            m_unquoted += m_text[i];
            i += m_text[i] == '"' ? 1 : 0;
        }
        m_unquotedCells.push_back(m_cells.size());
        m_unquotedSpans.emplace_back(offset, m_unquoted.size() - offset);
        m_cells.emplace_back();
    }
    m_line += lines;
    m_pos = end;
    return true;
}

bool TextSource::next(Record &record)
{
    if (m_pos >= m_text.size())
        return false;
    m_cells.clear();
    m_unquoted.clear();
    m_unquotedCells.clear();
    m_unquotedSpans.clear();
    record.line = m_line;
    std::size_t lineEnd = std::min(m_text.find('\n', m_pos), m_text.size());
    m_lastSeparator = separatorFor(lineEnd);
    for (;;) {
        if (m_pos < lineEnd && m_text[m_pos] == '"' && !m_quotesBroken && readQuotedCell())
            lineEnd = std::min(m_text.find('\n', m_pos), m_text.size());
        else
            readPlainCell(lineEnd);
        if (m_pos < lineEnd && m_text[m_pos] == m_lastSeparator) {
            ++m_pos;
            continue;
        }
        break;
    }
    // A cell may end in the \r of a \r\n line end.
    if (!m_cells.back().empty() && m_cells.back().back() == '\r')
        m_cells.back().remove_suffix(1);
    record.unterminated = lineEnd == m_text.size();
    m_pos = std::min(lineEnd + 1, m_text.size());
    ++m_line;
    for (std::size_t i = 0; i < m_unquotedCells.size(); ++i)
        m_cells[m_unquotedCells[i]] =
            std::string_view(m_unquoted).substr(m_unquotedSpans[i].first, m_unquotedSpans[i].second);
    record.cells = m_cells;
    return true;
}

} // namespace tallyfin::statement
