#include "audit.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <unordered_map>

#include "agreement.h"
#include "auditorders.h"
#include "progress.h"

namespace tallyfin::statement {

namespace {

constexpr std::size_t at(FeePart part) { return static_cast<std::size_t>(part); }
constexpr std::size_t at(InstrumentGroup group) { return static_cast<std::size_t>(group); }
constexpr unsigned bit(FeePart part) { return 1u << static_cast<unsigned>(part); }

// Orders with other fees whose arithmetic decides what the other-fee column
// holds, and orders the terms of each reading are inferred from for that.
constexpr std::size_t kHoldSample = 400;
constexpr std::size_t kInferenceSample = 2000;

Decimal money(Cents cents) { return Decimal(cents, 2); }

Cents centsOf(const Decimal &fee) { return *fee.unitsAt(2); }

using Expected = std::array<Cents, kFeeItemCount>;

// What each order owes under the lines that price it: one fee schedule per
// rules period and line, made on first use.
class Pricer {
public:
    Pricer(const std::vector<RulesInForce> &periods, std::vector<CommissionTerms> terms, std::vector<bool> owingNothing)
        : m_periods(periods), m_terms(std::move(terms)), m_owingNothing(std::move(owingNothing)),
          m_made(m_periods.size() * m_terms.size())
    {
    }

    Expected expected(const GatheredOrder &order, std::size_t line)
    {
        if (m_owingNothing[line])
            return {};
        if (order.hongKong)
            return HongKongFees(order, m_terms[line]);
        std::optional<FeeSchedule> &schedule = m_made[line * m_periods.size() + order.period];
        if (!schedule)
            schedule.emplace(m_periods[order.period], m_terms[line]);
        const SideFees fees = schedule->feesOnAmount(order.check.side, money(order.check.amount), order.quantity);
        return {centsOf(fees.commission), centsOf(fees.stampDuty), centsOf(fees.transferFee), centsOf(fees.levies), 0};
    }

private:
    const std::vector<RulesInForce> &m_periods;
    std::vector<CommissionTerms> m_terms;
    std::vector<bool> m_owingNothing;
    std::vector<std::optional<FeeSchedule>> m_made;
};

std::vector<CommissionTerms> termsOf(const std::vector<Agreement> &lines)
{
    std::vector<CommissionTerms> terms;
    for (const Agreement &line : lines)
        terms.push_back(line.terms);
    return terms;
}

std::vector<bool> owingNothingOf(const std::vector<Agreement> &lines)
{
    std::vector<bool> owing;
    for (const Agreement &line : lines)
        owing.push_back(line.owesNothing);
    return owing;
}

Pricer pricerOf(const std::vector<RulesInForce> &periods, const std::vector<Agreement> &lines)
{
    return Pricer(periods, termsOf(lines), owingNothingOf(lines));
}

// The lines with the compared rate and minimum in place of their own.
Pricer comparedPricer(const std::vector<RulesInForce> &periods, const std::vector<Agreement> &lines,
                      const CompareTerms &compare)
{
    std::vector<CommissionTerms> terms = termsOf(lines);
    for (CommissionTerms &line : terms) {
        line.ratePerMille = compare.ratePerMille.value_or(line.ratePerMille);
        if (compare.noMinimum)
            line.minimum = Decimal();
    }
    return Pricer(periods, std::move(terms), owingNothingOf(lines));
}

// The order owes what its items say, each within its allowance.
bool explains(const ItemFigures &charged, const Expected &expected, Cents allowance)
{
    for (std::size_t item = 0; item < kFeeItemCount; ++item)
        if (charged[item] && !WithinAllowance(*charged[item], expected[item], allowance))
            return false;
    return true;
}

// The rates of a period's levies and transfer fee, which the commission may
// have to hold.
struct PeriodRates {
    explicit PeriodRates(const RulesInForce &rules)
        : handling(rateOf(*rules.handlingFee)), management(rateOf(*rules.managementFee)),
          transfer(rateOf(*rules.transferFee)), transferOnAmount(rules.transferFee->basis == FeeBasis::Amount),
          transferWithLevies(!rules.transferFee->shownSeparately)
    {
    }

