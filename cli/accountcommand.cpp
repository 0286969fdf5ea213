#include <CLI/CLI.hpp>

#include <algorithm>
#include <ostream>

#include "accountoutput.h"
#include "accountstore.h"
#include "agreementoptions.h"
#include "auditoutput.h"
#include "holdings.h"
#include "positionsoutput.h"
#include "messages.h"
#include "table.h"

namespace tallyfin {

namespace {

using Json = nlohmann::ordered_json;
using namespace statement;
using store::AccountStore;
using store::AccountSummary;
using store::StatementRecord;

StatementEntry entryOf(const StatementRecord &record)
{
    return {static_cast<int>(record.id), record.file, record.rowsAdded, record.rowsKnown, record.from, record.to};
}

// The merge's own figures: what each statement adds to the account as it stands now.
std::vector<StatementEntry> entriesOf(const std::vector<StatementRecord> &records, const MergedStatement &merged)
{
    std::vector<StatementEntry> entries;
    for (std::size_t i = 0; i < records.size() && i < merged.tallies.size(); ++i) {
        const SourceTally &tally = merged.tallies[i];
        entries.push_back({tally.id, records[i].file, tally.rowsAdded, tally.rowsKnown, tally.from, tally.to});
    }
    return entries;
}

Json recordJson(const StatementRecord &record)
{
    Json entry = StatementEntryJson(entryOf(record));
    entry["rows"] = record.rows;
    entry["size"] = record.fingerprint.size;
    entry["sha256"] = record.fingerprint.sha256;
    entry["format"] = FileKindKey(record.format.kind);
    entry["imported"] = record.imported;
    return entry;
}

std::string namesText(const std::vector<std::string> &names)
{
    std::string text;
    for (const std::string &name : names)
        text += (text.empty() ? "" : " ") + name;
    return text;
}

// "account …": statements kept in an account store and checked as one history.
class AccountCommand : public Command {
public:
    CLI::App *declare(CLI::App &program) override
    {
        CLI::App *account = program.add_subcommand(
            "account", "keep statements in an account (a SQLite file) and check the whole history as one");
        account->require_subcommand(1);
        account->fallthrough();
        account->add_option("--store", m_store, "the account store (default: $XDG_DATA_HOME/tallyfin/accounts.sqlite)")
            ->type_name("PATH");
        account->add_option("--account", m_account,
                            "the account, by name or number (default: the one the rows name, or the only one)")
            ->type_name("NAME");
        declareAdd(*account);
        m_list = account->add_subcommand("list", "the accounts and their statements (rows added and known at import)");
        m_list->add_flag("--json", m_json, "print one JSON object");
        m_list->footer("JSON: {\"store\", \"accounts\": [{\"id\", \"name\", \"fundAccounts\", \"holderAccounts\", "
                       "\"statements\": [{\"id\", \"file\", \"rowsAdded\", \"rowsKnown\", \"from\", \"to\", \"rows\", "
                       "\"size\", \"sha256\", \"format\", \"imported\"}]}], \"error\"}");
        m_remove = account->add_subcommand("remove", "forget a statement and its rows");
        m_remove->add_option("statement", m_statement, "the statement's number (see account list)")->required();
        m_remove->add_flag("--json", m_json, "print one JSON object");
        m_remove->footer("JSON: {\"removed\": {the statement as account list gives it}, \"error\"}");
        m_audit = account->add_subcommand("audit", "check the whole account against the dated fee rules");
        m_agreement.declare(m_audit);
        m_audit->add_flag("--forget-terms", m_forgetTerms, "forget the terms set before; infer them from the rows");
        CLI::Option *json = m_audit->add_flag("--json", m_json, "print one JSON object");
        m_audit->add_flag("--csv", m_csv, "print the report as CSV (UTF-8 with a byte-order mark)")->excludes(json);
        m_audit->footer("Terms given here are kept in the account for its later audits, until --forget-terms.\n"
                        "JSON: the object of tallyfin-cli audit --json over every row of the account (\"file\" null, "
                        "\"account\" its name, each entry with a \"line\" also naming its \"statement\"), then "
                        "\"statements\": [{\"id\", \"file\", \"rowsAdded\", \"rowsKnown\", \"from\", \"to\"}], \"gaps\" and "
                        "\"cashNotes\" as account add gives them.");
        declarePositions(*account);
        m_dividendTax = account->add_subcommand(
            "dividend-tax", "check every 股息红利税补缴 row lot by lot, and list sales within the year of a dividend "
                            "with no tax row");
        m_dividendTax->add_flag("--json", m_json, "print one JSON object");
        m_dividendTax->footer(
            "Each day's net purchase of a security is a lot; sales take the earliest lots; a dividend's shares are "
            "those held when its row is booked (after 15:00: on its record date, else the weekday before); the rate "
            "is that of the holding period (a calendar month, a year) under the record date's regime, less what was "
            "withheld on payment.\n"
            "JSON: {\"taxRows\": [{\"line\", \"statement\", \"date\", \"code\", \"quantity\", \"charged\", \"due\", "
            "\"explained\", \"lots\": [{\"bought\", \"quantity\", \"dividendPerShare\", \"ratePercent\", \"tax\"}]}], "
            "\"missingTax\": [{\"date\", \"code\", \"quantity\", \"due\"}], \"unheldDividends\": [{\"line\", "
            "\"statement\", \"date\", \"code\", \"cash\"}], \"error\"}; money as decimal strings with two decimals, "
            "a per-share dividend with as many as it has (before what was withheld on payment), ratePercent what was "
            "still due on sale; \"due\" and \"tax\" null where a lot was bought before the history and its holding "
            "period cannot be told, \"bought\" null for such a lot.");
        return account;
    }

