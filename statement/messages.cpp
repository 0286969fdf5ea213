#include "messages.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tallyfin::statement {

namespace {

struct RoleWords {
    std::string_view english, chinese;
};

constexpr std::array<RoleWords, 29> kRoleWords{{
    {"unused column", TALLYFIN_TR_NOOP("Statement", "未使用的列")},
    {"date", TALLYFIN_TR_NOOP("Statement", "日期")},
    {"time", TALLYFIN_TR_NOOP("Statement", "时间")},
    {"code", TALLYFIN_TR_NOOP("Statement", "代码")},
    {"name", TALLYFIN_TR_NOOP("Statement", "名称")},
    {"operation", TALLYFIN_TR_NOOP("Statement", "操作")},
    {"market", TALLYFIN_TR_NOOP("Statement", "市场")},
    {"currency", TALLYFIN_TR_NOOP("Statement", "币种")},
    {"quantity", TALLYFIN_TR_NOOP("Statement", "数量")},
    {"price", TALLYFIN_TR_NOOP("Statement", "价格")},
    {"amount", TALLYFIN_TR_NOOP("Statement", "金额")},
    {"commission", TALLYFIN_TR_NOOP("Statement", "佣金")},
    {"stamp duty", TALLYFIN_TR_NOOP("Statement", "印花税")},
    {"transfer fee", TALLYFIN_TR_NOOP("Statement", "过户费")},
    {"handling fee", TALLYFIN_TR_NOOP("Statement", "经手费")},
    {"management fee", TALLYFIN_TR_NOOP("Statement", "证管费")},
    {"levies", TALLYFIN_TR_NOOP("Statement", "规费")},
    {"other fees", TALLYFIN_TR_NOOP("Statement", "其他费用")},
    {"total of the fees", TALLYFIN_TR_NOOP("Statement", "费用合计")},
    {"cash movement", TALLYFIN_TR_NOOP("Statement", "发生金额")},
    {"exchange rate", TALLYFIN_TR_NOOP("Statement", "汇率")},
    {"number of fills", TALLYFIN_TR_NOOP("Statement", "成交笔数")},
    {"order number", TALLYFIN_TR_NOOP("Statement", "委托编号")},
    {"trade number", TALLYFIN_TR_NOOP("Statement", "成交编号")},
    {"account", TALLYFIN_TR_NOOP("Statement", "股东账户")},
    {"share balance", TALLYFIN_TR_NOOP("Statement", "股份余额")},
    {"cash balance", TALLYFIN_TR_NOOP("Statement", "资金余额")},
    {"fund account", TALLYFIN_TR_NOOP("Statement", "资金账号")},
    {"remark", TALLYFIN_TR_NOOP("Statement", "备注")},
}};
static_assert(kRoleWords.size() == static_cast<std::size_t>(ColumnRole::Remark) + 1);

std::string size(std::uint64_t bytes)
{
    char text[32];
    const double mib = static_cast<double>(bytes) / (1024.0 * 1024.0);
    if (mib >= 1024)
        std::snprintf(text, sizeof text, "%.1f GiB", mib / 1024);
    else
        std::snprintf(text, sizeof text, "%.1f MiB", mib);
    return text;
}

Text chineseSystemError(int error)
{
    switch (error) {
    case ENOENT: return TALLYFIN_TEXT("Statement", "文件不存在");
    case EACCES:
    case EPERM: return TALLYFIN_TEXT("Statement", "没有读取权限");
    case EISDIR: return TALLYFIN_TEXT("Statement", "这是一个文件夹");
    case ENODEV: return TALLYFIN_TEXT("Statement", "这不是普通文件");
    default: return TALLYFIN_TEXT("Statement", "系统错误 %1").arg(std::to_string(error));
    }
}

std::string englishSystemError(int error)
{
    return error == ENODEV ? "not a regular file" : std::strerror(error);
}

std::string names(std::span<const Column> columns, const ColumnChoice &choice, std::string_view separator,
                  std::string_view open, std::string_view close)
{
    std::string text;
    for (const int column : choice.candidates) {
        if (column == choice.chosen || column < 0 || static_cast<std::size_t>(column) >= columns.size())
            continue;
        text += (text.empty() ? "" : std::string(separator)) + std::string(open) +
                columns[static_cast<std::size_t>(column)].name + std::string(close);
    }
    return text;
}

std::string columnName(std::span<const Column> columns, int column)
{
    return column >= 0 && static_cast<std::size_t>(column) < columns.size() ? columns[static_cast<std::size_t>(column)].name
                                                                             : std::string();
}

// The commission's rivals were taken for the total of the fees (a 手续费 beside 佣金).
bool totalBeside(const ColumnChoice &choice, std::span<const Column> columns)
{
    if (choice.role != ColumnRole::Commission)
        return false;
    for (const int column : choice.candidates)
        if (column != choice.chosen && columns[static_cast<std::size_t>(column)].role != ColumnRole::FeesTotal)
            return false;
    return true;
}

bool checkedByCash(ColumnRole role) { return role == ColumnRole::Cash || role == ColumnRole::Commission; }

Text roleText(ColumnRole role) { return Text("Statement", RoleChineseName(role).data()); }

// The columns of a choice other than the chosen one, each quoted: "“清算金额”、“成交金额”".
Text otherColumns(std::span<const Column> columns, const ColumnChoice &choice)
{
    std::vector<Text> quoted;
    for (const int column : choice.candidates)
        if (column != choice.chosen && column >= 0 && static_cast<std::size_t>(column) < columns.size())
            quoted.push_back(TALLYFIN_TEXT("Statement", "“%1”").arg(columns[static_cast<std::size_t>(column)].name));
    return JoinTexts(quoted, TALLYFIN_TEXT("Statement", "%1、%2"));
}
constexpr std::array<RoleWords, kFeePartCount> kFeePartWords{{
    {"commission", TALLYFIN_TR_NOOP("Statement", "佣金")},
    {"stamp duty", TALLYFIN_TR_NOOP("Statement", "印花税")},
    {"transfer fee", TALLYFIN_TR_NOOP("Statement", "过户费")},
    {"levies", TALLYFIN_TR_NOOP("Statement", "规费")},
    {"other fees", TALLYFIN_TR_NOOP("Statement", "其他费用")},
    {"total of the fees", TALLYFIN_TR_NOOP("Statement", "费用合计")},
}};

std::string yuan(const Decimal &value) { return value.toFixed(2, kDecimalPoint); }

// "+0.02", "-0.02"
std::string signedYuan(const Decimal &value) { return (value.sign() > 0 ? "+" : "") + yuan(value); }

std::string dateOf(const Row &row) { return FormatTradeDate(row.date()); }

} // namespace

