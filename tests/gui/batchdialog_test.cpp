#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "batchdialog.h"
#include "mainwindow.h"
#include "accessibility.h"
#include "appearance.h"
#include "fake_platform.h"
#include "qt_printers.h"
#include "trade.h"
#include "windows.h"

namespace tallyfin {
namespace {

using testing::FakePlatform;

class BatchDialogTest : public ::testing::Test {
protected:
    BatchDialogTest() { main.show(); }

    static QLineEdit *field(QWidget &window, const char *name) { return window.findChild<QLineEdit *>(name); }
    static QString text(QWidget &window, const char *name) { return field(window, name)->text(); }
    static QString caption(QWidget &window, const char *name) { return window.findChild<QLabel *>(name)->text(); }
    static void click(QWidget &window, const char *name) { window.findChild<QPushButton *>(name)->click(); }

    // Types the batches into rows 1, 2, … of a dialog (price, quantity).
    static void typeRows(QWidget &dialog, std::initializer_list<std::pair<QString, QString>> rows)
    {
        int index = 1;
        for (const auto &[price, quantity] : rows) {
            QTest::keyClicks(field(dialog, qPrintable(QStringLiteral("Edit%1").arg(index))), price);
            QTest::keyClicks(field(dialog, qPrintable(QStringLiteral("Edit%1").arg(index + 1))), quantity);
            index += 2;
        }
    }

    // The main window's buy results for the given inputs, as the core computes them.
    static std::string expectedTradeAmount(const char *price, const char *quantity)
    {
        TradeFields fields;
        fields.buyPrice = price;
        fields.buyQuantity = quantity;
        CalculateTrade(fields, ".");
        return fields.buyAmount;
    }

