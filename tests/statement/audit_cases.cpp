#include "audit_cases.h"

#include <algorithm>
#include <map>
#include <ostream>
#include <tuple>

#include "constants.h"
#include "feeschedule.h"
#include "hkfees.h"
#include "security.h"

namespace tallyfin::samples {

namespace {

using statement::GroupName;
using G = InstrumentGroup;
using F = FeePart;

CommissionTerms terms(const char *rate, const char *minimum, bool leviesOnTop = false,
                      TransferBilling transfer = TransferBilling::AsTheTableSays)
{
    return {Decimal::fromLiteral(rate), Decimal::fromLiteral(minimum), leviesOnTop, transfer};
}

// Stocks at one rate, funds and bonds at others; Beijing's above its levies,
// which are above most rates until 2023, and Stock Connect's as Beijing's.
Broker broker(CommissionTerms stocks, CommissionTerms funds, CommissionTerms bonds, CommissionTerms beijing)
{
    Broker made;
    made[G::ShanghaiA] = made[G::ShenzhenA] = stocks;
    made[G::ShanghaiFund] = made[G::ShenzhenFund] = funds;
    made[G::ShanghaiBond] = made[G::ShenzhenBond] = bonds;
    made[G::BeijingA] = made[G::HongKong] = beijing;
    return made;
}

RowMix mix(Broker made, std::vector<FeePart> items, bool split = false)
{
    RowMix mixed;
    mixed.broker = std::move(made);
    mixed.overchargeItems = std::move(items);
    mixed.overchargePercent = 4;
    mixed.splitOrders = split;
    return mixed;
}

std::vector<AuditCase> makeCases()
{
    std::vector<AuditCase> cases;
    // A PC client's export: 其他杂费 holds Shanghai's transfer fee; orders in several rows.
    cases.push_back({"ClientTsv", 0,
                     mix(broker(terms("0.25", "5"), terms("0.1", "0"), terms("0.05", "0"), terms("0.6", "5")),
                         {F::Commission, F::StampDuty, F::Total}, true),
                     500, 101});
    // Shenzhen's transfer fee on its own line, 0.187‰, funds at a minimum of 1 yuan.
    RowMix unpadded = mix(broker(terms("0.187", "5", false, TransferBilling::OnItsOwnLine), terms("0.25", "1"),
                                 terms("0.1", "1"), terms("0.6", "5")),
                          {F::Commission, F::StampDuty, F::TransferFee, F::Other, F::Total}, true);
    unpadded.stockConnect = false;
    cases.push_back({"UnpaddedCsv", 1, unpadded, 500, 102});
    // The commission net of what it holds, which 其他费用 shows (4.93 + 0.07); rows of several fills.
    RowMix net = mix(broker(terms("0.25", "5"), terms("0.25", "5"), terms("0.2", "1"), terms("0.6", "5")),
                     {F::Commission, F::StampDuty, F::TransferFee});
    net.broker.commissionNetOfLevies = true;
    net.multiFillRows = true;
    cases.push_back({"SettlementCsv", 2, net, 500, 103});
    // 规费另计 with 免五: a net commission and its levies in 经手费 and 证管费.
    cases.push_back({"FormulaXls", 3,
                     mix(broker(terms("0.1", "0", true), terms("0.05", "0", true), terms("0.02", "0", true),
                                terms("0.3", "0", true)),
                         {F::Commission, F::Levies, F::StampDuty, F::Other, F::Total}, true),
                     500, 104});
    // 规费 on top, a minimum of 1 yuan.
    cases.push_back({"WebCsv", 4,
                     mix(broker(terms("0.3", "1", true), terms("0.2", "1", true), terms("0.1", "1", true),
                                terms("0.6", "1", true)),
                         {F::Commission, F::Levies, F::TransferFee}, true),
                     500, 105});
    // 0.854‰ without order numbers: a transfer fee charged where none is due.
    cases.push_back({"SerialDates", 5,
                     mix(broker(terms("0.854", "5"), terms("0.5", "5"), terms("0.3", "5"), terms("0.854", "5")),
                         {F::Commission, F::StampDuty, F::TransferFee, F::Total}),
                     500, 106});
    // The agreement changed: every group on one day (万2.354 to 万1.5 for
    // shares), Shenzhen's shares alone later; a bond ETF at its own rate, a
    // money-market ETF charged nothing, one ETF on terms of its own;
    // Beijing's orders all at the minimum.
    Broker changing = broker(terms("0.2354", "5"), terms("0.25", "5"), terms("0.05", "0"), terms("0.6", "5"));
    changing.changes = {{{2018, 6, 1}, {G::ShanghaiA, G::ShenzhenA}, terms("0.15", "5")},
                        {{2018, 6, 1}, {G::ShanghaiFund, G::ShenzhenFund}, terms("0.1", "5")},
                        {{2021, 3, 1}, {G::ShenzhenA}, terms("0.12", "5")}};
    changing.apart = {{"511260", "十年国债", terms("0.05", "0")},
                      {"511990", "华宝添益", terms("0", "0"), true},
                      {"513100", "纳指ETF", terms("0.1", "0")}};
    RowMix periods = mix(changing, {F::Commission, F::StampDuty, F::TransferFee, F::Total});
    periods.stockConnect = false;
    periods.smallOnly = {G::BeijingA};
    cases.push_back({"PeriodsAndClasses", 1, periods, 900, 107,
                     {{"511260", "债券ETF"}, {"511990", "货币ETF"}, {"513100", "security"}}});
    // 规费 on top, the rate cut for every group; some commission booked as 规费, the total as due.
    Broker cut = broker(terms("0.3", "1", true), terms("0.2", "1", true), terms("0.1", "1", true), terms("0.6", "1", true));
    cut.changes = {{{2019, 1, 2}, {G::ShanghaiA, G::ShenzhenA, G::ShanghaiFund, G::ShenzhenFund}, terms("0.2", "1", true)}};
    RowMix moved = mix(cut, {F::Commission, F::TransferFee});
    moved.movedPercent = 5;
    cases.push_back({"MovedToLevies", 4, moved, 700, 108});
    // Mostly Stock Connect, across two changes of Hong Kong's rules
    // (2023-01-01, 2023-11-17), rows booked two days after the trade, no
    // rate in the rows: each day's rate found from the yuan amounts.
    RowMix connect = mix(broker(terms("0.25", "5"), terms("0.25", "5"), terms("0.1", "1"), terms("0.6", "5")),
                         {F::Commission, F::StampDuty, F::TransferFee, F::Levies, F::Total});
    connect.stockConnectPercent = 70;
    connect.from = {2022, 12, 15};
    connect.spanDays = 365;
    cases.push_back({"StockConnect", 3, connect, 500, 109});
    return cases;
}

std::string yuan(const Decimal &value) { return value.toFixed(2, "."); }

bool beforeItsMarket(const SampleRow &row)
{
    const std::optional<Security> security = SecurityOfCode(row.code);
    return security && row.date < RulesStart(MarketOfSecurity(*security));
}

} // namespace

const std::vector<AuditCase> &AuditCases()
{
    static const std::vector<AuditCase> cases = makeCases();
    return cases;
}

namespace {

// An order of the sample as the broker charged it: its rows joined.
struct SampleOrder {
    TradeDate date;
    std::string code, name;
    InstrumentGroup group = InstrumentGroup::ShanghaiA;
    Market market = Market::ShanghaiA;
    TradeSide side = TradeSide::Buy;
    Decimal amount, quantity;
    int fills = 0;
    bool asDue = true; // charged as the terms say: neither overcharged nor booked apart
    // Stock Connect: the HKD amount, its rate and the day of its Hong Kong rules.
    Decimal amountHkd;
    std::optional<Decimal> rate;
    TradeDate traded;
};

std::vector<SampleOrder> ordersOf(const std::vector<SampleRow> &rows)
{
    std::vector<SampleOrder> orders;
    std::map<std::tuple<TradeDate, std::string, RowKind, std::string>, std::size_t> byKey;
    for (const SampleRow &row : rows) {
        if (row.kind == RowKind::Other || beforeItsMarket(row))
            continue;
        const auto [found, made] = byKey.try_emplace({row.date, row.code, row.kind, row.orderNumber}, orders.size());
        if (made) {
            SampleOrder &order = orders.emplace_back();
            order.date = row.date;
            order.code = row.code;
            order.name = row.name;
            order.market = row.stockConnect ? Market::HongKong : MarketOfSecurity(*SecurityOfCode(row.code));
            order.group = *statement::GroupOfMarket(order.market);
            order.side = row.kind == RowKind::Buy ? TradeSide::Buy : TradeSide::Sell;
            order.rate = row.settlementRate;
            order.traded = row.traded.value_or(row.date);
        }
        SampleOrder &order = orders[found->second];
        order.amountHkd = order.amountHkd + row.price * row.quantity;
        order.amount = order.amount + row.amount;
        order.quantity = order.quantity + row.quantity;
        order.fills += row.fills;
        order.asDue = order.asDue && !row.overcharge && !row.movedToLevies;
    }
    return orders;
}

Decimal commissionOf(const SampleOrder &order, const CommissionTerms &terms)
{
    if (order.rate)
        return HkSide(HkRulesFor(order.traded), order.side, order.amountHkd, *order.rate, terms).commission;
    return FeeSchedule(RulesFor(order.date, order.market), terms).feesOnAmount(order.side, order.amount, order.quantity).commission;
}

CommissionTerms withRate(CommissionTerms terms, const Decimal &rate, const Decimal &minimum)
{
    terms.ratePerMille = rate;
    terms.minimum = minimum;
    return terms;
}

// The order tells `mine` from `theirs`: charged as due, and the two differ beyond its allowance.
bool pins(const SampleOrder &order, const CommissionTerms &mine, const CommissionTerms &theirs)
{
    const Decimal difference = commissionOf(order, mine) - commissionOf(order, theirs);
    const Decimal allowance(order.fills, 2);
    return order.asDue && (difference > allowance || -difference > allowance);
}

struct Run {
    CommissionTerms terms;
    std::vector<const SampleOrder *> orders;
};

bool sameTerms(const CommissionTerms &a, const CommissionTerms &b)
{
    return a.ratePerMille == b.ratePerMille && a.minimum == b.minimum;
}

// Periods of constant terms, a change kept only where both sides show it.
std::vector<Run> periodsOf(const std::vector<Run> &runs)
{
    std::vector<Run> kept;
    for (const Run &run : runs) {
        if (kept.empty()) {
            kept.push_back(run);
            continue;
        }
        Run &last = kept.back();
        const auto shows = [](const Run &side, const CommissionTerms &other) {
            return std::any_of(side.orders.begin(), side.orders.end(),
                               [&](const SampleOrder *order) { return pins(*order, side.terms, other); });
        };
        const bool lastShows = shows(last, run.terms), runShows = shows(run, last.terms);
        if (!sameTerms(last.terms, run.terms) && lastShows && runShows) {
            kept.push_back(run);
            continue;
        }
        if (!lastShows && runShows)
            last.terms = run.terms;
        last.orders.insert(last.orders.end(), run.orders.begin(), run.orders.end());
    }
    return kept;
}

std::string dateText(TradeDate date) { return FormatTradeDate(date); }

ExpectedLine lineOf(const std::vector<Run> &periods, std::size_t p, const std::string &scope, bool chargesNothing,
                    const CommissionTerms &general, InstrumentGroup group)
{
    const Run &run = periods[p];
    ExpectedLine line;
    line.scope = scope;
    line.from = dateText(run.orders.front()->date);
    line.to = dateText(run.orders.back()->date);
    if (p > 0)
        for (const SampleOrder *order : run.orders)
            if (pins(*order, run.terms, periods[p - 1].terms)) {
                line.from = dateText(order->date);
                break;
            }
    if (p + 1 < periods.size())
        for (auto order = run.orders.rbegin(); order != run.orders.rend(); ++order)
            if (pins(**order, run.terms, periods[p + 1].terms)) {
                line.to = dateText((*order)->date);
                break;
            }
    const bool separate = general.leviesOnTop || general.transferBilling == TransferBilling::OnItsOwnLine
                          || (general.transferBilling == TransferBilling::AsTheTableSays && group != G::ShenzhenA);
    // Hong Kong's levies are never the broker's: always an item of their own.
    line.levies = general.leviesOnTop || group == G::HongKong ? "on top" : "inside";
    line.transfer = separate ? "separate" : "inside";
    if (chargesNothing) {
        line.commissionPerMille = "0";
        return line;
    }
    const CommissionTerms &terms = run.terms;
    const CommissionTerms atNoRate = withRate(terms, Decimal(), terms.minimum);
    const bool allAtMinimum = std::all_of(run.orders.begin(), run.orders.end(), [&](const SampleOrder *order) {
        return !order->asDue || commissionOf(*order, terms) == commissionOf(*order, atNoRate);
    });
    line.commissionPerMille = allAtMinimum ? "bound" : terms.ratePerMille.toString();
    // The minimum shows where an order is under it by rate; orders under 5
    // yuan but above it say only that there is no 5-yuan minimum; orders all
    // above 5 yuan by rate cannot tell it: the usual one is taken.
    const Decimal usual(kMinimumCommissionYuan);
    const auto anyUnder = [&](const Decimal &bound) {
        return std::any_of(run.orders.begin(), run.orders.end(), [&](const SampleOrder *order) {
            return commissionOf(*order, withRate(terms, terms.ratePerMille, Decimal())) < bound;
        });
    };
    const Decimal minimum = anyUnder(terms.minimum) ? terms.minimum : anyUnder(usual) ? Decimal() : usual;
    line.minimum = minimum.sign() == 0 ? "" : yuan(minimum);
    return line;
}

} // namespace

std::vector<ExpectedLine> ExpectedAgreement(const AuditCase &c, const std::vector<SampleRow> &rows)
{
    const std::vector<SampleOrder> orders = ordersOf(rows);
    struct Scope {
        InstrumentGroup group;
        bool chargesNothing = false;
        std::vector<Run> runs;
    };
    std::map<std::string, Scope> scopes;
    for (const SampleOrder &order : orders) {
        std::string scope(GroupName(order.group));
        const Broker::Apart *apart = c.mix.broker.apartOf(order.code);
        if (apart)
            scope = c.apartAs.at(order.code) == "security" ? order.code + " " + order.name
                                                            : scope + " " + c.apartAs.at(order.code);
        Scope &into = scopes.try_emplace(scope, Scope{order.group, apart && apart->chargesNothing, {}}).first->second;
        const CommissionTerms terms = c.mix.broker.termsOn(order.group, order.code, order.date);
        if (into.runs.empty() || !sameTerms(into.runs.back().terms, terms))
            into.runs.push_back({terms, {}});
        into.runs.back().orders.push_back(&order);
    }
    std::vector<ExpectedLine> expected;
    for (const auto &[name, scope] : scopes) {
        const std::vector<Run> periods = periodsOf(scope.runs);
        for (std::size_t p = 0; p < periods.size(); ++p)
            expected.push_back(lineOf(periods, p, name, scope.chargesNothing, c.mix.broker[scope.group], scope.group));
    }
    std::sort(expected.begin(), expected.end());
    return expected;
}

std::vector<ExpectedFinding> ExpectedAttribution(const Layout &layout, const std::vector<SampleRow> &rows)
{
    std::vector<ExpectedFinding> expected;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const SampleRow &row = rows[i];
        if (!row.movedToLevies)
            continue;
        const int line = LineOfRow(layout, i);
        expected.push_back({line, "commission", yuan(row.commission), yuan(row.commission + *row.movedToLevies),
                            yuan(-*row.movedToLevies)});
        expected.push_back({line, "levies", yuan(row.levies()), yuan(row.levies() - *row.movedToLevies),
                            yuan(*row.movedToLevies)});
    }
    std::sort(expected.begin(), expected.end());
    return expected;
}

