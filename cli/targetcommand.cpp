#include <CLI/CLI.hpp>

#include "command.h"
#include "tradeoptions.h"
#include "target.h"

namespace tallyfin {

namespace {

nlohmann::ordered_json textOrNull(const std::string *text)
{
    return text ? nlohmann::ordered_json(*text) : nlohmann::ordered_json(nullptr);
}

// The search starts from the bought side: an empty price or quantity leaves nothing to start from.
const CLI::Validator kNotEmpty([](const std::string &text) { return text.empty() ? "may not be empty" : std::string(); },
                               "");

// "target": the lowest sell price that reaches a profit, a return, or
// breaks even, from the buy side or the cash paid.
class TargetCommand : public Command {
public:
    CLI::App *declare(CLI::App &program) override
    {
        CLI::App *target = AddTradeCommand(program, "target", "the lowest sell price reaching a target", m_options);
        TradeFields &f = m_options.fields;
        CLI::Option_group *bought = target->add_option_group("buy side", "the buy price, or the cash paid");
        bought->add_option("--buy-price", f.buyPrice, "buy price (买入价格)")->check(kNotEmpty);
        bought->add_option("--cash-paid", m_cashPaid, "cash paid (实付金额)");
        bought->require_option(1);
        target->add_option("--buy-qty", f.buyQuantity, "bought quantity (买入数量)")->required()->check(kNotEmpty);
        target->add_option("--sell-qty", f.sellQuantity, "quantity to sell (卖出数量), default the bought quantity");
        CLI::Option *profit = target->add_option("--profit", m_profit, "reach this profit in yuan (目标盈利)");
        target->add_option("--return", m_returnPercent, "or this return in % of the cash paid (目标收益率); "
                                                        "neither: break even (保本)")
            ->excludes(profit);
        return target;
    }

    int run(const Output &output) const override
    {
        TradeFields f = m_options.fields;
        const TargetKind kind = m_profit ? TargetKind::Profit : m_returnPercent ? TargetKind::Return : TargetKind::BreakEven;
        std::optional<TargetSolution> solution;
        Ending ending;
        try {
            // The cash paid as given, or as the buy side computes it.
            if (m_cashPaid)
                f.cashPaid = *m_cashPaid;
            else
                CalculateTrade(f, kDecimalPoint);
            solution = SolveTarget(f, kind, m_profit.value_or(m_returnPercent.value_or("")), kDecimalPoint);
            ending.message = solution->message;
        } catch (const Error &error) {
            ending.error = ErrorText(error);
        }
        const SaleTexts *at = solution && !solution->message ? &solution->atTarget : nullptr;
        const SaleTexts *below = at && solution->tickBelow ? &*solution->tickBelow : nullptr;
        const bool asJson = m_options.json;
        return Report(output, asJson ? JsonLine(json(f, at, below, ending, m_options.jsonKeys)) : table(f, at, below),
                      asJson, ending);
    }

private:
    // Prices and money are null when no price reaches the target. The keys
    // were always named; schema 2 says so, and the fields keys leave it out
    // as earlier releases did.
    static nlohmann::ordered_json json(const TradeFields &f, const SaleTexts *at, const SaleTexts *below,
                                       const Ending &ending, JsonKeys keys)
    {
        nlohmann::ordered_json object = nlohmann::ordered_json::object();
        if (keys == JsonKeys::Names)
            object["schema"] = kJsonSchema;
        object.update({
            {"price", textOrNull(at ? &at->price : nullptr)},
            {"netReceipts", textOrNull(at ? &at->netReceipts : nullptr)},
            {"profit", textOrNull(at ? &at->profit : nullptr)},
            {"returnPercent", textOrNull(at ? &at->returnPercent : nullptr)},
            {"tickBelow", below ? nlohmann::ordered_json{{"price", below->price}, {"profit", below->profit}}
                                : nlohmann::ordered_json(nullptr)},
            {"rules", RulesJson(RulesApplied(f))}});
        AddEnding(object, ending);
        return object;
    }

    // The settings, the cash paid and quantity, the target price with what
    // selling there and one tick lower yields.
    static std::string table(const TradeFields &f, const SaleTexts *at, const SaleTexts *below)
    {
        const std::optional<AppliedRules> applied = RulesApplied(f);
        TextTable table;
        AddSettings(table, f, applied);
        table.addBlankLine();
        table.addHeading("目标卖价");
        table.addRow("  实付金额(元)", f.cashPaid);
        table.addRow("  卖出数量(股)", f.sellQuantity.empty() ? f.buyQuantity : f.sellQuantity);
        if (at) {
            table.addRow("  " + PriceCaption("目标卖价(元)", TradesHongKong(f)), at->price);
            table.addRow("  实收金额(元)", at->netReceipts);
            table.addRow("  盈亏金额(元)", at->profit);
            table.addRow("  收 益 率(%)", at->returnPercent);
        }
        if (below) {
            table.addRow("  " + PriceCaption("低一档卖价(元)", TradesHongKong(f)), below->price);
            table.addRow("  低一档盈亏(元)", below->profit);
        }
        AddRulesInForce(table, applied);
        return table.render(false);
    }

    TradeOptions m_options;
    std::optional<std::string> m_cashPaid, m_profit, m_returnPercent;
};

} // namespace

std::unique_ptr<Command> MakeTargetCommand() { return std::make_unique<TargetCommand>(); }

} // namespace tallyfin
