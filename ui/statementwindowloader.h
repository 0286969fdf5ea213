#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include "platform.h"
#include "statementwindowfactory.h"

namespace tallyfin {

// The statement window's plugin, loaded when the first window is asked for
// and kept loaded while the program runs. Where it cannot be loaded, the
// user is told why in the error box, and asking again tries again.
class StatementWindowLoader final : public StatementWindowFactory {
    Q_DECLARE_TR_FUNCTIONS(tallyfin::StatementWindowLoader)

public:
    // Looks for the plugin's file in `folders`, in their order.
    explicit StatementWindowLoader(QStringList folders = programPluginFolders());

    QWidget *createWindow(QWidget *parent) override;
    void openFiles(QWidget *window, const QStringList &paths) override;
    void sharePlatform(Platform &(*programPlatform)()) override;

    // Where the program looks: beside its executable (the build tree), then
    // where it is installed, lib/tallyfin beside the executable's bin/.
    static QStringList programPluginFolders();

private:
    // The plugin's factory; null after telling the user.
    StatementWindowFactory *plugin();

    QStringList m_folders;
    StatementWindowFactory *m_plugin = nullptr;
    Platform &(*m_platform)() = &platform; // handed to the plugin
};

} // namespace tallyfin
