// The statement window as a plugin (a shared object QPluginLoader loads), so
// that the program maps its libraries only when the window is first opened.
#include <QObject>

#include <dlfcn.h>

#include <string>

#include "spreadsheets.h"
#include "statementauditfactory.h"

namespace tallyfin {
namespace {

// A file beside this plugin, or `name` alone where the plugin's own file
// cannot be found (starting it then fails with a message, never another
// program).
std::string besideThisPlugin(const std::string &name)
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void *>(&besideThisPlugin), &info) == 0 || !info.dli_fname)
        return name;
    const std::string plugin = info.dli_fname;
    const std::size_t slash = plugin.rfind('/');
    return slash == std::string::npos ? name : plugin.substr(0, slash + 1) + name;
}

} // namespace

class StatementWindowPlugin : public QObject, public StatementAuditWindowFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TALLYFIN_STATEMENT_WINDOW_FACTORY_IID)
    Q_INTERFACES(tallyfin::StatementWindowFactory)

public:
    // The program that loads the plugin cannot be started as the .xls
    // reader: the reader installed beside the plugin is started instead.
    StatementWindowPlugin() { statement::UseWorkbookReaderProgram(besideThisPlugin(TALLYFIN_XLS_READER)); }
};

} // namespace tallyfin

#include "statementwindowplugin.moc"
