#include "statementaudit.h"

#include <QChartView>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMimeData>
#include <QSaveFile>

#include <algorithm>
#include <filesystem>

#include "agreementedit.h"
#include "appearance.h"
#include "auditreport.h"
#include "handler.h"
#include "icon.h"
#include "messages.h"
#include "platform.h"
#include "positionsview.h"
#include "statementauditchart.h"
#include "statementauditjob.h"
#include "statementauditmodels.h"
#include "statementaudittexts.h"
#include "translatedtext.h"

namespace tallyfin {

using namespace statement;

namespace {

QString text(const std::string &value) { return QString::fromStdString(value); }

// The one local file a drag carries, if it carries exactly one.
std::optional<QByteArray> droppedFile(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile())
        return std::nullopt;
    return localFilePath(data->urls().constFirst());
}

// A path for the user to read: what cannot be decoded shows as U+FFFD.
QString shownPath(const QByteArray &path) { return QDir::toNativeSeparators(QFile::decodeName(path)); }
QString shownFileName(const QByteArray &path) { return QFile::decodeName(path.mid(path.lastIndexOf('/') + 1)); }

// Each column at least as wide as given, and as its heading needs in the
// language shown (with room for the sort indicator).
void setColumnWidths(QTableView *view, std::initializer_list<int> widths)
{
    const QFontMetrics metrics = view->horizontalHeader()->fontMetrics();
    const int margins = metrics.height() * (view->isSortingEnabled() ? 2 : 1);
    int column = 0;
    for (const int width : widths) {
        const QString heading = view->model()->headerData(column, Qt::Horizontal).toString();
        view->setColumnWidth(column, std::max(width, metrics.horizontalAdvance(heading) + margins));
        ++column;
    }
}

// The widest name of an instrument group in the language shown, with a margin.
int groupNameWidth(const QFontMetrics &metrics)
{
    int widest = 0;
    for (std::size_t group = 0; group < kGroupCount; ++group)
        widest = std::max(widest, metrics.horizontalAdvance(
                                      translated("Markets", GroupName(static_cast<InstrumentGroup>(group)))));
    return widest + metrics.height();
}

// Rows of one line of text: fixed heights keep 100,000 of them quick. A
// column fitted to its texts measures a few screens of rows, not them all.
void setUpTable(QTableView *view, QAbstractItemModel *model)
{
    constexpr int kRowsMeasured = 250;
    view->setModel(model);
    view->horizontalHeader()->setResizeContentsPrecision(kRowsMeasured);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setStretchLastSection(true);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
}

QString formatText(const Format &format)
{
    QString kind = AuditTexts::fileKind(format.kind);
    if (format.encoding)
        kind += QStringLiteral(" ") + text(std::string(EncodingName(*format.encoding)));
    return AuditTexts::formatAndHeader(kind, AuditTexts::headerLine(format.headerLine));
}

} // namespace

StatementAuditWindow::StatementAuditWindow(QWidget *parent)
    : QWidget(parent), m_job(new StatementAuditJob(this)), m_agreement(new AgreementModel(this)),
      m_years(new YearsModel(this)), m_trades(new TradesModel(this)), m_other(new OtherRowsModel(this)),
      // Made with its chart: a view made without one makes a default chart that setChart leaves behind.
      m_chart(new QChartView(MonthlyFeesChart({}))), m_positions(new PositionsView)
{
    setUpForm<Ui::StatementAuditWindow>(*this, this);
    setWindowIcon(programIcon());
    setAcceptDrops(true);
    fileLabel->setText(AuditTexts::dropHint());
    setUpViews();
    connectControls();
    setBusy(false);
    centreOnScreen(this);
}

StatementAuditWindow::~StatementAuditWindow() = default;

void StatementAuditWindow::setUpViews()
{
    setUpTable(agreementView, m_agreement);
    // Room for a line of every group, and for as many again where the
    // window is tall enough (periods, classes and securities of their own).
    const auto heightFor = [this](int lines) {
        return agreementView->horizontalHeader()->sizeHint().height()
               + lines * agreementView->verticalHeader()->defaultSectionSize() + 2 * agreementView->frameWidth();
    };
    agreementView->setMinimumHeight(heightFor(static_cast<int>(kGroupCount)));
    agreementView->setMaximumHeight(heightFor(2 * static_cast<int>(kGroupCount)));
    agreementView->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                   | QAbstractItemView::SelectedClicked);
    setUpTable(yearsView, m_years);
    setUpTable(tradesView, m_trades);
    // No sort until the user asks: the rows in file order.
    tradesView->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    tradesView->setSortingEnabled(true);
    setUpTable(otherView, m_other);
    sizeColumns();
    m_chart->setObjectName(QStringLiteral("chartView"));
    m_chart->setAccessibleName(AuditTexts::chartTitle());
    m_chart->setRenderHint(QPainter::Antialiasing);
    chartLayout->addWidget(m_chart);
    m_positions->setObjectName(QStringLiteral("positionsView"));
    tabs->addTab(m_positions, AuditTexts::positionsTab());
}

