#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "mainwindow.h"
#include "batch.h"
#include "accessibility.h"
#include "fake_platform.h"
#include "qt_printers.h"
#include "qtplatform.h"

namespace tallyfin {
namespace {

using testing::accessible;
using testing::announcedName;
using testing::FakePlatform;
using testing::groupOf;

class MainWindowTest : public ::testing::Test {
protected:
    QLineEdit *field(const char *name) { return form.findChild<QLineEdit *>(name); }
    QLabel *label(const char *name) { return form.findChild<QLabel *>(name); }
    QPushButton *button(const char *name) { return form.findChild<QPushButton *>(name); }
    QComboBox *combo(const char *name) { return form.findChild<QComboBox *>(name); }

    void type(const char *name, const QString &text)
    {
        QLineEdit *edit = field(name);
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    void pressEnterIn(QWidget *widget) { QTest::keyClick(widget, Qt::Key_Return); }

    QStringList texts(std::initializer_list<const char *> names)
    {
        QStringList result;
        for (const char *name : names)
            result << field(name)->text();
        return result;
    }

    QStringList buyResults() { return texts({"Edit4", "Edit5", "Edit6", "Edit7", "Edit8", "Edit9", "Edit10", "Edit11"}); }
    QStringList sellResults()
    {
        return texts({"Edit12", "Edit13", "Edit14", "Edit15", "Edit16", "Edit17", "Edit18", "Edit19"});
    }

    QColor background(const char *name) { return field(name)->palette().color(QPalette::Base); }

    FakePlatform fake;
    MainWindow form;
};

TEST_F(MainWindowTest, StartsWithDefaultsAndEmptyFields)
{
    EXPECT_EQ(form.windowTitle(), "Tallyfin1.1");
    EXPECT_EQ(combo("zjs")->currentText(), "上海A股");
    EXPECT_EQ(combo("zjs")->count(), 3);
    EXPECT_EQ(combo("ComboBox1")->currentText(), "3.0");
    EXPECT_EQ(combo("ComboBox1")->count(), 31);
    EXPECT_EQ(combo("ComboBox1")->itemText(30), "0.0");
    EXPECT_TRUE(combo("ComboBox1")->isEditable());
    EXPECT_EQ(combo("ComboBox2")->currentText(), "1");
    EXPECT_FALSE(combo("ComboBox2")->isEditable());
    EXPECT_FALSE(form.findChild<QCheckBox *>("CheckBox1")->isChecked());
    EXPECT_FALSE(form.findChild<QCheckBox *>("CheckBox2")->isChecked());
    EXPECT_EQ(buyResults().join(""), "");
    EXPECT_EQ(form.centralWidget()->width(), 809);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(MainWindowTest, EnterShowsTheWorkedExampleInRed)
{
    type("jg", "10");
    type("sl", "1000");
    type("Edit2", "11");
    pressEnterIn(field("Edit2"));

    EXPECT_EQ(buyResults(), QStringList({"10000", "30", "0", "1", "31", "10031", "10.03", "10.07"}));
    EXPECT_EQ(field("Edit3")->text(), "1000");
    EXPECT_EQ(sellResults(), QStringList({"11000", "33", "11", "1", "45", "10955", "9.21", "924"}));
    EXPECT_EQ(background("Edit18"), QColor(255, 0, 0));
    EXPECT_EQ(background("Edit19"), QColor(255, 0, 0));
    EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(MainWindowTest, EnterInEveryInputRunsTheCalculation)
{
    for (QWidget *input : std::initializer_list<QWidget *>{field("jg"), field("sl"), field("Edit2"), field("Edit3"),
                                                          combo("ComboBox1")}) {
        form.findChild<QPushButton *>("Button2")->click();
        type("jg", "10");
        type("sl", "1000");
        pressEnterIn(input);
        EXPECT_EQ(field("Edit9")->text(), "10031") << input->objectName().toStdString();
    }
    EXPECT_EQ(combo("ComboBox1")->count(), 31) << "Enter must not add the typed rate to the list";
}

TEST_F(MainWindowTest, LossIsGreen)
{
    type("jg", "10");
    type("sl", "1000");
    type("Edit2", "10.07");
    button("Button1")->click();
    EXPECT_EQ(field("Edit18")->text(), "-0.02");
    EXPECT_EQ(field("Edit19")->text(), "-2.28");
    EXPECT_EQ(background("Edit18"), QColor(0, 128, 0));
    EXPECT_EQ(background("Edit19"), QColor(0, 128, 0));
}

TEST_F(MainWindowTest, ClearRestoresFieldsCaptionsAndColours)
{
    const QColor normal = background("Edit18");
    form.writeBatchResult(TradeSide::Buy, BatchReduction{"10", "1000", true});
    form.writeBatchResult(TradeSide::Sell, BatchReduction{"11", "1000", true});
    EXPECT_EQ(label("Label24")->text(), "买入均价");
    EXPECT_EQ(label("Label25")->text(), "持股总数");
    EXPECT_EQ(label("Label44")->text(), "卖出均价");
    EXPECT_EQ(label("Label45")->text(), "卖出总数");
    button("Button1")->click();
    combo("zjs")->setCurrentIndex(1);
    form.findChild<QCheckBox *>("CheckBox1")->setChecked(true);

    button("Button2")->click();
    EXPECT_EQ(texts({"jg", "sl", "Edit2", "Edit3"}).join(""), "");
    EXPECT_EQ(buyResults().join(""), "");
    EXPECT_EQ(sellResults().join(""), "");
    EXPECT_EQ(label("Label24")->text(), "买入价格");
    EXPECT_EQ(label("Label25")->text(), "买入数量");
    EXPECT_EQ(label("Label44")->text(), "卖出价格");
    EXPECT_EQ(label("Label45")->text(), "卖出数量");
    EXPECT_EQ(background("Edit18"), normal);
    EXPECT_EQ(background("Edit19"), background("Edit17"));
    EXPECT_EQ(combo("zjs")->currentText(), "深圳A股") << "settings are kept";
    EXPECT_TRUE(form.findChild<QCheckBox *>("CheckBox1")->isChecked());
}

TEST_F(MainWindowTest, BatchResultWithoutRowsKeepsCaptions)
{
    type("jg", "10");
    form.writeBatchResult(TradeSide::Buy, BatchReduction{});
    EXPECT_EQ(field("jg")->text(), "");
    EXPECT_EQ(label("Label24")->text(), "买入价格");
}

struct ErrorCase {
    const char *name;
    QString price, quantity;
    QString errorText;
    QStringList buyAfter;
    QString priceAfter;
};

class MainWindowErrorTest : public MainWindowTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(MainWindowErrorTest, ShowsTheErrorBoxAndKeepsEarlierWrites)
{
    const ErrorCase &c = GetParam();
    for (const char *name : {"Edit4", "Edit5", "Edit6", "Edit7", "Edit8", "Edit9", "Edit10", "Edit11"})
        field(name)->setText("old");
    type("jg", c.price);
    type("sl", c.quantity);
    pressEnterIn(field("sl"));

    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].kind, FakePlatform::BoxKind::Error);
    EXPECT_EQ(fake.boxes[0].text, c.errorText);
    EXPECT_EQ(fake.boxes[0].caption, "");
    EXPECT_EQ(field("jg")->text(), c.priceAfter);
    EXPECT_EQ(buyResults(), c.buyAfter);
}

const QStringList kOld(8, "old");

INSTANTIATE_TEST_SUITE_P(
    Errors, MainWindowErrorTest,
    ::testing::Values(
        ErrorCase{"BadPrice", "1,000", "10", "'1,000' is not a valid floating point value.", kOld, "1,000"},
        ErrorCase{"BadQuantity", "10.50", "abc", "'abc' is not a valid floating point value.", kOld, "10.5"},
        ErrorCase{"ZeroQuantity", "10", "0", "Floating point division by zero.",
                  {"0", "5", "0", "1", "6", "6", "old", "old"}, "10"},
        ErrorCase{"HugePrice", "1e400", "1", "Floating point overflow.", kOld, "1e400"},
        ErrorCase{"CostBeyondRange", "1e300", "1", "Invalid floating point operation.",
                  {"1E300", "3E297", "0", "1", "3E297", "1.003E300", "old", "old"}, "1E300"}),
    [](const auto &test) { return std::string(test.param.name); });

TEST_F(MainWindowTest, ProgramGoesOnAfterAnError)
{
    type("jg", "10");
    type("sl", "x");
    pressEnterIn(field("sl"));
    type("sl", "1000");
    pressEnterIn(field("sl"));
    EXPECT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(field("Edit9")->text(), "10031");
}

TEST_F(MainWindowTest, SellPriceWithoutQuantityShowsTheNotice)
{
    type("Edit2", "11");
    pressEnterIn(field("Edit2"));
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].kind, FakePlatform::BoxKind::Validation);
    EXPECT_EQ(fake.boxes[0].owner, &form);
    EXPECT_EQ(fake.boxes[0].caption, "错误");
    EXPECT_EQ(fake.boxes[0].text, "卖出数量必须设置初始值");
    EXPECT_EQ(sellResults().join(""), "");
}

TEST_F(MainWindowTest, EmptyBuyQuantitySkipsTheBuyGroup)
{
    type("jg", "10");
    type("Edit2", "11");
    type("Edit3", "100");
    pressEnterIn(field("Edit2"));
    EXPECT_EQ(buyResults().join(""), "");
    EXPECT_EQ(texts({"Edit12", "Edit17"}), QStringList({"1100", "1092.9"}));
    // A price without a quantity and no earlier calculation: no cash paid.
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text, "'' is not a valid floating point value.");
}

