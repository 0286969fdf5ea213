#pragma once

#include <array>
#include <cstdint>

#include "feerules.h"

// The individual income tax on A-share cash dividends by how long the shares
// were held (股息红利差别化个人所得税): the dated rates, one row per regime,
// and the holding periods in calendar months and years.
//
//   const DividendTaxRegime &regime = DividendTaxRegimeOn({2021, 6, 10});
//   RatePercentDueOnSale(regime, HoldingTermOf({2021, 5, 20}, {2021, 6, 18})) -> 20
namespace tallyfin {

enum class HoldingTerm : std::uint8_t { UpToAMonth, UpToAYear, OverAYear };

struct DividendTaxRegime {
    TradeDate from;                       // for record dates on or after it
    std::array<int, 3> ratePercent;       // by HoldingTerm
    int withheldPercent = 0;              // taken when the dividend is paid: the dividend row is net of it
    const char *source;                   // the notice
};

// The regime of a record date (财税〔2005〕102号, 〔2012〕85号, 〔2015〕101号):
//   until 2012-12-31  10% whatever the term, all withheld on payment
//   from 2013-01-01   20% / 10% / 5%, 5% withheld on payment
//   from 2015-09-08   20% / 10% / 0%
const DividendTaxRegime &DividendTaxRegimeOn(TradeDate recordDate);

// How long shares bought on `bought` were held when sold on `sold`, in
// calendar months and years: bought 05-20, a sale up to 06-20 is within the
// month, up to the next year's 05-20 within the year (a day the month lacks
// is its last: bought 01-31, a month runs to 02-28 or 02-29).
HoldingTerm HoldingTermOf(TradeDate bought, TradeDate sold);

// What is still due on sale: the term's rate less what was withheld on payment.
//   from 2013-01-01, held 3 months: 10 − 5 = 5
int RatePercentDueOnSale(const DividendTaxRegime &regime, HoldingTerm term);

// The same day `months` calendar months later, or the month's last day.
//   AddMonths({2024, 1, 31}, 1) -> {2024, 2, 29}
TradeDate AddMonths(TradeDate date, int months);

} // namespace tallyfin
