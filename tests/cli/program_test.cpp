#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <locale>
#include <sstream>

#include "cli.h"

extern char **environ;

namespace tallyfin {
namespace {

using Args = std::vector<std::string>;

struct ProgramRun {
    int status = -1;
    std::string out, err;
};

std::string readBack(std::FILE *file)
{
    std::rewind(file);
    std::string text;
    char buffer[4096];
    while (const std::size_t count = std::fread(buffer, 1, sizeof buffer, file))
        text.append(buffer, count);
    std::fclose(file);
    return text;
}

// The inherited environment with `settings` ("NAME=value") in place of the
// variables they name.
std::vector<char *> environment(const Args &settings)
{
    std::vector<char *> entries;
    for (char **entry = environ; *entry != nullptr; ++entry) {
        const std::string_view inherited(*entry);
        if (std::none_of(settings.begin(), settings.end(), [&](const std::string &setting) {
                return inherited.starts_with(setting.substr(0, setting.find('=') + 1));
            }))
            entries.push_back(*entry);
    }
    for (const std::string &setting : settings)
        entries.push_back(const_cast<char *>(setting.c_str()));
    entries.push_back(nullptr);
    return entries;
}

// Runs the built program; a crash shows as status 128 + signal.
ProgramRun runProgram(const Args &args, const Args &settings = {})
{
    std::vector<char *> argv{const_cast<char *>(TALLYFIN_CLI_PATH)};
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<char *> envp = environment(settings);
    std::FILE *out = std::tmpfile();
    std::FILE *err = std::tmpfile();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fileno(out), 1);
    posix_spawn_file_actions_adddup2(&actions, fileno(err), 2);
    ProgramRun run;
    pid_t pid = 0;
    if (posix_spawn(&pid, TALLYFIN_CLI_PATH, &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = readBack(out);
    run.err = readBack(err);
    return run;
}

const Args kWorkedExample{"trade", "--buy-price", "10", "--buy-qty", "1000", "--sell-price", "11"};

Args with(Args args, const std::string &extra)
{
    args.push_back(extra);
    return args;
}

TEST(Program, WorkedExampleAsJson)
{
    const ProgramRun run = runProgram(with(kWorkedExample, "--json"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              R"({"fields": {"jg": "10", "sl": "1000", "Edit2": "11", "Edit3": "1000", "Edit4": "10000", )"
              R"("Edit5": "30", "Edit6": "0", "Edit7": "1", "Edit8": "31", "Edit9": "10031", "Edit10": "10.03", )"
              R"("Edit11": "10.07", "Edit12": "11000", "Edit13": "33", "Edit14": "11", "Edit15": "1", )"
              R"("Edit16": "45", "Edit17": "10955", "Edit18": "9.21", "Edit19": "924"}, )"
              R"("colors": {"Edit18": "red", "Edit19": "red"}, "message": null, "error": null})"
              "\n");
    EXPECT_EQ(run.err, "");
}

// A German desktop writes "10,03"; the program's output must not follow it.
TEST(Program, WorkedExampleAsTableInCommaLocale)
{
    const ProgramRun run = runProgram(kWorkedExample, {"LC_ALL=de_DE.UTF-8", "LC_NUMERIC=de_DE.UTF-8"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "证 交 所        上海A股\n佣    金        3.0 ‰\n印 花 税        1 ‰\n"
                       "印花税双边征收  否\n\n买入计算\n"
                       "  买入价格(元)  10\n  买入数量(股)  1000\n  交易金额(元)  10000\n"
                       "  佣    金(元)  30\n  印 花 税(元)  0\n  过 户 费(元)  1\n  费用合计(元)  31\n"
                       "  实付金额(元)  10031\n  买入成本(元)  10.03\n  保本价格(元)  10.07\n\n卖出计算\n"
                       "  卖出价格(元)  11\n  卖出数量(股)  1000\n  交易金额(元)  11000\n"
                       "  佣    金(元)  33\n  印 花 税(元)  11\n  过 户 费(元)  1\n  费用合计(元)  45\n"
                       "  实收金额(元)  10955\n  收 益 率(%)   9.21（红）\n  盈亏金额(元)  924（红）\n");
    EXPECT_EQ(run.err, "");
}

struct RunCase {
    const char *name;
    Args args;
    int status;
    Args outHas; // none: stdout stays empty
    Args errHas; // none: stderr stays empty
};

void PrintTo(const RunCase &c, std::ostream *os) { *os << c.name; }

class ProgramRunTest : public testing::TestWithParam<RunCase> {};

TEST_P(ProgramRunTest, ReportsOnTheRightStream)
{
    const RunCase &c = GetParam();
    const ProgramRun run = runProgram(c.args);
    EXPECT_EQ(run.status, c.status);
    for (const auto &[expected, actual] : {std::pair{&c.outHas, &run.out}, std::pair{&c.errHas, &run.err}}) {
        if (expected->empty()) {
            EXPECT_EQ(*actual, "");
        }
        for (const std::string &part : *expected)
            EXPECT_NE(actual->find(part), std::string::npos) << "missing: " << part << "\nin: " << *actual;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramRunTest,
    testing::Values(
        RunCase{"ErrorKeepsPartialWrite", {"trade", "--buy-price", "10.00", "--buy-qty", "abc", "--json"}, 1,
                {R"("jg": "10", "sl": "abc", "Edit2": "", )",
                 R"("error": "'abc' is not a valid floating point value."})"},
                {}},
        RunCase{"ErrorInTableGoesToStderr", {"trade", "--buy-price", "10.00", "--buy-qty", "abc"}, 1,
                {"  买入价格(元)  10\n  买入数量(股)  abc\n  交易金额(元)\n"},
                {"tallyfin-cli: error: 'abc' is not a valid floating point value.\n"}},
        RunCase{"SellWithoutQuantity", {"trade", "--sell-price", "11", "--json"}, 1,
                {R"("Edit3": "", "Edit4": "")", R"("message": "卖出数量必须设置初始值", "error": null)"}, {}},
        RunCase{"BuyBatchesAveraged", {"trade", "--buy-batch", "10", "1000", "--buy-batch=12", "500", "--json"}, 0,
                {R"("jg": "10.6666666666667", "sl": "1500", )"}, {}},
        RunCase{"SellBatchesRelabel", {"trade", "--buy-price", "10", "--buy-qty", "1000", "--sell-batch", "11", "600",
                                       "--sell-batch", "12", "400"}, 0,
                {"  买入价格(元)  10\n", "  卖出均价(元)  11.4\n  卖出总数(股)  1000\n"}, {}},
        RunCase{"BadBatchWritesNothing", {"trade", "--buy-price", "10", "--buy-qty", "1000", "--buy-batch", "9", "100",
                                          "--sell-batch", "12", "x", "--json"}, 1,
                {R"("jg": "10", "sl": "1000", "Edit2": "", "Edit3": "", "Edit4": "")",
                 R"("error": "'x' is not a valid floating point value.")"}, {}},
        RunCase{"ZeroTotalQuantity", {"trade", "--buy-batch", "10", "1", "--buy-batch", "20", "-1", "--json"}, 1,
                {R"("error": "Floating point division by zero.")"}, {}},
        RunCase{"InvalidUtf8Replaced", {"trade", "--buy-price", "\xff", "--buy-qty", "1", "--json"}, 1,
                {"\"jg\": \"\xEF\xBF\xBD\"", "\"error\": \"'\xEF\xBF\xBD' is not a valid floating point value.\""}, {}},
        RunCase{"ExponentTooLong", {"trade", "--buy-price", "1e5000", "--buy-qty", "1", "--json"}, 1,
                {R"("error": "'1e5000' is not a valid floating point value.")"}, {}},
        RunCase{"Overflow", {"trade", "--buy-price", "1e308", "--buy-qty", "1e308", "--json"}, 1,
                {R"("jg": "1E308")", R"("error": "Floating point overflow.")"}, {}},
        RunCase{"DatedRulesToday", {"trade", "--rules", "dated", "--date", "2026-12-08", "--commission", "0.25", "--buy-price",
                                    "10", "--buy-qty", "1000", "--sell-price", "11", "--json"}, 0,
                {R"("Edit4": "10000.00", "Edit5": "5.00", "Edit6": "0.00", "Edit7": "0.10", "Edit8": "5.10", )"
                 R"("Edit9": "10005.10", "Edit10": "10.01", "Edit11": "10.02", )",
                 R"("Edit12": "11000.00", "Edit13": "5.00", "Edit14": "5.50", "Edit15": "0.11", "Edit16": "10.61", )"
                 R"("Edit17": "10989.39", "Edit18": "9.84", "Edit19": "984.29"}, "colors")",
                 R"("rules": {"set": "dated", "date": "2026-12-08", "market": "上海A股", "leviesOnTop": false, )"}, {}},
        RunCase{"DatedNoMinimumAndLevies", {"trade", "--rules=dated", "--date=2026-12-08", "--commission=0.25", "--no-minimum",
                                            "--levies-on-top", "--buy-price=10", "--buy-qty=1000", "--sell-price=11", "--json"}, 0,
                {R"("Edit5": "2.50", )", R"("Edit13": "2.75", )", R"("buyLevies": "0.54", "sellLevies": "0.60"})"}, {}},
        RunCase{"DatedBeijingTable", {"trade", "--rules", "dated", "--date", "2026-12-08", "--exchange", "北京A股",
                                      "--buy-price", "10", "--buy-qty", "1000"}, 0,
                {"费率规则        按成交日期\n", "  过 户 费(元)  0.10\n", "规则：印花税 0.5‰（卖方）"}, {}},
        RunCase{"DatedShenzhenFundLevies", {"trade", "--rules", "dated", "--date", "2021-03-11", "--exchange", "深圳基金",
                                            "--commission", "0.25", "--levies-on-top", "--buy-price", "2.242", "--buy-qty", "2500",
                                            "--json"}, 0,
                {R"("Edit4": "5605.00", "Edit5": "5.00", )", R"("buyLevies": "0.27", )"}, {}},
        RunCase{"DateBeforeTheTable", {"trade", "--rules", "dated", "--date", "2000-01-01", "--buy-price", "10",
                                       "--buy-qty", "100"}, 1, {"成交日期        2000-01-01\n"},
                {"tallyfin-cli: error: 成交日期 2000-01-01 早于费率表的起始日期 2001-11-16\n"}},
        RunCase{"MarketNotInTheTable", {"trade", "--rules", "dated", "--exchange", "香港", "--json"}, 1,
                {R"("error": "按成交日期的费率表中没有“香港”，可选：上海A股、深圳A股、北京A股、上海基金、深圳基金、基金权证")"}, {}},
        RunCase{"DatedOptionWithClassicRules", {"trade", "--levies-on-top"}, 2, {},
                {"tallyfin-cli: option '--levies-on-top' needs '--rules dated'\n\nUsage:"}},
        RunCase{"MalformedDate", {"trade", "--rules", "dated", "--date", "2026-2-30"}, 2, {},
                {"tallyfin-cli: malformed date '2026-2-30' for '--date' (expected YYYY-MM-DD)\n"}},
        RunCase{"UnknownRuleSet", {"trade", "--rules", "today"}, 2, {},
                {"tallyfin-cli: unknown rule set 'today' for '--rules' (expected classic or dated)\n"}},
        RunCase{"TargetBreakEven", {"target", "--rules", "dated", "--date", "2026-12-08", "--commission", "0.25",
                                    "--buy-price", "10", "--buy-qty", "1000", "--json"}, 0,
                {R"({"price": "10.02", "netReceipts": "10009.89", "profit": "4.79", "returnPercent": "0.05", )"
                 R"("tickBelow": {"price": "10.01", "profit": "-5.21"}, "rules": {"set": "dated", )",
                 R"("message": null, "error": null})" "\n"}, {}},
        RunCase{"TargetReturnFromCashPaid", {"target", "--cash-paid", "10031", "--buy-qty", "1000", "--return", "10"}, 0,
                {"  目标卖价(元)    11.08\n", "  低一档卖价(元)  11.07\n"}, {}},
        RunCase{"TargetOutOfReach", {"target", "--buy-price", "10", "--buy-qty", "100", "--profit", "1e9", "--json"}, 1,
                {R"({"price": null, "netReceipts": null, )", R"("message": "任何价格都达不到目标", "error": null})"}, {}},
        RunCase{"TargetTwoGoals", {"target", "--buy-price", "10", "--buy-qty", "100", "--profit", "1", "--return", "1"}, 2,
                {}, {"tallyfin-cli: options '--profit' and '--return' exclude each other\n"}},
        RunCase{"TargetWithoutBuySide", {"target", "--buy-qty", "100"}, 2, {},
                {"tallyfin-cli: target needs '--buy-price' or '--cash-paid'\n"}},
        RunCase{"GoldenRise", {"golden", "up", "--low", "10", "--json"}, 0,
                {R"({"fields": {"Edit1": "10", "Edit2": "0", "Edit3": "18.09", "Edit4": "16.18", "Edit5": "15", )"
                 R"("Edit6": "13.82", "Edit7": "11.91", "Edit8": "13.33", "Edit9": "16.67", "Edit10": "12.36", )"
                 R"("Edit11": "20", "Edit12": "26.18", "Edit13": "30"}, "message": null, "error": null})" "\n"}, {}},
        RunCase{"GoldenInputMissing", {"golden", "bound", "--low", "", "--high", "20", "--json"}, 1,
                {R"("Edit3": "0", )", R"("message": "请输入低点和高点数据", "error": null)"}, {}},
        RunCase{"GoldenTable", {"golden", "callback", "--low", "10", "--high", "20"}, 0,
                {"低点       10\n高点       20\n\n区间回调\n  19.1%    18.09\n", "  80.9%    11.91\n  2倍      0\n"}, {}},
        RunCase{"UnknownOption", {"trade", "--frobnicate"}, 2, {},
                {"tallyfin-cli: unknown option '--frobnicate' for trade\n\nUsage:\n"}},
        RunCase{"NoArguments", {}, 2, {}, {"missing command", "Usage:"}},
        RunCase{"Help", {"--help"}, 0, {"Usage:", "--sell-batch PRICE QTY", "callback"}, {}}),
    [](const auto &test) { return std::string(test.param.name); });

// In-process, with the global C++ locale switched to one that writes ",".
struct CommaDecimalPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(RunCli, IgnoresTheLocaleDecimalSeparator)
{
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaDecimalPoint));
    std::ostringstream out, err;
    const int typedPoint =
        RunCli(Args{"trade", "--buy-price", "10.5", "--buy-qty", "100", "--json"}, out, err, false);
    std::ostringstream commaOut;
    const int typedComma =
        RunCli(Args{"trade", "--buy-price", "10,5", "--buy-qty", "100", "--json"}, commaOut, err, false);
    std::locale::global(previous);
    EXPECT_EQ(typedPoint, 0);
    EXPECT_NE(out.str().find(R"("jg": "10.5", "sl": "100", "Edit2": "", "Edit3": "", "Edit4": "1050")"),
              std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find(R"("Edit10": "10.56")"), std::string::npos) << out.str();
    EXPECT_EQ(typedComma, 1);
    EXPECT_NE(commaOut.str().find(R"("error": "'10,5' is not a valid floating point value.")"), std::string::npos);
}

} // namespace
} // namespace tallyfin
