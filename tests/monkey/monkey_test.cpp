// The monkey: a seeded random walk of user actions over the whole program
// (all ten windows, made as the program makes them) that checks after every
// action that no window is lost or shown out of turn, that the main window
// can always be brought back and that no exception escaped, and at intervals
// that the program still calculates, projects and captures correctly.
//
// Replay a failure with the seed it prints:
//   TALLYFIN_MONKEY_SEED=<seed> TALLYFIN_MONKEY_ACTIONS=<n> monkey_tests
// (or --seed=<seed> --actions=<n>).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdlib>
#include <cstdint>
#include <deque>
#include <exception>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "about.h"
#include "batchdialog.h"
#include "bitmapfile.h"
#include "bmp_file.h"
#include "captureoverlay.h"
#include "colorpicker.h"
#include "escapes.h"
#include "fake_platform.h"
#include "goldensection.h"
#include "handler.h"
#include "help.h"
#include "mainwindow.h"
#include "positiontoolswindow.h"
#include "qt_printers.h"
#include "statementauditfactory.h"
#include "windows.h"

namespace tallyfin {
namespace {

using testing::FakePlatform;

// --- Settings -------------------------------------------------------------

struct WalkSettings {
    std::uint64_t seed = 20260607;
    int actions = 20000;
    // A bound on the walk's time: a much slower machine ends the walk early
    // (and says so) rather than holding up the build.
    int seconds = 600;
    int checkpointEvery = 2500;
};

std::uint64_t numberFromEnvironment(const char *name, std::uint64_t fallback)
{
    bool ok = false;
    const qulonglong value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

WalkSettings settingsFromEnvironment()
{
    WalkSettings settings;
    settings.seed = numberFromEnvironment("TALLYFIN_MONKEY_SEED", settings.seed);
    settings.actions = int(numberFromEnvironment("TALLYFIN_MONKEY_ACTIONS", std::uint64_t(settings.actions)));
    settings.seconds = int(numberFromEnvironment("TALLYFIN_MONKEY_SECONDS", std::uint64_t(settings.seconds)));
    return settings;
}

// --- Randomness -------------------------------------------------------------

// The engine's sequence is fixed by the standard; the distributions are not,
// so the walk draws its numbers itself and replays alike everywhere.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_engine(seed) {}

    int below(int count) { return int(m_engine() % std::uint64_t(std::max(count, 1))); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T>
    const T &pick(const std::vector<T> &items) { return items[std::size_t(below(int(items.size())))]; }

private:
    std::mt19937_64 m_engine;
};

// --- The program ------------------------------------------------------------

// In the order ProgramWindows makes them all.
enum Window { Main, Golden, BuyBatches, SellBatches, About, Picker, Help, Capture, Audit, PositionTools, kWindowCount };
constexpr const char *kWindowNames[kWindowCount] = {"MainWindow", "GoldenSection", "BuyBatches", "SellBatches",
                                                    "About",      "ColorPicker",   "Help",       "CaptureOverlay",
                                                    "StatementAudit", "PositionTools"};
using Visibility = std::bitset<kWindowCount>;

std::string describe(const Visibility &shown)
{
    std::string text;
    for (int w = 0; w < kWindowCount; ++w)
        if (shown[std::size_t(w)])
            text += std::string(text.empty() ? "" : " ") + kWindowNames[w];
    return "{" + text + "}";
}

// A box's text without what varies: "'…' is not a valid floating point value".
std::string boxPattern(const QString &text)
{
    QString pattern = text;
    pattern.replace(QRegularExpression(QStringLiteral("'[^']*'")), QStringLiteral("'…'"));
    pattern.replace(QRegularExpression(QStringLiteral("\"[^\"]*\"")), QStringLiteral("\"…\""));
    return pattern.toStdString();
}

// The windows as the program makes them, all at once in their order, the
// main window shown; destroyed in reverse when the main window's close ends
// the program.
class Program {
public:
    Program() : m_windows(std::make_unique<ProgramWindows>(ProgramWindows::Making::AllAtOnce, &m_statementWindows))
    {
        const std::vector<QWidget *> made = m_windows->made();
        for (std::size_t w = 0; w < made.size() && w < m_made.size(); ++w)
            m_made[w] = m_watched[w] = made[w];
        EXPECT_EQ(made.size(), m_made.size()) << "the walk knows every window";
    }
    ~Program()
    {
        // A window destroyed behind the program's back (already reported)
        // must not be destroyed twice: the windows are left as they are.
        if (std::any_of(m_watched.begin(), m_watched.end(), [](const QPointer<QWidget> &w) { return w.isNull(); }))
            static_cast<void>(m_windows.release());
    }
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    void showMain()
    {
        window(Main)->show();
        QApplication::setActiveWindow(window(Main));
    }

    QWidget *window(Window w) const { return m_watched[std::size_t(w)]; }
    const QWidget *created(Window w) const { return m_made[std::size_t(w)]; }
    ColorPickerWindow &picker() const { return m_windows->colorPicker(); }

    // The window the program hands out when asked for `w`.
    const QWidget *handedOut(Window w) const
    {
        switch (w) {
        case Main: return &m_windows->mainWindow();
        case Golden: return &m_windows->goldenSection();
        case BuyBatches: return &m_windows->batchDialog(TradeSide::Buy);
        case SellBatches: return &m_windows->batchDialog(TradeSide::Sell);
        case About: return &m_windows->about();
        case Picker: return &m_windows->colorPicker();
        case Help: return &m_windows->help();
        case Capture: return &m_windows->captureOverlay();
        case Audit: return m_windows->statementAudit();
        case PositionTools: return &m_windows->positionTools();
        case kWindowCount: break;
        }
        return nullptr;
    }

    bool owns(const QWidget *widget) const { return std::find(m_made.begin(), m_made.end(), widget) != m_made.end(); }

    Visibility shown() const
    {
        Visibility shown;
        for (int w = 0; w < kWindowCount; ++w)
            shown[std::size_t(w)] = m_watched[std::size_t(w)] && m_watched[std::size_t(w)]->isVisible();
        return shown;
    }

private:
    StatementAuditWindowFactory m_statementWindows;
    std::unique_ptr<ProgramWindows> m_windows;
    std::array<const QWidget *, kWindowCount> m_made{};
    // Becomes null if a window is ever destroyed behind the program's back.
    std::array<QPointer<QWidget>, kWindowCount> m_watched;
};

// Sees every event: the main window's close (which ends the program) and any
// window that is not one of the ten, such as a real modal box that would
// block the walk; that one is recorded and dismissed.
class Watcher : public QObject {
public:
    const Program *program = nullptr;
    bool mainClosed = false;
    std::vector<std::string> strangers;
    int paints = 0;

    // A list's popup belongs to the window of its list.
    bool ownsWindow(const QWidget *widget) const
    {
        if (!program)
            return false;
        if (widget->windowType() == Qt::Popup && widget->parentWidget())
            widget = widget->parentWidget()->window();
        return program->owns(widget);
    }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Close && program && object == program->created(Main))
            mainClosed = true;
        if (event->type() == QEvent::Paint)
            ++paints;
        if (event->type() == QEvent::Show && object->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(object);
            if (widget->isWindow() && !ownsWindow(widget))
                dismiss(widget);
        }
        return false;
    }

private:
    void dismiss(QWidget *widget)
    {
        strangers.push_back(std::string(widget->metaObject()->className()) + " \""
                            + widget->windowTitle().toStdString() + "\"");
        if (auto *dialog = qobject_cast<QDialog *>(widget))
            QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
        else
            QMetaObject::invokeMethod(widget, &QWidget::close, Qt::QueuedConnection);
    }
};

// --- What an action does to the windows --------------------------------------

struct Effect {
    Window window;
    bool shown;
};

// Pressing a control (button, check box or menu item) of a window: the
// windows it shows or hides; every other window stays as it was. A control
// not listed changes no window. An error box means the handler stopped
// before its last step, which is where every window change is made.
struct PressEffect {
    Window window;
    const char *control;
    std::vector<Effect> effects;
    bool endsProgram = false;
};

const std::vector<PressEffect> kPressEffects = {
    {Main, "Button3", {}, true},
    {Main, "X1", {}, true},
    {Main, "Button4", {{BuyBatches, true}}},
    {Main, "Button5", {{SellBatches, true}}},
    {Main, "Button6", {{About, true}}},
    {Main, "A2", {{About, true}}},
    {Main, "Button7", {{Main, false}, {Golden, true}}},
    {Main, "N1", {{Main, false}, {Golden, true}}},
    {Main, "Button8", {{Main, false}, {Picker, true}}},
    {Main, "N2", {{Main, false}, {Picker, true}}},
    {Main, "btn1", {{Capture, true}}},
    {Main, "N10", {{Capture, true}}},
    {Main, "statementAuditButton", {{Audit, true}}},
    {Main, "statementAuditAction", {{Audit, true}}},
    {Main, "positionTools", {{PositionTools, true}}},
    {Main, "positionToolsAction", {{PositionTools, true}}},
    {Golden, "tuichu", {{Golden, false}, {Main, true}}},
    {Golden, "Button1", {{About, true}}},
    {Golden, "Button3", {{Help, true}}},
    {BuyBatches, "Button1", {{BuyBatches, false}}},
    {SellBatches, "Button1", {{SellBatches, false}}},
    {About, "Button1", {{About, false}}},
};

// The close box: every window is only hidden; the tools that hid the main
// window, and the overlay, bring it back; the main window's ends the program.
std::vector<Effect> closeEffects(Window w)
{
    switch (w) {
    case Golden:
    case Picker:
    case Capture:
        return {{w, false}, {Main, true}};
    default:
        return {{w, false}};
    }
}

// Escape closes the dialogs and ends a capture; the other windows ignore it.
std::vector<Effect> escapeEffects(Window w)
{
    switch (w) {
    case BuyBatches:
    case SellBatches:
    case About:
    case Help:
        return {{w, false}};
    case Capture:
        return {{Capture, false}, {Main, true}};
    default:
        return {};
    }
}

Visibility after(Visibility shown, const std::vector<Effect> &effects)
{
    for (const Effect &effect : effects)
        shown[std::size_t(effect.window)] = effect.shown;
    return shown;
}

// --- Texts a user might type ---------------------------------------------------

const std::vector<QString> kChineseTexts = {"一百", "十元", "价格", "１２３", "１０．５",
                                           "￥10", "三万", "〇",   "五。五"};
const std::vector<QString> kOddTexts = {
    "abc", "NaN", "nan", "INF", "-inf", "0x1A", "1..2", ".", ",", "-", "+", "e5", "1e", "%", "1,000,000",
    "--5", "+-3", "5-", "0", "00000", "-0", "0.0000001", "999999999999999999999", "1e4933", "1e-4951",
    "4.9e-324", "1.7976931348623157e308", "$5", "5 5", "\u00a05"};
const std::vector<QString> kWorkedTexts = {"10", "1000", "11", "3.0", "0.5", "2.5", "100", "15", "0.1"};

// --- Save-dialog answers ---------------------------------------------------------

// Relative to the walk's folder. Good names are saved (some replace an older
// file); bad ones fail and must leave the overlay for another try.
const std::vector<QString> kGoodNames = {"shot", "shot.png", "截图", "a.b/shot", "older.bmp", "dots.in.name.jpg"};
const std::vector<QString> kBadNames = {"no/such/folder/shot", "taken", "notes/shot"};

// --- The walk --------------------------------------------------------------------

class Monkey {
public:
    Monkey(FakePlatform &fake, const WalkSettings &settings)
        : m_fake(fake), m_settings(settings), m_random(settings.seed)
    {
        QApplication::instance()->installEventFilter(&m_watcher);
        prepareFolder();
        m_fake.screen = gradientScreen(QGuiApplication::primaryScreen()->geometry().size());
        start();
    }
    ~Monkey()
    {
        m_program.reset();
        QApplication::instance()->removeEventFilter(&m_watcher);
    }
    Monkey(const Monkey &) = delete;
    Monkey &operator=(const Monkey &) = delete;

