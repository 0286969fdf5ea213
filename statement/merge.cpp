#include "merge.h"

#include <algorithm>
#include <cstring>

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
    for (const auto &[part, role] : kKeyColumns) {
        const auto wanted = role; // clang 14 captures no structured binding
        if (std::any_of(statement.columns.begin(), statement.columns.end(),
                        [wanted](const Column &column) { return column.role == wanted; }))
            parts |= bit(part);
    }
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

// Every row's identity, kept in one buffer; sorted so that copies of a row
// stand together, in the order of the statements and their rows.
struct Keyed {
    std::uint64_t hash;
    std::uint32_t source, row;
    std::uint32_t offset, length; // of its identity in the buffer
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
    std::size_t rows = 0;
    for (const MergeSource &source : sources) {
        parts &= partsOf(*source.statement);
        rows += source.statement->rows.size();
    }
    KeyWriter keys(parts);
    std::string buffer;
    std::vector<Keyed> keyed;
    keyed.reserve(rows);
    for (std::size_t s = 0; s < sources.size(); ++s)
        for (std::size_t r = 0; r < sources[s].statement->rows.size(); ++r) {
            const std::string &key = keys.keyOf(sources[s].statement->rows[r]);
            keyed.push_back({std::hash<std::string>()(key), static_cast<std::uint32_t>(s), static_cast<std::uint32_t>(r),
                             static_cast<std::uint32_t>(buffer.size()), static_cast<std::uint32_t>(key.size())});
            buffer += key;
        }
    const auto identity = [&buffer](const Keyed &k) { return std::string_view(buffer).substr(k.offset, k.length); };
    std::sort(keyed.begin(), keyed.end(), [&](const Keyed &a, const Keyed &b) {
        if (a.hash != b.hash)
            return a.hash < b.hash;
        if (const int order = identity(a).compare(identity(b)); order != 0)
            return order < 0;
        return a.source != b.source ? a.source < b.source : a.row < b.row;
    });
    MergedStatement merged;
    for (const MergeSource &source : sources)
        merged.tallies.push_back({source.id, 0, 0, firstDate(*source.statement), lastDate(*source.statement)});
    // Within the copies of one row: each statement's n-th copy is taken when
    // no statement before it had n of them.
    std::vector<Taken> taken;
    taken.reserve(rows);
    for (std::size_t first = 0; first < keyed.size();) {
        std::size_t end = first + 1;
        while (end < keyed.size() && keyed[end].hash == keyed[first].hash && identity(keyed[end]) == identity(keyed[first]))
            ++end;
        int held = 0, occurrence = 0;
        for (std::size_t i = first; i < end; ++i) {
            occurrence = i > first && keyed[i].source == keyed[i - 1].source ? occurrence + 1 : 0;
            SourceTally &tally = merged.tallies[keyed[i].source];
            if (occurrence < held) {
                ++tally.rowsKnown;
                continue;
            }
            held = occurrence + 1;
            ++tally.rowsAdded;
            const Row &row = sources[keyed[i].source].statement->rows[keyed[i].row];
            taken.push_back({keyed[i].source, keyed[i].row, SecondsOfDay(row.time())});
        }
        first = end;
    }
    std::sort(taken.begin(), taken.end(), [&sources](const Taken &a, const Taken &b) {
        const Row &x = sources[a.source].statement->rows[a.row], &y = sources[b.source].statement->rows[b.row];
        if (x.date() != y.date())
            return x.date() < y.date();
        if (a.seconds != b.seconds)
            return a.seconds < b.seconds;
        return a.source != b.source ? a.source < b.source : a.row < b.row;
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

SourceTally TallyOfFirst(const Statement &statement)
{
    return {0, static_cast<int>(statement.rows.size()), 0, firstDate(statement), lastDate(statement)};
}

} // namespace tallyfin::statement
