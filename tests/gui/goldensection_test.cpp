#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "about.h"
#include "fake_platform.h"
#include "goldensection.h"
#include "help.h"
#include "mainwindow.h"
#include "qt_printers.h"
#include "windows.h"

namespace tallyfin {
namespace {

using testing::FakePlatform;

// The result fields in the order ProjectGolden writes them.
constexpr const char *kResults[] = {"Edit3", "Edit4", "Edit5",  "Edit6",  "Edit7", "Edit8",
                                    "Edit9", "Edit10", "Edit11", "Edit12", "Edit13"};
constexpr const char *kAllFields[] = {"Edit1", "Edit2", "Edit3",  "Edit4",  "Edit5",  "Edit6", "Edit7",
                                      "Edit8", "Edit9", "Edit10", "Edit11", "Edit12", "Edit13"};

// The calculator as a user reaches it: made alone, or among the program's
// windows.
template <typename Windows>
class GoldenTest : public ::testing::Test {
protected:
    QLineEdit *field(const char *name) { return form.findChild<QLineEdit *>(name); }
    QPushButton *button(const char *name) { return form.findChild<QPushButton *>(name); }

    void type(const char *name, const QString &text)
    {
        QLineEdit *edit = field(name);
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    void click(const char *name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    QStringList texts(const char *const *first, const char *const *last)
    {
        QStringList result;
        for (; first != last; ++first)
            result << field(*first)->text();
        return result;
    }
    QStringList results() { return texts(std::begin(kResults), std::end(kResults)); }
    QStringList allFields() { return texts(std::begin(kAllFields), std::end(kAllFields)); }

    void fillResults(const QString &text)
    {
        for (const char *name : kResults)
            field(name)->setText(text);
    }

    FakePlatform fake;
    Windows windows;
    GoldenSectionWindow &form = windows.goldenSection();
};

struct GoldenAlone {
    GoldenSectionWindow window;
    GoldenSectionWindow &goldenSection() { return window; }
};

using GoldenWindowTest = GoldenTest<GoldenAlone>;

TEST_F(GoldenWindowTest, StartsWithZerosInAFixedWindow)
{
    EXPECT_EQ(form.windowTitle(), "黄金分割计算器");
    EXPECT_EQ(form.size(), QSize(342, 504));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(allFields(), QStringList(13, "0"));
    EXPECT_FALSE(form.windowIcon().isNull());
}

// The result rows as the user sees them, top to bottom.
struct Row {
    const char *label;
    const char *field;
    bool readOnly;
};

constexpr Row kRows[] = {{"19.1%", "Edit7", true},  {"23.6%", "Edit10", false}, {"1/3", "Edit8", false},
                         {"38.2%", "Edit6", true},  {"50%", "Edit5", true},     {"61.8%", "Edit4", true},
                         {"2/3", "Edit9", false},   {"80.9%", "Edit3", true},   {"2倍", "Edit11", false},
                         {"2.618倍", "Edit12", false}, {"3倍", "Edit13", false}};

QLabel *labelOf(QWidget &form, const QWidget *field)
{
    for (QLabel *label : form.findChildren<QLabel *>())
        if (label->buddy() == field)
            return label;
    return nullptr;
}

TEST_F(GoldenWindowTest, ResultRowsStandInTheirOrderWithTheirLabels)
{
    form.show();
    int previousTop = -1;
    for (const Row &row : kRows) {
        SCOPED_TRACE(row.label);
        QLineEdit *edit = field(row.field);
        QLabel *label = labelOf(form, edit);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), row.label);
        EXPECT_EQ(edit->isReadOnly(), row.readOnly);
        const int top = edit->mapTo(&form, QPoint(0, 0)).y();
        EXPECT_GT(top, previousTop);
        const int labelMiddle = label->mapTo(&form, QPoint(0, label->height() / 2)).y();
        EXPECT_TRUE(labelMiddle >= top && labelMiddle < top + edit->height()) << "label beside its field";
        EXPECT_LT(label->mapTo(&form, QPoint(label->width(), 0)).x(), edit->mapTo(&form, QPoint(0, 0)).x());
        EXPECT_TRUE(form.rect().contains(QRect(edit->mapTo(&form, QPoint(0, 0)), edit->size())));
        previousTop = top;
    }
}

TEST_F(GoldenWindowTest, ButtonsStandTopToBottomInsideTheWindow)
{
    form.show();
    const std::pair<const char *, const char *> buttons[] = {
        {"Button1", "关于我"}, {"up", "低点上涨"}, {"down", "高点下跌"}, {"bound", "区间反弹"},
        {"callback", "区间回调"}, {"Button2", "清空"}, {"tuichu", "退出"}, {"Button3", "帮助"}};
    int previousBottom = -1;
    for (const auto &[name, caption] : buttons) {
        QPushButton *b = button(name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->text(), caption);
        const QRect area(b->mapTo(&form, QPoint(0, 0)), b->size());
        EXPECT_GT(area.top(), previousBottom) << name;
        EXPECT_TRUE(form.rect().contains(area)) << name;
        EXPECT_GE(area.left(), form.findChild<QGroupBox *>("GroupBox2")->geometry().right()) << name;
        previousBottom = area.bottom();
    }
}

// --- The four projections -------------------------------------------------

struct Projection {
    const char *name;
    const char *button;
    QString low, high;
    QStringList expected; // Edit3 … Edit13
};

class GoldenProjectionTest : public GoldenWindowTest, public ::testing::WithParamInterface<Projection> {};

TEST_P(GoldenProjectionTest, TypedInputsGiveEveryRow)
{
    const Projection &p = GetParam();
    fillResults("old");
    type("Edit1", p.low);
    type("Edit2", p.high);
    click(p.button);
    EXPECT_EQ(results(), p.expected);
    EXPECT_TRUE(fake.boxes.empty());
    EXPECT_EQ(field("Edit1")->text(), p.low) << "inputs are left as typed";
}

INSTANTIATE_TEST_SUITE_P(
    Modes, GoldenProjectionTest,
    ::testing::Values(
        Projection{"RiseFromTen", "up", "10", "0",
                   {"18.09", "16.18", "15", "13.82", "11.91", "13.33", "16.67", "12.36", "20", "26.18", "30"}},
        Projection{"RiseNeedsNoHigh", "up", "10", "",
                   {"18.09", "16.18", "15", "13.82", "11.91", "13.33", "16.67", "12.36", "20", "26.18", "30"}},
        Projection{"FallFromTen", "down", "", "10",
                   {"1.91", "3.82", "5", "6.18", "8.09", "6.67", "3.33", "7.64", "0", "0", "0"}},
        Projection{"ReboundTenFifteen", "bound", "10", "15",
                   {"14.045", "13.09", "12.5", "11.91", "10.955", "11.67", "13.33", "11.18", "0", "0", "0"}},
        Projection{"PullBackTenFifteen", "callback", "10", "15",
                   {"10.955", "11.91", "12.5", "13.09", "14.045", "13.33", "11.67", "13.82", "0", "0", "0"}},
        Projection{"HighBelowLowProjectsTheOtherWay", "callback", "15", "10",
                   {"14.045", "13.09", "12.5", "11.91", "10.955", "11.67", "13.33", "11.18", "0", "0", "0"}},
        Projection{"BlanksAroundANumber", "up", " 10 ", "0",
                   {"18.09", "16.18", "15", "13.82", "11.91", "13.33", "16.67", "12.36", "20", "26.18", "30"}}),
    [](const auto &test) { return std::string(test.param.name); });

TEST_F(GoldenWindowTest, ModesAfterARiseSetTheMultiplesToZero)
{
    type("Edit1", "10");
    type("Edit2", "15");
    click("up");
    ASSERT_EQ(field("Edit13")->text(), "30");
    click("bound");
    EXPECT_EQ(texts(std::end(kResults) - 3, std::end(kResults)), QStringList({"0", "0", "0"}));
}

// --- Input checks -----------------------------------------------------------

struct MissingInput {
    const char *name;
    const char *button;
    QString low, high;
    QString message;
};

class GoldenMissingInputTest : public GoldenWindowTest, public ::testing::WithParamInterface<MissingInput> {};

TEST_P(GoldenMissingInputTest, ShowsTheMessageOwnedByTheWindowAndChangesNothing)
{
    const MissingInput &m = GetParam();
    fillResults("old");
    type("Edit1", m.low);
    type("Edit2", m.high);
    const QStringList before = allFields();
    click(m.button);

    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].kind, FakePlatform::BoxKind::Validation);
    EXPECT_EQ(fake.boxes[0].owner, &form);
    EXPECT_EQ(fake.boxes[0].caption, "错误");
    EXPECT_EQ(fake.boxes[0].text, m.message);
    EXPECT_EQ(allFields(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, GoldenMissingInputTest,
    ::testing::Values(MissingInput{"RiseWithoutLow", "up", "", "15", "请输入低点数据！"},
                      MissingInput{"FallWithoutHigh", "down", "10", "", "请输入高点数据！"},
                      MissingInput{"ReboundWithoutLow", "bound", "", "15", "请输入低点和高点数据"},
                      MissingInput{"ReboundWithoutHigh", "bound", "10", "", "请输入低点和高点数据"},
                      MissingInput{"PullBackWithoutLow", "callback", "", "15", "请输入低点和高点数据！"},
                      MissingInput{"PullBackWithNeither", "callback", "", "", "请输入低点和高点数据！"}),
    [](const auto &test) { return std::string(test.param.name); });

struct BadInput {
    const char *name;
    const char *button;
    QString low, high;
    QString error;
};

class GoldenBadInputTest : public GoldenWindowTest, public ::testing::WithParamInterface<BadInput> {};

TEST_P(GoldenBadInputTest, ShowsTheErrorBoxAndWritesNoField)
{
    const BadInput &b = GetParam();
    fillResults("old");
    type("Edit1", b.low);
    type("Edit2", b.high);
    const QStringList before = allFields();
    click(b.button);

    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].kind, FakePlatform::BoxKind::Error);
    EXPECT_EQ(fake.boxes[0].text, b.error);
    EXPECT_EQ(allFields(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, GoldenBadInputTest,
    ::testing::Values(BadInput{"BlankLow", "up", "  ", "0", "'  ' is not a valid floating point value."},
                      BadInput{"LetterHigh", "down", "0", "abc", "'abc' is not a valid floating point value."},
                      BadInput{"BadHighAfterGoodLow", "callback", "10", "1,5",
                               "'1,5' is not a valid floating point value."},
                      BadInput{"BadLowInRange", "bound", "x", "15", "'x' is not a valid floating point value."},
                      BadInput{"BeyondDouble", "up", "1e400", "0", "Floating point overflow."}),
    [](const auto &test) { return std::string(test.param.name); });

TEST_F(GoldenWindowTest, FaultPartwayKeepsTheRowsWrittenBeforeIt)
{
    fillResults("old");
    type("Edit1", "1e300");
    click("up");
    // The 1/3 row rounds to cents, which has no whole-number form this large.
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text, "Invalid floating point operation.");
    EXPECT_EQ(results(), QStringList({"1.809E300", "1.618E300", "1.5E300", "1.382E300", "1.191E300", "old", "old",
                                      "old", "old", "old", "old"}));
}

TEST_F(GoldenWindowTest, GoesOnAfterAnError)
{
    type("Edit1", "abc");
    click("up");
    type("Edit1", "10");
    click("up");
    EXPECT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(field("Edit5")->text(), "15");
}

TEST_F(GoldenWindowTest, CommaLocaleReadsAndShowsCommas)
{
    fake.separator = ",";
    type("Edit1", "10,5");
    click("up");
    EXPECT_EQ(field("Edit5")->text(), "15,75");
    EXPECT_EQ(field("Edit8")->text(), "14");
    EXPECT_EQ(field("Edit12")->text(), "27,489");

    type("Edit1", "10.5");
    click("up");
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text, "'10.5' is not a valid floating point value.");
}