    // Runs the walk; stops at the first broken rule.
    void walk()
    {
        QElapsedTimer clock;
        clock.start();
        for (m_done = 0; m_done < m_settings.actions && !::testing::Test::HasFailure(); ++m_done) {
            if (clock.elapsed() > qint64(m_settings.seconds) * 1000) {
                m_stoppedEarly = true;
                break;
            }
            step();
            if ((m_done + 1) % m_settings.checkpointEvery == 0)
                checkpoint();
        }
        if (!::testing::Test::HasFailure())
            checkpoint();
        m_elapsed = clock.elapsed();
    }

    // Ends the program the user's way and checks that it ended.
    void quit()
    {
        bringBackMain();
        record("final: 退出");
        QTest::mouseClick(button(Main, "Button3"), Qt::LeftButton);
        settle();
        expect(m_watcher.mainClosed, "退出 did not close the main window");
        m_program.reset();
    }

    int done() const { return m_done; }
    bool stoppedEarly() const { return m_stoppedEarly; }
    const std::vector<std::string> &transcript() const { return m_transcript; }
    std::string summary() const;

private:
    // --- one action ---
    void step();
    void overlayAction();
    void overlayRelease(QPoint at, Qt::MouseButton mouseButton);
    QPoint onOverlay(QPoint at) const;
    void expectSaved(const QString &name, const QRect &area);
    void closePopup();
    void typeText(Window w);
    void pressButton(Window w);
    void pressKey(Window w);
    void closeBox(Window w);
    void chooseInCombo();
    void triggerMenu();
    void pickerTick();
    void changeSeparator();