std::string_view RoleName(ColumnRole role) { return kRoleWords[static_cast<std::size_t>(role)].english; }
std::string_view RoleChineseName(ColumnRole role) { return kRoleWords[static_cast<std::size_t>(role)].chinese; }

std::string EnglishText(const Failure &failure)
{
    switch (failure.kind) {
    case FailureKind::CannotOpen:
        return "cannot open " + failure.detail + ": " + englishSystemError(failure.systemError);
    case FailureKind::TooLarge:
        return "the file is " + size(failure.fileSize) + "; statements larger than " + size(kMaxStatementBytes) +
               " are not read";
    case FailureKind::Empty:
        return "the file is empty";
    case FailureKind::Binary:
        return "the file is neither text nor a spreadsheet (.xls, .xlsx)";
    case FailureKind::Html:
        return "the file is a web page (HTML), not a statement export; open it in a spreadsheet program and save "
               "it as .xlsx";
    case FailureKind::BadSpreadsheet:
        return "the spreadsheet cannot be read: " + failure.detail;
    case FailureKind::NoHeader:
        return "no header row: no row names a date, a code, an operation, a quantity and a price or amount" +
               (failure.detail.empty() ? std::string() : " (the text was read as " + failure.detail + ")");
    case FailureKind::Cancelled:
        return "reading was cancelled";
    }
    return {};
}

