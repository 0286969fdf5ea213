#pragma once

#include "statementwindowfactory.h"

namespace tallyfin {

// Makes StatementAuditWindows in this process: the plugin's factory, and the
// tests'.
class StatementAuditWindowFactory : public StatementWindowFactory {
public:
    QWidget *createWindow(QWidget *parent) override;
    void openFiles(QWidget *window, const QStringList &paths) override;
    void sharePlatform(Platform &(*programPlatform)()) override;
};

} // namespace tallyfin
