#include "statementgen.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <iconv.h>
#include <map>
#include <random>
#include <stdexcept>

#include "balances.h"
#include "feeschedule.h"
#include "hkfees.h"
#include "security.h"

namespace tallyfin::samples {

namespace {

enum class Kind : std::uint8_t { Stock, Fund, Bond, HongKong };

struct Listed {
    const char *code, *name;
    Kind kind;
};

// A-shares of every board (Beijing's trade only from 2021-11-15 on), funds
// and convertible bonds of both exchanges.
constexpr std::array kListed{
    Listed{"600036", "招商银行", Kind::Stock},   Listed{"601318", "中国平安", Kind::Stock},
    Listed{"603288", "海天味业", Kind::Stock},   Listed{"688981", "中芯国际", Kind::Stock},
    Listed{"000001", "平安银行", Kind::Stock},   Listed{"000878", "云南铜业", Kind::Stock},
    Listed{"002594", "比亚迪", Kind::Stock},     Listed{"300750", "宁德时代", Kind::Stock},
    Listed{"430047", "诺思兰德", Kind::Stock},   Listed{"510300", "沪深300ETF", Kind::Fund},
    Listed{"512880", "证券ETF", Kind::Fund},     Listed{"159915", "创业板ETF", Kind::Fund},
    Listed{"113052", "兴业转债", Kind::Bond},    Listed{"127045", "牧原转债", Kind::Bond},
};
constexpr std::array kHongKong{
    Listed{"00700", "腾讯控股", Kind::HongKong},
    Listed{"01810", "小米集团－Ｗ", Kind::HongKong},
    Listed{"09988", "阿里巴巴－ＳＷ", Kind::HongKong},
};

// Until then Shanghai's transfer fee had a 1-yuan minimum, which a row of
// several fills pays on each: fills are only made up from that day on.
constexpr TradeDate kNoTransferMinimum{2015, 8, 1};

struct Place {
    const char *market, *account;
};

Place placeOf(const Listed &listed)
{
    if (listed.kind == Kind::HongKong)
        return {"沪港通", "A123456789"};
    switch (SecurityOfCode(listed.code)->exchange) {
    case Exchange::Shanghai: return {"沪市A股", "A123456789"};
    case Exchange::Shenzhen: return {"深市A股", "0123456789"};
    case Exchange::Beijing: break;
    }
    return {"北交所", "0212345678"};
}

Decimal cents(const Decimal &value) { return value.rounded(2, Rounding::HalfUp); }

// What each fill of a row pays: the row's quantity in `fills` parts.
std::vector<Decimal> fillQuantities(const Decimal &quantity, int fills)
{
    const std::int64_t whole = *quantity.toInt64();
    std::vector<Decimal> parts;
    for (int i = 0; i < fills; ++i)
        parts.emplace_back(whole / fills + (i < whole % fills ? 1 : 0));
    return parts;
}

class RowMaker {
public:
    RowMaker(std::uint32_t seed, const RowMix &mix, std::size_t count) : m_random(seed), m_mix(mix), m_count(count)
    {
        for (const Broker::Apart &apart : mix.broker.apart)
            m_apart.push_back({apart.code.c_str(), apart.name.c_str(), Kind::Fund});
    }

    SampleRow next()
    {
        ++m_handedOut;
        if (m_pending.empty()) {
            advanceDate();
            ++m_index;
            if (m_mix.otherRows && chance(8))
                m_pending.push_back(otherRow());
            else
                trade();
        }
        SampleRow row = std::move(m_pending.front());
        m_pending.erase(m_pending.begin());
        if (m_mix.salesHeld) {
            keepTimeOrder(row);
            setBalances(row);
        }
        return row;
    }

private:
    bool chance(int percent) { return std::uniform_int_distribution<int>(0, 99)(m_random) < percent; }
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    Decimal cents(int low, int high) { return Decimal(between(low, high), 2); }

    // The rows spread over the mix's span, whatever their number.
    void advanceDate()
    {
        using namespace std::chrono;
        const sys_days start = year_month_day{year(m_mix.from.year), month(static_cast<unsigned>(m_mix.from.month)),
                                              day(static_cast<unsigned>(m_mix.from.day))};
        const year_month_day day{start + days{static_cast<long>(m_index) * m_mix.spanDays / static_cast<long>(m_count)}};
        m_date = {static_cast<int>(day.year()), static_cast<int>(static_cast<unsigned>(day.month())),
                  static_cast<int>(static_cast<unsigned>(day.day()))};
    }

