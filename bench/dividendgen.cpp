#include "dividendgen.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <map>
#include <random>

namespace tallyfin::samples {

namespace {

using namespace std::chrono;

sys_days dayOf(TradeDate date)
{
    return year(date.year) / month(static_cast<unsigned>(date.month)) / static_cast<unsigned>(date.day);
}

TradeDate dateOf(sys_days day)
{
    const year_month_day date{day};
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
}

TradeDate plusDays(TradeDate date, int count) { return dateOf(dayOf(date) + days{count}); }

bool weekend(TradeDate date)
{
    const weekday day{dayOf(date)};
    return day == Saturday || day == Sunday;
}

TradeDate weekdayAfter(TradeDate date)
{
    do
        date = plusDays(date, 1);
    while (weekend(date));
    return date;
}

int daysIn(int yearNumber, int monthNumber)
{
    const year_month_day_last last{year(yearNumber) / month(static_cast<unsigned>(monthNumber)) / std::chrono::last};
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

TradeDate plusMonths(TradeDate date, int count)
{
    int months = date.year * 12 + date.month - 1 + count;
    TradeDate later{months / 12, months % 12 + 1, 1};
    later.day = std::min(date.day, daysIn(later.year, later.month));
    return later;
}

// The law's dates and rates, written out here once more as the reference:
// what is still due on sale of a share bought on `bought`, for a dividend of
// record date `record`.
int dueRate(TradeDate record, TradeDate bought, TradeDate sold)
{
    const int months = (sold.year - bought.year) * 12 + sold.month - bought.month;
    const int term = months < 1 || (months == 1 && sold.day <= bought.day)     ? 0
                     : months < 12 || (months == 12 && sold.day <= bought.day) ? 1
                                                                               : 2;
    if (record < TradeDate{2013, 1, 1})
        return 0; // 10%, all withheld on payment
    if (record < TradeDate{2015, 9, 8})
        return std::array{15, 5, 0}[static_cast<std::size_t>(term)]; // 20/10/5, 5% withheld on payment
    return std::array{20, 10, 0}[static_cast<std::size_t>(term)];
}

int withheldPercent(TradeDate record)
{
    return record < TradeDate{2013, 1, 1} ? 10 : record < TradeDate{2015, 9, 8} ? 5 : 0;
}

struct Security {
    const char *code, *name, *account, *market;
    bool taxRowPerLot; // Shanghai's exports write one tax row per lot, Shenzhen's one per sale
};
constexpr Security kShanghai{"600036", "招商银行", "A123456789", "沪市A股", true};
constexpr Security kShenzhen{"000001", "平安银行", "0123456789", "深市A股", false};

// A share as China Clear counts it: its purchase day, and whether it received the dividend.
struct Share {
    TradeDate bought;
    bool received = false;
};

class HistoryMaker {
public:
    HistoryMaker(std::uint32_t seed, TradeDate recordDate)
        : m_random(seed), m_security(seed % 2 ? kShanghai : kShenzhen), m_record(recordDate)
    {
        constexpr std::array kPerShare{"0.1", "0.115", "0.45", "0.18", "0.0235", "0.3012"};
        m_perShare = Decimal::fromLiteral(kPerShare[static_cast<std::size_t>(between(0, kPerShare.size() - 1))]);
    }

    DividendHistory make()
    {
        buyBeforeTheRecordDate();
        payTheDividend();
        sellAfterIt();
        std::stable_sort(m_history.rows.begin(), m_history.rows.end(), [](const SampleRow &a, const SampleRow &b) {
            return a.date != b.date ? a.date < b.date : a.time < b.time;
        });
        replay();
        writeTaxRows();
        std::stable_sort(m_history.rows.begin(), m_history.rows.end(), [](const SampleRow &a, const SampleRow &b) {
            return a.date != b.date ? a.date < b.date : a.time < b.time;
        });
        setBalances();
        return std::move(m_history);
    }

private:
    int between(std::size_t low, std::size_t high)
    {
        return std::uniform_int_distribution<int>(static_cast<int>(low), static_cast<int>(high))(m_random);
    }
    bool chance(int percent) { return between(0, 99) < percent; }

    SampleRow base(TradeDate date, std::string time, RowKind kind, std::string operation)
    {
        SampleRow row;
        row.kind = kind;
        row.date = date;
        row.time = std::move(time);
        row.code = m_security.code;
        row.name = m_security.name;
        row.account = m_security.account;
        row.market = m_security.market;
        row.operation = std::move(operation);
        row.orderNumber = std::to_string(1000 + m_history.rows.size());
        return row;
    }

    void trade(TradeDate date, RowKind kind, int shares)
    {
        SampleRow row = base(date, "10:" + std::to_string(10 + m_history.rows.size() % 50) + ":00", kind,
                             kind == RowKind::Buy ? "证券买入" : "证券卖出");
        row.quantity = Decimal(shares);
        row.price = Decimal(1000, 2);
        row.amount = row.quantity * row.price;
        row.commission = Decimal(5);
        row.cash = kind == RowKind::Buy ? -(row.amount + row.commission) : row.amount - row.commission;
        m_history.rows.push_back(std::move(row));
        m_shares += kind == RowKind::Buy ? shares : -shares;
    }

    // Lots on two to four days up to the record date (that day's purchase
    // counts), one day netting a sale into its purchase, now and then a sale
    // between them.
    void buyBeforeTheRecordDate()
    {
        m_edge = between(0, 3);
        // For a sale a month after the first lot to come after the dividend, the lots are recent.
        const int earliest = m_edge < 2 ? 25 : 200;
        std::vector<int> before;
        while (before.size() < static_cast<std::size_t>(between(2, 4))) {
            const int offset = chance(20) ? 0 : between(1, earliest);
            if (std::find(before.begin(), before.end(), offset) == before.end())
                before.push_back(offset);
        }
        std::sort(before.rbegin(), before.rend());
        for (std::size_t i = 0; i < before.size(); ++i) {
            const TradeDate day = plusDays(m_record, -before[i]);
            const int shares = 100 * between(10, 40); // enough for the per-share dividend to show in the cents
            trade(day, RowKind::Buy, shares);
            if (i == 1)
                trade(day, RowKind::Sell, 100 * between(1, 4));
            if (i == 0)
                m_firstLot = day;
            if (i == 1 && chance(50))
                trade(plusDays(day, -1) > m_firstLot ? plusDays(day, -1) : day, RowKind::Sell, 100);
        }
    }

    // After the close of the record date, or before the open of the ex-date.
    void payTheDividend()
    {
        const bool afterClose = chance(50);
        m_dividendDay = afterClose ? m_record : weekdayAfter(m_record);
        SampleRow row = base(m_dividendDay, afterClose ? "16:00:00" : "00:00:00", RowKind::Other, "股息入账");
        m_history.rows.push_back(std::move(row)); // its cash is known once the shares are
    }

    // The first sale on an edge of the first lot's holding period; a buy
    // after the dividend that a later sale reaches.
    void sellAfterIt()
    {
        TradeDate first = plusMonths(m_firstLot, m_edge < 2 ? 1 : 12);
        if (m_edge % 2)
            first = plusDays(first, 1);
        if (first <= m_dividendDay)
            first = plusDays(m_dividendDay, between(1, 5));
        trade(first, RowKind::Sell, std::min(100 * between(1, 8), m_shares - 100));
        if (chance(60))
            trade(plusDays(m_dividendDay, 1), RowKind::Buy, 100 * between(1, 10));
        m_lastSale = plusDays(first, between(3, 60));
        m_sellAllOn = m_lastSale;
    }

    // Share by share: each keeps its purchase day and whether it received the dividend.
    void replay()
    {
        std::deque<Share> held;
        std::map<std::pair<TradeDate, TradeDate>, int> owed; // (sold, bought) -> shares
        std::map<TradeDate, int> net;
        for (const SampleRow &row : m_history.rows)
            if (row.kind != RowKind::Other)
                net[row.date] += (row.kind == RowKind::Buy ? 1 : -1) * static_cast<int>(*row.quantity.toInt64());
        net[m_sellAllOn] += 0;
        net[m_dividendDay] += 0;
        const bool afterClose = m_dividendDay == m_record;
        bool paid = false;
        for (auto &[day, shares] : net) {
            if (!paid && !afterClose && day >= m_dividendDay) {
                receive(held);
                paid = true;
            }
            if (day == m_sellAllOn) {
                int all = 0;
                for (const auto &[other, count] : net)
                    if (other <= day && other != m_sellAllOn)
                        all += count;
                shares = -all;
                trade(day, RowKind::Sell, all);
            }
            for (int i = 0; i < shares; ++i)
                held.push_back({day, false});
            for (int i = 0; i < -shares && !held.empty(); ++i) {
                if (held.front().received && dueRate(m_record, held.front().bought, day) > 0)
                    ++owed[{day, held.front().bought}];
                held.pop_front();
            }
            if (!paid && afterClose && day >= m_dividendDay) {
                receive(held);
                paid = true;
            }
        }
        for (const auto &[days, shares] : owed) {
            const int rate = dueRate(m_record, days.second, days.first);
            m_history.lots.push_back({days.first, days.second, Decimal(shares), m_perShare, rate,
                                      (Decimal(shares) * m_perShare * Decimal(rate, 2)).rounded(2, Rounding::HalfUp)});
        }
    }

    void receive(std::deque<Share> &held)
    {
        for (Share &share : held)
            share.received = true;
        const Decimal shares(static_cast<long long>(held.size()));
        const Decimal cash =
            (shares * m_perShare * Decimal(100 - withheldPercent(m_record), 2)).rounded(2, Rounding::HalfUp);
        for (SampleRow &row : m_history.rows)
            if (row.operation == "股息入账")
                row.amount = row.cash = cash;
    }

    // Two days after each sale; now and then a sale's rows are left out, or a
    // row no sale explains is added.
    void writeTaxRows()
    {
        std::map<TradeDate, std::vector<const ExpectedLotTax *>> bySale;
        for (const ExpectedLotTax &lot : m_history.lots)
            bySale[lot.sold].push_back(&lot);
        const bool leaveOne = bySale.size() > 0 && chance(25);
        for (const auto &[sold, lots] : bySale) {
            if (leaveOne && sold == bySale.begin()->first) {
                m_history.salesWithoutTaxRow.push_back(sold);
                continue;
            }
            if (m_security.taxRowPerLot) {
                for (const ExpectedLotTax *lot : lots)
                    taxRow(plusDays(sold, 2), lot->quantity, lot->tax);
            } else {
                Decimal quantity, tax;
                for (const ExpectedLotTax *lot : lots)
                    quantity = quantity + lot->quantity, tax = tax + lot->tax;
                taxRow(plusDays(sold, 2), quantity, tax);
            }
        }
        if (chance(25)) {
            taxRow(plusDays(m_lastSale, 3), Decimal(37), Decimal(111, 2));
            ++m_history.unexplainedTaxRows;
        }
    }

    void taxRow(TradeDate date, const Decimal &quantity, const Decimal &tax)
    {
        SampleRow row = base(date, "00:00:00", RowKind::Other, "股息红利税补缴");
        row.quantity = quantity;
        row.amount = tax;
        row.cash = -tax;
        m_history.rows.push_back(std::move(row));
    }

    void setBalances()
    {
        Decimal shares, cash(1'000'000);
        for (SampleRow &row : m_history.rows) {
            cash = cash + row.cash;
            if (row.kind != RowKind::Other)
                shares = row.kind == RowKind::Buy ? shares + row.quantity : shares - row.quantity;
            row.shareBalance = row.kind == RowKind::Other ? Decimal() : shares;
            row.cashBalance = cash;
        }
    }

    std::mt19937 m_random;
    Security m_security;
    TradeDate m_record, m_firstLot, m_dividendDay, m_lastSale, m_sellAllOn;
    int m_shares = 0; // held after the trades made so far
    int m_edge = 0;   // the first sale: a month, a month and a day, a year, a year and a day after the first lot
    Decimal m_perShare;
    DividendHistory m_history;
};

} // namespace

DividendHistory MakeDividendHistory(std::uint32_t seed, TradeDate recordDate)
{
    return HistoryMaker(seed, recordDate).make();
}

} // namespace tallyfin::samples
