#pragma once

#include <string>
#include <vector>

namespace tallyfin::testing {

// Every exception that reached the application's event dispatch, which no
// handler may let happen (monkey_main.cpp catches them there).
struct EscapedException {
    std::string what;
    std::string receiver;
    int eventType;
};

std::vector<EscapedException> &escapedExceptions();

} // namespace tallyfin::testing
