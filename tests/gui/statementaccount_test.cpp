// 交割单核对 on a whole account: overlapping statements opened at once give
// the figures of the whole file, the list shows what each adds and one is
// removed, a new window on the same store shows the same, a damaged store is
// said so and left alone while files are still audited, the 红利税 tab and an
// opening cost typed in the 持仓 tab agree with the command line, and files
// dropped on the main window open there.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "cli.h"
#include "statementauditfactory.h"
#include "dividendgen.h"
#include "fake_platform.h"
#include "mainwindow.h"
#include "qt_printers.h"
#include "statement_support.h"
#include "statementaudit.h"
#include "statementauditmodels.h"
#include "windows.h"

namespace tallyfin {
namespace {

using Json = nlohmann::json;
using Cells = std::vector<std::vector<QString>>;
using statement::TextEncoding;
using testing::FakePlatform;

// The windows made while it lives keep their accounts in a store of its own.
class DataHome {
public:
    DataHome() { use(); }
    void use() const { qputenv("XDG_DATA_HOME", m_home.path().toLocal8Bit()); }
    std::string store() const { return m_home.filePath(QStringLiteral("tallyfin/accounts.sqlite")).toStdString(); }

private:
    QTemporaryDir m_home;
};

Json cliJson(const std::vector<std::string> &args)
{
    std::ostringstream out, err;
    EXPECT_EQ(RunCli(args, out, err, false), 0) << err.str();
    return Json::parse(out.str());
}

QByteArray fileBytes(const std::string &path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A window as a user has it, its account worked out.
struct Window {
    Window()
    {
        window->show();
        settle();
    }
    void settle() const
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !window->busy(); }, 30000));
        QCoreApplication::processEvents();
    }
    template <typename T>
    T *child(const char *name) const
    {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QAbstractItemModel *model(const char *view) const { return child<QTableView>(view)->model(); }
    // Every cell of a table but the columns that name rows by their file.
    Cells cells(const char *view, std::initializer_list<int> skipped = {}) const
    {
        QAbstractItemModel *shown = model(view);
        Cells all;
        for (int row = 0; row < shown->rowCount(); ++row) {
            all.emplace_back();
            for (int column = 0; column < shown->columnCount(); ++column)
                if (std::find(skipped.begin(), skipped.end(), column) == skipped.end())
                    all.back().push_back(shown->index(row, column).data().toString());
        }
        return all;
    }
    void open(FakePlatform &fake, const QList<QByteArray> &paths) const
    {
        fake.openManyAnswers.push_back(paths);
        child<QPushButton>("openButton")->click();
        settle();
    }
    std::unique_ptr<StatementAuditWindow> window = std::make_unique<StatementAuditWindow>();
};

// What the account's figures are, whichever files make it up.
void expectSameFigures(const Window &got, const Window &want)
{
    for (const char *view : {"agreementView", "yearsView", "positions"})
        EXPECT_EQ(got.cells(view), want.cells(view)) << view;
    EXPECT_EQ(got.cells("tradesView", {TradesModel::Line}), want.cells("tradesView", {TradesModel::Line}));
    EXPECT_EQ(got.cells("taxRowsView", {0, 1}), want.cells("taxRowsView", {0, 1}));
}

class StatementAccountTest : public ::testing::Test {
protected:
    StatementAccountTest()
    {
        const samples::Layout &layout = samples::SampleLayouts()[6];
        const std::vector<samples::SampleRow> rows = samples::SampleRows(600, 17, layout.mix);
        const auto write = [&](const std::string &name, std::size_t from, std::size_t to) {
            const std::vector<samples::SampleRow> part(rows.begin() + static_cast<long>(from),
                                                       rows.begin() + static_cast<long>(to));
            return m_files.write(name, samples::TextStatement(samples::LayoutCells(layout, part), '\t', TextEncoding::Gb18030))
                .string();
        };
        whole = write("whole.tsv", 0, rows.size());
        first = write("first.tsv", 0, 400);
        second = write("second.tsv", 300, rows.size());
    }

