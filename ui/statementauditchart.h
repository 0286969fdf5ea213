#pragma once

#include <QtGlobal>

#include <vector>

#include "audit.h"

QT_BEGIN_NAMESPACE
class QChart;
QT_END_NAMESPACE

namespace tallyfin {

// The fees of every month from the first to the last, stacked by item
// (commission at the bottom), each month a step as wide as the month; a
// month without trades is a step of zero. Doubles only draw it.
QChart *MonthlyFeesChart(const std::vector<statement::MonthFees> &months);
// The same drawn again in a chart made so, in the language now shown: the
// chart a view shows stays the same object.
void ShowMonthlyFees(QChart *chart, const std::vector<statement::MonthFees> &months);

} // namespace tallyfin
