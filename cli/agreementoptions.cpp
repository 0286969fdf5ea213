#include "agreementoptions.h"

#include <CLI/CLI.hpp>

#include <algorithm>

#include "constants.h"

namespace tallyfin {

namespace {

using namespace statement;

std::optional<Decimal> decimalOf(std::string_view text) { return Decimal::fromTyped(text, kDecimalPoint); }

std::optional<TermsScope> scopeNamed(std::string_view name)
{
    if (const std::optional<InstrumentGroup> group = GroupNamed(name))
        return TermsScope{group, SecurityClass::General, {}};
    if (const std::optional<SecurityClass> securityClass = SecurityClassNamed(name))
        return TermsScope{std::nullopt, *securityClass, {}};
    if (name.size() == 6 && std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return TermsScope{std::nullopt, SecurityClass::Security, std::string(name)};
    return std::nullopt;
}

// "FROM..TO", either end empty.
bool readSpan(std::string_view text, TermOption &given)
{
    const std::size_t dots = text.find("..");
    if (dots == std::string_view::npos)
        return false;
    const std::string_view from = text.substr(0, dots), to = text.substr(dots + 2);
    if (!from.empty() && !(given.from = ParseTradeDate(from)))
        return false;
    if (!to.empty() && !(given.to = ParseTradeDate(to)))
        return false;
    return !(given.from && given.to && *given.to < *given.from);
}

CLI::Validator specValidator(std::optional<Decimal> highest, const std::string &expected)
{
    return CLI::Validator(
        [highest, expected](const std::string &text) {
            return ParseTermOption(text, highest) ? std::string()
                                                : "expected [SCOPE=]" + expected + "[@FROM..TO], got '" + text + "'";
        },
        "");
}

std::string describe(const TermsScope &scope)
{
    if (scope.securityClass == SecurityClass::Security)
        return scope.code;
    if (scope.securityClass != SecurityClass::General)
        return std::string(SecurityClassName(scope.securityClass));
    return scope.group ? std::string(GroupName(*scope.group)) : "every group";
}

} // namespace

std::optional<TermOption> ParseTermOption(std::string_view text, const std::optional<Decimal> &highest)
{
    TermOption given;
    const std::size_t equals = text.find('=');
    if (equals != std::string_view::npos) {
        const std::optional<TermsScope> scope = scopeNamed(text.substr(0, equals));
        if (!scope)
            return std::nullopt;
        given.scope = *scope;
        text.remove_prefix(equals + 1);
    }
    const std::size_t at = text.find('@');
    if (at != std::string_view::npos) {
        if (!readSpan(text.substr(at + 1), given))
            return std::nullopt;
        text = text.substr(0, at);
    }
    const std::optional<Decimal> value = decimalOf(text);
    if (!value || value->sign() < 0 || (highest && *value > *highest))
        return std::nullopt;
    given.value = *value;
    return given;
}

std::vector<UserTerms> MergeTermOptions(const std::vector<TermOption> &rates, const std::vector<TermOption> &minimums)
{
    std::vector<UserTerms> merged;
    const auto entryFor = [&merged](const TermOption &given) -> UserTerms & {
        for (UserTerms &terms : merged)
            if (terms.scope == given.scope && terms.from == given.from && terms.to == given.to)
                return terms;
        return merged.emplace_back(UserTerms{given.scope, given.from, given.to, std::nullopt, std::nullopt});
    };
    for (const TermOption &rate : rates)
        entryFor(rate).ratePerMille = rate.value;
    for (const TermOption &minimum : minimums) {
        const bool spanless = !minimum.from && !minimum.to;
        bool applied = false;
        for (UserTerms &terms : merged)
            if (spanless && terms.scope == minimum.scope) {
                terms.minimum = minimum.value;
                applied = true;
            }
        if (!applied)
            entryFor(minimum).minimum = minimum.value;
    }
    for (std::size_t i = 0; i < merged.size(); ++i)
        for (std::size_t j = i + 1; j < merged.size(); ++j) {
            const UserTerms &a = merged[i], &b = merged[j];
            const bool apart = (a.to && b.from && *a.to < *b.from) || (b.to && a.from && *b.to < *a.from);
            if (a.scope == b.scope && !apart)
                throw CLI::ValidationError("--commission/--minimum",
                                           "two spans of " + describe(a.scope) + " overlap");
        }
    return merged;
}

void AgreementOptions::declare(CLI::App *command)
{
    const CLI::Validator rate = specValidator(Decimal(kMaxCommissionPerMille), "R");
    const CLI::Validator amount = specValidator(std::nullopt, "M");
    command
        ->add_option("--commission", m_commission,
                     "the commission rate in ‰ (万2.5 is 0.25), not inferred; repeat it for periods and scopes:\n"
                     "[SCOPE=]R[@FROM..TO], SCOPE a group (上海A股 …), a class (债券ETF, 货币ETF, LOF, REITs) or a "
                     "code, FROM and TO trade dates, either left out for an open end:\n"
                     "--commission 0.2354@..2025-01-23 --commission 0.15@2025-02-26.. --commission 511260=0.05.\n"
                     "Without a scope it sets every group's general terms; classes and securities the rows set "
                     "apart keep theirs unless named. Trades between two spans are checked against both")
        ->check(rate)
        ->type_name("R");
    command
        ->add_option("--minimum", m_minimum,
                     "the minimum commission in yuan (0 for 免五), not inferred; [SCOPE=]M[@FROM..TO] as for "
                     "--commission, a minimum without a span holding for every span of its scope")
        ->check(amount)
        ->type_name("M");
    command->add_flag("--levies-on-top", m_leviesOnTop, "handling and management fees are charged on top (规费另计)");
    command
        ->add_option("--compare-commission", m_compareCommission, "price the trades at this rate too (‰)")
        ->check(CLI::Validator(
            [](const std::string &text) {
                const std::optional<Decimal> value = decimalOf(text);
                return value && value->sign() >= 0 && *value <= Decimal(kMaxCommissionPerMille)
                           ? std::string()
                           : "expected a rate in ‰ from 0 to 3";
            },
            ""))
        ->type_name("R");
    command->add_flag("--compare-no-minimum", m_compareNoMinimum, "price the trades without a minimum too (免五)");
    // Spans of one scope must not overlap: told as a usage error.
    command->callback([this] { static_cast<void>(options()); });
}

AuditOptions AgreementOptions::options() const
{
    std::vector<TermOption> rates, minimums;
    for (const std::string &text : m_commission)
        rates.push_back(*ParseTermOption(text, std::nullopt));
    for (const std::string &text : m_minimum)
        minimums.push_back(*ParseTermOption(text, std::nullopt));
    AuditOptions options;
    options.terms = MergeTermOptions(rates, minimums);
    if (m_leviesOnTop)
        for (BillingOverride &billing : options.billing)
            billing.leviesOnTop = true;
    if (m_compareCommission || m_compareNoMinimum)
        options.compare = CompareTerms{m_compareCommission ? decimalOf(*m_compareCommission) : std::nullopt,
                                       m_compareNoMinimum};
    return options;
}

} // namespace tallyfin
