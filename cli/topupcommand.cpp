#include <CLI/CLI.hpp>

#include "command.h"
#include "positionoptions.h"

namespace tallyfin {

namespace {

// "top-up": the smallest purchase that brings the cost per share down to a target (补仓).
class TopUpCommand : public Command {
public:
    CLI::App *declare(CLI::App &program) override
    {
        CLI::App *command = AddPositionCommand(program, "top-up",
                                               "the smallest purchase bringing the cost per share to a target (补仓)",
                                               m_options);
        command->add_option("--holding", m_fields.holding, "shares held (持仓数量)")->required();
        CLI::Option_group *cost = command->add_option_group("cost", "the cost per share, or the cash paid in all");
        cost->add_option("--cost", m_fields.cost, "cost per share, fees included (持仓成本价)");
        cost->add_option("--cash-paid", m_fields.cashPaid, "or the cash the holding took in all (买入总额)");
        cost->require_option(1);
        command->add_option("--price", m_fields.price, "price to buy at (补仓价格)")->required();
        command->add_option("--target-cost", m_fields.targetCost, "cost per share to reach (目标成本)")->required();
        return command;
    }

    int run(const Output &output) const override
    {
        TopUpFields f = m_fields;
        PositionRun run =
            RunPosition(m_options, [&](const PositionTerms &terms) { return CalculateTopUp(terms, f, kDecimalPoint); });
        // No purchase needed is an answer (quantity 0), not a goal out of reach.
        if (!f.quantity.empty())
            run.ending.note = std::exchange(run.ending.message, std::nullopt);
        static constexpr PositionResult<TopUpFields> kResults[] = {
            {"quantity", "  买入数量(股)", &TopUpFields::quantity},
            {nullptr, "  交易金额(元)", &TopUpFields::amount},
            {"fees", "  费用合计(元)", &TopUpFields::fees},
            {"cash", "  实付金额(元)", &TopUpFields::cash},
            {"newCost", "  补仓后成本(元)", &TopUpFields::newCost}};
        return ReportPosition(output, m_options, run, "补仓", f, kResults);
    }

private:
    PositionOptions m_options;
    TopUpFields m_fields;
};

} // namespace

std::unique_ptr<Command> MakeTopUpCommand() { return std::make_unique<TopUpCommand>(); }

} // namespace tallyfin
