#pragma once

#include <optional>
#include <string>
#include <vector>

#include "accountstore.h"
#include "sqlite.h"

// Statements, their rows and an account's settings written to the store's
// tables and read back; inside the caller's transaction.
namespace tallyfin::store {

StatementRecord InsertStatement(Connection &db, std::int64_t account, const std::string &file,
                                const Fingerprint &fingerprint, const statement::Statement &read,
                                const statement::SourceTally &tally, const std::string &imported);

std::optional<StatementRecord> StatementById(Connection &db, std::int64_t id);
std::vector<StatementRecord> StatementsOf(Connection &db, std::int64_t account);

// Every statement of the account as read, in import order (the order of
// StatementsOf). Throws StoreFailure (Damaged) for a row that cannot be what
// this program wrote.
std::vector<statement::Statement> LoadStatements(Connection &db, std::int64_t account);

AccountSettings SettingsOf(Connection &db, std::int64_t account);
void WriteAgreement(Connection &db, std::int64_t account, const std::vector<statement::UserTerms> &terms,
                    const std::array<statement::BillingOverride, statement::kGroupCount> &billing);
void WriteOpeningCost(Connection &db, std::int64_t account, const std::string &code, const std::optional<Decimal> &cost);

} // namespace tallyfin::store
