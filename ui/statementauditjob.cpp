#include "statementauditjob.h"

#include <QPointer>
#include <QThread>

#include <algorithm>
#include <cctype>
#include <exception>
#include <system_error>

#include "messages.h"
#include "translatedtext.h"

namespace tallyfin {

using statement::Audit;
using statement::AuditOptions;
using statement::MergedStatement;
using statement::Statement;

namespace {

// Reading the files is most of the work; merging and auditing the account the rest.
constexpr double kReadShare = 0.6;

// The endings a folder's statements have: a folder dropped also holds other
// files, which are no statements and would only be reported as unreadable.
bool looksLikeStatement(const std::filesystem::path &file)
{
    std::string ending = file.extension().string();
    std::transform(ending.begin(), ending.end(), ending.begin(), [](unsigned char c) { return std::tolower(c); });
    return ending == ".xls" || ending == ".xlsx" || ending == ".csv" || ending == ".txt" || ending == ".tsv";
}

// The files given, a folder as the statements in it (by name).
std::vector<std::string> filesOf(const std::vector<std::string> &given)
{
    std::vector<std::string> files;
    for (const std::string &path : given) {
        std::error_code error;
        if (!std::filesystem::is_directory(path, error)) {
            files.push_back(path);
            continue;
        }
        std::vector<std::string> inside;
        for (const auto &entry : std::filesystem::directory_iterator(path, error))
            if (entry.is_regular_file(error) && looksLikeStatement(entry.path()))
                inside.push_back(entry.path().string());
        std::sort(inside.begin(), inside.end());
        files.insert(files.end(), inside.begin(), inside.end());
    }
    return files;
}

// Into the account its rows name, else the one shown when the store cannot tell.
store::ImportOutcome importInto(store::AccountStore &store, const std::string &path, const Statement &read,
                                const std::optional<std::int64_t> &shown)
{
    const std::string name = std::filesystem::path(path).filename().string();
    const store::Fingerprint fingerprint = store::FingerprintOf(path);
    try {
        return store.import(name, fingerprint, read, std::nullopt);
    } catch (const store::StoreFailure &failure) {
        if (failure.error().problem != store::StoreProblem::ChooseAccount || !shown)
            throw;
    }
    return store.import(name, fingerprint, read, std::to_string(*shown));
}

std::vector<OpeningPosition> openingsOf(const statement::BalanceCheck &balances,
                                                   const std::map<std::string, Decimal> &costs)
{
    std::vector<OpeningPosition> openings;
    for (const statement::OpeningHolding &opening : balances.openings) {
        const auto cost = costs.find(opening.code);
        openings.push_back({opening.code, opening.name, opening.shares,
                            cost == costs.end() ? std::nullopt : std::optional(cost->second)});
    }
    return openings;
}

} // namespace

// What one job does and has, shared by its thread and the job object.
struct StatementAuditJob::Run {
    AccountRequest request;
    AccountShown shown;
    std::map<std::string, Decimal> openingCosts; // the account's, as the positions take them
    std::atomic<bool> stop = false;
    std::atomic<int> reported = -1;
    std::optional<Text> failure; // what stopped the work: a store's failure, or another error
};

void StatementAuditJob::work(Run &run, const statement::Progress &report)
{
    AccountRequest &request = run.request;
    AccountShown &shown = run.shown;
    std::optional<store::AccountStore> store;
    if (request.store) {
        try {
            store.emplace(*request.store);
        } catch (const store::StoreFailure &failure) {
            shown.storeError = failure.error();
        }
    }
    const std::vector<std::string> files = filesOf(request.files);
    std::vector<std::pair<std::string, Statement>> read;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const statement::Progress reading = [&](double fraction) {
            return report((static_cast<double>(i) + fraction) / static_cast<double>(files.size()) * kReadShare);
        };
        Statement statement = statement::ReadStatementFile(files[i], reading);
        if (run.stop)
            return;
        if (statement.failure)
            shown.problems.push_back({files[i], statement::FailureText(*statement.failure)});
        else
            read.emplace_back(files[i], std::move(statement));
    }
    shown.account = request.account;
    store ? workOnStore(*store, run, read) : workUnstored(run, read);
    if (!shown.merged || run.stop)
        return;
    const Statement &merged = shown.merged->statement;
    shown.balances = std::make_shared<const statement::BalanceCheck>(statement::CheckBalances(merged));
    shown.positions = std::make_shared<const statement::StatementPositions>(
        statement::PositionsOfStatement(merged, openingsOf(*shown.balances, run.openingCosts)));
    shown.dividendTax = std::make_shared<const statement::DividendTaxCheck>(
        statement::CheckDividendTax(merged, shown.balances->openings));
    AuditOptions options = request.options;
    options.terms = shown.terms;
    options.billing = shown.billing;
    const statement::Progress auditing = [&report](double fraction) {
        return report(kReadShare + fraction * (1 - kReadShare));
    };
    if (std::optional<Audit> made = statement::AuditStatement(merged, options, auditing))
        shown.audit = std::make_shared<const Audit>(std::move(*made));
}

