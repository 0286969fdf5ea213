#include "agreement.h"

#include <algorithm>
#include <map>
#include <numeric>

namespace tallyfin::statement {

namespace {

// A security is priced apart only when this many of its orders show it.
constexpr int kOrdersOfASecurityLine = 2;
// Setting securities apart and inferring their scope's terms again, at most this often.
constexpr int kSecurityRounds = 3;

// How the orders bill an item: how many show a non-zero figure, how many zero.
struct Billing {
    int nonZero = 0, zero = 0;
    bool mostlyNonZero() const { return nonZero > zero; }
    Tally tally() const { return {std::max(nonZero, zero), nonZero + zero}; }
};

Billing billingOf(std::span<const OrderFacts> orders, std::optional<Cents> OrderFacts::*item)
{
    Billing billing;
    for (const OrderFacts &order : orders)
        if (order.*item)
            ++(*(order.*item) != 0 ? billing.nonZero : billing.zero);
    return billing;
}

// What every line of a group shares: how it bills the levies and the transfer fee.
struct GroupBilling {
    CommissionTerms terms;
    TermSource leviesSource = TermSource::Default, transferSource = TermSource::Default;
    Tally levies, transfer;
    bool transferSeparate = true;
};

// Stock Connect's items are Hong Kong's and China Clear's, never inside a
// broker's commission: the levies and the settlement fee are always their own.
GroupBilling hongKongBilling()
{
    GroupBilling settled;
    settled.terms.leviesOnTop = true;
    settled.terms.transferBilling = TransferBilling::OnItsOwnLine;
    return settled;
}

GroupBilling settleBilling(std::span<const OrderFacts> orders, const BillingOverride &override, bool transferWithLevies)
{
    GroupBilling settled;
    const Billing levies = billingOf(orders, &OrderFacts::levies);
    settled.levies = levies.tally();
    if (override.leviesOnTop) {
        settled.terms.leviesOnTop = *override.leviesOnTop;
        settled.leviesSource = TermSource::User;
    } else {
        settled.terms.leviesOnTop = levies.mostlyNonZero();
        settled.leviesSource = levies.tally().of > 0 ? TermSource::Rows : TermSource::Default;
    }
    const Billing transfer = billingOf(orders, &OrderFacts::transferFee);
    CommissionTerms &terms = settled.terms;
    if (override.transferSeparate) {
        terms.transferBilling =
            *override.transferSeparate ? TransferBilling::OnItsOwnLine : TransferBilling::WithTheLevies;
        settled.transferSource = TermSource::User;
    } else if (transferWithLevies && transfer.tally().of > 0) {
        terms.transferBilling = transfer.mostlyNonZero() ? TransferBilling::OnItsOwnLine : TransferBilling::AsTheTableSays;
        settled.transferSource = TermSource::Rows;
    }
    if (transferWithLevies || settled.transferSource == TermSource::User)
        settled.transfer = transfer.tally();
    settled.transferSeparate = terms.leviesOnTop || terms.transferBilling == TransferBilling::OnItsOwnLine
                               || (terms.transferBilling == TransferBilling::AsTheTableSays && !transferWithLevies);
    return settled;
}

// What the commission contains under `terms` and may not fall below, as FeeSchedule bills it.
Cents floorUnder(const OrderFacts &order, const CommissionTerms &terms)
{
    if (terms.leviesOnTop)
        return 0;
    const bool transferInside = terms.transferBilling == TransferBilling::WithTheLevies
                                || (terms.transferBilling == TransferBilling::AsTheTableSays
                                    && order.tableBillsTransferWithLevies);
    return order.leviesDue + (transferInside ? order.transferDue : 0);
}

bool scopeCovers(const TermsScope &scope, InstrumentGroup group, SecurityClass securityClass, std::string_view code)
{
    if (scope.group && *scope.group != group)
        return false;
    if (scope.securityClass == SecurityClass::Security)
        return securityClass == SecurityClass::Security && scope.code == code;
    return scope.securityClass == securityClass;
}

// The orders one line set prices: the group's general terms, a class, or a security.
struct Population {
    SecurityClass securityClass = SecurityClass::General;
    std::string code;                  // a security
    std::vector<std::uint32_t> orders; // indices into the group's orders, in date order
};

// One scope's lines: each period's fitted terms and span.
struct ScopeLines {
    std::vector<FittedTerms> fits;
    std::vector<std::pair<TradeDate, TradeDate>> spans; // from, to
    std::vector<bool> userSet;
    bool owesNothing = false;
};

class GroupInference {
public:
    GroupInference(InstrumentGroup group, std::span<const OrderFacts> orders, OtherFeesHold hold,
                   const AuditOptions &options, std::span<const TradeDate> changes, InferenceDepth depth)
        : m_group(group), m_orders(orders), m_hold(hold), m_options(options), m_changes(changes), m_depth(depth)
    {
    }