    std::string time()
    {
        char text[16];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", between(9, 14), between(0, 59), between(0, 59));
        return text;
    }

    template <std::size_t N>
    const Listed &pick(const std::array<Listed, N> &listed)
    {
        return listed[static_cast<std::size_t>(between(0, static_cast<int>(N) - 1))];
    }

    SampleRow base(const Listed &listed)
    {
        SampleRow row;
        row.date = m_date;
        row.time = time();
        row.code = listed.code;
        row.name = listed.name;
        row.account = placeOf(listed).account;
        row.market = placeOf(listed).market;
        row.orderNumber = std::to_string(m_order += between(1, 900));
        return row;
    }

    // One order in four is small, so that a minimum shows.
    void setSize(SampleRow &row, Kind kind, bool alwaysSmall)
    {
        const bool small = chance(25) || alwaysSmall;
        switch (kind) {
        case Kind::Fund:
            row.quantity = Decimal(small ? 100 * between(1, 9) : 1000 * between(1, 100));
            row.price = Decimal(between(800, 5000), 3);
            break;
        case Kind::Bond:
            row.quantity = Decimal(10 * between(1, small ? 2 : 50));
            row.price = Decimal(between(100000, 180000), 3);
            break;
        default:
            row.quantity = Decimal(100 * between(1, small ? 3 : 60));
            row.price = Decimal(between(300, small ? 1500 : 30000), 2);
            break;
        }
    }

    // The usual list, and now and then a fund the broker prices apart.
    const Listed &pickListed()
    {
        if (!m_apart.empty() && chance(20))
            return m_apart[static_cast<std::size_t>(between(0, static_cast<int>(m_apart.size()) - 1))];
        return pick(kListed);
    }

    bool smallOnly(const Listed &listed) const
    {
        const std::optional<Security> security = SecurityOfCode(listed.code);
        if (!security)
            return false;
        const std::optional<InstrumentGroup> group = statement::GroupOfMarket(MarketOfSecurity(*security));
        return group && std::find(m_mix.smallOnly.begin(), m_mix.smallOnly.end(), *group) != m_mix.smallOnly.end();
    }

    void trade()
    {
        const bool hongKong =
            m_mix.stockConnect && HkRulesStart() <= PreviousDay(PreviousDay(m_date)) && chance(m_mix.stockConnectPercent);
        const Listed &listed = hongKong ? pick(kHongKong) : pickListed();
        SampleRow row = base(listed);
        row.kind = chance(50) ? RowKind::Buy : RowKind::Sell;
        row.stockConnect = hongKong;
        setSize(row, listed.kind, smallOnly(listed));
        if (m_mix.salesHeld)
            keepSalesHeld(row);
        row.operation = row.kind == RowKind::Buy ? "证券买入" : "证券卖出";
        if (hongKong)
            return hongKongTrade(std::move(row));
        const Market market = MarketOfSecurity(*SecurityOfCode(listed.code));
        std::optional<RulesInForce> rules;
        try {
            rules = RulesFor(row.date, market);
        } catch (const EFeeRulesError &) {
        }
        if (!rules) {
            chargePlausibly(row);
            return;
        }
        const Broker::Apart *apart = m_mix.broker.apartOf(row.code);
        if (apart && apart->chargesNothing) {
            row.amount = row.quantity * row.price;
            settle(row);
            m_pending.push_back(std::move(row));
            return;
        }
        const FeeSchedule schedule(*rules, m_mix.broker.termsOn(*statement::GroupOfMarket(market), row.code, row.date));
        const bool fillsAllowed = row.date >= kNoTransferMinimum;
        // An order is never cut off by the end of the statement.
        const bool roomForRows = m_handedOut + 3 <= m_count;
        if (m_mix.splitOrders && fillsAllowed && roomForRows && !m_mix.broker.commissionNetOfLevies && chance(10))
            return splitOrder(std::move(row), schedule);
        row.fills = m_mix.multiFillRows && fillsAllowed && chance(15) ? between(2, 4) : 1;
        chargeByRules(row, schedule);
        // Only orders of the general terms are overcharged or booked apart.
        if (row.fills == 1 && !apart && chance(m_mix.overchargePercent) && !m_mix.overchargeItems.empty())
            overcharge(row, dueOf(schedule, row));
        else if (row.fills == 1 && !apart && chance(m_mix.movedPercent) && row.commission >= Decimal(3, 2))
            moveToLevies(row);
        settle(row);
        m_pending.push_back(std::move(row));
    }

