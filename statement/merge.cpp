#include "merge.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "cells.h"
#include "rowcodec.h"

namespace tallyfin::statement {

namespace {

// The optional parts of a row's identity, each used only where every
// statement has the column.
enum class KeyPart : std::uint8_t { Time, Quantity, Price, Amount, Cash, OrderNumber, TradeNumber };
constexpr std::pair<KeyPart, ColumnRole> kKeyColumns[] = {
    {KeyPart::Time, ColumnRole::Time},       {KeyPart::Quantity, ColumnRole::Quantity},
    {KeyPart::Price, ColumnRole::Price},     {KeyPart::Amount, ColumnRole::Amount},
    {KeyPart::Cash, ColumnRole::Cash},       {KeyPart::OrderNumber, ColumnRole::OrderNumber},
    {KeyPart::TradeNumber, ColumnRole::TradeNumber},
};
constexpr std::pair<KeyPart, NumberField> kKeyNumbers[] = {
    {KeyPart::Quantity, NumberField::Quantity}, {KeyPart::Price, NumberField::Price},
    {KeyPart::Amount, NumberField::Amount},     {KeyPart::Cash, NumberField::Cash},
};

unsigned bit(KeyPart part) { return 1u << static_cast<unsigned>(part); }

unsigned partsOf(const Statement &statement)
{
    unsigned parts = 0;
    for (const auto &[part, role] : kKeyColumns)
        if (std::any_of(statement.columns.begin(), statement.columns.end(),
                        [role](const Column &column) { return column.role == role; }))
            parts |= bit(part);
    return parts;
}

// The identity as bytes: numbers by value (1218.000 is 1218), a text with its
// length before it so that no two rows run together.
class KeyWriter {
public:
    explicit KeyWriter(unsigned parts) : m_parts(parts) {}

    const std::string &keyOf(const Row &row)
    {
        m_key.clear();
        const TradeDate date = row.date();
        integer(date.year * 10000 + date.month * 100 + date.day);
        if (has(KeyPart::Time)) {
            const int seconds = SecondsOfDay(row.time());
            seconds >= 0 || row.time().empty() ? integer(seconds) : text(row.time());
        }
        text(row.code());
        row.isTrade() ? integer(static_cast<int>(row.kind())) : text(row.operation());
        for (const auto &[part, field] : kKeyNumbers)
            if (has(part))
                number(RowCodec::numberOf(row, field));
        if (has(KeyPart::OrderNumber))
            text(row.orderNumber());
        if (has(KeyPart::TradeNumber))
            text(row.tradeNumber());
        return m_key;
    }

private:
    bool has(KeyPart part) const { return (m_parts & bit(part)) != 0; }

    void integer(std::int64_t value)
    {
        char bytes[sizeof value];
        std::memcpy(bytes, &value, sizeof value);
        m_key.append(bytes, sizeof value);
    }

    void text(std::string_view value)
    {
        integer(static_cast<std::int64_t>(value.size()));
        m_key += value;
    }

    // By value: the trailing zeros of the fraction dropped.
    void number(std::optional<CellNumber> value)
    {
        if (!value)
            return integer(INT64_MIN);
        while (value->scale > 0 && value->units % 10 == 0) {
            value->units /= 10;
            --value->scale;
        }
        integer(value->units * 32 + value->scale);
    }

    unsigned m_parts;
    std::string m_key;
};

struct Taken {
    std::size_t source, row;
    int seconds;
};

std::optional<TradeDate> firstDate(const Statement &statement)
{
    const auto first = std::min_element(statement.rows.begin(), statement.rows.end(),
                                        [](const Row &a, const Row &b) { return a.date() < b.date(); });
    return first == statement.rows.end() ? std::nullopt : std::optional(first->date());
}

std::optional<TradeDate> lastDate(const Statement &statement)
{
    const auto last = std::max_element(statement.rows.begin(), statement.rows.end(),
                                       [](const Row &a, const Row &b) { return a.date() < b.date(); });
    return last == statement.rows.end() ? std::nullopt : std::optional(last->date());
}

} // namespace

MergedStatement MergeStatements(std::span<const MergeSource> sources)
{
    unsigned parts = ~0u;
    for (const MergeSource &source : sources)
        parts &= partsOf(*source.statement);
    KeyWriter keys(parts);
    // How many of each row the merge holds so far.
    std::unordered_map<std::string, int> held;
    std::vector<Taken> taken;
    MergedStatement merged;
    for (std::size_t s = 0; s < sources.size(); ++s) {
        const Statement &statement = *sources[s].statement;
        SourceTally tally{sources[s].id, 0, 0, firstDate(statement), lastDate(statement)};
        std::unordered_map<std::string, int> seen;
        for (std::size_t r = 0; r < statement.rows.size(); ++r) {
            const std::string &key = keys.keyOf(statement.rows[r]);
            const int occurrence = seen[key]++;
            int &count = held[key];
            if (occurrence < count) {
                ++tally.rowsKnown;
                continue;
            }
            count = occurrence + 1;
            ++tally.rowsAdded;
            taken.push_back({s, r, SecondsOfDay(statement.rows[r].time())});
        }
        merged.tallies.push_back(tally);
    }
    std::stable_sort(taken.begin(), taken.end(), [&sources](const Taken &a, const Taken &b) {
        const Row &x = sources[a.source].statement->rows[a.row], &y = sources[b.source].statement->rows[b.row];
        if (x.date() != y.date())
            return x.date() < y.date();
        return a.seconds < b.seconds;
    });
    Statement &statement = merged.statement;
    if (!sources.empty())
        statement.format = sources.front().statement->format; // the first statement's, for the reports' heading
    statement.rows.reserve(taken.size());
    merged.sourceOfRow.reserve(taken.size());
    for (const Taken &each : taken) {
        statement.rows.push_back(sources[each.source].statement->rows[each.row]);
        merged.sourceOfRow.push_back(sources[each.source].id);
    }
    for (const MergeSource &source : sources) {
        statement.otherTexts.push_back(source.statement->texts);
        for (const UnreadableRow &row : source.statement->unreadable) {
            statement.unreadable.push_back(row);
            merged.sourceOfUnreadable.push_back(source.id);
        }
    }
    return merged;
}

} // namespace tallyfin::statement
