#pragma once

#include <QStringList>
#include <QtPlugin>

class QWidget;

namespace tallyfin {

class Platform;

// Makes 交割单核对 windows. The window, with the statement reader, Qt Charts
// and the spreadsheet libraries that only it needs, is a plugin the program
// loads when the window is first opened (see StatementWindowLoader); tests
// make it in their own process (StatementAuditWindowFactory).
class StatementWindowFactory {
public:
    virtual ~StatementWindowFactory() = default;

    // A new window, a top-level one for a null `parent`, owned by the caller
    // (ProgramWindows keeps it until the program ends). Null only where no
    // window can be made; the user has then been told why.
    virtual QWidget *createWindow(QWidget *parent) = 0;
    // Adds the statement files `paths` (as QFile names them) to the account
    // `window` shows, one this factory made, as its own 打开文件… does.
    virtual void openFiles(QWidget *window, const QStringList &paths) = 0;
    // The program's platform() (platform.h), which the windows made here
    // then use for every box and dialog. Called before the first window.
    virtual void sharePlatform(Platform &(*programPlatform)()) = 0;
};

} // namespace tallyfin

#define TALLYFIN_STATEMENT_WINDOW_FACTORY_IID "io.github.tallyfin.StatementWindowFactory/1"
Q_DECLARE_INTERFACE(tallyfin::StatementWindowFactory, TALLYFIN_STATEMENT_WINDOW_FACTORY_IID)