    FakePlatform fake;
    statement::ScratchDirectory m_files;
    std::string whole, first, second;
};

TEST_F(StatementAccountTest, OverlappingStatementsAreTheWholeFileListedRemovedAndKept)
{
    const DataHome home;
    const Window account;
    account.open(fake, {QByteArray::fromStdString(first), QByteArray::fromStdString(second)});
    ASSERT_TRUE(fake.boxes.empty()) << fake.boxes.front().text.toStdString();
    const Cells listed = account.cells("statementsView", {0, 2, 3});
    EXPECT_EQ(listed, Cells({{"first.tsv", "400", "0"}, {"second.tsv", "200", "100"}}));

    const DataHome elsewhere;
    const Window alone;
    alone.open(fake, {QByteArray::fromStdString(whole)});
    expectSameFigures(account, alone);

    // Restarted on the same store: the same account.
    home.use();
    const Window restarted;
    expectSameFigures(restarted, alone);
    EXPECT_EQ(restarted.cells("statementsView"), account.cells("statementsView"));

    // The first removed: the account is the second file's.
    account.child<QTableView>("statementsView")->selectRow(0);
    account.child<QPushButton>("removeStatementButton")->click();
    account.settle();
    EXPECT_EQ(account.cells("statementsView", {0, 2, 3}), Cells({{"second.tsv", "300", "0"}}));
    EXPECT_EQ(account.model("tradesView")->rowCount(), statement::ReadStatementFile(second).tradeCount());
    const Json kept = cliJson({"account", "--store", home.store(), "list", "--json"});
    EXPECT_EQ(kept["accounts"][0]["statements"].size(), 1u);
}

TEST_F(StatementAccountTest, ADamagedStoreIsSaidSoLeftAloneAndFilesAreStillAudited)
{
    const DataHome home;
    std::filesystem::create_directories(std::filesystem::path(home.store()).parent_path());
    const std::string damaged(4096, '\x5a');
    std::ofstream(home.store(), std::ios::binary) << damaged;
    const Window account;
    QLabel *store = account.child<QLabel>("storeLabel");
    EXPECT_TRUE(store->isVisible());
    EXPECT_TRUE(store->text().startsWith(QStringLiteral("账户库无法使用"))) << store->text().toStdString();
    EXPECT_TRUE(store->text().contains(QString::fromStdString(home.store()))) << store->text().toStdString();

    account.open(fake, {QByteArray::fromStdString(first), QByteArray::fromStdString(second)});
    EXPECT_TRUE(fake.boxes.empty());
    EXPECT_EQ(account.model("tradesView")->rowCount(), statement::ReadStatementFile(whole).tradeCount());
    EXPECT_EQ(account.model("statementsView")->rowCount(), 2);
    EXPECT_EQ(fileBytes(home.store()).toStdString(), damaged);
}

TEST_F(StatementAccountTest, AnOpeningCostTypedIsKeptAsTheCommandLinesIs)
{
    const DataHome home;
    const Window account;
    account.open(fake, {QByteArray::fromStdString(second)});
    QAbstractItemModel *openings = account.model("openingsView");
    ASSERT_GT(openings->rowCount(), 0) << "the later file starts with shares held";
    EXPECT_EQ(account.child<QTableView>("openingsView")->verticalHeader()->count(), openings->rowCount()) << "shown";
    EXPECT_EQ(openings->index(0, 3).data().toString(), QString());
    const std::string code = openings->index(0, 0).data().toString().toStdString();
    openings->setData(openings->index(0, 3), QStringLiteral("1234.5"));
    account.settle();
    const Json positions = cliJson({"account", "--store", home.store(), "positions", "--json"});
    for (const Json &position : positions["positions"])
        if (position["code"] == code) {
            EXPECT_EQ(position["openingCost"], "1234.50");
        }
    EXPECT_EQ(account.model("openingsView")->index(0, 3).data().toString(), QStringLiteral("1234.50"));
}

