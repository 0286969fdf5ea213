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
#include <QStandardItemModel>
#include <QStringListModel>

#include <algorithm>
#include <filesystem>

#include "agreementedit.h"
#include "appearance.h"
#include "dividendtaxview.h"
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

// The local files and folders a drag carries, if it carries only such.
QList<QByteArray> droppedFiles(const QMimeData *data)
{
    QList<QByteArray> paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        paths << localFilePath(url);
    }
    return paths;
}

QString figureText(int value) { return QString::number(value); }
QString dateText(const std::optional<TradeDate> &date) { return date ? uiText(FormatTradeDate(*date)) : QString(); }

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
      m_chart(new QChartView(MonthlyFeesChart({}))), m_positions(new PositionsView), m_dividendTax(new DividendTaxView),
      m_statements(new QStandardItemModel(this)), m_gaps(new QStringListModel(this)), m_store(store::DefaultStorePath())
{
    setUpForm<Ui::StatementAuditWindow>(*this, this);
    setWindowIcon(programIcon());
    setAcceptDrops(true);
    fileLabel->setText(AuditTexts::dropHint());
    storeLabel->hide();
    setUpViews();
    connectControls();
    setBusy(false);
    centreOnScreen(this);
    // The account kept, read off the GUI thread (the progress bar shows it):
    // the store may wait for another Tallyfin.
    request({});
}

StatementAuditWindow::~StatementAuditWindow() = default;

void StatementAuditWindow::setUpViews()
{
    setUpTable(agreementView, m_agreement);
    // Room for a line of every group, and for as many again where the
    // window is tall enough (periods, classes and securities of their own).
    const auto heightFor = [](const QTableView *view, int lines) {
        return view->horizontalHeader()->sizeHint().height() + lines * view->verticalHeader()->defaultSectionSize()
               + 2 * view->frameWidth();
    };
    agreementView->setMinimumHeight(heightFor(agreementView, static_cast<int>(kGroupCount)));
    agreementView->setMaximumHeight(heightFor(agreementView, 2 * static_cast<int>(kGroupCount)));
    agreementView->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                   | QAbstractItemView::SelectedClicked);
    setUpTable(yearsView, m_years);
    // A few years without scrolling.
    constexpr int kYearsShown = 4;
    yearsView->setMinimumHeight(heightFor(yearsView, kYearsShown));
    setUpTable(tradesView, m_trades);
    // No sort until the user asks: the rows in file order.
    tradesView->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    tradesView->setSortingEnabled(true);
    setUpTable(otherView, m_other);
    m_statements->setHorizontalHeaderLabels(AuditTexts::statementHeaders());
    setUpTable(statementsView, m_statements);
    gapsList->setModel(m_gaps);
    sizeColumns();
    m_chart->setObjectName(QStringLiteral("chartView"));
    m_chart->setAccessibleName(AuditTexts::chartTitle());
    m_chart->setRenderHint(QPainter::Antialiasing);
    chartLayout->addWidget(m_chart);
    m_positions->setObjectName(QStringLiteral("positionsView"));
    tabs->addTab(m_positions, AuditTexts::positionsTab());
    m_dividendTax->setObjectName(QStringLiteral("dividendTaxView"));
    tabs->addTab(m_dividendTax, AuditTexts::dividendTaxTab());
}

void StatementAuditWindow::sizeColumns()
{
    const int group = groupNameWidth(agreementView->fontMetrics());
    setColumnWidths(agreementView, {std::max(90, group), 90, 90, 80, 100, 80, 90, 140});
    setColumnWidths(yearsView, {60, 70, 120, 90, 90, 80, 70, 80, 90, 100, 80});
    setColumnWidths(tradesView, {60, 90, 70, 90, 50, std::max(80, group), 80, 100, 70, 70, 70, 70, 60, 70, 60, 70, 70});
    setColumnWidths(otherView, {60, 80, 90, 360, 80, 120});
    setColumnWidths(statementsView, {50, 260, 90, 90, 70, 70});
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
    connectHandler(removeStatementButton, &QPushButton::clicked, this, &StatementAuditWindow::removeClicked);
    connect(accountBox, &QComboBox::activated, this, [this](int index) { runHandler([&] { accountChosen(index); }); });
    connect(m_positions, &PositionsView::openingCostEdited, this,
            [this](const QString &code, std::optional<Decimal> cost) { runHandler([&] { openingCostEdited(code, cost); }); });
    connect(m_positions, &PositionsView::openingCostRejected, this,
            [this](const QString &message) { platform().showValidationBox(this, message); });
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
    connect(m_job, &StatementAuditJob::shown, this, [this](std::shared_ptr<const AccountShown> account) {
        runHandler([&] { showAccount(std::move(account)); });
    });
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
    removeStatementButton->setEnabled(!busy && m_statements->rowCount() > 0);
    accountBox->setEnabled(!busy && accountBox->count() > 1);
    exportButton->setEnabled(!busy && m_audit != nullptr);
    if (busy)
        progress->setValue(0);
}

