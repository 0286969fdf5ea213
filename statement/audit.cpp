#include "audit.h"

#include <algorithm>
#include <map>

#include "agreement.h"
#include "auditorders.h"
#include "progress.h"

namespace tallyfin::statement {

namespace {

constexpr std::size_t at(FeePart part) { return static_cast<std::size_t>(part); }
constexpr std::size_t at(InstrumentGroup group) { return static_cast<std::size_t>(group); }
constexpr unsigned bit(FeePart part) { return 1u << static_cast<unsigned>(part); }

// Orders with other fees whose arithmetic decides what the other-fee column holds.
constexpr std::size_t kHoldSample = 400;

Decimal money(Cents cents) { return Decimal(cents, 2); }

Cents centsOf(const Decimal &fee) { return *fee.unitsAt(2); }

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

// One fee schedule per rules period, under each group's terms, made on first use.
class Schedules {
public:
    Schedules(const std::vector<RulesInForce> &periods, const std::array<std::optional<CommissionTerms>, kGroupCount> &terms)
        : m_periods(periods), m_terms(terms), m_made(periods.size())
    {
    }

    std::array<Cents, kFeeItemCount> expected(const GatheredOrder &order)
    {
        std::optional<FeeSchedule> &schedule = m_made[order.period];
        if (!schedule)
            schedule.emplace(m_periods[order.period], *m_terms[at(order.check.group)]);
        const SideFees fees = schedule->feesOnAmount(order.check.side, money(order.check.amount), order.quantity);
        return {centsOf(fees.commission), centsOf(fees.stampDuty), centsOf(fees.transferFee), centsOf(fees.levies), 0};
    }

private:
    const std::vector<RulesInForce> &m_periods;
    std::array<std::optional<CommissionTerms>, kGroupCount> m_terms;
    std::vector<std::optional<FeeSchedule>> m_made;
};

bool withinAllowance(Cents charged, Cents due, Cents allowance)
{
    return charged - due <= allowance && due - charged <= allowance;
}

bool explains(const ItemFigures &charged, const std::array<Cents, kFeeItemCount> &expected, Cents allowance)
{
    for (std::size_t item = 0; item < kFeeItemCount; ++item)
        if (charged[item] && !withinAllowance(*charged[item], expected[item], allowance))
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

OrderEvidence evidenceOf(const GatheredOrder &order, OtherFeesHold hold, const PeriodRates &rates)
{
    const ItemFigures charged = MapOtherFees(order.written, hold);
    OrderEvidence evidence{order.check.amount, order.check.allowance(), charged[at(FeePart::Commission)],
                           charged[at(FeePart::TransferFee)], charged[at(FeePart::Levies)]};
    const Cents amount = order.check.amount;
    evidence.leviesDue = CommissionByRate(amount, rates.handling) + CommissionByRate(amount, rates.management);
    evidence.transferDue = rates.transferOnAmount ? CommissionByRate(amount, rates.transfer) : 0;
    evidence.tableBillsTransferWithLevies = rates.transferWithLevies;
    return evidence;
}

// Settles each group's agreement: for a group whose statement shows other
// fees, the reading of that column under which the most of those orders add
// up under the terms it leads to.
class AgreementFinder {
public:
    AgreementFinder(const Gathered &gathered, const AuditOptions &options)
        : m_gathered(gathered), m_options(options), m_rates(ratesOf(gathered.periods))
    {
    }

    std::vector<Agreement> run()
    {
        std::array<std::vector<const GatheredOrder *>, kGroupCount> byGroup;
        for (const GatheredOrder &order : m_gathered.orders)
            byGroup[at(order.check.group)].push_back(&order);
        std::vector<Agreement> agreements;
        for (std::size_t group = 0; group < kGroupCount; ++group)
            if (!byGroup[group].empty())
                agreements.push_back(settle(static_cast<InstrumentGroup>(group), byGroup[group]));
        return agreements;
    }

private:
    Agreement settle(InstrumentGroup group, const std::vector<const GatheredOrder *> &orders) const
    {
        std::vector<const GatheredOrder *> withOther;
        for (const GatheredOrder *order : orders)
            if (order->written[at(FeePart::Other)].value_or(0) != 0)
                withOther.push_back(order);
        std::optional<Agreement> best;
        int bestScore = -1;
        // On a tie an item of the rules' own goes before a share of the commission.
        for (const OtherFeesHold hold : {OtherFeesHold::OtherCharges, OtherFeesHold::TransferFee, OtherFeesHold::Levies,
                                         OtherFeesHold::Commission}) {
            Agreement candidate = infer(group, orders, hold);
            if (withOther.empty())
                return candidate;
            const int score = explained(candidate, sample(withOther));
            if (score > bestScore) {
                best = std::move(candidate);
                bestScore = score;
            }
        }
        return *best;
    }

    Agreement infer(InstrumentGroup group, const std::vector<const GatheredOrder *> &orders, OtherFeesHold hold) const
    {
        std::vector<OrderEvidence> evidence;
        evidence.reserve(orders.size());
        for (const GatheredOrder *order : orders)
            evidence.push_back(evidenceOf(*order, hold, m_rates[order->period]));
        return InferAgreement(group, std::move(evidence), hold, m_options.overrides[at(group)], transferWithLevies(group));
    }

    // At most kHoldSample of them, evenly spread.
    static std::vector<const GatheredOrder *> sample(const std::vector<const GatheredOrder *> &orders)
    {
        if (orders.size() <= kHoldSample)
            return orders;
        std::vector<const GatheredOrder *> taken;
        for (std::size_t i = 0; i < kHoldSample; ++i)
            taken.push_back(orders[i * orders.size() / kHoldSample]);
        return taken;
    }

    int explained(const Agreement &agreement, const std::vector<const GatheredOrder *> &orders) const
    {
        std::array<std::optional<CommissionTerms>, kGroupCount> terms;
        terms[at(agreement.group)] = agreement.terms;
        Schedules schedules(m_gathered.periods, terms);
        int count = 0;
        for (const GatheredOrder *order : orders)
            count += explains(MapOtherFees(order->written, agreement.otherFees), schedules.expected(*order),
                              order->check.allowance());
        return count;
    }

    const Gathered &m_gathered;
    const AuditOptions &m_options;
    std::vector<PeriodRates> m_rates;
};

std::array<std::optional<CommissionTerms>, kGroupCount> termsOf(const std::vector<Agreement> &agreements)
{
    std::array<std::optional<CommissionTerms>, kGroupCount> terms;
    for (const Agreement &agreement : agreements)
        terms[at(agreement.group)] = agreement.terms;
    return terms;
}

// The agreements with the compared rate and minimum in place of their own.
std::array<std::optional<CommissionTerms>, kGroupCount> comparedTerms(const std::vector<Agreement> &agreements,
                                                                       const CompareTerms &compare)
{
    std::array<std::optional<CommissionTerms>, kGroupCount> terms = termsOf(agreements);
    for (std::optional<CommissionTerms> &group : terms) {
        if (!group)
            continue;
        group->ratePerMille = compare.ratePerMille.value_or(group->ratePerMille);
        if (compare.noMinimum)
            group->minimum = Decimal();
    }
    return terms;
}

class Checker {
public:
    Checker(const Statement &statement, Gathered &gathered, Audit &audit)
        : m_statement(statement), m_gathered(gathered), m_audit(audit)
    {
    }

    void checkOrders(const std::optional<CompareTerms> &compare)
    {
        Schedules schedules(m_gathered.periods, termsOf(m_audit.agreements));
        std::optional<Schedules> compared;
        if (compare)
            compared.emplace(m_gathered.periods, comparedTerms(m_audit.agreements, *compare));
        std::array<OtherFeesHold, kGroupCount> holds{};
        for (const Agreement &agreement : m_audit.agreements)
            holds[at(agreement.group)] = agreement.otherFees;
        m_audit.orders.reserve(m_gathered.orders.size());
        for (GatheredOrder &gathered : m_gathered.orders) {
            OrderCheck &order = m_audit.orders.emplace_back(gathered.check);
            order.expected = schedules.expected(gathered);
            if (compared)
                order.compared = compared->expected(gathered);
            checkItems(order, MapOtherFees(gathered.written, holds[at(order.group)]));
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
            const std::optional<Cents> implied = impliedFees(row, order.side);
            if (!m_gathered.hasFeeColumns) {
                impliedByOrder[index] =
                    implied && impliedByOrder[index] ? std::optional(*impliedByOrder[index] + *implied) : std::nullopt;
                continue;
            }
            Cents written = 0;
            for (const std::optional<Cents> &item : WrittenItems(row))
                written += item.value_or(0);
            if (implied && *implied != written)
                find(order, static_cast<std::uint32_t>(index), trade.row, FeePart::Total, *implied, written, 0);
        }
        if (m_gathered.hasFeeColumns)
            return;
        for (std::size_t index = 0; index < m_audit.orders.size(); ++index) {
            OrderCheck &order = m_audit.orders[index];
            const Cents allowance = order.allowance() * static_cast<Cents>(kFeeItemCount - 1);
            if (impliedByOrder[index] && !withinAllowance(*impliedByOrder[index], order.expectedTotal(), allowance))
                find(order, static_cast<std::uint32_t>(index), order.firstRow, FeePart::Total, *impliedByOrder[index],
                     order.expectedTotal(), allowance);
        }
    }

    void tallyCommissions()
    {
        std::array<Tally, kGroupCount> tallies{};
        for (const OrderCheck &order : m_audit.orders) {
            if (!order.has(FeePart::Commission))
                continue;
            ++tallies[at(order.group)].of;
            tallies[at(order.group)].explained += !order.differs(FeePart::Commission);
        }
        for (Agreement &agreement : m_audit.agreements)
            agreement.commission = tallies[at(agreement.group)];
    }

    void sortFindings()
    {
        std::stable_sort(m_audit.findings.begin(), m_audit.findings.end(), [this](const Finding &a, const Finding &b) {
            const int lineA = m_statement.rows[a.row].line(), lineB = m_statement.rows[b.row].line();
            return lineA != lineB ? lineA < lineB : a.item < b.item;
        });
    }

private:
    void checkItems(OrderCheck &order, const ItemFigures &charged)
    {
        const auto index = static_cast<std::uint32_t>(m_audit.orders.size() - 1);
        for (std::size_t item = 0; item < kFeeItemCount; ++item) {
            if (!charged[item])
                continue;
            const auto part = static_cast<FeePart>(item);
            order.present |= static_cast<std::uint8_t>(bit(part));
            order.charged[item] = *charged[item];
            if (!withinAllowance(order.charged[item], order.expected[item], order.allowance()))
                find(order, index, order.firstRow, part, order.charged[item], order.expected[item], order.allowance());
        }
    }

    // The fees the row's cash movement implies, else its total of the fees.
    static std::optional<Cents> impliedFees(const Row &row, TradeSide side)
    {
        const std::optional<Cents> cash = row.cents(NumberField::Cash), amount = AmountCents(row);
        if (cash && amount) {
            const Cents paid = *cash < 0 ? -*cash : *cash;
            return side == TradeSide::Buy ? paid - *amount : *amount - paid;
        }
        return row.cents(NumberField::FeesTotal);
    }

    void find(OrderCheck &order, std::uint32_t index, std::uint32_t row, FeePart item, Cents charged, Cents expected,
              Cents allowance)
    {
        order.differing |= static_cast<std::uint8_t>(bit(item));
        m_audit.findings.push_back({row, index, item, money(charged), money(expected), money(allowance), order.fillsKnown});
    }

    const Statement &m_statement;
    Gathered &m_gathered;
    Audit &m_audit;
};

// What the findings of an order charged above the rules.
Cents beyondRules(const OrderCheck &order)
{
    Cents beyond = 0;
    for (std::size_t item = 0; item < kFeeItemCount; ++item)
        if (order.differs(static_cast<FeePart>(item)) && order.charged[item] > order.expected[item])
            beyond += order.charged[item] - order.expected[item];
    return beyond;
}

Cents compareSaving(const OrderCheck &order)
{
    Cents saving = 0;
    for (std::size_t item = 0; item < kFeeItemCount; ++item)
        if (order.has(static_cast<FeePart>(item)))
            saving += order.charged[item] - order.compared[item];
    return saving;
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
    for (const auto &[year, sums] : years) {
        YearTotals &totals = audit.years.emplace_back();
        totals.year = year;
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

} // namespace

std::string_view GroupName(InstrumentGroup group)
{
    // Marked for translation: the markets' names in the context "Markets".
    constexpr std::array<std::string_view, kGroupCount> names{
        TALLYFIN_TR_NOOP("Markets", "上海A股"),  TALLYFIN_TR_NOOP("Markets", "深圳A股"),
        TALLYFIN_TR_NOOP("Markets", "北京A股"),  TALLYFIN_TR_NOOP("Markets", "上海基金"),
        TALLYFIN_TR_NOOP("Markets", "深圳基金"), TALLYFIN_TR_NOOP("Markets", "可转债")};
    return names[at(group)];
}

std::optional<InstrumentGroup> GroupOfMarket(Market market)
{
    switch (market) {
    case Market::ShanghaiA: return InstrumentGroup::ShanghaiA;
    case Market::ShenzhenA: return InstrumentGroup::ShenzhenA;
    case Market::BeijingA: return InstrumentGroup::BeijingA;
    case Market::ShanghaiFund: return InstrumentGroup::ShanghaiFund;
    case Market::ShenzhenFund: return InstrumentGroup::ShenzhenFund;
    case Market::ShanghaiBond:
    case Market::ShenzhenBond: return InstrumentGroup::ConvertibleBond;
    case Market::FundsWarrants: break;
    }
    return std::nullopt;
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
    constexpr std::array<std::string_view, 7> keys{"stockConnect",       "notCovered",         "marketDisagrees",
                                                   "noAmount",           "beforeFeeTable",     "beforeMarketOpened",
                                                   "numbersTooLarge"};
    return keys[static_cast<std::size_t>(reason)];
}

Cents OrderCheck::chargedTotal() const
{
    Cents total = 0;
    for (const Cents fee : charged)
        total += fee;
    return total;
}

Cents OrderCheck::expectedTotal() const
{
    Cents total = 0;
    for (const Cents fee : expected)
        total += fee;
    return total;
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
    for (const Agreement &made : agreements)
        if (made.group == group)
            return &made;
    return nullptr;
}

std::span<const Finding> FindingsOnRow(const Statement &statement, const Audit &audit, std::uint32_t row)
{
    const int line = statement.rows[row].line();
    const auto lineOf = [&statement](const Finding &finding) { return statement.rows[finding.row].line(); };
    const auto first = std::partition_point(audit.findings.begin(), audit.findings.end(),
                                            [&](const Finding &finding) { return lineOf(finding) < line; });
    const auto last = std::partition_point(first, audit.findings.end(),
                                           [&](const Finding &finding) { return lineOf(finding) == line; });
    return {first, last};
}

std::array<std::optional<Cents>, kFeeItemCount> ChargedItems(const Row &row, OtherFeesHold hold)
{
    return MapOtherFees(WrittenItems(row), hold);
}

std::optional<Audit> AuditStatement(const Statement &statement, const AuditOptions &options, const Progress &progress)
{
    const Stage stage(progress, 0, 1);
    Gathered gathered = GatherOrders(statement);
    if (!stage.report(0.3))
        return std::nullopt;
    Audit audit;
    audit.compared = options.compare.has_value();
    audit.agreements = AgreementFinder(gathered, options).run();
    audit.trades = std::move(gathered.trades);
    if (!stage.report(0.5))
        return std::nullopt;
    Checker checker(statement, gathered, audit);
    checker.checkOrders(options.compare);
    if (!stage.report(0.8))
        return std::nullopt;
    checker.checkArithmetic();
    checker.tallyCommissions();
    checker.sortFindings();
    addTotals(statement, audit);
    if (!stage.report(1))
        return std::nullopt;
    return audit;
}

} // namespace tallyfin::statement