Text FailureText(const Failure &failure)
{
    switch (failure.kind) {
    case FailureKind::CannotOpen:
        return TALLYFIN_TEXT("Statement", "无法打开文件 %1：%2")
            .arg(failure.detail)
            .arg(chineseSystemError(failure.systemError));
    case FailureKind::TooLarge:
        return TALLYFIN_TEXT("Statement", "文件大小为 %1，超过 %2 的对账单不予读取")
            .arg(size(failure.fileSize))
            .arg(size(kMaxStatementBytes));
    case FailureKind::Empty:
        return TALLYFIN_TEXT("Statement", "文件是空的");
    case FailureKind::Binary:
        return TALLYFIN_TEXT("Statement", "文件既不是文本，也不是 .xls 或 .xlsx 表格");
    case FailureKind::Html:
        return TALLYFIN_TEXT("Statement", "文件是网页（HTML），不是对账单导出文件；请用表格软件打开并另存为 .xlsx");
    case FailureKind::BadSpreadsheet:
        return TALLYFIN_TEXT("Statement", "无法读取表格文件（%1）").arg(failure.detail);
    case FailureKind::NoHeader:
        if (failure.detail.empty())
            return TALLYFIN_TEXT("Statement", "找不到表头：没有一行同时列出日期、代码、操作、数量和价格或金额");
        return TALLYFIN_TEXT("Statement", "找不到表头：没有一行同时列出日期、代码、操作、数量和价格或金额（按 %1 编码读取）")
            .arg(failure.detail);
    case FailureKind::Cancelled:
        return TALLYFIN_TEXT("Statement", "已取消读取");
    }
    return Text::Plain({});
}

std::string ChineseText(const Failure &failure) { return FailureText(failure).toString(); }

std::string EnglishText(const UnreadableRow &row)
{
    const std::string cell = "'" + row.cell + "'";
    switch (row.problem) {
    case RowProblem::NoDate: return "no date in " + row.column;
    case RowProblem::BadDate: return cell + " in " + row.column + " is not a date";
    case RowProblem::DateOutOfRange: return "the date " + cell + " in " + row.column + " is before 1990 or after 2099";
    case RowProblem::NoOperation: return "no operation: " + row.column + " is empty";
    case RowProblem::SidesDisagree:
        return "the operation columns disagree (" + cell + ") and neither the cash nor the quantity tells the side";
    case RowProblem::NoCode: return "a trade without a code in " + row.column;
    case RowProblem::BadCode: return cell + " in " + row.column + " is not a security code";
    case RowProblem::NoQuantity: return "a trade without a quantity in " + row.column;
    case RowProblem::ZeroQuantity: return "a trade of quantity 0 in " + row.column;
    case RowProblem::NoPriceOrAmount: return "a trade with neither a price nor an amount";
    case RowProblem::BadNumber: return cell + " in " + row.column + " is not a number";
    case RowProblem::InvalidBytes: return row.column + " holds bytes that are no text in the file's encoding";
    case RowProblem::CutShort: return "the file ends in the middle of this row";
    }
    return {};
}

