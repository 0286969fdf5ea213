#pragma once

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

#include "audit.h"
#include "balances.h"
#include "dividendtax.h"
#include "command.h"
#include "merge.h"

// What the commands over several statements print: the statements merged,
// the gaps between them, the audit of the whole.
namespace tallyfin {

enum class ReportStyle : std::uint8_t { Table, Json, Csv };

// One statement of an account as the reports list it.
struct StatementEntry {
    int id = 0;
    std::string file;
    int rowsAdded = 0, rowsKnown = 0;
    std::optional<TradeDate> from, to;
};

// {"id", "file", "rowsAdded", "rowsKnown", "from", "to"}
nlohmann::ordered_json StatementEntryJson(const StatementEntry &entry);
// {"after", "before", "what", "code", "shares"}
nlohmann::ordered_json GapsJson(const statement::BalanceCheck &check);
// {"after", "before", "what", "difference"}: the cash balance's breaks, notes only.
nlohmann::ordered_json CashNotesJson(const statement::BalanceCheck &check);

// The statements, gaps and notes for a person.
std::string StatementsTable(const std::vector<StatementEntry> &entries);
std::string GapsTable(const statement::BalanceCheck &check);

// {"taxRows": [{"line", "statement", "date", "code", "quantity", "charged", "due", "explained", "lots":
// [{"bought", "quantity", "dividendPerShare", "ratePercent", "tax"}]}], "missingTax": [{"date", "code",
// "quantity", "due"}], "unheldDividends": [{"line", "statement", "date", "code", "cash"}]}
nlohmann::ordered_json DividendTaxJson(const statement::MergedStatement &merged, const statement::DividendTaxCheck &check);
std::string DividendTaxTable(const statement::MergedStatement &merged, const statement::DividendTaxCheck &check);

// The audit of merged statements: the audit's object ("file" null, "account"
// the stored account's name or null) with "statement" beside every "line",
// then "statements", "gaps" and "cashNotes". `title` heads the table and the CSV.
int ReportMergedAudit(const std::string &title, const std::optional<std::string> &account,
                      const statement::MergedStatement &merged,
                      const std::vector<StatementEntry> &entries, const statement::AuditOptions &options,
                      ReportStyle style, const Output &output);

// "audit FILE1 FILE2 …": the files merged as one account's statements and
// checked; nothing is stored.
int RunMergedAudit(const std::vector<std::string> &files, const statement::AuditOptions &options, ReportStyle style,
                   const Output &output);

} // namespace tallyfin