    static RateUnits rateOf(const FeeRuleRow &row) { return RateUnitsOf(Decimal::fromLiteral(row.ratePerMille)); }

    RateUnits handling, management, transfer;
    bool transferOnAmount, transferWithLevies;
};

std::vector<PeriodRates> ratesOf(const std::vector<RulesInForce> &periods)
{
    std::vector<PeriodRates> rates;
    for (const RulesInForce &rules : periods)
        rates.emplace_back(rules);
    return rates;
}

bool nothingCharged(const ItemFigures &written)
{
    bool any = false;
    for (const std::optional<Cents> &item : written) {
        if (item && *item != 0)
            return false;
        any = any || item;
    }
    return any;
}

int decimalsOf(const Decimal &rate)
{
    for (int decimals = 0;; ++decimals)
        if (rate.rounded(decimals, Rounding::HalfUp) == rate)
            return decimals;
}

// A line whose rows allow a rate another line uses, and no simpler one,
// takes that rate: a broker agrees a rate for the account, not a number per
// group that merely happens to fit (0.2354 for Shenzhen's shares too, not
// 0.2352 from a single order).
void preferRatesSeenElsewhere(std::vector<Agreement> &lines)
{
    std::vector<Decimal> rates;
    for (const Agreement &line : lines)
        if (line.rateSource == TermSource::Rows && !line.owesNothing)
            rates.push_back(line.terms.ratePerMille);
    for (Agreement &line : lines) {
        if (line.rateSource != TermSource::Rows || line.owesNothing)
            continue;
        std::optional<Decimal> best;
        for (const Decimal &rate : rates)
            if (line.rateLow <= rate && rate <= line.rateHigh && (!best || decimalsOf(rate) < decimalsOf(*best)))
                best = rate;
        if (best && decimalsOf(*best) <= decimalsOf(line.terms.ratePerMille))
            line.terms.ratePerMille = *best;
    }
}

// Settles each group's agreement: for a group whose statement shows other
// fees, the reading of that column under which the most of those orders add
// up under the terms it leads to. Groups whose terms change on a day lead
// the others to look for a change on the same day.
class AgreementFinder {
public:
    AgreementFinder(const Statement &statement, const Gathered &gathered, const AuditOptions &options)
        : m_statement(statement), m_gathered(gathered), m_options(options), m_rates(ratesOf(gathered.periods))
    {
        for (std::uint32_t i = 0; i < gathered.orders.size(); ++i)
            m_byGroup[at(gathered.orders[i].check.group)].push_back(i);
    }

    // The lines of every group, and the line (index into them) of each order.
    std::vector<Agreement> run(std::vector<std::uint32_t> &lineOfOrder)
    {
        std::array<std::optional<GroupAgreement>, kGroupCount> settled;
        std::vector<TradeDate> changes;
        for (std::size_t group = 0; group < kGroupCount; ++group)
            if (!m_byGroup[group].empty()) {
                settled[group] = settle(static_cast<InstrumentGroup>(group), {});
                for (const TradeDate change : ChangeDates(*settled[group]))
                    changes.push_back(change);
            }
        if (!changes.empty())
            for (std::size_t group = 0; group < kGroupCount; ++group)
                if (settled[group])
                    settled[group] = settle(static_cast<InstrumentGroup>(group), changes);
        std::vector<Agreement> lines;
        lineOfOrder.assign(m_gathered.orders.size(), 0);
        for (std::size_t group = 0; group < kGroupCount; ++group) {
            if (!settled[group])
                continue;
            const auto first = static_cast<std::uint32_t>(lines.size());
            for (std::size_t i = 0; i < m_byGroup[group].size(); ++i)
                lineOfOrder[m_byGroup[group][i]] = first + settled[group]->lineOfOrder[i];
            lines.insert(lines.end(), settled[group]->lines.begin(), settled[group]->lines.end());
        }
        preferRatesSeenElsewhere(lines);
        return lines;
    }

private:
    GroupAgreement settle(InstrumentGroup group, std::span<const TradeDate> changes) const
    {
        const std::vector<std::uint32_t> &orders = m_byGroup[at(group)];
        std::vector<OrderFacts> facts = factsOf(orders);
        std::vector<std::size_t> withOther;
        for (std::size_t i = 0; i < orders.size(); ++i)
            if (m_gathered.orders[orders[i]].written[at(FeePart::Other)].value_or(0) != 0)
                withOther.push_back(i);
        const OtherFeesHold hold = withOther.empty() ? OtherFeesHold::OtherCharges : holdOf(group, orders, facts, withOther);
        charge(facts, orders, hold);
        return InferGroupAgreement(group, facts, hold, m_options, changes);
    }

