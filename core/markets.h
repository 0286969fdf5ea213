#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "decimal.h"
#include "text.h"

namespace tallyfin {

// The two fee rule sets: the fixed schedule of the settings boxes, or the
// statutory fees in force on the trade date, in exact money.
enum class RuleSet : std::uint8_t { Classic, Dated };

// What the settings box calls them:  RuleSetName(RuleSet::Dated) -> "按成交日期"
// (marked for translation in the context "Markets", as the market names are)
std::string_view RuleSetName(RuleSet rules);

// The markets a trade can be made in. Funds pay their own exchange's fund
// rates; 基金权证 is the older choice that computes any fund or warrant at
// Shanghai's fund rates.
// 港股通 is one market for both 沪港通 and 深港通: the same Hong Kong fees,
// prices in HKD on Hong Kong's spread table, settled in yuan.
enum class Market : std::uint8_t {
    ShanghaiA, ShenzhenA, BeijingA, ShanghaiFund, ShenzhenFund, ShanghaiBond, ShenzhenBond, FundsWarrants, HongKong
};

// How many units an order may buy: at least `minimum`, and above it in
// steps of `step` (a sale that closes a holding may sell any remainder).
struct TradingLot {
    std::int64_t minimum;
    std::int64_t step;

    // True for a quantity an order may buy.
    constexpr bool allows(std::int64_t quantity) const
    {
        return quantity >= minimum && (quantity - minimum) % step == 0;
    }
    // The smallest quantity an order may buy that is at least `quantity`.
    //   {100, 100}.atLeast(150) -> 200,  {200, 1}.atLeast(150) -> 200
    std::int64_t atLeast(std::int64_t quantity) const;
};

// The lot in words, for messages:
//   LotText({100, 100}) -> "100 的整数倍",  LotText({200, 1}) -> "至少 200，超出部分以 1 为单位增加"
Text LotText(const TradingLot &lot);

// One row per market, in the order of the exchange list; a market's row
// stands at the index of its enumerator. A new market is one more row here
// (and its rows in the fee table, see feerules.cpp).
struct MarketInfo {
    Market market;
    std::string_view name; // as the exchange list shows it
    // The price step is 10^-tickDecimals yuan; 港股通's steps follow Hong
    // Kong's spread table (PriceGrid in pricegrid.h), 0.001 HKD the finest.
    int tickDecimals;
    // Of its main board (STAR's differs, see security.h); none where each
    // company sets its own board lot (港股通).
    std::optional<TradingLot> lot;
    bool classic, dated; // the rule sets that offer it
};

inline constexpr MarketInfo kMarkets[] = {
    {Market::ShanghaiA, TALLYFIN_TR_NOOP("Markets", "上海A股"), 2, TradingLot{100, 100}, true, true},
    {Market::ShenzhenA, TALLYFIN_TR_NOOP("Markets", "深圳A股"), 2, TradingLot{100, 100}, true, true},
    {Market::BeijingA, TALLYFIN_TR_NOOP("Markets", "北京A股"), 2, TradingLot{100, 1}, false, true},
    {Market::ShanghaiFund, TALLYFIN_TR_NOOP("Markets", "上海基金"), 3, TradingLot{100, 100}, false, true},
    {Market::ShenzhenFund, TALLYFIN_TR_NOOP("Markets", "深圳基金"), 3, TradingLot{100, 100}, false, true},
    {Market::ShanghaiBond, TALLYFIN_TR_NOOP("Markets", "上海可转债"), 3, TradingLot{10, 10}, false, true},
    {Market::ShenzhenBond, TALLYFIN_TR_NOOP("Markets", "深圳可转债"), 3, TradingLot{10, 10}, false, true},
    {Market::FundsWarrants, TALLYFIN_TR_NOOP("Markets", "基金权证"), 3, TradingLot{100, 100}, true, true},
    {Market::HongKong, TALLYFIN_TR_NOOP("Markets", "港股通"), 3, std::nullopt, false, true},
};

constexpr const MarketInfo &MarketInfoOf(Market market) { return kMarkets[static_cast<std::size_t>(market)]; }
constexpr std::string_view MarketName(Market market) { return MarketInfoOf(market).name; }

// The market that a rule set's exchange list names so; nullopt for any other
// text (the classic rules still calculate with it, as an exchange without a
// transfer fee).
//   MarketNamed("北京A股", RuleSet::Dated) -> BeijingA
//   MarketNamed("北京A股", RuleSet::Classic) -> nullopt
std::optional<Market> MarketNamed(std::string_view name, RuleSet rules);

// The rule set's exchange list, in order:
//   MarketNames(RuleSet::Classic) -> {"上海A股", "深圳A股", "基金权证"}
std::vector<std::string_view> MarketNames(RuleSet rules);

// The smallest price step:  MarketTick(ShanghaiA) -> 0.01, MarketTick(FundsWarrants) -> 0.001
// (港股通's finest; PriceGrid knows its steps)
Decimal MarketTick(Market market);
constexpr int MarketTickDecimals(Market market) { return MarketInfoOf(market).tickDecimals; }

// A set of markets, one bit each, as the fee table's rows name them.
using MarketSet = std::uint16_t;
constexpr MarketSet MarketBit(Market market) { return static_cast<MarketSet>(1u << static_cast<unsigned>(market)); }
inline constexpr MarketSet kAllMarkets = static_cast<MarketSet>((1u << std::size(kMarkets)) - 1);

//   MarketsText(SH | SZ) -> "上海A股、深圳A股"
std::string MarketsText(MarketSet markets);
// The same, for translation.
Text MarketsList(MarketSet markets);
// A market's name, for translation.
Text MarketText(Market market);

} // namespace tallyfin
