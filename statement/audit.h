#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "decimal.h"
#include "feeschedule.h"
#include "statement.h"

// Checks the trades of a statement against the dated fee rules: the
// commission agreement is inferred from the rows themselves (per instrument
// group, per period of constant terms, per class of securities the broker
// prices apart; the user may set any of it), every order is priced under the
// rules of its trade date, and an order is a finding where what it paid
// differs from what it owes by more than a cent per item per fill. No Qt; the
// CLI and the window share it.
//
//   const Statement s = ReadStatementFile("交割单.xls");
//   const std::optional<Audit> audit = AuditStatement(s);
//   for (const Agreement &a : audit->agreements)
//       ... GroupName(a.group), a.from, a.to, a.terms.ratePerMille, a.terms.minimum, a.commission.explained ...
//   for (const Finding &f : audit->findings)
//       ... s.rows[f.row].line(), FeePartKey(f.item), f.charged, f.expected, f.difference() ...
namespace tallyfin::statement {

// The instrument groups an agreement is inferred for: brokers agree terms
// per group, and may price the two exchanges' convertible bonds apart.
enum class InstrumentGroup : std::uint8_t {
    ShanghaiA, ShenzhenA, BeijingA, ShanghaiFund, ShenzhenFund, ShanghaiBond, ShenzhenBond,
    HongKong, // 港股通: Hong Kong stocks through Stock Connect, the commission on the yuan amount
};
inline constexpr std::size_t kGroupCount = 8;

//   GroupName(InstrumentGroup::ShanghaiA) -> "上海A股",  GroupName(InstrumentGroup::ShenzhenBond) -> "深圳可转债"
std::string_view GroupName(InstrumentGroup group); // marked in the context "Markets"
// The group a name gives (GroupName's inverse); nullopt for any other text.
std::optional<InstrumentGroup> GroupNamed(std::string_view name);

// The group of a fee-table market; nullopt for 基金权证, which statements
// never need (funds go by their exchange), and for 港股通, whose rows are
// not checked yet.
//   GroupOfMarket(Market::ShenzhenBond) -> ShenzhenBond
std::optional<InstrumentGroup> GroupOfMarket(Market market);

// Securities of a group a broker may price apart from its general terms.
enum class SecurityClass : std::uint8_t {
    General,  // the group's own terms
    BondEtf,  // 债券ETF
    MoneyEtf, // 货币ETF (交易型货币市场基金)
    Lof,      // LOF
    Reits,    // 公募REITs
    Security, // one security whose rows follow terms of their own
};
inline constexpr std::size_t kSecurityClassCount = 6;

//   SecurityClassName(SecurityClass::BondEtf) -> "债券ETF",  SecurityClassName(SecurityClass::General) -> ""
std::string_view SecurityClassName(SecurityClass securityClass); // marked in the context "Markets"
// The class a name gives (债券ETF, 货币ETF, LOF, REITs); nullopt for any other text.
std::optional<SecurityClass> SecurityClassNamed(std::string_view name);

// The class a fund's code and name put it in (General for shares, bonds and
// funds that are none of these). By the exchanges' code ranges where they
// say it (LOF, REITs, Shanghai's 511 bond and money ETFs), then by the name.
//   ClassOfSecurity("511260", "十年国债") -> BondEtf,  ClassOfSecurity("511990", "华宝添益") -> MoneyEtf
//   ClassOfSecurity("159941", "纳指ETF") -> General,   ClassOfSecurity("508000", "") -> Reits
SecurityClass ClassOfSecurity(std::string_view code, std::string_view name);

// The fee items an order is checked by, in the rules' terms; Total is the
// row's own arithmetic (amount ± fees = its cash movement).
enum class FeePart : std::uint8_t { Commission, StampDuty, TransferFee, Levies, Other, Total };
inline constexpr std::size_t kFeeItemCount = 5; // Commission … Other: the items an order is charged
inline constexpr std::size_t kFeePartCount = 6;

//   FeePartKey(FeePart::StampDuty) -> "stampDuty"
std::string_view FeePartKey(FeePart part);

// What a statement's other-fee column (其他费用, 其他杂费 …) holds, told per
// group from the rows' arithmetic.
enum class OtherFeesHold : std::uint8_t {
    OtherCharges, // charges the rules do not know: a finding when not zero
    Commission,   // a part of the commission: 佣金 4.93 + 其他费用 0.07 = the rules' 5.00
    TransferFee,  // the transfer fee, in a file without a 过户费 column of its own
    Levies,       // the levies charged on top of the commission
};

//   OtherFeesHoldKey(OtherFeesHold::Commission) -> "commission"
std::string_view OtherFeesHoldKey(OtherFeesHold hold);

// Where a term of an agreement comes from.
enum class TermSource : std::uint8_t {
    Rows,    // the rows show it
    Bound,   // the rate, when no order was charged above the minimum: the highest that keeps them all at it
    Default, // the rows cannot tell: minimum 5 yuan, levies inside, the transfer fee as the fee table bills it
    User,    // the user set it
};

// How many orders a term accounts for, of the orders that bear on it.
struct Tally {
    int explained = 0, of = 0;
    friend bool operator==(const Tally &, const Tally &) = default;
};

// One line of the agreement: the terms of one group (or of a class of its
// securities, or of one security) over one period of trade dates, as
// inferred or set. A group whose terms changed has a line per period; the
// change lies after one line's `to` and on or before the next one's `from`
// (the trades between are explained by either, so the rows cannot tell).
struct Agreement {
    InstrumentGroup group = InstrumentGroup::ShanghaiA;
    SecurityClass securityClass = SecurityClass::General;
    std::vector<std::string> codes; // a class or security line: the codes it prices, ascending
    std::string name;               // a security line: the security's name as the rows write it
    TradeDate from, to;             // the first and last trade the terms hold for (or the user's bounds)
    CommissionTerms terms;
    bool owesNothing = false; // its rows show nothing charged at all: no fee is due, no levy floor
    // Every rate that explains as many orders (of those, the ones that
    // reproduce the most to the cent), per mille; [0, bound] when the rate
    // is only bounded.
    Decimal rateLow, rateHigh;
    OtherFeesHold otherFees = OtherFeesHold::OtherCharges;
    TermSource rateSource = TermSource::Default, minimumSource = TermSource::Default;
    TermSource leviesSource = TermSource::Default, transferSource = TermSource::Default;
    Tally rate;       // orders charged above the minimum that the rate explains
    Tally minimum;    // orders under the minimum by rate (or under 5 yuan) whose charge the minimum explains
    Tally levies;     // orders with levy columns (经手费, 证管费, 规费) that bill the levies as inferred
    Tally transfer;   // orders with a transfer-fee figure that bill it as inferred (深圳A股)
    Tally commission; // orders whose commission the line explains, of its orders with a commission
    bool transferSeparate = true; // the transfer fee is a line of its own (always, with the levies on top)
};

// The two lines price the same orders in different periods: one group's
// general terms, one class of it, or one security.
bool SameScope(const Agreement &a, const Agreement &b);

// Which orders a user's terms are for: a group's general terms, a class of
// securities (of one group, or of every group), or one security.
struct TermsScope {
    std::optional<InstrumentGroup> group; // nullopt: every group
    SecurityClass securityClass = SecurityClass::General;
    std::string code; // SecurityClass::Security: the security's code
    friend bool operator==(const TermsScope &, const TermsScope &) = default;
};

// Terms the user sets for a scope over a span of trade dates (an open end
// reaches the statement's first or last trade); what is left unset is
// inferred. Spans of one scope do not overlap.
struct UserTerms {
    TermsScope scope;
    std::optional<TradeDate> from, to;
    std::optional<Decimal> ratePerMille, minimum;
};

// How a group bills the levies and Shenzhen's transfer fee, where the user says.
struct BillingOverride {
    std::optional<bool> leviesOnTop, transferSeparate;
    friend bool operator==(const BillingOverride &, const BillingOverride &) = default;
};

// Another agreement to price the same trades under ("what if"): its rate
// (the inferred one when empty), and 免五 or the inferred minimum.
struct CompareTerms {
    std::optional<Decimal> ratePerMille;
    bool noMinimum = false;
};

struct AuditOptions {
    std::vector<UserTerms> terms;
    std::array<BillingOverride, kGroupCount> billing{}; // by InstrumentGroup
    std::optional<CompareTerms> compare;
};

// Why a trade row was left out of the audit.
enum class NotAuditedReason : std::uint8_t {
    StockConnectUnpriced, // a Stock Connect row without its HKD price and quantity, or without a yuan amount or rate
    StockConnectUnrecognized, // the statement does not write its Stock Connect fees as China Clear settles them
    NotCovered,         // its code names no instrument the fee table covers (B shares, repos, subscriptions …)
    MarketDisagrees,    // the market column names another exchange than the code
    NoAmount,           // no money changed hands (an allotment, a share placed in the account)
    BeforeFeeTable,     // its date is before FeeTableStart()
    BeforeMarketOpened, // its date is before its market had rules (北京A股 before 2021-11-15)
    NumbersTooLarge,    // an amount beyond what money can be here
};

//   NotAuditedKey(NotAuditedReason::NotCovered) -> "notCovered"
std::string_view NotAuditedKey(NotAuditedReason reason);

// One trade row of the statement: the order it belongs to, or why it was not audited.
struct TradeCheck {
    std::uint32_t row = 0;   // index into Statement::rows
    std::int32_t order = -1; // index into Audit::orders; -1 when not audited
    NotAuditedReason reason = NotAuditedReason::NotCovered;
    std::optional<Market> market; // what the code names, where it names one