void StatementAuditWindow::sizeColumns()
{
    const int group = groupNameWidth(agreementView->fontMetrics());
    setColumnWidths(agreementView, {std::max(90, group), 90, 90, 80, 100, 80, 90, 140});
    setColumnWidths(yearsView, {60, 70, 120, 90, 90, 80, 70, 80, 90, 100, 80});
    setColumnWidths(tradesView, {60, 90, 70, 90, 50, std::max(80, group), 80, 100, 70, 70, 70, 70, 60, 70, 60, 70, 70});
    setColumnWidths(otherView, {60, 80, 90, 360, 80, 120});
    // Room for the example the rate field shows while empty.
    compareRate->setMinimumWidth(compareRate->fontMetrics().horizontalAdvance(compareRate->placeholderText())
                                 + compareRate->fontMetrics().height());
    fitWordColumns();
}

// Columns of words (names, reasons) as wide as their texts in the rows the
// view measures (see setUpTable), never narrower than they are.
void StatementAuditWindow::fitWordColumns()
{
    const std::pair<QTableView *, int> words[] = {
        {agreementView, AgreementModel::Scope},     {agreementView, AgreementModel::OtherFees},
        {tradesView, TradesModel::Name},            {tradesView, TradesModel::Group},
        {tradesView, TradesModel::Result},          {otherView, OtherRowsModel::Business},
        {otherView, OtherRowsModel::Name}};
    for (const auto &[view, column] : words) {
        const QAbstractItemView *measured = view; // where the measure is public
        view->setColumnWidth(column, std::max(view->columnWidth(column), measured->sizeHintForColumn(column)));
    }
}

void StatementAuditWindow::connectControls()
{
    connectHandler(openButton, &QPushButton::clicked, this, &StatementAuditWindow::openClicked);
    connectHandler(exportButton, &QPushButton::clicked, this, &StatementAuditWindow::exportClicked);
    connectHandler(cancelButton, &QPushButton::clicked, this, &StatementAuditWindow::cancelClicked);
    connect(differingOnly, &QCheckBox::toggled, m_trades, &TradesModel::setDifferingOnly);
    connect(compareRate, &QLineEdit::editingFinished, this, [this] { runHandler([this] { compareChanged(); }); });
    connect(compareNoMinimum, &QCheckBox::toggled, this, [this] { runHandler([this] { compareChanged(); }); });
    connect(m_agreement, &AgreementModel::termsEdited, this,
            [this](std::size_t line, std::optional<Decimal> rate, std::optional<Decimal> minimum) {
                runHandler([&] {
                    editTerms([&](std::vector<UserTerms> &terms) { return SetLineTerms(terms, *m_audit, line, rate, minimum); },
                              {});
                });
            });
    connect(m_agreement, &AgreementModel::startEdited, this, [this](std::size_t line, TradeDate from) {
        runHandler([&] {
            editTerms([&](std::vector<UserTerms> &terms) { return MoveLineStart(terms, *m_audit, line, from); },
                      AuditTexts::badSpan());
        });
    });
    connect(m_agreement, &AgreementModel::endEdited, this, [this](std::size_t line, TradeDate to) {
        runHandler([&] {
            editTerms([&](std::vector<UserTerms> &terms) { return MoveLineEnd(terms, *m_audit, line, to); },
                      AuditTexts::badSpan());
        });
    });
    connect(m_agreement, &AgreementModel::billingEdited, this, [this](InstrumentGroup group, const BillingOverride &billing) {
        runHandler([&] { billingEdited(group, billing); });
    });
    connectHandler(splitPeriodButton, &QPushButton::clicked, this, &StatementAuditWindow::splitClicked);
    connectHandler(mergePeriodButton, &QPushButton::clicked, this, &StatementAuditWindow::mergeClicked);
    connectHandler(resetTermsButton, &QPushButton::clicked, this, &StatementAuditWindow::resetTermsClicked);
    connect(m_agreement, &AgreementModel::termRejected, this,
            [this](const QString &message) { platform().showValidationBox(this, message); });
    connect(m_job, &StatementAuditJob::progressed, progress, &QProgressBar::setValue);
    connect(m_job, &StatementAuditJob::audited, this,
            [this](std::shared_ptr<const Statement> statement, std::shared_ptr<const Audit> audit) {
                runHandler([&] { showAudit(std::move(statement), std::move(audit)); });
            });
    connect(m_job, &StatementAuditJob::positionsWorkedOut, m_positions,
            [this](std::shared_ptr<const StatementPositions> positions) { m_positions->setPositions(*positions); });
    connect(m_job, &StatementAuditJob::failed, this, [this](const QString &reason) { runHandler([&] { showFailure(reason); }); });
}

