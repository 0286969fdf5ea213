#include <CLI/CLI.hpp>

#include "command.h"
#include "positionsoutput.h"
#include "messages.h"
#include "positionstable.h"
#include "table.h"
#include "terminal.h"

namespace tallyfin {

namespace {

using statement::kPositionColumns;
using statement::PositionColumn;
using statement::SkippedRow;
using statement::Statement;
using statement::UnreadableRow;

} // namespace

nlohmann::ordered_json PositionsJson(const Statement &statement, const statement::StatementPositions &p,
                                   const Ending &ending)
{
    nlohmann::ordered_json positions = nlohmann::ordered_json::array(), oversold = positions,
                           skipped = positions, unreadable = positions;
    for (const PositionReport &position : p.report.positions) {
        const PositionTexts texts = FormatPosition(position, kDecimalPoint);
        nlohmann::ordered_json object;
        for (const PositionColumn &column : kPositionColumns)
            object[std::string(column.key)] = TextOrNull(texts.*column.text);
        positions.push_back(object);
    }
    for (const OversoldSale &sale : p.report.oversold)
        oversold.push_back({{"line", sale.line}, {"code", sale.code}, {"sold", sale.sold.toString()},
                            {"held", sale.held.toString()}});
    for (const SkippedRow &row : p.skipped)
        skipped.push_back({{"line", row.line}, {"code", row.code}, {"name", row.name},
                           {"operation", row.operation}, {"reason", statement::EnglishText(row.reason)}});
    for (const UnreadableRow &row : statement.unreadable)
        unreadable.push_back({{"line", row.line}, {"reason", statement::EnglishText(row)}});
    return {{"positions", positions}, {"oversold", oversold}, {"skipped", skipped},
            {"unreadable", unreadable}, {"error", ending.error ? nlohmann::ordered_json(*ending.error) : nullptr}};
}

std::string PositionsTable(const Statement &statement, const statement::StatementPositions &p)
{
    if (statement.failure)
        return {};
    GridTable grid;
    std::vector<std::string> headings;
    for (const PositionColumn &column : kPositionColumns)
        headings.emplace_back(column.heading);
    grid.addRow(std::move(headings));
    for (const PositionReport &position : p.report.positions) {
        const PositionTexts texts = FormatPosition(position, kDecimalPoint);
        std::vector<std::string> cells;
        for (const PositionColumn &column : kPositionColumns)
            cells.push_back(texts.*column.text);
        grid.addRow(std::move(cells));
    }
    std::string text = grid.render() + '\n';
    for (std::string_view convention : statement::kPositionConventions)
        text += std::string(convention) + '\n';
    for (const OversoldSale &sale : p.report.oversold)
        text += TerminalText(statement::EnglishText(sale)) + '\n';
    for (const SkippedRow &row : p.skipped)
        text += TerminalText(statement::EnglishText(row)) + '\n';
    for (const UnreadableRow &row : statement.unreadable)
        text += "line " + std::to_string(row.line) + " could not be read: " + statement::EnglishText(row) + '\n';
    return text;
}

namespace {

// "positions": what each security of a statement cost, under three conventions.
class PositionsCommand : public Command {
public:
    CLI::App *declare(CLI::App &program) override
    {
        CLI::App *command = program.add_subcommand(
            "positions", "what each holding of a statement (交割单) cost: diluted, moving-average and FIFO");
        command->add_option("file", m_file, "the statement as the broker's client exported it")->required();
        command->add_flag("--json", m_json, "print one JSON object instead of a table");
        return command;
    }

    int run(const Output &output) const override
    {
        const Statement statement = statement::ReadStatementFile(m_file);
        Ending ending;
        statement::StatementPositions positions;
        if (statement.failure)
            ending.error = statement::EnglishText(*statement.failure);
        else
            positions = statement::PositionsOfStatement(statement);
        return Report(output,
                      m_json ? JsonLine(PositionsJson(statement, positions, ending)) : PositionsTable(statement, positions),
                      m_json, ending);
    }

private:
    std::string m_file;
    bool m_json = false;
};

} // namespace

std::unique_ptr<Command> MakePositionsCommand() { return std::make_unique<PositionsCommand>(); }

} // namespace tallyfin
