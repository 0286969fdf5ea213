#include <CLI/CLI.hpp>

#include <utility>

#include "command.h"
#include "golden.h"
#include "table.h"

namespace tallyfin {

namespace {

struct ModeName {
    std::string_view word, name; // on the command line, in the window
    GoldenMode mode;
};

constexpr ModeName kModes[] = {
    {"up", "低点上涨", GoldenMode::Rise},
    {"down", "高点下跌", GoldenMode::Fall},
    {"bound", "区间反弹", GoldenMode::Rebound},
    {"callback", "区间回调", GoldenMode::PullBack},
};

using NamedField = std::pair<std::string_view, std::string GoldenFields::*>;

// The JSON key of each field: the widget's name in the window.
constexpr NamedField kFieldKeys[] = {
    {"Edit1", &GoldenFields::Edit1},   {"Edit2", &GoldenFields::Edit2},   {"Edit3", &GoldenFields::Edit3},
    {"Edit4", &GoldenFields::Edit4},   {"Edit5", &GoldenFields::Edit5},   {"Edit6", &GoldenFields::Edit6},
    {"Edit7", &GoldenFields::Edit7},   {"Edit8", &GoldenFields::Edit8},   {"Edit9", &GoldenFields::Edit9},
    {"Edit10", &GoldenFields::Edit10}, {"Edit11", &GoldenFields::Edit11}, {"Edit12", &GoldenFields::Edit12},
    {"Edit13", &GoldenFields::Edit13},
};

// The window's levels from top to bottom, under their labels.
constexpr NamedField kLevels[] = {
    {"19.1%", &GoldenFields::Edit7},   {"23.6%", &GoldenFields::Edit10}, {"1/3", &GoldenFields::Edit8},
    {"38.2%", &GoldenFields::Edit6},   {"50%", &GoldenFields::Edit5},    {"61.8%", &GoldenFields::Edit4},
    {"2/3", &GoldenFields::Edit9},     {"80.9%", &GoldenFields::Edit3},  {"2倍", &GoldenFields::Edit11},
    {"2.618倍", &GoldenFields::Edit12}, {"3倍", &GoldenFields::Edit13},
};

const ModeName &modeNamed(std::string_view word)
{
    for (const ModeName &mode : kModes)
        if (mode.word == word)
            return mode;
    return kModes[0]; // CLI11 lets only the four words through
}

// "golden MODE": the golden-section window's projections.
class GoldenCommand : public Command {
public:
    CLI::App *declare(CLI::App &program) override
    {
        CLI::App *golden = program.add_subcommand("golden", "golden-section price levels");
        std::vector<std::string> words;
        std::string help = "the projection:";
        for (const ModeName &mode : kModes) {
            words.emplace_back(mode.word);
            help += " " + std::string(mode.word) + " (" + std::string(mode.name) + ")";
        }
        golden->add_option("mode", m_mode, help)->required()->check(CLI::IsMember(words));
        golden->add_option("--low", m_fields.Edit1, "swing low (低点)")->capture_default_str();
        golden->add_option("--high", m_fields.Edit2, "swing high (高点)")->capture_default_str();
        golden->add_flag("--json", m_json, "print one JSON object instead of a table");
        return golden;
    }

    int run(const Output &output) const override
    {
        const ModeName &mode = modeNamed(m_mode);
        GoldenFields fields = m_fields;
        Ending ending;
        try {
            if (const std::optional<std::string_view> message = ProjectGolden(fields, mode.mode, kDecimalPoint))
                ending.message = std::string(*message);
        } catch (const Error &error) {
            ending.error = ErrorText(error);
        }
        return Report(output, m_json ? JsonLine(json(fields, ending)) : table(fields, mode), m_json, ending);
    }

private:
    static nlohmann::ordered_json json(const GoldenFields &fields, const Ending &ending)
    {
        nlohmann::ordered_json values = nlohmann::ordered_json::object();
        for (const auto &[key, field] : kFieldKeys)
            values[std::string(key)] = fields.*field;
        nlohmann::ordered_json object = {{"fields", values}};
        AddEnding(object, ending);
        return object;
    }

    // The inputs, the mode's name, then the levels from top to bottom as the
    // window lays them out.
    static std::string table(const GoldenFields &fields, const ModeName &mode)
    {
        TextTable table;
        table.addRow("低点", fields.Edit1);
        table.addRow("高点", fields.Edit2);
        table.addBlankLine();
        table.addHeading(std::string(mode.name));
        for (const auto &[label, field] : kLevels)
            table.addRow("  " + std::string(label), fields.*field);
        return table.render(false);
    }

    std::string m_mode;
    GoldenFields m_fields;
    bool m_json = false;
};

} // namespace

std::unique_ptr<Command> MakeGoldenCommand() { return std::make_unique<GoldenCommand>(); }

} // namespace tallyfin
