#pragma once

#include <string>
#include <string_view>

#include "audit.h"

namespace tallyfin::statement {

// The audit as a CSV report, the same whether the window exports it or
// `tallyfin-cli audit --csv` prints it: UTF-8 with a byte-order mark (so
// spreadsheet programs take it for UTF-8), CRLF line ends, one section after
// another, each with its title and column names:
//   交割单核对报告 / 文件,<fileName>
//   佣金协议    品种,佣金费率(‰),最低佣金(元),规费,过户费,其他费用,佣金相符,委托数
//   年度合计    年份,成交笔数,成交金额,佣金,…,超出规则,对比节省
//   逐笔核对    every trade row: its charges, its order's due fees (on the order's first row), the result
//   其他业务, 无法读取的行
// Money has two decimals; a cell holding a comma, quote or line end is quoted.
std::string AuditReportCsv(const Statement &statement, const Audit &audit, std::string_view fileName);

// What the report and the window say of a trade row: "相符", the findings of
// its order joined by "；", "未核对：" and the reason, or that it belongs to
// the order of an earlier line.
std::string TradeResultText(const Statement &statement, const Audit &audit, const TradeCheck &trade);
// The same in its parts, for a window to translate.
Text TradeResult(const Statement &statement, const Audit &audit, const TradeCheck &trade);

} // namespace tallyfin::statement