std::vector<ExpectedFinding> ExpectedFindings(const Layout &layout, const std::vector<SampleRow> &rows)
{
    std::vector<ExpectedFinding> expected;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (const std::optional<Overcharge> &made = rows[i].overcharge)
            expected.push_back({LineOfRow(layout, i), std::string(statement::FeePartKey(made->item)),
                                yuan(made->due + made->amount), yuan(made->due), yuan(made->amount)});
    }
    std::sort(expected.begin(), expected.end());
    return expected;
}

std::vector<ExpectedFinding> UpToTheRatesCent(const Layout &layout, const std::vector<SampleRow> &rows,
                                              std::vector<ExpectedFinding> found)
{
    if (HasField(layout, Field::ExchangeRate) || HasField(layout, Field::Remark))
        return found;
    const std::vector<ExpectedFinding> expected = ExpectedFindings(layout, rows);
    const Decimal cent(1, 2);
    for (ExpectedFinding &finding : found) {
        for (const ExpectedFinding &wanted : expected) {
            const Decimal off = Decimal::fromLiteral(finding.expected.c_str()) - Decimal::fromLiteral(wanted.expected.c_str());
            const auto row = static_cast<std::size_t>(finding.line - LineOfRow(layout, 0));
            const bool hongKong = rows[row].stockConnect;
            if (hongKong && wanted.line == finding.line && wanted.item == finding.item && wanted.charged == finding.charged
                && off <= cent && -off <= cent)
                finding = wanted;
        }
    }
    return found;
}

std::vector<std::pair<int, std::string>> ExpectedNotAudited(const Layout &layout, const std::vector<SampleRow> &rows)
{
    std::vector<std::pair<int, std::string>> expected;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].kind == RowKind::Other)
            continue;
        if (beforeItsMarket(rows[i]))
            expected.emplace_back(LineOfRow(layout, i), "beforeMarketOpened");
    }
    return expected;
}

void PrintTo(const ExpectedLine &line, std::ostream *out)
{
    *out << line.scope << " " << line.from << ".." << line.to << " " << line.commissionPerMille << "‰ min "
         << (line.minimum.empty() ? "none" : line.minimum) << " levies " << line.levies << " transfer " << line.transfer;
}

void PrintTo(const ExpectedFinding &finding, std::ostream *out)
{
    *out << "line " << finding.line << " " << finding.item << " " << finding.charged << " vs " << finding.expected << " ("
         << finding.difference << ")";
}

} // namespace tallyfin::samples
