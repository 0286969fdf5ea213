// The statement audit window (交割单核对) driven as a user drives it:
// made-up statements with a known agreement and known overcharges, opened
// through the open dialog, give back exactly that agreement and those
// findings; the filter, the sort, edited terms and a compared agreement
// against the command line; the exported report byte for byte; cancel, bad
// files, a drop; the statement file is only ever read.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <sstream>
#include <variant>

#include "accessibility.h"
#include "audit_cases.h"
#include "cli.h"
#include "fake_platform.h"
#include "holdings.h"
#include "language.h"
#include "messages.h"
#include "qt_printers.h"
#include "statementaudit.h"
#include "statement_support.h"
#include "yearcolumns.h"
#include "statementauditmodels.h"
#include "positionsview.h"

namespace tallyfin {
namespace {

using samples::AuditCase;
using samples::ExpectedFinding;
using samples::ExpectedLine;
using samples::SampleRow;
using statement::TextEncoding;
using testing::FakePlatform;
using Json = nlohmann::json;

using statement::FormatCase;

struct Made {
    std::vector<SampleRow> rows;
    samples::SampleTable table;
};

Made makeCase(const AuditCase &c)
{
    Made made{samples::SampleRows(c.rows, c.seed, c.mix), {}};
    made.table = samples::LayoutCells(samples::SampleLayouts()[c.layout], made.rows);
    return made;
}

std::string cliOutput(const std::vector<std::string> &args)
{
    std::ostringstream out, err;
    EXPECT_EQ(RunCli(args, out, err, false), 0) << err.str();
    return out.str();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A fee item's name in the window's texts, and its charged column.
struct ItemColumn {
    const char *chinese, *key;
    int charged;
};
constexpr ItemColumn kItems[] = {{"佣金", "commission", TradesModel::Commission},
                                 {"印花税", "stampDuty", TradesModel::StampDuty},
                                 {"过户费", "transferFee", TradesModel::TransferFee},
                                 {"规费", "levies", TradesModel::Levies},
                                 {"其他费用", "other", TradesModel::Other}};

// Each test's windows keep their accounts in a store of the test's own.
class FreshDataHome {
public:
    FreshDataHome() { qputenv("XDG_DATA_HOME", m_home.path().toLocal8Bit()); }
    QString path() const { return m_home.path(); }
    QString storePath() const { return m_home.filePath(QStringLiteral("tallyfin/accounts.sqlite")); }

private:
    QTemporaryDir m_home;
};

class StatementAuditTest : public ::testing::Test {
protected:
    StatementAuditTest()
    {
        window.show();
        // The account kept, read as the window opens.
        settle();
    }

    QString write(const QString &name, const std::string &bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }
    QString writeTable(const samples::SampleTable &table)
    {
        return write(QStringLiteral("交割单%1.txt").arg(++m_written),
                     samples::TextStatement(table, '\t', TextEncoding::Gb18030));
    }

    template <typename T>
    T *child(const char *name) const
    {
        T *found = window.findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QAbstractItemModel *model(const char *view) const { return child<QTableView>(view)->model(); }
    static QVariant data(QAbstractItemModel *model, int row, int column, int role = Qt::DisplayRole)
    {
        return model->index(row, column).data(role);
    }

    // Waits until the reading or audit under way has shown its result.
    void settle()
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !window.busy(); }, 30000));
        QCoreApplication::processEvents();
    }
    void openThroughDialog(const QString &path)
    {
        fake.openAnswers.push_back(QFile::encodeName(path));
        child<QPushButton>("openButton")->click();
        settle();
    }

