// The positions of a statement as the 持仓 tab shows them: rows, exact
// sorting, the conventions under the table and the rows left out.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QTableView>

#include "accessibility.h"
#include "appearance.h"
#include "fake_platform.h"
#include "positionsview.h"
#include "qt_printers.h"

namespace tallyfin {
namespace {

using Rational = Decimal::Rational;

const char *const kStatement =
    "\xEF\xBB\xBF成交日期,证券代码,证券名称,操作,成交数量,成交价格,成交金额,佣金,印花税,过户费,发生金额\n"
    "20240301,600000,浦发银行,证券买入,1000,10.00,10000.00,5.00,0.00,0.10,-10005.10\n"
    "20240302,600000,浦发银行,证券买入,1000,12.00,12000.00,5.00,0.00,0.12,-12005.12\n"
    "20240303,600000,浦发银行,证券卖出,500,13.00,6500.00,5.00,3.25,0.07,6491.68\n"
    "20240305,900901,云赛B股,证券买入,100,1.00,100.00,5.00,0.00,0.00,-105.00\n"
    "20240306,000001,平安银行,证券卖出,100,11.00,1100.00,5.00,0.55,0.00,1094.45\n";

class PositionsViewTest : public ::testing::Test {
protected:
    PositionsViewTest() { view.show(); }

    QString cell(int row, int column) const
    {
        return view.model()->data(view.model()->index(row, column), Qt::DisplayRole).toString();
    }
    QStringList column(int column) const
    {
        QStringList texts;
        for (int row = 0; row < view.model()->rowCount(); ++row)
            texts << cell(row, column);
        return texts;
    }
    QTableView *table() const { return view.findChild<QTableView *>("positions"); }

    testing::FakePlatform fake;
    PositionsView view;
};

TEST_F(PositionsViewTest, ShowsTheStatementsPositionsAndWhatWasLeftOut)
{
    view.setPositions(statement::PositionsOfStatement(statement::ReadStatementBytes(kStatement)));
    ASSERT_EQ(view.model()->rowCount(), 2);
    EXPECT_EQ(column(PositionsModel::Code), QStringList({"600000", "000001"}));
    EXPECT_EQ(cell(0, PositionsModel::Shares), "1500");
    EXPECT_EQ(cell(0, PositionsModel::DilutedCost), "10.346") << "(22010.22 − 6491.68) ÷ 1500";
    EXPECT_EQ(cell(1, PositionsModel::AverageCost), "") << "no shares, no cost";
    EXPECT_EQ(view.model()->headerData(PositionsModel::RealizedFifo, Qt::Horizontal, Qt::DisplayRole),
              "已实现盈亏（先进先出）");
    const QList<QLabel *> labels = view.findChildren<QLabel *>();
    for (std::string_view convention : statement::kPositionConventions)
        EXPECT_TRUE(std::any_of(labels.begin(), labels.end(),
                                [&](const QLabel *label) { return label->text() == uiText(convention); }));
    const QAbstractItemModel *leftOut = view.findChild<QListView *>("leftOut")->model();
    ASSERT_EQ(leftOut->rowCount(), 2);
    EXPECT_EQ(leftOut->index(0, 0).data().toString(),
              "第 6 行：000001 卖出 100 股，多于当时持有的 0 股，这笔卖出及其费用未计入");
    EXPECT_EQ(leftOut->index(1, 0).data().toString(), "第 5 行：900901 云赛B股 证券买入 未计入：无法识别的证券代码（不是本程序认识的A股、基金或可转债）");
    EXPECT_EQ(testing::announcedName(testing::accessible(view.findChild<QListView *>("leftOut"))), "未计入的行");

    view.setPositions({});
    EXPECT_EQ(view.model()->rowCount(), 0);
    EXPECT_EQ(leftOut->rowCount(), 0);
}

PositionReport positionCosting(const char *code, std::optional<Rational> diluted)
{
    PositionReport position;
    position.code = code;
    position.shares = Decimal(diluted ? 100 : 0);
    position.dilutedCost = diluted;
    position.averageCost = diluted;
    return position;
}

// Costs that read alike to three decimals still sort by what they are.
TEST_F(PositionsViewTest, SortsByTheExactFiguresAndBackToTheStatementsOrder)
{
    statement::StatementPositions positions;
    positions.report.positions = {positionCosting("600001", Rational(100004, 10000)),
                                  positionCosting("600002", Rational(100001, 10000)),
                                  positionCosting("600003", Rational(-1, 3)), positionCosting("600004", std::nullopt)};
    view.setPositions(positions);
    table()->sortByColumn(PositionsModel::DilutedCost, Qt::AscendingOrder);
    EXPECT_EQ(column(PositionsModel::Code), QStringList({"600004", "600003", "600002", "600001"}));
    EXPECT_EQ(column(PositionsModel::DilutedCost), QStringList({"", "-0.333", "10.000", "10.000"}));
    table()->sortByColumn(PositionsModel::Code, Qt::DescendingOrder);
    EXPECT_EQ(column(PositionsModel::Code), QStringList({"600004", "600003", "600002", "600001"}));
    table()->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    EXPECT_EQ(column(PositionsModel::Code), QStringList({"600001", "600002", "600003", "600004"}));
}

} // namespace
} // namespace tallyfin
