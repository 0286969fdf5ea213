#pragma once

#include <optional>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "balances.h"
#include "decimal.h"
#include "dividendtaxrules.h"
#include "statement.h"
#include "text.h"

// The dividend tax taken back when shares are sold within a year of a
// dividend (股息红利税补缴), checked lot by lot: China Clear keeps each day's
// net purchase of a security as one lot, sales take the earliest lots first,
// and each lot that received a dividend pays the rate of its holding period
// under the regime of the dividend's record date (core/dividendtaxrules.h).
//
//   const DividendTaxCheck check = CheckDividendTax(account.statement, CheckBalances(account.statement).openings);
//   for (const TaxRowCheck &row : check.taxRows) ... row.charged, row.due(), row.lots ...
namespace tallyfin::statement {

// One lot's tax for one dividend: shares of one purchase day, sold within a
// year of a dividend they received.
struct LotTax {
    std::optional<TradeDate> bought; // nullopt: held before the history begins
    Decimal quantity;
    Decimal dividendPerShare;        // before what was withheld on payment
    TradeDate recordDate, sold;
    int ratePercent = 0;             // still due on sale (RatePercentDueOnSale)
    std::optional<Decimal> tax;      // nullopt when the holding period cannot be told
};

// The tax a sale owes for one purchase day's shares (a lot may have received several dividends).
struct SoldLot {
    std::string code;
    TradeDate sold;
    std::optional<TradeDate> bought;
    Decimal quantity;
    std::vector<LotTax> taxes; // one per dividend
    std::size_t saleRow = 0;   // index into Statement::rows: the sale's last row that day
};

// A tax row (股息红利税补缴, 股息红利差异扣税 …) beside what explains it.
struct TaxRowCheck {
    std::size_t row = 0; // index into Statement::rows
    std::string code;
    TradeDate date;
    std::optional<Decimal> quantity;
    Decimal charged;
    std::vector<LotTax> lots; // empty when nothing explains the row
    bool explained = false;

    // Nullopt when a lot's holding period cannot be told.
    std::optional<Decimal> due() const;
};

// A sale that owes tax no tax row took.
struct MissingTax {
    std::string code;
    TradeDate date;
    Decimal quantity; // the shares sold that received a dividend within the year
    std::optional<Decimal> due;
    std::size_t saleRow = 0;
};

// A dividend whose shares cannot be told: nothing was held when it was booked.
struct UnheldDividend {
    std::size_t row = 0;
    std::string code;
    TradeDate date;
    Decimal cash;
};

struct DividendTaxCheck {
    std::vector<TaxRowCheck> taxRows;          // in time order
    std::vector<MissingTax> missing;           // by sale
    std::vector<UnheldDividend> unheldDividends;
};

// `statement`'s rows must be in time order (a merged statement); `openings`
// are the shares held before each security's first row (CheckBalances).
// A dividend's shares are those held when its row is booked: a row after the
// close (from 15:00) is booked on its record date, any other on the day
// after it (the ex-date), so the record date is the weekday before.
DividendTaxCheck CheckDividendTax(const Statement &statement, const std::vector<OpeningHolding> &openings);

// The per-share dividend as announced: the fewest decimals (up to 6) that
// give back the cash booked for the shares, the withheld part added back.
//   DividendPerShare(900.00, 2000, 0) -> 0.45;  DividendPerShare(95.00, 1000, 5) -> 0.1
Decimal DividendPerShare(const Decimal &cash, const Decimal &shares, int withheldPercent);

// What the check says of a tax row, as the command line and the window show it.
enum class TaxVerdict : std::uint8_t { Agrees, Differs, Unexplained, BoughtUnknown };
TaxVerdict VerdictOf(const TaxRowCheck &row);
//   ChineseText(TaxVerdict::Agrees) -> "相符"   (context "Account")
std::string_view ChineseText(TaxVerdict verdict);
// How long a lot was held when sold, as its rate counts it:
//   HoldingTermText(lot bought 2021-05-20, sold 2021-06-18) -> "1个月以内"; bought unknown -> "未知" (context "Account")
std::string_view HoldingTermText(const LotTax &lot);

//   "2021-06-18 603160: 800 shares that received a dividend sold, 72.00 due, no tax row"
std::string EnglishText(const MissingTax &missing);
Text MissingTaxText(const MissingTax &missing); // context "Account"

} // namespace tallyfin::statement
