#include "audit_cases.h"

#include <algorithm>
#include <ostream>
#include <map>

#include "constants.h"

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
// which are above most rates until 2023.
Broker broker(CommissionTerms stocks, CommissionTerms funds, CommissionTerms bonds, CommissionTerms beijing)
{
    Broker made;
    made[G::ShanghaiA] = made[G::ShenzhenA] = stocks;
    made[G::ShanghaiFund] = made[G::ShenzhenFund] = funds;
    made[G::ConvertibleBond] = bonds;
    made[G::BeijingA] = beijing;
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

std::vector<ExpectedTerms> ExpectedAgreement(const AuditCase &c, const std::vector<SampleRow> &rows)
{
    // Each group traded, and whether an order of it was under 5 yuan (or the minimum) by rate.
    std::map<InstrumentGroup, bool> groups;
    for (const SampleRow &row : rows) {
        if (row.kind == RowKind::Other || row.stockConnect || beforeItsMarket(row))
            continue;
        const InstrumentGroup group = *statement::GroupOfMarket(MarketOfSecurity(*SecurityOfCode(row.code)));
        const CommissionTerms &terms = c.mix.broker[group];
        const Decimal byRate = (row.amount * terms.ratePerMille).shifted(-3).rounded(2, Rounding::HalfUp);
        groups[group] = groups[group] || byRate < std::max(terms.minimum, Decimal(kMinimumCommissionYuan));
    }
    std::vector<ExpectedTerms> expected;
    for (const auto &[group, minimumShows] : groups) {
        const CommissionTerms &terms = c.mix.broker[group];
        const bool separate = terms.leviesOnTop || terms.transferBilling == TransferBilling::OnItsOwnLine
                              || (terms.transferBilling == TransferBilling::AsTheTableSays && group != G::ShenzhenA);
        // Orders all above 5 yuan by rate cannot tell the minimum: the usual one is taken.
        const Decimal minimum = minimumShows ? terms.minimum : Decimal(kMinimumCommissionYuan);
        expected.push_back({std::string(GroupName(group)), terms.ratePerMille.toString(), yuan(minimum),
                            terms.leviesOnTop ? "on top" : "inside", separate ? "separate" : "inside"});
    }
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

std::vector<std::pair<int, std::string>> ExpectedNotAudited(const Layout &layout, const std::vector<SampleRow> &rows)
{
    std::vector<std::pair<int, std::string>> expected;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].kind == RowKind::Other)
            continue;
        if (rows[i].stockConnect)
            expected.emplace_back(LineOfRow(layout, i), "stockConnect");
        else if (beforeItsMarket(rows[i]))
            expected.emplace_back(LineOfRow(layout, i), "beforeMarketOpened");
    }
    return expected;
}

void PrintTo(const ExpectedTerms &terms, std::ostream *out)
{
    *out << terms.group << " " << terms.commissionPerMille << "‰ min " << terms.minimum << " levies " << terms.levies
         << " transfer " << terms.transfer;
}

void PrintTo(const ExpectedFinding &finding, std::ostream *out)
{
    *out << "line " << finding.line << " " << finding.item << " " << finding.charged << " vs " << finding.expected << " ("
         << finding.difference << ")";
}

} // namespace tallyfin::samples
