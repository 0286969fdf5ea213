#include "accountoutput.h"

#include "auditoutput.h"
#include "auditreport.h"
#include "messages.h"
#include "table.h"

namespace tallyfin {

namespace {

using Json = nlohmann::ordered_json;
using namespace statement;

Json dateOrNull(const std::optional<TradeDate> &date) { return date ? Json(FormatTradeDate(*date)) : Json(nullptr); }

std::string dateOrDash(const std::optional<TradeDate> &date) { return date ? FormatTradeDate(*date) : "-"; }

// The audit's lists name rows by their line; in a merged account a line is
// one of a statement, so each entry also names its statement. The lists come
// in the orders AuditJson writes them.
void addStatements(Json &list, const std::vector<int> &statements)
{
    for (std::size_t i = 0; i < list.size() && i < statements.size(); ++i)
        list[i]["statement"] = statements[i];
}

void numberLines(Json &object, const MergedStatement &merged, const Audit &audit)
{
    std::vector<int> others, notAudited, findings, attributions;
    for (std::size_t i = 0; i < merged.statement.rows.size(); ++i)
        if (!merged.statement.rows[i].isTrade())
            others.push_back(merged.sourceOfRow[i]);
    for (const TradeCheck &trade : audit.trades)
        if (!trade.audited())
            notAudited.push_back(merged.sourceOfRow[trade.row]);
    for (const Finding &finding : audit.findings)
        findings.push_back(merged.sourceOfRow[finding.row]);
    for (const Attribution &moved : audit.attributions)
        attributions.push_back(merged.sourceOfRow[moved.row]);
    addStatements(object["other"], others);
    addStatements(object["unreadable"], merged.sourceOfUnreadable);
    addStatements(object["notAudited"], notAudited);
    addStatements(object["findings"], findings);
    addStatements(object["attribution"], attributions);
}

Json emptyAccountJson(const std::string &error)
{
    Json object = AuditJson("", Statement{}, nullptr, error);
    object["file"] = nullptr;
    object["account"] = nullptr;
    object["statements"] = Json::array();
    object["gaps"] = Json::array();
    object["cashNotes"] = Json::array();
    return object;
}

std::string yuan(const Decimal &value) { return value.toFixed(2, kDecimalPoint); }

Json yuanOrNull(const std::optional<Decimal> &value) { return value ? Json(yuan(*value)) : Json(nullptr); }

Json lotJson(const LotTax &lot)
{
    return {{"bought", dateOrNull(lot.bought)},
            {"quantity", lot.quantity.toString()},
            {"dividendPerShare", lot.dividendPerShare.toString()},
            {"ratePercent", lot.ratePercent},
            {"tax", yuanOrNull(lot.tax)}};
}

std::string verdict(const TaxRowCheck &row) { return std::string(ChineseText(VerdictOf(row))); }

} // namespace

Json DividendTaxJson(const MergedStatement &merged, const DividendTaxCheck &check)
{
    Json taxRows = Json::array(), missing = Json::array(), unheld = Json::array();
    for (const TaxRowCheck &row : check.taxRows) {
        Json lots = Json::array();
        for (const LotTax &lot : row.lots)
            lots.push_back(lotJson(lot));
        taxRows.push_back({{"line", merged.statement.rows[row.row].line()},
                           {"statement", merged.sourceOfRow[row.row]},
                           {"date", FormatTradeDate(row.date)},
                           {"code", row.code},
                           {"quantity", row.quantity ? Json(row.quantity->toString()) : Json(nullptr)},
                           {"charged", yuan(row.charged)},
                           {"due", yuanOrNull(row.due())},
                           {"explained", row.explained},
                           {"lots", std::move(lots)}});
    }
    for (const MissingTax &sale : check.missing)
        missing.push_back({{"date", FormatTradeDate(sale.date)}, {"code", sale.code},
                           {"quantity", sale.quantity.toString()}, {"due", yuanOrNull(sale.due)}});
    for (const UnheldDividend &dividend : check.unheldDividends)
        unheld.push_back({{"line", merged.statement.rows[dividend.row].line()},
                          {"statement", merged.sourceOfRow[dividend.row]},
                          {"date", FormatTradeDate(dividend.date)},
                          {"code", dividend.code},
                          {"cash", yuan(dividend.cash)}});
    return {{"taxRows", std::move(taxRows)}, {"missingTax", std::move(missing)}, {"unheldDividends", std::move(unheld)}};
}

std::string DividendTaxTable(const MergedStatement &merged, const DividendTaxCheck &check)
{
    GridTable grid;
    grid.addRow({"对账单", "行", "日期", "代码", "股数", "实收", "应收", "核对"});
    for (const TaxRowCheck &row : check.taxRows) {
        const std::optional<Decimal> due = row.due();
        grid.addRow({std::to_string(merged.sourceOfRow[row.row]), std::to_string(merged.statement.rows[row.row].line()),
                     FormatTradeDate(row.date), row.code, row.quantity ? row.quantity->toString() : "-", yuan(row.charged),
                     due ? yuan(*due) : "-", verdict(row)});
        for (const LotTax &lot : row.lots)
            grid.addRow({"", "", "", "", "", "", "",
                         (lot.bought ? "买入 " + FormatTradeDate(*lot.bought) : std::string("期初持有")) + "，" +
                             lot.quantity.toString() + " 股 × " + lot.dividendPerShare.toString() + " × " +
                             std::to_string(lot.ratePercent) + "% = " + (lot.tax ? yuan(*lot.tax) : "?")});
    }
    std::string text = "红利税补缴（" + std::to_string(check.taxRows.size()) + "）\n" +
                       (check.taxRows.empty() ? "  无\n" : grid.render("  "));
    text += "\n应补缴而无记录（" + std::to_string(check.missing.size()) + "）\n";
    if (check.missing.empty())
        text += "  无\n";
    for (const MissingTax &sale : check.missing)
        text += "  " + EnglishText(sale) + '\n';
    for (const UnheldDividend &dividend : check.unheldDividends)
        text += "\n  " + FormatTradeDate(dividend.date) + " " + dividend.code + ": a dividend of " + yuan(dividend.cash) +
                " booked while nothing was held\n";
    return text;
}

Json StatementEntryJson(const StatementEntry &entry)
{
    return {{"id", entry.id},           {"file", entry.file},          {"rowsAdded", entry.rowsAdded},
            {"rowsKnown", entry.rowsKnown}, {"from", dateOrNull(entry.from)}, {"to", dateOrNull(entry.to)}};
}

Json GapsJson(const BalanceCheck &check)
{
    Json gaps = Json::array();
    for (const ShareGap &gap : check.gaps)
        gaps.push_back({{"after", FormatTradeDate(gap.after)},
                        {"before", FormatTradeDate(gap.before)},
                        {"what", EnglishText(gap)},
                        {"code", gap.code},
                        {"shares", gap.shares().toString()}});
    return gaps;
}

Json CashNotesJson(const BalanceCheck &check)
{
    Json notes = Json::array();
    for (const CashBreak &note : check.cashBreaks)
        notes.push_back({{"after", FormatTradeDate(note.after)},
                         {"before", FormatTradeDate(note.before)},
                         {"what", EnglishText(note)},
                         {"difference", note.difference().toFixed(2, kDecimalPoint)}});
    return notes;
}

std::string StatementsTable(const std::vector<StatementEntry> &entries)
{
    GridTable grid;
    grid.addRow({"编号", "文件", "起", "止", "新增行", "已有行"});
    for (const StatementEntry &entry : entries)
        grid.addRow({std::to_string(entry.id), entry.file, dateOrDash(entry.from), dateOrDash(entry.to),
                     std::to_string(entry.rowsAdded), std::to_string(entry.rowsKnown)});
    return "对账单\n" + grid.render("  ");
}

std::string GapsTable(const BalanceCheck &check)
{
    std::string text = "\n缺口（" + std::to_string(check.gaps.size()) + "）\n";
    if (check.gaps.empty())
        text += "  无\n";
    for (const ShareGap &gap : check.gaps)
        text += "  " + EnglishText(gap) + '\n';
    if (!check.cashBreaks.empty())
        text += "\n资金余额（仅供参考，" + std::to_string(check.cashBreaks.size()) + "）\n";
    for (const CashBreak &note : check.cashBreaks)
        text += "  " + EnglishText(note) + '\n';
    return text;
}

int ReportMergedAudit(const std::string &title, const std::optional<std::string> &account, const MergedStatement &merged,
                      const std::vector<StatementEntry> &entries, const AuditOptions &options, ReportStyle style,
                      const Output &output)
{
    const std::optional<Audit> audit = AuditStatement(merged.statement, options);
    const BalanceCheck check = CheckBalances(merged.statement);
    switch (style) {
    case ReportStyle::Json: {
        Json object = AuditJson(title, merged.statement, &*audit, std::nullopt);
        object["file"] = nullptr;
        object["account"] = account ? Json(*account) : Json(nullptr);
        numberLines(object, merged, *audit);
        Json statements = Json::array();
        for (const StatementEntry &entry : entries)
            statements.push_back(StatementEntryJson(entry));
        object["statements"] = std::move(statements);
        object["gaps"] = GapsJson(check);
        object["cashNotes"] = CashNotesJson(check);
        output.out << JsonLine(object);
        break;
    }
    case ReportStyle::Csv: output.out << AuditReportCsv(merged.statement, *audit, title); break;
    case ReportStyle::Table:
        output.out << StatementsTable(entries) << '\n' << AuditTable(title, merged.statement, *audit) << GapsTable(check);
        break;
    }
    return 0;
}

int RunMergedAudit(const std::vector<std::string> &files, const AuditOptions &options, ReportStyle style,
                   const Output &output)
{
    std::vector<Statement> read;
    for (const std::string &file : files) {
        read.push_back(ReadStatementFile(file));
        if (read.back().failure) {
            Ending ending;
            ending.error = file + ": " + EnglishText(*read.back().failure);
            const bool json = style == ReportStyle::Json;
            return Report(output, json ? JsonLine(emptyAccountJson(*ending.error)) : std::string(), json, ending);
        }
    }
    std::vector<MergeSource> sources;
    for (std::size_t i = 0; i < read.size(); ++i)
        sources.push_back({static_cast<int>(i + 1), &read[i]});
    const MergedStatement merged = MergeStatements(sources);
    std::vector<StatementEntry> entries;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const SourceTally &tally = merged.tallies[i];
        entries.push_back({tally.id, files[i], tally.rowsAdded, tally.rowsKnown, tally.from, tally.to});
    }
    std::string title;
    for (const std::string &file : files)
        title += (title.empty() ? "" : ", ") + file;
    return ReportMergedAudit(title, std::nullopt, merged, entries, options, style, output);
}

} // namespace tallyfin