namespace {

Text rowProblemPattern(RowProblem problem)
{
    switch (problem) {
    case RowProblem::NoDate: return TALLYFIN_TEXT("Statement", "%1为空");
    case RowProblem::BadDate: return TALLYFIN_TEXT("Statement", "%1“%2”不是日期");
    case RowProblem::DateOutOfRange: return TALLYFIN_TEXT("Statement", "%1“%2”早于 1990 年或晚于 2099 年");
    case RowProblem::NoOperation: return TALLYFIN_TEXT("Statement", "%1为空，无法判断业务");
    case RowProblem::SidesDisagree:
        return TALLYFIN_TEXT("Statement", "操作栏互相矛盾（“%2”），发生金额和数量也无法判断买卖方向");
    case RowProblem::NoCode: return TALLYFIN_TEXT("Statement", "%1为空，成交记录必须有证券代码");
    case RowProblem::BadCode: return TALLYFIN_TEXT("Statement", "%1“%2”不是证券代码");
    case RowProblem::NoQuantity: return TALLYFIN_TEXT("Statement", "%1为空，成交记录必须有数量");
    case RowProblem::ZeroQuantity: return TALLYFIN_TEXT("Statement", "%1为 0");
    case RowProblem::NoPriceOrAmount: return TALLYFIN_TEXT("Statement", "成交记录既无价格也无金额");
    case RowProblem::BadNumber: return TALLYFIN_TEXT("Statement", "%1“%2”不是数字");
    case RowProblem::InvalidBytes: return TALLYFIN_TEXT("Statement", "%1含有无法按文件编码识别的字节");
    case RowProblem::CutShort: return TALLYFIN_TEXT("Statement", "文件在这一行中途结束，该行不完整");
    }
    return Text::Plain({});
}

} // namespace

// Every pattern takes the column as %1 and the cell as %2, using those it names.
Text RowProblemText(const UnreadableRow &row) { return rowProblemPattern(row.problem).arg(row.column).arg(row.cell); }

std::string ChineseText(const UnreadableRow &row) { return RowProblemText(row).toString(); }

std::string EnglishText(const ColumnChoice &choice, std::span<const Column> columns)
{
    const std::string others = names(columns, choice, ", ", "", "");
    if (choice.basis == ChoiceBasis::EachRow)
        return "every row is read by " + columnName(columns, choice.chosen) + (others.empty() ? "" : " and " + others) +
               ": the first that is not empty says what the row is";
    const std::string aside = others.empty()        ? std::string()
                              : totalBeside(choice, columns) ? " (" + others + " is the total of the fees)"
                                                             : " (not " + others + ")";
    const std::string taken = choice.chosen < 0 ? "no column is the " + std::string(RoleName(choice.role)) + aside
                                                : columnName(columns, choice.chosen) + " is the " +
                                                      std::string(RoleName(choice.role)) + aside;
    if (choice.basis == ChoiceBasis::NameOrder)
        return taken + ": the rows cannot tell them apart, and brokers use that name first";
    const std::string check = checkedByCash(choice.role) ? "cash = amount ± fees" : "quantity × price = amount";
    return taken + ": " + check + " holds on " + std::to_string(choice.rowsAgreeing) + " of " +
           std::to_string(choice.rowsChecked) + " trades";
}

Text ColumnChoiceText(const ColumnChoice &choice, std::span<const Column> columns)
{
    const bool othersNamed = !names(columns, choice, "", "", "").empty();
    const Text others = otherColumns(columns, choice);
    const std::string chosen = columnName(columns, choice.chosen);
    if (choice.basis == ChoiceBasis::EachRow)
        return othersNamed
                   ? TALLYFIN_TEXT("Statement", "每行依次读取“%1”%2：第一个非空的栏目说明该行业务").arg(chosen).arg(others)
                   : TALLYFIN_TEXT("Statement", "每行依次读取“%1”：第一个非空的栏目说明该行业务").arg(chosen);
    const Text aside = !othersNamed                  ? Text::Plain({})
                       : totalBeside(choice, columns) ? TALLYFIN_TEXT("Statement", "（%1为费用合计）").arg(others)
                                                      : TALLYFIN_TEXT("Statement", "（而非%1）").arg(others);
    const Text role = roleText(choice.role);
    const Text taken = choice.chosen < 0 ? TALLYFIN_TEXT("Statement", "没有%1栏%2").arg(role).arg(aside)
                                         : TALLYFIN_TEXT("Statement", "“%1”作为%2%3").arg(chosen).arg(role).arg(aside);
    if (choice.basis == ChoiceBasis::NameOrder)
        return TALLYFIN_TEXT("Statement", "%1：各行无法区分，按券商常用名称选取").arg(taken);
    const Text check = checkedByCash(choice.role) ? TALLYFIN_TEXT("Statement", "发生金额 = 成交金额 ± 费用")
                                                  : TALLYFIN_TEXT("Statement", "数量 × 价格 = 金额");
    return TALLYFIN_TEXT("Statement", "%1：%2在 %3 笔成交中有 %4 笔相符")
        .arg(taken)
        .arg(check)
        .arg(std::to_string(choice.rowsChecked))
        .arg(std::to_string(choice.rowsAgreeing));
}