void StatementAuditJob::workOnStore(store::AccountStore &store, Run &run,
                                    std::vector<std::pair<std::string, Statement>> &read)
{
    AccountRequest &request = run.request;
    AccountShown &shown = run.shown;
    for (const auto &[file, statement] : read) {
        try {
            shown.account = importInto(store, file, statement, shown.account).statement.account;
            ++shown.filesAdded;
        } catch (const store::StoreFailure &failure) {
            shown.problems.push_back({file, store::StoreErrorText(failure.error())});
        }
    }
    if (request.remove)
        store.removeStatement(*request.remove);
    shown.accounts = store.accounts();
    if (std::none_of(shown.accounts.begin(), shown.accounts.end(),
                     [&](const store::AccountSummary &each) { return shown.account == each.id; }))
        shown.account = shown.accounts.empty() ? std::nullopt : std::optional(shown.accounts.front().id);
    if (!shown.account)
        return;
    const std::int64_t account = *shown.account;
    if (request.terms == AccountRequest::Terms::GivenAndKept)
        store.setAgreement(account, request.options.terms, request.options.billing);
    if (request.openingCost)
        store.setOpeningCost(account, request.openingCost->first, request.openingCost->second);
    const store::AccountSettings settings = store.settings(account);
    const bool kept = request.terms == AccountRequest::Terms::Kept;
    shown.terms = kept ? settings.terms : request.options.terms;
    shown.billing = kept ? settings.billing : request.options.billing;
    run.openingCosts = settings.openingCosts;
    shown.openingCosts = settings.openingCosts;
    const std::vector<store::StatementRecord> records = store.statements(account);
    if (records.empty())
        return;
    auto merged = std::make_shared<MergedStatement>(store.merged(account));
    for (std::size_t i = 0; i < records.size() && i < merged->tallies.size(); ++i) {
        const statement::SourceTally &tally = merged->tallies[i];
        shown.statements.push_back({records[i].id, records[i].file, tally.rowsAdded, tally.rowsKnown, tally.from, tally.to});
    }
    shown.merged = std::move(merged);
}

void StatementAuditJob::workUnstored(Run &run, std::vector<std::pair<std::string, Statement>> &read)
{
    AccountRequest &request = run.request;
    AccountShown &shown = run.shown;
    shown.unstored = request.unstored;
    for (auto &[file, statement] : read) {
        shown.unstored.push_back({file, std::make_shared<const Statement>(std::move(statement))});
        ++shown.filesAdded;
    }
    if (request.remove && *request.remove >= 1 && *request.remove <= static_cast<std::int64_t>(shown.unstored.size()))
        shown.unstored.erase(shown.unstored.begin() + (*request.remove - 1));
    shown.terms = request.options.terms;
    shown.billing = request.options.billing;
    run.openingCosts = request.openingCosts;
    if (request.openingCost) {
        if (request.openingCost->second)
            run.openingCosts.insert_or_assign(request.openingCost->first, *request.openingCost->second);
        else
            run.openingCosts.erase(request.openingCost->first);
    }
    shown.openingCosts = run.openingCosts;
    if (shown.unstored.empty())
        return;
    std::vector<statement::MergeSource> sources;
    for (std::size_t i = 0; i < shown.unstored.size(); ++i)
        sources.push_back({static_cast<int>(i + 1), shown.unstored[i].statement.get()});
    auto merged = std::make_shared<MergedStatement>(statement::MergeStatements(sources));
    for (std::size_t i = 0; i < shown.unstored.size(); ++i) {
        const statement::SourceTally &tally = merged->tallies[i];
        shown.statements.push_back({tally.id, shown.unstored[i].file, tally.rowsAdded, tally.rowsKnown, tally.from, tally.to});
    }
    shown.merged = std::move(merged);
}

StatementAuditJob::StatementAuditJob(QObject *parent) : QObject(parent) {}

StatementAuditJob::~StatementAuditJob()
{
    cancel();
    for (QThread *thread : m_threads) {
        thread->wait();
        delete thread;
    }
}

void StatementAuditJob::cancel()
{
    if (m_current)
        m_current->stop = true;
    m_current.reset();
}

void StatementAuditJob::start(AccountRequest request)
{
    cancel();
    auto run = std::make_shared<Run>();
    run->request = std::move(request);
    m_current = run;
    QPointer<StatementAuditJob> self(this);
    // Tells the job's own thread, throttled to whole thousandths; false once stale.
    const auto report = [self, run](double fraction) {
        const int thousandths = static_cast<int>(fraction * 1000);
        if (run->reported.exchange(thousandths) != thousandths)
            QMetaObject::invokeMethod(
                self, [self, run, thousandths] {
                    if (self && self->m_current == run)
                        Q_EMIT self->progressed(thousandths);
                },
                Qt::QueuedConnection);
        return !run->stop;
    };
    QThread *thread = QThread::create([run, report] {
        // Nothing may escape a thread's function: the error goes to the window.
        try {
            work(*run, report);
        } catch (const store::StoreFailure &failure) {
            run->failure = store::StoreErrorText(failure.error());
        } catch (const std::exception &error) {
            run->failure = Text::Plain(error.what());
        }
    });
    connect(thread, &QThread::finished, this, [this, thread, run] {
        std::erase(m_threads, thread);
        thread->deleteLater();
        deliver(run);
    });
    m_threads.push_back(thread);
    thread->start();
}

void StatementAuditJob::deliver(const std::shared_ptr<Run> &run)
{
    if (m_current != run)
        return;
    m_current.reset();
    if (run->failure)
        Q_EMIT failed(translated(*run->failure));
    else
        Q_EMIT shown(std::make_shared<const AccountShown>(std::move(run->shown)));
}

} // namespace tallyfin
