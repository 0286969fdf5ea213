#include "auditorders.h"

#include <map>
#include <unordered_map>

#include "hkfees.h"
#include "security.h"

namespace tallyfin::statement {

namespace {

constexpr std::size_t at(FeePart part) { return static_cast<std::size_t>(part); }

// The Hong Kong items alone, without the broker's commission.
const CommissionTerms kNoCommission{Decimal(), Decimal()};

// The largest HKD amount of a row that is checked: far beyond any order,
// and an order of thousands of such rows still cents once converted.
constexpr long long kLargestAmountHkd = 100'000'000'000;

// Settlement rates in millionths (China Clear publishes six decimals).
constexpr int kRateDecimals = 6;
// The most rates tried for the orders of one day and side.
constexpr std::int64_t kMostRates = 2001;

// The settlement rates under which a HKD amount comes to the yuan amount a
// row shows: a buy's cut down to the cent, a sale's rounded up; an order of
// several rows may be off by a cent for each row after the first.
struct RateBracket {
    std::int64_t low = 0, high = -1; // in millionths, both included

    std::optional<RateBracket> meet(const std::optional<RateBracket> &other) const
    {
        if (!other)
            return std::nullopt;
        const RateBracket met{std::max(low, other->low), std::min(high, other->high)};
        return met.low <= met.high ? std::optional(met) : std::nullopt;
    }
    // Every rate of the bracket, or the kMostRates about its middle.
    std::vector<Decimal> candidates() const
    {
        const std::int64_t middle = low + (high - low) / 2;
        const std::int64_t first = std::max(low, middle - kMostRates / 2), last = std::min(high, middle + kMostRates / 2);
        std::vector<Decimal> rates;
        for (std::int64_t rate = first; rate <= last; ++rate)
            rates.emplace_back(rate, kRateDecimals);
        return rates;
    }
};

std::optional<RateBracket> bracketOf(const GatheredOrder &order)
{
    const Decimal &hkd = order.hongKong->amountHkd;
    if (hkd.sign() <= 0)
        return std::nullopt;
    const auto millionths = [&hkd](Cents cents, Rounding rounding) {
        return Decimal::quotient(Decimal(cents, 2).shifted(kRateDecimals), hkd, 0, rounding).toInt64();
    };
    const Cents amount = order.check.amount, slack = order.check.rows - 1;
    std::optional<std::int64_t> low, high;
    if (order.check.side == TradeSide::Buy) {
        low = millionths(amount - slack, Rounding::Ceiling);
        high = millionths(amount + slack + 1, Rounding::Ceiling);
        high = high ? std::optional(*high - 1) : std::nullopt;
    } else {
        low = millionths(amount - slack - 1, Rounding::Floor);
        low = low ? std::optional(*low + 1) : std::nullopt;
        high = millionths(amount + slack, Rounding::Floor);
    }
    if (!low || !high || *low > *high || *high <= 0)
        return std::nullopt;
    return RateBracket{std::max<std::int64_t>(*low, 1), *high};
}

// The exchange a market text names, where it names one (沪市A股, 深A, 北交所 …).
std::optional<Exchange> exchangeNamed(std::string_view marketText)
{
    const auto names = [marketText](std::initializer_list<std::string_view> words) {
        for (const std::string_view word : words)
            if (marketText.find(word) != std::string_view::npos)
                return true;
        return false;
    };
    const bool shanghai = names({"沪", "上海", "上证"}), shenzhen = names({"深"}), beijing = names({"北交", "北京", "京市"});
    if (shanghai + shenzhen + beijing != 1)
        return std::nullopt; // none, or a text such as 沪深 that names two
    return shanghai ? Exchange::Shanghai : shenzhen ? Exchange::Shenzhen : Exchange::Beijing;
}

// The rows of one order share date, code, side and order number.
struct OrderKey {
    TradeDate date;
    std::string_view code, orderNumber;
    RowKind kind;
    bool operator==(const OrderKey &) const = default;
};

struct OrderKeyHash {
    std::size_t operator()(const OrderKey &key) const
    {
        const std::size_t day = static_cast<std::size_t>(key.date.year * 416 + key.date.month * 32 + key.date.day);
        const std::size_t texts = std::hash<std::string_view>()(key.code) * 31 + std::hash<std::string_view>()(key.orderNumber);
        return (texts * 31 + day) * 3 + static_cast<std::size_t>(key.kind);
    }
};

// The rules in force for each market and date, each distinct set kept once.
class Periods {
public:
    // The index of the rules in force; throws EFeeRulesError where there are none.
    std::uint32_t of(Market market, TradeDate date)
    {
        Last &last = m_last[static_cast<std::size_t>(market)];
        if (last.index && last.date == date)
            return *last.index;
        const RulesInForce rules = RulesFor(date, market);
        last = {date, indexOf(rules)};
        return *last.index;
    }

