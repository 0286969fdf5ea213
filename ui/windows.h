#pragma once

#include <QWidget>

#include <memory>
#include <vector>

namespace tallyfin {

class PositionToolsWindow;

// The program's windows in their order of creation.
using Windows = std::vector<std::unique_ptr<QWidget>>;

class StatementAuditWindow;

// Creates every window once, Form1 … Form8 in this order, each global set as
// its window is made, then the statement audit window, which the main
// window's "交割单核对" shows. Destroy them in reverse.
Windows createWindows();

// The windows as the program makes them when it starts: the main window at
// once, every other window the first time its global is used or the main
// window asks for it (the user opens it), so that start-up builds and lays
// out only what is on screen. A window once made lives, with its field
// texts, until this object is destroyed; then the windows are destroyed in
// the reverse order of their making. The 持仓工具 window computes on the
// main window's fee settings of the moment.
class ProgramWindows {
public:
    ProgramWindows();
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;

private:
    void showPositionTools();
    StatementAuditWindow *statementAudit();

    Windows m_windows;
    PositionToolsWindow *m_positionTools = nullptr;
    StatementAuditWindow *m_statementAudit = nullptr;
};

} // namespace tallyfin
