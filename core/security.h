#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "markets.h"

namespace tallyfin {

// What a six-digit security code says about the security: the exchange that
// lists it and the board, which set its fee-table market and its trading lot.
enum class Exchange : std::uint8_t { Shanghai, Shenzhen, Beijing };
enum class Board : std::uint8_t { Main, ChiNext, Star, Beijing, Fund, ConvertibleBond };

struct Security {
    Exchange exchange;
    Board board;
    friend bool operator==(const Security &, const Security &) = default;
};

// The security a code names, by the exchanges' code ranges; nullopt for a
// code that is not six digits or lies outside the ranges Tallyfin covers
// (B shares, exchangeable and other bonds, repos, subscription codes …).
//   SecurityOfCode("600000") -> {Shanghai, Main},  SecurityOfCode("688001") -> {Shanghai, Star}
//   SecurityOfCode("300750") -> {Shenzhen, ChiNext}, SecurityOfCode("159938") -> {Shenzhen, Fund}
//   SecurityOfCode("113052") -> {Shanghai, ConvertibleBond}, SecurityOfCode("204001") -> nullopt
std::optional<Security> SecurityOfCode(std::string_view code);

// What a statement row says of where it traded: its code as written, its
// market and currency texts, and whether it carries an exchange rate other than 1.
struct TradeMarks {
    std::string_view code, market, currency;
    bool foreignExchangeRate = false;
};

// A trade through the Hong Kong Stock Connect: a market text that names Hong
// Kong (港股通, 沪港通, 深港通, 沪HK), a currency of Hong Kong dollars (港币,
// HKD), an exchange rate other than 1, or a five-digit code, whatever the
// code looks like. The one rule the statement reader, the audit and the
// positions go by.
//   {"00700"} -> true,  {"000700", "沪港通"} -> true,  {"01810", "", "人民币", true} -> true
//   {"000700", "深市A股"} -> false
bool IsHongKongTrade(const TradeMarks &marks);

// The fee table's market for the security; nullopt where the table has none.
//   MarketOfSecurity({Shanghai, Star}) -> ShanghaiA,  MarketOfSecurity({Shenzhen, Fund}) -> ShenzhenFund
Market MarketOfSecurity(const Security &security);

// The lot of its market, but for STAR shares: at least 200, then any number.
//   LotOfSecurity({Shanghai, Star}) -> {200, 1},  LotOfSecurity({Beijing, Beijing}) -> {100, 1}
TradingLot LotOfSecurity(const Security &security);

} // namespace tallyfin
