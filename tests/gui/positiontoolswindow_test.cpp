// The 持仓工具 window driven as a user drives it: a tab chosen, fields typed,
// Enter pressed; its answers, its boxes, the main window's settings it
// computes with, and what a screen reader announces.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include <vector>

#include "mainwindow.h"
#include "accessibility.h"
#include "fake_platform.h"
#include "language.h"
#include "positiontoolswindow.h"
#include "qt_printers.h"
#include "windows.h"

namespace tallyfin {
namespace {

using testing::FakePlatform;
using Texts = std::vector<std::pair<const char *, QString>>; // objectName, text

TradeFields settingsOf2026()
{
    TradeFields settings;
    settings.rules = RuleSet::Dated;
    settings.tradeDate = "2026-12-08";
    settings.commissionRate = "0.25";
    // 港股通's, for a Hong Kong code.
    settings.buyRate = settings.sellRate = "0.93339";
    return settings;
}

class PositionToolsTest : public ::testing::Test {
protected:
    PositionToolsTest()
    {
        window.takeFeeSettingsFrom([this] { return settings; });
        window.show();
    }

    QLineEdit *field(const char *name) { return window.findChild<QLineEdit *>(name); }

    void typeAll(const Texts &typed)
    {
        for (const auto &[name, text] : typed) {
            field(name)->clear();
            QTest::keyClicks(field(name), text);
        }
    }

    void showTab(const char *name) { tabs()->setCurrentWidget(window.findChild<QWidget *>(name)); }
    QTabWidget *tabs() { return window.findChild<QTabWidget *>("tabs"); }

    FakePlatform fake;
    TradeFields settings = settingsOf2026();
    PositionToolsWindow window;
};

struct UseCase {
    const char *name;
    const char *tab;
    Texts typed;    // the code and the tab's inputs
    bool buyFirst;  // 倒T
    Texts expected; // fields after Enter
    QString box;    // the validation box's text, or none
};

void PrintTo(const UseCase &c, std::ostream *os) { *os << c.name; }

class PositionToolsUseTest : public PositionToolsTest, public ::testing::WithParamInterface<UseCase> {};

TEST_P(PositionToolsUseTest, EnterCalculatesOnTheTabShown)
{
    const UseCase &c = GetParam();
    showTab(c.tab);
    window.findChild<QRadioButton *>(c.buyFirst ? "buyFirst" : "sellFirst")->setChecked(true);
    // A stale answer that must not survive.
    for (const char *result : {"tGain", "upQuantity", "backQuantity"})
        field(result)->setText(QStringLiteral("1"));
    typeAll(c.typed);
    QTest::keyClick(field(c.typed.back().first), Qt::Key_Return);
    for (const auto &[name, text] : c.expected)
        EXPECT_EQ(field(name)->text(), text) << name;
    if (c.box.isEmpty()) {
        EXPECT_TRUE(fake.boxes.empty()) << fake.boxes.front().text.toStdString();
        return;
    }
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].kind, FakePlatform::BoxKind::Validation);
    EXPECT_EQ(fake.boxes[0].owner, &window);
    EXPECT_EQ(fake.boxes[0].text, c.box);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PositionToolsUseTest,
    ::testing::Values(
        UseCase{"SellFirst", "tTradeTab",
                {{"tQuantity", "1000"}, {"tFirstPrice", "10.50"}, {"tSecondPrice", "10.30"}, {"tHolding", "3000"},
                 {"tCost", "11.20"}, {"tTargetGain", "100"}},
                false,
                {{"firstStampDuty", "5.25"}, {"firstCash", "10489.64"}, {"secondCash", "10305.10"},
                 {"tGain", "184.54"}, {"tDilutedCost", "11.138"}, {"tBreakEvenPrice", "10.48"},
                 {"tTargetPrice", "10.38"}},
                {}},
        UseCase{"BuyFirstOnStar", "tTradeTab",
                {{"code", "688001"}, {"tQuantity", "250"}, {"tFirstPrice", "50.00"}, {"tTargetGain", "30"}},
                true,
                {{"firstCash", "12505.13"}, {"secondCash", ""}, {"tGain", ""}, {"tBreakEvenPrice", "50.07"},
                 {"tTargetPrice", "50.19"}},
                {}},
        UseCase{"OffTheLot", "tTradeTab", {{"tQuantity", "150"}, {"tFirstPrice", "10"}}, false,
                {{"tGain", ""}, {"firstCash", ""}}, "做T数量 150 不合交易单位：100 的整数倍"},
        UseCase{"UnknownCode", "tTradeTab", {{"code", "900901"}, {"tQuantity", "100"}, {"tFirstPrice", "10"}}, false,
                {{"tGain", ""}}, "无法识别证券代码“900901”，或本程序不计算它的费用"},
        UseCase{"HongKongByCodeAndBoardLot", "tTradeTab",
                {{"code", "00700"}, {"boardLot", "100"}, {"tQuantity", "200"}, {"tFirstPrice", "508.5"},
                 {"tSecondPrice", "500"}},
                false,
                {{"firstAmount", "94925.77"}, {"firstTransferFee", "3.98"}, {"firstLevies", "8.09"},
                 {"firstCash", "94794.77"}, {"secondCash", "93467.52"}, {"tGain", "1327.25"},
                 {"tBreakEvenPrice", "507.00"}},
                {}},
        UseCase{"HongKongWithoutBoardLot", "tTradeTab",
                {{"code", "00700"}, {"tQuantity", "200"}, {"tFirstPrice", "508.5"}}, false, {{"tGain", ""}},
                "请填写每手股数"},
        UseCase{"TopUp", "topUpTab",
                {{"upHolding", "2000"}, {"upCost", "12.30"}, {"upPrice", "9.80"}, {"upTargetCost", "11.00"}}, false,
                {{"upQuantity", "2200"}, {"upFees", "5.61"}, {"upCash", "21565.61"}, {"upNewCost", "10.992"}}, {}},
        UseCase{"TopUpFromCashPaid", "topUpTab",
                {{"upHolding", "2000"}, {"upCashPaid", "20000"}, {"upPrice", "9.80"}, {"upTargetCost", "11.00"}},
                false, {{"upQuantity", "0"}, {"upNewCost", "10.000"}}, "当前成本已不高于目标成本，无需补仓"},
        UseCase{"RecoverShortfall", "recoverTab",
                {{"backHolding", "3000"}, {"backCashIn", "50000"}, {"backPrice", "15.20"}}, false,
                {{"backQuantity", ""}, {"backRemaining", "3000"}, {"backShortfall", "4434.66"}},
                "全部卖出也收不回投入的资金"}),
    [](const auto &test) { return std::string(test.param.name); });

