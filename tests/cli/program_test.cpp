#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <locale>
#include <random>
#include <tuple>
#include <sstream>

#include "../core/hk_reference.h"
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

constexpr const char *kPositionConventionsFirstWords = "摊薄成本 =（买入付出的资金含费用";

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
    ASSERT_EQ(run.out.back(), '\n') << "one line";
    EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << "one line";
    // Each side's figures in the window's order, texts exactly as the fields show them.
    EXPECT_EQ(nlohmann::ordered_json::parse(run.out), nlohmann::ordered_json::parse(R"({"schema": 2, "rules": "classic",
        "buy": {"price": "10", "quantity": "1000", "amount": "10000", "commission": "30", "stampDuty": "0",
                "transferFee": "1", "levies": "", "fees": "31", "cashPaid": "10031", "costPerShare": "10.03",
                "breakEven": "10.07"},
        "sell": {"price": "11", "quantity": "1000", "amount": "11000", "commission": "33", "stampDuty": "11",
                 "transferFee": "1", "levies": "", "fees": "45", "cashReceived": "10955", "returnPercent": "9.21",
                 "profit": "924"},
        "colors": {"returnPercent": "red", "profit": "red"}, "message": null, "error": null})"));
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

using JsonValues = std::vector<std::pair<const char *, nlohmann::json>>; // JSON pointer, value

struct RunCase {
    const char *name;
    Args args;
    int status;
    Args outHas;     // table mode; none and no JSON: stdout stays empty
    Args errHas;     // none: stderr stays empty
    JsonValues json; // with --json
};

void PrintTo(const RunCase &c, std::ostream *os) { *os << c.name; }

class ProgramRunTest : public testing::TestWithParam<RunCase> {};

TEST_P(ProgramRunTest, ReportsOnTheRightStream)
{
    const RunCase &c = GetParam();
    const ProgramRun run = runProgram(c.json.empty() ? c.args : with(c.args, "--json"));
    EXPECT_EQ(run.status, c.status);
    if (!c.json.empty()) {
        const nlohmann::json json = nlohmann::json::parse(run.out);
        for (const auto &[pointer, value] : c.json)
            EXPECT_EQ(json.at(nlohmann::json::json_pointer(pointer)), value) << pointer << " in " << run.out;
    }
    const Args *const expectations[] = {&c.outHas, &c.errHas};
    const std::string *const streams[] = {&run.out, &run.err};
    for (int i = 0; i < 2; ++i) {
        if (expectations[i]->empty() && (i == 1 || c.json.empty())) {
            EXPECT_EQ(*streams[i], "");
        }
        for (const std::string &part : *expectations[i])
            EXPECT_NE(streams[i]->find(part), std::string::npos) << "missing: " << part << "\nin: " << *streams[i];
    }
}

