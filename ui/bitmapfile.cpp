#include "bitmapfile.h"

#include <QBuffer>
#include <QFile>
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

// Writes all of `bytes`. A short write (a disk that fills up midway) is no
// error yet: the system gives its reason only to the next write, so the rest
// is written until it succeeds or is refused.
bool writeAll(QSaveFile &file, const QByteArray &bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 count = file.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0)
            return false;
        written += count;
    }
    return true;
}

// Why `fileName` cannot be saved, in the system's words where it has them.
// The saving class checks an existing name itself (a folder, a file it may
// not write) and gives texts of its own for those, so the system is asked
// by opening that name for writing, without creating or changing anything.
QString reasonNotSaved(const QSaveFile &file, const QString &fileName)
{
    QFile existing(fileName);
    if (existing.exists() && !existing.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly))
        return existing.errorString();
    return file.errorString();
}

} // namespace

void saveBitmap(const QImage &image, const QString &fileName)
{
    QSaveFile file(fileName);
    // Unbuffered: every write reaches the system at once, so that a refusal
    // comes back with the system's reason.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        failToCreate(fileName, reasonNotSaved(file, fileName));
    // Encoded in memory first, so that a failure of the file is told apart
    // from one of the encoding. 32-bit pixels make the writer produce 24
    // bits per pixel whatever the screen's format was: every reader takes
    // that.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "BMP");
    if (!writer.write(image.convertToFormat(QImage::Format_RGB32))) {
        file.cancelWriting();
        failToCreate(fileName, writer.errorString());
    }
    if (!writeAll(file, bytes)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        failToCreate(fileName, reason);
    }
    if (!file.commit())
        failToCreate(fileName, file.errorString());
}

} // namespace tallyfin
