#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli.h"

int main(int argc, char *argv[])
{
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    // Colour only for a person at a terminal, and never against NO_COLOR.
    const char *noColor = std::getenv("NO_COLOR");
    const bool ansiColours = isatty(STDOUT_FILENO) == 1 && (noColor == nullptr || *noColor == '\0');
    return tallyfin::RunCli(args, std::cout, std::cerr, ansiColours);
}