    bool audited() const { return order >= 0; }
};

// Money of the audit in whole cents (exact; Decimal(cents, 2) for a person).
using Cents = std::int64_t;

// A charge within `allowance` cents of what is due, either way.
constexpr bool WithinAllowance(Cents charged, Cents due, Cents allowance)
{
    return charged - due <= allowance && due - charged <= allowance;
}

// One order: a row, or the rows that share date, code, side and order
// number (they pay one minimum). Charged figures are the statement's columns
// mapped to the rules' items by the group's agreement; a figure the
// statement has no column for is absent and not checked.
struct OrderCheck {
    std::uint32_t firstRow = 0; // index into Statement::rows
    std::uint32_t rows = 0;
    std::uint32_t agreement = 0; // index into Audit::agreements: the line that prices it
    InstrumentGroup group = InstrumentGroup::ShanghaiA;
    Market market = Market::ShanghaiA;
    TradeSide side = TradeSide::Buy;
    int fills = 0;           // 成交笔数 over its rows, or one a row where the statement has none
    bool fillsKnown = false; // every row gave its 成交笔数
    Cents amount = 0;
    std::array<Cents, kFeeItemCount> charged{}, expected{}, compared{};
    std::uint8_t present = 0;   // a bit per FeePart: the statement has a figure for it
    std::uint8_t differing = 0; // a bit per FeePart: a finding (Total: the arithmetic of one of its rows)
    std::uint8_t moved = 0;     // a bit per FeePart: beyond the allowance while the order's total agrees

