#include "markets.h"

namespace tallyfin {

namespace {

constexpr bool rowsFollowTheEnum()
{
    for (std::size_t i = 0; i < std::size(kMarkets); ++i)
        if (static_cast<std::size_t>(kMarkets[i].market) != i)
            return false;
    return true;
}
static_assert(rowsFollowTheEnum(), "kMarkets holds each market at the index of its enumerator");
static_assert(std::size(kMarkets) <= 8 * sizeof(MarketSet), "a MarketSet has a bit for every market");

bool offers(const MarketInfo &info, RuleSet rules) { return rules == RuleSet::Dated ? info.dated : info.classic; }

} // namespace

std::string_view RuleSetName(RuleSet rules)
{
    return rules == RuleSet::Dated ? TALLYFIN_TR_NOOP("Markets", "按成交日期") : TALLYFIN_TR_NOOP("Markets", "经典规则");
}

std::optional<Market> MarketNamed(std::string_view name, RuleSet rules)
{
    for (const MarketInfo &info : kMarkets)
        if (info.name == name && offers(info, rules))
            return info.market;
    return std::nullopt;
}

std::vector<std::string_view> MarketNames(RuleSet rules)
{
    std::vector<std::string_view> names;
    for (const MarketInfo &info : kMarkets)
        if (offers(info, rules))
            names.push_back(info.name);
    return names;
}

std::int64_t TradingLot::atLeast(std::int64_t quantity) const
{
    if (quantity <= minimum)
        return minimum;
    return minimum + (quantity - minimum + step - 1) / step * step;
}

Text LotText(const TradingLot &lot)
{
    const std::string minimum = std::to_string(lot.minimum);
    if (lot.step == lot.minimum)
        return TALLYFIN_TEXT("Markets", "%1 的整数倍").arg(minimum);
    return TALLYFIN_TEXT("Markets", "至少 %1，超出部分以 %2 为单位增加").arg(minimum).arg(std::to_string(lot.step));
}

Decimal MarketTick(Market market) { return Decimal(1, MarketTickDecimals(market)); }

Text MarketText(Market market) { return Text("Markets", MarketName(market).data()); }

Text MarketsList(MarketSet markets)
{
    std::vector<Text> names;
    for (const MarketInfo &info : kMarkets)
        if (markets & MarketBit(info.market))
            names.push_back(MarketText(info.market));
    return JoinTexts(names, TALLYFIN_TEXT("Markets", "%1、%2"));
}

std::string MarketsText(MarketSet markets) { return MarketsList(markets).toString(); }

} // namespace tallyfin
