#include "args.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <ctime>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "feerules.h"

namespace tallyfin {

namespace {

// CLI11 takes the arguments after an option as its values whatever they
// look like ("-5", "--json", ""), as we want. Where it reads an argument
// otherwise, the line is marked with texts no argument can hold (an
// argument ends at its first NUL byte):
// - "--opt=" would take the next argument as its value, "--flag=true"
//   would pass for "--flag", and "--" and "++" would end the options or the
//   subcommand, which our commands have no use for: with kTextMark appended
//   to "--opt=TEXT", "--" and "++", CLI11 reads the TEXT, even an empty one,
//   as the value and the others as unknown words; typed() removes the mark;
// - a line that ends before an option's values makes CLI11 throw without
//   saying which option: kEndMark after the last argument stands in for
//   each missing value, so that the check can name the option.
const std::string kTextMark("\0text", 5);
const std::string kEndMark("\0end", 4);

std::vector<std::string> markedForCli11(std::span<const std::string> args)
{
    // As many end marks as an option takes values (--buy-batch PRICE QTY);
    // CLI11 reads the vector from its back.
    std::vector<std::string> marked(2, kEndMark);
    for (auto arg = args.rbegin(); arg != args.rend(); ++arg) {
        const bool withValue = arg->starts_with("--") && arg->find('=') != std::string::npos;
        const bool mark = withValue || *arg == "--" || *arg == "++";
        marked.push_back(mark ? *arg + kTextMark : *arg);
    }
    return marked;
}

// A value or a stray argument as it was typed.
std::string typed(std::string text)
{
    if (text.ends_with(kTextMark))
        text.resize(text.size() - kTextMark.size());
    return text;
}

std::string inQuotes(std::string_view text) { return "'" + std::string(text) + "'"; }

//   {"up", "down", "bound"} -> "up, down or bound"
std::string alternatives(const std::vector<std::string> &names)
{
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
    return text;
}

// The arguments CLI11 could not place, as typed.
std::vector<std::string> strays(const CLI::App &app)
{
    std::vector<std::string> found;
    for (const std::string &arg : app.remaining())
        if (arg != kEndMark)
            found.push_back(typed(arg));
    return found;
}

// An argument a command could not place: an option it does not know, or
// one word too many.
UsageError strayArgument(const std::string &arg, const std::string &command)
{
    if (arg.size() > 1 && arg.front() == '-')
        return UsageError("unknown option " + inQuotes(arg.substr(0, arg.find('='))) + " for " + command);
    return UsageError("unexpected argument " + inQuotes(arg) + " for " + command);
}

using Values = std::vector<std::string>; // one use of an option

// Every use of the option in order, each with its `arity` values as typed:
// none for a flag, one for a text, two for a batch row (PRICE QTY). A flag
// or a text may be given once, since a second use would silently overrule
// the first; a batch row up to kBatchRows times.
std::vector<Values> uses(const CLI::Option &option, std::size_t arity)
{
    const std::string name = inQuotes(option.get_name());
    const std::vector<std::string> &results = option.results();
    std::vector<Values> found;
    for (std::size_t first = 0; first < results.size(); first += std::max<std::size_t>(arity, 1)) {
        if (arity == 0 && results[first] != "true") // CLI11's value for a bare flag
            throw UsageError("option " + name + " takes no value");
        Values values;
        for (std::size_t i = first; i < first + arity; ++i)
            values.push_back(typed(results[i]));
        if (std::find(values.begin(), values.end(), kEndMark) != values.end())
            throw UsageError("option " + name + (arity == 2 ? " needs a price and a quantity" : " needs a value"));
        found.push_back(std::move(values));
    }
    if (arity < 2 && found.size() > 1)
        throw UsageError("option " + name + " given more than once");
    if (found.size() > kBatchRows)
        throw UsageError("too many " + name + " rows (at most " + std::to_string(kBatchRows) + ")");
    return found;
}

// One subcommand and the request it fills. CLI11 collects the values; once
// the line is read, finish() checks them and stores them in the request,
// option by option in the order they were declared.
class Command {
public:
    Command(CLI::App &program, const std::string &name, Request request)
        : m_app(program.add_subcommand(name)), m_request(std::move(request))
    {
        m_app->allow_extras();
    }
    Command(const Command &) = delete; // the declarations point into m_request
    Command &operator=(const Command &) = delete;