std::string ChineseText(const ColumnChoice &choice, std::span<const Column> columns)
{
    return ColumnChoiceText(choice, columns).toString();
}

std::string_view FeePartName(FeePart part) { return kFeePartWords[static_cast<std::size_t>(part)].english; }
std::string_view FeePartChineseName(FeePart part) { return kFeePartWords[static_cast<std::size_t>(part)].chinese; }

std::string EnglishText(const TradeCheck &trade, const Row &row)
{
    const std::string code(row.code());
    switch (trade.reason) {
    case NotAuditedReason::StockConnectUnpriced:
        return "a Stock Connect trade without its price and quantity in HKD, or without its amount in yuan or its "
               "settlement rate";
    case NotAuditedReason::StockConnectUnrecognized:
        return "this statement does not write its Stock Connect fees as China Clear settles them";
    case NotAuditedReason::NotCovered: return "code " + code + " is no instrument the fee table covers";
    case NotAuditedReason::MarketDisagrees:
        return "the market column says " + std::string(row.market()) + ", but " + code + " is no code of that exchange";
    case NotAuditedReason::NoAmount: return "no money changed hands (an allotment or a transfer in)";
    case NotAuditedReason::BeforeFeeTable:
        return "the fee table starts on " + FormatTradeDate(FeeTableStart()) + ", after " + dateOf(row);
    case NotAuditedReason::BeforeMarketOpened:
        return std::string(MarketName(*trade.market)) + " has rules from " + FormatTradeDate(RulesStart(*trade.market)) +
               " on, not on " + dateOf(row);
    case NotAuditedReason::NumbersTooLarge: return "its amount is too large to be money";
    }
    return {};
}

Text TradeCheckText(const TradeCheck &trade, const Row &row)
{
    const std::string code(row.code());
    switch (trade.reason) {
    case NotAuditedReason::StockConnectUnpriced:
        return TALLYFIN_TEXT("Statement", "港股通交易缺少港元价格和数量，或缺少人民币成交金额及结算汇率，无法核对");
    case NotAuditedReason::StockConnectUnrecognized:
        return TALLYFIN_TEXT("Statement", "本对账单的港股通费用不是按中国结算的换汇方法列出的，无法逐项核对");
    case NotAuditedReason::NotCovered: return TALLYFIN_TEXT("Statement", "代码 %1 不在费率表覆盖的品种内").arg(code);
    case NotAuditedReason::MarketDisagrees:
        return TALLYFIN_TEXT("Statement", "市场栏为“%1”，但 %2 不是该交易所的代码").arg(std::string(row.market())).arg(code);
    case NotAuditedReason::NoAmount: return TALLYFIN_TEXT("Statement", "成交金额为零（配售、新股入账等）");
    case NotAuditedReason::BeforeFeeTable:
        return TALLYFIN_TEXT("Statement", "费率表自 %1 起，%2 早于此").arg(FormatTradeDate(FeeTableStart())).arg(dateOf(row));
    case NotAuditedReason::BeforeMarketOpened:
        return TALLYFIN_TEXT("Statement", "%1自 %2 起才有费率，%3 没有")
            .arg(MarketText(*trade.market))
            .arg(FormatTradeDate(RulesStart(*trade.market)))
            .arg(dateOf(row));
    case NotAuditedReason::NumbersTooLarge: return TALLYFIN_TEXT("Statement", "成交金额过大，无法作为金额核对");
    }
    return Text::Plain({});
}

