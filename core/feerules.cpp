#include "feerules.h"

#include <chrono>

#include <algorithm>

#include "hkfeerules.h"

namespace tallyfin {

namespace {

constexpr MarketSet SH = MarketBit(Market::ShanghaiA);
constexpr MarketSet SZ = MarketBit(Market::ShenzhenA);
constexpr MarketSet BJ = MarketBit(Market::BeijingA);
constexpr MarketSet SF = MarketBit(Market::ShanghaiFund);
constexpr MarketSet ZF = MarketBit(Market::ShenzhenFund);
constexpr MarketSet FW = MarketBit(Market::FundsWarrants);
constexpr MarketSet Funds = SF | ZF | FW;
constexpr MarketSet SB = MarketBit(Market::ShanghaiBond);
constexpr MarketSet ZB = MarketBit(Market::ShenzhenBond);
constexpr MarketSet Bonds = SB | ZB;

constexpr FeeItem Stamp = FeeItem::StampDuty;
constexpr FeeItem Transfer = FeeItem::TransferFee;
constexpr FeeItem Handling = FeeItem::HandlingFee;
constexpr FeeItem Management = FeeItem::ManagementFee;
constexpr FeeBasis Amount = FeeBasis::Amount;
constexpr FeeBasis Par = FeeBasis::ParValue;
constexpr FeeSides Both = FeeSides::Both;
constexpr FeeSides Sell = FeeSides::SellOnly;
constexpr Confidence P = Confidence::Primary;
constexpr Confidence S = Confidence::Secondary;
constexpr Confidence Q = Confidence::Uncertain;

constexpr std::string_view kShanghaiTransfer2012 =
    TALLYFIN_TR_NOOP("FeeTable", "2012-06-01至2015-07-31沪市过户费不确定：按中国结算的官方费率计，许多券商当时收取更多");

// The statutory fees of A-share, fund, convertible bond and warrant trades
// since 2001-11-16.
// Rates are per mille; each row holds until the next row of its item and market.
constexpr FeeRuleRow kRows[] = {
    {"2001-11-16", SH | SZ, Stamp, Amount, "2", Both, "", S, true,
     TALLYFIN_TR_NOOP("FeeTable", "财政部 2001-11-16 起由4‰调为2‰（中国证券报 2007-05-30）"), ""},
    {"2001-11-16", Funds, Stamp, Amount, "0", Both, "", S, true,
     TALLYFIN_TR_NOOP("FeeTable", "基金交易免征印花税（券商费率表）"), ""},
    {"2001-11-16", SH, Transfer, Par, "1", Both, "1", Q, true,
     TALLYFIN_TR_NOOP("FeeTable", "上交所收费表（约2008年）：成交面额的0.1%，起点1元"),
     TALLYFIN_TR_NOOP("FeeTable", "沪市过户费（面值的1‰，最低1元，面值按1元计）的起始日期未经证实")},
    {"2001-11-16", SZ, Transfer, Amount, "0.0255", Both, "", Q, false,
     TALLYFIN_TR_NOOP("FeeTable", "深交所 2012-04-30 通知：经手费0.1475‰中中国结算收取0.0255‰"),
     TALLYFIN_TR_NOOP("FeeTable", "深市过户费含在经手费内、不单独列示；起始日期未经证实")},
    {"2001-11-16", Funds, Transfer, Amount, "0", Both, "", S, true,
     TALLYFIN_TR_NOOP("FeeTable", "中国结算：ETF免收过户费"), ""},
    {"2001-11-16", Bonds, Stamp, Amount, "0", Both, "", S, true,
     TALLYFIN_TR_NOOP("FeeTable", "债券交易免征印花税（券商问答：债券与基金交易均免交）"), ""},
    {"2001-11-16", Bonds, Transfer, Amount, "0", Both, "", S, true,
     TALLYFIN_TR_NOOP("FeeTable", "可转债交易只收佣金与经手费（券商问答）"), ""},
    {"2001-11-16", SB, Handling, Amount, "0.04", Both, "", Q, true,
     TALLYFIN_TR_NOOP("FeeTable", "未找到上交所可转债经手费的来源"),
     TALLYFIN_TR_NOOP("FeeTable", "沪市可转债经手费未找到来源，按深市的0.04‰计")},
    {"2001-11-16", ZB, Handling, Amount, "0.04", Both, "", Q, true,
     TALLYFIN_TR_NOOP("FeeTable", "深交所《关于可转换公司债券收费标准的通知》（2022-07-29，现行标准）"),
     TALLYFIN_TR_NOOP("FeeTable", "深市可转债经手费0.04‰在2022-07-29之前的适用未经证实")},
    {"2001-11-16", Bonds, Management, Amount, "0", Both, "", Q, true,
     TALLYFIN_TR_NOOP("FeeTable", "发改价格〔2012〕2119号之前无来源"),
     TALLYFIN_TR_NOOP("FeeTable", "2012年之前债券的证管费未经证实（按免收计）")},
    {"2001-11-16", SH, Handling, Amount, "0.105", Both, "", Q, true,
     TALLYFIN_TR_NOOP("FeeTable", "上证财字〔2003〕2号（原0.105‰）"),
     TALLYFIN_TR_NOOP("FeeTable", "沪市经手费0.105‰的起始日期未经证实")},
    {"2001-11-16", SZ, Handling, Amount, "0.122", Both, "", Q, true,
     TALLYFIN_TR_NOOP("FeeTable", "深交所 2012-04-30 通知（本所收取0.122‰）"),
     TALLYFIN_TR_NOOP("FeeTable", "深市经手费0.122‰的起始日期未经证实")},
    {"2001-11-16", SF, Handling, Amount, "0.085", Both, "", Q, true,
     TALLYFIN_TR_NOOP("FeeTable", "上证财字〔2003〕2号（基金原0.085‰）"),
     TALLYFIN_TR_NOOP("FeeTable", "沪市基金经手费0.085‰的起始日期未经证实")},
    {"2001-11-16", ZF, Handling, Amount, "0.0487", Both, "", Q, true,
     TALLYFIN_TR_NOOP("FeeTable", "深证上〔2021〕655号（由0.0487‰下调）"),
     TALLYFIN_TR_NOOP("FeeTable", "深市基金经手费0.0487‰在2015-08-01之前的适用未经证实")},
    {"2001-11-16", FW, Handling, Amount, "0.085", Both, "", Q, true,
     TALLYFIN_TR_NOOP("FeeTable", "上证财字〔2003〕2号（基金原0.085‰）"),
     TALLYFIN_TR_NOOP("FeeTable", "基金经手费0.085‰的起始日期未经证实；沪深基金经手费不同时按沪市计")},
    {"2001-11-16", SH | SZ, Management, Amount, "0.045", Both, "", Q, true,
     TALLYFIN_TR_NOOP("FeeTable", "上证财字〔2003〕2号（证管费原0.045‰）"),
     TALLYFIN_TR_NOOP("FeeTable", "证管费0.045‰的起始日期未经证实，深市按沪市计")},
    {"2001-11-16", Funds, Management, Amount, "0", Both, "", P, true,
     TALLYFIN_TR_NOOP("FeeTable", "上证财字〔2003〕2号（基金原不收证管费）"), ""},
    {"2003-02-20", SH, Handling, Amount, "0.11", Both, "", Q, true, TALLYFIN_TR_NOOP("FeeTable", "上证财字〔2003〕2号"),
     TALLYFIN_TR_NOOP("FeeTable", "2003年经手费调整的生效日期未经证实（按通知日期计）")},
    {"2003-02-20", SF, Handling, Amount, "0.045", Both, "", Q, true,
     TALLYFIN_TR_NOOP("FeeTable", "上证财字〔2003〕2号"),
     TALLYFIN_TR_NOOP("FeeTable", "2003年经手费调整的生效日期未经证实（按通知日期计）")},
    {"2003-02-20", FW, Handling, Amount, "0.045", Both, "", Q, true,
     TALLYFIN_TR_NOOP("FeeTable", "上证财字〔2003〕2号"),
     TALLYFIN_TR_NOOP("FeeTable", "2003年经手费调整的生效日期未经证实（按通知日期计）；沪深基金经手费不同时按沪市计")},
    {"2003-02-20", SH | SZ | Funds, Management, Amount, "0.04", Both, "", Q, true,
     TALLYFIN_TR_NOOP("FeeTable", "上证财字〔2003〕2号"),
     TALLYFIN_TR_NOOP("FeeTable", "2003年证管费调整的生效日期未经证实（按通知日期计）")},
    {"2005-01-24", SH | SZ, Stamp, Amount, "1", Both, "", P,
     true, TALLYFIN_TR_NOOP("FeeTable", "财政部 国家税务总局《关于调整证券(股票)交易印花税税率的通知》"), ""},
    {"2007-05-30", SH | SZ, Stamp, Amount, "3", Both, "", P, true,
     TALLYFIN_TR_NOOP("FeeTable", "财税〔2007〕84号"), ""},
    {"2008-04-24", SH | SZ, Stamp, Amount, "1", Both, "", S, true,
     TALLYFIN_TR_NOOP("FeeTable", "新浪财经 2008-04-23"), ""},
    {"2008-09-19", SH | SZ, Stamp, Amount, "1", Sell, "", P, true,
     TALLYFIN_TR_NOOP("FeeTable", "财税明电〔2008〕2号：只对出让方征收"), ""},
    {"2012-01-01", SH | SZ, Management, Amount, "0.02", Both, "", Q, true,
     TALLYFIN_TR_NOOP("FeeTable", "发改价格〔2012〕2119号"),
     TALLYFIN_TR_NOOP("FeeTable", "证管费0.02‰向投资者收取的起始日期未经证实")},
    {"2012-01-01", Funds | Bonds, Management, Amount, "0", Both, "", P, true,
     TALLYFIN_TR_NOOP("FeeTable", "发改价格〔2012〕2119号：对证券投资基金和债券免收"), ""},
    {"2012-06-01", SH, Transfer, Par, "0.375", Both, "1", Q, true,
     TALLYFIN_TR_NOOP("FeeTable", "中国结算 2012-04-30 通知（他方整理的数据）"),
     kShanghaiTransfer2012},
    {"2012-06-01", SH | SZ, Handling, Amount, "0.087", Both, "", P, true,
     TALLYFIN_TR_NOOP("FeeTable", "沪深交易所 2012-04-30 通知"), ""},
    {"2012-09-01", SH, Transfer, Par, "0.3", Both, "1", Q, true,
     TALLYFIN_TR_NOOP("FeeTable", "中国结算 2015 通知：成交面值0.3‰"),
     kShanghaiTransfer2012},
    {"2012-09-01", SH | SZ, Handling, Amount, "0.0696", Both, "", S, true,
     TALLYFIN_TR_NOOP("FeeTable", "2012-09-01 经手费下调20%"), ""},
    {"2015-08-01", SH, Transfer, Amount, "0.02", Both, "", P, true,
     TALLYFIN_TR_NOOP("FeeTable", "中国结算《关于调整A股交易过户费收费标准有关事项的通知》"), ""},
    {"2015-08-01", SZ, Transfer, Amount, "0.02", Both, "", P, false,
     TALLYFIN_TR_NOOP("FeeTable", "中国结算《关于调整A股交易过户费收费标准有关事项的通知》；交割单上含在佣金内（三家券商的交割单）"), ""},
    {"2015-08-01", SH | SZ, Handling, Amount, "0.0487", Both, "", P, true,
     TALLYFIN_TR_NOOP("FeeTable", "沪深交易所与中国结算 2015-07 问答"), ""},
    {"2015-08-01", ZF, Handling, Amount, "0.0487", Both, "", S, true,
     TALLYFIN_TR_NOOP("FeeTable", "深证上〔2021〕655号（由0.0487‰下调）；2021年深市ETF交割单"), ""},
    {"2021-07-19", Funds, Handling, Amount, "0.04", Both, "", P, true,
     TALLYFIN_TR_NOOP("FeeTable", "深证上〔2021〕655号"), ""},
    {"2021-11-15", BJ, Stamp, Amount, "1", Sell, "", S, true,
     TALLYFIN_TR_NOOP("FeeTable", "《印花税法》第三条；北交所 2021-11-15 开市"), ""},
    {"2021-11-15", BJ, Transfer, Amount, "0.025", Both, "", P, true,
     TALLYFIN_TR_NOOP("FeeTable", "新华网 2022-04-28"), ""},
    {"2021-11-15", BJ, Handling, Amount, "0.5", Both, "", S, true,
     TALLYFIN_TR_NOOP("FeeTable", "北京日报：北交所经手费"), ""},
    {"2021-11-15", BJ, Management, Amount, "0.02", Both, "", Q, true, TALLYFIN_TR_NOOP("FeeTable", "无来源，按沪深计"),
     TALLYFIN_TR_NOOP("FeeTable", "北交所证管费无来源，按沪深的0.02‰计")},
    {"2022-04-29", SH | BJ, Transfer, Amount, "0.01", Both, "", P, true,
     TALLYFIN_TR_NOOP("FeeTable", "新华网 2022-04-28：自2022年4月29日起统一下调为0.01‰"), ""},
    {"2022-04-29", SZ, Transfer, Amount, "0.01", Both, "", P, false,
     TALLYFIN_TR_NOOP("FeeTable", "新华网 2022-04-28：自2022年4月29日起统一下调为0.01‰"), ""},
    {"2022-07-01", SH | SZ | BJ, Stamp, Amount, "1", Sell, "", P, true,
     TALLYFIN_TR_NOOP("FeeTable", "《中华人民共和国印花税法》第三条"), ""},
    {"2022-07-29", ZB, Handling, Amount, "0.04", Both, "", P, true,
     TALLYFIN_TR_NOOP("FeeTable", "深交所《关于可转换公司债券收费标准的通知》：可转债交易经手费按成交金额的0.04‰双边收取"), ""},
    {"2022-12-01", BJ, Handling, Amount, "0.25", Both, "", S, true,
     TALLYFIN_TR_NOOP("FeeTable", "北京日报：自2022年12月1日起"), ""},
    {"2023-08-28", SH | SZ | BJ, Stamp, Amount, "0.5", Sell, "", P, true,
     TALLYFIN_TR_NOOP("FeeTable", "财政部 税务总局公告2023年第39号：减半征收"), ""},
    {"2023-08-28", SH | SZ, Handling, Amount, "0.0341", Both, "", S, true,
     TALLYFIN_TR_NOOP("FeeTable", "新华社 2023-08-18：0.00341%"), ""},
    {"2023-08-28", BJ, Handling, Amount, "0.125", Both, "", S, true,
     TALLYFIN_TR_NOOP("FeeTable", "新华社 2023-08-18：0.0125%"), ""},
};

constexpr std::string_view kFundsWarrantsNote =
    TALLYFIN_TR_NOOP("FeeTable", "基金权证按ETF/LOF基金的费率计；权证的费率未经证实");

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month)
{
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

std::optional<int> digitsAt(std::string_view text, std::size_t from, std::size_t count)
{
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

TradeDate rowDate(const FeeRuleRow &row) { return *ParseTradeDate(row.effectiveFrom); }

const FeeRuleRow *latestRow(FeeItem item, Market market, TradeDate date)
{
    const FeeRuleRow *found = nullptr;
    for (const FeeRuleRow &row : kRows)
        if (row.item == item && (row.markets & MarketBit(market)) && rowDate(row) <= date)
            found = &row;
    return found;
}

} // namespace

std::optional<TradeDate> ParseTradeDate(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto year = digitsAt(text, 0, 4), month = digitsAt(text, 5, 2), day = digitsAt(text, 8, 2);
    if (!year || !month || !day || *year < 1 || *month < 1 || *month > 12 || *day < 1
        || *day > daysInMonth(*year, *month))
        return std::nullopt;
    return TradeDate{*year, *month, *day};
}

std::string FormatTradeDate(TradeDate date)
{
    const auto padded = [](int value, std::size_t width) {
        const std::string digits = std::to_string(value);
        return std::string(width > digits.size() ? width - digits.size() : 0, '0') + digits;
    };
    return padded(date.year, 4) + "-" + padded(date.month, 2) + "-" + padded(date.day, 2);
}

namespace {

std::chrono::sys_days daysOf(TradeDate date)
{
    return std::chrono::year_month_day{std::chrono::year{date.year}, std::chrono::month{static_cast<unsigned>(date.month)},
                                       std::chrono::day{static_cast<unsigned>(date.day)}};
}

TradeDate dateOf(std::chrono::sys_days days)
{
    const std::chrono::year_month_day day{days};
    return {static_cast<int>(day.year()), static_cast<int>(static_cast<unsigned>(day.month())),
            static_cast<int>(static_cast<unsigned>(day.day()))};
}

} // namespace

TradeDate NextDay(TradeDate date) { return dateOf(daysOf(date) + std::chrono::days{1}); }
TradeDate PreviousDay(TradeDate date) { return dateOf(daysOf(date) - std::chrono::days{1}); }

std::span<const FeeRuleRow> FeeRuleTable() { return kRows; }

TradeDate FeeTableStart() { return rowDate(kRows[0]); }

const FeeRuleRow &RulesInForce::row(FeeItem item) const
{
    switch (item) {
    case FeeItem::StampDuty: return *stampDuty;
    case FeeItem::TransferFee: return *transferFee;
    case FeeItem::HandlingFee: return *handlingFee;
    case FeeItem::ManagementFee: break;
    }
    return *managementFee;
}

RulesInForce RulesFor(TradeDate date, Market market)
{
    if (date < FeeTableStart())
        throw EFeeRulesError(TALLYFIN_TEXT("FeeRules", "成交日期 %1 早于费率表的起始日期 %2")
                                 .arg(FormatTradeDate(date))
                                 .arg(FormatTradeDate(FeeTableStart())));
    if (market == Market::HongKong) {
        HkRulesFor(date); // refuses a day before its table
        return {date, market, nullptr, nullptr, nullptr, nullptr};
    }
    RulesInForce rules{date, market, latestRow(Stamp, market, date), latestRow(Transfer, market, date),
                       latestRow(Handling, market, date), latestRow(Management, market, date)};
    // Only a market that opened after the table starts can lack a row.
    if (!rules.stampDuty || !rules.transferFee || !rules.handlingFee || !rules.managementFee)
        throw EFeeRulesError(TALLYFIN_TEXT("FeeRules", "%1 自 %2 起才有交易，成交日期 %3 没有它的费率")
                                 .arg(MarketText(market))
                                 .arg(FormatTradeDate(RulesStart(market)))
                                 .arg(FormatTradeDate(date)));
    return rules;
}

TradeDate RulesStart(Market market)
{
    if (market == Market::HongKong)
        return HkRulesStart();
    // Each market's rows are complete from its first one on.
    TradeDate start;
    for (const FeeItem item : {Stamp, Transfer, Handling, Management}) {
        const auto first = std::find_if(std::begin(kRows), std::end(kRows), [market, item](const FeeRuleRow &row) {
            return row.item == item && (row.markets & MarketBit(market)) != 0;
        });
        start = std::max(start, rowDate(*first));
    }
    return start;
}

std::vector<std::string_view> RuleNotes(const RulesInForce &rules, bool leviesOnTop)
{
    if (rules.market == Market::HongKong)
        return HkRuleNotes(HkRulesFor(rules.date));
    std::vector<std::string_view> notes;
    const auto add = [&notes](std::string_view note) {
        if (!note.empty() && std::find(notes.begin(), notes.end(), note) == notes.end())
            notes.push_back(note);
    };
    add(rules.stampDuty->note);
    add(rules.transferFee->note);
    if (leviesOnTop) {
        add(rules.handlingFee->note);
        add(rules.managementFee->note);
    }
    if (rules.market == Market::FundsWarrants)
        add(kFundsWarrantsNote);
    return notes;
}

namespace {

Text word(const char *source) { return Text("FeeRules", source); }

Text itemText(FeeItem item) { return word(FeeItemName(item).data()); }

Text sideText(const FeeRuleRow &row)
{
    return row.sides == FeeSides::Both ? TALLYFIN_TEXT("FeeRules", "双向") : TALLYFIN_TEXT("FeeRules", "卖方");
}

Text withMinimum(Text text, const FeeRuleRow &row)
{
    if (row.minimumYuan.empty())
        return text;
    return TALLYFIN_TEXT("FeeRules", "%1，最低 %2 元").arg(std::move(text)).arg(std::string(row.minimumYuan));
}

Text rateText(const FeeRuleRow &row)
{
    if (Decimal::fromLiteral(row.ratePerMille).sign() == 0)
        return TALLYFIN_TEXT("FeeRules", "免");
    const std::string rate(row.ratePerMille);
    if (row.basis == FeeBasis::ParValue)
        return TALLYFIN_TEXT("FeeRules", "面值的 %1‰").arg(rate);
    return TALLYFIN_TEXT("FeeRules", "%1‰").arg(rate);
}

// "印花税 0.5‰"
Text itemRate(const FeeRuleRow &row)
{
    return TALLYFIN_TEXT("FeeRules", "%1 %2").arg(itemText(row.item)).arg(rateText(row));
}

// How the levies (and a transfer fee billed with them) are charged.
enum class Billing { OwnLine, InsideCommission, OnTop };

// "（双向，最低 1 元）", "（双向，含在佣金内）"
Text sidesText(const FeeRuleRow &row, Billing billing = Billing::OwnLine)
{
    Text sides = withMinimum(sideText(row), row);
    if (billing == Billing::InsideCommission)
        sides = TALLYFIN_TEXT("FeeRules", "%1，含在佣金内").arg(std::move(sides));
    else if (billing == Billing::OnTop)
        sides = TALLYFIN_TEXT("FeeRules", "%1，另计").arg(std::move(sides));
    return TALLYFIN_TEXT("FeeRules", "（%1）").arg(std::move(sides));
}

Text rulePart(Text item, Text sides)
{
    return TALLYFIN_TEXT("FeeRules", "%1%2").arg(std::move(item)).arg(std::move(sides));
}

} // namespace

Text RulesDescription(const RulesInForce &rules, bool leviesOnTop)
{
    if (rules.market == Market::HongKong)
        return HkRulesDescription(HkRulesFor(rules.date));
    const FeeRuleRow &transfer = *rules.transferFee;
    const bool transferInside = !leviesOnTop && !transfer.shownSeparately;
    const Text levies =
        TALLYFIN_TEXT("FeeRules", "%1、%2").arg(itemRate(*rules.handlingFee)).arg(itemRate(*rules.managementFee));
    return JoinTexts({rulePart(itemRate(*rules.stampDuty), sidesText(*rules.stampDuty)),
                      rulePart(itemRate(transfer), sidesText(transfer, transferInside ? Billing::InsideCommission
                                                                                       : Billing::OwnLine)),
                      rulePart(levies, sidesText(*rules.handlingFee, leviesOnTop ? Billing::OnTop
                                                                                 : Billing::InsideCommission))},
                     TALLYFIN_TEXT("FeeRules", "%1；%2"));
}

std::string DescribeRules(const RulesInForce &rules, bool leviesOnTop)
{
    return RulesDescription(rules, leviesOnTop).toString();
}

Text RowTerms(const FeeRuleRow &row)
{
    const std::string rate(row.ratePerMille);
    Text terms = row.basis == FeeBasis::ParValue ? TALLYFIN_TEXT("FeeRules", "面值的 %1‰").arg(rate)
                                                 : TALLYFIN_TEXT("FeeRules", "成交金额的 %1‰").arg(rate);
    terms = withMinimum(TALLYFIN_TEXT("FeeRules", "%1，%2").arg(std::move(terms)).arg(sideText(row)), row);
    if (!row.shownSeparately)
        terms = TALLYFIN_TEXT("FeeRules", "%1，随规费含在佣金内或另计").arg(std::move(terms));
    return terms;
}

std::string RowTermsText(const FeeRuleRow &row) { return RowTerms(row).toString(); }

Text FeeTableParagraph(std::string_view effectiveFrom, Text markets, Text item, Text terms, Confidence confidence,
                       std::string_view source, std::string_view note)
{
    Text entry = TALLYFIN_TEXT("FeeRules", "%1 起　%2　%3：%4　[%5]\n　来源：%6")
                     .arg(std::string(effectiveFrom))
                     .arg(std::move(markets))
                     .arg(std::move(item))
                     .arg(std::move(terms))
                     .arg(std::string(ConfidenceMark(confidence)))
                     .arg(Text("FeeTable", source.data()));
    if (note.empty())
        return entry;
    return TALLYFIN_TEXT("FeeRules", "%1\n　注：%2").arg(std::move(entry)).arg(Text("FeeTable", note.data()));
}

Text FeeTableEntry(const FeeRuleRow &row)
{
    return FeeTableParagraph(row.effectiveFrom, MarketsList(row.markets), itemText(row.item), RowTerms(row),
                             row.confidence, row.source, row.note);
}

std::vector<Text> FeeTableEntries()
{
    std::vector<Text> entries;
    for (const FeeRuleRow &row : kRows)
        entries.push_back(FeeTableEntry(row));
    for (const HkFeeRuleRow &row : HkFeeRuleTable())
        entries.push_back(HkFeeTableEntry(row));
    return entries;
}

std::string FeeTableText()
{
    std::string text;
    for (const FeeRuleRow &row : kRows)
        text += FeeTableEntry(row).toString() + "\n\n";
    return text;
}

std::string_view FeeItemName(FeeItem item)
{
    switch (item) {
    case FeeItem::StampDuty: return TALLYFIN_TR_NOOP("FeeRules", "印花税");
    case FeeItem::TransferFee: return TALLYFIN_TR_NOOP("FeeRules", "过户费");
    case FeeItem::HandlingFee: return TALLYFIN_TR_NOOP("FeeRules", "经手费");
    case FeeItem::ManagementFee: break;
    }
    return TALLYFIN_TR_NOOP("FeeRules", "证管费");
}

std::string_view FeeItemKey(FeeItem item)
{
    switch (item) {
    case FeeItem::StampDuty: return "stampDuty";
    case FeeItem::TransferFee: return "transferFee";
    case FeeItem::HandlingFee: return "handlingFee";
    case FeeItem::ManagementFee: break;
    }
    return "managementFee";
}

std::string_view FeeBasisKey(FeeBasis basis) { return basis == FeeBasis::Amount ? "amount" : "parValue"; }

std::string_view FeeSidesKey(FeeSides sides) { return sides == FeeSides::Both ? "both" : "sell"; }

std::string_view ConfidenceMark(Confidence confidence)
{
    switch (confidence) {
    case Confidence::Primary: return "P";
    case Confidence::Secondary: return "S";
    case Confidence::Uncertain: break;
    }
    return "?";
}

} // namespace tallyfin