    GroupAgreement run(bool transferWithLevies)
    {
        m_billing = m_group == InstrumentGroup::HongKong
                        ? hongKongBilling()
                        : settleBilling(m_orders, m_options.billing[static_cast<std::size_t>(m_group)], transferWithLevies);
        m_evidence.reserve(m_orders.size());
        for (const OrderFacts &order : m_orders)
            m_evidence.push_back({order.date, order.amount, order.allowance, order.commission,
                                  floorUnder(order, m_billing.terms)});
        std::vector<Population> populations = populationsByScope();
        m_lineOf.assign(m_orders.size(), -1);
        std::vector<ScopeLines> scopes(populations.size());
        for (std::size_t i = 0; i < populations.size(); ++i)
            scopes[i] = linesOf(populations[i]);
        foldClassesIntoGeneral(populations, scopes);
        if (m_depth == InferenceDepth::Full)
            splitOffSecurities(populations, scopes);
        return collect(populations, scopes);
    }

private:
    std::vector<Population> populationsByScope()
    {
        std::vector<std::uint32_t> byDate(m_orders.size());
        std::iota(byDate.begin(), byDate.end(), 0u);
        std::stable_sort(byDate.begin(), byDate.end(),
                         [this](std::uint32_t a, std::uint32_t b) { return m_orders[a].date < m_orders[b].date; });
        std::vector<Population> populations(kSecurityClassCount - 1);
        for (std::size_t c = 0; c + 1 < kSecurityClassCount; ++c)
            populations[c].securityClass = static_cast<SecurityClass>(c);
        std::map<std::string_view, std::size_t> securities;
        for (const std::uint32_t index : byDate) {
            const OrderFacts &order = m_orders[index];
            if (userNamesSecurity(order.code)) {
                const auto [found, made] = securities.try_emplace(order.code, populations.size());
                if (made)
                    populations.push_back({SecurityClass::Security, std::string(order.code), {}});
                populations[found->second].orders.push_back(index);
            } else {
                populations[static_cast<std::size_t>(order.securityClass)].orders.push_back(index);
            }
        }
        return populations;
    }

    bool userNamesSecurity(std::string_view code) const
    {
        return std::any_of(m_options.terms.begin(), m_options.terms.end(), [&](const UserTerms &terms) {
            return scopeCovers(terms.scope, m_group, SecurityClass::Security, code);
        });
    }

    std::vector<OrderEvidence> evidenceOf(const std::vector<std::uint32_t> &orders) const
    {
        std::vector<OrderEvidence> evidence;
        evidence.reserve(orders.size());
        for (const std::uint32_t index : orders)
            evidence.push_back(m_evidence[index]);
        return evidence;
    }