std::string ChineseText(const TradeCheck &trade, const Row &row) { return TradeCheckText(trade, row).toString(); }

std::string EnglishText(const Finding &finding)
{
    const Decimal difference = finding.difference();
    const std::string magnitude = yuan(difference.sign() < 0 ? -difference : difference);
    if (finding.item == FeePart::Total)
        return "fees " + yuan(finding.charged) + " by the cash movement, " + yuan(finding.expected) +
               " in the fee columns: " + magnitude + (difference.sign() < 0 ? " less" : " more");
    return std::string(FeePartName(finding.item)) + " " + yuan(finding.charged) + " charged, " + yuan(finding.expected) +
           " due: " + magnitude + (difference.sign() < 0 ? " too little" : " too much");
}

Text FindingText(const Finding &finding)
{
    const Decimal difference = finding.difference();
    const std::string magnitude = yuan(difference.sign() < 0 ? -difference : difference);
    const bool less = difference.sign() < 0;
    if (finding.item == FeePart::Total)
        return (less ? TALLYFIN_TEXT("Statement", "按发生金额费用为 %1，各费用栏合计 %2，少 %3")
                     : TALLYFIN_TEXT("Statement", "按发生金额费用为 %1，各费用栏合计 %2，多 %3"))
            .arg(yuan(finding.charged))
            .arg(yuan(finding.expected))
            .arg(magnitude);
    return (less ? TALLYFIN_TEXT("Statement", "%1实收 %2，应收 %3，少收 %4")
                 : TALLYFIN_TEXT("Statement", "%1实收 %2，应收 %3，多收 %4"))
        .arg(Text("Statement", FeePartChineseName(finding.item).data()))
        .arg(yuan(finding.charged))
        .arg(yuan(finding.expected))
        .arg(magnitude);
}

std::string ChineseText(const Finding &finding) { return FindingText(finding).toString(); }

std::string_view ChineseFillRoundingNote()
{
    return TALLYFIN_TR_NOOP("Statement", "成交笔数未知，可能是逐笔成交分别取整所致");
}

std::string EnglishText(const Agreement &agreement)
{
    if (agreement.owesNothing)
        return "nothing charged";
    const CommissionTerms &terms = agreement.terms;
    const std::string rate = agreement.rateSource == TermSource::Bound ? "at most " : "";
    const std::string minimum = terms.minimum.sign() == 0 ? "no minimum" : "minimum " + yuan(terms.minimum);
    return rate + terms.ratePerMille.toString() + "‰, " + minimum + ", levies " +
           (terms.leviesOnTop ? "on top" : "inside") + ", transfer fee " +
           (agreement.transferSeparate ? "separate" : "inside");
}

Text AgreementText(const Agreement &agreement)
{
    if (agreement.owesNothing)
        return TALLYFIN_TEXT("Statement", "不收取任何费用");
    const CommissionTerms &terms = agreement.terms;
    Text text = agreement.rateSource == TermSource::Bound ? TALLYFIN_TEXT("Statement", "佣金不高于 %1‰，%2，%3，%4")
                                                          : TALLYFIN_TEXT("Statement", "佣金 %1‰，%2，%3，%4");
    return std::move(text)
        .arg(terms.ratePerMille.toString())
        .arg(MinimumText(terms.minimum))
        .arg(terms.leviesOnTop ? TALLYFIN_TEXT("Statement", "规费另计") : TALLYFIN_TEXT("Statement", "规费含在佣金内"))
        .arg(agreement.transferSeparate ? TALLYFIN_TEXT("Statement", "过户费单列")
                                        : TALLYFIN_TEXT("Statement", "过户费含在佣金内"));
}

