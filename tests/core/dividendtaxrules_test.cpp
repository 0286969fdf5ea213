// The dividend tax's dated rates and holding periods: every pair of days of
// two years (one of them leap) against months counted on the calendar.
#include <gtest/gtest.h>

#include <chrono>

#include "dividendtaxrules.h"

namespace tallyfin {
namespace {

TradeDate dateOf(std::chrono::sys_days day)
{
    const std::chrono::year_month_day date{day};
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
}

// Whole calendar months from one day to the other, and whether the day of
// the month has been passed: bought 05-20, sold 06-20 is one month, not more.
HoldingTerm countedTerm(TradeDate bought, TradeDate sold)
{
    const int months = (sold.year - bought.year) * 12 + sold.month - bought.month;
    const bool pastTheDay = sold.day > bought.day;
    if (months < 1 || (months == 1 && !pastTheDay))
        return HoldingTerm::UpToAMonth;
    return months < 12 || (months == 12 && !pastTheDay) ? HoldingTerm::UpToAYear : HoldingTerm::OverAYear;
}

TEST(DividendTaxRulesTest, HoldingPeriodsAreCalendarMonthsAndYears)
{
    using namespace std::chrono;
    const sys_days first{2023y / January / 1}, last{2024y / December / 31};
    for (sys_days bought = first; bought <= last; bought += days{1})
        for (sys_days sold = bought; sold <= bought + days{400}; sold += days{1})
            ASSERT_EQ(HoldingTermOf(dateOf(bought), dateOf(sold)), countedTerm(dateOf(bought), dateOf(sold)))
                << FormatTradeDate(dateOf(bought)) << " → " << FormatTradeDate(dateOf(sold));
}

struct RegimeCase {
    TradeDate record;
    std::array<int, 3> dueOnSale; // by HoldingTerm
};

TEST(DividendTaxRulesTest, TheRecordDateChoosesTheRegime)
{
    constexpr RegimeCase kCases[] = {
        {{2012, 12, 31}, {0, 0, 0}},  {{2013, 1, 1}, {15, 5, 0}},  {{2015, 9, 7}, {15, 5, 0}},
        {{2015, 9, 8}, {20, 10, 0}},  {{2026, 12, 9}, {20, 10, 0}},
    };
    for (const RegimeCase &c : kCases)
        for (const HoldingTerm term : {HoldingTerm::UpToAMonth, HoldingTerm::UpToAYear, HoldingTerm::OverAYear})
            EXPECT_EQ(RatePercentDueOnSale(DividendTaxRegimeOn(c.record), term), c.dueOnSale[static_cast<std::size_t>(term)])
                << FormatTradeDate(c.record);
}

} // namespace
} // namespace tallyfin