    int run(const Output &output) const override
    {
        try {
            AccountStore store(m_store ? std::filesystem::path(*m_store) : store::DefaultStorePath());
            if (m_add->parsed())
                return add(store, output);
            if (m_list->parsed())
                return list(store, output);
            if (m_remove->parsed())
                return remove(store, output);
            if (m_dividendTax->parsed())
                return dividendTax(store, output);
            if (m_positions->parsed())
                return positions(store, output);
            return audit(store, output);
        } catch (const store::StoreFailure &failure) {
            Ending ending;
            ending.error = failure.what();
            return Report(output, m_json ? JsonLine({{"error", *ending.error}}) : std::string(), m_json, ending);
        }
    }

private:
    void declareAdd(CLI::App &account)
    {
        m_add = account.add_subcommand("add", "import statements into the account (rows already there are not added again)");
        m_add->add_option("file", m_files, "the statements: text (GB18030, UTF-8, UTF-16), .xls or .xlsx")->required();
        m_add->add_flag("--json", m_json, "print one JSON object");
        m_add->footer(
            "Each file goes to the account its rows name (资金帐号, 股东代码), to --account, or to the only one. "
            "A row the account has is not added again; a file imported before adds nothing.\n"
            "JSON: {\"statements\": [{\"id\", \"file\", \"rowsAdded\", \"rowsKnown\", \"from\", \"to\", \"account\", "
            "\"alreadyImported\", \"error\"}], \"gaps\": [{\"after\", \"before\", \"what\", \"code\", \"shares\"}], "
            "\"cashNotes\": [{\"after\", \"before\", \"what\", \"difference\"}], \"error\"}; a gap is a security's share "
            "balance (股份余额) that does not follow from its rows before, a cash note the same of the cash balance "
            "(exports often leave out transfers). Exit status 1 when a file could not be added.");
    }

    void declarePositions(CLI::App &account)
    {
        m_positions = account.add_subcommand(
            "positions", "what each holding of the account cost, from the holdings its first balances show");
        const CLI::Validator openingCost(
            [](const std::string &text) {
                return openingCostOf(text) ? std::string() : "expected CODE=YUAN, such as 600036=12345.67 (CODE= forgets it)";
            },
            "");
        m_positions->add_option("--opening-cost", m_openingCosts,
                                "what the shares of CODE held before the account's history cost in all, fees included; "
                                "kept in the account (CODE= forgets it)")
            ->check(openingCost)
            ->type_name("CODE=YUAN");
        m_positions->add_flag("--json", m_json, "print one JSON object");
        m_positions->footer("JSON: the object of tallyfin-cli positions --json, each position also with "
                            "\"openingShares\" (\"0\" when the history starts before any holding) and \"openingCost\" "
                            "(null when unknown); a cost that depends on an unknown opening cost is null.");
    }