    std::vector<const UserTerms *> userTermsOf(const Population &population) const
    {
        std::vector<const UserTerms *> found;
        for (const UserTerms &terms : m_options.terms)
            if (scopeCovers(terms.scope, m_group, population.securityClass, population.code))
                found.push_back(&terms);
        std::stable_sort(found.begin(), found.end(), [](const UserTerms *a, const UserTerms *b) {
            return a->from.value_or(TradeDate{}) < b->from.value_or(TradeDate{});
        });
        return found;
    }

    bool nothingCharged(const std::vector<std::uint32_t> &orders) const
    {
        return !orders.empty() && std::all_of(orders.begin(), orders.end(), [this](std::uint32_t index) {
            return m_orders[index].nothingCharged;
        });
    }

    ScopeLines linesOf(const Population &population)
    {
        ScopeLines scope;
        if (population.orders.empty())
            return scope;
        const std::vector<const UserTerms *> user = userTermsOf(population);
        if (user.empty() && population.securityClass != SecurityClass::General && nothingCharged(population.orders))
            return owingNothing(population);
        const std::vector<OrderEvidence> evidence = evidenceOf(population.orders);
        const std::vector<Cents> minimums = MinimumCandidates(evidence);
        if (!user.empty())
            return userLines(population, evidence, minimums, user);
        std::vector<std::size_t> starts{0};
        if (m_depth == InferenceDepth::Full) {
            starts = FindPeriods(evidence, minimums, kGainOfAPeriod);
            alignWithOtherGroups(evidence, minimums, starts);
        }
        scope.fits = fitPeriods(evidence, minimums, starts);
        // Periods the segmentation parted that end up with the same terms are one.
        bool merged = false;
        for (std::size_t p = scope.fits.size(); p-- > 1;)
            if (scope.fits[p].rate == scope.fits[p - 1].rate && scope.fits[p].minimum == scope.fits[p - 1].minimum) {
                starts.erase(starts.begin() + static_cast<std::ptrdiff_t>(p));
                merged = true;
            }
        if (merged)
            scope.fits = fitPeriods(evidence, minimums, starts);
        scope.spans = pinnedSpans(scope, evidence, starts);
        scope.userSet.assign(scope.fits.size(), false);
        assign(population, scope);
        return scope;
    }

    static std::vector<FittedTerms> fitPeriods(const std::vector<OrderEvidence> &evidence, std::span<const Cents> minimums,
                                               const std::vector<std::size_t> &starts)
    {
        std::vector<FittedTerms> fits;
        for (std::size_t p = 0; p < starts.size(); ++p) {
            const std::size_t end = p + 1 < starts.size() ? starts[p + 1] : evidence.size();
            fits.push_back(FitTerms(std::span(evidence.data() + starts[p], end - starts[p]), minimums));
        }
        return fits;
    }

    // Another group's change: a period of this population ends there too
    // when that explains even one more order.
    void alignWithOtherGroups(const std::vector<OrderEvidence> &evidence, std::span<const Cents> minimums,
                              std::vector<std::size_t> &starts) const
    {
        for (const TradeDate change : m_changes) {
            const auto after = std::upper_bound(evidence.begin(), evidence.end(), change,
                                                [](TradeDate date, const OrderEvidence &order) { return date < order.date; });
            const std::size_t at = static_cast<std::size_t>(after - evidence.begin());
            if (at == 0 || at >= evidence.size() || std::find(starts.begin(), starts.end(), at) != starts.end())
                continue;
            const auto next = std::upper_bound(starts.begin(), starts.end(), at);
            const std::size_t begin = *(next - 1), end = next == starts.end() ? evidence.size() : *next;
            const std::span<const OrderEvidence> part(evidence.data() + begin, end - begin);
            if (GainOfSplit(part, minimums, at - begin) >= kGainOfAnAlignedPeriod)
                starts.insert(next, at);
        }
    }

