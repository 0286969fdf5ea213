#include "statementauditfactory.h"

#include "platform.h"
#include "statementaudit.h"

namespace tallyfin {

QWidget *StatementAuditWindowFactory::createWindow(QWidget *parent) { return new StatementAuditWindow(parent); }

void StatementAuditWindowFactory::openFiles(QWidget *window, const QStringList &paths)
{
    auto *audit = qobject_cast<StatementAuditWindow *>(window);
    Q_ASSERT(audit);
    audit->openFiles(paths);
}

void StatementAuditWindowFactory::sharePlatform(Platform &(*programPlatform)()) { followPlatformOf(programPlatform); }

} // namespace tallyfin
