#include "trade.h"

#include "datedtrade.h"
#include "fees.h"
#include "target.h"

namespace tallyfin {

namespace {

// A typed number as the calculations use it: parsed, then rounded to double.
double parseInput(std::string_view text, DecimalSeparator separator)
{
    return RoundToDouble(ParseDecimal(text, separator));
}

} // namespace

FeeSettings ReadFeeSettings(const TradeFields &fields, DecimalSeparator separator)
{
    FeeSettings fees;
    fees.exchange = fields.zjs;
    fees.commissionRate = parseInput(fields.ComboBox1, separator);
    fees.stampDutyRate = parseInput(fields.ComboBox2, separator);
    fees.stampDutyBothSides = fields.CheckBox1;
    fees.minimumCommission = !fields.noMinimum;
    return fees;
}

std::optional<TradeOutcome> StartSale(TradeFields &f)
{
    if (f.Edit2.empty())
        return TradeOutcome::Calculated;
    if (f.Edit3.empty())
        f.Edit3 = f.sl;
    if (f.Edit3.empty())
        return TradeOutcome::SellQuantityMissing;
    return std::nullopt;
}

Extended ClassicNetReceipts(double amount, double commission, double stampDuty, double transferFee)
{
    return ((Extended(amount) - commission) - stampDuty) - transferFee;
}

double ClassicReturnPercent(Extended netReceipts, Extended cashPaid)
{
    return RoundToDouble(Extended(RoundHalfEven((netReceipts - cashPaid) / cashPaid * 10000)) / 100);
}

namespace {

void calculateBuy(TradeFields &f, const FeeSettings &fees, DecimalSeparator separator)
{
    const auto show = [separator](Extended value) { return FormatGeneral(value, separator); };

    const double price = parseInput(f.jg, separator);
    f.jg = show(price);
    const double quantity = parseInput(f.sl, separator);

    const double amount = TradeAmount(price, quantity);
    f.Edit4 = show(amount);
    const double commission = CommissionFee(price, quantity, fees.commissionRate, fees.minimumCommission);
    f.Edit5 = show(commission);
    // A buy pays stamp duty only where it is charged on both sides.
    const double buyStampDuty =
        fees.stampDutyBothSides ? StampDutyFee(price, quantity, fees.stampDutyRate) : 0.0;
    f.Edit6 = show(buyStampDuty);
    const double transfer = TransferFee(fees.exchange, quantity);
    f.Edit7 = show(transfer);
    f.Edit8 = show((Extended(transfer) + commission) + buyStampDuty);
    const Extended cashPaid = ((Extended(commission) + amount) + transfer) + buyStampDuty;
    f.Edit9 = show(cashPaid);
    f.Edit10 = show(RoundCents(cashPaid / quantity));
    // Break-even: the sale's stamp duty at the buy price, whatever the
    // both-sides setting, and commission and transfer fee paid twice.
    const double saleStampDuty = StampDutyFee(price, quantity, fees.stampDutyRate);
    f.Edit11 = show(RoundCents(
        (saleStampDuty + (2 * Extended(transfer) + (2 * Extended(commission) + amount))) / quantity));
}

// The return (percent, two decimals) and the profit of the net receipts
// against the cash paid shown in the buy group.
void showTradeResult(TradeFields &f, Extended netReceipts, DecimalSeparator separator)
{
    // Each use reads the cash paid afresh from its field, in extended precision.
    const auto cashPaid = [&] { return ParseDecimal(f.Edit9, separator); };

    const double returnPercent = ClassicReturnPercent(netReceipts, cashPaid());
    const double profit = RoundToDouble(netReceipts - cashPaid());
    const FieldColor color = returnPercent > 0 ? FieldColor::Red : FieldColor::Green;
    f.Edit18Color = color;
    f.Edit19Color = color;
    f.Edit18 = FormatGeneral(returnPercent, separator);
    f.Edit19 = FormatGeneral(profit, separator);
}

TradeOutcome calculateSell(TradeFields &f, const FeeSettings &fees, DecimalSeparator separator)
{
    const auto show = [separator](Extended value) { return FormatGeneral(value, separator); };

    if (const std::optional<TradeOutcome> stop = StartSale(f))
        return *stop;

    const double price = parseInput(f.Edit2, separator);
    const double quantity = parseInput(f.Edit3, separator);

    const double amount = TradeAmount(price, quantity);
    f.Edit12 = show(amount);
    const double commission = CommissionFee(price, quantity, fees.commissionRate, fees.minimumCommission);
    f.Edit13 = show(commission);
    // A sale always pays stamp duty.
    const double stampDuty = StampDutyFee(price, quantity, fees.stampDutyRate);
    f.Edit14 = show(stampDuty);
    const double transfer = TransferFee(fees.exchange, quantity);
    f.Edit15 = show(transfer);
    f.Edit16 = show(Extended(transfer) + (Extended(stampDuty) + commission));
    const Extended netReceipts = ClassicNetReceipts(amount, commission, stampDuty, transfer);
    f.Edit17 = show(netReceipts);

    // A sale on its own has no result to compare.
    if (f.jg.empty() && f.sl.empty())
        return TradeOutcome::Calculated;
    showTradeResult(f, netReceipts, separator);
    return TradeOutcome::Calculated;
}

TradeOutcome calculateClassic(TradeFields &fields, DecimalSeparator separator)
{
    const FeeSettings fees = ReadFeeSettings(fields, separator);
    if (!fields.jg.empty() && !fields.sl.empty())
        calculateBuy(fields, fees, separator);
    return calculateSell(fields, fees, separator);
}

} // namespace

TradeOutcome CalculateTrade(TradeFields &fields, DecimalSeparator separator)
{
    const TradeOutcome outcome =
        fields.rules == RuleSet::Dated ? CalculateDatedTrade(fields, separator) : calculateClassic(fields, separator);
    if (outcome == TradeOutcome::Calculated)
        ShowTargetPrice(fields, separator);
    return outcome;
}

void ClearTrade(TradeFields &fields)
{
    for (std::string *text : {&fields.jg, &fields.sl, &fields.Edit2, &fields.Edit3, &fields.Edit4,
                              &fields.Edit5, &fields.Edit6, &fields.Edit7, &fields.Edit8, &fields.Edit9,
                              &fields.Edit10, &fields.Edit11, &fields.Edit12, &fields.Edit13,
                              &fields.Edit14, &fields.Edit15, &fields.Edit16, &fields.Edit17,
                              &fields.Edit18, &fields.Edit19, &fields.buyLevies, &fields.sellLevies, &fields.targetPrice,
                              &fields.targetYield})
        text->clear();
    fields.Edit18Color = FieldColor::Window;
    fields.Edit19Color = FieldColor::Window;
}

} // namespace tallyfin
