#include "statementwindowloader.h"

#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

#include <utility>

#include "platform.h"

namespace tallyfin {

namespace {

const QString kPluginFile = QStringLiteral(TALLYFIN_STATEMENT_WINDOW_PLUGIN);

} // namespace

StatementWindowLoader::StatementWindowLoader(QStringList folders) : m_folders(std::move(folders)) {}

QStringList StatementWindowLoader::programPluginFolders()
{
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.path(), QDir::cleanPath(program.filePath(QStringLiteral(TALLYFIN_PLUGIN_FROM_PROGRAM)))};
}

QWidget *StatementWindowLoader::createWindow(QWidget *parent)
{
    StatementWindowFactory *factory = plugin();
    return factory ? factory->createWindow(parent) : nullptr;
}

void StatementWindowLoader::openFiles(QWidget *window, const QStringList &paths)
{
    // A window exists only where the plugin was loaded.
    Q_ASSERT(m_plugin);
    m_plugin->openFiles(window, paths);
}

void StatementWindowLoader::sharePlatform(Platform &(*programPlatform)())
{
    m_platform = programPlatform;
    if (m_plugin)
        m_plugin->sharePlatform(m_platform);
}

StatementWindowFactory *StatementWindowLoader::plugin()
{
    if (m_plugin)
        return m_plugin;
    for (const QString &folder : std::as_const(m_folders)) {
        const QString file = QDir(folder).filePath(kPluginFile);
        if (!QFileInfo::exists(file))
            continue;
        QPluginLoader loader(file);
        m_plugin = qobject_cast<StatementWindowFactory *>(loader.instance());
        if (m_plugin) {
            m_plugin->sharePlatform(m_platform);
            return m_plugin;
        }
        const QString reason = loader.isLoaded() ? tr("它不是本程序的这个组件") : loader.errorString();
        platform().showErrorBox(tr("交割单核对无法打开：组件 %1 未能载入（%2）。请重新安装 Tallyfin。")
                                    .arg(QDir::toNativeSeparators(file), reason));
        return nullptr;
    }
    QStringList shown;
    for (const QString &folder : std::as_const(m_folders))
        shown << QDir::toNativeSeparators(folder);
    platform().showErrorBox(tr("交割单核对无法打开：在 %1 中找不到它的组件 %2。请重新安装 Tallyfin。")
                                .arg(shown.join(QStringLiteral("、")), kPluginFile));
    return nullptr;
}

} // namespace tallyfin
