#include "auditorders.h"

#include <unordered_map>

#include "security.h"

namespace tallyfin::statement {

namespace {

constexpr std::size_t at(FeePart part) { return static_cast<std::size_t>(part); }

std::optional<Cents> plus(std::optional<Cents> a, std::optional<Cents> b)
{
    if (!a || !b)
        return a ? a : b;
    return *a + *b;
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

class Gatherer {
public:
    explicit Gatherer(const Statement &statement) : m_statement(statement) {}

    Gathered run()
    {
        for (std::size_t i = 0; i < m_statement.rows.size(); ++i)
            if (m_statement.rows[i].isTrade())
                m_gathered.trades.push_back(check(static_cast<std::uint32_t>(i)));
        m_gathered.periods = m_periods.take();
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
            return notAudited(trade, NotAuditedReason::StockConnect);
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
            order.written[item] = plus(order.written[item], written[item]);
            m_gathered.hasFeeColumns = m_gathered.hasFeeColumns || written[item];
        }
    }

    const Statement &m_statement;
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
    case OtherFeesHold::Commission: written[at(FeePart::Commission)] = plus(written[at(FeePart::Commission)], other); break;
    case OtherFeesHold::TransferFee: written[at(FeePart::TransferFee)] = plus(written[at(FeePart::TransferFee)], other); break;
    case OtherFeesHold::Levies: written[at(FeePart::Levies)] = plus(written[at(FeePart::Levies)], other); break;
    }
    written[at(FeePart::Other)] = std::nullopt;
    return written;
}

Gathered GatherOrders(const Statement &statement) { return Gatherer(statement).run(); }

} // namespace tallyfin::statement