    // Each period holds from the first to the last trade its terms are
    // pinned by (explained by them and not by a neighbour's), the first
    // period from the first trade and the last to the last.
    static std::vector<std::pair<TradeDate, TradeDate>> pinnedSpans(const ScopeLines &scope,
                                                                    const std::vector<OrderEvidence> &evidence,
                                                                    const std::vector<std::size_t> &starts)
    {
        const std::size_t periods = scope.fits.size();
        std::vector<std::pair<TradeDate, TradeDate>> spans(periods);
        for (std::size_t p = 0; p < periods; ++p) {
            const std::size_t begin = starts[p], end = p + 1 < periods ? starts[p + 1] : evidence.size();
            spans[p] = {evidence[begin].date, evidence[end - 1].date};
            const auto pinned = [&](const OrderEvidence &order, std::size_t other) {
                const FittedTerms &mine = scope.fits[p], &theirs = scope.fits[other];
                return Explains(order, mine.rate, mine.minimum) && !Explains(order, theirs.rate, theirs.minimum);
            };
            if (p > 0)
                for (std::size_t i = begin; i < end; ++i)
                    if (pinned(evidence[i], p - 1)) {
                        spans[p].first = evidence[i].date;
                        break;
                    }
            if (p + 1 < periods)
                for (std::size_t i = end; i-- > begin;)
                    if (pinned(evidence[i], p + 1)) {
                        spans[p].second = evidence[i].date;
                        break;
                    }
        }
        return spans;
    }

    ScopeLines userLines(const Population &population, const std::vector<OrderEvidence> &evidence,
                         std::span<const Cents> minimums, const std::vector<const UserTerms *> &user)
    {
        ScopeLines scope;
        const TradeDate first = evidence.front().date, last = evidence.back().date;
        for (const UserTerms *terms : user) {
            const TradeDate from = terms->from.value_or(first), to = terms->to.value_or(last);
            std::vector<OrderEvidence> inside;
            for (const OrderEvidence &order : evidence)
                if (from <= order.date && order.date <= to)
                    inside.push_back(order);
            const std::optional<RateUnits> rate =
                terms->ratePerMille ? std::optional(RateUnitsOf(*terms->ratePerMille)) : std::nullopt;
            const std::optional<Cents> minimum =
                terms->minimum ? terms->minimum->rounded(2, Rounding::HalfUp).unitsAt(2) : std::nullopt;
            scope.fits.push_back(FitTerms(inside, minimums, rate, minimum));
            scope.spans.emplace_back(from, to);
            scope.userSet.push_back(true);
        }
        assign(population, scope);
        return scope;
    }

    ScopeLines owingNothing(const Population &population)
    {
        ScopeLines scope;
        FittedTerms nothing;
        nothing.minimum = 0;
        nothing.rateSource = nothing.minimumSource = TermSource::Rows;
        nothing.range = {0, 0};
        scope.fits.push_back(nothing);
        scope.spans.emplace_back(m_orders[population.orders.front()].date, m_orders[population.orders.back()].date);
        scope.userSet.push_back(false);
        scope.owesNothing = true;
        assign(population, scope);
        return scope;
    }

    // Each order to the line whose span holds its date; one between two
    // spans to the line that explains it, the earlier if both do; if
    // neither does, to the one whose commission comes nearer its charge.
    void assign(const Population &population, const ScopeLines &scope)
    {
        for (const std::uint32_t index : population.orders)
            m_lineOf[index] = static_cast<int>(lineFor(scope, m_evidence[index]));
    }

    static std::size_t lineFor(const ScopeLines &scope, const OrderEvidence &order)
    {
        const std::size_t lines = scope.spans.size();
        std::size_t next = 0;
        while (next < lines && scope.spans[next].first <= order.date)
            ++next;
        if (next == 0)
            return 0;
        const std::size_t before = next - 1;
        if (order.date <= scope.spans[before].second || next == lines)
            return before;
        const FittedTerms &earlier = scope.fits[before], &later = scope.fits[next];
        const bool earlierExplains = Explains(order, earlier.rate, earlier.minimum);
        if (earlierExplains || Explains(order, later.rate, later.minimum) || !order.commission)
            return earlierExplains || !order.commission ? before : next;
        const auto distance = [&order](const FittedTerms &fit) {
            const Cents off = CommissionDue(order, fit.rate, fit.minimum) - *order.commission;
            return off < 0 ? -off : off;
        };
        return distance(later) < distance(earlier) ? next : before;
    }