void StatementAuditWindow::openClicked()
{
    if (const std::optional<QList<QByteArray>> paths = platform().openFileNames(this, AuditTexts::fileFilter()))
        openPaths(*paths);
}

void StatementAuditWindow::openFiles(const QStringList &paths)
{
    QList<QByteArray> named;
    for (const QString &path : paths)
        named << QFile::encodeName(path);
    openPaths(named);
}

void StatementAuditWindow::openPaths(const QList<QByteArray> &paths)
{
    if (paths.isEmpty())
        return;
    m_readingPaths = paths;
    m_givenPaths << paths;
    m_reading = true;
    fileLabel->setText(paths.size() == 1 ? shownPath(paths.front())
                                         : AuditTexts::severalFiles(shownPath(paths.front()), static_cast<int>(paths.size())));
    statusLabel->setText(AuditTexts::reading(paths.size() == 1 ? shownFileName(paths.front()) : fileLabel->text()));
    statusLabel->setStyleSheet({});
    setBusy(true);
    AccountRequest adding;
    for (const QByteArray &path : paths)
        adding.files.push_back(path.toStdString());
    request(std::move(adding));
}

void StatementAuditWindow::request(AccountRequest made)
{
    made.store = m_store;
    if (m_shown) {
        made.account = m_shown->account;
        made.unstored = m_shown->unstored;
    }
    made.openingCosts = m_openingCosts;
    // The terms the account keeps, unless the request changes them.
    if (made.terms != AccountRequest::Terms::Kept) {
        made.options.terms = m_userTerms;
        made.options.billing = m_billing;
    } else if (!m_store) {
        made.options.terms = m_userTerms;
        made.options.billing = m_billing;
    }
    made.options.compare = m_compare;
    m_job->start(std::move(made));
    setBusy(true);
}

void StatementAuditWindow::startAudit()
{
    statusLabel->setText(AuditTexts::auditing());
    AccountRequest audit;
    audit.terms = AccountRequest::Terms::GivenAndKept;
    request(std::move(audit));
}

void StatementAuditWindow::removeClicked()
{
    const QModelIndexList rows = statementsView->selectionModel()->selectedRows();
    if (rows.isEmpty() || !m_shown) {
        platform().showValidationBox(this, AuditTexts::noStatementChosen());
        return;
    }
    const ListedStatement &listed = m_shown->statements.at(static_cast<std::size_t>(rows.front().row()));
    statusLabel->setText(AuditTexts::removing(uiText(listed.file)));
    AccountRequest removal;
    removal.remove = listed.id;
    request(std::move(removal));
}

void StatementAuditWindow::accountChosen(int index)
{
    if (!m_shown || index < 0 || index >= static_cast<int>(m_shown->accounts.size()))
        return;
    auto shown = std::make_shared<AccountShown>();
    shown->account = m_shown->accounts[static_cast<std::size_t>(index)].id;
    m_shown = std::move(shown);
    request({});
}

void StatementAuditWindow::openingCostEdited(const QString &code, const std::optional<Decimal> &cost)
{
    if (!m_store) {
        if (cost)
            m_openingCosts.insert_or_assign(code.toStdString(), *cost);
        else
            m_openingCosts.erase(code.toStdString());
    }
    AccountRequest change;
    change.openingCost = std::pair{code.toStdString(), cost};
    request(std::move(change));
}

void StatementAuditWindow::cancelClicked()
{
    m_job->cancel();
    // What is shown is still the account before.
    m_reading = false;
    setBusy(false);
    showFileShown();
    showSummary();
}