    // The agreement's lines as the window shows them, sorted.
    std::vector<ExpectedLine> agreementShown() const
    {
        QAbstractItemModel *terms = model("agreementView");
        const auto ticked = [terms](int row, int column) {
            return data(terms, row, column, Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
        };
        const auto shown = [terms](int row, int column) { return data(terms, row, column).toString().toStdString(); };
        std::vector<ExpectedLine> lines;
        for (int row = 0; row < terms->rowCount(); ++row) {
            const std::string rate = shown(row, AgreementModel::Rate), minimum = shown(row, AgreementModel::Minimum);
            lines.push_back({shown(row, AgreementModel::Scope), shown(row, AgreementModel::From),
                             shown(row, AgreementModel::To), rate.starts_with("≤") ? "bound" : rate,
                             minimum == "无" ? "" : minimum, ticked(row, AgreementModel::LeviesOnTop) ? "on top" : "inside",
                             ticked(row, AgreementModel::TransferSeparate) ? "separate" : "inside"});
        }
        std::sort(lines.begin(), lines.end());
        return lines;
    }

    // The findings as the window tells them when the pointer rests on a row.
    std::vector<ExpectedFinding> findingsShown() const
    {
        static const QRegularExpression item(QStringLiteral(
            "(佣金|印花税|过户费|规费|其他费用)实收 (-?[0-9.]+)，应收 (-?[0-9.]+)，(多收|少收) ([0-9.]+)"));
        static const QRegularExpression total(
            QStringLiteral("按发生金额费用为 (-?[0-9.]+)，各费用栏合计 (-?[0-9.]+)，(多|少) ([0-9.]+)"));
        std::vector<ExpectedFinding> shown;
        QAbstractItemModel *trades = model("tradesView");
        for (int row = 0; row < trades->rowCount(); ++row) {
            const int line = data(trades, row, TradesModel::Line).toInt();
            const QString tip = data(trades, row, TradesModel::Result, Qt::ToolTipRole).toString();
            for (const QRegularExpressionMatch &m : item.globalMatch(tip)) {
                const auto named = std::find_if(std::begin(kItems), std::end(kItems),
                                                [&m](const ItemColumn &i) { return m.captured(1) == i.chinese; });
                shown.push_back({line, named->key, m.captured(2).toStdString(), m.captured(3).toStdString(),
                                 (m.captured(4) == "少收" ? "-" : "") + m.captured(5).toStdString()});
            }
            for (const QRegularExpressionMatch &m : total.globalMatch(tip))
                shown.push_back({line, "total", m.captured(1).toStdString(), m.captured(2).toStdString(),
                                 (m.captured(3) == "少" ? "-" : "") + m.captured(4).toStdString()});
        }
        std::sort(shown.begin(), shown.end());
        return shown;
    }

    std::vector<int> linesShown(const char *view, int column) const
    {
        std::vector<int> lines;
        QAbstractItemModel *shown = model(view);
        for (int row = 0; row < shown->rowCount(); ++row)
            lines.push_back(data(shown, row, column).toInt());
        return lines;
    }
    int rowOfLine(int line) const
    {
        const std::vector<int> lines = linesShown("tradesView", TradesModel::Line);
        const auto at = std::find(lines.begin(), lines.end(), line);
        return at == lines.end() ? -1 : static_cast<int>(at - lines.begin());
    }

    // Types into the agreement table's cell as a user does: double-click, type, Enter.
    void typeTerm(int row, int column, const QString &typed)
    {
        QTableView *view = child<QTableView>("agreementView");
        const QModelIndex index = view->model()->index(row, column);
        view->setCurrentIndex(index);
        view->edit(index);
        auto *editor = qobject_cast<QLineEdit *>(view->indexWidget(index));
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, typed);
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits the text and closes its editor through a queued call.
        const QPointer<QLineEdit> open(editor);
        EXPECT_TRUE(QTest::qWaitFor([&open] { return !open || !open->isVisible(); }));
        settle();
    }

    FakePlatform fake;
    QTemporaryDir dir;
    FreshDataHome home;
    StatementAuditWindow window;

private:
    int m_written = 0;
};

// --- The agreement and the findings ---------------------------------------------

class StatementAuditCaseTest : public StatementAuditTest,
                               public ::testing::WithParamInterface<std::tuple<std::size_t, FormatCase>> {};