TEST_F(MainWindowTest, TypedCommissionRateIsUsed)
{
    combo("ComboBox1")->setEditText("0.25");
    type("jg", "10");
    type("sl", "10000");
    pressEnterIn(field("sl"));
    EXPECT_EQ(field("Edit5")->text(), "25");

    combo("ComboBox1")->setEditText("abc");
    pressEnterIn(field("sl"));
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text, "'abc' is not a valid floating point value.");

    combo("ComboBox1")->setCurrentIndex(10); // "2.0", chosen from the list
    pressEnterIn(field("sl"));
    EXPECT_EQ(field("Edit5")->text(), "200");
}

TEST_F(MainWindowTest, CommaLocaleReadsAndShowsCommas)
{
    fake.separator = ",";
    combo("ComboBox1")->setEditText("3,0");
    type("jg", "10,50");
    type("sl", "1000");
    type("Edit2", "31,5");
    pressEnterIn(field("jg"));
    EXPECT_EQ(field("jg")->text(), "10,5");
    EXPECT_EQ(field("Edit5")->text(), "31,5");
    EXPECT_EQ(field("Edit13")->text(), "94,5");

    type("jg", "31.5");
    pressEnterIn(field("jg"));
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text, "'31.5' is not a valid floating point value.");
}

TEST_F(MainWindowTest, TabVisitsOnlyTheSixControlsInOrder)
{
    form.show();
    QApplication::setActiveWindow(&form);
    button("btn1")->setFocus();
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, QStringList({"btn1", "jg", "sl", "Edit2", "Edit3", "CheckBox2", "btn1"}));
}

