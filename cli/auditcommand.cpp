#include <CLI/CLI.hpp>

#include <ostream>

#include "agreementoptions.h"
#include "audit.h"
#include "accountoutput.h"
#include "auditoutput.h"
#include "auditreport.h"
#include "command.h"
#include "messages.h"
#include "table.h"
#include "yearcolumns.h"

namespace tallyfin {

namespace {

using namespace statement;
using Json = nlohmann::ordered_json;

std::string yuan(const Decimal &value) { return value.toFixed(2, kDecimalPoint); }

Json orNull(const std::optional<std::string> &text) { return text ? Json(*text) : Json(nullptr); }

Json tallyJson(const Tally &tally) { return {{"explained", tally.explained}, {"of", tally.of}}; }

std::string_view sourceKey(TermSource source)
{
    constexpr std::array<std::string_view, 4> keys{"rows", "bound", "default", "user"};
    return keys[static_cast<std::size_t>(source)];
}

Json classJson(SecurityClass securityClass)
{
    if (securityClass == SecurityClass::General)
        return nullptr;
    return securityClass == SecurityClass::Security ? "security" : SecurityClassName(securityClass);
}

Json agreementJson(const Agreement &agreement)
{
    return {{"group", GroupName(agreement.group)},
            {"class", classJson(agreement.securityClass)},
            {"codes", agreement.codes},
            {"name", agreement.securityClass == SecurityClass::Security ? Json(agreement.name) : Json(nullptr)},
            {"from", FormatTradeDate(agreement.from)},
            {"to", FormatTradeDate(agreement.to)},
            {"commissionPerMille", agreement.terms.ratePerMille.toString()},
            {"commissionRange", {agreement.rateLow.toString(), agreement.rateHigh.toString()}},
            {"minimum", agreement.terms.minimum.sign() == 0 ? Json(nullptr) : Json(yuan(agreement.terms.minimum))},
            {"levies", agreement.terms.leviesOnTop ? "on top" : "inside"},
            {"transfer", agreement.transferSeparate ? "separate" : "inside"},
            {"owesNothing", agreement.owesNothing},
            {"otherFees", OtherFeesHoldKey(agreement.otherFees)},
            {"explained", agreement.commission.explained},
            {"of", agreement.commission.of},
            {"sources",
             {{"commission", sourceKey(agreement.rateSource)},
              {"minimum", sourceKey(agreement.minimumSource)},
              {"levies", sourceKey(agreement.leviesSource)},
              {"transfer", sourceKey(agreement.transferSource)}}},
            {"terms",
             {{"commission", tallyJson(agreement.rate)},
              {"minimum", tallyJson(agreement.minimum)},
              {"levies", tallyJson(agreement.levies)},
              {"transfer", tallyJson(agreement.transfer)}}}};
}

std::string sideKey(const Row &row) { return std::string(RowKindKey(row.kind())); }

Json findingJson(const Statement &statement, const Audit &audit, const Finding &finding)
{
    const Row &row = statement.rows[finding.row];
    const OrderCheck &order = audit.orders[finding.order];
    return {{"line", row.line()},
            {"date", FormatTradeDate(row.date())},
            {"code", row.code()},
            {"side", sideKey(row)},
            {"item", FeePartKey(finding.item)},
            {"charged", yuan(finding.charged)},
            {"expected", yuan(finding.expected)},
            {"difference", yuan(finding.difference())},
            {"allowance", yuan(finding.allowance)},
            {"fills", order.fillsKnown ? Json(order.fills) : Json(nullptr)},
            {"orderDifference", yuan(finding.orderDifference)},
            {"mayBeFillRounding", finding.mayBeFillRounding()},
            {"text", EnglishText(finding)}};
}

Json attributionJson(const Statement &statement, const Attribution &moved)
{
    const Row &row = statement.rows[moved.row];
    return {{"line", row.line()},
            {"date", FormatTradeDate(row.date())},
            {"code", row.code()},
            {"side", sideKey(row)},
            {"item", FeePartKey(moved.item)},
            {"charged", yuan(moved.charged)},
            {"expected", yuan(moved.expected)},
            {"difference", yuan(moved.difference())}};
}

Json yearJson(const YearTotals &year)
{
    const std::optional<Decimal> rate = year.commissionPerMille();
    return {{"year", year.year},
            {"trades", year.trades},
            {"turnover", yuan(year.turnover)},
            {"commission", yuan(year.fees[static_cast<std::size_t>(FeePart::Commission)])},
            {"stampDuty", yuan(year.fees[static_cast<std::size_t>(FeePart::StampDuty)])},
            {"transferFee", yuan(year.fees[static_cast<std::size_t>(FeePart::TransferFee)])},
            {"levies", yuan(year.fees[static_cast<std::size_t>(FeePart::Levies)])},
            {"other", yuan(year.fees[static_cast<std::size_t>(FeePart::Other)])},
            {"fees", yuan(year.feesTotal())},
            {"effectiveCommissionPerMille", rate ? Json(rate->toFixed(3, kDecimalPoint)) : Json(nullptr)},
            {"beyondRules", yuan(year.beyondRules)},
            {"compareSaving", year.compareSaving ? Json(yuan(*year.compareSaving)) : Json(nullptr)},
            {"portfolioFees", yuan(year.portfolioFees)}};
}

Json formatJson(const Statement &statement)
{
    const Format &format = statement.format;
    return {{"kind", FileKindKey(format.kind)},
            {"encoding", format.encoding ? Json(EncodingName(*format.encoding)) : Json(nullptr)},
            {"headerLine", format.headerLine > 0 ? Json(format.headerLine) : Json(nullptr)}};
}

Json rowsJson(const Statement &statement, const Audit *audit)
{
    return {{"trades", statement.tradeCount()},
            {"other", statement.otherCount()},
            {"unreadable", statement.unreadable.size()},
            {"notAudited", audit ? audit->notAuditedCount() : 0}};
}

Json otherJson(const Statement &statement)
{
    Json other = Json::array();
    for (const Row &row : statement.rows)
        if (!row.isTrade())
            other.push_back({{"line", row.line()}, {"kind", row.operation()}});
    return other;
}

Json unreadableJson(const Statement &statement)
{
    Json unreadable = Json::array();
    for (const UnreadableRow &row : statement.unreadable)
        unreadable.push_back({{"line", row.line}, {"reason", EnglishText(row)}});
    return unreadable;
}

Json notAuditedJson(const Statement &statement, const Audit &audit)
{
    Json notAudited = Json::array();
    for (const TradeCheck &trade : audit.trades) {
        const Row &row = statement.rows[trade.row];
        if (!trade.audited())
            notAudited.push_back({{"line", row.line()}, {"code", row.code()}, {"reason", NotAuditedKey(trade.reason)},
                                  {"text", EnglishText(trade, row)}});
    }
    return notAudited;
}

} // namespace

Json AuditJson(const std::string &file, const Statement &statement, const Audit *audit,
               const std::optional<std::string> &error)
{
    Json object = {{"file", file},
                   {"format", formatJson(statement)},
                   {"rows", rowsJson(statement, audit)},
                   {"other", otherJson(statement)},
                   {"unreadable", unreadableJson(statement)},
                   {"notAudited", audit ? notAuditedJson(statement, *audit) : Json::array()}};
    Json agreements = Json::array(), findings = Json::array(), attribution = Json::array(), years = Json::array();
    if (audit) {
        for (const Agreement &agreement : audit->agreements)
            agreements.push_back(agreementJson(agreement));
        for (const Finding &finding : audit->findings)
            findings.push_back(findingJson(statement, *audit, finding));
        for (const Attribution &moved : audit->attributions)
            attribution.push_back(attributionJson(statement, moved));
        for (const YearTotals &year : audit->years)
            years.push_back(yearJson(year));
    }
    object["agreement"] = std::move(agreements);
    object["findings"] = std::move(findings);
    object["attribution"] = std::move(attribution);
    object["years"] = std::move(years);
    object["error"] = orNull(error);
    return object;
}

namespace {

// --- The table ---------------------------------------------------------------

void addHeader(std::string &text, const std::string &file, const Statement &statement, const Audit &audit)
{
    TextTable table;
    table.addRow("文件", file);
    const Format &format = statement.format;
    std::string read(FileKindKey(format.kind));
    if (format.encoding)
        read += ", " + std::string(EncodingName(*format.encoding));
    table.addRow("格式", read + "，表头在第 " + std::to_string(format.headerLine) + " 行");
    table.addRow("行数", "成交 " + std::to_string(statement.tradeCount()) + "，其他 " + std::to_string(statement.otherCount()) +
                             "，无法读取 " + std::to_string(statement.unreadable.size()) + "，未核对 " +
                             std::to_string(audit.notAuditedCount()));
    text += table.render(false);
}

void addAgreements(std::string &text, const Audit &audit)
{
    GridTable grid;
    grid.addRow({"品种", "起", "止", "佣金(‰)", "最低(元)", "规费", "过户费", "其他费用", "佣金相符"});
    std::vector<std::string> changes;
    for (std::size_t l = 0; l < audit.agreements.size(); ++l) {
        const Agreement &line = audit.agreements[l];
        grid.addRow({ScopeText(line).toString(), FormatTradeDate(line.from), FormatTradeDate(line.to), RateText(line),
                     line.owesNothing || line.terms.minimum.sign() == 0 ? "-" : yuan(line.terms.minimum),
                     line.terms.leviesOnTop ? "另计" : "含在佣金内", line.transferSeparate ? "单列" : "含在佣金内",
                     std::string(ChineseText(line.otherFees)),
                     std::to_string(line.commission.explained) + "/" + std::to_string(line.commission.of)});
        if (l > 0 && SameScope(audit.agreements[l - 1], line))
            changes.push_back("  " + ScopeText(line).toString() + "：" +
                              ChangeWindowText(audit.agreements[l - 1], line).toString() + "\n");
    }
    text += "\n佣金协议\n" + grid.render("  ");
    for (const std::string &change : changes)
        text += change;
}

void addFindings(std::string &text, const Statement &statement, const Audit &audit)
{
    GridTable grid;
    grid.addRow({"行", "日期", "代码", "买卖", "项目", "实收", "应收", "差额", "委托合计差额"});
    for (const Finding &finding : audit.findings) {
        const Row &row = statement.rows[finding.row];
        grid.addRow({std::to_string(row.line()), FormatTradeDate(row.date()), std::string(row.code()),
                     row.kind() == RowKind::Buy ? "买入" : "卖出", std::string(FeePartChineseName(finding.item)),
                     yuan(finding.charged), yuan(finding.expected), yuan(finding.difference()),
                     yuan(finding.orderDifference)});
    }
    text += "\n出入（" + std::to_string(audit.findings.size()) + "）\n" + (audit.findings.empty() ? "  无\n" : grid.render("  "));
    if (audit.attributions.empty())
        return;
    GridTable moved;
    moved.addRow({"行", "日期", "代码", "项目", "实收", "应收"});
    for (const Attribution &item : audit.attributions) {
        const Row &row = statement.rows[item.row];
        moved.addRow({std::to_string(row.line()), FormatTradeDate(row.date()), std::string(row.code()),
                      std::string(FeePartChineseName(item.item)), yuan(item.charged), yuan(item.expected)});
    }
    text += "\n归类不同，合计相符（" + std::to_string(audit.attributions.size()) + "）\n" + moved.render("  ");
}

void addYears(std::string &text, const Audit &audit)
{
    GridTable grid;
    const std::vector<YearColumn> columns = YearColumns(audit);
    std::vector<std::string> captions;
    for (const YearColumn column : columns)
        captions.emplace_back(YearHeading(column));
    grid.addRow(std::move(captions));
    for (const YearTotals &year : audit.years) {
        std::vector<std::string> cells;
        for (const YearColumn column : columns)
            cells.push_back(YearCell(year, column, kDecimalPoint).value_or("-"));
        grid.addRow(std::move(cells));
    }
    text += "\n年度\n" + grid.render("  ");
}

void addLeftOut(std::string &text, const Statement &statement, const Audit &audit)
{
    GridTable grid;
    for (const TradeCheck &trade : audit.trades)
        if (!trade.audited())
            grid.addRow({std::to_string(statement.rows[trade.row].line()), "not audited",
                         EnglishText(trade, statement.rows[trade.row])});
    for (const UnreadableRow &row : statement.unreadable)
        grid.addRow({std::to_string(row.line), "unreadable", EnglishText(row)});
    if (!grid.empty())
        text += "\n未核对与无法读取的行\n" + grid.render("  ");
}

} // namespace

std::string AuditTable(const std::string &file, const Statement &statement, const Audit &audit)
{
    std::string text;
    addHeader(text, file, statement, audit);
    addAgreements(text, audit);
    addFindings(text, statement, audit);
    addYears(text, audit);
    addLeftOut(text, statement, audit);
    return text;
}

namespace {

// "audit FILE": the statement checked against the dated rules under the
// agreement its rows show; "audit FILE1 FILE2 …" the files merged as one
// account's statements, nothing stored.
class AuditCommand : public Command {
public:
    CLI::App *declare(CLI::App &program) override
    {
        CLI::App *audit = program.add_subcommand(
            "audit", "check a broker's statement (交割单) against the dated fee rules, row by row");
        audit->add_option("file", m_files,
                          "the statement: text (GB18030, UTF-8, UTF-16), .xls or .xlsx; several are merged as one "
                          "account's (rows they share counted once)")
            ->required();
        m_agreement.declare(audit);
        CLI::Option *json = audit->add_flag("--json", m_json, "print one JSON object");
        audit->add_flag("--csv", m_csv, "print the report as CSV (UTF-8 with a byte-order mark)")->excludes(json);
        audit->footer("Several files: their JSON is that of account audit --json (\"file\" and \"account\" null, "
                      "each \"line\" beside its \"statement\", the files numbered 1, 2 … in the order given, then "
                      "\"statements\", \"gaps\", \"cashNotes\"); nothing is stored.");
        return audit;
    }

