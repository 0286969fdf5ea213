#pragma once

#include "platform.h"

namespace tallyfin {

// The real desktop through Qt.
class QtPlatform : public Platform {
public:
    void showValidationBox(QWidget *owner, const QString &text) override;
    void showErrorBox(const QString &text) override;
    void openWebPage(const QString &address) override;
    void setAlwaysOnTop(QWidget *window, bool onTop) override;
    QString decimalSeparator() override;
    QPoint cursorPosition() override;
    std::optional<QRgb> screenPixel(QPoint position) override;
    QImage grabScreen(QRect area) override;
    std::optional<QString> saveFileName(QWidget *owner, const QString &filter) override;
    std::optional<QByteArray> openFileName(QWidget *owner, const QString &filter) override;
    std::optional<QList<QByteArray>> openFileNames(QWidget *owner, const QString &filter) override;
};

} // namespace tallyfin
