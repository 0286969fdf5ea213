#include <CLI/CLI.hpp>

#include "command.h"
#include "positionoptions.h"

namespace tallyfin {

namespace {

// "recover": the smallest sale that gets back the cash put in (回本).
class RecoverCommand : public Command {
public:
    CLI::App *declare(CLI::App &program) override
    {
        CLI::App *command = AddPositionCommand(program, "recover",
                                               "the smallest sale getting back the cash put in (回本)", m_options);
        command->add_option("--holding", m_fields.holding, "shares held (持仓数量)")->required();
        command->add_option("--cash-in", m_fields.cashIn, "cash put into them (投入资金)")->required();
        command->add_option("--price", m_fields.price, "price to sell at (卖出价格)")->required();
        return command;
    }

    int run(const Output &output) const override
    {
        RecoverFields f = m_fields;
        const PositionRun run =
            RunPosition(m_options, [&](const PositionTerms &terms) { return CalculateRecover(terms, f, kDecimalPoint); });
        static constexpr PositionResult<RecoverFields> kResults[] = {
            {"quantity", "  卖出数量(股)", &RecoverFields::quantity},
            {nullptr, "  交易金额(元)", &RecoverFields::amount},
            {nullptr, "  费用合计(元)", &RecoverFields::fees},
            {"netReceipts", "  实收金额(元)", &RecoverFields::netReceipts},
            {"remaining", "  剩余持股(股)", &RecoverFields::remaining},
            {"shortfall", "  尚差金额(元)", &RecoverFields::shortfall}};
        return ReportPosition(output, m_options, run, "回本", f, kResults);
    }

private:
    PositionOptions m_options;
    RecoverFields m_fields;
};

} // namespace

std::unique_ptr<Command> MakeRecoverCommand() { return std::make_unique<RecoverCommand>(); }

} // namespace tallyfin
