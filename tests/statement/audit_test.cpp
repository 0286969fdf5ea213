// The audit: statements made up with a known agreement and known
// overcharges, in six layouts and four formats, give back exactly that
// agreement and those findings through the command line's JSON; the
// inference against brute force; the yearly totals and the compared
// agreement against independent sums; bad files through the command line.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fcntl.h>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <unistd.h>

#include "agreement.h"
#include "agreementoptions.h"
#include "agreementedit.h"
#include "audit_cases.h"
#include "cli.h"
#include "hkfeerules.h"
#include "statement_support.h"

namespace tallyfin::statement {
namespace {

using samples::AuditCase;
using samples::ExpectedFinding;
using samples::ExpectedLine;
using samples::SampleRow;
using Json = nlohmann::json;

struct CliRun {
    int status = -1;
    std::string out, err;
};

CliRun runCli(const std::vector<std::string> &args)
{
    std::ostringstream out, err;
    const int status = RunCli(args, out, err, false);
    return {status, out.str(), err.str()};
}

Json auditJson(const std::filesystem::path &path, const std::vector<std::string> &options = {})
{
    std::vector<std::string> args{"audit", path.string(), "--json"};
    args.insert(args.end(), options.begin(), options.end());
    const CliRun run = runCli(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return Json::parse(run.out);
}

// Each line as the window names its scope; a rate the rows only bound as "bound".
std::vector<ExpectedLine> agreementOf(const Json &json)
{
    std::vector<ExpectedLine> lines;
    for (const Json &line : json["agreement"]) {
        std::string scope = line["group"];
        if (line["class"] == "security")
            scope = line["codes"][0].get<std::string>() + " " + line["name"].get<std::string>();
        else if (!line["class"].is_null())
            scope += " " + line["class"].get<std::string>();
        const bool bound = line["sources"]["commission"] == "bound";
        lines.push_back({scope, line["from"], line["to"], bound ? "bound" : line["commissionPerMille"],
                         line["minimum"].is_null() ? "" : line["minimum"], line["levies"], line["transfer"]});
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::vector<ExpectedFinding> findingsOf(const Json &json, const char *list = "findings")
{
    std::vector<ExpectedFinding> findings;
    for (const Json &finding : json[list])
        findings.push_back({finding["line"], finding["item"], finding["charged"], finding["expected"],
                            finding["difference"]});
    std::sort(findings.begin(), findings.end());
    return findings;
}

class AuditCaseTest : public testing::TestWithParam<std::tuple<std::size_t, FormatCase>> {};

TEST_P(AuditCaseTest, GivesBackTheAgreementAndTheOvercharges)
{
    const auto &[index, format] = GetParam();
    const AuditCase &c = samples::AuditCases()[index];
    const samples::Layout &layout = samples::SampleLayouts()[c.layout];
    const std::vector<SampleRow> rows = samples::SampleRows(c.rows, c.seed, c.mix);
    const ScratchDirectory directory;
    const std::filesystem::path path = WriteStatement(samples::LayoutCells(layout, rows), format, directory);

    const Json json = auditJson(path);
    EXPECT_EQ(json["format"]["kind"], FileKindKey(format.kind));
    EXPECT_EQ(json["rows"]["unreadable"], 0);
    EXPECT_EQ(agreementOf(json), samples::ExpectedAgreement(c, rows));
    const std::vector<ExpectedFinding> expected = samples::ExpectedFindings(layout, rows);
    EXPECT_GE(expected.size(), 5u) << "the case puts overcharges in";
    EXPECT_EQ(samples::UpToTheRatesCent(layout, rows, findingsOf(json)), expected);
    EXPECT_EQ(findingsOf(json, "attribution"), samples::ExpectedAttribution(layout, rows));
    std::vector<std::pair<int, std::string>> notAudited;
    for (const Json &row : json["notAudited"])
        notAudited.emplace_back(row["line"], row["reason"]);
    EXPECT_EQ(notAudited, samples::ExpectedNotAudited(layout, rows));
    // The statement is only read: nothing is written beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory.path()), {}), 1);
}

INSTANTIATE_TEST_SUITE_P(Layouts, AuditCaseTest,
                         testing::Combine(testing::Range<std::size_t>(0, samples::AuditCases().size()),
                                          testing::ValuesIn(kCommonFormats)),
                         [](const auto &test) {
                             return std::string(samples::AuditCases()[std::get<0>(test.param)].name) + "_" +
                                    std::get<1>(test.param).name;
                         });

// --- The inference against brute force ------------------------------------

// Orders charged at a rate and minimum, a few of them at random.
std::vector<OrderEvidence> randomOrders(std::mt19937 &random, RateUnits rate, Cents minimum, int count = 200)
{
    std::vector<OrderEvidence> orders;
    for (int i = 0; i < count; ++i) {
        OrderEvidence order;
        order.amount = std::uniform_int_distribution<Cents>(10000, 100000000)(random);
        order.commission = std::max(CommissionByRate(order.amount, rate), minimum);
        if (i % 17 == 0)
            order.commission = std::uniform_int_distribution<Cents>(0, 50000)(random);
        orders.push_back(order);
    }
    return orders;
}

// How well a rate explains the orders: once for each within its allowance,
// once more for each to the cent.
int scoreAt(const std::vector<OrderEvidence> &orders, RateUnits rate, Cents minimum)
{
    int score = 0;
    for (const OrderEvidence &order : orders)
        score += Explains(order, rate, minimum) + RatesCharging(order, minimum, 0).contains(rate);
    return score;
}

// The best score of any rate: it only changes where an order's interval
// starts, so trying every start is trying every rate.
int bestByBruteForce(const std::vector<OrderEvidence> &orders, Cents minimum)
{
    int best = scoreAt(orders, 0, minimum);
    for (const OrderEvidence &order : orders)
        for (const Cents slack : {order.allowance, Cents(0)})
            if (const RateInterval rates = RatesCharging(order, minimum, slack); !rates.empty())
                best = std::max(best, scoreAt(orders, rates.low, minimum));
    return best;
}

TEST(AgreementInference, TheRateExplainsAsManyOrdersAsAnyAndNoSimplerRateDoes)
{
    std::mt19937 random(7);
    for (int trial = 0; trial < 20; ++trial) {
        // Rates of up to four decimals per mille, as brokers agree them.
        const RateUnits rate = std::uniform_int_distribution<RateUnits>(1, 30000)(random) * 100;
        const Cents minimum = trial % 2 ? 500 : 0;
        const std::vector<OrderEvidence> orders = randomOrders(random, rate, minimum);
        const FittedTerms found = FitTerms(orders, std::vector<Cents>{minimum});
        const int best = bestByBruteForce(orders, minimum);
        EXPECT_EQ(scoreAt(orders, found.rate, minimum), best) << "trial " << trial;
        EXPECT_EQ(ExplainedByBest(orders, std::vector<Cents>{minimum}), best) << "trial " << trial;
        EXPECT_TRUE(found.range.contains(rate)) << "trial " << trial;
        for (RateUnits step = kRateUnitsPerMille; step > 1 && found.rate % step != 0; step /= 10)
            for (RateUnits simpler = 0; simpler <= kRateCap; simpler += step)
                ASSERT_LT(scoreAt(orders, simpler, minimum), best) << "trial " << trial << ": " << simpler;
    }
}

TEST(AgreementInference, FindsWhereTheRateChangedWithinTheRowsEvidence)
{
    std::mt19937 random(11);
    for (int trial = 0; trial < 20; ++trial) {
        const RateUnits before = std::uniform_int_distribution<RateUnits>(100, 3000)(random) * 100;
        const RateUnits after = std::uniform_int_distribution<RateUnits>(100, 3000)(random) * 100;
        std::vector<OrderEvidence> orders = randomOrders(random, before, 500, 120);
        std::vector<OrderEvidence> later = randomOrders(random, after, 500, 80);
        orders.insert(orders.end(), later.begin(), later.end());
        for (std::size_t i = 0; i < orders.size(); ++i)
            orders[i].date = {2020 + static_cast<int>(i / 300), static_cast<int>(i / 25 % 12) + 1, static_cast<int>(i % 25) + 1};
        const std::vector<std::size_t> starts = FindPeriods(orders, std::vector<Cents>{500}, kGainOfAPeriod);
        if (before == after) {
            EXPECT_EQ(starts.size(), 1u) << "trial " << trial;
            continue;
        }
        ASSERT_EQ(starts.size(), 2u) << "trial " << trial;
        // Between the last order only the old rate explains and the first
        // only the new one does, anywhere.
        const auto pins = [&](std::size_t i, RateUnits mine, RateUnits theirs) {
            return Explains(orders[i], mine, 500) && !Explains(orders[i], theirs, 500);
        };
        std::size_t lastOld = 0, firstNew = orders.size();
        for (std::size_t i = 0; i < 120; ++i)
            lastOld = pins(i, before, after) ? i : lastOld;
        for (std::size_t i = orders.size(); i-- > 120;)
            firstNew = pins(i, after, before) ? i : firstNew;
        EXPECT_GT(starts[1], lastOld) << "trial " << trial;
        EXPECT_LE(starts[1], firstNew) << "trial " << trial;
    }
}

struct MinimumCase {
    const char *name;
    std::vector<std::pair<Cents, Cents>> orders; // amount, commission, at 0.25‰
    Cents minimum;
    TermSource source;
};

void PrintTo(const MinimumCase &c, std::ostream *out) { *out << c.name; }

class MinimumInference : public testing::TestWithParam<MinimumCase> {};

TEST_P(MinimumInference, TakesWhatSmallOrdersWereCharged)
{
    std::vector<OrderEvidence> orders;
    for (const auto &[amount, commission] : GetParam().orders) {
        OrderEvidence order;
        order.amount = amount;
        order.commission = commission;
        orders.push_back(order);
    }
    const FittedTerms found = FitTerms(orders, MinimumCandidates(orders));
    EXPECT_EQ(found.minimum, GetParam().minimum);
    EXPECT_EQ(found.minimumSource, GetParam().source);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, MinimumInference,
    testing::Values(MinimumCase{"FiveYuan", {{400000, 500}, {1000000, 500}, {4000000, 1000}}, 500, TermSource::Rows},
                    MinimumCase{"NoMinimum", {{400000, 100}, {1000000, 250}, {4000000, 1000}}, 0, TermSource::Rows},
                    MinimumCase{"OneYuan", {{200000, 100}, {300000, 100}, {1000000, 250}}, 100, TermSource::Rows},
                    MinimumCase{"AllAboveFiveYuanKeepTheUsual", {{4000000, 1000}, {8000000, 2000}}, 500,
                                TermSource::Default},
                    MinimumCase{"NothingChargedIsNone", {{400000, 0}, {800000, 0}}, 0, TermSource::Rows}),
    [](const auto &test) { return std::string(test.param.name); });

// --- Totals, the compared agreement, overrides ------------------------------

struct Audited {
    std::vector<SampleRow> rows;
    Statement statement;
};

Audited readCase(std::size_t index)
{
    const AuditCase &c = samples::AuditCases()[index];
    Audited made{samples::SampleRows(c.rows, c.seed, c.mix), {}};
    made.statement = ReadStatementBytes(samples::TextStatement(
        samples::LayoutCells(samples::SampleLayouts()[c.layout], made.rows), '\t', TextEncoding::Gb18030));
    return made;
}

TEST(AuditTotals, AddUpTheAuditedTradesOfEachYear)
{
    const Audited made = readCase(0);
    const Audit audit = *AuditStatement(made.statement);
    std::map<int, Decimal> turnover, stampDuty, beyond, portfolioFees;
    std::map<int, int> trades;
    const std::vector<std::pair<int, std::string>> left = samples::ExpectedNotAudited(samples::SampleLayouts()[0], made.rows);
    for (std::size_t i = 0; i < made.rows.size(); ++i) {
        const SampleRow &row = made.rows[i];
        const bool leftOut = std::any_of(left.begin(), left.end(), [&](const auto &line) {
            return line.first == samples::LineOfRow(samples::SampleLayouts()[0], i);
        });
        if (row.operation == "港股通组合费收取")
            portfolioFees[row.date.year] = portfolioFees[row.date.year] - row.cash;
        if (row.kind == RowKind::Other || leftOut)
            continue;
        trades[row.date.year] += 1;
        turnover[row.date.year] = turnover[row.date.year] + row.amount;
        stampDuty[row.date.year] = stampDuty[row.date.year] + row.stampDuty;
        if (row.overcharge && row.overcharge->item != FeePart::Total)
            beyond[row.date.year] = beyond[row.date.year] + row.overcharge->amount;
    }
    ASSERT_EQ(audit.years.size(), trades.size());
    for (const YearTotals &year : audit.years) {
        SCOPED_TRACE(year.year);
        EXPECT_EQ(year.trades, trades[year.year]);
        EXPECT_EQ(year.turnover, turnover[year.year]);
        EXPECT_EQ(year.fees[static_cast<std::size_t>(FeePart::StampDuty)], stampDuty[year.year]);
        EXPECT_EQ(year.beyondRules, beyond[year.year]);
        EXPECT_EQ(year.portfolioFees, portfolioFees[year.year]);
    }
    EXPECT_FALSE(portfolioFees.empty()) << "the case charges portfolio fees";
}

// The Stock Connect case books rows on their settlement day across both
// changes of Hong Kong's rules it spans, which the audit must see through.
TEST(AuditStockConnect, RowsAreBookedAcrossTheRuleChanges)
{
    const AuditCase &c = samples::AuditCases()[8];
    ASSERT_STREQ(c.name, "StockConnect");
    std::set<std::string> crossed;
    for (const SampleRow &row : samples::SampleRows(c.rows, c.seed, c.mix))
        if (row.traded && !HkRulesFor(*row.traded).sameRulesAs(HkRulesFor(row.date)))
            crossed.insert(FormatTradeDate(row.date).substr(0, 7));
    EXPECT_EQ(crossed, (std::set<std::string>{"2023-01", "2023-11"}));
}

// A real account's 35 港股通 trades: every one checked, none at fault, one
// commission line explaining them all (the file is skipped where absent).
TEST(AuditStockConnect, TheRealTradesAuditWithoutAFinding)
{
    const std::filesystem::path real = std::filesystem::path(TALLYFIN_REAL_STATEMENTS) / "lqbin007-2025.xls";
    if (!std::filesystem::exists(real))
        GTEST_SKIP() << "no real statement at " << real;
    const Json json = auditJson(real);
    int lines = 0;
    for (const Json &line : json["agreement"]) {
        if (line["group"] != "港股通")
            continue;
        ++lines;
        EXPECT_EQ(line["commissionPerMille"], "0.6");
        EXPECT_EQ(line["minimum"], "5.00");
        EXPECT_EQ(line["explained"], 35);
        EXPECT_EQ(line["of"], 35);
    }
    EXPECT_EQ(lines, 1);
    EXPECT_TRUE(json["notAudited"].empty());
    for (const Json &finding : json["findings"])
        EXPECT_EQ(finding["code"].get<std::string>().size(), 6u) << "line " << finding["line"];
}

// A statement that writes its Stock Connect fees its own way (here a fee of
// its own in the transfer column of every such row) has those rows told as
// not checked, not each found at fault; the A-share findings stand.
TEST(AuditStockConnect, FeesWrittenAnotherWayAreLeftOut)
{
    const AuditCase &c = samples::AuditCases()[8];
    const samples::Layout &layout = samples::SampleLayouts()[c.layout];
    std::vector<SampleRow> rows = samples::SampleRows(c.rows, c.seed, c.mix);
    std::set<int> hongKong;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SampleRow &row = rows[i];
        if (!row.stockConnect || row.kind == RowKind::Other)
            continue;
        const Decimal own(37, 2);
        row.transferFee = row.transferFee + own;
        row.cash = row.cash - own;
        row.overcharge.reset();
        hongKong.insert(samples::LineOfRow(layout, i));
    }
    const ScratchDirectory directory;
    const Json json = auditJson(WriteStatement(samples::LayoutCells(layout, rows), kCommonFormats[0], directory));
    std::set<int> left;
    for (const Json &row : json["notAudited"])
        if (row["reason"] == "stockConnectUnrecognized")
            left.insert(row["line"].get<int>());
    EXPECT_EQ(left, hongKong);
    EXPECT_EQ(findingsOf(json), samples::ExpectedFindings(layout, rows));
}

// The saving of a compared agreement is what the trades were charged less
// what an audit under that agreement says they are due.
TEST(AuditTotals, CompareSavesWhatTheOtherAgreementWouldNotCharge)
{
    const Audited made = readCase(1);
    AuditOptions comparing;
    comparing.compare = CompareTerms{Decimal(1, 1), true};
    const Audit compared = *AuditStatement(made.statement, comparing);
    AuditOptions priced;
    for (const Agreement &agreement : compared.agreements) {
        priced.terms.push_back({ScopeOf(agreement), std::nullopt, std::nullopt, Decimal(1, 1), Decimal()});
        priced.billing[static_cast<std::size_t>(agreement.group)] = {agreement.terms.leviesOnTop, agreement.transferSeparate};
    }
    const Audit under = *AuditStatement(made.statement, priced);
    std::map<int, Cents> saving;
    for (const OrderCheck &order : under.orders)
        for (std::size_t item = 0; item < kFeeItemCount; ++item)
            if (order.has(static_cast<FeePart>(item)))
                saving[made.statement.rows[order.firstRow].date().year] += order.charged[item] - order.expected[item];
    for (const YearTotals &year : compared.years) {
        ASSERT_TRUE(year.compareSaving);
        EXPECT_EQ(*year.compareSaving, Decimal(saving[year.year], 2)) << year.year;
        EXPECT_GT(year.compareSaving->sign(), 0) << "万1 免五 costs less than 0.187‰ with a minimum";
    }
}

TEST(AuditOverrides, TakeTheUsersTermsAndCheckEveryOrderByThem)
{
    const Audited made = readCase(0);
    AuditOptions options;
    options.terms.push_back({TermsScope{}, std::nullopt, std::nullopt, Decimal(3, 1), std::nullopt});
    const Audit audit = *AuditStatement(made.statement, options);
    const Agreement &shanghai = *audit.agreement(InstrumentGroup::ShanghaiA);
    EXPECT_EQ(shanghai.terms.ratePerMille, Decimal(3, 1));
    EXPECT_EQ(shanghai.rateSource, TermSource::User);
    EXPECT_EQ(shanghai.terms.minimum, Decimal(5)) << "the minimum is still inferred";
    // Every order above the minimum now pays less than 0.3‰ would charge.
    const auto commissionFindings = std::count_if(audit.findings.begin(), audit.findings.end(), [](const Finding &f) {
        return f.item == FeePart::Commission && f.difference().sign() < 0;
    });
    EXPECT_GT(commissionFindings, shanghai.rate.of / 2);
    EXPECT_LT(shanghai.commission.explained, shanghai.commission.of);
}

// --- Terms given by period on the command line -------------------------------

struct OptionCase {
    const char *text;
    bool valid;
    TermsScope scope = {};
    const char *from = "", *to = "";
};

void PrintTo(const OptionCase &c, std::ostream *out) { *out << c.text; }

class TermOptionTest : public testing::TestWithParam<OptionCase> {};

TEST_P(TermOptionTest, ReadsScopeValueAndSpan)
{
    const OptionCase &c = GetParam();
    const std::optional<TermOption> given = ParseTermOption(c.text, Decimal(3));
    ASSERT_EQ(given.has_value(), c.valid);
    if (!given)
        return;
    EXPECT_EQ(given->scope, c.scope);
    EXPECT_EQ(given->from ? FormatTradeDate(*given->from) : "", c.from);
    EXPECT_EQ(given->to ? FormatTradeDate(*given->to) : "", c.to);
}

INSTANTIATE_TEST_SUITE_P(
    Options, TermOptionTest,
    testing::Values(OptionCase{"0.25", true}, OptionCase{"0.2354@..2025-01-23", true, {}, "", "2025-01-23"},
                    OptionCase{"0.15@2025-02-26..", true, {}, "2025-02-26", ""},
                    OptionCase{"上海基金=0.25@2024-11-18..2025-01-23", true,
                             {InstrumentGroup::ShanghaiFund, SecurityClass::General, ""}, "2024-11-18", "2025-01-23"},
                    OptionCase{"债券ETF=0.05", true, {std::nullopt, SecurityClass::BondEtf, ""}},
                    OptionCase{"511260=0.05", true, {std::nullopt, SecurityClass::Security, "511260"}},
                    OptionCase{"3.5", false}, OptionCase{"-0.1", false}, OptionCase{"abc", false},
                    OptionCase{"0.2@2025-02-30..", false}, OptionCase{"0.2@2025-03-01..2025-02-01", false},
                    OptionCase{"0.2@2025-03-01", false}, OptionCase{"上证=0.2", false}, OptionCase{"51126=0.2", false}),
    [](const auto &test) { return "Case" + std::to_string(test.index); });

// The broker's own periods typed on the command line price every order as
// inferred ones do: exactly the overcharges put in are found; one period
// moved makes the orders it moves into findings; spans that overlap are refused.
TEST(AuditPeriodsTyped, PriceTheOrdersAsTheBrokerDid)
{
    const std::size_t index = 6;
    const AuditCase &c = samples::AuditCases()[index];
    ASSERT_STREQ(c.name, "PeriodsAndClasses");
    const samples::Layout &layout = samples::SampleLayouts()[c.layout];
    const std::vector<SampleRow> rows = samples::SampleRows(c.rows, c.seed, c.mix);
    const ScratchDirectory directory;
    const std::filesystem::path path = WriteStatement(samples::LayoutCells(layout, rows), kCommonFormats[0], directory);
    const std::vector<std::string> broker{"--commission", "上海A股=0.2354@..2018-05-31", "--commission", "上海A股=0.15@2018-06-01..",
                                          "--commission", "深圳A股=0.2354@..2018-05-31", "--commission", "深圳A股=0.15@2018-06-01..2021-02-28",
                                          "--commission", "深圳A股=0.12@2021-03-01.."};
    const std::vector<ExpectedFinding> expected = samples::ExpectedFindings(layout, rows);
    EXPECT_EQ(findingsOf(auditJson(path, broker)), expected);
    std::vector<std::string> moved = broker;
    moved[1] = "上海A股=0.2354@..2016-12-31";
    moved[3] = "上海A股=0.15@2017-01-01..";
    EXPECT_GT(findingsOf(auditJson(path, moved)).size(), expected.size());
    const CliRun overlapping = runCli({"audit", path.string(), "--commission", "0.2@..2020-01-01", "--commission", "0.3@2019-01-01.."});
    EXPECT_EQ(overlapping.status, 2);
    EXPECT_NE(overlapping.err.find("two spans of every group overlap"), std::string::npos) << overlapping.err;
}

// --- Bad input through the command line -------------------------------------

const std::string kHeader = "成交日期\t证券代码\t证券名称\t业务名称\t成交数量\t成交均价\t成交金额\t佣金\t印花税\t发生金额\r\n";
const std::string kBuy = "20210311\t600036\t招商银行\t证券买入\t100\t10.00\t1000.00\t5.00\t0.00\t-1005.00\r\n";

struct BadInputCase {
    const char *name;
    std::string bytes; // UTF-8 text, written as GB18030 unless it is a binary file
    int status;
    std::string error;      // the JSON's error, or empty for none
    std::string unreadable; // the reason of the last unreadable row, or empty
    std::string notAudited; // the reason key of a trade left out, or empty
};

void PrintTo(const BadInputCase &c, std::ostream *out) { *out << c.name; }

class AuditBadInput : public testing::TestWithParam<BadInputCase> {};

TEST_P(AuditBadInput, SaysWhatIsWrongAndAuditsWhatCanBeRead)
{
    const BadInputCase &c = GetParam();
    const ScratchDirectory directory;
    const bool text = c.bytes.find('\0') == std::string::npos;
    const std::filesystem::path path = directory.write("交割单.xls", text ? Gb18030(c.bytes) : c.bytes);
    const CliRun run = runCli({"audit", path.string(), "--json"});
    EXPECT_EQ(run.status, c.status) << run.err;
    const Json json = Json::parse(run.out);
    EXPECT_EQ(json["error"].is_null() ? "" : json["error"].get<std::string>(), c.error);
    EXPECT_EQ(json["unreadable"].empty() ? "" : json["unreadable"].back()["reason"].get<std::string>(), c.unreadable);
    EXPECT_EQ(json["notAudited"].empty() ? "" : json["notAudited"].back()["reason"].get<std::string>(), c.notAudited);
    if (c.status == 0) {
        EXPECT_EQ(json["findings"].size(), 0u) << "the rows that could be read are audited";
        EXPECT_EQ(json["agreement"].size(), 1u);
    }
    // Without --json the error goes to stderr, in English, as the JSON has it.
    if (!c.error.empty()) {
        EXPECT_EQ(runCli({"audit", path.string()}).err, "tallyfin-cli: error: " + c.error + "\n");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory.path()), {}), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, AuditBadInput,
    testing::Values(
        BadInputCase{"Empty", "", 1, "the file is empty", "", ""},
        BadInputCase{"Binary", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), 1,
                     "the file is neither text nor a spreadsheet (.xls, .xlsx)", "", ""},
        BadInputCase{"NoHeader", "资金账号：1234\n成交日期\t证券代码\n20210311\t600036\n", 1,
                     "no header row: no row names a date, a code, an operation, a quantity and a price or amount (the "
                     "text was read as GB18030)",
                     "", ""},
        BadInputCase{"TruncatedLastRow", kHeader + kBuy + "20210312\t600036\t招商银行\t证券卖出\t100", 0, "",
                     "the file ends in the middle of this row", ""},
        BadInputCase{"TextForANumber", kHeader + kBuy + "20210312\t600036\t招商银行\t证券卖出\t100\t10.00\tabc\t5.00\t1.00\t994.00\r\n",
                     0, "", "'abc' in 成交金额 is not a number", ""},
        BadInputCase{"BeforeTheFeeTable", kHeader + kBuy + "20000105\t600036\t招商银行\t证券买入\t100\t10.00\t1000.00\t5.00\t0.00\t-1005.00\r\n",
                     0, "", "", "beforeFeeTable"},
        BadInputCase{"StockConnectBeyondAnyAmount",
                     kHeader + kBuy + "20240311\t00700\t腾讯控股\t证券买入\t1000000\t99999999999.00\t9000.00\t5.00\t9.00\t-9014.00\r\n",
                     0, "", "", "numbersTooLarge"},
        BadInputCase{"StockConnectWithoutAmountOrRate",
                     kHeader + kBuy + "20240311\t00700\t腾讯控股\t证券买入\t100\t300.00\t\t5.00\t30.00\t-28000.00\r\n",
                     0, "", "", "stockConnectUnpriced"}),
    [](const auto &test) { return std::string(test.param.name); });

// A file above the size limit is refused before a byte of it is read.
TEST(AuditBadInputSize, RefusesATwoGigabyteFile)
{
    const ScratchDirectory directory;
    const std::filesystem::path path = directory.path() / "big.xls";
    const int file = ::open(path.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(file, 0);
    ASSERT_EQ(::ftruncate(file, 2LL << 30), 0); // sparse: no disk is used
    ::close(file);
    const CliRun run = runCli({"audit", path.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "tallyfin-cli: error: the file is 2.0 GiB; statements larger than 256.0 MiB are not read\n");
}

} // namespace
} // namespace tallyfin::statement
