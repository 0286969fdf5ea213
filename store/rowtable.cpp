#include "rowtable.h"

#include <sqlite3.h>

#include "cells.h"
#include "rowcodec.h"
#include "schema.h"
#include "textstore.h"

namespace tallyfin::store {

namespace {

using statement::CellNumber;
using statement::ColumnRole;
using statement::Format;
using statement::Row;
using statement::RowCodec;
using statement::RowContent;
using statement::Statement;

constexpr std::size_t at(int index) { return static_cast<std::size_t>(index); }

// A value this program never writes: the file was changed behind its back.
[[noreturn]] void damaged(Connection &, const std::string &what) { throw SqliteError(SQLITE_CORRUPT, what); }

// The enum value whose key is `key`, among the first `count`.
template <typename Enum, typename KeyOf>
Enum enumOfKey(Connection &db, std::string_view key, int count, KeyOf keyOf)
{
    for (int value = 0; value < count; ++value)
        if (keyOf(static_cast<Enum>(value)) == key)
            return static_cast<Enum>(value);
    damaged(db, "unknown key '" + std::string(key) + "'");
}

TradeDate dateOf(Connection &db, std::string_view text)
{
    const std::optional<TradeDate> date = ParseTradeDate(text);
    if (!date)
        damaged(db, "'" + std::string(text) + "' is no date");
    return *date;
}

std::optional<TradeDate> optionalDate(Connection &db, const Query &query, int column)
{
    return query.isNull(column) ? std::nullopt : std::optional(dateOf(db, query.text(column)));
}

Decimal decimalOf(Connection &db, std::string_view text)
{
    try {
        return Decimal::fromLiteral(text);
    } catch (const std::invalid_argument &) {
        damaged(db, "'" + std::string(text) + "' is no number");
    }
}

std::optional<std::string_view> textOrNull(std::string_view text)
{
    return text.empty() ? std::nullopt : std::optional(text);
}

std::optional<std::string> dateText(const std::optional<TradeDate> &date)
{
    return date ? std::optional(FormatTradeDate(*date)) : std::nullopt;
}

// --- statement ---------------------------------------------------------------

constexpr const char *kStatementColumns =
    "id, account, file, size, sha256, format_kind, encoding, separator, header_line, sheet, lines_other_encoding, "
    "imported, rows, rows_added, rows_known, first_date, last_date";

StatementRecord recordOf(Connection &db, const Query &query)
{
    StatementRecord record;
    record.id = query.integer(0);
    record.account = query.integer(1);
    record.file = query.text(2);
    record.fingerprint = {static_cast<std::uint64_t>(query.integer(3)), std::string(query.text(4))};
    Format &format = record.format;
    format.kind = enumOfKey<statement::FileKind>(db, query.text(5), 3, statement::FileKindKey);
    if (!query.isNull(6))
        format.encoding = enumOfKey<statement::TextEncoding>(db, query.text(6), 3, statement::EncodingName);
    format.separator = query.text(7).empty() ? '\0' : query.text(7).front();
    format.headerLine = static_cast<int>(query.integer(8));
    format.sheet = query.text(9);
    format.linesInOtherEncoding = static_cast<int>(query.integer(10));
    record.imported = query.text(11);
    record.rows = static_cast<int>(query.integer(12));
    record.rowsAdded = static_cast<int>(query.integer(13));
    record.rowsKnown = static_cast<int>(query.integer(14));
    record.from = optionalDate(db, query, 15);
    record.to = optionalDate(db, query, 16);
    return record;
}

void insertColumns(Connection &db, std::int64_t id, const Statement &read)
{
    Query insert(db, "INSERT INTO statement_column(statement, position, name, role) VALUES (?, ?, ?, ?)");
    for (std::size_t i = 0; i < read.columns.size(); ++i)
        insert.bind(1, id).bind(2, static_cast<std::int64_t>(i)).bind(3, read.columns[i].name)
            .bind(4, statement::ColumnRoleKey(read.columns[i].role)).run();
}

std::vector<statement::Column> columnsOf(Connection &db, std::int64_t id)
{
    std::vector<statement::Column> columns;
    Query query(db, "SELECT name, role FROM statement_column WHERE statement = ? ORDER BY position");
    query.bind(1, id);
    constexpr int kRoles = static_cast<int>(ColumnRole::Remark) + 1;
    while (query.step())
        columns.push_back({std::string(query.text(0)),
                           enumOfKey<ColumnRole>(db, query.text(1), kRoles, statement::ColumnRoleKey)});
    return columns;
}

// --- rows --------------------------------------------------------------------

// The row's flags and date come first, then its texts, then its numbers.
constexpr int kFirstText = 5;
constexpr int kFirstNumber = kFirstText + statement::kTextFieldCount;

std::string rowColumns()
{
    std::string names = "line, kind, date, stock_connect, text_repaired";
    for (const std::string_view name : kTextColumns)
        names += ", " + std::string(name);
    for (const std::string_view name : kNumberColumns)
        names += ", " + std::string(name);
    return names;
}

void insertRows(Connection &db, std::int64_t id, const Statement &read)
{
    std::string places = "?, ?";
    for (int i = 0; i < kFirstNumber + statement::kNumberFieldCount; ++i)
        places += ", ?";
    Query insert(db, "INSERT INTO statement_row(statement, seq, " + rowColumns() + ") VALUES (" + places + ")");
    std::int64_t seq = 0;
    for (const Row &row : read.rows) {
        const RowContent content = RowCodec::contentOf(row);
        insert.bind(1, id).bind(2, seq++).bind(3, content.line).bind(4, statement::RowKindKey(content.kind));
        insert.bind(5, FormatTradeDate(content.date)).bind(6, content.stockConnect).bind(7, content.textRepaired);
        for (int field = 0; field < statement::kTextFieldCount; ++field)
            insert.bindOrNull(3 + kFirstText + field, textOrNull(content.texts[at(field)]));
        for (int field = 0; field < statement::kNumberFieldCount; ++field) {
            const std::optional<CellNumber> &number = content.numbers[at(field)];
            number ? insert.bind(3 + kFirstNumber + field, statement::NumberText(*number))
                   : insert.bindNull(3 + kFirstNumber + field);
        }
        insert.run();
    }
}

std::vector<Row> rowsOf(Connection &db, std::int64_t id, statement::TextStore &store)
{
    std::vector<Row> rows;
    Query query(db, "SELECT " + rowColumns() + " FROM statement_row WHERE statement = ? ORDER BY seq");
    query.bind(1, id);
    RowContent content;
    while (query.step()) {
        content.line = static_cast<int>(query.integer(0));
        content.kind = enumOfKey<statement::RowKind>(db, query.text(1), 3, statement::RowKindKey);
        content.date = dateOf(db, query.text(2));
        content.stockConnect = query.integer(3) != 0;
        content.textRepaired = query.integer(4) != 0;
        for (int field = 0; field < statement::kTextFieldCount; ++field)
            content.texts[at(field)] = query.text(kFirstText + field);
        for (int field = 0; field < statement::kNumberFieldCount; ++field) {
            std::optional<CellNumber> &number = content.numbers[at(field)];
            number.reset();
            if (query.isNull(kFirstNumber + field))
                continue;
            if (statement::ReadNumber(query.text(kFirstNumber + field), number.emplace()) != statement::CellRead::Read)
                damaged(db, "'" + std::string(query.text(kFirstNumber + field)) + "' is no number");
        }
        rows.push_back(RowCodec::rowOf(content, store));
    }
    return rows;
}

void insertUnreadable(Connection &db, std::int64_t id, const Statement &read)
{
    Query insert(db, "INSERT INTO unreadable_row(statement, seq, line, problem, column_name, cell) VALUES (?, ?, ?, ?, ?, ?)");
    std::int64_t seq = 0;
    for (const statement::UnreadableRow &row : read.unreadable)
        insert.bind(1, id).bind(2, seq++).bind(3, row.line).bind(4, static_cast<std::int64_t>(row.problem))
            .bind(5, row.column).bind(6, row.cell).run();
}

std::vector<statement::UnreadableRow> unreadableOf(Connection &db, std::int64_t id)
{
    std::vector<statement::UnreadableRow> rows;
    Query query(db, "SELECT line, problem, column_name, cell FROM unreadable_row WHERE statement = ? ORDER BY seq");
    query.bind(1, id);
    constexpr std::int64_t kProblems = static_cast<std::int64_t>(statement::RowProblem::CutShort) + 1;
    while (query.step()) {
        if (query.integer(1) < 0 || query.integer(1) >= kProblems)
            damaged(db, "unknown row problem " + std::to_string(query.integer(1)));
        rows.push_back({static_cast<int>(query.integer(0)), static_cast<statement::RowProblem>(query.integer(1)),
                        std::string(query.text(2)), std::string(query.text(3))});
    }
    return rows;
}

} // namespace

StatementRecord InsertStatement(Connection &db, std::int64_t account, const std::string &file,
                                const Fingerprint &fingerprint, const Statement &read,
                                const statement::SourceTally &tally, const std::string &imported)
{
    Query insert(db, "INSERT INTO statement(account, file, size, sha256, format_kind, encoding, separator, header_line, "
                     "sheet, lines_other_encoding, imported, rows, rows_added, rows_known, first_date, last_date) "
                     "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    const Format &format = read.format;
    insert.bind(1, account).bind(2, file).bind(3, static_cast<std::int64_t>(fingerprint.size)).bind(4, fingerprint.sha256);
    insert.bind(5, statement::FileKindKey(format.kind));
    insert.bindOrNull(6, format.encoding ? std::optional(statement::EncodingName(*format.encoding)) : std::nullopt);
    insert.bindOrNull(7, format.separator ? std::optional(std::string_view(&format.separator, 1)) : std::nullopt);
    insert.bind(8, format.headerLine).bind(9, format.sheet).bind(10, format.linesInOtherEncoding).bind(11, imported);
    insert.bind(12, static_cast<std::int64_t>(read.rows.size())).bind(13, tally.rowsAdded).bind(14, tally.rowsKnown);
    insert.bindOrNull(15, dateText(tally.from));
    insert.bindOrNull(16, dateText(tally.to));
    insert.run();
    const std::int64_t id = db.lastInsertId();
    insertColumns(db, id, read);
    insertRows(db, id, read);
    insertUnreadable(db, id, read);
    return *StatementById(db, id);
}

std::optional<StatementRecord> StatementById(Connection &db, std::int64_t id)
{
    Query query(db, std::string("SELECT ") + kStatementColumns + " FROM statement WHERE id = ?");
    query.bind(1, id);
    return query.step() ? std::optional(recordOf(db, query)) : std::nullopt;
}

std::vector<StatementRecord> StatementsOf(Connection &db, std::int64_t account)
{
    std::vector<StatementRecord> records;
    Query query(db, std::string("SELECT ") + kStatementColumns + " FROM statement WHERE account = ? ORDER BY id");
    query.bind(1, account);
    while (query.step())
        records.push_back(recordOf(db, query));
    return records;
}

std::vector<Statement> LoadStatements(Connection &db, std::int64_t account)
{
    std::vector<Statement> loaded;
    for (const StatementRecord &record : StatementsOf(db, account)) {
        Statement &read = loaded.emplace_back();
        auto store = std::make_shared<statement::TextStore>();
        read.format = record.format;
        read.columns = columnsOf(db, record.id);
        read.rows = rowsOf(db, record.id, *store);
        read.unreadable = unreadableOf(db, record.id);
        read.texts = std::move(store);
    }
    return loaded;
}

namespace {

std::optional<bool> flagOf(const Query &query, int column)
{
    return query.isNull(column) ? std::nullopt : std::optional(query.integer(column) != 0);
}

void bindFlag(Query &query, int index, const std::optional<bool> &flag)
{
    flag ? query.bind(index, static_cast<std::int64_t>(*flag)) : query.bindNull(index);
}

std::optional<std::string> decimalText(const std::optional<Decimal> &value)
{
    return value ? std::optional(value->toString()) : std::nullopt;
}

// The user's terms of an account, in the order given.
std::vector<statement::UserTerms> termsOf(Connection &db, std::int64_t account)
{
    std::vector<statement::UserTerms> terms;
    Query query(db, "SELECT instrument_group, security_class, code, from_date, to_date, rate_per_mille, minimum "
                    "FROM agreement_term WHERE account = ? ORDER BY seq");
    query.bind(1, account);
    while (query.step()) {
        const std::int64_t group = query.isNull(0) ? -1 : query.integer(0);
        if (group >= static_cast<std::int64_t>(statement::kGroupCount))
            continue; // a group a later version knows
        statement::UserTerms term;
        if (group >= 0)
            term.scope.group = static_cast<statement::InstrumentGroup>(group);
        term.scope.securityClass = static_cast<statement::SecurityClass>(query.integer(1));
        term.scope.code = query.text(2);
        term.from = optionalDate(db, query, 3);
        term.to = optionalDate(db, query, 4);
        if (!query.isNull(5))
            term.ratePerMille = decimalOf(db, query.text(5));
        if (!query.isNull(6))
            term.minimum = decimalOf(db, query.text(6));
        terms.push_back(std::move(term));
    }
    return terms;
}

} // namespace

AccountSettings SettingsOf(Connection &db, std::int64_t account)
{
    AccountSettings settings;
    settings.terms = termsOf(db, account);
    Query billing(db, "SELECT instrument_group, levies_on_top, transfer_separate FROM agreement_billing WHERE account = ?");
    billing.bind(1, account);
    while (billing.step())
        if (const std::int64_t group = billing.integer(0); group >= 0 && group < static_cast<std::int64_t>(statement::kGroupCount))
            settings.billing[static_cast<std::size_t>(group)] = {flagOf(billing, 1), flagOf(billing, 2)};
    Query costs(db, "SELECT code, cost FROM opening_cost WHERE account = ?");
    costs.bind(1, account);
    while (costs.step())
        settings.openingCosts.emplace(costs.text(0), decimalOf(db, costs.text(1)));
    return settings;
}

void WriteAgreement(Connection &db, std::int64_t account, const std::vector<statement::UserTerms> &terms,
                    const std::array<statement::BillingOverride, statement::kGroupCount> &billing)
{
    for (const char *table : {"DELETE FROM agreement_term WHERE account = ?", "DELETE FROM agreement_billing WHERE account = ?"}) {
        Query clear(db, table);
        clear.bind(1, account).run();
    }
    Query term(db, "INSERT INTO agreement_term(account, seq, instrument_group, security_class, code, from_date, to_date, "
                   "rate_per_mille, minimum) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (std::size_t i = 0; i < terms.size(); ++i) {
        const statement::UserTerms &each = terms[i];
        term.bind(1, account).bind(2, static_cast<std::int64_t>(i));
        each.scope.group ? term.bind(3, static_cast<std::int64_t>(*each.scope.group)) : term.bindNull(3);
        term.bind(4, static_cast<std::int64_t>(each.scope.securityClass)).bind(5, each.scope.code);
        term.bindOrNull(6, dateText(each.from)).bindOrNull(7, dateText(each.to));
        term.bindOrNull(8, decimalText(each.ratePerMille)).bindOrNull(9, decimalText(each.minimum));
        term.run();
    }
    Query bill(db, "INSERT INTO agreement_billing(account, instrument_group, levies_on_top, transfer_separate) "
                   "VALUES (?, ?, ?, ?)");
    for (std::size_t group = 0; group < billing.size(); ++group) {
        if (billing[group] == statement::BillingOverride{})
            continue;
        bill.bind(1, account).bind(2, static_cast<std::int64_t>(group));
        bindFlag(bill, 3, billing[group].leviesOnTop);
        bindFlag(bill, 4, billing[group].transferSeparate);
        bill.run();
    }
}

void WriteOpeningCost(Connection &db, std::int64_t account, const std::string &code, const std::optional<Decimal> &cost)
{
    Query remove(db, "DELETE FROM opening_cost WHERE account = ? AND code = ?");
    remove.bind(1, account).bind(2, code).run();
    if (!cost)
        return;
    Query insert(db, "INSERT INTO opening_cost(account, code, cost) VALUES (?, ?, ?)");
    insert.bind(1, account).bind(2, code).bind(3, cost->toString()).run();
}

} // namespace tallyfin::store
