#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "feeschedule.h"
#include "pricegrid.h"
#include "sale.h"
#include "trade.h"

namespace tallyfin {

// The dated rules' fee schedule from the fields: the market, the trade date,
// the commission rate (typed or chosen) and the two options; for 港股通 the
// two settlement rates as well. Throws EFeeRulesError for a market or date
// the table does not cover, EConvertError for a rate that is not a number,
// EInputRejected for a commission rate outside 0 … kMaxCommissionPerMille ‰
// or a settlement rate missing or refused (see ReadSettlementRate).
FeeSchedule ReadFeeSchedule(const TradeFields &fields, DecimalSeparator separator);

// profit ÷ cash paid in %, half up to two decimals (cash paid not zero).
//   DatedReturnPercent(984.29, 10005.10) -> 9.84
Decimal DatedReturnPercent(const Decimal &profit, const Decimal &cashPaid);

// What the break-even field shows when no price breaks even (context "Trade").
inline constexpr std::string_view kNoBreakEven = TALLYFIN_TR_NOOP("Trade", "无法保本");

// The dated rules in the sale pipeline (see sale.h): the fees of a
// FeeSchedule in exact money. Money shows two decimals ("5.10"), prices, the
// cost per share and the break-even price the market's tick, the return two
// decimals, half up. The break-even price is the lowest tick at which
// selling the bought quantity returns at least the cash paid; kNoBreakEven
// when none does.
// 港股通: prices in HKD on the spread table (a typed price off it is
// refused), money in yuan as China Clear settles it, the levies field
// always shown (Hong Kong's levies and 换汇尾差), the cost per share in yuan
// with three decimals; the break-even price is the lowest price on the
// spread table that does it, at the sell rate.
class DatedRules : public NumberTypes<Decimal, Decimal, Decimal> {
public:
    static constexpr bool kRewritesBuyPrice = false;

    explicit DatedRules(FeeSchedule schedule, DecimalSeparator separator = kDecimalPoint);
    DatedRules(const TradeFields &fields, DecimalSeparator separator);

    // A typed price or quantity, exactly; EConvertError when it is no number,
    // EInputRejected outside what the dated rules accept.
    //   readPrice("10.5", Buy) -> 10.5,  readQuantity("1e3", Sell) -> 1000
    //   readQuantity("10.5", Buy) throws EInputRejected("买入数量应为 1 到 10000000000 之间的整数")
    Decimal readPrice(const std::string &typed, TradeSide side) const;
    Decimal readQuantity(const std::string &typed, TradeSide side) const;
    Decimal readCashPaid(const std::string &typed) const { return Decimal::parse(typed, m_separator); }

    class Figures {
    public:
        Figures(const SideFees &fees, TradeSide side) : m_fees(fees), m_side(side) {}
        const Decimal &amount() const { return m_fees.amount; }
        const Decimal &commission() const { return m_fees.commission; }
        const Decimal &stampDuty() const { return m_fees.stampDuty; }
        const Decimal &transferFee() const { return m_fees.transferFee; }
        const Decimal &levies() const { return m_fees.levies; }
        Decimal totalFees() const { return m_fees.total(); }
        Decimal cash() const { return m_fees.cash(m_side); }
        const std::optional<HkSideFees> &hongKong() const { return m_fees.hongKong; }

    private:
        SideFees m_fees;
        TradeSide m_side;
    };

    Figures figures(TradeSide side, const Decimal &price, const Decimal &quantity) const
    {
        return {m_schedule.fees(side, price, quantity), side};
    }

    std::string money(const Decimal &value) const { return value.toFixed(2, m_separator); }
    std::string priceText(const Decimal &price) const { return price.toFixed(m_grid.decimalsAt(price), m_separator); }
    // The levies on top, or an empty field when they are inside the commission.
    std::optional<std::string> leviesText(const Figures &side) const;
    // A 港股通 side's HKD figures; nothing for the other markets.
    std::optional<HkSideTexts> hongKongTexts(const Figures &side) const;
    std::string costPerShare(const Decimal &cashPaid, const Decimal &quantity) const;
    std::string breakEvenPrice(const Figures &bought, const Decimal &price, const Decimal &quantity) const;
    // Throws EZeroDivide for a cash paid of 0 (EInvalidOp when the profit is 0 too).
    SaleResult result(const Decimal &netReceipts, const Decimal &cashPaid) const;

    std::int64_t maxTick() const { return m_grid.size(); }
    // From a price in yuan, converted at the sell rate for 港股通.
    std::int64_t tickNear(double price) const;
    Decimal priceAtTick(std::int64_t tick) const { return m_grid.priceAt(tick); }
    Decimal profit(const Decimal &netReceipts, const Decimal &cashPaid) const { return netReceipts - cashPaid; }
    Decimal maxDip(const Decimal &quantity, const Decimal &cashPaid) const;
    EstimateTerms estimateTerms(const Decimal &quantity) const;
    // Every quantity readQuantity accepts can be searched.
    void requireSearchable(const Decimal &) const {}

    const FeeSchedule &schedule() const { return m_schedule; }

private:
    bool hongKong() const { return m_schedule.rules().hongKong(); }

    FeeSchedule m_schedule;
    PriceGrid m_grid;
    DecimalSeparator m_separator;
};

} // namespace tallyfin