    std::vector<RulesInForce> take() { return std::move(m_periods); }

private:
    std::uint32_t indexOf(const RulesInForce &rules)
    {
        for (std::size_t i = 0; i < m_periods.size(); ++i) {
            const RulesInForce &known = m_periods[i];
            if (known.market == rules.market && known.stampDuty == rules.stampDuty && known.transferFee == rules.transferFee
                && known.handlingFee == rules.handlingFee && known.managementFee == rules.managementFee)
                return static_cast<std::uint32_t>(i);
        }
        m_periods.push_back(rules);
        return static_cast<std::uint32_t>(m_periods.size() - 1);
    }

    struct Last {
        TradeDate date;
        std::optional<std::uint32_t> index;
    };
    std::array<Last, std::size(kMarkets)> m_last{};
    std::vector<RulesInForce> m_periods;
};

// A Stock Connect order's items under the rules of `day` at `rate`, as
// HongKongFees gives them.
std::array<Cents, kFeeItemCount> HongKongItemsDue(const GatheredOrder &order, const Decimal &rate, TradeDate day,
                                                  const CommissionTerms &terms)
{
    const HkSideFees fees = HkSide(HkRulesFor(day), order.check.side, order.hongKong->amountHkd, rate, terms);
    const auto cents = [](const Decimal &yuan) { return *yuan.unitsAt(2); };
    std::array<Cents, kFeeItemCount> due{cents(fees.commission), cents(fees.yuan(HkFeeItem::StampDuty)),
                                         cents(fees.yuan(HkFeeItem::SettlementFee)), cents(fees.levies()), 0};
    if (!order.written[at(FeePart::TransferFee)]) {
        due[at(FeePart::Levies)] += due[at(FeePart::TransferFee)];
        due[at(FeePart::TransferFee)] = 0;
    }
    return due;
}

// How many of the order's written items but its commission come out as
// the Hong Kong items of `day`'s rules at `rate`, and how many it writes.
std::pair<int, int> itemsAgreeing(const GatheredOrder &order, const Decimal &rate, TradeDate day)
{
    const ItemFigures charged = HongKongCharges(order.written);
    const std::array<Cents, kFeeItemCount> due = HongKongItemsDue(order, rate, day, kNoCommission);
    std::pair<int, int> agreeing{0, 0};
    for (std::size_t item = 0; item < kFeeItemCount; ++item) {
        if (item == at(FeePart::Commission) || !charged[item])
            continue;
        ++agreeing.second;
        agreeing.first += WithinAllowance(*charged[item], due[item], order.check.allowance());
    }
    return agreeing;
}

// How a statement's Stock Connect rows are taken: checked, or told as not
// checked where the statement does not write them as China Clear settles.
enum class HongKongReading : std::uint8_t { Check, Leave };

class Gatherer {
public:
    Gatherer(const Statement &statement, HongKongReading hongKong) : m_statement(statement), m_hongKong(hongKong) {}