TEST_F(PositionToolsTest, TextThatIsNoNumberEndsInTheErrorBox)
{
    typeAll({{"tQuantity", "abc"}, {"tFirstPrice", "10"}});
    QTest::keyClick(field("tFirstPrice"), Qt::Key_Return);
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].kind, FakePlatform::BoxKind::Error);
    EXPECT_EQ(fake.boxes[0].text, "'abc' is not a valid floating point value.");
}

// A refusal names its field in the language shown, as the field's caption does.
TEST_F(PositionToolsTest, ARefusalNamesTheFieldInTheLanguageShown)
{
    useLanguage(Language::English);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    typeAll({{"tQuantity", "0"}, {"tFirstPrice", "10"}});
    QTest::keyClick(field("tFirstPrice"), Qt::Key_Return);
    useLanguage(Language::SimplifiedChinese);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_TRUE(fake.boxes[0].text.startsWith("Quantity must be a whole number")) << fake.boxes[0].text.toStdString();
}

TEST_F(PositionToolsTest, ComputesOnTheSettingsOfTheMoment)
{
    showTab("recoverTab");
    typeAll({{"backHolding", "3000"}, {"backCashIn", "30120.50"}, {"backPrice", "15.20"}});
    window.calculateRecover();
    EXPECT_EQ(field("backFees")->text(), "23.10");
    settings.commissionRate = "3";
    settings.noMinimum = true;
    window.calculateRecover();
    EXPECT_EQ(field("backFees")->text(), "106.70") << "3‰ of 30400.00, the stamp duty and the transfer fee";
    EXPECT_TRUE(window.findChild<QLabel *>("termsLine")->text().contains(QStringLiteral("佣金 3‰，免五")));
}

TEST_F(PositionToolsTest, TheOrderNamesTheLegsAndPrices)
{
    window.findChild<QRadioButton *>("buyFirst")->setChecked(true);
    EXPECT_EQ(window.findChild<QGroupBox *>("firstLeg")->title(), "第一笔：买入");
    EXPECT_EQ(window.findChild<QLabel *>("firstCashLabel")->text(), "实付金额");
    EXPECT_EQ(window.findChild<QLabel *>("tBreakEvenPriceLabel")->text(), "保本卖出价");
}

TEST_F(PositionToolsTest, EveryControlIsAnnouncedByItsCaption)
{
    int fields = 0;
    for (QLineEdit *edit : window.findChildren<QLineEdit *>()) {
        const QLabel *caption = window.findChild<QLabel *>(edit->objectName() + QStringLiteral("Label"));
        ASSERT_NE(caption, nullptr) << edit->objectName().toStdString();
        EXPECT_EQ(testing::announcedName(testing::accessible(edit)), caption->text()) << edit->objectName().toStdString();
        ++fields;
    }
    EXPECT_EQ(fields, 2 + 10 + 14 + 10 + 9); // code and board lot, then the tabs
    for (QAbstractButton *button : window.findChildren<QAbstractButton *>())
        EXPECT_FALSE(testing::accessible(button)->text(QAccessible::Name).isEmpty()) << button->objectName().toStdString();
    EXPECT_EQ(testing::groupOf(testing::accessible(field("secondCash"))), "第二笔：买入");
}

TEST(PositionToolsOpening, TheMainWindowAsksAndTheProgramShowsThemOnItsSettings)
{
    FakePlatform fake;
    {
        const ProgramWindows windows;
        MainWindow &main = windows.mainWindow();
        QSignalSpy asked(&main, &MainWindow::positionToolsRequested);
        main.findChild<QAction *>("positionToolsAction")->trigger();
        main.findChild<QPushButton *>("positionTools")->click();
        EXPECT_EQ(asked.count(), 2);
        QList<PositionToolsWindow *> made;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *tools = qobject_cast<PositionToolsWindow *>(widget))
                made << tools;
        ASSERT_EQ(made.size(), 1) << "made once";
        ASSERT_TRUE(made[0]->isVisible());
        main.findChild<QComboBox *>("zjs")->setCurrentText(QStringLiteral("深圳A股"));
        made[0]->findChild<QLineEdit *>("backHolding")->setText(QStringLiteral("100"));
        made[0]->findChild<QLineEdit *>("backCashIn")->setText(QStringLiteral("100"));
        made[0]->findChild<QLineEdit *>("backPrice")->setText(QStringLiteral("10.00"));
        made[0]->calculateRecover();
        EXPECT_TRUE(made[0]->findChild<QLabel *>("termsLine")->text().startsWith(QStringLiteral("深圳A股")));
        EXPECT_TRUE(fake.boxes.empty());
    }
}

} // namespace
} // namespace tallyfin
