#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "accountstore.h"
#include "audit.h"
#include "balances.h"
#include "dividendtax.h"
#include "holdings.h"
#include "merge.h"

class QThread;

namespace tallyfin {

// A statement read without being kept (the store could not be opened): the
// window keeps these and hands them back with every request.
struct UnstoredStatement {
    std::string file; // as the user named it
    std::shared_ptr<const statement::Statement> statement;
};

// What the window asks of the account: files to add, a statement to forget,
// terms or an opening cost to keep; then the whole account audited again.
struct AccountRequest {
    enum class Terms : std::uint8_t {
        Kept,         // the account's kept terms (with no store: `options.terms` as given)
        Given,        // `options.terms` and `options.billing`, for this audit only
        GivenAndKept, // the same, kept in the account for its later audits
    };
    std::optional<std::filesystem::path> store; // nullopt: nothing is kept, `unstored` is the account
    std::optional<std::int64_t> account;        // the account shown; nullopt: the store's first
    std::vector<std::string> files;             // paths as the file system names them; a folder gives its statements
    std::optional<std::int64_t> remove;         // a statement's number as the list shows it
    std::optional<std::pair<std::string, std::optional<Decimal>>> openingCost; // by code; nullopt forgets it
    statement::AuditOptions options;
    Terms terms = Terms::Kept;
    std::vector<UnstoredStatement> unstored;
    std::map<std::string, Decimal> openingCosts; // with no store: the opening costs the user typed

};

// One statement as the window lists it: what it adds to the account as it stands.
struct ListedStatement {
    std::int64_t id = 0;
    std::string file;
    int rowsAdded = 0, rowsKnown = 0;
    std::optional<TradeDate> from, to;
};

// A file that could not be added, and why.
struct FileProblem {
    std::string file;
    Text reason;
};

// The account as the window shows it, worked out off the GUI thread.
struct AccountShown {
    std::optional<store::StoreError> storeError; // the store could not be opened: nothing was kept
    std::vector<store::AccountSummary> accounts;
    std::optional<std::int64_t> account;
    std::vector<ListedStatement> statements;
    std::vector<UnstoredStatement> unstored;
    std::vector<FileProblem> problems;
    int filesAdded = 0; // files read and added by this request (an import of a file known adds it again)
    std::shared_ptr<const statement::MergedStatement> merged; // null while the account holds no statement
    std::shared_ptr<const statement::Audit> audit;
    std::shared_ptr<const statement::StatementPositions> positions;
    std::shared_ptr<const statement::BalanceCheck> balances;
    std::shared_ptr<const statement::DividendTaxCheck> dividendTax;
    std::vector<statement::UserTerms> terms;
    std::array<statement::BillingOverride, statement::kGroupCount> billing{};
    std::map<std::string, Decimal> openingCosts;
};

// The account's work off the GUI thread: files read and added, the store
// changed, the account merged and audited. One result counts: a new request
// makes every earlier one stale (it is cancelled, and whatever it still
// delivers is dropped; a change it already made to the store stays). Signals
// arrive on the thread the job object lives in; destroying it cancels and
// waits for its threads.
class StatementAuditJob : public QObject {
    Q_OBJECT

public:
    explicit StatementAuditJob(QObject *parent = nullptr);
    ~StatementAuditJob() override;

    void start(AccountRequest request);
    // Makes the job stale: it stops soon and signals nothing more.
    void cancel();
    bool running() const { return !m_threads.empty(); }

Q_SIGNALS:
    // The share of the work done, in thousandths.
    void progressed(int thousandths);
    void shown(std::shared_ptr<const tallyfin::AccountShown> account);
    // The work stopped on an error (the store failed midway, the audit
    // could not be made): why, in the language shown.
    void failed(const QString &reason);

private:
    struct Run;
    // On the job's thread: the files read, the store or the statements kept
    // by the window changed, the account worked out.
    static void work(Run &run, const statement::Progress &report);
    static void workOnStore(store::AccountStore &store, Run &run,
                            std::vector<std::pair<std::string, statement::Statement>> &read);
    static void workUnstored(Run &run, std::vector<std::pair<std::string, statement::Statement>> &read);
    void deliver(const std::shared_ptr<Run> &run);

    std::shared_ptr<Run> m_current;
    std::vector<QThread *> m_threads;
};

} // namespace tallyfin