    // "600036=12345.67" -> {"600036", 12345.67};  "878=" -> {"000878", nullopt}
    static std::optional<std::pair<std::string, std::optional<Decimal>>> openingCostOf(const std::string &text)
    {
        const std::size_t equals = text.find('=');
        if (equals == std::string::npos || equals == 0 || equals > 6)
            return std::nullopt;
        const std::string code = text.substr(0, equals), yuan = text.substr(equals + 1);
        if (code.find_first_not_of("0123456789") != std::string::npos)
            return std::nullopt;
        const std::string padded = std::string(6 - code.size(), '0') + code;
        if (yuan.empty())
            return std::pair{padded, std::optional<Decimal>()};
        const std::optional<Decimal> cost = Decimal::fromTyped(yuan, kDecimalPoint);
        if (!cost || cost->sign() < 0)
            return std::nullopt;
        return std::pair{padded, cost};
    }

    int positions(AccountStore &store, const Output &output) const
    {
        const AccountSummary account = store.account(m_account);
        for (const std::string &given : m_openingCosts) {
            const auto [code, cost] = *openingCostOf(given);
            store.setOpeningCost(account.id, code, cost);
        }
        const MergedStatement merged = store.merged(account.id);
        const std::map<std::string, Decimal> costs = store.settings(account.id).openingCosts;
        std::vector<OpeningPosition> openings;
        for (const OpeningHolding &opening : CheckBalances(merged.statement).openings) {
            const auto cost = costs.find(opening.code);
            openings.push_back({opening.code, opening.name, opening.shares,
                                cost == costs.end() ? std::nullopt : std::optional(cost->second)});
        }
        const StatementPositions positions = PositionsOfStatement(merged.statement, openings);
        if (!m_json)
            return Report(output, PositionsTable(merged.statement, positions) + openingsText(positions), false, {});
        Json object = PositionsJson(merged.statement, positions, {});
        for (std::size_t i = 0; i < positions.report.positions.size(); ++i) {
            const PositionReport &position = positions.report.positions[i];
            object["positions"][i]["openingShares"] = position.openingShares.toString();
            object["positions"][i]["openingCost"] =
                position.openingCost ? Json(position.openingCost->toFixed(2, kDecimalPoint)) : Json(nullptr);
        }
        return Report(output, JsonLine(object), true, {});
    }

    static std::string openingsText(const StatementPositions &positions)
    {
        std::string text;
        for (const PositionReport &position : positions.report.positions) {
            if (position.openingShares.sign() == 0)
                continue;
            text += position.code + ": " + GroupedNumber(position.openingShares.toString()) +
                    " shares held before the account's history, " +
                    (position.openingCost ? "bought for " + position.openingCost->toFixed(2, kDecimalPoint)
                                          : "cost unknown (--opening-cost " + position.code + "=YUAN)") +
                    '\n';
        }
        return text;
    }

    int add(AccountStore &store, const Output &output) const
    {
        Json statements = Json::array();
        std::vector<StatementEntry> entries;
        std::vector<std::string> problems;
        std::optional<std::int64_t> account;
        for (const std::string &file : m_files) {
            const Statement read = ReadStatementFile(file);
            std::optional<std::string> error;
            if (read.failure) {
                error = file + ": " + EnglishText(*read.failure);
            } else {
                const store::ImportOutcome done =
                    store.import(std::filesystem::path(file).filename().string(), store::FingerprintOf(file), read, m_account);
                account = done.statement.account;
                StatementEntry entry = entryOf(done.statement);
                entry.file = file;
                if (done.alreadyImported)
                    entry.rowsKnown = done.statement.rows, entry.rowsAdded = 0;
                entries.push_back(entry);
                Json object = StatementEntryJson(entry);
                object["account"] = done.accountName;
                object["alreadyImported"] = done.alreadyImported;
                object["error"] = nullptr;
                statements.push_back(std::move(object));
                continue;
            }
            problems.push_back(*error);
            statements.push_back({{"id", nullptr}, {"file", file}, {"rowsAdded", 0}, {"rowsKnown", 0},
                                  {"from", nullptr}, {"to", nullptr}, {"error", *error}});
        }
        const BalanceCheck check = account ? CheckBalances(store.merged(*account).statement) : BalanceCheck{};
        Ending ending;
        if (!problems.empty())
            ending.error = std::to_string(problems.size()) + " of " + std::to_string(m_files.size()) +
                           " files could not be added: " + problems.front();
        if (m_json) {
            Json object = {{"statements", std::move(statements)}, {"gaps", GapsJson(check)},
                           {"cashNotes", CashNotesJson(check)}};
            object["error"] = ending.error ? Json(*ending.error) : Json(nullptr);
            return Report(output, JsonLine(object), true, ending);
        }
        return Report(output, StatementsTable(entries) + GapsTable(check), false, ending);
    }

