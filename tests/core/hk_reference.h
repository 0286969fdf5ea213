#pragma once

// A second, independent reading of how China Clear settles a 港股通 trade,
// for the tests to hold the program against: its own table of the Hong Kong
// rates by date, whole numbers throughout (amounts in thousandths of a HKD,
// rates in 10^-7 of the amount, settlement rates in millionths), its own
// roundings. It shares no code with core/.

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace tallyfin::hkreference {

__extension__ typedef __int128 Wide; // GCC's, for products of amounts and rates

// The rates in force from a day on (yyyymmdd), each item in 10^-7 of the
// HKD amount (0.13% = 13000); the trading tariff and the settlement fee's
// bounds in HKD cents (a maximum of 0: none).
struct Period {
    int from;
    Wide stamp, trading, tariffCents, sfc, afrc, settlement, settlementMinCents, settlementMaxCents;
};

inline constexpr Period kPeriods[] = {
    {20141117, 10000, 500, 50, 270, 0, 200, 200, 10000},  {20210801, 13000, 500, 50, 270, 0, 200, 200, 10000},
    {20220101, 13000, 500, 50, 270, 15, 200, 200, 10000}, {20230101, 13000, 565, 0, 270, 15, 200, 200, 10000},
    {20231117, 10000, 565, 0, 270, 15, 200, 200, 10000},  {20250630, 10000, 565, 0, 270, 15, 420, 0, 0},
};

inline const Period &periodOn(int yyyymmdd)
{
    const Period *found = &kPeriods[0];
    for (const Period &period : kPeriods)
        if (period.from <= yyyymmdd)
            found = &period;
    return *found;
}

// n ÷ d for d > 0: down, up, and half away from zero.
inline Wide floorDiv(Wide n, Wide d) { return n >= 0 ? n / d : -((-n + d - 1) / d); }
inline Wide ceilDiv(Wide n, Wide d) { return -floorDiv(-n, d); }
inline Wide halfUpDiv(Wide n, Wide d) { return n >= 0 ? (2 * n + d) / (2 * d) : -((-2 * n + d) / (2 * d)); }

// Items in the order stamp duty, trading fee, trading tariff, SFC levy,
// AFRC levy, settlement fee; money in cents (HKD or yuan).
struct Slip {
    std::array<Wide, 6> hkd{}, yuan{};
    Wide amount = 0, settlement = 0, rounding = 0, commission = 0, cash = 0;
};

// One side: amount in thousandths of a HKD, the rate in millionths of a
// yuan per HKD, the commission in hundredths of a per mille (0.6‰ = 60) with
// its minimum in cents.
inline Slip settle(int yyyymmdd, bool buy, Wide amountMils, Wide rateMicros, Wide commissionCentiPerMille,
                   Wide minimumCents)
{
    const Period &p = periodOn(yyyymmdd);
    Slip slip;
    // A part per 10^7 of an amount in mils is 10^-10 HKD: 10^8 of them a cent.
    const auto cents = [amountMils](Wide rate) { return halfUpDiv(amountMils * rate, 100'000'000); };
    slip.hkd[0] = ceilDiv(amountMils * p.stamp, 10'000'000'000) * 100;
    slip.hkd[1] = cents(p.trading);
    slip.hkd[2] = p.tariffCents;
    slip.hkd[3] = cents(p.sfc);
    slip.hkd[4] = cents(p.afrc);
    Wide settlementFee = cents(p.settlement);
    if (p.settlementMaxCents > 0)
        settlementFee = std::min(std::max(settlementFee, p.settlementMinCents), p.settlementMaxCents);
    slip.hkd[5] = settlementFee;
    Wide hkdSum = 0, yuanSum = 0;
    for (std::size_t i = 0; i < slip.hkd.size(); ++i) {
        slip.yuan[i] = floorDiv(slip.hkd[i] * rateMicros, 1'000'000);
        hkdSum += slip.hkd[i];
        yuanSum += slip.yuan[i];
    }
    // Mils × millionths are 10^-9 yuan: 10^7 of them a cent.
    slip.amount = buy ? floorDiv(amountMils * rateMicros, 10'000'000) : ceilDiv(amountMils * rateMicros, 10'000'000);
    const Wide totalMils = buy ? amountMils + 10 * hkdSum : amountMils - 10 * hkdSum;
    slip.settlement = halfUpDiv(totalMils * rateMicros, 10'000'000);
    slip.rounding = buy ? slip.settlement - (slip.amount + yuanSum) : (slip.amount - yuanSum) - slip.settlement;
    slip.commission = std::max(halfUpDiv(slip.amount * commissionCentiPerMille, 100'000), minimumCents);
    slip.cash = buy ? slip.settlement + slip.commission : slip.settlement - slip.commission;
    return slip;
}

// "1234.5" from 123450 with two decimals.
inline std::string fixed(Wide units, int decimals)
{
    const bool negative = units < 0;
    std::string digits;
    for (Wide rest = negative ? -units : units; rest > 0 || digits.size() <= static_cast<std::size_t>(decimals); rest /= 10)
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(rest % 10)));
    if (decimals > 0)
        digits.insert(digits.size() - static_cast<std::size_t>(decimals), ".");
    return negative ? "-" + digits : digits;
}

// A trade of the kinds the generator makes: every rate period (and the days
// either side of each change), amounts from a cent to billions of HKD,
// amounts just over a whole dollar of stamp duty, around the settlement
// fee's minimum and maximum, several settlement rates.
struct Trade {
    int date;            // yyyymmdd
    bool buy;
    Wide amountMils;
    Wide rateMicros;
    Wide commission;     // hundredths of a per mille
    Wide minimumCents;
};

inline std::string dateText(int yyyymmdd)
{
    const std::string digits = std::to_string(yyyymmdd);
    return digits.substr(0, 4) + "-" + digits.substr(4, 2) + "-" + digits.substr(6, 2);
}

inline Trade randomTrade(std::mt19937_64 &random)
{
    const auto between = [&random](long long low, long long high) {
        return std::uniform_int_distribution<long long>(low, high)(random);
    };
    constexpr int kChangeDays[] = {20210731, 20210801, 20211231, 20220101, 20221231, 20230101,
                                   20231116, 20231117, 20250629, 20250630};
    const int date = between(0, 2) == 0 ? kChangeDays[between(0, std::size(kChangeDays) - 1)]
                                        : static_cast<int>(between(2015, 2026) * 10000 + between(1, 12) * 100 + between(1, 28));
    Wide amount = 0;
    switch (between(0, 4)) {
    case 0: amount = between(10, 20'000) * 10; break;                 // a few dollars: the minimums
    case 1: amount = between(1, 2000) * 1'000'000 + between(-2, 2) * 10; break; // stamp duty at a whole dollar
    case 2: amount = between(4'000'000, 6'000'000) * 1000; break;    // the settlement fee's maximum, HKD 5 million
    case 3: amount = between(1, 999'999'999) * 1000 + between(0, 999); break; // anything up to a billion
    default: amount = static_cast<Wide>(between(1, 9'995'000)) * between(1, 1'000'000); break; // huge
    }
    constexpr long long kRates[] = {933580, 932420, 1, 820000, 1000000, 1234567, 99999999};
    const long long rate = between(0, 3) ? between(800'000, 950'000) : kRates[between(0, std::size(kRates) - 1)];
    constexpr long long kCommissions[] = {0, 6, 25, 60, 300};
    return {date, between(0, 1) == 0, amount, rate, kCommissions[between(0, std::size(kCommissions) - 1)],
            between(0, 1) ? 500 : 0};
}

// The HKD prices of the spread table, in thousandths, read again: each
// band's upper edge (inclusive) and tick.
inline const std::vector<long long> &spreadTable()
{
    static const std::vector<long long> prices = [] {
        constexpr std::pair<long long, long long> kBands[] = {
            {250, 1},        {500, 5},         {10000, 10},      {20000, 20},      {100000, 50},  {200000, 100},
            {500000, 200},   {1000000, 500},   {2000000, 1000},  {5000000, 2000},  {9995000, 5000}};
        std::vector<long long> all;
        std::size_t band = 0;
        for (long long mils = 10; mils <= kBands[std::size(kBands) - 1].first; ++mils) {
            if (mils > kBands[band].first)
                ++band;
            if (mils % kBands[band].second == 0)
                all.push_back(mils);
        }
        return all;
    }();
    return prices;
}

// A price as the program shows it: three decimals below HKD 0.51, two above.
inline std::string priceText(long long mils) { return mils <= 500 ? fixed(mils, 3) : fixed(mils / 10, 2); }

// A settlement rate as typed, and as shown: "0.933580", "0.93358".
inline std::string rateText(Wide micros)
{
    std::string text = fixed(micros, 6);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

// What one side shows, each text as the program writes it (money with two
// decimals, the HKD amount with as many as it needs, at least two).
struct SideTexts {
    std::string amount, commission, stampDuty, transferFee, levies, fees, cash;
    std::string rate, amountHkd, rounding;
    std::array<std::string, 6> itemsHkd;
};

inline SideTexts sideTexts(const Slip &slip, Wide amountMils, Wide rateMicros, bool buy)
{
    SideTexts texts;
    texts.amount = fixed(slip.amount, 2);
    texts.commission = fixed(slip.commission, 2);
    texts.stampDuty = fixed(slip.yuan[0], 2);
    texts.transferFee = fixed(slip.yuan[5], 2);
    texts.levies = fixed(slip.yuan[1] + slip.yuan[2] + slip.yuan[3] + slip.yuan[4] + slip.rounding, 2);
    texts.fees = fixed(buy ? slip.cash - slip.amount : slip.amount - slip.cash, 2);
    texts.cash = fixed(slip.cash, 2);
    texts.rate = rateText(rateMicros);
    texts.amountHkd = amountMils % 10 ? fixed(amountMils, 3) : fixed(amountMils / 10, 2);
    texts.rounding = fixed(slip.rounding, 2);
    for (std::size_t i = 0; i < texts.itemsHkd.size(); ++i)
        texts.itemsHkd[i] = fixed(slip.hkd[i], 2);
    return texts;
}

// The lowest price of the spread table at which selling `quantity` brings
// in at least `cashCents`; 0 when none does. Prices whose amount alone
// falls short are skipped: the fees only take from it.
inline long long lowestSalePrice(int date, Wide quantity, Wide rateMicros, Wide commission, Wide minimumCents,
                                 Wide cashCents)
{
    for (const long long mils : spreadTable()) {
        if (ceilDiv(mils * quantity * rateMicros, 10'000'000) < cashCents)
            continue;
        if (settle(date, false, mils * quantity, rateMicros, commission, minimumCents).cash >= cashCents)
            return mils;
    }
    return 0;
}

// A buy and a sale of the same quantity at prices of the spread table,
// under a generated trade's date, buy rate and commission, with a sell rate
// of its own.
struct RoundTrip {
    Trade terms;
    Wide sellRate;
    long long buyMils, sellMils, quantity;
};

inline RoundTrip randomRoundTrip(std::mt19937_64 &random, long long mostShares)
{
    const std::vector<long long> &prices = spreadTable();
    const auto price = [&] { return prices[std::uniform_int_distribution<std::size_t>(0, prices.size() - 1)(random)]; };
    RoundTrip trip{randomTrade(random), std::uniform_int_distribution<long long>(800'000, 950'000)(random), 0, 0, 0};
    trip.buyMils = price();
    trip.sellMils = price();
    trip.quantity = std::uniform_int_distribution<long long>(1, mostShares)(random);
    return trip;
}

} // namespace tallyfin::hkreference