    template <typename Kind>
    Kind &request() { return std::get<Kind>(m_request); }

    // "--name"
    void flag(const std::string &name, bool &target)
    {
        declare(m_app->add_flag(name), 0, [&target](const auto &used) { target = !used.empty(); });
    }

    // "--name TEXT" or "--name=TEXT", into a text with a default or an
    // optional one.
    template <typename Text>
    void text(const std::string &name, Text &target)
    {
        declare(m_app->add_option(name), 1, [&target](const auto &used) {
            if (!used.empty())
                target = used.front().front();
        });
    }

    // "--name PRICE QTY", one batch row each time.
    void rows(const std::string &name, BatchInput &target)
    {
        declare(m_app->add_option(name)->type_size(2), 2, [&target](const auto &used) {
            for (const Values &row : used)
                target.rows[target.count++] = {row[0], row[1]};
        });
    }

    // The one argument that is no option; `store` gets nothing when it is missing.
    void operand(const std::string &name, std::function<void(const std::optional<std::string> &)> store)
    {
        CLI::Option *option = m_app->add_option(name);
        m_stores.push_back([option, store = std::move(store)] {
            const std::vector<std::string> &given = option->results();
            store(given.empty() || given.front() == kEndMark ? std::nullopt : std::optional(typed(given.front())));
        });
    }

    bool chosen() const { return m_app->parsed(); }

    Request finish() const
    {
        if (const std::vector<std::string> found = strays(*m_app); !found.empty())
            throw strayArgument(found.front(), m_app->get_name());
        for (const auto &store : m_stores)
            store();
        return m_request;
    }

private:
    void declare(CLI::Option *option, std::size_t arity, std::function<void(const std::vector<Values> &)> store)
    {
        m_stores.push_back([option, arity, store = std::move(store)] { store(uses(*option, arity)); });
    }

