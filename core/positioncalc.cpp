#include "positioncalc.h"

#include "datedtrade.h"
#include "errors.h"
#include "pricegrid.h"

namespace tallyfin {

namespace {

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool blank(std::string_view text) { return trimmed(text).empty(); }

// A 港股通 company's board lot, as its field is captioned.
constexpr std::string_view kBoardLot = TALLYFIN_TR_NOOP("PositionTools", "每手股数");

void requireTyped(std::string_view text, std::string_view what)
{
    RequireInput(!blank(text), TALLYFIN_TEXT("PositionTools", "请填写%1").arg(Text("PositionTools", std::string(what).c_str())));
}

// Reads the inputs of one calculator, each named by its field's caption
// (marked in the context "PositionTools", where its messages translate it).
class Reader {
public:
    Reader(const PositionTerms &terms, DecimalSeparator separator) : m_terms(terms), m_separator(separator) {}

    Decimal shares(std::string_view text, std::string_view what) const
    {
        requireTyped(text, what);
        return ReadShares(text, what, m_separator);
    }
    Decimal price(std::string_view text, std::string_view what) const
    {
        requireTyped(text, what);
        return ReadPriceOnTick(text, what, m_terms.fees.rules().market, m_separator);
    }
    Decimal money(std::string_view text, std::string_view what) const
    {
        requireTyped(text, what);
        return ReadMoney(text, what, m_separator);
    }
    // Any sign: a gain to reach, or a cost per share that fell below zero.
    Decimal signedMoney(std::string_view text, std::string_view what) const
    {
        return ReadGain(text, what, m_separator);
    }

private:
    const PositionTerms &m_terms;
    DecimalSeparator m_separator;
};

template <typename Read>
auto unlessBlank(std::string_view text, Read read) -> std::optional<decltype(read(text))>
{
    if (blank(text))
        return std::nullopt;
    return read(text);
}

// Writes the results of one calculator.
class Writer {
public:
    Writer(const PositionTerms &terms, DecimalSeparator separator)
        : m_grid(terms.fees.rules().market), m_separator(separator)
    {
    }

    std::string money(const Decimal &value) const { return value.toFixed(2, m_separator); }
    std::string price(const Decimal &value) const { return value.toFixed(m_grid.decimalsAt(value), m_separator); }
    std::string shares(const Decimal &value) const { return value.toFixed(0, m_separator); }
    std::string cost(const Decimal::Rational &perShare) const
    {
        return Decimal::fromRational(perShare, 3, Rounding::HalfUp).toFixed(3, m_separator);
    }

