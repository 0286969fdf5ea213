#pragma once

#include <nlohmann/json.hpp>

#include <iosfwd>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "errors.h"

namespace CLI {
class App;
class Option;
} // namespace CLI

namespace tallyfin {

// Where a command writes: the result to `out`, in table mode the notice or
// error to `err`.
struct Output {
    std::ostream &out, &err;
    bool ansiColours = false;
};

// One subcommand of tallyfin-cli. declare() adds it to the program with its
// options, each bound to the command's own request and checked by CLI11;
// once the line is parsed, run() does the work and writes the result. A new
// subcommand is a class like this in a file of its own, its maker declared
// below and listed in MakeCommands().
class Command {
public:
    virtual ~Command() = default;
    virtual CLI::App *declare(CLI::App &program) = 0;
    // Returns the exit status: 0 done, 1 ended with a notice or an error.
    virtual int run(const Output &output) const = 0;
};

// Each command lives in a file of its own (tradecommand.cpp …).
std::unique_ptr<Command> MakeTradeCommand();
std::unique_ptr<Command> MakeGoldenCommand();
std::unique_ptr<Command> MakeTargetCommand();
std::unique_ptr<Command> MakeTTradeCommand();
std::unique_ptr<Command> MakeTopUpCommand();
std::unique_ptr<Command> MakeRecoverCommand();
std::unique_ptr<Command> MakePositionsCommand();
std::unique_ptr<Command> MakeAuditCommand();
std::unique_ptr<Command> MakeAccountCommand();

// Every command, in the order the help lists them.
std::vector<std::unique_ptr<Command>> MakeCommands();

// What a calculation ended with besides its figures.
struct Ending {
    std::optional<std::string> message; // a notice, such as kSellQuantityMissing
    std::optional<std::string> error;   // the error box text
    // A remark on an answer that is complete (kNoTopUpNeeded): said as a
    // notice is, but the command succeeded.
    std::optional<std::string> note;
};

// What the error box would say; an input the dated rules refuse is said in
// the user's words, without the box's full stop, as the window says it.
std::string ErrorText(const Error &error);

// The JSON members every result ends with: "message" (the notice, else the
// note) and "error", null when absent.
void AddEnding(nlohmann::ordered_json &object, const Ending &ending);

// The keys of the JSON of trade, target and golden: the figures' names
// (schema 2: "buy": {"cashPaid": …}), or the window's field names ("Edit9")
// that earlier releases printed, kept for this release so that scripts
// written against them go on working.
enum class JsonKeys { Names, Fields };
inline constexpr int kJsonSchema = 2;

// Adds --json-keys names|fields (names by default); it needs `json`.
void AddJsonKeysOption(CLI::App &command, CLI::Option *json, JsonKeys &keys);

// A text of a command's fields under its JSON key.
template <typename Fields>
struct NamedText {
    std::string_view key;
    std::string Fields::*text;
};

// The texts named, in the order given.
template <typename Fields>
nlohmann::ordered_json NamedTextsJson(const Fields &fields, std::span<const NamedText<Fields>> named)
{
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    for (const NamedText<Fields> &each : named)
        object[std::string(each.key)] = fields.*each.text;
    return object;
}

// A result's text, or null where it is empty (not computed).
nlohmann::ordered_json TextOrNull(const std::string &text);

// The object on one line; ill-formed UTF-8 in a typed text becomes U+FFFD.
std::string JsonLine(const nlohmann::ordered_json &object);

// Writes the result (a JSON line or a table); in table mode the notice (or
// note) and the error follow on `err`. 1 after a notice or an error.
int Report(const Output &output, const std::string &result, bool asJson, const Ending &ending);

} // namespace tallyfin
