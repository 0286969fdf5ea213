#pragma once

#include <cstdint>
#include <string>

#include "fees.h"
#include "pricegrid.h"
#include "sale.h"
#include "trade.h"

namespace tallyfin {

// The fee settings the classic rules read from the fields; the rates parsed
// and rounded to double (EConvertError for a rate that is no number).
FeeSettings ReadFeeSettings(const TradeFields &fields, DecimalSeparator separator);

// The classic rules in the sale pipeline (see sale.h): typed numbers rounded
// to double, each fee a double, sums in extended precision in the order
// written, every figure shown by FormatGeneral.
class ClassicRules : public NumberTypes<double, double, Extended> {
public:
    // The classic rules show the typed buy price in its normal form ("10.50" -> "10.5").
    static constexpr bool kRewritesBuyPrice = true;

    ClassicRules(const TradeFields &fields, DecimalSeparator separator);

    double readPrice(const std::string &typed, TradeSide side) const;
    double readQuantity(const std::string &typed, TradeSide side) const;
    Extended readCashPaid(const std::string &typed) const;

    // One side's figures, each computed when asked.
    class Figures {
    public:
        Figures(const FeeSettings &fees, TradeSide side, double price, double quantity);
        Extended amount() const;
        Extended commission() const;
        Extended stampDuty() const; // a buy pays it only where it is charged on both sides
        Extended transferFee() const;
        Extended totalFees() const;
        Extended cash() const;

    private:
        const FeeSettings &m_fees;
        TradeSide m_side;
        double m_price, m_quantity;
    };

    Figures figures(TradeSide side, double price, double quantity) const { return {m_fees, side, price, quantity}; }

    std::string money(Extended value) const { return FormatGeneral(value, m_separator); }
    std::string priceText(double price) const { return FormatGeneral(price, m_separator); }
    // The classic rules have no levies of their own: the field stays as it is.
    std::optional<std::string> leviesText(const Figures &) const { return std::nullopt; }
    // Nor any Hong Kong trade.
    std::optional<HkSideTexts> hongKongTexts(const Figures &) const { return std::nullopt; }
    //   RoundCents(cash paid ÷ quantity)
    std::string costPerShare(Extended cashPaid, double quantity) const;
    // The sale's stamp duty at the buy price, whatever the both-sides setting,
    // and commission and transfer fee paid twice, over the quantity, to cents.
    std::string breakEvenPrice(const Figures &bought, double price, double quantity) const;
    // RoundHalfEven((net − cash paid) ÷ cash paid × 10000) ÷ 100, then the
    // profit net − cash paid, each rounded to double.
    SaleResult result(Extended netReceipts, Extended cashPaid) const;

    // The search over ticks: the price the window would read from the tick's
    // text (correctly rounded, then rounded to double).
    std::int64_t maxTick() const { return PriceGrid(m_tickMarket).size(); }
    std::int64_t tickNear(double price) const { return PriceGrid(m_tickMarket).indexNear(price); }
    double priceAtTick(std::int64_t tick) const;
    Decimal profit(Extended netReceipts, Extended cashPaid) const;
    Decimal maxDip(double quantity, Extended cashPaid) const;
    EstimateTerms estimateTerms(double quantity) const;
    // A quantity and rates no price can be found for are refused (EInputRejected).
    void requireSearchable(double quantity) const;

private:
    FeeSettings m_fees;
    DecimalSeparator m_separator;
    // The market whose tick the prices follow: one the rules do not list trades on the share tick.
    Market m_tickMarket;
};

} // namespace tallyfin