    // Two cents of the commission booked as levies: the total as due.
    static void moveToLevies(SampleRow &row)
    {
        const Decimal moved(2, 2);
        row.commission = row.commission - moved;
        row.handlingFee = row.handlingFee + moved;
        row.movedToLevies = moved;
    }

    // A market before it opened: a commission of 0.25‰ (at least 5), 1‰
    // stamp duty on sells.
    void chargePlausibly(SampleRow &row)
    {
        row.amount = row.quantity * row.price;
        row.commission = std::max(Decimal(5), samples::cents(row.amount * Decimal::fromLiteral("0.00025")));
        if (row.kind == RowKind::Sell)
            row.stampDuty = samples::cents(row.amount * Decimal::fromLiteral("0.001"));
        settle(row);
        m_pending.push_back(std::move(row));
    }

    // A Stock Connect trade as China Clear settles it: booked on its
    // settlement day, priced by the Hong Kong rules of its trade day, two
    // days before, at the booking day's rate for its side; the levy column
    // holds the trading fee, the levies and 换汇尾差, the transfer fee
    // column the settlement fee.
    void hongKongTrade(SampleRow row)
    {
        const TradeSide side = row.kind == RowKind::Buy ? TradeSide::Buy : TradeSide::Sell;
        row.traded = PreviousDay(PreviousDay(row.date));
        row.settlementRate = settlementRate(row.date, side);
        const HkSideFees fees = HkSide(HkRulesFor(*row.traded), side, row.price * row.quantity, *row.settlementRate,
                                       m_mix.broker.termsOn(InstrumentGroup::HongKong, row.code, row.date));
        row.amount = fees.amount;
        row.commission = fees.commission;
        row.stampDuty = fees.yuan(HkFeeItem::StampDuty);
        row.transferFee = fees.yuan(HkFeeItem::SettlementFee);
        row.handlingFee = fees.levies();
        if (chance(m_mix.overchargePercent) && !m_mix.overchargeItems.empty())
            overcharge(row, {fees.commission, row.stampDuty, row.transferFee, row.handlingFee, row.stampDuty});
        settle(row);
        m_pending.push_back(std::move(row));
    }

    // China Clear's rate of a day for a side, yuan per HKD, six decimals;
    // a sale's a little under the buy's.
    Decimal settlementRate(TradeDate day, TradeSide side)
    {
        const auto [rates, made] = m_rates.try_emplace(day);
        if (made) {
            const int buy = between(800000, 950000);
            rates->second = {Decimal(buy, 6), Decimal(buy - between(500, 1500), 6)};
        }
        return rates->second.of(side);
    }

    // The order's commission as the schedule charges it; the other items
    // summed over the row's fills, each fill rounded by itself.
    void chargeByRules(SampleRow &row, const FeeSchedule &schedule)
    {
        const TradeSide side = row.kind == RowKind::Buy ? TradeSide::Buy : TradeSide::Sell;
        const SideFees order = schedule.fees(side, row.price, row.quantity);
        row.amount = order.amount;
        row.commission = order.commission;
        for (const Decimal &part : fillQuantities(row.quantity, row.fills)) {
            const SideFees fill = schedule.fees(side, row.price, part);
            row.stampDuty = row.stampDuty + fill.stampDuty;
            row.transferFee = row.transferFee + fill.transferFee;
            if (schedule.terms().leviesOnTop) {
                row.handlingFee = row.handlingFee + fill.handlingFee;
                row.managementFee = row.managementFee + fill.managementFee;
            }
        }
        if (m_mix.broker.commissionNetOfLevies && !schedule.terms().leviesOnTop) {
            const Decimal inside = order.handlingFee + order.managementFee + order.transferInCommission;
            row.commission = row.commission - inside;
            row.otherFees = row.otherFees + inside;
        }
    }

    // One order filled in two or three rows under its order number: the
    // commission on the whole (one minimum), shared out by quantity; each
    // row's other items on its own fill.
    void splitOrder(SampleRow whole, const FeeSchedule &schedule)
    {
        const int parts = between(2, 3);
        const TradeSide side = whole.kind == RowKind::Buy ? TradeSide::Buy : TradeSide::Sell;
        const Decimal commission = schedule.fees(side, whole.price, whole.quantity).commission;
        Decimal shared;
        const std::vector<Decimal> quantities = fillQuantities(whole.quantity, parts);
        for (std::size_t i = 0; i < quantities.size(); ++i) {
            SampleRow row = whole;
            row.quantity = quantities[i];
            chargeByRules(row, schedule);
            row.commission = i + 1 < quantities.size()
                                 ? Decimal::quotient(commission * quantities[i], whole.quantity, 2, Rounding::Floor)
                                 : commission - shared;
            shared = shared + row.commission;
            settle(row);
            m_pending.push_back(std::move(row));
        }
    }

