#include "cli.h"

#include <CLI/CLI.hpp>

#include <map>
#include <ostream>

#include "command.h"

namespace tallyfin {

std::vector<std::unique_ptr<Command>> MakeCommands()
{
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(MakeTradeCommand());
    commands.push_back(MakeGoldenCommand());
    commands.push_back(MakeTargetCommand());
    commands.push_back(MakeTTradeCommand());
    commands.push_back(MakeTopUpCommand());
    commands.push_back(MakeRecoverCommand());
    commands.push_back(MakePositionsCommand());
    commands.push_back(MakeAuditCommand());
    commands.push_back(MakeAccountCommand());
    return commands;
}

namespace {

constexpr int kUsageStatus = 2;

constexpr const char *kFooter = "Each TEXT is taken exactly as typed, spaces included, even when it starts with "
                                "\"-\"; an empty TEXT is given as --option \"\". Numbers use \".\" as the decimal "
                                "separator.\nThe JSON of trade, target and golden names its figures (\"schema\": 2); "
                                "--json-keys fields prints the window's field names of earlier releases, kept for "
                                "this release.\nExit status: 0 calculated (audit: the statement was read, findings or "
                                "not), 1 ended with a notice or an error (audit: the file could not be read), "
                                "2 usage error.";

} // namespace

int RunCli(std::span<const std::string> args, std::ostream &out, std::ostream &err, bool ansiColours)
{
    CLI::App program("Trade costs of Chinese A-shares, the position tools and golden-section levels, as Tallyfin computes them.",
                     "tallyfin-cli");
    program.require_subcommand(1);
    program.footer(kFooter);
    // After a usage error, the help of the command (or the list of commands).
    program.failure_message(CLI::FailureMessage::help);
    const std::vector<std::unique_ptr<Command>> commands = MakeCommands();
    std::map<const CLI::App *, const Command *> commandOf;
    for (const std::unique_ptr<Command> &command : commands)
        commandOf[command->declare(program)] = command.get();

    try {
        program.parse(std::vector<std::string>(args.rbegin(), args.rend()));
    } catch (const CLI::ParseError &error) {
        // Help is a success; every other parse error is a usage error.
        return program.exit(error, out, err) == 0 ? 0 : kUsageStatus;
    }
    const int status = commandOf.at(program.get_subcommands().front())->run({out, err, ansiColours});
    // A full disk or closed pipe must not pass for a result.
    if (!out.flush()) {
        err << "tallyfin-cli: error: cannot write the output\n";
        return 1;
    }
    return status;
}

} // namespace tallyfin