    Gathered run()
    {
        for (std::size_t i = 0; i < m_statement.rows.size(); ++i)
            if (m_statement.rows[i].isTrade())
                m_gathered.trades.push_back(check(static_cast<std::uint32_t>(i)));
        m_gathered.periods = m_periods.take();
        settleHongKong();
        return std::move(m_gathered);
    }

private:
    TradeCheck check(std::uint32_t index)
    {
        const Row &row = m_statement.rows[index];
        TradeCheck trade;
        trade.row = index;
        const std::optional<Security> security = SecurityOfCode(row.code());
        if (row.stockConnect())
            return hongKongTrade(trade, index, row);
        if (!security)
            return notAudited(trade, NotAuditedReason::NotCovered);
        trade.market = MarketOfSecurity(*security);
        const std::optional<Exchange> named = exchangeNamed(row.market());
        if (named && *named != security->exchange)
            return notAudited(trade, NotAuditedReason::MarketDisagrees);
        const std::optional<Cents> amount = AmountCents(row);
        if (!amount)
            return notAudited(trade, NotAuditedReason::NumbersTooLarge);
        if (*amount == 0)
            return notAudited(trade, NotAuditedReason::NoAmount);
        std::uint32_t period = 0;
        try {
            period = m_periods.of(*trade.market, row.date());
        } catch (const EFeeRulesError &) {
            return notAudited(trade, row.date() < FeeTableStart() ? NotAuditedReason::BeforeFeeTable
                                                                  : NotAuditedReason::BeforeMarketOpened);
        }
        trade.order = static_cast<std::int32_t>(join(index, row, *trade.market, *amount, period));
        return trade;
    }

    // A Stock Connect row: its price and quantity in HKD, its amount in yuan.
    TradeCheck hongKongTrade(TradeCheck trade, std::uint32_t index, const Row &row)
    {
        trade.market = Market::HongKong;
        if (m_hongKong == HongKongReading::Leave)
            return notAudited(trade, NotAuditedReason::StockConnectUnrecognized);
        if (row.date() < HkRulesStart())
            return notAudited(trade, NotAuditedReason::BeforeMarketOpened);
        const std::optional<Decimal> rate = SettlementRate(row);
        std::optional<Cents> amount = row.cents(NumberField::Amount);
        if (!row.price() || !row.quantity() || row.price()->sign() <= 0 || (!amount && !rate)
            || (rate && !IsSettlementRate(*rate)))
            return notAudited(trade, NotAuditedReason::StockConnectUnpriced);
        const Decimal quantity = row.quantity()->sign() < 0 ? -*row.quantity() : *row.quantity();
        const Decimal amountHkd = *row.price() * quantity;
        if (amountHkd > Decimal(kLargestAmountHkd))
            return notAudited(trade, NotAuditedReason::NumbersTooLarge);
        if (!amount)
            amount = yuanAmount(row.date(), row.kind() == RowKind::Buy ? TradeSide::Buy : TradeSide::Sell, amountHkd, *rate);
        if (!amount)
            return notAudited(trade, NotAuditedReason::NumbersTooLarge);
        if (*amount == 0)
            return notAudited(trade, NotAuditedReason::NoAmount);
        const std::uint32_t order = join(index, row, Market::HongKong, *amount, 0);
        GatheredOrder &joined = m_gathered.orders[order];
        if (!joined.hongKong)
            joined.hongKong = HongKongOrder{amountHkd, rate, row.date()};
        else
            joined.hongKong->amountHkd = joined.hongKong->amountHkd + amountHkd;
        trade.order = static_cast<std::int32_t>(order);
        return trade;
    }

    static std::optional<Cents> yuanAmount(TradeDate date, TradeSide side, const Decimal &amountHkd, const Decimal &rate)
    {
        return HkSide(HkRulesFor(date), side, amountHkd, rate, kNoCommission).amount.unitsAt(2);
    }

    // Each Stock Connect order's settlement rate where its row gave none
    // (the one the orders of its day and side share), and the day whose
    // rules price it.
    void settleHongKong()
    {
        std::map<std::pair<TradeDate, TradeSide>, std::vector<std::size_t>> unrated;
        for (std::size_t i = 0; i < m_gathered.orders.size(); ++i) {
            const GatheredOrder &order = m_gathered.orders[i];
            if (order.hongKong && !order.hongKong->rate)
                unrated[{order.hongKong->rulesDate, order.check.side}].push_back(i);
        }
        for (const auto &[day, orders] : unrated)
            rateOrders(orders);
        for (GatheredOrder &order : m_gathered.orders)
            if (order.hongKong)
                order.hongKong->rulesDate = rulesDay(order);
    }