    // What the other-fee column holds: the reading under which the most
    // orders with other fees add up under the terms it leads to, told on one
    // period per scope inferred from orders spread over the statement. On a
    // tie the simpler terms (0.2‰ and 1 yuan, not 0.15997‰ and 0.94 left
    // beside levies read off the column); then an item of the rules' own
    // goes before a share of the commission.
    OtherFeesHold holdOf(InstrumentGroup group, const std::vector<std::uint32_t> &orders,
                         const std::vector<OrderFacts> &facts, const std::vector<std::size_t> &withOther) const
    {
        const std::vector<std::size_t> scored = spread(withOther, kHoldSample);
        std::vector<std::size_t> taken(scored);
        std::vector<std::size_t> all(orders.size());
        std::iota(all.begin(), all.end(), 0u);
        const std::vector<std::size_t> others = spread(all, kInferenceSample);
        taken.insert(taken.end(), others.begin(), others.end());
        std::sort(taken.begin(), taken.end());
        taken.erase(std::unique(taken.begin(), taken.end()), taken.end());
        std::vector<std::uint32_t> takenOrders;
        std::vector<OrderFacts> subset;
        for (const std::size_t i : taken) {
            takenOrders.push_back(orders[i]);
            subset.push_back(facts[i]);
        }
        std::vector<std::size_t> positions;
        for (const std::size_t i : scored)
            positions.push_back(static_cast<std::size_t>(std::lower_bound(taken.begin(), taken.end(), i) - taken.begin()));
        OtherFeesHold best = OtherFeesHold::OtherCharges;
        std::pair<int, int> bestScore{-1, 0};
        for (const OtherFeesHold hold : {OtherFeesHold::OtherCharges, OtherFeesHold::TransferFee, OtherFeesHold::Levies,
                                         OtherFeesHold::Commission}) {
            charge(subset, takenOrders, hold);
            const GroupAgreement candidate = InferGroupAgreement(group, subset, hold, m_options, {}, InferenceDepth::Quick);
            const std::pair<int, int> score{explained(candidate, takenOrders, positions, hold), -complexity(candidate)};
            if (score > bestScore) {
                best = hold;
                bestScore = score;
            }
        }
        return best;
    }

    // How many digits the terms take: the rate's decimals, a minimum's cents.
    static int complexity(const GroupAgreement &agreement)
    {
        int digits = 0;
        for (const Agreement &line : agreement.lines)
            digits += decimalsOf(line.terms.ratePerMille) + decimalsOf(line.terms.minimum);
        return digits;
    }

    // What the inference needs of each order but its charges.
    std::vector<OrderFacts> factsOf(const std::vector<std::uint32_t> &orders) const
    {
        std::vector<OrderFacts> facts;
        facts.reserve(orders.size());
        // A statement trades few securities many times: each is classed once.
        std::unordered_map<std::string_view, SecurityClass> classes;
        for (const std::uint32_t index : orders) {
            const GatheredOrder &order = m_gathered.orders[index];
            const Row &row = m_statement.rows[order.check.firstRow];
            const Cents amount = order.check.amount;
            OrderFacts &made = facts.emplace_back();
            made.date = row.date();
            made.code = row.code();
            made.name = row.name();
            const auto [known, fresh] = classes.try_emplace(row.code(), SecurityClass::General);
            if (fresh)
                known->second = ClassOfSecurity(row.code(), row.name());
            made.securityClass = known->second;
            made.amount = amount;
            made.allowance = order.check.allowance();
            made.nothingCharged = nothingCharged(order.written);
            // A Stock Connect commission holds no mainland levy: it has no floor.
            if (order.hongKong)
                continue;
            const PeriodRates &rates = m_rates[order.period];
            made.leviesDue = CommissionByRate(amount, rates.handling) + CommissionByRate(amount, rates.management);
            made.transferDue = rates.transferOnAmount ? CommissionByRate(amount, rates.transfer) : 0;
            made.tableBillsTransferWithLevies = rates.transferWithLevies;
        }
        return facts;
    }

