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

// The dated rules add "buyLevies" and "sellLevies" to "fields" when levies
// are charged on top, and a "rules" member before "message":
//   "rules": {"set": "dated", "date": "2026-12-08", "market": "上海A股", "leviesOnTop": false,
//             "rows": [{"item": "stampDuty", "from": "2023-08-28", …}, …], "notes": []}

//   {"price": "10.02", "netReceipts": "10009.89", "profit": "4.79", "returnPercent": "0.05",
//    "tickBelow": {"price": "10.01", "profit": "-5.21"}, "rules": {…}, "message": null, "error": null}
// Prices and money are null when no price reaches the target.
std::string TargetJson(const TargetResult &result);

// The window as a person reads it: the fee settings, then the buy and sell
// groups under their captions and units. A red or green result carries
// "（红）" or "（绿）", and is coloured too when ansiColours is set.
std::string TradeTable(const TradeResult &result, bool ansiColours);

// The inputs, the mode's name, then the levels from top to bottom as the
// window lays them out.
std::string GoldenTable(const GoldenResult &result);

// The settings, the cash paid and quantity, the target price with what
// selling there and one tick lower yields.
std::string TargetTable(const TargetResult &result);

} // namespace tallyfin
