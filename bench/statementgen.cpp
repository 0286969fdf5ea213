#include "statementgen.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <iconv.h>
#include <map>
#include <random>
#include <stdexcept>

namespace tallyfin::samples {

namespace {

enum class Exchange : std::uint8_t { Shanghai, Shenzhen, HongKong };

struct Security {
    const char *code, *name;
    Exchange exchange;
};

constexpr std::array kSecurities{
    Security{"600036", "招商银行", Exchange::Shanghai},   Security{"601318", "中国平安", Exchange::Shanghai},
    Security{"603288", "海天味业", Exchange::Shanghai},   Security{"688981", "中芯国际", Exchange::Shanghai},
    Security{"510300", "沪深300ETF", Exchange::Shanghai}, Security{"000001", "平安银行", Exchange::Shenzhen},
    Security{"000878", "云南铜业", Exchange::Shenzhen},   Security{"002594", "比亚迪", Exchange::Shenzhen},
    Security{"300750", "宁德时代", Exchange::Shenzhen},   Security{"159915", "创业板ETF", Exchange::Shenzhen},
};
constexpr std::array kHongKong{
    Security{"00700", "腾讯控股", Exchange::HongKong},
    Security{"01810", "小米集团－Ｗ", Exchange::HongKong},
    Security{"09988", "阿里巴巴－ＳＷ", Exchange::HongKong},
};

const char *accountOf(Exchange exchange) { return exchange == Exchange::Shenzhen ? "0123456789" : "A123456789"; }
const char *marketOf(Exchange exchange)
{
    constexpr std::array<const char *, 3> names{"沪市A股", "深市A股", "沪港通"};
    return names[static_cast<std::size_t>(exchange)];
}

class RowMaker {
public:
    RowMaker(std::uint32_t seed, RowMix mix, std::size_t count) : m_random(seed), m_mix(mix), m_count(count) {}

    SampleRow next()
    {
        advanceDate();
        ++m_index;
        SampleRow row = m_mix.otherRows && chance(8) ? otherRow() : trade();
        if (m_mix.salesHeld)
            keepTimeOrder(row);
        return row;
    }

private:
    bool chance(int percent) { return std::uniform_int_distribution<int>(0, 99)(m_random) < percent; }
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    // The rows spread over ten years, whatever their number.
    void advanceDate()
    {
        using namespace std::chrono;
        constexpr long kSpanDays = 3650;
        const year_month_day day{m_start + days{static_cast<long>(m_index) * kSpanDays / static_cast<long>(m_count)}};
        m_date = {static_cast<int>(day.year()), static_cast<int>(static_cast<unsigned>(day.month())),
                  static_cast<int>(static_cast<unsigned>(day.day()))};
    }

    std::string time()
    {
        char text[16];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", between(9, 14), between(0, 59), between(0, 59));
        return text;
    }

    const Security &security(bool hongKong)
    {
        return hongKong ? kHongKong[static_cast<std::size_t>(between(0, kHongKong.size() - 1))]
                        : kSecurities[static_cast<std::size_t>(between(0, kSecurities.size() - 1))];
    }

    SampleRow base(const Security &security)
    {
        SampleRow row;
        row.date = m_date;
        row.time = time();
        row.code = security.code;
        row.name = security.name;
        row.account = accountOf(security.exchange);
        row.market = marketOf(security.exchange);
        row.orderNumber = std::to_string(m_order += between(1, 900));
        return row;
    }

    // Fees that add up as on a slip: commission 0.25‰ (at least 5), stamp duty
    // on sells, Shanghai's transfer fee, a Hong Kong trade's own levies.
    SampleRow trade()
    {
        const bool hongKong = m_mix.stockConnect && chance(10);
        const Security &security = this->security(hongKong);
        SampleRow row = base(security);
        row.kind = chance(50) ? RowKind::Buy : RowKind::Sell;
        row.stockConnect = hongKong;
        const bool fund = row.code.starts_with("51") || row.code.starts_with("15");
        row.quantity = Decimal(100 * between(1, 60));
        if (m_mix.salesHeld)
            keepSalesHeld(row);
        row.operation = row.kind == RowKind::Buy ? "证券买入" : "证券卖出";
        row.price = fund ? Decimal(between(800, 5000), 3) : Decimal(between(300, 30000), 2);
        row.amount = row.quantity * row.price;
        const auto cents = [](const Decimal &value) { return value.rounded(2, Rounding::HalfUp); };
        row.commission = std::max(Decimal(5), cents(row.amount * Decimal::fromLiteral("0.00025")));
        if (row.kind == RowKind::Sell || hongKong)
            row.stampDuty = cents(row.amount * Decimal::fromLiteral("0.001"));
        if (security.exchange == Exchange::Shanghai)
            row.transferFee = cents(row.amount * Decimal::fromLiteral("0.00001"));
        if (hongKong)
            row.otherFees = Decimal(between(1, 300), 2);
        row.cash = row.kind == RowKind::Buy ? -(row.amount + row.feesTotal()) : row.amount - row.feesTotal();
        return row;
    }

