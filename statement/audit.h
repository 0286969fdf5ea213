#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "decimal.h"
#include "feeschedule.h"
#include "statement.h"

// Checks the trades of a statement against the dated fee rules, row by row:
// the commission agreement is inferred per instrument group from the rows
// themselves (the user may override any term), every order is priced under
// the rules of its trade date, and each fee item that differs by more than a
// cent per fill is a finding. No Qt; the CLI and the window share it.
//
//   const Statement s = ReadStatementFile("交割单.xls");
//   const std::optional<Audit> audit = AuditStatement(s);
//   for (const Agreement &a : audit->agreements)
//       ... GroupName(a.group), a.terms.ratePerMille, a.terms.minimum, a.commission.explained ...
//   for (const Finding &f : audit->findings)
//       ... s.rows[f.row].line(), FeePartKey(f.item), f.charged, f.expected, f.difference() ...
namespace tallyfin::statement {

// The instrument groups an agreement is inferred for: brokers agree one rate
// per group. Both exchanges' convertible bonds form one group.
enum class InstrumentGroup : std::uint8_t { ShanghaiA, ShenzhenA, BeijingA, ShanghaiFund, ShenzhenFund, ConvertibleBond };
inline constexpr std::size_t kGroupCount = 6;

//   GroupName(InstrumentGroup::ShanghaiA) -> "上海A股",  GroupName(InstrumentGroup::ConvertibleBond) -> "可转债"
std::string_view GroupName(InstrumentGroup group); // marked in the context "Markets"

// The group of a fee-table market; nullopt for 基金权证, which statements
// never need (funds go by their exchange).
//   GroupOfMarket(Market::ShenzhenBond) -> ConvertibleBond
std::optional<InstrumentGroup> GroupOfMarket(Market market);

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

// The commission agreement of one group, as inferred or set.
struct Agreement {
    InstrumentGroup group = InstrumentGroup::ShanghaiA;
    CommissionTerms terms;
    OtherFeesHold otherFees = OtherFeesHold::OtherCharges;
    TermSource rateSource = TermSource::Default, minimumSource = TermSource::Default;
    TermSource leviesSource = TermSource::Default, transferSource = TermSource::Default;
    Tally rate;       // orders charged above the minimum that the rate explains
    Tally minimum;    // orders under the minimum by rate (or under 5 yuan) whose charge the minimum explains
    Tally levies;     // orders with levy columns (经手费, 证管费, 规费) that bill the levies as inferred
    Tally transfer;   // orders with a transfer-fee figure that bill it as inferred (深圳A股)
    Tally commission; // orders whose commission the agreement explains, of all orders with a commission
    bool transferSeparate = true; // the transfer fee is a line of its own (always, with the levies on top)
};

// What the user sets in place of the inferred terms (any subset).
struct TermsOverride {
    std::optional<Decimal> ratePerMille, minimum;
    std::optional<bool> leviesOnTop, transferSeparate;
};

// Another agreement to price the same trades under ("what if"): its rate
// (the inferred one when empty), and 免五 or the inferred minimum.
struct CompareTerms {
    std::optional<Decimal> ratePerMille;
    bool noMinimum = false;
};

struct AuditOptions {
    std::array<TermsOverride, kGroupCount> overrides{}; // by InstrumentGroup
    std::optional<CompareTerms> compare;

