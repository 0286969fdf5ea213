#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "positions.h"
#include "statement.h"

// What a statement's rows do to the holdings, for the positions report that
// the command line and the window share (core/positions.h replays them).
//
//   const Statement s = ReadStatementFile("交割单.csv");
//   const StatementPositions p = PositionsOfStatement(s);
//   for (const PositionReport &each : p.report.positions) ... each.shares, each.dilutedCost ...
namespace tallyfin::statement {

// Why a row that concerns a security was left out rather than guessed at.
enum class SkipReason : std::uint8_t {
    UnknownCode,  // not a code of an A share, fund or convertible bond that Tallyfin knows
    NoCode,       // a dividend, its tax or bonus shares without a code to book them to
};

struct SkippedRow {
    int line = 0;
    SkipReason reason = SkipReason::UnknownCode;
    std::string code, name, operation;
};

struct HoldingHistory {
    std::vector<HoldingEvent> events; // by date, then time where the statement has one, then line
    std::vector<SkippedRow> skipped;  // in file order
};

// The holding events of a statement's rows:
// - a buy or sell: its quantity; its cash |发生金额| where the row has a
//   non-zero one, else the amount (or price × quantity) plus the fees for a
//   buy, less them for a sale; its fees the sum of its fee columns, or its
//   fees-total column where it has none of them;
// - a new issue's shares placed in the account (新股入账): bought, their cost
//   the issue price (the row's price) × the quantity;
// - by the operation's name, a dividend (红利入账, 股息入账, 红利发放, 派息 …),
//   its tax (股息红利税补缴, 红利税, 红利差异扣税 …: cash paid) and bonus
//   shares (红股入账, 送股, 转增 …: the quantity, no cash), each needing a code;
// - every other row is ignored, and an empty dividend or grant with it.
// Stock Connect trades and codes Tallyfin does not know are skipped and listed.
//   buy 600000 1000 at 10 paying 10005.10 -> {Buy, 1000, cash 10005.10, fees 5.10}
//   红利入账 600000 cash 300               -> {Dividend, cash 300}
HoldingHistory HoldingHistoryOf(const Statement &statement);

// What a row that is no trade does to a holding, by its operation's name;
// nullopt for rows that do nothing to one.
//   "股息红利税补缴" -> DividendTax,  "红股入账" -> BonusShares,  "红利入账" -> Dividend,
//   "新股入账" -> Buy (a new issue's shares, at the issue price),  "银证转账" -> nullopt
std::optional<HoldingEventKind> KindOfOtherRow(std::string_view operation);

struct StatementPositions {
    PositionsReport report; // its oversold sales in file order
    std::vector<SkippedRow> skipped;
};

// The positions at the end of the statement, from the opening positions
// where the statement starts with shares held.
StatementPositions PositionsOfStatement(const Statement &statement, std::span<const OpeningPosition> openings = {});

} // namespace tallyfin::statement
