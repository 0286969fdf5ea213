#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "audit.h"
#include "decimal.h"
#include "feerules.h"
#include "statement.h"

// Statements made up for benchmarks and tests: A-share, fund and convertible
// bond trades charged exactly as the dated fee rules say under a broker's
// agreement (the commission, minimum, levies and transfer billing of each
// group), some with overcharges put in on purpose and known; Stock Connect
// trades with plausible fees; dividends, their tax, bank transfers and
// subscriptions. Written in the column layouts brokers use.
//
//   std::vector<SampleRow> rows = SampleRows(100000, 7);
//   std::string tsv = TextStatement(LayoutCells(SampleLayouts()[0], rows), '\t', TextEncoding::Gb18030);
namespace tallyfin::samples {

using statement::FeePart;
using statement::InstrumentGroup;
using statement::RowKind;
using statement::TextEncoding;

// A fee charged beyond the rules, put into one row of a single-fill order.
// Total moves the cash without a fee column saying why.
struct Overcharge {
    FeePart item = FeePart::Commission;
    Decimal amount; // what was charged more (the difference an audit finds)
    Decimal due;    // what the rules charge for the item (Total: the sum of the row's fee columns)
};

// A row as the reader should give it back: its figures as the broker's slip
// writes them (see OtherFeesAsWritten for what a layout moves).
struct SampleRow {
    RowKind kind = RowKind::Buy;
    TradeDate date;
    std::string time;      // "09:31:05"
    std::string code;      // as read back: "000878", "00700"; empty for a bank transfer
    std::string name;
    std::string operation; // as written in the naming column: "证券买入", "红利入账"
    bool stockConnect = false;
    Decimal quantity, price, amount; // magnitudes; 0 where the row has none
    Decimal commission, stampDuty, transferFee, handlingFee, managementFee, otherFees;
    Decimal cash; // signed: negative when paid
    int fills = 1; // 成交笔数: the fills whose fees the row adds up, each rounded by itself
    std::string orderNumber, account;
    std::string market; // "沪市A股", "深市A股", "沪港通"
    // Stock Connect: China Clear's settlement rate, and the trade's day (the
    // row is booked on its settlement day, two days later; the price is HKD).
    std::optional<Decimal> settlementRate;
    std::optional<TradeDate> traded;
    std::optional<Overcharge> overcharge;
    // Commission booked in the levy column instead, the total unchanged.
    std::optional<Decimal> movedToLevies;
    // After the row, with RowMix::salesHeld: the shares of its security held
    // (0 on rows that are no trade, as real exports write them) and the cash.
    std::optional<Decimal> shareBalance, cashBalance;

    Decimal levies() const { return handlingFee + managementFee; }
    Decimal feesTotal() const { return commission + stampDuty + transferFee + levies() + otherFees; }
};

// What the made-up broker charges: each instrument group's general terms
// (by default 0.25‰, at least 5 yuan, the levies inside, the transfer fee
// as the table bills it), changed from a date on for some groups, and
// securities priced apart (a bond ETF at its own rate, a money-market ETF
// charged nothing at all).
struct Broker {
    // From `from` on, `groups` pay `terms` as their general terms.
    struct Change {
        TradeDate from;
        std::vector<InstrumentGroup> groups;
        CommissionTerms terms;
    };
    // A fund of its own terms; traded besides the usual list.
    struct Apart {
        std::string code, name;
        CommissionTerms terms;
        bool chargesNothing = false;
    };

    std::array<CommissionTerms, statement::kGroupCount> terms{};
    std::vector<Change> changes; // in date order
    std::vector<Apart> apart;
    // The 佣金 column leaves out what the commission holds for the exchange,
    // the regulator and (Shenzhen's) the clearing house, and 其他费用 shows
    // it instead: 4.93 + 0.07 = 5.00 (levies inside only).
    bool commissionNetOfLevies = false;