    // The charges of each order, the other-fee column read as `hold`.
    void charge(std::vector<OrderFacts> &facts, const std::vector<std::uint32_t> &orders, OtherFeesHold hold) const
    {
        for (std::size_t i = 0; i < facts.size(); ++i) {
            const ItemFigures charged = OrderCharges(m_gathered.orders[orders[i]], hold);
            facts[i].commission = charged[at(FeePart::Commission)];
            facts[i].transferFee = charged[at(FeePart::TransferFee)];
            facts[i].levies = charged[at(FeePart::Levies)];
        }
    }

    // At most `most` of them, evenly spread.
    static std::vector<std::size_t> spread(const std::vector<std::size_t> &items, std::size_t most)
    {
        if (items.size() <= most)
            return items;
        std::vector<std::size_t> taken;
        for (std::size_t i = 0; i < most; ++i)
            taken.push_back(items[i * items.size() / most]);
        return taken;
    }

    int explained(const GroupAgreement &agreement, const std::vector<std::uint32_t> &orders,
                  const std::vector<std::size_t> &sampled, OtherFeesHold hold) const
    {
        Pricer pricer = pricerOf(m_gathered.periods, agreement.lines);
        int count = 0;
        for (const std::size_t i : sampled) {
            const GatheredOrder &order = m_gathered.orders[orders[i]];
            count += explains(OrderCharges(order, hold), pricer.expected(order, agreement.lineOfOrder[i]),
                              order.check.allowance());
        }
        return count;
    }

    const Statement &m_statement;
    const Gathered &m_gathered;
    const AuditOptions &m_options;
    std::vector<PeriodRates> m_rates;
    std::array<std::vector<std::uint32_t>, kGroupCount> m_byGroup;
};

// The law's items: what a broker may not agree otherwise. The transfer fee
// is one only where it is a line of its own; inside the commission it is
// part of what the agreement prices.
bool lawItem(FeePart part, const Agreement &line)
{
    return part == FeePart::StampDuty || (part == FeePart::TransferFee && line.transferSeparate);
}

class Checker {
public:
    Checker(const Statement &statement, Gathered &gathered, Audit &audit)
        : m_statement(statement), m_gathered(gathered), m_audit(audit)
    {
    }

    void checkOrders(const std::vector<std::uint32_t> &lineOfOrder, const std::optional<CompareTerms> &compare)
    {
        Pricer pricer = pricerOf(m_gathered.periods, m_audit.agreements);
        std::optional<Pricer> compared;
        if (compare)
            compared.emplace(comparedPricer(m_gathered.periods, m_audit.agreements, *compare));
        m_audit.orders.reserve(m_gathered.orders.size());
        for (std::size_t i = 0; i < m_gathered.orders.size(); ++i) {
            const GatheredOrder &gathered = m_gathered.orders[i];
            OrderCheck &order = m_audit.orders.emplace_back(gathered.check);
            order.agreement = lineOfOrder[i];
            order.expected = pricer.expected(gathered, order.agreement);
            if (compared)
                order.compared = compared->expected(gathered, order.agreement);
            const Agreement &line = m_audit.agreements[order.agreement];
            checkItems(order, line, OrderCharges(gathered, line.otherFees));
        }
    }

