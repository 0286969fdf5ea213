#include "auditreport.h"

#include "messages.h"
#include "yearcolumns.h"

namespace tallyfin::statement {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string yuan(const Decimal &value) { return value.toFixed(2, kDecimalPoint); }
std::string yuan(Cents cents) { return yuan(Decimal(cents, 2)); }

class CsvWriter {
public:
    void cell(std::string_view text)
    {
        if (!m_lineStarted)
            m_lineStarted = true;
        else
            m_text += ',';
        if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
            m_text += text;
            return;
        }
        m_text += '"';
        for (const char c : text)
            m_text += c == '"' ? std::string_view("\"\"") : std::string_view(&c, 1);
        m_text += '"';
    }

    void line(std::initializer_list<std::string_view> cells)
    {
        for (const std::string_view text : cells)
            cell(text);
        end();
    }

    void end()
    {
        m_text += "\r\n";
        m_lineStarted = false;
    }

    std::string take() { return std::move(m_text); }

private:
    std::string m_text{kByteOrderMark};
    bool m_lineStarted = false;
};

std::string_view sideText(RowKind kind) { return kind == RowKind::Buy ? "买入" : "卖出"; }

void writeAgreements(CsvWriter &csv, const Audit &audit)
{
    csv.line({"佣金协议"});
    csv.line({"品种", "起", "止", "佣金费率(‰)", "费率区间(‰)", "最低佣金(元)", "规费", "过户费", "其他费用", "佣金相符",
              "委托数"});
    for (const Agreement &agreement : audit.agreements) {
        const std::string range = agreement.rateLow.toString() + "–" + agreement.rateHigh.toString();
        csv.line({ScopeText(agreement).toString(), FormatTradeDate(agreement.from), FormatTradeDate(agreement.to),
                  RateText(agreement), agreement.owesNothing ? "" : range,
                  agreement.owesNothing ? "" : yuan(agreement.terms.minimum),
                  agreement.terms.leviesOnTop ? "另计" : "含在佣金内", agreement.transferSeparate ? "单列" : "含在佣金内",
                  ChineseText(agreement.otherFees), std::to_string(agreement.commission.explained),
                  std::to_string(agreement.commission.of)});
    }
    csv.end();
}

void writeYears(CsvWriter &csv, const Audit &audit)
{
    csv.line({"年度合计"});
    const std::vector<YearColumn> columns = YearColumns(audit);
    for (const YearColumn column : columns)
        csv.cell(std::string(YearHeading(column)));
    csv.end();
    for (const YearTotals &year : audit.years) {
        for (const YearColumn column : columns)
            csv.cell(YearCell(year, column, kDecimalPoint).value_or(""));
        csv.end();
    }
    csv.end();
}

std::string optionalYuan(const std::optional<Cents> &cents) { return cents ? yuan(*cents) : std::string(); }

void writeTrades(CsvWriter &csv, const Statement &statement, const Audit &audit)
{
    csv.line({"逐笔核对"});
    csv.line({"行号", "日期", "代码", "名称", "买卖", "品种", "数量", "成交金额", "佣金", "应收佣金", "印花税", "应收印花税",
              "过户费", "应收过户费", "规费", "应收规费", "其他费用", "结果"});
    for (const TradeCheck &trade : audit.trades) {
        const Row &row = statement.rows[trade.row];
        const OrderCheck *order = trade.audited() ? &audit.orders[static_cast<std::size_t>(trade.order)] : nullptr;
        const Agreement *agreement = order ? &audit.agreements[order->agreement] : nullptr;
        const auto charged = ChargedItems(row, agreement ? agreement->otherFees : OtherFeesHold::OtherCharges);
        const bool first = order && order->firstRow == trade.row;
        csv.cell(std::to_string(row.line()));
        csv.cell(FormatTradeDate(row.date()));
        csv.cell(row.code());
        csv.cell(row.name());
        csv.cell(sideText(row.kind()));
        csv.cell(order ? GroupName(order->group) : "");
        csv.cell(row.quantity() ? row.quantity()->toString() : "");
        csv.cell(row.amount() ? yuan(*row.amount()) : "");
        for (std::size_t item = 0; item + 1 < kFeeItemCount; ++item) {
            csv.cell(optionalYuan(charged[item]));
            csv.cell(first ? yuan(order->expected[item]) : "");
        }
        csv.cell(optionalYuan(charged[static_cast<std::size_t>(FeePart::Other)]));
        csv.cell(TradeResultText(statement, audit, trade));
        csv.end();
    }
    csv.end();
}

void writeOtherRows(CsvWriter &csv, const Statement &statement)
{
    csv.line({"其他业务"});
    csv.line({"行号", "日期", "业务", "代码", "名称", "发生金额"});
    for (const Row &row : statement.rows)
        if (!row.isTrade())
            csv.line({std::to_string(row.line()), FormatTradeDate(row.date()), row.operation(), row.code(), row.name(),
                      row.cash() ? yuan(*row.cash()) : ""});
    csv.end();
    csv.line({"无法读取的行"});
    csv.line({"行号", "原因"});
    for (const UnreadableRow &row : statement.unreadable)
        csv.line({std::to_string(row.line), ChineseText(row)});
}

} // namespace

Text TradeResult(const Statement &statement, const Audit &audit, const TradeCheck &trade)
{
    if (!trade.audited())
        return TALLYFIN_TEXT("Statement", "未核对：%1").arg(TradeCheckText(trade, statement.rows[trade.row]));
    const OrderCheck &order = audit.orders[static_cast<std::size_t>(trade.order)];
    std::vector<Text> parts;
    if (order.firstRow != trade.row)
        parts.push_back(TALLYFIN_TEXT("Statement", "与第 %1 行同一委托")
                            .arg(std::to_string(statement.rows[order.firstRow].line())));
    for (const Finding &finding : FindingsOnRow(statement, audit, trade.row)) {
        if (finding.mayBeFillRounding())
            parts.push_back(TALLYFIN_TEXT("Statement", "%1（%2）")
                                .arg(FindingText(finding))
                                .arg(Text("Statement", ChineseFillRoundingNote().data())));
        else
            parts.push_back(FindingText(finding));
    }
    const std::span<const Attribution> moved = AttributionsOnRow(statement, audit, trade.row);
    if (parts.empty() && !moved.empty())
        return TALLYFIN_TEXT("Statement", "相符（%1）").arg(AttributionText(moved));
    if (parts.empty())
        return TALLYFIN_TEXT("Statement", "相符");
    return JoinTexts(parts, TALLYFIN_TEXT("Statement", "%1；%2"));
}

std::string TradeResultText(const Statement &statement, const Audit &audit, const TradeCheck &trade)
{
    return TradeResult(statement, audit, trade).toString();
}

std::string AuditReportCsv(const Statement &statement, const Audit &audit, std::string_view fileName)
{
    CsvWriter csv;
    csv.line({"交割单核对报告"});
    csv.line({"文件", fileName});
    csv.end();
    writeAgreements(csv, audit);
    writeYears(csv, audit);
    writeTrades(csv, statement, audit);
    writeOtherRows(csv, statement);
    return csv.take();
}

} // namespace tallyfin::statement
