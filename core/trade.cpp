#include "trade.h"

#include "classictrade.h"
#include "datedtrade.h"
#include "target.h"

namespace tallyfin {

namespace {

// The fields of one group, in the order the calculation writes them.
struct GroupFields {
    std::string TradeFields::*price, TradeFields::*quantity;
    std::string TradeFields::*amount, TradeFields::*commission, TradeFields::*stampDuty, TradeFields::*transferFee,
        TradeFields::*levies, TradeFields::*totalFees;
    std::optional<HkSideTexts> TradeFields::*hongKong;
};

constexpr GroupFields kBuyGroup{&TradeFields::buyPrice,       &TradeFields::buyQuantity,    &TradeFields::buyAmount,
                                &TradeFields::buyCommission,  &TradeFields::buyStampDuty,   &TradeFields::buyTransferFee,
                                &TradeFields::buyLevies,      &TradeFields::buyFees,        &TradeFields::buyHongKong};
constexpr GroupFields kSellGroup{&TradeFields::sellPrice,      &TradeFields::sellQuantity,   &TradeFields::sellAmount,
                                 &TradeFields::sellCommission, &TradeFields::sellStampDuty,  &TradeFields::sellTransferFee,
                                 &TradeFields::sellLevies,     &TradeFields::sellFees,       &TradeFields::sellHongKong};

// What a side was calculated from, and its figures for what follows.
template <typename Rules>
struct Side {
    typename Rules::Price price;
    typename Rules::Quantity quantity;
    typename Rules::Figures figures;
};

// A side's price and quantity, then its fees field by field, each written as
// soon as it is known.
template <typename Rules>
Side<Rules> calculateSide(TradeFields &f, const GroupFields &group, TradeSide tradeSide, const Rules &rules)
{
    const typename Rules::Price price = rules.readPrice(f.*group.price, tradeSide);
    if (Rules::kRewritesBuyPrice && tradeSide == TradeSide::Buy)
        f.*group.price = rules.priceText(price);
    const typename Rules::Quantity quantity = rules.readQuantity(f.*group.quantity, tradeSide);
    const Side<Rules> side{price, quantity, rules.figures(tradeSide, price, quantity)};
    f.*group.amount = rules.money(side.figures.amount());
    f.*group.commission = rules.money(side.figures.commission());
    f.*group.stampDuty = rules.money(side.figures.stampDuty());
    f.*group.transferFee = rules.money(side.figures.transferFee());
    if (const std::optional<std::string> levies = rules.leviesText(side.figures))
        f.*group.levies = *levies;
    f.*group.totalFees = rules.money(side.figures.totalFees());
    f.*group.hongKong = rules.hongKongTexts(side.figures);
    return side;
}

template <typename Rules>
void calculateBuy(TradeFields &f, const Rules &rules)
{
    const Side<Rules> bought = calculateSide(f, kBuyGroup, TradeSide::Buy, rules);
    const typename Rules::Money cashPaid = bought.figures.cash();
    f.cashPaid = rules.money(cashPaid);
    f.costPerShare = rules.costPerShare(cashPaid, bought.quantity);
    f.breakEvenPrice = rules.breakEvenPrice(bought.figures, bought.price, bought.quantity);
}

// Without a sell price there is nothing to do; an empty sell quantity takes
// the bought one; with neither, the notice.
std::optional<TradeOutcome> startSale(TradeFields &f)
{
    if (f.sellPrice.empty())
        return TradeOutcome::Calculated;
    if (f.sellQuantity.empty())
        f.sellQuantity = f.buyQuantity;
    if (f.sellQuantity.empty())
        return TradeOutcome::SellQuantityMissing;
    return std::nullopt;
}

template <typename Rules>
TradeOutcome calculateSell(TradeFields &f, const Rules &rules)
{
    if (const std::optional<TradeOutcome> stop = startSale(f))
        return *stop;
    const typename Rules::Money netReceipts = calculateSide(f, kSellGroup, TradeSide::Sell, rules).figures.cash();
    f.netReceipts = rules.money(netReceipts);
    // A sale on its own has no result to compare.
    if (f.buyPrice.empty() && f.buyQuantity.empty())
        return TradeOutcome::Calculated;
    // Against the cash paid as the buy group shows it.
    const SaleResult result = rules.result(netReceipts, rules.readCashPaid(f.cashPaid));
    f.returnColor = f.profitColor = result.gain ? FieldColor::Red : FieldColor::Green;
    f.returnPercent = result.returnPercent;
    f.profit = result.profit;
    return TradeOutcome::Calculated;
}

template <typename Rules>
TradeOutcome calculate(TradeFields &fields, const Rules &rules)
{
    if (!fields.buyPrice.empty() && !fields.buyQuantity.empty())
        calculateBuy(fields, rules);
    return calculateSell(fields, rules);
}

} // namespace

TradeOutcome CalculateTrade(TradeFields &fields, DecimalSeparator separator)
{
    const TradeOutcome outcome = fields.rules == RuleSet::Dated ? calculate(fields, DatedRules(fields, separator))
                                                                : calculate(fields, ClassicRules(fields, separator));
    if (outcome == TradeOutcome::Calculated)
        ShowTargetPrice(fields, separator);
    return outcome;
}

void ClearTrade(TradeFields &fields)
{
    for (const GroupFields &group : {kBuyGroup, kSellGroup})
        for (std::string TradeFields::*text : {group.price, group.quantity, group.amount, group.commission,
                                               group.stampDuty, group.transferFee, group.levies, group.totalFees})
            (fields.*text).clear();
    fields.buyHongKong = fields.sellHongKong = std::nullopt;
    for (std::string *text : {&fields.cashPaid, &fields.costPerShare, &fields.breakEvenPrice, &fields.netReceipts,
                              &fields.returnPercent, &fields.profit, &fields.targetPrice, &fields.targetYield})
        text->clear();
    fields.returnColor = FieldColor::Window;
    fields.profitColor = FieldColor::Window;
}

} // namespace tallyfin
