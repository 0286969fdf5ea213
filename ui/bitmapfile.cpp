#include "bitmapfile.h"

#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

#include "errors.h"

namespace tallyfin {

QString bmpFileName(const QString &name)
{
    const qsizetype nameStart = name.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > nameStart ? name.left(dot) : name;
    return stem + QStringLiteral(".bmp");
}

namespace {

[[noreturn]] void failToCreate(const QString &fileName, const QString &reason)
{
    throw EFCreateError(fileName.toStdString(), reason.toStdString());
}

} // namespace

void saveBitmap(const QImage &image, const QString &fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        failToCreate(fileName, file.errorString());
    // 32-bit pixels make the writer produce 24 bits per pixel whatever the
    // screen's format was: every reader takes that.
    QImageWriter writer(&file, "BMP");
    if (!writer.write(image.convertToFormat(QImage::Format_RGB32))) {
        // A failed write of the device says more than the writer's summary.
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
        file.cancelWriting();
        failToCreate(fileName, reason);
    }
    if (!file.commit())
        failToCreate(fileName, file.errorString());
}

} // namespace tallyfin
