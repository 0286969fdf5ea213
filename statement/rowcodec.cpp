#include "rowcodec.h"

#include <cstdlib>

namespace tallyfin::statement {

namespace {

std::size_t at(int field) { return static_cast<std::size_t>(field); }

} // namespace

RowContent RowCodec::contentOf(const Row &row)
{
    RowContent content;
    content.line = row.m_line;
    content.kind = row.m_kind;
    content.date = row.m_date;
    content.stockConnect = row.m_stockConnect;
    content.textRepaired = row.m_textRepaired;
    for (int field = 0; field < kTextFieldCount; ++field)
        content.texts[at(field)] = row.text(static_cast<TextField>(field));
    for (int field = 0; field < kNumberFieldCount; ++field)
        content.numbers[at(field)] = numberOf(row, static_cast<NumberField>(field));
    return content;
}

std::optional<CellNumber> RowCodec::numberOf(const Row &row, NumberField field)
{
    const std::int64_t packed = row.m_numbers[static_cast<std::size_t>(field)];
    if (packed == Row::kAbsent)
        return std::nullopt;
    return CellNumber{packed >> 5, static_cast<int>(packed & 31)};
}

Row RowCodec::rowOf(const RowContent &content, TextStore &store)
{
    Row row;
    row.m_store = &store;
    row.m_line = content.line;
    row.m_kind = content.kind;
    row.m_date = content.date;
    row.m_stockConnect = content.stockConnect;
    row.m_textRepaired = content.textRepaired;
    for (int field = 0; field < kTextFieldCount; ++field)
        row.m_texts[at(field)] = store.keep(content.texts[at(field)]);
    for (int field = 0; field < kNumberFieldCount; ++field)
        if (const std::optional<CellNumber> &number = content.numbers[at(field)])
            row.m_numbers[at(field)] = number->units * 32 + number->scale;
    return row;
}

std::string NumberText(CellNumber number)
{
    std::string digits = std::to_string(std::llabs(number.units));
    if (number.scale > 0) {
        if (digits.size() <= static_cast<std::size_t>(number.scale))
            digits.insert(0, static_cast<std::size_t>(number.scale) + 1 - digits.size(), '0');
        digits.insert(digits.size() - static_cast<std::size_t>(number.scale), 1, '.');
    }
    return number.units < 0 ? "-" + digits : digits;
}

} // namespace tallyfin::statement
