#pragma once

#include <optional>
#include <span>
#include <vector>

#include "statement.h"

// Statements of one account merged into one: the rows that overlapping
// exports share are kept once, so that the audit, the positions and the
// balance checks see the account's whole history.
//
//   const Statement first = ReadStatementFile("2021上半年.csv"), second = ReadStatementFile("2021下半年.csv");
//   const MergeSource sources[] = {{1, &first}, {2, &second}};
//   const MergedStatement merged = MergeStatements(sources);
//   AuditStatement(merged.statement) ... merged.sourceOfRow[i] names the statement of row i ...
namespace tallyfin::statement {

struct MergeSource {
    int id = 0; // the caller's name for the statement (the store's number), told back for each row
    const Statement *statement = nullptr; // one that was read (no failure); must outlive the merge
};

// What one statement brought.
struct SourceTally {
    int id = 0;
    int rowsAdded = 0; // rows no statement before it in the merge had
    int rowsKnown = 0; // rows one before it had already
    std::optional<TradeDate> from, to; // its first and last dates
};

struct MergedStatement {
    // Every row once as counted, in time order (date, time, then the order of
    // the statements given and their lines); the unreadable rows of all of
    // them. Keeps the statements' texts alive.
    Statement statement;
    std::vector<int> sourceOfRow;         // by row: the id of the statement it was taken from
    std::vector<int> sourceOfUnreadable;  // by unreadable row
    std::vector<SourceTally> tallies;     // by statement, in the order given
};

// A row's identity is its content: date, time, code, what it is (buy, sell or
// the other row's operation), quantity, price, amount, cash, order number and
// trade number — each of the optional ones only where every statement has
// its column, so that an export without times still meets one with them.
// The same row twice within one statement is two rows (a buy of the same
// price and size repeated), so the merge is by count: a row appears as many
// times as the statement with the most of it has it, taken from the earliest
// statement that has that many. Merging a statement again adds nothing.
//   A: buy, buy, sell   B: buy, sell, sell, dividend   -> buy, buy, sell, sell, dividend
//   tallies: A added 3; B added 2 (a sell, the dividend), knew 2
MergedStatement MergeStatements(std::span<const MergeSource> sources);

// What the first statement of an account brings: all of its rows, as
// MergeStatements would count them, without the work of a merge.
SourceTally TallyOfFirst(const Statement &statement);

} // namespace tallyfin::statement
