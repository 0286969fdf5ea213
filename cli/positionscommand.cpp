#include <CLI/CLI.hpp>

#include <algorithm>

#include "command.h"
#include "holdings.h"
#include "messages.h"
#include "terminal.h"

namespace tallyfin {

namespace {

using statement::SkippedRow;
using statement::Statement;
using statement::UnreadableRow;

// The JSON key and the table's heading of each column.
struct PositionColumn {
    std::string_view key, heading;
    std::string PositionTexts::*text;
};

constexpr PositionColumn kColumns[] = {
    {"code", "代码", &PositionTexts::code},
    {"name", "名称", &PositionTexts::name},
    {"shares", "持股", &PositionTexts::shares},
    {"dilutedCost", "摊薄成本", &PositionTexts::dilutedCost},
    {"averageCost", "移动平均成本", &PositionTexts::averageCost},
    {"realizedAverage", "已实现(移动平均)", &PositionTexts::realizedAverage},
    {"realizedFifo", "已实现(先进先出)", &PositionTexts::realizedFifo},
    {"fees", "费用", &PositionTexts::fees},
    {"dividends", "股息(税后)", &PositionTexts::dividends},
};

constexpr std::size_t kColumnGap = 2;

// Columns padded by display width, as TextTable pads its captions.
std::string columnsText(const std::vector<std::vector<std::string>> &rows)
{
    std::vector<std::size_t> widths(std::size(kColumns), 0);
    for (const auto &row : rows)
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    std::string text;
    for (const auto &row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            line += row[c];
            if (c + 1 < row.size())
                line.append(widths[c] - DisplayWidth(row[c]) + kColumnGap, ' ');
        }
        text += line + '\n';
    }
    return text;
}

std::string oversoldText(const OversoldSale &sale)
{
    return "line " + std::to_string(sale.line) + ": " + sale.code + " sold " + sale.sold.toString()
           + " shares with only " + sale.held.toString() + " held; the sale and its fees were skipped";
}

std::string skippedText(const SkippedRow &row)
{
    return "line " + std::to_string(row.line) + ": " + TerminalText(row.code + " " + row.name + " " + row.operation)
           + ": " + std::string(EnglishText(row.reason));
}

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
        return Report(output, m_json ? JsonLine(json(statement, positions, ending)) : table(statement, positions),
                      m_json, ending);
    }

private:
    static nlohmann::ordered_json json(const Statement &statement, const statement::StatementPositions &p,
                                       const Ending &ending)
    {
        nlohmann::ordered_json positions = nlohmann::ordered_json::array(), oversold = positions,
                               skipped = positions, unreadable = positions;
        for (const PositionReport &position : p.report.positions) {
            const PositionTexts texts = FormatPosition(position, kDecimalPoint);
            nlohmann::ordered_json object;
            for (const PositionColumn &column : kColumns)
                object[std::string(column.key)] = TextOrNull(texts.*column.text);
            positions.push_back(object);
        }
        for (const OversoldSale &sale : p.report.oversold)
            oversold.push_back({{"line", sale.line}, {"code", sale.code}, {"sold", sale.sold.toString()},
                                {"held", sale.held.toString()}});
        for (const SkippedRow &row : p.skipped)
            skipped.push_back({{"line", row.line}, {"code", row.code}, {"name", row.name},
                               {"operation", row.operation}, {"reason", EnglishText(row.reason)}});
        for (const UnreadableRow &row : statement.unreadable)
            unreadable.push_back({{"line", row.line}, {"reason", statement::EnglishText(row)}});
        return {{"positions", positions}, {"oversold", oversold}, {"skipped", skipped},
                {"unreadable", unreadable}, {"error", ending.error ? nlohmann::ordered_json(*ending.error) : nullptr}};
    }

    static std::string table(const Statement &statement, const statement::StatementPositions &p)
    {
        if (statement.failure)
            return {};
        std::vector<std::vector<std::string>> rows{{}};
        for (const PositionColumn &column : kColumns)
            rows.front().emplace_back(column.heading);
        for (const PositionReport &position : p.report.positions) {
            const PositionTexts texts = FormatPosition(position, kDecimalPoint);
            rows.emplace_back();
            for (const PositionColumn &column : kColumns)
                rows.back().push_back(TerminalText(texts.*column.text));
        }
        std::string text = columnsText(rows) + '\n';
        for (std::string_view convention : kPositionConventions)
            text += std::string(convention) + '\n';
        for (const OversoldSale &sale : p.report.oversold)
            text += oversoldText(sale) + '\n';
        for (const SkippedRow &row : p.skipped)
            text += skippedText(row) + '\n';
        for (const UnreadableRow &row : statement.unreadable)
            text += "line " + std::to_string(row.line) + " could not be read: " + statement::EnglishText(row) + '\n';
        return text;
    }

    std::string m_file;
    bool m_json = false;
};

} // namespace

std::unique_ptr<Command> MakePositionsCommand() { return std::make_unique<PositionsCommand>(); }

} // namespace tallyfin