    int explainedBy(const ScopeLines &scope, const std::vector<std::uint32_t> &orders) const
    {
        int explained = 0;
        if (scope.fits.empty())
            return 0;
        for (const std::uint32_t index : orders) {
            const FittedTerms &fit = scope.fits[lineFor(scope, m_evidence[index])];
            explained += scope.owesNothing ? m_orders[index].nothingCharged : Explains(m_evidence[index], fit.rate, fit.minimum);
        }
        return explained;
    }

    // A class whose orders terms common with the general ones explain as
    // well is no class of its own.
    void foldClassesIntoGeneral(std::vector<Population> &populations, std::vector<ScopeLines> &scopes)
    {
        constexpr std::size_t kGeneral = static_cast<std::size_t>(SecurityClass::General);
        for (std::size_t c = kGeneral + 1; c + 1 < kSecurityClassCount; ++c) {
            Population &general = populations[kGeneral], &population = populations[c];
            if (general.orders.empty() || population.orders.empty() || !userTermsOf(population).empty())
                continue;
            Population joined{SecurityClass::General, {}, general.orders};
            joined.orders.insert(joined.orders.end(), population.orders.begin(), population.orders.end());
            std::stable_sort(joined.orders.begin(), joined.orders.end(),
                             [this](std::uint32_t a, std::uint32_t b) { return m_orders[a].date < m_orders[b].date; });
            const int apart = explainedBy(scopes[kGeneral], general.orders) + explainedBy(scopes[c], population.orders);
            ScopeLines together = linesOf(joined);
            if (explainedBy(together, joined.orders) < apart) {
                assign(general, scopes[kGeneral]); // linesOf(joined) assigned them anew
                assign(population, scopes[c]);
                continue;
            }
            general = std::move(joined);
            scopes[kGeneral] = std::move(together);
            population.orders.clear();
            scopes[c] = {};
        }
    }

    // A security whose orders its scope's terms leave unexplained, and that
    // one set of terms of its own explains wholly, gets a line of its own;
    // the scope's terms are then inferred again without it (its orders may
    // have made a period of their own), and a security the new terms
    // explain after all goes back. Terms the user set are taken as set.
    void splitOffSecurities(std::vector<Population> &populations, std::vector<ScopeLines> &scopes)
    {
        const std::size_t scopesBefore = populations.size();
        for (std::size_t p = 0; p < scopesBefore; ++p) {
            if (populations[p].securityClass == SecurityClass::Security || scopes[p].owesNothing
                || !userTermsOf(populations[p]).empty())
                continue;
            std::vector<std::pair<Population, ScopeLines>> apart;
            for (int round = 0; round < kSecurityRounds; ++round) {
                const std::size_t before = apart.size();
                for (auto &[code, orders] : unexplainedSecurities(populations[p], scopes[p])) {
                    Population security{SecurityClass::Security, std::string(code), std::move(orders)};
                    ScopeLines lines = nothingCharged(security.orders) ? owingNothing(security) : singleLine(security);
                    if (lines.fits.empty())
                        continue;
                    const std::string_view apartCode = security.code; // clang 14 captures no structured binding
                    std::erase_if(populations[p].orders,
                                  [&](std::uint32_t index) { return m_orders[index].code == apartCode; });
                    apart.emplace_back(std::move(security), std::move(lines));
                }
                if (apart.size() == before)
                    break;
                scopes[p] = linesOf(populations[p]);
                takeBackExplained(populations[p], scopes[p], apart);
            }
            for (auto &[security, lines] : apart) {
                assign(security, lines);
                populations.push_back(std::move(security));
                scopes.push_back(std::move(lines));
            }
        }
    }