    // Rows of a day follow each other in time, so that a replay in time order
    // sees each sale after the buys it sells from.
    void keepTimeOrder(SampleRow &row)
    {
        if (row.date == m_lastDate && row.time <= m_lastTime) {
            const int next = std::stoi(m_lastTime.substr(0, 2)) * 3600 + std::stoi(m_lastTime.substr(3, 2)) * 60
                             + std::stoi(m_lastTime.substr(6, 2)) + 1;
            char text[16];
            std::snprintf(text, sizeof text, "%02d:%02d:%02d", next / 3600 % 24, next / 60 % 60, next % 60);
            row.time = text;
        }
        m_lastDate = row.date;
        m_lastTime = row.time;
    }

    // A sale of at most what is held, all of it now and then; a buy where nothing is.
    void keepSalesHeld(SampleRow &row)
    {
        Decimal &held = m_held[row.code];
        if (row.kind == RowKind::Sell && held.sign() == 0)
            row.kind = RowKind::Buy;
        if (row.kind == RowKind::Sell && (row.quantity > held || chance(10)))
            row.quantity = held;
        held = row.kind == RowKind::Buy ? held + row.quantity : held - row.quantity;
    }

    SampleRow otherRow()
    {
        SampleRow row = base(security(false));
        row.kind = RowKind::Other;
        const Decimal money(between(100, 500000), 2);
        switch (between(0, 4)) {
        case 0: row.operation = "红利入账"; row.amount = money; row.cash = money; break;
        case 1: row.operation = "股息红利税补缴"; row.amount = money; row.cash = -money; break;
        case 2: row.operation = "申购配号"; row.quantity = Decimal(between(1, 20)); break;
        case 3: row.operation = "银证转账"; row.code.clear(); row.name.clear(); row.cash = chance(50) ? money : -money; break;
        default: row.operation = "利息归本"; row.code.clear(); row.name.clear(); row.cash = Decimal(between(1, 999), 2); break;
        }
        return row;
    }