    // The same override for every group (the command line's options).
    void overrideEveryGroup(const TermsOverride &terms) { overrides.fill(terms); }
};

// Why a trade row was left out of the audit.
enum class NotAuditedReason : std::uint8_t {
    StockConnect,       // a Hong Kong stock through Stock Connect
    NotCovered,         // its code names no instrument the fee table covers (B shares, repos, subscriptions …)
    MarketDisagrees,    // the market column names another exchange than the code
    NoAmount,           // no money changed hands (an allotment, a share placed in the account)
    BeforeFeeTable,     // its date is before FeeTableStart()
    BeforeMarketOpened, // its date is before its market had rules (北京A股 before 2021-11-15)
    NumbersTooLarge,    // an amount beyond what money can be here
};

//   NotAuditedKey(NotAuditedReason::StockConnect) -> "stockConnect"
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

// One order: a row, or the rows that share date, code, side and order
// number (they pay one minimum). Charged figures are the statement's columns
// mapped to the rules' items by the group's agreement; a figure the
// statement has no column for is absent and not checked.
struct OrderCheck {
    std::uint32_t firstRow = 0; // index into Statement::rows
    std::uint32_t rows = 0;
    InstrumentGroup group = InstrumentGroup::ShanghaiA;
    Market market = Market::ShanghaiA;
    TradeSide side = TradeSide::Buy;
    int fills = 0;           // 成交笔数 over its rows, or one a row where the statement has none
    bool fillsKnown = false; // every row gave its 成交笔数
    Cents amount = 0;
    std::array<Cents, kFeeItemCount> charged{}, expected{}, compared{};
    std::uint8_t present = 0;   // a bit per FeePart: the statement has a figure for it
    std::uint8_t differing = 0; // a bit per FeePart: beyond the allowance (Total: on one of its rows)

    bool has(FeePart part) const { return present >> static_cast<unsigned>(part) & 1u; }
    bool differs(FeePart part) const { return differing >> static_cast<unsigned>(part) & 1u; }
    // One cent per item per fill: the clearing house rounds each fill.
    Cents allowance() const { return fills; }
    Cents chargedTotal() const;
    Cents expectedTotal() const;
};

// A fee item charged beyond its allowance, either way.
struct Finding {
    std::uint32_t row = 0; // index into Statement::rows: the order's first row, or the row whose arithmetic fails
    std::uint32_t order = 0;
    FeePart item = FeePart::Commission;
    Decimal charged, expected;
    Decimal allowance; // what rounding per fill allows (0 for the row's arithmetic)
    bool fillsKnown = false;

    Decimal difference() const { return charged - expected; } // positive: charged too much
    // One cent beyond the allowance on an order whose fills are unknown:
    // rounding each of more fills would explain it.
    bool mayBeFillRounding() const;
};

// One calendar year of audited orders; fees as charged, by item.
struct YearTotals {
    int year = 0;
    int trades = 0; // audited trade rows
    Decimal turnover;
    std::array<Decimal, kFeeItemCount> fees{}; // by FeePart, Commission … Other
    Decimal beyondRules;                     // what the findings charged above the rules (arithmetic excluded)
    std::optional<Decimal> compareSaving;    // fees charged − the fees under the compared agreement

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
    std::vector<Agreement> agreements; // each group with audited orders, in group order
    std::vector<TradeCheck> trades;    // every trade row, in file order
    std::vector<OrderCheck> orders;    // in the order of their first rows
    std::vector<Finding> findings;     // by line, then item
    std::vector<YearTotals> years;     // ascending
    std::vector<MonthFees> months;     // ascending
    bool compared = false;             // AuditOptions::compare was given

    int notAuditedCount() const;
    const Agreement *agreement(InstrumentGroup group) const;
};

// The fraction done is told to `progress` now and then; nullopt when it
// asked to stop. `statement` must be one that was read (no failure).
std::optional<Audit> AuditStatement(const Statement &statement, const AuditOptions &options = {},
                                    const Progress &progress = {});

// The findings on one row (index into Statement::rows): its order's items
// when it is the order's first row, and its own arithmetic.
std::span<const Finding> FindingsOnRow(const Statement &statement, const Audit &audit, std::uint32_t row);

// The fee figures of one row in the rules' items, its other-fee column
// mapped by `hold` (Other keeps them only as OtherCharges); an item is
// nullopt where the statement has no figure for it.
//   佣金 4.93, 其他费用 0.07, hold Commission -> commission 5.00, other nullopt
std::array<std::optional<Cents>, kFeeItemCount> ChargedItems(const Row &row, OtherFeesHold hold);

} // namespace tallyfin::statement
