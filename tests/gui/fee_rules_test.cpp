#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>
#include <random>

#include "mainwindow.h"
#include "help.h"
#include "accessibility.h"
#include "fake_platform.h"
#include "../core/hk_reference.h"
#include "feerules.h"
#include "links.h"
#include "qt_printers.h"
#include "settingsstore.h"

namespace tallyfin {
namespace {

using testing::FakePlatform;

class FeeRulesTest : public ::testing::Test {
protected:
    FeeRulesTest() { restart(); }

    // A new main window, as at the next start of the program.
    void restart(bool remember = false)
    {
        form = std::make_unique<MainWindow>();
        store = std::make_unique<SettingsStore>(settingsFile());
        if (remember)
            form->rememberSettings(*store);
    }

    QString settingsFile() const { return folder.filePath("tallyfin.conf"); }

    template <typename Widget = QLineEdit>
    Widget *get(const char *name) { return form->findChild<Widget *>(name); }
    QComboBox *combo(const char *name) { return get<QComboBox>(name); }
    QCheckBox *check(const char *name) { return get<QCheckBox>(name); }

    void type(const char *name, const QString &text)
    {
        get(name)->clear();
        QTest::keyClicks(get(name), text);
    }

    void chooseDatedRules(QDate date = QDate(2026, 12, 8), const QString &commission = "0.25")
    {
        combo("ruleSet")->setCurrentIndex(1);
        get<QDateEdit>("tradeDate")->setDate(date);
        combo("ComboBox1")->setEditText(commission);
    }

    void calculate(const QString &price, const QString &quantity, const QString &sellPrice)
    {
        type("jg", price);
        type("sl", quantity);
        type("Edit2", sellPrice);
        QTest::keyClick(get("Edit2"), Qt::Key_Return);
    }

    QStringList texts(std::initializer_list<const char *> names)
    {
        QStringList result;
        for (const char *name : names)
            result << get(name)->text();
        return result;
    }