void StatementAuditWindow::showAccount(std::shared_ptr<const AccountShown> account)
{
    const bool added = m_reading;
    m_reading = false;
    m_shown = std::move(account);
    if (m_shown->storeError) {
        // Left as it is: what is opened now is audited without being kept.
        m_store.reset();
        m_storeError = m_shown->storeError;
    }
    if (added && m_shown->filesAdded > 0) {
        m_shownPaths.clear();
        for (const QByteArray &path : m_readingPaths)
            if (std::none_of(m_shown->problems.begin(), m_shown->problems.end(),
                             [&](const FileProblem &problem) { return problem.file == path.toStdString(); }))
                m_shownPaths << path;
    }
    m_userTerms = m_shown->terms;
    m_billing = m_shown->billing;
    m_openingCosts = m_shown->openingCosts;
    const std::shared_ptr<const MergedStatement> &merged = m_shown->merged;
    m_statement = merged ? std::shared_ptr<const Statement>(merged, &merged->statement) : nullptr;
    m_audit = merged ? m_shown->audit : nullptr;
    for (AuditTableModel *model : std::initializer_list<AuditTableModel *>{m_agreement, m_years, m_trades, m_other})
        model->show(m_statement, m_audit);
    showYearColumns();
    fitWordColumns();
    ShowMonthlyFees(m_chart->chart(), m_audit ? m_audit->months : std::vector<MonthFees>{});
    m_positions->setPositions(m_shown->positions ? *m_shown->positions : StatementPositions{});
    m_dividendTax->setCheck(merged, m_shown->dividendTax);
    showStatements();
    showAccounts();
    showGaps();
    showStore();
    setBusy(false);
    showFileShown();
    showSummary();
    showProblems();
    Q_EMIT auditShown();
}

void StatementAuditWindow::showStatements()
{
    m_statements->removeRows(0, m_statements->rowCount());
    if (m_shown)
        for (const ListedStatement &listed : m_shown->statements) {
            QList<QStandardItem *> row{new QStandardItem(QString::number(listed.id)), new QStandardItem(QFile::decodeName(QByteArray::fromStdString(listed.file))),
                                       new QStandardItem(dateText(listed.from)), new QStandardItem(dateText(listed.to)),
                                       new QStandardItem(figureText(listed.rowsAdded)), new QStandardItem(figureText(listed.rowsKnown))};
            for (QStandardItem *item : row)
                item->setEditable(false);
            for (QStandardItem *item : {row[0], row[4], row[5]})
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_statements->appendRow(row);
        }
    const std::pair<QTableView *, int> words[] = {{statementsView, 1}};
    for (const auto &[view, column] : words) {
        const QAbstractItemView *measured = view;
        view->setColumnWidth(column, std::max(view->columnWidth(column), measured->sizeHintForColumn(column)));
    }
}

void StatementAuditWindow::showAccounts()
{
    const QSignalBlocker quiet(accountBox);
    accountBox->clear();
    if (!m_shown)
        return;
    if (!m_store) {
        accountBox->addItem(AuditTexts::unstoredAccount());
        return;
    }
    for (const store::AccountSummary &each : m_shown->accounts) {
        accountBox->addItem(AuditTexts::accountChoice(uiText(each.name), each.statements));
        if (m_shown->account == each.id)
            accountBox->setCurrentIndex(accountBox->count() - 1);
    }
}

void StatementAuditWindow::showGaps()
{
    QStringList lines;
    if (m_shown && m_shown->balances) {
        for (const ShareGap &gap : m_shown->balances->gaps)
            lines << translated(ShareGapText(gap));
        if (m_shown->balances->gaps.empty())
            lines << AuditTexts::noGaps();
        for (const CashBreak &note : m_shown->balances->cashBreaks)
            lines << AuditTexts::cashNote(translated(CashBreakText(note)));
    }
    m_gaps->setStringList(lines);
}

void StatementAuditWindow::showStore()
{
    storeLabel->setVisible(m_storeError.has_value());
    if (m_storeError)
        storeLabel->setText(AuditTexts::storeUnavailable(translated(store::StoreErrorText(*m_storeError))));
}

void StatementAuditWindow::showProblems()
{
    if (!m_shown || m_shown->problems.empty())
        return;
    QStringList lines;
    for (const FileProblem &problem : m_shown->problems) {
        const QString reason = translated(problem.reason);
        lines << (m_shown->problems.size() == 1 && m_readingPaths.size() <= 1
                      ? AuditTexts::cannotRead(reason)
                      : AuditTexts::fileAndReason(shownFileName(QByteArray::fromStdString(problem.file)),
                                                  AuditTexts::cannotRead(reason)));
    }
    const QString message = lines.join(QLatin1Char('\n'));
    statusLabel->setText(message);
    statusLabel->setStyleSheet(QStringLiteral("color: #b00000;"));
    platform().showValidationBox(this, message);
}

