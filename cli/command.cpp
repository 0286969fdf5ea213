#include "command.h"

#include <CLI/CLI.hpp>

#include <ostream>

#include "terminal.h"

namespace tallyfin {

namespace {

constexpr std::string_view kProgram = "tallyfin-cli: ";

nlohmann::ordered_json jsonText(const std::optional<std::string> &text)
{
    return text ? nlohmann::ordered_json(*text) : nlohmann::ordered_json(nullptr);
}

} // namespace

std::string ErrorText(const Error &error)
{
    if (dynamic_cast<const EInputRejected *>(&error))
        return error.message();
    return ErrorBoxText(error.message());
}

void AddEnding(nlohmann::ordered_json &object, const Ending &ending)
{
    object["message"] = jsonText(ending.message ? ending.message : ending.note);
    object["error"] = jsonText(ending.error);
}

void AddJsonKeysOption(CLI::App &command, CLI::Option *json, JsonKeys &keys)
{
    command
        .add_option_function<std::string>(
            "--json-keys",
            [&keys](const std::string &word) { keys = word == "fields" ? JsonKeys::Fields : JsonKeys::Names; },
            "the JSON's keys: names, each figure named (\"schema\": 2), or fields, the window's field names "
            "(\"Edit9\") printed before schema 2, kept for this release")
        ->check(CLI::IsMember({"names", "fields"}))
        ->default_str("names")
        ->needs(json);
}

nlohmann::ordered_json TextOrNull(const std::string &text)
{
    return text.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(text);
}

std::string JsonLine(const nlohmann::ordered_json &object)
{
    return object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + '\n';
}

int Report(const Output &output, const std::string &result, bool asJson, const Ending &ending)
{
    // The result goes out first, so the note on stderr follows it even when
    // both streams share one pipe.
    output.out << result << std::flush;
    if (const std::optional<std::string> &notice = ending.message ? ending.message : ending.note; !asJson && notice)
        output.err << kProgram << TerminalText(*notice) << '\n';
    if (!asJson && ending.error)
        output.err << kProgram << "error: " << TerminalText(*ending.error) << '\n';
    return ending.message || ending.error ? 1 : 0;
}

} // namespace tallyfin
