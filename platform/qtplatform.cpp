#include "qtplatform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QUrl>
#include <QWidget>
#include <QWindow>

namespace tallyfin {

void QtPlatform::showValidationBox(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::translate("tallyfin::QtPlatform", "错误"), text,
                    QMessageBox::Ok, owner);
    box.exec();
}

void QtPlatform::showErrorBox(const QString &text)
{
    // The caption is the program's empty title. Qt shows the application
    // name in place of an empty window title, so a blank one stands in.
    // Owned by the window the user is in, so that the window manager keeps
    // the box above it, even above the full-screen capture overlay that
    // stays on top of everything else.
    QMessageBox box(QMessageBox::Critical, QStringLiteral(" "), text, QMessageBox::Ok, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void QtPlatform::openWebPage(const QString &address)
{
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

void QtPlatform::setAlwaysOnTop(QWidget *window, bool onTop)
{
    QWindow *handle = window->windowHandle();
    if (!handle) {
        // Not on screen yet: the flag takes effect when it is first shown.
        window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        return;
    }
    // Changing the live window's flags toggles the window manager's "above"
    // state; QWidget::setWindowFlag would destroy and re-create the window,
    // which flickers. overrideWindowFlags keeps the widget's record in step
    // without touching the native window.
    Qt::WindowFlags flags = handle->flags();
    flags.setFlag(Qt::WindowStaysOnTopHint, onTop);
    handle->setFlags(flags);
    window->overrideWindowFlags(flags);
}

QString QtPlatform::decimalSeparator()
{
    return decimalSeparatorFrom(QLocale::system().decimalPoint());
}

QPoint QtPlatform::cursorPosition() { return QCursor::pos(); }

std::optional<QRgb> QtPlatform::screenPixel(QPoint position)
{
    QScreen *screen = QGuiApplication::screenAt(position);
    if (!screen)
        return std::nullopt;
    const QPoint local = position - screen->geometry().topLeft();
    const QImage pixel = screen->grabWindow(0, local.x(), local.y(), 1, 1).toImage();
    if (pixel.isNull())
        return std::nullopt;
    return pixel.pixel(0, 0);
}

QImage QtPlatform::grabScreen(QRect area)
{
    QScreen *screen = QGuiApplication::screenAt(area.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QPoint local = area.topLeft() - screen->geometry().topLeft();
    return screen->grabWindow(0, local.x(), local.y(), area.width(), area.height()).toImage();
}

std::optional<QString> QtPlatform::saveFileName(QWidget *owner, const QString &filter)
{
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QByteArray> QtPlatform::openFileName(QWidget *owner, const QString &filter)
{
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
    // The URL, not the file name: the desktop's dialog hands over the path's
    // bytes in it, whatever their encoding.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedUrls().isEmpty())
        return std::nullopt;
    return localFilePath(dialog.selectedUrls().constFirst());
}

std::optional<QList<QByteArray>> QtPlatform::openFileNames(QWidget *owner, const QString &filter)
{
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilter(filter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedUrls().isEmpty())
        return std::nullopt;
    QList<QByteArray> paths;
    for (const QUrl &url : dialog.selectedUrls())
        paths << localFilePath(url);
    return paths;
}

} // namespace tallyfin