    bool has(FeePart part) const { return present >> static_cast<unsigned>(part) & 1u; }
    bool differs(FeePart part) const { return differing >> static_cast<unsigned>(part) & 1u; }
    // One cent per item per fill: the clearing house rounds each fill.
    Cents allowance() const { return fills; }
    // Of the items the statement has a figure for.
    Cents chargedTotal() const;
    Cents expectedTotal() const;
    Cents totalAllowance() const;
};

// A fee item of an order that paid other than it owes, or a row whose own
// arithmetic fails. An order is a finding when its total differs from what
// it owes by more than its allowance, when an item differs beyond its own
// with none off the other way to make up for it, or when its stamp duty or
// its transfer fee (the law's, not the agreement's) differs; each of its
// items beyond the allowance is listed.
struct Finding {
    std::uint32_t row = 0; // index into Statement::rows: the order's first row, or the row whose arithmetic fails
    std::uint32_t order = 0;
    FeePart item = FeePart::Commission;
    Decimal charged, expected;
    Decimal allowance; // what rounding per fill allows (0 for the row's arithmetic)
    bool fillsKnown = false;
    Decimal orderDifference; // the order's total charged − owed (the row's own difference for its arithmetic)

    Decimal difference() const { return charged - expected; } // positive: charged too much
    // One cent beyond the allowance on an order whose fills are unknown:
    // rounding each of more fills would explain it.
    bool mayBeFillRounding() const;
};

// An item of an order charged other than the rules say while the order's
// total is what it owes: the broker booked it in another column
// (归类不同: 0.02 in 规费 instead of 佣金). Not a finding.
struct Attribution {
    std::uint32_t row = 0; // the order's first row
    std::uint32_t order = 0;
    FeePart item = FeePart::Commission;
    Decimal charged, expected;