TEST_P(StatementAuditCaseTest, GivesBackTheAgreementAndTheOvercharges)
{
    const auto &[index, format] = GetParam();
    const AuditCase &c = samples::AuditCases()[index];
    const samples::Layout &layout = samples::SampleLayouts()[c.layout];
    const Made made = makeCase(c);
    // Written in a folder of its own, which must hold nothing else afterwards.
    const statement::ScratchDirectory folder;
    const std::filesystem::path path = statement::WriteStatement(made.table, format, folder);
    openThroughDialog(QString::fromStdString(path.string()));
    ASSERT_TRUE(fake.boxes.empty()) << fake.boxes.front().text.toStdString();

    EXPECT_EQ(agreementShown(), samples::ExpectedAgreement(c, made.rows));
    const std::vector<ExpectedFinding> expected = samples::ExpectedFindings(layout, made.rows);
    EXPECT_EQ(samples::UpToTheRatesCent(layout, made.rows, findingsShown()), expected);

    // Every trade is a row, every other row is in the second tab.
    const auto trades = std::count_if(made.rows.begin(), made.rows.end(),
                                      [](const SampleRow &row) { return row.kind != statement::RowKind::Other; });
    EXPECT_EQ(model("tradesView")->rowCount(), trades);
    EXPECT_EQ(model("otherView")->rowCount(), static_cast<int>(made.rows.size()) - trades);

    // The filter leaves the rows of the orders overcharged.
    child<QCheckBox>("differingOnly")->click();
    std::set<int> overcharged;
    for (const ExpectedFinding &finding : expected)
        overcharged.insert(finding.line);
    const std::vector<int> filtered = linesShown("tradesView", TradesModel::Line);
    EXPECT_EQ(std::set<int>(filtered.begin(), filtered.end()), overcharged);
    EXPECT_EQ(filtered.size(), overcharged.size());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);

    // The item overcharged stands out from its row, and the row from those that agree.
    child<QCheckBox>("differingOnly")->click();
    QAbstractItemModel *shown = model("tradesView");
    const std::set<int> agreeing = [&] {
        std::set<int> lines;
        for (const int line : linesShown("tradesView", TradesModel::Line))
            if (!overcharged.count(line) && data(shown, rowOfLine(line), TradesModel::Result).toString() == "相符")
                lines.insert(line);
        return lines;
    }();
    ASSERT_FALSE(agreeing.empty());
    const QVariant plain = data(shown, rowOfLine(*agreeing.begin()), TradesModel::Amount, Qt::BackgroundRole);
    for (const ExpectedFinding &finding : expected) {
        const int row = rowOfLine(finding.line);
        const QVariant rowColour = data(shown, row, TradesModel::Amount, Qt::BackgroundRole);
        EXPECT_NE(rowColour, plain) << "line " << finding.line;
        for (const ItemColumn &item : kItems) {
            if (finding.item == item.key) {
                EXPECT_NE(data(shown, row, item.charged, Qt::BackgroundRole), rowColour) << "line " << finding.line;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, StatementAuditCaseTest,
                         ::testing::Combine(::testing::Range<std::size_t>(0, samples::AuditCases().size()),
                                            ::testing::ValuesIn(statement::kCommonFormats)),
                         [](const auto &test) {
                             return std::string(samples::AuditCases()[std::get<0>(test.param)].name) + "_"
                                    + std::get<1>(test.param).name;
                         });

TEST_F(StatementAuditTest, OneCentBeyondOnUnknownFillsMayBeRoundingPerFill)
{
    const AuditCase &c = samples::AuditCases()[0];
    const samples::Layout &layout = samples::SampleLayouts()[c.layout];
    ASSERT_FALSE(samples::HasField(layout, samples::Field::Fills)) << "a layout without 成交笔数";
    Made made = makeCase(c);
    // One commission overcharge made two cents: one beyond the allowance of a fill.
    const auto nudged = std::find_if(made.rows.begin(), made.rows.end(), [](const SampleRow &row) {
        return row.overcharge && row.overcharge->item == statement::FeePart::Commission;
    });
    ASSERT_NE(nudged, made.rows.end());
    const Decimal twoCents(2, 2);
    nudged->commission = nudged->commission - nudged->overcharge->amount + twoCents;
    nudged->overcharge->amount = twoCents;
    nudged->cash = nudged->kind == statement::RowKind::Buy ? -(nudged->amount + nudged->feesTotal())
                                                           : nudged->amount - nudged->feesTotal();
    openThroughDialog(writeTable(samples::LayoutCells(layout, made.rows)));

    const int nudgedLine = samples::LineOfRow(layout, static_cast<std::size_t>(nudged - made.rows.begin()));
    const QString note = QString::fromUtf8(statement::ChineseFillRoundingNote());
    for (const ExpectedFinding &finding : samples::ExpectedFindings(layout, made.rows)) {
        const QString tip = data(model("tradesView"), rowOfLine(finding.line), TradesModel::Line, Qt::ToolTipRole).toString();
        EXPECT_EQ(tip.contains(note), finding.line == nudgedLine) << finding.line << ": " << tip.toStdString();
    }
}

// --- The table ------------------------------------------------------------------

struct SortCase {
    const char *name;
    int column;
};

class StatementAuditSortTest : public StatementAuditTest, public ::testing::WithParamInterface<SortCase> {};

// What a cell sorts by: its number, or its text where it is none (a date).
std::variant<double, QString> sortValue(const QVariant &shown)
{
    const QString text = shown.toString();
    if (text.isEmpty())
        return -std::numeric_limits<double>::infinity();
    bool number = false;
    const double value = text.toDouble(&number);
    return number ? std::variant<double, QString>(value) : text;
}

// The selected trade stays selected and the table where it was scrolled to.
TEST_P(StatementAuditSortTest, ClickingTheHeaderSortsByTheColumnEitherWay)
{
    const AuditCase &c = samples::AuditCases()[0];
    openThroughDialog(writeTable(makeCase(c).table));
    QTableView *view = child<QTableView>("tradesView");
    QHeaderView *header = view->horizontalHeader();
    const int column = GetParam().column;
    view->scrollTo(view->model()->index(60, 0), QAbstractItemView::PositionAtTop);
    const QModelIndex chosen = view->indexAt(QPoint(5, view->rowHeight(0) * 3));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(chosen).center());
    const QVariant chosenLine = data(view->model(), chosen.row(), TradesModel::Line);
    const int scrolled = view->verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);
    for (int click = 0; click < 2; ++click) {
        const QPoint centre(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                            header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
        const QModelIndexList selected = view->selectionModel()->selectedRows();
        ASSERT_EQ(selected.size(), 1);
        EXPECT_EQ(data(view->model(), selected[0].row(), TradesModel::Line), chosenLine);
        EXPECT_EQ(view->verticalScrollBar()->value(), scrolled);
        const bool ascending = header->sortIndicatorOrder() == Qt::AscendingOrder;
        QAbstractItemModel *shown = view->model();
        ASSERT_GT(shown->rowCount(), 100);
        int strictSteps = 0;
        for (int row = 1; row < shown->rowCount(); ++row) {
            const auto before = sortValue(data(shown, row - 1, column)), after = sortValue(data(shown, row, column));
            EXPECT_TRUE(ascending ? !(after < before) : !(before < after)) << "row " << row;
            strictSteps += before != after;
        }
        EXPECT_GT(strictSteps, 10) << "the column's values differ";
    }
}

INSTANTIATE_TEST_SUITE_P(Columns, StatementAuditSortTest,
                         ::testing::Values(SortCase{"Line", TradesModel::Line}, SortCase{"Date", TradesModel::Date},
                                           SortCase{"Quantity", TradesModel::Quantity},
                                           SortCase{"Amount", TradesModel::Amount},
                                           SortCase{"Commission", TradesModel::Commission},
                                           SortCase{"CommissionDue", TradesModel::CommissionDue}),
                         [](const auto &test) { return std::string(test.param.name); });

// --- Terms and the comparison against the command line ----------------------------

std::vector<ExpectedFinding> findingsOf(const Json &json)
{
    std::vector<ExpectedFinding> findings;
    for (const Json &f : json["findings"])
        findings.push_back({f["line"], f["item"], f["charged"], f["expected"], f["difference"]});
    std::sort(findings.begin(), findings.end());
    return findings;
}

TEST_F(StatementAuditTest, TermsTypedForEveryGroupAuditAsTheCommandLineDoes)
{
    const QString path = writeTable(makeCase(samples::AuditCases()[0]).table);
    openThroughDialog(path);
    const std::size_t before = findingsShown().size();
    const int groups = model("agreementView")->rowCount();
    ASSERT_GE(groups, 3);
    for (int row = 0; row < groups; ++row) {
        typeTerm(row, AgreementModel::Rate, QStringLiteral("0.3"));
        typeTerm(row, AgreementModel::Minimum, QStringLiteral("1"));
    }
    for (int row = 0; row < groups; ++row) {
        EXPECT_EQ(data(model("agreementView"), row, AgreementModel::Rate).toString(), "0.3");
        EXPECT_EQ(data(model("agreementView"), row, AgreementModel::Minimum).toString(), "1.00");
        EXPECT_TRUE(data(model("agreementView"), row, AgreementModel::Rate, Qt::FontRole).value<QFont>().bold());
    }
    const std::vector<ExpectedFinding> shown = findingsShown();
    EXPECT_GT(shown.size(), before);
    EXPECT_EQ(shown, findingsOf(Json::parse(cliOutput({"audit", path.toStdString(), "--json", "--commission", "0.3",
                                                       "--minimum", "1"}))));
    EXPECT_TRUE(fake.boxes.empty());
}

// A period's end moved by typing a day, then split and merged back: each
// change audits again at once, as the command line does with the same periods.
TEST_F(StatementAuditTest, PeriodsAreMovedSplitAndMergedAsTheCommandLineTakesThem)
{
    const AuditCase &c = samples::AuditCases()[6];
    ASSERT_STREQ(c.name, "PeriodsAndClasses");
    const QString path = writeTable(makeCase(c).table);
    openThroughDialog(path);
    QAbstractItemModel *lines = model("agreementView");
    const auto rowOf = [lines](const QString &scope, int nth) {
        for (int row = 0; row < lines->rowCount(); ++row)
            if (data(lines, row, AgreementModel::Scope).toString() == scope && nth-- == 0)
                return row;
        return -1;
    };
    const QString shares = QStringLiteral("上海A股");
    ASSERT_GE(rowOf(shares, 1), 0) << "the shares' rate changed once";
    typeTerm(rowOf(shares, 0), AgreementModel::To, QStringLiteral("2016-12-31"));
    EXPECT_EQ(data(lines, rowOf(shares, 0), AgreementModel::To).toString(), "2016-12-31");
    EXPECT_EQ(data(lines, rowOf(shares, 1), AgreementModel::From).toString(), "2017-01-01");
    const std::vector<ExpectedFinding> moved = findingsShown();
    EXPECT_EQ(moved, findingsOf(Json::parse(cliOutput(
                         {"audit", path.toStdString(), "--json", "--commission", "上海A股=0.2354@..2016-12-31", "--minimum",
                          "上海A股=5@..2016-12-31", "--commission", "上海A股=0.15@2017-01-01..", "--minimum",
                          "上海A股=5@2017-01-01.."}))));
    EXPECT_GT(moved.size(), samples::ExpectedFindings(samples::SampleLayouts()[c.layout], makeCase(c).rows).size());

    const int before = lines->rowCount();
    child<QTableView>("agreementView")->selectRow(rowOf(shares, 1));
    child<QPushButton>("splitPeriodButton")->click();
    settle();
    ASSERT_EQ(lines->rowCount(), before + 1);
    EXPECT_EQ(data(lines, rowOf(shares, 2), AgreementModel::Rate).toString(), "0.15");
    EXPECT_EQ(findingsShown(), moved) << "the two halves keep the terms";
    child<QTableView>("agreementView")->selectRow(rowOf(shares, 1));
    child<QPushButton>("mergePeriodButton")->click();
    settle();
    EXPECT_EQ(lines->rowCount(), before);
    EXPECT_EQ(findingsShown(), moved);

    child<QPushButton>("resetTermsButton")->click();
    settle();
    EXPECT_EQ(agreementShown(), samples::ExpectedAgreement(c, makeCase(c).rows));
    EXPECT_TRUE(fake.boxes.empty());
}

// The agreement's rate and the compared rate take the same rates.
TEST_F(StatementAuditTest, ATermThatIsNoNumberIsRefusedAndChangesNothing)
{
    openThroughDialog(writeTable(makeCase(samples::AuditCases()[0]).table));
    const std::vector<ExpectedLine> terms = agreementShown();
    const std::vector<ExpectedFinding> findings = findingsShown();
    QLineEdit *compared = child<QLineEdit>("compareRate");
    const std::function<void(const QString &)> fields[] = {
        [this](const QString &typed) { typeTerm(0, AgreementModel::Rate, typed); },
        [compared](const QString &typed) {
            compared->clear();
            QTest::keyClicks(compared, typed);
            QTest::keyClick(compared, Qt::Key_Return);
        },
    };
    for (const auto &type : fields)
        for (const char *typed : {"abc", "-1", "3.5", "3.001", "1,2"}) {
            fake.boxes.clear();
            type(QString::fromLatin1(typed));
            ASSERT_EQ(fake.boxes.size(), 1u) << typed;
            EXPECT_TRUE(fake.boxes[0].text.contains("佣金费率")) << fake.boxes[0].text.toStdString();
            EXPECT_EQ(agreementShown(), terms);
            EXPECT_EQ(findingsShown(), findings);
        }
}

TEST_F(StatementAuditTest, TheComparedAgreementSavesWhatTheCommandLineSays)
{
    const QString path = writeTable(makeCase(samples::AuditCases()[0]).table);
    openThroughDialog(path);
    QTableView *years = child<QTableView>("yearsView");
    const int saving = static_cast<int>(statement::YearColumn::CompareSaving);
    EXPECT_TRUE(years->isColumnHidden(saving)) << "no comparison asked for";

    QLineEdit *rate = child<QLineEdit>("compareRate");
    QTest::keyClicks(rate, "0.1");
    QTest::keyClick(rate, Qt::Key_Return);
    child<QCheckBox>("compareNoMinimum")->click();
    settle();
    EXPECT_FALSE(years->isColumnHidden(saving));
    const Json json = Json::parse(
        cliOutput({"audit", path.toStdString(), "--json", "--compare-commission", "0.1", "--compare-no-minimum"}));
    std::map<int, std::string> expected, shown;
    for (const Json &year : json["years"])
        expected[year["year"]] = year["compareSaving"];
    for (int row = 0; row < years->model()->rowCount(); ++row)
        shown[data(years->model(), row, 0).toInt()] = data(years->model(), row, saving).toString().toStdString();
    EXPECT_EQ(shown, expected);
    EXPECT_GE(shown.size(), 3u);
}

// --- The report, and the statement only read ---------------------------------------

TEST_F(StatementAuditTest, ExportWritesTheCommandLinesReportAndLeavesTheStatementAlone)
{
    const QString statement = writeTable(makeCase(samples::AuditCases()[1]).table);
    const QByteArray original = fileBytes(statement);
    const QDateTime modified = QFileInfo(statement).lastModified();
    openThroughDialog(statement);

    // A name without an ending gets ".csv"; the statement itself is refused.
    QDir(dir.path()).mkdir("reports");
    const QDir reports(dir.filePath("reports"));
    fake.saveAnswers = {reports.filePath("报告"), statement};
    QPushButton *exportButton = child<QPushButton>("exportButton");
    exportButton->click();
    exportButton->click();
    ASSERT_EQ(fake.saveFilters.size(), 2u);
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_TRUE(fake.boxes[0].text.contains("交割单文件本身")) << fake.boxes[0].text.toStdString();
    const QByteArray report = fileBytes(reports.filePath("报告.csv"));
    EXPECT_TRUE(report.startsWith("\xEF\xBB\xBF"));
    // The window's account is the command line's: the same store, the same report.
    EXPECT_EQ(report.toStdString(), cliOutput({"account", "--store", home.storePath().toStdString(), "audit", "--csv"}));

    // The report follows the terms typed.
    typeTerm(0, AgreementModel::Rate, QStringLiteral("0.2"));
    fake.saveAnswers = {reports.filePath("报告.csv")};
    exportButton->click();
    const QByteArray again = fileBytes(reports.filePath("报告.csv"));
    EXPECT_NE(again, report);
    EXPECT_TRUE(again.contains(",0.2,")) << again.left(400).toStdString();

    EXPECT_EQ(fileBytes(statement), original);
    EXPECT_EQ(QFileInfo(statement).lastModified(), modified);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"reports", QFileInfo(statement).fileName()}));
    EXPECT_EQ(reports.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList({"报告.csv"}));
}

