#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "audit.h"

namespace CLI {
class App;
}

namespace tallyfin {

// A term the user sets on the command line: "[SCOPE=]VALUE[@FROM..TO]".
// SCOPE is a group (上海A股 …), a class (债券ETF, 货币ETF, LOF, REITs, for
// every group) or a six-digit code; without it the term is every group's
// general term. FROM and TO are trade dates (YYYY-MM-DD), either may be left
// out for an open end.
//   "0.2354@..2025-01-23" -> every group, to 2025-01-23, 0.2354
//   "511260=0.05"         -> the security 511260, every date, 0.05
struct TermOption {
    statement::TermsScope scope;
    std::optional<TradeDate> from, to;
    Decimal value;
};

// The option read, or nullopt when it is not one; `highest` caps the value.
std::optional<TermOption> ParseTermOption(std::string_view text, const std::optional<Decimal> &highest);

// Merges rates and minimums into the user's terms: a rate and a minimum of
// one scope and span are one entry; a minimum without a span holds for every
// span of its scope. Throws CLI::ValidationError when two spans of one scope
// overlap.
std::vector<statement::UserTerms> MergeTermOptions(const std::vector<TermOption> &rates, const std::vector<TermOption> &minimums);

// The options that set the agreement an audit prices by, declared on a
// command: --commission, --minimum (each repeatable, with a scope and a
// span), --levies-on-top, --compare-commission, --compare-no-minimum.
class AgreementOptions {
public:
    void declare(CLI::App *command);
    // Once the command line is parsed.
    statement::AuditOptions options() const;

private:
    std::vector<std::string> m_commission, m_minimum;
    std::optional<std::string> m_compareCommission;
    bool m_leviesOnTop = false, m_compareNoMinimum = false;
};

} // namespace tallyfin
