#include "tradeoptions.h"

#include <CLI/CLI.hpp>

#include <ctime>

#include "hkfees.h"

namespace tallyfin {

namespace {

// The local calendar day.
TradeDate today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

const CLI::Validator kTradeDate(
    [](const std::string &text) { return ParseTradeDate(text) ? std::string() : "expected a date YYYY-MM-DD"; },
    "YYYY-MM-DD");

std::string perMille(const std::string &rate) { return rate.empty() ? rate : rate + " ‰"; }

std::string yesNo(bool yes) { return yes ? "是" : "否"; }

nlohmann::ordered_json rowJson(const FeeRuleRow &row)
{
    return {{"item", FeeItemKey(row.item)},
            {"from", row.effectiveFrom},
            {"markets", MarketsText(row.markets)},
            {"basis", FeeBasisKey(row.basis)},
            {"ratePerMille", row.ratePerMille},
            {"sides", FeeSidesKey(row.sides)},
            {"minimum", row.minimumYuan.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(row.minimumYuan)},
            {"mark", ConfidenceMark(row.confidence)},
            {"shownSeparately", row.shownSeparately},
            {"source", row.source}};
}

nlohmann::ordered_json textOrNull(std::string_view text)
{
    return text.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(text);
}

// A Hong Kong row: rates per cent of the HKD amount, sums in HKD.
nlohmann::ordered_json hkRowJson(const HkFeeRuleRow &row)
{
    return {{"item", HkFeeItemKey(row.item)},
            {"from", row.effectiveFrom},
            {"markets", MarketName(Market::HongKong)},
            {"ratePercent", row.ratePercent},
            {"perTradeHkd", textOrNull(row.perTradeHkd)},
            {"minimumHkd", textOrNull(row.minimumHkd)},
            {"maximumHkd", textOrNull(row.maximumHkd)},
            {"rounding", row.rounding == HkRounding::UpToDollar ? "upToDollar" : "halfUpToCent"},
            {"mark", ConfidenceMark(row.confidence)},
            {"source", row.source}};
}

// The rule set and the trade date into the fields.
void applyRuleChoice(TradeOptions &options)
{
    TradeFields &f = options.fields;
    f.rules = options.rules == "dated" ? RuleSet::Dated : RuleSet::Classic;
    if (f.rules == RuleSet::Dated) {
        f.tradeDate = options.date.value_or(FormatTradeDate(today()));
        return;
    }
    if (options.date)
        throw CLI::ValidationError("--date", "needs --rules dated");
    if (f.leviesOnTop)
        throw CLI::ValidationError("--levies-on-top", "needs --rules dated");
}

// 港股通's settlement rates: the dated rules' options of that market alone.
void addSettlementRates(CLI::App &command, TradeOptions &options)
{
    TradeFields &f = options.fields;
    command.add_option("--buy-rate", f.buyRate,
                       "港股通: China Clear's settlement rate of the buy, yuan per HKD (买入结算汇率), e.g. 0.93358");
    command.add_option("--sell-rate", f.sellRate, "港股通: the settlement rate of the sale (卖出结算汇率)");
}

// The trade date, exchange and commission rate: the first fee options of both kinds of command.
void addDateExchangeCommission(CLI::App &command, TradeOptions &options, const std::string &exchangeHelp)
{
    TradeFields &f = options.fields;
    command.add_option("--date", options.date, "trade date (成交日期) of the dated rules, default today")
        ->check(kTradeDate);
    command.add_option("--exchange", f.market, exchangeHelp)->capture_default_str();
    command.add_option("--commission", f.commissionRate, "commission rate in ‰ (佣金)")->capture_default_str();
}

// 免五, 规费另计 and --json: the last ones. Returns --json.
CLI::Option *addAccountOptions(CLI::App &command, TradeOptions &options)
{
    TradeFields &f = options.fields;
    command.add_flag("--no-minimum", f.noMinimum, "no minimum commission (免五)");
    command.add_flag("--levies-on-top", f.leviesOnTop,
                     "handling and management fees on top of the commission (规费另计), dated rules");
    return command.add_flag("--json", options.json, "print one JSON object instead of a table");
}

} // namespace

CLI::App *AddTradeCommand(CLI::App &program, const std::string &name, const std::string &description,
                          TradeOptions &options)
{
    CLI::App &command = *program.add_subcommand(name, description);
    TradeFields &f = options.fields;
    command.add_option("--rules", options.rules, "fee rules (费率规则): the classic schedule, or the statutory "
                                                 "fees of the trade date (按成交日期)")
        ->check(CLI::IsMember({"classic", "dated"}))
        ->capture_default_str();
    addDateExchangeCommission(command, options, "exchange (证交所); --rules dated offers more");
    command.add_option("--stamp-duty", f.stampDutyRate, "stamp duty rate in ‰ (印花税), classic rules")
        ->capture_default_str();
    command.add_flag("--both-sides", f.stampDutyBothSides, "stamp duty on the buy too (印花税双边征收)");
    addSettlementRates(command, options);
    AddJsonKeysOption(command, addAccountOptions(command, options), options.jsonKeys);
    command.callback([&options, &command] {
        applyRuleChoice(options);
        RequireHongKongOptions(command, TradesHongKong(options.fields));
    });
    return &command;
}

void RequireHongKongOptions(const CLI::App &command, bool hongKong)
{
    if (hongKong)
        return;
    for (const char *name : {"--buy-rate", "--sell-rate", "--lot"})
        if (const CLI::Option *option = command.get_option_no_throw(name); option && option->count() > 0)
            throw CLI::ValidationError(name, "needs --exchange 港股通");
}

CLI::App *AddDatedCommand(CLI::App &program, const std::string &name, const std::string &description,
                          TradeOptions &options)
{
    CLI::App &command = *program.add_subcommand(name, description);
    options.rules = "dated";
    addDateExchangeCommission(command, options, "exchange (证交所) of the dated rules, when no --code names it");
    addSettlementRates(command, options);
    addAccountOptions(command, options);
    command.callback([&options] { applyRuleChoice(options); });
    return &command;
}

std::string PriceCaption(std::string_view caption, bool hongKong)
{
    constexpr std::string_view kYuan = "(元)";
    std::string text(caption);
    if (const std::size_t unit = text.rfind(kYuan); hongKong && unit != std::string::npos)
        text.replace(unit, kYuan.size(), "(港元)");
    return text;
}

bool TradesHongKong(const TradeFields &fields)
{
    return fields.rules == RuleSet::Dated && MarketNamed(fields.market, RuleSet::Dated) == Market::HongKong;
}

std::optional<AppliedRules> RulesApplied(const TradeFields &fields)
{
    if (fields.rules != RuleSet::Dated)
        return std::nullopt;
    AppliedRules applied{fields.tradeDate, fields.market, std::nullopt, fields.leviesOnTop};
    const std::optional<TradeDate> date = ParseTradeDate(fields.tradeDate);
    const std::optional<Market> market = MarketNamed(fields.market, RuleSet::Dated);
    try {
        if (date && market)
            applied.rules = RulesFor(*date, *market);
    } catch (const EFeeRulesError &) {
        // The calculation reports it.
    }
    return applied;
}

void AddSettings(TextTable &table, const TradeFields &f, const std::optional<AppliedRules> &applied)
{
    if (applied) {
        table.addRow("费率规则", std::string(RuleSetName(RuleSet::Dated)));
        table.addRow("成交日期", applied->date);
    }
    table.addRow("证 交 所", f.market);
    table.addRow("佣    金", perMille(f.commissionRate));
    if (!applied) {
        table.addRow("印 花 税", perMille(f.stampDutyRate));
        table.addRow("印花税双边征收", yesNo(f.stampDutyBothSides));
        if (f.noMinimum)
            table.addRow("免    五", yesNo(true));
        return;
    }
    if (applied->rules && applied->rules->hongKong()) {
        // Hong Kong's fees are the table's; the rates convert them.
        table.addRow("买入结算汇率", f.buyRate);
        table.addRow("卖出结算汇率", f.sellRate);
        table.addRow("免    五", yesNo(f.noMinimum));
        return;
    }
    if (applied->rules) {
        const FeeRuleRow &stampDuty = *applied->rules->stampDuty;
        table.addRow("印 花 税", perMille(std::string(stampDuty.ratePerMille)));
        table.addRow("印花税双边征收", yesNo(stampDuty.sides == FeeSides::Both));
    }
    table.addRow("免    五", yesNo(f.noMinimum));
    table.addRow("规费另计", yesNo(f.leviesOnTop));
}

void AddRulesInForce(TextTable &table, const std::optional<AppliedRules> &applied)
{
    if (!applied || !applied->rules)
        return;
    table.addBlankLine();
    const std::string_view rounding = applied->rules->hongKong() ? kHkConversion : "各项费用分别四舍五入到分";
    table.addHeading("规则：" + DescribeRules(*applied->rules, applied->leviesOnTop) + "；" + std::string(rounding));
    for (std::string_view note : RuleNotes(*applied->rules, applied->leviesOnTop))
        table.addHeading("注：" + std::string(note));
}

std::string_view RuleSetKey(RuleSet rules) { return rules == RuleSet::Dated ? "dated" : "classic"; }

nlohmann::ordered_json RulesJson(const std::optional<AppliedRules> &applied)
{
    if (!applied)
        return {{"set", RuleSetKey(RuleSet::Classic)}};
    nlohmann::ordered_json rows = nlohmann::ordered_json::array(), notes = nlohmann::ordered_json::array();
    if (applied->rules && applied->rules->hongKong()) {
        const HkRulesInForce hongKong = HkRulesFor(applied->rules->date);
        for (const HkFeeItem item : kHkFeeItems)
            rows.push_back(hkRowJson(hongKong.row(item)));
    } else if (applied->rules) {
        for (const FeeItem item : {FeeItem::StampDuty, FeeItem::TransferFee, FeeItem::HandlingFee, FeeItem::ManagementFee})
            rows.push_back(rowJson(applied->rules->row(item)));
    }
    if (applied->rules) {
        for (std::string_view note : RuleNotes(*applied->rules, applied->leviesOnTop))
            notes.push_back(note);
    }
    return {{"set", RuleSetKey(RuleSet::Dated)}, {"date", applied->date}, {"market", applied->market},
            {"leviesOnTop", applied->leviesOnTop}, {"rows", rows}, {"notes", notes}};
}

} // namespace tallyfin