TEST_F(StatementAuditTest, AReportThatCannotBeWrittenSaysSoAndWritesNothing)
{
    openThroughDialog(writeTable(makeCase(samples::AuditCases()[0]).table));
    fake.saveAnswers = {dir.filePath("no/such/folder/report.csv")};
    child<QPushButton>("exportButton")->click();
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_TRUE(fake.boxes[0].text.startsWith("报告未能保存")) << fake.boxes[0].text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("no")));
}

// --- Reading: progress, cancel, bad files, a drop -------------------------------------

TEST_F(StatementAuditTest, CancelStopsTheReadingAndKeepsWhatWasShown)
{
    const QString first = writeTable(makeCase(samples::AuditCases()[0]).table);
    const QString second = writeTable(makeCase(samples::AuditCases()[1]).table);
    QPushButton *cancel = child<QPushButton>("cancelButton");
    EXPECT_FALSE(cancel->isVisible());

    fake.openAnswers.push_back(QFile::encodeName(first));
    child<QPushButton>("openButton")->click();
    EXPECT_TRUE(window.busy());
    EXPECT_TRUE(cancel->isVisible() && child<QProgressBar>("progress")->isVisible());
    EXPECT_FALSE(child<QPushButton>("exportButton")->isEnabled());
    cancel->click();
    EXPECT_FALSE(window.busy());
    EXPECT_FALSE(cancel->isVisible());
    QTest::qWait(300); // the reading stopped, or ended unheard
    EXPECT_EQ(model("tradesView")->rowCount(), 0);
    EXPECT_FALSE(child<QPushButton>("exportButton")->isEnabled());

    openThroughDialog(second);
    const int shown = model("tradesView")->rowCount();
    EXPECT_GT(shown, 0);
    fake.openAnswers.push_back(QFile::encodeName(first));
    child<QPushButton>("openButton")->click();
    cancel->click();
    QTest::qWait(300);
    EXPECT_EQ(model("tradesView")->rowCount(), shown);
    EXPECT_EQ(child<QLabel>("fileLabel")->text(), QDir::toNativeSeparators(second));
    EXPECT_TRUE(child<QPushButton>("exportButton")->isEnabled());
    EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(StatementAuditTest, TheOpenDialogCancelledChangesNothing)
{
    child<QPushButton>("openButton")->click();
    EXPECT_FALSE(window.busy());
    ASSERT_EQ(fake.openFilters.size(), 1u);
    EXPECT_TRUE(fake.openFilters[0].contains("(*)")) << "any name: the content tells the format";
}

// Every byte value, as in a program or a picture.
std::string binaryBytes()
{
    std::string bytes;
    for (int i = 0; i < 1024; ++i)
        bytes.push_back(static_cast<char>(i * 7 % 256));
    return bytes;
}

struct BadFile {
    const char *name;
    std::string bytes;
};

class StatementAuditBadFileTest : public StatementAuditTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(StatementAuditBadFileTest, SaysWhyInChineseAndKeepsTheStatementShown)
{
    const QString good = writeTable(makeCase(samples::AuditCases()[0]).table);
    openThroughDialog(good);
    const int shown = model("tradesView")->rowCount();
    const std::vector<ExpectedLine> terms = agreementShown();
    const QString bad = write(QStringLiteral("bad.xls"), GetParam().bytes);

    openThroughDialog(bad);
    const statement::Statement read = statement::ReadStatementFile(bad.toStdString());
    ASSERT_TRUE(read.failure);
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].text,
              QStringLiteral("无法读取交割单：") + QString::fromStdString(statement::ChineseText(*read.failure)));
    EXPECT_EQ(child<QLabel>("statusLabel")->text(), fake.boxes[0].text);
    EXPECT_EQ(model("tradesView")->rowCount(), shown);
    EXPECT_EQ(agreementShown(), terms);
    EXPECT_EQ(child<QLabel>("fileLabel")->text(), QDir::toNativeSeparators(good));
    EXPECT_EQ(fileBytes(bad).toStdString(), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, StatementAuditBadFileTest,
    ::testing::Values(BadFile{"Empty", ""}, BadFile{"Binary", binaryBytes()},
                      BadFile{"NoHeader", "对账单\n资金账号\t88886666\n"},
                      BadFile{"Html", "<html><body><table><tr><td>成交日期</td></tr></table></body></html>"}),
    [](const auto &test) { return std::string(test.param.name); });

