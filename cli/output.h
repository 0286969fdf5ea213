#pragma once

#include <string>

#include "commands.h"

namespace tallyfin {

// One line of JSON for scripts, with the texts exactly as the fields hold them:
//   {"fields": {"jg": "10", "sl": "1000", "Edit2": "11", …, "Edit19": "924"},
//    "colors": {"Edit18": "red", "Edit19": "red"}, "message": null, "error": null}
std::string TradeJson(const TradeResult &result);

//   {"fields": {"Edit1": "10", "Edit2": "0", "Edit3": "18.09", …}, "message": null, "error": null}
std::string GoldenJson(const GoldenResult &result);

// The window as a person reads it: the fee settings, then the buy and sell
// groups under their captions and units. A red or green result carries
// "（红）" or "（绿）", and is coloured too when ansiColours is set.
std::string TradeTable(const TradeResult &result, bool ansiColours);

// The inputs, the mode's name, then the levels from top to bottom as the
// window lays them out.
std::string GoldenTable(const GoldenResult &result);

} // namespace tallyfin
