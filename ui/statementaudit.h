#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "audit.h"
#include "ui_statementaudit.h"

QT_BEGIN_NAMESPACE
class QChartView;
QT_END_NAMESPACE

namespace tallyfin {

class AgreementModel;
class OtherRowsModel;
class PositionsView;
class StatementAuditJob;
class TradesModel;
class YearsModel;

// "交割单核对": a broker's statement, opened by the dialog or dropped on the
// window, read and audited off the GUI thread (with progress and a cancel
// button), shown as the agreement inferred (editable: a change audits again
// at once), a comparison with another agreement, the yearly totals, every
// trade, the other and unreadable rows, a chart of the fees by month and
// what each holding cost (持仓, worked out on the reading thread); the
// report is exported as CSV. The statement file is only read.
class StatementAuditWindow : public QWidget, private Ui::StatementAuditWindow {
    Q_OBJECT

public:
    explicit StatementAuditWindow(QWidget *parent = nullptr);
    ~StatementAuditWindow() override;

    // Reads and audits a statement file, as the dialog and a drop do. The
    // path is as the file system names it (QFile::encodeName of a name, or
    // localFilePath of a URL): bytes that need not be UTF-8.
    void openStatement(const QByteArray &path);
    // Opens the first of `paths` (file names as QFile gives them), as
    // "打开文件…" does; nothing for none.
    void openFiles(const QStringList &paths);
    // "打开文件…"
    void openClicked();
    // "导出报告…": the CSV report where the save dialog says.
    void exportClicked();
    // "取消": stops the reading or audit under way; what was shown stays.
    void cancelClicked();

    // The statement shown, null until one was read.
    std::shared_ptr<const statement::Statement> statement() const { return m_statement; }
    std::shared_ptr<const statement::Audit> audit() const { return m_audit; }
    QTabWidget *tabWidget() const { return tabs; }
    // A reading or an audit is under way.
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
    void startAudit();
    void showAudit(std::shared_ptr<const statement::Statement> statement, std::shared_ptr<const statement::Audit> audit);
    void showFailure(const QString &reason);
    void showSummary();
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
    statement::AuditOptions options() const;

    StatementAuditJob *m_job;
    AgreementModel *m_agreement;
    YearsModel *m_years;
    TradesModel *m_trades;
    OtherRowsModel *m_other;
    QChartView *m_chart;
    PositionsView *m_positions;
    QByteArray m_path;        // the statement shown
    QByteArray m_readingPath; // the file being read
    bool m_reading = false; // the job reads a new file (not only audits again)
    bool m_busy = false;
    std::shared_ptr<const statement::Statement> m_statement;
    std::shared_ptr<const statement::Audit> m_audit;
    std::vector<statement::UserTerms> m_userTerms;
    std::array<statement::BillingOverride, statement::kGroupCount> m_billing{};
    std::optional<statement::CompareTerms> m_compare;
};

} // namespace tallyfin