TEST_F(GoldenWindowTest, ClearSetsEveryFieldToZeroAndARiseFromThereShowsZeros)
{
    type("Edit1", "10");
    type("Edit2", "15");
    click("up");
    field("Edit10")->setText("typed by hand");

    click("Button2");
    EXPECT_EQ(allFields(), QStringList(13, "0"));

    click("up");
    EXPECT_EQ(results(), QStringList(11, "0"));
    EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(GoldenWindowTest, KeyboardAloneRunsAProjection)
{
    form.show();
    QApplication::setActiveWindow(&form);
    field("Edit1")->setFocus();
    field("Edit1")->selectAll();
    QTest::keyClicks(QApplication::focusWidget(), "10");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), field("Edit2"));
    static_cast<QLineEdit *>(QApplication::focusWidget())->selectAll();
    QTest::keyClicks(QApplication::focusWidget(), "15");
    QStringList visited;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, QStringList({"Button1", "up", "down", "bound", "callback"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(field("Edit4")->text(), "11.91");
}

// --- Navigation ---------------------------------------------------------------

// The other windows the calculator reaches, as the program has them.
class GoldenNavigationTest : public GoldenTest<ProgramWindows> {
protected:
    // The main window's "黄金分割计算器".
    void openFromMainWindow()
    {
        mainWindow.show();
        mainWindow.findChild<QPushButton *>("Button7")->click();
        ASSERT_TRUE(mainWindow.isHidden());
        ASSERT_TRUE(form.isVisible());
    }

    MainWindow &mainWindow = windows.mainWindow();
    AboutWindow &about = windows.about();
    HelpWindow &help = windows.help();
};

TEST_F(GoldenNavigationTest, ExitHidesTheWindowAndShowsTheMainWindow)
{
    openFromMainWindow();
    type("Edit1", "10");
    click("tuichu");
    EXPECT_TRUE(form.isHidden());
    EXPECT_TRUE(mainWindow.isVisible());
    form.show();
    EXPECT_EQ(field("Edit1")->text(), "10") << "the window keeps its fields while hidden";
}

TEST_F(GoldenNavigationTest, CloseBoxHidesTheWindowAndShowsTheMainWindow)
{
    openFromMainWindow();
    QPointer<GoldenSectionWindow> alive(&form);
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(form.isHidden());
    EXPECT_TRUE(mainWindow.isVisible());
    EXPECT_FALSE(alive.isNull());
}

TEST_F(GoldenNavigationTest, AboutOpensWhileTheMainWindowStaysHidden)
{
    openFromMainWindow();
    click("Button1");
    EXPECT_TRUE(about.isVisible());
    EXPECT_TRUE(mainWindow.isHidden());
    EXPECT_TRUE(form.isVisible());
    about.findChild<QPushButton *>("Button1")->click();
    EXPECT_TRUE(about.isHidden());
    EXPECT_TRUE(mainWindow.isHidden()) << "closing About leaves the main window hidden";
}

TEST_F(GoldenNavigationTest, HelpOpensBesideTheCalculator)
{
    openFromMainWindow();
    const QRect screen = form.screen()->availableGeometry();
    form.move(screen.topLeft());
    click("Button3");
    EXPECT_TRUE(help.isVisible());
    EXPECT_TRUE(mainWindow.isHidden());
    EXPECT_FALSE(help.frameGeometry().intersects(form.frameGeometry()));
    EXPECT_TRUE(screen.contains(help.frameGeometry()));
}

TEST_F(GoldenNavigationTest, HelpStaysOnAScreenTooNarrowToPlaceItBeside)
{
    openFromMainWindow();
    const QRect screen = form.screen()->availableGeometry();
    form.move(screen.center() - QPoint(form.width() / 2, form.height() / 2));
    click("Button3");
    EXPECT_TRUE(screen.contains(help.frameGeometry()));
}

TEST_F(GoldenNavigationTest, HelpAlreadyOpenStaysWhereTheUserPutIt)
{
    openFromMainWindow();
    click("Button3");
    help.move(help.pos() + QPoint(0, 20));
    const QPoint placed = help.pos();
    click("Button3");
    EXPECT_EQ(help.pos(), placed);
}

// --- Accessibility -------------------------------------------------------------

QString groupOf(QAccessibleInterface *node)
{
    for (QAccessibleInterface *parent = node->parent(); parent; parent = parent->parent())
        if (qobject_cast<QGroupBox *>(parent->object()))
            return parent->text(QAccessible::Name);
    return {};
}

struct NamedField {
    const char *objectName;
    QString name;
    QString group;
};

class GoldenAccessibilityTest : public GoldenWindowTest, public ::testing::WithParamInterface<NamedField> {};

TEST_P(GoldenAccessibilityTest, FieldIsNamedByItsLabelInsideItsGroup)
{
    QAccessibleInterface *node = QAccessible::queryAccessibleInterface(field(GetParam().objectName));
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->text(QAccessible::Name), GetParam().name);
    EXPECT_EQ(groupOf(node), GetParam().group);
    // The "labelled by" relation a screen reader follows: the caption label
    // (the group box is a relation too).
    QStringList labels;
    for (const auto &[label, relation] : node->relations(QAccessible::Label))
        if (qobject_cast<QLabel *>(label->object()))
            labels << label->text(QAccessible::Name);
    EXPECT_EQ(labels, QStringList{GetParam().name});
}