    // What an order owes item by item, and what its sale would owe in stamp duty.
    struct Due {
        Decimal commission, stampDuty, transferFee, levies, sellersStampDuty;
    };

    static Due dueOf(const FeeSchedule &schedule, const SampleRow &row)
    {
        const SideFees due = schedule.fees(row.kind == RowKind::Buy ? TradeSide::Buy : TradeSide::Sell, row.price, row.quantity);
        return {due.commission, due.stampDuty, due.transferFee, due.levies,
                schedule.fees(TradeSide::Sell, row.price, row.quantity).stampDuty};
    }

    void overcharge(SampleRow &row, const Due &due)
    {
        const FeePart item = m_mix.overchargeItems[static_cast<std::size_t>(
            between(0, static_cast<int>(m_mix.overchargeItems.size()) - 1))];
        Overcharge made{item, cents(5, 999), Decimal()};
        switch (item) {
        case FeePart::Commission: made.due = due.commission; row.commission = row.commission + made.amount; break;
        case FeePart::StampDuty:
            // A buyer charged the seller's stamp duty: the duty again, or on the wrong side.
            if (row.kind == RowKind::Buy)
                made.amount = std::max(Decimal(5, 2), due.sellersStampDuty);
            made.due = due.stampDuty;
            row.stampDuty = row.stampDuty + made.amount;
            break;
        case FeePart::TransferFee: made.due = due.transferFee; row.transferFee = row.transferFee + made.amount; break;
        case FeePart::Levies: made.due = due.levies; row.handlingFee = row.handlingFee + made.amount; break;
        case FeePart::Other: row.otherFees = row.otherFees + made.amount; break;
        case FeePart::Total: made.due = row.feesTotal(); break;
        }
        row.overcharge = made;
    }

    // The cash movement: amount ± the fees, and a Total overcharge on top.
    static void settle(SampleRow &row)
    {
        const Decimal unexplained =
            row.overcharge && row.overcharge->item == FeePart::Total ? row.overcharge->amount : Decimal();
        row.cash = row.kind == RowKind::Buy ? -(row.amount + row.feesTotal() + unexplained)
                                            : row.amount - row.feesTotal() - unexplained;
    }

    // Rows of a day follow each other in time, so that a replay in time order
    // sees each sale after the buys it sells from.
    void keepTimeOrder(SampleRow &row)
    {
        if (row.date == m_lastDate && row.time <= m_lastTime) {
            const int next = std::stoi(m_lastTime.substr(0, 2)) * 3600 + std::stoi(m_lastTime.substr(3, 2)) * 60
                             + std::stoi(m_lastTime.substr(6, 2)) + 1;
            char text[16];
            std::snprintf(text, sizeof text, "%02d:%02d:%02d", next / 3600 % 24, next / 60 % 60, next % 60);
            row.time = text;
        }
        m_lastDate = row.date;
        m_lastTime = row.time;
    }

    // The balances a complete history shows after the row; rows that are no
    // trade show no shares, as real exports write them.
    void setBalances(SampleRow &row)
    {
        m_cash = m_cash + row.cash;
        row.cashBalance = m_cash;
        row.shareBalance = Decimal();
        if (row.kind == RowKind::Other || row.stockConnect)
            return;
        Decimal &held = m_balance[row.code];
        held = row.kind == RowKind::Buy ? held + row.quantity : held - row.quantity;
        row.shareBalance = held;
    }

    // A sale of at most what is held, all of it now and then; a buy where nothing is.
    void keepSalesHeld(SampleRow &row)
    {
        Decimal &held = m_held[row.code];
        if (row.kind == RowKind::Sell && held.sign() == 0)
            row.kind = RowKind::Buy;
        if (row.kind == RowKind::Sell && (row.quantity > held || chance(10)))
            row.quantity = held;
        held = row.kind == RowKind::Buy ? held + row.quantity : held - row.quantity;
    }

