// The account store: rows come back exactly as read; an import adds what the
// account lacks; the store is private; files that are not ours are left
// untouched; a newer store is refused; two processes wait for each other; an
// import killed at random points leaves whole imports only.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "accountstore.h"
#include "rowcodec.h"
#include "statement_support.h"

namespace tallyfin::store {
namespace {

using statement::ReadStatementBytes;
using statement::ScratchDirectory;
using statement::Statement;

Statement sampleStatement(const samples::Layout &layout, std::size_t rows, std::uint32_t seed)
{
    return ReadStatementBytes(samples::TextStatement(
        samples::LayoutCells(layout, samples::SampleRows(rows, seed, layout.mix)), '\t', statement::TextEncoding::Gb18030));
}

Statement sampleStatement(std::size_t layout, std::size_t rows, std::uint32_t seed)
{
    return sampleStatement(samples::SampleLayouts()[layout], rows, seed);
}

// Rows that name no account, so that each import goes where it is told.
Statement anonymousStatement(std::size_t rows, std::uint32_t seed)
{
    samples::Layout layout = samples::SampleLayouts()[6];
    std::erase_if(layout.columns, [](const samples::LayoutColumn &column) {
        return column.field == samples::Field::Account || column.field == samples::Field::FundAccount;
    });
    return sampleStatement(layout, rows, seed);
}

Fingerprint fingerprintOf(const std::string &name) { return {name.size(), std::string(64 - name.size(), '0') + name}; }

bool sameContent(const statement::Row &a, const statement::Row &b)
{
    const statement::RowContent x = statement::RowCodec::contentOf(a), y = statement::RowCodec::contentOf(b);
    if (x.line != y.line || x.kind != y.kind || x.date != y.date || x.stockConnect != y.stockConnect ||
        x.textRepaired != y.textRepaired || x.texts != y.texts)
        return false;
    for (int field = 0; field < statement::kNumberFieldCount; ++field) {
        const auto &m = x.numbers[static_cast<std::size_t>(field)], &n = y.numbers[static_cast<std::size_t>(field)];
        if (m.has_value() != n.has_value() || (m && (m->units != n->units || m->scale != n->scale)))
            return false;
    }
    return true;
}

std::string bytesOf(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(AccountStoreTest, KeepsEveryLayoutsRowsExactly)
{
    const ScratchDirectory directory;
    for (std::size_t layout = 0; layout < samples::SampleLayouts().size(); ++layout) {
        AccountStore store(directory.path() / ("layout" + std::to_string(layout) + ".sqlite"));
        Statement read = sampleStatement(layout, 300, static_cast<std::uint32_t>(layout + 40));
        read.unreadable.push_back({7, statement::RowProblem::BadNumber, "成交金额", "abc"});
        const std::string name = "layout" + std::to_string(layout);
        const ImportOutcome done = store.import(name + ".tsv", fingerprintOf(name), read, std::nullopt);
        EXPECT_EQ(done.statement.rows, static_cast<int>(read.rows.size()));
        const std::vector<Statement> kept = store.contents(done.statement.account);
        ASSERT_EQ(kept.size(), 1u);
        const Statement &back = kept.front();
        EXPECT_EQ(back.format.kind, read.format.kind);
        EXPECT_EQ(back.format.encoding, read.format.encoding);
        EXPECT_EQ(back.format.separator, read.format.separator);
        EXPECT_EQ(back.format.headerLine, read.format.headerLine);
        ASSERT_EQ(back.columns.size(), read.columns.size());
        for (std::size_t i = 0; i < read.columns.size(); ++i)
            EXPECT_EQ(back.columns[i].role, read.columns[i].role) << read.columns[i].name;
        ASSERT_EQ(back.rows.size(), read.rows.size());
        for (std::size_t i = 0; i < read.rows.size(); ++i)
            ASSERT_TRUE(sameContent(back.rows[i], read.rows[i])) << samples::SampleLayouts()[layout].name << " row " << i;
        ASSERT_EQ(back.unreadable.size(), 1u);
        EXPECT_EQ(back.unreadable.front().cell, "abc");
    }
}

TEST(AccountStoreTest, AnImportAddsWhatTheAccountLacks)
{
    const ScratchDirectory directory;
    AccountStore store(directory.path() / "accounts.sqlite");
    const Statement whole = sampleStatement(6, 400, 3);
    Statement firstHalf = whole, secondHalf = whole;
    firstHalf.rows.resize(250);
    secondHalf.rows.erase(secondHalf.rows.begin(), secondHalf.rows.begin() + 150);

    const ImportOutcome first = store.import("a.tsv", fingerprintOf("a"), firstHalf, std::nullopt);
    EXPECT_EQ(first.accountName, samples::kSampleFundAccount); // named by the rows' 资金帐号
    EXPECT_EQ(first.statement.rowsAdded, 250);
    const ImportOutcome second = store.import("b.tsv", fingerprintOf("b"), secondHalf, std::nullopt);
    EXPECT_EQ(second.statement.account, first.statement.account);
    EXPECT_EQ(second.statement.rowsAdded, 150);
    EXPECT_EQ(second.statement.rowsKnown, 100);
    const ImportOutcome again = store.import("b copy.tsv", fingerprintOf("b"), secondHalf, std::nullopt);
    EXPECT_TRUE(again.alreadyImported);
    EXPECT_EQ(again.statement.id, second.statement.id);
    EXPECT_EQ(store.merged(first.statement.account).statement.rows.size(), whole.rows.size());

    store.removeStatement(first.statement.id);
    EXPECT_EQ(store.merged(first.statement.account).statement.rows.size(), 250u);
    EXPECT_THROW(store.removeStatement(first.statement.id), StoreFailure);
}

// Which account a statement goes to.
struct AccountCase {
    const char *name;
    std::vector<std::pair<std::string, std::optional<std::string>>> imports; // (file's holder account, --account)
    std::optional<StoreProblem> lastRefused;                                 // the last import's refusal
    std::size_t accounts;                                                    // accounts after them
};

void PrintTo(const AccountCase &c, std::ostream *out) { *out << c.name; }

class AccountChoiceTest : public testing::TestWithParam<AccountCase> {};

TEST_P(AccountChoiceTest, FollowsTheRowsOrTheUser)
{
    const AccountCase &c = GetParam();
    const ScratchDirectory directory;
    AccountStore store(directory.path() / "accounts.sqlite");
    for (std::size_t i = 0; i < c.imports.size(); ++i) {
        const auto &[holder, choice] = c.imports[i];
        const Statement read = ReadStatementBytes("成交日期,证券代码,操作,成交数量,成交价格,股东代码\n2024030" +
                                                  std::to_string(i + 1) + ",600000,证券买入,100,10.00," + holder + "\n");
        const auto run = [&] { store.import("f" + std::to_string(i), fingerprintOf(std::to_string(i)), read, choice); };
        if (i + 1 == c.imports.size() && c.lastRefused) {
            try {
                run();
                ADD_FAILURE() << "not refused";
            } catch (const StoreFailure &failure) {
                EXPECT_EQ(failure.error().problem, *c.lastRefused) << failure.what();
            }
        } else {
            run();
        }
    }
    EXPECT_EQ(store.accounts().size(), c.accounts);
}

INSTANTIATE_TEST_SUITE_P(
    Imports, AccountChoiceTest,
    testing::Values(AccountCase{"SameHolderJoins", {{"A1", {}}, {"A1", {}}}, {}, 1},
                    AccountCase{"OtherHolderIsAnotherAccount", {{"A1", {}}, {"A2", {}}}, {}, 2},
                    AccountCase{"NoHolderJoinsTheOnlyAccount", {{"A1", {}}, {"", {}}}, {}, 1},
                    AccountCase{"NoHolderAmongSeveralIsRefused", {{"A1", {}}, {"A2", {}}, {"", {}}},
                                StoreProblem::ChooseAccount, 2},
                    AccountCase{"NoHolderGoesWhereChosen", {{"A1", {}}, {"A2", {}}, {"", "A2"}}, {}, 2},
                    AccountCase{"ChoiceMakesAnAccount", {{"", "mine"}, {"", "wife's"}}, {}, 2},
                    AccountCase{"HolderOfAnotherAccountIsRefused", {{"A1", "mine"}, {"A1", "wife's"}},
                                StoreProblem::OtherAccount, 1}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(AccountStoreTest, IsMadePrivateInTheDataFolder)
{
    const ScratchDirectory directory;
    setenv("XDG_DATA_HOME", directory.path().c_str(), 1);
    const std::filesystem::path path = DefaultStorePath();
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(path, directory.path() / "tallyfin" / "accounts.sqlite");
    AccountStore store(path);
    struct stat info;
    ASSERT_EQ(stat(path.parent_path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

// Files the store is given that it must leave exactly as they were.
struct RefusedCase {
    const char *name;
    StoreProblem problem;
    void (*make)(const std::filesystem::path &path);
};

void sqlite(const std::filesystem::path &path, const char *sql)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

void storeWithRows(const std::filesystem::path &path)
{
    AccountStore store(path);
    store.import("a.tsv", fingerprintOf("a"), sampleStatement(6, 3000, 9), std::nullopt);
}

void PrintTo(const RefusedCase &c, std::ostream *out) { *out << c.name; }

class RefusedStoreTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedStoreTest, IsReportedAndLeftUntouched)
{
    const ScratchDirectory directory;
    const std::filesystem::path path = directory.path() / "accounts.sqlite";
    GetParam().make(path);
    const std::string before = bytesOf(path);
    try {
        AccountStore store(path);
        for (const AccountSummary &account : store.accounts())
            store.merged(account.id);
        ADD_FAILURE() << "not refused";
    } catch (const StoreFailure &failure) {
        EXPECT_EQ(failure.error().problem, GetParam().problem) << failure.what();
        EXPECT_NE(std::string(failure.what()).find(path.string()), std::string::npos) << failure.what();
    }
    EXPECT_EQ(bytesOf(path), before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedStoreTest,
    testing::Values(
        RefusedCase{"Text", StoreProblem::NotADatabase,
                    [](const std::filesystem::path &path) { std::ofstream(path) << "成交日期,证券代码\n"; }},
        RefusedCase{"OtherProgramsDatabase", StoreProblem::Foreign,
                    [](const std::filesystem::path &path) { sqlite(path, "CREATE TABLE notes(text)"); }},
        RefusedCase{"MarkedByOtherProgram", StoreProblem::Foreign,
                    [](const std::filesystem::path &path) { sqlite(path, "PRAGMA application_id = 42; CREATE TABLE t(x)"); }},
        RefusedCase{"Newer", StoreProblem::Newer,
                    [](const std::filesystem::path &path) {
                        AccountStore{path};
                        sqlite(path, "PRAGMA user_version = 99");
                    }},
        RefusedCase{"Damaged", StoreProblem::Damaged,
                    [](const std::filesystem::path &path) {
                        storeWithRows(path);
                        // The second half of the file overwritten: pages of rows among them,
                        // whatever the layout of its tables.
                        const std::uintmax_t size = std::filesystem::file_size(path);
                        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
                        file.seekp(static_cast<std::streamoff>(size / 2));
                        file << std::string(size - size / 2, '\x55');
                    }}),
    [](const auto &test) { return std::string(test.param.name); });

// A child process imports while this one holds the store; it waits.
TEST(AccountStoreTest, TwoProcessesWaitForEachOther)
{
    const ScratchDirectory directory;
    const std::filesystem::path path = directory.path() / "accounts.sqlite";
    AccountStore{path};
    const Statement read = sampleStatement(6, 200, 4);
    constexpr auto kChildStarts = std::chrono::milliseconds(200), kHeld = std::chrono::milliseconds(800);
    const auto start = std::chrono::steady_clock::now();
    // Forked before this process opens the file: SQLite's locks must not cross a fork.
    const pid_t child = fork();
    if (child == 0) {
        std::this_thread::sleep_for(kChildStarts);
        try {
            AccountStore(path).import("a.tsv", fingerprintOf("a"), read, std::nullopt);
            _exit(0);
        } catch (...) {
            _exit(1);
        }
    }
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::this_thread::sleep_for(kHeld);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, kHeld);
    EXPECT_EQ(AccountStore(path).accounts().size(), 1u);
}

std::int64_t count(const std::filesystem::path &path, const char *sql)
{
    sqlite3 *db = nullptr;
    sqlite3_stmt *query = nullptr;
    std::int64_t value = -1;
    if (sqlite3_open(path.c_str(), &db) == SQLITE_OK && sqlite3_prepare_v2(db, sql, -1, &query, nullptr) == SQLITE_OK &&
        sqlite3_step(query) == SQLITE_ROW)
        value = sqlite3_column_int64(query, 0);
    sqlite3_finalize(query);
    sqlite3_close(db);
    return value;
}

// Killed anywhere in an import, the store opens and holds whole statements only.
TEST(AccountStoreTest, AnImportKilledMidwayLeavesWholeImportsOnly)
{
    const ScratchDirectory directory;
    const std::filesystem::path path = directory.path() / "accounts.sqlite";
    const Statement read = anonymousStatement(4000, 100);
    const auto importOne = [&](int run) {
        AccountStore(path).import("run.tsv", fingerprintOf(std::to_string(run)), read, "run " + std::to_string(run));
    };
    const auto start = std::chrono::steady_clock::now();
    importOne(-1);
    const auto took = std::chrono::steady_clock::now() - start;
    std::mt19937 random(50);
    int whole = 1;
    for (int run = 0; run < 50; ++run) {
        const pid_t child = fork();
        if (child == 0) {
            importOne(run);
            _exit(0);
        }
        std::this_thread::sleep_for(
            std::chrono::duration_cast<std::chrono::microseconds>(took * std::uniform_real_distribution<>(0, 1.3)(random)));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        AccountStore store(path);
        const std::vector<AccountSummary> accounts = store.accounts();
        ASSERT_TRUE(accounts.size() == static_cast<std::size_t>(whole) || accounts.size() == static_cast<std::size_t>(whole) + 1);
        whole = static_cast<int>(accounts.size());
        ASSERT_EQ(count(path, "SELECT count(*) FROM statement s WHERE rows != "
                              "(SELECT count(*) FROM statement_row r WHERE r.statement = s.id)"), 0);
        ASSERT_EQ(count(path, "SELECT count(*) FROM statement"), whole);
        ASSERT_EQ(count(path, "SELECT count(*) FROM statement_row"), whole * static_cast<std::int64_t>(read.rows.size()));
    }
    EXPECT_GT(whole, 1);  // some imports ended before their kill …
    EXPECT_LT(whole, 51); // … and some were killed
    EXPECT_EQ(count(path, "SELECT count(*) FROM pragma_integrity_check WHERE integrity_check != 'ok'"), 0);
}

} // namespace
} // namespace tallyfin::store
