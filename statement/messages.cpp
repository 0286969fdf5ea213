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

constexpr std::array<RoleWords, 25> kRoleWords{{
    {"unused column", "未使用的列"}, {"date", "日期"}, {"time", "时间"}, {"code", "代码"}, {"name", "名称"},
    {"operation", "操作"}, {"market", "市场"}, {"currency", "币种"}, {"quantity", "数量"}, {"price", "价格"},
    {"amount", "金额"}, {"commission", "佣金"}, {"stamp duty", "印花税"}, {"transfer fee", "过户费"},
    {"handling fee", "经手费"}, {"management fee", "证管费"}, {"levies", "规费"}, {"other fees", "其他费用"},
    {"total of the fees", "费用合计"}, {"cash movement", "发生金额"}, {"exchange rate", "汇率"},
    {"number of fills", "成交笔数"}, {"order number", "委托编号"}, {"trade number", "成交编号"},
    {"account", "股东账户"},
}};
static_assert(kRoleWords.size() == static_cast<std::size_t>(ColumnRole::Account) + 1);

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

std::string chineseSystemError(int error)
{
    switch (error) {
    case ENOENT: return "文件不存在";
    case EACCES:
    case EPERM: return "没有读取权限";
    case EISDIR: return "这是一个文件夹";
    case ENODEV: return "这不是普通文件";
    default: return "系统错误 " + std::to_string(error);
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

constexpr std::array<RoleWords, kFeePartCount> kFeePartWords{{
    {"commission", "佣金"}, {"stamp duty", "印花税"}, {"transfer fee", "过户费"},
    {"levies", "规费"},      {"other fees", "其他费用"}, {"total of the fees", "费用合计"},
}};

std::string yuan(const Decimal &value) { return value.toFixed(2, kDecimalPoint); }

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

std::string ChineseText(const Failure &failure)
{
    switch (failure.kind) {
    case FailureKind::CannotOpen:
        return "无法打开文件 " + failure.detail + "：" + chineseSystemError(failure.systemError);
    case FailureKind::TooLarge:
        return "文件大小为 " + size(failure.fileSize) + "，超过 " + size(kMaxStatementBytes) + " 的对账单不予读取";
    case FailureKind::Empty:
        return "文件是空的";
    case FailureKind::Binary:
        return "文件既不是文本，也不是 .xls 或 .xlsx 表格";
    case FailureKind::Html:
        return "文件是网页（HTML），不是对账单导出文件；请用表格软件打开并另存为 .xlsx";
    case FailureKind::BadSpreadsheet:
        return "无法读取表格文件（" + failure.detail + "）";
    case FailureKind::NoHeader:
        return "找不到表头：没有一行同时列出日期、代码、操作、数量和价格或金额" +
               (failure.detail.empty() ? std::string() : "（按 " + failure.detail + " 编码读取）");
    case FailureKind::Cancelled:
        return "已取消读取";
    }
    return {};
}

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

std::string ChineseText(const UnreadableRow &row)
{
    const std::string cell = "“" + row.cell + "”";
    switch (row.problem) {
    case RowProblem::NoDate: return row.column + "为空";
    case RowProblem::BadDate: return row.column + cell + "不是日期";
    case RowProblem::DateOutOfRange: return row.column + cell + "早于 1990 年或晚于 2099 年";
    case RowProblem::NoOperation: return row.column + "为空，无法判断业务";
    case RowProblem::SidesDisagree: return "操作栏互相矛盾（" + cell + "），发生金额和数量也无法判断买卖方向";
    case RowProblem::NoCode: return row.column + "为空，成交记录必须有证券代码";
    case RowProblem::BadCode: return row.column + cell + "不是证券代码";
    case RowProblem::NoQuantity: return row.column + "为空，成交记录必须有数量";
    case RowProblem::ZeroQuantity: return row.column + "为 0";
    case RowProblem::NoPriceOrAmount: return "成交记录既无价格也无金额";
    case RowProblem::BadNumber: return row.column + cell + "不是数字";
    case RowProblem::InvalidBytes: return row.column + "含有无法按文件编码识别的字节";
    case RowProblem::CutShort: return "文件在这一行中途结束，该行不完整";
    }
    return {};
}

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

std::string ChineseText(const ColumnChoice &choice, std::span<const Column> columns)
{
    const std::string others = names(columns, choice, "、", "“", "”");
    if (choice.basis == ChoiceBasis::EachRow)
        return "每行依次读取“" + columnName(columns, choice.chosen) + "”" + others +
               "：第一个非空的栏目说明该行业务";
    const std::string aside = others.empty()        ? std::string()
                              : totalBeside(choice, columns) ? "（" + others + "为费用合计）"
                                                             : "（而非" + others + "）";
    const std::string taken = choice.chosen < 0 ? "没有" + std::string(RoleChineseName(choice.role)) + "栏" + aside
                                                : "“" + columnName(columns, choice.chosen) + "”作为" +
                                                      std::string(RoleChineseName(choice.role)) + aside;
    if (choice.basis == ChoiceBasis::NameOrder)
        return taken + "：各行无法区分，按券商常用名称选取";
    const std::string check = checkedByCash(choice.role) ? "发生金额 = 成交金额 ± 费用" : "数量 × 价格 = 金额";
    return taken + "：" + check + "在 " + std::to_string(choice.rowsChecked) + " 笔成交中有 " +
           std::to_string(choice.rowsAgreeing) + " 笔相符";
}

std::string_view FeePartName(FeePart part) { return kFeePartWords[static_cast<std::size_t>(part)].english; }
std::string_view FeePartChineseName(FeePart part) { return kFeePartWords[static_cast<std::size_t>(part)].chinese; }

std::string EnglishText(const TradeCheck &trade, const Row &row)
{
    const std::string code(row.code());
    switch (trade.reason) {
    case NotAuditedReason::StockConnect: return "a Hong Kong stock through Stock Connect";
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

std::string ChineseText(const TradeCheck &trade, const Row &row)
{
    const std::string code(row.code());
    switch (trade.reason) {
    case NotAuditedReason::StockConnect: return "港股通交易（港股），不在核对范围";
    case NotAuditedReason::NotCovered: return "代码 " + code + " 不在费率表覆盖的品种内";
    case NotAuditedReason::MarketDisagrees: return "市场栏为“" + std::string(row.market()) + "”，但 " + code + " 不是该交易所的代码";
    case NotAuditedReason::NoAmount: return "成交金额为零（配售、新股入账等）";
    case NotAuditedReason::BeforeFeeTable:
        return "费率表自 " + FormatTradeDate(FeeTableStart()) + " 起，" + dateOf(row) + " 早于此";
    case NotAuditedReason::BeforeMarketOpened:
        return std::string(MarketName(*trade.market)) + "自 " + FormatTradeDate(RulesStart(*trade.market)) + " 起才有费率，" +
               dateOf(row) + " 没有";
    case NotAuditedReason::NumbersTooLarge: return "成交金额过大，无法作为金额核对";
    }
    return {};
}

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

std::string ChineseText(const Finding &finding)
{
    const Decimal difference = finding.difference();
    const std::string magnitude = yuan(difference.sign() < 0 ? -difference : difference);
    if (finding.item == FeePart::Total)
        return "按发生金额费用为 " + yuan(finding.charged) + "，各费用栏合计 " + yuan(finding.expected) + "，" +
               (difference.sign() < 0 ? "少 " : "多 ") + magnitude;
    return std::string(FeePartChineseName(finding.item)) + "实收 " + yuan(finding.charged) + "，应收 " +
           yuan(finding.expected) + "，" + (difference.sign() < 0 ? "少收 " : "多收 ") + magnitude;
}

std::string_view ChineseFillRoundingNote() { return "成交笔数未知，可能是逐笔成交分别取整所致"; }

std::string EnglishText(const Agreement &agreement)
{
    const CommissionTerms &terms = agreement.terms;
    const std::string rate = agreement.rateSource == TermSource::Bound ? "at most " : "";
    return rate + terms.ratePerMille.toString() + "‰, minimum " + yuan(terms.minimum) + ", levies " +
           (terms.leviesOnTop ? "on top" : "inside") + ", transfer fee " +
           (agreement.transferSeparate ? "separate" : "inside");
}

std::string ChineseText(const Agreement &agreement)
{
    const CommissionTerms &terms = agreement.terms;
    const std::string rate = agreement.rateSource == TermSource::Bound ? "佣金不高于 " : "佣金 ";
    return rate + terms.ratePerMille.toString() + "‰，最低 " + yuan(terms.minimum) + " 元，规费" +
           (terms.leviesOnTop ? "另计" : "含在佣金内") + "，过户费" + (agreement.transferSeparate ? "单列" : "含在佣金内");
}

std::string_view EnglishText(OtherFeesHold hold)
{
    constexpr std::array<std::string_view, 4> texts{"other fees are charges of their own", "other fees are part of the commission",
                                                    "other fees are the transfer fee", "other fees are the levies"};
    return texts[static_cast<std::size_t>(hold)];
}

std::string_view ChineseText(OtherFeesHold hold)
{
    constexpr std::array<std::string_view, 4> texts{"其他费用单独核对", "其他费用计入佣金", "其他费用即过户费",
                                                    "其他费用即规费"};
    return texts[static_cast<std::size_t>(hold)];
}

} // namespace tallyfin::statement
