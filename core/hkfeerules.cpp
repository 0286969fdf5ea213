#include "hkfeerules.h"

#include <algorithm>

namespace tallyfin {

namespace {

constexpr HkFeeItem Stamp = HkFeeItem::StampDuty;
constexpr HkFeeItem Trading = HkFeeItem::TradingFee;
constexpr HkFeeItem Tariff = HkFeeItem::TradingTariff;
constexpr HkFeeItem Sfc = HkFeeItem::SfcLevy;
constexpr HkFeeItem Afrc = HkFeeItem::AfrcLevy;
constexpr HkFeeItem Settlement = HkFeeItem::SettlementFee;
constexpr HkRounding Dollar = HkRounding::UpToDollar;
constexpr HkRounding Cent = HkRounding::HalfUpToCent;
constexpr Confidence P = Confidence::Primary;
constexpr Confidence S = Confidence::Secondary;

// The Hong Kong fees of Southbound Stock Connect since 沪港通 opened on
// 2014-11-17 (深港通 on 2016-12-05, at the same fees). Rates are per cent of
// the HKD amount; each row holds until the next row of its item.
constexpr HkFeeRuleRow kRows[] = {
    {"2014-11-17", Stamp, "0.1", "", "", "", Dollar, P,
     TALLYFIN_TR_NOOP("FeeTable", "香港税务局：股票交易印花税按成交金额的0.1%，不足1港元亦作1港元计"), ""},
    {"2014-11-17", Trading, "0.005", "", "", "", Cent, P, TALLYFIN_TR_NOOP("FeeTable", "香港交易所收费表：交易费0.005%"), ""},
    {"2014-11-17", Tariff, "0", "0.50", "", "", Cent, P,
     TALLYFIN_TR_NOOP("FeeTable", "香港交易所收费表：交易系统使用费每笔0.50港元"), ""},
    {"2014-11-17", Sfc, "0.0027", "", "", "", Cent, P,
     TALLYFIN_TR_NOOP("FeeTable", "香港交易所收费表：证监会交易征费0.0027%（2014-11-01起）"), ""},
    {"2014-11-17", Afrc, "0", "", "", "", Cent, P, TALLYFIN_TR_NOOP("FeeTable", "财汇局交易征费2022-01-01起才收取"), ""},
    {"2014-11-17", Settlement, "0.002", "", "2", "100", Cent, P,
     TALLYFIN_TR_NOOP("FeeTable", "香港交易所结算收费表：股份交收费0.002%，最低2港元，最高100港元"), ""},
    {"2021-08-01", Stamp, "0.13", "", "", "", Dollar, P,
     TALLYFIN_TR_NOOP("FeeTable", "香港税务局：2021年财政预算案，2021-08-01起上调为0.13%"), ""},
    {"2022-01-01", Afrc, "0.00015", "", "", "", Cent, P,
     TALLYFIN_TR_NOOP("FeeTable", "香港交易所收费表：财汇局交易征费0.00015%（2022-10-01起称会财局）；券商 2021-12 通知"), ""},
    {"2023-01-01", Trading, "0.00565", "", "", "", Cent, P,
     TALLYFIN_TR_NOOP("FeeTable", "香港交易所 2022-11-01 公告：2023-01-01起交易费0.00565%"), ""},
    {"2023-01-01", Tariff, "0", "", "", "", Cent, P,
     TALLYFIN_TR_NOOP("FeeTable", "香港交易所 2022-11-01 公告：2023-01-01起取消交易系统使用费"), ""},
    {"2023-11-17", Stamp, "0.1", "", "", "", Dollar, P,
     TALLYFIN_TR_NOOP("FeeTable", "香港税务局：2023-11-17起下调为0.1%"), ""},
    {"2025-06-30", Settlement, "0.0042", "", "", "", Cent, S,
     TALLYFIN_TR_NOOP("FeeTable", "香港交易所 2025 年公告：2025-06-30起股份交收费0.0042%，不设最低和最高收费"),
     TALLYFIN_TR_NOOP("FeeTable", "2025-06-30起的股份交收费尚未经真实交割单验证")},
};

TradeDate rowDate(const HkFeeRuleRow &row) { return *ParseTradeDate(row.effectiveFrom); }

bool charged(const HkFeeRuleRow &row)
{
    return Decimal::fromLiteral(row.ratePercent).sign() != 0 || !row.perTradeHkd.empty();
}

Text itemText(HkFeeItem item) { return Text("FeeRules", HkFeeItemName(item).data()); }

// "0.13%", "每笔 0.50 港元", "免"
Text rateText(const HkFeeRuleRow &row)
{
    if (!row.perTradeHkd.empty())
        return TALLYFIN_TEXT("FeeRules", "每笔 %1 港元").arg(std::string(row.perTradeHkd));
    if (!charged(row))
        return TALLYFIN_TEXT("FeeRules", "免");
    return TALLYFIN_TEXT("FeeRules", "%1%").arg(std::string(row.ratePercent));
}

// What bounds the figure: "不足 1 港元按 1 港元计", "最低 2 港元，最高 100 港元", or nothing.
std::optional<Text> boundsText(const HkFeeRuleRow &row)
{
    if (row.rounding == HkRounding::UpToDollar)
        return TALLYFIN_TEXT("FeeRules", "不足 1 港元按 1 港元计");
    if (row.minimumHkd.empty())
        return std::nullopt;
    return TALLYFIN_TEXT("FeeRules", "最低 %1 港元，最高 %2 港元")
        .arg(std::string(row.minimumHkd))
        .arg(std::string(row.maximumHkd));
}

} // namespace

std::span<const HkFeeRuleRow> HkFeeRuleTable() { return kRows; }

TradeDate HkRulesStart() { return rowDate(kRows[0]); }

HkRulesInForce HkRulesFor(TradeDate date)
{
    if (date < HkRulesStart())
        throw EFeeRulesError(TALLYFIN_TEXT("FeeRules", "%1 自 %2 起才有交易，成交日期 %3 没有它的费率")
                                 .arg(MarketText(Market::HongKong))
                                 .arg(FormatTradeDate(HkRulesStart()))
                                 .arg(FormatTradeDate(date)));
    HkRulesInForce rules{date, {}};
    for (const HkFeeRuleRow &row : kRows)
        if (rowDate(row) <= date)
            rules.rows[HkItemIndex(row.item)] = &row;
    return rules;
}

Text HkRulesDescription(const HkRulesInForce &rules)
{
    std::vector<Text> parts;
    for (const HkFeeItem item : kHkFeeItems) {
        const HkFeeRuleRow &row = rules.row(item);
        if (!charged(row))
            continue;
        Text part = TALLYFIN_TEXT("FeeRules", "%1 %2").arg(itemText(item)).arg(rateText(row));
        if (std::optional<Text> bounds = boundsText(row))
            part = TALLYFIN_TEXT("FeeRules", "%1（%2）").arg(std::move(part)).arg(std::move(*bounds));
        parts.push_back(std::move(part));
    }
    parts.push_back(TALLYFIN_TEXT("FeeRules", "均为双向，按港元计算"));
    return JoinTexts(parts, TALLYFIN_TEXT("FeeRules", "%1；%2"));
}

std::vector<std::string_view> HkRuleNotes(const HkRulesInForce &rules)
{
    std::vector<std::string_view> notes;
    for (const HkFeeItem item : kHkFeeItems) {
        const std::string_view note = rules.row(item).note;
        if (!note.empty() && std::find(notes.begin(), notes.end(), note) == notes.end())
            notes.push_back(note);
    }
    return notes;
}

Text HkRowTerms(const HkFeeRuleRow &row)
{
    Text terms = row.perTradeHkd.empty() && charged(row)
                     ? TALLYFIN_TEXT("FeeRules", "成交金额的 %1%").arg(std::string(row.ratePercent))
                     : rateText(row);
    terms = TALLYFIN_TEXT("FeeRules", "%1，%2").arg(std::move(terms)).arg(TALLYFIN_TEXT("FeeRules", "双向"));
    if (std::optional<Text> bounds = boundsText(row))
        terms = TALLYFIN_TEXT("FeeRules", "%1，%2").arg(std::move(terms)).arg(std::move(*bounds));
    return terms;
}

Text HkFeeTableEntry(const HkFeeRuleRow &row)
{
    return FeeTableParagraph(row.effectiveFrom, MarketText(Market::HongKong), itemText(row.item), HkRowTerms(row),
                             row.confidence, row.source, row.note);
}

std::string_view HkFeeItemName(HkFeeItem item)
{
    switch (item) {
    case HkFeeItem::StampDuty: return TALLYFIN_TR_NOOP("FeeRules", "印花税");
    case HkFeeItem::TradingFee: return TALLYFIN_TR_NOOP("FeeRules", "交易费");
    case HkFeeItem::TradingTariff: return TALLYFIN_TR_NOOP("FeeRules", "交易系统使用费");
    case HkFeeItem::SfcLevy: return TALLYFIN_TR_NOOP("FeeRules", "交易征费");
    case HkFeeItem::AfrcLevy: return TALLYFIN_TR_NOOP("FeeRules", "会财局征费");
    case HkFeeItem::SettlementFee: break;
    }
    return TALLYFIN_TR_NOOP("FeeRules", "股份交收费");
}

std::string_view HkFeeItemKey(HkFeeItem item)
{
    switch (item) {
    case HkFeeItem::StampDuty: return "stampDuty";
    case HkFeeItem::TradingFee: return "tradingFee";
    case HkFeeItem::TradingTariff: return "tradingTariff";
    case HkFeeItem::SfcLevy: return "sfcLevy";
    case HkFeeItem::AfrcLevy: return "afrcLevy";
    case HkFeeItem::SettlementFee: break;
    }
    return "settlementFee";
}

} // namespace tallyfin
