#include "windows.h"

#include "mainwindow.h"
#include "goldensection.h"
#include "Unit3.h"
#include "Unit4.h"
#include "about.h"
#include "colorpicker.h"
#include "help.h"
#include "captureoverlay.h"
#include "appearance.h"
#include "handler.h"
#include "positiontoolswindow.h"
#include "statementaudit.h"

namespace tallyfin {

namespace {

// How a window made after the main window works with it: a batch dialog
// hands its reduced rows to the main window; the others need nothing.
void connectToMainWindow(QWidget &) {}
void connectToMainWindow(BatchDialog &dialog) { Form1->takeBatchesFrom(dialog); }

template <typename Form>
void create(Form *&global, Windows &windows)
{
    global = new Form;
    windows.emplace_back(global);
}

template <typename Form>
void create(WindowGlobal<Form> &global, Windows &windows)
{
    auto *form = new Form;
    windows.emplace_back(form);
    global = form;
    connectToMainWindow(*form);
}

// Where the windows made on first use go; set while a ProgramWindows lives.
Windows *g_madeOnFirstUse = nullptr;

template <typename Form>
Form *makeOnFirstUse()
{
    auto *form = new Form;
    g_madeOnFirstUse->emplace_back(form);
    connectToMainWindow(*form);
    return form;
}

// Lets every secondary global make its window on first use, or with false
// stops them.
void setMakers(bool make)
{
    Form2.makeOnFirstUse(make ? &makeOnFirstUse<TForm2> : nullptr);
    Form3.makeOnFirstUse(make ? &makeOnFirstUse<TForm3> : nullptr);
    Form4.makeOnFirstUse(make ? &makeOnFirstUse<TForm4> : nullptr);
    Form5.makeOnFirstUse(make ? &makeOnFirstUse<TForm5> : nullptr);
    Form6.makeOnFirstUse(make ? &makeOnFirstUse<TForm6> : nullptr);
    Form7.makeOnFirstUse(make ? &makeOnFirstUse<TForm7> : nullptr);
    Form8.makeOnFirstUse(make ? &makeOnFirstUse<TForm8> : nullptr);
}

// The main window's "交割单核对" shows the window `made` gives (made then, or before).
template <typename Maker>
void showStatementAuditOnRequest(Maker made)
{
    QObject::connect(Form1, &TForm1::statementAuditRequested, Form1, [made] { runHandler([&] { showInFront(made()); }); });
}

} // namespace

Windows createWindows()
{
    Windows windows;
    create(Form1, windows);
    create(Form2, windows);
    create(Form3, windows);
    create(Form4, windows);
    create(Form5, windows);
    create(Form6, windows);
    create(Form7, windows);
    create(Form8, windows);
    auto *audit = new StatementAuditWindow;
    windows.emplace_back(audit);
    showStatementAuditOnRequest([audit] { return audit; });
    return windows;
}

ProgramWindows::ProgramWindows()
{
    create(Form1, m_windows);
    g_madeOnFirstUse = &m_windows;
    setMakers(true);
    QObject::connect(Form1, &TForm1::positionToolsRequested, Form1,
                     [this] { runHandler([this] { showPositionTools(); }); });
    showStatementAuditOnRequest([this] { return statementAudit(); });
}

void ProgramWindows::showPositionTools()
{
    if (!m_positionTools) {
        auto window = std::make_unique<PositionToolsWindow>();
        // The main window is made first and destroyed last: it outlives this one.
        window->takeFeeSettingsFrom([main = Form1] { return main->feeSettings(); });
        m_positionTools = window.get();
        m_windows.push_back(std::move(window));
    }
    showInFront(m_positionTools);
}

StatementAuditWindow *ProgramWindows::statementAudit()
{
    if (!m_statementAudit) {
        m_statementAudit = new StatementAuditWindow;
        m_windows.emplace_back(m_statementAudit);
    }
    return m_statementAudit;
}

ProgramWindows::~ProgramWindows()
{
    // No window is made while the others are being destroyed.
    setMakers(false);
    g_madeOnFirstUse = nullptr;
    while (!m_windows.empty())
        m_windows.pop_back();
}

} // namespace tallyfin