    // The securities set apart whose orders the scope's terms now explain rejoin it.
    void takeBackExplained(Population &population, ScopeLines &scope, std::vector<std::pair<Population, ScopeLines>> &apart)
    {
        const std::size_t kept = apart.size();
        std::erase_if(apart, [&](const std::pair<Population, ScopeLines> &entry) {
            if (2 * explainedBy(scope, entry.first.orders) < static_cast<int>(entry.first.orders.size()))
                return false;
            population.orders.insert(population.orders.end(), entry.first.orders.begin(), entry.first.orders.end());
            return true;
        });
        if (apart.size() == kept)
            return;
        std::stable_sort(population.orders.begin(), population.orders.end(),
                         [this](std::uint32_t a, std::uint32_t b) { return m_orders[a].date < m_orders[b].date; });
        scope = linesOf(population);
    }

    std::map<std::string_view, std::vector<std::uint32_t>> unexplainedSecurities(const Population &population,
                                                                                 const ScopeLines &scope) const
    {
        std::map<std::string_view, std::vector<std::uint32_t>> byCode;
        std::map<std::string_view, int> unexplained;
        for (const std::uint32_t index : population.orders) {
            byCode[m_orders[index].code].push_back(index);
            const FittedTerms &fit = scope.fits[static_cast<std::size_t>(m_lineOf[index])];
            unexplained[m_orders[index].code] += m_evidence[index].commission && !Explains(m_evidence[index], fit.rate, fit.minimum);
        }
        std::erase_if(byCode, [&](const auto &entry) {
            const int missed = unexplained[entry.first];
            return missed < kOrdersOfASecurityLine || 2 * missed < static_cast<int>(entry.second.size());
        });
        return byCode;
    }

    // One period's terms for a security, kept only when they explain every order of it.
    ScopeLines singleLine(const Population &security)
    {
        const std::vector<OrderEvidence> evidence = evidenceOf(security.orders);
        FittedTerms fit = FitTerms(evidence, MinimumCandidates(evidence));
        if (fit.tallies.commission.explained < fit.tallies.commission.of)
            return {};
        ScopeLines scope;
        scope.fits.push_back(std::move(fit));
        scope.spans.emplace_back(evidence.front().date, evidence.back().date);
        scope.userSet.push_back(false);
        assign(security, scope);
        return scope;
    }

    GroupAgreement collect(const std::vector<Population> &populations, const std::vector<ScopeLines> &scopes)
    {
        GroupAgreement agreement;
        std::vector<std::size_t> firstLine(populations.size());
        for (std::size_t p = 0; p < populations.size(); ++p) {
            firstLine[p] = agreement.lines.size();
            if (populations[p].orders.empty())
                continue;
            for (std::size_t line = 0; line < scopes[p].fits.size(); ++line)
                agreement.lines.push_back(lineOf(populations[p], scopes[p], line));
        }
        agreement.lineOfOrder.assign(m_orders.size(), 0);
        for (std::size_t p = 0; p < populations.size(); ++p)
            for (const std::uint32_t index : populations[p].orders)
                agreement.lineOfOrder[index] = static_cast<std::uint32_t>(firstLine[p] + static_cast<std::size_t>(m_lineOf[index]));
        tally(agreement);
        return agreement;
    }

