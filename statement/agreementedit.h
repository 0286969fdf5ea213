#pragma once

#include <optional>
#include <vector>

#include "audit.h"

// What the user does to an agreement line in the window, as the terms the
// next audit is to take: the line's scope becomes the user's, its periods
// as they stand now with the one change made. No Qt.
//
//   std::vector<UserTerms> terms = options.terms;
//   if (SetLineTerms(terms, audit, 3, Decimal(15, 2), std::nullopt))
//       options.terms = terms; // and audit again
namespace tallyfin::statement {

// The scope a line prices.
TermsScope ScopeOf(const Agreement &line);

// The line's rate or minimum set (the other kept as shown). False when the
// line does not exist.
bool SetLineTerms(std::vector<UserTerms> &terms, const Audit &audit, std::size_t line,
                  const std::optional<Decimal> &ratePerMille, const std::optional<Decimal> &minimum);

// The line's first or last day moved; a neighbour of its scope gives way
// (its span ends the day before, or starts the day after). False when the
// span would be empty or swallow a neighbour whole.
bool MoveLineStart(std::vector<UserTerms> &terms, const Audit &audit, std::size_t line, TradeDate from);
bool MoveLineEnd(std::vector<UserTerms> &terms, const Audit &audit, std::size_t line, TradeDate to);

// The line cut in two at the trade date of its middle order (the second part
// from the next day), both with its terms. False when its orders are all of
// one day.
bool SplitLine(std::vector<UserTerms> &terms, const Statement &statement, const Audit &audit, std::size_t line);

// The line and the next of its scope made one, with the line's terms.
// False when it is its scope's last.
bool MergeWithNext(std::vector<UserTerms> &terms, const Audit &audit, std::size_t line);

} // namespace tallyfin::statement