    // amount ± the fee columns = the cash movement (or the total of the
    // fees), row by row. A statement without fee columns is held to the
    // rules' total instead, order by order, with a cent per fill for each
    // item the total holds.
    void checkArithmetic()
    {
        std::vector<std::optional<Cents>> impliedByOrder(m_audit.orders.size(), Cents(0));
        for (const TradeCheck &trade : m_audit.trades) {
            if (!trade.audited())
                continue;
            const auto index = static_cast<std::size_t>(trade.order);
            OrderCheck &order = m_audit.orders[index];
            const Row &row = m_statement.rows[trade.row];
            const std::optional<Cents> implied = impliedFees(row);
            if (!m_gathered.hasFeeColumns) {
                impliedByOrder[index] =
                    implied && impliedByOrder[index] ? std::optional(*impliedByOrder[index] + *implied) : std::nullopt;
                continue;
            }
            const Cents written = FeesWritten(row).value_or(0);
            if (implied && *implied != written)
                find(order, static_cast<std::uint32_t>(index), trade.row, FeePart::Total, *implied, written, 0,
                     *implied - written);
        }
        if (m_gathered.hasFeeColumns)
            return;
        for (std::size_t index = 0; index < m_audit.orders.size(); ++index) {
            OrderCheck &order = m_audit.orders[index];
            const Cents allowance = order.allowance() * static_cast<Cents>(kFeeItemCount - 1);
            if (impliedByOrder[index] && !WithinAllowance(*impliedByOrder[index], order.expectedTotal(), allowance))
                find(order, static_cast<std::uint32_t>(index), order.firstRow, FeePart::Total, *impliedByOrder[index],
                     order.expectedTotal(), allowance, *impliedByOrder[index] - order.expectedTotal());
        }
    }

    void sortFindings()
    {
        const auto byLine = [this](const auto &a, const auto &b) {
            const int lineA = m_statement.rows[a.row].line(), lineB = m_statement.rows[b.row].line();
            return lineA != lineB ? lineA < lineB : a.item < b.item;
        };
        std::stable_sort(m_audit.findings.begin(), m_audit.findings.end(), byLine);
        std::stable_sort(m_audit.attributions.begin(), m_audit.attributions.end(), byLine);
    }

private:
    // An order is a finding when what it paid in all differs from what it
    // owes beyond its allowance, when an item is off one way with nothing
    // off the other way to make up for it, or when the law's items differ;
    // items off both ways while the total agrees were only booked in
    // another column.
    void checkItems(OrderCheck &order, const Agreement &line, const ItemFigures &charged)
    {
        const auto index = static_cast<std::uint32_t>(m_audit.orders.size() - 1);
        bool lawDiffers = false, over = false, under = false;
        for (std::size_t item = 0; item < kFeeItemCount; ++item) {
            if (!charged[item])
                continue;
            const auto part = static_cast<FeePart>(item);
            order.present |= static_cast<std::uint8_t>(bit(part));
            order.charged[item] = *charged[item];
            if (!beyond(order, item))
                continue;
            lawDiffers = lawDiffers || lawItem(part, line);
            (order.charged[item] > order.expected[item] ? over : under) = true;
        }
        if (!over && !under)
            return;
        const Cents difference = order.chargedTotal() - order.expectedTotal();
        const bool moved = over && under && WithinAllowance(order.chargedTotal(), order.expectedTotal(), order.totalAllowance());
        for (std::size_t item = 0; item < kFeeItemCount; ++item) {
            const auto part = static_cast<FeePart>(item);
            if (!order.has(part) || !beyond(order, item))
                continue;
            if (lawDiffers || !moved) {
                find(order, index, order.firstRow, part, order.charged[item], order.expected[item], order.allowance(),
                     difference);
            } else {
                order.moved |= static_cast<std::uint8_t>(bit(part));
                m_audit.attributions.push_back(
                    {order.firstRow, index, part, money(order.charged[item]), money(order.expected[item])});
            }
        }
    }

    static bool beyond(const OrderCheck &order, std::size_t item)
    {
        return !WithinAllowance(order.charged[item], order.expected[item], order.allowance());
    }

    // The fees the row's cash movement implies, else its total of the fees.
    static std::optional<Cents> impliedFees(const Row &row)
    {
        const std::optional<Cents> implied = FeesImplied(row);
        return implied ? implied : row.cents(NumberField::FeesTotal);
    }

    void find(OrderCheck &order, std::uint32_t index, std::uint32_t row, FeePart item, Cents charged, Cents expected,
              Cents allowance, Cents orderDifference)
    {
        order.differing |= static_cast<std::uint8_t>(bit(item));
        m_audit.findings.push_back({row, index, item, money(charged), money(expected), money(allowance),
                                    order.fillsKnown, money(orderDifference)});
    }

