#pragma once

#include <iosfwd>
#include <span>
#include <string>

namespace tallyfin {

// Runs one command line (the arguments after the program name) and returns
// the exit status: 0 done (or help shown), 1 the action ended with a notice
// or an error, 2 a usage error. Tables, JSON and help go to `out`; in table
// mode the notice or error goes to `err`, as do usage errors. Numbers always
// use ".".
int RunCli(std::span<const std::string> args, std::ostream &out, std::ostream &err, bool ansiColours);

} // namespace tallyfin
