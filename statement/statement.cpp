#include "statement.h"

#include "tradefigures.h"

#include "textstore.h"

#include <algorithm>
#include <array>

namespace tallyfin::statement {

std::string_view FileKindKey(FileKind kind)
{
    constexpr std::array<std::string_view, 3> keys{"text", "xls", "xlsx"};
    return keys[static_cast<std::size_t>(kind)];
}

std::string_view EncodingName(TextEncoding encoding)
{
    constexpr std::array<std::string_view, 3> names{"UTF-8", "GB18030", "UTF-16LE"};
    return names[static_cast<std::size_t>(encoding)];
}

std::string_view ColumnRoleKey(ColumnRole role)
{
    constexpr std::array<std::string_view, 29> keys{
        "none",        "date",        "time",          "code",   "name",      "operation", "market",
        "currency",    "quantity",    "price",         "amount", "commission", "stampDuty", "transferFee",
        "handlingFee", "managementFee", "levies",      "otherFees", "feesTotal", "cash",    "exchangeRate",
        "fills",       "orderNumber", "tradeNumber",   "account", "shareBalance", "cashBalance", "fundAccount",
        "remark"};
    static_assert(keys.size() == static_cast<std::size_t>(ColumnRole::Remark) + 1);
    return keys[static_cast<std::size_t>(role)];
}

std::string_view RowKindKey(RowKind kind)
{
    constexpr std::array<std::string_view, 3> keys{"buy", "sell", "other"};
    return keys[static_cast<std::size_t>(kind)];
}

std::string_view Row::text(TextField field) const
{
    return m_store ? m_store->view(m_texts[static_cast<std::size_t>(field)]) : std::string_view{};
}

std::optional<Decimal> Row::number(NumberField field) const
{
    const std::int64_t packed = m_numbers[static_cast<std::size_t>(field)];
    if (packed == kAbsent)
        return std::nullopt;
    return Decimal(static_cast<long long>(packed >> 5), static_cast<int>(packed & 31));
}

std::optional<std::int64_t> Row::cents(NumberField field) const
{
    const std::int64_t packed = m_numbers[static_cast<std::size_t>(field)];
    if (packed == kAbsent)
        return std::nullopt;
    return CentsOf({packed >> 5, static_cast<int>(packed & 31)});
}

int Statement::tradeCount() const
{
    return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const Row &row) { return row.isTrade(); }));
}

int Statement::otherCount() const { return static_cast<int>(rows.size()) - tradeCount(); }

} // namespace tallyfin::statement
