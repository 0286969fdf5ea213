// The program in its three languages: every window of the program walked in
// each (no text left in another language, none cut off), the 语言 menu
// changing the open windows at once and remembered, and the same figures in
// every language.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QUrl>

#include <iconv.h>

#include <functional>
#include <map>
#include <memory>

#include "mainwindow.h"
#include "goldensection.h"
#include "accessibility.h"
#include "appearance.h"
#include "fake_platform.h"
#include "feerules.h"
#include "language.h"
#include "links.h"
#include "qt_printers.h"
#include "settingsstore.h"
#include "statementauditfactory.h"
#include "translatedtext.h"
#include "windows.h"

namespace tallyfin {
namespace {

// Each test starts and ends in the source language.
class LanguageTest : public ::testing::Test {
protected:
    LanguageTest() { show(Language::SimplifiedChinese); }
    ~LanguageTest() override
    {
        show(Language::SimplifiedChinese);
    }

    static void show(Language language)
    {
        useLanguage(language);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    }

    testing::FakePlatform fake;
};

struct DesktopCase {
    const char *name;
    QStringList uiLanguages;
    Language shown;
};

class DesktopLanguageTest : public ::testing::TestWithParam<DesktopCase> {};

TEST_P(DesktopLanguageTest, FollowsTheFirstEnglishOrChineseLanguage)
{
    EXPECT_EQ(DesktopLanguage(GetParam().uiLanguages), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Desktops, DesktopLanguageTest,
    ::testing::Values(DesktopCase{"English", {"en-US", "en-Latn-US", "en"}, Language::English},
                      DesktopCase{"BritishEnglish", {"en_GB"}, Language::English},
                      DesktopCase{"Taiwan", {"zh-TW", "zh-Hant-TW"}, Language::TraditionalChinese},
                      DesktopCase{"HongKong", {"zh-HK"}, Language::TraditionalChinese},
                      DesktopCase{"Macao", {"zh_MO"}, Language::TraditionalChinese},
                      DesktopCase{"Hant", {"zh-Hant"}, Language::TraditionalChinese},
                      DesktopCase{"Mainland", {"zh-CN", "zh-Hans-CN", "zh"}, Language::SimplifiedChinese},
                      DesktopCase{"Singapore", {"zh-SG"}, Language::SimplifiedChinese},
                      DesktopCase{"CLocale", {"C"}, Language::SimplifiedChinese},
                      DesktopCase{"GermanThenEnglish", {"de", "de-DE", "en"}, Language::English},
                      DesktopCase{"FrenchOnly", {"fr-FR"}, Language::SimplifiedChinese},
                      DesktopCase{"English-ish", {"eng"}, Language::SimplifiedChinese},
                      DesktopCase{"Nothing", {}, Language::SimplifiedChinese}),
    [](const auto &test) {
        std::string name = test.param.name;
        std::erase(name, '-');
        return name;
    });

// --- Every window in every language ----------------------------------------

// True when every ideograph of `text` has a code in `charset`: the
// simplified characters are not in Big5, the traditional ones not in GB2312.
bool ideographsIn(const QString &text, const char *charset)
{
    iconv_t converter = iconv_open(charset, "UTF-8");
    bool all = true;
    for (const char32_t c : text.toUcs4()) {
        if (c < 0x3400 || (c > 0x9fff && c < 0xf900) || c > 0xfaff)
            continue;
        QByteArray in = QString::fromUcs4(&c, 1).toUtf8();
        char out[8];
        char *inPtr = in.data(), *outPtr = out;
        std::size_t inLeft = static_cast<std::size_t>(in.size()), outLeft = sizeof out;
        all = all && iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    }
    iconv_close(converter);
    return all;
}

bool hasChinese(const QString &text)
{
    for (const char32_t c : text.toUcs4())
        if ((c >= 0x3000 && c <= 0x303f) || (c >= 0x3400 && c <= 0x9fff) || (c >= 0xff00 && c <= 0xffef))
            return true;
    return false;
}

// Whether a text shown is in `language`.
bool inLanguage(const QString &text, Language language)
{
    switch (language) {
    case Language::English: return !hasChinese(text);
    case Language::TraditionalChinese: return ideographsIn(text, "BIG5");
    default: return ideographsIn(text, "GB2312");
    }
}

// The language menu names each language in itself.
bool isLanguageName(const QAction *action)
{
    return action->objectName().startsWith(u"language") && action->objectName() != u"languageSystem";
}

using Problems = QStringList;

void checkText(const QString &where, const QString &text, Language language, Problems &problems)
{
    if (!inLanguage(text, language))
        problems << where + QStringLiteral(": ") + text;
}

void checkActions(const QString &where, const QList<QAction *> &actions, Language language, Problems &problems)
{
    for (const QAction *action : actions) {
        if (!isLanguageName(action))
            checkText(where + QLatin1Char('/') + action->objectName(), action->text(), language, problems);
        if (action->menu())
            checkActions(where + QLatin1Char('/') + action->objectName(), action->menu()->actions(), language,
                         problems);
    }
}

// A text that does not fit the room its widget has.
void checkFits(QWidget *widget, const QString &where, Problems &problems)
{
    QSize needed, room = widget->size();
    if (auto *label = qobject_cast<QLabel *>(widget); label && !label->text().isEmpty()) {
        if (label->wordWrap())
            needed = {room.width(), label->heightForWidth(room.width())};
        else
            needed = label->fontMetrics().size(0, label->text()) + QSize(2 * label->margin(), 2 * label->margin());
        room = label->contentsRect().size();
    } else if (auto *button = qobject_cast<QPushButton *>(widget); button && !button->text().isEmpty()) {
        // The room the style leaves the text inside the button's frame.
        QStyleOptionButton option;
        option.initFrom(button);
        if (button->autoDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
        room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).size();
        needed = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    } else if (auto *check = qobject_cast<QAbstractButton *>(widget); check && !check->text().isEmpty()) {
        needed = check->minimumSizeHint();
    } else if (auto *group = qobject_cast<QGroupBox *>(widget); group && !group->title().isEmpty()) {
        needed = {group->fontMetrics().horizontalAdvance(group->title()), 0};
    } else if (auto *box = qobject_cast<QComboBox *>(widget)) {
        needed = {box->fontMetrics().horizontalAdvance(box->currentText()), 0};
    }
    if (needed.width() > room.width() || needed.height() > room.height())
        problems << QStringLiteral("%1 needs %2×%3, has %4×%5")
                        .arg(where)
                        .arg(needed.width())
                        .arg(needed.height())
                        .arg(room.width())
                        .arg(room.height());
}

void walkWindow(QWidget *window, Language language, Problems &problems)
{
    const QString name = window->objectName();
    checkText(name + QStringLiteral(" title"), window->windowTitle(), language, problems);
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(window))
            continue;
        const QString where = name + QLatin1Char('/') + widget->objectName();
        for (const QString &text : {widget->accessibleName(), widget->accessibleDescription(), widget->toolTip()})
            checkText(where, text, language, problems);
        if (auto *label = qobject_cast<QLabel *>(widget))
            checkText(where, label->text(), language, problems);
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            checkText(where, button->text(), language, problems);
        if (auto *group = qobject_cast<QGroupBox *>(widget))
            checkText(where, group->title(), language, problems);
        if (auto *field = qobject_cast<QLineEdit *>(widget))
            checkText(where, field->text() + field->placeholderText(), language, problems);
        if (auto *memo = qobject_cast<QPlainTextEdit *>(widget))
            checkText(where, memo->toPlainText(), language, problems);
        if (auto *box = qobject_cast<QComboBox *>(widget))
            for (int i = 0; i < box->count(); ++i)
                checkText(where, box->itemText(i), language, problems);
        if (auto *bar = qobject_cast<QMenuBar *>(widget))
            checkActions(where, bar->actions(), language, problems);
        checkFits(widget, where, problems);
    }
}

// Every window the program makes, shown, in each language in turn: made in
// the source language and switched while open, and made anew in it.
TEST_F(LanguageTest, EveryWindowShowsEveryTextInItsLanguageAndWhole)
{
    for (const bool madeInLanguage : {false, true}) {
        for (const Language language : {Language::SimplifiedChinese, Language::TraditionalChinese, Language::English}) {
            show(madeInLanguage ? language : Language::SimplifiedChinese);
            StatementAuditWindowFactory statementWindows;
            ProgramWindows windows(ProgramWindows::Making::AllAtOnce, &statementWindows);
            windows.mainWindow().findChild<QComboBox *>(QStringLiteral("ruleSet"))->setCurrentIndex(1);
            show(language);
            Problems problems;
            for (QWidget *window : windows.made()) {
                window->show();
                walkWindow(window, language, problems);
            }
            EXPECT_TRUE(problems.isEmpty()) << "language " << static_cast<int>(language) << ", made in it: "
                                            << madeInLanguage << "\n"
                                            << problems.join(QLatin1Char('\n')).toStdString();
        }
    }
}

// --- The pages that ship with the program ------------------------------------

struct PageCase {
    const char *name;
    Language language;
    QString suffix;  // of the page's file name
    QString htmlLanguage;
};

class BundledPageTest : public LanguageTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(BundledPageTest, OpensInTheLanguageShownWithTheFeeTableTranslated)
{
    show(GetParam().language);
    for (const auto &[link, name] : {std::pair{Link::Blog, QStringLiteral("tallyfin")},
                                     std::pair{Link::StockSites, QStringLiteral("stock-sites")}}) {
        QFile page(QUrl(linkAddress(link)).toLocalFile());
        EXPECT_TRUE(page.fileName().endsWith(QLatin1Char('/') + name + GetParam().suffix + QStringLiteral(".html")))
            << page.fileName().toStdString();
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << page.fileName().toStdString();
        const QString html = QString::fromUtf8(page.readAll());
        EXPECT_TRUE(html.contains(QStringLiteral("<html lang=\"%1\">").arg(GetParam().htmlLanguage)));
        if (link != Link::Blog)
            continue;
        for (const FeeRuleRow &row : FeeRuleTable()) {
            EXPECT_TRUE(html.contains(translated(RowTerms(row)).toHtmlEscaped())) << row.effectiveFrom;
            EXPECT_TRUE(html.contains(translated("FeeTable", row.source).toHtmlEscaped())) << row.source;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, BundledPageTest,
                         ::testing::Values(PageCase{"Simplified", Language::SimplifiedChinese, "", "zh-CN"},
                                           PageCase{"Traditional", Language::TraditionalChinese, ".zh_TW", "zh-TW"},
                                           PageCase{"English", Language::English, ".en", "en"}),
                         [](const auto &test) { return std::string(test.param.name); });

// --- The menu, remembered ---------------------------------------------------

class LanguageMenuTest : public LanguageTest {
protected:
    LanguageMenuTest() { restart(); }
    ~LanguageMenuTest() override
    {
        form.reset();
    }

    void restart()
    {
        form.reset();
        store = std::make_unique<SettingsStore>(folder.filePath(QStringLiteral("tallyfin.conf")));
        form = std::make_unique<MainWindow>();
        form->rememberSettings(*store);
    }

    QAction *item(const char *name) { return form->findChild<QAction *>(name); }
    QString text(const char *name) { return form->findChild<QLabel *>(name)->text(); }

    QTemporaryDir folder;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<MainWindow> form;
};

TEST_F(LanguageMenuTest, ChangesTheOpenWindowsAtOnceAndIsRememberedWithoutTouchingTheFees)
{
    GoldenSectionWindow golden;
    golden.show();
    auto *commission = form->findChild<QComboBox *>(QStringLiteral("ComboBox1"));
    commission->setEditText(QStringLiteral("0.25"));
    form->findChild<QComboBox *>(QStringLiteral("zjs"))->setCurrentIndex(1);
    EXPECT_TRUE(item("languageSystem")->isChecked()) << "the desktop's language at first";

    item("languageEnglish")->trigger();
    EXPECT_EQ(text("Label24"), "Buy price");
    EXPECT_EQ(golden.windowTitle(), "Golden-section calculator") << "an open window changes at once";
    EXPECT_EQ(form->findChild<QComboBox *>(QStringLiteral("zjs"))->currentText(), "Shenzhen A-shares");
    EXPECT_EQ(commission->currentText(), "0.25") << "a typed rate survives the change";
    EXPECT_TRUE(item("languageEnglish")->isChecked());
    EXPECT_FALSE(item("languageSystem")->isChecked());

    restart();
    EXPECT_EQ(text("Label24"), "Buy price") << "remembered";
    EXPECT_TRUE(item("languageEnglish")->isChecked());
    EXPECT_EQ(form->findChild<QComboBox *>(QStringLiteral("zjs"))->currentText(), "Shenzhen A-shares");
    EXPECT_EQ(form->findChild<QComboBox *>(QStringLiteral("ComboBox1"))->currentText(), "0.25");

    item("languageTraditional")->trigger();
    EXPECT_EQ(text("Label24"), "買入價格");
    form->findChild<QAction *>("resetSettings")->trigger();
    EXPECT_EQ(form->findChild<QComboBox *>(QStringLiteral("ComboBox1"))->currentText(), "3.0");
    restart();
    EXPECT_EQ(text("Label24"), "買入價格") << "restoring the default fees keeps the language";
    EXPECT_EQ(form->findChild<QComboBox *>(QStringLiteral("zjs"))->currentText(), "上海A股");

    item("languageSystem")->trigger();
    EXPECT_EQ(text("Label24"), "买入价格") << "the tests' desktop speaks Simplified Chinese";
}

// --- The same figures in every language -------------------------------------

struct TradeCase {
    const char *name;
    int rules; // index in the 费率规则 box
    std::map<const char *, QString> typed;
};

class SameFiguresTest : public LanguageTest, public ::testing::WithParamInterface<TradeCase> {
protected:
    // What every field holds after the trade is calculated in `language`:
    // as the engine wrote it, and as shown.
    std::pair<QStringList, QStringList> calculateIn(Language language)
    {
        show(language);
        MainWindow form;
        form.findChild<QComboBox *>(QStringLiteral("ruleSet"))->setCurrentIndex(GetParam().rules);
        for (const auto &[name, text] : GetParam().typed)
            form.findChild<QLineEdit *>(name)->setText(text);
        form.findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        QStringList engine, shown;
        for (const QLineEdit *field : form.findChildren<QLineEdit *>()) {
            if (!field->objectName().isEmpty() && !field->objectName().startsWith(u"qt_")) {
                engine << field->objectName() + QLatin1Char('=') + QString::fromStdString(fieldText(field));
                shown << field->text();
            }
        }
        return {engine, shown};
    }
};

TEST_P(SameFiguresTest, EveryResultIsTheSameInEveryLanguage)
{
    const auto [chinese, chineseShown] = calculateIn(Language::SimplifiedChinese);
    for (const Language language : {Language::TraditionalChinese, Language::English}) {
        const auto [engine, shown] = calculateIn(language);
        EXPECT_EQ(engine, chinese) << static_cast<int>(language);
        for (qsizetype i = 0; i < shown.size(); ++i)
            if (!hasChinese(chineseShown[i])) {
                EXPECT_EQ(shown[i], chineseShown[i]) << chinese[i].toStdString();
            }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Trades, SameFiguresTest,
    ::testing::Values(TradeCase{"Classic", 0, {{"jg", "10"}, {"sl", "1000"}, {"Edit2", "11"}, {"targetValue", "5"}}},
                      TradeCase{"Dated", 1, {{"jg", "6.09"}, {"sl", "200"}, {"Edit2", "6.5"}, {"targetValue", "3"}}},
                      TradeCase{"Unreachable", 1, {{"jg", "10"}, {"sl", "1000"}, {"targetValue", "1e9"}}},
                      TradeCase{"NoBreakEven", 1, {{"jg", "100000"}, {"sl", "100"}}}),
    [](const auto &test) { return std::string(test.param.name); });

} // namespace
} // namespace tallyfin