    // --- checks ---
    void checkRules();
    void expectShown(const Visibility &expected, const std::string &what);
    void expect(bool condition, const std::string &what);
    std::string context() const;

    // --- probes at checkpoints ---
    void checkpoint();
    void bringBackMain();
    void expectWorkedExample();
    void expectGoldenExample();
    void expectCaptureSaves();

    // --- helpers ---
    void start();
    void restart();
    void settle();
    void record(const std::string &action);
    void prepareFolder();
    void writeOlderPicture();
    QStringList folderEntries() const;
    static QImage gradientScreen(QSize size);
    QWidget *window(Window w) const { return m_program->window(w); }
    QAbstractButton *button(Window w, const char *name) const
    {
        return window(w)->findChild<QAbstractButton *>(QString::fromLatin1(name));
    }
    QLineEdit *field(Window w, const char *name) const
    {
        return window(w)->findChild<QLineEdit *>(QString::fromLatin1(name));
    }
    void activate(Window w);
    std::vector<Window> shownWindows() const;
    QPoint randomPointIn(const QWidget *widget);
    QString randomText();
    std::string deliver(QWidget *field, const QString &text);
    void applyPress(Window w, const QString &control, const Visibility &before, std::size_t errorsBefore);
    std::size_t errorBoxes() const;
    void stopIfProgramEnded(bool expected);

    FakePlatform &m_fake;
    WalkSettings m_settings;
    Random m_random;
    Watcher m_watcher;
    QTemporaryDir m_folder;
    std::unique_ptr<Program> m_program;

    // The capture's rubber band as the overlay must see it.
    bool m_bandActive = false;
    QPoint m_anchor;

