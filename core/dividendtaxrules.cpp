#include "dividendtaxrules.h"

#include <algorithm>
#include <chrono>

namespace tallyfin {

namespace {

// One row per regime; a change of the law is one more row.
constexpr std::array kRegimes{
    DividendTaxRegime{{1990, 1, 1}, {10, 10, 10}, 10, "财税〔2005〕102号"},
    DividendTaxRegime{{2013, 1, 1}, {20, 10, 5}, 5, "财税〔2012〕85号"},
    DividendTaxRegime{{2015, 9, 8}, {20, 10, 0}, 0, "财税〔2015〕101号"},
};

} // namespace

const DividendTaxRegime &DividendTaxRegimeOn(TradeDate recordDate)
{
    const auto later = std::find_if(kRegimes.begin(), kRegimes.end(),
                                    [recordDate](const DividendTaxRegime &regime) { return recordDate < regime.from; });
    return later == kRegimes.begin() ? kRegimes.front() : *(later - 1);
}

TradeDate AddMonths(TradeDate date, int months)
{
    using namespace std::chrono;
    const int index = date.year * 12 + (date.month - 1) + months;
    const year_month month{year(index / 12), std::chrono::month(static_cast<unsigned>(index % 12 + 1))};
    const unsigned last = static_cast<unsigned>((month / std::chrono::last).day());
    return {index / 12, index % 12 + 1, static_cast<int>(std::min(static_cast<unsigned>(date.day), last))};
}

HoldingTerm HoldingTermOf(TradeDate bought, TradeDate sold)
{
    if (sold <= AddMonths(bought, 1))
        return HoldingTerm::UpToAMonth;
    return sold <= AddMonths(bought, 12) ? HoldingTerm::UpToAYear : HoldingTerm::OverAYear;
}

int RatePercentDueOnSale(const DividendTaxRegime &regime, HoldingTerm term)
{
    return std::max(0, regime.ratePercent[static_cast<std::size_t>(term)] - regime.withheldPercent);
}

} // namespace tallyfin