    SampleRow otherRow()
    {
        if (m_mix.stockConnect && HkRulesStart() <= m_date && chance(10))
            return portfolioFee();
        SampleRow row = base(pick(kListed));
        row.kind = RowKind::Other;
        const Decimal money(between(100, 500000), 2);
        switch (between(0, 4)) {
        case 0: row.operation = "红利入账"; row.amount = money; row.cash = money; break;
        case 1: row.operation = "股息红利税补缴"; row.amount = money; row.cash = -money; break;
        case 2:
            // Lottery numbers for a subscription, under the subscription's own code.
            row.operation = "申购配号";
            row.code = "736171";
            row.name = "申购配号";
            row.quantity = Decimal(between(1, 20));
            break;
        case 3: row.operation = "银证转账"; row.code.clear(); row.name.clear(); row.cash = chance(50) ? money : -money; break;
        default: row.operation = "利息归本"; row.code.clear(); row.name.clear(); row.cash = Decimal(between(1, 999), 2); break;
        }
        return row;
    }

    // Hong Kong's portfolio fee on a Stock Connect holding, a few cents to a few yuan.
    SampleRow portfolioFee()
    {
        SampleRow row = base(pick(kHongKong));
        row.kind = RowKind::Other;
        row.operation = "港股通组合费收取";
        row.stockConnect = true;
        row.cash = -Decimal(between(1, 900), 2);
        return row;
    }

