#include "positionstable.h"

#include <array>

namespace tallyfin::statement {

namespace {

struct ReasonWords {
    std::string_view english, chinese;
};

constexpr std::array<ReasonWords, 2> kReasonWords{{
    {"a code that is no A share, fund or convertible bond Tallyfin knows",
     TALLYFIN_TR_NOOP("Statement", "无法识别的证券代码（不是本程序认识的A股、基金或可转债）")},
    {"no code to book it to", TALLYFIN_TR_NOOP("Statement", "没有证券代码，无法记入持仓")},
}};
static_assert(kReasonWords.size() == static_cast<std::size_t>(SkipReason::NoCode) + 1);

const ReasonWords &wordsOf(SkipReason reason) { return kReasonWords[static_cast<std::size_t>(reason)]; }

} // namespace

std::string EnglishText(const OversoldSale &sale)
{
    return "line " + std::to_string(sale.line) + ": " + sale.code + " sold " + sale.sold.toString() +
           " shares with only " + sale.held.toString() + " held; the sale and its fees were skipped";
}

Text LeftOutText(const OversoldSale &sale)
{
    return TALLYFIN_TEXT("Positions", "第 %1 行：%2 卖出 %3 股，多于当时持有的 %4 股，这笔卖出及其费用未计入")
        .arg(std::to_string(sale.line))
        .arg(sale.code)
        .arg(sale.sold.toString())
        .arg(sale.held.toString());
}

std::string EnglishText(const SkippedRow &row)
{
    return "line " + std::to_string(row.line) + ": " + row.code + " " + row.name + " " + row.operation + ": " +
           std::string(EnglishText(row.reason));
}

Text LeftOutText(const SkippedRow &row)
{
    return TALLYFIN_TEXT("Positions", "第 %1 行：%2 %3 %4 未计入：%5")
        .arg(std::to_string(row.line))
        .arg(row.code)
        .arg(row.name)
        .arg(row.operation)
        .arg(Text("Statement", ChineseText(row.reason).data()));
}

std::string_view EnglishText(SkipReason reason) { return wordsOf(reason).english; }

std::string_view ChineseText(SkipReason reason) { return wordsOf(reason).chinese; }

} // namespace tallyfin::statement
