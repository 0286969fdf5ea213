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
        const bool asJson = m_options.trade.json;
        return Report(output, asJson ? JsonLine(json(f, run.ending)) : table(f, run), asJson, run.ending);
    }

private:
    static nlohmann::ordered_json json(const RecoverFields &f, const Ending &ending)
    {
        nlohmann::ordered_json object{{"quantity", TextOrNull(f.quantity)},
                                      {"netReceipts", TextOrNull(f.netReceipts)},
                                      {"remaining", TextOrNull(f.remaining)},
                                      {"shortfall", TextOrNull(f.shortfall)}};
        AddEnding(object, ending);
        return object;
    }

    std::string table(const RecoverFields &f, const PositionRun &run) const
    {
        TextTable table;
        AddPositionSettings(table, m_options, run.terms);
        table.addBlankLine();
        table.addHeading("回本");
        table.addRow("  卖出数量(股)", f.quantity);
        table.addRow("  交易金额(元)", f.amount);
        table.addRow("  费用合计(元)", f.fees);
        table.addRow("  实收金额(元)", f.netReceipts);
        table.addRow("  剩余持股(股)", f.remaining);
        table.addRow("  尚差金额(元)", f.shortfall);
        AddPositionRules(table, m_options, run.terms);
        return table.render(false);
    }

    PositionOptions m_options;
    RecoverFields m_fields;
};

} // namespace

std::unique_ptr<Command> MakeRecoverCommand() { return std::make_unique<RecoverCommand>(); }

} // namespace tallyfin
