#pragma once

#include <span>
#include <string>
#include <string_view>

#include "audit.h"
#include "statement.h"
#include "text.h"

// Every text a person reads about a statement, in English (the CLI) and in
// Chinese (the window), kept together so that one problem reads the same in
// both and the window can hand the Chinese ones to translation.
namespace tallyfin::statement {

//   EnglishText(Failure{FailureKind::Empty}) -> "the file is empty"
//   ChineseText(Failure{FailureKind::Empty}) -> "文件是空的"
std::string EnglishText(const Failure &failure);
std::string ChineseText(const Failure &failure);
// The Chinese texts in their parts, for a window to translate (context
// "Statement"); ChineseText is their source-language text.
Text FailureText(const Failure &failure);

// Why a row was not read (without its line, which is shown beside it):
//   EnglishText({90, RowProblem::BadNumber, "成交金额", "abc"}) -> "'abc' in 成交金额 is not a number"
//   ChineseText(the same)                                      -> "成交金额“abc”不是数字"
std::string EnglishText(const UnreadableRow &row);
std::string ChineseText(const UnreadableRow &row);
Text RowProblemText(const UnreadableRow &row);

// Which column was taken for a role that two could fill, and why:
//   "发生金额 is the cash movement (not 清算金额): the rows cannot tell them apart, and brokers use that name first"
std::string EnglishText(const ColumnChoice &choice, std::span<const Column> columns);
std::string ChineseText(const ColumnChoice &choice, std::span<const Column> columns);
Text ColumnChoiceText(const ColumnChoice &choice, std::span<const Column> columns);

//   RoleName(ColumnRole::StampDuty) -> "stamp duty";  RoleChineseName(ColumnRole::StampDuty) -> "印花税"
// (marked for translation in the context "Statement")
std::string_view RoleName(ColumnRole role);
std::string_view RoleChineseName(ColumnRole role);

// --- The audit ---------------------------------------------------------------

//   FeePartName(FeePart::StampDuty) -> "stamp duty",  FeePartChineseName(FeePart::StampDuty) -> "印花税"
std::string_view FeePartName(FeePart part);
std::string_view FeePartChineseName(FeePart part);

// Why a trade row was not audited (without its line):
//   "a Hong Kong stock through Stock Connect" / "港股通交易（港股），不在核对范围"
//   "北京A股 has rules from 2021-11-15 on, not on 2020-03-02" / "北京A股自 2021-11-15 起才有费率，2020-03-02 没有"
std::string EnglishText(const TradeCheck &trade, const Row &row);
std::string ChineseText(const TradeCheck &trade, const Row &row);
Text TradeCheckText(const TradeCheck &trade, const Row &row);

// A finding (without its line):
//   "commission 9.00 charged, 5.00 due: 4.00 too much"
//   "佣金实收 9.00，应收 5.00，多收 4.00"
// The row's arithmetic: "fees 5.10 by the cash movement, 5.00 in the fee columns: 0.10 more"
std::string EnglishText(const Finding &finding);
std::string ChineseText(const Finding &finding);
Text FindingText(const Finding &finding);
// Said beside a finding that rounding per fill may explain (marked for
// translation in the context "Statement", as are the Chinese names above).
std::string_view ChineseFillRoundingNote();

// A line's terms for a person:
//   "0.25‰, minimum 5.00, levies inside, transfer fee separate"
//   "佣金 0.25‰，最低 5.00 元，规费含在佣金内，过户费单列"
// A rate the rows only bound reads "at most 1.453‰" / "佣金不高于 1.453‰";
// no minimum "no minimum" / "无最低佣金"; a line owing nothing "nothing charged".
std::string EnglishText(const Agreement &agreement);
std::string ChineseText(const Agreement &agreement);
Text AgreementText(const Agreement &agreement);
// The rate as the agreement table shows it: "0.2354", "≤0.1891", "0" for a line owing nothing.
std::string RateText(const Agreement &agreement);
//   MinimumText(5) -> "最低 5.00 元",  MinimumText(0) -> "无最低佣金"
Text MinimumText(const Decimal &minimum);

//   JoinedCodes({"511090", "511260"}) -> "511090, 511260"
std::string JoinedCodes(const std::vector<std::string> &codes);

// Which orders a line prices:
//   "上海A股", "上海基金 债券ETF" ("上海基金 bond ETFs"), "511260 十年国债"
std::string EnglishScope(const Agreement &line);
Text ScopeText(const Agreement &line);

// Between two periods of one scope, where the rows cannot tell the day of the change:
//   "the terms changed after 2025-01-23 and on or before 2025-02-26: the trades between are explained by both"
std::string EnglishChangeWindow(const Agreement &earlier, const Agreement &later);
Text ChangeWindowText(const Agreement &earlier, const Agreement &later);

// The items of one order booked in other columns than the rules' (not a finding):
//   "booked in other columns: levies +0.02, commission -0.02; the total agrees"
//   "归类不同：规费 +0.02，佣金 -0.02，合计相符"
std::string EnglishText(std::span<const Attribution> moved);
Text AttributionText(std::span<const Attribution> moved);

// What a group's other-fee column holds:  "其他费用计入佣金"
std::string_view EnglishText(OtherFeesHold hold);
std::string_view ChineseText(OtherFeesHold hold);

} // namespace tallyfin::statement
