#include "rowbuilder.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <string>

#include "security.h"

namespace tallyfin::statement {

namespace {

std::size_t at(TextField field) { return static_cast<std::size_t>(field); }
std::size_t at(NumberField field) { return static_cast<std::size_t>(field); }

// The numbers read from one column each.
struct NumberColumn {
    NumberField field;
    ColumnRole role;
    bool magnitude; // a trade's figure, whatever sign the broker wrote
};
constexpr std::array kNumberColumns{
    NumberColumn{NumberField::Quantity, ColumnRole::Quantity, true},
    NumberColumn{NumberField::Price, ColumnRole::Price, true},
    NumberColumn{NumberField::Amount, ColumnRole::Amount, true},
    NumberColumn{NumberField::Commission, ColumnRole::Commission, true},
    NumberColumn{NumberField::StampDuty, ColumnRole::StampDuty, true},
    NumberColumn{NumberField::TransferFee, ColumnRole::TransferFee, true},
    NumberColumn{NumberField::HandlingFee, ColumnRole::HandlingFee, true},
    NumberColumn{NumberField::ManagementFee, ColumnRole::ManagementFee, true},
    NumberColumn{NumberField::Levies, ColumnRole::Levies, true},
    NumberColumn{NumberField::FeesTotal, ColumnRole::FeesTotal, true},
    NumberColumn{NumberField::Cash, ColumnRole::Cash, false},
    NumberColumn{NumberField::ExchangeRate, ColumnRole::ExchangeRate, false},
    NumberColumn{NumberField::Fills, ColumnRole::Fills, false},
};

// The texts kept as written.
constexpr std::array<std::pair<TextField, ColumnRole>, 8> kTextColumns{{
    {TextField::Name, ColumnRole::Name},
    {TextField::Market, ColumnRole::Market},
    {TextField::Currency, ColumnRole::Currency},
    {TextField::OrderNumber, ColumnRole::OrderNumber},
    {TextField::TradeNumber, ColumnRole::TradeNumber},
    {TextField::Account, ColumnRole::Account},
    {TextField::FundAccount, ColumnRole::FundAccount},
    {TextField::Remark, ColumnRole::Remark},
}};

// Balances are evidence about other rows, not part of this one: a cell that
// is no number leaves them out.
constexpr std::array<std::pair<NumberField, ColumnRole>, 2> kBalanceColumns{{
    {NumberField::ShareBalance, ColumnRole::ShareBalance},
    {NumberField::CashBalance, ColumnRole::CashBalance},
}};

// A quoted cell is cut to this many bytes, at a character's start.
constexpr std::size_t kQuotedBytes = 80;

std::string quotedCell(std::string_view cell)
{
    if (cell.size() <= kQuotedBytes)
        return std::string(cell);
    std::size_t end = kQuotedBytes;
    while (end > 0 && (static_cast<unsigned char>(cell[end]) & 0xC0) == 0x80)
        --end;
    return std::string(cell.substr(0, end)) + "…";
}

bool isOne(CellNumber number)
{
    std::int64_t one = 1;
    for (int i = 0; i < number.scale; ++i)
        one *= 10;
    return number.units == one;
}

// a + b at the larger scale; false when it would not fit.
bool addNumbers(CellNumber a, CellNumber b, CellNumber &sum)
{
    if (a.scale < b.scale)
        std::swap(a, b);
    std::int64_t units = b.units;
    for (int i = b.scale; i < a.scale; ++i)
        if (__builtin_mul_overflow(units, 10, &units))
            return false;
    // A sum outside the 17 digits a cell can have is no fee.
    sum.scale = a.scale;
    return !__builtin_add_overflow(a.units, units, &sum.units) && std::abs(sum.units) <= kMaxCellUnits;
}

} // namespace

void RowBuilder::setNumber(Row &row, NumberField field, CellNumber number)
{
    row.m_numbers[at(field)] = number.units * 32 + number.scale;
}

bool RowBuilder::hasNumber(const Row &row, NumberField field) { return row.m_numbers[at(field)] != Row::kAbsent; }

void RowBuilder::makeMagnitude(Row &row, NumberField field)
{
    std::int64_t &packed = row.m_numbers[at(field)];
    if (packed != Row::kAbsent)
        packed = std::abs(packed >> 5) * 32 + (packed & 31);
}

std::optional<Row> RowBuilder::read(const Record &record, const OperationReading &operation, UnreadableRow &problem)
{
    m_record = &record;
    m_problem = &problem;
    Row row;
    row.m_line = record.line;
    row.m_store = &m_store;
    if (record.unterminated && static_cast<int>(record.cells.size()) < m_layout.headerCells) {
        fail(RowProblem::CutShort, static_cast<int>(record.cells.size()) - 1);
        return std::nullopt;
    }
    if (operation.outcome == OperationReading::Outcome::Missing) {
        fail(RowProblem::NoOperation, m_layout.operations.front());
        return std::nullopt;
    }
    if (operation.outcome == OperationReading::Outcome::Garbled) {
        fail(RowProblem::InvalidBytes, operation.column);
        return std::nullopt;
    }
    if (!settleSides(operation, row) || !readDate(row) || !readCode(row) || !readNumbers(row))
        return std::nullopt;
    readTexts(row);
    return row;
}

bool RowBuilder::fail(RowProblem problem, int column)
{
    m_problem->line = m_record->line;
    m_problem->problem = problem;
    m_problem->column = column >= 0 ? m_columns[static_cast<std::size_t>(column)].name : std::string();
    m_problem->cell = quotedCell(CellAt(*m_record, column));
    return false;
}

StoredText RowBuilder::kept(std::string_view text) { return m_store.keep(text); }

// Where two operation columns name opposite sides, the sign of the cash (paid
// on a buy) or of the quantity (negative on a sell) says which is right.
bool RowBuilder::settleSides(const OperationReading &operation, Row &row)
{
    using Outcome = OperationReading::Outcome;
    m_trade = operation.outcome != Outcome::Other;
    row.m_kind = operation.side;
    row.m_texts[at(TextField::Operation)] = kept(operation.text);
    if (operation.outcome != Outcome::Disagree)
        return true;
    CellNumber cash, quantity;
    RowKind side = RowKind::Other;
    if (ReadNumber(cell(ColumnRole::Cash), cash) == CellRead::Read && cash.units != 0)
        side = cash.units < 0 ? RowKind::Buy : RowKind::Sell;
    else if (ReadNumber(cell(ColumnRole::Quantity), quantity) == CellRead::Read && quantity.units < 0)
        side = RowKind::Sell;
    if (side == RowKind::Other) {
        fail(RowProblem::SidesDisagree, operation.column);
        m_problem->cell = quotedCell(std::string(operation.text) + " / " + std::string(operation.otherText));
        return false;
    }
    row.m_kind = side;
    row.m_texts[at(TextField::Operation)] = kept(side == operation.side ? operation.text : operation.otherText);
    return true;
}

bool RowBuilder::readDate(Row &row)
{
    const int column = m_layout.column(ColumnRole::Date);
    const std::string_view text = CellAt(*m_record, column);
    switch (ReadDate(text, row.m_date)) {
    case DateRead::Read:
        return true;
    case DateRead::Empty:
        return fail(RowProblem::NoDate, column);
    case DateRead::OutOfRange:
        return fail(RowProblem::DateOutOfRange, column);
    case DateRead::Bad:
        break;
    }
    return fail(HasReplacement(text) ? RowProblem::InvalidBytes : RowProblem::BadDate, column);
}

// Stock Connect rows keep a Hong Kong code of five digits.
bool RowBuilder::readsAsStockConnect() const
{
    CellNumber rate;
    const bool foreignRate =
        ReadNumber(cell(ColumnRole::ExchangeRate), rate) == CellRead::Read && rate.units > 0 && !isOne(rate);
    return IsHongKongTrade({cell(ColumnRole::Code), cell(ColumnRole::Market), cell(ColumnRole::Currency), foreignRate});
}

bool RowBuilder::readCode(Row &row)
{
    const int column = m_layout.column(ColumnRole::Code);
    const std::string_view code = CellAt(*m_record, column);
    row.m_stockConnect = readsAsStockConnect();
    if (code.empty())
        return !m_trade || fail(RowProblem::NoCode, column);
    const std::size_t width = row.m_stockConnect ? 5 : 6;
    if (IsAllDigits(code) && code.size() <= 6) {
        row.m_texts[at(TextField::Code)] =
            code.size() < width ? kept(std::string(width - code.size(), '0') + std::string(code)) : kept(code);
        return true;
    }
    if (m_trade)
        return fail(HasReplacement(code) ? RowProblem::InvalidBytes : RowProblem::BadCode, column);
    row.m_texts[at(TextField::Code)] = kept(code);
    return true;
}

bool RowBuilder::numberIn(int column, std::optional<CellNumber> &number)
{
    number.reset();
    CellNumber read;
    const std::string_view text = CellAt(*m_record, column);
    switch (ReadNumber(text, read)) {
    case CellRead::Empty:
        return true;
    case CellRead::Bad:
        return !m_trade || fail(HasReplacement(text) ? RowProblem::InvalidBytes : RowProblem::BadNumber, column);
    case CellRead::Read:
        break;
    }
    number = read;
    return true;
}

bool RowBuilder::readNumber(NumberField field, int column, Row &row)
{
    std::optional<CellNumber> number;
    if (!numberIn(column, number))
        return false;
    if (number)
        setNumber(row, field, *number);
    return true;
}

bool RowBuilder::readOtherFees(Row &row)
{
    std::optional<CellNumber> total;
    for (const int column : m_layout.otherFees) {
        std::optional<CellNumber> fee;
        if (!numberIn(column, fee))
            return false;
        if (fee && total && !addNumbers(*total, *fee, *total))
            return !m_trade || fail(RowProblem::BadNumber, column);
        if (fee && !total)
            total = fee;
    }
    if (total)
        setNumber(row, NumberField::OtherFees, *total);
    return true;
}

bool RowBuilder::readNumbers(Row &row)
{
    for (const NumberColumn &number : kNumberColumns)
        if (!readNumber(number.field, m_layout.column(number.role), row))
            return false;
    if (!readOtherFees(row))
        return false;
    for (const auto &[field, role] : kBalanceColumns)
        if (CellNumber balance; ReadNumber(cell(role), balance) == CellRead::Read)
            setNumber(row, field, balance);
    if (!m_trade)
        return true;
    if (movesMoneyWithoutShares(row)) {
        becomePayment(row);
        return true;
    }
    const int quantity = m_layout.column(ColumnRole::Quantity);
    if (!hasNumber(row, NumberField::Quantity))
        return fail(RowProblem::NoQuantity, quantity);
    if (row.m_numbers[at(NumberField::Quantity)] >> 5 == 0)
        return fail(RowProblem::ZeroQuantity, quantity);
    if (!hasNumber(row, NumberField::Price) && !hasNumber(row, NumberField::Amount))
        return fail(RowProblem::NoPriceOrAmount, m_layout.column(ColumnRole::Price));
    for (const NumberColumn &number : kNumberColumns)
        if (number.magnitude)
            makeMagnitude(row, number.field);
    makeMagnitude(row, NumberField::OtherFees);
    return true;
}

bool RowBuilder::isZeroOrAbsent(const Row &row, NumberField field)
{
    return !hasNumber(row, field) || row.m_numbers[at(field)] >> 5 == 0;
}

// A buy or sell of no shares at no price that still moves money: a
// subscription paid (a new bond's 缴款) or money handed back, not a trade.
bool RowBuilder::movesMoneyWithoutShares(const Row &row)
{
    return isZeroOrAbsent(row, NumberField::Quantity) && isZeroOrAbsent(row, NumberField::Price)
           && !(isZeroOrAbsent(row, NumberField::Amount) && isZeroOrAbsent(row, NumberField::Cash));
}

// Other business, named for the way the money went: 缴款 paid, 收款 received.
void RowBuilder::becomePayment(Row &row)
{
    const bool paid = row.m_kind == RowKind::Buy;
    row.m_kind = RowKind::Other;
    m_trade = false;
    row.m_texts[at(TextField::Operation)] = kept(paid ? "缴款" : "收款");
}

void RowBuilder::readTexts(Row &row)
{
    bool repaired = false;
    for (const auto &[field, role] : kTextColumns) {
        const std::string_view text = cell(role);
        repaired = repaired || HasReplacement(text);
        row.m_texts[at(field)] = kept(text);
    }
    // A spreadsheet may hold the time of day as a fraction of a day.
    const std::string_view time = cell(ColumnRole::Time);
    CellNumber fraction;
    if (ReadNumber(time, fraction) == CellRead::Read && fraction.scale > 0 && fraction.units >= 0) {
        const double value = static_cast<double>(fraction.units) * std::pow(10.0, -fraction.scale);
        if (value < 1) {
            row.m_texts[at(TextField::Time)] = kept(TimeOfDayText(value));
            row.m_textRepaired = repaired;
            return;
        }
    }
    row.m_texts[at(TextField::Time)] = kept(time);
    row.m_textRepaired = repaired || HasReplacement(time);
}

} // namespace tallyfin::statement
