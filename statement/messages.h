#pragma once

#include <span>
#include <string>
#include <string_view>

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

} // namespace tallyfin::statement