TEST_F(MainWindowTest, OnTopSwitchAsksThePlatform)
{
    auto *onTop = form.findChild<QCheckBox *>("CheckBox2");
    onTop->click();
    onTop->click();
    ASSERT_EQ(fake.onTopCalls.size(), 2u);
    EXPECT_EQ(fake.onTopCalls[0], std::make_pair(static_cast<QWidget *>(&form), true));
    EXPECT_EQ(fake.onTopCalls[1], std::make_pair(static_cast<QWidget *>(&form), false));
}

TEST(QtPlatformOnTop, TogglesTheLiveWindowWithoutRecreatingOrMovingIt)
{
    MainWindow form;
    form.show();
    const WId native = form.winId();
    const QRect geometry = form.geometry();
    QtPlatform desktop;
    desktop.setAlwaysOnTop(&form, true);
    EXPECT_TRUE(form.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    desktop.setAlwaysOnTop(&form, false);
    EXPECT_FALSE(form.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(form.winId(), native);
    EXPECT_EQ(form.geometry(), geometry);
    EXPECT_TRUE(form.isVisible());
    desktop.setAlwaysOnTop(&form, true);
    form.hide();
    form.show();
    EXPECT_TRUE(form.windowHandle()->flags() & Qt::WindowStaysOnTopHint) << "kept across hide and show";
}

// --- Accessibility --------------------------------------------------------

struct NamedField {
    const char *objectName;
    QString name;
    QString group;
};

class MainWindowAccessibilityTest : public MainWindowTest, public ::testing::WithParamInterface<NamedField> {};

TEST_P(MainWindowAccessibilityTest, FieldIsNamedByItsCaptionInItsGroup)
{
    QWidget *widget = form.findChild<QWidget *>(GetParam().objectName);
    ASSERT_NE(widget, nullptr);
    QAccessibleInterface *node = accessible(widget);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(announcedName(node), GetParam().name);
    if (qobject_cast<QLineEdit *>(widget)) {
        EXPECT_EQ(node->text(QAccessible::Name), GetParam().name);
    }
    EXPECT_EQ(groupOf(node), GetParam().group);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, MainWindowAccessibilityTest,
    ::testing::Values(NamedField{"jg", "买入价格", "买入计算"}, NamedField{"sl", "买入数量", "买入计算"},
                      NamedField{"Edit4", "交易金额", "买入计算"}, NamedField{"Edit11", "保本价格", "买入计算"},
                      NamedField{"Edit2", "卖出价格", "卖出计算"}, NamedField{"Edit12", "交易金额", "卖出计算"},
                      NamedField{"Edit18", "收 益 率", "卖出计算"}, NamedField{"Edit19", "盈亏金额", "卖出计算"},
                      NamedField{"zjs", "证 交 所", "设置"}, NamedField{"ComboBox1", "佣    金", "设置"},
                      NamedField{"ComboBox2", "印 花 税", "设置"}, NamedField{"CheckBox1", "印花税双边征收", "设置"},
                      NamedField{"Button7", "黄金分割计算器", "工具箱"}, NamedField{"btn1", "屏幕截图", "工具箱"}),
    [](const auto &test) { return std::string(test.param.objectName); });

TEST_F(MainWindowTest, ScreenReaderReadsResultsAndPressesCalculate)
{
    type("jg", "10");
    type("sl", "1000");
    QAccessibleInterface *calculate = accessible(button("Button1"));
    EXPECT_EQ(calculate->text(QAccessible::Name), "计算");
    EXPECT_EQ(calculate->role(), QAccessible::Button);
    calculate->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    // The press is animated: the click lands a moment later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !field("Edit10")->text().isEmpty(); }, 2000));
    QAccessibleInterface *cost = accessible(field("Edit10"));
    EXPECT_EQ(cost->role(), QAccessible::EditableText);
    EXPECT_TRUE(cost->state().readOnly);
    EXPECT_EQ(cost->text(QAccessible::Value), "10.03");
}

} // namespace
} // namespace tallyfin