    std::mt19937 m_random;
    RowMix m_mix;
    std::size_t m_count, m_index = 0;
    std::chrono::sys_days m_start{std::chrono::year(2014) / 1 / 2};
    TradeDate m_date;
    long long m_order = 1000;
    std::map<std::string, Decimal> m_held; // by code, with salesHeld
    TradeDate m_lastDate;
    std::string m_lastTime;
};

LayoutColumn column(const char *header, Field field) { return {header, field}; }

Layout layout(std::string name, std::vector<LayoutColumn> columns, std::vector<std::string> preamble = {})
{
    Layout made;
    made.name = std::move(name);
    made.columns = std::move(columns);
    made.preamble = std::move(preamble);
    return made;
}

std::vector<Layout> makeLayouts()
{
    using F = Field;
    std::vector<Layout> layouts(6);
    // A PC client's "xls": 摘要 beside 操作, 手续费 alone is the commission and
    // 其他杂费 holds the transfer fee; Stock Connect rows carry an exchange rate.
    layouts[0] = layout("client-tsv",
                  {column("成交日期", F::Date), column("摘要", F::Operation), column("证券名称", F::Name),
                   column("合同编号", F::OrderNumber), column("成交数量", F::Quantity), column("成交均价", F::Price),
                   column("成交金额", F::Amount), column("手续费", F::Commission), column("印花税", F::StampDuty),
                   column("其他杂费", F::OtherFees), column("发生金额", F::Cash), column("股东帐户", F::Account),
                   column("备注", F::Filler), column("操作", F::Side), column("证券代码", F::Code),
                   column("结算汇率", F::ExchangeRate)});
    layouts[0].negativeSells = true;
    // Codes that lost their zeros, and a 手续费 beside 佣金 that totals the fees.
    layouts[1] = layout("unpadded-csv",
                  {column("成交日期", F::Date), column("证券代码", F::Code), column("证券名称", F::Name),
                   column("买卖标志", F::Operation), column("成交价格", F::Price), column("成交数量", F::Quantity),
                   column("成交金额", F::Amount), column("发生金额", F::Cash), column("佣金", F::Commission),
                   column("印花税", F::StampDuty), column("过户费", F::TransferFee), column("其他费", F::OtherFees),
                   column("委托编号", F::OrderNumber), column("股东代码", F::Account), column("备注", F::Filler),
                   column("手续费", F::FeesTotal)});
    layouts[1].unpaddedCodes = layouts[1].negativeSells = true;
    layouts[1].mix.stockConnect = false; // nothing in it tells a Hong Kong code
    // A web export: two dates, = "000597      " codes, a market column.
    layouts[2] = layout("settlement-csv",
                  {column("交收日期", F::Date), column("发生日期", F::Date), column("发生时间", F::Time),
                   column("证券代码", F::Code), column("证券名称", F::Name), column("交易类别", F::Operation),
                   column("成交数量", F::Quantity), column("成交均价", F::Price), column("成交金额", F::Amount),
                   column("发生金额", F::Cash), column("佣金", F::Commission), column("其他费用", F::OtherFees),
                   column("印花税", F::StampDuty), column("过户费", F::TransferFee), column("委托编号", F::OrderNumber),
                   column("股东账号", F::Account), column("交易市场", F::Market), column("币种", F::Currency)});
    layouts[2].dates = DateStyle::Dashed;
    layouts[2].spacedFormulas = layouts[2].trailingSeparator = true;
    // Every text a formula; 总费用 and 净佣金; the currency tells Hong Kong rows.
    layouts[3] = layout("formula-xls",
                  {column("交收日期", F::Date), column("成交时间", F::Time), column("业务名称", F::Operation),
                   column("证券代码", F::Code), column("证券名称", F::Name), column("成交价格", F::Price),
                   column("成交数量", F::Quantity), column("成交金额", F::Amount), column("总费用", F::FeesTotal),
                   column("清算金额", F::Cash), column("净佣金", F::Commission), column("印花税", F::StampDuty),
                   column("过户费", F::TransferFee), column("经手费", F::Zero), column("证管费", F::Zero),
                   column("其他费", F::OtherFees), column("币种", F::Currency), column("委托编号", F::OrderNumber),
                   column("股东代码", F::Account)});
    layouts[3].formulaTexts = true;
    // Account lines before the header, 2021/3/11, thousands separators, buys
    // as negative amounts, remarks with commas and quotes.
    layouts[4] = layout("web-csv",
                  {column("日期", F::Date), column("时间", F::Time), column("代码", F::Code), column("名称", F::Name),
                   column("买卖方向", F::Operation), column("数量", F::Quantity), column("价格", F::Price),
                   column("金额", F::Amount), column("净佣金", F::Commission), column("规费", F::Zero),
                   column("过户费", F::TransferFee), column("印花税", F::StampDuty), column("其他费用", F::OtherFees),
                   column("清算金额", F::Cash), column("委托编号", F::OrderNumber), column("股东代码", F::Account),
                   column("市场", F::Market), column("备注", F::Filler)},
                  {"对账单", "资金账号：88886666", "起止日期：2014/1/1 至 2023/12/31"});
    layouts[4].dates = DateStyle::Slashed;
    layouts[4].thousands = layouts[4].negativeBuys = true;
    // Day numbers for dates; 发生数量 beside 成交数量, 清算金额 beside 发生金额,
    // and 买卖标志 saying 买入 or 卖出 on rows that are no trade.
    layouts[5] = layout("serial-dates",
                  {column("交易日期", F::Date), column("业务类型", F::Filler), column("币种", F::Currency),
                   column("股东代码", F::Account), column("证券代码", F::Code), column("证券名称", F::Name),
                   column("买卖标志", F::Side), column("成交价格", F::Price), column("发生数量", F::Quantity),
                   column("成交金额", F::Amount), column("成交数量", F::Quantity), column("发生金额", F::Cash),
                   column("清算金额", F::Cash), column("成交时间", F::Time), column("业务名称", F::Operation),
                   column("佣金", F::Commission), column("印花税", F::StampDuty), column("过户费", F::TransferFee),
                   column("汇率", F::ExchangeRate), column("其他费", F::OtherFees)});
    layouts[5].dates = DateStyle::Serial;
    layouts[5].unpaddedCodes = layouts[5].negativeSells = layouts[5].sideOnOtherRows = true;
    return layouts;
}


std::string dateText(TradeDate date, DateStyle style)
{
    using namespace std::chrono;
    char text[16];
    switch (style) {
    case DateStyle::Compact: std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day); break;
    case DateStyle::Dashed: std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day); break;
    case DateStyle::Slashed: std::snprintf(text, sizeof text, "%04d/%d/%d", date.year, date.month, date.day); break;
    case DateStyle::Serial: {
        const sys_days day{year(date.year) / month(static_cast<unsigned>(date.month)) / static_cast<unsigned>(date.day)};
        return std::to_string((day - sys_days{1899y / December / 30}).count());
    }
    }
    return text;
}