const nlohmann::json kNull = nullptr;

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramRunTest,
    testing::Values(
        RunCase{"ErrorKeepsPartialWrite", {"trade", "--buy-price", "10.00", "--buy-qty", "abc"}, 1, {}, {},
                {{"/buy/price", "10"}, {"/buy/quantity", "abc"}, {"/sell/price", ""}, {"/buy/amount", ""},
                 {"/error", "'abc' is not a valid floating point value."}, {"/message", kNull}}},
        RunCase{"ErrorInTableGoesToStderr", {"trade", "--buy-price", "10.00", "--buy-qty", "abc"}, 1,
                {"  买入价格(元)  10\n  买入数量(股)  abc\n  交易金额(元)\n"},
                {"tallyfin-cli: error: 'abc' is not a valid floating point value.\n"}, {}},
        RunCase{"SellWithoutQuantity", {"trade", "--sell-price", "11"}, 1, {}, {},
                {{"/sell/quantity", ""}, {"/sell/amount", ""}, {"/message", "卖出数量必须设置初始值"}, {"/error", kNull}}},
        RunCase{"BuyBatchesAveraged", {"trade", "--buy-batch", "10", "1000", "--buy-batch=12", "500"}, 0, {}, {},
                {{"/buy/price", "10.6666666666667"}, {"/buy/quantity", "1500"}}},
        RunCase{"SellBatchesRelabel", {"trade", "--buy-price", "10", "--buy-qty", "1000", "--sell-batch", "11", "600",
                                       "--sell-batch", "12", "400"}, 0,
                {"  买入价格(元)  10\n", "  卖出均价(元)  11.4\n  卖出总数(股)  1000\n"}, {}, {}},
        RunCase{"BadBatchWritesNothing", {"trade", "--buy-price", "10", "--buy-qty", "1000", "--buy-batch", "9", "100",
                                          "--sell-batch", "12", "x"}, 1, {}, {},
                {{"/buy/price", "10"}, {"/buy/quantity", "1000"}, {"/sell/price", ""}, {"/buy/amount", ""},
                 {"/error", "'x' is not a valid floating point value."}}},
        RunCase{"ZeroTotalQuantity", {"trade", "--buy-batch", "10", "1", "--buy-batch", "20", "-1"}, 1, {}, {},
                {{"/error", "Floating point division by zero."}}},
        RunCase{"ExponentTooLong", {"trade", "--buy-price", "1e5000", "--buy-qty", "1"}, 1, {}, {},
                {{"/error", "'1e5000' is not a valid floating point value."}}},
        RunCase{"Overflow", {"trade", "--buy-price", "1e308", "--buy-qty", "1e308"}, 1, {}, {},
                {{"/buy/price", "1E308"}, {"/error", "Floating point overflow."}}},
        RunCase{"DatedRulesToday", {"trade", "--rules", "dated", "--date", "2026-12-08", "--commission", "0.25",
                                    "--buy-price", "10", "--buy-qty", "1000", "--sell-price", "11"}, 0, {}, {},
                {{"/buy/amount", "10000.00"}, {"/buy/commission", "5.00"}, {"/buy/stampDuty", "0.00"},
                 {"/buy/transferFee", "0.10"}, {"/buy/fees", "5.10"}, {"/buy/cashPaid", "10005.10"},
                 {"/buy/costPerShare", "10.01"}, {"/buy/breakEven", "10.02"}, {"/sell/amount", "11000.00"},
                 {"/sell/commission", "5.00"}, {"/sell/stampDuty", "5.50"}, {"/sell/transferFee", "0.11"},
                 {"/sell/fees", "10.61"}, {"/sell/cashReceived", "10989.39"}, {"/sell/returnPercent", "9.84"},
                 {"/sell/profit", "984.29"}, {"/rulesInForce/set", "dated"}, {"/rulesInForce/date", "2026-12-08"},
                 {"/rulesInForce/market", "上海A股"}, {"/rulesInForce/leviesOnTop", false},
                 {"/rulesInForce/rows/0/ratePerMille", "0.5"}}},
        RunCase{"DatedNoMinimumAndLevies", {"trade", "--rules=dated", "--date=2026-12-08", "--commission=0.25",
                                            "--no-minimum", "--levies-on-top", "--buy-price=10", "--buy-qty=1000",
                                            "--sell-price=11"}, 0, {}, {},
                {{"/buy/commission", "2.50"}, {"/sell/commission", "2.75"}, {"/buy/levies", "0.54"},
                 {"/sell/levies", "0.60"}}},
        RunCase{"DatedBeijingTable", {"trade", "--rules", "dated", "--date", "2026-12-08", "--exchange", "北京A股",
                                      "--buy-price", "10", "--buy-qty", "1000"}, 0,
                {"费率规则        按成交日期\n", "  过 户 费(元)  0.10\n", "规则：印花税 0.5‰（卖方）"}, {}, {}},
        RunCase{"DatedShenzhenFundLevies", {"trade", "--rules", "dated", "--date", "2021-03-11", "--exchange", "深圳基金",
                                            "--commission", "0.25", "--levies-on-top", "--buy-price", "2.242",
                                            "--buy-qty", "2500"}, 0, {}, {},
                {{"/buy/amount", "5605.00"}, {"/buy/commission", "5.00"}, {"/buy/levies", "0.27"}}},
        RunCase{"DateBeforeTheTable", {"trade", "--rules", "dated", "--date", "2000-01-01", "--buy-price", "10",
                                       "--buy-qty", "100"}, 1, {"成交日期        2000-01-01\n"},
                {"tallyfin-cli: error: 成交日期 2000-01-01 早于费率表的起始日期 2001-11-16\n"}, {}},
        RunCase{"MarketNotInTheTable", {"trade", "--rules", "dated", "--exchange", "香港"}, 1, {}, {},
                {{"/error", "按成交日期的费率表中没有“香港”，可选：上海A股、深圳A股、北京A股、上海基金、深圳基金、上海可转债、深圳可转债、基金权证、港股通"}}},
        RunCase{"DatedOptionWithClassicRules", {"trade", "--levies-on-top"}, 2, {}, {"--levies-on-top", "--rules dated"}, {}},
        RunCase{"MalformedDate", {"trade", "--rules", "dated", "--date", "2026-2-30"}, 2, {}, {"--date", "YYYY-MM-DD"}, {}},
        RunCase{"UnknownRuleSet", {"trade", "--rules", "today"}, 2, {}, {"--rules", "today", "classic,dated"}, {}},
        RunCase{"TargetBreakEven", {"target", "--rules", "dated", "--date", "2026-12-08", "--commission", "0.25",
                                    "--buy-price", "10", "--buy-qty", "1000"}, 0, {}, {},
                {{"/price", "10.02"}, {"/netReceipts", "10009.89"}, {"/profit", "4.79"}, {"/returnPercent", "0.05"},
                 {"/tickBelow/price", "10.01"}, {"/tickBelow/profit", "-5.21"}, {"/rules/set", "dated"},
                 {"/message", kNull}, {"/error", kNull}}},
        RunCase{"TargetReturnFromCashPaid", {"target", "--cash-paid", "10031", "--buy-qty", "1000", "--return", "10"}, 0,
                {"  目标卖价(元)    11.08\n", "  低一档卖价(元)  11.07\n"}, {}, {}},
        RunCase{"TargetOutOfReach", {"target", "--buy-price", "10", "--buy-qty", "100", "--profit", "1e9"}, 1, {}, {},
                {{"/price", kNull}, {"/netReceipts", kNull}, {"/tickBelow", kNull}, {"/rules/set", "classic"},
                 {"/message", "任何价格都达不到目标"}, {"/error", kNull}}},
        RunCase{"TargetTwoGoals", {"target", "--buy-price", "10", "--buy-qty", "100", "--profit", "1", "--return", "1"},
                2, {}, {"--profit", "--return"}, {}},
        RunCase{"TargetWithoutBuySide", {"target", "--buy-qty", "100"}, 2, {}, {"--buy-price", "--cash-paid"}, {}},
        RunCase{"TTradeWorkedExample", {"t-trade", "--order", "sell-first", "--qty", "1000", "--first-price", "10.50",
                                        "--second-price", "10.30", "--holding", "3000", "--cost", "11.20", "--gain",
                                        "100", "--date", "2026-12-08", "--commission", "0.25"}, 0, {}, {},
                {{"/legs/0/side", "sell"}, {"/legs/0/stampDuty", "5.25"}, {"/legs/0/levies", "0.00"},
                 {"/legs/0/cash", "10489.64"}, {"/legs/1/side", "buy"}, {"/legs/1/cash", "10305.10"},
                 {"/gain", "184.54"}, {"/dilutedCost", "11.138"}, {"/breakEvenPrice", "10.48"},
                 {"/targetPrice", "10.38"}, {"/message", kNull}, {"/error", kNull}}},
        RunCase{"TTradeStarBuyFirst", {"t-trade", "--order", "buy-first", "--code", "688001", "--qty", "250",
                                       "--first-price", "50.00", "--gain", "30", "--date", "2026-12-08",
                                       "--commission", "0.25", "--no-minimum"}, 0, {}, {},
                {{"/legs/0/side", "buy"}, {"/legs/0/commission", "3.13"}, {"/gain", kNull},
                 {"/dilutedCost", kNull}, {"/breakEvenPrice", "50.06"}, {"/targetPrice", "50.18"}}},
        RunCase{"TTradeTable", {"t-trade", "--order", "sell-first", "--qty", "1000", "--first-price", "10.50",
                                "--date", "2026-12-08", "--commission", "0.25"}, 0,
                {"每笔数量：100 的整数倍\n", "卖出\n", "  实收金额(元)  10489.64\n", "保本买回价(元)  10.48\n"}, {}, {}},
        RunCase{"TTradeNoBreakEven", {"t-trade", "--order", "sell-first", "--qty", "100", "--first-price", "0.01"}, 1,
                {}, {}, {{"/legs/0/cash", "-4.00"}, {"/breakEvenPrice", kNull}, {"/message", "任何价格都不能保本"}}},
        RunCase{"TTradeHoldingTooSmall", {"t-trade", "--order", "sell-first", "--qty", "1000", "--first-price", "10",
                                          "--holding", "500", "--cost", "9"}, 1, {"做    T         正T（先卖后买）\n"},
                {"tallyfin-cli: error: 持仓数量少于做T数量\n"}, {}},
        RunCase{"TopUpBondWithCashPaid", {"top-up", "--code", "123001", "--holding", "100", "--cash-paid", "12000",
                                          "--price", "105.000", "--target-cost", "110", "--date", "2026-12-08",
                                          "--commission", "0.25", "--levies-on-top"}, 0, {}, {},
                {{"/quantity", "210"}, {"/cash", "22056.39"}, {"/fees", "6.39"}, {"/newCost", "109.859"},
                 {"/message", kNull}}},
        RunCase{"TopUpOutOfReach", {"top-up", "--holding", "2000", "--cost", "12.30", "--price", "9.80",
                                    "--target-cost", "9.801"}, 1, {}, {},
                {{"/quantity", kNull}, {"/newCost", kNull}, {"/message", "按此价格补仓，成本降不到目标成本"}}},
        RunCase{"TopUpNotNeededIsAnAnswer", {"top-up", "--holding", "2000", "--cost", "10.30", "--price", "9.80",
                                             "--target-cost", "11"}, 0, {"  买入数量(股)    0\n"},
                {"tallyfin-cli: 当前成本已不高于目标成本，无需补仓\n"}, {}},
        RunCase{"RecoverShortfall", {"recover", "--holding", "3000", "--cash-in", "50000", "--price", "15.20", "--date",
                                     "2026-12-08", "--commission", "0.25"}, 1, {}, {},
                {{"/quantity", kNull}, {"/remaining", "3000"}, {"/shortfall", "4434.66"},
                 {"/message", "全部卖出也收不回投入的资金"}}},
        RunCase{"RecoverBeijingAnyNumberAboveTheMinimum", {"recover", "--code", "920002", "--holding", "150",
                                                           "--cash-in", "1000", "--price", "10.00", "--date",
                                                           "2026-12-08", "--commission", "0.25"}, 0, {}, {},
                {{"/quantity", "101"}, {"/netReceipts", "1004.48"}, {"/remaining", "49"}, {"/shortfall", kNull}}},
        RunCase{"RecoverUnknownCode", {"recover", "--code", "900901", "--holding", "3000", "--cash-in", "1",
                                       "--price", "1"}, 1, {}, {},
                {{"/error", "无法识别证券代码“900901”，或本程序不计算它的费用"}}},
        RunCase{"CodeAgainstExchange", {"recover", "--code", "688001", "--exchange", "深圳A股", "--holding", "1",
                                        "--cash-in", "1", "--price", "1"}, 2, {},
                {"688001 is traded as 上海A股, not 深圳A股"}, {}},
        RunCase{"TTradeHongKongByCode", {"t-trade", "--order", "sell-first", "--code", "00700", "--lot", "100", "--qty",
                                         "200", "--first-price", "508.5", "--second-price", "500", "--date",
                                         "2025-03-26", "--commission", "0.6", "--buy-rate", "0.93339", "--sell-rate",
                                         "0.93339"}, 0, {}, {},
                {{"/legs/0/amount", "94925.77"}, {"/legs/0/stampDuty", "95.20"}, {"/legs/0/transferFee", "1.89"},
                 {"/legs/0/levies", "8.09"}, {"/legs/0/cash", "94763.63"}, {"/legs/1/price", "500.00"},
                 {"/legs/1/cash", "93498.14"}, {"/gain", "1265.49"}, {"/breakEvenPrice", "506.50"}}},
        RunCase{"TopUpHongKong", {"top-up", "--exchange", "港股通", "--lot", "200", "--holding", "200", "--cash-paid",
                                  "8820.88", "--price", "40.00", "--target-cost", "40", "--date", "2025-02-20",
                                  "--commission", "0.6", "--buy-rate", "0.93358", "--sell-rate", "0.93242"}, 0, {}, {},
                {{"/quantity", "400"}, {"/cash", "14964.30"}, {"/newCost", "39.642"}}},
        RunCase{"HongKongNeedsABoardLot", {"recover", "--exchange", "港股通", "--holding", "100", "--cash-in", "1",
                                           "--price", "1", "--buy-rate", "0.9", "--sell-rate", "0.9"}, 1, {}, {},
                {{"/error", "请填写每手股数"}}},
        RunCase{"HongKongPriceOffTheSpreadTable", {"recover", "--exchange", "港股通", "--lot", "100", "--holding", "100",
                                                   "--cash-in", "1", "--price", "1.005", "--buy-rate", "0.9",
                                                   "--sell-rate", "0.9"}, 1, {}, {},
                {{"/error", "卖出价格 1.005 港元不在港股价位表上：该价位段每档 0.01 港元"}}},
        RunCase{"BoardLotNeedsHongKong", {"recover", "--lot", "200", "--holding", "1", "--cash-in", "1", "--price", "1"},
                2, {}, {"--lot: needs --exchange 港股通"}, {}},
        RunCase{"HongKongCodeAgainstExchange", {"recover", "--code", "00700", "--exchange", "上海A股", "--holding", "1",
                                                "--cash-in", "1", "--price", "1"}, 2, {},
                {"00700 is traded as 港股通, not 上海A股"}, {}},
        RunCase{"HongKongWithoutARate", {"trade", "--rules", "dated", "--exchange", "港股通", "--sell-rate", "0.93",
                                         "--buy-price", "47.15", "--buy-qty", "200"}, 1, {}, {},
                {{"/buy/amount", ""}, {"/error", "港股通请填写买入结算汇率"}}},
        RunCase{"HongKongRateWithSevenDecimals", {"trade", "--rules", "dated", "--exchange", "港股通", "--buy-rate",
                                                  "0.9335801", "--sell-rate", "0.93", "--buy-price", "47.15",
                                                  "--buy-qty", "200"}, 1, {}, {},
                {{"/buy/amount", ""}, {"/error", "买入结算汇率应大于 0 且不超过 100，最多 6 位小数"}}},
        RunCase{"HongKongPriceOffTheTable", {"trade", "--rules", "dated", "--exchange", "港股通", "--buy-rate", "0.93",
                                             "--sell-rate", "0.93", "--buy-price", "47.13", "--buy-qty", "200"}, 1, {},
                {}, {{"/buy/amount", ""}, {"/error", "买入价格 47.13 港元不在港股价位表上：该价位段每档 0.05 港元"}}},
        RunCase{"RatesNeedHongKong", {"trade", "--rules", "dated", "--buy-rate", "0.93"}, 2, {},
                {"--buy-rate: needs --exchange 港股通"}, {}},
        RunCase{"HongKongTable", {"trade", "--rules", "dated", "--date", "2025-02-20", "--exchange", "港股通",
                                  "--commission", "0.6", "--buy-rate", "0.93358", "--sell-rate", "0.93242",
                                  "--buy-price", "47.15", "--buy-qty", "200"}, 0,
                {"  买入价格(港元)        47.15\n", "  规    费(元)          0.76\n", "  实付金额(元)          8820.88\n",
                 "  印花税(港元)          10.00\n", "  换汇尾差(元)          0.04\n"}, {}, {}},
        RunCase{"PositionsOfNoFile", {"positions", "/nonexistent/交割单.csv"}, 1, {}, {},
                {{"/positions", nlohmann::json::array()}, {"/error", "cannot open /nonexistent/交割单.csv: No such file or directory"}}},
        RunCase{"GoldenRise", {"golden", "up", "--low", "10"}, 0, {}, {},
                {{"/low", "10"}, {"/high", "0"}, {"/levels/0.809", "18.09"}, {"/levels/1~13", "13.33"},
                 {"/levels/3", "30"}, {"/message", kNull}, {"/error", kNull}}},
        RunCase{"GoldenInputMissing", {"golden", "bound", "--low", "", "--high", "20"}, 1, {}, {},
                {{"/levels/0.809", "0"}, {"/message", "请输入低点和高点数据"}, {"/error", kNull}}},
        RunCase{"GoldenTable", {"golden", "callback", "--low", "10", "--high", "20"}, 0,
                {"低点       10\n高点       20\n\n区间回调\n  19.1%    18.09\n", "  80.9%    11.91\n  2倍      0\n"}, {},
                {}},
        RunCase{"UnknownOption", {"trade", "--frobnicate"}, 2, {}, {"--frobnicate"}, {}},
        RunCase{"NoArguments", {}, 2, {}, {"subcommand"}, {}},
        RunCase{"Help", {"--help"}, 0, {"Usage: tallyfin-cli", "trade", "golden", "target", "Exit status"}, {}, {}},
        RunCase{"CommandHelp", {"trade", "--help"}, 0, {"--sell-batch PRICE QTY", "--levies-on-top"}, {}, {}}),
    [](const auto &test) { return std::string(test.param.name); });