    Broker();
    CommissionTerms &operator[](InstrumentGroup group) { return terms[static_cast<std::size_t>(group)]; }
    const CommissionTerms &operator[](InstrumentGroup group) const { return terms[static_cast<std::size_t>(group)]; }
    // The terms a trade of `code` in `group` pays on `date`.
    CommissionTerms termsOn(InstrumentGroup group, const std::string &code, TradeDate date) const;
    const Apart *apartOf(const std::string &code) const;
};

struct RowMix {
    bool stockConnect = true; // Hong Kong trades among them …
    int stockConnectPercent = 10; // … this many of the trades from when Stock Connect opened
    // The rows' first day, and the days they spread over whatever their number.
    TradeDate from{2014, 1, 2};
    int spanDays = 3650;
    bool otherRows = true;    // dividends, tax, transfers, subscriptions
    // A sale sells no more than the statement has bought of the security
    // (a buy where nothing is held), as in a complete history.
    bool salesHeld = false;
    bool splitOrders = false; // some orders in two or three rows under one order number (each a fill)
    bool multiFillRows = false; // some rows adding up two to four fills (成交笔数)
    int overchargePercent = 0;  // of the single-fill orders, those overcharged …
    std::vector<FeePart> overchargeItems; // … in one of these items, chosen at random
    // Of the single-fill orders, those whose commission puts two cents in
    // the levy column instead (for a layout that has one).
    int movedPercent = 0;
    // Groups whose every order is small: all at their minimum.
    std::vector<InstrumentGroup> smallOnly;
    Broker broker;
};

// `count` rows from `seed`, in date order.
std::vector<SampleRow> SampleRows(std::size_t count, std::uint32_t seed, const RowMix &mix = {});

// What a column holds.
enum class Field : std::uint8_t {
    Date, Time, Code, Name, Operation, Side, Market, Currency, ExchangeRate,
    Quantity, Price, Amount, Commission, StampDuty, TransferFee, HandlingFee, ManagementFee, Levies, OtherFees,
    FeesTotal, Cash, Fills, OrderNumber, Account, Filler, ShareBalance, CashBalance, FundAccount,
    Remark, // Filler's text, but a Stock Connect row's rate as a slip writes it: 汇率:0.933580;…
};

// The fund account (资金帐号) of every made-up row.
inline constexpr const char *kSampleFundAccount = "88886666";

enum class DateStyle : std::uint8_t { Compact, Dashed, Slashed, Serial }; // 20210311, 2021-03-11, 2021/3/11, 44266

struct LayoutColumn {
    std::string header;
    Field field;
};

// How a broker writes its statement.
struct Layout {
    std::string name;
    std::vector<LayoutColumn> columns;
    std::vector<std::string> preamble; // lines before the header
    DateStyle dates = DateStyle::Compact;
    bool formulaTexts = false;      // texts as ="…"
    bool spacedFormulas = false;    // codes and accounts as = "000597      "
    bool unpaddedCodes = false;     // 878 for 000878
    bool negativeSells = false;     // a sell's quantity below zero
    bool negativeBuys = false;      // a buy's amount below zero
    bool thousands = false;         // 12,345.00
    bool sideOnOtherRows = false;   // the side column says 买入/卖出 on other rows too
    bool trailingSeparator = false; // an empty column after the last
    RowMix mix;                     // what rows the layout can carry
};

bool HasField(const Layout &layout, Field field);
// 经手费, 证管费 or 规费.
bool HasLevyColumn(const Layout &layout);

// Seven layouts from the column names brokers use, each with its quirks.
const std::vector<Layout> &SampleLayouts();

// One written cell: a number is a number cell in a spreadsheet.
struct SampleCell {
    std::string text;
    bool number = false;
    bool formula = false; // text is ="…"
};
using SampleTable = std::vector<std::vector<SampleCell>>; // the preamble, the header, the rows

SampleTable LayoutCells(const Layout &layout, const std::vector<SampleRow> &rows);

// The other fees as the layout writes them: where it has no transfer-fee
// column, the transfer fee is among them, and where it has no levy column
// (经手费, 证管费, 规费), the levies.
Decimal OtherFeesAsWritten(const Layout &layout, const SampleRow &row);

// The table as text with `separator` in `encoding` (UTF-8 with a byte-order
// mark, UTF-16 LE with one); cells holding the separator, a line end or a
// leading quote are quoted as in CSV.
std::string TextStatement(const SampleTable &table, char separator, TextEncoding encoding);

// The line (1-based) of the table's row `index` in a text statement, and the
// same as a spreadsheet's row: the preamble and header come first.
inline int LineOfRow(const Layout &layout, std::size_t index)
{
    return static_cast<int>(layout.preamble.size() + 2 + index);
}

} // namespace tallyfin::samples