    std::mt19937 m_random;
    const RowMix &m_mix;
    std::size_t m_count, m_index = 0, m_handedOut = 0;
    TradeDate m_date;
    long long m_order = 1000;
    std::map<std::string, Decimal> m_held; // by code, with salesHeld
    std::map<std::string, Decimal> m_balance; // by code: shares after the rows handed out
    Decimal m_cash{1'000'000};
    TradeDate m_lastDate;
    std::string m_lastTime;
    std::vector<SampleRow> m_pending; // the rows of an order made but not yet handed out
    std::vector<Listed> m_apart;      // the broker's funds of their own terms
    std::map<TradeDate, SettlementRates> m_rates; // Stock Connect's, by day
};

LayoutColumn column(const char *header, Field field) { return {header, field}; }

Layout layout(std::string name, std::vector<LayoutColumn> columns, std::vector<std::string> preamble = {})
{
    Layout made;
    made.name = std::move(name);
    made.columns = std::move(columns);
    made.preamble = std::move(preamble);
    return made;
}

std::vector<Layout> makeLayouts()
{
    using F = Field;
    std::vector<Layout> layouts(6);
    // A PC client's "xls": 摘要 beside 操作, 手续费 alone is the commission and
    // 其他杂费 holds the transfer fee; Stock Connect rows carry an exchange rate.
    layouts[0] = layout("client-tsv",
                  {column("成交日期", F::Date), column("摘要", F::Operation), column("证券名称", F::Name),
                   column("合同编号", F::OrderNumber), column("成交数量", F::Quantity), column("成交均价", F::Price),
                   column("成交金额", F::Amount), column("手续费", F::Commission), column("印花税", F::StampDuty),
                   column("其他杂费", F::OtherFees), column("发生金额", F::Cash), column("股东帐户", F::Account),
                   column("备注", F::Filler), column("操作", F::Side), column("证券代码", F::Code),
                   column("结算汇率", F::ExchangeRate)});
    layouts[0].negativeSells = true;
    // Codes that lost their zeros, and a 手续费 beside 佣金 that totals the fees.
    layouts[1] = layout("unpadded-csv",
                  {column("成交日期", F::Date), column("证券代码", F::Code), column("证券名称", F::Name),
                   column("买卖标志", F::Operation), column("成交价格", F::Price), column("成交数量", F::Quantity),
                   column("成交金额", F::Amount), column("发生金额", F::Cash), column("佣金", F::Commission),
                   column("印花税", F::StampDuty), column("过户费", F::TransferFee), column("其他费", F::OtherFees),
                   column("委托编号", F::OrderNumber), column("股东代码", F::Account), column("备注", F::Filler),
                   column("手续费", F::FeesTotal)});
    layouts[1].unpaddedCodes = layouts[1].negativeSells = true;
    layouts[1].mix.stockConnect = false; // nothing in it tells a Hong Kong code
    // A web export: two dates, = "000597      " codes, a market column, the number of fills.
    layouts[2] = layout("settlement-csv",
                  {column("交收日期", F::Date), column("发生日期", F::Date), column("发生时间", F::Time),
                   column("证券代码", F::Code), column("证券名称", F::Name), column("交易类别", F::Operation),
                   column("成交数量", F::Quantity), column("成交均价", F::Price), column("成交金额", F::Amount),
                   column("发生金额", F::Cash), column("佣金", F::Commission), column("其他费用", F::OtherFees),
                   column("印花税", F::StampDuty), column("过户费", F::TransferFee), column("成交笔数", F::Fills),
                   column("委托编号", F::OrderNumber), column("股东账号", F::Account), column("交易市场", F::Market),
                   column("币种", F::Currency)});
    layouts[2].dates = DateStyle::Dashed;
    layouts[2].spacedFormulas = layouts[2].trailingSeparator = true;
    // Every text a formula; 总费用 and 净佣金; the currency tells Hong Kong rows.
    layouts[3] = layout("formula-xls",
                  {column("交收日期", F::Date), column("成交时间", F::Time), column("业务名称", F::Operation),
                   column("证券代码", F::Code), column("证券名称", F::Name), column("成交价格", F::Price),
                   column("成交数量", F::Quantity), column("成交金额", F::Amount), column("总费用", F::FeesTotal),
                   column("清算金额", F::Cash), column("净佣金", F::Commission), column("印花税", F::StampDuty),
                   column("过户费", F::TransferFee), column("经手费", F::HandlingFee), column("证管费", F::ManagementFee),
                   column("其他费", F::OtherFees), column("币种", F::Currency), column("委托编号", F::OrderNumber),
                   column("股东代码", F::Account)});
    layouts[3].formulaTexts = true;
    // Account lines before the header, 2021/3/11, thousands separators, buys
    // as negative amounts, remarks with commas and quotes.
    layouts[4] = layout("web-csv",
                  {column("日期", F::Date), column("时间", F::Time), column("代码", F::Code), column("名称", F::Name),
                   column("买卖方向", F::Operation), column("数量", F::Quantity), column("价格", F::Price),
                   column("金额", F::Amount), column("净佣金", F::Commission), column("规费", F::Levies),
                   column("过户费", F::TransferFee), column("印花税", F::StampDuty), column("其他费用", F::OtherFees),
                   column("清算金额", F::Cash), column("委托编号", F::OrderNumber), column("股东代码", F::Account),
                   column("市场", F::Market), column("备注", F::Remark)},
                  {"对账单", "资金账号：88886666", "起止日期：2014/1/1 至 2023/12/31"});
    layouts[4].dates = DateStyle::Slashed;
    layouts[4].thousands = layouts[4].negativeBuys = true;
    // Day numbers for dates; 发生数量 beside 成交数量, 清算金额 beside 发生金额,
    // and 买卖标志 saying 买入 or 卖出 on rows that are no trade.
    layouts[5] = layout("serial-dates",
                  {column("交易日期", F::Date), column("业务类型", F::Filler), column("币种", F::Currency),
                   column("股东代码", F::Account), column("证券代码", F::Code), column("证券名称", F::Name),
                   column("买卖标志", F::Side), column("成交价格", F::Price), column("发生数量", F::Quantity),
                   column("成交金额", F::Amount), column("成交数量", F::Quantity), column("发生金额", F::Cash),
                   column("清算金额", F::Cash), column("成交时间", F::Time), column("业务名称", F::Operation),
                   column("佣金", F::Commission), column("印花税", F::StampDuty), column("过户费", F::TransferFee),
                   column("汇率", F::ExchangeRate), column("其他费", F::OtherFees)});
    layouts[5].dates = DateStyle::Serial;
    layouts[5].unpaddedCodes = layouts[5].negativeSells = layouts[5].sideOnOtherRows = true;
    // A complete history with running balances after each row (后资金额,
    // 后证券额: 0 on rows that are no trade) and the fund account.
    layouts.push_back(layout("balances-csv",
                  {column("交易日期", F::Date), column("业务类型", F::Filler), column("币种", F::Currency),
                   column("股东代码", F::Account), column("证券代码", F::Code), column("证券名称", F::Name),
                   column("买卖标志", F::Side), column("成交价格", F::Price), column("发生数量", F::Quantity),
                   column("成交金额", F::Amount), column("发生金额", F::Cash), column("后资金额", F::CashBalance),
                   column("后证券额", F::ShareBalance), column("成交时间", F::Time), column("业务名称", F::Operation),
                   column("佣金", F::Commission), column("印花税", F::StampDuty), column("过户费", F::TransferFee),
                   column("其他费", F::OtherFees), column("资金账号", F::FundAccount)}));
    layouts[6].negativeSells = layouts[6].sideOnOtherRows = true;
    layouts[6].mix.salesHeld = true;
    layouts[6].mix.stockConnect = false;
    return layouts;
}


std::string dateText(TradeDate date, DateStyle style)
{
    using namespace std::chrono;
    char text[16];
    switch (style) {
    case DateStyle::Compact: std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day); break;
    case DateStyle::Dashed: std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day); break;
    case DateStyle::Slashed: std::snprintf(text, sizeof text, "%04d/%d/%d", date.year, date.month, date.day); break;
    case DateStyle::Serial: {
        const sys_days day{year(date.year) / month(static_cast<unsigned>(date.month)) / static_cast<unsigned>(date.day)};
        return std::to_string((day - sys_days{1899y / December / 30}).count());
    }
    }
    return text;
}


