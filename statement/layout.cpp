#include "layout.h"

#include "operations.h"

namespace tallyfin::statement {

RowKind OperationKinds::of(std::string_view text)
{
    for (const auto &[known, kind] : m_known)
        if (known == text)
            return kind;
    const RowKind kind = ClassifyOperation(text);
    constexpr std::size_t kRemembered = 64;
    if (m_known.size() < kRemembered)
        m_known.emplace_back(text, kind);
    return kind;
}

OperationReading ReadOperation(const Record &record, const std::vector<int> &columns, OperationKinds &kinds)
{
    OperationReading reading;
    for (const int column : columns) {
        const std::string_view text = CellAt(record, column);
        if (text.empty())
            continue;
        const RowKind kind = HasReplacement(text) ? RowKind::Other : kinds.of(text);
        if (reading.column < 0) {
            reading.outcome = HasReplacement(text)      ? OperationReading::Outcome::Garbled
                              : kind == RowKind::Other ? OperationReading::Outcome::Other
                                                       : OperationReading::Outcome::Trade;
            reading.side = kind;
            reading.column = column;
            reading.text = text;
            if (reading.outcome != OperationReading::Outcome::Trade)
                return reading;
        } else if (kind != RowKind::Other && kind != reading.side) {
            reading.outcome = OperationReading::Outcome::Disagree;
            reading.otherColumn = column;
            reading.otherText = text;
            return reading;
        }
    }
    return reading;
}

} // namespace tallyfin::statement