    int m_done = 0;
    bool m_stoppedEarly = false;
    qint64 m_elapsed = 0;
    int m_restarts = 0;
    int m_saved = 0;
    int m_refusedSaves = 0;
    std::size_t m_errorBoxes = 0;
    std::size_t m_validationBoxes = 0;
    std::map<std::string, int> m_counts;
    // The boxes' texts with their numbers and quoted inputs left out.
    std::map<std::string, int> m_boxTexts;
    // What the walk's folder holds between captures: nothing more may stay.
    QStringList m_folderEntries;
    std::deque<std::string> m_recent;
    std::vector<std::string> m_transcript;
};

// --- helpers ---

void Monkey::start()
{
    m_program = std::make_unique<Program>();
    m_watcher.program = m_program.get();
    m_watcher.mainClosed = false;
    m_bandActive = false;
    m_program->showMain();
    settle();
}

void Monkey::restart()
{
    m_watcher.program = nullptr;
    m_program.reset();
    // A new window may take the address of an old one.
    m_fake.onTopCalls.clear();
    ++m_restarts;
    start();
}

void Monkey::settle()
{
    // Posted events (paints, layouts, window-system events) but no timers: the
    // picker's samples are the walk's own actions, so a replay is exact.
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::X11ExcludeTimers);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Monkey::record(const std::string &action)
{
    m_recent.push_back(std::to_string(m_done) + ": " + action);
    if (m_recent.size() > 40)
        m_recent.pop_front();
    m_transcript.push_back(action);
}

void Monkey::prepareFolder()
{
    QDir folder(m_folder.path());
    folder.mkdir("a.b");
    folder.mkdir("taken.bmp");
    QFile notes(folder.filePath("notes"));
    if (notes.open(QIODevice::WriteOnly))
        notes.write("a file, not a folder");
    writeOlderPicture();
    m_folderEntries = folderEntries();
}

void Monkey::writeOlderPicture()
{
    QFile older(m_folder.filePath("older.bmp"));
    if (older.open(QIODevice::WriteOnly))
        older.write("an older picture, replaced by each save under its name");
}

QStringList Monkey::folderEntries() const
{
    QStringList entries;
    QDirIterator it(m_folder.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << it.next();
    entries.sort();
    return entries;
}

QImage Monkey::gradientScreen(QSize size)
{
    QImage screen(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            screen.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256));
    return screen;
}

void Monkey::activate(Window w)
{
    // The user clicks into a window before working in it.
    window(w)->raise();
    QApplication::setActiveWindow(window(w));
}

std::vector<Window> Monkey::shownWindows() const
{
    std::vector<Window> shown;
    for (int w = 0; w < kWindowCount; ++w)
        if (w != Capture && window(Window(w))->isVisible())
            shown.push_back(Window(w));
    return shown;
}

QPoint Monkey::randomPointIn(const QWidget *widget)
{
    // QTest reads (0, 0) as "the centre": stay inside by one pixel.
    return {m_random.between(1, std::max(1, widget->width() - 2)),
            m_random.between(1, std::max(1, widget->height() - 2))};
}

std::size_t Monkey::errorBoxes() const
{
    return std::size_t(std::count_if(m_fake.boxes.begin(), m_fake.boxes.end(),
                                     [](const auto &box) { return box.kind == FakePlatform::BoxKind::Error; }));
}

QString Monkey::randomText()
{
    const QString separator = m_random.pick(std::vector<QString>{".", ",", m_fake.separator});
    const auto digits = [this](int fewest, int most) {
        QString text;
        for (int n = m_random.between(fewest, most); n > 0; --n)
            text += QChar(u'0' + m_random.below(10));
        return text;
    };
    const auto decimal = [&] { return digits(1, 6) + separator + digits(0, 6); };
    switch (m_random.below(10)) {
    case 0:
        return digits(1, 12);
    case 1:
        return decimal();
    case 2:
        return (m_random.chance(50) ? "-" : "+") + decimal();
    case 3:
        return decimal() + (m_random.chance(50) ? "e" : "E") + m_random.pick(std::vector<QString>{"", "+", "-"})
               + digits(1, 4);
    case 4:
        return QString(m_random.between(1, 3), u' ') + decimal() + QString(m_random.below(3), u' ');
    case 5:
        return m_random.pick(kChineseTexts);
    case 6:
        return digits(20, 400) + (m_random.chance(50) ? separator + digits(1, 30) : QString());
    case 7:
        return {};
    case 8:
        return m_random.pick(kOddTexts);
    default:
        return m_random.pick(kWorkedTexts);
    }
}

// Puts `text` into the focused field as a user would: typed key by key,
// composed through an input method (Chinese has no keys of its own), or
// pasted. An empty text empties the field.
std::string Monkey::deliver(QWidget *field, const QString &text)
{
    if (text.isEmpty()) {
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Delete);
        return "emptied";
    }
    const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; });
    if (ascii && text.size() <= 24 && m_random.chance(80)) {
        QTest::keyClicks(field, text);
        return "typed";
    }
    if (m_random.chance(50)) {
        QInputMethodEvent composing(QStringLiteral("shu"), {});
        QApplication::sendEvent(field, &composing);
        QInputMethodEvent committed;
        committed.setCommitString(text);
        QApplication::sendEvent(field, &committed);
        return "composed";
    }
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    return "pasted";
}

// --- one action ---

void Monkey::step()
{
    const Visibility before = m_program->shown();
    if (before[Capture]) {
        // The overlay covers the screen and holds the keyboard.
        overlayAction();
    } else {
        const Window w = m_random.pick(shownWindows());
        activate(w);
        const int roll = m_random.below(100);
        if (roll < 32)
            typeText(w);
        else if (roll < 55)
            pressButton(w);
        else if (roll < 80)
            pressKey(w);
        else if (roll < 84)
            closeBox(w);
        else if (roll < 89 && w == Main)
            chooseInCombo();
        else if (roll < 92 && w == Main)
            triggerMenu();
        else if (roll < 99 && w == Picker)
            pickerTick();
        else if (roll == 99)
            changeSeparator();
        else
            typeText(w);
    }
    settle();
    closePopup();
    checkRules();
    m_transcript.back() += " -> " + describe(m_program->shown());
}

// Space or F4 on a list opens its popup, which takes the keyboard: the user
// then picks an entry or leaves with Escape.
void Monkey::closePopup()
{
    QWidget *popup = QApplication::activePopupWidget();
    if (!popup)
        return;
    const bool choose = m_random.chance(60);
    record(choose ? "popup: Down, Enter" : "popup: Escape");
    ++m_counts["popup"];
    // The keyboard reaches the popup's focused part, its list.
    QWidget *list = popup->focusWidget() ? popup->focusWidget() : popup;
    if (choose) {
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
    } else {
        QTest::keyClick(list, Qt::Key_Escape);
    }
    settle();
    expect(!QApplication::activePopupWidget(), "a list's popup does not close");
}

void Monkey::typeText(Window w)
{
    std::vector<QWidget *> fields;
    for (QLineEdit *edit : window(w)->findChildren<QLineEdit *>())
        if (edit->isVisibleTo(window(w)) && edit->isEnabled())
            fields.push_back(edit);
    for (QPlainTextEdit *memo : window(w)->findChildren<QPlainTextEdit *>())
        fields.push_back(memo);
    if (fields.empty())
        return pressKey(w);
    QWidget *target = m_random.pick(fields);
    const Visibility before = m_program->shown();
    if (auto *edit = qobject_cast<QLineEdit *>(target))
        QTest::mouseClick(edit, Qt::LeftButton, {}, randomPointIn(edit));
    else
        target->setFocus(Qt::MouseFocusReason);
    // Replace all, or add at the end, or insert somewhere in the middle.
    const int where = m_random.below(4);
    if (where < 2)
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    else if (where == 2)
        QTest::keyClick(target, Qt::Key_End);
    const QString text = randomText();
    const std::string how = deliver(target, text);
    const QString name = target->objectName().isEmpty() ? target->parentWidget()->objectName() : target->objectName();
    record(std::string("type ") + kWindowNames[w] + "." + name.toStdString() + " " + how + " \""
           + text.left(40).toStdString() + (text.size() > 40 ? "…" : "") + "\"");
    ++m_counts["type"];
    settle();
    expectShown(before, "typing changed which windows are shown");
}