    CLI::App *m_app;
    Request m_request;
    std::vector<std::function<void()>> m_stores;
};

// The fee settings and the buy side, as trade and target both take them.
void declareSettings(Command &command, TradeFields &fields, RuleChoice &ruleChoice)
{
    command.text("--rules", ruleChoice.rules);
    command.text("--date", ruleChoice.date);
    command.text("--exchange", fields.zjs);
    command.text("--commission", fields.ComboBox1);
    command.text("--stamp-duty", fields.ComboBox2);
    command.flag("--both-sides", fields.CheckBox1);
    command.flag("--no-minimum", fields.noMinimum);
    command.flag("--levies-on-top", fields.leviesOnTop);
    command.text("--buy-price", fields.jg);
    command.text("--buy-qty", fields.sl);
    command.text("--sell-qty", fields.Edit3);
}

void declareTrade(Command &trade)
{
    TradeRequest &request = trade.request<TradeRequest>();
    declareSettings(trade, request.fields, request.ruleChoice);
    trade.text("--sell-price", request.fields.Edit2);
    trade.rows("--buy-batch", request.buyBatches);
    trade.rows("--sell-batch", request.sellBatches);
    trade.flag("--json", request.json);
}

void declareTarget(Command &target)
{
    TargetRequest &request = target.request<TargetRequest>();
    declareSettings(target, request.fields, request.ruleChoice);
    target.text("--cash-paid", request.cashPaid);
    target.text("--profit", request.profit);
    target.text("--return", request.returnPercent);
    target.flag("--json", request.json);
}

// The local calendar day.
TradeDate today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

// --rules and --date into the fields; the dated-only settings need the
// dated rules.
void applyRuleChoice(const RuleChoice &choice, TradeFields &fields)
{
    const std::string rules = choice.rules.value_or("classic");
    if (rules != "classic" && rules != "dated")
        throw UsageError("unknown rule set " + inQuotes(rules) + " for '--rules' (expected classic or dated)");
    fields.rules = rules == "dated" ? RuleSet::Dated : RuleSet::Classic;
    if (fields.rules == RuleSet::Classic) {
        if (choice.date)
            throw UsageError("option '--date' needs '--rules dated'");
        if (fields.leviesOnTop)
            throw UsageError("option '--levies-on-top' needs '--rules dated'");
        return;
    }
    if (choice.date && !ParseTradeDate(*choice.date))
        throw UsageError("malformed date " + inQuotes(*choice.date) + " for '--date' (expected YYYY-MM-DD)");
    fields.tradeDate = choice.date.value_or(FormatTradeDate(today()));
}

// The parts of a target line that only make sense together.
void checkTarget(TargetRequest &request)
{
    applyRuleChoice(request.ruleChoice, request.fields);
    if (request.profit && request.returnPercent)
        throw UsageError("options '--profit' and '--return' exclude each other");
    if (request.cashPaid && !request.fields.jg.empty())
        throw UsageError("options '--cash-paid' and '--buy-price' exclude each other");
    if (!request.cashPaid && request.fields.jg.empty())
        throw UsageError("target needs '--buy-price' or '--cash-paid'");
    if (request.fields.sl.empty())
        throw UsageError("target needs '--buy-qty'");
}

constexpr std::pair<std::string_view, GoldenMode> kGoldenModes[] = {
    {"up", GoldenMode::Rise}, {"down", GoldenMode::Fall},
    {"bound", GoldenMode::Rebound}, {"callback", GoldenMode::PullBack},
};

GoldenMode goldenMode(const std::optional<std::string> &text)
{
    std::vector<std::string> names;
    for (const auto &[name, mode] : kGoldenModes) {
        if (text == name)
            return mode;
        names.emplace_back(name);
    }
    const std::string expected = alternatives(names);
    throw UsageError(text ? "unknown golden mode " + inQuotes(*text) + " (expected " + expected + ")"
                          : "missing golden mode (" + expected + ")");
}

void declareGolden(Command &golden)
{
    GoldenRequest &request = golden.request<GoldenRequest>();
    golden.text("--low", request.fields.Edit1);
    golden.text("--high", request.fields.Edit2);
    golden.flag("--json", request.json);
    golden.operand("mode", [&request](const auto &text) { request.mode = goldenMode(text); });
}

//   -> "trade, golden or target"
std::string commandNames(const CLI::App &program)
{
    std::vector<std::string> names;
    for (const CLI::App *command : program.get_subcommands({}))
        names.push_back(command->get_name());
    return alternatives(names);
}

} // namespace

Request ParseArguments(std::span<const std::string> args)
{
    CLI::App program("", "tallyfin-cli");
    program.allow_extras();
    // After the command, another command's name is a stray word.
    program.require_subcommand(0, 1);
    // Every use is kept, so that a repeat is reported in our words.
    program.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    Command trade(program, "trade", TradeRequest{});
    declareTrade(trade);
    Command golden(program, "golden", GoldenRequest{});
    declareGolden(golden);
    Command target(program, "target", TargetRequest{});
    declareTarget(target);

    try {
        program.parse(markedForCli11(args));
    } catch (const CLI::CallForHelp &) {
        return HelpRequest{}; // wherever --help stands, as CLI11 has it
    } catch (const CLI::ParseError &error) {
        throw UsageError(error.what());
    }
    const std::string expected = commandNames(program);
    if (const std::vector<std::string> found = strays(program); !found.empty())
        throw UsageError("unknown command " + inQuotes(found.front()) + " (expected " + expected + ")");
    for (const Command *command : {&trade, &golden, &target}) {
        if (!command->chosen())
            continue;
        Request request = command->finish();
        if (auto *tradeRequest = std::get_if<TradeRequest>(&request))
            applyRuleChoice(tradeRequest->ruleChoice, tradeRequest->fields);
        if (auto *targetRequest = std::get_if<TargetRequest>(&request))
            checkTarget(*targetRequest);
        return request;
    }
    throw UsageError("missing command (" + expected + ")");
}

} // namespace tallyfin
