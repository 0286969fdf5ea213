#pragma once

#include <map>
#include <string>
#include <vector>

#include "statementgen.h"

// Statements with a known agreement and known overcharges, in each of the
// sample layouts, and what an audit must give back for them. Shared by the
// audit's own tests, the command line's and the window's.
namespace tallyfin::samples {

struct AuditCase {
    const char *name;
    std::size_t layout; // index into SampleLayouts()
    RowMix mix;         // the broker's agreement, the overcharges, split orders and fills
    std::size_t rows;
    std::uint32_t seed;
    // What the audit is to call each fund the broker prices apart: a class
    // ("债券ETF", "货币ETF") or "security".
    std::map<std::string, std::string> apartAs = {};
};

// One case per layout.
const std::vector<AuditCase> &AuditCases();

// A line of the agreement as the audit gives it back: its scope as the
// window names it ("上海A股", "上海基金 债券ETF", "513100 纳指ETF"), its first
// and last day, the rate ("bound" where the rows only bound it), the
// minimum ("" for none), how the levies and the transfer fee are billed.
struct ExpectedLine {
    std::string scope, from, to, commissionPerMille, minimum, levies, transfer;
    friend auto operator<=>(const ExpectedLine &, const ExpectedLine &) = default;
};

// The broker's terms for every scope the rows trade in with rules, a line
// per period whose change the rows show (each side has an order the other
// side's terms would charge otherwise), its span from the first to the
// last order that shows its terms; sorted.
std::vector<ExpectedLine> ExpectedAgreement(const AuditCase &c, const std::vector<SampleRow> &rows);

// A finding as the JSON gives it back (money with two decimals).
struct ExpectedFinding {
    int line;
    std::string item, charged, expected, difference;
    friend bool operator==(const ExpectedFinding &, const ExpectedFinding &) = default;
    friend auto operator<=>(const ExpectedFinding &, const ExpectedFinding &) = default;
};

// The overcharges put in, by line and item.
std::vector<ExpectedFinding> ExpectedFindings(const Layout &layout, const std::vector<SampleRow> &rows);

// The findings `found` with a Stock Connect row's due figure taken as
// expected where it is off by a cent at most and the layout writes no
// rate: the rows then bound the rate, and rates of one bracket may round
// an item a cent apart.
std::vector<ExpectedFinding> UpToTheRatesCent(const Layout &layout, const std::vector<SampleRow> &rows,
                                              std::vector<ExpectedFinding> found);

// The lines of the trades left out, and why: Beijing before its exchange
// opened ("beforeMarketOpened").
std::vector<std::pair<int, std::string>> ExpectedNotAudited(const Layout &layout, const std::vector<SampleRow> &rows);

// The items booked in the levy column instead of the commission (line, item, charged, expected).
std::vector<ExpectedFinding> ExpectedAttribution(const Layout &layout, const std::vector<SampleRow> &rows);

void PrintTo(const ExpectedLine &line, std::ostream *out);
void PrintTo(const ExpectedFinding &finding, std::ostream *out);

} // namespace tallyfin::samples
