#pragma once

#include <nlohmann/json.hpp>

#include <string>

#include "command.h"
#include "holdings.h"

// What "positions" prints, shared by "account positions".
namespace tallyfin {

nlohmann::ordered_json PositionsJson(const statement::Statement &statement, const statement::StatementPositions &positions,
                                     const Ending &ending);
std::string PositionsTable(const statement::Statement &statement, const statement::StatementPositions &positions);

} // namespace tallyfin