    Agreement lineOf(const Population &population, const ScopeLines &scope, std::size_t index) const
    {
        const FittedTerms &fit = scope.fits[index];
        Agreement line;
        line.group = m_group;
        line.securityClass = population.securityClass;
        if (population.securityClass != SecurityClass::General) {
            for (const std::uint32_t order : population.orders)
                line.codes.emplace_back(m_orders[order].code);
            std::sort(line.codes.begin(), line.codes.end());
            line.codes.erase(std::unique(line.codes.begin(), line.codes.end()), line.codes.end());
        }
        if (population.securityClass == SecurityClass::Security)
            line.name = m_orders[population.orders.front()].name;
        line.from = scope.spans[index].first;
        line.to = scope.spans[index].second;
        line.terms = m_billing.terms;
        line.terms.ratePerMille = RateDecimal(fit.rate);
        line.terms.minimum = Decimal(fit.minimum, 2);
        line.owesNothing = scope.owesNothing;
        line.rateLow = RateDecimal(fit.range.low);
        line.rateHigh = RateDecimal(fit.range.high);
        line.otherFees = m_hold;
        line.rateSource = fit.rateSource;
        line.minimumSource = fit.minimumSource;
        line.leviesSource = m_billing.leviesSource;
        line.transferSource = m_billing.transferSource;
        line.levies = m_billing.levies;
        line.transfer = m_billing.transfer;
        line.transferSeparate = m_billing.transferSeparate;
        return line;
    }

    // Each line's tallies over the orders it prices.
    void tally(GroupAgreement &agreement) const
    {
        std::vector<std::vector<OrderEvidence>> priced(agreement.lines.size());
        std::vector<int> nothingCharged(agreement.lines.size(), 0), counted(agreement.lines.size(), 0);
        for (std::size_t i = 0; i < m_orders.size(); ++i) {
            priced[agreement.lineOfOrder[i]].push_back(m_evidence[i]);
            nothingCharged[agreement.lineOfOrder[i]] += m_orders[i].nothingCharged;
            counted[agreement.lineOfOrder[i]] += m_evidence[i].commission.has_value();
        }
        for (std::size_t l = 0; l < agreement.lines.size(); ++l) {
            Agreement &line = agreement.lines[l];
            if (line.owesNothing) {
                line.commission = {nothingCharged[l], counted[l]};
                continue;
            }
            const TermsTallies tallies = TallyTerms(priced[l], RateUnitsOf(line.terms.ratePerMille),
                                                    *line.terms.minimum.unitsAt(2));
            line.rate = tallies.rate;
            line.minimum = tallies.minimum;
            line.commission = tallies.commission;
        }
    }

    InstrumentGroup m_group;
    std::span<const OrderFacts> m_orders;
    OtherFeesHold m_hold;
    const AuditOptions &m_options;
    std::span<const TradeDate> m_changes;
    InferenceDepth m_depth;
    GroupBilling m_billing;
    std::vector<OrderEvidence> m_evidence; // by order
    std::vector<int> m_lineOf;             // by order: its line within its scope
};

// The fee table bills the group's transfer fee with the levies at some date
// (Shenzhen's): then a statement may show it on its own line or not.
bool transferWithLevies(InstrumentGroup group)
{
    for (const FeeRuleRow &row : FeeRuleTable()) {
        if (row.item != FeeItem::TransferFee || row.shownSeparately)
            continue;
        for (const MarketInfo &info : kMarkets)
            if ((row.markets & MarketBit(info.market)) && GroupOfMarket(info.market) == group)
                return true;
    }
    return false;
}

} // namespace

GroupAgreement InferGroupAgreement(InstrumentGroup group, std::span<const OrderFacts> orders, OtherFeesHold hold,
                                   const AuditOptions &options, std::span<const TradeDate> changes,
                                   InferenceDepth depth)
{
    return GroupInference(group, orders, hold, options, changes, depth).run(transferWithLevies(group));
}

std::vector<TradeDate> ChangeDates(const GroupAgreement &agreement)
{
    std::vector<TradeDate> changes;
    for (std::size_t l = 1; l < agreement.lines.size(); ++l) {
        const Agreement &earlier = agreement.lines[l - 1], &later = agreement.lines[l];
        if (SameScope(earlier, later) && earlier.to < later.from)
            changes.push_back(earlier.to);
    }
    return changes;
}

} // namespace tallyfin::statement
