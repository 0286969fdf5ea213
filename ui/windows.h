#pragma once

#include <QObject>
#include <QStringList>
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

#include "feerules.h"

namespace tallyfin {

class AboutWindow;
class BatchDialog;
class CaptureOverlay;
class ColorPickerWindow;
class GoldenSectionWindow;
class HelpWindow;
class MainWindow;
class PositionToolsWindow;
class StatementWindowFactory;

// The program's windows and how they work together. The main window is made
// at once; every other window the first time the user opens it (or all at
// once, for a walk through every window), so that start-up builds and lays
// out only what is on screen. A window once made lives, with its field
// texts, until this object is destroyed; then the windows are destroyed in
// the reverse order of their making.
//
// The windows know nothing of each other: each asks by signal, and this
// object answers with the window asked for and hands each what it needs.
// The batch dialogs write into the main window; the golden-section
// calculator and the colour picker take the main window's place while they
// are open; the capture overlay brings it forward when it ends; the 持仓工具
// window computes on its fee settings of the moment.
//
// The 交割单核对 window comes from `statementWindows`, by default its plugin,
// loaded when the window is first opened (a test makes it in its own
// process); the factory must outlive this object.
class ProgramWindows {
public:
    enum class Making { OnFirstUse, AllAtOnce };

    explicit ProgramWindows(Making making = Making::OnFirstUse, StatementWindowFactory *statementWindows = nullptr);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;

    // Each window, made now unless it was before.
    MainWindow &mainWindow() const { return *m_main; }
    GoldenSectionWindow &goldenSection();
    BatchDialog &batchDialog(TradeSide side);
    AboutWindow &about();
    ColorPickerWindow &colorPicker();
    HelpWindow &help();
    CaptureOverlay &captureOverlay();
    PositionToolsWindow &positionTools();
    // Null where the window's plugin cannot be loaded (the user was told).
    QWidget *statementAudit();
    // The 交割单核对 window shown, the statement files `paths` (as given on
    // the command line or dropped) added to its account.
    void openStatements(const QStringList &paths);

    // The windows made so far, in the order of their making.
    std::vector<QWidget *> made() const;

private:
    template <typename Window>
    Window *keep(std::unique_ptr<Window> window);
    // Runs `answer` when `sender` sends `signal`, as a handler: an error is
    // shown, never thrown into Qt.
    template <typename Sender, typename Signal, typename Answer>
    void answer(Sender *sender, Signal signal, Answer answer);
    void answerMainWindow();
    void takeMainWindowsPlace(QWidget &tool);

    // The receiver of every answer: destroyed first, so that no window
    // asks for another while they are being destroyed.
    std::unique_ptr<QObject> m_answers = std::make_unique<QObject>();
    std::unique_ptr<StatementWindowFactory> m_statementPlugin; // unless a factory was given
    StatementWindowFactory *m_statementWindows;
    std::vector<std::unique_ptr<QWidget>> m_windows;
    MainWindow *m_main = nullptr;
    GoldenSectionWindow *m_goldenSection = nullptr;
    std::array<BatchDialog *, 2> m_batchDialogs{};
    AboutWindow *m_about = nullptr;
    ColorPickerWindow *m_colorPicker = nullptr;
    HelpWindow *m_help = nullptr;
    CaptureOverlay *m_captureOverlay = nullptr;
    PositionToolsWindow *m_positionTools = nullptr;
    QWidget *m_statementAudit = nullptr;
};

} // namespace tallyfin
