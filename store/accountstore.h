#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "audit.h"
#include "decimal.h"
#include "merge.h"
#include "statement.h"
#include "text.h"

// The account store: one SQLite file per user that keeps every statement
// imported (its rows as read, so that nothing needs the file again), the
// accounts they belong to, the user's agreement overrides and the costs of
// opening holdings the user typed. Qt-free; the command line and the window
// share it.
//
//   AccountStore store(DefaultStorePath());          // made on first use: folder 0700, file 0600
//   const Statement read = ReadStatementFile(path);
//   const ImportOutcome done = store.import(path.filename().string(), FingerprintOf(path), read, std::nullopt);
//   const MergedStatement account = store.merged(done.account);  // every statement of it, merged
//
// Every change is one transaction: an import killed midway leaves the store
// as it was. Two processes wait for each other. A file that is no database,
// a damaged one, another program's, or one of a newer Tallyfin is refused and
// never written to.
namespace tallyfin::store {

// Bumped with every change to the schema; each step to it is a migration.
inline constexpr int kSchemaVersion = 1;
// How long a change waits for another Tallyfin process's change.
inline constexpr int kBusyWaitMilliseconds = 30'000;

// $XDG_DATA_HOME/tallyfin/accounts.sqlite, or ~/.local/share/tallyfin/accounts.sqlite
// where XDG_DATA_HOME is unset, empty or not absolute.
std::filesystem::path DefaultStorePath();

enum class StoreProblem : std::uint8_t {
    CannotCreate,     // the folder or the file could not be made (systemError)
    CannotOpen,       // the file is there but cannot be opened (detail)
    NotADatabase,     // the file is no SQLite database
    Foreign,          // a database of another program
    Damaged,          // SQLite finds the file damaged (detail)
    Newer,            // made by a newer Tallyfin (version)
    Busy,             // another process held it longer than kBusyWaitMilliseconds
    Failed,           // any other failure SQLite reports (detail)
    NoAccount,        // the store holds no account (yet)
    UnknownAccount,   // the account chosen is none of the store's (detail: the choice)
    ChooseAccount,    // the store holds several accounts and nothing says which (detail: their names)
    SpansAccounts,    // the rows name accounts that two stored accounts hold (detail: their names)
    OtherAccount,     // the rows name an account the store keeps under another name (detail: that name)
    UnknownStatement, // no statement has that number (version: the number)
};

struct StoreError {
    StoreProblem problem = StoreProblem::Failed;
    std::string path;   // the store's file
    std::string detail; // SQLite's words, names …
    int systemError = 0;
    std::int64_t version = 0; // Newer: the schema version found; UnknownStatement: the number asked for
};

// What every failure of the store throws.
class StoreFailure : public std::runtime_error {
public:
    explicit StoreFailure(StoreError error);
    const StoreError &error() const { return m_error; }

private:
    StoreError m_error;
};

//   EnglishText({Newer, "/home/u/.local/share/tallyfin/accounts.sqlite", "", 0, 3})
//     -> "/home/u/…/accounts.sqlite was written by a newer Tallyfin (store version 3; this one knows up to 1); it is left as it is"
std::string EnglishText(const StoreError &error);
// The same in Chinese, in parts for a window to translate (context "AccountStore").
Text StoreErrorText(const StoreError &error);

// A file's size and SHA-256, read in one pass. Throws StoreFailure
// (CannotOpen) when the file cannot be read.
struct Fingerprint {
    std::uint64_t size = 0;
    std::string sha256; // 64 lower-case hex digits
};
Fingerprint FingerprintOf(const std::filesystem::path &file);

struct AccountSummary {
    std::int64_t id = 0;
    std::string name;
    std::vector<std::string> fundAccounts, holderAccounts; // 资金帐号 and 股东代码 its rows carry
    int statements = 0;
};

struct StatementRecord {
    std::int64_t id = 0, account = 0;
    std::string file; // the name it was imported under
    Fingerprint fingerprint;
    statement::Format format;
    std::string imported; // when, ISO 8601 in UTC: "2026-12-09T10:11:12Z"
    int rows = 0;      // rows read, trades and others
    int rowsAdded = 0; // of them, rows the account did not have yet when it was imported
    int rowsKnown = 0; // rows an earlier statement had already
    std::optional<TradeDate> from, to;
};

struct ImportOutcome {
    StatementRecord statement;
    std::string accountName;
    bool alreadyImported = false; // the same file (by SHA-256) was imported before: nothing was added
};

// The agreement's terms and billing and the opening costs the user gave for an account.
struct AccountSettings {
    std::vector<statement::UserTerms> terms;
    std::array<statement::BillingOverride, statement::kGroupCount> billing{}; // by InstrumentGroup
    std::map<std::string, Decimal> openingCosts; // by code: what the opening shares cost in all, fees included
};

class AccountStore {
public:
    // Opens the store at `path`, making it (and its folder) when there is
    // none; brings an older store up to kSchemaVersion.
    explicit AccountStore(const std::filesystem::path &path);
    ~AccountStore();
    AccountStore(const AccountStore &) = delete;
    AccountStore &operator=(const AccountStore &) = delete;

    const std::filesystem::path &path() const { return m_path; }

    std::vector<AccountSummary> accounts();
    // The account a command means: by its name or number, or the only one
    // there is when `choice` is empty.
    AccountSummary account(const std::optional<std::string> &choice);

    // Keeps `read` (a statement read without failure) as a statement of the
    // account its rows name (资金帐号, 股东代码), of `accountChoice` (made when
    // new), or of the only account; a new account when its rows name one not
    // yet seen. One transaction.
    ImportOutcome import(const std::string &file, const Fingerprint &fingerprint, const statement::Statement &read,
                         const std::optional<std::string> &accountChoice);

    // The account's statements, in the order they were imported.
    std::vector<StatementRecord> statements(std::int64_t account);
    // Forgets a statement and its rows; the record it had.
    StatementRecord removeStatement(std::int64_t id);

    // Every statement of the account as it was read, in import order, and
    // the records they come with.
    std::vector<statement::Statement> contents(std::int64_t account);
    // The account's statements merged (the sources' ids are the statements' numbers).
    statement::MergedStatement merged(std::int64_t account);

    AccountSettings settings(std::int64_t account);
    // Replaces the terms and billing the user set (none: all inferred again).
    void setAgreement(std::int64_t account, const std::vector<statement::UserTerms> &terms,
                      const std::array<statement::BillingOverride, statement::kGroupCount> &billing);
    // Sets (or, with nullopt, forgets) what the opening shares of `code` cost in all.
    void setOpeningCost(std::int64_t account, const std::string &code, const std::optional<Decimal> &cost);

private:
    std::filesystem::path m_path;
    std::unique_ptr<class Connection> m_db;
};

} // namespace tallyfin::store
