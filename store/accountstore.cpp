#include "accountstore.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <set>

#include "rowtable.h"
#include "sqlite.h"
#include "storefile.h"

namespace tallyfin::store {

namespace {

using statement::Statement;

std::string nowText()
{
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

struct Key {
    std::string kind, value; // kind "fund" or "holder"
    auto operator<=>(const Key &) const = default;
};

// The accounts the rows name: 资金帐号 where they carry one, 股东代码 as well.
std::set<Key> keysOf(const Statement &read)
{
    std::set<Key> keys;
    for (const statement::Row &row : read.rows) {
        if (!row.fundAccount().empty())
            keys.insert({"fund", std::string(row.fundAccount())});
        if (!row.account().empty())
            keys.insert({"holder", std::string(row.account())});
    }
    return keys;
}

// A new account is named by what its rows carry: the fund account, else the
// holder accounts.
std::string nameFromKeys(const std::set<Key> &keys)
{
    std::string name;
    for (const std::string kind : {"fund", "holder"}) {
        for (const Key &key : keys)
            if (key.kind == kind)
                name += (name.empty() ? "" : " ") + key.value;
        if (!name.empty())
            return name;
    }
    return name;
}

constexpr std::string_view kDefaultAccountName = "default";

} // namespace

StoreFailure::StoreFailure(StoreError error) : std::runtime_error(EnglishText(error)), m_error(std::move(error)) {}

std::filesystem::path DefaultStorePath()
{
    std::filesystem::path base;
    if (const char *data = std::getenv("XDG_DATA_HOME"); data && *data && std::filesystem::path(data).is_absolute())
        base = data;
    else if (const char *home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".local" / "share";
    return base / "tallyfin" / "accounts.sqlite";
}

AccountStore::AccountStore(const std::filesystem::path &path) : m_path(path), m_db(OpenStoreFile(path)) {}

AccountStore::~AccountStore() = default;

std::vector<AccountSummary> AccountStore::accounts()
{
    return Guarded(m_path, [&] {
        std::vector<AccountSummary> found;
        Query query(*m_db, "SELECT id, name, (SELECT count(*) FROM statement WHERE account = account.id) "
                           "FROM account ORDER BY id");
        while (query.step())
            found.push_back({query.integer(0), std::string(query.text(1)), {}, {}, static_cast<int>(query.integer(2))});
        Query keys(*m_db, "SELECT kind, value FROM account_key WHERE account = ? ORDER BY kind, value");
        for (AccountSummary &account : found) {
            keys.bind(1, account.id);
            while (keys.step())
                (keys.text(0) == "fund" ? account.fundAccounts : account.holderAccounts).emplace_back(keys.text(1));
            keys.reset();
        }
        return found;
    });
}

AccountSummary AccountStore::account(const std::optional<std::string> &choice)
{
    const std::vector<AccountSummary> all = accounts();
    if (!choice) {
        if (all.size() == 1)
            return all.front();
        std::string names;
        for (const AccountSummary &account : all)
            names += (names.empty() ? "" : ", ") + account.name;
        throw StoreFailure({all.empty() ? StoreProblem::NoAccount : StoreProblem::ChooseAccount, m_path.string(), names});
    }
    for (const AccountSummary &account : all)
        if (account.name == *choice || std::to_string(account.id) == *choice)
            return account;
    throw StoreFailure({StoreProblem::UnknownAccount, m_path.string(), *choice});
}

namespace {

// Which stored accounts hold any of the keys.
std::set<std::int64_t> accountsHolding(Connection &db, const std::set<Key> &keys)
{
    std::set<std::int64_t> holders;
    Query query(db, "SELECT account FROM account_key WHERE kind = ? AND value = ?");
    for (const Key &key : keys) {
        query.bind(1, key.kind).bind(2, key.value);
        while (query.step())
            holders.insert(query.integer(0));
        query.reset();
    }
    return holders;
}

std::optional<std::int64_t> accountNamed(Connection &db, const std::string &name)
{
    Query query(db, "SELECT id FROM account WHERE name = ? OR CAST(id AS TEXT) = ?");
    query.bind(1, name).bind(2, name);
    return query.step() ? std::optional(query.integer(0)) : std::nullopt;
}

std::string nameOf(Connection &db, std::int64_t account)
{
    Query query(db, "SELECT name FROM account WHERE id = ?");
    query.bind(1, account);
    return query.step() ? std::string(query.text(0)) : std::string();
}

std::int64_t makeAccount(Connection &db, const std::string &name)
{
    Query insert(db, "INSERT INTO account(name, created) VALUES (?, ?)");
    insert.bind(1, name).bind(2, nowText()).run();
    return db.lastInsertId();
}

std::string namesOf(Connection &db, const std::set<std::int64_t> &accounts)
{
    std::string names;
    for (const std::int64_t account : accounts)
        names += (names.empty() ? "" : ", ") + nameOf(db, account);
    return names;
}

// The account a statement goes to (see AccountStore::import).
std::int64_t resolveAccount(Connection &db, const std::filesystem::path &path, const std::set<Key> &keys,
                            const std::optional<std::string> &choice)
{
    const std::set<std::int64_t> holders = accountsHolding(db, keys);
    if (holders.size() > 1)
        throw StoreFailure({StoreProblem::SpansAccounts, path.string(), namesOf(db, holders)});
    if (choice) {
        const std::optional<std::int64_t> chosen = accountNamed(db, *choice);
        if (!holders.empty() && holders != std::set{chosen.value_or(-1)})
            throw StoreFailure({StoreProblem::OtherAccount, path.string(), nameOf(db, *holders.begin())});
        return chosen ? *chosen : makeAccount(db, *choice);
    }
    if (!holders.empty())
        return *holders.begin();
    if (!keys.empty()) {
        const std::string name = nameFromKeys(keys);
        const std::optional<std::int64_t> named = accountNamed(db, name);
        return named ? *named : makeAccount(db, name);
    }
    Query all(db, "SELECT id, name FROM account ORDER BY id");
    std::vector<std::pair<std::int64_t, std::string>> accounts;
    while (all.step())
        accounts.emplace_back(all.integer(0), all.text(1));
    if (accounts.empty())
        return makeAccount(db, std::string(kDefaultAccountName));
    if (accounts.size() == 1)
        return accounts.front().first;
    std::string names;
    for (const auto &[id, name] : accounts)
        names += (names.empty() ? "" : ", ") + name;
    throw StoreFailure({StoreProblem::ChooseAccount, path.string(), names});
}

void addKeys(Connection &db, std::int64_t account, const std::set<Key> &keys)
{
    Query insert(db, "INSERT OR IGNORE INTO account_key(kind, value, account) VALUES (?, ?, ?)");
    for (const Key &key : keys)
        insert.bind(1, key.kind).bind(2, key.value).bind(3, account).run();
}

std::optional<StatementRecord> statementWithHash(Connection &db, std::int64_t account, const std::string &sha256)
{
    Query query(db, "SELECT id FROM statement WHERE account = ? AND sha256 = ?");
    query.bind(1, account).bind(2, sha256);
    if (!query.step())
        return std::nullopt;
    return StatementById(db, query.integer(0));
}

} // namespace

ImportOutcome AccountStore::import(const std::string &file, const Fingerprint &fingerprint, const Statement &read,
                                   const std::optional<std::string> &accountChoice)
{
    return Guarded(m_path, [&] {
        Transaction change(*m_db);
        const std::set<Key> keys = keysOf(read);
        const std::int64_t account = resolveAccount(*m_db, m_path, keys, accountChoice);
        ImportOutcome outcome;
        outcome.accountName = nameOf(*m_db, account);
        if (std::optional<StatementRecord> known = statementWithHash(*m_db, account, fingerprint.sha256)) {
            outcome.statement = std::move(*known);
            outcome.alreadyImported = true;
            return outcome;
        }
        // What the statement adds is what the account's merge takes from it.
        const std::vector<Statement> held = LoadStatements(*m_db, account);
        std::vector<statement::MergeSource> sources;
        for (const Statement &each : held)
            sources.push_back({0, &each});
        sources.push_back({1, &read});
        const statement::SourceTally tally = held.empty() ? statement::TallyOfFirst(read)
                                                          : statement::MergeStatements(sources).tallies.back();
        outcome.statement = InsertStatement(*m_db, account, file, fingerprint, read, tally, nowText());
        addKeys(*m_db, account, keys);
        change.commit();
        return outcome;
    });
}

std::vector<StatementRecord> AccountStore::statements(std::int64_t account)
{
    return Guarded(m_path, [&] { return StatementsOf(*m_db, account); });
}

StatementRecord AccountStore::removeStatement(std::int64_t id)
{
    return Guarded(m_path, [&] {
        Transaction change(*m_db);
        std::optional<StatementRecord> record = StatementById(*m_db, id);
        if (!record)
            throw StoreFailure({StoreProblem::UnknownStatement, m_path.string(), {}, 0, id});
        Query remove(*m_db, "DELETE FROM statement WHERE id = ?");
        remove.bind(1, id).run();
        change.commit();
        return std::move(*record);
    });
}

std::vector<Statement> AccountStore::contents(std::int64_t account)
{
    return Guarded(m_path, [&] { return LoadStatements(*m_db, account); });
}

statement::MergedStatement AccountStore::merged(std::int64_t account)
{
    return Guarded(m_path, [&] {
        const std::vector<StatementRecord> records = StatementsOf(*m_db, account);
        const std::vector<Statement> read = LoadStatements(*m_db, account);
        std::vector<statement::MergeSource> sources;
        for (std::size_t i = 0; i < read.size(); ++i)
            sources.push_back({static_cast<int>(records[i].id), &read[i]});
        return statement::MergeStatements(sources);
    });
}

AccountSettings AccountStore::settings(std::int64_t account)
{
    return Guarded(m_path, [&] { return SettingsOf(*m_db, account); });
}

void AccountStore::setAgreement(std::int64_t account, const std::vector<statement::UserTerms> &terms,
                                const std::array<statement::BillingOverride, statement::kGroupCount> &billing)
{
    Guarded(m_path, [&] {
        Transaction change(*m_db);
        WriteAgreement(*m_db, account, terms, billing);
        change.commit();
    });
}

void AccountStore::setOpeningCost(std::int64_t account, const std::string &code, const std::optional<Decimal> &cost)
{
    Guarded(m_path, [&] {
        Transaction change(*m_db);
        WriteOpeningCost(*m_db, account, code, cost);
        change.commit();
    });
}

} // namespace tallyfin::store