TEST_F(StatementAuditTest, AFileThatIsGoneSaysSo)
{
    openThroughDialog(dir.filePath("gone.xls"));
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_TRUE(fake.boxes[0].text.startsWith("无法读取交割单：")) << fake.boxes[0].text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("gone.xls")));
}

TEST_F(StatementAuditTest, ARowThatCannotBeReadIsListedAndTheOthersAudited)
{
    const AuditCase &c = samples::AuditCases()[0];
    const samples::Layout &layout = samples::SampleLayouts()[c.layout];
    Made made = makeCase(c);
    const auto quantity = std::find_if(layout.columns.begin(), layout.columns.end(),
                                       [](const samples::LayoutColumn &column) { return column.field == samples::Field::Quantity; });
    // The first trade alone in its order and without an overcharge gets
    // text where its quantity belongs.
    const auto alone = [&made](const SampleRow &row) {
        return std::count_if(made.rows.begin(), made.rows.end(), [&row](const SampleRow &other) {
                   return other.orderNumber == row.orderNumber && other.date == row.date;
               }) == 1;
    };
    const auto broken = std::find_if(made.rows.begin(), made.rows.end(), [&alone](const SampleRow &row) {
        return row.kind != statement::RowKind::Other && !row.overcharge && !row.stockConnect && alone(row);
    });
    ASSERT_NE(broken, made.rows.end());
    const std::size_t index = static_cast<std::size_t>(broken - made.rows.begin());
    samples::SampleCell &cell = made.table[layout.preamble.size() + 1 + index][static_cast<std::size_t>(quantity - layout.columns.begin())];
    cell = {"一百", false, false};
    openThroughDialog(writeTable(made.table));

    const int line = samples::LineOfRow(layout, index);
    EXPECT_EQ(rowOfLine(line), -1);
    QAbstractItemModel *other = model("otherView");
    const std::vector<int> otherLines = linesShown("otherView", 0);
    const auto at = std::find(otherLines.begin(), otherLines.end(), line);
    ASSERT_NE(at, otherLines.end());
    const int row = static_cast<int>(at - otherLines.begin());
    EXPECT_EQ(data(other, row, 1).toString(), "无法读取");
    EXPECT_TRUE(data(other, row, 3).toString().contains("一百")) << data(other, row, 3).toString().toStdString();
    EXPECT_EQ(findingsShown(), samples::ExpectedFindings(layout, made.rows));
    EXPECT_TRUE(child<QLabel>("statusLabel")->text().contains("无法读取 1 行"));
}