    int run(const Output &output) const override
    {
        if (m_files.size() > 1)
            return RunMergedAudit(m_files, m_agreement.options(), m_json ? ReportStyle::Json : m_csv ? ReportStyle::Csv
                                                                                               : ReportStyle::Table,
                                  output);
        const std::string &file = m_files.front();
        const Statement statement = ReadStatementFile(file);
        if (statement.failure)
            return failed(output, statement, EnglishText(*statement.failure));
        const std::optional<Audit> audit = AuditStatement(statement, m_agreement.options());
        if (m_json)
            output.out << JsonLine(AuditJson(file, statement, &*audit, std::nullopt));
        else if (m_csv)
            output.out << AuditReportCsv(statement, *audit, file);
        else
            output.out << AuditTable(file, statement, *audit);
        return 0;
    }

private:
    int failed(const Output &output, const Statement &statement, const std::string &error) const
    {
        Ending ending;
        ending.error = error;
        return Report(output, m_json ? JsonLine(AuditJson(m_files.front(), statement, nullptr, error)) : std::string(),
                      m_json, ending);
    }

    std::vector<std::string> m_files;
    AgreementOptions m_agreement;
    bool m_json = false, m_csv = false;
};

} // namespace

std::unique_ptr<Command> MakeAuditCommand() { return std::make_unique<AuditCommand>(); }

} // namespace tallyfin