// 1234567.00 -> 1,234,567.00
std::string grouped(const std::string &digits)
{
    const std::size_t point = std::min(digits.find('.'), digits.size());
    const std::size_t first = digits.starts_with('-') ? 1 : 0;
    std::string text = digits.substr(0, first);
    for (std::size_t at = first; at < point; ++at) {
        if (at > first && (point - at) % 3 == 0)
            text += ',';
        text += digits[at];
    }
    return text + digits.substr(point);
}

class CellWriter {
public:
    explicit CellWriter(const Layout &layout) : m_layout(layout) {}

    SampleCell cell(const SampleRow &row, Field field) const
    {
        const bool trade = row.kind != RowKind::Other;
        switch (field) {
        case Field::Date: return date(row.date);
        case Field::Time: return text(row.time);
        case Field::Code: return code(row);
        case Field::Name: return text(row.name);
        case Field::Operation: return text(row.operation);
        case Field::Side: return text(side(row));
        case Field::Market: return text(row.code.empty() ? "" : row.market);
        case Field::Currency: return text(row.stockConnect ? "港币" : "人民币");
        case Field::ExchangeRate: return number(row.stockConnect ? Decimal(8338, 4) : Decimal(0), 4);
        case Field::Quantity: return number(m_layout.negativeSells && row.kind == RowKind::Sell ? -row.quantity : row.quantity, 0);
        case Field::Price: return number(row.price, 3);
        case Field::Amount: return number(m_layout.negativeBuys && row.kind == RowKind::Buy ? -row.amount : row.amount, 2);
        case Field::Commission: return number(row.commission, 2);
        case Field::StampDuty: return number(row.stampDuty, 2);
        case Field::TransferFee: return number(row.transferFee, 2);
        case Field::Zero: return m_layout.formulaTexts ? text("0.00") : number(Decimal(0), 2);
        case Field::OtherFees: return number(OtherFeesAsWritten(m_layout, row), 2);
        case Field::FeesTotal: return number(row.feesTotal(), 2);
        case Field::Cash: return number(row.cash, 2);
        case Field::OrderNumber: return text(row.orderNumber);
        case Field::Account: return code(row.account);
        case Field::Filler: return text(!trade ? row.operation : row.orderNumber.ends_with('7') ? "备注,含\"引号\"" : "证券买卖");
        }
        return {};
    }

private:
    // A day number or 20210311 is a number cell in a spreadsheet.
    SampleCell date(TradeDate day) const
    {
        const bool number = m_layout.dates == DateStyle::Serial || m_layout.dates == DateStyle::Compact;
        return m_layout.formulaTexts ? text(dateText(day, m_layout.dates))
                                     : SampleCell{dateText(day, m_layout.dates), number};
    }

    SampleCell text(std::string value) const
    {
        if (m_layout.formulaTexts && !value.empty())
            return {"=\"" + value + "\"", false, true};
        return {std::move(value)};
    }

