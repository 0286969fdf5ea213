#include "positiontools.h"

#include <algorithm>
#include <functional>

#include "pricegrid.h"
#include "pricesearch.h"

namespace tallyfin {

namespace {

using Rational = Decimal::Rational;

// How many shares a holding or an order may have.
const Decimal kMaxShares(kMaxQuantity);

void require(bool acceptable, const Text &message) { RequireInput(acceptable, message); }

// The name of a field, as the window gives it: a text it marked for
// translation in this context.
Text field(std::string_view what) { return Text("PositionTools", std::string(what).c_str()); }

// A search over steps 1 … count of some grid, as the price search runs it.
std::optional<std::int64_t> lowestStepReaching(const PositionTerms &terms, std::int64_t count, std::int64_t estimate,
                                               const Decimal &goal, std::function<Decimal(std::int64_t)> valueAt)
{
    SaleCurve curve{std::move(valueAt), terms.fees.maxRoundingDip(), count, estimate};
    const TickSearch search = LowestTickReaching(curve, goal);
    if (search.outcome == TickSearchOutcome::Unreachable)
        return std::nullopt;
    return search.tick;
}

// A price in yuan a share: 港股通's HKD price at the side's rate.
Decimal priceInYuan(const PositionTerms &terms, TradeSide side, const Decimal &price)
{
    return price * terms.fees.yuanPerPriceUnit(side);
}

// The fees of a side per yuan of a large order, where no minimum matters:
// for estimates only.
double marginalRate(const PositionTerms &terms, TradeSide side, const Decimal &price)
{
    const TradeLeg large = PriceLeg(terms, side, price, Decimal(100'000'000));
    return large.fees.total().approximate() / large.fees.amount.approximate();
}

// Whether no purchase can bring the cost to the target, told without a
// search: buying q shares costs at least q × price × (1 + the least rate)
// less the rounding (FeeSchedule::leastRatePerMille: 0.03 for the fees and
// under 0.01 for the amount), so when each share costs at least the target
// and the holding exceeds it by more than maxRoundingDip, no q gets there.
bool purchasesCannotReach(const PositionTerms &terms, const TopUpQuestion &q)
{
    const Decimal perMille = terms.fees.leastRatePerMille(TradeSide::Buy);
    const bool eachShareCostsTheTarget =
        q.targetCost.shifted(3) <= priceInYuan(terms, TradeSide::Buy, q.price) * (Decimal(1000) + perMille);
    return eachShareCostsTheTarget && q.cashPaid - q.targetCost * q.holding > terms.fees.maxRoundingDip();
}

std::int64_t stepsAtMost(const TradingLot &lot, const Decimal &limit)
{
    if (limit < Decimal(lot.minimum))
        return 0;
    return *Decimal::quotient(limit - Decimal(lot.minimum), Decimal(lot.step), 0, Rounding::Floor).toInt64() + 1;
}

Decimal quantityAtStep(const TradingLot &lot, std::int64_t step)
{
    return Decimal(lot.minimum) + Decimal(lot.step) * Decimal(step - 1);
}

// Both legs of a 做T trade the same quantity, and one of them buys it: it
// must lie on the lot, even where it is the whole holding.
void requireOnLot(const TradingLot &lot, const Decimal &quantity)
{
    const std::optional<std::int64_t> whole = quantity.toInt64();
    require(whole && lot.allows(*whole),
            TALLYFIN_TEXT("PositionTools", "做T数量 %1 不合交易单位：%2").arg(quantity.toString()).arg(LotText(lot)));
}

} // namespace

PositionTerms TermsForCode(const FeeSchedule &chosen, std::string_view code)
{
    const std::optional<Security> security = SecurityOfCode(code);
    require(security.has_value(),
            TALLYFIN_TEXT("PositionTools", "无法识别证券代码“%1”，或本程序不计算它的费用").arg(std::string(code)));
    return {FeeSchedule(RulesFor(chosen.rules().date, MarketOfSecurity(*security)), chosen.terms()),
            LotOfSecurity(*security)};
}

Decimal ReadPriceOnTick(std::string_view text, std::string_view what, Market market, DecimalSeparator separator)
{
    const Decimal price = Decimal::parse(text, separator);
    if (market == Market::HongKong) {
        RequireOnSpreadTable(PriceGrid(market), price, field(what));
        return price;
    }
    require(price.sign() > 0 && price <= Decimal(kMaxPrice),
            TALLYFIN_TEXT("PositionTools", "%1应大于 0 且不超过 %2 元").arg(field(what)).arg(std::to_string(kMaxPrice)));
    const Decimal tick = MarketTick(market);
    require(Decimal::quotient(price, tick, 0, Rounding::Floor) * tick == price,
            TALLYFIN_TEXT("PositionTools", "%1应为最小报价单位 %2 元的整数倍").arg(field(what)).arg(tick.toString()));
    return price;
}

Decimal ReadShares(std::string_view text, std::string_view what, DecimalSeparator separator)
{
    const Decimal quantity = Decimal::parse(text, separator);
    require(quantity.isInteger() && quantity >= Decimal(1) && quantity <= kMaxShares,
            TALLYFIN_TEXT("PositionTools", "%1应为 1 到 %2 之间的整数").arg(field(what)).arg(kMaxShares.toString()));
    return quantity;
}

Decimal ReadMoney(std::string_view text, std::string_view what, DecimalSeparator separator)
{
    const Decimal money = Decimal::parse(text, separator);
    require(money.sign() > 0 && money <= Decimal(kMaxPrice) * kMaxShares,
            TALLYFIN_TEXT("PositionTools", "%1应大于 0").arg(field(what)));
    return money;
}

Decimal ReadGain(std::string_view text, std::string_view what, DecimalSeparator separator)
{
    const Decimal gain = Decimal::parse(text, separator);
    const Decimal limit = Decimal(kMaxPrice) * kMaxShares;
    require(gain >= -limit && gain <= limit,
            TALLYFIN_TEXT("PositionTools", "%1应在 ±%2 元之间").arg(field(what)).arg(limit.toString()));
    return gain;
}

Decimal TradeLeg::cash() const
{
    return fees.cash(side);
}

TradeLeg PriceLeg(const PositionTerms &terms, TradeSide side, const Decimal &price, const Decimal &quantity)
{
    return {side, price, quantity, terms.fees.fees(side, price, quantity)};
}

TTradeAnswer SolveTTrade(const PositionTerms &terms, const TTradeQuestion &q)
{
    require(q.holding.has_value() == q.costPerShare.has_value(), Text("PositionTools", kHoldingNeedsCost.data()));
    if (q.holding)
        require(*q.holding >= q.quantity, TALLYFIN_TEXT("PositionTools", "持仓数量少于做T数量"));
    requireOnLot(terms.lot, q.quantity);
    const bool sellFirst = q.order == TOrder::SellFirst;
    const TradeSide secondSide = sellFirst ? TradeSide::Buy : TradeSide::Sell;
    TTradeAnswer answer;
    answer.first = PriceLeg(terms, sellFirst ? TradeSide::Sell : TradeSide::Buy, q.firstPrice, q.quantity);
    const auto gainAt = [&](const Decimal &price) {
        const Decimal second = PriceLeg(terms, secondSide, price, q.quantity).cash();
        return sellFirst ? answer.first.cash() - second : second - answer.first.cash();
    };
    if (q.secondPrice) {
        answer.second = PriceLeg(terms, secondSide, *q.secondPrice, q.quantity);
        answer.gain = gainAt(*q.secondPrice);
        if (q.holding && q.costPerShare)
            answer.dilutedCost = ((*q.holding * *q.costPerShare) - *answer.gain).toRational() / q.holding->toRational();
    }
    // 正T gains less the higher the buy-back: search its ticks from the top.
    const PriceGrid grid(terms.fees.rules().market);
    const std::int64_t ticks = grid.size();
    const std::int64_t firstTick = grid.indexOf(q.firstPrice).value_or(1);
    const auto priceAt = [&](std::int64_t step) { return grid.priceAt(sellFirst ? ticks + 1 - step : step); };
    const auto secondPriceFor = [&](const Decimal &goal) -> std::optional<Decimal> {
        const std::optional<std::int64_t> step = lowestStepReaching(
            terms, ticks, sellFirst ? ticks + 1 - firstTick : firstTick, goal,
            [&](std::int64_t at) { return gainAt(priceAt(at)); });
        return step ? std::optional(priceAt(*step)) : std::nullopt;
    };
    answer.breakEvenPrice = secondPriceFor(Decimal());
    if (!answer.breakEvenPrice)
        answer.message = Text("PositionTools", kNoBreakEvenPrice.data());
    if (q.targetGain) {
        answer.targetPrice = secondPriceFor(*q.targetGain);
        if (!answer.targetPrice) {
            const Text noTarget("PositionTools", kNoTargetPrice.data());
            answer.message = answer.message ? TALLYFIN_TEXT("PositionTools", "%1；%2").arg(*answer.message).arg(noTarget)
                                            : noTarget;
        }
    }
    return answer;
}

namespace {

// The step of the smallest purchase reaching the target, if any.
std::optional<std::int64_t> smallestPurchaseStep(const PositionTerms &terms, const TopUpQuestion &q)
{
    if (purchasesCannotReach(terms, q))
        return std::nullopt;
    const auto marginAt = [&](std::int64_t step) {
        const Decimal quantity = quantityAtStep(terms.lot, step);
        return q.targetCost * (q.holding + quantity) - q.cashPaid - PriceLeg(terms, TradeSide::Buy, q.price, quantity).cash();
    };
    const double perShare =
        priceInYuan(terms, TradeSide::Buy, q.price).approximate() * (1 + marginalRate(terms, TradeSide::Buy, q.price));
    const double estimate = (q.cashPaid - q.targetCost * q.holding).approximate()
                            / (q.targetCost.approximate() - perShare) / static_cast<double>(terms.lot.step);
    return lowestStepReaching(terms, stepsAtMost(terms.lot, kMaxShares - q.holding), StartTick(estimate), Decimal(),
                              marginAt);
}

} // namespace

TopUpAnswer SolveTopUp(const PositionTerms &terms, const TopUpQuestion &q)
{
    require(q.targetCost > priceInYuan(terms, TradeSide::Buy, q.price),
            TALLYFIN_TEXT("PositionTools", "目标成本应高于补仓价格"));
    TopUpAnswer answer;
    answer.newCost = q.cashPaid.toRational() / q.holding.toRational();
    // Exact: cash ≤ target × shares, never a rounded cost per share.
    if (q.cashPaid <= q.targetCost * q.holding) {
        answer.quantity = Decimal();
        answer.message = Text("PositionTools", kNoTopUpNeeded.data());
        return answer;
    }
    const std::optional<std::int64_t> step = smallestPurchaseStep(terms, q);
    if (!step) {
        answer.message = Text("PositionTools", kTopUpUnreachable.data());
        return answer;
    }
    answer.quantity = quantityAtStep(terms.lot, *step);
    answer.purchase = PriceLeg(terms, TradeSide::Buy, q.price, *answer.quantity);
    answer.newCost = (q.cashPaid + answer.purchase->cash()).toRational() / (q.holding + *answer.quantity).toRational();
    return answer;
}

RecoverAnswer SolveRecover(const PositionTerms &terms, const RecoverQuestion &q)
{
    const auto saleOf = [&](const Decimal &quantity) { return PriceLeg(terms, TradeSide::Sell, q.price, quantity); };
    const double perShare =
        priceInYuan(terms, TradeSide::Sell, q.price).approximate() * (1 - marginalRate(terms, TradeSide::Sell, q.price));
    const double estimate = q.cashIn.approximate() / perShare / static_cast<double>(terms.lot.step);
    const std::optional<std::int64_t> step =
        lowestStepReaching(terms, stepsAtMost(terms.lot, q.holding), StartTick(estimate), q.cashIn,
                           [&](std::int64_t at) { return saleOf(quantityAtStep(terms.lot, at)).cash(); });
    RecoverAnswer answer;
    // The whole holding may be sold in one order even off the lot.
    const TradeLeg sale = step ? saleOf(quantityAtStep(terms.lot, *step)) : saleOf(q.holding);
    if (sale.cash() < q.cashIn) {
        answer.shortfall = q.cashIn - sale.cash();
        answer.remaining = q.holding;
        answer.message = Text("PositionTools", kRecoverUnreachable.data());
        return answer;
    }
    answer.sale = sale;
    answer.remaining = q.holding - sale.quantity;
    return answer;
}

} // namespace tallyfin
