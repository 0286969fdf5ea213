#include "cli.h"

#include <ostream>

#include "args.h"
#include "commands.h"
#include "output.h"
#include "terminal.h"

namespace tallyfin {

const std::string_view kUsage = R"(Usage:
  tallyfin-cli trade [OPTION]...        trade fees, break-even price and result
  tallyfin-cli golden MODE [OPTION]...  golden-section price levels
  tallyfin-cli target [OPTION]...       the lowest sell price reaching a target
  tallyfin-cli --help                   show this text

Trade options (defaults as in the main window):
  --rules classic|dated   fee rules (费率规则): the classic schedule (default),
                          or the statutory fees of the trade date (按成交日期)
  --date YYYY-MM-DD       trade date (成交日期) for --rules dated, default today
  --exchange TEXT         exchange (证交所), default 上海A股; 北京A股, 上海基金
                          and 深圳基金 too with --rules dated
  --commission TEXT       commission rate in ‰ (佣金), default 3.0
  --stamp-duty TEXT       stamp duty rate in ‰ (印花税), default 1; the dated
                          rules take it from their table
  --both-sides            stamp duty on the buy too (印花税双边征收)
  --no-minimum            no 5-yuan minimum commission (免五)
  --levies-on-top         handling and management fees on top of the
                          commission (规费另计), --rules dated only
  --buy-price TEXT        buy price (买入价格)
  --buy-qty TEXT          buy quantity (买入数量)
  --sell-price TEXT       sell price (卖出价格)
  --sell-qty TEXT         sell quantity (卖出数量); empty: the buy quantity
  --buy-batch PRICE QTY   one bought batch, up to 5 times; their average price
                          and total quantity replace the buy price and quantity
  --sell-batch PRICE QTY  one sold batch, up to 5 times; likewise for selling

Target options: the trade's fee options, then
  --buy-price TEXT --buy-qty TEXT   the buy side, or
  --cash-paid TEXT --buy-qty TEXT   the cash paid (实付金额) and bought quantity
  --sell-qty TEXT         quantity to sell, default the bought quantity
  --profit YUAN           reach this profit (目标盈利), or
  --return PCT            this return in % of the cash paid (目标收益率);
                          neither: break even (保本)

Golden modes: up (低点上涨), down (高点下跌), bound (区间反弹), callback (区间回调)
Golden options:
  --low TEXT              swing low (低点), default 0
  --high TEXT             swing high (高点), default 0

Every command:
  --json                  print one JSON object instead of a table
  -h, --help              show this text

Each TEXT is taken exactly as typed, even when empty or starting with "-";
"--option=TEXT" works too. Numbers use "." as the decimal separator.
Exit status: 0 calculated, 1 ended with a notice or an error, 2 usage error.
)";

namespace {

constexpr std::string_view kProgram = "tallyfin-cli: ";

// In table mode the table is the result and stderr tells why it is partial.
void reportOutcome(std::ostream &err, const std::optional<std::string> &message,
                   const std::optional<std::string> &error)
{
    if (message)
        err << kProgram << TerminalText(*message) << '\n';
    if (error)
        err << kProgram << "error: " << TerminalText(*error) << '\n';
}

// The rendered result goes out first, so the note on stderr follows it even
// when both streams share one pipe.
template <typename Result>
int present(const Result &result, const std::string &rendered, bool json, std::ostream &out,
            std::ostream &err)
{
    out << rendered << std::flush;
    if (!json)
        reportOutcome(err, result.message, result.error);
    return result.message || result.error ? 1 : 0;
}

int runTrade(const TradeRequest &request, std::ostream &out, std::ostream &err, bool ansiColours)
{
    const TradeResult result = RunTrade(request);
    return present(result, request.json ? TradeJson(result) : TradeTable(result, ansiColours),
                   request.json, out, err);
}

int runTarget(const TargetRequest &request, std::ostream &out, std::ostream &err)
{
    const TargetResult result = RunTarget(request);
    return present(result, request.json ? TargetJson(result) : TargetTable(result), request.json, out, err);
}

int runGolden(const GoldenRequest &request, std::ostream &out, std::ostream &err)
{
    const GoldenResult result = RunGolden(request);
    return present(result, request.json ? GoldenJson(result) : GoldenTable(result), request.json, out,
                   err);
}

int run(const Request &request, std::ostream &out, std::ostream &err, bool ansiColours)
{
    if (const auto *trade = std::get_if<TradeRequest>(&request))
        return runTrade(*trade, out, err, ansiColours);
    if (const auto *golden = std::get_if<GoldenRequest>(&request))
        return runGolden(*golden, out, err);
    if (const auto *target = std::get_if<TargetRequest>(&request))
        return runTarget(*target, out, err);
    out << kUsage;
    return 0;
}

} // namespace

int RunCli(std::span<const std::string> args, std::ostream &out, std::ostream &err, bool ansiColours)
{
    Request request;
    try {
        request = ParseArguments(args);
    } catch (const UsageError &error) {
        err << kProgram << TerminalText(error.what()) << "\n\n" << kUsage;
        return 2;
    }
    const int status = run(request, out, err, ansiColours);
    // A full disk or closed pipe must not pass for a result.
    if (!out.flush()) {
        err << kProgram << "error: cannot write the output\n";
        return 1;
    }
    return status;
}

} // namespace tallyfin
