#include "windows.h"

#include "about.h"
#include "appearance.h"
#include "batchdialog.h"
#include "captureoverlay.h"
#include "colorpicker.h"
#include "goldensection.h"
#include "handler.h"
#include "help.h"
#include "mainwindow.h"
#include "positiontoolswindow.h"
#include "statementwindowloader.h"

namespace tallyfin {

template <typename Window>
Window *ProgramWindows::keep(std::unique_ptr<Window> window)
{
    Window *kept = window.get();
    m_windows.push_back(std::move(window));
    return kept;
}

template <typename Sender, typename Signal, typename Answer>
void ProgramWindows::answer(Sender *sender, Signal signal, Answer answer)
{
    QObject::connect(sender, signal, m_answers.get(), [answer] { runHandler(answer); });
}

ProgramWindows::ProgramWindows(Making making, StatementWindowFactory *statementWindows)
    : m_statementPlugin(statementWindows ? nullptr : std::make_unique<StatementWindowLoader>()),
      m_statementWindows(statementWindows ? statementWindows : m_statementPlugin.get())
{
    m_main = keep(std::make_unique<MainWindow>());
    answerMainWindow();
    if (making == Making::OnFirstUse)
        return;
    // In the order the program had them when it made them all at start-up.
    goldenSection();
    batchDialog(TradeSide::Buy);
    batchDialog(TradeSide::Sell);
    about();
    colorPicker();
    help();
    captureOverlay();
    statementAudit();
    positionTools();
}

ProgramWindows::~ProgramWindows()
{
    m_answers.reset();
    while (!m_windows.empty())
        m_windows.pop_back();
}

void ProgramWindows::answerMainWindow()
{
    QObject::connect(m_main, &MainWindow::batchesRequested, m_answers.get(), [this](TradeSide side) {
        runHandler([this, side] { batchDialog(side).showBeside(m_main); });
    });
    answer(m_main, &MainWindow::aboutRequested, [this] { showInFront(&about()); });
    answer(m_main, &MainWindow::goldenSectionRequested, [this] { takeMainWindowsPlace(goldenSection()); });
    answer(m_main, &MainWindow::colorPickerRequested, [this] { takeMainWindowsPlace(colorPicker()); });
    answer(m_main, &MainWindow::captureRequested, [this] { captureOverlay().startCapture(); });
    answer(m_main, &MainWindow::positionToolsRequested, [this] { showInFront(&positionTools()); });
    answer(m_main, &MainWindow::statementAuditRequested, [this] {
        if (QWidget *window = statementAudit())
            showInFront(window);
    });
    QObject::connect(m_main, &MainWindow::statementFilesDropped, m_answers.get(),
                     [this](const QStringList &paths) { runHandler([this, &paths] { openStatements(paths); }); });
}

void ProgramWindows::takeMainWindowsPlace(QWidget &tool)
{
    m_main->hide();
    showInFront(&tool);
}

GoldenSectionWindow &ProgramWindows::goldenSection()
{
    if (!m_goldenSection) {
        m_goldenSection = keep(std::make_unique<GoldenSectionWindow>());
        answer(m_goldenSection, &GoldenSectionWindow::aboutRequested, [this] { showInFront(&about()); });
        answer(m_goldenSection, &GoldenSectionWindow::helpRequested, [this] { help().showBeside(m_goldenSection); });
        answer(m_goldenSection, &GoldenSectionWindow::closed, [this] { m_main->show(); });
    }
    return *m_goldenSection;
}

BatchDialog &ProgramWindows::batchDialog(TradeSide side)
{
    BatchDialog *&dialog = m_batchDialogs[side == TradeSide::Buy ? 0 : 1];
    if (!dialog) {
        dialog = keep(std::make_unique<BatchDialog>(side));
        m_main->takeBatchesFrom(*dialog);
    }
    return *dialog;
}

AboutWindow &ProgramWindows::about()
{
    if (!m_about)
        m_about = keep(std::make_unique<AboutWindow>());
    return *m_about;
}

ColorPickerWindow &ProgramWindows::colorPicker()
{
    if (!m_colorPicker) {
        m_colorPicker = keep(std::make_unique<ColorPickerWindow>());
        answer(m_colorPicker, &ColorPickerWindow::closed, [this] { m_main->show(); });
    }
    return *m_colorPicker;
}

HelpWindow &ProgramWindows::help()
{
    if (!m_help)
        m_help = keep(std::make_unique<HelpWindow>());
    return *m_help;
}

CaptureOverlay &ProgramWindows::captureOverlay()
{
    if (!m_captureOverlay) {
        m_captureOverlay = keep(std::make_unique<CaptureOverlay>());
        answer(m_captureOverlay, &CaptureOverlay::ended, [this] {
            m_main->show();
            m_main->raise();
            m_main->activateWindow();
        });
    }
    return *m_captureOverlay;
}

PositionToolsWindow &ProgramWindows::positionTools()
{
    if (!m_positionTools) {
        m_positionTools = keep(std::make_unique<PositionToolsWindow>());
        // The main window is made first and destroyed last: it outlives this one.
        m_positionTools->takeFeeSettingsFrom([main = m_main] { return main->feeSettings(); });
    }
    return *m_positionTools;
}

QWidget *ProgramWindows::statementAudit()
{
    if (!m_statementAudit) {
        if (QWidget *window = m_statementWindows->createWindow(nullptr))
            m_statementAudit = keep(std::unique_ptr<QWidget>(window));
    }
    return m_statementAudit;
}

void ProgramWindows::openStatements(const QStringList &paths)
{
    if (QWidget *window = statementAudit()) {
        showInFront(window);
        m_statementWindows->openFiles(window, paths);
    }
}

std::vector<QWidget *> ProgramWindows::made() const
{
    std::vector<QWidget *> windows;
    for (const std::unique_ptr<QWidget> &window : m_windows)
        windows.push_back(window.get());
    return windows;
}

} // namespace tallyfin
