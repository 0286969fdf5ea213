#pragma once

#include <QWidget>

#include <QStringList>

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "accountstore.h"
#include "audit.h"
#include "ui_statementaudit.h"

QT_BEGIN_NAMESPACE
class QChartView;
class QStandardItemModel;
class QStringListModel;
QT_END_NAMESPACE

namespace tallyfin {

struct AccountRequest;
struct AccountShown;
class AgreementModel;
class DividendTaxView;
class OtherRowsModel;
class PositionsView;
class StatementAuditJob;
class TradesModel;
class YearsModel;

// "交割单核对": the whole account. Statements opened by the dialog (several
// at once) or dropped on the window (files or a folder) are read off the GUI
// thread (with progress and a cancel button) and kept in the account store
// ($XDG_DATA_HOME/tallyfin/accounts.sqlite, as the command line keeps them),
// so that the account is there again after a restart. The window shows the
// account's statements (what each adds, one can be removed), the agreement
// inferred over all of them (editable: a change is kept and audits again at
// once), a comparison with another agreement, the yearly totals, every
// trade, the other and unreadable rows, a chart of the fees by month, what
// each holding cost (持仓, from the holdings before the history, whose cost
// the user may type) and every dividend-tax row checked (红利税); the report
// is exported as CSV. A store that cannot be opened is said so and left
// alone: the files opened are then audited without being kept. Statement
// files are only read.
class StatementAuditWindow : public QWidget, private Ui::StatementAuditWindow {
    Q_OBJECT

public:
    explicit StatementAuditWindow(QWidget *parent = nullptr);
    ~StatementAuditWindow() override;

    // Adds statement files (a folder: the statements in it) to the account
    // and shows the account, as the dialog and a drop do.
    void openFiles(const QStringList &paths);
    // The same for paths as the file system names them (QFile::encodeName of
    // a name, or localFilePath of a URL): bytes that need not be UTF-8.
    void openPaths(const QList<QByteArray> &paths);
    void openStatement(const QByteArray &path) { openPaths({path}); }
    // "打开文件…"
    void openClicked();
    // "移除对账单": forgets the statement selected in the list.
    void removeClicked();
    // "导出报告…": the CSV report where the save dialog says.
    void exportClicked();
    // "取消": stops the reading or audit under way; what was shown stays.
    void cancelClicked();

    // The account's statements merged, null while it holds none.
    std::shared_ptr<const statement::Statement> statement() const { return m_statement; }
    // The account as shown, null until it was first worked out.
    std::shared_ptr<const AccountShown> account() const { return m_shown; }
    std::shared_ptr<const statement::Audit> audit() const { return m_audit; }
    QTabWidget *tabWidget() const { return tabs; }
    // A reading, a change of the account or an audit is under way.
    bool busy() const { return m_busy; }

Q_SIGNALS:
    // An audit is on screen, after a reading or a change of the terms.
    void auditShown();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void setUpViews();
    // Every column wide enough for its heading in the language shown.
    void sizeColumns();
    void fitWordColumns();
    // The texts the window writes itself, the tables' and the chart's.
    void retranslate();
    void connectControls();
    // Hands the job a request with what the window holds (the store, the
    // account shown, the statements read without a store, the compared terms).
    void request(AccountRequest request);
    void startAudit();
    void accountChosen(int index);
    void openingCostEdited(const QString &code, const std::optional<Decimal> &cost);
    void showAccount(std::shared_ptr<const AccountShown> account);
    void showStatements();
    void showAccounts();
    void showGaps();
    void showStore();
    void showProblems();
    void showFailure(const QString &reason);
    void showSummary();
    void showYearColumns();
    void showFileShown();
    void setBusy(bool busy);
    // A change of the agreement shown, as the terms the next audit takes;
    // false (nothing changed) for one the lines cannot take.
    void editTerms(const std::function<bool(std::vector<statement::UserTerms> &)> &edit, const QString &refusal);
    void billingEdited(statement::InstrumentGroup group, const statement::BillingOverride &billing);
    // "拆分时段", "合并时段": the period of the selected line; "恢复推断": the rows' terms again.
    void splitClicked();
    void mergeClicked();
    void resetTermsClicked();
    std::optional<std::size_t> selectedLine() const;
    void compareChanged();
    std::string reportTitle() const;

    StatementAuditJob *m_job;
    AgreementModel *m_agreement;
    YearsModel *m_years;
    TradesModel *m_trades;
    OtherRowsModel *m_other;
    QChartView *m_chart;
    PositionsView *m_positions;
    DividendTaxView *m_dividendTax;
    QStandardItemModel *m_statements;
    QStringListModel *m_gaps;
    std::optional<std::filesystem::path> m_store; // nullopt once it could not be opened
    std::optional<store::StoreError> m_storeError;
    QList<QByteArray> m_shownPaths;   // the files last added
    QList<QByteArray> m_readingPaths; // the files being read
    QList<QByteArray> m_givenPaths;   // every file given: never a report's name
    bool m_reading = false; // the job reads new files (not only audits again)
    bool m_busy = false;
    std::shared_ptr<const AccountShown> m_shown;
    std::map<std::string, Decimal> m_openingCosts; // typed while there is no store
    std::shared_ptr<const statement::Statement> m_statement;
    std::shared_ptr<const statement::Audit> m_audit;
    std::vector<statement::UserTerms> m_userTerms;
    std::array<statement::BillingOverride, statement::kGroupCount> m_billing{};
    std::optional<statement::CompareTerms> m_compare;
};

} // namespace tallyfin