    Decimal difference() const { return charged - expected; }
};

// One calendar year of audited orders; fees as charged, by item.
struct YearTotals {
    int year = 0;
    int trades = 0; // audited trade rows
    Decimal turnover;
    std::array<Decimal, kFeeItemCount> fees{}; // by FeePart, Commission … Other
    Decimal beyondRules;                     // what the findings charged above the rules (arithmetic excluded)
    std::optional<Decimal> compareSaving;    // fees charged − the fees under the compared agreement
    // 港股通组合费: Hong Kong's portfolio fee on Stock Connect holdings, charged
    // day by day on their closing prices, which no statement carries: told, not checked.
    Decimal portfolioFees;

    Decimal feesTotal() const;
    // Commission per turnover in ‰, three decimals; nullopt without turnover.
    //   commission 300.00 on turnover 1,200,000.00 -> 0.250
    std::optional<Decimal> commissionPerMille() const;
};

// One calendar month's fees as charged, for a chart.
struct MonthFees {
    int year = 0, month = 0;
    std::array<Cents, kFeeItemCount> fees{};
};

struct Audit {
    // The lines of each group with audited orders, in group order; within a
    // group its general terms, then its classes, then single securities,
    // each scope's periods in date order.
    std::vector<Agreement> agreements;
    std::vector<TradeCheck> trades;         // every trade row, in file order
    std::vector<OrderCheck> orders;         // in the order of their first rows
    std::vector<Finding> findings;          // by line, then item
    std::vector<Attribution> attributions;  // by line, then item
    std::vector<YearTotals> years;     // ascending
    std::vector<MonthFees> months;     // ascending
    bool compared = false;             // AuditOptions::compare was given

    int notAuditedCount() const;
    // The group's general terms (its latest period), or nullptr.
    const Agreement *agreement(InstrumentGroup group) const;
};

// The fraction done is told to `progress` now and then; nullopt when it
// asked to stop. `statement` must be one that was read (no failure).
std::optional<Audit> AuditStatement(const Statement &statement, const AuditOptions &options = {},
                                    const Progress &progress = {});

// The findings on one row (index into Statement::rows): its order's items
// when it is the order's first row, and its own arithmetic.
std::span<const Finding> FindingsOnRow(const Statement &statement, const Audit &audit, std::uint32_t row);

// The items of the order whose first row this is that were booked in other
// columns while its total agrees.
std::span<const Attribution> AttributionsOnRow(const Statement &statement, const Audit &audit, std::uint32_t row);

// The fee figures of one row in the rules' items, its other-fee column
// mapped by `hold` (Other keeps them only as OtherCharges); an item is
// nullopt where the statement has no figure for it.
//   佣金 4.93, 其他费用 0.07, hold Commission -> commission 5.00, other nullopt
std::array<std::optional<Cents>, kFeeItemCount> ChargedItems(const Row &row, OtherFeesHold hold);

} // namespace tallyfin::statement