    SampleCell code(std::string value) const
    {
        if (m_layout.spacedFormulas && !value.empty())
            return {"= \"" + value + "      \"", false, true};
        return text(std::move(value));
    }

    SampleCell code(const SampleRow &row) const
    {
        if (!m_layout.unpaddedCodes || row.code.empty())
            return code(row.code);
        const std::size_t first = row.code.find_first_not_of('0');
        return {first == std::string::npos ? "0" : row.code.substr(first), true};
    }

    std::string side(const SampleRow &row) const
    {
        if (row.kind != RowKind::Other)
            return row.kind == RowKind::Buy ? "买入" : "卖出";
        return m_layout.sideOnOtherRows ? (row.cash.sign() < 0 ? "买入" : "卖出") : "";
    }

    SampleCell number(const Decimal &value, int decimals) const
    {
        std::string digits = value.toFixed(decimals, ".");
        return {m_layout.thousands ? grouped(digits) : std::move(digits), true};
    }

    const Layout &m_layout;
};

std::string convert(const std::string &utf8, const char *to)
{
    iconv_t cd = iconv_open(to, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv cannot write " + std::string(to));
    std::string out(utf8.size() * 2 + 16, '\0');
    char *in = const_cast<char *>(utf8.data()), *at = out.data();
    std::size_t inLeft = utf8.size(), outLeft = out.size();
    const std::size_t result = iconv(cd, &in, &inLeft, &at, &outLeft);
    iconv_close(cd);
    if (result == static_cast<std::size_t>(-1))
        throw std::runtime_error("a sample text cannot be written in " + std::string(to));
    out.resize(out.size() - outLeft);
    return out;
}

std::string quotedIfNeeded(const std::string &text, char separator)
{
    if (text.find(separator) == std::string::npos && text.find('\n') == std::string::npos && !text.starts_with('"'))
        return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

} // namespace

bool HasField(const Layout &layout, Field field)
{
    for (const LayoutColumn &column : layout.columns)
        if (column.field == field)
            return true;
    return false;
}

Decimal OtherFeesAsWritten(const Layout &layout, const SampleRow &row)
{
    return HasField(layout, Field::TransferFee) ? row.otherFees : row.otherFees + row.transferFee;
}

std::vector<SampleRow> SampleRows(std::size_t count, std::uint32_t seed, RowMix mix)
{
    RowMaker maker(seed, mix, std::max<std::size_t>(count, 1));
    std::vector<SampleRow> rows;
    rows.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        rows.push_back(maker.next());
    return rows;
}

const std::vector<Layout> &SampleLayouts()
{
    static const std::vector<Layout> layouts = makeLayouts();
    return layouts;
}

SampleTable LayoutCells(const Layout &layout, const std::vector<SampleRow> &rows)
{
    SampleTable table;
    for (const std::string &line : layout.preamble)
        table.push_back({{line}});
    const CellWriter writer(layout);
    std::vector<SampleCell> header;
    for (const LayoutColumn &column : layout.columns)
        header.push_back(layout.formulaTexts ? SampleCell{"=\"" + column.header + "\"", false, true} : SampleCell{column.header});
    table.push_back(std::move(header));
    for (const SampleRow &row : rows) {
        std::vector<SampleCell> cells;
        for (const LayoutColumn &column : layout.columns)
            cells.push_back(writer.cell(row, column.field));
        table.push_back(std::move(cells));
    }
    if (layout.trailingSeparator)
        for (std::vector<SampleCell> &cells : table)
            if (cells.size() > 1)
                cells.emplace_back();
    return table;
}

std::string TextStatement(const SampleTable &table, char separator, TextEncoding encoding)
{
    std::string utf8;
    for (const std::vector<SampleCell> &cells : table) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            utf8 += (i ? std::string(1, separator) : std::string()) + quotedIfNeeded(cells[i].text, separator);
        utf8 += "\r\n";
    }
    switch (encoding) {
    case TextEncoding::Utf8: return "\xEF\xBB\xBF" + utf8;
    case TextEncoding::Gb18030: return convert(utf8, "GB18030");
    case TextEncoding::Utf16Le: return "\xFF\xFE" + convert(utf8, "UTF-16LE");
    }
    return utf8;
}

} // namespace tallyfin::samples