    FakePlatform fake;
    // As the program has them: the main window opens the dialogs and takes their rows.
    ProgramWindows windows;
    MainWindow &main = windows.mainWindow();
    BatchDialog &buy = windows.batchDialog(TradeSide::Buy);
    BatchDialog &sell = windows.batchDialog(TradeSide::Sell);
};

TEST_F(BatchDialogTest, BuyDialogWeighsBatchesAndCalculates)
{
    main.findChild<QPushButton *>("Button4")->click();
    ASSERT_TRUE(buy.isVisible());
    EXPECT_TRUE(main.isVisible()) << "the main window stays open beside the dialog";
    typeRows(buy, {{"10", "1000"}, {"12", "500"}});
    click(buy, "Button1");

    EXPECT_EQ(text(main, "jg"), "10.6666666666667");
    EXPECT_EQ(text(main, "sl"), "1500");
    EXPECT_EQ(caption(main, "Label24"), "买入均价");
    EXPECT_EQ(caption(main, "Label25"), "持股总数");
    EXPECT_EQ(text(main, "Edit4").toStdString(), expectedTradeAmount("10.6666666666667", "1500"));
    EXPECT_FALSE(buy.isVisible());
    EXPECT_TRUE(fake.boxes.empty());
    EXPECT_EQ(text(buy, "Edit3"), "12") << "the rows stay for the next opening";
}

TEST_F(BatchDialogTest, EnterConfirms)
{
    buy.showBeside(&main);
    typeRows(buy, {{"9.87", "300"}});
    QTest::keyClick(field(buy, "Edit2"), Qt::Key_Return);
    EXPECT_EQ(text(main, "jg"), "9.87");
    EXPECT_FALSE(buy.isVisible());
}

TEST_F(BatchDialogTest, IncompleteRowsAreIgnored)
{
    QTest::keyClicks(field(buy, "Edit1"), "99");
    QTest::keyClicks(field(buy, "Edit6"), "abc");
    QTest::keyClicks(field(buy, "Edit7"), "8.5");
    QTest::keyClicks(field(buy, "Edit8"), "200");
    click(buy, "Button1");
    EXPECT_EQ(text(main, "jg"), "8.5");
    EXPECT_EQ(text(main, "sl"), "200");
    EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(BatchDialogTest, NoCompleteRowEmptiesTheTargetsAndKeepsCaptions)
{
    QTest::keyClicks(field(main, "jg"), "10");
    QTest::keyClicks(field(main, "sl"), "1000");
    field(main, "Edit4")->setText("old");
    buy.showBeside(&main);
    click(buy, "Button1");
    EXPECT_EQ(text(main, "jg"), "");
    EXPECT_EQ(text(main, "sl"), "");
    EXPECT_EQ(caption(main, "Label24"), "买入价格");
    EXPECT_EQ(text(main, "Edit4"), "old") << "no buy result without a buy";
    EXPECT_FALSE(buy.isVisible());
}

struct DialogErrorCase {
    const char *name;
    std::vector<std::pair<QString, QString>> rows;
    QString errorText;
};

class BatchDialogErrorTest : public BatchDialogTest, public ::testing::WithParamInterface<DialogErrorCase> {};

TEST_P(BatchDialogErrorTest, LeavesTheMainWindowUntouchedAndStaysOpen)
{
    QTest::keyClicks(field(main, "jg"), "7");
    QTest::keyClicks(field(main, "sl"), "100");
    buy.showBeside(&main);
    int index = 1;
    for (const auto &[price, quantity] : GetParam().rows) {
        field(buy, qPrintable(QStringLiteral("Edit%1").arg(index)))->setText(price);
        field(buy, qPrintable(QStringLiteral("Edit%1").arg(index + 1)))->setText(quantity);
        index += 2;
    }
    click(buy, "Button1");
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].kind, FakePlatform::BoxKind::Error);
    EXPECT_EQ(fake.boxes[0].text, GetParam().errorText);
    EXPECT_EQ(text(main, "jg"), "7");
    EXPECT_EQ(text(main, "sl"), "100");
    EXPECT_EQ(caption(main, "Label24"), "买入价格");
    EXPECT_EQ(text(main, "Edit4"), "");
    EXPECT_TRUE(buy.isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Errors, BatchDialogErrorTest,
    ::testing::Values(
        DialogErrorCase{"BadQuantity", {{"10", "1000"}, {"12", "1,000"}},
                        "'1,000' is not a valid floating point value."},
        DialogErrorCase{"BadPrice", {{"十", "1000"}}, "'十' is not a valid floating point value."},
        DialogErrorCase{"ZeroTotal", {{"10", "0"}}, "Invalid floating point operation."},
        DialogErrorCase{"TotalCancelsOut", {{"10", "5"}, {"20", "-5"}}, "Floating point division by zero."}),
    [](const auto &test) { return std::string(test.param.name); });

TEST_F(BatchDialogTest, ErrorOfTheCalculationKeepsTheDialogOpen)
{
    // The sell side needs a quantity the buy side cannot parse.
    QTest::keyClicks(field(main, "jg"), "10");
    QTest::keyClicks(field(main, "sl"), "x");
    sell.showBeside(&main);
    typeRows(sell, {{"11", "1000"}});
    click(sell, "Button1");
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text, "'x' is not a valid floating point value.");
    EXPECT_EQ(text(main, "Edit2"), "11") << "the reduction was written before the calculation";
    EXPECT_TRUE(sell.isVisible());
}

TEST_F(BatchDialogTest, SellDialogReplacesTheSellQuantity)
{
    QTest::keyClicks(field(main, "jg"), "10");
    QTest::keyClicks(field(main, "sl"), "1000");
    QTest::keyClicks(field(main, "Edit3"), "300");
    main.findChild<QPushButton *>("Button5")->click();
    ASSERT_TRUE(sell.isVisible());
    typeRows(sell, {{"11", "600"}, {"12", "400"}});
    click(sell, "Button1");
    EXPECT_EQ(text(main, "Edit2"), "11.4");
    EXPECT_EQ(text(main, "Edit3"), "1000");
    EXPECT_EQ(caption(main, "Label44"), "卖出均价");
    EXPECT_EQ(caption(main, "Label45"), "卖出总数");
    EXPECT_EQ(text(main, "Edit12"), "11400");
    EXPECT_EQ(caption(main, "Label24"), "买入价格") << "the buy captions stay";
}

TEST_F(BatchDialogTest, ClearEmptiesOnlyTheTenFields)
{
    typeRows(sell, {{"1", "2"}, {"3", "4"}, {"5", "6"}, {"7", "8"}, {"9", "10"}});
    QTest::keyClicks(field(main, "Edit2"), "11");
    click(sell, "Button2");
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(text(sell, qPrintable(QStringLiteral("Edit%1").arg(i))), "") << i;
    EXPECT_EQ(text(main, "Edit2"), "11");
}

TEST_F(BatchDialogTest, TextsNameTheSide)
{
    EXPECT_EQ(buy.windowTitle(), "多批买入");
    EXPECT_EQ(sell.windowTitle(), "多批卖出");
    EXPECT_EQ(buy.findChild<QGroupBox *>("GroupBox1")->title(), "第一批买入");
    EXPECT_EQ(sell.findChild<QGroupBox *>("GroupBox5")->title(), "第五批卖出");
    EXPECT_EQ(caption(sell, "Label1"), "卖出价格");
    EXPECT_EQ(caption(sell, "Label19"), "卖出数量");
    EXPECT_EQ(caption(buy, "Label2"), "元");
    EXPECT_EQ(caption(buy, "Label4"), "股");
}

struct PlacementCase {
    const char *name;
    Side preferred;
    QRect anchor;
    QPoint expected;
};

class PlaceBesideTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlaceBesideTest, OpensBesideTheAnchorOnScreen)
{
    const QRect screen(0, 0, 1280, 800);
    EXPECT_EQ(placeBeside(GetParam().anchor, QSize(260, 480), screen, GetParam().preferred), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Places, PlaceBesideTest,
    ::testing::Values(PlacementCase{"Left", Side::Left, QRect(400, 200, 820, 420), QPoint(132, 200)},
                      PlacementCase{"Right", Side::Right, QRect(100, 200, 820, 420), QPoint(928, 200)},
                      PlacementCase{"LeftFullSoRight", Side::Left, QRect(100, 200, 820, 420), QPoint(928, 200)},
                      PlacementCase{"RightFullSoLeft", Side::Right, QRect(400, 200, 820, 420), QPoint(132, 200)},
                      PlacementCase{"NoRoomKeptOnScreenLeft", Side::Left, QRect(100, 200, 1100, 420), QPoint(0, 200)},
                      PlacementCase{"NoRoomKeptOnScreenRight", Side::Right, QRect(100, 200, 1100, 420),
                                    QPoint(1020, 200)},
                      PlacementCase{"KeptAboveTheBottom", Side::Right, QRect(0, 700, 820, 420), QPoint(828, 320)}),
    [](const auto &test) { return std::string(test.param.name); });

TEST_F(BatchDialogTest, SecondOpeningLeavesAMovedDialogWhereItIs)
{
    buy.showBeside(&main);
    buy.move(buy.pos() + QPoint(5, 5));
    const QPoint moved = buy.pos();
    buy.showBeside(&main);
    EXPECT_EQ(buy.pos(), moved);
}

struct DialogField {
    const char *objectName;
    bool sellDialog;
    QString name;
    QString group;
};

class BatchDialogAccessibilityTest : public BatchDialogTest, public ::testing::WithParamInterface<DialogField> {};

TEST_P(BatchDialogAccessibilityTest, FieldIsNamedByItsLabelInItsGroup)
{
    QWidget &dialog = GetParam().sellDialog ? static_cast<QWidget &>(sell) : static_cast<QWidget &>(buy);
    QAccessibleInterface *node = testing::accessible(field(dialog, GetParam().objectName));
    EXPECT_EQ(node->text(QAccessible::Name), GetParam().name);
    EXPECT_EQ(testing::groupOf(node), GetParam().group);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, BatchDialogAccessibilityTest,
    ::testing::Values(DialogField{"Edit1", false, "买入价格", "第一批买入"},
                      DialogField{"Edit4", false, "买入数量", "第二批买入"},
                      DialogField{"Edit9", true, "卖出价格", "第五批卖出"},
                      DialogField{"Edit10", true, "卖出数量", "第五批卖出"}),
    [](const auto &test) { return std::string(test.param.objectName) + (test.param.sellDialog ? "Sell" : "Buy"); });

} // namespace
} // namespace tallyfin