TEST_F(StatementAuditTest, AFileDroppedOnTheWindowIsOpened)
{
    const QString path = writeTable(makeCase(samples::AuditCases()[2]).table);
    QMimeData remote;
    remote.setUrls({QUrl::fromLocalFile(path), QUrl(QStringLiteral("https://example.com/a.csv"))});
    QDragEnterEvent refused(QPoint(20, 20), Qt::CopyAction, &remote, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &refused);
    EXPECT_FALSE(refused.isAccepted()) << "local files only";

    QMimeData one;
    one.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &one, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &one, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
    settle();
    EXPECT_GT(model("tradesView")->rowCount(), 0);
    EXPECT_EQ(child<QLabel>("fileLabel")->text(), QDir::toNativeSeparators(path));
    EXPECT_TRUE(fake.openFilters.empty()) << "no dialog";
}

// Every figure in every tab in the locale's separator, as the main window
// shows its own.
TEST_F(StatementAuditTest, EveryTabShowsItsFiguresWithTheLocalesSeparator)
{
    fake.separator = QStringLiteral(",");
    openThroughDialog(writeTable(makeCase(samples::AuditCases()[1]).table));
    const QRegularExpression figure(QStringLiteral("^[≤-]?[0-9]+([.,])[0-9]+$"));
    for (const char *view : {"agreementView", "yearsView", "tradesView", "otherView", "positions"}) {
        QAbstractItemModel *shown = model(view);
        int figures = 0;
        for (int row = 0; row < shown->rowCount(); ++row)
            for (int column = 0; column < shown->columnCount(); ++column) {
                const QRegularExpressionMatch match = figure.match(data(shown, row, column).toString());
                figures += match.hasMatch();
                EXPECT_TRUE(!match.hasMatch() || match.captured(1) == ",")
                    << view << " " << row << "," << column << ": " << match.captured().toStdString();
            }
        EXPECT_GT(figures, 0) << view;
    }
}

