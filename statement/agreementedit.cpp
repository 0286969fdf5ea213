#include "agreementedit.h"

#include <algorithm>

namespace tallyfin::statement {

namespace {

// The lines of the scope `line` belongs to, in date order.
std::vector<std::size_t> scopeLines(const Audit &audit, std::size_t line)
{
    std::vector<std::size_t> lines;
    for (std::size_t l = 0; l < audit.agreements.size(); ++l)
        if (SameScope(audit.agreements[l], audit.agreements[line]))
            lines.push_back(l);
    return lines;
}

// The scope's lines as the user's terms: their spans (the first open at its
// start, the last at its end), rates and minimums; `line` is at `position`.
std::vector<UserTerms> asUserTerms(const Audit &audit, const std::vector<std::size_t> &lines)
{
    std::vector<UserTerms> made;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Agreement &shown = audit.agreements[lines[i]];
        made.push_back({ScopeOf(shown), i == 0 ? std::nullopt : std::optional(shown.from),
                        i + 1 == lines.size() ? std::nullopt : std::optional(shown.to), shown.terms.ratePerMille,
                        shown.terms.minimum});
    }
    return made;
}

void replaceScope(std::vector<UserTerms> &terms, const TermsScope &scope, std::vector<UserTerms> lines)
{
    std::erase_if(terms, [&scope](const UserTerms &entry) { return entry.scope == scope; });
    terms.insert(terms.end(), lines.begin(), lines.end());
}

std::size_t positionOf(const std::vector<std::size_t> &lines, std::size_t line)
{
    return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

// The span's bounds as dates, open ends at the line's own trades.
TradeDate startOf(const UserTerms &entry, const Agreement &line) { return entry.from.value_or(line.from); }
TradeDate endOf(const UserTerms &entry, const Agreement &line) { return entry.to.value_or(line.to); }

} // namespace

TermsScope ScopeOf(const Agreement &line)
{
    if (line.securityClass == SecurityClass::Security)
        return {line.group, SecurityClass::Security, line.codes.front()};
    return {line.group, line.securityClass, {}};
}

bool SetLineTerms(std::vector<UserTerms> &terms, const Audit &audit, std::size_t line,
                  const std::optional<Decimal> &ratePerMille, const std::optional<Decimal> &minimum)
{
    if (line >= audit.agreements.size())
        return false;
    const std::vector<std::size_t> lines = scopeLines(audit, line);
    std::vector<UserTerms> made = asUserTerms(audit, lines);
    UserTerms &edited = made[positionOf(lines, line)];
    edited.ratePerMille = ratePerMille.value_or(*edited.ratePerMille);
    edited.minimum = minimum.value_or(*edited.minimum);
    replaceScope(terms, ScopeOf(audit.agreements[line]), std::move(made));
    return true;
}

bool MoveLineStart(std::vector<UserTerms> &terms, const Audit &audit, std::size_t line, TradeDate from)
{
    if (line >= audit.agreements.size())
        return false;
    const std::vector<std::size_t> lines = scopeLines(audit, line);
    std::vector<UserTerms> made = asUserTerms(audit, lines);
    const std::size_t at = positionOf(lines, line);
    if (from > endOf(made[at], audit.agreements[line]))
        return false;
    made[at].from = from;
    if (at > 0) {
        const Agreement &before = audit.agreements[lines[at - 1]];
        if (from <= startOf(made[at - 1], before))
            return false;
        made[at - 1].to = PreviousDay(from);
    }
    replaceScope(terms, ScopeOf(audit.agreements[line]), std::move(made));
    return true;
}

bool MoveLineEnd(std::vector<UserTerms> &terms, const Audit &audit, std::size_t line, TradeDate to)
{
    if (line >= audit.agreements.size())
        return false;
    const std::vector<std::size_t> lines = scopeLines(audit, line);
    std::vector<UserTerms> made = asUserTerms(audit, lines);
    const std::size_t at = positionOf(lines, line);
    if (to < startOf(made[at], audit.agreements[line]))
        return false;
    made[at].to = to;
    if (at + 1 < made.size()) {
        const Agreement &after = audit.agreements[lines[at + 1]];
        if (to >= endOf(made[at + 1], after))
            return false;
        made[at + 1].from = NextDay(to);
    }
    replaceScope(terms, ScopeOf(audit.agreements[line]), std::move(made));
    return true;
}

bool SplitLine(std::vector<UserTerms> &terms, const Statement &statement, const Audit &audit, std::size_t line)
{
    if (line >= audit.agreements.size())
        return false;
    std::vector<TradeDate> dates;
    for (const OrderCheck &order : audit.orders)
        if (order.agreement == line)
            dates.push_back(statement.rows[order.firstRow].date());
    std::sort(dates.begin(), dates.end());
    if (dates.empty() || dates.front() == dates.back())
        return false;
    // The middle order's day ends the first part, unless it is the last day.
    TradeDate cut = dates[(dates.size() - 1) / 2];
    if (cut == dates.back())
        cut = *(std::lower_bound(dates.begin(), dates.end(), cut) - 1);
    const std::vector<std::size_t> lines = scopeLines(audit, line);
    std::vector<UserTerms> made = asUserTerms(audit, lines);
    const std::size_t at = positionOf(lines, line);
    UserTerms second = made[at];
    made[at].to = cut;
    second.from = NextDay(cut);
    made.insert(made.begin() + static_cast<std::ptrdiff_t>(at + 1), second);
    replaceScope(terms, ScopeOf(audit.agreements[line]), std::move(made));
    return true;
}

bool MergeWithNext(std::vector<UserTerms> &terms, const Audit &audit, std::size_t line)
{
    if (line >= audit.agreements.size())
        return false;
    const std::vector<std::size_t> lines = scopeLines(audit, line);
    const std::size_t at = positionOf(lines, line);
    if (at + 1 >= lines.size())
        return false;
    std::vector<UserTerms> made = asUserTerms(audit, lines);
    made[at].to = made[at + 1].to;
    made.erase(made.begin() + static_cast<std::ptrdiff_t>(at + 1));
    replaceScope(terms, ScopeOf(audit.agreements[line]), std::move(made));
    return true;
}

} // namespace tallyfin::statement
