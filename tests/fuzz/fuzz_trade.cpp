// The calculate action over arbitrary field texts. The input's first line is
// a flags byte, the following lines are the texts of
//   buy price, buy quantity, sell price, sell quantity, commission rate,
//   stamp-duty rate, market, cash paid
// in that order; fields without a line keep the window's start-up texts
// ("3.0", "1", "上海A股", the others empty). Flags: bit 0 stamp duty on both sides, bit 1
// "," as the separator (else "."), bit 2 result colours red from a previous
// calculation (else normal). Seeds are readable: "0\n10\n1000\n11".
//
// The result fields start with a marker no calculation writes, so the checks
// see exactly which fields a calculation wrote.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "trade.h"

namespace tallyfin::fuzz {
namespace {

constexpr std::string_view kStale = "\x01stale";

using Group = std::array<std::string TradeFields::*, 8>;
constexpr Group kBuyResults{&TradeFields::buyAmount, &TradeFields::buyCommission, &TradeFields::buyStampDuty, &TradeFields::buyTransferFee,
                            &TradeFields::buyFees, &TradeFields::cashPaid, &TradeFields::costPerShare, &TradeFields::breakEvenPrice};
constexpr Group kSellResults{&TradeFields::sellAmount, &TradeFields::sellCommission, &TradeFields::sellStampDuty,
                             &TradeFields::sellTransferFee, &TradeFields::sellFees, &TradeFields::netReceipts,
                             &TradeFields::returnPercent, &TradeFields::profit};

TradeFields fieldsFrom(const FieldInput &input)
{
    TradeFields f;
    for (std::string TradeFields::*result : kBuyResults)
        f.*result = kStale;
    for (std::string TradeFields::*result : kSellResults)
        f.*result = kStale;
    f.buyPrice = input.textOr(0, "");
    f.buyQuantity = input.textOr(1, "");
    f.sellPrice = input.textOr(2, "");
    f.sellQuantity = input.textOr(3, "");
    f.commissionRate = input.textOr(4, f.commissionRate);
    f.stampDutyRate = input.textOr(5, f.stampDutyRate);
    f.market = input.textOr(6, f.market);
    f.cashPaid = input.textOr(7, kStale);
    f.stampDutyBothSides = (input.flags & 1u) != 0;
    const FieldColor color = (input.flags & 4u) ? FieldColor::Red : FieldColor::Window;
    f.returnColor = color;
    f.profitColor = color;
    return f;
}

bool written(const TradeFields &after, const TradeFields &before, std::string TradeFields::*field)
{
    return after.*field != before.*field;
}

// A calculation writes each group's fields in order and stops at a failing
// step, so what it wrote is a leading run of the group, each a shown number.
// Edit9 may already have held the very text the calculation writes, so it
// counts as written when a later field was.
void checkGroup(const TradeFields &after, const TradeFields &before, const Group &group, bool complete,
                DecimalSeparator separator, const char *name)
{
    bool stopped = false;
    for (std::size_t i = group.size(); i-- > 0;) {
        std::string TradeFields::*field = group[i];
        const bool wrote = written(after, before, field) || (field == &TradeFields::cashPaid && stopped);
        if (wrote) {
            check(isGeneralText(after.*field, separator), "a result field holds something FormatGeneral never writes",
                  after.*field);
            stopped = true;
        } else {
            check(!stopped, "a calculation skipped a field and wrote a later one", name);
        }
    }
    if (complete)
        for (std::string TradeFields::*field : group)
            check(written(after, before, field) || field == &TradeFields::cashPaid,
                  "a finished calculation left a result field unwritten", name);
}

constexpr std::array<std::string TradeFields::*, 23> kTexts{
    &TradeFields::market,    &TradeFields::commissionRate, &TradeFields::stampDutyRate, &TradeFields::buyPrice,     &TradeFields::buyQuantity,
    &TradeFields::sellPrice,  &TradeFields::sellQuantity,     &TradeFields::buyAmount,     &TradeFields::buyCommission,  &TradeFields::buyStampDuty,
    &TradeFields::buyTransferFee,  &TradeFields::buyFees,     &TradeFields::cashPaid,     &TradeFields::costPerShare, &TradeFields::breakEvenPrice,
    &TradeFields::sellAmount, &TradeFields::sellCommission,    &TradeFields::sellStampDuty,    &TradeFields::sellTransferFee, &TradeFields::sellFees,
    &TradeFields::netReceipts, &TradeFields::returnPercent,    &TradeFields::profit};

TradeFields withCommas(TradeFields f)
{
    for (std::string TradeFields::*text : kTexts)
        for (char &c : f.*text)
            c = c == '.' ? ',' : c;
    return f;
}

// The separator is a parameter and nothing more: texts typed with "," where
// they had "." calculate to the same results, shown with "," for ".".
void checkSeparatorSwap(const TradeFields &before, const TradeFields &after, Thrown thrown, TradeOutcome outcome)
{
    for (std::string TradeFields::*text : kTexts)
        if ((before.*text).find(',') != std::string::npos)
            return;
    TradeFields comma = withCommas(before);
    TradeOutcome commaOutcome = TradeOutcome::Calculated;
    const Thrown commaThrown = runStep([&] { commaOutcome = CalculateTrade(comma, ","); });
    check(commaThrown == thrown && commaOutcome == outcome, "the separator changed how a calculation ended");
    const TradeFields expected = withCommas(after);
    for (std::string TradeFields::*text : kTexts)
        check(comma.*text == expected.*text, "the separator changed a result", comma.*text);
    check(comma.returnColor == after.returnColor && comma.profitColor == after.profitColor,
          "the separator changed the result colour");
}

void checkTrade(const FieldInput &input)
{
    const DecimalSeparator separator = (input.flags & 2u) ? "," : ".";
    const TradeFields before = fieldsFrom(input);
    TradeFields after = before;
    TradeOutcome outcome = TradeOutcome::Calculated;
    const Thrown thrown = runStep([&] { outcome = CalculateTrade(after, separator); });

    // What the user typed as settings and sell price is never rewritten.
    check(after.buyQuantity == before.buyQuantity && after.sellPrice == before.sellPrice && after.commissionRate == before.commissionRate
              && after.stampDutyRate == before.stampDutyRate && after.market == before.market && after.stampDutyBothSides == before.stampDutyBothSides,
          "the calculation rewrote an input other than the buy price or the sell quantity");
    if (after.buyPrice != before.buyPrice)
        check(isGeneralText(after.buyPrice, separator), "the buy price was rewritten to a text outside the grammar", after.buyPrice);
    if (after.sellQuantity != before.sellQuantity)
        check(before.sellQuantity.empty() && after.sellQuantity == after.buyQuantity, "the sell quantity was filled from something but sl");

    const bool finished = thrown == Thrown::Nothing;
    if (finished && outcome == TradeOutcome::SellQuantityMissing) {
        check(!after.sellPrice.empty() && after.sellQuantity.empty() && after.buyQuantity.empty(),
              "the sell-quantity notice without a sell price and no quantity");
        for (std::string TradeFields::*field : kSellResults)
            check(!written(after, before, field), "the sell-quantity notice came after writing the sell group");
        check(after.returnColor == before.returnColor && after.profitColor == before.profitColor,
              "the sell-quantity notice changed the result colours");
    }

    const bool buyRan = !before.buyPrice.empty() && !before.buyQuantity.empty();
    checkGroup(after, before, kBuyResults, finished && buyRan, separator, "buy group");
    const bool sellDone = finished && outcome == TradeOutcome::Calculated && !before.sellPrice.empty();
    const bool resultShown = !before.buyPrice.empty() || !before.buyQuantity.empty();
    checkGroup(after, before, kSellResults, sellDone && resultShown, separator, "sell group");
    // A fault in the buy group ends the calculation there.
    if (buyRan && !written(after, before, &TradeFields::breakEvenPrice)) {
        check(!finished, "the buy group was left unfinished without an error");
        check(after.sellQuantity == before.sellQuantity, "the sell group ran after a fault in the buy group");
        for (std::string TradeFields::*field : kSellResults)
            check(!written(after, before, field), "the sell group ran after a fault in the buy group");
    }
    if (sellDone && !resultShown)
        check(after.netReceipts != before.netReceipts && after.returnPercent == before.returnPercent && after.profit == before.profit,
              "a sale on its own showed a result against the buy group");

    // The colours change with the result they belong to: red for a gain.
    if (after.returnPercent != before.returnPercent) {
        long double percent = 0;
        check(runStep([&] { percent = ParseDecimal(after.returnPercent, separator).value(); }) == Thrown::Nothing,
              "the return does not parse back", after.returnPercent);
        const FieldColor expected = percent > 0 ? FieldColor::Red : FieldColor::Green;
        check(after.returnColor == expected && after.profitColor == expected, "the result colour is not the gain's");
    } else {
        check(after.returnColor == before.returnColor && after.profitColor == before.profitColor,
              "the colours changed without a new result");
    }

    if (separator == ".")
        checkSeparatorSwap(before, after, thrown, outcome);
}

} // namespace
} // namespace tallyfin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    tallyfin::fuzz::checkTrade(tallyfin::fuzz::splitFields(std::string_view(reinterpret_cast<const char *>(data), size)));
    return 0;
}