void StatementAuditWindow::showFileShown()
{
    if (m_shownPaths.isEmpty() || !m_statement)
        fileLabel->setText(m_statement ? QString() : AuditTexts::dropHint());
    else if (m_shownPaths.size() == 1)
        fileLabel->setText(shownPath(m_shownPaths.front()));
    else
        fileLabel->setText(AuditTexts::severalFiles(shownPath(m_shownPaths.front()), static_cast<int>(m_shownPaths.size())));
}

// The audit's own columns of the years: 对比节省 and 港股通组合费 only where they hold something.
void StatementAuditWindow::showYearColumns()
{
    const std::vector<statement::YearColumn> shown =
        m_audit ? statement::YearColumns(*m_audit) : std::vector<statement::YearColumn>{};
    for (std::size_t column = 0; column < statement::kYearColumnCount; ++column)
        yearsView->setColumnHidden(static_cast<int>(column),
                                   std::find(shown.begin(), shown.end(), static_cast<statement::YearColumn>(column)) == shown.end());
}

void StatementAuditWindow::showSummary()
{
    statusLabel->setStyleSheet({});
    if (!m_statement || !m_audit) {
        statusLabel->setText({});
        return;
    }
    const std::size_t statements = m_shown ? m_shown->statements.size() : 0;
    const QString read = statements > 1 ? AuditTexts::statementCount(static_cast<int>(statements))
                                        : formatText(m_statement->format);
    statusLabel->setText(AuditTexts::summary(read, m_statement->tradeCount(), m_statement->otherCount(),
                                             static_cast<int>(m_statement->unreadable.size()),
                                             m_audit->notAuditedCount(), static_cast<int>(m_audit->findings.size())));
}

void StatementAuditWindow::showFailure(const QString &reason)
{
    // The account before, if any, stays shown with the message.
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
    if (!m_statement)
        return;
    statusLabel->setText(AuditTexts::auditing());
    AccountRequest audit;
    audit.terms = AccountRequest::Terms::Given;
    request(std::move(audit));
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
    for (const QByteArray &given : m_givenPaths) {
        std::error_code unknown;
        if (std::filesystem::equivalent(QFile::encodeName(path).toStdString(), given.toStdString(), unknown)) {
            platform().showValidationBox(this, AuditTexts::reportWouldReplaceStatement());
            return;
        }
    }
    const std::string report = AuditReportCsv(*m_statement, *m_audit, reportTitle());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(report.data(), static_cast<qint64>(report.size())) < 0
        || !file.commit())
        platform().showValidationBox(this, AuditTexts::reportNotWritten(file.errorString()));
}

// As the command line heads it: the account's name (account audit), or the
// files merged without a store (audit FILE1 FILE2 …).
std::string StatementAuditWindow::reportTitle() const
{
    std::string title;
    if (m_store) {
        for (const store::AccountSummary &each : m_shown->accounts)
            if (m_shown->account == each.id)
                title = each.name;
        return title;
    }
    for (const UnstoredStatement &each : m_shown->unstored)
        title += (title.empty() ? "" : ", ") + each.file;
    return title;
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
    tabs->setTabText(tabs->indexOf(m_dividendTax), AuditTexts::dividendTaxTab());
    m_statements->setHorizontalHeaderLabels(AuditTexts::statementHeaders());
    showAccounts();
    showGaps();
    showStore();
    ShowMonthlyFees(m_chart->chart(), m_audit ? m_audit->months : std::vector<MonthFees>{});
    if (m_reading) {
        statusLabel->setText(AuditTexts::reading(shownFileName(m_readingPaths.front())));
    } else if (m_busy) {
        showFileShown();
        statusLabel->setText(m_statement ? AuditTexts::auditing() : QString());
    } else {
        showFileShown();
        // A message about a file that could not be read stays as it was said.
        if (statusLabel->styleSheet().isEmpty())
            showSummary();
    }
}

void StatementAuditWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void StatementAuditWindow::dropEvent(QDropEvent *event)
{
    const QList<QByteArray> paths = droppedFiles(event->mimeData());
    if (!paths.isEmpty()) {
        event->acceptProposedAction();
        runHandler([&] { openPaths(paths); });
    }
}

} // namespace tallyfin