    void rateOrders(const std::vector<std::size_t> &orders)
    {
        // The rates every order's yuan amount allows; orders whose brackets
        // do not meet are rated each on its own.
        std::optional<RateBracket> shared = bracketOf(m_gathered.orders[orders.front()]);
        for (const std::size_t i : orders)
            shared = shared ? shared->meet(bracketOf(m_gathered.orders[i])) : std::nullopt;
        if (!shared && orders.size() > 1) {
            for (const std::size_t i : orders)
                rateOrders({i});
            return;
        }
        if (!shared) {
            GatheredOrder &order = m_gathered.orders[orders.front()];
            order.hongKong->rate = Decimal::quotient(Decimal(order.check.amount, 2), order.hongKong->amountHkd,
                                                     kRateDecimals, Rounding::HalfUp);
            return;
        }
        // The rates under which most items come out as written; of several,
        // the middle one: the rows cannot tell them apart.
        std::vector<Decimal> best;
        int bestCount = -1;
        // The orders of one day and side share the days that may price them.
        const std::vector<TradeDate> days = ruleDays(m_gathered.orders[orders.front()].hongKong->rulesDate);
        for (const Decimal &rate : shared->candidates()) {
            int count = 0;
            for (const std::size_t i : orders)
                count += bestDay(m_gathered.orders[i], rate, days).second;
            if (count > bestCount)
                best.clear();
            if (count >= bestCount) {
                best.push_back(rate);
                bestCount = count;
            }
        }
        for (const std::size_t i : orders)
            m_gathered.orders[i].hongKong->rate = best[best.size() / 2];
    }

    // The row's day, unless its fees are those of an earlier day's rules:
    // the trade is some days before its settlement.
    static TradeDate rulesDay(const GatheredOrder &order)
    {
        return bestDay(order, *order.hongKong->rate, ruleDays(order.hongKong->rulesDate)).first;
    }

    // Of `days`, those whose rules may price the order (see ruleDays), the first
    // under which most of its Hong Kong items come out as written at `rate`,
    // and how many do.
    static std::pair<TradeDate, int> bestDay(const GatheredOrder &order, const Decimal &rate,
                                             const std::vector<TradeDate> &days)
    {
        std::pair<TradeDate, int> best{order.hongKong->rulesDate, -1};
        for (const TradeDate day : days)
            if (const int agreeing = itemsAgreeing(order, rate, day).first; agreeing > best.second)
                best = {day, agreeing};
        return best;
    }

    // The row's day, and each earlier day within a settlement's time whose rules differ from the later one's.
    static std::vector<TradeDate> ruleDays(TradeDate booked)
    {
        std::vector<TradeDate> days{booked};
        TradeDate day = booked;
        for (int back = 0; back < kSettlementDays && HkRulesStart() < day; ++back) {
            day = PreviousDay(day);
            if (!HkRulesFor(day).sameRulesAs(HkRulesFor(days.back())))
                days.push_back(day);
        }
        return days;
    }


    static TradeCheck notAudited(TradeCheck trade, NotAuditedReason reason)
    {
        trade.reason = reason;
        return trade;
    }

    // The order of the row: a new one, or the one it shares an order number with.
    std::uint32_t join(std::uint32_t index, const Row &row, Market market, Cents amount, std::uint32_t period)
    {
        std::uint32_t order = static_cast<std::uint32_t>(m_gathered.orders.size());
        if (!row.orderNumber().empty()) {
            const auto [found, made] =
                m_orderOf.try_emplace(OrderKey{row.date(), row.code(), row.orderNumber(), row.kind()}, order);
            order = found->second;
            if (!made) {
                add(m_gathered.orders[order], row, amount);
                return order;
            }
        }
        GatheredOrder &made = m_gathered.orders.emplace_back();
        made.check.firstRow = index;
        made.check.group = *GroupOfMarket(market);
        made.check.market = market;
        made.check.side = row.kind() == RowKind::Buy ? TradeSide::Buy : TradeSide::Sell;
        made.check.fillsKnown = true;
        made.period = period;
        add(made, row, amount);
        return order;
    }

