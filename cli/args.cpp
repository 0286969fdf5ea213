#include "args.h"

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

namespace tallyfin {

namespace {

enum class Arity { Flag, Text, Pair };

struct KnownOption {
    std::string_view name;
    Arity arity;
};

constexpr KnownOption kTradeOptions[] = {
    {"--exchange", Arity::Text},   {"--commission", Arity::Text}, {"--stamp-duty", Arity::Text},
    {"--both-sides", Arity::Flag}, {"--buy-price", Arity::Text},  {"--buy-qty", Arity::Text},
    {"--sell-price", Arity::Text}, {"--sell-qty", Arity::Text},   {"--buy-batch", Arity::Pair},
    {"--sell-batch", Arity::Pair}, {"--json", Arity::Flag},       {"--help", Arity::Flag},
};

constexpr KnownOption kGoldenOptions[] = {
    {"--low", Arity::Text}, {"--high", Arity::Text}, {"--json", Arity::Flag}, {"--help", Arity::Flag},
};

constexpr std::pair<std::string_view, std::string TradeFields::*> kTradeTextFields[] = {
    {"--exchange", &TradeFields::zjs},   {"--commission", &TradeFields::ComboBox1},
    {"--stamp-duty", &TradeFields::ComboBox2}, {"--buy-price", &TradeFields::jg},
    {"--buy-qty", &TradeFields::sl},     {"--sell-price", &TradeFields::Edit2},
    {"--sell-qty", &TradeFields::Edit3},
};

constexpr std::pair<std::string_view, GoldenMode> kGoldenModes[] = {
    {"up", GoldenMode::Rise}, {"down", GoldenMode::Fall},
    {"bound", GoldenMode::Rebound}, {"callback", GoldenMode::PullBack},
};

// One option with its values, or a positional argument (empty name, one value).
struct Token {
    std::string_view name;
    std::vector<std::string> values;
};

std::string quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

class ArgumentReader {
public:
    ArgumentReader(std::span<const std::string> args, std::span<const KnownOption> options,
                   std::string_view command)
        : m_args(args), m_options(options), m_command(command) {}

    bool done() const { return m_next == m_args.size(); }

    Token next()
    {
        const std::string &arg = m_args[m_next++];
        if (arg.size() < 2 || arg.front() != '-')
            return {{}, {arg}};
        const std::size_t equals = arg.find('=');
        const std::string_view typed = std::string_view(arg).substr(0, equals);
        const KnownOption &option = lookUp(typed);
        Token token{option.name, {}};
        if (equals != std::string::npos) {
            if (option.arity == Arity::Flag)
                throw UsageError("option " + quoted(typed) + " takes no value");
            token.values.push_back(arg.substr(equals + 1));
        }
        const std::size_t wanted = option.arity == Arity::Pair ? 2 : option.arity == Arity::Text ? 1 : 0;
        while (token.values.size() < wanted) {
            if (done())
                throw UsageError("option " + quoted(option.name)
                                 + (wanted == 2 ? " needs a price and a quantity" : " needs a value"));
            token.values.push_back(m_args[m_next++]);
        }
        return token;
    }

private:
    const KnownOption &lookUp(std::string_view name) const
    {
        const std::string_view wanted = name == "-h" ? "--help" : name;
        const auto found = std::find_if(m_options.begin(), m_options.end(),
                                        [wanted](const KnownOption &option) { return option.name == wanted; });
        if (found == m_options.end())
            throw UsageError("unknown option " + quoted(name) + " for " + std::string(m_command));
        return *found;
    }

    std::span<const std::string> m_args;
    std::span<const KnownOption> m_options;
    std::string_view m_command;
    std::size_t m_next = 0;
};

// Options that set one thing may appear once: a second one would silently
// overrule the first.
void checkOnce(std::set<std::string_view> &seen, std::string_view name)
{
    if (!seen.insert(name).second)
        throw UsageError("option " + quoted(name) + " given more than once");
}

void addBatch(BatchInput &batches, const Token &option)
{
    if (batches.count == kBatchRows)
        throw UsageError("too many " + quoted(option.name) + " rows (at most "
                         + std::to_string(kBatchRows) + ")");
    batches.rows[batches.count++] = {option.values[0], option.values[1]};
}

void applyTradeOption(TradeRequest &request, const Token &option)
{
    if (option.name == "--buy-batch")
        return addBatch(request.buyBatches, option);
    if (option.name == "--sell-batch")
        return addBatch(request.sellBatches, option);
    if (option.name == "--both-sides")
        request.fields.CheckBox1 = true;
    else if (option.name == "--json")
        request.json = true;
    for (const auto &[name, field] : kTradeTextFields)
        if (option.name == name)
            request.fields.*field = option.values[0];
}

Request parseTrade(std::span<const std::string> args)
{
    TradeRequest request;
    std::set<std::string_view> seen;
    ArgumentReader reader(args, kTradeOptions, "trade");
    while (!reader.done()) {
        const Token token = reader.next();
        if (token.name.empty())
            throw UsageError("unexpected argument " + quoted(token.values[0]) + " for trade");
        if (token.name == "--help")
            return HelpRequest{};
        if (!token.name.ends_with("-batch"))
            checkOnce(seen, token.name);
        applyTradeOption(request, token);
    }
    return request;
}

GoldenMode goldenMode(const std::string &text)
{
    for (const auto &[name, mode] : kGoldenModes)
        if (text == name)
            return mode;
    throw UsageError("unknown golden mode " + quoted(text) + " (expected up, down, bound or callback)");
}

Request parseGolden(std::span<const std::string> args)
{
    GoldenRequest request;
    std::optional<GoldenMode> mode;
    std::set<std::string_view> seen;
    ArgumentReader reader(args, kGoldenOptions, "golden");
    while (!reader.done()) {
        const Token token = reader.next();
        if (token.name == "--help")
            return HelpRequest{};
        if (token.name.empty() && mode)
            throw UsageError("unexpected argument " + quoted(token.values[0]) + " for golden");
        if (token.name.empty()) {
            mode = goldenMode(token.values[0]);
            continue;
        }
        checkOnce(seen, token.name);
        if (token.name == "--low")
            request.fields.Edit1 = token.values[0];
        else if (token.name == "--high")
            request.fields.Edit2 = token.values[0];
        else
            request.json = true;
    }
    if (!mode)
        throw UsageError("missing golden mode (up, down, bound or callback)");
    request.mode = *mode;
    return request;
}

} // namespace

Request ParseArguments(std::span<const std::string> args)
{
    if (args.empty())
        throw UsageError("missing command (trade or golden)");
    const std::string &command = args.front();
    if (command == "--help" || command == "-h")
        return HelpRequest{};
    if (command == "trade")
        return parseTrade(args.subspan(1));
    if (command == "golden")
        return parseGolden(args.subspan(1));
    throw UsageError("unknown command " + quoted(command) + " (expected trade or golden)");
}

} // namespace tallyfin