// A statement unpacked from an archive made on Windows: its name is GBK bytes,
// no UTF-8, and reaches the window only as bytes (a drop's URL, the dialog).
TEST_F(StatementAuditTest, AFileNamedInGbkBytesOpensByTheDialogAndByADrop)
{
    const std::string contents = samples::TextStatement(makeCase(samples::AuditCases()[2]).table, '\t',
                                                        TextEncoding::Gb18030);
    const QByteArray path = QFile::encodeName(dir.path()) + "/\xbd\xbb\xb8\xee\xb5\xa5.txt"; // 交割单.txt
    std::ofstream(path.toStdString(), std::ios::binary) << contents;
    const std::function<void()> ways[] = {
        [&] {
            fake.openAnswers.push_back(path);
            child<QPushButton>("openButton")->click();
        },
        [&] {
            QMimeData data;
            data.setUrls({QUrl::fromEncoded("file://" + path.toPercentEncoding("/"))});
            QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&window, &drop);
        },
    };
    for (const auto &open : ways) {
        window.cancelClicked();
        open();
        settle();
        EXPECT_TRUE(fake.boxes.empty()) << (fake.boxes.empty() ? "" : fake.boxes.back().text.toStdString());
        ASSERT_NE(window.statement(), nullptr);
        EXPECT_EQ(window.statement()->tradeCount(), statement::ReadStatementFile(path.toStdString()).tradeCount());
        EXPECT_GT(model("tradesView")->rowCount(), 0);
        EXPECT_TRUE(child<QLabel>("fileLabel")->text().endsWith(QStringLiteral(".txt")));
    }
    std::ifstream kept(path.toStdString(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), contents) << "only read";
    // Qt lists no such name, so the temporary folder could not remove it.
    std::filesystem::remove(path.toStdString());
}

// --- Screen readers --------------------------------------------------------------------

TEST_F(StatementAuditTest, ThePositionsTabShowsWhatEachHoldingOfTheFileCost)
{
    openThroughDialog(writeTable(makeCase(samples::AuditCases()[1]).table));
    ASSERT_NE(window.statement(), nullptr);
    const statement::StatementPositions expected = statement::PositionsOfStatement(*window.statement());
    QAbstractItemModel *positions = child<QTableView>("positions")->model();
    ASSERT_EQ(positions->rowCount(), static_cast<int>(expected.report.positions.size()));
    std::multiset<std::string> shown, worked;
    for (int row = 0; row < positions->rowCount(); ++row)
        shown.insert(data(positions, row, PositionsModel::Code).toString().toStdString() + " "
                     + data(positions, row, PositionsModel::Shares).toString().toStdString());
    for (const PositionReport &p : expected.report.positions)
        worked.insert(p.code + " " + p.shares.toString());
    EXPECT_EQ(shown, worked);
    EXPECT_FALSE(shown.empty());
}

