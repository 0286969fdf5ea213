#include "positionoptions.h"

#include <CLI/CLI.hpp>

#include "security.h"

namespace tallyfin {

namespace {

// The market a code names; nullopt for one Tallyfin cannot price (the
// calculation says so).
std::optional<Market> marketOfCode(const std::string &code)
{
    if (IsHongKongTrade({code, {}, {}}))
        return Market::HongKong;
    const std::optional<Security> security = SecurityOfCode(code);
    return security ? std::optional(MarketOfSecurity(*security)) : std::nullopt;
}

// A code the exchange list would price otherwise is a contradiction, not a choice.
void requireCodeAgreesWithExchange(const PositionOptions &options)
{
    if (options.exchange->count() == 0 || options.codeOption->count() == 0)
        return;
    const std::optional<Market> named = marketOfCode(options.code);
    if (!named)
        return;
    const Market market = *named;
    const std::string &exchange = options.trade.fields.market;
    if (MarketNamed(exchange, RuleSet::Dated) != market)
        throw CLI::ValidationError("--code", options.code + " is traded as " + std::string(MarketName(market))
                                                 + ", not " + exchange);
}

// The fields as the output shows them: the market is the code's.
TradeFields shownFields(const PositionOptions &options, const std::optional<PositionTerms> &terms)
{
    TradeFields fields = options.trade.fields;
    if (terms)
        fields.market = std::string(MarketName(terms->fees.rules().market));
    return fields;
}

} // namespace

CLI::App *AddPositionCommand(CLI::App &program, const std::string &name, const std::string &description,
                             PositionOptions &options)
{
    CLI::App *command = AddDatedCommand(program, name, description, options.trade);
    options.exchange = command->get_option("--exchange");
    options.codeOption = command->add_option("--code", options.code,
                                              "security code (代码): its market, board, tick and lot");
    command->add_option("--lot", options.boardLot, "港股通: the company's board lot (每手股数)");
    command->parse_complete_callback([&options, command] {
        requireCodeAgreesWithExchange(options);
        const std::optional<Market> market = options.codeOption->count() > 0
                                                 ? marketOfCode(options.code)
                                                 : MarketNamed(options.trade.fields.market, RuleSet::Dated);
        RequireHongKongOptions(*command, market == Market::HongKong);
    });
    return command;
}

void AddPositionSettings(TextTable &table, const PositionOptions &options, const std::optional<PositionTerms> &terms)
{
    const TradeFields fields = shownFields(options, terms);
    AddSettings(table, fields, RulesApplied(fields));
    if (!options.code.empty())
        table.addRow("代    码", options.code);
    if (terms)
        table.addHeading(DescribeTerms(*terms, kDecimalPoint).toString());
}

void AddPositionRules(TextTable &table, const PositionOptions &options, const std::optional<PositionTerms> &terms)
{
    AddRulesInForce(table, RulesApplied(shownFields(options, terms)));
}

} // namespace tallyfin