// 港股通 through the command line: generated trades' JSON against the
// independent reading, each side's yuan figures and its "hk" object, the
// break-even price, and the target price on the spread table.
TEST(Program, HongKongTradesAgreeWithTheIndependentReading)
{
    namespace ref = hkreference;
    std::mt19937_64 random(20250326);
    const std::vector<long long> &prices = ref::spreadTable();
    for (int i = 0; i < 25; ++i) {
        const auto [t, sellRate, buyMils, sellMils, quantity] = ref::randomRoundTrip(random, 100'000);
        Args terms{"--rules", "dated", "--date", ref::dateText(t.date), "--exchange", "港股通", "--commission",
                   ref::fixed(t.commission, 2), "--buy-rate", ref::fixed(t.rateMicros, 6), "--sell-rate",
                   ref::fixed(sellRate, 6), "--buy-price", ref::priceText(buyMils), "--buy-qty",
                   std::to_string(quantity), "--json"};
        if (t.minimumCents == 0)
            terms.push_back("--no-minimum");
        Args trade{"trade", "--sell-price", ref::priceText(sellMils)};
        trade.insert(trade.end(), terms.begin(), terms.end());
        const ProgramRun run = runProgram(trade);
        ASSERT_EQ(run.status, 0) << run.out << run.err;
        const nlohmann::json json = nlohmann::json::parse(run.out);
        const std::string where = ref::dateText(t.date) + " " + ref::priceText(buyMils) + "/" + ref::priceText(sellMils)
                                  + " × " + std::to_string(quantity);
        const ref::Slip buy = ref::settle(t.date, true, buyMils * quantity, t.rateMicros, t.commission, t.minimumCents);
        const ref::Slip sell = ref::settle(t.date, false, sellMils * quantity, sellRate, t.commission, t.minimumCents);
        for (const auto &[side, slip, amountMils, rate, cashKey] :
             {std::tuple{"buy", buy, buyMils * quantity, t.rateMicros, "cashPaid"},
              std::tuple{"sell", sell, sellMils * quantity, sellRate, "cashReceived"}}) {
            const ref::SideTexts want = ref::sideTexts(slip, amountMils, rate, std::string_view(side) == "buy");
            const nlohmann::json &got = json[side];
            EXPECT_EQ((std::array{got["amount"], got["commission"], got["stampDuty"], got["transferFee"],
                                  got["levies"], got["fees"], got[cashKey]}),
                      (std::array<nlohmann::json, 7>{want.amount, want.commission, want.stampDuty, want.transferFee,
                                                     want.levies, want.fees, want.cash}))
                << where << " " << side;
            const nlohmann::json &hk = got["hk"];
            EXPECT_EQ((std::array{hk["rate"], hk["amountHkd"], hk["stampDutyHkd"], hk["tradingFeeHkd"],
                                  hk["tradingTariffHkd"], hk["sfcLevyHkd"], hk["afrcLevyHkd"], hk["settlementFeeHkd"],
                                  hk["rounding"]}),
                      (std::array<nlohmann::json, 9>{want.rate, want.amountHkd, want.itemsHkd[0], want.itemsHkd[1],
                                                     want.itemsHkd[2], want.itemsHkd[3], want.itemsHkd[4],
                                                     want.itemsHkd[5], want.rounding}))
                << where << " " << side;
        }
        const long long breakEven =
            ref::lowestSalePrice(t.date, quantity, sellRate, t.commission, t.minimumCents, buy.cash);
        EXPECT_EQ(json["buy"]["breakEven"], breakEven ? ref::priceText(breakEven) : "无法保本") << where;

        const long long profit = static_cast<long long>(random() % 20'000);
        Args target{"target", "--profit", std::to_string(profit)};
        target.insert(target.end(), terms.begin(), terms.end());
        const nlohmann::json solved = nlohmann::json::parse(runProgram(target).out);
        const long long price =
            ref::lowestSalePrice(t.date, quantity, sellRate, t.commission, t.minimumCents, buy.cash + 100 * profit);
        if (price > ref::spreadTable()[0]) {
            EXPECT_EQ(solved["price"], ref::priceText(price)) << where << " profit " << profit;
            const long long below = *(std::find(prices.begin(), prices.end(), price) - 1);
            EXPECT_EQ(solved["tickBelow"]["price"], ref::priceText(below)) << where;
        }
    }
}

// A short statement: two buys, a partial sale, a dividend, a Stock Connect
// trade and a sale of shares never bought.
TEST(Program, PositionsOfAStatement)
{
    char folder[] = "/tmp/tallyfin-positions-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/交割单.csv";
    std::FILE *file = std::fopen(path.c_str(), "w");
    std::fputs("成交日期,证券代码,证券名称,操作,成交数量,成交价格,成交金额,佣金,印花税,过户费,发生金额\n"
               "20240301,600000,浦发银行,证券买入,1000,10.00,10000.00,5.00,0.00,0.10,-10005.10\n"
               "20240302,600000,浦发银行,证券买入,1000,12.00,12000.00,5.00,0.00,0.12,-12005.12\n"
               "20240303,600000,浦发银行,证券卖出,500,13.00,6500.00,5.00,3.25,0.07,6491.68\n"
               "20240304,600000,浦发银行,红利入账,0,,300.00,,,,300.00\n"
               "20240305,900901,云赛B股,证券买入,100,1.00,100.00,5.00,0.00,0.00,-105.00\n"
               "20240306,000001,平安银行,证券卖出,100,11.00,1100.00,5.00,0.55,0.00,1094.45\n",
               file);
    std::fclose(file);
    const ProgramRun json = runProgram({"positions", path, "--json"});
    const ProgramRun table = runProgram({"positions", path});
    std::filesystem::remove_all(folder);
    EXPECT_EQ(json.status, 0) << json.err;
    const nlohmann::json report = nlohmann::json::parse(json.out);
    // (22010.22 − 6491.68 − 300) ÷ 1500; 22010.22 × 3/4 ÷ 1500; realised 6491.68 − 5502.555, a tie
    // rounded away from zero, and by FIFO 6491.68 − 5002.55 (the dividend, received while held, realises nothing).
    EXPECT_EQ(report["positions"][0], nlohmann::json::parse(R"({"code": "600000", "name": "浦发银行",
        "shares": "1500", "dilutedCost": "10.146", "averageCost": "11.005", "realizedAverage": "989.13",
        "realizedFifo": "1489.13", "fees": "18.54", "dividends": "300.00"})"));
    EXPECT_EQ(report["positions"][1]["shares"], "0");
    EXPECT_EQ(report["positions"][1]["dilutedCost"], nullptr);
    EXPECT_EQ(report["oversold"][0]["line"], 7);
    EXPECT_EQ(report["skipped"][0]["line"], 6);
    EXPECT_EQ(report["error"], nullptr);
    EXPECT_NE(table.out.find("600000  浦发银行  1500  10.146"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find(kPositionConventionsFirstWords), std::string::npos);
    EXPECT_NE(table.out.find("line 6: 900901 云赛B股 证券买入: a code that is no A share"), std::string::npos) << table.out;
}

// trade, target and golden as the release before schema 2 printed them with
// --json, captured from it for a generated table of invocations (both rule
// sets, every side filled or not, levies on top, batches, notices, errors):
// one line each of {"args", "status", "out"}.
struct EarlierRun {
    Args args;
    int status = 0;
    std::string out;
};

std::vector<EarlierRun> earlierRuns()
{
    std::ifstream file(TALLYFIN_JSON_BEFORE_SCHEMA2);
    std::vector<EarlierRun> runs;
    for (std::string line; std::getline(file, line);) {
        const nlohmann::json run = nlohmann::json::parse(line);
        runs.push_back({run["args"].get<Args>(), run["status"].get<int>(), run["out"].get<std::string>()});
    }
    return runs;
}

std::string shown(const Args &args)
{
    std::string text;
    for (const std::string &arg : args)
        text += " '" + arg + "'";
    return text;
}

TEST(JsonKeys, FieldsPrintWhatTheEarlierReleasePrinted)
{
    const std::vector<EarlierRun> runs = earlierRuns();
    ASSERT_GE(runs.size(), 80u);
    for (const EarlierRun &earlier : runs) {
        const ProgramRun run = runProgram(with(with(with(earlier.args, "--json"), "--json-keys"), "fields"));
        EXPECT_EQ(run.status, earlier.status) << shown(earlier.args);
        EXPECT_EQ(run.out, earlier.out) << shown(earlier.args);
    }
}

using Json = nlohmann::ordered_json;

// Side, name, and the window's field that held it.
constexpr std::array<std::array<const char *, 3>, 22> kTradeNames{{
    {"buy", "price", "jg"},           {"buy", "quantity", "sl"},        {"buy", "amount", "Edit4"},
    {"buy", "commission", "Edit5"},   {"buy", "stampDuty", "Edit6"},    {"buy", "transferFee", "Edit7"},
    {"buy", "levies", "buyLevies"},   {"buy", "fees", "Edit8"},         {"buy", "cashPaid", "Edit9"},
    {"buy", "costPerShare", "Edit10"}, {"buy", "breakEven", "Edit11"},  {"sell", "price", "Edit2"},
    {"sell", "quantity", "Edit3"},    {"sell", "amount", "Edit12"},     {"sell", "commission", "Edit13"},
    {"sell", "stampDuty", "Edit14"},  {"sell", "transferFee", "Edit15"}, {"sell", "levies", "sellLevies"},
    {"sell", "fees", "Edit16"},       {"sell", "cashReceived", "Edit17"}, {"sell", "returnPercent", "Edit18"},
    {"sell", "profit", "Edit19"},
}};

// Golden's levels from Edit3 to Edit13.
constexpr const char *kRatios[] = {"0.809", "0.618", "0.5", "0.382", "0.191", "1/3", "2/3", "0.236", "2", "2.618", "3"};

// What schema 2 must print, moved from what the earlier release printed:
// every value as it was, under its name, in the window's order.
Json namedFromEarlier(const Args &args, const Json &earlier)
{
    Json named = {{"schema", 2}};
    if (args[0] == "target") {
        for (const auto &[key, value] : earlier.items())
            named[key] = value;
        return named;
    }
    const Json &fields = earlier["fields"];
    if (args[0] == "golden") {
        named.update({{"mode", args[1]}, {"low", fields["Edit1"]}, {"high", fields["Edit2"]}});
        for (std::size_t i = 0; i < std::size(kRatios); ++i)
            named["levels"][kRatios[i]] = fields["Edit" + std::to_string(i + 3)];
    } else {
        const bool dated = earlier.contains("rules");
        named["rules"] = dated ? "dated" : "classic";
        if (dated)
            named["rulesInForce"] = earlier["rules"];
        for (const auto &[side, name, field] : kTradeNames)
            named[side][name] = fields.value(field, "");
        named["colors"] = {{"returnPercent", earlier["colors"]["Edit18"]}, {"profit", earlier["colors"]["Edit19"]}};
    }
    named["message"] = earlier["message"];
    named["error"] = earlier["error"];
    return named;
}

TEST(JsonKeys, NamesHoldWhatTheEarlierReleasePrinted)
{
    for (const EarlierRun &earlier : earlierRuns()) {
        const ProgramRun run = runProgram(with(earlier.args, "--json"));
        EXPECT_EQ(run.status, earlier.status) << shown(earlier.args);
        EXPECT_EQ(Json::parse(run.out), namedFromEarlier(earlier.args, Json::parse(earlier.out))) << shown(earlier.args);
    }
}

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
    const nlohmann::json point = nlohmann::json::parse(out.str());
    EXPECT_EQ(point["buy"]["price"], "10.5");
    EXPECT_EQ(point["buy"]["amount"], "1050");
    EXPECT_EQ(point["buy"]["costPerShare"], "10.56");
    EXPECT_EQ(typedComma, 1);
    EXPECT_EQ(nlohmann::json::parse(commaOut.str())["error"], "'10,5' is not a valid floating point value.");
}

} // namespace
} // namespace tallyfin
