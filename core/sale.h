#pragma once

#include <cstdint>
#include <string>

#include "extended.h"
#include "feerules.h"
#include "pricesearch.h"

namespace tallyfin {

// The steps of a sale that both rule sets share, over a rule policy
// (ClassicRules in classictrade.h, DatedRules in datedtrade.h). A policy has
// the NumberTypes below and
//   figures(side, price, quantity) -> Figures: amount(), commission(),
//       stampDuty(), transferFee(), totalFees() and cash() (paid on a buy,
//       received on a sale), each Money, computed when asked, so that a
//       fault stops exactly at the figure it belongs to;
//   money(Money), priceText(Price) -> the texts the window shows;
//   result(net receipts, cash paid) -> SaleResult;
//   priceAtTick(k) for k = 1 … maxTick(), tickNear(an approximate price in
//   yuan), profit(net receipts, cash paid) as a Decimal, maxDip(quantity,
//   cash paid) and estimateTerms(quantity) for the search.

// What a rule policy holds prices, quantities and money in.
template <typename PriceType, typename QuantityType, typename MoneyType>
struct NumberTypes {
    using Price = PriceType;
    using Quantity = QuantityType;
    using Money = MoneyType;
};

// The return and the profit of a sale against the cash paid, as shown.
struct SaleResult {
    std::string returnPercent, profit;
    bool gain = false; // the return is above zero: the results turn red
};

// What selling at one price gives, as the rule set shows it.
struct SaleTexts {
    std::string price, netReceipts, profit, returnPercent;
};

// What the start of a price search counts: the fees that do not grow with
// the amount, and the rates (‰ of the amount) of those that do.
struct EstimateTerms {
    double fixedFees = 0;
    double ratesPerMille = 0;
};

inline double Approximately(Extended value) { return static_cast<double>(value.value()); }
inline double Approximately(double value) { return value; }
inline double Approximately(const Decimal &value) { return value.approximate(); }

// The profit of selling `quantity` at each tick of the policy's market,
// against `cashPaid`, for a search for `goal`.
template <typename Rules>
SaleCurve SaleCurveOf(const Rules &rules, const typename Rules::Quantity &quantity,
                      const typename Rules::Money &cashPaid, const Decimal &goal)
{
    SaleCurve curve;
    curve.profitAt = [rules, quantity, cashPaid](std::int64_t tick) {
        return rules.profit(rules.figures(TradeSide::Sell, rules.priceAtTick(tick), quantity).cash(), cashPaid);
    };
    curve.maxDip = rules.maxDip(quantity, cashPaid);
    curve.maxTick = rules.maxTick();
    const EstimateTerms terms = rules.estimateTerms(quantity);
    curve.estimate = rules.tickNear(EstimatePrice(Approximately(cashPaid) + goal.approximate(), terms.fixedFees,
                                                  terms.ratesPerMille, Approximately(quantity)));
    return curve;
}

// Selling `quantity` at one tick, as the window would show it.
template <typename Rules>
SaleTexts SaleTextsAt(const Rules &rules, std::int64_t tick, const typename Rules::Quantity &quantity,
                      const typename Rules::Money &cashPaid)
{
    const typename Rules::Price price = rules.priceAtTick(tick);
    const typename Rules::Money net = rules.figures(TradeSide::Sell, price, quantity).cash();
    SaleResult result = rules.result(net, cashPaid);
    return {rules.priceText(price), rules.money(net), std::move(result.profit), std::move(result.returnPercent)};
}

} // namespace tallyfin
