#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <vector>

#include "audit.h"
#include "holdings.h"

class QThread;

namespace tallyfin {

// A statement read and audited off the GUI thread. One result counts: a
// new job makes every earlier one stale (it is cancelled, and whatever it
// still delivers is dropped). Signals arrive on the thread the job object
// lives in; destroying it cancels and waits for its threads.
class StatementAuditJob : public QObject {
    Q_OBJECT

public:
    explicit StatementAuditJob(QObject *parent = nullptr);
    ~StatementAuditJob() override;

    // Reads the file (its path as the file system names it: bytes that need
    // not be UTF-8), then audits it under `options`.
    void readAndAudit(const QByteArray &path, const statement::AuditOptions &options);
    // Audits a statement already read (the agreement or the comparison changed).
    void audit(std::shared_ptr<const statement::Statement> statement, const statement::AuditOptions &options);
    // Makes the job stale: it stops soon and signals nothing more.
    void cancel();
    bool running() const { return !m_threads.empty(); }

Q_SIGNALS:
    // The share of the work done, in thousandths.
    void progressed(int thousandths);
    void audited(std::shared_ptr<const statement::Statement> statement, std::shared_ptr<const statement::Audit> audit);
    // A file just read: what each holding cost (just before audited()).
    void positionsWorkedOut(std::shared_ptr<const statement::StatementPositions> positions);
    // The file could not be read at all, or the audit stopped on an error:
    // why, in the language shown.
    void failed(const QString &reason);

private:
    struct Run;
    // Reads the statement unless the run has it, then audits it; `report`
    // takes the fraction done and says whether to go on. On the job's thread.
    static void work(Run &run, const statement::Progress &report);
    void start(std::shared_ptr<Run> run);
    void deliver(const std::shared_ptr<Run> &run);

    std::shared_ptr<Run> m_current;
    std::vector<QThread *> m_threads;
};

} // namespace tallyfin