    void add(GatheredOrder &order, const Row &row, Cents amount)
    {
        const std::optional<std::int64_t> fills = row.fills() ? row.fills()->toInt64() : std::nullopt;
        const bool known = fills && *fills > 0;
        order.check.rows += 1;
        order.check.fills += known ? static_cast<int>(*fills) : 1;
        order.check.fillsKnown = order.check.fillsKnown && known;
        order.check.amount += amount;
        order.quantity = order.quantity + row.quantity().value_or(Decimal());
        const ItemFigures written = WrittenItems(row);
        for (std::size_t item = 0; item < kFeeItemCount; ++item) {
            order.written[item] = FigureSum(order.written[item], written[item]);
            m_gathered.hasFeeColumns = m_gathered.hasFeeColumns || written[item];
        }
    }

    // Calendar days between a Hong Kong trade and its settlement: T+2 trading
    // days, with a weekend and holidays between.
    static constexpr int kSettlementDays = 6;

    const Statement &m_statement;
    const HongKongReading m_hongKong;
    Gathered m_gathered;
    Periods m_periods;
    std::unordered_map<OrderKey, std::uint32_t, OrderKeyHash> m_orderOf;
};

} // namespace

ItemFigures MapOtherFees(ItemFigures written, OtherFeesHold hold)
{
    const std::optional<Cents> other = written[at(FeePart::Other)];
    switch (hold) {
    case OtherFeesHold::OtherCharges: return written;
    case OtherFeesHold::Commission: written[at(FeePart::Commission)] = FigureSum(written[at(FeePart::Commission)], other); break;
    case OtherFeesHold::TransferFee: written[at(FeePart::TransferFee)] = FigureSum(written[at(FeePart::TransferFee)], other); break;
    case OtherFeesHold::Levies: written[at(FeePart::Levies)] = FigureSum(written[at(FeePart::Levies)], other); break;
    }
    written[at(FeePart::Other)] = std::nullopt;
    return written;
}

namespace {

// Most Stock Connect orders have every Hong Kong item as China Clear
// settles them: the statement writes them so, and a difference is a finding.
// Else it writes them some other way (its own rate for the amount, items
// left out of its columns), and every row would be a false finding.
bool settledAsChinaClearDoes(const Gathered &gathered)
{
    int orders = 0, agreeing = 0;
    for (const GatheredOrder &order : gathered.orders) {
        if (!order.hongKong)
            continue;
        ++orders;
        const auto [agree, written] = itemsAgreeing(order, *order.hongKong->rate, order.hongKong->rulesDate);
        agreeing += written > 0 && agree == written;
    }
    return 2 * agreeing >= orders;
}

} // namespace

Gathered GatherOrders(const Statement &statement)
{
    Gathered gathered = Gatherer(statement, HongKongReading::Check).run();
    if (settledAsChinaClearDoes(gathered))
        return gathered;
    return Gatherer(statement, HongKongReading::Leave).run();
}

ItemFigures HongKongCharges(ItemFigures written)
{
    written[at(FeePart::Levies)] = FigureSum(written[at(FeePart::Levies)], written[at(FeePart::Other)]);
    written[at(FeePart::Other)].reset();
    return written;
}

ItemFigures OrderCharges(const GatheredOrder &order, OtherFeesHold hold)
{
    return order.hongKong ? HongKongCharges(order.written) : MapOtherFees(order.written, hold);
}

std::array<Cents, kFeeItemCount> HongKongFees(const GatheredOrder &order, const CommissionTerms &terms)
{
    return HongKongItemsDue(order, *order.hongKong->rate, order.hongKong->rulesDate, terms);
}


} // namespace tallyfin::statement
