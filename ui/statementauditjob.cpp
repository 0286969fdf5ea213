#include "statementauditjob.h"

#include <QPointer>
#include <QThread>

#include <algorithm>
#include <exception>

#include "messages.h"
#include "translatedtext.h"

namespace tallyfin {

using statement::Audit;
using statement::AuditOptions;
using statement::Statement;

namespace {

// Reading is most of the work; the audit the last part.
constexpr double kReadShare = 0.75;

} // namespace

// What one job does and has, shared by its thread and the job object.
struct StatementAuditJob::Run {
    std::string path;
    std::shared_ptr<const Statement> statement;
    AuditOptions options;
    std::atomic<bool> stop = false;
    std::atomic<int> reported = -1;
    std::shared_ptr<const Audit> audit;
    std::shared_ptr<const statement::StatementPositions> positions; // of a file read by this run
    std::string error; // what stopped the work, if anything but a stop or a failure to read
};

void StatementAuditJob::work(Run &run, const statement::Progress &report)
{
    const bool reads = !run.statement;
    if (reads) {
        const statement::Progress reading = [&report](double fraction) { return report(fraction * kReadShare); };
        run.statement = std::make_shared<const Statement>(statement::ReadStatementFile(run.path, reading));
    }
    if (run.statement->failure || run.stop)
        return;
    if (reads)
        run.positions = std::make_shared<const statement::StatementPositions>(statement::PositionsOfStatement(*run.statement));
    const statement::Progress auditing = [&report](double fraction) {
        return report(kReadShare + fraction * (1 - kReadShare));
    };
    if (std::optional<Audit> made = statement::AuditStatement(*run.statement, run.options, auditing))
        run.audit = std::make_shared<const Audit>(std::move(*made));
}

StatementAuditJob::StatementAuditJob(QObject *parent) : QObject(parent) {}

StatementAuditJob::~StatementAuditJob()
{
    cancel();
    for (QThread *thread : m_threads) {
        thread->wait();
        delete thread;
    }
}

void StatementAuditJob::readAndAudit(const QByteArray &path, const AuditOptions &options)
{
    auto run = std::make_shared<Run>();
    run->path = path.toStdString();
    run->options = options;
    start(std::move(run));
}

void StatementAuditJob::audit(std::shared_ptr<const Statement> statement, const AuditOptions &options)
{
    auto run = std::make_shared<Run>();
    run->statement = std::move(statement);
    run->options = options;
    start(std::move(run));
}

void StatementAuditJob::cancel()
{
    if (m_current)
        m_current->stop = true;
    m_current.reset();
}

void StatementAuditJob::start(std::shared_ptr<Run> run)
{
    cancel();
    m_current = run;
    QPointer<StatementAuditJob> self(this);
    // Tells the job's own thread, throttled to whole thousandths; false once stale.
    const auto report = [self, run](double fraction) {
        const int thousandths = static_cast<int>(fraction * 1000);
        if (run->reported.exchange(thousandths) != thousandths)
            QMetaObject::invokeMethod(
                self, [self, run, thousandths] {
                    if (self && self->m_current == run)
                        Q_EMIT self->progressed(thousandths);
                },
                Qt::QueuedConnection);
        return !run->stop;
    };
    QThread *thread = QThread::create([run, report] {
        // Nothing may escape a thread's function: the error goes to the window.
        try {
            work(*run, report);
        } catch (const std::exception &error) {
            run->error = error.what();
        }
    });
    connect(thread, &QThread::finished, this, [this, thread, run] {
        std::erase(m_threads, thread);
        thread->deleteLater();
        deliver(run);
    });
    m_threads.push_back(thread);
    thread->start();
}

void StatementAuditJob::deliver(const std::shared_ptr<Run> &run)
{
    if (m_current != run)
        return;
    m_current.reset();
    if (run->audit) {
        if (run->positions)
            Q_EMIT positionsWorkedOut(run->positions);
        Q_EMIT audited(run->statement, run->audit);
    }
    else if (run->statement && run->statement->failure)
        Q_EMIT failed(translated(statement::FailureText(*run->statement->failure)));
    else
        Q_EMIT failed(QString::fromStdString(run->error));
}

} // namespace tallyfin
