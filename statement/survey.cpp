#include "survey.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "columns.h"
#include "tradefigures.h"
#include "failure.h"

namespace tallyfin::statement {

namespace {

constexpr int kHeaderSearchRecords = 500;
constexpr std::size_t kRecordsPerReport = 2048;
// Of the columns named for one role, the first few are weighed against each other.
constexpr std::size_t kMaxWeighed = 3;
// A cent, and a little for the binary arithmetic of the check.
constexpr double kCent = 0.0101;

std::size_t at(ColumnRole role) { return static_cast<std::size_t>(role); }

double valueOf(CellNumber number) { return static_cast<double>(number.units) * std::pow(10.0, -number.scale); }

std::optional<CellNumber> numberAt(const Record &record, int column)
{
    CellNumber number;
    if (column < 0 || ReadNumber(CellAt(record, column), number) != CellRead::Read)
        return std::nullopt;
    return number;
}

struct Tally {
    int checked = 0, agreeing = 0;
};

// A reading of quantity × price = amount by three columns.
struct QuantityReading {
    int quantity, price, amount;
    Tally tally;
};

// A reading of |cash| = amount ± fees: the cash column, and the column that
// is the commission (-1: none; 手续费 is then the total).
struct CashReading {
    int cash, commission;
    Tally tally;
};

bool quantityAddsUp(CellNumber quantity, CellNumber price, CellNumber amount)
{
    const double q = std::fabs(valueOf(quantity)), p = std::fabs(valueOf(price)), a = std::fabs(valueOf(amount));
    // An average price is rounded: half a unit of its last digit on each share.
    const double tolerance = kCent + q * 0.5 * std::pow(10.0, -price.scale);
    return std::fabs(q * p - a) <= tolerance;
}

// |cash| = amount ± the fees, to the cent.
bool cashAddsUp(RowKind side, CellNumber cash, CellNumber amount, std::optional<Cents> fees)
{
    const std::optional<Cents> paid = CentsOf(cash), traded = CentsOf(amount);
    if (!paid || !traded || !fees)
        return false;
    const Cents implied = FeesImplied(side, *paid, *traded < 0 ? -*traded : *traded);
    return implied - *fees <= 1 && *fees - implied <= 1;
}

std::vector<int> firstFew(const std::vector<int> &columns)
{
    return {columns.begin(), columns.begin() + static_cast<long>(std::min(columns.size(), kMaxWeighed))};
}

// Arithmetic when the best reading adds up on more rows than every reading
// that gives the role another column.
template <typename Reading, typename ColumnOf>
ChoiceBasis basisOf(const std::vector<Reading> &readings, const Reading &best, ColumnOf columnOf)
{
    int rival = -1;
    for (const Reading &reading : readings)
        if (columnOf(reading) != columnOf(best))
            rival = std::max(rival, reading.tally.agreeing);
    return rival >= 0 && best.tally.agreeing > rival ? ChoiceBasis::Arithmetic : ChoiceBasis::NameOrder;
}

template <typename Reading>
const Reading *bestOf(const std::vector<Reading> &readings)
{
    const auto best = std::max_element(readings.begin(), readings.end(), [](const Reading &a, const Reading &b) {
        return a.tally.agreeing < b.tally.agreeing;
    });
    return best == readings.end() ? nullptr : &*best;
}

class ColumnSurvey {
public:
    ColumnSurvey(RecordSource &source, const Stage &stage, Statement &statement)
        : m_source(source), m_stage(stage), m_statement(statement)
    {
    }

    bool run(Layout &layout, DataStart &data);

private:
    bool findHeader(Layout &layout);
    void readHeader(const Record &header, Layout &layout);
    void enumerateReadings();
    bool surveyRows(const Layout &layout, DataStart &data);
    void checkRow(const Record &record, RowKind side);
    std::optional<Cents> feesUnder(const Record &record, int commission) const;
    void chooseQuantities(Layout &layout);
    void chooseCash(Layout &layout);
    void chooseOperations(Layout &layout);
    void chooseByName(Layout &layout);
    void addChoice(ColumnRole role, int chosen, std::vector<int> candidates, ChoiceBasis basis, Tally tally = {});
    void markRoles(const Layout &layout);
    const std::vector<int> &candidates(ColumnRole role) const { return m_candidates[at(role)]; }

