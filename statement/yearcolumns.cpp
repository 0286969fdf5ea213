#include "yearcolumns.h"

#include <algorithm>
#include <array>

#include "text.h"

namespace tallyfin::statement {

namespace {

constexpr std::array<std::string_view, kYearColumnCount> kHeadings{
    TALLYFIN_TR_NOOP("Statement", "年份"),         TALLYFIN_TR_NOOP("Statement", "成交笔数"),
    TALLYFIN_TR_NOOP("Statement", "成交金额"),     TALLYFIN_TR_NOOP("Statement", "佣金"),
    TALLYFIN_TR_NOOP("Statement", "印花税"),       TALLYFIN_TR_NOOP("Statement", "过户费"),
    TALLYFIN_TR_NOOP("Statement", "规费"),         TALLYFIN_TR_NOOP("Statement", "其他费用"),
    TALLYFIN_TR_NOOP("Statement", "费用合计"),     TALLYFIN_TR_NOOP("Statement", "实际佣金率(‰)"),
    TALLYFIN_TR_NOOP("Statement", "超出规则"),     TALLYFIN_TR_NOOP("Statement", "对比节省"),
    TALLYFIN_TR_NOOP("Statement", "港股通组合费"),
};

} // namespace

std::string_view YearHeading(YearColumn column) { return kHeadings[static_cast<std::size_t>(column)]; }

std::vector<YearColumn> YearColumns(const Audit &audit)
{
    const bool portfolioFees = std::any_of(audit.years.begin(), audit.years.end(),
                                           [](const YearTotals &year) { return year.portfolioFees.sign() != 0; });
    std::vector<YearColumn> columns;
    for (std::size_t i = 0; i < kYearColumnCount; ++i) {
        const auto column = static_cast<YearColumn>(i);
        if ((column == YearColumn::CompareSaving && !audit.compared) || (column == YearColumn::PortfolioFees && !portfolioFees))
            continue;
        columns.push_back(column);
    }
    return columns;
}

std::optional<std::string> YearCell(const YearTotals &year, YearColumn column, std::string_view decimalPoint)
{
    const auto yuan = [decimalPoint](const Decimal &money) { return money.toFixed(2, decimalPoint); };
    constexpr auto kFirstFee = static_cast<std::size_t>(YearColumn::Commission);
    switch (column) {
    case YearColumn::Year: return std::to_string(year.year);
    case YearColumn::Trades: return std::to_string(year.trades);
    case YearColumn::Turnover: return yuan(year.turnover);
    case YearColumn::Commission:
    case YearColumn::StampDuty:
    case YearColumn::TransferFee:
    case YearColumn::Levies:
    case YearColumn::Other: return yuan(year.fees[static_cast<std::size_t>(column) - kFirstFee]);
    case YearColumn::FeesTotal: return yuan(year.feesTotal());
    case YearColumn::CommissionPerMille:
        if (const std::optional<Decimal> rate = year.commissionPerMille())
            return rate->toFixed(3, decimalPoint);
        return std::nullopt;
    case YearColumn::BeyondRules: return yuan(year.beyondRules);
    case YearColumn::CompareSaving:
        if (year.compareSaving)
            return yuan(*year.compareSaving);
        return std::nullopt;
    case YearColumn::PortfolioFees: return yuan(year.portfolioFees);
    }
    return std::nullopt;
}

} // namespace tallyfin::statement
