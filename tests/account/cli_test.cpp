// tallyfin-cli account …: two overlapping exports added, listed, audited as
// one and removed; audit FILE1 FILE2 gives the same audit without a store; a
// store that is not one is refused and the command says so.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>

#include "cli.h"
#include "statement_support.h"

namespace tallyfin::statement {
namespace {

using Json = nlohmann::json;

struct CliRun {
    int status = -1;
    std::string out, err;
    Json json() const { return Json::parse(out); }
};

CliRun run(const std::vector<std::string> &args)
{
    std::ostringstream out, err;
    const int status = RunCli(args, out, err, false);
    return {status, out.str(), err.str()};
}

class AccountCliTest : public testing::Test {
protected:
    AccountCliTest()
    {
        const samples::Layout &layout = samples::SampleLayouts()[6];
        const std::vector<samples::SampleRow> rows = samples::SampleRows(600, 17, layout.mix);
        const auto write = [&](const std::string &name, std::size_t from, std::size_t to) {
            const std::vector<samples::SampleRow> part(rows.begin() + static_cast<long>(from), rows.begin() + static_cast<long>(to));
            return m_directory.write(name, samples::TextStatement(samples::LayoutCells(layout, part), '\t', TextEncoding::Gb18030))
                .string();
        };
        m_whole = write("whole.tsv", 0, rows.size());
        m_first = write("first.tsv", 0, 400);
        m_second = write("second.tsv", 300, rows.size());
        m_store = (m_directory.path() / "accounts.sqlite").string();
    }

    CliRun account(std::vector<std::string> args) const
    {
        args.insert(args.begin(), {"account", "--store", m_store});
        return run(args);
    }

    ScratchDirectory m_directory;
    std::string m_whole, m_first, m_second, m_store;
};

// The audit's figures, without what names rows by line.
Json figures(Json audit)
{
    return {audit["agreement"], audit["years"], audit["rows"]};
}

TEST_F(AccountCliTest, AddsListsAuditsAndRemoves)
{
    const CliRun added = account({"add", m_first, m_second, "--json"});
    ASSERT_EQ(added.status, 0) << added.err;
    const Json statements = added.json()["statements"];
    ASSERT_EQ(statements.size(), 2u);
    EXPECT_EQ(statements[0]["rowsAdded"], 400);
    EXPECT_EQ(statements[1]["rowsAdded"], 200);
    EXPECT_EQ(statements[1]["rowsKnown"], 100);
    EXPECT_EQ(added.json()["gaps"], Json::array());
    EXPECT_EQ(account({"add", m_second, "--json"}).json()["statements"][0]["alreadyImported"], true);

    const Json listed = account({"list", "--json"}).json();
    ASSERT_EQ(listed["accounts"].size(), 1u);
    EXPECT_EQ(listed["accounts"][0]["fundAccounts"], Json::array({samples::kSampleFundAccount}));
    EXPECT_EQ(listed["accounts"][0]["statements"].size(), 2u);

    const CliRun audited = account({"audit", "--json"});
    ASSERT_EQ(audited.status, 0) << audited.err;
    const Json audit = audited.json();
    const CliRun whole = run({"audit", m_whole, "--json"});
    EXPECT_EQ(figures(audit), figures(whole.json()));
    EXPECT_EQ(figures(run({"audit", m_first, m_second, "--json"}).json()), figures(whole.json()));
    for (const char *list : {"findings", "attribution", "notAudited", "other"})
        for (const Json &entry : audit[list])
            EXPECT_TRUE(entry.contains("statement")) << list;
    EXPECT_EQ(audit["statements"].size(), 2u);

    const int first = statements[0]["id"];
    EXPECT_EQ(account({"remove", std::to_string(first), "--json"}).json()["removed"]["id"], first);
    EXPECT_EQ(account({"list", "--json"}).json()["accounts"][0]["statements"].size(), 1u);
    EXPECT_EQ(account({"remove", std::to_string(first)}).status, 1);
}

// The later file alone starts with shares held; their cost is kept once given.
TEST_F(AccountCliTest, PositionsStartFromTheOpeningHoldings)
{
    ASSERT_EQ(account({"add", m_second}).status, 0);
    const Json before = account({"positions", "--json"}).json();
    EXPECT_EQ(before["oversold"], Json::array());
    Json opened;
    for (const Json &position : before["positions"])
        if (position["openingShares"] != "0")
            opened = position;
    ASSERT_FALSE(opened.is_null());
    EXPECT_TRUE(opened["openingCost"].is_null());
    const std::string code = opened["code"];
    EXPECT_EQ(account({"positions", "--opening-cost", code + "=1234.5"}).status, 0);
    const Json after = account({"positions", "--json"}).json();
    for (const Json &position : after["positions"]) {
        if (position["code"] == code) {
            EXPECT_EQ(position["openingCost"], "1234.50");
        }
    }
    EXPECT_EQ(account({"positions", "--opening-cost", "60003x=1"}).status, 2);
}

TEST_F(AccountCliTest, AStoreThatIsNotOneIsRefused)
{
    std::ofstream(m_store) << "notes\n";
    const CliRun refused = account({"list", "--json"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.json()["error"].get<std::string>().find("not an account store"), std::string::npos);
    const CliRun table = account({"add", m_first});
    EXPECT_EQ(table.status, 1);
    EXPECT_NE(table.err.find("tallyfin-cli: error: " + m_store), std::string::npos) << table.err;
    EXPECT_EQ(run({"audit", m_first, "--json"}).status, 0); // files are still audited without it
}

} // namespace
} // namespace tallyfin::statement