TEST_F(StatementAuditTest, AnotherLanguageTranslatesTheResultsShown)
{
    const AuditCase &c = samples::AuditCases()[0];
    openThroughDialog(writeTable(makeCase(c).table));
    const std::vector<int> lines = linesShown("tradesView", TradesModel::Line);
    ASSERT_FALSE(findingsShown().empty());
    useLanguage(Language::English);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    QAbstractItemModel *trades = model("tradesView");
    EXPECT_EQ(trades->headerData(TradesModel::Line, Qt::Horizontal).toString(), "Line");
    EXPECT_EQ(linesShown("tradesView", TradesModel::Line), lines) << "the same rows";
    const QRegularExpression chinese(QStringLiteral("[\\x{4e00}-\\x{9fff}]"));
    int differing = 0;
    for (int row = 0; row < trades->rowCount(); ++row) {
        const QString tip = data(trades, row, TradesModel::Result, Qt::ToolTipRole).toString();
        EXPECT_FALSE(tip.contains(chinese)) << tip.toStdString();
        differing += tip.contains(QStringLiteral("too much")) || tip.contains(QStringLiteral("too little"));
    }
    EXPECT_GT(differing, 0);
    EXPECT_FALSE(child<QLabel>("statusLabel")->text().contains(chinese));
    useLanguage(Language::SimplifiedChinese);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    EXPECT_EQ(trades->headerData(TradesModel::Line, Qt::Horizontal).toString(), "行号");
}

// Every cell of the tables shown whole, in every language: no text elided.
TEST_F(StatementAuditTest, EveryCellFitsItsColumnInEveryLanguage)
{
    openThroughDialog(writeTable(makeCase(samples::AuditCases()[0]).table));
    ASSERT_NE(window.statement(), nullptr);
    for (const Language language : {Language::English, Language::TraditionalChinese, Language::SimplifiedChinese}) {
        useLanguage(language);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        for (const char *name : {"agreementView", "yearsView", "tradesView", "otherView"}) {
            const QTableView *view = child<QTableView>(name);
            // The room the style leaves a cell's text on either side.
            const int margin = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
            QAbstractItemModel *shown = view->model();
            for (int row = 0; row < std::min(shown->rowCount(), 200); ++row)
                for (int column = 0; column < shown->columnCount(); ++column) {
                    if (view->isColumnHidden(column))
                        continue;
                    const QString text = data(shown, row, column).toString();
                    EXPECT_LE(view->fontMetrics().horizontalAdvance(text) + margin, view->columnWidth(column))
                        << name << " row " << row << " column " << column << " (language "
                        << static_cast<int>(language) << "): " << text.toStdString();
                }
        }
    }
}

TEST_F(StatementAuditTest, EveryControlIsNamedByItsCaption)
{
    const std::pair<const char *, QString> named[] = {
        {"openButton", "打开文件…"},        {"cancelButton", "取消"},       {"exportButton", "导出报告…"},
        {"fileLabel", "交割单文件"},        {"statusLabel", "核对概况"},    {"progress", "读取进度"},
        {"agreementView", "佣金协议"},      {"compareRate", "佣金(‰)"},    {"compareNoMinimum", "免五"},
        {"yearsView", "年度合计"},          {"tabs", "核对结果"},           {"differingOnly", "只看有出入的"},
        {"tradesView", "逐笔核对表"},       {"otherView", "其他与无法读取的行"}, {"chartView", "每月费用（元）"},
        {"positions", "持仓"},              {"leftOut", "未计入的行"},      {"splitPeriodButton", "拆分时段"},
        {"mergePeriodButton", "合并时段"},  {"resetTermsButton", "恢复推断"},
        {"storeLabel", "账户库"},           {"accountBox", "账户"},         {"removeStatementButton", "移除对账单"},
        {"statementsView", "账户的对账单"}, {"gapsList", "缺口与资金余额提示"}, {"openingsView", "期初持仓"},
        {"taxRowsView", "红利税"},          {"taxLotsView", "所选补缴行的批次（先进先出）"},
        {"missingTaxList", "应补缴而无记录的卖出，及不持股时入账的股息"}};
    for (const auto &[objectName, caption] : named) {
        QAccessibleInterface *node = testing::accessible(child<QWidget>(objectName));
        ASSERT_NE(node, nullptr) << objectName;
        EXPECT_EQ(testing::announcedName(node), caption) << objectName;
    }
    // No control of the window is left out of the table above.
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        const bool control = qobject_cast<QAbstractButton *>(widget) || qobject_cast<QLineEdit *>(widget)
                             || qobject_cast<QAbstractItemView *>(widget) || qobject_cast<QTabWidget *>(widget);
        // Qt's own parts: a tab bar's scroll buttons, a view's scroll bars.
        if (!control || widget->objectName().isEmpty() || widget->objectName().startsWith("qt_")
            || qobject_cast<QTabBar *>(widget->parentWidget()))
            continue;
        EXPECT_TRUE(std::any_of(std::begin(named), std::end(named),
                                [widget](const auto &entry) { return widget->objectName() == entry.first; }))
            << widget->objectName().toStdString();
    }
}

} // namespace
} // namespace tallyfin