std::string ChineseText(const Agreement &agreement) { return AgreementText(agreement).toString(); }

std::string RateText(const Agreement &agreement)
{
    return (agreement.rateSource == TermSource::Bound ? "≤" : "") + agreement.terms.ratePerMille.toString();
}

Text MinimumText(const Decimal &minimum)
{
    return minimum.sign() == 0 ? TALLYFIN_TEXT("Statement", "无最低佣金")
                               : TALLYFIN_TEXT("Statement", "最低 %1 元").arg(yuan(minimum));
}

std::string JoinedCodes(const std::vector<std::string> &codes)
{
    std::string joined;
    for (const std::string &code : codes)
        joined += (joined.empty() ? "" : ", ") + code;
    return joined;
}

std::string EnglishScope(const Agreement &line)
{
    std::string scope(GroupName(line.group));
    if (line.securityClass == SecurityClass::Security)
        return line.codes.front() + " " + line.name;
    if (line.securityClass != SecurityClass::General)
        scope += " " + std::string(line.securityClass == SecurityClass::BondEtf    ? "bond ETFs"
                                   : line.securityClass == SecurityClass::MoneyEtf ? "money-market ETFs"
                                                                                   : SecurityClassName(line.securityClass));
    return scope;
}

Text ScopeText(const Agreement &line)
{
    if (line.securityClass == SecurityClass::Security)
        return Text::Plain(line.codes.front() + " " + line.name);
    Text group("Markets", GroupName(line.group).data());
    if (line.securityClass == SecurityClass::General)
        return group;
    return TALLYFIN_TEXT("Statement", "%1 %2").arg(std::move(group)).arg(Text("Markets", SecurityClassName(line.securityClass).data()));
}

std::string EnglishChangeWindow(const Agreement &earlier, const Agreement &later)
{
    return "the terms changed after " + FormatTradeDate(earlier.to) + " and on or before " + FormatTradeDate(later.from) +
           ": the trades between are explained by both";
}

Text ChangeWindowText(const Agreement &earlier, const Agreement &later)
{
    return TALLYFIN_TEXT("Statement", "协议在 %1 之后、%2 及之前变更，其间的成交两种协议都能解释")
        .arg(FormatTradeDate(earlier.to))
        .arg(FormatTradeDate(later.from));
}

std::string EnglishText(std::span<const Attribution> moved)
{
    std::string text = "booked in other columns:";
    for (const Attribution &item : moved)
        text += " " + std::string(FeePartName(item.item)) + " " + signedYuan(item.difference()) + ",";
    text.back() = ';';
    return text + " the total agrees";
}

Text AttributionText(std::span<const Attribution> moved)
{
    std::vector<Text> items;
    for (const Attribution &item : moved)
        items.push_back(TALLYFIN_TEXT("Statement", "%1 %2")
                            .arg(Text("Statement", FeePartChineseName(item.item).data()))
                            .arg(signedYuan(item.difference())));
    return TALLYFIN_TEXT("Statement", "归类不同：%1，合计相符").arg(JoinTexts(items, TALLYFIN_TEXT("Statement", "%1，%2")));
}

std::string_view EnglishText(OtherFeesHold hold)
{
    constexpr std::array<std::string_view, 4> texts{"other fees are charges of their own", "other fees are part of the commission",
                                                    "other fees are the transfer fee", "other fees are the levies"};
    return texts[static_cast<std::size_t>(hold)];
}

std::string_view ChineseText(OtherFeesHold hold)
{
    constexpr std::array<std::string_view, 4> texts{
        TALLYFIN_TR_NOOP("Statement", "其他费用单独核对"), TALLYFIN_TR_NOOP("Statement", "其他费用计入佣金"),
        TALLYFIN_TR_NOOP("Statement", "其他费用即过户费"), TALLYFIN_TR_NOOP("Statement", "其他费用即规费")};
    return texts[static_cast<std::size_t>(hold)];
}

} // namespace tallyfin::statement
