#pragma once

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
};

// One case per layout.
const std::vector<AuditCase> &AuditCases();

// A group's terms as the audit's JSON gives them back.
struct ExpectedTerms {
    std::string group, commissionPerMille, minimum, levies, transfer;
    friend bool operator==(const ExpectedTerms &, const ExpectedTerms &) = default;
};

// The broker's terms for every group the rows trade in with rules.
std::vector<ExpectedTerms> ExpectedAgreement(const AuditCase &c, const std::vector<SampleRow> &rows);

// A finding as the JSON gives it back (money with two decimals).
struct ExpectedFinding {
    int line;
    std::string item, charged, expected, difference;
    friend bool operator==(const ExpectedFinding &, const ExpectedFinding &) = default;
    friend auto operator<=>(const ExpectedFinding &, const ExpectedFinding &) = default;
};

// The overcharges put in, by line and item.
std::vector<ExpectedFinding> ExpectedFindings(const Layout &layout, const std::vector<SampleRow> &rows);

// The lines of the trades left out, and why: Stock Connect, or Beijing
// before its exchange opened ("stockConnect", "beforeMarketOpened").
std::vector<std::pair<int, std::string>> ExpectedNotAudited(const Layout &layout, const std::vector<SampleRow> &rows);

void PrintTo(const ExpectedTerms &terms, std::ostream *out);
void PrintTo(const ExpectedFinding &finding, std::ostream *out);

} // namespace tallyfin::samples