    QTemporaryDir folder;
    FakePlatform fake;
    std::unique_ptr<MainWindow> form;
    std::unique_ptr<SettingsStore> store;
};

TEST_F(FeeRulesTest, DatedRulesShowTodaysFeesInExactMoney)
{
    chooseDatedRules();
    QStringList markets;
    for (int i = 0; i < combo("zjs")->count(); ++i)
        markets << combo("zjs")->itemText(i);
    EXPECT_EQ(markets, QStringList({"上海A股", "深圳A股", "北京A股", "上海基金", "深圳基金", "上海可转债", "深圳可转债", "基金权证", "港股通"}));
    EXPECT_EQ(combo("ComboBox2")->currentText(), "0.5");
    EXPECT_FALSE(combo("ComboBox2")->isEnabled());
    EXPECT_FALSE(check("CheckBox1")->isChecked());
    EXPECT_FALSE(check("CheckBox1")->isEnabled());

    calculate("10", "1000", "11");
    EXPECT_EQ(texts({"Edit4", "Edit5", "Edit6", "Edit7", "Edit8", "Edit9"}),
              QStringList({"10000.00", "5.00", "0.00", "0.10", "5.10", "10005.10"}));
    EXPECT_EQ(texts({"Edit12", "Edit13", "Edit14", "Edit15", "Edit16", "Edit17", "Edit19"}),
              QStringList({"11000.00", "5.00", "5.50", "0.11", "10.61", "10989.39", "984.29"}));

    check("noMinimum")->click();
    QTest::keyClick(get("Edit2"), Qt::Key_Return);
    EXPECT_EQ(texts({"Edit5", "Edit13"}), QStringList({"2.50", "2.75"}));

    EXPECT_FALSE(get("buyLevies")->isEnabled());
    check("leviesOnTop")->click();
    QTest::keyClick(get("Edit2"), Qt::Key_Return);
    EXPECT_TRUE(get("buyLevies")->isEnabled());
    EXPECT_EQ(texts({"buyLevies", "Edit8", "sellLevies", "Edit16"}), QStringList({"0.54", "3.14", "0.60", "8.96"}));
    EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(FeeRulesTest, EnterAlsoFindsTheTargetPrice)
{
    chooseDatedRules();
    type("targetValue", "10");
    calculate("10", "1000", "");
    // 10% of 10005.10: 11.01 nets 10999.38, 11.02 nets 11009.38.
    EXPECT_EQ(texts({"targetPrice", "targetYield"}), QStringList({"11.02", "11009.38 / 1004.28"}));
    combo("targetKind")->setCurrentIndex(1);
    EXPECT_EQ(get<QLabel>("targetUnit")->text(), "元");
    type("targetValue", "1e9");
    QTest::keyClick(get("targetValue"), Qt::Key_Return);
    EXPECT_EQ(texts({"targetPrice", "targetYield"}), QStringList({"任何价格都达不到目标", ""}));
    type("targetValue", "");
    QTest::keyClick(get("jg"), Qt::Key_Return);
    EXPECT_EQ(get("targetPrice")->text(), "");
    EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(FeeRulesTest, BackToClassicRulesRestoresItsChoicesAndFigures)
{
    combo("ComboBox2")->setCurrentIndex(2); // "4"
    check("CheckBox1")->setChecked(true);
    chooseDatedRules();
    combo("zjs")->setCurrentIndex(2); // 北京A股
    check("leviesOnTop")->click();
    calculate("10", "1000", "11");
    EXPECT_FALSE(get("buyLevies")->text().isEmpty());

    combo("ruleSet")->setCurrentIndex(0);
    EXPECT_EQ(combo("zjs")->count(), 3);
    EXPECT_EQ(combo("zjs")->currentText(), "上海A股");
    EXPECT_EQ(combo("ComboBox2")->count(), 7);
    EXPECT_EQ(combo("ComboBox2")->currentText(), "4");
    EXPECT_TRUE(check("CheckBox1")->isChecked());
    EXPECT_TRUE(get("buyLevies")->text().isEmpty()) << "no levies under the classic rules";
    combo("ComboBox1")->setCurrentIndex(0);
    check("CheckBox1")->setChecked(false);
    combo("ComboBox2")->setCurrentIndex(5);
    QTest::keyClick(get("Edit2"), Qt::Key_Return);
    EXPECT_EQ(texts({"Edit9", "Edit10", "Edit11", "Edit19"}), QStringList({"10031", "10.03", "10.07", "924"}));
}

TEST_F(FeeRulesTest, RefusedInputsAreExplainedInTheUsersWords)
{
    chooseDatedRules();
    calculate("10", "100.5", "");
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].kind, FakePlatform::BoxKind::Validation);
    EXPECT_EQ(fake.boxes[0].text, "买入数量应为 1 到 10000000000 之间的整数");

    // Beijing's exchange opened on 2021-11-15: the line under the groups says so.
    get<QDateEdit>("tradeDate")->setDate(QDate(2020, 1, 2));
    combo("zjs")->setCurrentIndex(2);
    EXPECT_TRUE(get<QLabel>("ruleNotes")->text().contains("2021-11-15"));
    EXPECT_EQ(get<QDateEdit>("tradeDate")->minimumDate(), QDate(2001, 11, 16));
}

TEST_F(FeeRulesTest, UncertainRowsCarryTheirNote)
{
    chooseDatedRules(QDate(2013, 3, 1));
    EXPECT_TRUE(get<QLabel>("ruleNotes")->text().contains("沪市过户费不确定"));
    chooseDatedRules(QDate(2026, 12, 8));
    EXPECT_FALSE(get<QLabel>("ruleNotes")->text().contains("注："));
}

TEST_F(FeeRulesTest, SettingsSurviveARestart)
{
    restart(true);
    chooseDatedRules(QDate(2026, 12, 8), "0.25");
    combo("zjs")->setCurrentIndex(1);
    check("noMinimum")->click();
    restart(true);
    EXPECT_EQ(combo("ruleSet")->currentText(), "按成交日期");
    EXPECT_EQ(combo("zjs")->currentText(), "深圳A股");
    EXPECT_EQ(combo("ComboBox1")->currentText(), "0.25");
    EXPECT_TRUE(check("noMinimum")->isChecked());
    EXPECT_FALSE(check("leviesOnTop")->isChecked());
    EXPECT_EQ(get<QDateEdit>("tradeDate")->date(), QDate::currentDate()) << "the date is not kept";

    form->findChild<QAction *>("resetSettings")->trigger();
    EXPECT_EQ(combo("ruleSet")->currentText(), "经典规则");
    EXPECT_EQ(combo("ComboBox1")->currentText(), "3.0");
    restart(true);
    EXPECT_EQ(combo("ruleSet")->currentText(), "经典规则");
    EXPECT_FALSE(check("noMinimum")->isChecked());
    EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(FeeRulesTest, ADamagedFileGivesTheDefaultsAndOneNotice)
{
    for (const QByteArray &garbage : {QByteArray("\x89PNG\r\n\x1a\n\0\0garbage", 16), QByteArray("[fees]\nrules=sometimes\n"),
                                      QByteArray("commission = 0.25\nno equals sign here\n")}) {
        QFile file(settingsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(garbage);
        file.close();
        fake.boxes.clear();
        restart(true);
        QTest::qWait(0);
        EXPECT_EQ(combo("ruleSet")->currentText(), "经典规则");
        EXPECT_EQ(combo("ComboBox1")->currentText(), "3.0");
        ASSERT_EQ(fake.boxes.size(), 1u) << garbage.toStdString();
        EXPECT_TRUE(fake.boxes[0].text.startsWith("设置文件已损坏或无法读取，已改用默认设置。"));
        QFile kept(settingsFile() + ".damaged");
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), garbage) << "the damaged file is kept aside";
    }
}

TEST_F(FeeRulesTest, AFileThatCannotBeWrittenLosesNothingElse)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir("tallyfin.conf")); // a folder where the file should be
    restart(true);
    QTest::qWait(0);
    fake.boxes.clear();
    combo("ComboBox1")->setEditText("0.25");
    check("noMinimum")->click();
    ASSERT_EQ(fake.boxes.size(), 1u) << "told once, not at every change";
    EXPECT_TRUE(fake.boxes[0].text.startsWith("设置无法保存到"));
    EXPECT_EQ(combo("ComboBox1")->currentText(), "0.25");
    EXPECT_TRUE(check("noMinimum")->isChecked());
}

