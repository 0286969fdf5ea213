#include "statementauditchart.h"

#include <QAreaSeries>
#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>

#include "statementaudittexts.h"

namespace tallyfin {

namespace {

using statement::kFeeItemCount;
using statement::MonthFees;

qint64 monthStart(int year, int month) { return QDateTime(QDate(year, month, 1), QTime(0, 0)).toMSecsSinceEpoch(); }

// Every month from the first to the last, those without trades as zero.
std::vector<MonthFees> everyMonth(const std::vector<MonthFees> &months)
{
    std::vector<MonthFees> filled;
    if (months.empty())
        return filled;
    auto next = months.begin();
    for (int at = months.front().year * 12 + months.front().month - 1; at <= months.back().year * 12 + months.back().month - 1;
         ++at) {
        const bool traded = next != months.end() && next->year * 12 + next->month - 1 == at;
        filled.push_back(traded ? *next++ : MonthFees{at / 12, at % 12 + 1, {}});
    }
    return filled;
}

// A line through the tops of the steps: each month's value from its first day to the next month's.
QLineSeries *steps(const std::vector<MonthFees> &months, const std::vector<double> &values, QObject *owner)
{
    auto *line = new QLineSeries(owner);
    for (std::size_t i = 0; i < months.size(); ++i) {
        const int year = months[i].year, month = months[i].month;
        line->append(static_cast<qreal>(monthStart(year, month)), values[i]);
        line->append(static_cast<qreal>(monthStart(month == 12 ? year + 1 : year, month % 12 + 1)), values[i]);
    }
    return line;
}

} // namespace

QChart *MonthlyFeesChart(const std::vector<MonthFees> &months)
{
    auto *chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    ShowMonthlyFees(chart, months);
    return chart;
}

void ShowMonthlyFees(QChart *chart, const std::vector<MonthFees> &recorded)
{
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    chart->setTitle(AuditTexts::chartTitle());
    const std::vector<MonthFees> months = everyMonth(recorded);
    auto *time = new QDateTimeAxis;
    time->setFormat(QStringLiteral("yyyy-MM"));
    auto *money = new QValueAxis;
    money->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(money, Qt::AlignLeft);
    std::vector<double> below(months.size(), 0.0), top(months.size(), 0.0);
    const QStringList names = AuditTexts::feeItems();
    for (std::size_t item = 0; item < kFeeItemCount; ++item) {
        for (std::size_t i = 0; i < months.size(); ++i)
            top[i] = below[i] + static_cast<double>(months[i].fees[item]) / 100;
        auto *area = new QAreaSeries;
        area->setUpperSeries(steps(months, top, area));
        area->setLowerSeries(steps(months, below, area));
        area->setName(names[static_cast<qsizetype>(item)]);
        chart->addSeries(area);
        area->attachAxis(time);
        area->attachAxis(money);
        below = top;
    }
    if (!months.empty()) {
        time->setRange(QDateTime::fromMSecsSinceEpoch(monthStart(months.front().year, months.front().month)),
                       QDateTime::fromMSecsSinceEpoch(monthStart(months.back().year + (months.back().month == 12),
                                                                 months.back().month % 12 + 1)));
        money->setRange(0, std::max(1.0, *std::max_element(top.begin(), top.end())) * 1.05);
        money->applyNiceNumbers();
    }
}

} // namespace tallyfin