class CellWriter {
public:
    explicit CellWriter(const Layout &layout) : m_layout(layout) {}

    SampleCell cell(const SampleRow &row, Field field) const
    {
        const bool trade = row.kind != RowKind::Other;
        switch (field) {
        case Field::Date: return date(row.date);
        case Field::Time: return text(row.time);
        case Field::Code: return code(row);
        case Field::Name: return text(row.name);
        case Field::Operation: return text(row.operation);
        case Field::Side: return text(side(row));
        case Field::Market: return text(row.code.empty() ? "" : row.market);
        case Field::Currency: return text(row.stockConnect ? "港币" : "人民币");
        case Field::ExchangeRate: return row.settlementRate ? number(*row.settlementRate, 6) : number(Decimal(0), 4);
        case Field::Quantity: return number(m_layout.negativeSells && row.kind == RowKind::Sell ? -row.quantity : row.quantity, 0);
        case Field::Price: return number(row.price, 3);
        case Field::Amount: return number(m_layout.negativeBuys && row.kind == RowKind::Buy ? -row.amount : row.amount, 2);
        case Field::Commission: return number(row.commission, 2);
        case Field::StampDuty: return number(row.stampDuty, 2);
        case Field::TransferFee: return number(row.transferFee, 2);
        case Field::HandlingFee: return levy(row.handlingFee);
        case Field::ManagementFee: return levy(row.managementFee);
        case Field::Levies: return levy(row.levies());
        case Field::Fills: return number(Decimal(row.fills), 0);
        case Field::OtherFees: return number(OtherFeesAsWritten(m_layout, row), 2);
        case Field::FeesTotal: return number(row.feesTotal(), 2);
        case Field::Cash: return number(row.cash, 2);
        case Field::OrderNumber: return text(row.orderNumber);
        case Field::Account: return code(row.account);
        case Field::ShareBalance: return row.shareBalance ? number(*row.shareBalance, 0) : text("");
        case Field::CashBalance: return row.cashBalance ? number(*row.cashBalance, 2) : text("");
        case Field::FundAccount: return text(kSampleFundAccount);
        case Field::Filler: return text(!trade ? row.operation : row.orderNumber.ends_with('7') ? "备注,含\"引号\"" : "证券买卖");
        case Field::Remark:
            if (row.settlementRate)
                return text("汇率:" + row.settlementRate->toFixed(6, ".") + ";港股通交收");
            return cell(row, Field::Filler);
        }
        return {};
    }

private:
    // A day number or 20210311 is a number cell in a spreadsheet.
    SampleCell date(TradeDate day) const
    {
        const bool number = m_layout.dates == DateStyle::Serial || m_layout.dates == DateStyle::Compact;
        return m_layout.formulaTexts ? text(dateText(day, m_layout.dates))
                                     : SampleCell{dateText(day, m_layout.dates), number};
    }

    SampleCell text(std::string value) const
    {
        if (m_layout.formulaTexts && !value.empty())
            return {"=\"" + value + "\"", false, true};
        return {std::move(value)};
    }

    SampleCell code(std::string value) const
    {
        if (m_layout.spacedFormulas && !value.empty())
            return {"= \"" + value + "      \"", false, true};
        return text(std::move(value));
    }

    SampleCell code(const SampleRow &row) const
    {
        if (!m_layout.unpaddedCodes || row.code.empty())
            return code(row.code);
        const std::size_t first = row.code.find_first_not_of('0');
        return {first == std::string::npos ? "0" : row.code.substr(first), true};
    }

    std::string side(const SampleRow &row) const
    {
        if (row.kind != RowKind::Other)
            return row.kind == RowKind::Buy ? "买入" : "卖出";
        return m_layout.sideOnOtherRows ? (row.cash.sign() < 0 ? "买入" : "卖出") : "";
    }

    // A levy column: written as text in a layout of formula texts, as some brokers write their zeros.
    SampleCell levy(const Decimal &value) const
    {
        return m_layout.formulaTexts ? text(value.toFixed(2, ".")) : number(value, 2);
    }

