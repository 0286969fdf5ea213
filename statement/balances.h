#pragma once

#include <string>
#include <vector>

#include "decimal.h"
#include "statement.h"
#include "text.h"

// What the running balances of a statement (股份余额, 资金余额) tell: the
// shares held before a security's first row, and the places where a balance
// does not follow from the rows before it — trades missing between two
// dates, a statement of the account not imported.
//
//   const MergedStatement account = MergeStatements(sources);
//   const BalanceCheck check = CheckBalances(account.statement);
//   for (const ShareGap &gap : check.gaps) puts(EnglishText(gap).c_str());
namespace tallyfin::statement {

// The shares held before a security's first row, which that row's 股份余额
// reveals: balance after it less what it bought (plus what it sold).
struct OpeningHolding {
    std::string code, name;
    Decimal shares;
    TradeDate firstDate; // of the security's first row
};

// Shares of a security that appear or vanish between two of its days.
struct ShareGap {
    std::string code, name;
    TradeDate after, before; // the security's previous day with rows, and the day whose balance disagrees
    Decimal expected, found; // held at the end of `before`: by the rows, and by its balance column
    std::size_t row = 0;     // index into Statement::rows: the row that shows `found`

    Decimal shares() const { return found - expected; } // above 0: shares appear
};

// The cash balance not following from the cash movements: exports often
// leave out bank transfers and other cash rows, so this is a note, never an error.
struct CashBreak {
    TradeDate after, before;
    Decimal expected, found;
    std::size_t row = 0;

    Decimal difference() const { return found - expected; }
};

struct BalanceCheck {
    std::vector<OpeningHolding> openings; // in the order of the securities' first rows
    std::vector<ShareGap> gaps;           // by date
    std::vector<CashBreak> cashBreaks;    // by date
};

// Works day by day, so that rows of one day in any order agree: a day agrees
// when one of its balances is what the day before and the day's rows give.
// Trades, bonus shares and other rows that move shares count (a row that
// moves shares by a quantity whose direction its name does not tell is
// believed); dividend and tax rows, whose balance column many exports leave
// at 0, and Stock Connect rows, whose holdings change on settlement, do not. `statement`'s rows must be in time order, as a merged
// statement's are.
BalanceCheck CheckBalances(const Statement &statement);

//   "600036: 2021-03-31 → 2021-05-06, 1,000 shares appear; a statement of these dates may be missing"
std::string EnglishText(const ShareGap &gap);
Text ShareGapText(const ShareGap &gap); // context "Account"
//   "cash balance 2021-07-12 → 2021-07-13: 2,000.00 more than the rows explain (a transfer the export leaves out?)"
std::string EnglishText(const CashBreak &note);
Text CashBreakText(const CashBreak &note);

// A number with its thousands grouped:  "1234567.5" -> "1,234,567.5"
std::string GroupedNumber(const std::string &digits);

} // namespace tallyfin::statement