    int list(AccountStore &store, const Output &output) const
    {
        Json accounts = Json::array();
        std::string text;
        for (const AccountSummary &account : store.accounts()) {
            const std::vector<StatementRecord> records = store.statements(account.id);
            Json statements = Json::array();
            GridTable grid;
            grid.addRow({"编号", "文件", "格式", "大小", "导入时间", "起", "止", "行数", "新增行", "已有行"});
            for (const StatementRecord &record : records) {
                statements.push_back(recordJson(record));
                grid.addRow({std::to_string(record.id), record.file, std::string(FileKindKey(record.format.kind)),
                             std::to_string(record.fingerprint.size), record.imported,
                             record.from ? FormatTradeDate(*record.from) : "-", record.to ? FormatTradeDate(*record.to) : "-",
                             std::to_string(record.rows), std::to_string(record.rowsAdded), std::to_string(record.rowsKnown)});
            }
            accounts.push_back({{"id", account.id}, {"name", account.name}, {"fundAccounts", account.fundAccounts},
                                {"holderAccounts", account.holderAccounts}, {"statements", std::move(statements)}});
            text += "账户 " + std::to_string(account.id) + "：" + account.name;
            if (!account.fundAccounts.empty())
                text += "（资金账号 " + namesText(account.fundAccounts) + "）";
            if (!account.holderAccounts.empty())
                text += "（股东代码 " + namesText(account.holderAccounts) + "）";
            text += '\n' + grid.render("  ") + '\n';
        }
        if (m_json)
            return Report(output, JsonLine({{"store", store.path().string()}, {"accounts", accounts}, {"error", nullptr}}),
                          true, {});
        return Report(output, "账户库 " + store.path().string() + "\n\n" + text, false, {});
    }

    int remove(AccountStore &store, const Output &output) const
    {
        const StatementRecord removed = store.removeStatement(m_statement);
        if (m_json)
            return Report(output, JsonLine({{"removed", recordJson(removed)}, {"error", nullptr}}), true, {});
        return Report(output,
                      "removed statement " + std::to_string(removed.id) + " (" + removed.file + ", " +
                          std::to_string(removed.rows) + " rows)\n",
                      false, {});
    }

    int audit(AccountStore &store, const Output &output) const
    {
        const AccountSummary account = store.account(m_account);
        AuditOptions options = m_agreement.options();
        const bool setsTerms = !options.terms.empty() ||
                               std::any_of(options.billing.begin(), options.billing.end(),
                                           [](const BillingOverride &billing) { return billing != BillingOverride{}; });
        if (m_forgetTerms || setsTerms) {
            store.setAgreement(account.id, options.terms, options.billing);
        } else {
            const store::AccountSettings kept = store.settings(account.id);
            options.terms = kept.terms;
            options.billing = kept.billing;
        }
        const MergedStatement merged = store.merged(account.id);
        const ReportStyle style = m_json ? ReportStyle::Json : m_csv ? ReportStyle::Csv : ReportStyle::Table;
        return ReportMergedAudit(account.name, account.name, merged, entriesOf(store.statements(account.id), merged),
                                 options, style, output);
    }

    int dividendTax(AccountStore &store, const Output &output) const
    {
        const MergedStatement merged = store.merged(store.account(m_account).id);
        const DividendTaxCheck check = CheckDividendTax(merged.statement, CheckBalances(merged.statement).openings);
        if (m_json) {
            Json object = DividendTaxJson(merged, check);
            object["error"] = nullptr;
            return Report(output, JsonLine(object), true, {});
        }
        return Report(output, DividendTaxTable(merged, check), false, {});
    }

    std::optional<std::string> m_store, m_account;
    std::vector<std::string> m_files, m_openingCosts;
    std::int64_t m_statement = 0;
    AgreementOptions m_agreement;
    bool m_json = false, m_csv = false, m_forgetTerms = false;
    CLI::App *m_add = nullptr, *m_list = nullptr, *m_remove = nullptr, *m_audit = nullptr, *m_dividendTax = nullptr,
             *m_positions = nullptr;
};

} // namespace

std::unique_ptr<Command> MakeAccountCommand() { return std::make_unique<AccountCommand>(); }

} // namespace tallyfin