    SampleCell number(const Decimal &value, int decimals) const
    {
        std::string digits = value.toFixed(decimals, ".");
        return {m_layout.thousands ? statement::GroupedNumber(digits) : std::move(digits), true};
    }

    const Layout &m_layout;
};

std::string convert(const std::string &utf8, const char *to)
{
    iconv_t cd = iconv_open(to, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv cannot write " + std::string(to));
    std::string out(utf8.size() * 2 + 16, '\0');
    char *in = const_cast<char *>(utf8.data()), *at = out.data();
    std::size_t inLeft = utf8.size(), outLeft = out.size();
    const std::size_t result = iconv(cd, &in, &inLeft, &at, &outLeft);
    iconv_close(cd);
    if (result == static_cast<std::size_t>(-1))
        throw std::runtime_error("a sample text cannot be written in " + std::string(to));
    out.resize(out.size() - outLeft);
    return out;
}

std::string quotedIfNeeded(const std::string &text, char separator)
{
    if (text.find(separator) == std::string::npos && text.find('\n') == std::string::npos && !text.starts_with('"'))
        return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

} // namespace

bool HasField(const Layout &layout, Field field)
{
    for (const LayoutColumn &column : layout.columns)
        if (column.field == field)
            return true;
    return false;
}

bool HasLevyColumn(const Layout &layout)
{
    return HasField(layout, Field::HandlingFee) || HasField(layout, Field::ManagementFee) || HasField(layout, Field::Levies);
}

Decimal OtherFeesAsWritten(const Layout &layout, const SampleRow &row)
{
    Decimal other = row.otherFees;
    if (!HasField(layout, Field::TransferFee))
        other = other + row.transferFee;
    if (!HasLevyColumn(layout))
        other = other + row.levies();
    return other;
}

Broker::Broker() { terms.fill(CommissionTerms{Decimal::fromLiteral("0.25")}); }

CommissionTerms Broker::termsOn(InstrumentGroup group, const std::string &code, TradeDate date) const
{
    if (const Apart *special = apartOf(code))
        return special->terms;
    CommissionTerms found = (*this)[group];
    for (const Change &change : changes)
        if (change.from <= date && std::find(change.groups.begin(), change.groups.end(), group) != change.groups.end())
            found = change.terms;
    return found;
}

const Broker::Apart *Broker::apartOf(const std::string &code) const
{
    for (const Apart &special : apart)
        if (special.code == code)
            return &special;
    return nullptr;
}

std::vector<SampleRow> SampleRows(std::size_t count, std::uint32_t seed, const RowMix &mix)
{
    RowMaker maker(seed, mix, std::max<std::size_t>(count, 1));
    std::vector<SampleRow> rows;
    rows.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        rows.push_back(maker.next());
    return rows;
}

const std::vector<Layout> &SampleLayouts()
{
    static const std::vector<Layout> layouts = makeLayouts();
    return layouts;
}

SampleTable LayoutCells(const Layout &layout, const std::vector<SampleRow> &rows)
{
    SampleTable table;
    for (const std::string &line : layout.preamble)
        table.push_back({{line}});
    const CellWriter writer(layout);
    std::vector<SampleCell> header;
    for (const LayoutColumn &column : layout.columns)
        header.push_back(layout.formulaTexts ? SampleCell{"=\"" + column.header + "\"", false, true} : SampleCell{column.header});
    table.push_back(std::move(header));
    for (const SampleRow &row : rows) {
        std::vector<SampleCell> cells;
        for (const LayoutColumn &column : layout.columns)
            cells.push_back(writer.cell(row, column.field));
        table.push_back(std::move(cells));
    }
    if (layout.trailingSeparator)
        for (std::vector<SampleCell> &cells : table)
            if (cells.size() > 1)
                cells.emplace_back();
    return table;
}

std::string TextStatement(const SampleTable &table, char separator, TextEncoding encoding)
{
    std::string utf8;
    for (const std::vector<SampleCell> &cells : table) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            utf8 += (i ? std::string(1, separator) : std::string()) + quotedIfNeeded(cells[i].text, separator);
        utf8 += "\r\n";
    }
    switch (encoding) {
    case TextEncoding::Utf8: return "\xEF\xBB\xBF" + utf8;
    case TextEncoding::Gb18030: return convert(utf8, "GB18030");
    case TextEncoding::Utf16Le: return "\xFF\xFE" + convert(utf8, "UTF-16LE");
    }
    return utf8;
}

} // namespace tallyfin::samples
