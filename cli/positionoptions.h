#pragma once

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

#include "command.h"
#include "positioncalc.h"
#include "table.h"
#include "tradeoptions.h"

namespace CLI {
class App;
class Option;
}

namespace tallyfin {

// What t-trade, top-up and recover share: the dated rules' fee options and
// a security code.
struct PositionOptions {
    TradeOptions trade;
    std::string code, boardLot;
    CLI::Option *exchange = nullptr, *codeOption = nullptr;
};

// Adds such a command with --code and --lot (a 港股通 company's board lot).
// A code and an --exchange given both must name the same market, and the
// settlement rates and the lot need 港股通: else a usage error.
//   --code 688001 --exchange 深圳A股 -> "--code: 688001 is traded as 上海A股, not 深圳A股"
CLI::App *AddPositionCommand(CLI::App &program, const std::string &name, const std::string &description,
                             PositionOptions &options);

// The terms the options name, or the error that stopped them.
struct PositionRun {
    std::optional<PositionTerms> terms;
    Ending ending;
};

// Reads the terms and runs `calculate` with them; an Error of either ends
// the run with its text.
template <typename Calculate>
PositionRun RunPosition(const PositionOptions &options, Calculate calculate)
{
    PositionRun run;
    try {
        run.terms = ReadPositionTerms(options.trade.fields, options.code, options.boardLot, kDecimalPoint);
        if (const std::optional<Text> notice = calculate(*run.terms))
            run.ending.message = notice->toString();
    } catch (const Error &error) {
        run.ending.error = ErrorText(error);
    }
    return run;
}

void AddPositionSettings(TextTable &table, const PositionOptions &options, const std::optional<PositionTerms> &terms);
void AddPositionRules(TextTable &table, const PositionOptions &options, const std::optional<PositionTerms> &terms);

// One result of top-up or recover: its JSON key (none: the table only),
// its caption in the table, its field.
template <typename Fields>
struct PositionResult {
    const char *key;
    const char *caption;
    std::string Fields::*text;
};

// The results as one JSON object, or as a table under `heading` between the
// settings and the rules; the exit status as Report gives it.
template <typename Fields, std::size_t N>
int ReportPosition(const Output &output, const PositionOptions &options, const PositionRun &run, const char *heading,
                   const Fields &fields, const PositionResult<Fields> (&results)[N])
{
    if (options.trade.json) {
        nlohmann::ordered_json object;
        for (const PositionResult<Fields> &result : results)
            if (result.key)
                object[result.key] = TextOrNull(fields.*result.text);
        AddEnding(object, run.ending);
        return Report(output, JsonLine(object), true, run.ending);
    }
    TextTable table;
    AddPositionSettings(table, options, run.terms);
    table.addBlankLine();
    table.addHeading(heading);
    for (const PositionResult<Fields> &result : results)
        table.addRow(result.caption, fields.*result.text);
    AddPositionRules(table, options, run.terms);
    return Report(output, table.render(false), false, run.ending);
}

// The table's settings (the market the code names), and the terms in one line.
void AddPositionSettings(TextTable &table, const PositionOptions &options, const std::optional<PositionTerms> &terms);
// What the dated rules charged, closing the table.
void AddPositionRules(TextTable &table, const PositionOptions &options, const std::optional<PositionTerms> &terms);

} // namespace tallyfin
