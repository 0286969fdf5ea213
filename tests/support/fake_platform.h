#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <deque>
#include <functional>
#include <vector>

#include "platform.h"

namespace tallyfin::testing {

// A desktop for tests: records every box, page and layer change, and answers
// screen reads and save dialogs from what the test scripted. Installs itself
// for its lifetime.
class FakePlatform final : public Platform {
public:
    enum class BoxKind { Validation, Error };
    struct Box {
        BoxKind kind;
        QPointer<QWidget> owner;
        QString caption;
        QString text;
    };

    FakePlatform() : m_override(*this) {}

    void showValidationBox(QWidget *owner, const QString &text) override;
    void showErrorBox(const QString &text) override;
    void openWebPage(const QString &address) override { pages.push_back(address); }
    void setAlwaysOnTop(QWidget *window, bool onTop) override { onTopCalls.push_back({window, onTop}); }
    QString decimalSeparator() override { return separator; }
    QPoint cursorPosition() override { return cursor; }
    std::optional<QRgb> screenPixel(QPoint position) override;
    QImage grabScreen(QRect area) override;
    std::optional<QString> saveFileName(QWidget *owner, const QString &filter) override;
    std::optional<QByteArray> openFileName(QWidget *owner, const QString &filter) override;
    // The next of openManyAnswers, else one of openAnswers.
    std::optional<QList<QByteArray>> openFileNames(QWidget *owner, const QString &filter) override;
    bool picksColorOnClick() override { return picksOnClick; }
    void requestColorPick(QObject *, std::function<void(const ColorPick &)> done) override
    {
        picks.push_back(std::move(done));
    }

    // Runs while a box is "open", as the user would see it (e.g. to check
    // which windows are visible behind it).
    std::function<void(const Box &)> onBox;

    std::vector<Box> boxes;
    std::vector<QString> pages;
    std::vector<std::pair<QWidget *, bool>> onTopCalls;
    QString separator = QStringLiteral(".");
    QPoint cursor;
    // The fake screen: its top-left corner is at screen position (0, 0).
    QImage screen;
    std::vector<QRect> grabs;
    std::vector<QPoint> pixelReads;
    // Answers of the save dialog, in order; an empty queue cancels.
    std::deque<std::optional<QString>> saveAnswers;
    std::vector<QString> saveFilters;
    // Answers of the open dialog (paths as the file system names them), in
    // order; an empty queue cancels.
    std::deque<std::optional<QByteArray>> openAnswers;
    std::vector<QString> openFilters;
    // Answers of the dialog choosing several files, in order, before those of openAnswers.
    std::deque<std::optional<QList<QByteArray>>> openManyAnswers;
    // A desktop that picks colours on a click (Wayland); each pick asked
    // for waits here until the test answers it.
    bool picksOnClick = false;
    std::vector<std::function<void(const ColorPick &)>> picks;

private:
    PlatformOverride m_override;
};

} // namespace tallyfin::testing