    LegTexts leg(const TradeLeg &leg) const
    {
        const SideFees &f = leg.fees;
        return {price(leg.price), shares(leg.quantity), money(f.amount),      money(f.commission), money(f.stampDuty),
                money(f.transferFee), money(f.levies),  money(f.total()), money(leg.cash())};
    }

private:
    PriceGrid m_grid;
    DecimalSeparator m_separator;
};

std::string perMille(const Decimal &rate, DecimalSeparator separator)
{
    std::string text = rate.toString();
    if (const std::size_t point = text.find('.'); point != std::string::npos)
        text.replace(point, 1, separator);
    return text;
}

} // namespace

void ClearResults(TTradeFields &f)
{
    f.first = f.second = std::nullopt;
    f.gain = f.dilutedCost = f.breakEvenPrice = f.targetPrice = std::string();
}

void ClearResults(TopUpFields &f) { f.quantity = f.amount = f.fees = f.cash = f.newCost = std::string(); }

void ClearResults(RecoverFields &f)
{
    f.quantity = f.amount = f.fees = f.netReceipts = f.remaining = f.shortfall = std::string();
}

PositionTerms ReadPositionTerms(const TradeFields &settings, std::string_view code, std::string_view boardLot,
                                DecimalSeparator separator)
{
    TradeFields fields = settings;
    if (!blank(code) && IsHongKongTrade({trimmed(code), {}, {}}))
        fields.market = MarketName(Market::HongKong);
    const FeeSchedule chosen = ReadFeeSchedule(fields, separator);
    if (chosen.rules().hongKong()) {
        requireTyped(boardLot, kBoardLot);
        const Decimal lot = ReadShares(boardLot, kBoardLot, separator);
        return {chosen, TradingLot{*lot.toInt64(), *lot.toInt64()}};
    }
    RequireInput(blank(boardLot), TALLYFIN_TEXT("PositionTools", "每手股数只用于港股通：A股的交易单位由交易所规定"));
    if (blank(code))
        return {chosen, *MarketInfoOf(chosen.rules().market).lot};
    return TermsForCode(chosen, trimmed(code));
}

Text DescribeTerms(const PositionTerms &terms, DecimalSeparator separator)
{
    const RulesInForce &rules = terms.fees.rules();
    const CommissionTerms &commission = terms.fees.terms();
    Text minimum = commission.minimum.sign() == 0
                       ? TALLYFIN_TEXT("PositionTools", "免五")
                       : TALLYFIN_TEXT("PositionTools", "最低 %1 元").arg(perMille(commission.minimum, separator));
    Text commissionText = commission.leviesOnTop
                              ? TALLYFIN_TEXT("PositionTools", "佣金 %1‰，%2，规费另计")
                              : TALLYFIN_TEXT("PositionTools", "佣金 %1‰，%2");
    commissionText.arg(perMille(commission.ratePerMille, separator)).arg(std::move(minimum));
    if (const std::optional<SettlementRates> &rates = terms.fees.settlementRates())
        return TALLYFIN_TEXT("PositionTools", "%1，%2 的规则；%3；结算汇率：买入 %4，卖出 %5；价格以港元计，报价单位按港股价位表；"
                                              "每笔数量：%6")
            .arg(MarketText(rules.market))
            .arg(FormatTradeDate(rules.date))
            .arg(std::move(commissionText))
            .arg(perMille(rates->buy, separator))
            .arg(perMille(rates->sell, separator))
            .arg(LotText(terms.lot));
    return TALLYFIN_TEXT("PositionTools", "%1，%2 的规则；%3；报价单位 %4 元；每笔数量：%5")
        .arg(MarketText(rules.market))
        .arg(FormatTradeDate(rules.date))
        .arg(std::move(commissionText))
        .arg(perMille(MarketTick(rules.market), separator))
        .arg(LotText(terms.lot));
}

std::optional<Text> CalculateTTrade(const PositionTerms &terms, TTradeFields &f, DecimalSeparator separator)
{
    ClearResults(f);
    const Reader read(terms, separator);
    TTradeQuestion q;
    q.order = f.order;
    q.quantity = read.shares(f.quantity, TALLYFIN_TR_NOOP("PositionTools", "做T数量"));
    q.firstPrice = read.price(f.firstPrice, TALLYFIN_TR_NOOP("PositionTools", "第一笔价格"));
    q.secondPrice = unlessBlank(f.secondPrice, [&](std::string_view t) {
        return read.price(t, TALLYFIN_TR_NOOP("PositionTools", "第二笔价格"));
    });
    q.holding = unlessBlank(f.holding, [&](std::string_view t) {
        return read.shares(t, TALLYFIN_TR_NOOP("PositionTools", "持仓数量"));
    });
    q.costPerShare = unlessBlank(f.cost, [&](std::string_view t) {
        return read.signedMoney(t, TALLYFIN_TR_NOOP("PositionTools", "持仓成本"));
    });
    q.targetGain = unlessBlank(f.targetGain, [&](std::string_view t) {
        return read.signedMoney(t, TALLYFIN_TR_NOOP("PositionTools", "目标盈利"));
    });
    const TTradeAnswer a = SolveTTrade(terms, q);

    const Writer write(terms, separator);
    f.first = write.leg(a.first);
    if (a.second)
        f.second = write.leg(*a.second);
    if (a.gain)
        f.gain = write.money(*a.gain);
    if (a.dilutedCost)
        f.dilutedCost = write.cost(*a.dilutedCost);
    if (a.breakEvenPrice)
        f.breakEvenPrice = write.price(*a.breakEvenPrice);
    if (a.targetPrice)
        f.targetPrice = write.price(*a.targetPrice);
    return a.message;
}

std::optional<Text> CalculateTopUp(const PositionTerms &terms, TopUpFields &f, DecimalSeparator separator)
{
    ClearResults(f);
    const Reader read(terms, separator);
    TopUpQuestion q;
    q.holding = read.shares(f.holding, TALLYFIN_TR_NOOP("PositionTools", "持仓数量"));
    RequireInput(blank(f.cost) != blank(f.cashPaid), Text("PositionTools", kCostOrCashPaid.data()));
    // A cost per share stands for the cash it took, exactly.
    q.cashPaid = blank(f.cost) ? read.money(f.cashPaid, TALLYFIN_TR_NOOP("PositionTools", "买入总额"))
                               : read.money(f.cost, TALLYFIN_TR_NOOP("PositionTools", "持仓成本价")) * q.holding;
    q.price = read.price(f.price, TALLYFIN_TR_NOOP("PositionTools", "补仓价格"));
    q.targetCost = read.money(f.targetCost, TALLYFIN_TR_NOOP("PositionTools", "目标成本"));
    const TopUpAnswer a = SolveTopUp(terms, q);

    const Writer write(terms, separator);
    if (a.quantity) {
        f.quantity = write.shares(*a.quantity);
        f.newCost = write.cost(a.newCost);
    }
    if (a.purchase) {
        f.amount = write.money(a.purchase->fees.amount);
        f.fees = write.money(a.purchase->fees.total());
        f.cash = write.money(a.purchase->cash());
    } else if (a.quantity) {
        f.amount = f.fees = f.cash = write.money(Decimal());
    }
    return a.message;
}

std::optional<Text> CalculateRecover(const PositionTerms &terms, RecoverFields &f, DecimalSeparator separator)
{
    ClearResults(f);
    const Reader read(terms, separator);
    RecoverQuestion q;
    q.holding = read.shares(f.holding, TALLYFIN_TR_NOOP("PositionTools", "持仓数量"));
    q.cashIn = read.money(f.cashIn, TALLYFIN_TR_NOOP("PositionTools", "投入资金"));
    q.price = read.price(f.price, TALLYFIN_TR_NOOP("PositionTools", "卖出价格"));
    const RecoverAnswer a = SolveRecover(terms, q);

    const Writer write(terms, separator);
    f.remaining = write.shares(a.remaining);
    if (a.sale) {
        f.quantity = write.shares(a.sale->quantity);
        f.amount = write.money(a.sale->fees.amount);
        f.fees = write.money(a.sale->fees.total());
        f.netReceipts = write.money(a.sale->cash());
    }
    if (a.shortfall)
        f.shortfall = write.money(*a.shortfall);
    return a.message;
}

} // namespace tallyfin