INSTANTIATE_TEST_SUITE_P(Fields, GoldenAccessibilityTest,
                         ::testing::Values(NamedField{"Edit1", "低点", "设置"}, NamedField{"Edit2", "高点", "设置"},
                                           NamedField{"Edit7", "19.1%", "结果"}, NamedField{"Edit8", "1/3", "结果"},
                                           NamedField{"Edit4", "61.8%", "结果"}, NamedField{"Edit3", "80.9%", "结果"},
                                           NamedField{"Edit12", "2.618倍", "结果"}),
                         [](const auto &test) { return std::string(test.param.objectName); });

TEST_F(GoldenWindowTest, ScreenReaderPressesAButtonAndReadsAResult)
{
    type("Edit1", "10");
    QAccessibleInterface *rise = QAccessible::queryAccessibleInterface(button("up"));
    EXPECT_EQ(rise->text(QAccessible::Name), "低点上涨");
    EXPECT_EQ(rise->role(), QAccessible::Button);
    rise->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(QTest::qWaitFor([&] { return field("Edit4")->text() != "0"; }, 2000));
    QAccessibleInterface *level = QAccessible::queryAccessibleInterface(field("Edit4"));
    EXPECT_TRUE(level->state().readOnly);
    EXPECT_EQ(level->text(QAccessible::Value), "16.18");
}

} // namespace
} // namespace tallyfin