void StatementAuditWindow::setBusy(bool busy)
{
    m_busy = busy;
    // The terms shown belong to the statement before until the new one is read.
    agreementGroup->setEnabled(!m_reading);
    compareGroup->setEnabled(!m_reading);
    progress->setVisible(busy);
    cancelButton->setVisible(busy);
    exportButton->setEnabled(!busy && m_audit != nullptr);
    if (busy)
        progress->setValue(0);
}

void StatementAuditWindow::openClicked()
{
    if (const std::optional<QByteArray> path = platform().openFileName(this, AuditTexts::fileFilter()))
        openStatement(*path);
}

void StatementAuditWindow::openStatement(const QByteArray &path)
{
    m_readingPath = path;
    m_reading = true;
    fileLabel->setText(shownPath(path));
    statusLabel->setText(AuditTexts::reading(shownFileName(path)));
    statusLabel->setStyleSheet({});
    setBusy(true);
    // The terms the user set are the statement before's; the new one's are inferred.
    AuditOptions inferred = options();
    inferred.terms.clear();
    inferred.billing = {};
    m_job->readAndAudit(path, inferred);
}

void StatementAuditWindow::openFiles(const QStringList &paths)
{
    if (!paths.isEmpty())
        openStatement(QFile::encodeName(paths.constFirst()));
}

void StatementAuditWindow::startAudit()
{
    if (!m_statement)
        return;
    statusLabel->setText(AuditTexts::auditing());
    setBusy(true);
    m_job->audit(m_statement, options());
}

void StatementAuditWindow::cancelClicked()
{
    m_job->cancel();
    // What is shown is still the statement before.
    m_reading = false;
    setBusy(false);
    showFileShown();
    showSummary();
}

AuditOptions StatementAuditWindow::options() const
{
    AuditOptions made;
    made.terms = m_userTerms;
    made.billing = m_billing;
    made.compare = m_compare;
    return made;
}

void StatementAuditWindow::showAudit(std::shared_ptr<const Statement> statement, std::shared_ptr<const Audit> audit)
{
    const bool loaded = m_reading;
    m_reading = false;
    if (loaded) {
        m_path = m_readingPath;
        m_userTerms.clear();
        m_billing = {};
    }
    m_statement = std::move(statement);
    m_audit = std::move(audit);
    for (AuditTableModel *model : std::initializer_list<AuditTableModel *>{m_agreement, m_years, m_trades, m_other})
        model->show(m_statement, m_audit);
    yearsView->setColumnHidden(m_years->columnCount() - 1, !m_audit->compared);
    fitWordColumns();
    ShowMonthlyFees(m_chart->chart(), m_audit->months);
    setBusy(false);
    showSummary();
    Q_EMIT auditShown();
}

void StatementAuditWindow::showFileShown()
{
    fileLabel->setText(m_statement ? shownPath(m_path) : AuditTexts::dropHint());
}

void StatementAuditWindow::showSummary()
{
    statusLabel->setStyleSheet({});
    if (!m_statement || !m_audit) {
        statusLabel->setText({});
        return;
    }
    statusLabel->setText(AuditTexts::summary(formatText(m_statement->format), m_statement->tradeCount(),
                                             m_statement->otherCount(), static_cast<int>(m_statement->unreadable.size()),
                                             m_audit->notAuditedCount(), static_cast<int>(m_audit->findings.size())));
}

void StatementAuditWindow::showFailure(const QString &reason)
{
    // The statement before, if any, stays shown with the message about this file.
    const bool reading = m_reading;
    m_reading = false;
    setBusy(false);
    if (reading)
        showFileShown();
    const QString message = reading ? AuditTexts::cannotRead(reason) : AuditTexts::cannotAudit(reason);
    statusLabel->setText(message);
    statusLabel->setStyleSheet(QStringLiteral("color: #b00000;"));
    platform().showValidationBox(this, message);
}

void StatementAuditWindow::editTerms(const std::function<bool(std::vector<UserTerms> &)> &edit, const QString &refusal)
{
    if (!m_audit)
        return;
    std::vector<UserTerms> terms = m_userTerms;
    if (!edit(terms)) {
        if (!refusal.isEmpty())
            platform().showValidationBox(this, refusal);
        return;
    }
    m_userTerms = std::move(terms);
    startAudit();
}