    RecordSource &m_source;
    Stage m_stage;
    Statement &m_statement;
    std::array<std::vector<int>, kRoleCount> m_candidates;
    int m_feesColumn = -1; // 手续费
    std::vector<QuantityReading> m_quantityReadings;
    std::vector<CashReading> m_cashReadings;
    std::vector<int> m_operationTrades; // per operation column: rows where it names a buy or a sell
    OperationKinds m_kinds;
};

bool ColumnSurvey::run(Layout &layout, DataStart &data)
{
    if (!findHeader(layout))
        return false;
    data.mark = m_source.mark();
    enumerateReadings();
    if (!surveyRows(layout, data))
        return false;
    chooseQuantities(layout);
    chooseCash(layout);
    chooseOperations(layout);
    chooseByName(layout);
    markRoles(layout);
    return true;
}

bool ColumnSurvey::findHeader(Layout &layout)
{
    Record record;
    for (int seen = 0; seen < kHeaderSearchRecords && m_source.next(record);) {
        if (IsBlank(record))
            continue;
        if (IsHeaderRow(record.cells)) {
            m_statement.format.headerLine = record.line;
            m_statement.format.separator = m_source.separatorOf(record);
            m_source.fixSeparator(m_statement.format.separator);
            readHeader(record, layout);
            return true;
        }
        ++seen;
    }
    m_statement.failure = MakeFailure(FailureKind::NoHeader);
    return false;
}

void ColumnSurvey::readHeader(const Record &header, Layout &layout)
{
    std::array<std::vector<std::pair<int, int>>, kRoleCount> ranked; // (rank, column)
    for (std::size_t i = 0; i < header.cells.size(); ++i) {
        const std::string name = HeaderName(header.cells[i]);
        m_statement.columns.push_back({std::string(CellText(header.cells[i])), ColumnRole::None});
        const NameMeaning meaning = MeaningOf(name);
        if (meaning.role != ColumnRole::None)
            ranked[at(meaning.role)].emplace_back(meaning.rank, static_cast<int>(i));
        if (name == kFeesName && m_feesColumn < 0)
            m_feesColumn = static_cast<int>(i);
    }
    for (std::size_t role = 0; role < ranked.size(); ++role) {
        std::stable_sort(ranked[role].begin(), ranked[role].end());
        for (const auto &[rank, column] : ranked[role])
            m_candidates[role].push_back(column);
    }
    m_operationTrades.assign(candidates(ColumnRole::Operation).size(), 0);
    layout.headerCells = static_cast<int>(header.cells.size());
    layout.dateColumn = candidates(ColumnRole::Date).front();
    layout.dateHeader = CellAt(header, layout.dateColumn);
}

void ColumnSurvey::enumerateReadings()
{
    const std::vector<int> quantities = firstFew(candidates(ColumnRole::Quantity)),
                           prices = firstFew(candidates(ColumnRole::Price)),
                           amounts = firstFew(candidates(ColumnRole::Amount));
    if ((quantities.size() > 1 || prices.size() > 1 || amounts.size() > 1) && !prices.empty() && !amounts.empty())
        for (const int q : quantities)
            for (const int p : prices)
                for (const int a : amounts)
                    m_quantityReadings.push_back({q, p, a, {}});

    const std::vector<int> cash = firstFew(candidates(ColumnRole::Cash));
    std::vector<int> commissions = firstFew(candidates(ColumnRole::Commission));
    if (commissions.empty() || commissions == std::vector<int>{m_feesColumn})
        commissions.push_back(-1);
    if ((cash.size() > 1 || commissions.size() > 1) && !cash.empty() && !amounts.empty())
        for (const int m : commissions)
            for (const int c : cash)
                m_cashReadings.push_back({c, m, {}});
}

bool ColumnSurvey::surveyRows(const Layout &layout, DataStart &data)
{
    const Stage stage = m_stage;
    const std::vector<int> &operations = candidates(ColumnRole::Operation);
    Record record;
    while (m_source.next(record)) {
        if (++data.records % kRecordsPerReport == 0 && !stage.report(m_source.fraction())) {
            m_statement.failure = MakeFailure(FailureKind::Cancelled);
            return false;
        }
        if (CellAt(record, layout.dateColumn) == layout.dateHeader)
            continue;
        for (std::size_t i = 0; i < operations.size(); ++i)
            if (const std::string_view text = CellAt(record, operations[i]); !text.empty())
                m_operationTrades[i] += m_kinds.of(text) != RowKind::Other ? 1 : 0;
        const OperationReading operation = ReadOperation(record, operations, m_kinds);
        if (operation.outcome == OperationReading::Outcome::Trade)
            checkRow(record, operation.side);
    }
    return true;
}

// The fees of a trade when `commission` is the commission column; with none,
// 手续费 is the total. Nullopt for a fee beyond what money can be.
std::optional<Cents> ColumnSurvey::feesUnder(const Record &record, int commission) const
{
    bool overflow = false;
    const auto fee = [&](int column) -> Cents {
        const std::optional<CellNumber> number = numberAt(record, column);
        const std::optional<Cents> cents = number ? CentsOf(*number) : Cents(0);
        overflow = overflow || !cents;
        return cents ? (*cents < 0 ? -*cents : *cents) : 0;
    };
    if (commission < 0 && m_feesColumn >= 0) {
        const Cents total = fee(m_feesColumn);
        return overflow ? std::nullopt : std::optional(total);
    }
    Cents fees = fee(commission);
    for (const ColumnRole role : {ColumnRole::StampDuty, ColumnRole::TransferFee, ColumnRole::HandlingFee,
                                  ColumnRole::ManagementFee, ColumnRole::Levies})
        if (!candidates(role).empty())
            fees += fee(candidates(role).front());
    for (const int column : candidates(ColumnRole::OtherFees))
        fees += fee(column);
    return overflow ? std::nullopt : std::optional(fees);
}

void ColumnSurvey::checkRow(const Record &record, RowKind side)
{
    for (QuantityReading &reading : m_quantityReadings) {
        const auto q = numberAt(record, reading.quantity), p = numberAt(record, reading.price),
                   a = numberAt(record, reading.amount);
        if (q && p && a && q->units != 0) {
            ++reading.tally.checked;
            reading.tally.agreeing += quantityAddsUp(*q, *p, *a) ? 1 : 0;
        }
    }
    if (m_cashReadings.empty())
        return;
    const std::optional<CellNumber> amount = numberAt(record, candidates(ColumnRole::Amount).front());
    for (CashReading &reading : m_cashReadings) {
        const std::optional<CellNumber> cash = numberAt(record, reading.cash);
        if (amount && cash) {
            ++reading.tally.checked;
            reading.tally.agreeing += cashAddsUp(side, *cash, *amount, feesUnder(record, reading.commission)) ? 1 : 0;
        }
    }
}

void ColumnSurvey::addChoice(ColumnRole role, int chosen, std::vector<int> candidates, ChoiceBasis basis, Tally tally)
{
    m_statement.choices.push_back({role, chosen, std::move(candidates), basis, tally.checked, tally.agreeing});
}

void ColumnSurvey::chooseQuantities(Layout &layout)
{
    const QuantityReading *best = bestOf(m_quantityReadings);
    for (const auto &roleColumn : {std::pair{ColumnRole::Quantity, &QuantityReading::quantity},
                                   std::pair{ColumnRole::Price, &QuantityReading::price},
                                   std::pair{ColumnRole::Amount, &QuantityReading::amount}}) {
        const ColumnRole role = roleColumn.first;
        int QuantityReading::*const member = roleColumn.second;
        const std::vector<int> &named = candidates(role);
        if (named.empty())
            continue;
        const int chosen = best ? best->*member : named.front();
        layout.columns[at(role)] = chosen;
        if (named.size() > 1)
            addChoice(role, chosen, named,
                      best ? basisOf(m_quantityReadings, *best, [&](const QuantityReading &r) { return r.*member; })
                           : ChoiceBasis::NameOrder,
                      best ? best->tally : Tally{});
    }
}

void ColumnSurvey::chooseCash(Layout &layout)
{
    const CashReading *best = bestOf(m_cashReadings);
    const std::vector<int> &cash = candidates(ColumnRole::Cash), &commissions = candidates(ColumnRole::Commission);
    const int cashColumn = best ? best->cash : (cash.empty() ? -1 : cash.front());
    const int commission = best ? best->commission : (commissions.empty() ? -1 : commissions.front());
    layout.columns[at(ColumnRole::Cash)] = cashColumn;
    layout.columns[at(ColumnRole::Commission)] = commission;
    const Tally tally = best ? best->tally : Tally{};
    if (cash.size() > 1)
        addChoice(ColumnRole::Cash, cashColumn, cash,
                  best ? basisOf(m_cashReadings, *best, [](const CashReading &r) { return r.cash; })
                       : ChoiceBasis::NameOrder,
                  tally);
    if (commissions.size() > 1 || m_feesColumn >= 0)
        addChoice(ColumnRole::Commission, commission, commissions,
                  best ? basisOf(m_cashReadings, *best, [](const CashReading &r) { return r.commission; })
                       : ChoiceBasis::NameOrder,
                  tally);
    // A 手续费 that is not the commission is the total of the fees.
    std::vector<int> totals = candidates(ColumnRole::FeesTotal);
    if (m_feesColumn >= 0 && m_feesColumn != commission)
        totals.push_back(m_feesColumn);
    m_candidates[at(ColumnRole::FeesTotal)] = totals;
}

void ColumnSurvey::chooseOperations(Layout &layout)
{
    // A column that never names a buy or a sell, beside one that does, does
    // not say what a row is (an order type, a business category).
    const std::vector<int> &operations = candidates(ColumnRole::Operation);
    const bool anyNamesTrades = std::any_of(m_operationTrades.begin(), m_operationTrades.end(), [](int n) { return n > 0; });
    for (std::size_t i = 0; i < operations.size(); ++i)
        if (!anyNamesTrades || m_operationTrades[i] > 0)
            layout.operations.push_back(operations[i]);
    if (operations.size() > 1)
        addChoice(ColumnRole::Operation, layout.operations.front(), operations, ChoiceBasis::EachRow);
}

void ColumnSurvey::chooseByName(Layout &layout)
{
    for (const ColumnRole role :
         {ColumnRole::Date, ColumnRole::Time, ColumnRole::Code, ColumnRole::Name, ColumnRole::Market,
          ColumnRole::Currency, ColumnRole::StampDuty, ColumnRole::TransferFee, ColumnRole::HandlingFee,
          ColumnRole::ManagementFee, ColumnRole::Levies, ColumnRole::FeesTotal, ColumnRole::ExchangeRate,
          ColumnRole::Fills, ColumnRole::OrderNumber, ColumnRole::TradeNumber, ColumnRole::Account,
          ColumnRole::ShareBalance, ColumnRole::CashBalance, ColumnRole::FundAccount, ColumnRole::Remark}) {
        const std::vector<int> &named = candidates(role);
        if (named.empty())
            continue;
        layout.columns[at(role)] = named.front();
        if (named.size() > 1)
            addChoice(role, named.front(), named, ChoiceBasis::NameOrder);
    }
    layout.otherFees = candidates(ColumnRole::OtherFees);
}

void ColumnSurvey::markRoles(const Layout &layout)
{
    for (std::size_t role = 0; role < layout.columns.size(); ++role)
        if (layout.columns[role] >= 0)
            m_statement.columns[static_cast<std::size_t>(layout.columns[role])].role = static_cast<ColumnRole>(role);
    for (const int column : layout.operations)
        m_statement.columns[static_cast<std::size_t>(column)].role = ColumnRole::Operation;
    for (const int column : layout.otherFees)
        m_statement.columns[static_cast<std::size_t>(column)].role = ColumnRole::OtherFees;
}

} // namespace

bool SurveyColumns(RecordSource &source, const Stage &stage, Statement &statement, Layout &layout, DataStart &data)
{
    return ColumnSurvey(source, stage, statement).run(layout, data);
}

} // namespace tallyfin::statement