TEST_F(FeeRulesTest, NewControlsAreNamedByTheirCaptions)
{
    const std::pair<const char *, QString> named[] = {
        {"ruleSet", "费率规则"}, {"tradeDate", "成交日期"}, {"noMinimum", "免五（佣金不设 5 元最低）"},
        {"leviesOnTop", "规费另计（经手费、证管费）"}, {"buyLevies", "规    费"}, {"sellLevies", "规    费"},
        {"targetKind", "目标类型"}, {"targetValue", "目 标 值"}, {"targetPrice", "目标卖价"}, {"targetYield", "实收/盈亏"}};
    for (const auto &[objectName, caption] : named) {
        QAccessibleInterface *node = testing::accessible(form->findChild<QWidget *>(objectName));
        ASSERT_NE(node, nullptr) << objectName;
        EXPECT_EQ(testing::announcedName(node), caption) << objectName;
    }
}

} // namespace
} // namespace tallyfin

namespace tallyfin {
namespace {

// The Help window and the page about Tallyfin show the table the engine uses.
TEST(FeeTableWords, HelpAndThePageListEveryRow)
{
    HelpWindow help;
    const QString helpText = help.findChild<QPlainTextEdit *>("Memo1")->toPlainText();
    QFile file(QUrl(linkAddress(Link::Blog)).toLocalFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll());
    EXPECT_FALSE(page.contains("<!-- fee-table -->"));
    for (const FeeRuleRow &row : FeeRuleTable()) {
        const QString terms = QString::fromStdString(RowTermsText(row));
        const QString source = QString::fromUtf8(row.source.data(), static_cast<qsizetype>(row.source.size()));
        EXPECT_TRUE(helpText.contains(terms) && helpText.contains(source)) << row.source;
        EXPECT_TRUE(page.contains(terms) && page.contains(source.toHtmlEscaped())) << row.source;
    }
}

// --- 港股通 ------------------------------------------------------------------

namespace ref = hkreference;

class HongKongWindowTest : public FeeRulesTest {
protected:
    void chooseHongKong()
    {
        chooseDatedRules();
        combo("zjs")->setCurrentIndex(combo("zjs")->findText(QStringLiteral("港股通")));
    }