void StatementAuditWindow::billingEdited(InstrumentGroup group, const BillingOverride &billing)
{
    BillingOverride &set = m_billing[static_cast<std::size_t>(group)];
    set.leviesOnTop = billing.leviesOnTop ? billing.leviesOnTop : set.leviesOnTop;
    set.transferSeparate = billing.transferSeparate ? billing.transferSeparate : set.transferSeparate;
    startAudit();
}

std::optional<std::size_t> StatementAuditWindow::selectedLine() const
{
    const QModelIndexList rows = agreementView->selectionModel() ? agreementView->selectionModel()->selectedRows()
                                                                 : QModelIndexList();
    if (rows.isEmpty())
        return std::nullopt;
    return static_cast<std::size_t>(rows.front().row());
}

void StatementAuditWindow::splitClicked()
{
    if (const std::optional<std::size_t> line = selectedLine())
        editTerms([&](std::vector<UserTerms> &terms) { return SplitLine(terms, *m_statement, *m_audit, *line); },
                  AuditTexts::cannotSplit());
}

void StatementAuditWindow::mergeClicked()
{
    if (const std::optional<std::size_t> line = selectedLine())
        editTerms([&](std::vector<UserTerms> &terms) { return MergeWithNext(terms, *m_audit, *line); },
                  AuditTexts::cannotMerge());
}

void StatementAuditWindow::resetTermsClicked()
{
    if (m_userTerms.empty() && m_billing == decltype(m_billing){})
        return;
    m_userTerms.clear();
    m_billing = {};
    startAudit();
}

void StatementAuditWindow::compareChanged()
{
    const QString typed = compareRate->text().trimmed();
    std::optional<Decimal> rate;
    if (!typed.isEmpty()) {
        rate = typedRatePerMille(typed);
        if (!rate) {
            platform().showValidationBox(this, AuditTexts::badRate());
            return;
        }
    }
    std::optional<CompareTerms> compare;
    if (rate || compareNoMinimum->isChecked())
        compare = CompareTerms{rate, compareNoMinimum->isChecked()};
    if (compare.has_value() == m_compare.has_value()
        && (!compare || (compare->ratePerMille == m_compare->ratePerMille && compare->noMinimum == m_compare->noMinimum)))
        return;
    m_compare = compare;
    startAudit();
}

void StatementAuditWindow::exportClicked()
{
    if (!m_statement || !m_audit)
        return;
    const std::optional<QString> chosen = platform().saveFileName(this, AuditTexts::reportFilter());
    if (!chosen)
        return;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    std::error_code unknown;
    if (std::filesystem::equivalent(QFile::encodeName(path).toStdString(), m_path.toStdString(), unknown)) {
        platform().showValidationBox(this, AuditTexts::reportWouldReplaceStatement());
        return;
    }
    const std::string report = AuditReportCsv(*m_statement, *m_audit, m_path.toStdString());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(report.data(), static_cast<qint64>(report.size())) < 0
        || !file.commit())
        platform().showValidationBox(this, AuditTexts::reportNotWritten(file.errorString()));
}

void StatementAuditWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi(this);
        retranslate();
    }
    QWidget::changeEvent(event);
}

void StatementAuditWindow::retranslate()
{
    for (AuditTableModel *model : std::initializer_list<AuditTableModel *>{m_agreement, m_years, m_trades, m_other})
        model->retranslate();
    sizeColumns();
    m_chart->setAccessibleName(AuditTexts::chartTitle());
    tabs->setTabText(tabs->indexOf(m_positions), AuditTexts::positionsTab());
    ShowMonthlyFees(m_chart->chart(), m_audit ? m_audit->months : std::vector<MonthFees>{});
    if (m_reading) {
        fileLabel->setText(shownPath(m_readingPath));
        statusLabel->setText(AuditTexts::reading(shownFileName(m_readingPath)));
    } else if (m_busy) {
        statusLabel->setText(AuditTexts::auditing());
    } else {
        showFileShown();
        // A message about a file that could not be read stays as it was said.
        if (statusLabel->styleSheet().isEmpty())
            showSummary();
    }
}

void StatementAuditWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (droppedFile(event->mimeData()))
        event->acceptProposedAction();
}

void StatementAuditWindow::dropEvent(QDropEvent *event)
{
    if (const std::optional<QByteArray> path = droppedFile(event->mimeData())) {
        event->acceptProposedAction();
        runHandler([&] { openStatement(*path); });
    }
}

} // namespace tallyfin