void Monkey::pressButton(Window w)
{
    std::vector<QAbstractButton *> buttons;
    for (QAbstractButton *b : window(w)->findChildren<QAbstractButton *>())
        if (b->isVisibleTo(window(w)) && b->isEnabled())
            buttons.push_back(b);
    if (buttons.empty())
        return pressKey(w);
    QAbstractButton *target = m_random.pick(buttons);
    // Leaving the program is rare, so that each run of it lasts.
    if (w == Main && target->objectName() == "Button3" && !m_random.chance(3))
        target = button(Main, "Button1");
    const Visibility before = m_program->shown();
    const std::size_t errorsBefore = errorBoxes();
    // Now and then the screen cannot be read when a capture starts.
    const bool unreadable = w == Main && target->objectName() == "btn1" && m_random.chance(5);
    QImage screen;
    if (unreadable)
        std::swap(screen, m_fake.screen);
    record(std::string("click ") + kWindowNames[w] + "." + target->objectName().toStdString()
           + (unreadable ? " (screen unreadable)" : ""));
    ++m_counts["click " + std::string(kWindowNames[w]) + "." + target->objectName().toStdString()];
    QTest::mouseClick(target, Qt::LeftButton);
    if (unreadable)
        std::swap(screen, m_fake.screen);
    applyPress(w, target->objectName(), before, errorsBefore);
}

void Monkey::triggerMenu()
{
    const std::vector<const char *> items = {"X1", "N1", "N2", "N10", "A2", "N3", "N5", "N6", "N7", "N8", "N9"};
    const char *item = m_random.pick(items);
    if (std::string(item) == "X1" && !m_random.chance(3))
        item = "N3";
    const Visibility before = m_program->shown();
    const std::size_t errorsBefore = errorBoxes();
    record(std::string("menu ") + item);
    ++m_counts[std::string("menu ") + item];
    window(Main)->findChild<QAction *>(QString::fromLatin1(item))->trigger();
    applyPress(Main, QString::fromLatin1(item), before, errorsBefore);
}

void Monkey::applyPress(Window w, const QString &control, const Visibility &before, std::size_t errorsBefore)
{
    settle();
    const auto effect = std::find_if(kPressEffects.begin(), kPressEffects.end(), [&](const PressEffect &e) {
        return e.window == w && control == QLatin1String(e.control);
    });
    if (effect != kPressEffects.end() && effect->endsProgram)
        return stopIfProgramEnded(true);
    stopIfProgramEnded(false);
    if (errorBoxes() > errorsBefore || effect == kPressEffects.end())
        return expectShown(before, "pressing " + control.toStdString() + " changed which windows are shown");
    expectShown(after(before, effect->effects), "pressing " + control.toStdString());
    if (effect->effects.size() == 1 && effect->effects[0].window == Capture)
        m_bandActive = false;
}