// The lots of every tax row, as the tab shows them when the row is selected.
Json taxShown(const Window &account)
{
    Json rows = Json::array();
    QTableView *taxRows = account.child<QTableView>("taxRowsView");
    QAbstractItemModel *lots = account.model("taxLotsView");
    for (const std::vector<QString> &row : account.cells("taxRowsView")) {
        taxRows->selectRow(static_cast<int>(rows.size()));
        Json shown = Json::array();
        for (const std::vector<QString> &lot : account.cells("taxLotsView"))
            shown.push_back({lot[0].toStdString(), lot[3].toStdString(), lot[4].toStdString(), lot[5].toInt(),
                             lot[6].toStdString()});
        rows.push_back({row[0].toInt(), row[1].toInt(), row[2].toStdString(), row[3].toStdString(), row[4].toStdString(),
                        row[5].toStdString(), row[6].toStdString(), shown});
        EXPECT_EQ(lots->rowCount(), static_cast<int>(shown.size()));
    }
    return rows;
}

Json taxOfCli(const Json &check)
{
    Json rows = Json::array();
    const auto text = [](const Json &value) { return value.is_null() ? std::string("未知") : value.get<std::string>(); };
    for (const Json &row : check["taxRows"]) {
        Json lots = Json::array();
        for (const Json &lot : row["lots"])
            lots.push_back({lot["bought"].is_null() ? "期初持有" : lot["bought"].get<std::string>(), lot["quantity"],
                            lot["dividendPerShare"], lot["ratePercent"], text(lot["tax"])});
        rows.push_back({row["statement"], row["line"], row["date"], row["code"],
                        row["quantity"].is_null() ? "" : row["quantity"].get<std::string>(), row["charged"],
                        text(row["due"]), lots});
    }
    return rows;
}

TEST_F(StatementAccountTest, TheDividendTaxTabHasTheCommandLinesFigures)
{
    for (std::uint32_t seed = 0; seed < 3; ++seed) {
        const samples::DividendHistory history = samples::MakeDividendHistory(seed, {2013, 1, 4});
        const std::size_t half = history.rows.size() / 2;
        const auto text = [&](std::size_t from, std::size_t to) {
            const std::vector<samples::SampleRow> part(history.rows.begin() + static_cast<long>(from),
                                                       history.rows.begin() + static_cast<long>(to));
            return samples::TextStatement(samples::LayoutCells(samples::SampleLayouts()[6], part), '\t', TextEncoding::Gb18030);
        };
        const std::string tag = std::to_string(seed);
        const DataHome home;
        const Window account;
        account.open(fake, {QByteArray::fromStdString(m_files.write("a" + tag + ".tsv", text(0, half + 2)).string()),
                            QByteArray::fromStdString(m_files.write("b" + tag + ".tsv", text(half, history.rows.size())).string())});
        const Json check = cliJson({"account", "--store", home.store(), "dividend-tax", "--json"});
        ASSERT_FALSE(check["taxRows"].empty());
        EXPECT_EQ(taxShown(account), taxOfCli(check)) << "seed " << seed;
        QAbstractItemModel *missing = account.child<QAbstractItemView>("missingTaxList")->model();
        EXPECT_EQ(missing->rowCount(), static_cast<int>(check["missingTax"].size() + check["unheldDividends"].size()));
    }
}

TEST_F(StatementAccountTest, FilesDroppedOnTheMainWindowOpenInTheStatementCheck)
{
    const DataHome home;
    StatementAuditWindowFactory statementWindows;
    ProgramWindows windows(ProgramWindows::Making::OnFirstUse, &statementWindows);
    MainWindow &main = windows.mainWindow();
    main.show();
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QString::fromStdString(first)), QUrl::fromLocalFile(QString::fromStdString(second))});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&main, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&main, &drop);
    auto &check = static_cast<StatementAuditWindow &>(*windows.statementAudit());
    EXPECT_TRUE(check.isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&check] { return !check.busy() && check.statement() != nullptr; }, 30000));
    EXPECT_EQ(check.statement()->tradeCount(), statement::ReadStatementFile(whole).tradeCount());
}

} // namespace
} // namespace tallyfin