    ref::SideTexts shownSide(bool buy)
    {
        const auto at = [this](const char *name) { return get(name)->text().toStdString(); };
        ref::SideTexts shown;
        shown.amount = at(buy ? "Edit4" : "Edit12");
        shown.commission = at(buy ? "Edit5" : "Edit13");
        shown.stampDuty = at(buy ? "Edit6" : "Edit14");
        shown.transferFee = at(buy ? "Edit7" : "Edit15");
        shown.levies = at(buy ? "buyLevies" : "sellLevies");
        shown.fees = at(buy ? "Edit8" : "Edit16");
        shown.cash = at(buy ? "Edit9" : "Edit17");
        return shown;
    }
};

void expectShown(const ref::SideTexts &shown, const ref::SideTexts &want, const std::string &where)
{
    EXPECT_EQ((std::array{shown.amount, shown.commission, shown.stampDuty, shown.transferFee, shown.levies,
                          shown.fees, shown.cash}),
              (std::array{want.amount, want.commission, want.stampDuty, want.transferFee, want.levies, want.fees,
                          want.cash}))
        << where;
}

// Generated trades typed as a user types them agree with the independent
// reading, field by field, the break-even price included.
TEST_F(HongKongWindowTest, GeneratedTradesAgreeWithTheIndependentReading)
{
    chooseHongKong();
    EXPECT_TRUE(get("buyRate")->isVisibleTo(form.get()));
    EXPECT_EQ(get<QLabel>("Label34")->text(), "港元");
    EXPECT_FALSE(check("leviesOnTop")->isEnabled()) << "no mainland levies";
    std::mt19937_64 random(20250320);
    for (int i = 0; i < 60; ++i) {
        const auto [t, sellRate, buyMils, sellMils, quantity] = ref::randomRoundTrip(random, 5000);
        const QString date = QString::fromStdString(ref::dateText(t.date));
        get<QDateEdit>("tradeDate")->setDate(QDate::fromString(date, Qt::ISODate));
        combo("ComboBox1")->setEditText(QString::fromStdString(ref::fixed(t.commission, 2)));
        check("noMinimum")->setChecked(t.minimumCents == 0);
        type("buyRate", QString::fromStdString(ref::fixed(t.rateMicros, 6)));
        type("sellRate", QString::fromStdString(ref::fixed(sellRate, 6)));
        type("Edit3", QString::number(quantity));
        calculate(QString::fromStdString(ref::priceText(buyMils)), QString::number(quantity),
                  QString::fromStdString(ref::priceText(sellMils)));
        const ref::Slip buy = ref::settle(t.date, true, buyMils * quantity, t.rateMicros, t.commission, t.minimumCents);
        const ref::Slip sell = ref::settle(t.date, false, sellMils * quantity, sellRate, t.commission, t.minimumCents);
        const std::string where = date.toStdString() + " " + ref::priceText(buyMils) + "/" + ref::priceText(sellMils)
                                  + " × " + std::to_string(quantity);
        expectShown(shownSide(true), ref::sideTexts(buy, buyMils * quantity, t.rateMicros, true), where);
        expectShown(shownSide(false), ref::sideTexts(sell, sellMils * quantity, sellRate, false), where);
        EXPECT_EQ(get("Edit19")->text().toStdString(), ref::fixed(sell.cash - buy.cash, 2)) << where;
        const long long breakEven = ref::lowestSalePrice(t.date, quantity, sellRate, t.commission, t.minimumCents,
                                                         buy.cash);
        EXPECT_EQ(get("Edit11")->text().toStdString(), breakEven ? ref::priceText(breakEven) : "无法保本") << where;
    }
    EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(HongKongWindowTest, RatesAreRememberedAndARefusedOneComputesNothing)
{
    restart(true);
    chooseHongKong();
    type("buyRate", "0.93358");
    type("sellRate", "0.93242");
    restart(true);
    EXPECT_EQ(get("buyRate")->text(), "0.93358") << "the last rate typed";
    EXPECT_EQ(get("sellRate")->text(), "0.93242");
    EXPECT_TRUE(get<QLabel>("ruleNotes")->text().contains("的港股通规则：印花税 0.1%")) << "the market remembered";

    type("sellRate", "0.9324201");
    calculate("47.15", "200", "47.5");
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].kind, FakePlatform::BoxKind::Validation);
    EXPECT_EQ(fake.boxes[0].text, "卖出结算汇率应大于 0 且不超过 100，最多 6 位小数");
    EXPECT_EQ(get("Edit4")->text(), "") << "nothing computed";

    combo("zjs")->setCurrentIndex(combo("zjs")->findText(QStringLiteral("上海A股")));
    EXPECT_FALSE(get("buyRate")->isVisibleTo(form.get()));
    EXPECT_EQ(get<QLabel>("Label34")->text(), "元");
    EXPECT_TRUE(check("leviesOnTop")->isEnabled());
    EXPECT_FALSE(get("buyLevies")->isEnabled());
}

} // namespace
} // namespace tallyfin