void Monkey::pressKey(Window w)
{
    struct Key {
        const char *name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    static const std::vector<Key> keys = {
        {"Enter", Qt::Key_Return, {}},        {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier},
        {"Tab", Qt::Key_Tab, {}},             {"Shift+Tab", Qt::Key_Backtab, Qt::ShiftModifier},
        {"Escape", Qt::Key_Escape, {}},       {"Space", Qt::Key_Space, {}},
        {"Backspace", Qt::Key_Backspace, {}}, {"Delete", Qt::Key_Delete, {}},
        {"Home", Qt::Key_Home, {}},           {"End", Qt::Key_End, {}},
        {"Left", Qt::Key_Left, {}},           {"Right", Qt::Key_Right, {}},
        {"Up", Qt::Key_Up, {}},               {"Down", Qt::Key_Down, {}},
        {"Ctrl+Z", Qt::Key_Z, Qt::ControlModifier}, {"Ctrl+X", Qt::Key_X, Qt::ControlModifier},
        {"Alt+X", Qt::Key_X, Qt::AltModifier},
    };
    Key key = m_random.pick(keys);
    // Enter, Tab and Escape are the keys a hurried user hits most.
    if (m_random.chance(40))
        key = keys[std::size_t(m_random.below(5))];
    const bool leaves = w == Main && key.key == Qt::Key_X && key.modifiers == Qt::AltModifier;
    if (leaves && !m_random.chance(3))
        key = keys[0];
    QWidget *focus = window(w)->focusWidget() ? window(w)->focusWidget() : window(w);
    const Visibility before = m_program->shown();
    record(std::string("key ") + key.name + " in " + kWindowNames[w] + "." + focus->objectName().toStdString());
    ++m_counts[std::string("key ") + key.name];
    QTest::keyClick(focus, key.key, key.modifiers);
    settle();
    if (w == Main && key.key == Qt::Key_X && key.modifiers == Qt::AltModifier)
        return stopIfProgramEnded(true);
    stopIfProgramEnded(false);
    // Enter and Space press a button, whichever has the focus: the rules
    // checked after every action cover them.
    if (key.key == Qt::Key_Escape)
        expectShown(after(before, escapeEffects(w)), "Escape");
    else if (key.key != Qt::Key_Return && key.key != Qt::Key_Enter && key.key != Qt::Key_Space)
        expectShown(before, std::string(key.name) + " changed which windows are shown");
}

void Monkey::closeBox(Window w)
{
    if (w == Main && !m_random.chance(3))
        return pressKey(w);
    const Visibility before = m_program->shown();
    record(std::string("close box of ") + kWindowNames[w]);
    ++m_counts[std::string("close ") + kWindowNames[w]];
    // What the window manager sends when the close box is clicked.
    QCloseEvent close;
    QApplication::sendEvent(window(w)->windowHandle(), &close);
    settle();
    if (w == Main)
        return stopIfProgramEnded(true);
    stopIfProgramEnded(false);
    expectShown(after(before, closeEffects(w)), std::string("closing ") + kWindowNames[w]);
    if (w == Capture)
        m_bandActive = false;
}

void Monkey::chooseInCombo()
{
    const std::vector<const char *> combos = {"zjs", "ComboBox1", "ComboBox2"};
    const std::vector<std::pair<const char *, Qt::Key>> keys = {
        {"Up", Qt::Key_Up}, {"Down", Qt::Key_Down}, {"Home", Qt::Key_Home}, {"End", Qt::Key_End},
        {"PageUp", Qt::Key_PageUp}, {"PageDown", Qt::Key_PageDown}};
    const char *name = m_random.pick(combos);
    const auto &[keyName, key] = m_random.pick(keys);
    auto *combo = window(Main)->findChild<QComboBox *>(QString::fromLatin1(name));
    const Visibility before = m_program->shown();
    record(std::string("combo ") + name + " " + keyName);
    ++m_counts["combo"];
    // Reached with Tab (a click would open its list).
    combo->setFocus(Qt::TabFocusReason);
    QTest::keyClick(combo, key);
    settle();
    expectShown(before, "choosing in a list changed which windows are shown");
}

void Monkey::pickerTick()
{
    auto *timer = window(Picker)->findChild<QTimer *>("Timer1");
    if (!timer || !timer->isActive())
        return pressButton(Picker);
    // Anywhere, off the screen too.
    const QSize size = m_fake.screen.size();
    m_fake.cursor = {m_random.between(-100, size.width() + 100), m_random.between(-100, size.height() + 100)};
    const Visibility before = m_program->shown();
    record("picker tick at " + std::to_string(m_fake.cursor.x()) + "," + std::to_string(m_fake.cursor.y()));
    ++m_counts["picker tick"];
    // What the running timer does ten times a second.
    runHandler([this] { m_program->picker().sampleUnderPointer(); });
    settle();
    expectShown(before, "a picker sample changed which windows are shown");
}

void Monkey::changeSeparator()
{
    // The user changes the locale: point, comma or the Arabic decimal sign.
    m_fake.separator = m_random.pick(std::vector<QString>{".", ",", "\u066b"});
    record("decimal separator " + m_fake.separator.toStdString());
    ++m_counts["separator"];
}

void Monkey::overlayAction()
{
    QWidget *overlay = window(Capture);
    activate(Capture);
    QPoint at(m_random.between(-40, overlay->width() + 40), m_random.between(-40, overlay->height() + 40));
    if (at.isNull())
        at = {1, 1};
    const Qt::MouseButton mouseButton = m_random.chance(85) ? Qt::LeftButton : Qt::RightButton;
    const Visibility before = m_program->shown();
    const int roll = m_random.below(100);
    const std::string where = std::to_string(at.x()) + "," + std::to_string(at.y());
    if (roll < 30) {
        record("overlay press at " + where);
        ++m_counts["overlay press"];
        QTest::mousePress(overlay, mouseButton, {}, at);
        m_bandActive = true;
        m_anchor = onOverlay(at);
    } else if (roll < 60) {
        record("overlay move to " + where);
        ++m_counts["overlay move"];
        QTest::mouseMove(overlay, at);
    } else if (roll < 88) {
        return overlayRelease(at, mouseButton);
    } else if (roll < 94) {
        record("overlay Escape");
        ++m_counts["overlay Escape"];
        QTest::keyClick(overlay, Qt::Key_Escape);
        settle();
        expectShown(after(before, escapeEffects(Capture)), "Escape on the overlay");
        m_bandActive = false;
        return;
    } else if (roll < 97) {
        record("overlay other key");
        ++m_counts["overlay key"];
        QTest::keyClick(overlay, m_random.chance(50) ? Qt::Key_Return : Qt::Key_A);
    } else {
        return closeBox(Capture);
    }
    settle();
    expectShown(before, "the overlay must stay for presses, moves and other keys");
}

// Where the overlay sees a pointer position: it stops the selection at its
// edges.
QPoint Monkey::onOverlay(QPoint at) const
{
    const QWidget *overlay = window(Capture);
    return {std::clamp(at.x(), 0, overlay->width()), std::clamp(at.y(), 0, overlay->height())};
}

void Monkey::overlayRelease(QPoint at, Qt::MouseButton mouseButton)
{
    // The answer the save dialog will give, if asked.
    const int kind = m_random.below(10);
    const std::optional<QString> name = kind < 3   ? std::nullopt
                                        : kind < 8 ? std::optional(m_random.pick(kGoodNames))
                                                   : std::optional(m_random.pick(kBadNames));
    record("overlay release at " + std::to_string(at.x()) + "," + std::to_string(at.y()) + ", then "
           + (name ? "save as " + name->toStdString() : "cancel"));
    ++m_counts["overlay release"];
    m_fake.saveAnswers = {name ? std::optional(m_folder.filePath(*name)) : std::nullopt};
    const Visibility before = m_program->shown();
    const std::size_t dialogs = m_fake.saveFilters.size();
    const std::size_t errorsBefore = errorBoxes();
    QTest::mouseRelease(window(Capture), mouseButton, {}, at);
    settle();
    const QPoint corner = onOverlay(at);
    const bool encloses = m_bandActive && m_anchor.x() != corner.x() && m_anchor.y() != corner.y();
    expect(m_fake.saveFilters.size() == dialogs + (encloses ? 1 : 0), "the save dialog was asked out of turn");
    const bool refused = name && std::find(kBadNames.begin(), kBadNames.end(), *name) != kBadNames.end();
    if (encloses && refused) {
        ++m_refusedSaves;
        const QString box = "Cannot create file \"" + bmpFileName(m_folder.filePath(*name)) + "\". ";
        expect(errorBoxes() == errorsBefore + 1 && m_fake.boxes.back().text.startsWith(box),
               "a refused save showed no error box, or another one");
        expectShown(before, "a refused save must keep the overlay");
    } else if (encloses && name) {
        expectSaved(*name, QRect(QPoint(std::min(m_anchor.x(), corner.x()), std::min(m_anchor.y(), corner.y())),
                                 QSize(std::abs(corner.x() - m_anchor.x()), std::abs(corner.y() - m_anchor.y()))));
        expectShown(after(before, {{Capture, false}, {Main, true}}), "a saved capture must end");
    } else if (m_bandActive) {
        expectShown(after(before, {{Capture, false}, {Main, true}}), "a capture without a picture must end");
    } else {
        expectShown(before, "a release without a press must change nothing");
    }
    expect(folderEntries() == m_folderEntries,
           "a capture left a file behind: " + folderEntries().join(' ').toStdString());
    m_fake.saveAnswers.clear();
    m_bandActive = false;
}

// The file holds what the band enclosed: the rectangle between the press and
// the release, the release's row and column excluded.
void Monkey::expectSaved(const QString &name, const QRect &area)
{
    ++m_saved;
    const QString file = bmpFileName(m_folder.filePath(name));
    expect(testing::readBmp(file).pixels() == m_fake.screen.copy(area), "the saved picture differs from the band");
    // Every name is free again for the next save, but the older picture,
    // which comes back to be replaced again.
    QFile::remove(file);
    if (name == "older.bmp")
        writeOlderPicture();
}

// --- checks ---

void Monkey::expect(bool condition, const std::string &what)
{
    if (!condition)
        ADD_FAILURE() << what << context();
}

void Monkey::expectShown(const Visibility &expected, const std::string &what)
{
    const Visibility shown = m_program->shown();
    if (shown != expected)
        ADD_FAILURE() << what << ": shown " << describe(shown) << ", expected " << describe(expected) << context();
}

void Monkey::stopIfProgramEnded(bool expected)
{
    if (!m_watcher.mainClosed) {
        expect(!expected, "closing the main window did not end the program");
        return;
    }
    expect(expected, "the main window closed unasked");
    expect(!window(Main)->isVisible(), "the main window was closed but is still shown");
    ++m_counts["program ended"];
    restart();
}

void Monkey::checkRules()
{
    const auto &escaped = testing::escapedExceptions();
    expect(escaped.empty(), escaped.empty() ? "" : "an exception escaped to the event loop: " + escaped.front().what
                                                       + " (to " + escaped.front().receiver + ")");
    bool windowsWhole = true;
    for (int w = 0; w < kWindowCount; ++w) {
        const QWidget *watched = m_program->window(Window(w));
        windowsWhole = windowsWhole && watched && watched == m_program->created(Window(w));
        expect(watched && watched == m_program->created(Window(w)), std::string(kWindowNames[w]) + " was destroyed");
    }
    for (int w = 0; windowsWhole && w < kWindowCount; ++w)
        expect(m_program->handedOut(Window(w)) == m_program->created(Window(w)),
               std::string(kWindowNames[w]) + " is no longer the window the program hands out");
    if (!windowsWhole)
        return;
    const Visibility shown = m_program->shown();
    // The main window is shown, or exactly one tool hid it, whose closing
    // brings it back.
    expect(shown[Main] || (shown[Golden] != shown[Picker]),
           "the main window is hidden with no tool to bring it back: " + describe(shown));
    expect(!shown[Capture] || shown[Main], "the overlay is up without the main window beneath it");
    const auto *timer = window(Picker)->findChild<QTimer *>("Timer1");
    expect(!timer->isActive() || shown[Picker], "the picker samples while hidden");
    // The main window's layer is what its check box says.
    if (!m_fake.onTopCalls.empty() && m_fake.onTopCalls.back().first == window(Main))
        expect(m_fake.onTopCalls.back().second == button(Main, "CheckBox2")->isChecked(),
               "the main window's layer differs from its check box");
    for (QWidget *top : QApplication::topLevelWidgets())
        expect(!top->isVisible() || m_watcher.ownsWindow(top),
               std::string("a window not of the program is shown: ") + top->metaObject()->className());
    expect(m_watcher.strangers.empty(), "a window not of the program was shown (a real modal box would block): "
                                            + (m_watcher.strangers.empty() ? "" : m_watcher.strangers.front()));
}

std::string Monkey::context() const
{
    std::ostringstream text;
    text << "\n  after action " << m_done << " of seed " << m_settings.seed << "; replay with TALLYFIN_MONKEY_SEED="
         << m_settings.seed << " TALLYFIN_MONKEY_ACTIONS=" << m_done + 1 << "\n  the last actions:";
    for (const std::string &action : m_recent)
        text << "\n    " << action;
    return text.str();
}

// --- probes ---

void Monkey::checkpoint()
{
    record("checkpoint");
    bringBackMain();
    if (::testing::Test::HasFailure())
        return;
    expectWorkedExample();
    expectGoldenExample();
    expectCaptureSaves();
    // Keep the fake's records from growing over a long walk.
    for (const auto &box : m_fake.boxes) {
        ++(box.kind == FakePlatform::BoxKind::Error ? m_errorBoxes : m_validationBoxes);
        ++m_boxTexts[boxPattern(box.text)];
    }
    m_fake.boxes.clear();
    m_fake.pages.clear();
    m_fake.onTopCalls.clear();
    m_fake.grabs.clear();
    m_fake.pixelReads.clear();
    m_fake.saveFilters.clear();
}

// The main window can always be brought back: the capture ends with
// Escape, and closing the tool that hid the main window shows it again.
void Monkey::bringBackMain()
{
    if (window(Capture)->isVisible()) {
        QTest::keyClick(window(Capture), Qt::Key_Escape);
        m_bandActive = false;
    }
    for (Window tool : {Golden, Picker}) {
        if (!window(Main)->isVisible() && window(tool)->isVisible()) {
            QCloseEvent close;
            QApplication::sendEvent(window(tool)->windowHandle(), &close);
        }
    }
    settle();
    expect(window(Main)->isVisible(), "the main window cannot be brought back");
    expect(!window(Capture)->isVisible(), "Escape did not end the capture");
}

// The worked example, from the default settings and cleared fields.
void Monkey::expectWorkedExample()
{
    activate(Main);
    m_fake.separator = QStringLiteral(".");
    auto *main = window(Main);
    main->findChild<QAction *>("resetSettings")->trigger();
    field(Main, "targetValue")->clear();
    QTest::mouseClick(button(Main, "Button2"), Qt::LeftButton);
    const std::size_t boxes = m_fake.boxes.size();
    for (const auto &[name, text] : {std::pair{"jg", "10"}, std::pair{"sl", "1000"}, std::pair{"Edit2", "11"}}) {
        field(Main, name)->setFocus();
        QTest::keyClicks(field(Main, name), QString::fromLatin1(text));
    }
    QTest::keyClick(field(Main, "Edit2"), Qt::Key_Return);
    settle();
    QStringList results;
    for (const char *name : {"Edit4", "Edit5", "Edit6", "Edit7", "Edit8", "Edit9", "Edit10", "Edit11", "Edit12",
                             "Edit13", "Edit14", "Edit15", "Edit16", "Edit17", "Edit18", "Edit19"})
        results << field(Main, name)->text();
    const QStringList expected = {"10000", "30", "0", "1", "31", "10031", "10.03", "10.07",
                                  "11000", "33", "11", "1", "45", "10955", "9.21", "924"};
    if (results != expected)
        ADD_FAILURE() << "the worked example gives " << results.join(' ').toStdString() << context();
    expect(m_fake.boxes.size() == boxes, "the worked example showed a box");
}

// A pull-back from 10 to 15 in the golden-section calculator, opened from
// the main window and closed again.
void Monkey::expectGoldenExample()
{
    QTest::mouseClick(button(Main, "Button7"), Qt::LeftButton);
    settle();
    expect(window(Golden)->isVisible() && !window(Main)->isVisible(), "the golden-section calculator did not open");
    activate(Golden);
    QTest::mouseClick(button(Golden, "Button2"), Qt::LeftButton);
    for (const auto &[name, text] : {std::pair{"Edit1", "10"}, std::pair{"Edit2", "15"}}) {
        field(Golden, name)->clear();
        QTest::keyClicks(field(Golden, name), QString::fromLatin1(text));
    }
    QTest::mouseClick(button(Golden, "callback"), Qt::LeftButton);
    QStringList rows;
    for (const char *name : {"Edit3", "Edit4", "Edit5", "Edit6", "Edit7", "Edit8", "Edit9", "Edit10", "Edit11",
                             "Edit12", "Edit13"})
        rows << field(Golden, name)->text();
    const QStringList expected = {"10.955", "11.91", "12.5",  "13.09", "14.045", "13.33",
                                  "11.67",  "13.82", "0",     "0",     "0"};
    if (rows != expected)
        ADD_FAILURE() << "the golden-section example gives " << rows.join(' ').toStdString() << context();
    QTest::mouseClick(button(Golden, "tuichu"), Qt::LeftButton);
    settle();
    expect(window(Main)->isVisible() && !window(Golden)->isVisible(), "退出 did not bring the main window back");
}

void Monkey::expectCaptureSaves()
{
    activate(Main);
    QTest::mouseClick(button(Main, "btn1"), Qt::LeftButton);
    settle();
    expect(window(Capture)->isVisible(), "the capture did not start");
    const QString name = m_folder.filePath("checkpoint");
    m_fake.saveAnswers = {name};
    QWidget *overlay = window(Capture);
    QTest::mousePress(overlay, Qt::LeftButton, {}, {30, 40});
    QTest::mouseMove(overlay, {90, 70});
    QTest::mouseRelease(overlay, Qt::LeftButton, {}, {130, 90});
    settle();
    expect(testing::readBmp(name + ".bmp").pixels() == m_fake.screen.copy(30, 40, 100, 50),
           "the capture saved another picture");
    QFile::remove(name + ".bmp");
    expect(!overlay->isVisible() && window(Main)->isVisible(), "the capture did not end");
    m_fake.saveAnswers.clear();
}

std::string Monkey::summary() const
{
    std::ostringstream text;
    text << "monkey: seed " << m_settings.seed << ", " << m_done << " actions in " << double(m_elapsed) / 1000 << " s"
         << (m_stoppedEarly ? " (stopped at the time bound)" : "") << ", " << m_restarts << " restarts, " << m_saved
         << " captures saved, " << m_refusedSaves << " refused, " << m_errorBoxes << " error boxes, "
         << m_validationBoxes << " validation boxes, " << m_watcher.paints << " paints\n  actions:";
    for (const auto &[action, count] : m_counts)
        text << " [" << action << " " << count << "]";
    text << "\n  boxes:";
    for (const auto &[box, count] : m_boxTexts)
        text << "\n    " << count << " × " << box;
    return text.str();
}

// --- the tests ---

TEST(Monkey, RandomWalkKeepsTheProgramWhole)
{
    const WalkSettings settings = settingsFromEnvironment();
    std::cerr << "monkey: seed " << settings.seed << ", " << settings.actions
              << " actions (replay: TALLYFIN_MONKEY_SEED=" << settings.seed << ")\n";
    static std::uint64_t seedForCrashes = settings.seed;
    std::set_terminate([] {
        std::cerr << "monkey: terminated; replay with TALLYFIN_MONKEY_SEED=" << seedForCrashes << "\n";
        std::abort();
    });
    SCOPED_TRACE("replay with TALLYFIN_MONKEY_SEED=" + std::to_string(settings.seed));
    testing::escapedExceptions().clear();
    FakePlatform fake;
    Monkey monkey(fake, settings);
    monkey.walk();
    if (!::testing::Test::HasFailure())
        monkey.quit();
    std::cout << monkey.summary() << std::endl;
    if (!monkey.stoppedEarly() && !::testing::Test::HasFailure()) {
        EXPECT_EQ(monkey.done(), settings.actions);
    }
}

// The same seed walks the same way (the replay of a failure depends on it);
// another seed walks another way.
TEST(Monkey, SameSeedReplaysTheSameWalk)
{
    const auto transcript = [](std::uint64_t seed) {
        WalkSettings settings;
        settings.seed = seed;
        settings.actions = 400;
        settings.checkpointEvery = 150;
        FakePlatform fake;
        Monkey monkey(fake, settings);
        monkey.walk();
        return monkey.transcript();
    };
    const auto first = transcript(11);
    EXPECT_GE(first.size(), 400u) << "every action is in the transcript";
    EXPECT_EQ(transcript(11), first);
    EXPECT_NE(transcript(12), first);
}

} // namespace
} // namespace tallyfin
