#include <CLI/CLI.hpp>


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

using NamedField = NamedText<GoldenFields>;

// The levels by name (schema 2): the ratio each row moves by.
constexpr NamedField kLevelKeys[] = {
    {"0.809", &GoldenFields::level0809},     {"0.618", &GoldenFields::level0618},
    {"0.5", &GoldenFields::level0500},       {"0.382", &GoldenFields::level0382},
    {"0.191", &GoldenFields::level0191},     {"1/3", &GoldenFields::levelOneThird},
    {"2/3", &GoldenFields::levelTwoThirds},  {"0.236", &GoldenFields::level0236},
    {"2", &GoldenFields::level2000},         {"2.618", &GoldenFields::level2618},
    {"3", &GoldenFields::level3000},
};

// --json-keys fields: the window's widget names, as earlier releases printed them.
constexpr NamedField kWindowFields[] = {
    {"Edit1", &GoldenFields::low},             {"Edit2", &GoldenFields::high},
    {"Edit3", &GoldenFields::level0809},       {"Edit4", &GoldenFields::level0618},
    {"Edit5", &GoldenFields::level0500},       {"Edit6", &GoldenFields::level0382},
    {"Edit7", &GoldenFields::level0191},       {"Edit8", &GoldenFields::levelOneThird},
    {"Edit9", &GoldenFields::levelTwoThirds},  {"Edit10", &GoldenFields::level0236},
    {"Edit11", &GoldenFields::level2000},      {"Edit12", &GoldenFields::level2618},
    {"Edit13", &GoldenFields::level3000},
};

// The window's levels from top to bottom, under their labels.
constexpr NamedField kLevels[] = {
    {"19.1%", &GoldenFields::level0191},     {"23.6%", &GoldenFields::level0236},
    {"1/3", &GoldenFields::levelOneThird},   {"38.2%", &GoldenFields::level0382},
    {"50%", &GoldenFields::level0500},       {"61.8%", &GoldenFields::level0618},
    {"2/3", &GoldenFields::levelTwoThirds},  {"80.9%", &GoldenFields::level0809},
    {"2倍", &GoldenFields::level2000},        {"2.618倍", &GoldenFields::level2618},
    {"3倍", &GoldenFields::level3000},
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
        golden->add_option("--low", m_fields.low, "swing low (低点)")->capture_default_str();
        golden->add_option("--high", m_fields.high, "swing high (高点)")->capture_default_str();
        CLI::Option *json = golden->add_flag("--json", m_json, "print one JSON object instead of a table");
        AddJsonKeysOption(*golden, json, m_jsonKeys);
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
        return Report(output, m_json ? JsonLine(json(fields, mode, ending)) : table(fields, mode), m_json, ending);
    }

private:
    nlohmann::ordered_json json(const GoldenFields &fields, const ModeName &mode, const Ending &ending) const
    {
        nlohmann::ordered_json object;
        if (m_jsonKeys == JsonKeys::Fields) {
            object = {{"fields", NamedTextsJson<GoldenFields>(fields, kWindowFields)}};
        } else {
            object = {{"schema", kJsonSchema},
                      {"mode", mode.word},
                      {"low", fields.low},
                      {"high", fields.high},
                      {"levels", NamedTextsJson<GoldenFields>(fields, kLevelKeys)}};
        }
        AddEnding(object, ending);
        return object;
    }

    // The inputs, the mode's name, then the levels from top to bottom as the
    // window lays them out.
    static std::string table(const GoldenFields &fields, const ModeName &mode)
    {
        TextTable table;
        table.addRow("低点", fields.low);
        table.addRow("高点", fields.high);
        table.addBlankLine();
        table.addHeading(std::string(mode.name));
        for (const auto &[label, field] : kLevels)
            table.addRow("  " + std::string(label), fields.*field);
        return table.render(false);
    }

    std::string m_mode;
    GoldenFields m_fields;
    bool m_json = false;
    JsonKeys m_jsonKeys = JsonKeys::Names;
};

} // namespace

std::unique_ptr<Command> MakeGoldenCommand() { return std::make_unique<GoldenCommand>(); }

} // namespace tallyfin