    const Statement &m_statement;
    Gathered &m_gathered;
    Audit &m_audit;
};

// What a finding order paid above what it owes.
Cents beyondRules(const OrderCheck &order)
{
    constexpr std::uint8_t kItems = (1u << kFeeItemCount) - 1;
    if ((order.differing & kItems) == 0)
        return 0;
    return std::max<Cents>(0, order.chargedTotal() - order.expectedTotal());
}

Cents compareSaving(const OrderCheck &order)
{
    Cents saving = 0;
    for (std::size_t item = 0; item < kFeeItemCount; ++item)
        if (order.has(static_cast<FeePart>(item)))
            saving += order.charged[item] - order.compared[item];
    return saving;
}

void tallyCommissions(Audit &audit)
{
    for (Agreement &line : audit.agreements)
        line.commission = {};
    for (const OrderCheck &order : audit.orders) {
        if (!order.has(FeePart::Commission))
            continue;
        Tally &tally = audit.agreements[order.agreement].commission;
        ++tally.of;
        tally.explained += WithinAllowance(order.charged[at(FeePart::Commission)],
                                           order.expected[at(FeePart::Commission)], order.allowance());
    }
}

void addTotals(const Statement &statement, Audit &audit)
{
    struct Sums {
        int trades = 0;
        Cents turnover = 0, beyond = 0, saving = 0;
        std::array<Cents, kFeeItemCount> fees{};
    };
    std::map<int, Sums> years;
    std::map<int, std::array<Cents, kFeeItemCount>> months;
    std::map<int, Cents> portfolioFees;
    for (const Row &row : statement.rows)
        if (!row.isTrade() && IsPortfolioFee(row.operation())) {
            const Cents cash = row.cents(NumberField::Cash).value_or(row.cents(NumberField::Amount).value_or(0));
            portfolioFees[row.date().year] += cash < 0 ? -cash : cash;
        }
    for (const OrderCheck &order : audit.orders) {
        const TradeDate date = statement.rows[order.firstRow].date();
        Sums &year = years[date.year];
        std::array<Cents, kFeeItemCount> &month = months[date.year * 12 + date.month - 1];
        year.trades += static_cast<int>(order.rows);
        year.turnover += order.amount;
        year.beyond += beyondRules(order);
        year.saving += compareSaving(order);
        for (std::size_t item = 0; item < kFeeItemCount; ++item) {
            year.fees[item] += order.charged[item];
            month[item] += order.charged[item];
        }
    }
    for (const auto &[year, fees] : portfolioFees)
        years.try_emplace(year);
    for (const auto &[year, sums] : years) {
        YearTotals &totals = audit.years.emplace_back();
        totals.year = year;
        totals.portfolioFees = money(portfolioFees[year]);
        totals.trades = sums.trades;
        totals.turnover = money(sums.turnover);
        for (std::size_t item = 0; item < kFeeItemCount; ++item)
            totals.fees[item] = money(sums.fees[item]);
        totals.beyondRules = money(sums.beyond);
        if (audit.compared)
            totals.compareSaving = money(sums.saving);
    }
    for (const auto &[month, fees] : months)
        audit.months.push_back({month / 12, month % 12 + 1, fees});
}

constexpr std::array<std::string_view, kGroupCount> kGroupNames{
    TALLYFIN_TR_NOOP("Markets", "上海A股"),  TALLYFIN_TR_NOOP("Markets", "深圳A股"),
    TALLYFIN_TR_NOOP("Markets", "北京A股"),  TALLYFIN_TR_NOOP("Markets", "上海基金"),
    TALLYFIN_TR_NOOP("Markets", "深圳基金"), TALLYFIN_TR_NOOP("Markets", "上海可转债"),
    TALLYFIN_TR_NOOP("Markets", "深圳可转债"), TALLYFIN_TR_NOOP("Markets", "港股通")};

constexpr std::array<std::string_view, kSecurityClassCount> kClassNames{
    "", TALLYFIN_TR_NOOP("Markets", "债券ETF"), TALLYFIN_TR_NOOP("Markets", "货币ETF"), "LOF", "REITs",
    TALLYFIN_TR_NOOP("Markets", "单只证券")};

bool nameHas(std::string_view name, std::initializer_list<std::string_view> words)
{
    return std::any_of(words.begin(), words.end(),
                       [name](std::string_view word) { return name.find(word) != std::string_view::npos; });
}

} // namespace

std::string_view GroupName(InstrumentGroup group) { return kGroupNames[at(group)]; }

std::optional<InstrumentGroup> GroupNamed(std::string_view name)
{
    for (std::size_t group = 0; group < kGroupCount; ++group)
        if (kGroupNames[group] == name)
            return static_cast<InstrumentGroup>(group);
    return std::nullopt;
}

std::optional<InstrumentGroup> GroupOfMarket(Market market)
{
    switch (market) {
    case Market::ShanghaiA: return InstrumentGroup::ShanghaiA;
    case Market::ShenzhenA: return InstrumentGroup::ShenzhenA;
    case Market::BeijingA: return InstrumentGroup::BeijingA;
    case Market::ShanghaiFund: return InstrumentGroup::ShanghaiFund;
    case Market::ShenzhenFund: return InstrumentGroup::ShenzhenFund;
    case Market::ShanghaiBond: return InstrumentGroup::ShanghaiBond;
    case Market::ShenzhenBond: return InstrumentGroup::ShenzhenBond;
    case Market::FundsWarrants:
    case Market::HongKong: return InstrumentGroup::HongKong;
    }
    return std::nullopt;
}

std::string_view SecurityClassName(SecurityClass securityClass)
{
    return kClassNames[static_cast<std::size_t>(securityClass)];
}

std::optional<SecurityClass> SecurityClassNamed(std::string_view name)
{
    for (std::size_t c = 1; c + 1 < kSecurityClassCount; ++c)
        if (kClassNames[c] == name)
            return static_cast<SecurityClass>(c);
    return std::nullopt;
}

// The code ranges are the exchanges' own: Shanghai's 《证券代码段分配指南》
// (上海证券交易所证券交易业务指南第4号, 2024 revision) gives 5 to funds and
// public REITs, 501/502 to LOFs, 508 to infrastructure REITs and 511 to bond
// and money-market ETFs; Shenzhen lists ETFs under 159, LOFs under 16 and
// infrastructure REITs under 180. Money-market funds are told from bond
// funds by their names (华宝添益, 银华日利, 招商快线 …), and a Shenzhen ETF is a
// bond ETF when its name says 债.
SecurityClass ClassOfSecurity(std::string_view code, std::string_view name)
{
    if (code.size() != 6)
        return SecurityClass::General;
    const bool money = nameHas(name, {"货币", "添益", "日利", "快线", "快钱", "保证金"})
                       || (nameHas(name, {"现金"}) && !nameHas(name, {"现金流"}));
    const bool bond = nameHas(name, {"债", "短融"});
    if (code.starts_with("501") || code.starts_with("502") || code.starts_with("16"))
        return SecurityClass::Lof;
    if (code.starts_with("508") || code.starts_with("180"))
        return SecurityClass::Reits;
    if (code.starts_with("511"))
        return money ? SecurityClass::MoneyEtf : SecurityClass::BondEtf;
    if (code.starts_with("159") || code.starts_with("51") || code.starts_with("52") || code.starts_with("56")
        || code.starts_with("58"))
        return money ? SecurityClass::MoneyEtf : bond ? SecurityClass::BondEtf : SecurityClass::General;
    return SecurityClass::General;
}

bool SameScope(const Agreement &a, const Agreement &b)
{
    return a.group == b.group && a.securityClass == b.securityClass
           && (a.securityClass != SecurityClass::Security || a.codes == b.codes);
}

std::string_view FeePartKey(FeePart part)
{
    constexpr std::array<std::string_view, kFeePartCount> keys{"commission", "stampDuty", "transferFee",
                                                               "levies",     "other",     "total"};
    return keys[at(part)];
}

std::string_view OtherFeesHoldKey(OtherFeesHold hold)
{
    constexpr std::array<std::string_view, 4> keys{"other", "commission", "transferFee", "levies"};
    return keys[static_cast<std::size_t>(hold)];
}

std::string_view NotAuditedKey(NotAuditedReason reason)
{
    constexpr std::array<std::string_view, 8> keys{"stockConnectUnpriced", "stockConnectUnrecognized", "notCovered",
                                                   "marketDisagrees",      "noAmount",                 "beforeFeeTable",
                                                   "beforeMarketOpened",   "numbersTooLarge"};
    return keys[static_cast<std::size_t>(reason)];
}

Cents OrderCheck::chargedTotal() const
{
    Cents total = 0;
    for (std::size_t item = 0; item < kFeeItemCount; ++item)
        total += has(static_cast<FeePart>(item)) ? charged[item] : 0;
    return total;
}

Cents OrderCheck::expectedTotal() const
{
    Cents total = 0;
    for (std::size_t item = 0; item < kFeeItemCount; ++item)
        total += has(static_cast<FeePart>(item)) || present == 0 ? expected[item] : 0;
    return total;
}

Cents OrderCheck::totalAllowance() const
{
    int items = 0;
    for (std::size_t item = 0; item < kFeeItemCount; ++item)
        items += has(static_cast<FeePart>(item));
    return allowance() * items;
}

bool Finding::mayBeFillRounding() const
{
    const Decimal beyond = difference().sign() < 0 ? -difference() : difference();
    return !fillsKnown && item != FeePart::Total && beyond - allowance == Decimal(1, 2);
}

Decimal YearTotals::feesTotal() const
{
    Decimal total;
    for (const Decimal &fee : fees)
        total = total + fee;
    return total;
}

std::optional<Decimal> YearTotals::commissionPerMille() const
{
    if (turnover.sign() == 0)
        return std::nullopt;
    return Decimal::quotient(fees[at(FeePart::Commission)].shifted(3), turnover, 3, Rounding::HalfUp);
}

int Audit::notAuditedCount() const
{
    return static_cast<int>(std::count_if(trades.begin(), trades.end(), [](const TradeCheck &trade) { return !trade.audited(); }));
}

const Agreement *Audit::agreement(InstrumentGroup group) const
{
    const Agreement *found = nullptr;
    for (const Agreement &line : agreements)
        if (line.group == group && line.securityClass == SecurityClass::General)
            found = &line;
    return found;
}

namespace {

// The entries of a list sorted by line that stand on the row's line.
template <typename Entry>
std::span<const Entry> onLine(const Statement &statement, const std::vector<Entry> &entries, std::uint32_t row)
{
    const int line = statement.rows[row].line();
    const auto lineOf = [&statement](const Entry &entry) { return statement.rows[entry.row].line(); };
    const auto first = std::partition_point(entries.begin(), entries.end(),
                                            [&](const Entry &entry) { return lineOf(entry) < line; });
    const auto last =
        std::partition_point(first, entries.end(), [&](const Entry &entry) { return lineOf(entry) == line; });
    return {first, last};
}

} // namespace

std::span<const Finding> FindingsOnRow(const Statement &statement, const Audit &audit, std::uint32_t row)
{
    return onLine(statement, audit.findings, row);
}

std::span<const Attribution> AttributionsOnRow(const Statement &statement, const Audit &audit, std::uint32_t row)
{
    return onLine(statement, audit.attributions, row);
}

std::array<std::optional<Cents>, kFeeItemCount> ChargedItems(const Row &row, OtherFeesHold hold)
{
    return row.stockConnect() ? HongKongCharges(WrittenItems(row)) : MapOtherFees(WrittenItems(row), hold);
}

std::optional<Audit> AuditStatement(const Statement &statement, const AuditOptions &options, const Progress &progress)
{
    const Stage stage(progress, 0, 1);
    Gathered gathered = GatherOrders(statement);
    if (!stage.report(0.3))
        return std::nullopt;
    Audit audit;
    audit.compared = options.compare.has_value();
    std::vector<std::uint32_t> lineOfOrder;
    audit.agreements = AgreementFinder(statement, gathered, options).run(lineOfOrder);
    audit.trades = std::move(gathered.trades);
    if (!stage.report(0.5))
        return std::nullopt;
    Checker checker(statement, gathered, audit);
    checker.checkOrders(lineOfOrder, options.compare);
    if (!stage.report(0.8))
        return std::nullopt;
    checker.checkArithmetic();
    tallyCommissions(audit);
    checker.sortFindings();
    addTotals(statement, audit);
    if (!stage.report(1))
        return std::nullopt;
    return audit;
}

} // namespace tallyfin::statement
